// A worksheet without a window: read a file (or take a copy of an open
// worksheet's data), lay out its pages from its own paper, draw them in a
// display mode and print them as problem or answer sheets to a PDF file or
// any sheet output. Used by the command-line companion, the PDF export and
// the class sets of the editor, and by tests that check what reaches paper.
// Uses the same renderer as the editor's print run; shows nothing.
#pragma once

#include "app/UnitPrint.h"
#include "document/UnitData.h"
#include "document/UnitPaperSet.h"
#include "render/UnitRender.h"
#include "render/UnitView.h"

#include <QRect>
#include <QString>
#include <memory>

class SheetOutput;

// Which sheets of a worksheet a PDF holds: the problem sheet, the answer
// sheet, or both (every problem page, then every answer page).
enum class SheetChoice { Problems, Answers, Both };

// A small text printed on a sheet besides the objects (a copy number), at a
// place in page units.
struct SheetMark {
    QRect place;
    QString text;
    QString face;
    int cellHeight = 0;
};

class HeadlessWorksheet {
public:
    HeadlessWorksheet();

    Document doc;
    PageSet pages;
    PaperSet paper{doc, pages};
    ViewState view;
    Renderer renderer{doc, pages.ImageP, view};

    // Reads a worksheet; false with the program's message in `error`.
    bool load(const QString &path, QString &error);
    // Takes a worksheet that was read, with the page count stored in its
    // file; its paper values are applied (damaged ones give A4 portrait).
    void adopt(Document &&loaded, int pagesInFile);
    // Takes a copy of an open worksheet's data (its rows share the
    // original's storage until they change); its history stays behind.
    void adoptData(const RDocumentData &data, int pagesInFile);
    // Lays out one page per stored page of the file's paper at the zoom.
    // With `unfilled` the page images are made but not painted: a print run
    // needs only their sizes, and a page drawn with renderPage is filled
    // when it is drawn, so memory does not grow with the page count.
    void layout(int pageCount, Fixed4 zoom, bool unfilled = false);
    // Repaints every page image in the current display mode.
    void render();
    // Repaints only this page's image (zero-based); the others stay blank.
    void renderPage(int page);
    // The print run onto a 600-dpi PDF of the worksheet's paper, pages
    // fromPage..toPage (one-based). False with a reason in `error`.
    // The PDF is complete or not written at all.
    bool printPdf(const QString &path, int fromPage, int toPage, QString &error);
    // Pages fromPage..toPage (one-based) as the chosen sheets into one PDF.
    bool printPdf(const QString &path, SheetChoice choice, int fromPage, int toPage,
                  QString &error);
    // Draws page `page` (zero-based) on the output's next sheet as the
    // problem sheet or, with `answers`, the answer sheet, and the mark over
    // it when one is given. False when the output refused the sheet.
    bool printSheet(SheetOutput &out, int page, bool answers, const SheetMark *mark = nullptr);

    int storedPages = 1;

private:
    // The stored page count, raised to hold every row's page (1..100).
    void countPages(int pagesInFile);
};
