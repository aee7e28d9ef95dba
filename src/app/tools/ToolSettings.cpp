#include "ToolSettings.h"
#include "document/UnitFileFields.h"
#include "math/UnitSiki.h"
#include "platform/UnitRegularFile.h"

#include <QJsonDocument>
#include <algorithm>

bool ReadSeed(const QString &text, uint64_t &seed, QTextStream &err)
{
    bool ok = false;
    seed = text.toULongLong(&ok);
    if (!ok)
        err << "not a seed: " << text << "\n";
    return ok;
}

bool RowFromJson(const QJsonObject &o, RAData &row, QTextStream &err)
{
    const auto &fields = RADataFields();
    for (auto it = o.begin(); it != o.end(); ++it) {
        const auto f = std::find_if(fields.begin(), fields.end(), [&](const FieldDef &d) {
            return it.key() == QLatin1String(d.name);
        });
        if (f == fields.end()) {
            err << "unknown field: " << it.key() << "\n";
            return false;
        }
        const QJsonValue v = it.value();
        if (f->type == FieldType::Str) {
            row.*(f->s) = v.isString() ? v.toString() : v.toVariant().toString();
        } else {
            const qint64 n = v.isString() ? v.toString().toLongLong() : v.toInteger();
            if (f->type == FieldType::Int)
                row.*(f->i) = Integer(n);
            else
                row.*(f->b) = Byte(n);
        }
    }
    return true;
}

bool ReadProblemSettings(const QString &path, RAData &settings, QTextStream &err)
{
    // A settings file is small; a pipe or device in its place is refused.
    QByteArray bytes;
    if (ReadRegularFile(path, 1 << 20, bytes) != FileReadFault::None) {
        err << path << ": cannot be read (not a regular file of at most 1 MB)\n";
        return false;
    }
    QJsonParseError parseError;
    const QJsonDocument json = QJsonDocument::fromJson(bytes, &parseError);
    if (!json.isObject()) {
        err << path << ": not a JSON object (" << parseError.errorString() << ")\n";
        return false;
    }
    if (!RowFromJson(json.object(), settings, err))
        return false;
    if (settings.Siki1 < TFormSiki::PageYoko || settings.Siki1 > TFormSiki::PageBunsyo) {
        err << "Siki1 must be 0 to 3\n";
        return false;
    }
    settings.Syu = QStringLiteral("5");
    settings.Rand = 1;
    settings.ID = 1;
    // A fraction page starts from a valid problem of its own.
    if (settings.Siki1 == TFormSiki::PageBunsu && settings.Siki.isEmpty())
        settings.Siki = QStringLiteral("s1b2+s1b3");
    return true;
}
