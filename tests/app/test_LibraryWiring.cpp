// The navigator and the classification boxes in the main window: the "ナビ"
// button behind the unsaved-changes question, opening a library file into
// the editor, the start-up rule, the hidden cloud menus, and the grade,
// subject and content boxes following the worksheet and writing its header.
#include "app/Unit1.h"
#include "app/UnitBunruiBar.h"
#include "app/UnitFileCommands.h"
#include "app/UnitLibraryWiring.h"
#include "document/UnitFile.h"
#include "library/UnitCloud.h"
#include "library/UnitNavi.h"
#include "platform/UnitMessages.h"
#include "support/FakePrinter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QUndoStack>
#include "support/RecordedEdit.h"
#include <gtest/gtest.h>

namespace
{

void writeSheet(const QString &path, const QString &content, int grade, int subject)
{
    Document doc;
    doc.Naiyou = content;
    doc.NenIndex = grade;
    doc.KyoukaIndex = subject;
    RAData row;
    row.Syu = QStringLiteral("1");
    row.Siki = QStringLiteral("もんだい");
    row.FontName = QStringLiteral("ＭＳ Ｐゴシック");
    row.FontSize = 20;
    row.Layer = 1;
    doc.AData.append(row);
    ASSERT_TRUE(SaveFileAll(path, doc, LayerWorksheet, 1).ok);
}

} // namespace

TEST(LibraryWiring, NaviButtonAsksFirstAndOpensLibraryFilesIntoTheEditor)
{
    FakeA4 fake;
    ScriptedMessages messages;
    QTemporaryDir samples;
    writeSheet(samples.filePath("s1.prx"), QStringLiteral("見本の内容"), 3, 3);
    TForm1 form;
    form.SyokiForm(QString());
    TBunruiBar *bar = InstallBunruiBar(form);
    const LibraryParts parts = InstallLibrary(form, samples.path());
    ASSERT_TRUE(parts.navi);
    EXPECT_EQ(parts.naviButton->text(), QStringLiteral("ナビ"));
    EXPECT_FALSE(parts.naviButton->toolTip().isEmpty());
    EXPECT_FALSE(parts.cloudMenu->menuAction()->isVisible());
    EXPECT_FALSE(parts.settingsMenu->menuAction()->isVisible());
    EXPECT_EQ(InstallLibrary(form).navi, parts.navi);

    // Unsaved changes and Cancel: the navigator does not open.
    PushEdit(form.doc(), QStringLiteral("内容"), [&] { form.doc().Naiyou = QStringLiteral("たし算"); });
    messages.answers.push_back(MsgAnswer::Cancel);
    EXPECT_FALSE(NaviButtonClick(form));
    EXPECT_FALSE(parts.navi->isVisible());

    // No: the navigator opens modally at its start page; a row opens the
    // file behind it and a second press on it closes the navigator.
    messages.answers.push_back(MsgAnswer::No);
    bool sawStartPage = false;
    QTimer::singleShot(0, [&] {
        sawStartPage = !parts.navi->onListPage() && parts.navi->isVisible();
        parts.navi->OpenLibrary(TFormNavi::Library::Sample);
        parts.navi->ListRowPressed(0);
        EXPECT_EQ(form.doc().Naiyou, QStringLiteral("見本の内容"));
        EXPECT_EQ(bar->EditNaiyou->text(), QStringLiteral("見本の内容"));
        parts.navi->ListRowPressed(0);
    });
    EXPECT_TRUE(NaviButtonClick(form));
    EXPECT_TRUE(sawStartPage);
    EXPECT_FALSE(parts.navi->isVisible());
    EXPECT_EQ(form.doc().AData.size(), 1);
    EXPECT_EQ(form.fileCommands().OpenFileName, samples.filePath("s1.prx"));
    EXPECT_EQ(form.fileCommands().SaveDialog.fileName, QStringLiteral("s1.prx"));
    EXPECT_FALSE(form.doc().isModified());
    EXPECT_EQ(bar->ComboNen->currentIndex(), 3);
    EXPECT_EQ(bar->ComboKyouka->currentText(), QStringLiteral("算数"));

    // The start-up rule: due unless a file was named or the option is off.
    EXPECT_TRUE(NaviDueAtStart(form, false));
    EXPECT_FALSE(NaviDueAtStart(form, true));
    parts.navi->CheckStart->click();
    EXPECT_FALSE(NaviDueAtStart(form, false));
}

TEST(LibraryWiring, HiddenCloudEntryOfTheStartPageClosesTheNavigatorAndOpensTheCloud)
{
    FakeA4 fake;
    ScriptedMessages messages;
    QTemporaryDir samples;
    TForm1 form;
    form.SyokiForm(QString());
    const LibraryParts parts = InstallLibrary(form, samples.path());
    ASSERT_TRUE(parts.navi->StartPage->ButtonCloud);
    parts.navi->StartForm();
    parts.navi->show();
    EXPECT_FALSE(parts.navi->StartPage->ButtonCloud->isVisible());
    EXPECT_TRUE(parts.navi->StartPage->ButtonSample->isVisible());
    EXPECT_FALSE(parts.cloud->isVisible());
    parts.navi->StartPage->ButtonCloud->click();
    EXPECT_FALSE(parts.navi->isVisible());
    EXPECT_TRUE(parts.cloud->isVisible());
    parts.cloud->close();
}

TEST(LibraryWiring, ClassificationBoxesChangeTheDocumentAndItsSavedHeader)
{
    FakeA4 fake;
    ScriptedMessages messages;
    TForm1 form;
    form.SyokiForm(QString());
    TBunruiBar *bar = InstallBunruiBar(form);
    EXPECT_EQ(bar->ComboNen->count(), form.doc().BunruiData.Nen.size());
    EXPECT_EQ(bar->ComboNen->currentIndex(), 0);
    EXPECT_EQ(bar->ComboKyouka->currentIndex(), 0);
    EXPECT_TRUE(bar->EditNaiyou->text().isEmpty());
    EXPECT_EQ(bar->ComboNen->accessibleName(), QStringLiteral("学年"));

    bar->ComboNen->setCurrentIndex(4);
    bar->ApplyBoxes();
    EXPECT_EQ(form.doc().NenIndex, 4);
    EXPECT_TRUE(form.doc().isModified());
    // One command on the stack: undo puts the document and the box back.
    ASSERT_EQ(form.doc().undoStack().count(), 1);
    form.doc().undoStack().undo();
    EXPECT_EQ(form.doc().NenIndex, 0);
    EXPECT_EQ(bar->ComboNen->currentIndex(), 0);
    EXPECT_FALSE(form.doc().isModified());
    form.doc().undoStack().redo();
    EXPECT_EQ(form.doc().NenIndex, 4);
    EXPECT_EQ(bar->ComboNen->currentIndex(), 4);
    bar->ApplyBoxes(); // nothing changed: nothing pushed
    EXPECT_EQ(form.doc().undoStack().count(), 1);
    bar->ComboKyouka->setCurrentIndex(3);
    bar->EditNaiyou->setText(QStringLiteral("わり算\nのあまり"));
    bar->ApplyBoxes();
    EXPECT_EQ(form.doc().KyoukaIndex, 3);
    EXPECT_EQ(form.doc().Naiyou, QStringLiteral("わり算 のあまり"));
    form.doc().undoStack().undo();
    EXPECT_EQ(bar->EditNaiyou->text(), QString());
    EXPECT_EQ(form.doc().KyoukaIndex, 0);
    EXPECT_EQ(form.doc().NenIndex, 4);
    form.doc().undoStack().redo();
    EXPECT_EQ(bar->EditNaiyou->text(), QStringLiteral("わり算 のあまり"));

    QTemporaryDir dir;
    const QString path = dir.filePath("k.prx");
    ASSERT_TRUE(SaveFileAll(path, form.doc(), LayerWorksheet, 1).ok);
    QStringList header;
    ASSERT_TRUE(LoadFileHeaderList(path, header).ok);
    EXPECT_EQ(header.mid(2), (QStringList{QStringLiteral("わり算 のあまり"), "4", "3"}));

    // A new worksheet empties the boxes again.
    form.doc().markSaved();
    form.NewFileCommand();
    EXPECT_EQ(bar->ComboNen->currentIndex(), 0);
    EXPECT_TRUE(bar->EditNaiyou->text().isEmpty());

    // A header index outside the lists is shown as entry 0 and kept until
    // the teacher picks another.
    form.doc().NenIndex = 42;
    bar->ShowDocument();
    EXPECT_EQ(bar->ComboNen->currentIndex(), 0);
    bar->ApplyBoxes();
    EXPECT_EQ(form.doc().NenIndex, 42);
}
