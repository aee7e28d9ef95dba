// How the expression tool measures the objects it writes. The tool lives in
// the math layer and may not reach the render layer's text metrics, so the
// main window hands it an object of this interface (backed by the renderer's
// Metrics) and tests hand it a simple fake. A measurer only measures: it
// never draws and never changes a row.
#pragma once

#include "document/UnitData.h"

#include <QString>

class SikiMeasurer {
public:
    virtual ~SikiMeasurer() = default;
    // Width and height in pixels of one line of text in the face fontName
    // with the cell height fontSize (GetMojiW / GetMojiH).
    virtual int textWidth(const QString &text, const QString &fontName, int fontSize) = 0;
    virtual int textHeight(const QString &text, const QString &fontName, int fontSize) = 0;
    // Natural size of a whole object row in its own font (GetMojiWidth /
    // GetMojiHeight); used for column multiplication and division.
    virtual int rowWidth(const RAData &row) = 0;
    virtual int rowHeight(const RAData &row) = 0;
};

// The main window's current settings that a confirmed object takes.
struct SikiMainSettings {
    QString fontName = QStringLiteral("ＭＳ Ｐゴシック");
    int fontSize = 11;
    bool kotaeDisplay = false; // the answer display toggle is down
};

// Where the expression tool reads those settings at every "決定": the main
// window's font boxes and its answer display toggle.
class SikiSettingsSource
{
public:
    virtual SikiMainSettings sikiSettings() const = 0;

protected:
    ~SikiSettingsSource() = default;
};

// Settings that stay as they are set (the companion, tests).
class FixedSikiSettings : public SikiSettingsSource
{
public:
    explicit FixedSikiSettings(SikiMainSettings s = {}) : settings(std::move(s)) {}
    SikiMainSettings sikiSettings() const override { return settings; }
    SikiMainSettings settings;
};
