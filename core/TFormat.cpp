#include "TFormat.h"

#include <QLocale>
#include <cmath>
#include <charconv>

QChar DecimalSeparator()
{
    const QString point = QLocale::system().decimalPoint();
    return point.isEmpty() ? QChar('.') : point.at(0);
}

QString FormatFixed(double value, int precision, int decimals, QChar separator)
{
    if (separator.isNull())
        separator = DecimalSeparator();
    precision = qBound(1, precision, 18);
    decimals = qBound(0, decimals, 18);
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");

    // Round to `precision` significant digits through the exponent form, which
    // rounds exactly; std::to_chars ignores the C locale.
    char buffer[400];
    auto written = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, precision - 1);
    double rounded = 0.0;
    std::from_chars(buffer, written.ptr, rounded);
    int exponent = 0;
    if (rounded != 0.0)
        exponent = int(std::floor(std::log10(std::fabs(rounded))));
    if (exponent + 1 > precision) {
        written = std::to_chars(buffer, buffer + sizeof buffer, rounded, std::chars_format::scientific, precision - 1);
        QString text = QString::fromLatin1(buffer, written.ptr - buffer).toUpper();
        text.replace('.', separator);
        return text;
    }
    written = std::to_chars(buffer, buffer + sizeof buffer, rounded, std::chars_format::fixed, decimals);
    QString text = QString::fromLatin1(buffer, written.ptr - buffer);
    if (text.startsWith('-')) {
        // A negative value rounded to zero is shown without its sign.
        bool allZero = true;
        for (QChar c : text.mid(1))
            if (c.isDigit() && c != '0')
                allZero = false;
        if (allZero)
            text.remove(0, 1);
    }
    text.replace('.', separator);
    return text;
}
