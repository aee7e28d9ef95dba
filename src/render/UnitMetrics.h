// Text metrics: the measured size of strings in the measuring font, the
// natural size of whole object rows (texts and math problems), the fraction
// splitter GetBunsu and the fit-to-content command. The renderer, the editing
// tools, the expression tool and the file reader measure through one Metrics
// object (the renderer owns it), whose font is set by whoever measures.
// Measurements assume 96 logical dpi and never depend on a screen or printer.
// Nothing here draws or redraws.
#pragma once

#include "document/UnitData.h"
#include "math/UnitKeisan.h"
#include "math/UnitSikiMeasure.h"
#include "render/UnitFonts.h"

#include <QRect>
#include <QString>
#include <QVector>

// The parts of a fraction expression and its answer (see GetBunsu).
struct BunsuParts {
    QString bunsu1t, bunsu1s, bunsu1b;
    Integer bunsu1W = 0;
    QString bunsu2t, bunsu2s, bunsu2b;
    Integer bunsu2W = 0;
    QString bunsukigou;
    QString bunsukt, bunsuks, bunsukb;
    Integer bunsukW = 0;
};

// Splits a fraction expression (full-width operators) and its answer into
// whole parts, numerators and denominators with a small state machine: "s"
// opens a numerator, "b" a denominator, an operator is taken only after a
// complete first fraction. Never fails; malformed input yields whatever the
// machine collects. The three widths are set to 0.
BunsuParts GetBunsu(const QString &SikiT, const QString &KotaeT);

// The selection frame before and after a resize, for fitting word problems.
struct FrameResize {
    QRect oldFrame;
    QRect newFrame;
};

class Metrics {
public:
    Metrics();

    // The font of the measuring canvas.
    void SetFont(const QString &name, int height, bool bold = false);
    void SetBold(bool bold) { mFont.bold = bold; }
    const FontSpec &Font() const { return mFont; }

    // Width and height in pixels of a string in the measuring font (one
    // line: line breaks are not interpreted).
    int GetMojiW(const QString &t) const;
    int GetMojiH(const QString &t) const;

    // Natural width and height of an object row. Both first set the measuring
    // font to the row's FontName, FontSize and bold flag.
    int GetMojiWidth(const RAData &r);
    int GetMojiHeight(const RAData &r);

    // Sets Width and Height of the listed rows from their content: texts and
    // math problems; other kinds keep their size. Word problems are scaled
    // with the selection frame when a resize is given, else kept. Rows out
    // of range are skipped. The caller redraws and refreshes the selection.
    void FitToContent(QVector<RAData> &AData, const QVector<int> &rows,
                      const FrameResize *resize = nullptr);

private:
    FontSpec mFont;
};

// The lines of a text as the metrics count them: CR LF becomes CR, the text
// is split at CR; a text without CR is one line.
QStringList MetricLines(const QString &siki);

// The expression tool's measurer over these metrics: the tool measures its
// rows exactly as the page draws them. Either over the caller's Metrics (the
// editor's) or over a Metrics of its own (the command-line tool, benchmarks).
class MetricsSikiMeasurer : public SikiMeasurer
{
public:
    MetricsSikiMeasurer() : mMetrics(mOwn) {}
    explicit MetricsSikiMeasurer(Metrics &metrics) : mMetrics(metrics) {}
    int textWidth(const QString &text, const QString &fontName, int fontSize) override
    {
        mMetrics.SetFont(fontName, fontSize);
        return mMetrics.GetMojiW(text);
    }
    int textHeight(const QString &text, const QString &fontName, int fontSize) override
    {
        mMetrics.SetFont(fontName, fontSize);
        return mMetrics.GetMojiH(text);
    }
    int rowWidth(const RAData &row) override { return mMetrics.GetMojiWidth(row); }
    int rowHeight(const RAData &row) override { return mMetrics.GetMojiHeight(row); }

private:
    Metrics mOwn;
    Metrics &mMetrics;
};
