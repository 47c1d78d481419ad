// The shift map against the complete check it is made of.
#include "engine/ShiftMap.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <random>

#include "ShiftedPair.h"
#include "engine/Check.h"
#include "engine/PairGeometry.h"
#include "report/Report.h"

namespace kolmira {
namespace {

using test::PairData;
using test::ShiftedPair;

constexpr int kPinionUndercutLine = 15;  // external pairs

struct MapCase {
  const char* name;
  PairData pair;
  ShiftMapRange range;
};

const MapCase kCases[] = {
    {"spur 20/40", {3.0, 20.0, 40.0, 0.0, 0.0, 0.0, 30.0}, {-0.6, 1.2, -0.6, 1.2}},
    {"helical 13/37", {2.0, 13.0, 37.0, 0.3, 0.1, 15.0, 25.0}, {-0.2, 0.9, -0.5, 1.0}},
    {"internal 20/-60", {2.0, 20.0, -60.0, 0.0, 0.0, 0.0, 20.0, 35}, {-0.3, 0.8, -0.3, 0.8}},
};

void PrintTo(const MapCase& c, std::ostream* out) {
  *out << c.name;
}

class ShiftMapCases : public ::testing::TestWithParam<MapCase> {
 protected:
  const MapCase& c = GetParam();
  const GearPair base = ShiftedPair(c.pair);
  // The map of the case's range at `size` points a side.
  ShiftMap MapOf(int size, unsigned threads = 0) const {
    ShiftMapOptions options;
    options.range = c.range;
    options.size = size;
    options.threads = threads;
    return ComputeShiftMap(base, options, ReportFindings);
  }
};

// Every grid point, and random points between, carry the findings of a
// direct check of the pair typed with those shifts.
TEST_P(ShiftMapCases, AgreesWithTheCheck) {
  const ShiftMap map = MapOf(9);
  ASSERT_TRUE(map.complete);

  std::mt19937 random(15);
  std::uniform_int_distribution<int> index(0, map.size - 1);
  int valid = 0;
  for (int i = 0; i < 20; ++i) {
    const int i1 = index(random), i2 = index(random);
    PairData direct = c.pair;
    direct.x1 = map.X1(i1), direct.x2 = map.X2(i2);
    GearPair g = ShiftedPair(direct);
    g.pairComputed = true;
    RunCheckAndReport(g);
    const ShiftMapPoint& p = map.At(i1, i2);
    const bool checked =
        !g.driverError && !g.xSumBelowLimit && !g.xSumAboveLimit && !g.x0SumAboveLimit;
    ASSERT_EQ(p.valid, checked) << "x1 " << direct.x1 << " x2 " << direct.x2;
    if (!checked) continue;
    ++valid;
    EXPECT_EQ(p.findings, ReportFindings(g)) << "x1 " << direct.x1 << " x2 " << direct.x2;
    EXPECT_DOUBLE_EQ(p.epsAlpha, g.epsAlpha);
    EXPECT_DOUBLE_EQ(p.thetaF1, g.thetaF1);
  }
  EXPECT_GT(valid, 0);
}

// Each traced crossing has line k on one side and not on the other, within
// 1e-4 along its grid edge.
TEST_P(ShiftMapCases, CrossingsLieWhereTheCheckFlips) {
  const ShiftMap map = MapOf(6);
  const auto crossings = TraceCrossings(map, base, ReportFindings);
  ASSERT_FALSE(crossings.empty()) << "the range holds no boundary to test";
  GearPair work = base;
  for (const ShiftMapCrossing& x : crossings) {
    const double d1 = x.alongX1 ? 1e-4 : 0.0, d2 = x.alongX1 ? 0.0 : 1e-4;
    const auto below = EvaluateShiftPoint(work, base, x.x1 - d1, x.x2 - d2, ReportFindings);
    const auto above = EvaluateShiftPoint(work, base, x.x1 + d1, x.x2 + d2, ReportFindings);
    // Where the check stops running every line of the checked side ends.
    const FindingMask bit = x.k == kValidityLine ? 0 : FindingMask{1} << x.k;
    const bool flips =
        below.valid != above.valid || (below.findings & bit) != (above.findings & bit);
    EXPECT_TRUE(flips) << "line " << x.k << " at " << x.x1 << ", " << x.x2;
  }
}

// The iso-lines of the contact ratio and of equal root sliding lie where
// the direct check's value passes the level, within 1e-4 along the edge.
TEST_P(ShiftMapCases, IsoLinesLieWhereTheValuePassesTheLevel) {
  const ShiftMap map = MapOf(6);
  struct Level {
    IsoQuantity q;
    double level;
  };
  int found = 0;
  GearPair work = base;
  for (const Level l : {Level{IsoQuantity::EpsAlpha, 1.1}, Level{IsoQuantity::EpsAlpha, 1.2},
                        Level{IsoQuantity::ThetaDifference, 0.0}}) {
    for (const ShiftMapCrossing& x : IsoCrossings(map, base, l.q, l.level)) {
      ++found;
      const double d1 = x.alongX1 ? 1e-4 : 0.0, d2 = x.alongX1 ? 0.0 : 1e-4;
      const auto value = [&](double x1, double x2) {
        const ShiftMapPoint p = EvaluateShiftPoint(work, base, x1, x2, ReportFindings);
        return (l.q == IsoQuantity::EpsAlpha ? p.epsAlpha : p.thetaF1 - p.thetaF2) - l.level;
      };
      const double below = value(x.x1 - d1, x.x2 - d2), above = value(x.x1 + d1, x.x2 + d2);
      EXPECT_LE(below * above, 0.0) << "level " << l.level << " at " << x.x1 << ", " << x.x2;
    }
  }
  EXPECT_GT(found, 0);
}

// Threads split the rows: any number of them gives the one-thread map.
TEST_P(ShiftMapCases, ThreadsGiveTheOneThreadMap) {
  const ShiftMap one = MapOf(12, 1);
  for (unsigned threads : {2u, 3u, 5u}) {
    const ShiftMap many = MapOf(12, threads);
    ASSERT_EQ(many.points.size(), one.points.size());
    for (std::size_t i = 0; i < one.points.size(); ++i) {
      EXPECT_EQ(many.points[i].valid, one.points[i].valid) << threads << " threads, point " << i;
      EXPECT_EQ(many.points[i].findings, one.points[i].findings) << threads << " threads, " << i;
      EXPECT_EQ(many.points[i].epsAlpha, one.points[i].epsAlpha) << threads << " threads, " << i;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Pairs, ShiftMapCases, ::testing::ValuesIn(kCases), [](const auto& info) {
  std::string name = info.param.name;
  for (char& ch : name) {
    if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
  }
  return name;
});

// The pinion's undercut line is the report's own limit x1min: the traced
// boundary of that line stands there, whatever x2.
TEST(ShiftMap, UndercutBoundaryIsTheReportedLimit) {
  const GearPair base = ShiftedPair({2.0, 12.0, 40.0});
  GearPair probe = base;
  probe.pairComputed = true;
  RunCheckAndReport(probe);
  ASSERT_TRUE(ReportFindings(probe) & (FindingMask{1} << kPinionUndercutLine));
  const double x1min = probe.x1min;
  ASSERT_GT(x1min, 0.05);

  ShiftMapOptions options;
  options.range = {x1min - 0.33, x1min + 0.41, 0.0, 0.6};
  options.size = 5;
  const ShiftMap map = ComputeShiftMap(base, options, ReportFindings);
  int found = 0;
  for (const ShiftMapCrossing& x : TraceCrossings(map, base, ReportFindings)) {
    if (x.k != kPinionUndercutLine) continue;
    ++found;
    EXPECT_TRUE(x.alongX1);
    EXPECT_NEAR(x.x1, x1min, 1e-4) << "at x2 " << x.x2;
  }
  EXPECT_EQ(found, map.size);  // one crossing on each row
}

// The standard 20/40 spur pair of module 3: at (0, 0) the report warns of
// the root sliding of the pinion only, at (0.3, 0.2) it finds nothing.
TEST(ShiftMap, StandardPairRegions) {
  const GearPair base = ShiftedPair({3.0, 20.0, 40.0, 0.0, 0.0, 0.0, 30.0});
  ShiftMapOptions options;
  options.range = {0.0, 0.3, 0.0, 0.2};
  options.size = 2;
  const ShiftMap map = ComputeShiftMap(base, options, ReportFindings);
  GearPair work = base;
  EvaluateShiftPoint(work, base, 0.0, 0.0, ReportFindings);
  const auto lines = ReportLines(work);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].kind, ReportLineKind::Warning);
  EXPECT_NE(lines[0].text.find("skluzu na patě pastorku"), std::string::npos) << lines[0].text;
  EXPECT_EQ(map.At(0, 0).findings, FindingMask{1} << lines[0].k);
  EXPECT_TRUE(map.At(1, 1).valid);
  EXPECT_EQ(map.At(1, 1).findings, 0u);
}

// A pinion with a rack: the line of x1 carries the findings of the rack
// check of the pinion typed with that shift, and the undercut line of the
// pinion flips at the report's x1min.
TEST(ShiftMap, RackLineAgreesWithTheCheck) {
  GearPair base = ShiftedPair({2.0, 12.0, 40.0});
  base.rackMode = true;
  base.z2 = 5000.0;
  const double x1Min = -0.4, x1Max = 0.9;
  const int size = 27;
  const ShiftLine shiftLine = ComputeShiftLine(base, x1Min, x1Max, size, ReportFindings);
  ASSERT_EQ(shiftLine.shape, ShiftMapShape::RackLine);
  const auto& line = shiftLine.points;
  ASSERT_EQ(line.size(), static_cast<std::size_t>(size));
  FindingMask seen = 0, everywhere = ~FindingMask{0};
  for (int i = 0; i < size; ++i) {
    GearPair g = base;
    g.x1 = x1Min + i * ((x1Max - x1Min) / (size - 1));
    g.xSum = g.x1 + g.x2;
    g.geometryReady = 7;
    RackGeometry(g);
    RunCheckRack(g);
    ASSERT_TRUE(line[i].valid);
    EXPECT_EQ(line[i].findings, ReportFindings(g)) << "x1 " << g.x1;
    EXPECT_DOUBLE_EQ(line[i].epsAlpha, g.epsAlpha) << "x1 " << g.x1;
    seen |= line[i].findings;
    everywhere &= line[i].findings;
  }
  // The line crosses at least one boundary.
  EXPECT_NE(seen, everywhere);

  GearPair work = base;
  EvaluateLinePoint(work, base, 0.0, ReportFindings);
  const double x1min = work.x1min;
  const FindingMask undercut = FindingMask{1} << kPinionUndercutLine;
  ASSERT_TRUE(work.undercut1);
  EXPECT_TRUE(EvaluateLinePoint(work, base, x1min - 1e-4, ReportFindings).findings & undercut);
  EXPECT_FALSE(EvaluateLinePoint(work, base, x1min + 1e-4, ReportFindings).findings &
               undercut);
}

// A set cancel flag stops the map before its rows; the rows done are
// complete.
TEST(ShiftMap, CancelStopsBetweenRows) {
  const GearPair base = ShiftedPair({});
  std::atomic<bool> cancel{true};
  ShiftMapOptions options;
  options.size = 40;
  options.cancel = &cancel;
  const ShiftMap stopped = ComputeShiftMap(base, options, ReportFindings);
  EXPECT_FALSE(stopped.complete);
  EXPECT_EQ(stopped.rowsDone, 0);
  for (const ShiftMapPoint& p : stopped.points) EXPECT_FALSE(p.valid);

  // Cancelled from within the findings of the first rows.
  std::atomic<int> calls{0};
  cancel = false;
  const FindingsOf counting = [&](const GearPair& g) {
    if (++calls == options.size * 2) cancel = true;
    return ReportFindings(g);
  };
  const ShiftMap partial = ComputeShiftMap(base, options, counting);
  EXPECT_FALSE(partial.complete);
  EXPECT_LT(partial.rowsDone, options.size);
  EXPECT_GE(partial.rowsDone, 2);
}

// A cancel set while the boundaries are traced stops the tracing between
// rows: fewer crossings than the whole trace, found sooner.
TEST(ShiftMap, CancelStopsTheTracing) {
  const GearPair base = ShiftedPair({3.0, 20.0, 40.0});
  ShiftMapOptions options;
  options.range = {-1.0, 1.5, -1.0, 1.5};
  options.size = 21;
  const ShiftMap map = ComputeShiftMap(base, options, ReportFindings);
  const auto all = TraceCrossings(map, base, ReportFindings, 1e-4, 1);
  std::atomic<bool> cancel{false};
  int calls = 0;
  const FindingsOf counting = [&](const GearPair& g) {
    if (++calls == 50) cancel = true;
    return ReportFindings(g);
  };
  const auto some = TraceCrossings(map, base, counting, 1e-4, 1, &cancel);
  EXPECT_LT(some.size(), all.size());
  EXPECT_LT(calls, 400);
  // The rows done are traced as in the whole trace.
  for (std::size_t i = 0; i < some.size(); ++i) EXPECT_EQ(some[i].x1, all[i].x1);
}

// The default range starts at the lowest shift the fields take and ends
// where the tip is pointed.
TEST(ShiftMap, DefaultRangeEndsAtThePointedTip) {
  const GearPair base = ShiftedPair({2.0, 15.0, 30.0});
  const ShiftMapRange r = DefaultShiftMapRange(base);
  EXPECT_LT(r.x1Min, r.x1Max);
  EXPECT_LT(r.x2Min, r.x2Max);
  EXPECT_GE(r.x1Min, -1.5);
  EXPECT_LE(r.x2Max, 2.5);
  GearPair work = base;
  const auto sa1 = [&](double x1) {
    EvaluateShiftPoint(work, base, x1, base.x2, ReportFindings);
    return work.sa1;
  };
  if (r.x1Max < 2.5) {
    EXPECT_GT(sa1(r.x1Max - 1e-3), 0.0);
    EXPECT_LE(sa1(r.x1Max + 1e-3), 0.0);
  }
}

// A kept centre distance: along the line the wheel takes the rest of the
// kept sum and the centre distance stays; a bevel pair keeps its sum too.
TEST(ShiftMap, SumLinesKeepTheirSum) {
  GearPair kept = ShiftedPair({2.0, 14.0, 30.0, 0.2, 0.1});
  kept.shiftDistributed = true;
  GearPair bevel = test::StandardBevelPair();
  bevel.pairComputed = true;
  bevel.x1 = 0.25, bevel.x2 = -0.25;
  BevelGeometry(bevel);
  for (const GearPair* base : {&kept, &bevel}) {
    ASSERT_EQ(ShapeOf(*base), ShiftMapShape::SumLine);
    const double sum = LineSum(*base);
    GearPair work = *base;
    for (double x1 : {-0.3, 0.05, 0.4}) {
      const ShiftMapPoint p = EvaluateLinePoint(work, *base, x1, ReportFindings);
      EXPECT_TRUE(p.valid) << x1;
      EXPECT_DOUBLE_EQ(work.x1, x1);
      EXPECT_NEAR(work.x1 + work.x2, sum, 1e-12);
      EXPECT_NEAR(work.aw, base->aw, 1e-9) << "x1 " << x1;
    }
    const ShiftLine line = ComputeShiftLine(*base, -0.3, 0.4, 8, ReportFindings);
    EXPECT_TRUE(line.complete);
    EXPECT_NEAR(line.X2Of(0.1), sum - 0.1, 1e-12);
  }
  EXPECT_NEAR(LineSum(kept), 0.3, 1e-12);
  EXPECT_NEAR(LineSum(bevel), 0.0, 1e-12);
}

// Where the shift sum leaves its limit the check stops: the crossing of
// the unchecked region lies at the limit sum, found on the grid edges.
TEST(ShiftMap, UncheckedRegionEndsAtTheLimitSum) {
  const GearPair base = ShiftedPair({1.0, 10.0, 12.0});
  ShiftMapOptions options;
  options.range = {-1.5, 0.5, -1.5, 0.5};
  options.size = 7;
  const ShiftMap map = ComputeShiftMap(base, options, ReportFindings);
  int found = 0;
  GearPair work = base;
  for (const ShiftMapCrossing& x : TraceCrossings(map, base, ReportFindings, 1e-4, 2)) {
    if (x.k != kValidityLine) continue;
    ++found;
    const double d1 = x.alongX1 ? 2e-4 : 0.0, d2 = x.alongX1 ? 0.0 : 2e-4;
    EXPECT_NE(EvaluateShiftPoint(work, base, x.x1 - d1, x.x2 - d2, ReportFindings).valid,
              EvaluateShiftPoint(work, base, x.x1 + d1, x.x2 + d2, ReportFindings).valid)
        << x.x1 << ", " << x.x2;
  }
  EXPECT_GT(found, 0);
  // Threads give the crossings of one thread, in the same order.
  const auto one = TraceCrossings(map, base, ReportFindings, 1e-4, 1);
  const auto two = TraceCrossings(map, base, ReportFindings, 1e-4, 2);
  ASSERT_EQ(one.size(), two.size());
  for (std::size_t i = 0; i < one.size(); ++i) {
    EXPECT_EQ(one[i].k, two[i].k);
    EXPECT_EQ(one[i].x1, two[i].x1);
    EXPECT_EQ(one[i].x2, two[i].x2);
  }
}

// On a line map the contact ratio's iso-points lie where the check's
// value passes the level.
TEST(ShiftMap, IsoPointsOfALine) {
  GearPair base = ShiftedPair({2.0, 12.0, 40.0});
  base.rackMode = true;
  base.z2 = 5000.0;
  const ShiftLine line = ComputeShiftLine(base, -0.4, 1.2, 9, ReportFindings);
  GearPair work = base;
  int found = 0;
  for (double level : {1.2, 1.3, 1.4}) {
    for (double x : IsoLineCrossings(line, base, IsoQuantity::EpsAlpha, level)) {
      ++found;
      const double below = EvaluateLinePoint(work, base, x - 1e-4, ReportFindings).epsAlpha;
      const double above = EvaluateLinePoint(work, base, x + 1e-4, ReportFindings).epsAlpha;
      EXPECT_LE((below - level) * (above - level), 0.0) << "level " << level << " at " << x;
    }
  }
  EXPECT_GT(found, 0);
}

}  // namespace
}  // namespace kolmira
