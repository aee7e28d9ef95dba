// The preview grid of the expression tool's column page: one 22 x 22 cell
// per character of the column layout, 16-point and centred, with the decimal
// point markers drawn on the cell borders. It only shows what the tool hands
// it; it computes nothing and is never part of the document.
#pragma once

#include <QList>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <QWidget>

class SikiCellGrid : public QWidget {
public:
    static constexpr int CellSize = 22;

    explicit SikiCellGrid(QWidget *parent = nullptr);

    // Rows of cells: one character per cell, a space or U+0000 for an empty
    // cell. A marker (row, n) puts a "." n cells from the right of that row.
    void SetCells(const QStringList &rows, const QList<QPoint> &markers);
    void Clear() { SetCells({}, {}); }

    const QStringList &Rows() const { return mRows; }
    const QList<QPoint> &Markers() const { return mMarkers; }
    // The character of a cell as text, empty for an empty cell.
    QString Cell(int row, int column) const;
    int ColumnCount() const { return mColumns; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QStringList mRows;
    QList<QPoint> mMarkers;
    int mColumns = 0;
};
