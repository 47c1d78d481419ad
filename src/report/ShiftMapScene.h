// The shift map as a picture: everything a painter needs to draw it (the
// SVG writer and the Qt window draw the same scene), in the map's own
// coordinates, with no pixel in it.
//
// A plane map (external or internal pair) has x1 across and x2 up. A line
// map (a pinion with a rack, a bevel pair, a kept centre distance) has x1
// across and one row per finding line: row r spans y from rows - 1 - r to
// rows - r, so the first row is on top.
#pragma once

#include <array>
#include <atomic>
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

struct MapXY {
  double x = 0.0, y = 0.0;
  bool operator==(const MapXY&) const = default;
};
using MapSegment = std::array<MapXY, 2>;

struct MapColour {
  unsigned char r = 0, g = 0, b = 0;
  bool operator==(const MapColour&) const = default;
};

// How a warning region is hatched: lines in its colour.
enum class MapHatch { None, Diagonal, BackDiagonal, Horizontal, Vertical, Cross, DiagonalCross };

// One finding line's region, or (k = kValidityLine) where the check does not
// run.
struct MapRegion {
  int k = kValidityLine;
  ReportLineKind kind = ReportLineKind::Error;
  std::string text;  // the legend's text
  MapColour colour;
  double fillOpacity = 1.0;  // errors are see-through so that overlaps mix
  MapHatch hatch = MapHatch::None;  // warnings: hatched, not filled
  std::vector<std::vector<MapXY>> fill;  // polygons; their union is the region
  std::vector<MapSegment> boundary;      // the traced boundary
};

// A dashed line of equal contact ratio or of equal root sliding.
struct MapIsoLine {
  std::string label;  // "εα = 1.0", "θF1 = θF2"
  std::vector<MapSegment> segments;
  // The segments joined end to end, so that a dash pattern runs on along
  // the line instead of starting again in every grid cell.
  std::vector<std::vector<MapXY>> polylines;
  std::optional<MapXY> labelAt;  // where the label is written (left end of its text)
};

struct MapTick {
  double value = 0.0;
  std::string text;
};

struct MapLegendEntry {
  std::string text;
  MapColour colour;
  double fillOpacity = 1.0;
  MapHatch hatch = MapHatch::None;
};

struct ShiftMapScene {
  ShiftMapShape shape = ShiftMapShape::Plane;
  bool complete = false;  // false: cancelled, or only some rows computed
  int size = 0;           // grid points along x1
  double xMin = 0.0, xMax = 1.0, yMin = 0.0, yMax = 1.0;
  std::string xLabel = "x1", yLabel = "x2";  // a line map has no y label
  std::vector<MapTick> xTicks, yTicks;       // a line map has no y ticks
  // Fill and draw in this order: the unchecked region, errors, warnings.
  std::vector<MapRegion> regions;
  std::vector<MapIsoLine> isoLines;
  // The current shifts: a marked point on a plane; on a line map a vertical
  // line at x1 over all rows.
  std::optional<MapXY> current;
  std::string currentLabel = "(x1, x2)";
  // On a plane whose shifts are divided from a kept sum: the line
  // x1 + x2 = sum, labelled. (Such a pair has a line map; the plane of the
  // command line's --map-range may still show it.)
  std::optional<MapSegment> keptSum;
  std::string keptSumLabel;
  std::vector<MapLegendEntry> legend;  // regions, then "bez závad" white
  int rows = 1;                        // a line map's rows (regions, at least 1)
};

inline constexpr const char* kMapFaultlessText = "bez závad";
inline constexpr const char* kMapUncheckedText = "kontrola neproběhla (součet korekcí mimo meze)";

// The computed grid or line with the lines found on it (the data behind a
// scene and behind the CSV).
struct ShiftMapData {
  ShiftMapShape shape = ShiftMapShape::Plane;
  ShiftMap plane;  // shape Plane
  ShiftLine line;  // a line shape
  std::vector<MapLine> lines;
  bool complete = false;
};

struct ShiftMapRequest {
  ShiftMapRange range;  // a line map takes x1Min and x1Max only
  int size = 51;
  unsigned threads = 0;                       // 0: the machine's cores
  const std::atomic<bool>* cancel = nullptr;  // tested between rows and stages
};

// The map of the base pair as the check and the report see it.
ShiftMapData ComputeShiftMapData(const GearPair& base, const ShiftMapRequest& request);

// The picture of computed data: regions with traced boundaries, iso-lines,
// ticks, legend, current point. Cancelling leaves complete false.
ShiftMapScene BuildShiftMapScene(const GearPair& base, const ShiftMapData& data,
                                 const ShiftMapRequest& request);

// What the check reports at a point of the map: the shifts there (x2 as the
// shape couples it, y ignored on a line map), whether the check runs, and
// its finding lines as the report writes them (with their numbers).
struct MapProbe {
  double x1 = 0.0, x2 = 0.0;
  bool checked = false;
  std::vector<std::string> findings;
};
MapProbe ProbeShiftMap(const GearPair& base, ShiftMapShape shape, double x, double y);

// The report text up to its first number, without trailing blanks and signs.
std::string TextWithoutNumbers(const std::string& text);

}  // namespace kolmira
