#include "library/UnitCloudDownload.h"

#include "library/UnitCloud.h"
#include "library/UnitDrawnList.h"
#include "library/UnitNavi.h"
#include "platform/UnitMessages.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QToolButton>
#include <QVBoxLayout>

namespace
{

void showRequestError(const CloudError &e)
{
    ShowError(QString::fromStdString(e.what()));
}

} // namespace

TFormCloudDownload::TFormCloudDownload(TInternet &internet, QWidget *parent)
    : QWidget(parent, Qt::Window), mInternet(internet)
{
    setWindowTitle(QStringLiteral("プリント クラウド"));
    StartPage = new QWidget(this);
    StartPage->setAutoFillBackground(true);
    StartPage->setStyleSheet(QStringLiteral("background: #fffff0;"));
    auto *column = new QVBoxLayout(StartPage);
    auto *title = new QLabel(QStringLiteral("プリント クラウド"), StartPage);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    column->addWidget(title);
    auto *text1 = new QLabel(
        QStringLiteral("このナビゲーションから、プリントファイルを開いたり、プリント クラウドを利用"
                       "して、プリントファイルの送受信が行えます。"),
        StartPage);
    text1->setWordWrap(true);
    column->addWidget(text1);
    column->addWidget(new QLabel(
        QStringLiteral(
            "開いたプリントファイルの問題・解答モードを切り替えたり、印刷を行うこともできます。"),
        StartPage));
    ButtonList = new QToolButton(StartPage);
    ButtonList->setIcon(NaviLibraryPicture(1));
    ButtonList->setIconSize(QSize(60, 60));
    ButtonList->setText(QStringLiteral("ファイルのリストを開く"));
    ButtonList->setAccessibleName(QStringLiteral("ファイルのリストを開く"));
    ButtonList->setToolTip(QStringLiteral("ファイルのリストを開く"));
    ButtonList->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    column->addSpacing(20);
    column->addWidget(ButtonList);
    column->addWidget(new QLabel(
        QStringLiteral("プリント クラウド サーバから、ファイルのリストをダウンロードします。"),
        StartPage));
    column->addStretch(1);
    connect(ButtonList, &QToolButton::clicked, this, [this] {
        if (ListDownload()) {
            StartPage->hide();
            ListPage->show();
        }
    });

    ListPage = new QWidget(this);
    auto button = [this](const QString &text) {
        auto *b = new QPushButton(text, ListPage);
        b->setAccessibleName(text);
        return b;
    };
    ComboNen = new QComboBox(ListPage);
    ComboNen->setAccessibleName(QStringLiteral("学年"));
    ComboKyouka = new QComboBox(ListPage);
    ComboKyouka->setAccessibleName(QStringLiteral("教科"));
    EditKeyword = new QLineEdit(ListPage);
    EditKeyword->setAccessibleName(QStringLiteral("キーワード"));
    ButtonKensaku = button(QStringLiteral("検索"));
    ButtonKaitou = button(QStringLiteral("表示切替"));
    ButtonPrint = button(QStringLiteral("印刷"));
    ButtonBack = button(QStringLiteral("戻る"));
    ButtonClose = button(QStringLiteral("閉じる"));
    List = new TDrawnList(ListPage);
    List->setColumns({QStringLiteral("更新日時"), QStringLiteral("学年"), QStringLiteral("教科"),
                      QStringLiteral("内容"), QStringLiteral("サイズ")},
                     [](int width) {
                         const int c = std::max(1, width / 3);
                         return QVector<int>{
                             0, c, c + c / 3, c + 2 * (c / 3), 2 * c + 2 * (c / 3), width};
                     });
    List->setEmptyText(QStringLiteral("このフォルダには、プリントファイルがありません。"));
    connect(List, &TDrawnList::rowPressed, this, &TFormCloudDownload::ListRowPressed);
    connect(ButtonKensaku, &QPushButton::clicked, this, &TFormCloudDownload::ListKensaku);
    connect(EditKeyword, &QLineEdit::returnPressed, this, &TFormCloudDownload::ListKensaku);
    connect(ButtonKaitou, &QPushButton::clicked, this, [this] {
        if (mHost)
            mHost->CloudToggleAnswer();
    });
    connect(ButtonPrint, &QPushButton::clicked, this, [this] {
        if (mHost)
            mHost->CloudPrint();
    });
    connect(ButtonBack, &QPushButton::clicked, this, &TFormCloudDownload::StartForm);
    connect(ButtonClose, &QPushButton::clicked, this, &QWidget::close);
    Wait = new TFormWait(this);
    resize(640, 460);
    StartForm();
}

TFormCloudDownload::~TFormCloudDownload() = default;

void TFormCloudDownload::SyokiForm(const RBunruiData &bunrui, const QString &workFolder,
                                   CloudHost *host)
{
    mBunrui = bunrui;
    mWorkFolder = workFolder;
    mHost = host;
    ComboNen->clear();
    ComboNen->addItems(bunrui.Nen);
    ComboKyouka->clear();
    ComboKyouka->addItems(bunrui.Kyouka);
    StartForm();
}

void TFormCloudDownload::StartForm()
{
    StartPage->show();
    ListPage->hide();
    MoveForm();
}

void TFormCloudDownload::MoveForm()
{
    const int w = width(), h = height();
    StartPage->setGeometry(0, 0, w, h);
    ListPage->setGeometry(0, 0, w, h);
    const int x0 = 10, w0 = 150;
    ComboNen->setGeometry(x0, 20, w0, 26);
    ComboKyouka->setGeometry(x0, 54, w0, 26);
    EditKeyword->setGeometry(x0, 88, w0, 26);
    ButtonKensaku->setGeometry(x0, 120, w0, 28);
    ButtonKaitou->setGeometry(x0, 170, w0, 28);
    ButtonPrint->setGeometry(x0, 204, w0, 28);
    List->setGeometry(170, 20, w - 180, h - 70);
    ButtonBack->setGeometry(170, h - 40, 100, 30);
    ButtonClose->setGeometry(w - 110, h - 40, 100, 30);
}

QString TFormCloudDownload::listPath() const
{
    return mWorkFolder + QStringLiteral("/DownLoad/list.txt");
}

QString TFormCloudDownload::downloadPath() const
{
    return mWorkFolder + QStringLiteral("/DownLoad/File.prx");
}

bool TFormCloudDownload::serverReady()
{
    QString problem;
    const QUrl url = LoadCloudServer(mWorkFolder, &problem);
    if (url.isEmpty()) {
        // An address set by a test or the tool stays when there is no file.
        if (mInternet.server().isValid() && !mInternet.server().host().isEmpty())
            return true;
        ShowMessage(problem, MsgIcon::Warning);
        return false;
    }
    mInternet.setServer(url);
    return true;
}

bool TFormCloudDownload::ListDownload()
{
    if (!serverReady())
        return false;
    QByteArray body;
    try {
        body = mInternet.GetList(ComboNen->currentIndex(), ComboKyouka->currentIndex());
    } catch (const CloudError &e) {
        showRequestError(e);
        return false;
    }
    QSaveFile file(listPath());
    if (file.open(QIODevice::WriteOnly) && file.write(body) == body.size())
        file.commit();
    mTable = ParseCloudList(body);
    mCurrent = -1;
    ListKensaku();
    return true;
}

void TFormCloudDownload::ListKensaku()
{
    mFiltered = CloudListKensaku(mTable, ComboNen->currentIndex(), ComboKyouka->currentIndex(),
                                 EditKeyword->text());
    drawList();
}

void TFormCloudDownload::drawList()
{
    QVector<QStringList> rows;
    int current = -1;
    for (int i : mFiltered) {
        const QStringList &f = mTable[i].fields;
        if (i == mCurrent)
            current = rows.size();
        const int64_t number = CloudNumber(f[13]);
        const int subject = number < 0 || number >= mBunrui.Kyouka.size() ? 0 : int(number);
        rows.append({CloudTimeText(f[7]), CloudGradeText(f[11]),
                     BunruiName(mBunrui.Kyouka, subject), f[4], CloudSizeText(f[3])});
    }
    List->setRows(rows);
    List->setCurrent(current);
}

void TFormCloudDownload::ListRowPressed(int row)
{
    if (row < 0 || row >= mFiltered.size() || mTable[mFiltered[row]].fileName().isEmpty()) {
        mCurrent = -1;
        drawList();
        return;
    }
    mCurrent = mFiltered[row];
    drawList();
    DownloadFile(mCurrent);
}

bool TFormCloudDownload::DownloadFile(int tableRow)
{
    if (tableRow < 0 || tableRow >= mTable.size())
        return false;
    // A name that could point outside the server's data folder stays in the
    // list but is never asked for.
    if (!CloudFileNameAllowed(mTable[tableRow].fileName())) {
        ShowMessage(CloudBadNameText, MsgIcon::Warning);
        return false;
    }
    Wait->adjustSize();
    Wait->move(geometry().center() - Wait->rect().center());
    Wait->show();
    setEnabled(false);
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    bool ok = true;
    try {
        mInternet.DownloadFile(mTable[tableRow].fileName(), downloadPath());
    } catch (const CloudError &e) {
        ok = false;
        setEnabled(true);
        Wait->hide();
        showRequestError(e);
    }
    setEnabled(true);
    Wait->hide();
    if (ok && mHost)
        mHost->CloudOpenFile(downloadPath());
    return ok;
}
