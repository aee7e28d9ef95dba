// The expression tool window TFormSiki: where the teacher types one math
// problem (horizontal expression, column arithmetic or two fractions), sees
// its answer and layout live, sets the random settings, and confirms it with
// "決定", which writes the object row into the document. The main window
// creates one TFormSiki at start-up, keeps it for the run, and opens it for a
// new object at a placement point (PrepareNew) or for an existing row
// (LoadRow); random regeneration drives the same methods without showing it.
// All of the logic lives in plain methods that read and write the widgets'
// texts, so it runs on a window that is never shown. The tool measures
// through a SikiMeasurer it is given and never draws on a page or redraws
// the document itself: it asks for that with redrawRequested.
#pragma once

#include "document/UnitData.h"
#include "math/UnitHissan.h"
#include "math/UnitHissanKakezan.h"
#include "math/UnitHissanWarizan.h"
#include "math/UnitKeisan2.h"
#include "math/UnitSikiMeasure.h"
#include "math/UnitSikiRandom.h"
#include "math/UnitSikiTate.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QList>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <random>

class TFormSiki : public QWidget {
    Q_OBJECT
public:
    // The pages; the index is stored in the row's Siki1. The word-problem
    // page (3) joins later as a fourth tab.
    enum Page { PageYoko = 0, PageTate = 1, PageBunsu = 2 };
    // Column operation of the last column preview.
    enum TateSyu { TateNone = 0, TateTasu = 1, TateHiku = 2, TateKake = 3, TateWari = 4 };

    explicit TFormSiki(Document &document, QWidget *parent = nullptr);
    ~TFormSiki() override;

    // Wiring by the main window (tests set their own). The measurer is not
    // owned and must outlive the tool (or be reset with nullptr, which falls
    // back to plain toolkit metrics). The provider is asked for the font and
    // the answer display toggle at every "決定".
    void SetMeasurer(SikiMeasurer *measurer) { mMeasurer = measurer; }
    void SetSettingsProvider(std::function<SikiMainSettings()> provider);

    // Life cycle of the window.
    void SyokiForm();
    void StartForm();
    void SetNyu();
    void MoveForm();
    int CurrentPage() const;
    void SelectPage(int page);

    // Opening. PrepareNew: a new object at (x1, y1) of page `page`
    // (NewData.ID becomes -1). LoadRow: the existing row `rowIndex` of
    // AData, whose fields are copied into the inputs; false (tool left as
    // it was) when the row is not an expression object this tool can edit.
    // Neither shows the window; OpenNew and OpenRow also show it.
    void PrepareNew(int page, int x1, int y1);
    bool LoadRow(int rowIndex);
    void OpenNew(int page, int x1, int y1);
    bool OpenRow(int rowIndex);

    // The previews.
    void MakeSikiKotaeYoko();
    void MakeSikiKotaeTate();
    void KeisanBunsu();
    void MakeSikiKotaeBunsu();

    // Division steps of the column page; each does nothing unless it applies.
    void WarizanIchi();    // "一の位まで"
    void WarizanSusumu();  // "わり進める"
    void WarizanModosu();  // "元に戻す"

    // "決定" of the current page or of one page. Returns the index of the
    // row written, or -1 when nothing was written (empty input, or an
    // expression that cannot be evaluated, which is reported to the user).
    int Kettei();
    int KetteiYoko();
    int KetteiTate();
    int KetteiBunsu();

    // The pieces of "決定", for random regeneration, which rewrites the
    // problem of a row but keeps its placement, font and mode. A check tells
    // whether the page's input can be written (the message says why not);
    // a writer puts the page's expression fields into the row: Siki, Kotae,
    // HissanSiki, Siki1, Siki2, Width and Height, and on the column page
    // HissanKotae and the decimal fields. WriteTateFields writes nothing and
    // returns false while the column page has no layout.
    enum InputState { InputOk, InputEmpty, InputError };
    InputState CheckYoko(QString &kotae, QString &message) const;
    InputState CheckTate(QString &message) const;
    InputState CheckBunsu(QString &message);
    void WriteYokoFields(RAData &row, const QString &kotae);
    bool WriteTateFields(RAData &row);
    void WriteBunsuFields(RAData &row);

    // The tool's random source for problem generation, seeded from the clock
    // when the window is made: a uniform integer 0 .. n - 1 (0 when n < 1).
    int64_t Random(int64_t n);

    // Tool state read by the main window, random generation and tests.
    QString DisplayText() const { return mDisplayText; }
    QString AnswerText() const { return mAnswerText; }
    int TateOperation() const { return mTateSyu; }
    QStringList TateRows() const;
    void SetTateRow(int index, const QString &text);
    QString BunsuKotae() const { return mBunsuKotae; }

    // Controls by name.
    QTabWidget *PageControl;
    TSikiRandomPanel *RandomPanel;
    // Page 0.
    QLineEdit *MemoY1;
    QLineEdit *MemoY2;
    QPushButton *ButtonKetteiY;
    // Page 1.
    QLineEdit *MemoT1;
    QLineEdit *MemoT2; // hidden answer box
    QWidget *TateRowBox;
    SikiCellGrid *TateGrid;
    QPushButton *ButtonIchi;
    QPushButton *ButtonSusumu;
    QPushButton *ButtonModosu;
    QPushButton *ButtonKetteiT;
    // Page 2.
    QLineEdit *EditBunsu1T, *EditBunsu1S, *EditBunsu1B;
    QComboBox *ComboBunsu;
    QLineEdit *EditBunsu2T, *EditBunsu2S, *EditBunsu2B;
    QLineEdit *EditBunsuKT, *EditBunsuKS, *EditBunsuKB;
    QCheckBox *CheckKabunsu;
    QLineEdit *MemoBunsuSiki; // hidden fraction expression
    QPushButton *ButtonKetteiB;

signals:
    // A row was written: the main window redraws the pages and refreshes
    // its selection marks.
    void redrawRequested(int rowIndex);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildYoko(QWidget *page);
    void buildTate(QWidget *page);
    void buildBunsu(QWidget *page);
    QList<QLineEdit *> inputBoxes() const;

    // Column page helpers.
    void clearTate();
    void showTateRows(const QStringList &rows);
    void showWarizan();
    void showPreviewGrid(const HissanGrid &grid, int signRow, QChar sign,
                         const QList<QPoint> &markers);
    bool restoreTateRows(const RAData &row);
    void fillTateRowFields(RAData &row) const;

    // Shared by the writers: placement, font, page, mode and the row index.
    int beginRow(int page);
    void finishRow(int rowIndex);
    SikiMeasurer &measurer();
    SikiMainSettings settings() const;

    Document &mDoc;
    SikiMeasurer *mMeasurer = nullptr;
    std::unique_ptr<SikiMeasurer> mFallbackMeasurer;
    std::function<SikiMainSettings()> mSettings;

    QString mDisplayText;
    QString mAnswerText;
    int mTateSyu = TateNone;
    QList<QLineEdit *> mTateRows;
    QVBoxLayout *mTateRowLayout = nullptr;
    TFormHissan mHissan;
    TFormHissanKakezan mKakezan;
    TFormHissanWarizan mWarizan;
    TFormKeisan2 mKeisan2;
    QString mBunsuKotae;
    QString mBunsuError; // the evaluator's message for the fraction expression
    std::mt19937_64 mRandom;
};
