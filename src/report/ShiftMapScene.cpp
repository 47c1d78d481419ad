#include "report/ShiftMapScene.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <map>
#include <unordered_map>

namespace kolmira {

namespace {

// Errors in strong colours, see-through; warnings hatched in dark ones.
constexpr MapColour kErrorColours[] = {{230, 25, 75},  {245, 130, 49}, {255, 225, 25},
                                       {60, 180, 75},  {66, 212, 244}, {67, 99, 216},
                                       {145, 30, 180}, {240, 50, 230}, {154, 99, 36},
                                       {128, 0, 0}};
constexpr MapColour kWarningColours[] = {{85, 85, 85},   {31, 95, 191}, {46, 139, 87},
                                         {184, 134, 11}, {139, 0, 139}, {0, 139, 139}};
constexpr MapHatch kWarningHatches[] = {MapHatch::Diagonal,   MapHatch::BackDiagonal,
                                        MapHatch::Horizontal, MapHatch::Vertical,
                                        MapHatch::Cross,      MapHatch::DiagonalCross};
constexpr MapColour kUncheckedColour = {187, 187, 187};
constexpr double kErrorOpacity = 0.55;

bool Cancelled(const ShiftMapRequest& r) {
  return r.cancel && r.cancel->load(std::memory_order_relaxed);
}

std::string Fixed(double v, int decimals) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, std::fabs(v) < 1e-12 ? 0.0 : v);
  return buffer;
}

// The report's line k as the map names it, read at a point that has it.
void AddLine(std::vector<MapLine>& lines, const GearPair& checked, int k) {
  for (const ReportLine& line : ReportLines(checked)) {
    if (line.k == k) {
      lines.push_back({k, line.kind, TextWithoutNumbers(line.text)});
      return;
    }
  }
}

// The lines present among the points, by k; `evaluate(i)` checks point i
// into `work`.
template <typename Evaluate>
std::vector<MapLine> LinesOf(const std::vector<ShiftMapPoint>& points, GearPair& work,
                             const Evaluate& evaluate) {
  FindingMask seen = 0;
  for (const ShiftMapPoint& p : points) seen |= p.findings;
  std::vector<MapLine> lines;
  for (int k = 0; k < 64; ++k) {
    const FindingMask bit = FindingMask{1} << k;
    if (!(seen & bit)) continue;
    for (std::size_t i = 0; i < points.size(); ++i) {
      if (points[i].findings & bit) {
        evaluate(i);
        AddLine(lines, work, k);
        break;
      }
    }
  }
  return lines;
}

std::vector<MapTick> Ticks(double lo, double hi) {
  const double span = hi - lo;
  double step = 1.0;
  for (double s : {0.05, 0.1, 0.2, 0.25, 0.5, 1.0}) {
    if (span / s <= 10.0) {
      step = s;
      break;
    }
  }
  std::vector<MapTick> ticks;
  for (int i = static_cast<int>(std::ceil(lo / step - 1e-9)); i * step <= hi + 1e-9; ++i) {
    ticks.push_back({i * step, Fixed(i * step, 2)});
  }
  return ticks;
}

struct IsoLevel {
  IsoQuantity q;
  double level;
  const char* label;
};
constexpr IsoLevel kIsoLevels[] = {{IsoQuantity::EpsAlpha, 1.0, "εα = 1.0"},
                                   {IsoQuantity::EpsAlpha, 1.1, "εα = 1.1"},
                                   {IsoQuantity::EpsAlpha, 1.2, "εα = 1.2"},
                                   {IsoQuantity::ThetaDifference, 0.0, "θF1 = θF2"}};

// Regions in fill order, coloured: the unchecked one, errors, warnings.
std::vector<MapRegion> EmptyRegions(const std::vector<MapLine>& lines, bool anyUnchecked) {
  std::vector<MapRegion> regions;
  if (anyUnchecked) {
    MapRegion r;
    r.text = kMapUncheckedText;
    r.colour = kUncheckedColour;
    regions.push_back(std::move(r));
  }
  std::size_t errors = 0, warnings = 0;
  for (bool warning : {false, true}) {
    for (const MapLine& l : lines) {
      if ((l.kind == ReportLineKind::Warning) != warning) continue;
      MapRegion r;
      r.k = l.k;
      r.kind = l.kind;
      r.text = l.text;
      if (warning) {
        r.colour = kWarningColours[warnings % std::size(kWarningColours)];
        r.hatch = kWarningHatches[warnings % std::size(kWarningHatches)];
        ++warnings;
      } else {
        r.colour = kErrorColours[errors++ % std::size(kErrorColours)];
        r.fillOpacity = kErrorOpacity;
      }
      regions.push_back(std::move(r));
    }
  }
  return regions;
}

bool Inside(const ShiftMapPoint& p, int k) {
  return k == kValidityLine ? !p.valid : p.valid && ((p.findings >> k) & 1u);
}

// Segments that share end points (the crossings on the edges between grid
// cells) joined into polylines.
std::vector<std::vector<MapXY>> Chained(const std::vector<MapSegment>& segments) {
  const auto key = [](MapXY p) { return std::pair{p.x, p.y}; };
  std::map<std::pair<double, double>, std::vector<std::size_t>> at;
  for (std::size_t i = 0; i < segments.size(); ++i) {
    at[key(segments[i][0])].push_back(i);
    at[key(segments[i][1])].push_back(i);
  }
  std::vector<bool> used(segments.size(), false);
  // The segment at a point other than `from`, not yet used.
  const auto next = [&](MapXY p, std::size_t from) -> std::optional<std::size_t> {
    for (std::size_t i : at[key(p)]) {
      if (i != from && !used[i]) return i;
    }
    return std::nullopt;
  };
  std::vector<std::vector<MapXY>> lines;
  for (std::size_t start = 0; start < segments.size(); ++start) {
    if (used[start]) continue;
    used[start] = true;
    std::vector<MapXY> line = {segments[start][0], segments[start][1]};
    // Grown at its end, then at its start.
    for (bool atEnd : {true, false}) {
      std::size_t last = start;
      for (;;) {
        const MapXY tip = atEnd ? line.back() : line.front();
        const std::optional<std::size_t> i = next(tip, last);
        if (!i) break;
        used[*i] = true;
        const MapXY other = segments[*i][0] == tip ? segments[*i][1] : segments[*i][0];
        if (atEnd) {
          line.push_back(other);
        } else {
          line.insert(line.begin(), other);
        }
        last = *i;
      }
    }
    lines.push_back(std::move(line));
  }
  return lines;
}

// The plane's regions by marching squares: cells wholly inside a region
// join into runs along x1; a cell the boundary passes through gets the
// polygon walked round its edges (the corners inside, and the refined
// crossings where the region begins or ends), and its boundary: the
// crossings joined pairwise in the order of the walk, so that the lines of
// one cell do not cross.
class PlaneTracer {
 public:
  PlaneTracer(const ShiftMap& map, const std::vector<ShiftMapCrossing>& crossings)
      : map_(map) {
    for (const ShiftMapCrossing& x : crossings) {
      const double t = x.alongX1 ? (x.x1 - map.X1(x.i1)) / (map.X1(x.i1 + 1) - map.X1(x.i1))
                                 : (x.x2 - map.X2(x.i2)) / (map.X2(x.i2 + 1) - map.X2(x.i2));
      at_[Key(x.i1, x.i2, x.alongX1, x.k)].push_back(t);
    }
    for (auto& [key, ts] : at_) std::sort(ts.begin(), ts.end());
  }

  // The region's fill and boundary.
  void Trace(MapRegion& region) const {
    const int n = map_.size, k = region.k;
    for (int i2 = 0; i2 + 1 < n; ++i2) {
      int run = -1;  // first cell of a run of whole cells
      for (int i1 = 0; i1 + 1 < n; ++i1) {
        const bool whole = Inside(map_.At(i1, i2), k) && Inside(map_.At(i1 + 1, i2), k) &&
                           Inside(map_.At(i1 + 1, i2 + 1), k) && Inside(map_.At(i1, i2 + 1), k) &&
                           !Crossed(i1, i2, k);
        if (whole && run < 0) run = i1;
        if (!whole && run >= 0) {
          region.fill.push_back(Rect(run, i1, i2));
          run = -1;
        }
        if (!whole) Cell(i1, i2, region);
      }
      if (run >= 0) region.fill.push_back(Rect(run, n - 1, i2));
    }
  }

  // The crossings of an iso-line joined in each cell.
  std::vector<MapSegment> Segments(int k) const {
    MapRegion line;
    line.k = k;
    const int n = map_.size;
    for (int i2 = 0; i2 + 1 < n; ++i2) {
      for (int i1 = 0; i1 + 1 < n; ++i1) Cell(i1, i2, line, false);
    }
    return line.boundary;
  }

 private:
  static long long Key(int i1, int i2, bool alongX1, int k) {
    return ((static_cast<long long>(i2) * 4096 + i1) * 2 + (alongX1 ? 1 : 0)) * 128 + (k + 1);
  }

  const std::vector<double>* Ts(int i1, int i2, bool alongX1, int k) const {
    const auto it = at_.find(Key(i1, i2, alongX1, k));
    return it == at_.end() ? nullptr : &it->second;
  }

  bool Crossed(int i1, int i2, int k) const {
    return Ts(i1, i2, true, k) || Ts(i1, i2 + 1, true, k) || Ts(i1, i2, false, k) ||
           Ts(i1 + 1, i2, false, k);
  }

  std::vector<MapXY> Rect(int from, int to, int i2) const {
    const double a = map_.X1(from), b = map_.X1(to), y0 = map_.X2(i2), y1 = map_.X2(i2 + 1);
    return {{a, y0}, {b, y0}, {b, y1}, {a, y1}};
  }

  // Edge j runs from corner j to corner j + 1: bottom, right, top, left.
  void Cell(int i1, int i2, MapRegion& region, bool fill = true) const {
    const int k = region.k;
    const int c1[4] = {i1, i1 + 1, i1 + 1, i1}, c2[4] = {i2, i2, i2 + 1, i2 + 1};
    std::vector<MapXY> polygon, changes;
    for (int j = 0; j < 4; ++j) {
      const int a1 = c1[j], a2 = c2[j], b1 = c1[(j + 1) % 4], b2 = c2[(j + 1) % 4];
      if (fill && Inside(map_.At(a1, a2), k)) polygon.push_back({map_.X1(a1), map_.X2(a2)});
      // Crossings are kept along the edge from its lower grid point.
      const bool reversed = a1 > b1 || a2 > b2;
      const std::vector<double>* ts = Ts(std::min(a1, b1), std::min(a2, b2), a2 == b2, k);
      if (!ts) continue;
      for (std::size_t i = 0; i < ts->size(); ++i) {
        const double t = reversed ? 1.0 - (*ts)[ts->size() - 1 - i] : (*ts)[i];
        const MapXY p{map_.X1(a1) + t * (map_.X1(b1) - map_.X1(a1)),
                      map_.X2(a2) + t * (map_.X2(b2) - map_.X2(a2))};
        polygon.push_back(p);
        changes.push_back(p);
      }
    }
    if (fill && polygon.size() >= 3) region.fill.push_back(std::move(polygon));
    // Walking from a corner outside, the first change enters the region;
    // from a corner inside, it leaves it: join an exit to the next entry.
    const std::size_t first = fill && Inside(map_.At(i1, i2), k) ? 0 : 1;
    for (std::size_t i = 0; i + 1 < changes.size(); i += 2) {
      region.boundary.push_back(
          {changes[(first + i) % changes.size()], changes[(first + i + 1) % changes.size()]});
    }
  }

  const ShiftMap& map_;
  std::unordered_map<long long, std::vector<double>> at_;
};

void PlaneScene(ShiftMapScene& scene, const GearPair& base, const ShiftMapData& data,
                const ShiftMapRequest& request) {
  const ShiftMap& map = data.plane;
  scene.xMin = map.range.x1Min;
  scene.xMax = map.range.x1Max;
  scene.yMin = map.range.x2Min;
  scene.yMax = map.range.x2Max;
  scene.xTicks = Ticks(scene.xMin, scene.xMax);
  scene.yTicks = Ticks(scene.yMin, scene.yMax);
  const bool anyUnchecked = std::any_of(map.points.begin(), map.points.end(),
                                        [](const ShiftMapPoint& p) { return !p.valid; });
  scene.regions = EmptyRegions(data.lines, anyUnchecked);
  if (Cancelled(request)) return;
  const auto crossings =
      TraceCrossings(map, base, ReportFindings, 1e-4, request.threads, request.cancel);
  if (Cancelled(request)) return;
  const PlaneTracer tracer(map, crossings);
  for (MapRegion& r : scene.regions) tracer.Trace(r);
  for (const IsoLevel& iso : kIsoLevels) {
    if (Cancelled(request)) return;
    MapIsoLine line;
    line.label = iso.label;
    line.segments =
        PlaneTracer(map, IsoCrossings(map, base, iso.q, iso.level, 1e-4, request.threads,
                                      request.cancel))
            .Segments(0);
    line.polylines = Chained(line.segments);
    if (!line.segments.empty()) line.labelAt = line.segments[line.segments.size() / 2][0];
    scene.isoLines.push_back(std::move(line));
  }
  if (base.x1 >= scene.xMin && base.x1 <= scene.xMax && base.x2 >= scene.yMin &&
      base.x2 <= scene.yMax) {
    scene.current = MapXY{base.x1, base.x2};
  }
  if (base.shiftDistributed) {
    const double sum = LineSum(base);
    const double a = std::max(scene.xMin, sum - scene.yMax);
    const double b = std::min(scene.xMax, sum - scene.yMin);
    if (a < b) {
      scene.keptSum = MapSegment{MapXY{a, sum - a}, MapXY{b, sum - b}};
      scene.keptSumLabel = "x1 + x2 = " + Fixed(sum, 4);
    }
  }
  scene.complete = data.complete;
}

void LineScene(ShiftMapScene& scene, const GearPair& base, const ShiftMapData& data,
               const ShiftMapRequest& request) {
  const ShiftLine& line = data.line;
  scene.yLabel.clear();
  scene.xMin = line.x1Min;
  scene.xMax = line.x1Max;
  scene.xTicks = Ticks(scene.xMin, scene.xMax);
  const bool anyUnchecked = std::any_of(line.points.begin(), line.points.end(),
                                        [](const ShiftMapPoint& p) { return !p.valid; });
  scene.regions = EmptyRegions(data.lines, anyUnchecked);
  scene.rows = std::max<int>(1, static_cast<int>(scene.regions.size()));
  scene.yMin = 0.0;
  scene.yMax = scene.rows;
  if (Cancelled(request)) return;
  const auto crossings = TraceLineCrossings(line, base, ReportFindings);
  // Each region's row: its intervals, from where it begins to where it
  // ends along x1, at the refined crossings.
  for (std::size_t r = 0; r < scene.regions.size(); ++r) {
    MapRegion& region = scene.regions[r];
    const double top = scene.rows - static_cast<double>(r), bottom = top - 1.0;
    std::optional<double> start;
    if (Inside(line.points[0], region.k)) start = line.X1(0);
    for (const ShiftLineCrossing& x : crossings) {
      if (x.k != region.k) continue;
      region.boundary.push_back({MapXY{x.x1, bottom}, MapXY{x.x1, top}});
      if (start) {
        region.fill.push_back({{*start, bottom}, {x.x1, bottom}, {x.x1, top}, {*start, top}});
        start.reset();
      } else {
        start = x.x1;
      }
    }
    const double end = line.X1(line.size - 1);
    if (start) region.fill.push_back({{*start, bottom}, {end, bottom}, {end, top}, {*start, top}});
  }
  for (const IsoLevel& iso : kIsoLevels) {
    if (Cancelled(request)) return;
    MapIsoLine l;
    l.label = iso.label;
    for (double x : IsoLineCrossings(line, base, iso.q, iso.level)) {
      l.segments.push_back({MapXY{x, scene.yMin}, MapXY{x, scene.yMax}});
      l.polylines.push_back({MapXY{x, scene.yMin}, MapXY{x, scene.yMax}});
    }
    // Staggered down the rows: contact-ratio levels often lie close.
    if (!l.segments.empty()) {
      const double below = std::min<double>(scene.isoLines.size(), scene.rows - 1);
      l.labelAt = MapXY{l.segments.front()[1].x, scene.yMax - below};
    }
    scene.isoLines.push_back(std::move(l));
  }
  if (base.x1 >= scene.xMin && base.x1 <= scene.xMax) scene.current = MapXY{base.x1, scene.yMax};
  scene.currentLabel = "x1";
  if (line.shape == ShiftMapShape::SumLine) {
    scene.xLabel = "x1   (x1 + x2 = " + Fixed(line.sum, 4) + ")";
  }
  scene.complete = data.complete;
}

}  // namespace

ShiftMapData ComputeShiftMapData(const GearPair& base, const ShiftMapRequest& request) {
  ShiftMapData data;
  data.shape = ShapeOf(base);
  GearPair work = base;
  if (data.shape == ShiftMapShape::Plane) {
    ShiftMapOptions options;
    options.range = request.range;
    options.size = request.size;
    options.threads = request.threads;
    options.cancel = request.cancel;
    data.plane = ComputeShiftMap(base, options, ReportFindings);
    const ShiftMap& map = data.plane;
    data.lines = LinesOf(map.points, work, [&](std::size_t i) {
      const int i1 = static_cast<int>(i % map.size), i2 = static_cast<int>(i / map.size);
      EvaluateShiftPoint(work, base, map.X1(i1), map.X2(i2), ReportFindings);
    });
    data.complete = map.complete;
  } else {
    data.line = ComputeShiftLine(base, request.range.x1Min, request.range.x1Max, request.size,
                                 ReportFindings, request.cancel);
    const ShiftLine& line = data.line;
    data.lines = LinesOf(line.points, work, [&](std::size_t i) {
      EvaluateLinePoint(work, base, line.X1(static_cast<int>(i)), ReportFindings);
    });
    data.complete = line.complete;
  }
  if (Cancelled(request)) data.complete = false;
  return data;
}

ShiftMapScene BuildShiftMapScene(const GearPair& base, const ShiftMapData& data,
                                 const ShiftMapRequest& request) {
  ShiftMapScene scene;
  scene.shape = data.shape;
  scene.size = data.shape == ShiftMapShape::Plane ? data.plane.size : data.line.size;
  if (data.shape == ShiftMapShape::Plane) {
    PlaneScene(scene, base, data, request);
  } else {
    LineScene(scene, base, data, request);
  }
  if (Cancelled(request)) scene.complete = false;
  for (const MapRegion& r : scene.regions) {
    scene.legend.push_back({r.text, r.colour, r.fillOpacity, r.hatch});
  }
  scene.legend.push_back({kMapFaultlessText, {255, 255, 255}, 1.0, MapHatch::None});
  return scene;
}

MapProbe ProbeShiftMap(const GearPair& base, ShiftMapShape shape, double x, double y) {
  MapProbe probe;
  GearPair work = base;
  ShiftMapPoint p;
  if (shape == ShiftMapShape::Plane) {
    p = EvaluateShiftPoint(work, base, x, y, ReportFindings);
  } else {
    p = EvaluateLinePoint(work, base, x, ReportFindings);
  }
  probe.x1 = work.x1;
  probe.x2 = work.x2;
  probe.checked = p.valid;
  if (p.valid) {
    for (const ReportLine& line : ReportLines(work)) {
      if (line.kind != ReportLineKind::PerfectPair) probe.findings.push_back(LineAsText(line));
    }
  }
  return probe;
}

std::string TextWithoutNumbers(const std::string& text) {
  std::size_t end = text.size();
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (std::isdigit(static_cast<unsigned char>(text[i]))) {
      end = i;
      break;
    }
  }
  std::string s = text.substr(0, end);
  const auto trim = [&] {
    while (!s.empty() && std::string(" =,:(<-+.").find(s.back()) != std::string::npos) s.pop_back();
  };
  trim();
  // A symbol's letter whose subscript the report draws over a blank run
  // ("d" of "d a2max", "z" of "z 1min") goes with its number.
  const auto blank = s.rfind(' ');
  if (blank != std::string::npos && s.size() - blank == 2) {
    s.erase(blank);
    trim();
  }
  const auto first = s.find_first_not_of(' ');
  return first == std::string::npos ? "" : s.substr(first);
}

}  // namespace kolmira
