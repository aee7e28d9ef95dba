#include "app/UnitClassSet.h"

#include "app/UnitHeadless.h"
#include "app/UnitSheetOutput.h"
#include "math/UnitRegenerate.h"
#include "math/UnitSiki.h"
#include "render/UnitFonts.h"
#include "render/UnitMetrics.h"

#include <algorithm>
#include <random>

uint64_t CopySeed(uint64_t seed, int copy)
{
    // splitmix64 over the seed and the copy number.
    uint64_t z = seed + 0x9E3779B97F4A7C15ULL * uint64_t(copy + 1);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

QString CopyNumberText(int copy)
{
    return QStringLiteral("No. %1").arg(copy);
}

namespace
{

int clampUnit(int64_t v)
{
    return int(std::clamp<int64_t>(v, -(1 << 24), 1 << 24));
}

QRect rowRect(const RAData &row, const QSize &pageUnits)
{
    const int64_t x1 = row.X1, y1 = row.Y1;
    int64_t x2 = x1 + row.Width, y2 = y1 + row.Height;
    if (row.Syu == u"2") {
        // A line stores its two ends besides its box; its pen reaches a
        // little beyond them.
        const int64_t pen = std::max<int64_t>(1, row.LineSize);
        const int64_t left = std::min({x1, x2, int64_t(row.X2)}) - pen;
        const int64_t top = std::min({y1, y2, int64_t(row.Y2)}) - pen;
        const int64_t right = std::max({x1, x2, int64_t(row.X2)}) + pen;
        const int64_t bottom = std::max({y1, y2, int64_t(row.Y2)}) + pen;
        return QRect(QPoint(clampUnit(left), clampUnit(top)),
                     QPoint(clampUnit(right), clampUnit(bottom)));
    }
    // Word problems break their text at the right edge of the page.
    if (row.Syu == u"5" && row.Siki1 == 3)
        x2 = std::max<int64_t>(x2, pageUnits.width());
    return QRect(QPoint(clampUnit(std::min(x1, x2)), clampUnit(std::min(y1, y2))),
                 QPoint(clampUnit(std::max(x1, x2)), clampUnit(std::max(y1, y2))));
}

bool drawnOnPaper(const QString &syu)
{
    return syu == u"1" || syu == u"2" || syu == u"3" || syu == u"4" || syu == u"5" || syu == u"k" ||
           syu == u"b" || syu == u"r";
}

bool isFree(const QRect &place, const QVector<QRect> &objects)
{
    return std::none_of(objects.begin(), objects.end(),
                        [&](const QRect &r) { return r.intersects(place); });
}

} // namespace

QVector<QRect> PageObjectRects(const RDocumentData &data, int page, const QSize &pageUnits)
{
    QVector<QRect> rects;
    bool character = false;
    for (const RAData &row : data.AData) {
        if (row.Syu == u"k")
            character = true;
        if (row.Page == page && drawnOnPaper(row.Syu))
            rects.append(rowRect(row, pageUnits));
    }
    if (character && page == 0) {
        // The credit notice of character pictures sits in this corner.
        rects.append(
            QRect(pageUnits.width() / 2, pageUnits.height() - 60, pageUnits.width() / 2, 60));
    }
    return rects;
}

std::optional<QRect> CopyNumberPlace(const QVector<QRect> &objects, const QSize &pageUnits,
                                     const QSize &label, const QMargins &margins)
{
    // A little air between the number and whatever is near it.
    constexpr int gap = 3;
    const QRect area = QRect(QPoint(0, 0), pageUnits).marginsRemoved(margins);
    if (area.width() < label.width() || area.height() < label.height())
        return std::nullopt;
    auto at = [&](int x, int y) { return QRect(QPoint(x, y), label); };
    const int right = area.right() + 1 - label.width();
    const int bottom = area.bottom() + 1 - label.height();
    const QRect corners[] = {at(right, area.top()), at(right, bottom), at(area.left(), area.top()),
                             at(area.left(), bottom)};
    auto free = [&](const QRect &place) {
        return isFree(place.adjusted(-gap, -gap, gap, gap), objects);
    };
    for (const QRect &c : corners)
        if (free(c))
            return c;
    const int step = std::max(4, label.height() / 2);
    for (const int y : {area.top(), bottom})
        for (int x = right; x >= area.left(); x -= step)
            if (free(at(x, y)))
                return at(x, y);
    return std::nullopt;
}

ClassSetRun::ClassSetRun(const RDocumentData &source, int pageCount, const ClassSetOptions &options)
    : mSource(source), mPageCount(std::max(1, pageCount)), mOptions(options)
{
    mOptions.copies = std::clamp(mOptions.copies, 1, ClassSetMaxCopies);
    mSeed = mOptions.seed ? *mOptions.seed
                          : (uint64_t(std::random_device{}()) << 32) ^ std::random_device{}();
}

int ClassSetRun::totalSheets() const
{
    return mOptions.copies * mPageCount * 2;
}

ClassSetRun::Outcome ClassSetRun::run(SheetOutput &out, const Progress &progress, QString &error)
{
    mWritten = mKept = 0;
    int randomRows = 0;
    for (const RAData &row : mSource.AData)
        if (row.Syu == u"5" && row.Rand == 1)
            ++randomRows;

    HeadlessWorksheet sheet;
    MetricsSikiMeasurer measurer(sheet.renderer.metrics());
    sheet.adoptData(mSource, mPageCount);
    sheet.layout(mPageCount, Fixed4::fromInt(1), true);
    const int pageCount = sheet.pages.count();

    const FontSpec font{CopyNumberFace, CopyNumberHeight};
    const int labelHeight = CellHeightOf(font);
    // The printable area: the printer's offsets (at least a sixth of an
    // inch) in page units, and as much again for the air to the edge.
    const int page0 = sheet.pages.PageSize.isEmpty() ? 1 : sheet.pages.PageSize[0].height();
    const double dotsPerUnit = std::max(1e-6, double(out.paperHeightDots()) / std::max(1, page0));
    auto units = [&](int offsetDots) {
        const int dots = std::max(offsetDots, out.dpiY() / 6);
        return int(std::ceil(dots / dotsPerUnit)) * 2;
    };
    const QMargins margins(units(out.offsetX()), units(out.offsetY()), units(out.offsetX()),
                           units(out.offsetY()));

    // Makes copy `copy` (one-based) in the sheet: the source's rows with
    // new random problems. A new tool for each copy, so that a copy is the
    // same whichever copies were made before it.
    auto makeCopy = [&](int copy, bool count) {
        sheet.adoptData(mSource, mPageCount);
        if (randomRows == 0)
            return;
        TFormSiki tool(sheet.doc);
        tool.SetMeasurer(&measurer);
        tool.SeedRandom(CopySeed(mSeed, copy));
        const int written = RegenerateAll(sheet.doc, tool);
        if (count) {
            mWritten += written;
            mKept += randomRows - written;
        }
    };
    int done = 0;
    const int total = totalSheets();
    auto printCopy = [&](int copy, bool answers) {
        for (int page = 0; page < pageCount; ++page) {
            SheetMark mark;
            if (mOptions.numbers) {
                mark.text = CopyNumberText(copy);
                mark.face = font.face;
                mark.cellHeight = CopyNumberHeight;
                const QSize label(CellFontMetrics(font).horizontalAdvance(mark.text) + 2,
                                  labelHeight);
                const QSize pageUnits = sheet.pages.PageSize.value(page);
                if (const auto place = CopyNumberPlace(PageObjectRects(sheet.doc, page, pageUnits),
                                                       pageUnits, label, margins))
                    mark.place = *place;
                else
                    mark.text.clear(); // never over an object
            }
            if (!sheet.printSheet(out, page, answers, mark.text.isEmpty() ? nullptr : &mark)) {
                error = QStringLiteral("印刷を開始できませんでした。");
                return false;
            }
            ++done;
            if (progress && !progress(done, total))
                return false;
        }
        return true;
    };

    if (!out.begin(error))
        return Outcome::Failed;
    bool going = true;
    if (mOptions.order == ClassSetOrder::Interleaved) {
        for (int copy = 1; going && copy <= mOptions.copies; ++copy) {
            makeCopy(copy, true);
            going = printCopy(copy, false) && printCopy(copy, true);
        }
    } else {
        // The answer sheets come after every problem sheet: each copy is
        // made again from its seed instead of being kept.
        for (int copy = 1; going && copy <= mOptions.copies; ++copy) {
            makeCopy(copy, true);
            going = printCopy(copy, false);
        }
        for (int copy = 1; going && copy <= mOptions.copies; ++copy) {
            makeCopy(copy, false);
            going = printCopy(copy, true);
        }
    }
    if (!going) {
        out.cancel();
        return error.isEmpty() ? Outcome::Cancelled : Outcome::Failed;
    }
    return out.finish(error) ? Outcome::Done : Outcome::Failed;
}
