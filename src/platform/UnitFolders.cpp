#include "platform/UnitFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

namespace {
void makeFolder(const QString &path)
{
    if (!QFileInfo::exists(path))
        QDir().mkpath(path); // silent on failure
}
} // namespace

WorkingFolders CheckDir()
{
    WorkingFolders f;
    QString appData = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    appData.replace(QLatin1Char('\\'), QLatin1Char('/'));
    f.BaseFolder = appData + QStringLiteral("/Tavenor");
    makeFolder(f.BaseFolder);
    f.WorkFolder = f.BaseFolder + QStringLiteral("/Print");
    makeFolder(f.WorkFolder);
    makeFolder(f.TmpFolder());
    makeFolder(f.DownLoadFolder());
    makeFolder(f.UpLoadFolder());
    makeFolder(f.PrintFileFolder());
    makeFolder(f.RecoveryFolder());
    QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    docs.replace(QLatin1Char('\\'), QLatin1Char('/'));
    f.UserPrintFolder = docs + QStringLiteral("/Tavenor Print");
    makeFolder(f.UserPrintFolder);
    return f;
}

bool IsInsideFolder(const QString &path, const QString &root)
{
    if (path.isEmpty() || root.isEmpty())
        return false;
    if (!QDir::isAbsolutePath(path) || !QDir::isAbsolutePath(root))
        return false;
    const QString p = QDir::cleanPath(path);
    const QString r = QDir::cleanPath(root);
    if (r == QLatin1String("/"))
        return false;
    return p.startsWith(r + QLatin1Char('/')) && p.size() > r.size() + 1;
}

bool ResetTmpFolder(const WorkingFolders &folders)
{
    const QString tmp = folders.TmpFolder();
    if (!IsInsideFolder(tmp, folders.WorkFolder))
        return false;
    QDir dir(tmp);
    if (dir.exists())
        dir.removeRecursively();
    QDir().mkpath(tmp);
    return true;
}

std::unique_ptr<QLockFile> CheckWKidou()
{
    auto lock = std::make_unique<QLockFile>(QDir::tempPath() + QStringLiteral("/TavenorPrint.lock"));
    lock->setStaleLockTime(0);
    lock->tryLock(0); // a second copy simply goes on without the marker
    return lock;
}
