#include "library/UnitNaviFiles.h"

#include "document/UnitFile.h"
#include "document/UnitPaperSet.h"
#include "platform/UnitNumText.h"
#include "platform/UnitRegularFile.h"
#include "render/UnitDrawSiki.h"
#include "render/UnitRender.h"
#include "render/UnitView.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

QVector<RNaviFile> MakeFileTable(const QString &folder, QStringList *unreadable)
{
    QVector<RNaviFile> table;
    QDir dir(folder);
    if (folder.isEmpty() || !dir.exists())
        return table;
    // Hidden files are worksheets like any other. System entries (pipes,
    // devices, sockets) are asked for only to be dropped with the folders
    // and broken links: after following links only regular files remain,
    // so no header read can wait on a pipe or read a device without end.
    const QFileInfoList entries =
        dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QFileInfo &entry : entries) {
        const QString name = entry.fileName();
        if (!name.endsWith(QLatin1String(".prx"), Qt::CaseSensitive) || !entry.isFile())
            continue;
        RNaviFile row;
        row.fileName = name;
        QStringList header;
        const FileResult r = LoadFileHeaderList(dir.filePath(name), header);
        if (r.ok) {
            const HeaderInfo info = LoadHerderList(header);
            row.grade = info.grade;
            row.subject = info.subject;
            row.content = info.content;
        } else if (unreadable) {
            unreadable->append(name);
        }
        table.append(row);
    }
    return table;
}

QVector<int> NaviListKensaku(QVector<RNaviFile> &table, int grade, int subject,
                             const QString &keyword)
{
    QVector<int> kept;
    for (int i = 0; i < table.size(); ++i) {
        RNaviFile &row = table[i];
        row.match = 0;
        if (grade == 0 || row.grade == grade)
            ++row.match;
        if (subject == 0 || row.subject == subject)
            ++row.match;
        if (keyword.isEmpty() || row.content.contains(keyword, Qt::CaseSensitive))
            ++row.match;
        if (row.match == 3)
            kept.append(i);
    }
    return kept;
}

QString BunruiName(const QStringList &list, int index)
{
    if (index < 0 || index >= list.size())
        index = 0;
    return list.value(index);
}

QString NaviFilePath(const QString &workFolder)
{
    return workFolder + QStringLiteral("/Navi.csv");
}

bool LoadNavi(const QString &path)
{
    if (!QFileInfo::exists(path))
        return true;
    // Three short lines; a pipe, a device or anything larger is no setting.
    QByteArray bytes;
    if (ReadRegularFile(path, 65536, bytes) != FileReadFault::None)
        return false;
    const QStringList lines = DecodeTextBlock(bytes);
    return lines.value(2) == QLatin1String("1");
}

bool SaveNavi(const QString &path, bool showAtStart, QString *error)
{
    const QByteArray bytes =
        EncodeTextBlock({QStringLiteral("Tavenor,Print"), QStringLiteral("3,0"),
                         showAtStart ? QStringLiteral("1") : QStringLiteral("0")});
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

QImage RenderFirstPage(const QString &path, int width)
{
    Document doc;
    Document loaded;
    if (!LoadFileAll(path, loaded).ok)
        return QImage();
    TakeWorksheet(doc, std::move(loaded));
    // Only page 0 is drawn; rows of other pages have no image to go to.
    doc.AData.removeIf([](const RAData &row) { return row.Page != 0; });
    doc.Paper.PaperW = TextToInt64(doc.Paper.Width) * 10000;
    doc.Paper.PaperH = TextToInt64(doc.Paper.Height) * 10000;
    if (doc.Paper.PaperW <= 0 || doc.Paper.PaperH <= 0 || doc.Paper.PaperW > 20000000 ||
        doc.Paper.PaperH > 20000000) {
        doc.Paper.PaperW = 2100000;
        doc.Paper.PaperH = 2970000;
    }
    PageSet pages;
    PaperSet paper(doc, pages);
    paper.NewPage(doc.Paper.PaperH, doc.Paper.PaperW);
    ViewState view;
    view.GamenBai = Fixed4::fromInt(1);
    view.PaperBai = paper.PaperBai;
    view.AnswerDisplay = false;
    view.NameDisplay = false;
    view.AnswerColor = doc.AnswerColor;
    pages.resizeImages(view.GamenBai);
    Renderer renderer(doc, pages.ImageP, view);
    renderer.SrcImageP(false);
    if (pages.ImageP.isEmpty() || pages.ImageP[0].isNull())
        return QImage();
    return pages.ImageP[0].scaledToWidth(width, Qt::SmoothTransformation);
}

QPixmap NaviPreview::picture(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return QPixmap();
    auto it = mCache.find(path);
    if (it != mCache.end() && it->modified == info.lastModified() && it->size == info.size())
        return it->picture;
    ++mRenders;
    const QImage image = RenderFirstPage(path, mWidth);
    Entry e{info.lastModified(), info.size(),
            image.isNull() ? QPixmap() : QPixmap::fromImage(image)};
    mCache.insert(path, e);
    return e.picture;
}
