#include "editing/UnitPro.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>

TFormPro::TFormPro(QWidget *parent) : QWidget(parent, Qt::Tool)
{
    setWindowTitle(QStringLiteral("FormPro"));
    auto *grid = new QGridLayout(this);
    const QString names[6] = {QStringLiteral("X1"),    QStringLiteral("Y1"),
                              QStringLiteral("X2"),    QStringLiteral("Y2"),
                              QStringLiteral("Width"), QStringLiteral("Height")};
    QLineEdit **memos[6] = {&MemoX1, &MemoY1, &MemoX2, &MemoY2, &MemoW, &MemoH};
    for (int i = 0; i < 6; ++i) {
        auto *label = new QLabel(names[i], this);
        *memos[i] = new QLineEdit(this);
        (*memos[i])->setAccessibleName(names[i]);
        (*memos[i])->setToolTip(names[i]);
        (*memos[i])->installEventFilter(this);
        label->setBuddy(*memos[i]);
        grid->addWidget(label, i, 0);
        grid->addWidget(*memos[i], i, 1);
    }
    ButtonSetting = new QPushButton(QStringLiteral("設定"), this);
    ButtonSetting->setAccessibleName(QStringLiteral("設定"));
    grid->addWidget(ButtonSetting, 6, 0, 1, 2);
    connect(ButtonSetting, &QPushButton::clicked, this, &TFormPro::Setting);
}

void TFormPro::fill(int X1, int Y1, int X2, int Y2, int Width, int Height)
{
    MemoX1->setText(QString::number(X1));
    MemoY1->setText(QString::number(Y1));
    MemoX2->setText(QString::number(X2));
    MemoY2->setText(QString::number(Y2));
    MemoW->setText(QString::number(Width));
    MemoH->setText(QString::number(Height));
}

bool TFormPro::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && qobject_cast<QLineEdit *>(watched)) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            emit Setting();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

TFormMove::TFormMove(QWidget *parent) : QWidget(parent, Qt::Tool)
{
    setWindowTitle(QStringLiteral("FormMove"));
    auto *row = new QHBoxLayout(this);
    Button1 = new QPushButton(QStringLiteral("↑"), this);
    Button1->setToolTip(QStringLiteral("上へ"));
    Button1->setAccessibleName(QStringLiteral("上へ"));
    Button2 = new QPushButton(QStringLiteral("↓"), this);
    Button2->setToolTip(QStringLiteral("下へ"));
    Button2->setAccessibleName(QStringLiteral("下へ"));
    row->addWidget(Button1);
    row->addWidget(Button2);
    connect(Button1, &QPushButton::clicked, this, [this] { emit nudge(-1); });
    connect(Button2, &QPushButton::clicked, this, [this] { emit nudge(1); });
}
