// The working folders of the program: BaseFolder (application data +
// "/Tavenor"), WorkFolder (BaseFolder + "/Print") with its scratch, download,
// upload, library and recovery subfolders, and UserPrintFolder (documents +
// "/Tavenor Print"). Creation failures stay silent: later file operations
// report their own errors. Also the instance marker. Called at start-up and
// by the new-worksheet cycle.
#pragma once

#include <QString>
#include <memory>

class QLockFile;

struct WorkingFolders {
    QString BaseFolder;
    QString WorkFolder;
    QString UserPrintFolder;

    QString TmpFolder() const { return WorkFolder + QStringLiteral("/Tmp"); }
    QString DownLoadFolder() const { return WorkFolder + QStringLiteral("/DownLoad"); }
    QString UpLoadFolder() const { return WorkFolder + QStringLiteral("/UpLoad"); }
    QString PrintFileFolder() const { return WorkFolder + QStringLiteral("/PrintFile"); }
    // The editors' copies of unsaved worksheets (UnitRecoveryFiles).
    QString RecoveryFolder() const { return WorkFolder + QStringLiteral("/Recovery"); }
};

// Computes the folder paths from the user's folders and creates what is missing.
WorkingFolders CheckDir();

// Empties the scratch folder and creates it again. The recursive delete runs
// only on a non-empty absolute path that lies inside WorkFolder; anything
// else is left alone. Returns false when the folder was not touched.
bool ResetTmpFolder(const WorkingFolders &folders);
// The same test on any path: true when `path` lies strictly inside `root`.
bool IsInsideFolder(const QString &path, const QString &root);

// Marks that the program runs (a lock named "TavenorPrint" in the temporary
// folder). A second copy starts normally: failing to take the marker is not
// an error. Keep the returned object for the life of the process.
std::unique_ptr<QLockFile> CheckWKidou();
