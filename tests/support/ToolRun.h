// Runs the command-line companion for end-to-end tests and keeps what it
// printed; a run that does not end within a minute has exit code -1.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

struct ToolRun {
    int exitCode = -1;
    QString out;
    QString err;
};

inline ToolRun runTool(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral(TAVENOR_TOOL_PATH), args);
    ToolRun r;
    if (!p.waitForFinished(60000))
        return r;
    r.exitCode = p.exitCode();
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

// Writes bytes to a file of the folder and gives its path.
inline QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    QFile f(dir.filePath(name));
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return f.fileName();
}
