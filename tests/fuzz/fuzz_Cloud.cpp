// libFuzzer target for what the cloud exchange reads and writes: the input
// is a list answer of the server. It is split into rows, filtered by the
// grade, subject and keyword taken from its first bytes, and every kept row
// is turned into the texts of the download list (time, grade, size, file
// name check). The form encoder gets each field and the whole body; its
// output must use only the characters the server's forms take and must
// decode back to the code page 932 bytes of its text.
#include "library/UnitInternet.h"

#include <QCoreApplication>
#include <QStringEncoder>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    return 0;
}

static void check(bool ok)
{
    if (!ok)
        std::abort();
}

static void checkFormEncode(const QString &text)
{
    const QByteArray encoded = FormEncode(text);
    QByteArray decoded;
    for (qsizetype i = 0; i < encoded.size(); ++i) {
        const char c = encoded[i];
        if (c == '%') {
            check(i + 2 < encoded.size());
            const QByteArray hex = encoded.mid(i + 1, 2);
            bool ok = false;
            const int value = hex.toInt(&ok, 16);
            check(ok && hex.size() == 2 && hex == hex.toLower());
            decoded.append(char(value));
            i += 2;
        } else if (c == '+') {
            decoded.append(' ');
        } else {
            check((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                  QByteArrayView("!$'()*-.@_").contains(c));
            decoded.append(c);
        }
    }
    // One encoder for the run: opening the code page costs more than most
    // inputs. Stateless, so no input leaves anything behind for the next.
    static QStringEncoder encoder("windows-31j", QStringConverter::Flag::Stateless);
    check(decoded == QByteArray(encoder.encode(text)));
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The download stops answers above this size before they are parsed.
    if (qint64(size) > CloudAnswerLimit)
        return 0;
    const QByteArray body =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    QVector<RCloudRow> rows = ParseCloudList(body);
    for (const RCloudRow &row : rows)
        check(row.fields.size() == 16);

    const int grade = size > 0 ? data[0] % 8 : 0;
    const int subject = size > 1 ? data[1] % 12 : 0;
    const QString keyword = QString::fromUtf8(body.left(8))
                                .section(QLatin1Char(','), 0, 0)
                                .section(QLatin1Char('\n'), 0, 0);
    const QVector<int> kept = CloudListKensaku(rows, grade, subject, keyword);
    for (int i : kept) {
        check(i >= 0 && i < rows.size() && rows[i].match == 3);
        const QStringList &f = rows[i].fields;
        CloudTimeText(f[7]);
        CloudGradeText(f[11]);
        CloudSizeText(f[3]);
        CloudNumber(f[13]);
        const bool allowed = CloudFileNameAllowed(rows[i].fileName());
        if (allowed)
            check(!rows[i].fileName().contains(QLatin1Char('/')) &&
                  !rows[i].fileName().contains(QLatin1String("..")));
        for (const QString &field : f)
            checkFormEncode(field);
    }
    if (size <= 4096)
        checkFormEncode(QString::fromUtf8(body));
    return 0;
}
