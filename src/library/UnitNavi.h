// The print navigator TFormNavi ("プリント ナビゲーション"): a modal window
// with a start page that offers the three local libraries (samples beside
// the program, installed files in the working folder, the teacher's saved
// files) and a list page that lists one library's worksheets with their
// grade, subject and content, filters them and opens the clicked one in the
// editor behind it. From the list page the teacher also switches answer
// display, prints and regenerates random problems of the open worksheet,
// and makes a class set of it (a different copy for every pupil).
//
// It reaches the editor only through NaviHost; it never changes a document
// itself, and reads library files only through their headers (and, for the
// hover picture, through the renderer).
#pragma once

#include "library/UnitNaviFiles.h"

#include <QDialog>
#include <QPixmap>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class TDrawnList;

// What the navigator asks of the editor (the main window implements it).
class NaviHost
{
public:
    virtual ~NaviHost() = default;
    // Empties the worksheet and opens the file by name; the save dialog
    // takes its bare name.
    virtual void NaviOpenFile(const QString &path) = 0;
    // Empties the worksheet to one A4 portrait page (the file vanished).
    virtual void NaviEmptyWorksheet() = 0;
    virtual void NaviToggleAnswer() = 0; // "表示切替"
    virtual void NaviPrint() = 0;        // "印刷"
    virtual void NaviRegenerate() = 0;   // "作成"
    virtual void NaviClassSet() = 0;     // "クラス分作成…"
};

// The painted start page: title bar, gradient, texts and the three picture
// buttons.
class TNaviStartPage : public QWidget
{
    Q_OBJECT
public:
    explicit TNaviStartPage(QWidget *parent = nullptr);
    QToolButton *ButtonSample = nullptr;
    QToolButton *ButtonInstalled = nullptr;
    QToolButton *ButtonSaved = nullptr;
    // The entry to the cloud exchange: it exists but is hidden from teachers.
    QToolButton *ButtonCloud = nullptr;

protected:
    void paintEvent(QPaintEvent *) override;
};

class TFormNavi : public QDialog
{
    Q_OBJECT
public:
    enum class Library { Sample, Installed, Saved };

    explicit TFormNavi(QWidget *parent = nullptr);

    // Start-up: caption, the classification boxes from the document's lists,
    // the library folders, the start page and the start-up option.
    void SyokiForm(const RBunruiData &bunrui, const QString &sampleFolder,
                   const QString &installedFolder, const QString &savedFolder,
                   const QString &workFolder);
    void setHost(NaviHost *host) { mHost = host; }
    // Before each showing: 640 x 460, the start page.
    void StartForm();
    void MoveForm();
    void LoadNavi();
    void SaveNavi();
    bool showAtStart() const;

    // Opens a library: the list page, its folder listed and its caption.
    void OpenLibrary(Library library);
    void MakeList(const QString &folder);
    void ListKensaku();
    // Opens the current row's file in the editor.
    void LoadFile();
    // A press on the list at row index (-1: header or empty space).
    void ListRowPressed(int row);

    const QVector<RNaviFile> &fileTable() const { return mTable; }
    const QVector<int> &filtered() const { return mFiltered; }
    QString listedFolder() const { return mFolder; }
    QString currentFile() const { return mCurrent; }
    bool onListPage() const;

    TNaviStartPage *StartPage = nullptr;
    QWidget *ListPage = nullptr;
    TDrawnList *List = nullptr;
    QLabel *ListCaption = nullptr;
    QComboBox *ComboNen = nullptr;
    QComboBox *ComboKyouka = nullptr;
    QLineEdit *EditKeyword = nullptr;
    QPushButton *ButtonKensaku = nullptr; // "検索"
    QPushButton *ButtonKaitou = nullptr;  // "表示切替"
    QPushButton *ButtonPrint = nullptr;   // "印刷"
    QPushButton *ButtonRandom = nullptr;  // "作成"
    QPushButton *ButtonClassSet = nullptr; // "クラス分作成…"
    QPushButton *ButtonTop = nullptr;     // "ナビゲーション トップへ"
    QPushButton *ButtonClose = nullptr;   // "閉じる"
    QCheckBox *CheckStart = nullptr;      // start-up option
    NaviPreview &preview() { return mPreview; }

signals:
    // The hidden cloud entry was pressed: the navigator has closed and the
    // editor opens the cloud window.
    void cloudRequested();

protected:
    void resizeEvent(QResizeEvent *) override { MoveForm(); }

private:
    void drawList();
    void backToTop();

    NaviHost *mHost = nullptr;
    RBunruiData mBunrui;
    QString mSampleFolder, mInstalledFolder, mSavedFolder, mNaviPath;
    QString mFolder;
    QVector<RNaviFile> mTable;
    QVector<int> mFiltered;
    QString mCurrent;
    QString mPrevious;
    NaviPreview mPreview;
};

// The small pictures of the navigator: the three library buttons and the
// file picture of the list, drawn once.
QPixmap NaviLibraryPicture(int which);
QPixmap NaviFilePicture();
