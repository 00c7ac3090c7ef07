#include "ui/BoundsMessage.h"

#include "text/NumberText.h"

namespace velmaro {

std::string BoundsErrorText(long double baseMin, long double baseMax)
{
    return "The input value is outside the allowed range (" + FormatGeneral2(baseMin) + " - " +
           FormatGeneral2(baseMax) + ")";
}

} // namespace velmaro
