#include "editing/UnitMoji.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QResizeEvent>
#include <QKeyEvent>
#include <QVBoxLayout>

TFormMoji::TFormMoji(Metrics &metrics, QWidget *parent)
    : QWidget(parent, Qt::Window), mMetrics(metrics)
{
    setWindowTitle(MojiCaption);
    MemoMoji = new QPlainTextEdit(this);
    MemoMoji->setLineWrapMode(QPlainTextEdit::NoWrap);
    PanelBottom = new QWidget(this);
    Button1 = new QPushButton(QStringLiteral("OK"), PanelBottom);
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setFixedHeight(24);
    StatusBar1->setSizeGripEnabled(false);

    auto *bottom = new QHBoxLayout(PanelBottom);
    bottom->setContentsMargins(4, 4, 4, 4);
    bottom->addStretch(1);
    bottom->addWidget(Button1);
    bottom->addStretch(1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(MemoMoji, 1);
    layout->addWidget(PanelBottom);
    layout->addWidget(StatusBar1);

    connect(Button1, &QPushButton::clicked, this, &TFormMoji::Button1Click);
    connect(MemoMoji, &QPlainTextEdit::textChanged, this, &TFormMoji::MemoMojiChange);
    resize(400, 260);
}

void TFormMoji::StartForm()
{
    MoveForm();
    MemoMoji->clear();
}

void TFormMoji::MoveForm()
{
    // The layout keeps the memo above the button panel and the status bar;
    // only the button's width is ours to choose.
    Button1->setFixedWidth(std::max(75, width() / 4));
}

void TFormMoji::resizeEvent(QResizeEvent *e)
{
    QWidget::resizeEvent(e);
    MoveForm();
}

void TFormMoji::keyPressEvent(QKeyEvent *e)
{
    // The memo leaves Escape to its window.
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(e);
}

void TFormMoji::closeEvent(QCloseEvent *e)
{
    QWidget::closeEvent(e);
    emit cancelled();
}

QString TFormMoji::Text() const
{
    QString t = MemoMoji->toPlainText();
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    t.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return t;
}

void TFormMoji::SetText(const QString &crlfText)
{
    QString t = crlfText;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    MemoMoji->setPlainText(t);
}

QSize MeasureTextLines(Metrics &metrics, const QString &crlfText, const QString &fontName,
                       int fontSize, bool bold)
{
    metrics.SetFont(fontName, fontSize, bold);
    const QStringList lines = crlfText.split(QStringLiteral("\r\n"));
    int w = 0, h = 0;
    for (const QString &line : lines) {
        w = std::max(w, metrics.GetMojiW(line));
        h = std::max(h, metrics.GetMojiH(line));
    }
    return QSize(w, h * int(lines.size()));
}
