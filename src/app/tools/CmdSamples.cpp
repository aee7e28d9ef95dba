// tavenor-print-tool make-samples FOLDER: writes the sample library of the
// print navigator, one worksheet per unit of grades 1 to 6. Every worksheet
// is built the way a teacher builds it in the editor: the ready name header
// ("名前欄を追加") at the top, a large title under it, and one or more sets
// of random problems, each placed with "まとめて配置" from the settings of a
// page of the expression tool (ranges, carrying, "0と1を使わない", the
// denominators, reducing, squares), numbered "(1)", "(2)", ... Each sheet
// carries its grade, subject and content, so the navigator's filters find
// it, and every problem regenerates with "作成". The samples therefore always
// match the program's current file format and problem engines.
// scripts/make-samples.sh runs it into assets/Navi.
#include "ToolMain.h"

#include "document/UnitFile.h"
#include "editing/UnitMoji.h"
#include "editing/UnitNameHeader.h"
#include "editing/UnitPropertyRules.h"
#include "math/UnitRandConditions.h"
#include "math/UnitSiki.h"
#include "platform/UnitMessages.h"
#include "render/UnitMetrics.h"

#include <QDir>
#include <QPlainTextEdit>
#include <algorithm>
#include <vector>

namespace
{

enum class Kind { Yoko, Tate, Bunsu, Bunsyo };
enum Op { Tasu = 0, Hiku = 1, Kake = 2, Wari = 3 };
// The items of the fraction lists (真分数 ...) and of "②の分母".
enum BunsuSyu { SyuAny = 0, Shin = 1, Ka = 2, Tai = 3 };
enum Bunbo { BunboAny = 0, BunboSame = 1, BunboOther = 2 };

// The random settings of one page of the expression tool.
struct ProblemSpec {
    Kind kind = Kind::Yoko;
    int op = Tasu;
    QString x1, x2, y1, y2, a1, a2; // ranges of ①, ② and the answer
    int syosuX = 0, syosuY = 0, syosuA = 0;
    bool amari = false;
    int kuri = RandConditions::KuriAny;
    bool no01 = false;
    // Fractions: denominator ranges and kinds of ①, ② and the answer, the
    // denominator of ② and an answer that must be reduced.
    int bunsuSyuX = Shin, bunsuSyuY = Shin, bunsuSyuA = SyuAny;
    int bunbo = BunboAny;
    bool yaku = false;
    // Column problems: squares for the digits and a row for carry marks.
    bool masu = false, memo = false;
    // Word problems: the text with ① and ② and the unit.
    QString text;
    QString unit;
};

// One "まとめて配置" of a sheet, with an optional heading above it.
struct SetSpec {
    ProblemSpec problem;
    int count;
    int columns;
    QString heading;
};

struct SampleSpec {
    QString fileName;
    int grade;
    QString title;
    QString content;
    std::vector<SetSpec> sets;
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

// Fraction settings: ranges of the denominators of ① and ②.
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

ProblemSpec withKuri(ProblemSpec p, int kuri)
{
    p.kuri = kuri;
    return p;
}

ProblemSpec withNo01(ProblemSpec p)
{
    p.no01 = true;
    return p;
}

ProblemSpec withAmari(ProblemSpec p)
{
    p.amari = true;
    return p;
}

ProblemSpec withDecimals(ProblemSpec p, int x, int y, int a)
{
    p.syosuX = x;
    p.syosuY = y;
    p.syosuA = a;
    return p;
}

ProblemSpec withBunbo(ProblemSpec p, int bunbo, bool yaku)
{
    p.bunbo = bunbo;
    p.yaku = yaku;
    return p;
}

// Squares for the digits (and, when asked, a row for the carry marks).
ProblemSpec withMasu(ProblemSpec p, bool memo = false)
{
    p.masu = true;
    p.memo = memo;
    return p;
}

QString lines(const char *first, const char *second)
{
    return QString::fromUtf8(first) + QStringLiteral("\r\n") + QString::fromUtf8(second);
}

QString u8(const char *text)
{
    return QString::fromUtf8(text);
}

// The multiplication table of one 段: n × 1 .. n × 9 in a random order.
// Only nine different problems exist, and "作成" never repeats a problem on
// a sheet, so the sheet holds each of them once.
SampleSpec kukuDan(int n, const char *kanji)
{
    const QByteArray x = QByteArray::number(n);
    ProblemSpec p = yoko(Kake, x.constData(), x.constData(), "1", "9", "1", "81");
    return {QStringLiteral("2nen_kuku_%1dan.prx").arg(n),
            2,
            QStringLiteral("かけ算九九　%1のだん").arg(QString::fromUtf8(kanji)),
            QStringLiteral("かけ算九九（%1のだん）").arg(n),
            {{p, 9, 3, {}}}};
}

std::vector<SampleSpec> Samples()
{
    std::vector<SampleSpec> all = {
        // ---------------------------------------------------------- 1年
        {QStringLiteral("1nen_tasizan_hikizan.prx"),
         1,
         u8("たしざん・ひきざん"),
         u8("たし算とひき算（１けた）"),
         {{withKuri(yoko(Tasu, "1", "9", "1", "9", "2", "10"), RandConditions::KuriNone), 8, 2,
           u8("たしざん")},
          {withKuri(yoko(Hiku, "2", "10", "1", "9", "1", "9"), RandConditions::KuriNone), 8, 2,
           u8("ひきざん")}}},
        {QStringLiteral("1nen_tasizan_kuriagarinasi.prx"),
         1,
         u8("くりあがりのない たしざん"),
         u8("くり上がりのないたし算"),
         {{withKuri(yoko(Tasu, "1", "9", "1", "9", "2", "9"), RandConditions::KuriNone),
           20,
           2,
           {}}}},
        {QStringLiteral("1nen_tasizan_kuriagari.prx"),
         1,
         u8("くりあがりのある たしざん"),
         u8("くり上がりのあるたし算"),
         {{withKuri(yoko(Tasu, "2", "9", "2", "9", "11", "18"), RandConditions::KuriSome),
           20,
           2,
           {}}}},
        {QStringLiteral("1nen_hikizan_kurisagarinasi.prx"),
         1,
         u8("くりさがりのない ひきざん"),
         u8("くり下がりのないひき算"),
         {{withKuri(yoko(Hiku, "2", "19", "1", "9", "1", "18"), RandConditions::KuriNone),
           20,
           2,
           {}}}},
        {QStringLiteral("1nen_hikizan_kurisagari.prx"),
         1,
         u8("くりさがりのある ひきざん"),
         u8("くり下がりのあるひき算"),
         {{withKuri(yoko(Hiku, "11", "18", "2", "9", "2", "9"), RandConditions::KuriSome),
           20,
           2,
           {}}}},
        {QStringLiteral("1nen_bunsyo.prx"),
         1,
         u8("ぶんしょうだい（たしざん・ひきざん）"),
         u8("たし算とひき算の文章問題"),
         {{bunsyo(lines("こうえんで こどもが ①にん あそんで います。",
                        "②にん きました。みんなで なんにんに なりましたか。"),
                  u8("にん"), Tasu, "2", "9", "1", "9", "3", "18"),
           2, 1, u8("たしざん")},
          {bunsyo(lines("あめが ①こ あります。", "②こ たべました。のこりは なんこですか。"),
                  u8("こ"), Hiku, "5", "18", "1", "9", "1", "9"),
           1, 1, u8("ひきざん")}}},
        // ---------------------------------------------------------- 2年
        {QStringLiteral("2nen_hissan.prx"),
         2,
         u8("ひっ算（たし算・ひき算）"),
         u8("２けたのたし算とひき算のひっ算　文章問題"),
         {{withMasu(tate(Tasu, "10", "99", "10", "99", "20", "99")), 3, 3, u8("たし算")},
          {withMasu(tate(Hiku, "20", "99", "10", "89", "1", "89")), 3, 3, u8("ひき算")},
          {bunsyo(lines("あめが ①こ あります。", "②こ もらうと、ぜんぶで なんこに なりますか。"),
                  u8("こ"), Tasu, "10", "49", "10", "49", "20", "98"),
           1, 1, u8("文章問題")}}},
        {QStringLiteral("2nen_hissan_tasizan_kuriagari.prx"),
         2,
         u8("くり上がりのある たし算の ひっ算"),
         u8("２けたのたし算のひっ算（くり上がりあり）"),
         {{withKuri(withMasu(tate(Tasu, "11", "89", "11", "89", "30", "99"), true),
                    RandConditions::KuriSome),
           12,
           3,
           {}}}},
        {QStringLiteral("2nen_hissan_hikizan_kurisagari.prx"),
         2,
         u8("くり下がりのある ひき算の ひっ算"),
         u8("２けたのひき算のひっ算（くり下がりあり）"),
         {{withKuri(withMasu(tate(Hiku, "21", "98", "11", "89", "2", "79"), true),
                    RandConditions::KuriSome),
           12,
           3,
           {}}}},
        {QStringLiteral("2nen_hissan_kuriagarinasi.prx"),
         2,
         u8("くり上がり・くり下がりのない ひっ算"),
         u8("２けたのたし算とひき算のひっ算（くり上がり・くり下がりなし）"),
         {{withKuri(withMasu(tate(Tasu, "10", "88", "10", "88", "20", "99")),
                    RandConditions::KuriNone),
           6, 3, u8("たし算")},
          {withKuri(withMasu(tate(Hiku, "20", "99", "10", "88", "1", "89")),
                    RandConditions::KuriNone),
           6, 3, u8("ひき算")}}},
        {QStringLiteral("2nen_kuku_mix.prx"),
         2,
         u8("かけ算九九　まとめ"),
         u8("かけ算九九（いろいろな段）"),
         {{withNo01(yoko(Kake, "2", "9", "2", "9", "4", "81")), 20, 2, {}}}},
        {QStringLiteral("2nen_bunsyo_kakezan.prx"),
         2,
         u8("かけ算の 文章問題"),
         u8("かけ算の文章問題"),
         {{bunsyo(lines("1はこに ケーキが ①こずつ 入って います。",
                        "②はこでは、ケーキは ぜんぶで 何こに なりますか。"),
                  u8("こ"), Kake, "2", "9", "2", "9", "4", "81"),
           4,
           1,
           {}}}},
    };
    const char *kanji[] = {"", "", "２", "３", "４", "５", "６", "７", "８", "９"};
    for (int n = 2; n <= 9; ++n)
        all.push_back(kukuDan(n, kanji[n]));
    const std::vector<SampleSpec> upper = {
        // ---------------------------------------------------------- 3年
        {QStringLiteral("3nen_kakezan_warizan.prx"),
         3,
         u8("かけ算のひっ算とわり算"),
         u8("かけ算のひっ算　あまりのあるわり算"),
         {{withMasu(tate(Kake, "12", "99", "2", "9", "24", "891")), 3, 3, u8("かけ算のひっ算")},
          {withAmari(yoko(Wari, "10", "89", "2", "9", "1", "9")), 6, 2, u8("わり算")},
          {bunsyo(lines("1はこに ①こずつ はいった おかしが ②はこ あります。",
                        "おかしは ぜんぶで なんこ ありますか。"),
                  u8("こ"), Kake, "2", "9", "2", "9", "4", "81"),
           1, 1, u8("文章問題")}}},
        {QStringLiteral("3nen_hissan_tasizan_3keta.prx"),
         3,
         u8("３けたの たし算の ひっ算"),
         u8("３けたのたし算のひっ算（くり上がりあり）"),
         {{withKuri(withMasu(tate(Tasu, "101", "899", "101", "899", "300", "999"), true),
                    RandConditions::KuriSome),
           12,
           3,
           {}}}},
        {QStringLiteral("3nen_hissan_hikizan_3keta.prx"),
         3,
         u8("３けたの ひき算の ひっ算"),
         u8("３けたのひき算のひっ算（くり下がりあり）"),
         {{withKuri(withMasu(tate(Hiku, "201", "999", "101", "899", "2", "898"), true),
                    RandConditions::KuriSome),
           12,
           3,
           {}}}},
        {QStringLiteral("3nen_kakezan_hissan_1keta.prx"),
         3,
         u8("かけ算の ひっ算（×１けた）"),
         u8("２けた・３けた×１けたのかけ算のひっ算"),
         {{withMasu(withNo01(tate(Kake, "12", "99", "2", "9", "24", "891"))), 6, 3,
           u8("２けた×１けた")},
          {withMasu(withNo01(tate(Kake, "102", "999", "2", "9", "204", "8991"))), 3, 3,
           u8("３けた×１けた")}}},
        {QStringLiteral("3nen_kakezan_3keta_2keta.prx"),
         3,
         u8("３けた×２けたの かけ算"),
         u8("３けた×２けたのかけ算のひっ算"),
         {{withMasu(tate(Kake, "102", "999", "12", "99", "1224", "98901")), 9, 3, {}}}},
        {QStringLiteral("3nen_warizan.prx"),
         3,
         u8("わり算"),
         u8("九九を使うわり算"),
         {{withNo01(yoko(Wari, "4", "81", "2", "9", "2", "9")), 20, 2, {}}}},
        {QStringLiteral("3nen_warizan_amari.prx"),
         3,
         u8("あまりのある わり算"),
         u8("あまりのあるわり算"),
         {{withAmari(yoko(Wari, "10", "89", "2", "9", "1", "9")), 18, 2, {}}}},
        {QStringLiteral("3nen_syosu.prx"),
         3,
         u8("小数の たし算・ひき算"),
         u8("小数のたし算とひき算（1/10の位）"),
         {{withDecimals(yoko(Tasu, "1", "9", "1", "9", "2", "10"), 1, 1, 1), 8, 2, u8("たし算")},
          {withDecimals(yoko(Hiku, "2", "10", "1", "9", "0", "9"), 1, 1, 1), 8, 2, u8("ひき算")}}},
        {QStringLiteral("3nen_bunsu.prx"),
         3,
         u8("分数の たし算・ひき算"),
         u8("同じ分母の分数のたし算とひき算"),
         {{withBunbo(bunsu(Tasu, "3", "9", "3", "9", Shin, Shin, SyuAny), BunboSame, false), 6, 3,
           u8("たし算")},
          {withBunbo(bunsu(Hiku, "3", "9", "3", "9", Shin, Shin, Shin), BunboSame, false), 6, 3,
           u8("ひき算")}}},
        {QStringLiteral("3nen_bunsyo_warizan.prx"),
         3,
         u8("わり算の 文章問題"),
         u8("わり算の文章問題（あまりなし・あまりあり）"),
         {{bunsyo(lines("クッキーが ①まい あります。",
                        "②人で 同じ数ずつ 分けると、1人 何まいに なりますか。"),
                  u8("まい"), Wari, "12", "81", "2", "9", "2", "9"),
           2, 1, u8("わりきれる わり算")},
          {withAmari(bunsyo(lines("あめが ①こ あります。1ふくろに ②こずつ 入れます。",
                                  "何ふくろ できて、何こ あまりますか。"),
                            u8("ふくろ"), Wari, "10", "60", "3", "9", "2", "9")),
           1, 1, u8("あまりのある わり算")}}},
        // ---------------------------------------------------------- 4年
        {QStringLiteral("4nen_warizan_syosu.prx"),
         4,
         u8("わり算のひっ算と小数"),
         u8("わり算のひっ算（あまりあり）　小数のたし算・ひき算"),
         {{withAmari(tate(Wari, "20", "891", "2", "9", "10", "99")), 3, 3, u8("わり算のひっ算")},
          {withDecimals(tate(Tasu, "1", "19", "1", "19", "2", "39"), 1, 2, 0), 3, 3,
           u8("小数のたし算")},
          {withDecimals(tate(Hiku, "2", "19", "1", "19", "0", "18"), 2, 1, 0), 3, 3,
           u8("小数のひき算")}}},
        {QStringLiteral("4nen_warizan_hissan_1keta.prx"),
         4,
         u8("わり算の ひっ算（÷１けた）"),
         u8("２けた・３けた÷１けたのわり算のひっ算"),
         {{tate(Wari, "24", "99", "2", "9", "12", "49"), 6, 3, u8("わりきれる")},
          {withAmari(tate(Wari, "102", "999", "2", "9", "12", "499")), 3, 3, u8("あまりあり")}}},
        {QStringLiteral("4nen_warizan_hissan_2keta.prx"),
         4,
         u8("わり算の ひっ算（÷２けた）"),
         u8("２けた・３けた÷２けたのわり算のひっ算"),
         {{tate(Wari, "100", "999", "12", "99", "2", "9"), 6, 3, u8("わりきれる")},
          {withAmari(tate(Wari, "200", "999", "12", "49", "10", "49")), 3, 3, u8("あまりあり")}}},
        {QStringLiteral("4nen_syosu_hissan.prx"),
         4,
         u8("小数の たし算・ひき算の ひっ算"),
         u8("小数のたし算とひき算のひっ算"),
         {{withKuri(withDecimals(tate(Tasu, "1", "9", "1", "9", "1", "19"), 2, 2, 0),
                    RandConditions::KuriSome),
           6, 3, u8("たし算")},
          {withKuri(withDecimals(tate(Hiku, "2", "9", "1", "9", "0", "9"), 2, 2, 0),
                    RandConditions::KuriSome),
           6, 3, u8("ひき算")}}},
        {QStringLiteral("4nen_bunsu_taibunsu.prx"),
         4,
         u8("帯分数の たし算・ひき算"),
         u8("同じ分母の分数のたし算とひき算（帯分数）"),
         {{withBunbo(bunsu(Tasu, "3", "9", "3", "9", Tai, Shin, SyuAny), BunboSame, false), 6, 3,
           u8("たし算")},
          {withBunbo(bunsu(Hiku, "3", "9", "3", "9", Tai, Shin, SyuAny), BunboSame, false), 6, 3,
           u8("ひき算")}}},
        {QStringLiteral("4nen_bunsyo.prx"),
         4,
         u8("わり算・かけ算の 文章問題"),
         u8("わり算とかけ算の文章問題"),
         {{bunsyo(lines("色紙が ①まい あります。②人で 同じ数ずつ 分けると、",
                        "1人 何まいに なりますか。"),
                  u8("まい"), Wari, "100", "999", "2", "9", "12", "99"),
           2, 1, u8("わり算")},
          {bunsyo(lines("1本 ①円の えんぴつを ②本 買います。", "代金は 何円に なりますか。"),
                  u8("円"), Kake, "45", "98", "12", "36", "540", "3528"),
           1, 1, u8("かけ算")}}},
        // ---------------------------------------------------------- 5年
        {QStringLiteral("5nen_syosu_bunsu.prx"),
         5,
         u8("小数のかけ算と分数のたし算"),
         u8("小数のかけ算のひっ算　分数のたし算・ひき算"),
         {{withDecimals(tate(Kake, "1", "9", "1", "9", "1", "99"), 1, 1, 0), 3, 3,
           u8("小数のかけ算")},
          {withBunbo(bunsu(Tasu, "2", "9", "2", "9", Shin, Shin, SyuAny), BunboOther, false), 3, 3,
           u8("分数のたし算")},
          {withBunbo(bunsu(Hiku, "2", "9", "2", "9", Shin, Shin, Shin), BunboOther, false), 3, 3,
           u8("分数のひき算")}}},
        {QStringLiteral("5nen_syosu_kakezan.prx"),
         5,
         u8("小数の かけ算の ひっ算"),
         u8("小数×小数のかけ算のひっ算"),
         {{withDecimals(tate(Kake, "1", "9", "1", "9", "1", "99"), 1, 1, 0), 6, 3, u8("小数×小数")},
          {withDecimals(tate(Kake, "10", "99", "2", "9", "1", "899"), 1, 0, 0), 3, 3,
           u8("小数×整数")}}},
        {QStringLiteral("5nen_syosu_warizan.prx"),
         5,
         u8("小数の わり算の ひっ算"),
         u8("小数÷小数のわり算のひっ算（わりきれる）"),
         {{withDecimals(tate(Wari, "1", "99", "1", "9", "2", "9"), 1, 1, 0), 9, 3, {}}}},
        {QStringLiteral("5nen_ibunbo_tasizan.prx"),
         5,
         u8("分母のちがう 分数の たし算"),
         u8("異分母の分数のたし算（通分・約分）"),
         {{withBunbo(bunsu(Tasu, "2", "12", "2", "12", Shin, Shin, SyuAny), BunboOther, true),
           15,
           3,
           {}}}},
        {QStringLiteral("5nen_ibunbo_hikizan.prx"),
         5,
         u8("分母のちがう 分数の ひき算"),
         u8("異分母の分数のひき算（通分・約分）"),
         {{withBunbo(bunsu(Hiku, "2", "16", "2", "16", Shin, Shin, Shin), BunboOther, true),
           15,
           3,
           {}}}},
        {QStringLiteral("5nen_bunsyo.prx"),
         5,
         u8("小数の 文章問題"),
         u8("小数のかけ算とわり算の文章問題"),
         {{withDecimals(bunsyo(lines("1mの 重さが ①kgの ぼうが あります。",
                                     "この ぼう ②mの 重さは 何kgですか。"),
                               u8("kg"), Kake, "11", "49", "2", "9", "1", "99"),
                        1, 0, 0),
           2, 1, u8("小数のかけ算")},
          {withDecimals(
               bunsyo(lines("①Lの ジュースを 1人に ②Lずつ 分けます。", "何人に 分けられますか。"),
                      u8("人"), Wari, "1", "30", "1", "3", "2", "9"),
               1, 1, 0),
           1, 1, u8("小数のわり算")}}},
        // ---------------------------------------------------------- 6年
        {QStringLiteral("6nen_bunsu_bunsyo.prx"),
         6,
         u8("分数のかけ算・わり算と文章問題"),
         u8("分数のかけ算とわり算　わり算の文章問題"),
         {{bunsu(Kake, "2", "9", "2", "9", Shin, Shin, SyuAny), 3, 3, u8("かけ算")},
          {bunsu(Wari, "2", "9", "2", "9", Shin, Shin, SyuAny), 3, 3, u8("わり算")},
          {bunsyo(
               lines("①まいの カードを ②人で 同じ数ずつ 分けます。", "1人 何まいに なりますか。"),
               u8("まい"), Wari, "12", "99", "2", "9", "2", "12"),
           1, 1, u8("文章問題")}}},
        {QStringLiteral("6nen_bunsu_kakezan.prx"),
         6,
         u8("分数の かけ算"),
         u8("分数のかけ算（約分あり）"),
         {{withBunbo(bunsu(Kake, "2", "9", "2", "9", Shin, Shin, SyuAny), BunboAny, true),
           15,
           3,
           {}}}},
        {QStringLiteral("6nen_bunsu_warizan.prx"),
         6,
         u8("分数の わり算"),
         u8("分数のわり算（約分あり）"),
         {{withBunbo(bunsu(Wari, "2", "9", "2", "9", Shin, Shin, SyuAny), BunboAny, true),
           15,
           3,
           {}}}},
        {QStringLiteral("6nen_bunsu_taibunsu.prx"),
         6,
         u8("帯分数の かけ算・わり算"),
         u8("帯分数のかけ算とわり算"),
         {{bunsu(Kake, "2", "6", "2", "6", Tai, Shin, SyuAny), 6, 3, u8("かけ算")},
          {bunsu(Wari, "2", "6", "2", "6", Tai, Shin, SyuAny), 6, 3, u8("わり算")}}},
        {QStringLiteral("6nen_bunsyo.prx"),
         6,
         u8("いろいろな 文章問題"),
         u8("たし算・ひき算・かけ算・わり算の文章問題"),
         {{bunsyo(lines("図書室に 本が ①さつ あります。",
                        "新しく ②さつ 入りました。本は 全部で 何さつですか。"),
                  u8("さつ"), Tasu, "1200", "4800", "150", "900", "1350", "5700"),
           1, 1, u8("たし算")},
          {bunsyo(lines("①円 持って います。②円の 本を 買うと、", "残りは 何円ですか。"), u8("円"),
                  Hiku, "1000", "5000", "280", "980", "20", "4720"),
           1, 1, u8("ひき算")},
          {bunsyo(lines("1箱 ①こ 入りの たまごが ②箱 あります。", "たまごは 全部で 何こですか。"),
                  u8("こ"), Kake, "6", "12", "12", "48", "72", "576"),
           1, 1, u8("かけ算")},
          {bunsyo(lines("①mの リボンを ②人で 同じ長さずつ 分けます。", "1人 何mに なりますか。"),
                  u8("m"), Wari, "24", "96", "2", "8", "3", "48"),
           1, 1, u8("わり算")}}},
    };
    all.insert(all.end(), upper.begin(), upper.end());
    return all;
}

QString fontName()
{
    return QStringLiteral("ＭＳ Ｐゴシック");
}

// The size of the problems: the size box's start size for 1年 and 2年 and
// a little larger, so that a digit cell of a column problem is at least
// 7 mm high on paper; a size that leaves room for more problems above.
int problemFontSize(int grade)
{
    return grade <= 2 ? int(YoungGradeFontSize) + 4 : 20;
}

int lowestBottom(const Document &doc)
{
    int bottom = 0;
    for (const RAData &r : doc.AData)
        bottom = std::max(bottom, r.Y1 + r.Height);
    return bottom;
}

void addText(Document &doc, Metrics &metrics, const QString &text, int x, int y, int size,
             bool bold)
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
    r.Layer = 1;
}

// Sets the page of the expression tool to the settings of `p`.
void setPage(TFormSiki &tool, const ProblemSpec &p)
{
    tool.PrepareNew(0, 0, 0);
    const int page = p.kind == Kind::Yoko    ? TFormSiki::PageYoko
                     : p.kind == Kind::Tate  ? TFormSiki::PageTate
                     : p.kind == Kind::Bunsu ? TFormSiki::PageBunsu
                                             : TFormSiki::PageBunsyo;
    tool.SelectPage(page);
    TSikiRandomPanel *r = tool.RandomPanel;
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
    r->ComboKuri->setCurrentIndex(p.kuri);
    r->CheckNo01->setChecked(p.no01);
    tool.CheckMasu->setChecked(p.masu);
    tool.CheckMemo->setChecked(p.memo);
    if (p.kind == Kind::Bunsu) {
        r->ComboBunsuKigou->setCurrentIndex(p.op);
        r->EditBunsuX1->setText(p.x1);
        r->EditBunsuX2->setText(p.x2);
        r->EditBunsuY1->setText(p.y1);
        r->EditBunsuY2->setText(p.y2);
        r->ComboBunsuSyuX->setCurrentIndex(p.bunsuSyuX);
        r->ComboBunsuSyuY->setCurrentIndex(p.bunsuSyuY);
        r->ComboBunsuSyuA->setCurrentIndex(p.bunsuSyuA);
        r->ComboBunboY->setCurrentIndex(p.bunbo);
        r->CheckYakuA->setChecked(p.yaku);
    }
    if (p.kind == Kind::Bunsyo) {
        tool.MemoBunsyoText->setPlainText(p.text);
        tool.ComboBunsyoTani->setCurrentText(p.unit);
    }
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
    const RNameHeader header =
        LayoutNameHeader(doc, 0, NameHeaderStyle::OneLine, fontName(), metrics);
    if (!header.fits) {
        err << s.fileName << ": " << header.message << "\n";
        return false;
    }
    for (const RAData &row : header.rows) {
        const int i = doc.AppendRow();
        doc.AData[i] = row;
        doc.AData[i].ID = doc.GetId();
    }
    // The title centred under the header.
    const int titleSize = 26;
    const QSize titleExtent = MeasureTextLines(metrics, s.title, fontName(), titleSize, true);
    addText(doc, metrics, s.title, std::max(0, header.area.center().x() - titleExtent.width() / 2),
            header.area.bottom() + header.gapBelow, titleSize, true);

    const int size = problemFontSize(s.grade);
    for (int k = 0; k < int(s.sets.size()); ++k) {
        const SetSpec &set = s.sets[k];
        if (!set.heading.isEmpty())
            addText(doc, metrics, QStringLiteral("■ ") + set.heading, NameHeaderMargin(),
                    lowestBottom(doc) + 14, 18, true);
        setPage(tool, set.problem);
        RAData style;
        style.Syu = QStringLiteral("5");
        style.FontName = fontName();
        style.FontSize = set.problem.kind == Kind::Bunsyo ? std::min(size, 20) : size;
        style.Layer = 1;
        style.KotaeMode = 0;
        RSetOptions options;
        options.count = set.count;
        options.columns = set.columns;
        options.area = SetArea::BelowObjects;
        options.numbering = SetNumbering::Paren;
        options.gapMm = 6;
        const QString refusal = tool.PlaceSet(style, 0, options);
        if (!refusal.isEmpty()) {
            err << s.fileName << ": set " << k + 1 << ": " << refusal << "\n";
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
