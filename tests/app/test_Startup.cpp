// Start-up and the guards that keep exceptions inside: the file argument,
// the tool's commands, and Qt's Japanese texts for the standard dialogs.
#include "app/Unit1.h"
#include "app/UnitEditWiring.h"
#include "app/UnitStartup.h"
#include "app/tools/ToolMain.h"
#include "platform/UnitMessages.h"
#include "support/FakePrinter.h"
#include "support/WorksheetBytes.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTranslator>
#include <gtest/gtest.h>
#include <stdexcept>

TEST(Startup, NoExceptionLeavesAGuardedPiece)
{
    ScriptedMessages messages;
    EXPECT_TRUE(RunGuarded([] {}));
    EXPECT_FALSE(RunGuarded([] { throw std::runtime_error("書けませんでした。"); }));
    EXPECT_FALSE(RunGuarded([] { throw 42; }));
    ASSERT_EQ(messages.texts.size(), 2);
    EXPECT_EQ(messages.texts[0], "書けませんでした。");
    EXPECT_EQ(messages.texts[1], "予期しないエラーが発生しました。");
    EXPECT_EQ(messages.captions[0], "Tavenor プリント");
}

TEST(Startup, AnArgumentFileThatFailsLeavesAnEmptyWorksheet)
{
    FakeA4 fake;
    ScriptedMessages messages;
    QTemporaryDir dir;
    const QString path = dir.filePath("a.prx");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(wsbytes::Container{}.bytes());
    f.close();

    // The open fails half way, after the worksheet was already replaced.
    struct FailingForm : TForm1 {
        void worksheetRead() override
        {
            doc().AData.append(RAData{});
            throw std::runtime_error("壊れています。");
        }
    } form;
    EXPECT_NO_THROW(StartEditor(form, path));
    ASSERT_EQ(messages.texts.size(), 1);
    EXPECT_EQ(messages.texts[0], "壊れています。");
    EXPECT_TRUE(form.doc().AData.isEmpty());
    EXPECT_EQ(form.pages().count(), 1);
    EXPECT_EQ(form.pageArea() != nullptr, true);
    EXPECT_NE(form.editing().controller, nullptr);
}

TEST(Startup, DamagedPaperValuesNeverEscapeTheStart)
{
    FakeA4 fake;
    ScriptedMessages messages;
    QTemporaryDir dir;
    for (const char *bad : {"-abc", "--3"}) {
        wsbytes::Container c;
        c.printer =
            QList<QByteArray>{"Tavenor Print,PrinterSetting", "0.6", "---", "9", "1", bad, "297"};
        const QString path = dir.filePath(QStringLiteral("bad%1.prx").arg(bad));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(c.bytes());
        f.close();
        TForm1 form;
        EXPECT_NO_THROW(StartEditor(form, path)) << bad;
        EXPECT_GE(form.pages().count(), 1) << bad;
    }
}

TEST(Startup, ToolCommandsEndInAMessageAndStatusOne)
{
    QString outText, errText;
    QTextStream out(&outText), err(&errText);
    const ToolCommand throwing{"boom", "boom",
                               [](const QStringList &, QTextStream &, QTextStream &) -> int {
                                   throw std::runtime_error("壊れた値");
                               }};
    EXPECT_EQ(RunToolCommand(throwing, {}, out, err), 1);
    err.flush();
    EXPECT_TRUE(errText.contains("壊れた値"));
    const ToolCommand fine{"fine", "fine",
                           [](const QStringList &, QTextStream &, QTextStream &) { return 0; }};
    EXPECT_EQ(RunToolCommand(fine, {}, out, err), 0);

    // A worksheet with a damaged paper value: the tool never aborts.
    QTemporaryDir dir;
    wsbytes::Container c;
    c.printer =
        QList<QByteArray>{"Tavenor Print,PrinterSetting", "0.6", "---", "9", "1", "-abc", "297"};
    const QString path = dir.filePath("bad.prx");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(c.bytes());
    f.close();
    for (const QStringList &args : {QStringList{"render", path, "-o", dir.filePath("p.png")},
                                    QStringList{"pdf", path, "-o", dir.filePath("p.pdf")}}) {
        QProcess p;
        p.start(QStringLiteral(TAVENOR_TOOL_PATH), args);
        ASSERT_TRUE(p.waitForFinished(30000));
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit) << args[0].toStdString();
        if (p.exitCode() != 0) {
            EXPECT_EQ(p.exitCode(), 1);
            EXPECT_FALSE(p.readAllStandardError().isEmpty());
        }
    }
}

TEST(Startup, QtsStandardDialogsSpeakJapanese)
{
    QTranslator *translator = InstallQtTranslations(*QCoreApplication::instance());
    ASSERT_NE(translator, nullptr) << "qt6-translations-l10n is not installed";
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes").remove('&'),
              QString("はい(Y)"));
    EXPECT_NE(QCoreApplication::translate("QFileDialog", "Save As"), QString("Save As"));
    EXPECT_NE(QCoreApplication::translate("QPrintDialog", "Print"), QString("Print"));
    QCoreApplication::removeTranslator(translator);
    delete translator;
}
