// The cloud download window TFormCloudDownload: a start page with one
// picture button that fetches the list of shared worksheets from the cloud
// server, and a list page that filters that list by grade, subject and
// keyword and downloads and opens the pressed row (ListDownload,
// ListKensaku, DownloadFile). A failed request shows the error box and
// changes nothing; a download replaces the open worksheet without asking. A
// row whose file name could reach outside the server's data folder is
// listed, and pressing it only says that it cannot be downloaded.
#pragma once

#include "document/UnitData.h"
#include "library/UnitInternet.h"

#include <QWidget>

class CloudHost;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class TDrawnList;
class TFormWait;

class TFormCloudDownload : public QWidget
{
    Q_OBJECT
public:
    TFormCloudDownload(TInternet &internet, QWidget *parent = nullptr);
    ~TFormCloudDownload() override;

    void SyokiForm(const RBunruiData &bunrui, const QString &workFolder, CloudHost *host);
    // Before each showing: the start page.
    void StartForm();
    void MoveForm();

    // Fetches the list with the chosen grade and subject; false when the
    // request failed (the error was shown) or no server is set.
    bool ListDownload();
    void ListKensaku();
    // Downloads the row's file into DownLoad/File.prx and opens it.
    bool DownloadFile(int row);
    void ListRowPressed(int row);

    const QVector<RCloudRow> &table() const { return mTable; }
    const QVector<int> &filtered() const { return mFiltered; }
    QString listPath() const;
    QString downloadPath() const;

    QWidget *StartPage = nullptr;
    QToolButton *ButtonList = nullptr; // "ファイルのリストを開く"
    QWidget *ListPage = nullptr;
    TDrawnList *List = nullptr;
    QComboBox *ComboNen = nullptr;
    QComboBox *ComboKyouka = nullptr;
    QLineEdit *EditKeyword = nullptr;
    QPushButton *ButtonKensaku = nullptr;
    QPushButton *ButtonKaitou = nullptr;
    QPushButton *ButtonPrint = nullptr;
    QPushButton *ButtonBack = nullptr;  // "戻る"
    QPushButton *ButtonClose = nullptr; // "閉じる"
    TFormWait *Wait = nullptr;

protected:
    void resizeEvent(QResizeEvent *) override { MoveForm(); }

private:
    void drawList();
    bool serverReady();

    TInternet &mInternet;
    CloudHost *mHost = nullptr;
    RBunruiData mBunrui;
    QString mWorkFolder;
    QVector<RCloudRow> mTable;
    QVector<int> mFiltered;
    int mCurrent = -1;
};
