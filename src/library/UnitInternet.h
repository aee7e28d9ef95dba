// The HTTP(S) side of the cloud exchange: the list request, the upload and
// the download against the cloud server, over QNetworkAccessManager. Also the
// pieces the cloud windows and the command-line companion share: the
// form-encoding of texts in code page 932, the parsing of the list body, the
// size and Japan-time texts, and the server address setting.
//
// Requests run one at a time and return only when they have ended (a local
// event loop waits for them). A request that fails in any way (no
// connection, an HTTP error status, a time-out, a TLS error, a body cut
// short, an answer larger than its bound) throws CloudError; nothing is
// retried. Answers are bounded: the list and upload answers by a few MB, a
// download by the largest worksheet the reader accepts, and every request by
// a read time-out and an overall deadline, so no server can make the
// program wait or grow without end. A download streams into a QSaveFile and
// replaces its file only when the whole body has arrived, so a failed one
// leaves the previous file as it was. Nothing thrown inside the network's
// signal handlers leaves them. Shows no window.
#pragma once

#include <QByteArray>
#include <QList>
#include <QSslCertificate>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QVector>
#include <stdexcept>

class QIODevice;
class QNetworkAccessManager;
class QNetworkReply;
class QNetworkRequest;

class CloudError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The proxy the requests go through; off: direct connections.
struct ProxySetting {
    bool use = false;
    QString address;
    int port = 0;
};

// Request paths on the cloud server.
inline const QString CloudListPath = QStringLiteral("/software/print/list.php");
inline const QString CloudUploadPath = QStringLiteral("/software/print/act.php");
inline const QString CloudDataPath = QStringLiteral("/data/");
inline const QByteArray CloudUserAgent = QByteArrayLiteral("TavenorPrint");
// The fixed text the list request sends in its "name" field.
inline const QString CloudListName = QStringLiteral("123文字abcあいうえお");
inline constexpr int CloudReadTimeoutMs = 60000;
// A request that has not ended after this long is stopped, however steadily
// its bytes come in.
inline constexpr int CloudDeadlineMs = 300000;
// The list and upload answers are short texts; more than this is no answer.
inline constexpr qint64 CloudAnswerLimit = 4 * 1024 * 1024;

inline const QString CloudTimeoutText =
    QStringLiteral("プリント クラウド サーバが、時間内に応答しませんでした。");
inline const QString CloudTooLargeText = QStringLiteral(
    "プリント クラウド サーバから届くデータが大きすぎるため、受信を中止しました。");
inline const QString CloudOutOfMemoryText = QStringLiteral(
    "メモリが足りないため、プリント クラウド サーバからのデータを受け取れませんでした。");
inline const QString CloudBadNameText =
    QStringLiteral("このファイル名のファイルは、ダウンロードできません。");

// True when a file name from the list can be asked for under "/data/": not
// empty, not ".", and without "/", a backslash, ".." or a control character,
// so that the request can never name another path on the server.
bool CloudFileNameAllowed(const QString &name);
// A number field of the list: TextToInt64's reading (surrounding blanks
// ignored, anything else 0) without the ten-digit warning, which is about
// calculations and not about what a server sends.
int64_t CloudNumber(const QString &field);

// A text as the server's forms expect it: the code page 932 bytes, with
// ! $ ' ( ) * - . 0-9 @ A-Z _ a-z kept, a space as "+", and every other
// byte as "%" and two lower-case hex digits.
QByteArray FormEncode(const QString &text);

// One row of the cloud list: the 16 fields of a record plus the filter's
// match count.
struct RCloudRow {
    QStringList fields; // exactly 16
    int match = 0;
    QString fileName() const { return fields.value(2); }
};

// Splits a list body (UTF-8, a byte-order mark skipped) at LF and each
// record at ","; only records of exactly 16 fields are kept, in order.
QVector<RCloudRow> ParseCloudList(const QByteArray &body);
// The list filter: grade 0 / subject 0 / empty keyword match everything;
// otherwise field 11 (as a number), field 13 and the content (field 4,
// case-sensitive substring). Returns the indexes of the rows that pass.
QVector<int> CloudListKensaku(QVector<RCloudRow> &rows, int grade, int subject,
                              const QString &keyword);
// Field 3 (bytes) as shown: Trunc(size / 1000) + 1 followed by " KB".
QString CloudSizeText(const QString &sizeField);
// Field 7 (seconds since 1970 UTC) in Japan time, "yyyy/mm/dd hh:nn".
QString CloudTimeText(const QString &timeField);
// Field 11 as shown: its text up to the first CR.
QString CloudGradeText(const QString &gradeField);

// The server address setting: "CloudServer.txt" in the working folder, one
// line holding an HTTPS address. An empty QUrl and a reason in `problem`
// when there is no usable one.
QUrl LoadCloudServer(const QString &workFolder, QString *problem = nullptr);
// Checks an address given by hand (command line): https and a host.
QUrl CheckCloudServer(const QString &text, QString *problem = nullptr);
inline const QString CloudServerMissingText = QStringLiteral(
    "プリント クラウド サーバのアドレスが設定されていません。\r\n"
    "作業フォルダの CloudServer.txt に https:// で始まるアドレスを1行で書いてください。");

class TInternet
{
public:
    TInternet();
    ~TInternet();
    TInternet(const TInternet &) = delete;
    TInternet &operator=(const TInternet &) = delete;

    void setServer(const QUrl &server) { mServer = server; }
    QUrl server() const { return mServer; }
    void setProxy(const ProxySetting &proxy);
    ProxySetting proxy() const { return mProxy; }
    // The read time-out: a request that receives nothing for this long fails.
    void setReadTimeout(int ms) { mTimeoutMs = ms; }
    // The deadline of a whole request, however busy it is.
    void setDeadline(int ms) { mDeadlineMs = ms; }
    int deadline() const { return mDeadlineMs; }
    // The most bytes a list or upload answer, and a download, may hold.
    void setAnswerLimit(qint64 bytes) { mAnswerLimit = bytes; }
    qint64 answerLimit() const { return mAnswerLimit; }
    void setDownloadLimit(qint64 bytes) { mDownloadLimit = bytes; }
    qint64 downloadLimit() const { return mDownloadLimit; }
    // Certificates trusted besides the system's (a test server's own).
    void addCaCertificates(const QList<QSslCertificate> &certificates);
    // Reads PEM certificates from a file; false when it holds none.
    bool addCaCertificateFile(const QString &path);

    // Posts the list request; returns the raw body.
    QByteArray GetList(int grade, int subject);
    // Posts the upload request with the file at `path` (sent under the name
    // "Upload.prx", as the program's own copy is called); returns the raw body.
    QByteArray Upload(const QString &path, int grade, int subject, const QString &name);
    // Fetches "/data/" + fileName (one percent-encoded path segment) and
    // writes the body to `target` once it is complete. A name that
    // CloudFileNameAllowed refuses is not requested at all.
    void DownloadFile(const QString &fileName, const QString &target);

private:
    QUrl urlFor(const QString &path) const;
    void prepare(QNetworkRequest &request) const;
    // Waits for the reply to finish and throws on every kind of failure. The
    // body goes into `sink` when one is given, else it is returned; more
    // than `limit` bytes stop the request.
    QByteArray finish(QNetworkReply *reply, qint64 limit, QIODevice *sink = nullptr);

    QNetworkAccessManager *mManager;
    QUrl mServer;
    ProxySetting mProxy;
    int mTimeoutMs = CloudReadTimeoutMs;
    int mDeadlineMs = CloudDeadlineMs;
    qint64 mAnswerLimit = CloudAnswerLimit;
    qint64 mDownloadLimit;
    QList<QSslCertificate> mExtraCa;
};
