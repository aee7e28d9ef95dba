// A loopback HTTPS server for the cloud tests: makes a certificate for
// 127.0.0.1 with openssl, starts cloud_test_server.py on a free port of
// 127.0.0.1 and stops it again. What it answers is set through files in its
// work folder (list.txt, data/NAME, mode.txt); every request it saw is read
// back from requests.jsonl.
#pragma once

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>
#include <memory>

class CloudTestServer
{
public:
    CloudTestServer()
    {
        work = dir.path();
        QDir(work).mkpath(QStringLiteral("data"));
        certPath = work + QStringLiteral("/cert.pem");
        otherCertPath = work + QStringLiteral("/other.pem");
        if (!makeCertificate(QStringLiteral("cert.pem"), QStringLiteral("key.pem")) ||
            !makeCertificate(QStringLiteral("other.pem"), QStringLiteral("otherkey.pem")))
            return;
        const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
        if (python.isEmpty()) {
            problem = QStringLiteral("python3 not found");
            return;
        }
        server = std::make_unique<QProcess>();
        server->setProcessChannelMode(QProcess::SeparateChannels);
        server->start(python,
                      {QStringLiteral(TAVENOR_SOURCE_DIR "/tests/library/cloud_test_server.py"),
                       QStringLiteral("--work"), work, QStringLiteral("--cert"), certPath,
                       QStringLiteral("--key"), work + QStringLiteral("/key.pem"),
                       QStringLiteral("--lifetime"), QStringLiteral("600"),
                       QStringLiteral("--hang"), QStringLiteral("4")});
        if (!server->waitForStarted(20000)) {
            problem = QStringLiteral("server did not start");
            return;
        }
        while (!server->canReadLine() && server->waitForReadyRead(20000)) {
        }
        port = server->readLine().trimmed().toInt();
        if (port <= 0)
            problem = QStringLiteral("server gave no port: ") +
                      QString::fromUtf8(server->readAllStandardError());
    }

    ~CloudTestServer()
    {
        if (server) {
            server->kill();
            server->waitForFinished(5000);
        }
    }

    bool ready() const { return port > 0; }
    QUrl url() const { return QUrl(QStringLiteral("https://127.0.0.1:%1").arg(port)); }

    void setMode(const QString &mode) { write(QStringLiteral("mode.txt"), mode.toUtf8()); }
    void setList(const QByteArray &body) { write(QStringLiteral("list.txt"), body); }
    void putData(const QString &name, const QByteArray &bytes)
    {
        write(QStringLiteral("data/") + name, bytes);
    }
    void clearRequests() { QFile::remove(work + QStringLiteral("/requests.jsonl")); }
    QJsonArray requests() const
    {
        QJsonArray all;
        QFile f(work + QStringLiteral("/requests.jsonl"));
        if (!f.open(QIODevice::ReadOnly))
            return all;
        for (const QByteArray &line : f.readAll().split('\n'))
            if (!line.trimmed().isEmpty())
                all.append(QJsonDocument::fromJson(line).object());
        return all;
    }

    QTemporaryDir dir;
    QString work;
    QString certPath;
    QString otherCertPath;
    QString problem;
    int port = 0;

private:
    bool makeCertificate(const QString &cert, const QString &key)
    {
        QProcess openssl;
        openssl.setWorkingDirectory(work);
        openssl.start(QStringLiteral("openssl"),
                      {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"),
                       QStringLiteral("ec"), QStringLiteral("-pkeyopt"),
                       QStringLiteral("ec_paramgen_curve:prime256v1"), QStringLiteral("-nodes"),
                       QStringLiteral("-keyout"), key, QStringLiteral("-out"), cert,
                       QStringLiteral("-days"), QStringLiteral("2"), QStringLiteral("-subj"),
                       QStringLiteral("/CN=127.0.0.1"), QStringLiteral("-addext"),
                       QStringLiteral("subjectAltName=IP:127.0.0.1,DNS:localhost")});
        if (!openssl.waitForFinished(60000) || openssl.exitCode() != 0) {
            problem = QStringLiteral("openssl failed: ") +
                      QString::fromUtf8(openssl.readAllStandardError());
            return false;
        }
        return true;
    }
    void write(const QString &name, const QByteArray &bytes)
    {
        QFile f(work + QLatin1Char('/') + name);
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
    }

    std::unique_ptr<QProcess> server;
};
