#include "TRandom.h"

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
