// The proxy settings of the cloud exchange: what the system says
// (CheckReg, fed on this platform from the https_proxy / http_proxy
// environment variables written in the form of the Windows "ProxyServer"
// value), the program's own file "ProxyData.txt" in the working folder that
// overrides it (LoadProxy, SaveProxy), and the window "プロキシサーバの設定"
// (TFormProxy) that edits it. The settings go to the HTTP client the caller
// hands in; nothing here sends a request.
#pragma once

#include "library/UnitInternet.h"

#include <QWidget>

class QCheckBox;
class QLineEdit;
class QPushButton;

// The system's Internet settings: the "ProxyServer" text and "ProxyEnable".
struct RegistryProxy {
    QString ProxyServer;
    int ProxyEnable = 0;
};

// Reads a "ProxyServer" value ("host:port", or entries separated by ";" of
// which the last "http=host:port" counts) and "ProxyEnable" into a setting.
ProxySetting CheckReg(const RegistryProxy &reg);
// The system settings of this platform: https_proxy, else http_proxy (also
// in capitals), written as "host:port" with ProxyEnable 1; nothing set
// gives an empty value with ProxyEnable 0.
RegistryProxy SystemProxyValues();

// "ProxyData.txt": five lines in code page 932, CR LF.
QString ProxyFilePath(const QString &workFolder);
// Overrides `setting` from the file when it exists; true when it did.
bool LoadProxy(const QString &path, ProxySetting &setting);
// Writes the file; false with the system's reason when it cannot.
bool SaveProxy(const QString &path, const ProxySetting &setting, QString *error = nullptr);

class TFormProxy : public QWidget
{
    Q_OBJECT
public:
    explicit TFormProxy(QWidget *parent = nullptr);

    // Start-up: the settings path, the system's proxy, then the file.
    void SyokiForm(const QString &workFolder, TInternet &internet);
    // Fills the fields from the current setting before each showing.
    void StartForm();
    void MoveForm();

    QCheckBox *CheckBox1 = nullptr; // "プロキシサーバを利用する"
    QLineEdit *EditAddress = nullptr;
    QLineEdit *EditPort = nullptr;
    QPushButton *ButtonOK = nullptr;

    ProxySetting current() const { return mSetting; }

    // "OK": applies the fields to the client, writes the file and closes.
    void ButtonOKClick();

private:
    QString mPath;
    ProxySetting mSetting;
    TInternet *mInternet = nullptr;
};
