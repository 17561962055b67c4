#pragma once
#include <QList>
#include <QStringList>

class TAnalyte;
class TListSerum;

// The control limits of an analyte as the limits view shows and prints them:
// ten rows (material, lot, mode, target, warning and action limits, reference
// dates, points, CV, degrees of freedom), each a title and one cell per level.
namespace TLimitsTable {

constexpr int RowCount = 10;
// The title of each row.
const QStringList& RowTitles();
// Rows of 1 + levels cells: the title, then level 0, 1, 2.
QList<QStringList> Rows(const TAnalyte& analyte, const TListSerum& serums);

} // namespace TLimitsTable
