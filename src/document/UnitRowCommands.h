// The commands that change whole rows of the object table without any
// editing rule: new objects (with the pictures they show), removed objects,
// one object rewritten, and a name field read in. The editing controller,
// the clipboard and the file commands build them; each keeps exactly what it
// needs to undo itself and announces the pages its rows lie on. Objects
// added together with rows moved out of their way are one command too.
#pragma once

#include "document/UnitCommands.h"
#include "document/UnitFile.h"

// Objects to add: rows appended to the end of the table, each with a fresh
// ID, and the pictures they show appended to BMData. The PicNo of a picture
// row ("4", "b", "r") counts within `pictures`.
struct RNewObjects {
    QVector<RAData> rows;
    QVector<QImage> pictures;
};

// "作成", "貼り付け", "複製": the objects land at the end of the table (the
// top of the stacking order). Undo takes them and their pictures away again.
class AddObjectsCommand : public DocumentCommand
{
public:
    AddObjectsCommand(Document &doc, const QString &text, RNewObjects objects);

protected:
    bool firstApply() override;
    void reapply() override;
    void revert() override;
    RChange changeFor(bool undone) const override;

private:
    RNewObjects mObjects; // as they stand in the table once added
    int mFirstRow = 0;
};

// "削除", "切り取り": the given rows go, and with them every row already of
// kind "0"; the rows after them close up. Pictures stay in BMData.
class RemoveObjectsCommand : public DocumentCommand
{
public:
    RemoveObjectsCommand(Document &doc, const QString &text, const QVector<int> &rows);

protected:
    bool firstApply() override;
    void reapply() override;
    void revert() override;
    RChange changeFor(bool undone) const override;

private:
    QVector<int> mRows;      // as asked for
    QVector<int> mRemovedAt; // ascending indexes of the table before the removal
    QVector<RAData> mRemoved;
};

// "書き換え": one row takes new values (a text written again through the text
// window). Nothing happens when the row does not exist or already holds them.
class ChangeObjectCommand : public DocumentCommand
{
public:
    ChangeObjectCommand(Document &doc, const QString &text, int row, const RAData &after);

protected:
    bool firstApply() override;
    void reapply() override;
    void revert() override;
    RChange changeFor(bool undone) const override;

private:
    int mRow;
    RAData mBefore, mAfter;
};

// "名前欄の読み込み": the worksheet's name-field rows (Layer 3) are replaced by
// those of a name-field file already read, whose pictures are appended.
class LoadNameFieldCommand : public RecordedCommand
{
public:
    LoadNameFieldCommand(Document &doc, NameFieldFile file);

protected:
    void edit() override;

private:
    NameFieldFile mFile;
};

// A row to move down (or up) by dy page units: Y1 moves, and texts and
// lines carry their end point (Y2) along, as the arrow keys move them.
struct RRowShift {
    int row = -1; // index in the table before the command
    Integer dy = 0;
};

// "名前欄を追加": objects appended to the end of the table (as
// AddObjectsCommand adds them, fresh IDs, their pictures appended) after the
// given rows were moved to make room for them. One undo takes the new
// objects away and puts the moved rows back. Shifts of rows that do not
// exist are ignored.
class InsertAndShiftCommand : public RecordedCommand
{
public:
    InsertAndShiftCommand(Document &doc, const QString &text, RNewObjects objects,
                          QVector<RRowShift> shifts);

protected:
    void edit() override;

private:
    RNewObjects mObjects;
    QVector<RRowShift> mShifts;
};
