#include "TPrintTable.h"

#include "TColors.h"

#include "TDates.h"
#include "TPrintCanvas.h"

#include <algorithm>

const QString ArchiveStampText = QStringLiteral("  Archive document - Keep it  ");

namespace {

using Colors::Silver;
const QChar UpArrow(0x2191);
const QChar DownArrow(0x2193);

QString Padded(const QString& title)
{
    return title.isEmpty() ? title : QStringLiteral("  ") + title + QStringLiteral("  ");
}

// The arrows of a cell mark, or nothing.
QString MarkArrows(int mark)
{
    switch (mark) {
    case cmUp:
        return QString(UpArrow);
    case cmUpUp:
        return QString(2, UpArrow);
    case cmDown:
        return QString(DownArrow);
    case cmDownDown:
        return QString(2, DownArrow);
    default:
        return {};
    }
}

// One printing of one table; the state lives as long as the call.
class TTablePrinter {
public:
    TTablePrinter(TPrintCanvas& canvas, const TPrintTableData& table, double today)
        : c(canvas)
        , t(table)
        , m_footerTitle(Padded(table.Title))
        , m_date(ShortDateText(today))
    {
    }
    int Print();

private:
    void Stamp();
    void Columns();
    void SubTitles();
    void Row(int r);
    void Cell(int left, int top, int right, int bottom, int width, const TPrintCell& cell);
    void Footer();
    const TPrintCell& At(int r, int col) const { return t.Cells[r * t.NbCols + col]; }

    TPrintCanvas& c;
    const TPrintTableData& t;
    QString m_footerTitle;
    QString m_date;
    QList<int> m_widths; // in pixels
    int Y = 0;
    int H = 0;
    int X0 = 0;
    int B = 0;
    int R = 0;
    int m_page = 1;
    int m_pages = 1;
    int m_mergeTop[2] = { 0, 0 };
    int m_charHeight = 0;
};

int TTablePrinter::Print()
{
    c.SetFontFamily(QStringLiteral("Arial"));
    c.SetBold(false);
    c.SetItalic(false);
    c.SetPen(Qt::black);
    Y = t.Title.isEmpty() ? 0 : PrintTitleBox(c, m_footerTitle);
    if (t.Stamp)
        Stamp();
    Columns();
    SubTitles();
    c.SetFontSize(8);
    R = int(t.Cells.size()) / t.NbCols - 1;
    B = c.PageHeight() - 3 * H;
    m_pages = TablePageCount(R, Y, H, B);
    m_mergeTop[0] = m_mergeTop[1] = Y;
    bool headDue = true;
    for (int r = 1; r <= R; ++r) {
        if (headDue) {
            Row(0);
            headDue = false;
        }
        Row(r);
        if (Y >= B && r < R) {
            Footer();
            c.NewPage();
            ++m_page;
            headDue = true;
            Y = m_mergeTop[0] = m_mergeTop[1] = H;
        }
    }
    Footer();
    return Y + H;
}

void TTablePrinter::Stamp()
{
    c.SetFontSize(12);
    const QSize extent = c.TextExtent(ArchiveStampText);
    const int left = c.PageWidth() - extent.width();
    const int right = c.PageWidth();
    const int bottom = Y + (3 * extent.height()) / 2;
    c.Rectangle(left - 1, Y - 1, right + 1, bottom + 1);
    c.TextRect(left, Y, right, bottom, ArchiveStampText);
}

void TTablePrinter::Columns()
{
    c.SetFontSize(8);
    const TTextMetrics metrics = c.TextMetrics();
    m_charHeight = metrics.Height;
    int sum = 0;
    for (int col = 0; col < t.NbCols; ++col) {
        m_widths.append((t.Widths.value(col) * 4 * metrics.AverageCharWidth) / 3);
        sum += m_widths.last();
    }
    H = 2 * metrics.Height;
    X0 = (c.PageWidth() - sum) / 2;
}

void TTablePrinter::SubTitles()
{
    if (t.SubTitles.isEmpty())
        return;
    c.SetBrush(Qt::white);
    c.SetFontSize(8);
    c.SetItalic(true);
    c.SetTextAlign(TTextAlign::Left);
    for (const QString& line : t.SubTitles) {
        c.TextOut(X0 / 2, Y, line);
        Y += (3 * m_charHeight) / 2;
    }
    Y += m_charHeight;
    c.SetItalic(false);
}

void TTablePrinter::Row(int r)
{
    const int w0 = m_widths[0];
    // Column 0 is held back while the next row carries the same text and the
    // run can go on on this page; column 1 only inside such a run.
    const bool hold0 = r != 0 && r != R && Y + H < B && At(r, 0).Text == At(r + 1, 0).Text;
    if (!hold0) {
        Cell(X0, m_mergeTop[0], X0 + w0 + 1, Y + H + 1, w0, At(r, 0));
        m_mergeTop[0] = Y + H;
    }
    int left = X0 + w0;
    if (t.NbCols > 1) {
        const int w1 = m_widths[1];
        const bool hold1 = hold0 && At(r, 1).Text == At(r + 1, 1).Text;
        if (!hold1) {
            Cell(left, m_mergeTop[1], left + w1 + 1, Y + H + 1, w1, At(r, 1));
            m_mergeTop[1] = Y + H;
        }
        left += w1;
    }
    for (int col = 2; col < t.NbCols; ++col) {
        Cell(left, Y, left + m_widths[col] + 1, Y + H + 1, m_widths[col], At(r, col));
        left += m_widths[col];
    }
    Y += H;
}

void TTablePrinter::Cell(int left, int top, int right, int bottom, int width, const TPrintCell& cell)
{
    c.SetBrush(cell.Mark == cmGrey ? Silver : QColor(Qt::white));
    c.Rectangle(left, top, right, bottom);
    c.TextRect(left, top, right, bottom, cell.Text);
    const QString arrows = MarkArrows(cell.Mark);
    if (!arrows.isEmpty())
        c.TextRect(left + (4 * width) / 5, top, right, bottom, arrows);
    if (cell.Mark == cmCrossed) {
        c.Line(left, top, right, bottom);
        c.Line(left, bottom, right, top);
    }
}

void TTablePrinter::Footer()
{
    c.SetBrush(Qt::white);
    c.SetTextAlign(TTextAlign::Left);
    const QString text
        = QStringLiteral("- Page %1/%2 - %3 - Printed on %4 -").arg(m_page).arg(m_pages).arg(m_footerTitle, m_date);
    const QSize extent = c.TextExtent(text);
    c.TextOut((c.PageWidth() - extent.width()) / 2, c.PageHeight() - extent.height() - 2, text);
}

} // namespace

int PrintTitleBox(TPrintCanvas& canvas, const QString& paddedTitle)
{
    canvas.SetFontFamily(QStringLiteral("Arial"));
    canvas.SetFontSize(20);
    canvas.SetBold(false);
    canvas.SetItalic(false);
    canvas.SetBrush(Silver);
    canvas.SetPen(Qt::black);
    const QSize extent = canvas.TextExtent(paddedTitle);
    const int cx = extent.width();
    const int cy = extent.height();
    const int left = (canvas.PageWidth() - cx) / 2;
    const int top = cy / 2;
    const int bottom = (3 * cy) / 2 + cy / 2;
    canvas.Rectangle(left - 1, top - 1, left + cx + 1, bottom + 1);
    canvas.TextRect(left, top, left + cx, bottom, paddedTitle);
    return (5 * cy) / 2;
}

int PrintTable(TPrintCanvas& canvas, const TPrintTableData& table, double today)
{
    if (table.NbCols < 1 || table.Cells.size() < table.NbCols)
        return 0;
    return TTablePrinter(canvas, table, today).Print();
}

int TablePageCount(int rows, int top, int lineHeight, int bottom)
{
    if (rows <= 0 || lineHeight <= 0)
        return 1;
    // A page holds the head row and the rows up to the first one that ends at
    // or below the bottom; the head row and one row always print.
    const auto rowsFrom = [&](int y) { return std::max(2, (bottom - y + lineHeight - 1) / lineHeight) - 1; };
    const int first = rowsFrom(top);
    if (rows <= first)
        return 1;
    const int others = rowsFrom(lineHeight);
    return 1 + (rows - first + others - 1) / others;
}
