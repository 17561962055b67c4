#include "TLevelGoal.h"

namespace {

bool Same(double a, double b) { return (std::isnan(a) && std::isnan(b)) || a == b; }

} // namespace

bool TLevelGoal::operator==(const TLevelGoal& other) const
{
    return Same(TEa, other.TEa) && TEaInUnits == other.TEaInUnits && Same(Target, other.Target)
        && Same(BiasPercent, other.BiasPercent);
}
