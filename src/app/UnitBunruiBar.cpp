#include "app/UnitBunruiBar.h"

#include "app/Unit1.h"
#include "document/UnitBunruiCommand.h"
#include "document/UnitData.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QToolBar>
#include <QUndoStack>

TBunruiBar::TBunruiBar(Document &doc, QObject *parent) : QObject(parent), mDoc(doc)
{
    Bar = new QToolBar(QStringLiteral("分類"));
    Bar->setObjectName(QStringLiteral("BunruiBar"));
    Bar->setMovable(false);
    ComboNen = new QComboBox(Bar);
    ComboNen->setAccessibleName(QStringLiteral("学年"));
    ComboNen->setToolTip(QStringLiteral("学年"));
    ComboNen->setMinimumWidth(70);
    ComboKyouka = new QComboBox(Bar);
    ComboKyouka->setAccessibleName(QStringLiteral("教科"));
    ComboKyouka->setToolTip(QStringLiteral("教科"));
    ComboKyouka->setMinimumWidth(80);
    EditNaiyou = new QLineEdit(Bar);
    EditNaiyou->setAccessibleName(QStringLiteral("内容"));
    EditNaiyou->setToolTip(QStringLiteral("内容"));
    EditNaiyou->setMinimumWidth(240);
    Bar->addWidget(new QLabel(QStringLiteral(" 学年 "), Bar));
    Bar->addWidget(ComboNen);
    Bar->addWidget(new QLabel(QStringLiteral(" 教科 "), Bar));
    Bar->addWidget(ComboKyouka);
    Bar->addWidget(new QLabel(QStringLiteral(" 内容 "), Bar));
    Bar->addWidget(EditNaiyou);
    connect(ComboNen, &QComboBox::activated, this, &TBunruiBar::ApplyBoxes);
    connect(ComboKyouka, &QComboBox::activated, this, &TBunruiBar::ApplyBoxes);
    connect(EditNaiyou, &QLineEdit::editingFinished, this, &TBunruiBar::ApplyBoxes);
}

void TBunruiBar::SyokiForm()
{
    const QSignalBlocker a(ComboNen), b(ComboKyouka), c(EditNaiyou);
    ComboNen->clear();
    ComboNen->addItems(mDoc.BunruiData.Nen);
    ComboNen->setCurrentIndex(0);
    ComboKyouka->clear();
    ComboKyouka->addItems(mDoc.BunruiData.Kyouka);
    ComboKyouka->setCurrentIndex(0);
    EditNaiyou->clear();
}

void TBunruiBar::ShowDocument()
{
    const QSignalBlocker a(ComboNen), b(ComboKyouka), c(EditNaiyou);
    // An index outside the lists (a damaged header) shows as entry 0 but is
    // kept in the document until the teacher chooses another.
    const int nen = mDoc.NenIndex;
    const int kyouka = mDoc.KyoukaIndex;
    ComboNen->setCurrentIndex(nen >= 0 && nen < ComboNen->count() ? nen : 0);
    ComboKyouka->setCurrentIndex(kyouka >= 0 && kyouka < ComboKyouka->count() ? kyouka : 0);
    if (EditNaiyou->text() != mDoc.Naiyou)
        EditNaiyou->setText(mDoc.Naiyou);
}

void TBunruiBar::ApplyBoxes()
{
    // The content is one header line: line breaks cannot be stored in it.
    QString naiyou = EditNaiyou->text();
    naiyou.replace(QLatin1Char('\r'), QLatin1Char(' '));
    naiyou.replace(QLatin1Char('\n'), QLatin1Char(' '));
    const int shownNen =
        mDoc.NenIndex >= 0 && mDoc.NenIndex < ComboNen->count() ? mDoc.NenIndex : 0;
    const int shownKyouka =
        mDoc.KyoukaIndex >= 0 && mDoc.KyoukaIndex < ComboKyouka->count() ? mDoc.KyoukaIndex : 0;
    const int nen = ComboNen->currentIndex() == shownNen ? mDoc.NenIndex : ComboNen->currentIndex();
    const int kyouka =
        ComboKyouka->currentIndex() == shownKyouka ? mDoc.KyoukaIndex : ComboKyouka->currentIndex();
    const RBunruiValues after{nen, kyouka, naiyou};
    // The stack marks the worksheet changed and takes the change back on
    // undo; a change to the same values pushes nothing.
    mDoc.push(std::make_unique<ChangeBunruiCommand>(mDoc, after));
}

TBunruiBar *InstallBunruiBar(TForm1 &form)
{
    if (form.bunruiBar())
        return form.bunruiBar();
    auto *bar = new TBunruiBar(form.doc(), &form);
    bar->Bar->setParent(&form);
    // A row of its own: the rows above are full of tools.
    form.addToolBarBreak();
    form.addToolBar(bar->Bar);
    bar->SyokiForm();
    bar->ShowDocument();
    QObject::connect(&form, &TForm1::worksheetReplaced, bar, &TBunruiBar::ShowDocument);
    // Undo and redo of a change bring the boxes along.
    QObject::connect(&form.doc().events(), &DocumentEvents::changed, bar,
                     [bar] { bar->ShowDocument(); });
    form.setBunruiBar(bar);
    return bar;
}
