#include "library/UnitProxy.h"

#include "document/UnitFile.h"
#include "platform/UnitMessages.h"
#include "platform/UnitNumText.h"
#include "platform/UnitProduct.h"
#include "platform/UnitRegularFile.h"

#include <QCheckBox>
#include <QFile>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QUrl>

namespace
{

int portNumber(const QString &text)
{
    try {
        const int64_t v = TextToInt64(text.trimmed());
        return (v > 0 && v < 65536) ? int(v) : 0;
    } catch (const NumTextError &) {
        return 0;
    }
}

} // namespace

ProxySetting CheckReg(const RegistryProxy &reg)
{
    QString server = reg.ProxyServer;
    if (server.contains(QLatin1Char(';'))) {
        QString chosen;
        for (const QString &entry : server.split(QLatin1Char(';'))) {
            if (entry.startsWith(QLatin1String("http=")))
                chosen = entry.mid(5);
        }
        server = chosen;
    }
    QString address;
    int port = 0;
    const QStringList pieces = SplitText(server, QLatin1Char(':'));
    if (pieces.size() >= 2) {
        address = pieces[0];
        port = portNumber(pieces[1]);
    }
    ProxySetting s;
    if (reg.ProxyEnable == 1) {
        s.use = true;
        s.address = address;
        s.port = port;
    }
    return s;
}

RegistryProxy SystemProxyValues()
{
    RegistryProxy reg;
    for (const char *name : {"https_proxy", "HTTPS_PROXY", "http_proxy", "HTTP_PROXY"}) {
        const QString value = qEnvironmentVariable(name).trimmed();
        if (value.isEmpty())
            continue;
        // "http://host:port/" and "host:port" both name a host and a port.
        const QUrl url = QUrl::fromUserInput(value);
        if (url.host().isEmpty())
            continue;
        const int port = url.port(value.startsWith(QLatin1String("https://")) ? 443 : 80);
        // One proxy for every protocol is written "host:port" in that value.
        reg.ProxyServer = QStringLiteral("%1:%2").arg(url.host()).arg(port);
        reg.ProxyEnable = 1;
        break;
    }
    return reg;
}

QString ProxyFilePath(const QString &workFolder)
{
    return workFolder + QStringLiteral("/ProxyData.txt");
}

bool LoadProxy(const QString &path, ProxySetting &setting)
{
    // Five short lines; a pipe, a device or anything larger is no setting.
    QByteArray bytes;
    if (ReadRegularFile(path, 65536, bytes) != FileReadFault::None)
        return false;
    const QStringList lines = DecodeTextBlock(bytes);
    setting.use = lines.value(2) == QLatin1String("1");
    setting.address = lines.value(3);
    setting.port = portNumber(lines.value(4));
    return true;
}

bool SaveProxy(const QString &path, const ProxySetting &setting, QString *error)
{
    const QStringList lines{QStringLiteral("Tavenor,Print"), QStringLiteral("1,0"),
                            setting.use ? QStringLiteral("1") : QStringLiteral("0"),
                            setting.address,
                            setting.port ? QString::number(setting.port) : QString()};
    QSaveFile file(path);
    const QByteArray bytes = EncodeTextBlock(lines);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

TFormProxy::TFormProxy(QWidget *parent) : QWidget(parent, Qt::Dialog)
{
    setWindowTitle(QStringLiteral("プロキシサーバの設定"));
    setWindowModality(Qt::ApplicationModal);
    CheckBox1 = new QCheckBox(QStringLiteral("プロキシサーバを利用する"), this);
    EditAddress = new QLineEdit(this);
    EditAddress->setAccessibleName(QStringLiteral("アドレス"));
    EditPort = new QLineEdit(this);
    EditPort->setAccessibleName(QStringLiteral("ポート"));
    ButtonOK = new QPushButton(QStringLiteral("OK"), this);
    auto *grid = new QGridLayout(this);
    grid->addWidget(CheckBox1, 0, 0, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("アドレス"), this), 1, 0);
    grid->addWidget(EditAddress, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("ポート"), this), 2, 0);
    grid->addWidget(EditPort, 2, 1);
    grid->addWidget(ButtonOK, 3, 1, Qt::AlignRight);
    connect(ButtonOK, &QPushButton::clicked, this, &TFormProxy::ButtonOKClick);
    MoveForm();
}

void TFormProxy::SyokiForm(const QString &workFolder, TInternet &internet)
{
    mInternet = &internet;
    mPath = ProxyFilePath(workFolder);
    mSetting = CheckReg(SystemProxyValues());
    LoadProxy(mPath, mSetting);
    internet.setProxy(mSetting);
}

void TFormProxy::StartForm()
{
    CheckBox1->setChecked(mSetting.use);
    EditAddress->setText(mSetting.address);
    EditPort->setText(mSetting.port ? QString::number(mSetting.port) : QString());
}

void TFormProxy::MoveForm()
{
    resize(320, 140);
}

void TFormProxy::ButtonOKClick()
{
    ProxySetting s;
    s.use = CheckBox1->isChecked();
    if (s.use) {
        s.address = EditAddress->text().trimmed();
        s.port = portNumber(EditPort->text());
    }
    mSetting = s;
    if (mInternet)
        mInternet->setProxy(s);
    QString error;
    if (!mPath.isEmpty() && !SaveProxy(mPath, s, &error))
        ShowError(error);
    close();
}
