#include "TFormat.h"

#include <QLocale>
#include <charconv>
#include <cmath>
#include <string>
#include <string_view>

QChar DecimalSeparator()
{
    const QString point = QLocale::system().decimalPoint();
    return point.isEmpty() ? QChar('.') : point.at(0);
}

namespace {

struct TDecimalDigits {
    bool Negative = false;
    std::string Digits; // significant digits, without the separator
    int Exponent = 0; // decimal exponent of the first digit
};

// `value` in scientific notation with `digits` significant digits, correctly
// rounded (ties to even); std::to_chars ignores the C locale.
TDecimalDigits Scientific(double value, int digits)
{
    char buffer[64];
    const auto written
        = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, digits - 1);
    const std::string_view text(buffer, size_t(written.ptr - buffer));
    TDecimalDigits result;
    result.Negative = text.front() == '-';
    const size_t ePos = text.find('e');
    for (char c : text.substr(result.Negative ? 1 : 0, ePos - (result.Negative ? 1 : 0)))
        if (c != '.')
            result.Digits += c;
    std::from_chars(text.data() + ePos + (text[ePos + 1] == '+' ? 2 : 1), text.data() + text.size(), result.Exponent);
    return result;
}

// `value` rounded to `precision` significant digits, an exact half rounded away
// from zero (2.5 -> 3, 10.25 at three digits -> 10.3) as the laboratory expects,
// not to the even digit.
TDecimalDigits SignificantDigits(double value, int precision)
{
    TDecimalDigits result = Scientific(value, precision);
    if (value == 0.0 || precision >= 17)
        return result;
    // A tie is possible only when the value is exactly a decimal of one more
    // digit ending in 5.
    const TDecimalDigits finer = Scientific(value, precision + 1);
    if (finer.Digits.back() != '5')
        return result;
    double back = 0;
    const std::string exact = (finer.Negative ? "-" : "") + finer.Digits.substr(0, 1) + "." + finer.Digits.substr(1)
        + "e" + std::to_string(finer.Exponent);
    std::from_chars(exact.data(), exact.data() + exact.size(), back);
    if (back != value)
        return result;
    result.Digits = finer.Digits.substr(0, size_t(precision));
    result.Exponent = finer.Exponent;
    int i = precision - 1;
    while (i >= 0 && result.Digits[size_t(i)] == '9')
        result.Digits[size_t(i--)] = '0';
    if (i >= 0) {
        ++result.Digits[size_t(i)];
    } else {
        result.Digits.insert(result.Digits.begin(), '1');
        result.Digits.pop_back();
        ++result.Exponent;
    }
    return result;
}

} // namespace

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

    // The value rounded to `precision` significant decimal digits, half away
    // from zero, as a digit string and a decimal exponent.
    const TDecimalDigits rounded = SignificantDigits(value, precision);
    const bool negative = rounded.Negative;
    const std::string& digits = rounded.Digits;
    const int exponent = value == 0.0 ? 0 : rounded.Exponent;

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
