// The view state the renderer and the primitives read: zoom, paper scale,
// the two display switches, the answer colour, the print state of a print
// run (scale, offsets, page range, printer canvas), the active page and the
// creation state of the tool in progress. The main window owns one and keeps
// it current; the render layer only reads it and never changes the document
// through it.
#pragma once

#include "document/UnitData.h"
#include "platform/UnitNumText.h"

#include <QPoint>
#include <QString>

class Canvas;

// The pale ink of content that is not active in the current display mode.
inline constexpr TColor KotaeColor = 0x00D0C0C0;
// The answer colour at start-up and after "解答の文字の色を標準に設定".
inline constexpr TColor DefaultAnswerColor = 255;

// What the creation tools are doing right now (the tools fill it, the
// renderer draws the preview and the placement marker from it).
struct CreationState {
    QString ToolKind;        // "1", "2", "3", "5" or empty
    bool Dragging = false;   // a line or box drag is in progress
    Integer StartX = 0, StartY = 0, CurX = 0, CurY = 0; // drag rectangle, page units
    TColor LineColor = 0;
    Integer LineSyu = 0;
    TColor FillColor = 0xFFFFFF;
    Integer FillB = 0;
    // The cross that marks where an expression or picture will be placed.
    bool MarkerOn = false;
    Integer MarkerPage = 0, MarkerX = 0, MarkerY = 0;
};

struct ViewState {
    Fixed4 GamenBai = Fixed4::fromInt(1);
    Fixed4 PaperBai = Fixed4::fromRaw(378000); // 37.8 units per cm at 96 dpi

    bool AnswerDisplay = false; // "解答表示" on (the answer-settings panel shows)
    bool NameDisplay = false;   // "名前欄" on (the name switch is down)
    // Answer colour shown on the swatch; the main window keeps it equal to
    // the document's stored answer colour.
    TColor AnswerColor = DefaultAnswerColor;

    // The page of the image on which the mouse was last pressed.
    Integer ActivePage = 0;
    CreationState Creation;

    // Print state, set by the print command before SrcImageP(true).
    Fixed4 PrinterBai = Fixed4::fromInt(1);
    QPoint PrinterOffset;     // physical offsets of the printer, dots
    Integer FromPg = 0, ToPg = 0;
    Canvas *Printer = nullptr; // the printer canvas of the running job
    // Vertical resolution of the current printer, for placing the credit
    // notice inside the printable area (also when not printing).
    Integer PrinterDpiY = 600;
};
