// The document: the object table (AData), the picture list (BMData), the
// classification lists, the unsaved-changes flag, the pending object and
// the undo stack. Every other layer reads the rows of one Document; edits
// of a worksheet on screen go through commands on its undo stack (see
// UnitCommands.h), which announce what they changed. This unit only holds
// the data and its small bookkeeping operations and never draws, measures
// or shows anything.
#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <QVector>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QUndoStack;
class DocumentEvents;
class DocumentCommand;

using Integer = int32_t;
using Byte = uint8_t;
using TColor = int32_t; // 0x00BBGGRR, stored as a signed decimal

// One object of the worksheet. The field order is also the column order of
// the worksheet file.
struct RAData {
    Integer ID = 0;
    QString Syu;
    Integer Page = 0;
    Integer X1 = 0;
    Integer Y1 = 0;
    Integer X2 = 0;
    Integer Y2 = 0;
    QString Siki;
    QString Kotae;
    QString HissanSiki;
    QString HissanKotae;
    QString FontName;
    Integer FontSize = 0;
    Integer PicNo = 0;
    Integer Width = 0;
    Integer Height = 0;
    Integer Siki1 = 0;
    Integer Siki2 = 0;
    TColor ForeColor = 0;
    TColor BackColor = 0;
    Integer BackColorB = 0;
    Integer FontB = 0;
    Integer FontI = 0;
    Integer FontU = 0;
    Integer FontS = 0;
    Integer LineSyu = 0;
    Integer LineSize = 0;
    Integer KotaeMode = 0;
    Integer Layer = 0;
    Integer Lock = 0;
    QString SikiSyo;
    Integer KaiSikiSyo = 0;
    Integer KotaeSyo = 0;
    Integer KotaeZero = 0;
    Integer AmariSyo = 0;
    Byte Rand = 0;
    QString RandX1;
    QString RandX2;
    QString RandY1;
    QString RandY2;
    QString RandZ1;
    QString RandZ2;
    Byte RandKigou = 0;
    QString RandA1;
    QString RandA2;
    Byte RandSyosuX = 0;
    Byte RandSyosuY = 0;
    Byte RandSyosuZ = 0;
    Byte RandSyosuA = 0;
    Byte RandAmari = 0;
    QString BunsyoR1;
    Byte BunsyoR = 0;
    QString BunsyoR2;
    QString BunsyoText;
    QString BunsyoSiki;
    QString Bunsyo1;
    QString Bunsyo2;
    QString BunsyoKotaeCombo;
    QString BunsyoKotae;
    QString BunsyoKotaeTani;
    Byte BunsyoTani = 0;
    Byte BunsuKabunsu = 0;
    Byte RandBunsuKigou = 0;
    QString RandBunsuX1;
    QString RandBunsuX2;
    QString RandBunsuY1;
    QString RandBunsuY2;
    Byte RandBunsuSyuX = 0;
    Byte RandBunsuSyuY = 0;
    Byte RandBunsuSyuA = 0;
    Byte RandBunsuBunboY = 0;
    Byte RandBunsuXYaku = 0;
    Byte RandBunsuYYaku = 0;
    Byte KihonJHX = 0;
    Byte KihonJHY = 0;

    bool operator==(const RAData &) const = default;
};

// The fixed grade and subject lists; worksheets store indexes into them.
struct RBunruiData {
    QStringList Kyouka;
    QStringList Nen;
    QStringList Naiyou;
};

class QUndoStack;

// The unsaved-changes flag. It reads like a Boolean and is worked out from
// the document's undo stack each time it is read: up exactly while the stack
// stands away from the state the worksheet was started, opened or saved in.
// Pressing, hovering and selecting push nothing, so they leave it down.
class RHensyuFlag
{
public:
    operator bool() const;
    // The stack it reads; the document points it at its own.
    void follow(const QUndoStack *stack) { mStack = stack; }

private:
    const QUndoStack *mStack = nullptr;
};

struct RFileData {
    RHensyuFlag HensyuB;
    QString FileName;
};

// The three object modes: standard, answer and name field.
enum class ObjectMode { Standard, Answer, NameField };

struct ModeFields {
    Integer Layer;
    Integer KotaeMode;
};

// Layer and KotaeMode of a new object from the two display toggles. Objects
// of the expression tool ignore the name-field toggle.
ModeFields ModeForNewObject(bool nameDisplayOn, bool answerDisplayOn, bool isMathProblem = false);

// Geometry of a new line from its two clicked points.
struct LineGeometry {
    Integer X1, Y1, Width, Height, X2, Y2, LineSyu;
};
LineGeometry MakeLineGeometry(Integer x1, Integer y1, Integer x2, Integer y2);

struct BoxGeometry {
    Integer X1, Y1, Width, Height;
};
BoxGeometry MakeBoxGeometry(Integer x1, Integer y1, Integer x2, Integer y2);

// Sets Width/Height of a text row from its measured size, and X2/Y2 from them.
void SetTextGeometry(RAData &row, Integer measuredWidth, Integer measuredHeight);

// The paper settings of the worksheet, as the file and the printer layer hold
// them: texts, read with the numeric text functions where numbers are needed.
struct RPaperData {
    QString PrinterName;                         // printer to select when applied
    QString PaperSizeCode = QStringLiteral("9"); // Windows paper size code (9 = A4)
    QString Orientation = QStringLiteral("1");   // "1" portrait, else landscape
    QString Width = QStringLiteral("210");       // millimetres, whole number
    QString Height = QStringLiteral("297");      // millimetres, whole number
    int64_t PaperW = 2100000;                    // width in mm x 10000
    int64_t PaperH = 2970000;                    // height in mm x 10000
    Integer OffsetX = 0;                         // unprintable margins, printer dots
    Integer OffsetY = 0;

    bool operator==(const RPaperData &) const = default;
};

// The worksheet's data, apart from its history.
struct RDocumentData {
    QVector<RAData> AData;
    QVector<QImage> BMData; // an entry may be a null image (empty picture)
    RBunruiData BunruiData;
    RFileData FileData;
    RAData NewData;

    // Header fields of the worksheet file.
    QString Software = QStringLiteral("Tavenor Print");
    QString Version = QStringLiteral("0.6");
    QString Naiyou; // content, free text
    Integer NenIndex = 0;
    Integer KyoukaIndex = 0;

    RPaperData Paper;
    TColor AnswerColor = 255; // colour of answers while answer display is on
};

class Document : public RDocumentData
{
public:
    Document();
    ~Document();
    Document(const Document &) = delete;
    Document &operator=(const Document &) = delete;
    // Moving takes the data only: each document keeps its own undo stack,
    // and the target of an assignment starts without history.
    Document(Document &&other);
    Document &operator=(Document &&other);

    Integer GetId() const;
    Integer GetRowNo();
    // The last row carrying `id`, or -1.
    int FindRow(Integer id) const;
    Integer AppendRow();
    void DeleteRows(const QVector<int> &rows);
    void RemoveDeletedRows();
    void SetBunruiData();
    void SyokiFileData();
    void Clear();

    // The undo stack of this worksheet and the signal of its changes.
    QUndoStack &undoStack() const { return *mUndoStack; }
    DocumentEvents &events() const { return *mEvents; }
    // Does `command` and puts it on the undo stack. A command that changes
    // nothing is dropped and leaves the stack as it was; then false.
    bool push(std::unique_ptr<DocumentCommand> command);
    // A new run number for merged commands (a drag, a run of arrow keys).
    int newMergeRun() { return ++mMergeRun; }
    // A mouse drag of objects: a merge run whose first applications are
    // announced as live steps until endLiveRun(), which announces the end,
    // so a view can repaint its pages once when the mouse lets go.
    int beginLiveRun();
    void endLiveRun();
    bool inLiveRun() const { return mLiveRun != 0; }
    // The worksheet differs from its saved state: the undo stack is not at
    // its clean index. FileData.HensyuB always says the same.
    bool isModified() const;
    // After a save: the stack's current state is the saved one, and the
    // flag goes down. Undo or redo away from it raises the flag again.
    void markSaved();
    // A new or opened worksheet: no history, nothing unsaved.
    void resetHistory();

private:
    // Connects the flag to this document's stack and sets it from it.

    std::unique_ptr<QUndoStack> mUndoStack;
    std::unique_ptr<DocumentEvents> mEvents;
    int mMergeRun = 0;
    int mLiveRun = 0;
};
