#include "TPointPopup.h"

#include "TAnalyte.h"
#include "TDates.h"
#include "TFormat.h"
#include "TLimitModes.h"
#include "TRuleScope.h"

QList<TPopupLine> PointPopupLines(
    const TAnalyte& analyte, int index, const QStringList& levelLabels, const TRuleChoice& inForce)
{
    QList<TPopupLine> lines;
    const TQCPoint& point = analyte.Point(index);
    for (int level = 0; level < LevelsInUse(analyte); ++level) {
        const TQCValue& cell = point.Values[level];
        const QString label = level < levelLabels.size() ? levelLabels[level] : QString();
        if (cell.Status == psNoValue)
            lines.append({ label + QStringLiteral(" = absent"), -1 });
        else
            lines.append(
                { label + QStringLiteral(" = ") + FormatFixed(cell.Value, 8, analyte.Decimals), int(cell.Status) });
    }
    const QString comment = analyte.CommentText(point.CommentID);
    if (!comment.isEmpty())
        lines.append({ comment, -1 });
    const QString code = point.Operator();
    if (!code.isEmpty())
        lines.append({ QStringLiteral("Operator = ") + code, -1 });
    const QStringList rules = FiredRules(EvaluateStoredPoint(analyte, index, inForce));
    if (!rules.isEmpty())
        lines.append({ QStringLiteral("Rules: ") + rules.join(QStringLiteral(", ")), -1 });
    return lines;
}

QString PointPopupCaption(const TAnalyte& analyte, int index)
{
    const double dateTime = analyte.Point(index).DateTime;
    return ShortDateText(dateTime) + QChar(' ') + LongTimeText(dateTime);
}
