// The shift map on the command line: its range option, the grid as CSV and
// the picture as a self-contained SVG.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/ShiftMap.h"
#include "model/GearPair.h"
#include "report/Report.h"

namespace kolmira {

// A finding line that occurs somewhere on the map: its number, kind and the
// report's text for it without the numbers.
struct MapLine {
  int k = 0;
  ReportLineKind kind = ReportLineKind::Error;
  std::string text;
};

// "X1MIN:X1MAX,X2MIN:X2MAX", each minimum below its maximum.
std::optional<ShiftMapRange> ParseMapRange(const std::string& text);

// The lines present on the map, by k, each read from the report at a point
// that has it.
std::vector<MapLine> MapLines(const ShiftMap& map, const GearPair& base);

// The report text up to its first number, without trailing blanks and signs.
std::string TextWithoutNumbers(const std::string& text);

// Header "x1,x2,k<k>_<error|warning>...,checked", then one row per grid
// point (x2 outer, x1 inner); checked is 0 where the check could not run
// (the shift sum out of its limits).
std::string ShiftMapCsv(const ShiftMap& map, const std::vector<MapLine>& lines);

// A pinion with a rack: the lines found along x1, and the CSV
// "x1,k<k>_<kind>...,checked" of the line of points.
std::vector<MapLine> RackMapLines(const std::vector<ShiftMapPoint>& line, double x1Min,
                                  double x1Max, const GearPair& base);
std::string RackShiftLineCsv(const std::vector<ShiftMapPoint>& line, double x1Min, double x1Max,
                             const std::vector<MapLine>& lines);

// The picture: errors filled, warnings hatched, boundaries, iso-lines of
// the contact ratio and of equal root sliding, the current shifts marked.
std::string ShiftMapSvg(const ShiftMap& map, const std::vector<MapLine>& lines,
                        const GearPair& base);

}  // namespace kolmira
