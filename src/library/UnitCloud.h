// The cloud exchange's windows apart from the lists: the hub TFormCloud
// ("プリント クラウド", buttons "Download" and "Upload"), the wait window
// TFormWait shown during a download, and CloudHost, what the cloud windows
// ask of the editor. The hub and the upload window are reached only from the
// hidden main menu "クラウド".
#pragma once

#include <QDialog>
#include <QWidget>

class QLabel;
class QPushButton;

class CloudHost
{
public:
    virtual ~CloudHost() = default;
    // Opens a worksheet by name (it replaces the open one without asking).
    virtual void CloudOpenFile(const QString &path) = 0;
    // The full path of the worksheet last opened or saved (empty: none).
    virtual QString CloudOpenFileName() const = 0;
    virtual void CloudToggleAnswer() = 0;
    virtual void CloudPrint() = 0;
};

// "ファイルをダウンロード中です。" / "しばらくお待ちください。"
class TFormWait : public QWidget
{
    Q_OBJECT
public:
    explicit TFormWait(QWidget *parent = nullptr);
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
};

class TFormCloudDownload;
class TFormCloudUpload;

class TFormCloud : public QDialog
{
    Q_OBJECT
public:
    TFormCloud(TFormCloudDownload &download, TFormCloudUpload &upload, CloudHost &host,
               QWidget *parent = nullptr);
    // Before each showing: "Upload" only when the open worksheet is a file.
    void StartForm();
    QPushButton *ButtonDownload = nullptr;
    QPushButton *ButtonUpload = nullptr;

private:
    TFormCloudDownload &mDownload;
    TFormCloudUpload &mUpload;
    CloudHost &mHost;
};
