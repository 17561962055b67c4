#pragma once
#include <QList>
#include <QString>
#include <QStringList>

class TPrintCanvas;

// How a printed cell is drawn besides its text.
enum TCellMark : int {
    cmPlain = 0,
    cmGrey = 1, // grey background: heads and summaries
    cmUp = 2, // one up arrow in the cell's right fifth
    cmUpUp = 3,
    cmDown = 4,
    cmDownDown = 5,
    cmCrossed = 7, // both diagonals over the cell
};

struct TPrintCell {
    QString Text;
    int Mark = cmPlain;
    bool operator==(const TPrintCell&) const = default;
};

// The cells of a table row by row: cell (r, c) is entry r * columns + c; row
// 0 is the head row, printed again at the top of every page.
using TPrintCells = QList<TPrintCell>;

// What a table printout is made of.
struct TPrintTableData {
    QString Title; // empty for no title box
    QStringList SubTitles;
    TPrintCells Cells;
    int NbCols = 1;
    QList<int> Widths; // in characters, one per column
    bool Stamp = false; // the archive stamp under the title
};

// "  Archive document - Keep it  "
extern const QString ArchiveStampText;

// Draws the title box at the top of the page: "Arial" 20 points, the text
// (already padded by the caller) centred in a silver box. Returns the line
// position below it.
int PrintTitleBox(TPrintCanvas& canvas, const QString& paddedTitle);

// Prints a table on the canvas's current page and the following ones: the
// title box, the archive stamp, the subtitles, the cells with the head row on
// every page and equal cells of the first two columns merged within a page,
// and on every page the footer with the page number, the page count, the title
// and `today` (a day count) as the date of printing. The document is begun and
// ended by the caller. Returns the line position one line below the last row.
int PrintTable(TPrintCanvas& canvas, const TPrintTableData& table, double today);

// Pages a table of `rows` data rows takes when its head row starts at `top`
// on the first page and at `lineHeight` on the others, rows are `lineHeight`
// high and a page breaks once a row ends at or below `bottom`.
int TablePageCount(int rows, int top, int lineHeight, int bottom);
