// The editing layer's library; its units are added beside this file.
namespace tavenor_editing_anchor { int anchor = 0; }
