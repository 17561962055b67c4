#include "TFormat.h"

#include <QLocale>
#include <cmath>
#include <charconv>
#include <string>
#include <string_view>

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

    // The value rounded to `precision` significant decimal digits, as a digit
    // string and a decimal exponent; std::to_chars ignores the C locale.
    char buffer[64];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, precision - 1);
    const std::string_view text(buffer, size_t(written.ptr - buffer));
    const bool negative = text.front() == '-';
    const size_t ePos = text.find('e');
    std::string digits;
    for (char c : text.substr(negative ? 1 : 0, ePos - (negative ? 1 : 0)))
        if (c != '.')
            digits += c;
    int exponent = 0;
    std::from_chars(text.data() + ePos + (text[ePos + 1] == '+' ? 2 : 1), text.data() + text.size(), exponent);
    if (value == 0.0)
        exponent = 0;

    if (exponent + 1 > precision) {
        // More digits before the separator than the precision: scientific notation.
        QString result = negative ? QStringLiteral("-") : QString();
        result += QChar(digits[0]);
        if (digits.size() > 1)
            result += separator + QString::fromLatin1(digits.data() + 1, qsizetype(digits.size() - 1));
        result += QString("E%1%2").arg(exponent < 0 ? '-' : '+').arg(std::abs(exponent), 2, 10, QChar('0'));
        return result;
    }

    // Digits kept: those before the separator (exponent + 1) and `decimals` after it;
    // the decimal digits are rounded half up, as written.
    const int kept = exponent + 1 + decimals;
    std::string number; // digits of value x 10^decimals, as an integer
    if (kept <= 0) {
        number = (kept == 0 && digits[0] >= '5') ? "1" : "0";
    } else {
        number = digits.substr(0, std::min<size_t>(size_t(kept), digits.size()));
        number.append(size_t(kept) > digits.size() ? size_t(kept) - digits.size() : 0, '0');
        if (size_t(kept) < digits.size() && digits[size_t(kept)] >= '5') {
            int i = int(number.size()) - 1;
            while (i >= 0 && number[size_t(i)] == '9')
                number[size_t(i--)] = '0';
            if (i < 0)
                number.insert(number.begin(), '1');
            else
                ++number[size_t(i)];
        }
    }
    if (number.size() < size_t(decimals) + 1)
        number.insert(0, size_t(decimals) + 1 - number.size(), '0');
    const size_t integerDigits = number.size() - size_t(decimals);
    QString result = QString::fromLatin1(number.data(), qsizetype(integerDigits));
    if (decimals > 0)
        result += separator + QString::fromLatin1(number.data() + integerDigits, decimals);
    // A negative value that rounds to zero is shown without its sign.
    const bool allZero = number.find_first_not_of('0') == std::string::npos;
    return negative && !allZero ? QStringLiteral("-") + result : result;
}
