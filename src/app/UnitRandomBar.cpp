#include "app/UnitRandomBar.h"

#include "app/Unit1.h"
#include "app/UnitEditWiring.h"
#include "app/UnitPageButtons.h"
#include "editing/UnitSelect.h"
#include "math/UnitRegenerate.h"
#include "math/UnitSiki.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QStatusBar>
#include <QStyle>

TRandomBar::TRandomBar(TForm1 &form, TFormSiki &siki, TEditController *controller)
    : QToolBar(QStringLiteral("ランダム"), &form), mForm(form), mSiki(siki), mController(controller)
{
    setMovable(false);
    // The label, the button and the progress bar sit in one row widget of
    // their own: a tool button put straight on a tool bar is drawn flat,
    // like the label beside it, and a teacher's click would miss it.
    auto *row = new QWidget(this);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(2, 0, 2, 0);
    layout->setSpacing(4);
    layout->addWidget(new QLabel(QStringLiteral("ランダム"), row));
    SpeedButton24 = new QToolButton(row);
    SpeedButton24->setText(QStringLiteral("作成"));
    SpeedButton24->setToolTip(QStringLiteral("ランダムの問題を新しい数で作り直します"));
    SpeedButton24->setAccessibleName(QStringLiteral("作成"));
    SpeedButton24->setAccessibleDescription(
        QStringLiteral("ランダムの問題を新しい数で作り直します"));
    SpeedButton24->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
    SpeedButton24->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    SpeedButton24->setAutoRaise(false);
    SpeedButton24->setCursor(Qt::PointingHandCursor);
    layout->addWidget(SpeedButton24);
    ProgressBar1 = new QProgressBar(row);
    ProgressBar1->setAccessibleName(QStringLiteral("ランダム作成の進み具合"));
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setFixedWidth(120);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    layout->addWidget(ProgressBar1);
    row->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    addWidget(row);
    connect(SpeedButton24, &QToolButton::clicked, this, [this] { SpeedButton24Click(); });
}

QString RandomRunMessage(int written, int randomRows)
{
    if (randomRows == 0)
        return QStringLiteral("作り直すランダムの問題がありません。");
    if (written == randomRows)
        return QStringLiteral("ランダムの問題を %1 問作りました。").arg(written);
    return QStringLiteral("ランダムの問題を %1 問作りました（%2 問は条件に合う問題が見つからず、"
                          "前のままです）。")
        .arg(written)
        .arg(randomRows - written);
}

int TRandomBar::SpeedButton24Click()
{
    int randomRows = 0;
    for (const RAData &r : mForm.doc().AData)
        if (r.Syu == u"5" && r.Rand == 1)
            ++randomRows;
    // The whole run is one undoable command: one undo brings every problem
    // of the sheet back.
    auto command =
        std::make_unique<RegenerateCommand>(mForm.doc(), mSiki, [this](int position, int maximum) {
            ProgressBar1->setRange(0, std::max(maximum, 1));
            ProgressBar1->setValue(position);
            ProgressBar1->repaint();
        });
    command->performFirst();
    const int written = command->written();
    mForm.doc().push(std::move(command));
    ProgressBar1->setValue(ProgressBar1->maximum());
    ProgressBar1->repaint();
    if (mController)
        mController->SikiWritten(-1); // drops the placement cross, places the marks
    else
        mForm.Redraw();
    ProgressBar1->setValue(0);
    mForm.statusBar()->showMessage(RandomRunMessage(written, randomRows), StatusMessageTime);
    emit regenerated();
    return written;
}

TRandomBar *InstallRandomBar(TForm1 &form)
{
    if (form.randomBar())
        return form.randomBar();
    const EditingParts &parts = form.editing();
    if (!parts.siki)
        return nullptr;
    auto *bar = new TRandomBar(form, *parts.siki, parts.controller);
    // First on the row of the tool panels: nothing before it changes width
    // when a tool or a selection shows another panel, so "作成" stays where
    // the teacher's hand expects it.
    if (parts.panelBar)
        form.insertToolBar(parts.panelBar, bar);
    else
        form.addToolBar(bar);
    QObject::connect(form.pageButtons()->SpeedButtonRandom, &QToolButton::clicked, bar,
                     [bar] { bar->SpeedButton24Click(); });
    form.setRandomBar(bar);
    return bar;
}
