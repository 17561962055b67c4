#pragma once
#include <cstdint>

// The 10-byte x87 extended float of the program's files (64-bit mantissa with an
// explicit integer bit, 15-bit exponent biased by 16383, sign), converted without
// relying on the compiler's long double.
constexpr int ExtendedSize = 10;

// Writes value as 10 little-endian bytes. Exact for every finite double;
// infinities and NaN keep their class.
void DoubleToExtended(double value, unsigned char out[ExtendedSize]);

// Reads 10 little-endian bytes, rounding the 64-bit mantissa to nearest double.
// Values beyond the double range become infinities, those below it zero;
// unnormal and pseudo-denormal encodings are read by their numeric value.
double ExtendedToDouble(const unsigned char in[ExtendedSize]);
