// tavenor-print-tool make-samples FOLDER: writes the sample library of the
// print navigator. Every worksheet is built the way a teacher builds it in
// the editor: a title text, a name field (a box and a text in name-field
// mode), and math problems made on the pages of the expression tool with its
// random settings, drawn by MakeRandom and written by "決定"; so the samples
// always match the program's current file format and problem engines.
// scripts/make-samples.sh runs it into assets/Navi.
#include "ToolMain.h"
#include "render/UnitMetrics.h"

#include "document/UnitFile.h"
#include "editing/UnitMoji.h"
#include "math/UnitSiki.h"
#include "platform/UnitMessages.h"
#include "render/UnitMetrics.h"

#include <QDir>
#include <QPlainTextEdit>
#include <vector>

namespace
{

enum class Kind { Yoko, Tate, Bunsu, Bunsyo };
enum Op { Tasu = 0, Hiku = 1, Kake = 2, Wari = 3 };

// One problem: its page and random settings, or a fixed expression.
struct ProblemSpec {
    Kind kind = Kind::Yoko;
    int op = Tasu;
    QString x1, x2, y1, y2, a1, a2; // ranges of ①, ② and the answer
    int syosuX = 0, syosuY = 0, syosuA = 0;
    bool amari = false;
    // Fractions: denominator ranges and kinds of ①, ② and the answer.
    int bunsuSyuX = 1, bunsuSyuY = 1, bunsuSyuA = 0;
    // Word problems: the text with ① and ② and the unit.
    QString text;
    QString unit;
    // A column problem that is not random (decimal column problems keep
    // their decimals only when typed in).
    QString fixed;
};

struct SampleSpec {
    QString fileName;
    int grade;
    QString title;
    QString content;
    int columns;
    int rowHeight;
    std::vector<ProblemSpec> problems;
};

ProblemSpec yoko(int op, const char *x1, const char *x2, const char *y1, const char *y2,
                 const char *a1, const char *a2)
{
    ProblemSpec p;
    p.op = op;
    p.x1 = QString::fromLatin1(x1);
    p.x2 = QString::fromLatin1(x2);
    p.y1 = QString::fromLatin1(y1);
    p.y2 = QString::fromLatin1(y2);
    p.a1 = QString::fromLatin1(a1);
    p.a2 = QString::fromLatin1(a2);
    return p;
}

ProblemSpec tate(int op, const char *x1, const char *x2, const char *y1, const char *y2,
                 const char *a1, const char *a2)
{
    ProblemSpec p = yoko(op, x1, x2, y1, y2, a1, a2);
    p.kind = Kind::Tate;
    return p;
}

ProblemSpec tateFixed(const char *expression)
{
    ProblemSpec p;
    p.kind = Kind::Tate;
    p.fixed = QString::fromLatin1(expression);
    return p;
}

ProblemSpec bunsu(int op, const char *d1, const char *d2, const char *e1, const char *e2, int syuX,
                  int syuY, int syuA)
{
    ProblemSpec p = yoko(op, d1, d2, e1, e2, "1", "9");
    p.kind = Kind::Bunsu;
    p.bunsuSyuX = syuX;
    p.bunsuSyuY = syuY;
    p.bunsuSyuA = syuA;
    return p;
}

ProblemSpec bunsyo(const QString &text, const QString &unit, int op, const char *x1, const char *x2,
                   const char *y1, const char *y2, const char *a1, const char *a2)
{
    ProblemSpec p = yoko(op, x1, x2, y1, y2, a1, a2);
    p.kind = Kind::Bunsyo;
    p.text = text;
    p.unit = unit;
    return p;
}

template <class T> std::vector<T> times(int n, const T &value)
{
    return std::vector<T>(n, value);
}

std::vector<ProblemSpec> join(std::initializer_list<std::vector<ProblemSpec>> parts)
{
    std::vector<ProblemSpec> all;
    for (const auto &p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

std::vector<SampleSpec> Samples()
{
    const QString crlf = QStringLiteral("\r\n");
    return {
        {QStringLiteral("1nen_tasizan_hikizan.prx"), 1, QStringLiteral("たしざん・ひきざん"),
         QStringLiteral("たし算とひき算（１けた）"), 2, 64,
         join({times(8, yoko(Tasu, "1", "9", "1", "9", "2", "18")),
               times(6, yoko(Hiku, "2", "18", "1", "9", "1", "9"))})},
        {QStringLiteral("2nen_hissan.prx"), 2, QStringLiteral("ひっ算（たし算・ひき算）"),
         QStringLiteral("２けたのたし算とひき算のひっ算　文章問題"), 3, 190,
         join({times(3, tate(Tasu, "10", "99", "10", "99", "20", "198")),
               times(3, tate(Hiku, "20", "99", "10", "89", "1", "89")),
               {bunsyo(QStringLiteral("あめが ①こ あります。") + crlf +
                           QStringLiteral("②こ もらうと、ぜんぶで なんこに なりますか。"),
                       QStringLiteral("こ"), Tasu, "10", "49", "10", "49", "20", "98")}})},
        {QStringLiteral("3nen_kakezan_warizan.prx"), 3, QStringLiteral("かけ算のひっ算とわり算"),
         QStringLiteral("かけ算のひっ算　あまりのあるわり算"), 3, 150,
         join({times(3, tate(Kake, "12", "99", "2", "9", "24", "891")),
               times(3,
                     [] {
                         ProblemSpec p = yoko(Wari, "10", "89", "2", "9", "1", "9");
                         p.amari = true;
                         return p;
                     }()),
               {bunsyo(QStringLiteral("1はこに ①こずつ はいった おかしが ②はこ あります。") + crlf +
                           QStringLiteral("おかしは ぜんぶで なんこ ありますか。"),
                       QStringLiteral("こ"), Kake, "2", "9", "2", "9", "4", "81")}})},
        {QStringLiteral("4nen_warizan_syosu.prx"), 4, QStringLiteral("わり算のひっ算と小数"),
         QStringLiteral("わり算のひっ算（あまりあり）　小数のたし算・ひき算"), 3, 200,
         join({times(2, tate(Wari, "20", "891", "2", "9", "10", "99")),
               {[] {
                   ProblemSpec p = tate(Wari, "20", "891", "2", "9", "10", "99");
                   p.amari = true;
                   return p;
               }()},
               {tateFixed("12.5+3.78"), tateFixed("8.03-2.6")},
               {[] {
                    ProblemSpec p = yoko(Tasu, "1", "9", "1", "9", "2", "19");
                    p.syosuX = 1;
                    p.syosuY = 1;
                    p.syosuA = 1;
                    return p;
                }(),
                [] {
                    ProblemSpec p = yoko(Hiku, "2", "9", "1", "9", "0", "9");
                    p.syosuX = 1;
                    p.syosuY = 1;
                    p.syosuA = 1;
                    return p;
                }()}})},
        {QStringLiteral("5nen_syosu_bunsu.prx"), 5, QStringLiteral("小数のかけ算と分数のたし算"),
         QStringLiteral("小数のかけ算のひっ算　分数のたし算・ひき算"), 2, 150,
         join({{tateFixed("2.4*3.6"), tateFixed("0.75*12")},
               times(2, bunsu(Tasu, "2", "9", "2", "9", 1, 1, 0)),
               times(2, bunsu(Hiku, "2", "9", "2", "9", 1, 1, 1))})},
        {QStringLiteral("6nen_bunsu_bunsyo.prx"), 6,
         QStringLiteral("分数のかけ算・わり算と文章問題"),
         QStringLiteral("分数のかけ算とわり算　わり算の文章問題"), 2, 160,
         join({times(2, bunsu(Kake, "2", "9", "2", "9", 1, 1, 0)),
               times(2, bunsu(Wari, "2", "9", "2", "9", 1, 1, 0)),
               {bunsyo(QStringLiteral("①まいの カードを ②人で 同じ数ずつ 分けます。") + crlf +
                           QStringLiteral("1人 何まいに なりますか。"),
                       QStringLiteral("まい"), Wari, "12", "99", "2", "9", "2", "12")}})},
    };
}

QString fontName()
{
    return QStringLiteral("ＭＳ Ｐゴシック");
}

void addText(Document &doc, Metrics &metrics, const QString &text, int x, int y, int size,
             bool bold, int layer)
{
    const int i = doc.AppendRow();
    RAData &r = doc.AData[i];
    r.ID = doc.GetId();
    r.Syu = QStringLiteral("1");
    r.X1 = x;
    r.Y1 = y;
    r.Siki = text;
    r.FontName = fontName();
    r.FontSize = size;
    r.FontB = bold ? 1 : 0;
    const QSize s = MeasureTextLines(metrics, text, r.FontName, size, bold);
    SetTextGeometry(r, s.width(), s.height());
    r.BackColorB = 0;
    r.Layer = layer;
}

void addBox(Document &doc, int x, int y, int w, int h, int layer)
{
    const int i = doc.AppendRow();
    RAData &r = doc.AData[i];
    r.ID = doc.GetId();
    r.Syu = QStringLiteral("3");
    const BoxGeometry g = MakeBoxGeometry(x, y, x + w, y + h);
    r.X1 = g.X1;
    r.Y1 = g.Y1;
    r.Width = g.Width;
    r.Height = g.Height;
    r.X2 = r.X1 + r.Width;
    r.Y2 = r.Y1 + r.Height;
    r.FontSize = 1; // line width
    r.Layer = layer;
}

// Puts one problem on the page through the expression tool; the row index
// written, or -1 with the reason in `problem`.
int addProblem(TFormSiki &tool, const ProblemSpec &p, int x, int y, QString &problem)
{
    tool.PrepareNew(0, x, y);
    const int page = p.kind == Kind::Yoko    ? TFormSiki::PageYoko
                     : p.kind == Kind::Tate  ? TFormSiki::PageTate
                     : p.kind == Kind::Bunsu ? TFormSiki::PageBunsu
                                             : TFormSiki::PageBunsyo;
    tool.SelectPage(page);
    TSikiRandomPanel *r = tool.RandomPanel;
    if (!p.fixed.isEmpty()) {
        r->CheckRand->setChecked(false);
        tool.MemoT1->setText(p.fixed);
        tool.MakeSikiKotaeTate();
    } else {
        r->CheckRand->setChecked(true);
        r->ComboKigou->setCurrentIndex(p.op);
        r->EditX1->setText(p.x1);
        r->EditX2->setText(p.x2);
        r->EditY1->setText(p.y1);
        r->EditY2->setText(p.y2);
        r->EditA1->setText(p.a1);
        r->EditA2->setText(p.a2);
        r->ComboSyosuX->setCurrentIndex(p.syosuX);
        r->ComboSyosuY->setCurrentIndex(p.syosuY);
        r->ComboSyosuA->setCurrentIndex(p.syosuA);
        r->CheckAmari->setChecked(p.amari);
        if (p.kind == Kind::Bunsu) {
            r->ComboBunsuKigou->setCurrentIndex(p.op);
            r->EditBunsuX1->setText(p.x1);
            r->EditBunsuX2->setText(p.x2);
            r->EditBunsuY1->setText(p.y1);
            r->EditBunsuY2->setText(p.y2);
            r->ComboBunsuSyuX->setCurrentIndex(p.bunsuSyuX);
            r->ComboBunsuSyuY->setCurrentIndex(p.bunsuSyuY);
            r->ComboBunsuSyuA->setCurrentIndex(p.bunsuSyuA);
        }
        if (p.kind == Kind::Bunsyo) {
            tool.MemoBunsyoText->setPlainText(p.text);
            tool.ComboBunsyoTani->setCurrentText(p.unit);
        }
        tool.MakeRandom();
        if (tool.RandomWarning()) {
            problem = QStringLiteral("no problem found for these settings");
            return -1;
        }
    }
    const int row = tool.Kettei();
    if (row < 0)
        problem = QStringLiteral("決定 wrote no row");
    return row;
}

bool makeSample(const SampleSpec &s, const QString &folder, TFormSiki &tool, Document &doc,
                QTextStream &out, QTextStream &err)
{
    Metrics metrics;
    doc.Clear();
    doc.SyokiFileData();
    doc.Naiyou = s.content;
    doc.NenIndex = s.grade;
    doc.KyoukaIndex = 3; // 算数
    doc.Paper = RPaperData{};
    addText(doc, metrics, s.title, 40, 30, 20, true, 1);
    // The name field: a box with "なまえ" in it, in name-field mode.
    addBox(doc, 480, 24, 270, 44, 3);
    addText(doc, metrics, QStringLiteral("なまえ"), 490, 36, 12, false, 3);
    tool.ClearRandomLog();
    const int columnWidth = 700 / s.columns;
    for (int i = 0; i < int(s.problems.size()); ++i) {
        const ProblemSpec &p = s.problems[i];
        const bool wide = p.kind == Kind::Bunsyo;
        // A word problem takes a whole line of its own.
        const int column = wide ? 0 : i % s.columns;
        int line = i / s.columns;
        if (wide && i % s.columns != 0)
            ++line;
        QString problem;
        if (addProblem(tool, p, 50 + column * columnWidth, 110 + line * s.rowHeight, problem) < 0) {
            err << s.fileName << ": problem " << i + 1 << ": " << problem << "\n";
            return false;
        }
    }
    const QString path = QDir(folder).filePath(s.fileName);
    const FileResult r = SaveFileAll(path, doc, LayerWorksheet, 1);
    if (!r.ok) {
        err << path << ": " << r.message << "\n";
        return false;
    }
    out << path << "\n";
    return true;
}

int makeSamples(const QStringList &args, QTextStream &out, QTextStream &err)
{
    QString folder;
    bool seeded = false;
    uint64_t seed = 0;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--seed") && i + 1 < args.size()) {
            bool ok = false;
            seed = args[++i].toULongLong(&ok);
            if (!ok)
                return 2;
            seeded = true;
        } else if (folder.isEmpty() && !args[i].startsWith(QLatin1Char('-'))) {
            folder = args[i];
        } else {
            return 2;
        }
    }
    if (folder.isEmpty())
        return 2;
    if (!QDir().mkpath(folder)) {
        err << folder << ": cannot create the folder\n";
        return 1;
    }
    // A message of the tool (an expression it cannot take) is a failure here.
    ScriptedMessages messages;
    Document doc;
    MetricsSikiMeasurer measurer;
    TFormSiki tool(doc);
    tool.SetMeasurer(&measurer);
    FixedSikiSettings settings;
    settings.settings.fontName = fontName();
    settings.settings.fontSize = 16;
    tool.SetSettingsSource(&settings);
    if (seeded)
        tool.SeedRandom(seed);
    for (const SampleSpec &s : Samples()) {
        if (!makeSample(s, folder, tool, doc, out, err))
            return 1;
        if (!messages.texts.isEmpty()) {
            err << s.fileName << ": " << messages.texts.join(QStringLiteral(" / ")) << "\n";
            return 1;
        }
    }
    return 0;
}

} // namespace

TOOL_COMMAND("make-samples", "make-samples FOLDER [--seed S]", makeSamples);
