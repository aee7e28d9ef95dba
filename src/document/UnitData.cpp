#include "document/UnitData.h"
#include "document/UnitCommands.h"

#include <QUndoStack>

#include <algorithm>
#include <cstdlib>

ModeFields ModeForNewObject(bool nameDisplayOn, bool answerDisplayOn, bool isMathProblem)
{
    if (nameDisplayOn && !isMathProblem)
        return {3, 0};
    if (answerDisplayOn)
        return {1, 1};
    return {1, 0};
}

LineGeometry MakeLineGeometry(Integer x1, Integer y1, Integer x2, Integer y2)
{
    LineGeometry g{};
    g.X1 = std::min(x1, x2);
    g.Y1 = std::min(y1, y2);
    g.Width = std::abs(x2 - x1);
    g.Height = std::abs(y2 - y1);
    g.X2 = x2;
    g.Y2 = y2;
    if (x2 < x1)
        g.LineSyu = (y1 < y2) ? 1 : 0;
    else
        g.LineSyu = (y1 < y2) ? 0 : 1;
    return g;
}

BoxGeometry MakeBoxGeometry(Integer x1, Integer y1, Integer x2, Integer y2)
{
    return {std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1), std::abs(y2 - y1)};
}

void SetTextGeometry(RAData &row, Integer measuredWidth, Integer measuredHeight)
{
    row.Width = measuredWidth;
    row.Height = measuredHeight;
    row.X2 = row.X1 + row.Width;
    row.Y2 = row.Y1 + row.Height;
}

Document::Document()
    : mUndoStack(std::make_unique<QUndoStack>()), mEvents(std::make_unique<DocumentEvents>())
{
    SetBunruiData();
    NewData.ID = -1;
    FileData.HensyuB.follow(mUndoStack.get());
}

Document::~Document() = default;

Document::Document(Document &&other)
    : RDocumentData(std::move(other)), mUndoStack(std::make_unique<QUndoStack>()),
      mEvents(std::make_unique<DocumentEvents>())
{
    FileData.HensyuB.follow(mUndoStack.get());
}

Document &Document::operator=(Document &&other)
{
    RDocumentData::operator=(std::move(other));
    // The flag came with the other document's data: it reads this one's stack.
    FileData.HensyuB.follow(mUndoStack.get());
    resetHistory();
    return *this;
}

RHensyuFlag::operator bool() const
{
    return mStack && !mStack->isClean();
}

bool Document::isModified() const
{
    return !mUndoStack->isClean();
}

void Document::markSaved()
{
    mUndoStack->setClean();
}

void Document::resetHistory()
{
    mUndoStack->clear();
}

Integer Document::GetId() const
{
    if (AData.isEmpty())
        return 1;
    Integer maxId = AData.first().ID;
    for (const RAData &r : AData)
        maxId = std::max(maxId, r.ID);
    return maxId + 1;
}

Integer Document::GetRowNo()
{
    if (NewData.ID < 0) {
        Integer row = AppendRow();
        AData[row].ID = GetId();
        return row;
    }
    if (const int found = FindRow(NewData.ID); found >= 0)
        return found;
    // No row carries this ID: make a new one rather than touch an unrelated row.
    Integer row = AppendRow();
    AData[row].ID = GetId();
    return row;
}

int Document::FindRow(Integer id) const
{
    for (int i = AData.size() - 1; i >= 0; --i)
        if (AData[i].ID == id)
            return i;
    return -1;
}

Integer Document::AppendRow()
{
    AData.append(RAData{});
    return AData.size() - 1;
}

void Document::DeleteRows(const QVector<int> &rows)
{
    for (int r : rows)
        if (r >= 0 && r < AData.size())
            AData[r].Syu = QStringLiteral("0");
    RemoveDeletedRows();
}

void Document::RemoveDeletedRows()
{
    AData.erase(std::remove_if(AData.begin(), AData.end(),
                               [](const RAData &r) { return r.Syu == QLatin1String("0"); }),
                AData.end());
}

void Document::SetBunruiData()
{
    BunruiData.Nen = QStringList{QString(),
                                 QStringLiteral("１年"),
                                 QStringLiteral("２年"),
                                 QStringLiteral("３年"),
                                 QStringLiteral("４年"),
                                 QStringLiteral("５年"),
                                 QStringLiteral("６年")};
    BunruiData.Kyouka = QStringList{QString(),
                                    QStringLiteral("国語"),
                                    QStringLiteral("社会"),
                                    QStringLiteral("算数"),
                                    QStringLiteral("理科"),
                                    QStringLiteral("生活"),
                                    QStringLiteral("音楽"),
                                    QStringLiteral("図画工作"),
                                    QStringLiteral("家庭"),
                                    QStringLiteral("体育"),
                                    QStringLiteral("道徳"),
                                    QStringLiteral("外国語活動"),
                                    QStringLiteral("総合的な学習"),
                                    QStringLiteral("特別活動")};
}

void Document::SyokiFileData()
{
    FileData.FileName.clear();
    markSaved();
}

void Document::Clear()
{
    AData.clear();
    BMData.clear();
}
