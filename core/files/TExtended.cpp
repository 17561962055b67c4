#include "TExtended.h"

#include <cmath>
#include <cstring>
#include <limits>

void DoubleToExtended(double value, unsigned char out[ExtendedSize])
{
    std::uint64_t mantissa = 0;
    std::uint16_t exponent = 0;
    const bool negative = std::signbit(value);
    if (std::isnan(value)) {
        exponent = 0x7FFF;
        mantissa = 0xC000000000000000ULL;
    } else if (std::isinf(value)) {
        exponent = 0x7FFF;
        mantissa = 0x8000000000000000ULL;
    } else if (value != 0.0) {
        int e = 0;
        const double m = std::frexp(std::fabs(value), &e); // m in [0.5, 1)
        // m * 2^64 fits the mantissa with its integer bit at the top.
        mantissa = static_cast<std::uint64_t>(std::ldexp(m, 64));
        exponent = static_cast<std::uint16_t>(e - 1 + 16383);
    }
    if (negative)
        exponent |= 0x8000;
    for (int i = 0; i < 8; ++i)
        out[i] = static_cast<unsigned char>(mantissa >> (8 * i));
    out[8] = static_cast<unsigned char>(exponent & 0xFF);
    out[9] = static_cast<unsigned char>(exponent >> 8);
}

double ExtendedToDouble(const unsigned char in[ExtendedSize])
{
    std::uint64_t mantissa = 0;
    for (int i = 0; i < 8; ++i)
        mantissa |= static_cast<std::uint64_t>(in[i]) << (8 * i);
    const int exponent = ((in[9] & 0x7F) << 8) | in[8];
    const bool negative = (in[9] & 0x80) != 0;
    double result;
    if (exponent == 0x7FFF) {
        result
            = (mantissa << 1) == 0 ? std::numeric_limits<double>::infinity() : std::numeric_limits<double>::quiet_NaN();
    } else if (mantissa == 0) {
        result = 0.0;
    } else {
        // Round the 64 mantissa bits to 53 by hand so that the result is the
        // nearest double (ties to even), then scale.
        const int highBit = 63 - __builtin_clzll(mantissa);
        const int shift = highBit - 52;
        std::uint64_t top;
        int scale;
        if (shift > 0) {
            top = mantissa >> shift;
            const std::uint64_t rest = mantissa & ((std::uint64_t(1) << shift) - 1);
            const std::uint64_t half = std::uint64_t(1) << (shift - 1);
            if (rest > half || (rest == half && (top & 1)))
                ++top;
            scale = shift;
        } else {
            top = mantissa;
            scale = 0;
        }
        // value = mantissa * 2^(exponent - 16383 - 63); exponent 0 is read as 1 (denormal).
        const int e = (exponent == 0 ? 1 : exponent) - 16383 - 63 + scale;
        result = std::ldexp(static_cast<double>(top), e);
    }
    return negative ? -result : result;
}
