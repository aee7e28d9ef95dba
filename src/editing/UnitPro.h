// The coordinate dialog TFormPro ("プロパティ" in the menu "表示"): six
// memos with the X1, Y1, X2, Y2, Width and Height of the object a press
// left alone in the selection, and a button that writes them back (so does
// Enter in any memo). And the test menu's nudge window TFormMove, whose two
// buttons move every object one unit up or down. Both only show values and
// report the user's request; the panel commands change the document.
#pragma once

#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

class TFormPro : public QWidget
{
    Q_OBJECT
public:
    explicit TFormPro(QWidget *parent = nullptr);

    QLineEdit *MemoX1;
    QLineEdit *MemoY1;
    QLineEdit *MemoX2;
    QLineEdit *MemoY2;
    QLineEdit *MemoW;
    QLineEdit *MemoH;
    QPushButton *ButtonSetting;

    // Shows the six values of one object.
    void fill(int X1, int Y1, int X2, int Y2, int Width, int Height);

signals:
    // Enter in a memo or the button: the values go to the first selected row.
    void Setting();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

class TFormMove : public QWidget
{
    Q_OBJECT
public:
    explicit TFormMove(QWidget *parent = nullptr);

    QPushButton *Button1; // every object one unit up
    QPushButton *Button2; // every object one unit down

signals:
    void nudge(int dy);
};
