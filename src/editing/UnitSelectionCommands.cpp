#include "editing/UnitSelectionCommands.h"
#include "render/UnitMetrics.h"

// ---------------------------------------------------------------- base

SelectionRuleCommand::SelectionRuleCommand(Document &doc, const QString &text,
                                           const QVector<RMouseSelect> &sel, Metrics *fit)
    : RecordedCommand(doc, text), mSel(sel), mFit(fit)
{
}

void SelectionRuleCommand::plan() const
{
    if (mPlanned)
        return;
    QVector<RAData> rows = mDoc.AData;
    mSelAfter = mSel;
    mApplies = rule(rows, mSelAfter);
    mPlanned = true;
}

bool SelectionRuleCommand::applies() const
{
    plan();
    return mApplies;
}

QVector<RMouseSelect> SelectionRuleCommand::selection() const
{
    plan();
    return mSelAfter;
}

void SelectionRuleCommand::edit()
{
    QVector<RMouseSelect> sel = mSel;
    if (rule(mDoc.AData, sel) && mFit)
        mFit->FitToContent(mDoc.AData, SelectedRows(mDoc.AData, sel));
}

// ---------------------------------------------------------------- arrangement

namespace
{

QString alignText(AlignKind kind)
{
    switch (kind) {
    case AlignKind::Left:
        return QStringLiteral("左揃え");
    case AlignKind::Center:
        return QStringLiteral("中揃え");
    case AlignKind::Right:
        break;
    }
    return QStringLiteral("右揃え");
}

QString spacingText(SpacingKind kind)
{
    switch (kind) {
    case SpacingKind::Equal:
        return QStringLiteral("等間隔");
    case SpacingKind::PackUp:
        return QStringLiteral("上に詰める");
    case SpacingKind::Gap:
        break;
    }
    return QStringLiteral("間隔を指定する");
}

QString modeText(ObjectMode mode)
{
    switch (mode) {
    case ObjectMode::Standard:
        return QStringLiteral("標準モード");
    case ObjectMode::Answer:
        return QStringLiteral("解答モード");
    case ObjectMode::NameField:
        break;
    }
    return QStringLiteral("名前欄");
}

} // namespace

AlignObjectsCommand::AlignObjectsCommand(Document &doc, const QVector<RMouseSelect> &sel,
                                         AlignKind kind)
    : SelectionRuleCommand(doc, alignText(kind), sel), mKind(kind)
{
}

bool AlignObjectsCommand::rule(QVector<RAData> &rows, QVector<RMouseSelect> &sel) const
{
    return AlignRows(rows, sel, mKind);
}

SpaceObjectsCommand::SpaceObjectsCommand(Document &doc, const QVector<RMouseSelect> &sel,
                                         SpacingKind kind, int64_t gap)
    : SelectionRuleCommand(doc, spacingText(kind), sel), mKind(kind), mGap(gap)
{
}

bool SpaceObjectsCommand::rule(QVector<RAData> &rows, QVector<RMouseSelect> &sel) const
{
    switch (mKind) {
    case SpacingKind::Equal:
        return SpaceEqually(rows, sel);
    case SpacingKind::PackUp:
        return PackUp(rows, sel);
    case SpacingKind::Gap:
        break;
    }
    return SpaceBy(rows, sel, mGap);
}

RestackObjectCommand::RestackObjectCommand(Document &doc, const QVector<RMouseSelect> &sel,
                                           bool toFront)
    : SelectionRuleCommand(
          doc, toFront ? QStringLiteral("前面へ移動") : QStringLiteral("背面へ移動"), sel),
      mToFront(toFront)
{
}

bool RestackObjectCommand::rule(QVector<RAData> &rows, QVector<RMouseSelect> &sel) const
{
    return mToFront ? BringToFront(rows, sel) : SendToBack(rows, sel);
}

LockObjectsCommand::LockObjectsCommand(Document &doc, Metrics &fit,
                                       const QVector<RMouseSelect> &sel, bool locked)
    : SelectionRuleCommand(doc, QStringLiteral("ロック"), sel, &fit), mLocked(locked)
{
}

bool LockObjectsCommand::rule(QVector<RAData> &rows, QVector<RMouseSelect> &sel) const
{
    return SetLockRows(rows, sel, mLocked);
}

SetObjectModeCommand::SetObjectModeCommand(Document &doc, Metrics &fit,
                                           const QVector<RMouseSelect> &sel, ObjectMode mode)
    : SelectionRuleCommand(doc, modeText(mode), sel, &fit), mMode(mode)
{
}

bool SetObjectModeCommand::rule(QVector<RAData> &rows, QVector<RMouseSelect> &sel) const
{
    return SetModeRows(rows, sel, mMode);
}

// ---------------------------------------------------------------- restyle

RestyleObjectsCommand::RestyleObjectsCommand(Document &doc, const QString &text,
                                             const QVector<RMouseSelect> &sel,
                                             const RStyleChange &change, Metrics *fit)
    : SelectionRuleCommand(doc, text, sel, fit), mChange(change)
{
}

bool RestyleObjectsCommand::rule(QVector<RAData> &rows, QVector<RMouseSelect> &sel) const
{
    const RStyleChange &c = mChange;
    switch (c.kind) {
    case RStyleChange::Kind::ForeColor:
        return SetForeColorRows(rows, sel, c.color);
    case RStyleChange::Kind::BackColor:
        return SetBackColorRows(rows, sel, c.color);
    case RStyleChange::Kind::NoBackColor:
        return ClearBackColorRows(rows, sel);
    case RStyleChange::Kind::FontName:
        return SetFontNameRows(rows, sel, c.text);
    case RStyleChange::Kind::FontSize:
        return SetFontSizeRows(rows, sel, c.size);
    case RStyleChange::Kind::FirstFontSize:
        return SetFirstFontSize(rows, sel, c.size, c.text);
    case RStyleChange::Kind::Style:
        return SetStyleRows(rows, sel, c.style, c.on);
    case RStyleChange::Kind::Measure:
        break;
    }
    return !sel.isEmpty();
}
