// The shift map written out: the grid as CSV for a spreadsheet or a script,
// the picture as a self-contained SVG (the scene the window draws).
#pragma once

#include <string>

#include "report/ShiftMapScene.h"

namespace kolmira {

// Header "x1,x2,k<k>_<error|warning>...,checked", then one row per point: a
// plane's rows x2 outer, x1 inner; a line's points along x1 with x2 as the
// line couples it. checked is 0 where the check does not run (the shift sum
// out of its limits, the shifts not computable).
std::string ShiftMapCsv(const ShiftMapData& data);

// The scene as SVG: regions (one path each, class "region"), their traced
// boundaries (one path each, class "boundary"), iso-lines, the current
// shifts, axes and the legend (class "legend" for each region's entry).
std::string ShiftMapSvg(const ShiftMapScene& scene);

}  // namespace kolmira
