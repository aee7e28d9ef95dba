// Shared pieces of the expression tool tests: a measurer with simple,
// predictable figures and a fixture holding a document, a never-shown tool
// and scripted message boxes.
#pragma once

#include "math/UnitSiki.h"
#include "platform/UnitMessages.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <ostream>

inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

// "決定" of one page of the tool, whatever page is shown: the page becomes
// the current one without the preview being worked out again (a column
// division keeps the steps taken).
inline int KetteiOn(TFormSiki &tool, int page)
{
    {
        const QSignalBlocker block(tool.PageControl);
        tool.PageControl->setCurrentIndex(page);
    }
    return tool.Kettei();
}

// Width = characters x font size, height = font size + 1; whole rows give
// figures that reveal which row was measured.
class FakeMeasurer : public SikiMeasurer {
public:
    int textWidth(const QString &text, const QString &fontName, int fontSize) override
    {
        fonts << fontName;
        return int(text.size()) * fontSize;
    }
    int textHeight(const QString &, const QString &fontName, int fontSize) override
    {
        fonts << fontName;
        return fontSize + 1;
    }
    int rowWidth(const RAData &row) override
    {
        measured = row;
        return 1000 + int(row.HissanSiki.size());
    }
    int rowHeight(const RAData &row) override
    {
        measured = row;
        return 2000 + int(row.HissanKotae.size());
    }
    QStringList fonts;
    RAData measured;
};

class SikiTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        tool.SetMeasurer(&measurer);
        tool.SetSettingsSource(&source);
    }
    // Types text into a box key by key, as the teacher does.
    static void type(QWidget *box, const QString &text) { QTest::keyClicks(box, text); }
    static void retype(QLineEdit *box, const QString &text)
    {
        box->clear();
        QTest::keyClicks(box, text);
    }

    Document doc;
    TFormSiki tool{doc};
    FakeMeasurer measurer;
    ScriptedMessages messages;
    FixedSikiSettings source{SikiMainSettings{QStringLiteral("ＭＳ 明朝"), 20, false}};
    SikiMainSettings &settings = source.settings;
};
