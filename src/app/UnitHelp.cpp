#include "app/UnitHelp.h"

#include "app/UnitAbout.h"
#include "platform/UnitProduct.h"

#include <QFile>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBrowser>
#include <QVBoxLayout>

QString GuideHtml()
{
    QFile file(QStringLiteral(":/help/guide.html"));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

TFormHelp::TFormHelp(QWidget *parent) : QDialog(parent)
{
    SyokiForm();
}

void TFormHelp::SyokiForm()
{
    if (Guide)
        return;
    setWindowTitle(QStringLiteral("使い方 - ") + Product::DisplayName);
    setWindowIcon(ProgramIcon());
    // A window of its own beside the editor, not in front of it.
    setModal(false);

    Guide = new QTextBrowser(this);
    Guide->setAccessibleName(QStringLiteral("使い方"));
    Guide->setOpenExternalLinks(true);
    Guide->setHtml(GuideHtml());

    ButtonClose = new QPushButton(QStringLiteral("閉じる"), this);
    ButtonClose->setToolTip(QStringLiteral("使い方を閉じる"));
    ButtonClose->setAutoDefault(false);
    connect(ButtonClose, &QPushButton::clicked, this, &QDialog::accept);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ButtonClose);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Guide, 1);
    layout->addLayout(buttons);
    resize(600, 680);
}

void TFormHelp::StartForm()
{
    Guide->verticalScrollBar()->setValue(0);
    Guide->setFocus(Qt::OtherFocusReason);
}
