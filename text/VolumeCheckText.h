#pragma once

// The volume check of a hydrograph as one line, the same on the Runoff tab, in the plot and in
// the report.

#include <string>
#include <string_view>

namespace velmaro {

// The hydrograph's specific volume against the last runoff depth, both in `unit` and written as
// the units fields write them, then their difference in percent with one decimal and its sign:
// "Hydrograph 102.022 mm for 81.735 mm of runoff: +24.8 %". A continuity error that is not a
// number (no runoff to compare with) leaves the percent out.
std::string VolumeCheckText(long double hydrographDepth, long double runoffDepth, std::string_view unit,
                            double continuityError);

} // namespace velmaro
