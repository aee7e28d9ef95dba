// The random-settings panel of the expression tool: the check box
// "ランダムで問題作成する", the operation, the number ranges, decimal places,
// rounding and remainder of ① and ②, the answer range, carrying or
// borrowing and "0と1を使わない", and the fraction settings shown on the
// fraction page only. It holds the settings that the random generator
// (TFormSiki::MakeRandom) reads and that "決定" stores into an object row; it
// never generates a problem itself and never touches the document.
#pragma once

#include "document/UnitData.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QWidget>

// A range box: free text with an up-down control running from 0 to 10000.
class SikiRangeBox : public QWidget
{
    Q_OBJECT
public:
    explicit SikiRangeBox(QWidget *parent = nullptr);
    QLineEdit *edit() const { return mEdit; }
    QString text() const { return mEdit->text(); }
    void setText(const QString &text) { mEdit->setText(text); }
    // One step of the up-down control (+1 or -1), kept within 0..10000.
    void step(int delta);
    // What the box is, for its hint and accessible name, and those of its
    // up-down control.
    void setName(const QString &name);

private:
    QLineEdit *mEdit;
    QToolButton *mUp = nullptr;
    QToolButton *mDown = nullptr;
};

class TSikiRandomPanel : public QWidget
{
    Q_OBJECT
public:
    explicit TSikiRandomPanel(QWidget *parent = nullptr);

    // Lists and defaults of a fresh tool; hides the remainder option and the
    // warning line.
    void SyokiForm();
    // The fraction settings are shown on the fraction page only.
    void SetBunsuVisible(bool visible);

    // Which fields a page writes.
    enum class Scope { Yoko, Tate, Bunsu };
    // Stores the settings into a row: Rand, RandKigou, the ranges,
    // RandAmari, KihonJHX/Y, the decimal-place lists; the fraction settings
    // on the fraction page only. Texts go in verbatim. The conditions go
    // into RandZ1 (carrying and "0と1を使わない" always, the fraction ones on
    // the fraction page only); whatever else the field holds stays.
    void Store(RAData &row, Scope scope) const;
    // The reverse: every random field of the row into the panel. List
    // indexes outside a list select nothing rather than a wrong item.
    void Load(const RAData &row);

    // Controls (public so that the tool and tests can reach them by name).
    QCheckBox *CheckRand;
    QComboBox *ComboKigou;
    SikiRangeBox *EditX1, *EditX2, *EditY1, *EditY2, *EditA1, *EditA2;
    QComboBox *ComboSyosuX, *ComboSyosuY, *ComboSyosuA;
    QComboBox *ComboKihonX, *ComboKihonY;
    QCheckBox *CheckAmari;
    // "繰り上がり" for addition, "繰り下がり" for subtraction; hidden for
    // the other operations.
    QLabel *LabelKuri;
    QComboBox *ComboKuri;
    QCheckBox *CheckNo01; // "0と1を使わない"
    QWidget *BunsuBox;
    QComboBox *ComboBunsuKigou;
    SikiRangeBox *EditBunsuX1, *EditBunsuX2, *EditBunsuY1, *EditBunsuY2;
    QComboBox *ComboBunsuSyuX, *ComboBunsuSyuY, *ComboBunsuSyuA;
    QComboBox *ComboBunboY;
    QCheckBox *CheckXYaku, *CheckYYaku;
    QCheckBox *CheckYakuA;   // "約分が必要" of the answer
    QPushButton *ButtonMake; // "問題作成"
    QWidget *WarningLine;    // the warning icon and LabelWarning
    QLabel *ImageWarning;
    QLabel *LabelWarning;
    // Shows or hides the warning line of a search that found no problem.
    void ShowWarning(bool shown);

private:
    void kigouChanged(int index);
};

// The texts of the lists, in item order (the stored byte is the index).
namespace siki_lists
{
QStringList Kigou();     // たし算【①＋②】 ...
QStringList BunsuSign(); // ＋ － × ÷
QStringList SyosuXY();   // 整数 ...
QStringList SyosuA();    // 指定なし, 少数点第一位 ...
QStringList Kihon();     // "", 何十, 何百
QStringList BunsuSyu();  // 指定なし, 真分数, 仮分数, 帯分数
QStringList BunboY();    // 指定なし, ①と同じ分母, ①と違う分母
QStringList Kuri();      // 指定なし, あり, なし, すべての位で
} // namespace siki_lists

inline const QString SikiRandomWarningText =
    QStringLiteral("　　　　設定した条件の数式になっていない可能性があります。");
