// The render layer's library; its units are added beside this file.
namespace tavenor_render_anchor { int anchor = 0; }
