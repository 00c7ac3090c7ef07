#include "text/VolumeCheckText.h"

#include "text/NumberText.h"

#include <cmath>

namespace velmaro {

namespace {

// "+24.8 %", "-3.1 %"; a difference that rounds to zero has no sign.
std::string SignedPercent(double percent)
{
    const std::string magnitude = RenderFixed(std::fabs(percent), 1);
    const char *sign = magnitude == RenderFixed(0, 1) ? "" : percent > 0 ? "+" : "-";
    return sign + magnitude + " %";
}

} // namespace

std::string VolumeCheckText(long double hydrographDepth, long double runoffDepth, std::string_view unit,
                            double continuityError)
{
    const std::string u(unit);
    std::string text = "Hydrograph " + RenderEditValue(hydrographDepth, kUnitsFieldRendering) + " " + u +
                       " for " + RenderEditValue(runoffDepth, kUnitsFieldRendering) + " " + u + " of runoff";
    if (!std::isnan(continuityError))
        text += ": " + SignedPercent(continuityError);
    return text;
}

} // namespace velmaro
