#include "app/UnitClassSetDialog.h"

#include "platform/UnitProduct.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QVBoxLayout>

namespace
{

// Every control carries its caption as accessible name and tooltip.
template <typename W> W *named(W *w, const QString &caption, const QString &hint = QString())
{
    w->setAccessibleName(caption);
    w->setToolTip(hint.isEmpty() ? caption : hint);
    return w;
}

QHBoxLayout *buttonRow(QPushButton *ok, QPushButton *cancel)
{
    auto *row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    ok->setDefault(true);
    return row;
}

} // namespace

TFormClassSet::TFormClassSet(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("クラス分作成"));
    setAccessibleName(QStringLiteral("クラス分作成"));
    auto *form = new QFormLayout;

    SpinCopies = named(new QSpinBox(this), QStringLiteral("枚数"),
                       QStringLiteral("作る枚数（1～%1）").arg(ClassSetMaxCopies));
    SpinCopies->setRange(1, ClassSetMaxCopies);
    SpinCopies->setValue(30);
    form->addRow(QStringLiteral("枚数"), SpinCopies);

    EditSeed =
        named(new QLineEdit(this), QStringLiteral("乱数の種"),
              QStringLiteral("同じ種で、同じ問題をもう一度作れます（空欄なら毎回ちがう問題）"));
    EditSeed->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,19}")), EditSeed));
    EditSeed->setPlaceholderText(QStringLiteral("（なし）"));
    form->addRow(QStringLiteral("乱数の種"), EditSeed);

    ComboOrder = named(new QComboBox(this), QStringLiteral("順番"));
    ComboOrder->addItem(QStringLiteral("1枚ずつ問題と解答"));
    ComboOrder->addItem(QStringLiteral("問題をまとめて、解答をまとめて"));
    form->addRow(QStringLiteral("順番"), ComboOrder);

    ComboOutput = named(new QComboBox(this), QStringLiteral("出力先"));
    form->addRow(QStringLiteral("出力先"), ComboOutput);

    CheckNumber =
        named(new QCheckBox(QStringLiteral("番号を印刷"), this), QStringLiteral("番号を印刷"),
              QStringLiteral("問題と解答の各ページのすみに「No. 番号」を印刷します"));
    CheckNumber->setChecked(true);
    form->addRow(QString(), CheckNumber);

    ButtonOk = named(new QPushButton(QStringLiteral("作成"), this), QStringLiteral("作成"));
    ButtonCancel =
        named(new QPushButton(QStringLiteral("キャンセル"), this), QStringLiteral("キャンセル"));
    connect(ButtonOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttonRow(ButtonOk, ButtonCancel));
    StartForm({}, QString());
}

void TFormClassSet::StartForm(const QStringList &printers, const QString &current)
{
    ComboOutput->clear();
    for (const QString &p : printers)
        ComboOutput->addItem(p, p);
    ComboOutput->addItem(QStringLiteral("PDFファイル"));
    const int at = printers.indexOf(current);
    ComboOutput->setCurrentIndex(at >= 0 ? at : ComboOutput->count() - 1);
}

ClassSetOptions TFormClassSet::options() const
{
    ClassSetOptions o;
    o.copies = SpinCopies->value();
    bool ok = false;
    const uint64_t seed = EditSeed->text().trimmed().toULongLong(&ok);
    if (ok)
        o.seed = seed;
    o.order = ComboOrder->currentIndex() == 1 ? ClassSetOrder::Grouped : ClassSetOrder::Interleaved;
    o.numbers = CheckNumber->isChecked();
    return o;
}

bool TFormClassSet::toPdf() const
{
    return ComboOutput->currentData().toString().isEmpty();
}

QString TFormClassSet::printerName() const
{
    return ComboOutput->currentData().toString();
}

TFormPdfSave::TFormPdfSave(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("PDFで保存"));
    setAccessibleName(QStringLiteral("PDFで保存"));
    RadioProblems = named(new QRadioButton(QStringLiteral("問題"), this), QStringLiteral("問題"),
                          QStringLiteral("問題のページを保存します"));
    RadioAnswers = named(new QRadioButton(QStringLiteral("解答"), this), QStringLiteral("解答"),
                         QStringLiteral("解答のページを保存します"));
    RadioBoth =
        named(new QRadioButton(QStringLiteral("問題と解答"), this), QStringLiteral("問題と解答"),
              QStringLiteral("問題のページのあとに解答のページを保存します"));
    RadioProblems->setChecked(true);
    auto *group = new QButtonGroup(this);
    group->addButton(RadioProblems);
    group->addButton(RadioAnswers);
    group->addButton(RadioBoth);
    ButtonOk = named(new QPushButton(QStringLiteral("保存"), this), QStringLiteral("保存"));
    ButtonCancel =
        named(new QPushButton(QStringLiteral("キャンセル"), this), QStringLiteral("キャンセル"));
    connect(ButtonOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("保存するページ"), this));
    layout->addWidget(RadioProblems);
    layout->addWidget(RadioAnswers);
    layout->addWidget(RadioBoth);
    layout->addLayout(buttonRow(ButtonOk, ButtonCancel));
}

SheetChoice TFormPdfSave::choice() const
{
    if (RadioBoth->isChecked())
        return SheetChoice::Both;
    return RadioAnswers->isChecked() ? SheetChoice::Answers : SheetChoice::Problems;
}
