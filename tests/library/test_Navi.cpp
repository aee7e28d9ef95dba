// The print navigator: the library listing from headers, the filter, the
// start-up option file, the drawn list, clicking rows (open, close on the
// second click, header row, the last row, a vanished file) and the hover
// picture with its cache.
#include "document/UnitFile.h"
#include "library/UnitDrawnList.h"
#include "library/UnitNavi.h"
#include "platform/UnitMessages.h"
#include "support/PipeWriter.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace
{

void writeSheet(const QString &path, const QString &content, int grade, int subject,
                bool withText = true)
{
    Document doc;
    doc.Naiyou = content;
    doc.NenIndex = grade;
    doc.KyoukaIndex = subject;
    if (withText) {
        RAData row;
        row.Syu = QStringLiteral("1");
        row.Siki = QStringLiteral("■■■■■■■■");
        row.FontName = QStringLiteral("ＭＳ Ｐゴシック");
        row.FontSize = 48;
        row.X1 = 100;
        row.Y1 = 100;
        row.Layer = 1;
        doc.AData.append(row);
    }
    ASSERT_TRUE(SaveFileAll(path, doc, LayerWorksheet, 1).ok);
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}


class FakeNaviHost : public NaviHost
{
public:
    void NaviOpenFile(const QString &path) override { opened << path; }
    void NaviEmptyWorksheet() override { ++emptied; }
    void NaviToggleAnswer() override { ++toggles; }
    void NaviPrint() override { ++prints; }
    void NaviRegenerate() override { ++regenerations; }
    void NaviClassSet() override { ++classSets; }
    QStringList opened;
    int emptied = 0, toggles = 0, prints = 0, regenerations = 0, classSets = 0;
};

// A library of four worksheets, one upper-case .PRX and one broken file.
class Navi : public ::testing::Test
{
protected:
    void SetUp() override
    {
        lib = root.filePath(QStringLiteral("lib"));
        QDir().mkpath(lib);
        work = root.filePath(QStringLiteral("work"));
        QDir().mkpath(work);
        writeSheet(lib + "/b_hikizan.prx", QStringLiteral("ひき算 2年"), 2, 3);
        writeSheet(lib + "/a_tasizan.prx", QStringLiteral("たし算 1年"), 1, 3);
        writeSheet(lib + "/c_kanji.prx", QStringLiteral("かん字 2年"), 2, 1);
        writeSheet(lib + "/d_tasizan2.prx", QStringLiteral("たし算 2年"), 2, 3);
        writeSheet(lib + "/UPPER.PRX", QStringLiteral("大文字"), 2, 3);
        writeBytes(lib + "/broken.prx", QByteArray("\xff\xff\xff\xff", 4));
        Document doc;
        navi.setHost(&host);
        navi.SyokiForm(doc.BunruiData, lib, root.filePath("none"), root.filePath("none"), work);
    }

    QTemporaryDir root;
    QString lib, work;
    FakeNaviHost host;
    TFormNavi navi;
};

} // namespace

TEST(NaviFiles, StartOptionFileDefaultsToOnAndIsWrittenInThreeLines)
{
    QTemporaryDir work;
    const QString path = NaviFilePath(work.path());
    EXPECT_TRUE(LoadNavi(path));
    ASSERT_TRUE(SaveNavi(path, false));
    EXPECT_FALSE(LoadNavi(path));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("Tavenor,Print\r\n3,0\r\n0\r\n"));
    f.close();
    ASSERT_TRUE(SaveNavi(path, true));
    EXPECT_TRUE(LoadNavi(path));
    writeBytes(path, "Tavenor,Print\r\n3,0\r\n1 \r\n"); // only exactly "1" is on
    EXPECT_FALSE(LoadNavi(path));

    // A pipe in the place of the file is not read (a plain open would wait
    // for a writer), whatever it would say.
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    {
        PipeWriter writer(path, "Tavenor,Print\r\n3,0\r\n1\r\n");
        EXPECT_FALSE(LoadNavi(path));
    }
    ASSERT_TRUE(QFile::remove(path));

    // Through the window: the check box follows the file and writes it.
    TFormNavi navi;
    Document doc;
    ASSERT_TRUE(SaveNavi(path, true));
    navi.SyokiForm(doc.BunruiData, work.path(), work.path(), work.path(), work.path());
    EXPECT_TRUE(navi.showAtStart());
    navi.CheckStart->click();
    EXPECT_FALSE(navi.showAtStart());
    EXPECT_FALSE(LoadNavi(path));
}

TEST_F(Navi, TableListsLowerCasePrxFilesByNameWithTheirHeaders)
{
    QStringList unreadable;
    QVector<RNaviFile> table = MakeFileTable(lib, &unreadable);
    QStringList names;
    for (const RNaviFile &f : table)
        names << f.fileName;
    EXPECT_EQ(names, (QStringList{"a_tasizan.prx", "b_hikizan.prx", "broken.prx", "c_kanji.prx",
                                  "d_tasizan2.prx"}));
    EXPECT_EQ(unreadable, QStringList{"broken.prx"});
    EXPECT_EQ(table[2].grade, 0);
    EXPECT_TRUE(table[2].content.isEmpty());
    EXPECT_EQ(table[1].grade, 2);
    EXPECT_EQ(table[1].subject, 3);
    EXPECT_EQ(table[1].content, QStringLiteral("ひき算 2年"));
    EXPECT_TRUE(MakeFileTable(root.filePath("missing")).isEmpty());

    // Grade "２年", any subject, no keyword: grade 2 only.
    EXPECT_EQ(NaviListKensaku(table, 2, 0, QString()), (QVector<int>{1, 3, 4}));
    EXPECT_EQ(NaviListKensaku(table, 2, 3, QString()), (QVector<int>{1, 4}));
    EXPECT_EQ(table[3].match, 2);
    // The keyword looks into the content, never the file name.
    EXPECT_EQ(NaviListKensaku(table, 0, 0, QStringLiteral("たし算")), (QVector<int>{0, 4}));
    EXPECT_TRUE(NaviListKensaku(table, 0, 0, QStringLiteral("tasizan")).isEmpty());
    EXPECT_EQ(BunruiName(Document().BunruiData.Nen, -1), QString());
    EXPECT_EQ(BunruiName(Document().BunruiData.Nen, 99), QString());
}

TEST_F(Navi, OnlyRegularFilesAreListedHiddenOnesToo)
{
    const QString pipe = root.filePath(QStringLiteral("pipe"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    ASSERT_EQ(::mkfifo(QFile::encodeName(lib + "/x.prx").constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(pipe, lib + "/pipelink.prx"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), lib + "/zero.prx"));
    ASSERT_TRUE(QFile::link(root.filePath(QStringLiteral("nowhere")), lib + "/dangling.prx"));
    ASSERT_TRUE(QDir().mkpath(lib + "/folder.prx"));
    ASSERT_TRUE(QFile::link(lib + "/c_kanji.prx", lib + "/link.prx"));
    writeSheet(lib + "/.hidden.prx", QStringLiteral("かくれた"), 4, 3);

    QStringList unreadable;
    QVector<RNaviFile> table;
    {
        PipeWriter first(pipe), second(lib + "/x.prx");
        table = MakeFileTable(lib, &unreadable);
    }
    QStringList names;
    for (const RNaviFile &f : table)
        names << f.fileName;
    EXPECT_EQ(names, (QStringList{".hidden.prx", "a_tasizan.prx", "b_hikizan.prx", "broken.prx",
                                  "c_kanji.prx", "d_tasizan2.prx", "link.prx"}));
    EXPECT_EQ(unreadable, QStringList{"broken.prx"});
    ASSERT_FALSE(table.isEmpty());
    EXPECT_EQ(table[0].grade, 4);
    EXPECT_EQ(table[0].content, QStringLiteral("かくれた"));
    EXPECT_EQ(table.last().content, QStringLiteral("かん字 2年"));

    // The window lists the same rows and opens the hidden one like any other.
    ScriptedMessages messages;
    {
        PipeWriter first(pipe), second(lib + "/x.prx");
        navi.OpenLibrary(TFormNavi::Library::Sample);
    }
    EXPECT_EQ(navi.List->rowCount(), 7);
    EXPECT_EQ(messages.texts.size(), 1);
    navi.ListRowPressed(0);
    EXPECT_EQ(host.opened, QStringList{lib + "/.hidden.prx"});
}

TEST_F(Navi, LibraryPageListsFiltersAndShowsTheBrokenFileMessageOnce)
{
    ScriptedMessages messages;
    navi.OpenLibrary(TFormNavi::Library::Sample);
    EXPECT_TRUE(navi.onListPage());
    EXPECT_FALSE(navi.ButtonTop->isHidden());
    EXPECT_EQ(navi.ListCaption->text(), QStringLiteral("サンプルを開く"));
    EXPECT_EQ(navi.List->rowCount(), 5);
    ASSERT_EQ(messages.texts.size(), 1);
    EXPECT_EQ(messages.texts[0],
              QStringLiteral("ファイルが壊れています。読み込むことができません。"));

    navi.ComboNen->setCurrentIndex(2);
    navi.ButtonKensaku->click();
    EXPECT_EQ(navi.List->rowCount(), 3);
    navi.EditKeyword->setText(QStringLiteral("たし算"));
    navi.ButtonKensaku->click();
    EXPECT_EQ(navi.List->rowCount(), 1);

    // The sample library starts unfiltered; the others keep the boxes.
    navi.OpenLibrary(TFormNavi::Library::Sample);
    EXPECT_EQ(navi.ComboNen->currentIndex(), 0);
    navi.ButtonTop->click();
    EXPECT_FALSE(navi.onListPage());
    EXPECT_TRUE(navi.ListCaption->text().isEmpty());

    navi.OpenLibrary(TFormNavi::Library::Installed);
    EXPECT_EQ(navi.List->rowCount(), 0);
    EXPECT_EQ(navi.ListCaption->text(), QStringLiteral("インストールしたプリントファイルを開く"));

    // The buttons of the list page reach the editor.
    navi.ButtonKaitou->click();
    navi.ButtonPrint->click();
    navi.ButtonRandom->click();
    EXPECT_EQ(host.toggles, 1);
    EXPECT_EQ(host.prints, 1);
    EXPECT_EQ(host.regenerations, 1);
    EXPECT_EQ(host.classSets, 0);
    EXPECT_EQ(navi.ButtonClassSet->accessibleName(), QStringLiteral("クラス分作成…"));
    QTest::keyClick(navi.ButtonClassSet, Qt::Key_Space);
    EXPECT_EQ(host.classSets, 1);
}

TEST_F(Navi, ClickingOpensTheSameRowTwiceClosesAndTheHeaderClears)
{
    ScriptedMessages messages;
    navi.StartForm();
    navi.show();
    navi.OpenLibrary(TFormNavi::Library::Sample);
    const int n = navi.List->rowCount();
    ASSERT_EQ(n, 5);
    // The last row can be opened like any other.
    navi.ListRowPressed(n - 1);
    ASSERT_EQ(host.opened, QStringList{lib + "/d_tasizan2.prx"});
    EXPECT_EQ(navi.List->current(), n - 1);
    EXPECT_TRUE(navi.isVisible());
    navi.ListRowPressed(0);
    EXPECT_EQ(host.opened.last(), lib + "/a_tasizan.prx");
    EXPECT_TRUE(navi.isVisible());
    // The header clears the current row and opens nothing.
    navi.ListRowPressed(-1);
    EXPECT_EQ(navi.List->current(), -1);
    EXPECT_TRUE(navi.currentFile().isEmpty());
    EXPECT_EQ(host.opened.size(), 2);
    navi.ListRowPressed(1);
    EXPECT_EQ(host.opened.size(), 3);
    EXPECT_TRUE(navi.isVisible());
    navi.ListRowPressed(1); // the same row again
    EXPECT_EQ(host.opened.size(), 4);
    EXPECT_FALSE(navi.isVisible());

    // A file that vanished leaves an empty worksheet.
    navi.show();
    navi.OpenLibrary(TFormNavi::Library::Sample);
    QFile::remove(lib + "/c_kanji.prx");
    navi.ListRowPressed(3);
    EXPECT_EQ(host.emptied, 1);
    EXPECT_EQ(host.opened.size(), 4);
}

TEST_F(Navi, ListPressesMapToRowsThroughTheScrollPosition)
{
    ScriptedMessages messages;
    for (int i = 0; i < 20; ++i)
        writeSheet(lib + QStringLiteral("/z%1.prx").arg(i, 2, 10, QLatin1Char('0')),
                   QStringLiteral("れんしゅう"), 3, 3, false);
    navi.StartForm();
    navi.OpenLibrary(TFormNavi::Library::Sample);
    TDrawnList *list = navi.List;
    list->resize(400, 300);
    navi.ListKensaku();
    ASSERT_EQ(list->rowCount(), 25);
    EXPECT_EQ(list->rowAt(10), -1); // header
    EXPECT_EQ(list->rowAt(30), 0);
    EXPECT_EQ(list->rowAt(95), 2);
    EXPECT_TRUE(list->scrollBar()->isEnabled());
    list->scrollBar()->setValue(3);
    EXPECT_EQ(list->rowAt(30), 3);
    const int fit = (list->height() - 30) / 30;
    EXPECT_EQ(list->scrollBar()->maximum(), 25 - fit);
    list->scrollBar()->setValue(list->scrollBar()->maximum());
    // The last row is reachable at the bottom.
    EXPECT_EQ(list->rowAt(30 * fit + 5), 24);
    EXPECT_EQ(list->rowAt(30 * (fit + 1) + 5), -1);

    // One wheel notch moves the list by one row.
    list->scrollBar()->setValue(3);
    QWidget *area = list->listArea();
    QWheelEvent down(QPointF(10, 40), QPointF(10, 40), QPoint(), QPoint(0, -120), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(area, &down);
    EXPECT_EQ(list->scrollBar()->value(), 4);
    QWheelEvent up(QPointF(10, 40), QPointF(10, 40), QPoint(), QPoint(0, 240), Qt::NoButton,
                   Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(area, &up);
    EXPECT_EQ(list->scrollBar()->value(), 2);

    // Column bounds: c = Trunc(width / 3), grade and subject Trunc(c / 2) wide.
    const QVector<int> b = list->columnBounds();
    const int w = b.last();
    const int c = w / 3;
    EXPECT_EQ(b, (QVector<int>{0, c, c + c / 2, c + 2 * (c / 2), w}));

    navi.ComboNen->setCurrentIndex(5);
    navi.ListKensaku();
    EXPECT_EQ(list->rowCount(), 0);
    EXPECT_FALSE(list->scrollBar()->isEnabled());
}

TEST_F(Navi, DrawnListHighlightsTheCurrentRowAndShowsTheEmptyText)
{
    ScriptedMessages messages;
    navi.StartForm();
    navi.OpenLibrary(TFormNavi::Library::Sample);
    navi.List->resize(400, 200);
    navi.ListRowPressed(1);
    const QImage shown = navi.List->picture();
    const QColor highlight = navi.List->palette().color(QPalette::Highlight);
    // Row 2 on screen (y 60..89) is the second file; a point left of the
    // file picture shows the highlight, the row below does not.
    EXPECT_EQ(QColor(shown.pixel(4, 75)), highlight);
    EXPECT_NE(QColor(shown.pixel(4, 105)), highlight);

    navi.OpenLibrary(TFormNavi::Library::Saved);
    const QImage empty = navi.List->picture();
    bool grey = false;
    for (int y = 30; y < 60 && !grey; ++y)
        for (int x = 0; x < empty.width() && !grey; ++x)
            grey = QColor(empty.pixel(x, y)).red() < 0xC0;
    EXPECT_TRUE(grey) << "no empty-folder text under the header";
}

TEST_F(Navi, HoverShowsTheFirstPageRenderedOncePerFileVersion)
{
    ScriptedMessages messages;
    navi.StartForm();
    navi.OpenLibrary(TFormNavi::Library::Sample);
    NaviPreview &preview = navi.preview();
    const QString path = lib + "/a_tasizan.prx";
    const QPixmap first = preview.picture(path);
    ASSERT_FALSE(first.isNull());
    EXPECT_EQ(first.width(), 260);
    EXPECT_GT(first.height(), first.width()); // a portrait page
    // The big text of the sheet is drawn: some dark pixels.
    const QImage img = first.toImage();
    int dark = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            dark += QColor(img.pixel(x, y)).lightness() < 100;
    EXPECT_GT(dark, 20);
    preview.picture(path);
    EXPECT_EQ(preview.renderCount(), 1);
    writeSheet(path, QStringLiteral("かわった"), 1, 3, false);
    const QPixmap changed = preview.picture(path);
    EXPECT_EQ(preview.renderCount(), 2);
    EXPECT_TRUE(preview.picture(lib + "/broken.prx").isNull());

    navi.List->resize(400, 300);
    navi.List->showPreviewAt(35, QPoint(10, 10));
    EXPECT_TRUE(navi.List->previewPopup()->isVisible());
    navi.List->showPreviewAt(5, QPoint(10, 10)); // the header has no picture
    EXPECT_FALSE(navi.List->previewPopup()->isVisible());
}
