// The map's picture against the check it is drawn from: a point the picture
// shows inside a region is a point where the check reports that line.
#include "report/ShiftMapScene.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "../engine/ShiftedPair.h"
#include "TestPairs.h"
#include "engine/Check.h"
#include "engine/PairGeometry.h"
#include "report/ShiftMapExport.h"

namespace kolmira {
namespace {

using test::PairData;
using test::ShiftedPair;

// Even-odd rule over all polygons of a region: the cells' polygons do not
// overlap, so a point is inside the region when inside one of them.
bool InRegion(const MapRegion& r, MapXY p) {
  for (const auto& poly : r.fill) {
    bool in = false;
    for (std::size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
      const MapXY a = poly[i], b = poly[j];
      if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) {
        in = !in;
      }
    }
    if (in) return true;
  }
  return false;
}

double DistanceToSegment(MapXY p, const MapSegment& s) {
  const double dx = s[1].x - s[0].x, dy = s[1].y - s[0].y;
  const double len2 = dx * dx + dy * dy;
  const double t =
      len2 > 0 ? std::clamp(((p.x - s[0].x) * dx + (p.y - s[0].y) * dy) / len2, 0.0, 1.0) : 0.0;
  return std::hypot(p.x - s[0].x - t * dx, p.y - s[0].y - t * dy);
}

struct SceneCase {
  const char* name;
  GearPair pair;
  ShiftMapRange range;
};

std::vector<SceneCase> Cases() {
  GearPair bevel = test::StandardBevelPair();
  bevel.z1Bevel = 11.0;
  bevel.z2Bevel = 13.0;
  bevel.pairComputed = true;
  BevelGeometry(bevel);
  GearPair rack = ShiftedPair({2.0, 12.0, 40.0});
  rack.rackMode = true;
  rack.z2 = 5000.0;
  GearPair kept = ShiftedPair({2.0, 14.0, 30.0, 0.2, 0.1});
  kept.shiftDistributed = true;
  return {
      {"helical 13/37", ShiftedPair({2.0, 13.0, 37.0, 0.3, 0.1, 15.0, 25.0}), {-0.4, 1.0, -0.6, 1.2}},
      {"internal 20/-60", ShiftedPair({2.0, 20.0, -60.0, 0.0, 0.0, 0.0, 20.0, 35}),
       {-0.5, 1.0, -0.5, 1.0}},
      {"bevel 11/13", bevel, {-0.6, 0.8, 0, 1}},
      {"rack 12", rack, {-0.6, 1.0, 0, 1}},
      {"kept sum 14/30", kept, {-0.6, 0.9, 0, 1}},
  };
}

// What the check reports at a map point, and the point's (x, y) in the
// scene's coordinates for each region's row.
ShiftMapPoint Direct(const GearPair& base, ShiftMapShape shape, double x1, double x2) {
  GearPair work = base;
  return shape == ShiftMapShape::Plane ? EvaluateShiftPoint(work, base, x1, x2, ReportFindings)
                                       : EvaluateLinePoint(work, base, x1, ReportFindings);
}

// On a line map region r has row r; a point of x1 is probed in the row's
// middle.
MapXY InRow(const ShiftMapScene& scene, std::size_t r, double x1) {
  return {x1, scene.rows - static_cast<double>(r) - 0.5};
}

void PrintTo(const SceneCase& c, std::ostream* out) {
  *out << c.name;
}

class SceneCases : public ::testing::TestWithParam<SceneCase> {};

TEST_P(SceneCases, RegionsAgreeWithTheCheck) {
  const SceneCase& c = GetParam();
  ShiftMapRequest request;
  request.range = c.range;
  request.size = 41;
  const ShiftMapData data = ComputeShiftMapData(c.pair, request);
  const ShiftMapScene scene = BuildShiftMapScene(c.pair, data, request);
  ASSERT_TRUE(scene.complete);
  ASSERT_EQ(scene.shape, ShapeOf(c.pair));
  const bool plane = scene.shape == ShiftMapShape::Plane;
  ASSERT_FALSE(scene.regions.empty()) << "nothing to test in this range";

  const auto agrees = [&](double x1, double x2, const char* where) {
    if (x1 < scene.xMin || x1 > scene.xMax) return;
    if (plane && (x2 < scene.yMin || x2 > scene.yMax)) return;
    const ShiftMapPoint p = Direct(c.pair, scene.shape, x1, x2);
    for (std::size_t r = 0; r < scene.regions.size(); ++r) {
      const MapRegion& region = scene.regions[r];
      const bool reported = region.k == kValidityLine
                                ? !p.valid
                                : p.valid && ((p.findings >> region.k) & 1u);
      const MapXY at = plane ? MapXY{x1, x2} : InRow(scene, r, x1);
      EXPECT_EQ(InRegion(region, at), reported)
          << where << " x1 " << x1 << " x2 " << x2 << " region k " << region.k;
    }
  };

  // Random points away from every boundary.
  std::mt19937 random(7);
  std::uniform_real_distribution<double> u1(scene.xMin, scene.xMax), u2(c.range.x2Min,
                                                                         c.range.x2Max);
  int tested = 0;
  for (int i = 0; i < 300 && tested < 60; ++i) {
    const double x1 = u1(random), x2 = plane ? u2(random) : 0.0;
    bool nearBoundary = false;
    for (const MapRegion& r : scene.regions) {
      for (const MapSegment& s : r.boundary) {
        const MapXY p = plane ? MapXY{x1, x2} : MapXY{x1, s[0].y + 0.5};
        if (DistanceToSegment(p, s) < 5e-3) nearBoundary = true;
      }
    }
    if (nearBoundary) continue;
    ++tested;
    agrees(x1, x2, "random");
  }
  EXPECT_GT(tested, 20);

  // Within 1e-3 of each traced crossing, on both sides. Not where the
  // line crosses its grid edge twice: a tongue narrower than the grid that
  // enters and leaves a cell by one edge has its crossings traced, but its
  // shape inside the cell is not known; nor where another change of the
  // check lies closer than the probes.
  int crossings = 0;
  if (plane) {
    const auto all = TraceCrossings(data.plane, c.pair, ReportFindings);
    const auto sameEdge = [](const ShiftMapCrossing& x, const ShiftMapCrossing& y) {
      return y.i1 == x.i1 && y.i2 == x.i2 && y.alongX1 == x.alongX1;
    };
    const auto alone = [&](const ShiftMapCrossing& x) {
      return std::none_of(all.begin(), all.end(), [&](const ShiftMapCrossing& y) {
        if (!sameEdge(x, y)) return false;
        const double d = std::hypot(y.x1 - x.x1, y.x2 - x.x2);
        const bool twice = std::any_of(all.begin(), all.end(), [&](const ShiftMapCrossing& z) {
          return sameEdge(y, z) && z.k == y.k && (z.x1 != y.x1 || z.x2 != y.x2);
        });
        return twice || (d > 1e-9 && d < 2.5e-3);
      });
    };
    for (const ShiftMapCrossing& x : all) {
      if (!alone(x)) continue;
      ++crossings;
      // Just off the grid edge, inside the cell above or right of it.
      const double e = 1e-7;
      for (double d : {-1e-3, 1e-3}) {
        if (x.alongX1) {
          agrees(x.x1 + d, x.x2 + (x.i2 + 1 < data.plane.size ? e : -e), "near crossing");
        } else {
          agrees(x.x1 + (x.i1 + 1 < data.plane.size ? e : -e), x.x2 + d, "near crossing");
        }
      }
    }
  } else {
    for (const ShiftLineCrossing& x : TraceLineCrossings(data.line, c.pair, ReportFindings)) {
      ++crossings;
      for (double d : {-1e-3, 1e-3}) agrees(x.x1 + d, 0.0, "near crossing");
    }
  }
  EXPECT_GT(crossings, 0);
}

INSTANTIATE_TEST_SUITE_P(Pairs, SceneCases, ::testing::ValuesIn(Cases()), [](const auto& info) {
  std::string name = info.param.name;
  for (char& ch : name) {
    if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
  }
  return name;
});

// The legend names each region by the report's text without its numbers,
// then the faultless white; iso-lines and ticks cover the plane.
TEST(ShiftMapScene, LegendIsoLinesAndTicksOfTheStandardPair) {
  const GearPair base = ShiftedPair({3.0, 20.0, 40.0, 0.0, 0.0, 0.0, 30.0});
  ShiftMapRequest request;
  request.range = {-0.6, 1.2, -0.6, 1.2};
  request.size = 15;
  const ShiftMapScene scene =
      BuildShiftMapScene(base, ComputeShiftMapData(base, request), request);
  ASSERT_EQ(scene.legend.size(), scene.regions.size() + 1);
  EXPECT_EQ(scene.legend.back().text, kMapFaultlessText);
  for (std::size_t i = 0; i < scene.regions.size(); ++i) {
    const MapRegion& r = scene.regions[i];
    EXPECT_EQ(scene.legend[i].text, r.text);
    EXPECT_FALSE(r.text.empty());
    EXPECT_EQ(r.text.find_first_of("0123456789"), std::string::npos) << r.text;
    EXPECT_EQ(r.hatch != MapHatch::None, r.kind == ReportLineKind::Warning) << r.text;
  }
  // Errors before warnings.
  for (std::size_t i = 1; i < scene.regions.size(); ++i) {
    EXPECT_FALSE(scene.regions[i - 1].kind == ReportLineKind::Warning &&
                 scene.regions[i].kind == ReportLineKind::Error);
  }
  ASSERT_EQ(scene.isoLines.size(), 4u);
  EXPECT_EQ(scene.isoLines[3].label, "θF1 = θF2");
  // The standard pair's equal-sliding line passes between (0, 0), where the
  // pinion slides more, and the shifted pinion.
  EXPECT_FALSE(scene.isoLines[3].segments.empty());
  EXPECT_FALSE(scene.isoLines[2].segments.empty());
  // Each iso-line's polylines are its segments joined end to end: every
  // segment once, fewer pieces than segments.
  for (const MapIsoLine& iso : scene.isoLines) {
    std::size_t joined = 0;
    for (const auto& line : iso.polylines) {
      for (std::size_t i = 0; i + 1 < line.size(); ++i) {
        ++joined;
        const MapSegment forward{line[i], line[i + 1]}, backward{line[i + 1], line[i]};
        EXPECT_TRUE(std::count(iso.segments.begin(), iso.segments.end(), forward) +
                        std::count(iso.segments.begin(), iso.segments.end(), backward) >
                    0)
            << iso.label;
      }
    }
    EXPECT_EQ(joined, iso.segments.size()) << iso.label;
    if (iso.segments.size() > 3) {
      EXPECT_LT(iso.polylines.size(), iso.segments.size() / 2) << iso.label;
    }
  }
  ASSERT_TRUE(scene.current);
  EXPECT_EQ(*scene.current, (MapXY{0.0, 0.0}));
  ASSERT_FALSE(scene.xTicks.empty());
  EXPECT_GE(scene.xTicks.front().value, scene.xMin - 1e-9);
  EXPECT_LE(scene.xTicks.back().value, scene.xMax + 1e-9);
  EXPECT_EQ(scene.xTicks.front().text, "-0.60");
}

// A cancelled map stops before its scene is complete.
TEST(ShiftMapScene, CancelledMapIsNotComplete) {
  const GearPair base = ShiftedPair({});
  std::atomic<bool> cancel{true};
  ShiftMapRequest request;
  request.size = 31;
  request.cancel = &cancel;
  const ShiftMapData data = ComputeShiftMapData(base, request);
  EXPECT_FALSE(data.complete);
  EXPECT_FALSE(BuildShiftMapScene(base, data, request).complete);
}

// The CSV has a row per point and a column per line; the SVG one region
// path and one boundary path per legend line.
TEST(ShiftMapScene, CsvAndSvgFollowTheData) {
  const GearPair base = ShiftedPair({3.0, 20.0, 40.0, 0.0, 0.0, 0.0, 30.0});
  ShiftMapRequest request;
  request.range = {-0.6, 1.2, -0.6, 1.2};
  request.size = 9;
  const ShiftMapData data = ComputeShiftMapData(base, request);
  const std::string csv = ShiftMapCsv(data);
  EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 9 * 9 + 1);
  const std::string header = csv.substr(0, csv.find('\n'));
  EXPECT_EQ(std::count(header.begin(), header.end(), ','),
            static_cast<long>(data.lines.size()) + 2);
  const std::string svg = ShiftMapSvg(BuildShiftMapScene(base, data, request));
  const auto count = [&](const std::string& what) {
    std::size_t n = 0;
    for (auto at = svg.find(what); at != std::string::npos; at = svg.find(what, at + 1)) ++n;
    return n;
  };
  const std::size_t regions = count("class=\"region\"");
  EXPECT_GT(regions, 0u);
  EXPECT_EQ(count("class=\"boundary\""), regions);
  EXPECT_EQ(count("class=\"legend\""), regions);
}

}  // namespace
}  // namespace kolmira
