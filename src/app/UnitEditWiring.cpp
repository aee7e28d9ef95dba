#include "app/UnitEditWiring.h"
#include "app/Unit1.h"
#include "app/UnitPageView.h"
#include "app/UnitViewControls.h"
#include "editing/UnitSelect.h"
#include "math/UnitSiki.h"
#include "render/UnitRender.h"

#include <QAction>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QToolBar>

namespace
{

// The main window as the controller sees it.
class FormEditHost : public QObject, public EditHost
{
public:
    explicit FormEditHost(TForm1 &form) : QObject(&form), mForm(form) { setObjectName(HostName); }
    static inline const QString HostName = QStringLiteral("TavenorEditingHost");

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
    void setPageCursor(Qt::CursorShape shape) override
    {
        if (TPageArea *area = mForm.pageArea())
            for (TPagePanel *p : area->PanelP)
                p->setCursor(shape);
    }
    QWidget *dialogParent() const override { return &mForm; }

    EditingParts parts;

private:
    TForm1 &mForm;
};

// The host is found again by its name: it is a plain QObject subclass
// without meta-object of its own, so a typed search could not tell it apart.
FormEditHost *hostOf(TForm1 &form)
{
    return static_cast<FormEditHost *>(
        form.findChild<QObject *>(FormEditHost::HostName, Qt::FindDirectChildrenOnly));
}

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

} // namespace

EditingParts EditingOf(TForm1 &form)
{
    FormEditHost *host = hostOf(form);
    return host ? host->parts : EditingParts{};
}

EditingParts InstallEditing(TForm1 &form, TFormSiki *siki)
{
    if (FormEditHost *existing = hostOf(form))
        return existing->parts;

    auto *host = new FormEditHost(form);
    EditingParts &parts = host->parts;
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
    parts.controller->LabelMColor = form.settings().LabelMColor;
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
    QObject::connect(area, &TPageArea::mousePressed, c,
                     [c](int page, QPoint pos, Qt::MouseButton, Qt::KeyboardModifiers) {
                         c->ImageMouseDown(page, pos);
                     });
    QObject::connect(area, &TPageArea::mouseMoved, c,
                     [c](int page, QPoint pos, Qt::MouseButtons) { c->ImageMouseMove(page, pos); });
    QObject::connect(area, &TPageArea::mouseReleased, c,
                     [c](int page, QPoint pos, Qt::MouseButton) { c->ImageMouseUp(page, pos); });
    QObject::connect(area, &TPageArea::mouseDoubleClicked, c,
                     [c](int page, QPoint pos) { c->ImageDblClick(page, pos); });

    // The marks follow the zoom: each of the zoom commands runs first (it
    // was connected first), then the marks are placed again.
    if (form.zoomBox())
        QObject::connect(form.zoomBox(), &QLineEdit::returnPressed, c,
                         &TEditController::ViewChanged);
    QObject::connect(area, &TPageArea::zoomWheel, c, &TEditController::ViewChanged);
    if (form.MenuView)
        QObject::connect(form.MenuView, &QMenu::triggered, c, &TEditController::ViewChanged);
    // The selection goes with the worksheet (StartNewWorksheet, and
    // ApplyLoadedPaper after an open), not when "新規作成" or "開く" is cancelled.

    if (form.MenuTest) {
        form.MenuTest->addAction(QStringLiteral("解答配置表示"), c,
                                 [c] { c->PlaceButtonObject(QStringLiteral("b")); });
        form.MenuTest->addAction(QStringLiteral("ランダム配置"), c,
                                 [c] { c->PlaceButtonObject(QStringLiteral("r")); });
    }
    return parts;
}
