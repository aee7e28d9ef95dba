// libFuzzer target for random generation from typed ranges: the input fills
// the expression tool's random panel as a teacher could (the page, the
// choice of every list and check box, then one line of text per range box)
// and presses "問題作成" with a small attempt limit, then "決定". Ranges
// beyond the generator's limit must be refused with a message; any crash,
// hang, undefined behaviour or exception is a finding.
#include "math/UnitSiki.h"
#include "math/UnitSikiMeasure.h"
#include "math/UnitSikiRandom.h"
#include "platform/UnitMessages.h"
#include "platform/UnitNumText.h"

#include <QApplication>
#include <cstdint>
#include <cstdlib>

namespace
{

// Plain figures: the layouts are not what is tested here.
class CountingMeasurer : public SikiMeasurer
{
public:
    int textWidth(const QString &text, const QString &, int fontSize) override
    {
        return int(text.size()) * fontSize;
    }
    int textHeight(const QString &, const QString &, int fontSize) override { return fontSize + 1; }
    int rowWidth(const RAData &row) override { return 10 + int(row.HissanSiki.size()); }
    int rowHeight(const RAData &row) override { return 10 + int(row.HissanKotae.size()); }
};

struct Bytes {
    const uint8_t *data;
    size_t size;
    size_t at = 0;
    int next() { return at < size ? data[at++] : 0; }
    // The rest up to the next line break, as UTF-8 text.
    QString line()
    {
        const size_t start = at;
        while (at < size && data[at] != '\n')
            ++at;
        const QString text =
            QString::fromUtf8(reinterpret_cast<const char *>(data + start), qsizetype(at - start));
        if (at < size)
            ++at;
        return text;
    }
};

void choose(QComboBox *box, Bytes &in)
{
    // Mostly an item of the list; now and then none at all.
    const int pick = in.next();
    box->setCurrentIndex(pick == 255 ? -1 : pick % std::max(1, box->count()));
}

// The editor keeps one expression window for the life of the program and
// opens it again for every new problem; the target does the same, so state
// left behind by one input is under test in the next, and an input costs a
// filled panel and a search instead of a whole window being built.
struct Fixture {
    Document doc;
    CountingMeasurer measurer;
    FixedSikiSettings settings;
    TFormSiki tool{doc};
    Fixture()
    {
        tool.SetMeasurer(&measurer);
        tool.SetSettingsSource(&settings);
        // A bounded search: each attempt is cheap, and the warning path of
        // an exhausted search is as much under test as a found problem.
        tool.RandMax = 20;
    }
};

Fixture *fixture = nullptr;

} // namespace

// Qt's font database and font engines keep caches for the life of the
// process; they are never freed, so they are not leaks of an input.
extern "C" const char *__lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n"
           "leak:libfreetype.so\n"
           "leak:libharfbuzz.so\n"
           "leak:QFreetypeFace\n"
           "leak:QFontDatabase\n"
           "leak:QFontEngine\n"
           "leak:QFontCache\n";
}

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    static QApplication app(*argc, *argv);
    SetTenDigitWarningHook([] {});
    static ScriptedMessages messages;
    SetMessages(&messages);
    static Fixture shared;
    fixture = &shared;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > 1024)
        return 0;
    Bytes in{data, size};
    Document &doc = fixture->doc;
    TFormSiki &tool = fixture->tool;
    // A new worksheet for every input. The window itself is only opened
    // again, as for the next new problem in the editor: its lists keep
    // their items, and every choice below is set from the input.
    doc.Clear();
    doc.resetHistory();
    tool.SeedRandom(in.next());
    const int page = in.next() % 3; // the pages with random settings
    tool.PrepareNew(0, 10, 20);
    tool.SelectPage(page);

    TSikiRandomPanel &p = *tool.RandomPanel;
    p.CheckRand->setChecked(true);
    for (QComboBox *box : {p.ComboKigou, p.ComboSyosuX, p.ComboSyosuY, p.ComboSyosuA, p.ComboKihonX,
                           p.ComboKihonY, p.ComboKuri, p.ComboBunsuKigou, p.ComboBunsuSyuX,
                           p.ComboBunsuSyuY, p.ComboBunsuSyuA, p.ComboBunboY})
        choose(box, in);
    const int flags = in.next();
    p.CheckAmari->setChecked(flags & 1);
    p.CheckNo01->setChecked(flags & 2);
    p.CheckXYaku->setChecked(flags & 4);
    p.CheckYYaku->setChecked(flags & 8);
    p.CheckYakuA->setChecked(flags & 16);
    for (SikiRangeBox *box : {p.EditX1, p.EditX2, p.EditY1, p.EditY2, p.EditA1, p.EditA2,
                              p.EditBunsuX1, p.EditBunsuX2, p.EditBunsuY1, p.EditBunsuY2})
        box->setText(in.line());

    auto &messages = static_cast<ScriptedMessages &>(Messages());
    messages.texts.clear();
    tool.MakeRandomCommand();
    for (const QString &text : messages.texts)
        if (text.isEmpty())
            std::abort();
    // A search that found nothing shows the warning; one that found a
    // problem is written like a typed one.
    if (messages.texts.isEmpty() && !tool.RandomWarning()) {
        const int row = tool.Kettei();
        if (row >= doc.AData.size())
            std::abort();
    }
    return 0;
}
