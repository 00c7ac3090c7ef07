#include "text/VolumeCheckText.h"

#include "text/FieldText.h"

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

std::string VolumeCheckText(double specificVolume, double runoffDepth, double continuityError,
                            const UnitEntry &unit)
{
    const auto shown = [&unit](double depth) {
        return RenderEditValue(depth * unit.Factor + unit.Offset, kUnitsFieldRendering) + " " + unit.Name;
    };
    std::string text = "Hydrograph " + shown(specificVolume) + " for " + shown(runoffDepth) + " of runoff";
    if (!std::isnan(continuityError))
        text += ": " + SignedPercent(continuityError);
    return text;
}

} // namespace velmaro
