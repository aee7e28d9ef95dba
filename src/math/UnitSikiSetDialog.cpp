#include "math/UnitSikiSetDialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

TFormSikiSet::TFormSikiSet(SetPlacer &placer, QWidget *parent) : QDialog(parent), mPlacer(placer)
{
    setWindowTitle(QStringLiteral("まとめて配置 - Tavenor プリント"));
    auto *outer = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    outer->addLayout(form);

    SpinCount = new QSpinBox(this);
    SpinCount->setRange(1, SetMaxCount);
    SpinCount->setValue(20);
    SpinCount->setSuffix(QStringLiteral(" 問"));
    SpinCount->setAccessibleName(QStringLiteral("問題の数"));
    form->addRow(QStringLiteral("問題の数"), SpinCount);

    ComboColumns = new QComboBox(this);
    ComboColumns->addItem(QStringLiteral("自動"));
    for (int c = 1; c <= SetMaxColumns; ++c)
        ComboColumns->addItem(QStringLiteral("%1列").arg(c));
    ComboColumns->setAccessibleName(QStringLiteral("列"));
    form->addRow(QStringLiteral("列"), ComboColumns);

    LabelRows = new QLabel(this);
    LabelRows->setAccessibleName(QStringLiteral("行"));
    form->addRow(QStringLiteral("行"), LabelRows);

    ComboArea = new QComboBox(this);
    ComboArea->addItems({QStringLiteral("いちばん下の部品より下"), QStringLiteral("ページ全体")});
    ComboArea->setAccessibleName(QStringLiteral("範囲"));
    ComboArea->setToolTip(QStringLiteral("印刷できる範囲のうち、問題を並べるところ"));
    form->addRow(QStringLiteral("範囲"), ComboArea);

    ComboNumbering = new QComboBox(this);
    ComboNumbering->addItems({QStringLiteral("(1)"), QStringLiteral("①"), QStringLiteral("1."),
                              QStringLiteral("なし")});
    ComboNumbering->setAccessibleName(QStringLiteral("番号"));
    form->addRow(QStringLiteral("番号"), ComboNumbering);

    SpinGap = new QSpinBox(this);
    SpinGap->setRange(0, 50);
    SpinGap->setValue(5);
    SpinGap->setSuffix(QStringLiteral(" mm"));
    SpinGap->setAccessibleName(QStringLiteral("間隔"));
    form->addRow(QStringLiteral("間隔"), SpinGap);

    LabelMessage = new QLabel(this);
    LabelMessage->setWordWrap(true);
    LabelMessage->setStyleSheet(QStringLiteral("color: #c00000"));
    LabelMessage->setAccessibleName(QStringLiteral("メッセージ"));
    outer->addWidget(LabelMessage);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    ButtonPlace = new QPushButton(QStringLiteral("配置"), this);
    ButtonPlace->setDefault(true);
    ButtonCancel = new QPushButton(QStringLiteral("キャンセル"), this);
    buttons->addWidget(ButtonPlace);
    buttons->addWidget(ButtonCancel);
    outer->addLayout(buttons);

    for (QComboBox *box : {ComboColumns, ComboArea, ComboNumbering})
        box->setToolTip(box->toolTip().isEmpty() ? box->accessibleName() : box->toolTip());
    SpinCount->setToolTip(SpinCount->accessibleName());
    SpinGap->setToolTip(QStringLiteral("となりの問題とのあいだ"));

    connect(ButtonPlace, &QPushButton::clicked, this, &TFormSikiSet::place);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(SpinCount, &QSpinBox::valueChanged, this, &TFormSikiSet::showRows);
    connect(ComboColumns, &QComboBox::currentIndexChanged, this, &TFormSikiSet::showRows);
    // A changed value is a new try: the last refusal no longer applies.
    for (QSpinBox *box : {SpinCount, SpinGap})
        connect(box, &QSpinBox::valueChanged, LabelMessage, &QLabel::clear);
    for (QComboBox *box : {ComboColumns, ComboArea, ComboNumbering})
        connect(box, &QComboBox::currentIndexChanged, LabelMessage, &QLabel::clear);
    showRows();
}

RSetOptions TFormSikiSet::options() const
{
    RSetOptions o;
    o.count = SpinCount->value();
    o.columns = ComboColumns->currentIndex();
    o.area = ComboArea->currentIndex() == 1 ? SetArea::WholePage : SetArea::BelowObjects;
    o.numbering = SetNumbering(std::clamp(ComboNumbering->currentIndex(), 0, 3));
    o.gapMm = SpinGap->value();
    return o;
}

void TFormSikiSet::setOptions(const RSetOptions &o)
{
    SpinCount->setValue(o.count);
    ComboColumns->setCurrentIndex(std::clamp(o.columns, 0, SetMaxColumns));
    ComboArea->setCurrentIndex(o.area == SetArea::WholePage ? 1 : 0);
    ComboNumbering->setCurrentIndex(int(o.numbering));
    SpinGap->setValue(o.gapMm);
}

void TFormSikiSet::showRows()
{
    const int columns = ComboColumns->currentIndex();
    if (columns == 0) {
        LabelRows->setText(QStringLiteral("自動（問題の大きさから）"));
        return;
    }
    const int rows = (SpinCount->value() + columns - 1) / columns;
    LabelRows->setText(QStringLiteral("%1行").arg(rows));
}

void TFormSikiSet::place()
{
    const QString refusal = mPlacer.placeSet(options());
    if (refusal.isEmpty()) {
        LabelMessage->clear();
        accept();
        return;
    }
    LabelMessage->setText(refusal);
}
