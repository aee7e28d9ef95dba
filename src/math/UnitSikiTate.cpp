// The column page of the expression tool: the live column layout (editable
// rows and the preview grid), the division steps and the column writer.
#include "math/UnitHissanOptions.h"
#include "math/UnitKeisan.h"
#include "math/UnitSiki.h"
#include "math/UnitSikiTate.h"

#include "platform/UnitMessages.h"
#include "platform/UnitNumText.h"

#include <QFont>
#include <QPainter>

namespace {
QStringList gridRows(const HissanGrid &grid, int firstColumn = 0)
{
    QStringList rows;
    for (int r = 0; r < grid.rowCount(); ++r)
        rows.append(grid.text(r, firstColumn, grid.columnCount() - 1, u' '));
    return rows;
}

bool hasNonZeroDigit(const QString &digits)
{
    for (QChar ch : digits)
        if (ch.isDigit() && ch != u'0')
            return true;
    return false;
}
} // namespace

// ---------------------------------------------------------------------------
// SikiCellGrid

SikiCellGrid::SikiCellGrid(QWidget *parent) : QWidget(parent)
{
    resize(0, 0);
}

void SikiCellGrid::SetCells(const QStringList &rows, const QList<QPoint> &markers)
{
    mRows = rows;
    mMarkers = markers;
    mColumns = 0;
    for (const QString &r : mRows)
        mColumns = qMax(mColumns, int(r.size()));
    resize(mColumns * CellSize + 1, int(mRows.size()) * CellSize + 1);
    update();
}

QString SikiCellGrid::Cell(int row, int column) const
{
    if (row < 0 || row >= mRows.size() || column < 0 || column >= mRows.at(row).size())
        return QString();
    const QChar ch = mRows.at(row).at(column);
    return (ch.isNull() || ch == u' ') ? QString() : QString(ch);
}

void SikiCellGrid::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    QFont font = painter.font();
    font.setPointSize(16);
    painter.setFont(font);
    painter.setPen(QColor(220, 220, 220));
    for (int r = 0; r <= mRows.size(); ++r)
        painter.drawLine(0, r * CellSize, mColumns * CellSize, r * CellSize);
    for (int c = 0; c <= mColumns; ++c)
        painter.drawLine(c * CellSize, 0, c * CellSize, int(mRows.size()) * CellSize);
    painter.setPen(Qt::black);
    for (int r = 0; r < mRows.size(); ++r) {
        const QString &row = mRows.at(r);
        // Rows are right-aligned in the grid.
        const int offset = mColumns - int(row.size());
        for (int c = 0; c < row.size(); ++c) {
            const QString text = Cell(r, c);
            if (!text.isEmpty())
                painter.drawText(QRect((offset + c) * CellSize, r * CellSize, CellSize, CellSize),
                                 Qt::AlignCenter, text);
        }
    }
    for (const QPoint &m : mMarkers) {
        if (m.x() < 0 || m.x() >= mRows.size())
            continue;
        const int x = (mColumns - m.y()) * CellSize;
        const int y = (m.x() + 1) * CellSize;
        painter.drawText(QRect(x - CellSize / 2, y - CellSize, CellSize, CellSize),
                         Qt::AlignHCenter | Qt::AlignBottom, QStringLiteral("."));
    }
}

// ---------------------------------------------------------------------------
// The column preview

QStringList TFormSiki::TateRows() const
{
    QStringList rows;
    for (const QLineEdit *edit : mTateRows)
        rows.append(edit->text());
    return rows;
}

void TFormSiki::SetTateRow(int index, const QString &text)
{
    if (index >= 0 && index < mTateRows.size())
        mTateRows.at(index)->setText(text);
}

void TFormSiki::clearTate()
{
    for (QLineEdit *edit : mTateRows) {
        mTateRowLayout->removeWidget(edit);
        delete edit;
    }
    mTateRows.clear();
    TateGrid->Clear();
    ButtonIchi->setVisible(false);
    ButtonSusumu->setVisible(false);
    ButtonModosu->setVisible(false);
    mTateSyu = TateNone;
}

void TFormSiki::showTateReason(int code)
{
    if (mTateSyu != TateNone || MemoT1->text().isEmpty()) {
        LabelTate->clear();
        return;
    }
    HissanStatus status = HissanStatus::NotColumn;
    if (code == 0 || code == 1)
        status = mHissan.result().status;
    else if (code == 2)
        status = mKakezan.result().status;
    else if (code == 3)
        status = mWarizan.result().status;
    if (status == HissanStatus::Ok || status == HissanStatus::Empty)
        status = HissanStatus::NotColumn;
    LabelTate->setText(HissanStatusText(status));
}

void TFormSiki::showTateRows(const QStringList &rows)
{
    for (QLineEdit *edit : mTateRows) {
        mTateRowLayout->removeWidget(edit);
        delete edit;
    }
    mTateRows.clear();
    QFont font(QStringLiteral("ＭＳ ゴシック"));
    font.setPointSize(12);
    for (const QString &text : rows) {
        auto *edit = new QLineEdit(text, TateRowBox);
        edit->setAccessibleName(QStringLiteral("筆算の%1行目").arg(mTateRows.size() + 1));
        edit->setFont(font);
        edit->setAlignment(Qt::AlignRight);
        // Before the stretch that keeps the rows at the top.
        mTateRowLayout->insertWidget(int(mTateRows.size()), edit);
        edit->show();
        mTateRows.append(edit);
    }
}

void TFormSiki::showPreviewGrid(const HissanGrid &grid, int signRow, QChar sign,
                                const QList<QPoint> &markers)
{
    QStringList rows = gridRows(grid);
    if (signRow >= 0 && signRow < rows.size() && !rows[signRow].isEmpty())
        rows[signRow][0] = sign;
    TateGrid->SetCells(rows, markers);
}

void TFormSiki::MakeSikiKotaeTate()
{
    const QString input = MemoT1->text();
    mDisplayText = FullWidthOperators(input);
    // An unfinished expression keeps the previous answer, silently.
    try {
        mAnswerText = Keisan(input);
        MemoT2->setText(mAnswerText);
    } catch (const std::exception &) {
    }
    clearTate();

    const int code = input.isEmpty() ? -1 : HissanSyu(input);
    // However the preview ends, the tool says why it made no layout.
    struct ReasonOnExit {
        TFormSiki *tool;
        int code;
        ~ReasonOnExit() { tool->showTateReason(code); }
    } reason{this, code};
    switch (code) {
    case 0:
    case 1: {
        const bool ok = code == 0 ? mHissan.Tasizan(input) : mHissan.Hikizan(input);
        if (!ok)
            return;
        mTateSyu = code == 0 ? TateTasu : TateHiku;
        const RHissanResult &r = mHissan.result();
        QStringList rows;
        QList<QPoint> markers;
        for (int i = 0; i < r.operands.size(); ++i) {
            const RHissanOperand &op = r.operands.at(i);
            rows.append(i + 1 < r.operands.size() ? op.digits : r.kotaeDigits);
            if (op.point > 0)
                markers.append(QPoint(i, op.point));
        }
        showTateRows(rows);
        showPreviewGrid(r.grid, int(r.operands.size()) - 2, code == 0 ? u'＋' : u'－', markers);
        return;
    }
    case 2: {
        if (!mKakezan.Kakezan(input))
            return;
        mTateSyu = TateKake;
        const RKakezanResult &r = mKakezan.result();
        if (r.operands.size() < 3)
            return;
        QStringList rows{r.operands.at(0).digits, r.operands.at(1).digits};
        rows += r.partials;
        rows.append(r.kotaeDigits);
        QList<QPoint> markers;
        for (int i = 0; i < 2; ++i)
            if (r.operands.at(i).point > 0)
                markers.append(QPoint(i, r.operands.at(i).point));
        if (r.kotaeSyo > 0)
            markers.append(QPoint(r.grid.rowCount() - 1, r.kotaeSyo));
        showTateRows(rows);
        showPreviewGrid(r.grid, 1, u'×', markers);
        return;
    }
    case 3:
        if (!mWarizan.Warizan(input))
            return;
        mTateSyu = TateWari;
        showWarizan();
        return;
    default:
        return;
    }
}

void TFormSiki::showWarizan()
{
    const RWarizanResult &r = mWarizan.result();
    QStringList rows{r.problemDividend, r.divisorDigits, r.answerDividend, r.divisorDigits,
                     r.quotient};
    rows += mWarizan.workRows();
    showTateRows(rows);
    mAnswerText = mWarizan.kotae();
    MemoT2->setText(mAnswerText);

    // The preview: the divisor and the bracket in front of the dividend,
    // the quotient above it and the working rows below.
    const int lead = int(r.divisorDigits.size());
    QStringList cells = gridRows(r.grid, 1);
    for (int i = 0; i < cells.size(); ++i)
        cells[i].prepend(i == 1 ? r.divisorDigits + u')' : QString(lead + 1, u' '));
    QList<QPoint> markers;
    if (r.quotientSyo > 0)
        markers.append(QPoint(0, r.quotientSyo));
    if (r.answerDividendSyo > 0)
        markers.append(QPoint(1, r.answerDividendSyo));
    TateGrid->SetCells(cells, markers);

    ButtonIchi->setVisible(true);
    ButtonSusumu->setVisible(true);
    ButtonModosu->setVisible(true);
}

void TFormSiki::WarizanIchi()
{
    if (mTateSyu != TateWari || mWarizan.result().quotientSyo <= 0)
        return;
    if (mWarizan.WarizanBack())
        showWarizan();
}

void TFormSiki::WarizanSusumu()
{
    if (mTateSyu != TateWari || !hasNonZeroDigit(mWarizan.result().remainder))
        return;
    if (mWarizan.WarizanNext())
        showWarizan();
}

void TFormSiki::WarizanModosu()
{
    if (mTateSyu == TateWari)
        MakeSikiKotaeTate();
}

// A stored row's own column rows (the teacher may have edited them) replace
// the freshly computed ones when they describe the same layout.
bool TFormSiki::restoreTateRows(const RAData &row)
{
    if (mTateSyu == TateNone || row.Siki2 != mTateSyu - 1 || row.Siki != MemoT1->text())
        return false;
    QStringList stored;
    if (mTateSyu == TateTasu || mTateSyu == TateHiku) {
        stored = row.HissanSiki.split(mTateSyu == TateTasu ? u'+' : u'-');
        stored.append(row.HissanKotae);
    } else {
        stored = row.HissanSiki.split(mTateSyu == TateKake ? u'*' : u'/');
        stored += row.HissanKotae.split(u'_');
    }
    if (stored.size() != mTateRows.size())
        return false;
    for (int i = 0; i < stored.size(); ++i)
        mTateRows.at(i)->setText(stored.at(i));
    if (mTateSyu != TateWari && !row.Kotae.isEmpty())
        MemoT2->setText(row.Kotae);
    return true;
}

void TFormSiki::fillTateRowFields(RAData &row) const
{
    const QStringList rows = TateRows();
    RAData engine;
    row.Siki = MemoT1->text();
    row.Kotae = MemoT2->text();
    switch (mTateSyu) {
    case TateTasu:
    case TateHiku: {
        mHissan.fillRow(engine);
        const QChar sign = mTateSyu == TateTasu ? u'+' : u'-';
        row.HissanSiki = rows.mid(0, rows.size() - 1).join(sign);
        row.HissanKotae = rows.isEmpty() ? QString() : rows.last();
        row.Siki2 = mTateSyu == TateTasu ? 0 : 1;
        row.KotaeZero = engine.KotaeZero;
        break;
    }
    case TateKake:
        mKakezan.fillRow(engine);
        row.HissanSiki = rows.value(0) + u'*' + rows.value(1);
        row.HissanKotae = rows.mid(2).join(u'_');
        row.Siki2 = 2;
        row.KotaeZero = engine.KotaeZero;
        break;
    case TateWari:
        mWarizan.fillRow(engine);
        row.HissanSiki = rows.value(0) + u'/' + rows.value(1);
        row.HissanKotae = rows.mid(2).join(u'_');
        row.Siki2 = 3;
        row.KaiSikiSyo = engine.KaiSikiSyo;
        row.AmariSyo = engine.AmariSyo;
        break;
    default:
        return;
    }
    row.SikiSyo = engine.SikiSyo;
    row.KotaeSyo = engine.KotaeSyo;
}

void TFormSiki::storeTateOptions(RAData &row) const
{
    HissanOptions options = HissanOptions::fromText(row.RandZ2);
    options.setMasu(CheckMasu->isChecked());
    options.setMemo(CheckMemo->isChecked());
    row.RandZ2 = options.text();
}

TFormSiki::InputState TFormSiki::CheckTate(QString &message) const
{
    const QString input = MemoT1->text();
    if (input.isEmpty())
        return InputEmpty;
    if (mTateSyu != TateNone)
        return InputOk;
    // No layout (not a column problem, a negative difference, a division by
    // zero): nothing can be written; the message says why.
    message = LabelTate->text();
    if (message.isEmpty())
        message = HissanStatusText(HissanStatus::NotColumn);
    return InputError;
}

bool TFormSiki::WriteTateFields(RAData &row)
{
    if (mTateSyu == TateNone)
        return false;
    row.Siki1 = PageTate;
    fillTateRowFields(row);
    SikiMeasurer &m = measurer();
    if (mTateSyu == TateTasu || mTateSyu == TateHiku) {
        const QStringList rows = TateRows();
        const int cell = m.textWidth(QStringLiteral("＋"), row.FontName, row.FontSize);
        int width = 0;
        int height = 0;
        for (int i = 0; i < rows.size(); ++i) {
            if (i + 1 < rows.size())
                width = qMax(width, int(rows.at(i).size()) * cell + cell);
            else
                width = qMax(width, m.textWidth(rows.at(i), row.FontName, row.FontSize));
            height += m.textHeight(rows.at(i), row.FontName, row.FontSize);
        }
        row.Width = width;
        row.Height = height + HissanMemoHeightOf(
                                  row.RandZ2,
                                  qMax(1, m.textHeight(QString(), row.FontName, row.FontSize)));
    } else {
        row.Width = m.rowWidth(row);
        row.Height = m.rowHeight(row);
    }
    return true;
}

