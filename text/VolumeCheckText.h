#pragma once

// The volume check of a hydrograph as one line, the same on the Runoff tab, in the plot and in
// the report.

#include "text/UnitModel.h"

#include <string>

namespace velmaro {

// The hydrograph's specific volume against the last runoff depth, both given in mm and shown in
// `unit` (an entry of the specific volume field's list) as the units fields write values, then
// their difference in percent with one decimal and its sign: "Hydrograph 102.022 mm for
// 81.735 mm of runoff: +24.8 %". A continuity error that is not a number (no runoff to compare
// with) leaves the percent out.
std::string VolumeCheckText(double specificVolume, double runoffDepth, double continuityError,
                            const UnitEntry &unit);

} // namespace velmaro
