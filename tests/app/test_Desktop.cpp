// The editor as a desktop program: --version and --help of both programs,
// the sample library of a built and of an installed program, the menu
// "ヘルプ" with the guide and the about box, the window icon, and a
// name-field file named on the command line.
#include "app/Unit1.h"
#include "app/UnitAbout.h"
#include "app/UnitCommandLine.h"
#include "app/UnitHelp.h"
#include "app/UnitLibraryWiring.h"
#include "document/UnitFile.h"
#include "platform/UnitMessages.h"
#include "platform/UnitProduct.h"
#include "support/BoxRow.h"
#include "support/FakePrinter.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QUndoStack>
#include <gtest/gtest.h>

namespace
{
struct ProgramRun {
    int exitCode = -1;
    QString out;
    QString err;
};

ProgramRun runProgram(const QString &program, const QStringList &args)
{
    QProcess p;
    // No display and no platform: the information options need neither.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    p.setProcessEnvironment(env);
    p.start(program, args);
    if (!p.waitForFinished(60000))
        return {};
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

QAction *menuAction(QMenu *menu, const QString &text)
{
    for (QAction *a : menu->actions())
        if (a->text() == text)
            return a;
    return nullptr;
}
} // namespace

TEST(Desktop, InformationOptionsAreFoundAndOtherArgumentsStayFiles)
{
    EXPECT_EQ(FindInfoOption(QStringList{}), InfoOption::None);
    EXPECT_EQ(FindInfoOption(QStringList{"sheet.prx"}), InfoOption::None);
    EXPECT_EQ(FindInfoOption(QStringList{"-platform", "offscreen", "a.prx"}), InfoOption::None);
    EXPECT_EQ(FindInfoOption(QStringList{"--version"}), InfoOption::Version);
    EXPECT_EQ(FindInfoOption(QStringList{"-v"}), InfoOption::Version);
    EXPECT_EQ(FindInfoOption(QStringList{"--help"}), InfoOption::Help);
    EXPECT_EQ(FindInfoOption(QStringList{"a.prx", "-h", "--version"}), InfoOption::Help);
    // Near misses are file names, as before.
    EXPECT_EQ(FindInfoOption(QStringList{"--versions", "-help", "--Help"}), InfoOption::None);

    char prog[] = "tavenor-print", version[] = "--version";
    char *argv[] = {prog, version};
    EXPECT_EQ(FindInfoOption(2, argv), InfoOption::Version);
    // The program's own name is not an argument.
    char *only[] = {version};
    EXPECT_EQ(FindInfoOption(1, only), InfoOption::None);
}

TEST(Desktop, BothProgramsAnswerVersionAndHelpWithoutADisplay)
{
    const QString line = QStringLiteral("%1 (ビルド 20131204001)").arg(TAVENOR_VERSION);
    const ProgramRun v = runProgram(TAVENOR_EDITOR_PATH, {"--version"});
    EXPECT_EQ(v.exitCode, 0) << v.err.toStdString();
    EXPECT_EQ(v.out, QStringLiteral("Tavenor プリント ") + line + "\n");
    EXPECT_EQ(v.out, VersionLine(Product::DisplayName) + "\n");

    const ProgramRun h = runProgram(TAVENOR_EDITOR_PATH, {"--help"});
    EXPECT_EQ(h.exitCode, 0) << h.err.toStdString();
    EXPECT_EQ(h.out, EditorHelpText());
    EXPECT_TRUE(h.out.startsWith("使い方: tavenor-print [ファイル.prx | ファイル.prn]\n"));
    EXPECT_TRUE(h.out.contains("--version")) << h.out.toStdString();
    EXPECT_TRUE(h.out.contains("http://www.tavenor.jp/"));

    const ProgramRun tv = runProgram(TAVENOR_TOOL_PATH, {"--version"});
    EXPECT_EQ(tv.exitCode, 0) << tv.err.toStdString();
    EXPECT_EQ(tv.out, QStringLiteral("tavenor-print-tool ") + line + "\n");

    // The tool's help lists its commands on standard output and succeeds;
    // an unknown command still shows them on standard error and fails.
    const ProgramRun th = runProgram(TAVENOR_TOOL_PATH, {"-h"});
    EXPECT_EQ(th.exitCode, 0) << th.err.toStdString();
    EXPECT_TRUE(th.out.contains("  tavenor-print-tool keisan EXPR\n")) << th.out.toStdString();
    EXPECT_TRUE(th.out.contains("tavenor-print-tool --version"));
    EXPECT_TRUE(th.err.isEmpty()) << th.err.toStdString();
    const ProgramRun bad = runProgram(TAVENOR_TOOL_PATH, {"--nonsense"});
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_TRUE(bad.out.isEmpty());
    EXPECT_TRUE(bad.err.contains("  tavenor-print-tool keisan EXPR\n"));
}

TEST(Desktop, TheSampleLibraryIsBesideTheBuiltProgramOrInTheInstalledDataFolder)
{
    QTemporaryDir root;
    const QString bin = root.filePath("usr/bin");
    ASSERT_TRUE(QDir().mkpath(bin));
    // Neither copy: the folder beside the program (the navigator lists none).
    EXPECT_EQ(SampleFolderFor(bin), bin + "/Navi");

    const QString installed = QDir::cleanPath(bin + "/" TAVENOR_SAMPLES_FROM_BIN);
    ASSERT_TRUE(installed.startsWith(root.path() + "/usr/")) << installed.toStdString();
    ASSERT_TRUE(QDir().mkpath(installed));
    EXPECT_EQ(SampleFolderFor(bin), installed);

    // In the build folder the samples lie beside the program, and win.
    ASSERT_TRUE(QDir().mkpath(bin + "/Navi"));
    EXPECT_EQ(SampleFolderFor(bin), bin + "/Navi");

    // A file of that name is not a library.
    QTemporaryDir other;
    QFile stray(other.filePath("Navi"));
    ASSERT_TRUE(stray.open(QIODevice::WriteOnly));
    stray.close();
    EXPECT_EQ(SampleFolderFor(other.path()), other.path() + "/Navi");
}

TEST(Desktop, TheHelpMenuOpensTheGuideAndTheAboutBoxAndEscapeClosesThem)
{
    FakeA4 fake;
    TForm1 form;
    form.SyokiForm(QString());
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));

    ASSERT_NE(form.MenuHelp, nullptr);
    EXPECT_EQ(form.menuBar()->actions().last()->text(), "ヘルプ");
    EXPECT_EQ(menuAction(form.MenuHelp, "使い方"), form.ActionGuide);
    EXPECT_EQ(menuAction(form.MenuHelp, "バージョン情報"), form.ActionAbout);
    EXPECT_EQ(form.ActionGuide->shortcut(), QKeySequence(QKeySequence::HelpContents));

    // "使い方": a window beside the editor with the guide of the everyday steps.
    form.ActionGuide->trigger();
    ASSERT_TRUE(form.FormHelp->isVisible());
    EXPECT_FALSE(form.FormHelp->isModal());
    const QString guide = form.FormHelp->Guide->toPlainText();
    for (const char *step : {"新規作成", "数式", "作成", "解答表示", "印刷", "ナビ", "名前欄"})
        EXPECT_TRUE(guide.contains(QString::fromUtf8(step))) << step;
    EXPECT_EQ(form.FormHelp->Guide->accessibleName(), "使い方");
    QTest::keyClick(form.FormHelp->Guide, Qt::Key_Escape);
    EXPECT_FALSE(form.FormHelp->isVisible());
    // Shown again, and closed with its button.
    form.ActionGuide->trigger();
    ASSERT_TRUE(form.FormHelp->isVisible());
    form.FormHelp->ButtonClose->click();
    EXPECT_FALSE(form.FormHelp->isVisible());

    // "バージョン情報": modal, with name, the build's version and build, the
    // credit notice and the web site.
    TFormAbout *about = form.FormAbout;
    form.ActionAbout->trigger();
    ASSERT_TRUE(about->isVisible());
    EXPECT_TRUE(about->isModal());
    EXPECT_EQ(about->LabelName->text(), "Tavenor プリント");
    EXPECT_EQ(about->LabelVersion->text(),
              QStringLiteral("バージョン %1（ビルド 20131204001）").arg(TAVENOR_VERSION));
    EXPECT_FALSE(about->LabelCredit->text().isEmpty());
    EXPECT_EQ(about->ButtonWebSite->text(), "http://www.tavenor.jp/");
    EXPECT_EQ(about->ButtonWebSite->accessibleName(), "タヴェナー WEBサイトを開く");
    EXPECT_FALSE(about->ButtonClose->toolTip().isEmpty());

    // The link asks for the site by mouse and by keyboard, and leaves the
    // box open. The test takes the request instead of the browser.
    QObject::disconnect(about, &TFormAbout::openUrlRequested, &form, nullptr);
    QSignalSpy asked(about, &TFormAbout::openUrlRequested);
    QTest::mouseClick(about->ButtonWebSite, Qt::LeftButton);
    about->ButtonWebSite->setFocus();
    QTest::keyClick(about->ButtonWebSite, Qt::Key_Space);
    ASSERT_EQ(asked.size(), 2);
    EXPECT_EQ(asked[0][0].toUrl(), QUrl("http://www.tavenor.jp/"));
    EXPECT_TRUE(about->isVisible());

    QTest::keyClick(about, Qt::Key_Escape);
    EXPECT_FALSE(about->isVisible());
    form.ActionAbout->trigger();
    ASSERT_TRUE(about->isVisible());
    QTest::keyClick(about->ButtonClose, Qt::Key_Return);
    EXPECT_FALSE(about->isVisible());
}

TEST(Desktop, TheProgramIconHasEverySizeTheDesktopUses)
{
    const QIcon icon = ProgramIcon();
    ASSERT_FALSE(icon.isNull());
    const QList<QSize> sizes = icon.availableSizes();
    for (int s : {16, 24, 32, 48, 64, 128, 256})
        EXPECT_TRUE(sizes.contains(QSize(s, s))) << s;
    // Drawn, not empty: the middle of the 48 pixel icon is the white sheet.
    const QImage image = icon.pixmap(48, 48).toImage();
    ASSERT_EQ(image.size(), QSize(48, 48));
    EXPECT_GT(qAlpha(image.pixel(24, 24)), 200);
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
}

TEST(Desktop, ANameFieldFileOnTheCommandLineGivesTheNewWorksheetItsNameField)
{
    FakeA4 fake;
    QTemporaryDir dir;
    Document source;
    AddBoxRow(source, 10, 20, 200, 40);
    source.AData[0].Layer = LayerNameField;
    AddBoxRow(source, 50, 300, 100, 100); // a sheet object: not in the file
    const QString prn = dir.filePath("namae.PRN");
    ASSERT_TRUE(SaveFileAll(prn, source, LayerNameField).ok);

    {
        ScriptedMessages messages;
        TForm1 form;
        form.SyokiForm(prn);
        EXPECT_TRUE(messages.texts.isEmpty()) << messages.texts.join("|").toStdString();
        ASSERT_EQ(form.doc().AData.size(), 1);
        EXPECT_EQ(form.doc().AData[0].Layer, LayerNameField);
        EXPECT_EQ(form.doc().AData[0].Width, 200);
        // A new worksheet with no file of its own; the name field is one
        // undoable step, and unsaved.
        EXPECT_TRUE(form.fileCommands().SaveOverFileName.isEmpty());
        EXPECT_TRUE(form.doc().FileData.HensyuB);
        form.doc().undoStack().undo();
        EXPECT_TRUE(form.doc().AData.isEmpty());
        EXPECT_FALSE(form.doc().FileData.HensyuB);
    }

    // A broken name-field file says so and leaves the empty worksheet.
    const QString broken = dir.filePath("broken.prn");
    QFile f(broken);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    // (Split, or "\x00ab" would be one escape: the literal held 5 bytes.)
    f.write("\x03\x00\x00\x00" "ab", 6);
    f.close();
    ScriptedMessages messages;
    TForm1 form;
    form.SyokiForm(broken);
    ASSERT_EQ(messages.texts.size(), 1);
    EXPECT_EQ(messages.texts[0], CorruptFileMessage());
    EXPECT_TRUE(form.doc().AData.isEmpty());
    EXPECT_EQ(form.pages().count(), 1);
}
