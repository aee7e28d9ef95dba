// The dialogs of the sheet commands: "クラス分作成" (how many copies, the
// seed, the order of the sheets, where they go, whether each page carries
// its copy number) and "PDFで保存" (the problem sheet, the answer sheet or
// both). They only collect the choices; the commands act on them.
#pragma once

#include "app/UnitClassSet.h"
#include "app/UnitHeadless.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

class TFormClassSet : public QDialog
{
    Q_OBJECT
public:
    explicit TFormClassSet(QWidget *parent = nullptr);

    // Before each showing: the printers to offer (the current one first
    // chosen) and "PDFファイル" after them; the other choices stay as they
    // were last time.
    void StartForm(const QStringList &printers, const QString &current);

    ClassSetOptions options() const;
    // True when the sheets go into a PDF file, else to printerName().
    bool toPdf() const;
    QString printerName() const;

    QSpinBox *SpinCopies = nullptr;      // "枚数"
    QLineEdit *EditSeed = nullptr;       // "乱数の種"
    QComboBox *ComboOrder = nullptr;     // "順番"
    QComboBox *ComboOutput = nullptr;    // "出力先"
    QCheckBox *CheckNumber = nullptr;    // "番号を印刷"
    QPushButton *ButtonOk = nullptr;     // "作成"
    QPushButton *ButtonCancel = nullptr; // "キャンセル"
};

class TFormPdfSave : public QDialog
{
    Q_OBJECT
public:
    explicit TFormPdfSave(QWidget *parent = nullptr);
    SheetChoice choice() const;

    QRadioButton *RadioProblems = nullptr; // "問題"
    QRadioButton *RadioAnswers = nullptr;  // "解答"
    QRadioButton *RadioBoth = nullptr;     // "問題と解答"
    QPushButton *ButtonOk = nullptr;       // "保存"
    QPushButton *ButtonCancel = nullptr;   // "キャンセル"
};
