// The math layer's library; its units are added beside this file.
namespace tavenor_math_anchor { int anchor = 0; }
