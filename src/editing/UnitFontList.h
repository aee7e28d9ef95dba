// The font-name pop-up of the text panel (PanelFontName): a list of the
// installed screen fonts, 12 rows of 16 pixels, each name drawn in its own
// face, with its scroll bar. The list button opens and closes it below the
// font-name box; moving the mouse highlights a row, releasing picks the
// name, puts it into the box and reports it (the panel controller applies it
// to the selection). It closes like the editor's other pop-ups, and while it
// is open the mouse wheel scrolls it by one row. It never edits the
// document itself.
#pragma once

#include <QLineEdit>
#include <QScrollBar>
#include <QStringList>
#include <QToolButton>
#include <QWidget>

class TPopupCloser;

// The platform's font families in their order, without the vertical-writing
// ones whose names begin with an at sign.
QStringList ScreenFontNames();
// The same rule over any list of names.
QStringList WithoutVerticalFonts(const QStringList &names);

class TFontNameList : public QWidget
{
    Q_OBJECT
public:
    static constexpr int RowHeight = 16;
    static constexpr int Rows = 12;
    static constexpr int ListWidth = 240;

    // `memo` is MemoFontName, `button` SpeedButtonFontName; the pop-up is a
    // child of the memo's window.
    TFontNameList(QLineEdit *memo, QToolButton *button, const QStringList &names);

    const QStringList &names() const { return mNames; }
    int FontNameMM() const { return mHighlight; } // highlighted row
    int scrollPosition() const;
    QScrollBar *SBFontName() const { return mScroll; }
    QWidget *ImageFontName() const { return mImage; }

    // The list button: opens (highlighting the memo's name) or closes.
    void SpeedButtonFontNameClick();
    // Mouse over the list, in pixels of the list image.
    void ImageFontNameMouseMove(int y);
    void ImageFontNameMouseUp(int y);
    // Scrolls by whole rows (the wheel while the list is open).
    void scrollRows(int rows);

signals:
    // A name was picked from the list (already in the memo).
    void fontChosen(const QString &name);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void SrcFontName(QWidget *target);
    int rowAt(int y) const;

    QLineEdit *mMemo;
    QToolButton *mButton;
    QStringList mNames;
    QWidget *mImage;
    QScrollBar *mScroll;
    TPopupCloser *mCloser;
    int mHighlight = -1;
};
