#pragma once
#include <QDate>
#include <QList>
#include <QString>

class TAnalyte;
class TListAnalytes;
struct TQCPoint;

// The QC points of one calendar day across all analytes, for the daily window
// and the cumulative daily report.
namespace TDailyQC {

struct TLine {
    const TAnalyte* Analyte = nullptr;
    const TQCPoint* Point = nullptr;
};

// The points dated day <= t < day + 1, analyte by analyte in the list's order
// and, within one analyte, from the latest to the earliest.
QList<TLine> Points(const TListAnalytes& analytes, const QDate& day);
// Analyte name, time (long time format), the three levels' values (empty
// without a value or beyond the analyte's levels), operator and comment,
// separated by TABs.
QString LineText(const TLine& line);

} // namespace TDailyQC
