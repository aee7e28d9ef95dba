#include "library/UnitCloud.h"

#include "library/UnitCloudDownload.h"
#include "library/UnitCloudUpload.h"
#include "platform/UnitProduct.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TFormWait::TFormWait(QWidget *parent) : QWidget(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    Label1 = new QLabel(QStringLiteral("ファイルをダウンロード中です。"), this);
    Label2 = new QLabel(QStringLiteral("しばらくお待ちください。"), this);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(24, 16, 24, 16);
    column->addWidget(Label1);
    column->addWidget(Label2);
    setStyleSheet(QStringLiteral("background: #fffff0;"));
}

TFormCloud::TFormCloud(TFormCloudDownload &download, TFormCloudUpload &upload, CloudHost &host,
                       QWidget *parent)
    : QDialog(parent), mDownload(download), mUpload(upload), mHost(host)
{
    setWindowTitle(QStringLiteral("プリント クラウド"));
    ButtonDownload = new QPushButton(QStringLiteral("Download"), this);
    ButtonDownload->setAccessibleName(QStringLiteral("Download"));
    ButtonUpload = new QPushButton(QStringLiteral("Upload"), this);
    ButtonUpload->setAccessibleName(QStringLiteral("Upload"));
    auto *row = new QHBoxLayout(this);
    row->addWidget(ButtonDownload);
    row->addWidget(ButtonUpload);
    connect(ButtonDownload, &QPushButton::clicked, this, [this] {
        mDownload.StartForm();
        mDownload.show();
        mDownload.raise();
    });
    connect(ButtonUpload, &QPushButton::clicked, this, [this] {
        mUpload.StartForm();
        mUpload.show();
        mUpload.raise();
    });
}

void TFormCloud::StartForm()
{
    const QString name = mHost.CloudOpenFileName();
    ButtonUpload->setEnabled(!name.isEmpty() && QFileInfo(name).isFile());
}
