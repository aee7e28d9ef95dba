// tavenor-print-tool cloud-list / cloud-get / cloud-put: the cloud
// exchange's three requests from the command line, with the same client,
// form fields, list parsing and filter as the editor's cloud windows.
#include "ToolMain.h"

#include "document/UnitData.h"
#include "library/UnitInternet.h"
#include "platform/UnitNumText.h"

#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

namespace
{

struct CloudOptions {
    QUrl server;
    int grade = 0;
    int subject = 0;
    QString keyword;
    QString output;
    QString title;
    QStringList ca;
    QString proxy;
    int timeoutMs = CloudReadTimeoutMs;
    QStringList positional;
};

bool number(const QString &text, int &out)
{
    if (!IsNumText(text) || text.contains(QLatin1Char('.')) || text.size() > 9)
        return false;
    out = int(TextToInt64(text));
    return true;
}

// Reads the options; false with a reason in `problem`.
bool parseOptions(const QStringList &args, CloudOptions &o, QString &problem)
{
    QString server;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        auto value = [&](QString &out) {
            if (i + 1 >= args.size()) {
                problem = a + QStringLiteral(": value missing");
                return false;
            }
            out = args[++i];
            return true;
        };
        QString v;
        if (a == QLatin1String("--server")) {
            if (!value(server))
                return false;
        } else if (a == QLatin1String("--grade") || a == QLatin1String("--subject") ||
                   a == QLatin1String("--timeout")) {
            if (!value(v))
                return false;
            int n = 0;
            if (!number(v, n)) {
                problem = a + QStringLiteral(": not a number: ") + v;
                return false;
            }
            (a == QLatin1String("--grade")     ? o.grade
             : a == QLatin1String("--subject") ? o.subject
                                               : o.timeoutMs) = n;
        } else if (a == QLatin1String("--keyword")) {
            if (!value(o.keyword))
                return false;
        } else if (a == QLatin1String("--title")) {
            if (!value(o.title))
                return false;
        } else if (a == QLatin1String("-o")) {
            if (!value(o.output))
                return false;
        } else if (a == QLatin1String("--ca")) {
            if (!value(v))
                return false;
            o.ca.append(v);
        } else if (a == QLatin1String("--proxy")) {
            if (!value(o.proxy))
                return false;
        } else if (a.startsWith(QLatin1String("--"))) {
            problem = QStringLiteral("unknown option: ") + a;
            return false;
        } else {
            o.positional.append(a);
        }
    }
    if (server.isEmpty()) {
        problem = QStringLiteral("--server URL is required");
        return false;
    }
    o.server = CheckCloudServer(server);
    if (o.server.isEmpty()) {
        problem = QStringLiteral("--server には、https:// で始まるプリント クラウド サーバの"
                                 "アドレスを指定してください: ") +
                  server;
        return false;
    }
    Document doc;
    if (o.grade < 0 || o.grade >= doc.BunruiData.Nen.size() || o.subject < 0 ||
        o.subject >= doc.BunruiData.Kyouka.size()) {
        problem = QStringLiteral("grade or subject out of range");
        return false;
    }
    return true;
}

// The client for the options; false with a reason when a certificate file
// or the proxy cannot be used.
bool setUp(const CloudOptions &o, TInternet &net, QString &problem)
{
    net.setServer(o.server);
    net.setReadTimeout(o.timeoutMs);
    for (const QString &path : o.ca) {
        if (!net.addCaCertificateFile(path)) {
            problem = path + QStringLiteral(": no PEM certificate");
            return false;
        }
    }
    if (!o.proxy.isEmpty()) {
        const QStringList hp = o.proxy.split(QLatin1Char(':'));
        int port = 0;
        if (hp.size() != 2 || hp[0].isEmpty() || !number(hp[1], port)) {
            problem = QStringLiteral("--proxy HOST:PORT");
            return false;
        }
        net.setProxy(ProxySetting{true, hp[0], port});
    }
    return true;
}

int run(const QStringList &args, QTextStream &err, int positional,
        const std::function<int(CloudOptions &, TInternet &)> &body)
{
    CloudOptions o;
    QString problem;
    if (!parseOptions(args, o, problem)) {
        err << problem << "\n";
        return 2;
    }
    if (o.positional.size() != positional)
        return 2;
    TInternet net;
    if (!setUp(o, net, problem)) {
        err << problem << "\n";
        return 1;
    }
    try {
        return body(o, net);
    } catch (const CloudError &e) {
        err << QString::fromStdString(e.what()) << "\n";
        return 1;
    }
}

int cloudList(const QStringList &args, QTextStream &out, QTextStream &err)
{
    return run(args, err, 0, [&](CloudOptions &o, TInternet &net) {
        QVector<RCloudRow> rows = ParseCloudList(net.GetList(o.grade, o.subject));
        const Document doc;
        for (int i : CloudListKensaku(rows, o.grade, o.subject, o.keyword)) {
            const QStringList &f = rows[i].fields;
            const int64_t subject = CloudNumber(f[13]);
            const QString subjectName = (subject >= 0 && subject < doc.BunruiData.Kyouka.size())
                                            ? doc.BunruiData.Kyouka[subject]
                                            : doc.BunruiData.Kyouka.value(0);
            QJsonObject row{{QStringLiteral("file"), f[2]},
                            {QStringLiteral("size"), CloudSizeText(f[3])},
                            {QStringLiteral("content"), f[4]},
                            {QStringLiteral("updated"), CloudTimeText(f[7])},
                            {QStringLiteral("grade"), CloudGradeText(f[11])},
                            {QStringLiteral("subject"), subjectName}};
            out << QString::fromUtf8(QJsonDocument(row).toJson(QJsonDocument::Compact)) << "\n";
        }
        return 0;
    });
}

int cloudGet(const QStringList &args, QTextStream &, QTextStream &err)
{
    return run(args, err, 1, [&](CloudOptions &o, TInternet &net) {
        if (o.output.isEmpty()) {
            err << "-o FILE is required\n";
            return 2;
        }
        net.DownloadFile(o.positional[0], o.output);
        return 0;
    });
}

int cloudPut(const QStringList &args, QTextStream &out, QTextStream &err)
{
    return run(args, err, 1, [&](CloudOptions &o, TInternet &net) {
        if (!QFileInfo(o.positional[0]).isFile()) {
            err << o.positional[0] << ": no such file\n";
            return 1;
        }
        out << QString::fromUtf8(net.Upload(o.positional[0], o.grade, o.subject, o.title));
        return 0;
    });
}

} // namespace

TOOL_COMMAND("cloud-list",
             "cloud-list --server URL [--grade N] [--subject N] [--keyword K] [--ca FILE]",
             cloudList);
TOOL_COMMAND("cloud-get", "cloud-get --server URL NAME -o FILE [--ca FILE]", cloudGet);
TOOL_COMMAND("cloud-put", "cloud-put --server URL FILE --grade N --subject N --title T [--ca FILE]",
             cloudPut);
