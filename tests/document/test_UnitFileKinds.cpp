// What the worksheet readers do with things in a folder that are not
// worksheet files: named pipes (which would make a plain open wait for a
// writer), links to devices that never end, links to regular files, and
// files larger than any worksheet the reader accepts. Every reader answers
// at once with a message and changes nothing.
#include "document/UnitFile.h"
#include "support/PipeWriter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace
{

const QString kNotAFile = QStringLiteral("通常のファイルではないため、読み込むことができません。");
const QString kTooLarge = QStringLiteral("ファイルが大きすぎるため、読み込むことができません。");

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray smallWorksheet()
{
    Document doc;
    doc.Naiyou = QStringLiteral("ひき算");
    doc.NenIndex = 1;
    doc.KyoukaIndex = 3;
    return BuildFileBytes(doc, LayerWorksheet, 1);
}

} // namespace

TEST(UnitFileKinds, OnlyRegularFilesAreReadAndEveryReadIsBounded)
{
    QTemporaryDir dir;
    const QString pipe = dir.filePath(QStringLiteral("pipe.prx"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QString pipeLink = dir.filePath(QStringLiteral("pipelink.prx"));
    ASSERT_TRUE(QFile::link(pipe, pipeLink));
    const QString nullLink = dir.filePath(QStringLiteral("null.prx"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/null"), nullLink));
    const QString zeroLink = dir.filePath(QStringLiteral("zero.prx"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), zeroLink));
    const QString folder = dir.filePath(QStringLiteral("folder.prx"));
    ASSERT_TRUE(QDir().mkpath(folder));

    Document doc;
    doc.Naiyou = QStringLiteral("そのまま");
    NameFieldFile nameField;
    nameField.objectLines = {QStringLiteral("kept")};
    QStringList header{QStringLiteral("kept")};
    for (const QString &path : {pipe, pipeLink, nullLink, zeroLink, folder}) {
        SCOPED_TRACE(path.toStdString());
        FileResult r;
        {
            PipeWriter writer(pipe);
            r = LoadFileAll(path, doc);
        }
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.message, kNotAFile);
        {
            PipeWriter writer(pipe);
            r = LoadFile(path, nameField);
        }
        EXPECT_EQ(r.message, kNotAFile);
        {
            PipeWriter writer(pipe);
            r = LoadFileHeaderList(path, header);
        }
        EXPECT_EQ(r.message, kNotAFile);
        {
            PipeWriter writer(pipe);
            r = LoadNameField(path, doc);
        }
        EXPECT_EQ(r.message, kNotAFile);
    }
    EXPECT_EQ(doc.Naiyou, QStringLiteral("そのまま"));
    EXPECT_EQ(nameField.objectLines, QStringList{QStringLiteral("kept")});
    EXPECT_EQ(header, QStringList{QStringLiteral("kept")});

    // A link to a worksheet is the worksheet.
    const QString sheet = dir.filePath(QStringLiteral("sheet.prx"));
    ASSERT_TRUE(writeFile(sheet, smallWorksheet()));
    const QString sheetLink = dir.filePath(QStringLiteral("sheetlink.prx"));
    ASSERT_TRUE(QFile::link(sheet, sheetLink));
    Document read;
    ASSERT_TRUE(LoadFileAll(sheetLink, read).ok);
    EXPECT_EQ(read.Naiyou, QStringLiteral("ひき算"));
    ASSERT_TRUE(LoadFileHeaderList(sheetLink, header).ok);
    EXPECT_EQ(header.value(2), QStringLiteral("ひき算"));

    // One byte more than the largest worksheet the reader accepts (1 GiB; a
    // sparse file, so that it costs no disk) is refused before any of it is
    // read. Its header alone is small and can still be listed.
    const QString huge = dir.filePath(QStringLiteral("huge.prx"));
    ASSERT_TRUE(writeFile(huge, smallWorksheet()));
    ASSERT_TRUE(QFile::resize(huge, (qint64(1) << 30) + 1));
    EXPECT_EQ(LoadFileAll(huge, doc).message, kTooLarge);
    EXPECT_EQ(LoadFile(huge, nameField).message, kTooLarge);
    EXPECT_TRUE(LoadFileHeaderList(huge, header).ok);
    EXPECT_EQ(doc.Naiyou, QStringLiteral("そのまま"));

    // A missing file still reports the system's reason.
    const FileResult missing = LoadFileAll(dir.filePath(QStringLiteral("none.prx")), doc);
    EXPECT_FALSE(missing.ok);
    EXPECT_FALSE(missing.message.isEmpty());
    EXPECT_NE(missing.message, kNotAFile);
}
