#include "TScopePane.h"
#include "TColors.h"

#include "TAnalyte.h"
#include "TDates.h"
#include "TFormat.h"

#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

TScopePane::TScopePane(QWidget* parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("TScopePane"));
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    LblRule = new QLabel(this);
    LblRule->setObjectName(QStringLiteral("LblRule"));
    LblRule->setWordWrap(true);
    LBPoints = new QListWidget(this);
    LBPoints->setObjectName(QStringLiteral("LBPoints"));
    LBPoints->setSelectionMode(QAbstractItemView::NoSelection);
    layout->addWidget(LblRule);
    layout->addWidget(LBPoints);
    Clear();
}

void TScopePane::Clear()
{
    LblRule->setText(QStringLiteral("Point at a lit rule to list the values that made it fire."));
    LBPoints->clear();
}

void TScopePane::ShowScope(const TAnalyte& analyte, const TResu0& run, const QString& rule, const TRuleScope& scope)
{
    if (scope.empty()) {
        Clear();
        return;
    }
    LblRule->setText(QStringLiteral("%1: %2 value(s)").arg(rule).arg(scope.size()));
    LBPoints->clear();
    for (const TRulePoint& point : scope) {
        const bool isRun = point.Index == RunPoint;
        const double when = isRun ? run.DateTime : analyte.Point(point.Index).DateTime;
        const float value
            = isRun ? run.Values[point.Level].Value : analyte.Point(point.Index).Values[point.Level].Value;
        auto* item = new QListWidgetItem(
            QStringLiteral("QC%1  %2 %3  %4%5")
                .arg(point.Level + 1)
                .arg(ShortDateText(when), LongTimeText(when), FormatFixed(value, 15, analyte.Decimals),
                    isRun ? QStringLiteral("  (this run)") : QString()),
            LBPoints);
        if (isRun)
            item->setBackground(Colors::Yellow);
    }
}
