#include "TInputCheck.h"

#include "TFormat.h"

#include <QLocale>
#include <cmath>

QString InvalidIntegerMessage(const QString& text) { return QString("'%1' is not a valid integer value").arg(text); }

QString InvalidFloatMessage(const QString& text)
{
    return QString("'%1' is not a valid floating point value").arg(text);
}

TIntegerCheck CheckIntegerText(const QString& text, int minimum, int maximum)
{
    TIntegerCheck check;
    check.Trimmed = text.trimmed();
    bool ok = false;
    const qlonglong value = check.Trimmed.toLongLong(&ok, 10);
    if (!ok || value < INT_MIN || value > INT_MAX) {
        check.Error = InvalidIntegerMessage(check.Trimmed);
        return check;
    }
    if (value > maximum) {
        check.Error = check.Trimmed + " is too high\n\r" + "Maximum allowed = " + QString::number(maximum);
        return check;
    }
    if (value < minimum) {
        check.Error = check.Trimmed + " is too low\n\r" + "Minimum allowed = " + QString::number(minimum);
        return check;
    }
    check.Ok = true;
    check.Value = int(value);
    return check;
}

std::optional<double> ParseDecimal(const QString& text)
{
    // Either separator is accepted; the number itself is read in the C locale,
    // without group separators or exponent surprises from the system locale.
    QString normal = text.trimmed();
    normal.replace(QChar(','), QChar('.'));
    if (normal.isEmpty() || normal.count(QChar('.')) > 1)
        return std::nullopt;
    bool ok = false;
    const double value = QLocale::c().toDouble(normal, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

TQCValueCheck ReadQCValueText(const QString& text)
{
    TQCValueCheck check;
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) {
        check.Ok = true;
        check.Cell.Value = 0.0f;
        check.Cell.Status = psNoValue;
        return check;
    }
    const std::optional<double> value = ParseDecimal(trimmed);
    if (!value || std::fabs(*value) > 3.0e38) {
        check.Error = QStringLiteral("Incorrect floating number");
        return check;
    }
    check.Ok = true;
    check.Cell.Value = float(*value);
    check.Cell.Status = psWithin;
    return check;
}

TFloatCheck ReadFloatText(const QString& text, bool refuseNegative)
{
    TFloatCheck check;
    // The edit shows the text with the system separator once it is accepted.
    const QChar system = DecimalSeparator();
    check.Trimmed = text.trimmed();
    check.Trimmed.replace(system == QChar('.') ? QChar(',') : QChar('.'), system);
    const std::optional<double> value = ParseDecimal(check.Trimmed);
    if (!value) {
        check.Error = InvalidFloatMessage(check.Trimmed);
        return check;
    }
    if (refuseNegative && *value < 0) {
        check.Error = check.Trimmed + " is a negative value (not allowed)";
        return check;
    }
    check.Ok = true;
    check.Value = *value;
    return check;
}

void SplitTabs(const QString& text, QStringList& list) { list.append(text.split(QChar('\t'))); }
