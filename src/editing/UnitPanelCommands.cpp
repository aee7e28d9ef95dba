#include "editing/UnitPanelCommands.h"
#include "editing/UnitArrange.h"
#include "editing/UnitColorMenus.h"
#include "editing/UnitEditHost.h"
#include "editing/UnitEditPanels.h"
#include "editing/UnitFontList.h"
#include "editing/UnitObjectCommands.h"
#include "editing/UnitPro.h"
#include "editing/UnitSelect.h"
#include "editing/UnitToggle.h"
#include "render/UnitMetrics.h"

TPanelCommands::TPanelCommands(Document &doc, Metrics &metrics, EditHost &host,
                               TEditController &ctl, TEditPanels &panels, QWidget *window,
                               const QStringList &fontNames)
    : QObject(window), mDoc(doc), mMetrics(metrics), mHost(host), mCtl(ctl), mPanels(panels)
{
    mOwnChooser = std::make_unique<DialogColorChooser>(window);
    mChooser = mOwnChooser.get();
    mMenus = new TColorMenus(window);
    mFontList = new TFontNameList(mPanels.MemoFontName, mPanels.SpeedButtonFontName, fontNames);

    auto popup = [](QMenu *menu) { return [menu](QPoint at) { menu->popup(at); }; };
    connect(mPanels.PanelFCMo, &TEditSwatch::clicked, this, popup(mMenus->PopupMenuFCMo));
    connect(mPanels.PanelBCMo, &TEditSwatch::clicked, this, popup(mMenus->PopupMenuBCMo));
    connect(mPanels.PanelColorLine, &TEditSwatch::clicked, this, popup(mMenus->PopupMenuFCLine));
    connect(mPanels.PanelColorBox, &TEditSwatch::clicked, this, popup(mMenus->PopupMenuColorBox));
    connect(mPanels.PanelColorBoxFull, &TEditSwatch::clicked, this,
            popup(mMenus->PopupMenuColorBox));

    connect(mMenus->FCMoSet, &QAction::triggered, this, &TPanelCommands::FCMoSetClick);
    connect(mMenus->FCMoBlack, &QAction::triggered, this, &TPanelCommands::FCMoBlackClick);
    connect(mMenus->BCMoSet, &QAction::triggered, this, &TPanelCommands::BCMoSetClick);
    connect(mMenus->BCMoNone, &QAction::triggered, this, &TPanelCommands::BCMoNoneClick);
    connect(mMenus->LineSet, &QAction::triggered, this, &TPanelCommands::LineSetClick);
    connect(mMenus->BoxSet, &QAction::triggered, this, &TPanelCommands::BoxSetClick);
    connect(mMenus->BoxNone, &QAction::triggered, this, &TPanelCommands::BoxNoneClick);
    connect(mMenus->BoxFullSet, &QAction::triggered, this, &TPanelCommands::BoxFullSetClick);
    connect(mMenus->BoxFullNone, &QAction::triggered, this, &TPanelCommands::BoxFullNoneClick);

    connect(mPanels.MemoFS, &QLineEdit::returnPressed, this, &TPanelCommands::MemoFSEnter);
    connect(mPanels.UpDownFSMo, &TUpDown::stepped, this, &TPanelCommands::UpDownFSMoClick);
    connect(mPanels.MemoLineSize, &QLineEdit::returnPressed, this,
            &TPanelCommands::MemoLineSizeEnter);
    connect(mPanels.UpDownLineSize, &TUpDown::stepped, this, &TPanelCommands::UpDownLineSizeClick);
    connect(mPanels.MemoBoxSize, &QLineEdit::returnPressed, this,
            &TPanelCommands::MemoBoxSizeEnter);
    connect(mPanels.UpDownBoxSize, &TUpDown::stepped, this, &TPanelCommands::UpDownBoxSizeClick);
    connect(mPanels.MemoFontName, &QLineEdit::returnPressed, this,
            &TPanelCommands::MemoFontNameEnter);
    connect(mPanels.SpeedButtonFontName, &QToolButton::clicked, mFontList,
            &TFontNameList::SpeedButtonFontNameClick);
    connect(mFontList, &TFontNameList::fontChosen, this, &TPanelCommands::FontNameChosen);

    const std::pair<QToolButton *, FontStyle> styles[] = {
        {mPanels.SpeedButtonBold, FontStyle::Bold},
        {mPanels.SpeedButtonItalic, FontStyle::Italic},
        {mPanels.SpeedButtonUnder, FontStyle::Underline},
        {mPanels.SpeedButtonStrike, FontStyle::Strike}};
    for (const auto &[button, style] : styles) {
        QToolButton *b = button;
        const FontStyle s = style;
        ConnectToggle(b, this, [this, s](bool down) { StyleClick(s, down); });
    }
}

TPanelCommands::~TPanelCommands() = default;

void TPanelCommands::setColorChooser(ColorChooser *chooser)
{
    mChooser = chooser ? chooser : mOwnChooser.get();
}

void TPanelCommands::connectPro(TFormPro *pro)
{
    mPro = pro;
    connect(pro, &TFormPro::Setting, this, &TPanelCommands::ProSetting);
    connect(&mCtl, &TEditController::proValuesChanged, pro, [this] {
        const RProValues &v = mCtl.proValues();
        if (v.valid && mPro)
            mPro->fill(v.X1, v.Y1, v.X2, v.Y2, v.Width, v.Height);
    });
}

void TPanelCommands::connectMove(TFormMove *move)
{
    connect(move, &TFormMove::nudge, this, &TPanelCommands::Nudge);
}

bool TPanelCommands::run(const QString &text, const RStyleChange &change, bool fit)
{
    auto command = std::make_unique<RestyleObjectsCommand>(mDoc, text, mCtl.selection().entries(),
                                                           change, fit ? &mMetrics : nullptr);
    if (!command->applies())
        return false;
    const bool pushed = mDoc.push(std::move(command));
    if (!mCtl.selection().isEmpty())
        mCtl.refreshSelectionMarks();
    return pushed;
}

std::optional<TColor> TPanelCommands::askColor(TColor initial)
{
    return mChooser->choose(initial);
}

// ---------------------------------------------------------------- colours

void TPanelCommands::FCMoSetClick()
{
    const std::optional<TColor> c = askColor(mPanels.PanelFCMo->color());
    if (!c)
        return;
    mPanels.PanelFCMo->setColor(*c);
    run(QStringLiteral("文字の色"), RStyleChange::foreColor(*c), false);
}

void TPanelCommands::FCMoBlackClick()
{
    mPanels.PanelFCMo->setColor(0);
    run(QStringLiteral("文字の色"), RStyleChange::foreColor(0), false);
}

void TPanelCommands::BCMoSetClick()
{
    const std::optional<TColor> c = askColor(mPanels.PanelBCMo->color());
    if (!c)
        return;
    mPanels.PanelBCMo->setColor(*c);
    mPanels.PanelBCMo->setTransparentShown(false);
    run(QStringLiteral("文字の背景色"), RStyleChange::backColor(*c), false);
}

void TPanelCommands::BCMoNoneClick()
{
    mPanels.PanelBCMo->setColor(PanelColor());
    mPanels.PanelBCMo->setTransparentShown(true);
    run(QStringLiteral("文字の背景色"), RStyleChange::noBackColor(), false);
}

void TPanelCommands::LineSetClick()
{
    const std::optional<TColor> c = askColor(mPanels.PanelColorLine->color());
    if (!c)
        return;
    mPanels.PanelColorLine->setColor(*c);
    run(QStringLiteral("線の色"), RStyleChange::foreColor(*c), false);
}

void TPanelCommands::BoxSetClick()
{
    const std::optional<TColor> c = askColor(mPanels.PanelColorBox->color());
    if (!c)
        return;
    mPanels.PanelColorBox->setColor(*c);
    run(QStringLiteral("四角の周りの色"), RStyleChange::foreColor(*c), false);
}

void TPanelCommands::BoxNoneClick()
{
    // "No border" is a border in the fill's colour.
    const TColor fill = mPanels.PanelColorBoxFull->color();
    mPanels.PanelColorBox->setColor(fill);
    run(QStringLiteral("四角の周りの色"), RStyleChange::foreColor(fill), false);
}

void TPanelCommands::BoxFullSetClick()
{
    const std::optional<TColor> c = askColor(mPanels.PanelColorBoxFull->color());
    if (!c)
        return;
    mPanels.PanelColorBoxFull->setColor(*c);
    mPanels.PanelColorBoxFull->setTransparentShown(false);
    run(QStringLiteral("四角の塗りつぶしの色"), RStyleChange::backColor(*c), false);
}

void TPanelCommands::BoxFullNoneClick()
{
    mPanels.PanelColorBoxFull->setColor(PanelColor());
    mPanels.PanelColorBoxFull->setTransparentShown(true);
    run(QStringLiteral("四角の塗りつぶしの色"), RStyleChange::noBackColor(), false);
}

// ---------------------------------------------------------------- sizes

void TPanelCommands::MemoFSEnter()
{
    const std::optional<Integer> size = FontSizeFromEnter(mPanels.MemoFS->text());
    if (!size)
        return;
    run(QStringLiteral("フォントサイズ"), RStyleChange::firstFontSize(*size), true);
}

void TPanelCommands::UpDownFSMoClick(bool up)
{
    const Integer size = StepFontSize(mPanels.MemoFS->text(), up);
    mPanels.MemoFS->setText(QString::number(size));
    run(QStringLiteral("フォントサイズ"), RStyleChange::fontSize(size), true);
}

void TPanelCommands::MemoLineSizeEnter()
{
    const Integer w = IntegerFromText(mPanels.MemoLineSize->text());
    run(QStringLiteral("線の太さ"), RStyleChange::firstFontSize(w, QStringLiteral("2")), false);
}

void TPanelCommands::UpDownLineSizeClick(bool up)
{
    mPanels.MemoLineSize->setText(QString::number(StepPenWidth(mPanels.MemoLineSize->text(), up)));
    MemoLineSizeEnter();
}

void TPanelCommands::MemoBoxSizeEnter()
{
    const Integer w = IntegerFromText(mPanels.MemoBoxSize->text());
    run(QStringLiteral("四角の線の太さ"), RStyleChange::firstFontSize(w, QStringLiteral("3")),
        false);
}

void TPanelCommands::UpDownBoxSizeClick(bool up)
{
    mPanels.MemoBoxSize->setText(QString::number(StepPenWidth(mPanels.MemoBoxSize->text(), up)));
    MemoBoxSizeEnter();
}

// ---------------------------------------------------------------- font

void TPanelCommands::MemoFontNameEnter()
{
    // A typed name is for new objects; the selection is only measured again.
    run(QStringLiteral("フォント"), RStyleChange::measure(), true);
}

void TPanelCommands::FontNameChosen(const QString &name)
{
    run(QStringLiteral("フォント"), RStyleChange::fontName(name), true);
}

void TPanelCommands::StyleClick(FontStyle style, bool down)
{
    static const QString names[] = {QStringLiteral("太字"), QStringLiteral("斜体"),
                                    QStringLiteral("下線"), QStringLiteral("取り消し線")};
    run(names[int(style)], RStyleChange::fontStyle(style, down), true);
}

// ---------------------------------------------------------------- dialogs

void TPanelCommands::ProSetting()
{
    if (!mPro)
        return;
    const Integer x1 = IntegerFromText(mPro->MemoX1->text());
    const Integer y1 = IntegerFromText(mPro->MemoY1->text());
    const Integer x2 = IntegerFromText(mPro->MemoX2->text());
    const Integer y2 = IntegerFromText(mPro->MemoY2->text());
    const Integer w = IntegerFromText(mPro->MemoW->text());
    const Integer h = IntegerFromText(mPro->MemoH->text());
    const RCoordinates values{x1, y1, x2, y2, w, h};
    if (mCtl.selection().isEmpty())
        return;
    if (mDoc.push(
            std::make_unique<SetCoordinatesCommand>(mDoc, mCtl.selection().entries(), values)))
        mCtl.refreshSelectionMarks();
}

void TPanelCommands::Nudge(int dy)
{
    if (mDoc.push(std::make_unique<ShiftAllObjectsCommand>(mDoc, dy)) &&
        !mCtl.selection().isEmpty())
        mCtl.refreshSelectionMarks();
}
