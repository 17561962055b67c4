#include "TPrintWindowParts.h"

#include "TAnalyte.h"
#include "TDates.h"

#include <QDateEdit>

QDateEdit* MakePrintDatePicker(QWidget* parent, const QString& name, const QRect& geometry)
{
    auto* picker = new QDateEdit(parent);
    picker->setObjectName(name);
    picker->setGeometry(geometry);
    picker->setDisplayFormat(ShortDateFormat());
    picker->setCalendarPopup(true);
    return picker;
}

void SetPickersToPoints(const TAnalyte* analyte, QDateEdit* first, QDateEdit* last)
{
    if (!analyte || analyte->Count() == 0)
        return;
    last->setDate(DayCountToDate(analyte->Point(analyte->Count() - 1).DateTime));
    first->setDate(DayCountToDate(analyte->Point(0).DateTime));
}
