// The worksheet and name-field file commands of the main window: open
// ("開く"), save as ("保存", "名前をつけて保存"), open by name (start-up, the
// navigator, the cloud download) and the name-field save and load buttons.
// The main window owns one FileCommands over its Document and wires its menus
// and buttons to it; the file dialogs sit behind FileDialogs so that tests can
// script them, and the message boxes go through the message service.
//
// A read never replaces the open worksheet unless the file was read without
// fault; a save is atomic and leaves the previous file as it was on failure.
#pragma once

#include "document/UnitData.h"

#include <QString>
#include <QVector>
#include <functional>

class QWidget;

// Filters of the file dialogs.
inline const QString WorksheetFilter = QStringLiteral("Tavenorプリント (*.prx)");
inline const QString NameFieldFilter = QStringLiteral("Tavenorプリント　名前欄(*.prn)");

// The open and save dialogs. Each returns the chosen path, or an empty text
// when the dialog was cancelled. `fileName` is the name the dialog shows at
// first (a bare name or a full path).
class FileDialogs
{
public:
    virtual ~FileDialogs() = default;
    virtual QString getOpenFileName(const QString &initialFolder, const QString &fileName,
                                    const QString &filter) = 0;
    virtual QString getSaveFileName(const QString &initialFolder, const QString &fileName,
                                    const QString &filter) = 0;
};

// The platform's dialogs (QFileDialog). The overwrite question is the
// program's own, so the dialog does not ask one.
class WidgetFileDialogs : public FileDialogs
{
public:
    explicit WidgetFileDialogs(QWidget *parent = nullptr) : mParent(parent) {}
    QString getOpenFileName(const QString &initialFolder, const QString &fileName,
                            const QString &filter) override;
    QString getSaveFileName(const QString &initialFolder, const QString &fileName,
                            const QString &filter) override;

private:
    QWidget *mParent;
};

// What a file dialog holds between two showings.
struct DialogState {
    QString initialFolder;
    QString fileName;
};

// The question asked before an existing file is replaced.
QString OverwriteQuestion(const QString &path);

// The name the save dialog offers a worksheet that has none yet: its content
// text made fit for a file name, or "プリント.prx" without one.
QString NewWorksheetFileName(const QString &naiyou);

// The window the file commands work for: its question before a worksheet
// is replaced, and what it does around a read.
class WorksheetHost
{
public:
    virtual ~WorksheetHost() = default;
    // The unsaved-changes question; true when the command may go on.
    virtual bool askSaveChanges() = 0;
    // Empties the worksheet and its pages and creates page 0 (NewFile), just
    // before a worksheet that has been read replaces the open one.
    virtual void startNewWorksheet() = 0;
    // After a worksheet was read into the document: apply its paper
    // (SetPaperSize, SetPageSize), clear the selection and redraw.
    virtual void worksheetRead() = 0;
    // After a name field was imported (its command repaints the pages):
    // clear the selection.
    virtual void nameFieldRead() = 0;
    // Number of pages of the worksheet, stored in the file.
    virtual int pageCount() const = 0;
};

class FileCommands
{
public:
    // Without a host the commands never ask, a read just clears the
    // document's rows, pictures and flag before it, and files store 1 page.
    FileCommands(Document &doc, FileDialogs &dialogs, const QString &userPrintFolder,
                 WorksheetHost *host = nullptr);
    void setHost(WorksheetHost *host) { mHost = host; }

    // Open command: the unsaved-changes question, the open dialog, then
    // FileLoad. True when a worksheet was read.
    bool Open();
    // Opens a worksheet by path. A missing file does nothing; a refused or
    // unreadable file shows its message and keeps the open worksheet.
    bool FileLoad(const QString &path);
    // Save-as flow; true when the worksheet was saved. A worksheet without a
    // name of its own is offered NewWorksheetFileName in UserPrintFolder.
    bool Save();
    // "上書き保存", and "はい" to the unsaved-changes question: saves over
    // SaveOverFileName without a dialog; a worksheet without one goes
    // through the save-as flow.
    bool SaveOver();
    // The worksheet is a new one: it has no file, and the save dialog starts
    // again in UserPrintFolder without a name.
    void ForgetFile();
    // Name-field save: the rows of Layer 3 and their pictures to a ".prn".
    bool SaveNameField();
    // Name-field load: replaces the Layer 3 rows by those of a ".prn", as one
    // undoable command.
    bool LoadNameField();
    // The same for a file named without the dialog (the command line). A
    // missing file does nothing; a broken one shows its message and keeps
    // the name field. True when the name field was read.
    bool NameFieldLoad(const QString &path);

    // Full path of the worksheet last opened or saved.
    QString OpenFileName;
    // The worksheet's own file, which a save may replace without asking: the
    // one opened with the open dialog or the command line, or last saved.
    // Empty for a new worksheet and for one taken from a library (a sample,
    // an installed file, a download), so that these are never overwritten
    // unasked.
    QString SaveOverFileName;
    // The user's worksheet folder, where a new worksheet is saved.
    QString UserPrintFolder;
    DialogState OpenDialog;
    DialogState SaveDialog;
    DialogState NameFieldSaveDialog;
    DialogState NameFieldOpenDialog;

private:
    Document &mDoc;
    FileDialogs &mDialogs;
    WorksheetHost *mHost = nullptr;
};
