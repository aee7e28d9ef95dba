#include "platform/UnitRecoveryFiles.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSaveFile>
#include <algorithm>

#if defined(Q_OS_WIN)
#include <windows.h>
#else
#include <cerrno>
#include <csignal>
#include <sys/types.h>
#endif

namespace
{

const QString DataSuffix = QStringLiteral(".prx");
const QString InfoSuffix = QStringLiteral(".json");
// A side file larger than this is not one of ours.
constexpr qint64 MaxInfoSize = 1 << 20;

// "<pid>-<start yyyyMMddhhmmsszzz>-<number>"
const QRegularExpression &copyName()
{
    static const QRegularExpression re(
        QStringLiteral("^([0-9]{1,10})-([0-9]{17})-([0-9]{1,9})\\.(prx|json)$"));
    return re;
}

QString startStamp()
{
    // Taken once: every editor of this process shares the moment it started.
    static const QString stamp =
        QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMddhhmmsszzz"));
    return stamp;
}

#if defined(Q_OS_LINUX)
QString readSmallFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromLatin1(f.read(4096)).trimmed();
}

// The boot and the clock tick at which the process started (field 22 of its
// stat line); empty when the system does not say.
QString processStartOf(qint64 pid)
{
    const QString stat = readSmallFile(QStringLiteral("/proc/%1/stat").arg(pid));
    // The command name in parentheses may itself hold spaces and parentheses.
    const qsizetype close = stat.lastIndexOf(QLatin1Char(')'));
    if (close < 0)
        return QString();
    const QStringList fields = stat.mid(close + 1).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    // fields[0] is field 3 of the line (the state).
    if (fields.size() < 20)
        return QString();
    const QString boot = readSmallFile(QStringLiteral("/proc/sys/kernel/random/boot_id"));
    return boot + QLatin1Char(':') + fields.at(19);
}
#endif

QJsonObject toJson(const RRecoveryInfo &info)
{
    QJsonObject o;
    o.insert(QStringLiteral("pid"), QString::number(info.pid));
    o.insert(QStringLiteral("processStart"), info.processStart);
    o.insert(QStringLiteral("saveOverPath"), info.saveOverPath);
    o.insert(QStringLiteral("openedPath"), info.openedPath);
    o.insert(QStringLiteral("name"), info.name);
    o.insert(QStringLiteral("written"), info.written.toString(Qt::ISODateWithMs));
    return o;
}

// Reads what the side file says; a missing or damaged side file leaves the
// fields as they were.
void readInfo(const QString &path, RRecoveryInfo &info)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || f.size() > MaxInfoSize)
        return;
    const QJsonDocument doc = QJsonDocument::fromJson(f.read(MaxInfoSize));
    if (!doc.isObject())
        return;
    const QJsonObject o = doc.object();
    info.processStart = o.value(QStringLiteral("processStart")).toString();
    info.saveOverPath = o.value(QStringLiteral("saveOverPath")).toString();
    info.openedPath = o.value(QStringLiteral("openedPath")).toString();
    info.name = o.value(QStringLiteral("name")).toString();
    const QDateTime written =
        QDateTime::fromString(o.value(QStringLiteral("written")).toString(), Qt::ISODateWithMs);
    if (written.isValid())
        info.written = written;
}

QString writeAtomically(const QString &path, const QByteArray &bytes)
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return f.errorString();
    if (f.write(bytes) != bytes.size()) {
        const QString error = f.errorString();
        f.cancelWriting();
        return error;
    }
    if (!f.commit())
        return f.errorString();
    return QString();
}

} // namespace

QString CurrentProcessStart()
{
#if defined(Q_OS_LINUX)
    return processStartOf(QCoreApplication::applicationPid());
#else
    return QString();
#endif
}

bool ProcessRuns(qint64 pid, const QString &processStart)
{
#if defined(Q_OS_WIN)
    Q_UNUSED(processStart);
    if (pid <= 0 || pid > 0xFFFFFFFFLL)
        return false;
    HANDLE h = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, DWORD(pid));
    if (!h)
        return GetLastError() == ERROR_ACCESS_DENIED; // runs, under another user
    DWORD code = 0;
    const bool runs = GetExitCodeProcess(h, &code) && code == STILL_ACTIVE;
    CloseHandle(h);
    return runs;
#else
    // Zero and negative ids would name process groups, not one process.
    if (pid <= 0 || pid > 0x7FFFFFFFLL)
        return false;
    if (::kill(pid_t(pid), 0) != 0 && errno == ESRCH)
        return false;
#if defined(Q_OS_LINUX)
    if (!processStart.isEmpty()) {
        const QString now = processStartOf(pid);
        if (!now.isEmpty() && now != processStart)
            return false;
    }
#else
    Q_UNUSED(processStart);
#endif
    return true;
#endif
}

RecoveryFile::RecoveryFile(const QString &folder) : mFolder(folder)
{
    static QAtomicInt counter;
    const QString base = QStringLiteral("%1-%2-%3")
                             .arg(QCoreApplication::applicationPid())
                             .arg(startStamp())
                             .arg(counter.fetchAndAddRelaxed(1) + 1);
    mDataPath = folder + QLatin1Char('/') + base + DataSuffix;
    mInfoPath = folder + QLatin1Char('/') + base + InfoSuffix;
}

QString RecoveryFile::write(const QByteArray &bytes, const RRecoveryInfo &info) const
{
    if (bytes.isEmpty())
        return QStringLiteral("書き込むデータがありません。");
    // Never a path of its own choosing outside a named folder.
    if (mFolder.isEmpty())
        return QStringLiteral("復元用の保存先がありません。");
    if (!QFileInfo::exists(mFolder))
        QDir().mkpath(mFolder);
    QString error = writeAtomically(mDataPath, bytes);
    if (error.isEmpty())
        error = writeAtomically(mInfoPath, QJsonDocument(toJson(info)).toJson());
    return error;
}

void RecoveryFile::remove() const
{
    QFile::remove(mDataPath);
    QFile::remove(mInfoPath);
}

QList<RRecoveryCopy> ListRecoveryCopies(const QString &folder)
{
    QList<RRecoveryCopy> copies;
    const QDir dir(folder);
    if (folder.isEmpty() || !dir.exists())
        return copies;
    QStringList bases;
    for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        const QRegularExpressionMatch m = copyName().match(name);
        if (!m.hasMatch())
            continue;
        const QString base = name.left(name.lastIndexOf(QLatin1Char('.')));
        if (!bases.contains(base))
            bases.append(base);
    }
    for (const QString &base : bases) {
        RRecoveryCopy c;
        c.dataPath = dir.filePath(base + DataSuffix);
        c.infoPath = dir.filePath(base + InfoSuffix);
        // The id in the name holds even when the side file is damaged.
        c.info.pid = base.section(QLatin1Char('-'), 0, 0).toLongLong();
        const QFileInfo data(c.dataPath);
        if (data.exists())
            c.info.written = data.lastModified();
        readInfo(c.infoPath, c.info);
        copies.append(c);
    }
    return copies;
}

QList<RRecoveryCopy> LeftRecoveryCopies(const QString &folder)
{
    QList<RRecoveryCopy> left;
    for (const RRecoveryCopy &c : ListRecoveryCopies(folder))
        if (!ProcessRuns(c.info.pid, c.info.processStart))
            left.append(c);
    std::stable_sort(left.begin(), left.end(), [](const RRecoveryCopy &a, const RRecoveryCopy &b) {
        return a.info.written > b.info.written;
    });
    return left;
}

void RemoveRecoveryCopy(const RRecoveryCopy &copy)
{
    QFile::remove(copy.dataPath);
    QFile::remove(copy.infoPath);
}
