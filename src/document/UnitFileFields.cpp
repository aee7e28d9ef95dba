#include "document/UnitFileFields.h"

#include "platform/UnitNumText.h"

#include <cstdint>

namespace
{

#define FIELD_I(f)                                                                                 \
    FieldDef                                                                                       \
    {                                                                                              \
#f, FieldType::Int, &RAData::f, nullptr, nullptr                                           \
    }
#define FIELD_S(f)                                                                                 \
    FieldDef                                                                                       \
    {                                                                                              \
#f, FieldType::Str, nullptr, &RAData::f, nullptr                                           \
    }
#define FIELD_B(f)                                                                                 \
    FieldDef                                                                                       \
    {                                                                                              \
#f, FieldType::Byte, nullptr, nullptr, &RAData::f                                          \
    }

const std::array<FieldDef, FieldCount> kFields = {{
    FIELD_I(ID),
    FIELD_S(Syu),
    FIELD_I(Page),
    FIELD_I(X1),
    FIELD_I(Y1),
    FIELD_I(X2),
    FIELD_I(Y2),
    FIELD_S(Siki),
    FIELD_S(Kotae),
    FIELD_S(HissanSiki),
    FIELD_S(HissanKotae),
    FIELD_S(FontName),
    FIELD_I(FontSize),
    FIELD_I(PicNo),
    FIELD_I(Width),
    FIELD_I(Height),
    FIELD_I(Siki1),
    FIELD_I(Siki2),
    FIELD_I(ForeColor),
    FIELD_I(BackColor),
    FIELD_I(BackColorB),
    FIELD_I(FontB),
    FIELD_I(FontI),
    FIELD_I(FontU),
    FIELD_I(FontS),
    FIELD_I(LineSyu),
    FIELD_I(LineSize),
    FIELD_I(KotaeMode),
    FIELD_I(Layer),
    FIELD_I(Lock),
    FIELD_S(SikiSyo),
    FIELD_I(KaiSikiSyo),
    FIELD_I(KotaeSyo),
    FIELD_I(KotaeZero),
    FIELD_I(AmariSyo),
    FIELD_B(Rand),
    FIELD_S(RandX1),
    FIELD_S(RandX2),
    FIELD_S(RandY1),
    FIELD_S(RandY2),
    FIELD_S(RandZ1),
    FIELD_S(RandZ2),
    FIELD_B(RandKigou),
    FIELD_S(RandA1),
    FIELD_S(RandA2),
    FIELD_B(RandSyosuX),
    FIELD_B(RandSyosuY),
    FIELD_B(RandSyosuZ),
    FIELD_B(RandSyosuA),
    FIELD_B(RandAmari),
    FIELD_S(BunsyoR1),
    FIELD_B(BunsyoR),
    FIELD_S(BunsyoR2),
    FIELD_S(BunsyoText),
    FIELD_S(BunsyoSiki),
    FIELD_S(Bunsyo1),
    FIELD_S(Bunsyo2),
    FIELD_S(BunsyoKotaeCombo),
    FIELD_S(BunsyoKotae),
    FIELD_S(BunsyoKotaeTani),
    FIELD_B(BunsyoTani),
    FIELD_B(BunsuKabunsu),
    FIELD_B(RandBunsuKigou),
    FIELD_S(RandBunsuX1),
    FIELD_S(RandBunsuX2),
    FIELD_S(RandBunsuY1),
    FIELD_S(RandBunsuY2),
    FIELD_B(RandBunsuSyuX),
    FIELD_B(RandBunsuSyuY),
    FIELD_B(RandBunsuSyuA),
    FIELD_B(RandBunsuBunboY),
    FIELD_B(RandBunsuXYaku),
    FIELD_B(RandBunsuYYaku),
    FIELD_B(KihonJHX),
    FIELD_B(KihonJHY),
}};

#undef FIELD_I
#undef FIELD_S
#undef FIELD_B

const QString kCrLf = QStringLiteral("\r\n");
const QString kEscCrLf = QStringLiteral("&h1310&");
const QString kEscCr13 = QStringLiteral("&h0013&");
const QString kEscComma = QStringLiteral("&h0044&");

} // namespace

const std::array<FieldDef, FieldCount> &RADataFields()
{
    return kFields;
}

int64_t FileTextToInt64(const QString &text)
{
    // Ten characters or fewer never raise the warning, so they go through the
    // shared conversion as they are.
    if (text.size() <= 10) {
        try {
            return TextToInt64(text);
        } catch (const NumTextError &) {
            return 0;
        }
    }
    // Longer texts (stored system colours such as -2147483633) follow the
    // same rules: an optional "-", then digits only; anything else is 0.
    const bool negative = text.front() == QLatin1Char('-');
    qsizetype i = negative ? 1 : 0;
    if (i == text.size())
        return 0;
    uint64_t v = 0;
    const uint64_t limit = negative ? uint64_t(INT64_MAX) + 1 : uint64_t(INT64_MAX);
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return 0;
        const uint64_t d = c - u'0';
        if (v > (limit - d) / 10)
            return 0;
        v = v * 10 + d;
    }
    return negative ? int64_t(0 - v) : int64_t(v);
}

QString HenkanFileData(const QString &text)
{
    QString out = text;
    // A lone CR or LF would end the object line in the middle of a field and
    // corrupt every later column, so it is stored as a line break too.
    if (out.contains(QLatin1Char('\r')) || out.contains(QLatin1Char('\n'))) {
        out.replace(kCrLf, QStringLiteral("\n"));
        out.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        out.replace(QLatin1Char('\n'), kEscCrLf);
    }
    out.replace(QLatin1Char(','), kEscComma);
    return out;
}

QString ReturnFileData(const QString &text)
{
    if (!text.contains(QLatin1Char('&')))
        return text;
    QString out = text;
    out.replace(kEscCrLf, kCrLf);
    out.replace(kEscCr13, kCrLf);
    out.replace(kEscComma, QStringLiteral(","));
    return out;
}

QString FieldToFileText(const RAData &row, int field)
{
    const FieldDef &f = kFields[field];
    switch (f.type) {
    case FieldType::Int:
        return QString::number(row.*(f.i));
    case FieldType::Byte:
        return QString::number(unsigned(row.*(f.b)));
    case FieldType::Str:
        return HenkanFileData(row.*(f.s));
    }
    return QString();
}

void FieldFromFileText(RAData &row, int field, QStringView piece)
{
    const FieldDef &f = kFields[field];
    if (f.type == FieldType::Str) {
        row.*(f.s) = ReturnFileData(piece.toString());
        return;
    }
    // The number is read in place; the text is not copied.
    const QString text = QString::fromRawData(piece.data(), piece.size());
    const uint64_t v = static_cast<uint64_t>(FileTextToInt64(text));
    if (f.type == FieldType::Int)
        row.*(f.i) = static_cast<Integer>(static_cast<uint32_t>(v));
    else
        row.*(f.b) = static_cast<Byte>(v & 0xFFu);
}

QList<QStringView> SplitObjectLine(QStringView line)
{
    QList<QStringView> pieces;
    if (!line.contains(QLatin1Char(',')))
        return pieces;
    pieces.reserve(FieldCount + 1);
    qsizetype start = 0;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] == QLatin1Char(',')) {
            pieces.append(line.sliced(start, i - start));
            start = i + 1;
        }
    }
    pieces.append(line.sliced(start));
    return pieces;
}

int64_t FieldNumber(const RAData &row, int field)
{
    const FieldDef &f = kFields[field];
    switch (f.type) {
    case FieldType::Int:
        return row.*(f.i);
    case FieldType::Byte:
        return row.*(f.b);
    case FieldType::Str:
        break;
    }
    return 0;
}
