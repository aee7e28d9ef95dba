#include "math/UnitSikiRandom.h"

#include "math/UnitRandConditions.h"
#include "platform/UnitNumText.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace siki_lists
{
QStringList Kigou()
{
    return {QStringLiteral("たし算【①＋②】"), QStringLiteral("ひき算【①－②】"),
            QStringLiteral("かけ算【①×②】"), QStringLiteral("わり算【①÷②】")};
}
QStringList BunsuSign()
{
    return {QStringLiteral("＋"), QStringLiteral("－"), QStringLiteral("×"), QStringLiteral("÷")};
}
QStringList SyosuXY()
{
    return {QStringLiteral("整数"), QStringLiteral("少数点第一位"), QStringLiteral("少数点第二位")};
}
QStringList SyosuA()
{
    return {QStringLiteral("指定なし"), QStringLiteral("少数点第一位"),
            QStringLiteral("少数点第二位"), QStringLiteral("少数点第三位"),
            QStringLiteral("少数点第四位")};
}
QStringList Kihon()
{
    return {QString(), QStringLiteral("何十"), QStringLiteral("何百")};
}
QStringList BunsuSyu()
{
    return {QStringLiteral("指定なし"), QStringLiteral("真分数"), QStringLiteral("仮分数"),
            QStringLiteral("帯分数")};
}
QStringList BunboY()
{
    return {QStringLiteral("指定なし"), QStringLiteral("①と同じ分母"),
            QStringLiteral("①と違う分母")};
}
QStringList Kuri()
{
    return {QStringLiteral("指定なし"), QStringLiteral("あり"), QStringLiteral("なし"),
            QStringLiteral("すべての位で")};
}
} // namespace siki_lists

namespace
{
constexpr int RangeMin = 0;
constexpr int RangeMax = 10000;

void fill(QComboBox *box, const QStringList &items, int current)
{
    box->clear();
    box->addItems(items);
    box->setCurrentIndex(current);
}

// A stored byte selects its list item; a byte past the list selects none.
void select(QComboBox *box, int index)
{
    box->setCurrentIndex(index < box->count() ? index : -1);
}

Byte indexOf(const QComboBox *box)
{
    return Byte(qMax(0, box->currentIndex()));
}
} // namespace

SikiRangeBox::SikiRangeBox(QWidget *parent) : QWidget(parent), mEdit(new QLineEdit(this))
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    mEdit->setFixedWidth(44);
    layout->addWidget(mEdit);
    auto *buttons = new QVBoxLayout;
    buttons->setSpacing(0);
    auto *up = new QToolButton(this);
    auto *down = new QToolButton(this);
    up->setArrowType(Qt::UpArrow);
    down->setArrowType(Qt::DownArrow);
    up->setFixedSize(14, 11);
    down->setFixedSize(14, 11);
    buttons->addWidget(up);
    buttons->addWidget(down);
    layout->addLayout(buttons);
    mUp = up;
    mDown = down;
    connect(up, &QToolButton::clicked, this, [this] { step(1); });
    connect(down, &QToolButton::clicked, this, [this] { step(-1); });
}

void SikiRangeBox::setName(const QString &name)
{
    mEdit->setAccessibleName(name);
    mEdit->setToolTip(name);
    mUp->setToolTip(name + QStringLiteral("を1増やす"));
    mDown->setToolTip(name + QStringLiteral("を1減らす"));
}

void SikiRangeBox::step(int delta)
{
    // The up-down control counts from what the box holds; a text that is not
    // a number counts as 0, as everywhere else, and a number too long to
    // count with starts from the end of the control's range on its side.
    int64_t held = 0;
    try {
        held = TextToInt64(mEdit->text());
    } catch (const NumTextError &) {
        held = mEdit->text().startsWith(u'-') ? RangeMin : RangeMax;
    }
    const int64_t value = std::clamp<int64_t>(held + delta, RangeMin, RangeMax);
    mEdit->setText(QString::number(value));
}

TSikiRandomPanel::TSikiRandomPanel(QWidget *parent) : QWidget(parent)
{
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(4, 4, 4, 4);

    CheckRand = new QCheckBox(QStringLiteral("ランダムで問題作成する"), this);
    outer->addWidget(CheckRand);
    ComboKigou = new QComboBox(this);
    ComboKigou->setAccessibleName(QStringLiteral("計算"));
    outer->addWidget(ComboKigou);

    auto *grid = new QGridLayout;
    auto addRange = [&](int row, const QString &label, SikiRangeBox *&lo, SikiRangeBox *&hi) {
        lo = new SikiRangeBox(this);
        hi = new SikiRangeBox(this);
        const QString name = label.isEmpty() ? QStringLiteral("解答") : label;
        lo->setName(name + QStringLiteral(" 以上"));
        hi->setName(name + QStringLiteral(" 以下"));
        grid->addWidget(new QLabel(label, this), row, 0);
        grid->addWidget(lo, row, 1);
        grid->addWidget(new QLabel(QStringLiteral("以上"), this), row, 2);
        grid->addWidget(hi, row, 3);
        grid->addWidget(new QLabel(QStringLiteral("以下"), this), row, 4);
    };
    addRange(0, QStringLiteral("①"), EditX1, EditX2);
    ComboSyosuX = new QComboBox(this);
    ComboKihonX = new QComboBox(this);
    ComboSyosuX->setAccessibleName(QStringLiteral("①の小数点"));
    ComboKihonX->setAccessibleName(QStringLiteral("①の何十・何百"));
    grid->addWidget(ComboSyosuX, 1, 1, 1, 2);
    grid->addWidget(ComboKihonX, 1, 3, 1, 2);
    addRange(2, QStringLiteral("②"), EditY1, EditY2);
    ComboSyosuY = new QComboBox(this);
    ComboKihonY = new QComboBox(this);
    ComboSyosuY->setAccessibleName(QStringLiteral("②の小数点"));
    ComboKihonY->setAccessibleName(QStringLiteral("②の何十・何百"));
    grid->addWidget(ComboSyosuY, 3, 1, 1, 2);
    grid->addWidget(ComboKihonY, 3, 3, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("解答の設定"), this), 4, 0, 1, 5);
    addRange(5, QString(), EditA1, EditA2);
    ComboSyosuA = new QComboBox(this);
    ComboSyosuA->setAccessibleName(QStringLiteral("解答の小数点"));
    grid->addWidget(ComboSyosuA, 6, 1, 1, 2);
    CheckAmari = new QCheckBox(QStringLiteral("あまりあり"), this);
    grid->addWidget(CheckAmari, 6, 3, 1, 2);
    LabelKuri = new QLabel(this);
    ComboKuri = new QComboBox(this);
    LabelKuri->setBuddy(ComboKuri);
    grid->addWidget(LabelKuri, 7, 0, 1, 2);
    grid->addWidget(ComboKuri, 7, 2, 1, 3);
    CheckNo01 = new QCheckBox(QStringLiteral("0と1を使わない"), this);
    CheckNo01->setToolTip(QStringLiteral("①と②に0と1を使わない（たし算・ひき算では何十も避ける）"));
    grid->addWidget(CheckNo01, 8, 0, 1, 5);
    outer->addLayout(grid);

    BunsuBox = new QWidget(this);
    auto *bunsu = new QGridLayout(BunsuBox);
    bunsu->setContentsMargins(0, 0, 0, 0);
    ComboBunsuKigou = new QComboBox(BunsuBox);
    ComboBunsuKigou->setAccessibleName(QStringLiteral("分数の計算"));
    bunsu->addWidget(ComboBunsuKigou, 0, 0, 1, 5);
    bunsu->addWidget(new QLabel(QStringLiteral("分母の設定"), BunsuBox), 1, 0, 1, 5);
    auto addBunsuRange = [&](int row, const QString &label, SikiRangeBox *&lo, SikiRangeBox *&hi) {
        lo = new SikiRangeBox(BunsuBox);
        hi = new SikiRangeBox(BunsuBox);
        lo->setName(QStringLiteral("分母") + label + QStringLiteral(" 以上"));
        hi->setName(QStringLiteral("分母") + label + QStringLiteral(" 以下"));
        bunsu->addWidget(new QLabel(label, BunsuBox), row, 0);
        bunsu->addWidget(lo, row, 1);
        bunsu->addWidget(new QLabel(QStringLiteral("以上"), BunsuBox), row, 2);
        bunsu->addWidget(hi, row, 3);
        bunsu->addWidget(new QLabel(QStringLiteral("以下"), BunsuBox), row, 4);
    };
    addBunsuRange(2, QStringLiteral("①"), EditBunsuX1, EditBunsuX2);
    ComboBunboY = new QComboBox(BunsuBox);
    ComboBunboY->setAccessibleName(QStringLiteral("②の分母"));
    bunsu->addWidget(ComboBunboY, 3, 1, 1, 4);
    addBunsuRange(4, QStringLiteral("②"), EditBunsuY1, EditBunsuY2);
    bunsu->addWidget(new QLabel(QStringLiteral("分数の種類"), BunsuBox), 5, 0, 1, 5);
    ComboBunsuSyuX = new QComboBox(BunsuBox);
    ComboBunsuSyuY = new QComboBox(BunsuBox);
    ComboBunsuSyuA = new QComboBox(BunsuBox);
    CheckXYaku = new QCheckBox(QStringLiteral("約分しない"), BunsuBox);
    CheckYYaku = new QCheckBox(QStringLiteral("約分しない"), BunsuBox);
    ComboBunsuSyuX->setAccessibleName(QStringLiteral("①の分数の種類"));
    ComboBunsuSyuY->setAccessibleName(QStringLiteral("②の分数の種類"));
    ComboBunsuSyuA->setAccessibleName(QStringLiteral("答えの分数の種類"));
    CheckXYaku->setToolTip(QStringLiteral("①を約分しない"));
    CheckYYaku->setToolTip(QStringLiteral("②を約分しない"));
    bunsu->addWidget(new QLabel(QStringLiteral("①"), BunsuBox), 6, 0);
    bunsu->addWidget(ComboBunsuSyuX, 6, 1, 1, 2);
    bunsu->addWidget(CheckXYaku, 6, 3, 1, 2);
    bunsu->addWidget(new QLabel(QStringLiteral("②"), BunsuBox), 7, 0);
    bunsu->addWidget(ComboBunsuSyuY, 7, 1, 1, 2);
    bunsu->addWidget(CheckYYaku, 7, 3, 1, 2);
    bunsu->addWidget(new QLabel(QStringLiteral("答え"), BunsuBox), 8, 0);
    bunsu->addWidget(ComboBunsuSyuA, 8, 1, 1, 2);
    CheckYakuA = new QCheckBox(QStringLiteral("約分が必要"), BunsuBox);
    CheckYakuA->setToolTip(QStringLiteral("約分しないと答えにならない問題だけを作る"));
    bunsu->addWidget(CheckYakuA, 8, 3, 1, 2);
    outer->addWidget(BunsuBox);

    ButtonMake = new QPushButton(QStringLiteral("問題作成"), this);
    outer->addWidget(ButtonMake);
    WarningLine = new QWidget(this);
    auto *warning = new QHBoxLayout(WarningLine);
    warning->setContentsMargins(0, 0, 0, 0);
    ImageWarning = new QLabel(WarningLine);
    ImageWarning->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(16, 16));
    ImageWarning->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // The icon sits on the leading spaces of the text.
    LabelWarning = new QLabel(SikiRandomWarningText, WarningLine);
    LabelWarning->setWordWrap(true);
    LabelWarning->setAccessibleName(SikiRandomWarningText);
    warning->addWidget(ImageWarning);
    warning->addWidget(LabelWarning, 1);
    outer->addWidget(WarningLine);
    outer->addStretch(1);

    connect(ComboKigou, &QComboBox::currentIndexChanged, this, &TSikiRandomPanel::kigouChanged);
    SyokiForm();
}

void TSikiRandomPanel::SyokiForm()
{
    CheckRand->setChecked(false);
    fill(ComboKigou, siki_lists::Kigou(), 0);
    fill(ComboBunsuKigou, siki_lists::Kigou(), 0);
    fill(ComboSyosuX, siki_lists::SyosuXY(), 0);
    fill(ComboSyosuY, siki_lists::SyosuXY(), 0);
    fill(ComboSyosuA, siki_lists::SyosuA(), 0);
    fill(ComboKihonX, siki_lists::Kihon(), 0);
    fill(ComboKihonY, siki_lists::Kihon(), 0);
    fill(ComboBunsuSyuX, siki_lists::BunsuSyu(), 1);
    fill(ComboBunsuSyuY, siki_lists::BunsuSyu(), 1);
    fill(ComboBunsuSyuA, siki_lists::BunsuSyu(), 1);
    fill(ComboBunboY, siki_lists::BunboY(), 0);
    fill(ComboKuri, siki_lists::Kuri(), 0);
    for (SikiRangeBox *box : {EditX1, EditY1, EditA1})
        box->setText(QStringLiteral("1"));
    for (SikiRangeBox *box : {EditX2, EditY2, EditA2})
        box->setText(QStringLiteral("9"));
    for (SikiRangeBox *box : {EditBunsuX1, EditBunsuY1})
        box->setText(QStringLiteral("2"));
    for (SikiRangeBox *box : {EditBunsuX2, EditBunsuY2})
        box->setText(QStringLiteral("9"));
    CheckAmari->setChecked(false);
    CheckXYaku->setChecked(false);
    CheckYYaku->setChecked(false);
    CheckYakuA->setChecked(false);
    CheckNo01->setChecked(false);
    CheckAmari->setVisible(false);
    kigouChanged(ComboKigou->currentIndex());
    ShowWarning(false);
}

void TSikiRandomPanel::ShowWarning(bool shown)
{
    WarningLine->setVisible(shown);
}

void TSikiRandomPanel::kigouChanged(int index)
{
    // A division has no decimal places of its own answer to choose, but may
    // leave a remainder.
    const bool division = index == 3;
    if (division)
        ComboSyosuA->setCurrentIndex(0);
    CheckAmari->setVisible(division);
    // Carrying belongs to addition, borrowing to subtraction.
    const QString kuri = index == 1 ? QStringLiteral("繰り下がり") : QStringLiteral("繰り上がり");
    LabelKuri->setText(kuri);
    ComboKuri->setAccessibleName(kuri);
    ComboKuri->setToolTip(kuri);
    const bool columns = index == 0 || index == 1;
    LabelKuri->setVisible(columns);
    ComboKuri->setVisible(columns);
}

void TSikiRandomPanel::SetBunsuVisible(bool visible)
{
    BunsuBox->setVisible(visible);
}

void TSikiRandomPanel::Store(RAData &row, Scope scope) const
{
    row.Rand = CheckRand->isChecked() ? 1 : 0;
    row.RandKigou = indexOf(ComboKigou);
    row.RandX1 = EditX1->text();
    row.RandX2 = EditX2->text();
    row.RandY1 = EditY1->text();
    row.RandY2 = EditY2->text();
    row.RandA1 = EditA1->text();
    row.RandA2 = EditA2->text();
    // Every page keeps the decimal places: regeneration by "作成" reads them
    // back from the row, so a column problem without them would lose its
    // decimals at the next run.
    row.RandSyosuX = indexOf(ComboSyosuX);
    row.RandSyosuY = indexOf(ComboSyosuY);
    row.RandSyosuA = indexOf(ComboSyosuA);
    row.RandAmari = CheckAmari->isChecked() ? 1 : 0;
    row.KihonJHX = indexOf(ComboKihonX);
    row.KihonJHY = indexOf(ComboKihonY);
    if (scope == Scope::Bunsu) {
        row.RandBunsuKigou = indexOf(ComboBunsuKigou);
        row.RandBunsuX1 = EditBunsuX1->text();
        row.RandBunsuX2 = EditBunsuX2->text();
        row.RandBunsuY1 = EditBunsuY1->text();
        row.RandBunsuY2 = EditBunsuY2->text();
        row.RandBunsuSyuX = indexOf(ComboBunsuSyuX);
        row.RandBunsuSyuY = indexOf(ComboBunsuSyuY);
        row.RandBunsuSyuA = indexOf(ComboBunsuSyuA);
        // "①と違う分母" is a condition of RandZ1; the field itself keeps 0 or 1.
        row.RandBunsuBunboY = ComboBunboY->currentIndex() == 2 ? 0 : indexOf(ComboBunboY);
        row.RandBunsuXYaku = CheckXYaku->isChecked() ? 1 : 0;
        row.RandBunsuYYaku = CheckYYaku->isChecked() ? 1 : 0;
    }
    RandConditions conditions = RandConditions::fromText(row.RandZ1);
    conditions.setKuri(qMax(0, ComboKuri->currentIndex()));
    conditions.setNo01(CheckNo01->isChecked());
    if (scope == Scope::Bunsu) {
        conditions.setBunbo(ComboBunboY->currentIndex() == 2 ? RandConditions::BunboOther : 0);
        conditions.setYaku(CheckYakuA->isChecked());
    }
    row.RandZ1 = conditions.text();
}

void TSikiRandomPanel::Load(const RAData &row)
{
    CheckRand->setChecked(row.Rand == 1);
    select(ComboKigou, row.RandKigou);
    EditX1->setText(row.RandX1);
    EditX2->setText(row.RandX2);
    EditY1->setText(row.RandY1);
    EditY2->setText(row.RandY2);
    EditA1->setText(row.RandA1);
    EditA2->setText(row.RandA2);
    // After the operation: choosing a division resets the answer's places.
    select(ComboSyosuX, row.RandSyosuX);
    select(ComboSyosuY, row.RandSyosuY);
    select(ComboSyosuA, row.RandSyosuA);
    CheckAmari->setChecked(row.RandAmari == 1);
    select(ComboKihonX, row.KihonJHX);
    select(ComboKihonY, row.KihonJHY);
    select(ComboBunsuKigou, row.RandBunsuKigou);
    EditBunsuX1->setText(row.RandBunsuX1);
    EditBunsuX2->setText(row.RandBunsuX2);
    EditBunsuY1->setText(row.RandBunsuY1);
    EditBunsuY2->setText(row.RandBunsuY2);
    select(ComboBunsuSyuX, row.RandBunsuSyuX);
    select(ComboBunsuSyuY, row.RandBunsuSyuY);
    select(ComboBunsuSyuA, row.RandBunsuSyuA);
    const RandConditions conditions = RandConditions::fromText(row.RandZ1);
    // The stored byte knows 0 and 1 only; another denominator than ①'s is
    // a condition of RandZ1, and "①と同じ分母" wins over it.
    if (row.RandBunsuBunboY == 0 && conditions.bunbo() == RandConditions::BunboOther)
        select(ComboBunboY, 2);
    else
        select(ComboBunboY, row.RandBunsuBunboY <= 1 ? row.RandBunsuBunboY : ComboBunboY->count());
    CheckXYaku->setChecked(row.RandBunsuXYaku == 1);
    CheckYYaku->setChecked(row.RandBunsuYYaku == 1);
    select(ComboKuri, conditions.kuri());
    CheckNo01->setChecked(conditions.no01());
    CheckYakuA->setChecked(conditions.yaku());
}
