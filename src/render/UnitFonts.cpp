#include "render/UnitFonts.h"

#include <QCoreApplication>
#include <QHash>
#include <QImage>
#include <algorithm>
#include <memory>

namespace {

// The measuring device: a 96-dpi image, so that measurements do not depend on
// the monitor the program happens to run on.
const QImage &measureDevice()
{
    static const QImage image = [] {
        QImage img(1, 1, QImage::Format_RGB32);
        img.setDotsPerMeterX(3780);
        img.setDotsPerMeterY(3780);
        return img;
    }();
    return image;
}

struct Entry {
    CellFontInfo info;
    std::unique_ptr<QFontMetrics> metrics;
};

QHash<QString, std::shared_ptr<Entry>> &cache()
{
    // Made once and never destroyed: the application object may outlive
    // the program's other statics (a static application object is destroyed
    // after them), and its post routine below must still find the cache.
    static auto *c = new QHash<QString, std::shared_ptr<Entry>>;
    static const bool registered = [] {
        // Fonts must not outlive the application object that owns the font
        // engines, so the cache is emptied when it goes away.
        qAddPostRoutine([] { cache().clear(); });
        return true;
    }();
    (void)registered;
    return *c;
}

QString keyOf(const FontSpec &s, int h)
{
    const int flags = (s.bold ? 1 : 0) | (s.italic ? 2 : 0) | (s.underline ? 4 : 0) | (s.strikeOut ? 8 : 0);
    QString k = s.face;
    k += QChar(0x1f);
    k += QString::number(h);
    k += QChar(u'a' + flags);
    return k;
}

QFont baseFont(const FontSpec &s)
{
    QFont f(s.face);
    f.setBold(s.bold);
    f.setItalic(s.italic);
    f.setUnderline(s.underline);
    f.setStrikeOut(s.strikeOut);
    return f;
}

int cellAt(const QFont &base, int pixelSize)
{
    QFont f = base;
    f.setPixelSize(pixelSize);
    QFontMetrics fm(f, &measureDevice());
    return fm.ascent() + fm.descent();
}

std::shared_ptr<Entry> build(const FontSpec &s, int h)
{
    const QFont base = baseFont(s);
    // Faces are rasterised at whole pixel sizes, and ascent + descent grows
    // a little faster than the size: start from a guess and walk to the
    // largest size whose cell does not exceed the height. Some faces jump
    // over a height; then the cell is one pixel short of it.
    int p = std::max(1, h * 100 / 108);
    for (int i = 0; i < 64 && p > 1 && cellAt(base, p) > h; ++i)
        --p;
    for (int i = 0; i < 64 && cellAt(base, p + 1) <= h; ++i)
        ++p;
    auto e = std::make_shared<Entry>();
    e->info.font = base;
    e->info.font.setPixelSize(p);
    e->info.pixelSize = p;
    e->info.cellHeight = cellAt(base, p);
    e->metrics = std::make_unique<QFontMetrics>(e->info.font, &measureDevice());
    return e;
}

const Entry &entryFor(const FontSpec &font)
{
    const int h = std::clamp(font.cellHeight, 1, MaxCellHeight);
    const QString key = keyOf(font, h);
    auto &c = cache();
    auto it = c.constFind(key);
    if (it != c.constEnd())
        return **it;
    auto e = build(font, h);
    c.insert(key, e);
    return *e;
}

} // namespace

void InstallFontSubstitutions()
{
    const struct {
        const char16_t *from;
        const char *to;
    } map[] = {
        {u"ＭＳ Ｐゴシック", "IPAPGothic"}, {u"MS PGothic", "IPAPGothic"},
        {u"ＭＳ ゴシック", "IPAGothic"},    {u"MS Gothic", "IPAGothic"},
        {u"ＭＳ Ｐ明朝", "IPAPMincho"},     {u"MS PMincho", "IPAPMincho"},
        {u"ＭＳ 明朝", "IPAMincho"},        {u"MS Mincho", "IPAMincho"},
    };
    for (const auto &m : map) {
        const QString from = QString::fromUtf16(m.from);
        const QString to = QString::fromLatin1(m.to);
        if (!QFont::substitutes(from).contains(to, Qt::CaseInsensitive))
            QFont::insertSubstitution(from, to);
    }
}

const CellFontInfo &CellFont(const FontSpec &font) { return entryFor(font).info; }

const QFontMetrics &CellFontMetrics(const FontSpec &font) { return *entryFor(font).metrics; }

int CellHeightOf(const FontSpec &font) { return std::clamp(font.cellHeight, 1, MaxCellHeight); }
