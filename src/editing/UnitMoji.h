// The text-entry window TFormMoji ("文字入力 - Tavenor プリント"): a memo above a
// bottom panel with the "OK" button and a status bar of height 24. The
// editing controller opens it for a new text at a press point or for the
// selected text, follows every change of the memo for the live preview, and
// writes the row when "OK" is pressed. Escape and the window's close button
// leave it without writing (cancelled). The window itself never touches the
// document; it only measures its lines with the metrics it is given.
#pragma once

#include "render/UnitMetrics.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QWidget>

inline const QString MojiCaption = QStringLiteral("文字入力 - Tavenor プリント");

class TFormMoji : public QWidget
{
    Q_OBJECT
public:
    TFormMoji(Metrics &metrics, QWidget *parent = nullptr);

    QPlainTextEdit *MemoMoji;
    QWidget *PanelBottom;
    QPushButton *Button1; // "OK"
    QStatusBar *StatusBar1;

    // Lays the window out and empties the memo.
    void StartForm();
    void MoveForm();
    // The memo's text with its lines separated by CR LF, and the reverse.
    QString Text() const;
    void SetText(const QString &crlfText);
    // Width and height of one line in the metrics' current font.
    int GetMojiW(const QString &t) const { return mMetrics.GetMojiW(t); }
    int GetMojiH(const QString &t) const { return mMetrics.GetMojiH(t); }

    // The "OK" button and the memo's change handler.
    void Button1Click() { emit confirmed(); }
    void MemoMojiChange() { emit textChanged(Text()); }

signals:
    void confirmed();
    void textChanged(const QString &crlfText);
    // Closed by Escape or the close button: nothing is written.
    void cancelled();

protected:
    void resizeEvent(QResizeEvent *e) override;
    void closeEvent(QCloseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;

private:
    Metrics &mMetrics;
};

// The size of a text: the widest line by the tallest line times the number
// of lines, in the given font (lines separated by CR LF).
QSize MeasureTextLines(Metrics &metrics, const QString &crlfText, const QString &fontName,
                       int fontSize, bool bold);
