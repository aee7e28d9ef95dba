#include "app/UnitFileCommands.h"

#include "document/UnitFile.h"
#include "document/UnitRowCommands.h"
#include "platform/UnitMessages.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace
{

// The part of a path after its last separator ("\" or "/").
QString afterLastSeparator(const QString &path)
{
    const qsizetype i =
        std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return path.mid(i + 1);
}

bool hasSeparator(const QString &path)
{
    return path.contains(QLatin1Char('/')) || path.contains(QLatin1Char('\\'));
}

QString folderOf(const QString &path)
{
    return QFileInfo(path).absolutePath();
}

QString withExtension(const QString &path, const QString &extension)
{
    // Compared case-sensitively: "a.PRX" becomes "a.PRX.prx".
    return path.endsWith(extension, Qt::CaseSensitive) ? path : path + extension;
}

QString dialogStart(const QString &initialFolder, const QString &fileName)
{
    if (fileName.isEmpty())
        return initialFolder;
    return QDir(initialFolder).filePath(fileName);
}

// A refused file gets the program's plain message; a file the system could
// not read gets the system's error text.
void showReadFailure(const FileResult &r)
{
    if (r.message.isEmpty())
        return;
    if (r.message == CorruptFileMessage() || r.message == VersionTooNewMessage())
        ShowMessage(r.message, MsgIcon::None);
    else
        ShowError(r.message);
}

} // namespace

QString WidgetFileDialogs::getOpenFileName(const QString &initialFolder, const QString &fileName,
                                           const QString &filter)
{
    return QFileDialog::getOpenFileName(mParent, QString(), dialogStart(initialFolder, fileName),
                                        filter);
}

QString WidgetFileDialogs::getSaveFileName(const QString &initialFolder, const QString &fileName,
                                           const QString &filter)
{
    return QFileDialog::getSaveFileName(mParent, QString(), dialogStart(initialFolder, fileName),
                                        filter, nullptr, QFileDialog::DontConfirmOverwrite);
}

QString OverwriteQuestion(const QString &path)
{
    return afterLastSeparator(path) + QStringLiteral("は、すでに存在します。") +
           QStringLiteral("\r\n") + QStringLiteral("上書きしますか？");
}

QString NewWorksheetFileName(const QString &naiyou)
{
    QString name = naiyou.trimmed();
    // Characters that no file name may hold on the systems the worksheets
    // travel between.
    for (QChar &c : name) {
        if (c.unicode() < 0x20 || QStringLiteral("\\/:*?\"<>|").contains(c))
            c = u'_';
    }
    if (name.isEmpty())
        return QStringLiteral("プリント.prx");
    return withExtension(name, QStringLiteral(".prx"));
}

FileCommands::FileCommands(Document &doc, FileDialogs &dialogs, const QString &userPrintFolder,
                           WorksheetHost *host)
    : UserPrintFolder(userPrintFolder), mDoc(doc), mDialogs(dialogs), mHost(host)
{
    OpenDialog.initialFolder = userPrintFolder;
    SaveDialog.initialFolder = userPrintFolder;
    NameFieldSaveDialog.initialFolder = userPrintFolder;
    NameFieldOpenDialog.initialFolder = userPrintFolder;
}

bool FileCommands::Open()
{
    if (mHost && !mHost->askSaveChanges())
        return false;
    if (!OpenDialog.fileName.isEmpty()) {
        if (hasSeparator(OpenDialog.fileName))
            OpenDialog.initialFolder = folderOf(OpenDialog.fileName);
        OpenDialog.fileName = afterLastSeparator(OpenDialog.fileName);
    }
    const QString path =
        mDialogs.getOpenFileName(OpenDialog.initialFolder, OpenDialog.fileName, WorksheetFilter);
    if (path.isEmpty())
        return false;
    OpenDialog.fileName = path;
    if (!FileLoad(path))
        return false;
    // Only a worksheet that was read offers its name to the next save: after
    // a refusal the open worksheet is another one.
    SaveDialog.initialFolder = folderOf(path);
    SaveDialog.fileName = afterLastSeparator(path);
    SaveOverFileName = QFileInfo(path).absoluteFilePath();
    return true;
}

bool FileCommands::FileLoad(const QString &path)
{
    if (!QFileInfo::exists(path))
        return false;
    Document loaded;
    const FileResult r = LoadFileAll(path, loaded);
    if (!r.ok) {
        showReadFailure(r);
        return false;
    }
    if (mHost) {
        mHost->startNewWorksheet();
    } else {
        mDoc.SyokiFileData();
        mDoc.Clear();
        mDoc.NewData = RAData{};
        mDoc.NewData.ID = -1;
    }
    TakeWorksheet(mDoc, std::move(loaded));
    // Read by name, the worksheet may come from a library: whoever opened it
    // says whether it is the teacher's own file.
    ForgetFile();
    OpenFileName = path;
    if (mHost)
        mHost->worksheetRead();
    // The paper as applied (a damaged size falls back to A4) belongs to the
    // worksheet as opened: its history starts here, with nothing unsaved.
    mDoc.resetHistory();
    if (!r.notice.isEmpty())
        ShowMessage(r.notice, MsgIcon::Warning);
    return true;
}

void FileCommands::ForgetFile()
{
    OpenFileName.clear();
    SaveOverFileName.clear();
    SaveDialog = DialogState{UserPrintFolder, QString()};
}

bool FileCommands::Save()
{
    if (hasSeparator(SaveDialog.fileName))
        SaveDialog.fileName = afterLastSeparator(SaveDialog.fileName);
    // A worksheet without a name of its own is offered one from its content,
    // read now, since the content text may have been typed since.
    QString folder = SaveDialog.initialFolder;
    QString offered = SaveDialog.fileName;
    if (offered.isEmpty()) {
        offered = NewWorksheetFileName(mDoc.Naiyou);
        if (folder.isEmpty())
            folder = UserPrintFolder;
    }
    const QString chosen = mDialogs.getSaveFileName(folder, offered, WorksheetFilter);
    if (chosen.isEmpty())
        return false;
    SaveDialog.fileName = chosen;
    // The question names the file that would really be replaced, so the
    // extension is added first.
    const QString name = withExtension(chosen, QStringLiteral(".prx"));
    if (QFileInfo::exists(name) && AskYesNo(OverwriteQuestion(name)) != MsgAnswer::Yes)
        return false;
    const FileResult r = SaveFileAll(name, mDoc, LayerWorksheet, mHost ? mHost->pageCount() : 1);
    if (!r.ok) {
        ShowError(r.message);
        return false;
    }
    mDoc.SyokiFileData();
    mDoc.markSaved();
    OpenFileName = name;
    OpenDialog.fileName = name;
    SaveOverFileName = QFileInfo(name).absoluteFilePath();
    return true;
}

bool FileCommands::SaveOver()
{
    if (SaveOverFileName.isEmpty())
        return Save();
    const FileResult r =
        SaveFileAll(SaveOverFileName, mDoc, LayerWorksheet, mHost ? mHost->pageCount() : 1);
    if (!r.ok) {
        ShowError(r.message);
        return false;
    }
    mDoc.SyokiFileData();
    mDoc.markSaved();
    OpenFileName = SaveOverFileName;
    return true;
}

bool FileCommands::SaveNameField()
{
    if (hasSeparator(NameFieldSaveDialog.fileName))
        NameFieldSaveDialog.fileName = afterLastSeparator(NameFieldSaveDialog.fileName);
    const QString chosen = mDialogs.getSaveFileName(NameFieldSaveDialog.initialFolder,
                                                    NameFieldSaveDialog.fileName, NameFieldFilter);
    if (chosen.isEmpty())
        return false;
    NameFieldSaveDialog.fileName = chosen;
    const QString name = withExtension(chosen, QStringLiteral(".prn"));
    if (QFileInfo::exists(name) && AskYesNo(OverwriteQuestion(name)) != MsgAnswer::Yes)
        return false;
    const FileResult r = SaveFileAll(name, mDoc, LayerNameField, mHost ? mHost->pageCount() : 1);
    if (!r.ok) {
        ShowError(r.message);
        return false;
    }
    return true;
}

bool FileCommands::LoadNameField()
{
    if (hasSeparator(NameFieldOpenDialog.fileName))
        NameFieldOpenDialog.fileName = afterLastSeparator(NameFieldOpenDialog.fileName);
    const QString path = mDialogs.getOpenFileName(NameFieldOpenDialog.initialFolder,
                                                  NameFieldOpenDialog.fileName, NameFieldFilter);
    if (path.isEmpty())
        return false;
    NameFieldOpenDialog.fileName = path;
    return NameFieldLoad(path);
}

bool FileCommands::NameFieldLoad(const QString &path)
{
    // A missing or broken file leaves the current name field in place.
    if (!QFileInfo::exists(path))
        return false;
    NameFieldFile file;
    const FileResult r = LoadFile(path, file);
    if (!r.ok) {
        showReadFailure(r);
        return false;
    }
    // One undoable step; only a file that was read whole changes the rows.
    mDoc.push(std::make_unique<LoadNameFieldCommand>(mDoc, std::move(file)));
    NameFieldSaveDialog.fileName = path;
    if (mHost)
        mHost->nameFieldRead();
    if (!r.notice.isEmpty())
        ShowMessage(r.notice, MsgIcon::Warning);
    return true;
}
