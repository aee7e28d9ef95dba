// Class sets ("クラス分作成"): a different copy of the open worksheet for
// every pupil. For each copy the worksheet's data is copied, its random
// problems are made anew on the copy with a tool seeded from the run's seed
// and the copy number, and the copy's problem sheet and answer sheet are
// printed, each page with the copy number ("No. 7") in a free corner so
// that the two sheets of one pupil match. Only one copy is held at a time:
// it is drawn and dropped before the next one is made.
//
// Used by the editor's "クラス分作成…" (file menu and navigator) and by the
// companion's `class-set`. It never changes the open worksheet or its undo
// stack, and never shows a window.
#pragma once

#include "document/UnitData.h"

#include <QMargins>
#include <QRect>
#include <QSize>
#include <QString>
#include <QVector>
#include <cstdint>
#include <functional>
#include <optional>

class SheetOutput;

// "1枚ずつ問題と解答": each copy's problem pages, then its answer pages;
// "問題をまとめて、解答をまとめて": every copy's problem pages, then every
// copy's answer pages in the same order of copies.
enum class ClassSetOrder { Interleaved, Grouped };

inline constexpr int ClassSetMaxCopies = 99;

struct ClassSetOptions {
    int copies = 30; // 1 .. ClassSetMaxCopies
    // Without a seed the run takes one from the system's random source.
    std::optional<uint64_t> seed;
    ClassSetOrder order = ClassSetOrder::Interleaved;
    bool numbers = true; // "番号を印刷"
};

// The seed of copy `copy` (one-based) of a run: the run's seed and the copy
// number mixed, so that neighbouring copies share nothing.
uint64_t CopySeed(uint64_t seed, int copy);
// The number printed on each page of a copy: "No. 7".
QString CopyNumberText(int copy);

// The face and cell height (page units) of the copy number.
inline const QString CopyNumberFace = QStringLiteral("ＭＳ Ｐゴシック");
inline constexpr int CopyNumberHeight = 14;

// The rectangles (page units) that the objects of page `page` cover on
// paper: every object that a sheet draws, an answer or not; word problems
// run their text up to the right edge of the page; the credit notice of
// character pictures holds the bottom right corner of page 0.
QVector<QRect> PageObjectRects(const RDocumentData &data, int page, const QSize &pageUnits);

// Where a label of `label` size goes on a page of `pageUnits`: the first
// corner of the area inside `margins` (top right, bottom right, top left,
// bottom left) where it touches no object; failing that, the first free
// place along the top and then the bottom edge, from right to left.
// Nothing when the page has no free place for it at all.
std::optional<QRect> CopyNumberPlace(const QVector<QRect> &objects, const QSize &pageUnits,
                                     const QSize &label, const QMargins &margins);

class ClassSetRun
{
public:
    // The copies are made from `source` (the open worksheet's data with
    // its page count); `source` itself is only read.
    ClassSetRun(const RDocumentData &source, int pageCount, const ClassSetOptions &options);

    // Called after every printed sheet with the sheets done and the total;
    // returning false cancels the run.
    using Progress = std::function<bool(int done, int total)>;
    enum class Outcome { Done, Cancelled, Failed };
    // Prints every copy onto `out`, which is begun and finished (or, on
    // cancel and failure, abandoned) here; `error` says why a run failed.
    Outcome run(SheetOutput &out, const Progress &progress, QString &error);

    int totalSheets() const;
    // The seed used (the given one, or the one drawn for the run).
    uint64_t seed() const { return mSeed; }
    // Random problems rewritten over all copies of the last run, and those
    // whose settings found no problem (they kept their previous one).
    int written() const { return mWritten; }
    int kept() const { return mKept; }

private:
    const RDocumentData &mSource;
    int mPageCount;
    ClassSetOptions mOptions;
    uint64_t mSeed;
    int mWritten = 0;
    int mKept = 0;
};
