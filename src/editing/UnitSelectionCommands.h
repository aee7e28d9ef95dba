// The commands that apply an arrangement or a panel rule to the selected
// objects: alignment, vertical spacing, stacking order, lock, the three
// object modes, and the restyling of the property panels (colours, font,
// size, styles). The buttons and panels build one with the selection and
// push it; the rule itself is a pure function of UnitArrange or
// UnitPropertyRules, run by the command on its first application. Each
// command knows before it runs whether its rule applies to the selection
// and which selection it leaves (spacing sorts it top to bottom, a
// stacking change follows its row), so the caller can place the selection
// marks whether or not the rows changed.
#pragma once

#include "document/UnitCommands.h"
#include "editing/UnitArrange.h"
#include "editing/UnitPropertyRules.h"

class Metrics;

// A rule over the selection, recorded as a difference of the rows. With
// `fit` the selected texts and problems are measured again afterwards.
class SelectionRuleCommand : public RecordedCommand
{
public:
    // Asked before the command is pushed: the rule has something to act on
    // (otherwise the command changes nothing), and the selection as the
    // rule leaves it.
    bool applies() const;
    QVector<RMouseSelect> selection() const;

protected:
    SelectionRuleCommand(Document &doc, const QString &text, const QVector<RMouseSelect> &sel,
                         Metrics *fit = nullptr);
    void edit() override;
    // Applies the rule to the rows and the selection (which it may sort);
    // true when it acted.
    virtual bool rule(QVector<RAData> &rows, QVector<RMouseSelect> &sel) const = 0;

private:
    // Runs the rule on a copy of the rows, for applies() and selection().
    void plan() const;

    QVector<RMouseSelect> mSel;
    Metrics *mFit;
    mutable bool mPlanned = false;
    mutable bool mApplies = false;
    mutable QVector<RMouseSelect> mSelAfter;
};

// "左揃え", "中揃え", "右揃え".
class AlignObjectsCommand : public SelectionRuleCommand
{
public:
    AlignObjectsCommand(Document &doc, const QVector<RMouseSelect> &sel, AlignKind kind);

protected:
    bool rule(QVector<RAData> &rows, QVector<RMouseSelect> &sel) const override;

private:
    AlignKind mKind;
};

enum class SpacingKind { Equal, PackUp, Gap };

// "等間隔" (three objects or more), "上に詰める", "間隔を指定する" (`gap` units).
class SpaceObjectsCommand : public SelectionRuleCommand
{
public:
    SpaceObjectsCommand(Document &doc, const QVector<RMouseSelect> &sel, SpacingKind kind,
                        int64_t gap = 0);

protected:
    bool rule(QVector<RAData> &rows, QVector<RMouseSelect> &sel) const override;

private:
    SpacingKind mKind;
    int64_t mGap;
};

// "前面へ移動", "背面へ移動": the one selected row to the top or the bottom of
// the stacking order; the others keep their order.
class RestackObjectCommand : public SelectionRuleCommand
{
public:
    RestackObjectCommand(Document &doc, const QVector<RMouseSelect> &sel, bool toFront);

protected:
    bool rule(QVector<RAData> &rows, QVector<RMouseSelect> &sel) const override;

private:
    bool mToFront;
};

// "ロック": the selected rows locked or unlocked.
class LockObjectsCommand : public SelectionRuleCommand
{
public:
    LockObjectsCommand(Document &doc, Metrics &fit, const QVector<RMouseSelect> &sel, bool locked);

protected:
    bool rule(QVector<RAData> &rows, QVector<RMouseSelect> &sel) const override;

private:
    bool mLocked;
};

// "標準モード", "解答モード", "名前欄": the selected rows' layer and answer mode.
class SetObjectModeCommand : public SelectionRuleCommand
{
public:
    SetObjectModeCommand(Document &doc, Metrics &fit, const QVector<RMouseSelect> &sel,
                         ObjectMode mode);

protected:
    bool rule(QVector<RAData> &rows, QVector<RMouseSelect> &sel) const override;

private:
    ObjectMode mMode;
};

// One change of the property panels.
struct RStyleChange {
    enum class Kind {
        ForeColor,     // every selected row's ForeColor
        BackColor,     // background or fill chosen
        NoBackColor,   // background or fill taken away
        FontName,      // every selected row's font name
        FontSize,      // every selected row's size (pen width for lines and boxes)
        FirstFontSize, // the first selected row's size, when of kind `onlyKind` (empty: any)
        Style,         // bold, italic, underline or strike on or off
        Measure,       // nothing but measuring the selection again
    };
    Kind kind = Kind::Measure;
    TColor color = 0;
    QString text; // the font name, or `onlyKind`
    Integer size = 0;
    FontStyle style = FontStyle::Bold;
    bool on = false;

    static RStyleChange make(Kind kind)
    {
        RStyleChange c;
        c.kind = kind;
        return c;
    }
    static RStyleChange withColor(Kind kind, TColor colour)
    {
        RStyleChange c = make(kind);
        c.color = colour;
        return c;
    }
    static RStyleChange foreColor(TColor c) { return withColor(Kind::ForeColor, c); }
    static RStyleChange backColor(TColor c) { return withColor(Kind::BackColor, c); }
    static RStyleChange noBackColor() { return make(Kind::NoBackColor); }
    static RStyleChange fontName(const QString &name)
    {
        RStyleChange c = make(Kind::FontName);
        c.text = name;
        return c;
    }
    static RStyleChange fontSize(Integer size)
    {
        RStyleChange c = make(Kind::FontSize);
        c.size = size;
        return c;
    }
    static RStyleChange firstFontSize(Integer size, const QString &onlyKind = {})
    {
        RStyleChange c = make(Kind::FirstFontSize);
        c.size = size;
        c.text = onlyKind;
        return c;
    }
    static RStyleChange fontStyle(FontStyle style, bool on)
    {
        RStyleChange c = make(Kind::Style);
        c.style = style;
        c.on = on;
        return c;
    }
    static RStyleChange measure() { return make(Kind::Measure); }
};

// A panel change named after its control ("文字の色", "フォントサイズ", "太字",
// ...). With `fit` (font changes) the selected texts and problems are
// measured again.
class RestyleObjectsCommand : public SelectionRuleCommand
{
public:
    RestyleObjectsCommand(Document &doc, const QString &text, const QVector<RMouseSelect> &sel,
                          const RStyleChange &change, Metrics *fit);

protected:
    bool rule(QVector<RAData> &rows, QVector<RMouseSelect> &sel) const override;

private:
    RStyleChange mChange;
};
