// What the property panels do to the selection: the colour menus of the
// swatches, the font-name list, the font-size box and its arrows, the line
// and box width boxes with their arrows, the style toggles, the coordinate
// dialog TFormPro and the nudge window TFormMove. Every change of rows is
// one undoable command on the document's undo stack, named after its
// control; a change that reaches no row pushes nothing. The panels keep
// their values for new objects whatever the selection (a size box steps
// and a swatch takes its colour also with nothing selected).
#pragma once

#include "editing/UnitSelectionCommands.h"

#include <QObject>
#include <memory>

class Document;
class Metrics;
class EditHost;
class TEditController;
class TEditPanels;
class TColorMenus;
class ColorChooser;
class TFontNameList;
class TFormPro;
class TFormMove;
class QWidget;

class TPanelCommands : public QObject
{
    Q_OBJECT
public:
    // Builds the colour menus and the font list for the panels (owned by
    // `window`, which the pop-ups float over).
    TPanelCommands(Document &doc, Metrics &metrics, EditHost &host, TEditController &ctl,
                   TEditPanels &panels, QWidget *window, const QStringList &fontNames);
    ~TPanelCommands() override;

    TColorMenus *menus() const { return mMenus; }
    TFontNameList *fontList() const { return mFontList; }
    // The colour dialog; the platform's one until replaced (tests script it).
    void setColorChooser(ColorChooser *chooser);

    // The coordinate dialog and the nudge window to serve (not owned).
    void connectPro(TFormPro *pro);
    void connectMove(TFormMove *move);

    // Colour menu items.
    void FCMoSetClick();
    void FCMoBlackClick();
    void BCMoSetClick();
    void BCMoNoneClick();
    void LineSetClick();
    void BoxSetClick();
    void BoxNoneClick();
    void BoxFullSetClick();
    void BoxFullNoneClick();

    // Size boxes: Enter and the arrows.
    void MemoFSEnter();
    void UpDownFSMoClick(bool up);
    void MemoLineSizeEnter();
    void UpDownLineSizeClick(bool up);
    void MemoBoxSizeEnter();
    void UpDownBoxSizeClick(bool up);
    // Enter in the font-name box: measures the selection again.
    void MemoFontNameEnter();
    // A name picked from the font list.
    void FontNameChosen(const QString &name);
    // A style toggle, after it changed.
    void StyleClick(FontStyle style, bool down);
    // "Setting" of the coordinate dialog.
    void ProSetting();
    // The nudge window: every object dy units down (negative: up).
    void Nudge(int dy);

private:
    // Pushes the panel change `change` to the selection as the command
    // `text`; `fit` measures the selected texts and problems again.
    bool run(const QString &text, const RStyleChange &change, bool fit);
    std::optional<TColor> askColor(TColor initial);

    Document &mDoc;
    Metrics &mMetrics;
    EditHost &mHost;
    TEditController &mCtl;
    TEditPanels &mPanels;
    TColorMenus *mMenus;
    TFontNameList *mFontList;
    TFormPro *mPro = nullptr;
    std::unique_ptr<ColorChooser> mOwnChooser;
    ColorChooser *mChooser;
};
