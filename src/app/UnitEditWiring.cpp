#include "app/UnitEditWiring.h"
#include "app/Unit1.h"
#include "app/UnitArrangeWiring.h"
#include "app/UnitPageView.h"
#include "app/UnitViewControls.h"
#include "editing/UnitPageRedraws.h"
#include "editing/UnitSelect.h"
#include "math/UnitSiki.h"
#include "render/UnitRender.h"

#include <QAction>
#include <QCursor>
#include <QApplication>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>
#include <QUndoStack>

namespace
{

// The main window as the controller sees it.
class FormEditHost : public QObject, public EditHost
{
public:
    explicit FormEditHost(TForm1 &form) : QObject(&form), mForm(form) {}

    Fixed4 gamenBai() const override { return mForm.settings().GamenBai; }
    bool answerDisplayOn() const override
    {
        return mForm.viewControls() && mForm.viewControls()->answerDisplayOn();
    }
    bool nameDisplayOn() const override
    {
        return mForm.viewControls() && mForm.viewControls()->nameDisplayOn();
    }
    QWidget *pagePanel(int page) const override
    {
        TPageArea *area = mForm.pageArea();
        if (!area || page < 0 || page >= area->PanelP.size())
            return nullptr;
        return area->PanelP[page];
    }
    void redraw() override { mForm.Redraw(); }
    void redrawPages(const QSet<int> &pages) override { mForm.RedrawPages(pages); }
    void showArea(int page, const QRect &pixels) override
    {
        TPageArea *area = mForm.pageArea();
        if (!area || page < 0 || page >= area->PanelP.size())
            return;
        const QPoint centre = pixels.center();
        area->ensureWidgetVisible(area->PanelP[page], 0, 0);
        area->ensureVisible(area->PanelP[page]->x() + centre.x(),
                            area->PanelP[page]->y() + centre.y(), pixels.width() / 2 + 20,
                            pixels.height() / 2 + 20);
    }
    void setPageCursor(Qt::CursorShape shape) override
    {
        if (TPageArea *area = mForm.pageArea())
            for (TPagePanel *p : area->PanelP)
                p->setCursor(shape);
    }
    QWidget *dialogParent() const override { return &mForm; }

private:
    TForm1 &mForm;
};

// The bar of tool panels is as high as its highest panel, whichever panel
// is shown or none, so that the page below never moves under the pointer
// when a selection or a tool shows or hides one.
void keepPanelRowHeight(TEditPanels &panels)
{
    int h = 0;
    for (QWidget *panel : {panels.PanelMoji, panels.PanelLine, panels.PanelBox, panels.PanelPic})
        h = std::max(h, panel->sizeHint().height());
    if (QLayout *row = panels.PanelRow->layout())
        h += row->contentsMargins().top() + row->contentsMargins().bottom();
    panels.PanelRow->setFixedHeight(std::max(h, panels.PanelRow->sizeHint().height()));
}

EditPanelDefaults defaultsFrom(const TEditorSettings &s)
{
    EditPanelDefaults d;
    d.FontName = s.FontName;
    d.FontSize = s.FontSize;
    d.LineWidth = s.LineWidth;
    d.BoxWidth = s.BoxWidth;
    d.TextColor = s.TextColor;
    d.TextBackOn = s.TextBackOn;
    d.LineColor = s.LineColor;
    d.BoxLineColor = s.BoxLineColor;
    d.BoxFillOn = s.BoxFillOn;
    return d;
}

QIcon iconFor(const QString &themeName, QStyle::StandardPixmap fallback)
{
    return QIcon::fromTheme(themeName, QApplication::style()->standardIcon(fallback));
}

// An undo or redo action whose caption names the command it would undo
// ("元に戻す: 移動") and which is enabled only when there is one.
QAction *stackAction(QUndoStack &stack, bool undo, QObject *parent)
{
    const QString base = undo ? QStringLiteral("元に戻す") : QStringLiteral("やり直し");
    auto *action = new QAction(base, parent);
    action->setIcon(undo ? iconFor(QStringLiteral("edit-undo"), QStyle::SP_ArrowBack)
                         : iconFor(QStringLiteral("edit-redo"), QStyle::SP_ArrowForward));
    auto update = [action, base, &stack, undo] {
        const QString name = undo ? stack.undoText() : stack.redoText();
        const bool can = undo ? stack.canUndo() : stack.canRedo();
        const QString caption = can && !name.isEmpty() ? base + QStringLiteral(": ") + name : base;
        action->setText(caption);
        action->setToolTip(caption);
        action->setEnabled(can);
    };
    update();
    QObject::connect(&stack, &QUndoStack::indexChanged, action, update);
    QObject::connect(&stack, &QUndoStack::cleanChanged, action, update);
    if (undo) {
        action->setShortcut(QKeySequence::Undo);
        QObject::connect(action, &QAction::triggered, &stack, &QUndoStack::undo);
    } else {
        action->setShortcuts(
            {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
        QObject::connect(action, &QAction::triggered, &stack, &QUndoStack::redo);
    }
    return action;
}

} // namespace

EditingParts InstallEditing(TForm1 &form, TFormSiki *siki)
{
    if (form.editing().host)
        return form.editing();

    auto *host = new FormEditHost(form);
    EditingParts parts;
    parts.host = host;
    parts.redraws = new PageRedraws(form.doc(), *host, &form);
    parts.panels = new TEditPanels(defaultsFrom(form.settings()), &form);

    parts.toolBar = form.addToolBar(QStringLiteral("ツール"));
    parts.toolBar->setMovable(false);
    parts.toolBar->addWidget(parts.panels->ToolRow);
    form.addToolBarBreak();
    parts.panelBar = form.addToolBar(QStringLiteral("プロパティ"));
    parts.panelBar->setMovable(false);
    parts.panelBar->addWidget(parts.panels->PanelRow);
    keepPanelRowHeight(*parts.panels);

    parts.controller = new TEditController(form.doc(), form.viewState(), form.renderer().metrics(),
                                           *host, *parts.panels, &form);
    parts.controller->marks().setLabelMColor(form.settings().LabelMColor);
    if (!siki) {
        siki = new TFormSiki(form.doc(), &form);
        siki->setWindowFlag(Qt::Window);
        siki->SyokiForm();
    }
    parts.siki = siki;
    parts.controller->setSikiForm(siki);

    TEditController *c = parts.controller;
    QObject::connect(c, &TEditController::toolChanged, &form,
                     [&form](const QString &syu) { form.settings().ToolSyu = syu; });
    TPageArea *area = form.pageArea();
    // The right button opens the page's context menu (below); the others edit.
    QObject::connect(area, &TPageArea::mousePressed, c,
                     [c](int page, QPoint pos, Qt::MouseButton button, Qt::KeyboardModifiers) {
                         if (button != Qt::RightButton)
                             c->ImageMouseDown(page, pos);
                     });
    QObject::connect(area, &TPageArea::mouseMoved, c,
                     [c](int page, QPoint pos, Qt::MouseButtons) { c->ImageMouseMove(page, pos); });
    QObject::connect(area, &TPageArea::mouseReleased, c,
                     [c](int page, QPoint pos, Qt::MouseButton button) {
                         if (button != Qt::RightButton)
                             c->ImageMouseUp(page, pos);
                     });
    QObject::connect(area, &TPageArea::keyPressed, c,
                     [c](int key, Qt::KeyboardModifiers mods, bool &handled) {
                         handled = c->KeyPress(key, mods);
                     });
    QObject::connect(area, &TPageArea::mouseDoubleClicked, c,
                     [c](int page, QPoint pos) { c->ImageDblClick(page, pos); });

    // The marks follow the zoom once the window has laid out and drawn the
    // pages at it.
    QObject::connect(&form, &TForm1::zoomChanged, c, &TEditController::ViewChanged);
    // The selection goes with the worksheet (StartNewWorksheet, and
    // ApplyLoadedPaper after an open), not when "新規作成" or "開く" is cancelled.

    // "編集": undo and redo of the worksheet's stack, also on the tool bar.
    QUndoStack &stack = form.doc().undoStack();
    parts.undoAction = stackAction(stack, true, &form);
    parts.redoAction = stackAction(stack, false, &form);
    parts.editMenu = new QMenu(QStringLiteral("編集"), &form);
    parts.editMenu->addAction(parts.undoAction);
    parts.editMenu->addAction(parts.redoAction);
    parts.editMenu->addSeparator();
    auto editAction = [&](const QString &caption, const QList<QKeySequence> &keys, auto slot) {
        QAction *a = parts.editMenu->addAction(caption, c, slot);
        a->setShortcuts(keys);
        a->setShortcutContext(Qt::WindowShortcut);
        return a;
    };
    const QList<QAction *> objectActions = {
        editAction(QStringLiteral("切り取り"), {QKeySequence::Cut}, &TEditController::CutSelection),
        editAction(QStringLiteral("コピー"), {QKeySequence::Copy}, &TEditController::CopySelection),
        editAction(QStringLiteral("貼り付け"), {QKeySequence::Paste},
                   &TEditController::PasteClipboard),
        editAction(QStringLiteral("複製"), {QKeySequence(Qt::CTRL | Qt::Key_D)},
                   &TEditController::DuplicateSelection),
        editAction(QStringLiteral("削除"), {QKeySequence::Delete, QKeySequence(Qt::Key_Backspace)},
                   &TEditController::DataSakujo1)};
    editAction(QStringLiteral("すべて選択"), {QKeySequence::SelectAll},
               &TEditController::SelectAllOnPage);
    parts.editMenu->addSeparator();
    // A set of problems like the selected one, in one step.
    parts.setAction = parts.editMenu->addAction(QStringLiteral("この問題をまとめて配置…"), c,
                                                [c] { c->PlaceSetOfSelection(); });
    parts.setAction->setEnabled(false);
    QObject::connect(c, &TEditController::selectionChanged, parts.setAction,
                     [c, a = parts.setAction] { a->setEnabled(c->selectedProblem() >= 0); });

    // A ready name header at the top of the active page, in either style.
    parts.nameHeaderMenu = parts.editMenu->addMenu(QStringLiteral("名前欄を追加"));
    parts.nameHeaderMenu->menuAction()->setToolTip(QStringLiteral("名前欄を追加"));
    const QList<std::pair<QString, NameHeaderStyle>> headerStyles = {
        {QStringLiteral("1行"), NameHeaderStyle::OneLine},
        {QStringLiteral("点数の丸つき"), NameHeaderStyle::ScoreCircle}};
    for (const auto &[caption, style] : headerStyles) {
        QAction *a = parts.nameHeaderMenu->addAction(caption, c, [c, &form, style = style] {
            c->AddNameHeader(style);
            form.TakeKeysBack();
        });
        a->setToolTip(QStringLiteral("名前欄を追加: ") + caption);
    }
    // Another worksheet may come with another grade, and so another start size.
    QObject::connect(&form, &TForm1::worksheetReplaced, c, &TEditController::FollowGrade);
    c->FollowGrade();

    // The page's context menu: the object's edits, at the mouse.
    parts.pageMenu = new QMenu(&form);
    parts.pageMenu->addActions(objectActions);
    parts.pageMenu->addSeparator();
    parts.pageMenu->addAction(parts.setAction);
    QObject::connect(area, &TPageArea::mousePressed, c,
                     [c, menu = parts.pageMenu](int page, QPoint pos, Qt::MouseButton button,
                                                Qt::KeyboardModifiers) {
                         if (button != Qt::RightButton)
                             return;
                         c->ContextPress(page, pos);
                         menu->popup(QCursor::pos());
                     });
    if (form.MenuView)
        form.menuBar()->insertMenu(form.MenuView->menuAction(), parts.editMenu);
    else
        form.menuBar()->addMenu(parts.editMenu);
    form.addAction(parts.undoAction);
    form.addAction(parts.redoAction);
    QAction *firstTool = parts.toolBar->actions().value(0);
    parts.toolBar->insertAction(firstTool, parts.undoAction);
    parts.toolBar->insertAction(firstTool, parts.redoAction);
    parts.toolBar->insertSeparator(firstTool);

    if (form.MenuTest) {
        form.MenuTest->addAction(QStringLiteral("解答配置表示"), c,
                                 [c] { c->PlaceButtonObject(QStringLiteral("b")); });
        form.MenuTest->addAction(QStringLiteral("ランダム配置"), c,
                                 [c] { c->PlaceButtonObject(QStringLiteral("r")); });
    }
    InstallArrangement(form, parts);
    form.setEditing(parts);
    return parts;
}
