// The shift map on the command line: its range option (the map itself is
// written by report/ShiftMapExport).
#pragma once

#include <optional>
#include <string>

#include "engine/ShiftMap.h"

namespace kolmira {

// "X1MIN:X1MAX,X2MIN:X2MAX", each minimum below its maximum.
std::optional<ShiftMapRange> ParseMapRange(const std::string& text);

}  // namespace kolmira
