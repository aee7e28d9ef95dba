#include "app/UnitRandomBar.h"

#include "app/Unit1.h"
#include "app/UnitEditWiring.h"
#include "app/UnitPageButtons.h"
#include "editing/UnitSelect.h"
#include "math/UnitRegenerate.h"
#include "math/UnitSiki.h"

#include <QLabel>

TRandomBar::TRandomBar(TForm1 &form, TFormSiki &siki, TEditController *controller)
    : QToolBar(QStringLiteral("ランダム"), &form), mForm(form), mSiki(siki), mController(controller)
{
    setMovable(false);
    addWidget(new QLabel(QStringLiteral("ランダム"), this));
    SpeedButton24 = new QToolButton(this);
    SpeedButton24->setText(QStringLiteral("作成"));
    SpeedButton24->setToolTip(QStringLiteral("作成"));
    SpeedButton24->setAccessibleName(QStringLiteral("作成"));
    addWidget(SpeedButton24);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setAccessibleName(QStringLiteral("ランダム作成の進み具合"));
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setFixedWidth(120);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    addWidget(ProgressBar1);
    connect(SpeedButton24, &QToolButton::clicked, this, [this] { SpeedButton24Click(); });
}

int TRandomBar::SpeedButton24Click()
{
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
        mController->SikiWritten(-1); // drops the placement cross, redraws, places the marks
    else
        mForm.Redraw();
    ProgressBar1->setValue(0);
    return written;
}

TRandomBar *InstallRandomBar(TForm1 &form)
{
    if (auto *existing = form.findChild<TRandomBar *>(QString(), Qt::FindDirectChildrenOnly))
        return existing;
    const EditingParts parts = EditingOf(form);
    if (!parts.siki)
        return nullptr;
    auto *bar = new TRandomBar(form, *parts.siki, parts.controller);
    form.addToolBar(bar);
    QObject::connect(form.pageButtons()->SpeedButtonRandom, &QToolButton::clicked, bar,
                     [bar] { bar->SpeedButton24Click(); });
    return bar;
}
