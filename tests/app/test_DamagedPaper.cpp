// The editor with a worksheet whose printer-setting block holds widths and
// heights that are no plain whole number: start-up and "開く" open it on
// A4 portrait instead of aborting or leaving an emptied worksheet.
#include "app/Unit1.h"
#include "app/UnitFileCommands.h"
#include "document/UnitFile.h"

#include "support/FakePrinter.h"
#include <QTemporaryDir>
#include <QUndoStack>
#include <gtest/gtest.h>

namespace
{
QString damagedWorksheet(const QTemporaryDir &dir, const QString &name, const QString &width,
                         const QString &height)
{
    Document doc;
    const int r = doc.AppendRow();
    doc.AData[r].Syu = "1";
    doc.AData[r].Siki = "かみ";
    doc.Paper.Orientation = "2";
    doc.Paper.Width = width;
    doc.Paper.Height = height;
    const QString path = dir.filePath(name);
    EXPECT_TRUE(SaveFileAll(path, doc, LayerWorksheet, 1).ok);
    return path;
}
} // namespace

TEST(DamagedPaper, StartUpAndOpenFallBackToA4Portrait)
{
    FakeA4 fake;
    QTemporaryDir dir;
    const QString first = damagedWorksheet(dir, "a.prx", "-abc", "297");
    const QString second = damagedWorksheet(dir, "b.prx", "210", "--3");

    TForm1 form;
    form.SyokiForm(first);
    ASSERT_EQ(form.doc().AData.size(), 1);
    EXPECT_EQ(form.doc().AData[0].Siki, "かみ");
    EXPECT_EQ(form.fileCommands().OpenFileName, first);
    ASSERT_EQ(form.pages().count(), 1);
    EXPECT_EQ(form.pages().PageSize[0], QSize(793, 1122));
    EXPECT_EQ(form.doc().Paper.Width, "210");
    EXPECT_EQ(form.doc().Paper.Height, "297");
    EXPECT_EQ(form.doc().Paper.Orientation, "1");
    // The fallback is how the worksheet opens, not an edit of it.
    EXPECT_FALSE(form.doc().FileData.HensyuB);
    EXPECT_FALSE(form.doc().undoStack().canUndo());

    // Opened by name (as "開く" ends): the file opens, nothing is lost.
    form.fileCommands().FileLoad(second);
    ASSERT_EQ(form.doc().AData.size(), 1);
    EXPECT_EQ(form.fileCommands().OpenFileName, second);
    EXPECT_EQ(form.pages().PageSize[0], QSize(793, 1122));
    EXPECT_FALSE(form.doc().FileData.HensyuB);
    EXPECT_FALSE(form.doc().undoStack().canUndo());
}
