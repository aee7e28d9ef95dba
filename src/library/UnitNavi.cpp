#include "library/UnitNavi.h"

#include "library/UnitDrawnList.h"
#include "platform/UnitMessages.h"
#include "platform/UnitProduct.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QToolButton>

namespace
{

constexpr int TitleHeight = 32;
constexpr int SearchPanelWidth = 170;

struct PlacedText {
    int x, y;
    QString text;
    bool bold;
};

const PlacedText kStartTexts[] = {
    {60, 16, QStringLiteral("このナビゲーションから、プリントファイルを開くことができます。"),
     false},
    {60, 40,
     QStringLiteral(
         "開いたプリントファイルの問題・解答モードを切り替えたり、印刷を行うこともできます。"),
     false},
    {140, 100, QStringLiteral("サンプルを開く"), true},
    {160, 120, QStringLiteral("Tavenor プリント のサンプルファイルを開きます。"), false},
    {140, 190, QStringLiteral("インストールしたプリントファイルを開く"), true},
    {160, 210,
     QStringLiteral("インストールファイルからインストールしたプリントファイルを開きます。"), false},
    {140, 280, QStringLiteral("保存されたプリントファイルを開く"), true},
    {160, 300, QStringLiteral("保存されたプリントファイルを開いて、編集や印刷を行います。"), false},
};

const QString LibraryCaptions[] = {
    QStringLiteral("サンプルを開く"),
    QStringLiteral("インストールしたプリントファイルを開く"),
    QStringLiteral("保存されたプリントファイルを開く"),
};

QColor fromBgr(uint32_t bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

} // namespace

QPixmap NaviLibraryPicture(int which)
{
    QPixmap pm(64, 64);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor colours[] = {QColor(0x3A, 0x8F, 0xD8), QColor(0x4C, 0xAF, 0x50),
                              QColor(0xF0, 0x9A, 0x2A)};
    const QColor c = colours[std::clamp(which, 0, 2)];
    p.setPen(QPen(c.darker(140), 2));
    p.setBrush(c.lighter(150));
    p.drawRoundedRect(QRectF(4, 4, 56, 56), 8, 8);
    // A sheet of paper with lines: the worksheet.
    p.setBrush(Qt::white);
    p.drawRect(QRectF(18, 12, 28, 38));
    p.setPen(QPen(c.darker(120), 2));
    for (int y = 20; y <= 40; y += 7)
        p.drawLine(QPointF(23, y), QPointF(41, y));
    p.setPen(QPen(c.darker(160), 3));
    if (which == 1) { // installed: an arrow into the sheet
        p.drawLine(QPointF(50, 36), QPointF(50, 56));
        p.drawLine(QPointF(44, 50), QPointF(50, 56));
        p.drawLine(QPointF(56, 50), QPointF(50, 56));
    } else if (which == 2) { // saved: a folder tab
        p.setBrush(c);
        p.drawRect(QRectF(10, 44, 44, 12));
    } else { // samples: a star
        p.setBrush(QColor(0xFF, 0xD7, 0x00));
        QPainterPath star;
        for (int i = 0; i < 10; ++i) {
            const double r = (i % 2) ? 5 : 11;
            const double a = -M_PI / 2 + i * M_PI / 5;
            const QPointF pt(48 + r * std::cos(a), 48 + r * std::sin(a));
            i ? star.lineTo(pt) : star.moveTo(pt);
        }
        star.closeSubpath();
        p.setPen(QPen(QColor(0xB8, 0x86, 0x0B), 1));
        p.drawPath(star);
    }
    return pm;
}

QPixmap NaviFilePicture()
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(QColor(0x55, 0x77, 0xAA));
    p.setBrush(Qt::white);
    p.drawRect(2, 0, 11, 15);
    for (int y = 4; y <= 11; y += 3)
        p.drawLine(4, y, 11, y);
    return pm;
}

TNaviStartPage::TNaviStartPage(QWidget *parent) : QWidget(parent)
{
    auto makeButton = [this](int which, int y, const QString &name) {
        auto *b = new QToolButton(this);
        b->setIcon(NaviLibraryPicture(which));
        b->setIconSize(QSize(60, 60));
        b->setAutoRaise(true);
        b->setGeometry(60, TitleHeight + y, 64, 64);
        b->setToolTip(name);
        b->setAccessibleName(name);
        b->setCursor(Qt::PointingHandCursor);
        return b;
    };
    ButtonSample = makeButton(0, 90, LibraryCaptions[0]);
    ButtonInstalled = makeButton(1, 180, LibraryCaptions[1]);
    ButtonSaved = makeButton(2, 270, LibraryCaptions[2]);
    ButtonCloud = makeButton(0, 360, QStringLiteral("プリント クラウド"));
    ButtonCloud->hide();
}

void TNaviStartPage::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(QRect(0, 0, width(), TitleHeight), QColor(0x2F, 0x5D, 0x8A));
    QFont bold = font();
    bold.setBold(true);
    QFont plain = font();
    p.setFont(bold);
    p.setPen(Qt::white);
    p.drawText(QRect(16, 8, width() - 16, TitleHeight - 8), Qt::AlignLeft | Qt::AlignTop,
               QStringLiteral("プリント ナビゲーション"));
    const QRect body(0, TitleHeight, width(), height() - TitleHeight);
    QLinearGradient g(body.topLeft(), body.bottomLeft());
    g.setColorAt(0, fromBgr(0xFFFFF0));
    g.setColorAt(1, fromBgr(0xFFD8A9));
    p.fillRect(body, g);
    p.setPen(QColor(0x33, 0x33, 0x33));
    for (const PlacedText &t : kStartTexts) {
        p.setFont(t.bold ? bold : plain);
        p.drawText(QRect(t.x, TitleHeight + t.y, width() - t.x, 24), Qt::AlignLeft | Qt::AlignTop,
                   t.text);
    }
}

TFormNavi::TFormNavi(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(Product::DisplayName);
    StartPage = new TNaviStartPage(this);
    connect(StartPage->ButtonSample, &QToolButton::clicked, this,
            [this] { OpenLibrary(Library::Sample); });
    connect(StartPage->ButtonInstalled, &QToolButton::clicked, this,
            [this] { OpenLibrary(Library::Installed); });
    connect(StartPage->ButtonSaved, &QToolButton::clicked, this,
            [this] { OpenLibrary(Library::Saved); });
    connect(StartPage->ButtonCloud, &QToolButton::clicked, this, [this] {
        accept();
        emit cloudRequested();
    });
    CheckStart = new QCheckBox(QStringLiteral("次回起動時に、プリント ナビゲーションを開く"), this);
    connect(CheckStart, &QCheckBox::clicked, this, &TFormNavi::SaveNavi);

    ListPage = new QWidget(this);
    auto button = [this](const QString &text) {
        auto *b = new QPushButton(text, ListPage);
        b->setAccessibleName(text);
        return b;
    };
    auto *gradeLabel = new QLabel(QStringLiteral("学年"), ListPage);
    ComboNen = new QComboBox(ListPage);
    ComboNen->setAccessibleName(QStringLiteral("学年"));
    auto *subjectLabel = new QLabel(QStringLiteral("教科"), ListPage);
    ComboKyouka = new QComboBox(ListPage);
    ComboKyouka->setAccessibleName(QStringLiteral("教科"));
    auto *keywordLabel = new QLabel(QStringLiteral("キーワード"), ListPage);
    EditKeyword = new QLineEdit(ListPage);
    EditKeyword->setAccessibleName(QStringLiteral("キーワード"));
    ButtonKensaku = button(QStringLiteral("検索"));
    ButtonKaitou = button(QStringLiteral("表示切替"));
    ButtonPrint = button(QStringLiteral("印刷"));
    ButtonRandom = button(QStringLiteral("作成"));
    ButtonClassSet = button(QStringLiteral("クラス分作成…"));
    ButtonClassSet->setToolTip(
        QStringLiteral("ランダムの問題を1枚ずつ作り直して、人数分の問題と解答を印刷します"));
    auto *randomLabel = new QLabel(QStringLiteral("ランダム"), ListPage);
    ButtonTop = button(QStringLiteral("ナビゲーション トップへ"));
    ButtonClose = button(QStringLiteral("閉じる"));
    ListCaption = new QLabel(ListPage);
    QFont bold = ListCaption->font();
    bold.setBold(true);
    ListCaption->setFont(bold);
    List = new TDrawnList(ListPage);
    List->setColumns({QStringLiteral("ファイル名"), QStringLiteral("学年"), QStringLiteral("教科"),
                      QStringLiteral("内容")},
                     [](int width) {
                         const int c = std::max(1, width / 3);
                         return QVector<int>{0, c, c + c / 2, c + 2 * (c / 2), width};
                     });
    List->setEmptyText(QStringLiteral("このフォルダには、プリントファイルがありません。"));
    List->setFileIcon(NaviFilePicture());
    List->setHintText(
        QStringLiteral("ダブルクリックすると、ファイルを開いて、ナビゲーションを閉じます。"));
    List->setRowPreview([this](int row) {
        if (row < 0 || row >= mFiltered.size())
            return QPixmap();
        return mPreview.picture(QDir(mFolder).filePath(mTable[mFiltered[row]].fileName));
    });
    connect(List, &TDrawnList::rowPressed, this, &TFormNavi::ListRowPressed);
    connect(ButtonKensaku, &QPushButton::clicked, this, &TFormNavi::ListKensaku);
    connect(EditKeyword, &QLineEdit::returnPressed, this, &TFormNavi::ListKensaku);
    connect(ButtonKaitou, &QPushButton::clicked, this, [this] {
        if (mHost)
            mHost->NaviToggleAnswer();
    });
    connect(ButtonPrint, &QPushButton::clicked, this, [this] {
        if (mHost)
            mHost->NaviPrint();
    });
    connect(ButtonRandom, &QPushButton::clicked, this, [this] {
        if (mHost)
            mHost->NaviRegenerate();
    });
    connect(ButtonClassSet, &QPushButton::clicked, this, [this] {
        if (mHost)
            mHost->NaviClassSet();
    });
    connect(ButtonTop, &QPushButton::clicked, this, &TFormNavi::backToTop);
    connect(ButtonClose, &QPushButton::clicked, this, &QDialog::accept);

    // Fixed places: the search panel on the left, the list to its right.
    const int x0 = 10, w0 = SearchPanelWidth - 20;
    gradeLabel->setGeometry(x0, 40, w0, 18);
    ComboNen->setGeometry(x0, 58, w0, 26);
    subjectLabel->setGeometry(x0, 90, w0, 18);
    ComboKyouka->setGeometry(x0, 108, w0, 26);
    keywordLabel->setGeometry(x0, 140, w0, 18);
    EditKeyword->setGeometry(x0, 158, w0, 26);
    ButtonKensaku->setGeometry(x0, 190, w0, 28);
    ButtonKaitou->setGeometry(x0, 240, w0, 28);
    ButtonPrint->setGeometry(x0, 274, w0, 28);
    randomLabel->setGeometry(x0, 308, w0, 18);
    ButtonRandom->setGeometry(x0, 326, w0, 28);
    ButtonClassSet->setGeometry(x0, 360, w0, 28);
    MoveForm();
}

void TFormNavi::SyokiForm(const RBunruiData &bunrui, const QString &sampleFolder,
                          const QString &installedFolder, const QString &savedFolder,
                          const QString &workFolder)
{
    setWindowTitle(Product::DisplayName);
    mBunrui = bunrui;
    mSampleFolder = sampleFolder;
    mInstalledFolder = installedFolder;
    mSavedFolder = savedFolder;
    mNaviPath = NaviFilePath(workFolder);
    ComboNen->clear();
    ComboNen->addItems(bunrui.Nen);
    ComboNen->setCurrentIndex(0);
    ComboKyouka->clear();
    ComboKyouka->addItems(bunrui.Kyouka);
    ComboKyouka->setCurrentIndex(0);
    EditKeyword->clear();
    StartForm();
    LoadNavi();
}

void TFormNavi::StartForm()
{
    resize(640, 460);
    StartPage->show();
    CheckStart->show();
    ListPage->hide();
    ButtonTop->hide();
    MoveForm();
}

void TFormNavi::MoveForm()
{
    const int w = width(), h = height();
    StartPage->setGeometry(0, 0, w, h - 34);
    CheckStart->setGeometry(16, h - 30, w - 32, 24);
    ListPage->setGeometry(0, 0, w, h);
    ListCaption->setGeometry(SearchPanelWidth, 8, w - SearchPanelWidth - 10, 24);
    List->setGeometry(SearchPanelWidth, 36, w - SearchPanelWidth - 10, h - 36 - 46);
    ButtonTop->setGeometry(SearchPanelWidth, h - 40, 200, 30);
    ButtonClose->setGeometry(w - 110, h - 40, 100, 30);
}

bool TFormNavi::onListPage() const
{
    return !ListPage->isHidden();
}

void TFormNavi::LoadNavi()
{
    CheckStart->setChecked(::LoadNavi(mNaviPath));
}

void TFormNavi::SaveNavi()
{
    QString error;
    if (!mNaviPath.isEmpty() && !::SaveNavi(mNaviPath, CheckStart->isChecked(), &error))
        ShowError(error);
}

bool TFormNavi::showAtStart() const
{
    return CheckStart->isChecked();
}

void TFormNavi::OpenLibrary(Library library)
{
    StartPage->hide();
    CheckStart->hide();
    ListPage->show();
    ButtonTop->show();
    if (library == Library::Sample) {
        ComboNen->setCurrentIndex(0);
        ComboKyouka->setCurrentIndex(0);
    }
    const QString folder = library == Library::Sample      ? mSampleFolder
                           : library == Library::Installed ? mInstalledFolder
                                                           : mSavedFolder;
    MakeList(folder);
    ListCaption->setText(LibraryCaptions[int(library)]);
    MoveForm();
}

void TFormNavi::MakeList(const QString &folder)
{
    mFolder = folder;
    mCurrent.clear();
    mPrevious.clear();
    QStringList unreadable;
    mTable = MakeFileTable(folder, &unreadable);
    // One message per listing, however many files were refused.
    if (!unreadable.isEmpty())
        ShowMessage(QStringLiteral("ファイルが壊れています。読み込むことができません。"),
                    MsgIcon::None);
    ListKensaku();
}

void TFormNavi::ListKensaku()
{
    mFiltered = NaviListKensaku(mTable, ComboNen->currentIndex(), ComboKyouka->currentIndex(),
                                EditKeyword->text());
    drawList();
}

void TFormNavi::drawList()
{
    QVector<QStringList> rows;
    int current = -1;
    for (int i : mFiltered) {
        const RNaviFile &f = mTable[i];
        if (f.fileName == mCurrent && !mCurrent.isEmpty())
            current = rows.size();
        rows.append({f.fileName, BunruiName(mBunrui.Nen, f.grade),
                     BunruiName(mBunrui.Kyouka, f.subject), f.content});
    }
    List->setRows(rows);
    List->setCurrent(current);
}

void TFormNavi::ListRowPressed(int row)
{
    if (row < 0 || row >= mFiltered.size()) {
        mCurrent.clear();
        drawList();
        return;
    }
    mCurrent = mTable[mFiltered[row]].fileName;
    drawList();
    LoadFile();
    if (mCurrent != mPrevious) {
        mPrevious = mCurrent;
    } else {
        // The same row a second time: the teacher has what she wanted.
        accept();
    }
}

void TFormNavi::LoadFile()
{
    if (!mHost || mCurrent.isEmpty())
        return;
    const QString path = QDir(mFolder).filePath(mCurrent);
    if (!QFileInfo::exists(path)) {
        mHost->NaviEmptyWorksheet();
        return;
    }
    mHost->NaviOpenFile(path);
}

void TFormNavi::backToTop()
{
    ListCaption->clear();
    StartForm();
}
