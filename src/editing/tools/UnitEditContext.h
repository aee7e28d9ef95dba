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
class ViewUnits;
struct ViewState;
class Metrics;
class EditTool;
class SelectTool;
class TFormMoji;
class TFormSiki;
class TOverlayLabel;
class PictureDialogs;
struct PageEvent;

// The line and box panels as the tools read them when an object is made.
struct PanelStyle {
    QString lineWidth; // the line panel's width box, as typed
    TColor lineColor = 0;
    QString boxWidth;  // the box panel's width box, as typed
    TColor boxColor = 0;
    TColor boxFill = 0;
    bool boxFillTransparent = false;
    // The resize keeps the proportions unless this is set.
    bool aspectUnlocked = false;
};

class EditContext
{
public:
    virtual Document &document() = 0;
    virtual Selection &selection() = 0;
    virtual SelectionMarks &marks() = 0;
    virtual ViewState &view() = 0;
    virtual Metrics &metrics() = 0;
    virtual const ViewUnits &units() const = 0;
    virtual PanelStyle panelStyle() const = 0;
    virtual bool nameDisplayOn() const = 0;
    virtual bool answerDisplayOn() const = 0;
    virtual bool multiSelect() const = 0;

    virtual void setTool(const QString &syu) = 0;
    virtual EditTool *currentTool() const = 0;
    virtual SelectTool &selectTool() const = 0;

    // The creation in progress: the pending object and its marker.
    virtual void syncCreation() = 0;
    virtual void endCreation(int page) = 0;
    virtual void emptyNewData(int page) = 0;
    virtual void showMarker(int page, int x, int y) = 0;
    virtual void hideMarker() = 0;
    virtual TColor highlightColor() const = 0;

    // The selection's follow-ups on the panels and the marks.
    virtual void hover(const PageEvent &ev) = 0;
    virtual void showKindPanel(const QString &syu) = 0;
    virtual void refreshEntries() = 0;
    virtual void refreshProperties(int row) = 0;
    virtual void fillProValues() = 0;
    virtual void SetMouseSelect() = 0;
    virtual void showFontSize(int size) = 0;

    // The input windows.
    virtual TFormMoji *formMoji() const = 0;
    virtual TFormSiki *sikiForm() const = 0;
    virtual TOverlayLabel *TextPreview() const = 0;
    virtual PictureDialogs &pictureDialogs() = 0;
    virtual int OpenPicture(const QString &fileName) = 0;
    virtual void EditSelection() = 0;
    virtual void CancelInput() = 0;

protected:
    ~EditContext() = default;
};
