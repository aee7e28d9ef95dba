// The sample library in assets/Navi: every grade 1 to 6 is there, the
// samples together hold every kind of problem, and each one opens, has its
// classification, title and name field, regenerates its random problems and
// draws as a problem sheet and as an answer sheet that differ by the answers.
#include "app/UnitHeadless.h"
#include "document/UnitFile.h"
#include "library/UnitNaviFiles.h"
#include "math/UnitRegenerate.h"
#include "math/UnitSiki.h"
#include "platform/UnitMessages.h"
#include "render/UnitMetrics.h"

#include <QDir>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace
{

QString sampleFolder()
{
    return QStringLiteral(TAVENOR_SOURCE_DIR "/assets/Navi");
}

// Pixels that are clearly red: answers in the answer colour (255 = red).
int redPixels(const QImage &image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c(image.pixel(x, y));
            n += c.red() > 180 && c.green() < 90 && c.blue() < 90;
        }
    return n;
}

} // namespace

TEST(Samples, LibraryCoversEveryGradeAndEveryKindOfProblem)
{
    ScriptedMessages messages;
    QStringList unreadable;
    const QVector<RNaviFile> table = MakeFileTable(sampleFolder(), &unreadable);
    ASSERT_GE(table.size(), 6);
    EXPECT_TRUE(unreadable.isEmpty());
    QSet<int> grades;
    QSet<int> pages;
    QSet<QChar> columnOps;
    bool columnDecimal = false, remainder = false;
    for (const RNaviFile &f : table) {
        grades.insert(f.grade);
        EXPECT_EQ(f.subject, 3) << f.fileName.toStdString();
        EXPECT_FALSE(f.content.isEmpty()) << f.fileName.toStdString();
        Document doc;
        ASSERT_TRUE(LoadFileAll(QDir(sampleFolder()).filePath(f.fileName), doc).ok);
        bool title = false, nameField = false, random = false;
        for (const RAData &r : doc.AData) {
            title |= r.Syu == u"1" && r.Layer == 1 && r.FontSize >= 16;
            nameField |= r.Layer == 3;
            if (r.Syu != u"5")
                continue;
            random |= r.Rand == 1;
            pages.insert(r.Siki1);
            if (r.Siki1 == 1) {
                for (QChar op : {u'+', u'-', u'*', u'/'})
                    if (r.Siki.contains(op))
                        columnOps.insert(op);
                columnDecimal |= r.Siki.contains(u'.');
            }
            remainder |= r.Kotae.contains(QStringLiteral("..."));
        }
        EXPECT_TRUE(title && nameField && random) << f.fileName.toStdString();
    }
    EXPECT_EQ(grades, (QSet<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(pages, (QSet<int>{0, 1, 2, 3}));
    EXPECT_EQ(columnOps.size(), 4);
    EXPECT_TRUE(columnDecimal);
    EXPECT_TRUE(remainder);
    EXPECT_TRUE(messages.texts.isEmpty());
}

TEST(Samples, EachRegeneratesAndDrawsItsProblemAndAnswerSheets)
{
    ScriptedMessages messages;
    const QStringList names =
        QDir(sampleFolder()).entryList({QStringLiteral("*.prx")}, QDir::Files);
    ASSERT_FALSE(names.isEmpty());
    for (const QString &name : names) {
        SCOPED_TRACE(name.toStdString());
        HeadlessWorksheet sheet;
        QString error;
        ASSERT_TRUE(sheet.load(QDir(sampleFolder()).filePath(name), error)) << error.toStdString();
        const QVector<RAData> before = sheet.doc.AData;
        MetricsSikiMeasurer measurer;
        TFormSiki tool(sheet.doc);
        tool.SetMeasurer(&measurer);
        EXPECT_GT(RegenerateAll(sheet.doc, tool), 0);
        int changed = 0;
        for (int i = 0; i < before.size(); ++i)
            changed += before[i].Siki != sheet.doc.AData[i].Siki;
        EXPECT_GT(changed, 0);

        sheet.layout(1, Fixed4::fromInt(1));
        sheet.view.AnswerDisplay = false;
        sheet.render();
        const QImage problems = sheet.pages.ImageP[0].copy();
        sheet.view.AnswerDisplay = true;
        sheet.render();
        const QImage answers = sheet.pages.ImageP[0].copy();
        EXPECT_EQ(redPixels(problems), 0);
        EXPECT_GT(redPixels(answers), 200);

        QTemporaryDir dir;
        ASSERT_TRUE(sheet.printPdf(dir.filePath("a.pdf"), 1, 1, error)) << error.toStdString();
        EXPECT_GT(QFileInfo(dir.filePath("a.pdf")).size(), 1000);
    }
    EXPECT_TRUE(messages.texts.isEmpty()) << messages.texts.join(" ").toStdString();
}
