// The drawn file list of the navigator and of the cloud download window: a
// header row and rows of 30 pixels painted as one picture, column bounds
// given by the window, the current row highlighted, a text when there is no
// row, a vertical scroll bar moved by the wheel one row at a time, and an
// optional picture shown when the pointer rests on a row. Knows nothing
// about files: the window hands it texts and hears which row was pressed.
#pragma once

#include <QPixmap>
#include <QStringList>
#include <QVector>
#include <QWidget>
#include <functional>

class QLabel;
class QScrollBar;

class TDrawnList : public QWidget
{
    Q_OBJECT
public:
    static constexpr int RowHeight = 30;

    explicit TDrawnList(QWidget *parent = nullptr);

    // Column bounds from the list width: n+1 x positions for n columns.
    using ColumnBounds = std::function<QVector<int>(int width)>;
    void setColumns(const QStringList &header, ColumnBounds bounds);
    // The rows to show (one text per column); keeps the scroll position when
    // it still fits.
    void setRows(const QVector<QStringList> &rows);
    // The highlighted row (index into the rows), -1 for none.
    void setCurrent(int row);
    int current() const { return mCurrent; }
    int rowCount() const { return mRows.size(); }
    void setEmptyText(const QString &text) { mEmptyText = text; }
    // A small file picture before the first column's text.
    void setFileIcon(const QPixmap &icon) { mFileIcon = icon; }
    // The picture shown while the pointer rests on a row (null: none).
    using RowPreview = std::function<QPixmap(int row)>;
    void setRowPreview(RowPreview preview) { mPreview = std::move(preview); }
    void setHintText(const QString &text);

    QScrollBar *scrollBar() const { return mScroll; }
    // The painted list itself (receives the presses and the wheel).
    QWidget *listArea() const { return mArea; }
    // The list picture as last painted (tests read its pixels).
    QImage picture() const;
    // Row under a point of the picture: -1 for the header or below the
    // last row, else the index into the rows.
    int rowAt(int y) const;
    // Column bounds at the current width.
    QVector<int> columnBounds() const;
    int visibleRowCount() const;
    // The preview popup (tests check it).
    QLabel *previewPopup() const { return mPopup; }
    // Shows the preview of the row at y (as the pointer resting there does).
    void showPreviewAt(int y, const QPoint &globalPos);

signals:
    // A press on the list: the row index, or -1 for the header and empty space.
    void rowPressed(int row);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *) override;

private:
    void paintList(QPainter &p, const QSize &size) const;
    // The size of the painted list: the widget less the scroll bar.
    QSize areaSize() const;
    void updateScroll();

    QWidget *mArea;
    QScrollBar *mScroll;
    QLabel *mPopup;
    QStringList mHeader;
    ColumnBounds mBounds;
    QVector<QStringList> mRows;
    int mCurrent = -1;
    int mPopupRow = -1;
    QString mEmptyText;
    QString mHint;
    QPixmap mFileIcon;
    RowPreview mPreview;
};
