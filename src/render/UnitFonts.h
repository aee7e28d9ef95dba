// Fonts by cell height, as the worksheets store them: a font height is the
// height of the character cell (ascent + descent) in pixels, never a point
// size. Every primitive and every measurement of the render layer builds its
// fonts here, so that a text measures the same wherever it is drawn. The
// Windows faces stored in worksheets are mapped to the installed IPA fonts.
// Text metrics assume 96 logical dots per inch whatever the device. This unit
// never draws.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QString>

// A face, a cell height in device pixels and the four style flags.
struct FontSpec {
    QString face;
    int cellHeight = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;

    bool operator==(const FontSpec &) const = default;
};

// Maps "ＭＳ Ｐゴシック"/"MS PGothic", "ＭＳ ゴシック"/"MS Gothic", "ＭＳ Ｐ明朝"
// and "ＭＳ 明朝" (and their ASCII spellings) to the IPA faces. Start-up and
// tests call it once; calling it again does no harm.
void InstallFontSubstitutions();

// Largest cell height the program builds a font for; taller requests are cut
// to it so that a corrupt size cannot make the glyph cache explode.
inline constexpr int MaxCellHeight = 4000;

// A resolved cell font: a pixel-size font (so it means device pixels on any
// device, screen image or printer) whose ascent + descent is the asked cell
// height, or one pixel short of it where the face jumps over that height.
struct CellFontInfo {
    QFont font;
    int pixelSize = 0;
    int cellHeight = 0; // ascent + descent actually reached
};

// The cached font for a font. Heights below 1 are taken as 1.
const CellFontInfo &CellFont(const FontSpec &font);

// Metrics of the font's font at 96 dpi (cached with the font).
const QFontMetrics &CellFontMetrics(const FontSpec &font);

// The cell height the layouts count with: the font's height, bounded to
// 1 .. MaxCellHeight. Lines of text are this far apart.
int CellHeightOf(const FontSpec &font);
