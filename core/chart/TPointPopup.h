#pragma once
#include "TRuleChoice.h"

#include <QList>
#include <QString>
#include <QStringList>

class TAnalyte;

// What the pop-up of a stored point tells: its date and time as caption, one
// line per level with the value (or "absent") and its status for the picture,
// then the comment and the operator when the point has them, and the Westgard
// rules in force for the analyte (`inForce`) that lit for it, judged against the
// points before it.
struct TPopupLine {
    QString Text;
    int Status = -1; // the level's status for its picture; -1 for a line without picture
    bool operator==(const TPopupLine&) const = default;
};

// levelLabels: the names shown for the levels (the control materials).
QList<TPopupLine> PointPopupLines(
    const TAnalyte& analyte, int index, const QStringList& levelLabels, const TRuleChoice& inForce);
QString PointPopupCaption(const TAnalyte& analyte, int index);
