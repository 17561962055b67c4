#include "TPrintWindowParts.h"

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
