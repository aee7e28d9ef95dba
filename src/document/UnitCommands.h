// Undoable edits of a Document. Every change of the worksheet is a command
// pushed on the document's undo stack; tools, panels and menus build a
// command of the kind of their edit and push it with Document::push, which
// drops a command that changes nothing (the stack, its redo steps included,
// stays as it was). After every do, undo and redo the document emits
// DocumentEvents::changed with the pages whose drawing may differ, so the
// view redraws only those pages, and the rows the command left behind, so
// the selection can follow.
//
// A kind of edit is a class derived from DocumentCommand. Edits that can
// state their change cheaply (rows appended, rows removed, a row rewritten,
// rows moved by a delta) keep just that. Edits whose effect is only known by
// doing them (a rule over the selection, a regeneration, a file read in)
// derive from RecordedCommand: it runs the edit once, compares the rows, the
// pictures and the header fields with a snapshot taken before, and keeps
// exactly what differs, so undo and redo restore them byte for byte.
//
// Edits that arrive as a run (a drag: one command per mouse move; arrow
// keys) carry a merge key: commands of the same kind and run number become
// one undo step. Start a new run with Document::newMergeRun() (on the
// press, on the first key of a run).
//
// Every kind of edit and where it lives:
//   document/UnitRowCommands      AddObjectsCommand, RemoveObjectsCommand,
//                                 ChangeObjectCommand, LoadNameFieldCommand,
//                                 InsertAndShiftCommand
//   document/UnitHeaderCommands   ChangeAnswerColorCommand, ChangePaperCommand
//   document/UnitBunruiCommand    ChangeBunruiCommand
//   editing/UnitObjectCommands    MoveObjectsCommand, NudgeObjectsCommand,
//                                 ShiftAllObjectsCommand, ResizeObjectsCommand,
//                                 SetCoordinatesCommand
//   editing/UnitSelectionCommands AlignObjectsCommand, SpaceObjectsCommand,
//                                 RestackObjectCommand, LockObjectsCommand,
//                                 SetObjectModeCommand, RestyleObjectsCommand
//   math/UnitRegenerate           RegenerateCommand
// The buttons that build and push them are elsewhere (editing/UnitArrangeButtons
// for the arrangement bars, editing/UnitPanelCommands for the property panels;
// "決定" of the expression tool pushes AddObjectsCommand or ChangeObjectCommand).
//
// This unit never draws or shows anything.
#pragma once

#include "document/UnitData.h"

#include <QObject>
#include <QSet>
#include <QUndoCommand>
#include <QVector>

// What one do, undo or redo changed, as the views need it.
struct RChange {
    QSet<int> pages;       // pages whose drawing may differ
    bool allPages = false; // every page (header fields, answer colour, paper)
    QVector<int> rows;     // rows (indexes in the table now) the command created or changed
    bool undone = false;   // the change came from undo
    bool initial = false;  // the first application, when the command was pushed
    bool live = false;     // a step of a mouse drag (Document::beginLiveRun)
};

class DocumentEvents : public QObject
{
    Q_OBJECT
signals:
    void changed(const RChange &change);
    // The mouse drag that Document::beginLiveRun started is over.
    void liveRunEnded();
};

// Merge keys of the commands that arrive as runs.
enum class MergeKind : int { None = -1, Move = 1, Resize = 2, Nudge = 3 };

struct RMerge {
    MergeKind kind = MergeKind::None;
    int run = 0; // from Document::newMergeRun(); 0 never merges

    bool merges() const { return kind != MergeKind::None && run > 0; }
    bool operator==(const RMerge &) const = default;
};

// A command on one document. The first application happens once, either in
// Document::push before the command goes on the stack or in the first
// redo; later redos and undos apply and take back what it recorded. Every
// application is announced with the document's changed signal.
class DocumentCommand : public QUndoCommand
{
public:
    DocumentCommand(Document &doc, const QString &text, QUndoCommand *parent = nullptr);

    // Applies the command for the first time. False when it changed
    // nothing. Runs once; later calls return the first answer.
    bool performFirst();

    void redo() final;
    void undo() final;

protected:
    // Does the edit and records what it needs to undo it. False when the
    // document is unchanged. When it throws, the document must be as before.
    virtual bool firstApply() = 0;
    // Redo after an undo, and undo.
    virtual void reapply() = 0;
    virtual void revert() = 0;
    // The pages and rows of the last application (undone: of the undo).
    virtual RChange changeFor(bool undone) const = 0;

    Document &mDoc;

private:
    enum class State { New, Performed, OnStack };
    State mState = State::New;
    bool mChanged = false;
};

// The header fields of a worksheet that commands may change.
struct RHeaderFields {
    QString Naiyou;
    Integer NenIndex = 0;
    Integer KyoukaIndex = 0;
    TColor AnswerColor = 0;
    RPaperData Paper;

    bool operator==(const RHeaderFields &) const = default;
};

// Everything a command may restore: rows, pictures and header fields.
// Copying is cheap (the tables are shared until one side changes).
struct RDocumentSnapshot {
    QVector<RAData> AData;
    QVector<QImage> BMData;
    RHeaderFields Header;
};

RDocumentSnapshot TakeSnapshot(const Document &doc);

// The difference between two states of one table: the rows removed from
// the old table (ascending indexes of the old table) and the rows inserted
// into the result (ascending indexes of the new table). A row changed in
// place is removed and inserted at the same index.
template <class T> struct RTableDiff {
    QVector<int> removedAt;
    QVector<T> removed;
    QVector<int> insertedAt;
    QVector<T> inserted;
    bool isEmpty() const { return removedAt.isEmpty() && insertedAt.isEmpty(); }
    bool inPlace() const { return removedAt == insertedAt; }
};

using RRowDiff = RTableDiff<RAData>;
using RPictureDiff = RTableDiff<QImage>;

RRowDiff DiffRows(const QVector<RAData> &before, const QVector<RAData> &after);
RPictureDiff DiffPictures(const QVector<QImage> &before, const QVector<QImage> &after);

// The base of the commands that learn their change by doing it: edit() runs
// once, on the first application; what it changed in the rows, the pictures
// and the header fields is kept as a difference. Commands of one merge run
// that changed rows in place only are joined row by row.
class RecordedCommand : public DocumentCommand
{
public:
    int id() const override;
    bool mergeWith(const QUndoCommand *other) override;

protected:
    RecordedCommand(Document &doc, const QString &text, RMerge merge = {});
    // The edit itself, on mDoc.
    virtual void edit() = 0;

    bool firstApply() override;
    void reapply() override;
    void revert() override;
    RChange changeFor(bool undone) const override;

private:
    bool isEmpty() const;

    RRowDiff mRows;
    RPictureDiff mPictures;
    bool mHeaderChanged = false;
    RHeaderFields mHeaderBefore, mHeaderAfter;
    RMerge mMerge;
};
