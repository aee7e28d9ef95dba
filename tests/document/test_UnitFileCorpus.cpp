// Replays the fuzzing corpus through the readers on every test run. Files
// named valid_* must be read, broken_* must be refused with a message; any
// other file (a case the fuzzer found) must simply be handled.
#include "document/UnitFile.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

TEST(UnitFileCorpus, EveryCorpusFileIsHandled)
{
    const QDir dir(QStringLiteral(TAVENOR_SOURCE_DIR "/tests/fuzz/corpus"));
    const QStringList names = dir.entryList(QDir::Files, QDir::Name);
    ASSERT_GE(names.size(), 5);
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    for (const QString &name : names) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
        const QByteArray bytes = f.readAll();
        Document doc;
        const FileResult worksheet = ParseFileAll(bytes, doc);
        NameFieldFile nameField;
        const FileResult prn = ParseFile(bytes, nameField);
        QStringList header;
        ParseFileHeaderList(bytes, header);
        const std::string file = name.toStdString();
        if (!worksheet.ok) {
            EXPECT_FALSE(worksheet.message.isEmpty()) << file;
        }
        if (name.startsWith(QLatin1String("valid_")) && name.endsWith(QLatin1String(".prx"))) {
            EXPECT_TRUE(worksheet.ok) << file;
        }
        if (name.startsWith(QLatin1String("valid_")) && name.endsWith(QLatin1String(".prn"))) {
            EXPECT_TRUE(prn.ok) << file;
        }
        if (name.startsWith(QLatin1String("broken_"))) {
            EXPECT_FALSE(worksheet.ok) << file;
        }
        if (prn.ok) {
            Document target;
            LoadData1(target, nameField.objectLines, 0);
        }
    }
    qInstallMessageHandler(previous);
}
