#include "app/UnitAbout.h"

#include "platform/UnitProduct.h"
#include "render/UnitCharacter.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

QIcon ProgramIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/desktop/icons/hicolor/%1x%1/apps/%2.png")
                         .arg(size)
                         .arg(Product::AppId),
                     QSize(size, size));
    return icon;
}

TFormAbout::TFormAbout(QWidget *parent) : QDialog(parent)
{
    SyokiForm();
}

void TFormAbout::SyokiForm()
{
    if (LabelName)
        return;
    setWindowTitle(QStringLiteral("バージョン情報"));
    setWindowIcon(ProgramIcon());

    auto *iconLabel = new QLabel(this);
    iconLabel->setPixmap(ProgramIcon().pixmap(64, 64));
    iconLabel->setAccessibleName(Product::DisplayName);

    LabelName = new QLabel(Product::DisplayName, this);
    QFont big = LabelName->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    LabelName->setFont(big);

    LabelVersion = new QLabel(
        QStringLiteral("バージョン %1（ビルド %2）").arg(Product::Version, Product::Build), this);
    LabelVersion->setTextInteractionFlags(Qt::TextSelectableByMouse);

    // A flat button that looks like a link: it can be pressed with the
    // mouse, the keyboard and the accessibility action alike.
    ButtonWebSite = new QPushButton(Product::WebSite, this);
    ButtonWebSite->setFlat(true);
    ButtonWebSite->setCursor(Qt::PointingHandCursor);
    ButtonWebSite->setStyleSheet(
        QStringLiteral("QPushButton { color: #0645ad; text-decoration: underline; border: none;"
                       " text-align: left; padding: 0; }"));
    ButtonWebSite->setToolTip(QStringLiteral("タヴェナー WEBサイトを開く"));
    ButtonWebSite->setAccessibleName(QStringLiteral("タヴェナー WEBサイトを開く"));
    ButtonWebSite->setAutoDefault(false);
    connect(ButtonWebSite, &QPushButton::clicked, this,
            [this] { emit openUrlRequested(QUrl(Product::WebSite)); });

    LabelCredit = new QLabel(CharacterCreditText(), this);

    ButtonClose = new QPushButton(QStringLiteral("閉じる"), this);
    ButtonClose->setToolTip(QStringLiteral("バージョン情報を閉じる"));
    ButtonClose->setDefault(true);
    connect(ButtonClose, &QPushButton::clicked, this, &QDialog::accept);

    auto *texts = new QVBoxLayout;
    texts->addWidget(LabelName);
    texts->addWidget(LabelVersion);
    texts->addSpacing(8);
    texts->addWidget(ButtonWebSite, 0, Qt::AlignLeft);
    texts->addSpacing(8);
    texts->addWidget(LabelCredit);

    auto *top = new QHBoxLayout;
    top->addWidget(iconLabel, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(texts, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ButtonClose);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(12);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TFormAbout::StartForm()
{
    ButtonClose->setFocus(Qt::OtherFocusReason);
}
