// What a tool may reach of the editor: the document, the selection and its
// marks, the view (current page, creation marker) and its unit conversion,
// the current style of the panels as a value, the creation in progress, and
// the few actions a tool needs (switch tools, open the input windows). A
// tool never redraws: the pages follow the document's changes, the marks
// follow the selection and the creation state. The editing controller implements it; a tool sees nothing else
// of the controller.
#pragma once

#include "document/UnitData.h"

#include <QSet>
#include <QString>

class Selection;
class SelectionMarks;
class Metrics;
class EditTool;
class SelectTool;
class PictureDialogs;
struct PageEvent;

// The panels and switches as the tools read them when an object is made
// or picked: one value, read at the moment.
struct PanelStyle {
    QString lineWidth; // the line panel's width box, as typed
    TColor lineColor = 0;
    QString boxWidth;  // the box panel's width box, as typed
    TColor boxColor = 0;
    TColor boxFill = 0;
    bool boxFillTransparent = false;
    // The resize keeps the proportions unless this is set.
    bool aspectUnlocked = false;
    // "複数": a press adds to the selection.
    bool multiSelect = false;
    // The display switches, which decide the mode of a new object.
    bool nameDisplay = false;
    bool answerDisplay = false;
    // The rubber band's colour (the system's highlight colour).
    TColor bandColor = 0;
};

class EditContext
{
public:
    virtual Document &document() = 0;
    virtual Selection &selection() = 0;
    virtual SelectionMarks &marks() = 0;
    virtual Metrics &metrics() = 0;
    virtual PanelStyle panelStyle() const = 0;

    virtual void setTool(const QString &syu) = 0;
    virtual EditTool *currentTool() const = 0;
    virtual SelectTool &selectTool() const = 0;

    // The creation in progress: the pending object and its marker. Ending
    // it empties the pending object and drops the marker and the preview.
    virtual void syncCreation() = 0;
    virtual void endCreation(int page) = 0;
    virtual void showMarker(int page, int x, int y) = 0;
    virtual void hideMarker() = 0;

    // The panels and the hover frame follow what the tools did: the hover
    // frame under the mouse; a row picked with the mouse (its kind's panel,
    // the lock switch, the font boxes); a resize ended (the size box, the
    // coordinate dialog).
    virtual void hover(const PageEvent &ev) = 0;
    virtual void picked(int row) = 0;
    virtual void resizeEnded() = 0;

    // The input windows: the text window, the expression tool and the
    // picture dialog.
    virtual void openTextInput() = 0;
    virtual void closeTextInput() = 0;
    virtual void openProblemInput(int page, int x, int y) = 0;
    virtual void closeProblemInput() = 0;
    virtual PictureDialogs &pictureDialogs() = 0;
    virtual int OpenPicture(const QString &fileName) = 0;
    virtual void EditSelection() = 0;
    virtual void CancelInput() = 0;

protected:
    ~EditContext() = default;
};
