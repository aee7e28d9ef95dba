#include "library/UnitInternet.h"

#include "document/UnitFile.h"
#include "document/UnitFileFields.h"
#include "platform/UnitRegularFile.h"

#include <QDateTime>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QHttpMultiPart>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>
#include <QSslConfiguration>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTimeZone>
#include <QTimer>
#include <limits>
#include <memory>
#include <new>

namespace
{

// How much of an answer is taken from the network at a time; also the most
// that Qt holds for us before we take it.
constexpr qint64 kReadChunk = 64 * 1024;

// Why a request was stopped from our side.
enum class Stop { None, TimedOut, TooLarge, OutOfMemory, WriteFailed };

bool keptAsIs(unsigned char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '!' ||
           c == '$' || c == '\'' || c == '(' || c == ')' || c == '*' || c == '-' || c == '.' ||
           c == '@' || c == '_';
}

QHttpPart textPart(const QByteArray &name, const QByteArray &value)
{
    QHttpPart part;
    part.setHeader(QNetworkRequest::ContentDispositionHeader,
                   QByteArray("form-data; name=\"") + name + "\"");
    part.setBody(value);
    return part;
}

} // namespace

QByteArray FormEncode(const QString &text)
{
    QStringEncoder encoder("windows-31j");
    const QByteArray bytes = encoder.encode(text);
    static const char hex[] = "0123456789abcdef";
    QByteArray out;
    out.reserve(bytes.size() * 3);
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (keptAsIs(c)) {
            out.append(char(c));
        } else if (c == ' ') {
            out.append('+');
        } else {
            out.append('%');
            out.append(hex[c >> 4]);
            out.append(hex[c & 15]);
        }
    }
    return out;
}

bool CloudFileNameAllowed(const QString &name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name.contains(QLatin1String("..")))
        return false;
    for (const QChar c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.category() == QChar::Other_Control)
            return false;
    }
    return true;
}

int64_t CloudNumber(const QString &field)
{
    return FileTextToInt64(field.trimmed());
}

QVector<RCloudRow> ParseCloudList(const QByteArray &body)
{
    QByteArray bytes = body;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder.decode(bytes);
    QVector<RCloudRow> rows;
    for (const QString &record : text.split(QLatin1Char('\n'))) {
        const QStringList fields = record.split(QLatin1Char(','));
        if (fields.size() != 16)
            continue;
        rows.append(RCloudRow{fields, 0});
    }
    return rows;
}

QVector<int> CloudListKensaku(QVector<RCloudRow> &rows, int grade, int subject,
                              const QString &keyword)
{
    QVector<int> kept;
    for (int i = 0; i < rows.size(); ++i) {
        RCloudRow &row = rows[i];
        int count = 0;
        if (grade == 0 || CloudNumber(CloudGradeText(row.fields[11])) == grade)
            ++count;
        if (subject == 0 || CloudNumber(row.fields[13]) == subject)
            ++count;
        if (keyword.isEmpty() || row.fields[4].contains(keyword, Qt::CaseSensitive))
            ++count;
        row.match = count;
        row.fields[5] = QString::number(count);
        if (count == 3)
            kept.append(i);
    }
    return kept;
}

QString CloudSizeText(const QString &sizeField)
{
    return QString::number(CloudNumber(sizeField) / 1000 + 1) + QStringLiteral(" KB");
}

QString CloudTimeText(const QString &timeField)
{
    // Japan time is nine hours ahead; the largest times stay where they are
    // rather than wrap round.
    const int64_t utc = CloudNumber(timeField);
    const qint64 seconds = utc > std::numeric_limits<int64_t>::max() - 32400 ? utc : utc + 32400;
    return QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC)
        .toString(QStringLiteral("yyyy/MM/dd HH:mm"));
}

QString CloudGradeText(const QString &gradeField)
{
    const qsizetype cr = gradeField.indexOf(QLatin1Char('\r'));
    return cr < 0 ? gradeField : gradeField.left(cr);
}

QUrl CheckCloudServer(const QString &text, QString *problem)
{
    const QUrl url(text.trimmed(), QUrl::StrictMode);
    if (!url.isValid() || url.scheme() != QLatin1String("https") || url.host().isEmpty()) {
        if (problem)
            *problem = CloudServerMissingText;
        return QUrl();
    }
    return url;
}

QUrl LoadCloudServer(const QString &workFolder, QString *problem)
{
    // A setting is one short line; anything longer, a pipe or a device is
    // not an address.
    QByteArray bytes;
    if (ReadRegularFile(workFolder + QStringLiteral("/CloudServer.txt"), 4096, bytes) !=
        FileReadFault::None) {
        if (problem)
            *problem = CloudServerMissingText;
        return QUrl();
    }
    const QString line = QString::fromUtf8(bytes).section(QLatin1Char('\n'), 0, 0);
    return CheckCloudServer(line, problem);
}

TInternet::TInternet() : mManager(new QNetworkAccessManager), mDownloadLimit(MaxWorksheetFileSize)
{
    setProxy(ProxySetting{});
}

TInternet::~TInternet()
{
    delete mManager;
}

void TInternet::setProxy(const ProxySetting &proxy)
{
    mProxy = proxy;
    if (proxy.use && !proxy.address.isEmpty())
        mManager->setProxy(
            QNetworkProxy(QNetworkProxy::HttpProxy, proxy.address, quint16(proxy.port)));
    else
        mManager->setProxy(QNetworkProxy(QNetworkProxy::NoProxy));
}

void TInternet::addCaCertificates(const QList<QSslCertificate> &certificates)
{
    mExtraCa += certificates;
}

bool TInternet::addCaCertificateFile(const QString &path)
{
    const QList<QSslCertificate> certs = QSslCertificate::fromPath(path, QSsl::Pem);
    if (certs.isEmpty())
        return false;
    addCaCertificates(certs);
    return true;
}

QUrl TInternet::urlFor(const QString &path) const
{
    if (!mServer.isValid() || mServer.host().isEmpty())
        throw CloudError(CloudServerMissingText.toStdString());
    QUrl url = mServer;
    QString base = url.path();
    if (base.endsWith(QLatin1Char('/')))
        base.chop(1);
    url.setPath(base + path, QUrl::TolerantMode);
    url.setQuery(QString());
    return url;
}

void TInternet::prepare(QNetworkRequest &request) const
{
    // The time-outs are our own timers in finish(), so that a time-out says
    // so in the program's words instead of Qt's text for a cancelled request.
    QSslConfiguration ssl = QSslConfiguration::defaultConfiguration();
    if (!mExtraCa.isEmpty())
        ssl.addCaCertificates(mExtraCa);
    request.setSslConfiguration(ssl);
}

QByteArray TInternet::finish(QNetworkReply *replyPtr, qint64 limit, QIODevice *sink)
{
    std::unique_ptr<QNetworkReply> reply(replyPtr);
    // Qt keeps no more than this for us, so a fast server cannot fill memory
    // between two of our reads.
    reply->setReadBufferSize(kReadChunk);
    QByteArray body;
    qint64 received = 0;
    Stop stop = Stop::None;
    QString writeError;
    QTimer idle, deadline;
    idle.setSingleShot(true);
    deadline.setSingleShot(true);
    QNetworkReply *const r = reply.get();
    auto halt = [&stop, r](Stop why) {
        if (stop == Stop::None)
            stop = why;
        if (r->isRunning())
            r->abort();
    };
    // Runs inside Qt's signal delivery: nothing may be thrown out of it.
    auto drain = [&] {
        try {
            while (stop == Stop::None && r->bytesAvailable() > 0) {
                const QByteArray chunk = r->read(kReadChunk);
                if (chunk.isEmpty())
                    break;
                if (chunk.size() > limit - received) {
                    halt(Stop::TooLarge);
                    return;
                }
                received += chunk.size();
                if (!sink) {
                    body.append(chunk);
                } else if (sink->write(chunk) != chunk.size()) {
                    writeError = sink->errorString();
                    halt(Stop::WriteFailed);
                    return;
                }
            }
        } catch (const std::bad_alloc &) {
            body = QByteArray();
            halt(Stop::OutOfMemory);
        }
    };
    QList<QMetaObject::Connection> links;
    links << QObject::connect(&idle, &QTimer::timeout, [&] { halt(Stop::TimedOut); });
    links << QObject::connect(&deadline, &QTimer::timeout, [&] { halt(Stop::TimedOut); });
    links << QObject::connect(r, &QNetworkReply::readyRead, [&] {
        idle.start(mTimeoutMs);
        drain();
    });
    links << QObject::connect(r, &QNetworkReply::uploadProgress, [&] { idle.start(mTimeoutMs); });
    // An announced length above the bound needs no reading to be refused.
    links << QObject::connect(r, &QNetworkReply::metaDataChanged, [&] {
        const QVariant length = r->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() > limit)
            halt(Stop::TooLarge);
    });
    if (!r->isFinished()) {
        QEventLoop loop;
        links << QObject::connect(r, &QNetworkReply::finished, &loop, &QEventLoop::quit);
        idle.start(mTimeoutMs);
        deadline.start(mDeadlineMs);
        if (!r->isFinished())
            loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    idle.stop();
    deadline.stop();
    if (r->isOpen())
        drain();
    for (const QMetaObject::Connection &link : links)
        QObject::disconnect(link);

    switch (stop) {
    case Stop::None:
        break;
    case Stop::TimedOut:
        throw CloudError(CloudTimeoutText.toStdString());
    case Stop::TooLarge:
        throw CloudError(CloudTooLargeText.toStdString());
    case Stop::OutOfMemory:
        throw CloudError(CloudOutOfMemoryText.toStdString());
    case Stop::WriteFailed:
        throw CloudError(writeError.toStdString());
    }
    if (r->error() == QNetworkReply::TimeoutError)
        throw CloudError(CloudTimeoutText.toStdString());
    if (r->error() != QNetworkReply::NoError)
        throw CloudError(r->errorString().toStdString());
    const QVariant status = r->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (status.isValid() && status.toInt() >= 400)
        throw CloudError(QStringLiteral("HTTP %1").arg(status.toInt()).toStdString());
    // A body shorter than the length the server announced was cut off.
    const QVariant length = r->header(QNetworkRequest::ContentLengthHeader);
    if (length.isValid() && length.toLongLong() != received)
        throw CloudError(QStringLiteral("受信したデータが途中で切れています。").toStdString());
    return body;
}

QByteArray TInternet::GetList(int grade, int subject)
{
    QNetworkRequest request(urlFor(CloudListPath));
    prepare(request);
    auto *multi = new QHttpMultiPart(QHttpMultiPart::FormDataType);
    multi->append(textPart("gakkou", "1"));
    multi->append(textPart("syurui", "1"));
    multi->append(textPart("nen", QByteArray::number(grade)));
    multi->append(textPart("kyouka", QByteArray::number(subject)));
    multi->append(textPart("name", FormEncode(CloudListName)));
    QNetworkReply *reply = mManager->post(request, multi);
    multi->setParent(reply);
    return finish(reply, mAnswerLimit);
}

QByteArray TInternet::Upload(const QString &path, int grade, int subject, const QString &name)
{
    QByteArray content;
    QString systemText;
    switch (ReadRegularFile(path, MaxWorksheetFileSize, content, &systemText)) {
    case FileReadFault::None:
        break;
    case FileReadFault::NotRegular:
        throw CloudError(NotAFileMessage().toStdString());
    case FileReadFault::TooLarge:
        throw CloudError(FileTooLargeMessage().toStdString());
    case FileReadFault::CannotOpen:
    case FileReadFault::ReadError:
        throw CloudError(systemText.toStdString());
    }
    QNetworkRequest request(urlFor(CloudUploadPath));
    prepare(request);
    auto *multi = new QHttpMultiPart(QHttpMultiPart::FormDataType);
    multi->append(textPart("MAX_FILE_SIZE", "1000000"));
    QHttpPart filePart;
    filePart.setHeader(QNetworkRequest::ContentDispositionHeader,
                       QByteArray("form-data; name=\"userfile\"; filename=\"Upload.prx\""));
    filePart.setHeader(QNetworkRequest::ContentTypeHeader, QByteArray("text/plain"));
    filePart.setBody(content);
    multi->append(filePart);
    multi->append(textPart("gakkou", "1"));
    multi->append(textPart("syurui", "1"));
    multi->append(textPart("nen", QByteArray::number(grade)));
    multi->append(textPart("kyouka", QByteArray::number(subject)));
    multi->append(textPart("name", FormEncode(name)));
    QNetworkReply *reply = mManager->post(request, multi);
    multi->setParent(reply);
    return finish(reply, mAnswerLimit);
}

void TInternet::DownloadFile(const QString &fileName, const QString &target)
{
    if (!CloudFileNameAllowed(fileName))
        throw CloudError(CloudBadNameText.toStdString());
    // The name from the list stays one path segment on the server.
    const QString segment = QString::fromLatin1(QUrl::toPercentEncoding(fileName));
    QUrl url = urlFor(CloudDataPath);
    url.setPath(url.path(QUrl::FullyEncoded) + segment, QUrl::StrictMode);
    QNetworkRequest request(url);
    prepare(request);
    request.setHeader(QNetworkRequest::UserAgentHeader, CloudUserAgent);
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        throw CloudError(out.errorString().toStdString());
    // On a throw the save file is dropped unwritten and the old file stays.
    finish(mManager->get(request), mDownloadLimit, &out);
    if (!out.commit())
        throw CloudError(out.errorString().toStdString());
}
