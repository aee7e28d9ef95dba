// The cloud exchange against a real HTTPS server on 127.0.0.1 (made by the
// test with its own certificate): the three requests with their form
// fields, encoding and User-Agent, the list parsing and filter, and every
// kind of failure (HTTP 500, time-out, a body cut short, an untrusted
// certificate), through the client, the command-line tool and the windows.
#include "CloudTestServer.h"

#include "document/UnitFile.h"
#include "library/UnitCloud.h"
#include "library/UnitCloudDownload.h"
#include "library/UnitCloudUpload.h"
#include "library/UnitDrawnList.h"
#include "library/UnitInternet.h"
#include "library/UnitProxy.h"
#include "platform/UnitMessages.h"
#include "platform/UnitNumText.h"
#include "support/PipeWriter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

namespace
{

QByteArray record(const QString &file, int size, const QString &content, qint64 time, int grade,
                  int subject)
{
    QStringList f;
    for (int i = 0; i < 16; ++i)
        f << QStringLiteral("x%1").arg(i);
    f[2] = file;
    f[3] = QString::number(size);
    f[4] = content;
    f[7] = QString::number(time);
    f[11] = QString::number(grade) + QStringLiteral("\r");
    f[13] = QString::number(subject);
    return f.join(QLatin1Char(',')).toUtf8();
}

QByteArray standardList()
{
    return QByteArray("\xEF\xBB\xBF") +
           record(QStringLiteral("a1.prx"), 999, QStringLiteral("たし算"), 0, 1, 3) + "\n" +
           record(QStringLiteral("a2.prx"), 1000, QStringLiteral("ひき算のれんしゅう"), 86400, 2,
                  3) +
           "\n" + "only,fifteen,fields,a,b,c,d,e,f,g,h,i,j,k,l\n" +
           "seventeen,fields,a,b,c,d,e,f,g,h,i,j,k,l,m,n,o\n" +
           record(QStringLiteral("a3.prx"), 25000, QStringLiteral("かん字"), 1700000000, 2, 1) +
           "\n";
}

QByteArray sampleWorksheet(const QString &content)
{
    Document doc;
    doc.Naiyou = content;
    doc.NenIndex = 2;
    doc.KyoukaIndex = 3;
    RAData row;
    row.Syu = QStringLiteral("1");
    row.Siki = QStringLiteral("なまえ");
    row.FontName = QStringLiteral("ＭＳ Ｐゴシック");
    row.FontSize = 12;
    row.Layer = 1;
    doc.AData.append(row);
    return BuildFileBytes(doc, LayerWorksheet, 1);
}

QString partValue(const QJsonObject &request, const QString &name)
{
    for (const QJsonValue &p : request.value(QStringLiteral("parts")).toArray())
        if (p.toObject().value(QStringLiteral("name")).toString() == name)
            return p.toObject().value(QStringLiteral("value")).toString();
    return QStringLiteral("<missing>");
}

QStringList partNames(const QJsonObject &request)
{
    QStringList names;
    for (const QJsonValue &p : request.value(QStringLiteral("parts")).toArray())
        names << p.toObject().value(QStringLiteral("name")).toString();
    return names;
}

struct ToolRun {
    int exitCode = -1;
    QByteArray out;
    QString err;
};

// The server did not answer in time, in the program's own words.
const QString kTimedOut = QStringLiteral("プリント クラウド サーバが、時間内に応答しませんでした。");
const QString kTooLarge = QStringLiteral(
    "プリント クラウド サーバから届くデータが大きすぎるため、受信を中止しました。");
const QString kBadName = QStringLiteral("このファイル名のファイルは、ダウンロードできません。");

std::string errorOf(const std::function<void()> &request)
{
    try {
        request();
    } catch (const CloudError &e) {
        return e.what();
    }
    return "no error";
}

// The companion may use at most this much address space, so that a body
// held without bound ends in an out-of-memory fault within a second.
constexpr rlim_t kToolMemoryCap = rlim_t(1536) * 1024 * 1024;

// AddressSanitizer reserves terabytes of address space for its shadow, so
// under it the cap is one on resident memory, kept by the sanitizer itself.
#if defined(__SANITIZE_ADDRESS__)
#define TAVENOR_TEST_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TAVENOR_TEST_ASAN 1
#endif
#endif

ToolRun runTool(const QStringList &args, bool memoryCap = false)
{
    QProcess p;
#ifdef TAVENOR_TEST_ASAN
    if (memoryCap) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        const QString options = env.value(QStringLiteral("ASAN_OPTIONS"));
        env.insert(QStringLiteral("ASAN_OPTIONS"),
                   options + (options.isEmpty() ? QString() : QStringLiteral(":")) +
                       QStringLiteral("hard_rss_limit_mb=%1").arg(kToolMemoryCap >> 20));
        p.setProcessEnvironment(env);
    }
#else
    if (memoryCap)
        p.setChildProcessModifier([] {
            const rlimit cap{kToolMemoryCap, kToolMemoryCap};
            ::setrlimit(RLIMIT_AS, &cap);
        });
#endif
    p.start(QStringLiteral(TAVENOR_TOOL_PATH), args);
    ToolRun r;
    if (!p.waitForFinished(60000))
        return r;
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    r.out = p.readAllStandardOutput();
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

class Cloud : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { server = new CloudTestServer; }
    static void TearDownTestSuite()
    {
        delete server;
        server = nullptr;
    }
    void SetUp() override
    {
        ASSERT_TRUE(server->ready()) << server->problem.toStdString();
        server->setMode(QStringLiteral("normal"));
        server->setList(standardList());
        server->clearRequests();
        net.setServer(server->url());
        ASSERT_TRUE(net.addCaCertificateFile(server->certPath));
    }

    static CloudTestServer *server;
    TInternet net;
    QTemporaryDir tmp;
};

CloudTestServer *Cloud::server = nullptr;

class FakeCloudHost : public CloudHost
{
public:
    void CloudOpenFile(const QString &path) override { opened << path; }
    QString CloudOpenFileName() const override { return openFileName; }
    void CloudToggleAnswer() override { ++toggles; }
    void CloudPrint() override { ++prints; }
    QStringList opened;
    QString openFileName;
    int toggles = 0;
    int prints = 0;
};

// A download window over a fresh working folder (with its "DownLoad"
// folder), its host recording what it opens.
struct DownloadWindow {
    QTemporaryDir work;
    FakeCloudHost host;
    Document doc;
    TFormCloudDownload form;
    explicit DownloadWindow(TInternet &net) : form(net)
    {
        QDir(work.path()).mkpath(QStringLiteral("DownLoad"));
        form.SyokiForm(doc.BunruiData, work.path(), &host);
    }
};

} // namespace

TEST(CloudText, FormEncodingKeepsTheSafeCharactersAndWritesCodePage932InLowerCaseHex)
{
    EXPECT_EQ(FormEncode(QStringLiteral("A B")), QByteArray("A+B"));
    EXPECT_EQ(FormEncode(QStringLiteral("あ")), QByteArray("%82%a0"));
    EXPECT_EQ(FormEncode(QStringLiteral("!$'()*-.09@AZ_az")), QByteArray("!$'()*-.09@AZ_az"));
    EXPECT_EQ(FormEncode(QStringLiteral("a/b&c=d\r\n~")), QByteArray("a%2fb%26c%3dd%0d%0a%7e"));
    // A half-width katakana is one byte above 0x80; "①" exists only in CP932
    // and its second byte is the at sign, which stays as it is.
    EXPECT_EQ(FormEncode(QStringLiteral("ｱ①")), QByteArray("%b1%87@"));
    EXPECT_EQ(FormEncode(CloudListName),
              QByteArray("123%95%b6%8e%9aabc%82%a0%82%a2%82%a4%82%a6%82%a8"));
}

TEST(CloudText, ListKeepsOnlySixteenFieldRecordsAndShowsSizesTimesAndGrades)
{
    QVector<RCloudRow> rows = ParseCloudList(standardList());
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0].fileName(), QStringLiteral("a1.prx")); // the BOM did not stick to x0
    EXPECT_EQ(rows[0].fields[0], QStringLiteral("x0"));
    EXPECT_EQ(CloudSizeText(rows[0].fields[3]), QStringLiteral("1 KB"));
    EXPECT_EQ(CloudSizeText(rows[1].fields[3]), QStringLiteral("2 KB"));
    EXPECT_EQ(CloudTimeText(rows[0].fields[7]), QStringLiteral("1970/01/01 09:00"));
    EXPECT_EQ(CloudTimeText(rows[1].fields[7]), QStringLiteral("1970/01/02 09:00"));
    EXPECT_EQ(CloudGradeText(rows[1].fields[11]), QStringLiteral("2"));

    EXPECT_EQ(CloudListKensaku(rows, 0, 0, QString()), (QVector<int>{0, 1, 2}));
    EXPECT_EQ(CloudListKensaku(rows, 2, 0, QString()), (QVector<int>{1, 2}));
    EXPECT_EQ(CloudListKensaku(rows, 2, 3, QString()), (QVector<int>{1}));
    EXPECT_EQ(CloudListKensaku(rows, 0, 0, QStringLiteral("算")), (QVector<int>{0, 1}));
    EXPECT_EQ(rows[2].match, 2);
    EXPECT_EQ(rows[2].fields[5], QStringLiteral("2"));

    // Bytes that are no list at all give no rows and no fault.
    // (The size comes from the literal, whose embedded zero byte hides its end.)
    static const char garbage[] = "\xff\xfe\x00garbage,,,\n\n,";
    EXPECT_TRUE(ParseCloudList(QByteArray(garbage, sizeof garbage - 1)).isEmpty());
    EXPECT_TRUE(ParseCloudList(QByteArray()).isEmpty());
}

TEST(CloudText, ServerAddressMustBeHttpsWithAHost)
{
    QTemporaryDir work;
    QString problem;
    EXPECT_TRUE(LoadCloudServer(work.path(), &problem).isEmpty());
    EXPECT_EQ(problem, CloudServerMissingText);
    QFile f(work.path() + QStringLiteral("/CloudServer.txt"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("https://cloud.example/print\r\nsecond line ignored\r\n");
    f.close();
    EXPECT_EQ(LoadCloudServer(work.path()).toString(),
              QStringLiteral("https://cloud.example/print"));
    // A pipe in the place of the setting is not read.
    ASSERT_TRUE(QFile::remove(f.fileName()));
    ASSERT_EQ(::mkfifo(QFile::encodeName(f.fileName()).constData(), 0600), 0);
    {
        PipeWriter writer(f.fileName(), "https://cloud.example/print\r\n");
        problem.clear();
        EXPECT_TRUE(LoadCloudServer(work.path(), &problem).isEmpty());
        EXPECT_EQ(problem, CloudServerMissingText);
    }
    EXPECT_TRUE(CheckCloudServer(QStringLiteral("http://cloud.example")).isEmpty());
    EXPECT_TRUE(CheckCloudServer(QStringLiteral("https://")).isEmpty());
}

TEST(CloudProxy, RegistryValueEnvironmentAndFileGiveTheProxy)
{
    ProxySetting s = CheckReg({QStringLiteral("http=host1:8080;https=host2:8443"), 1});
    EXPECT_TRUE(s.use);
    EXPECT_EQ(s.address, QStringLiteral("host1"));
    EXPECT_EQ(s.port, 8080);
    s = CheckReg({QStringLiteral("proxy.school:3128"), 1});
    EXPECT_EQ(s.address, QStringLiteral("proxy.school"));
    EXPECT_EQ(s.port, 3128);
    s = CheckReg({QStringLiteral("nocolon"), 1});
    EXPECT_TRUE(s.address.isEmpty());
    EXPECT_EQ(s.port, 0);
    s = CheckReg({QStringLiteral("proxy.school:3128"), 0});
    EXPECT_FALSE(s.use);
    EXPECT_TRUE(s.address.isEmpty());

    const QByteArray saved = qgetenv("https_proxy");
    qputenv("https_proxy", "http://gate.school:8081/");
    RegistryProxy reg = SystemProxyValues();
    EXPECT_EQ(reg.ProxyEnable, 1);
    s = CheckReg(reg);
    EXPECT_EQ(s.address, QStringLiteral("gate.school"));
    EXPECT_EQ(s.port, 8081);
    if (saved.isNull())
        qunsetenv("https_proxy");
    else
        qputenv("https_proxy", saved);

    QTemporaryDir work;
    const QString path = ProxyFilePath(work.path());
    ProxySetting fromFile = s;
    EXPECT_FALSE(LoadProxy(path, fromFile)); // no file: the system's value stays
    EXPECT_TRUE(fromFile.use);
    ASSERT_TRUE(SaveProxy(path, ProxySetting{false, QString(), 0}));
    EXPECT_TRUE(LoadProxy(path, fromFile));
    EXPECT_FALSE(fromFile.use);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("Tavenor,Print\r\n1,0\r\n0\r\n\r\n\r\n"));
    f.close();
    ASSERT_TRUE(SaveProxy(path, ProxySetting{true, QStringLiteral("p.local"), 8080}));
    EXPECT_TRUE(LoadProxy(path, fromFile));
    EXPECT_TRUE(fromFile.use);
    EXPECT_EQ(fromFile.address, QStringLiteral("p.local"));
    EXPECT_EQ(fromFile.port, 8080);

    // A pipe in the place of the file is not read; the values stay.
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    {
        PipeWriter writer(path, "Tavenor,Print\r\n1,0\r\n1\r\npiped\r\n1\r\n");
        EXPECT_FALSE(LoadProxy(path, fromFile));
    }
    EXPECT_EQ(fromFile.address, QStringLiteral("p.local"));
}

TEST(CloudProxy, WindowOkWritesTheFileAndAnUncheckedBoxEmptiesAddressAndPort)
{
    QTemporaryDir work;
    TInternet net;
    TFormProxy form;
    form.SyokiForm(work.path(), net);
    form.StartForm();
    form.CheckBox1->setChecked(false);
    form.EditAddress->setText(QStringLiteral("kept.nowhere"));
    form.EditPort->setText(QStringLiteral("99"));
    form.ButtonOKClick();
    EXPECT_FALSE(net.proxy().use);
    EXPECT_TRUE(form.current().address.isEmpty());
    ProxySetting read{true, QStringLiteral("x"), 1};
    ASSERT_TRUE(LoadProxy(ProxyFilePath(work.path()), read));
    EXPECT_FALSE(read.use);
    EXPECT_TRUE(read.address.isEmpty());

    form.CheckBox1->setChecked(true);
    form.EditAddress->setText(QStringLiteral("gate"));
    form.EditPort->setText(QStringLiteral("8080"));
    form.ButtonOKClick();
    EXPECT_TRUE(net.proxy().use);
    EXPECT_EQ(net.proxy().address, QStringLiteral("gate"));
    EXPECT_EQ(net.proxy().port, 8080);
    // The next start takes the file over the system's setting.
    TInternet next;
    TFormProxy again;
    again.SyokiForm(work.path(), next);
    EXPECT_EQ(next.proxy().address, QStringLiteral("gate"));
}

TEST_F(Cloud, ListRequestSendsItsFieldsInOrderAndReturnsTheBody)
{
    const QByteArray body = net.GetList(2, 3);
    EXPECT_EQ(body, standardList());
    const QJsonArray reqs = server->requests();
    ASSERT_EQ(reqs.size(), 1);
    const QJsonObject r = reqs[0].toObject();
    EXPECT_EQ(r.value(QStringLiteral("path")).toString(),
              QStringLiteral("/software/print/list.php"));
    EXPECT_TRUE(
        r.value(QStringLiteral("contentType")).toString().startsWith("multipart/form-data"));
    EXPECT_EQ(partNames(r), (QStringList{"gakkou", "syurui", "nen", "kyouka", "name"}));
    EXPECT_EQ(partValue(r, "gakkou"), QStringLiteral("1"));
    EXPECT_EQ(partValue(r, "syurui"), QStringLiteral("1"));
    EXPECT_EQ(partValue(r, "nen"), QStringLiteral("2"));
    EXPECT_EQ(partValue(r, "kyouka"), QStringLiteral("3"));
    EXPECT_EQ(partValue(r, "name"),
              QStringLiteral("123%95%b6%8e%9aabc%82%a0%82%a2%82%a4%82%a6%82%a8"));
}

TEST_F(Cloud, DownloadSendsTheUserAgentAndWritesTheWholeFile)
{
    const QByteArray file = sampleWorksheet(QStringLiteral("ダウンロード"));
    server->putData(QStringLiteral("sheet 1.prx"), file);
    const QString target = tmp.filePath(QStringLiteral("File.prx"));
    net.DownloadFile(QStringLiteral("sheet 1.prx"), target);
    QFile f(target);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), file);
    const QJsonObject r = server->requests().last().toObject();
    EXPECT_EQ(r.value(QStringLiteral("path")).toString(), QStringLiteral("/data/sheet%201.prx"));
    EXPECT_EQ(r.value(QStringLiteral("userAgent")).toString(), QStringLiteral("TavenorPrint"));
    // Any other name is one percent-encoded path segment under /data/.
    const QString odd = QStringLiteral("あ 1?#%;+.prx");
    server->putData(odd, file);
    net.DownloadFile(odd, target);
    EXPECT_EQ(server->requests().last().toObject().value("path").toString(),
              QStringLiteral("/data/%E3%81%82%201%3F%23%25%3B%2B.prx"));
}

TEST_F(Cloud, NamesThatCouldLeaveTheDataFolderAreNeverRequested)
{
    const QString target = tmp.filePath(QStringLiteral("File.prx"));
    const QStringList refused{QStringLiteral(".."),
                              QStringLiteral("."),
                              QStringLiteral("a/b.prx"),
                              QStringLiteral("a\\b.prx"),
                              QStringLiteral("../software/print/list.php"),
                              QStringLiteral("x..y.prx"),
                              QStringLiteral("a\tb.prx"),
                              QStringLiteral("a\nb.prx"),
                              QString(QChar(0x7F)) + QStringLiteral("a.prx"),
                              QString(QChar(0x85)) + QStringLiteral("a.prx"),
                              QString()};
    for (const QString &name : refused) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_FALSE(CloudFileNameAllowed(name));
        EXPECT_EQ(errorOf([&] { net.DownloadFile(name, target); }), kBadName.toStdString());
    }
    EXPECT_TRUE(server->requests().isEmpty());
    EXPECT_FALSE(QFile::exists(target));
    EXPECT_TRUE(CloudFileNameAllowed(QStringLiteral(".hidden.prx")));
    EXPECT_TRUE(CloudFileNameAllowed(QStringLiteral("a.b.prx")));

    // The window lists such a row, and pressing it says why nothing comes.
    QByteArray list;
    for (const QString &name : {QStringLiteral(".."), QStringLiteral("."),
                                QStringLiteral("a/b.prx"), QStringLiteral("c\x01.prx")})
        list += record(name, 10, QStringLiteral("あやしい"), 0, 1, 3) + "\n";
    server->setList(list);
    ScriptedMessages messages;
    DownloadWindow window(net);
    TFormCloudDownload &form = window.form;
    FakeCloudHost &host = window.host;
    ASSERT_TRUE(form.ListDownload());
    ASSERT_EQ(form.List->rowCount(), 4);
    server->clearRequests();
    for (int row = 0; row < 4; ++row)
        form.ListRowPressed(row);
    EXPECT_TRUE(server->requests().isEmpty());
    EXPECT_TRUE(host.opened.isEmpty());
    EXPECT_EQ(messages.texts, QStringList(4, kBadName));
    EXPECT_TRUE(form.isEnabled());
    EXPECT_FALSE(form.Wait->isVisible());

    // The companion refuses such a name too.
    const ToolRun r = runTool({"cloud-get", "--server", server->url().toString(), "--ca",
                               server->certPath, "..", "-o", target});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(kBadName));
    EXPECT_TRUE(server->requests().isEmpty());
}

TEST_F(Cloud, EndlessHugeAndTricklingAnswersAreCutOffWithAMessage)
{
    const QString target = tmp.filePath(QStringLiteral("File.prx"));
    QFile old(target);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("previous download");
    old.close();
    auto onlyThePreviousFile = [&] {
        QFile f(target);
        return f.open(QIODevice::ReadOnly) && f.readAll() == QByteArray("previous download") &&
               QDir(tmp.path()).entryList(QDir::Files | QDir::Hidden) ==
                   QStringList{QStringLiteral("File.prx")};
    };

    // The bounds a client starts with: a few MB for an answer, the largest
    // worksheet the reader accepts for a download.
    TInternet fresh;
    EXPECT_EQ(fresh.answerLimit(), CloudAnswerLimit);
    EXPECT_GE(CloudAnswerLimit, 1024 * 1024);
    EXPECT_LE(CloudAnswerLimit, 16 * 1024 * 1024);
    EXPECT_EQ(fresh.downloadLimit(), MaxWorksheetFileSize);
    EXPECT_GT(fresh.deadline(), CloudReadTimeoutMs);

    // A download may be exactly as large as the bound, not one byte more.
    server->putData(QStringLiteral("k.prx"), QByteArray(5000, 'k'));
    net.setDownloadLimit(4999);
    EXPECT_EQ(errorOf([&] { net.DownloadFile(QStringLiteral("k.prx"), target); }),
              kTooLarge.toStdString());
    EXPECT_TRUE(onlyThePreviousFile());
    net.setDownloadLimit(5000);
    net.DownloadFile(QStringLiteral("k.prx"), target);
    {
        QFile f(target);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), QByteArray(5000, 'k'));
    }
    old.open(QIODevice::WriteOnly);
    old.write("previous download");
    old.close();

    server->setMode(QStringLiteral("endless"));
    EXPECT_EQ(errorOf([&] { net.GetList(0, 0); }), kTooLarge.toStdString());
    net.setDownloadLimit(300000);
    EXPECT_EQ(errorOf([&] { net.DownloadFile(QStringLiteral("k.prx"), target); }),
              kTooLarge.toStdString());
    EXPECT_TRUE(onlyThePreviousFile());
    server->setMode(QStringLiteral("huge"));
    EXPECT_EQ(errorOf([&] { net.DownloadFile(QStringLiteral("k.prx"), target); }),
              kTooLarge.toStdString());
    EXPECT_EQ(errorOf([&] { net.GetList(0, 0); }), kTooLarge.toStdString());
    EXPECT_TRUE(onlyThePreviousFile());

    // One byte every quarter second never trips the read time-out; the
    // deadline of the whole request ends it.
    server->setMode(QStringLiteral("trickle"));
    net.setReadTimeout(2000);
    net.setDeadline(1000);
    EXPECT_EQ(errorOf([&] { net.DownloadFile(QStringLiteral("k.prx"), target); }),
              kTimedOut.toStdString());
    EXPECT_EQ(errorOf([&] { net.GetList(0, 0); }), kTimedOut.toStdString());
    EXPECT_TRUE(onlyThePreviousFile());

    // The companion under a memory cap: the endless list ends with the
    // message, not with an out-of-memory fault.
    server->setMode(QStringLiteral("endless"));
    const ToolRun r = runTool(
        {"cloud-list", "--server", server->url().toString(), "--ca", server->certPath}, true);
    EXPECT_EQ(r.exitCode, 1) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(kTooLarge)) << r.err.toStdString();
}

TEST_F(Cloud, ListValuesOfManyDigitsNeverRaiseTheCalculationWarning)
{
    int shown = 0;
    SetTenDigitWarningHook([&shown] { ++shown; });
    ResetTenDigitWarningForTests();
    const QByteArray list =
        record(QStringLiteral("short.prx"), 0, QStringLiteral("短い"), 0, 0, 0) + "\n";
    QStringList f;
    for (int i = 0; i < 16; ++i)
        f << QStringLiteral("x%1").arg(i);
    f[2] = QStringLiteral("long.prx");
    f[3] = QStringLiteral("123456789012");
    f[4] = QStringLiteral("長い");
    f[7] = QStringLiteral("99999999999");
    f[11] = QStringLiteral("22222222222\r");
    f[13] = QStringLiteral("33333333333");
    const QByteArray longRecord = f.join(QLatin1Char(',')).toUtf8() + "\n";
    f[7] = QStringLiteral("9223372036854775807");
    const QByteArray largest = f.join(QLatin1Char(',')).toUtf8() + "\n";
    QVector<RCloudRow> rows = ParseCloudList(list + longRecord + largest);
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(CloudListKensaku(rows, 2, 0, QString()), QVector<int>{});
    EXPECT_EQ(CloudListKensaku(rows, 0, 0, QString()), (QVector<int>{0, 1, 2}));
    EXPECT_EQ(CloudSizeText(rows[1].fields[3]), QStringLiteral("123456790 KB"));
    EXPECT_EQ(CloudTimeText(rows[1].fields[7]), QStringLiteral("5138/11/16 18:46"));
    CloudTimeText(rows[2].fields[7]); // no overflow past the largest time
    EXPECT_EQ(shown, 0);

    // The window parses and draws the same list without the warning, and
    // so does the companion.
    server->setList(list + longRecord + largest);
    ScriptedMessages messages;
    DownloadWindow window(net);
    TFormCloudDownload &form = window.form;
    ASSERT_TRUE(form.ListDownload());
    EXPECT_EQ(form.List->rowCount(), 3);
    EXPECT_EQ(shown, 0);
    EXPECT_TRUE(messages.texts.isEmpty());
    const ToolRun r =
        runTool({"cloud-list", "--server", server->url().toString(), "--ca", server->certPath});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_FALSE(r.err.contains(TenDigitWarningText));
    SetTenDigitWarningHook({});
    ResetTenDigitWarningForTests();
}

TEST_F(Cloud, UploadSendsTheFormFieldsInOrderWithTheTitleInCodePage932)
{
    const QString source = tmp.filePath(QStringLiteral("mine.prx"));
    const QByteArray bytes = sampleWorksheet(QStringLiteral("あ"));
    QFile f(source);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    f.close();
    EXPECT_EQ(net.Upload(source, 4, 3, QStringLiteral("あ B")), QByteArray("OK"));
    const QJsonObject r = server->requests().last().toObject();
    EXPECT_EQ(r.value(QStringLiteral("path")).toString(),
              QStringLiteral("/software/print/act.php"));
    EXPECT_EQ(partNames(r), (QStringList{"MAX_FILE_SIZE", "userfile", "gakkou", "syurui", "nen",
                                         "kyouka", "name"}));
    EXPECT_EQ(partValue(r, "MAX_FILE_SIZE"), QStringLiteral("1000000"));
    EXPECT_EQ(partValue(r, "nen"), QStringLiteral("4"));
    EXPECT_EQ(partValue(r, "kyouka"), QStringLiteral("3"));
    EXPECT_EQ(partValue(r, "name"), QStringLiteral("%82%a0+B"));
    const QJsonObject filePart = r.value("parts").toArray()[1].toObject();
    EXPECT_EQ(filePart.value("contentType").toString(), QStringLiteral("text/plain"));
    EXPECT_EQ(filePart.value("filename").toString(), QStringLiteral("Upload.prx"));
    EXPECT_EQ(filePart.value("value").toString().toLatin1(), bytes);
}

TEST_F(Cloud, FailuresRaiseAndLeaveThePreviousFileInPlace)
{
    const QString target = tmp.filePath(QStringLiteral("File.prx"));
    QFile old(target);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("previous download");
    old.close();
    auto previousKept = [&] {
        QFile f(target);
        return f.open(QIODevice::ReadOnly) && f.readAll() == QByteArray("previous download");
    };
    server->putData(QStringLiteral("big.prx"), QByteArray(200000, 'x'));

    server->setMode(QStringLiteral("list500"));
    EXPECT_THROW(net.GetList(0, 0), CloudError);

    server->setMode(QStringLiteral("cut"));
    EXPECT_THROW(net.DownloadFile(QStringLiteral("big.prx"), target), CloudError);
    EXPECT_TRUE(previousKept());

    server->setMode(QStringLiteral("normal"));
    EXPECT_THROW(net.DownloadFile(QStringLiteral("missing.prx"), target), CloudError);
    EXPECT_TRUE(previousKept());

    server->setMode(QStringLiteral("hang"));
    net.setReadTimeout(500);
    EXPECT_EQ(errorOf([&] { net.DownloadFile(QStringLiteral("big.prx"), target); }),
              kTimedOut.toStdString());
    EXPECT_EQ(errorOf([&] { net.GetList(0, 0); }), kTimedOut.toStdString());
    EXPECT_TRUE(previousKept());
    server->setMode(QStringLiteral("normal"));

    // A client that does not trust the server's certificate, or trusts only
    // another one, gets no answer at all.
    TInternet untrusting;
    untrusting.setServer(server->url());
    EXPECT_THROW(untrusting.DownloadFile(QStringLiteral("big.prx"), target), CloudError);
    TInternet other;
    other.setServer(server->url());
    ASSERT_TRUE(other.addCaCertificateFile(server->otherCertPath));
    EXPECT_THROW(other.GetList(0, 0), CloudError);
    EXPECT_TRUE(previousKept());

    // Without a server address nothing is sent.
    TInternet none;
    EXPECT_THROW(none.GetList(0, 0), CloudError);
}

TEST_F(Cloud, ToolCommandsListDownloadAndUpload)
{
    const QString url = server->url().toString();
    ToolRun r = runTool({"cloud-list", "--server", url, "--ca", server->certPath, "--grade", "2"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QList<QByteArray> lines = r.out.trimmed().split('\n');
    ASSERT_EQ(lines.size(), 2);
    const QJsonObject first = QJsonDocument::fromJson(lines[0]).object();
    EXPECT_EQ(first.value("file").toString(), QStringLiteral("a2.prx"));
    EXPECT_EQ(first.value("size").toString(), QStringLiteral("2 KB"));
    EXPECT_EQ(first.value("updated").toString(), QStringLiteral("1970/01/02 09:00"));
    EXPECT_EQ(first.value("subject").toString(), QStringLiteral("算数"));
    EXPECT_EQ(partValue(server->requests().last().toObject(), "nen"), QStringLiteral("2"));

    r = runTool({"cloud-list", "--server", url, "--ca", server->certPath, "--keyword", "かん"});
    ASSERT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out.trimmed().split('\n').size(), 1);

    const QByteArray file = sampleWorksheet(QStringLiteral("ツール"));
    server->putData(QStringLiteral("t.prx"), file);
    const QString out = tmp.filePath(QStringLiteral("got.prx"));
    r = runTool({"cloud-get", "--server", url, "--ca", server->certPath, "t.prx", "-o", out});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    QFile got(out);
    ASSERT_TRUE(got.open(QIODevice::ReadOnly));
    EXPECT_EQ(got.readAll(), file);

    r = runTool({"cloud-put", "--server", url, "--ca", server->certPath, out, "--grade", "3",
                 "--subject", "3", "--title", "たし算 1"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QByteArray("OK"));
    EXPECT_EQ(partValue(server->requests().last().toObject(), "name"),
              QStringLiteral("%82%bd%82%b5%8eZ+1"));

    // Without the certificate, with an http address or a bad option: refused.
    r = runTool({"cloud-list", "--server", url});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_FALSE(r.err.isEmpty());
    // The companion speaks of its own option, not of the editor's file.
    r = runTool({"cloud-list", "--server", "http://127.0.0.1:1"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains(QStringLiteral("--server"))) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(QStringLiteral("https://"))) << r.err.toStdString();
    EXPECT_FALSE(r.err.contains(QStringLiteral("CloudServer.txt"))) << r.err.toStdString();
    EXPECT_EQ(runTool({"cloud-list", "--server", url, "--grade", "x"}).exitCode, 2);
    EXPECT_EQ(runTool({"cloud-get", "--server", url, "--ca", server->certPath, "t.prx"}).exitCode,
              2);
}

TEST_F(Cloud, DownloadWindowListsFiltersAndOpensThePressedRow)
{
    ScriptedMessages messages;
    DownloadWindow window(net);
    TFormCloudDownload &form = window.form;
    FakeCloudHost &host = window.host;
    form.resize(640, 460);
    ASSERT_TRUE(form.ListDownload());
    EXPECT_EQ(form.filtered().size(), 3);
    QFile list(form.listPath());
    ASSERT_TRUE(list.open(QIODevice::ReadOnly));
    EXPECT_EQ(list.readAll(), standardList());
    form.ComboNen->setCurrentIndex(2);
    form.ListKensaku();
    ASSERT_EQ(form.filtered().size(), 2);
    EXPECT_EQ(form.List->rowCount(), 2);

    const QByteArray file = sampleWorksheet(QStringLiteral("窓"));
    server->putData(QStringLiteral("a3.prx"), file);
    form.ListRowPressed(1); // the last listed row
    ASSERT_EQ(host.opened, QStringList{form.downloadPath()});
    QFile got(form.downloadPath());
    ASSERT_TRUE(got.open(QIODevice::ReadOnly));
    EXPECT_EQ(got.readAll(), file);
    EXPECT_TRUE(form.isEnabled());
    EXPECT_FALSE(form.Wait->isVisible());
    EXPECT_TRUE(messages.texts.isEmpty());

    // A failed download shows the error and opens nothing.
    server->setMode(QStringLiteral("cut"));
    form.ListRowPressed(1);
    EXPECT_EQ(host.opened.size(), 1);
    EXPECT_EQ(messages.texts.size(), 1);
    EXPECT_TRUE(form.isEnabled());
    server->setMode(QStringLiteral("list500"));
    EXPECT_FALSE(form.ListDownload());
    EXPECT_EQ(messages.texts.size(), 2);

    // The header row opens nothing.
    server->setMode(QStringLiteral("normal"));
    form.ListRowPressed(-1);
    EXPECT_EQ(host.opened.size(), 1);
}

TEST_F(Cloud, UploadWindowSendsTheOpenWorksheetOrNothing)
{
    ScriptedMessages messages;
    QTemporaryDir work;
    QDir(work.path()).mkpath(QStringLiteral("UpLoad"));
    FakeCloudHost host;
    TFormCloudUpload form(net);
    Document doc;
    form.SyokiForm(doc.BunruiData, work.path(), &host);
    EXPECT_FALSE(form.ButtonUploadClick());
    EXPECT_TRUE(server->requests().isEmpty());

    host.openFileName = tmp.filePath(QStringLiteral("open.prx"));
    QFile f(host.openFileName);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(sampleWorksheet(QStringLiteral("開いている")));
    f.close();
    form.ComboNen->setCurrentIndex(6);
    form.ComboKyouka->setCurrentIndex(3);
    form.EditTitle->setText(QStringLiteral("６年"));
    EXPECT_TRUE(form.ButtonUploadClick());
    const QJsonObject r = server->requests().last().toObject();
    EXPECT_EQ(partValue(r, "nen"), QStringLiteral("6"));
    EXPECT_EQ(partValue(r, "name"), FormEncode(QStringLiteral("６年")));
    QFile act(work.filePath(QStringLiteral("UpLoad/act.txt")));
    ASSERT_TRUE(act.open(QIODevice::ReadOnly));
    EXPECT_EQ(act.readAll(), QByteArray("OK"));
    EXPECT_TRUE(QFile::exists(work.filePath(QStringLiteral("UpLoad/Upload.prx"))));
    EXPECT_TRUE(messages.texts.isEmpty());

    FakeCloudHost hub;
    TFormCloudDownload download(net);
    TFormCloud cloud(download, form, hub);
    cloud.StartForm();
    EXPECT_FALSE(cloud.ButtonUpload->isEnabled());
    hub.openFileName = host.openFileName;
    cloud.StartForm();
    EXPECT_TRUE(cloud.ButtonUpload->isEnabled());
}

TEST(CloudWindows, WithoutAServerAddressTheWindowsSaySoAndSendNothing)
{
    ScriptedMessages messages;
    QTemporaryDir work;
    TInternet net;
    FakeCloudHost host;
    Document doc;
    TFormCloudDownload download(net);
    download.SyokiForm(doc.BunruiData, work.path(), &host);
    EXPECT_FALSE(download.ListDownload());
    ASSERT_EQ(messages.texts.size(), 1);
    EXPECT_EQ(messages.texts[0], CloudServerMissingText);
    EXPECT_TRUE(download.table().isEmpty());

    TFormCloudUpload upload(net);
    upload.SyokiForm(doc.BunruiData, work.path(), &host);
    host.openFileName = work.filePath(QStringLiteral("open.prx"));
    QFile f(host.openFileName);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(sampleWorksheet(QStringLiteral("x")));
    f.close();
    EXPECT_FALSE(upload.ButtonUploadClick());
    EXPECT_EQ(messages.texts.size(), 2);
    EXPECT_FALSE(QFile::exists(work.filePath(QStringLiteral("UpLoad/Upload.prx"))));
}

TEST_F(Cloud, ListAnswerUpToItsLimitIsTakenOnePastIsRefused)
{
    // A list of 16-field records, exactly 3000 bytes long.
    QByteArray list = "1,2,a.prx,100,たし算,0,x,1700000000,a,b,c,1,d,1,e,f\n";
    list += QByteArray(3000 - list.size() - 1, ',') + "\n";
    ASSERT_EQ(list.size(), 3000);
    server->setList(list);
    net.setAnswerLimit(3000);
    EXPECT_EQ(net.GetList(0, 0), list);
    net.setAnswerLimit(2999);
    EXPECT_EQ(errorOf([&] { net.GetList(0, 0); }), kTooLarge.toStdString());
}
