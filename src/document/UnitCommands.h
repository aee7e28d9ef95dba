// Undoable edits of a Document. Every change of the worksheet is a command
// pushed on the document's undo stack (Document::undoStack()); tools, panels
// and menus build commands and never change rows outside one. After every
// do, undo and redo the document emits DocumentEvents::changed with the
// pages whose drawing may differ, so the view redraws only those pages, and
// the rows the command left behind, so the selection can follow.
//
// The simplest way to write a new kind of edit is Document::runEdit:
//
//     doc.runEdit(QStringLiteral("削除"), [&] { doc.DeleteRows(rows); });
//
// runEdit takes a snapshot of the rows, the pictures and the header fields,
// runs the edit, compares, and pushes a RowsCommand holding exactly the rows
// and pictures that differ (before and after). Undo and redo restore them
// byte for byte, including appended rows, removed rows and the closing up of
// the table after a removal. An edit that changes nothing pushes nothing.
//
// Edits that arrive as a run (a drag: one command per mouse move; arrow
// keys) pass a merge key: commands with the same kind and the same run
// number become one undo step. Start a new run with Document::newMergeRun()
// (on the press, on the first key of a run).
//
// Commands of their own (for edits that can state their change more cheaply
// than a snapshot) derive from DocumentCommand and call announce() from
// redo() and undo().
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
};

class DocumentEvents : public QObject
{
    Q_OBJECT
signals:
    void changed(const RChange &change);
};

// Merge keys of the commands that arrive as runs.
enum class MergeKind : int { None = -1, Move = 1, Resize = 2, Nudge = 3 };

struct RMerge {
    MergeKind kind = MergeKind::None;
    int run = 0; // from Document::newMergeRun(); 0 never merges
};

// A command on one document: keeps the document and announces its changes.
class DocumentCommand : public QUndoCommand
{
public:
    DocumentCommand(Document &doc, const QString &text, QUndoCommand *parent = nullptr);

protected:
    // Emits the document's changed signal.
    void announce(const RChange &change);
    Document &mDoc;
};

// The header fields of a worksheet that commands may change.
struct RHeaderFields {
    QString Naiyou;
    Integer NenIndex = 0;
    Integer KyoukaIndex = 0;
    TColor AnswerColor = 0;
    RPaperData Paper;

    bool operator==(const RHeaderFields &o) const
    {
        return Naiyou == o.Naiyou && NenIndex == o.NenIndex && KyoukaIndex == o.KyoukaIndex &&
               AnswerColor == o.AnswerColor && Paper.PrinterName == o.Paper.PrinterName &&
               Paper.PaperSizeCode == o.Paper.PaperSizeCode &&
               Paper.Orientation == o.Paper.Orientation && Paper.Width == o.Paper.Width &&
               Paper.Height == o.Paper.Height && Paper.PaperW == o.Paper.PaperW &&
               Paper.PaperH == o.Paper.PaperH && Paper.OffsetX == o.Paper.OffsetX &&
               Paper.OffsetY == o.Paper.OffsetY;
    }
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

// The generic command: the rows, pictures and header fields an edit changed,
// before and after.
class RowsCommand : public DocumentCommand
{
public:
    // The document already holds the state after the edit; `before` is the
    // state before it. The first redo (on push) only announces the change.
    RowsCommand(Document &doc, const QString &text, const RDocumentSnapshot &before,
                RMerge merge = {});

    bool isEmpty() const;
    void undo() override;
    void redo() override;
    int id() const override;
    bool mergeWith(const QUndoCommand *other) override;

private:
    RChange changeFor(bool undone) const;
    void addPagesOf(const QVector<RAData> &rows, QSet<int> &pages) const;

    RRowDiff mRows;
    RPictureDiff mPictures;
    bool mHeaderChanged = false;
    RHeaderFields mHeaderBefore, mHeaderAfter;
    RMerge mMerge;
    bool mFirstRedo = true;
};
