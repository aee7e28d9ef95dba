// The expression tool window TFormSiki: where the teacher types one math
// problem (horizontal expression, column arithmetic, two fractions or a
// word problem), sees
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
#include "math/UnitSikiSet.h"
#include "math/UnitSikiTate.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QList>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <random>

class TFormSikiSet;

class TFormSiki : public QWidget
{
    Q_OBJECT
public:
    // The pages; the index is stored in the row's Siki1.
    enum Page { PageYoko = 0, PageTate = 1, PageBunsu = 2, PageBunsyo = 3 };
    // Column operation of the last column preview.
    enum TateSyu { TateNone = 0, TateTasu = 1, TateHiku = 2, TateKake = 3, TateWari = 4 };

    explicit TFormSiki(Document &document, QWidget *parent = nullptr);
    ~TFormSiki() override;

    // Wiring by the main window (tests set their own). The measurer is not
    // owned and must outlive the tool (or be reset with nullptr, which falls
    // back to plain toolkit metrics). The settings source (not owned either;
    // nullptr gives the defaults) is asked for the font and the answer
    // display toggle at every "決定".
    void SetMeasurer(SikiMeasurer *measurer) { mMeasurer = measurer; }
    void SetSettingsSource(const SikiSettingsSource *source) { mSettings = source; }

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
    // The same for random regeneration, which draws a new problem at once:
    // the column page's preview of the old problem is not built.
    bool LoadRowForRandom(int rowIndex);
    void OpenNew(int page, int x1, int y1);
    bool OpenRow(int rowIndex);

    // The previews.
    void MakeSikiKotaeYoko();
    void MakeSikiKotaeTate();
    void KeisanBunsu();
    void MakeSikiKotaeBunsu();
    void MakeSikiKotaeBunsyo(); // the word-problem preview

    // Division steps of the column page; each does nothing unless it applies.
    void WarizanIchi();   // "一の位まで"
    void WarizanSusumu(); // "わり進める"
    void WarizanModosu(); // "元に戻す"

    // "決定" of the current page: its check (an error is reported to the
    // user), the row written from the page, and one undoable command that
    // adds it or rewrites the problem being edited. Returns the index of the
    // row written, or -1 when nothing was written (empty input, or an
    // expression that cannot be evaluated).
    int Kettei();

    // "まとめて配置…" of a page: the set dialog for the page's settings, on
    // the page of the placement point. The dialog is modal and not owned by
    // the caller; it is returned so that a caller can drive it.
    TFormSikiSet *OpenSetDialog();
    // "この問題をまとめて配置…": the same for the problem of row `rowIndex`,
    // whose style and settings the set keeps; the row itself stays as it
    // is. Null when the row is not a math problem this tool can open.
    TFormSikiSet *OpenSetDialogForRow(int rowIndex);
    // The set: `count` new problems of the current page's settings, drawn in
    // one batch (no two alike), each a copy of `style` with the page's
    // random settings, Rand 1 and its own measured size. False, with the
    // message, when the settings do not give that many different problems.
    bool MakeProblemSet(const RAData &style, int count, QVector<RAData> &rows, QString &message);
    // Draws the set, lays it out on page `page` and pushes it as one command
    // "まとめて配置" (its rows are the last ones of the table afterwards).
    // The refusal in the program's words, or empty when it was placed.
    QString PlaceSet(const RAData &style, int page, const RSetOptions &options);

    // "①を挿入" and "②を挿入": the marker at the cursor of the problem text.
    void InsertBunsyoMarker(QChar marker);

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
    InputState CheckBunsyo(QString &kotae, QString &message) const;
    void WriteYokoFields(RAData &row, const QString &kotae);
    bool WriteTateFields(RAData &row);
    void WriteBunsuFields(RAData &row);
    // Siki, Kotae and every word-problem field; Width and Height only with
    // measure (a regenerated word problem keeps its size).
    void WriteBunsyoFields(RAData &row, const QString &kotae, bool measure);

    // The tool's random source for problem generation, seeded from the clock
    // when the window is made: a uniform integer 0 .. n - 1 (0 when n < 1).
    int64_t Random(int64_t n);
    // Tests, the command-line tool and benchmarks replay a run from a seed.
    void SeedRandom(uint64_t seed) { mRandom.seed(seed); }

    // Random generation. MakeRandom draws a new problem for the current page
    // from the random panel's settings and puts it into the page's inputs,
    // trying at most RandMax times; after that the warning line shows and
    // (except on the fraction page) the inputs are emptied.
    void MakeRandom();
    int RandMax = 500;
    // The batch history: every expression made since the last clear, and
    // how many drawn expressions were refused as repeats. "問題作成" and
    // "作成" clear it before they start, so one batch never repeats itself.
    void ClearRandomLog();
    const QStringList &RandomLog() const { return mRandomLog; }
    int RandomLogDuplicates() const { return mRandomDuplicates; }
    // The warning line is showing (the last MakeRandom found no problem
    // within the attempt limit).
    bool RandomWarning() const { return mRandomWarning; }

    // The writers of random regeneration: the regenerated problem into the
    // row being edited (NewData.ID), leaving placement, font, Layer and
    // KotaeMode alone, then the tool closes. Each writes nothing and returns
    // false while its page's input is empty or cannot be evaluated.
    bool SetRandomKaitouYoko();
    bool SetRandomKaitouTate();
    bool SetRandomKaitouBunsu();
    bool SetRandomKaitouBunsyo();
    // The answer builder of a page (PageYoko .. PageBunsyo); false for any other.
    bool SetRandomKaitou(int page);
    // "問題作成" of the random panel: a fresh batch, then MakeRandom; a range
    // beyond what the generator can hold is refused with a message first.
    void MakeRandomCommand();

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
    QPushButton *ButtonSetY; // "まとめて配置…", on every page beside "決定"
    // Page 1.
    QLineEdit *MemoT1;
    QLineEdit *MemoT2; // hidden answer box
    QWidget *TateRowBox;
    SikiCellGrid *TateGrid;
    QPushButton *ButtonIchi;
    QPushButton *ButtonSusumu;
    QPushButton *ButtonModosu;
    QPushButton *ButtonKetteiT;
    QPushButton *ButtonSetT;
    // The sheet options of a column problem, kept in the row's RandZ2:
    // "マス目を表示" (squares for the answer digits) and "くり上がりのメモ"
    // (a low row above the problem for carry marks). Read at "決定".
    QCheckBox *CheckMasu;
    QCheckBox *CheckMemo;
    // Why the column page has no layout for the input (empty while it has
    // one): shown in the tool itself, never as a box while typing.
    QLabel *LabelTate;
    // Page 2.
    QLineEdit *EditBunsu1T, *EditBunsu1S, *EditBunsu1B;
    QComboBox *ComboBunsu;
    QLineEdit *EditBunsu2T, *EditBunsu2S, *EditBunsu2B;
    QLineEdit *EditBunsuKT, *EditBunsuKS, *EditBunsuKB;
    QCheckBox *CheckKabunsu;
    QLineEdit *MemoBunsuSiki; // hidden fraction expression
    QPushButton *ButtonKetteiB;
    QPushButton *ButtonSetB;
    // Page 3.
    QLineEdit *EditBunsyoR1;
    QComboBox *ComboBunsyoR;
    QLineEdit *EditBunsyoR2;
    QPlainTextEdit *MemoBunsyoText;
    QPushButton *ButtonBunsyo1, *ButtonBunsyo2; // "①を挿入", "②を挿入"
    QComboBox *ComboBunsyoSiki;
    QLineEdit *EditBunsyo1;
    QLineEdit *EditBunsyo2;
    QComboBox *ComboBunsyoKotae;
    QLineEdit *EditBunsyoKotae;
    QComboBox *ComboBunsyoTani;
    QCheckBox *CheckBunsyoTani;
    QLabel *ImageBunsyoTani; // the picture of the answer line
    QPushButton *ButtonKetteiS;
    QPushButton *ButtonSetS;

signals:
    // A row was written: the main window redraws the pages and refreshes
    // its selection marks.
    void redrawRequested(int rowIndex);
    // "まとめて配置" placed a set: its rows, the problems and their numbers.
    void setPlaced(const QVector<int> &rows);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildYoko(QWidget *page);
    void buildTate(QWidget *page);
    void buildBunsu(QWidget *page);
    void buildBunsyo(QWidget *page);
    bool loadRow(int rowIndex, bool preview);
    void resetBunsyo();
    void loadBunsyo(const RAData &row);
    void showBunsyoTaniPicture();
    // One attempt of MakeRandom on the number pages: false when refused.
    bool drawNumbers(QString &siki, QString &x, QString &y, int &kigou);
    bool drawFractions();
    // "問題作成" refuses ranges of the current page beyond the generator's
    // limit with a message; true when every range can be used.
    bool checkRanges();
    bool setRandomRow(int page);
    QList<QLineEdit *> inputBoxes() const;

    // Column page helpers.
    void clearTate();
    void showTateReason(int code);
    void showTateRows(const QStringList &rows);
    void showWarizan();
    void showPreviewGrid(const HissanGrid &grid, int signRow, QChar sign,
                         const QList<QPoint> &markers);
    bool restoreTateRows(const RAData &row);
    // The two sheet options of the column page into the row's RandZ2, its
    // other pairs kept.
    void storeTateOptions(RAData &row) const;
    void fillTateRowFields(RAData &row) const;

    // The keys go to the first box of the page shown.
    void focusFirstBox();
    // Placement, font, page and mode of the row "決定" writes.
    void beginRow(RAData &row, int page) const;
    // "決定"'s steps on a page: its check, and its fields into a row.
    InputState checkPage(int page, QString &kotae, QString &message);
    static TSikiRandomPanel::Scope scopeOf(int page);
    void writePage(RAData &row, int page, const QString &kotae);
    TFormSikiSet *openSetDialog(const RAData &style, int page, bool fromRow);
    void endSetRun(bool placed);
    void finishRow(int rowIndex);
    SikiMeasurer &measurer();
    SikiMainSettings settings() const;

    Document &mDoc;
    SikiMeasurer *mMeasurer = nullptr;
    std::unique_ptr<SikiMeasurer> mFallbackMeasurer;
    const SikiSettingsSource *mSettings = nullptr;

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
    // The set dialog and what its "配置" places (made when first opened).
    class SetRun;
    std::unique_ptr<SetRun> mSetRun;
    QPointer<TFormSikiSet> mSetDialog;
    QStringList mRandomLog;
    int mRandomDuplicates = 0;
    bool mRandomWarning = false;
};

// The units the word-problem page offers ("こ" first, the default), and the
// hint of its unit box, which says that any other unit can be typed.
QStringList BunsyoTaniList();
QString BunsyoTaniHint();
