// The file tables of the print navigator, apart from its window: the
// listing of one library folder with each worksheet's grade, subject and
// content read from its header alone (MakeFileTable), the filter
// (NaviListKensaku), the start-up option file "Navi.csv" (LoadNavi,
// SaveNavi), and the first-page pictures shown when the pointer rests on a
// row (NaviPreview, cached per file and modification time). Reads files
// only; never changes a document.
#pragma once

#include "document/UnitData.h"

#include <QDateTime>
#include <QHash>
#include <QPixmap>
#include <QString>
#include <QVector>

struct RNaviFile {
    QString fileName; // without the folder
    Integer grade = 0;
    Integer subject = 0;
    QString content;
    int match = 0;
};

// Every regular file of the folder (links followed, hidden files included)
// whose name ends in exactly ".prx", sorted by name, with its header values.
// A file whose header cannot be read is listed with grade 0, subject 0 and
// empty content, and its name is added to `unreadable`. A missing folder
// gives an empty table.
QVector<RNaviFile> MakeFileTable(const QString &folder, QStringList *unreadable = nullptr);

// The filter: counts a match for the grade (filter 0 or equal), the subject
// (filter 0 or equal) and the keyword (empty, or a case-sensitive part of
// the content); returns the indexes of the rows with all three.
QVector<int> NaviListKensaku(QVector<RNaviFile> &table, int grade, int subject,
                             const QString &keyword);

// The name shown for an index of a classification list; a negative or too
// large index shows entry 0.
QString BunruiName(const QStringList &list, int index);

// "Navi.csv" in the working folder: line 3 "1" shows the navigator at start.
QString NaviFilePath(const QString &workFolder);
// On when the file is missing or its third line is exactly "1".
bool LoadNavi(const QString &path);
bool SaveNavi(const QString &path, bool showAtStart, QString *error = nullptr);

// First-page pictures of worksheets in problem display, at most `width`
// pixels wide, made by the page renderer and kept per file path and
// modification time.
class NaviPreview
{
public:
    explicit NaviPreview(int width = 260) : mWidth(width) {}
    // Null when the file cannot be read.
    QPixmap picture(const QString &path);
    int renderCount() const { return mRenders; }

private:
    struct Entry {
        QDateTime modified;
        qint64 size = 0;
        QPixmap picture;
    };
    int mWidth;
    int mRenders = 0;
    QHash<QString, Entry> mCache;
};

// Renders page 0 of a worksheet file in problem display (no answers), scaled
// to `width` pixels. Null when the file cannot be read.
QImage RenderFirstPage(const QString &path, int width);
