// A worksheet without a window: read a file, lay out its pages from its own
// paper, draw them in a display mode and print them to a PDF file. Used by
// the command-line companion and by tests that check what reaches paper.
// Uses the same renderer and print run as the editor; shows nothing.
#pragma once

#include "app/UnitPrint.h"
#include "document/UnitData.h"
#include "document/UnitPaperSet.h"
#include "render/UnitRender.h"
#include "render/UnitView.h"

#include <QString>
#include <memory>

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
    bool printPdf(const QString &path, int fromPage, int toPage, QString &error);

    int storedPages = 1;
};
