#include "TRandom.h"

#include <cmath>
#include <numbers>

double TRandom::Next()
{
    // 53 random bits scaled into [0, 1).
    return double(m_engine() >> 11) * (1.0 / 9007199254740992.0);
}

quint32 TRandom::NextInt(quint32 range)
{
    if (range == 0)
        return 0;
    return quint32(Next() * range);
}

double TRandom::Gaussian(double sd, double mean)
{
    double u1 = Next();
    while (u1 <= 0.0)
        u1 = Next();
    const double u2 = Next();
    return std::sqrt(-2.0 * std::log(u1)) * std::sin(2.0 * std::numbers::pi * u2) * sd + mean;
}
