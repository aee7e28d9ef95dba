#include "library/UnitCloudUpload.h"

#include "library/UnitCloud.h"
#include "platform/UnitMessages.h"

#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSaveFile>

TFormCloudUpload::TFormCloudUpload(TInternet &internet, QWidget *parent)
    : QWidget(parent, Qt::Window), mInternet(internet)
{
    setWindowTitle(QStringLiteral("プリント クラウド"));
    ComboNen = new QComboBox(this);
    ComboNen->setAccessibleName(QStringLiteral("学年"));
    ComboKyouka = new QComboBox(this);
    ComboKyouka->setAccessibleName(QStringLiteral("教科"));
    EditTitle = new QLineEdit(this);
    EditTitle->setAccessibleName(QStringLiteral("タイトル"));
    ButtonUpload = new QPushButton(QStringLiteral("アップロード"), this);
    ButtonUpload->setAccessibleName(QStringLiteral("アップロード"));
    Answer = new QPlainTextEdit(this);
    Answer->setReadOnly(true);
    Answer->setAccessibleName(QStringLiteral("サーバの応答"));
    auto *form = new QFormLayout(this);
    form->addRow(QStringLiteral("学年"), ComboNen);
    form->addRow(QStringLiteral("教科"), ComboKyouka);
    form->addRow(QStringLiteral("タイトル"), EditTitle);
    form->addRow(QString(), ButtonUpload);
    form->addRow(Answer);
    connect(ButtonUpload, &QPushButton::clicked, this, &TFormCloudUpload::ButtonUploadClick);
    resize(420, 300);
}

void TFormCloudUpload::SyokiForm(const RBunruiData &bunrui, const QString &workFolder,
                                 CloudHost *host)
{
    mWorkFolder = workFolder;
    mHost = host;
    ComboNen->clear();
    ComboNen->addItems(bunrui.Nen);
    ComboNen->setCurrentIndex(0);
    ComboKyouka->clear();
    ComboKyouka->addItems(bunrui.Kyouka);
    ComboKyouka->setCurrentIndex(0);
    EditTitle->clear();
}

void TFormCloudUpload::StartForm()
{
    Answer->clear();
}

bool TFormCloudUpload::ButtonUploadClick()
{
    const QString source = mHost ? mHost->CloudOpenFileName() : QString();
    if (source.isEmpty() || !QFileInfo(source).isFile())
        return false;
    QString problem;
    const QUrl url = LoadCloudServer(mWorkFolder, &problem);
    if (!url.isEmpty())
        mInternet.setServer(url);
    else if (!mInternet.server().isValid() || mInternet.server().host().isEmpty()) {
        ShowMessage(problem, MsgIcon::Warning);
        return false;
    }
    const QString copy = mWorkFolder + QStringLiteral("/UpLoad/Upload.prx");
    QFile::remove(copy);
    if (!QFile::copy(source, copy)) {
        ShowError(QStringLiteral("ファイルをコピーできませんでした。"));
        return false;
    }
    QByteArray body;
    try {
        body = mInternet.Upload(copy, ComboNen->currentIndex(), ComboKyouka->currentIndex(),
                                EditTitle->text());
    } catch (const CloudError &e) {
        ShowError(QString::fromStdString(e.what()));
        return false;
    }
    QSaveFile act(mWorkFolder + QStringLiteral("/UpLoad/act.txt"));
    if (act.open(QIODevice::WriteOnly) && act.write(body) == body.size())
        act.commit();
    Answer->setPlainText(QString::fromUtf8(body));
    return true;
}
