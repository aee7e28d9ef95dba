// The library layer's library; its units are added beside this file.
namespace tavenor_library_anchor { int anchor = 0; }
