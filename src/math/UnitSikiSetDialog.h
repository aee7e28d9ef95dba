// The dialog of "まとめて配置…": how many problems, in how many columns,
// where on the page, with which numbers and how far apart. "配置" hands the
// options to its SetPlacer; when the placer refuses (the set does not fit,
// the settings cannot give that many problems) the dialog says why and
// stays open, so the teacher can change a value and try again.
#pragma once

#include "math/UnitSikiSet.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;

class SetPlacer
{
public:
    // Places the set; the refusal in the program's words, or empty when placed.
    virtual QString placeSet(const RSetOptions &options) = 0;

protected:
    ~SetPlacer() = default;
};

class TFormSikiSet : public QDialog
{
    Q_OBJECT
public:
    TFormSikiSet(SetPlacer &placer, QWidget *parent = nullptr);

    RSetOptions options() const;
    void setOptions(const RSetOptions &options);

    QSpinBox *SpinCount;      // "問題の数"
    QComboBox *ComboColumns;  // "列": 自動, 1 .. 6
    QLabel *LabelRows;        // "行": follows from the count and the columns
    QComboBox *ComboArea;     // "範囲"
    QComboBox *ComboNumbering; // "番号"
    QSpinBox *SpinGap;        // "間隔" in mm
    QLabel *LabelMessage;     // why nothing was placed
    QPushButton *ButtonPlace; // "配置"
    QPushButton *ButtonCancel; // "キャンセル"

private:
    void place();
    void showRows();

    SetPlacer &mPlacer;
};
