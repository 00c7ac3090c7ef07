#include "ui/BoundsMessage.h"

#include "text/MachineText.h"

namespace velmaro {

std::string BoundsErrorText(long double baseMin, long double baseMax)
{
    return "The input value is outside the allowed range (" + RangeBoundText(baseMin) + " - " +
           RangeBoundText(baseMax) + ")";
}

} // namespace velmaro
