// Identification round trips: the wheel's chord, span and dimension over
// balls are computed here from its true data with textbook gear geometry;
// each parameter, started from a wrong estimate, must come back.
#include "engine/Identification.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "TestPairs.h"
#include "engine/TextbookGear.h"

namespace kolmira {
namespace {

using test::Deg;

// A wheel by its basic data and its textbook measurements.
using Wheel = test::TextbookGear;

// The state as the identification reads it: the measured wheel, its
// estimates in every method.
GearPair StateOf(const Wheel& w) {
  GearPair g;
  g.gearType = w.ring ? GearType::Internal : GearType::External;
  g.z2 = w.ring ? -w.z : w.z;
  g.da2 = w.ring ? -w.Da() : w.Da();
  g.mn = w.mn, g.alphaP = w.an, g.beta = w.beta, g.x2 = w.x;
  for (int m = 0; m < 3; ++m) {
    g.mnId[m] = w.mn;
    g.alphaId[m] = w.an;
    g.betaId[m] = w.beta;
    g.xId[m] = w.x;
  }
  return g;
}

double& Estimate(GearPair& g, int method, int which) {
  return which == 0   ? g.mnId[method]
         : which == 1 ? g.alphaId[method]
         : which == 2 ? g.betaId[method]
                      : g.xId[method];
}

struct RoundTrip {
  const char* name;
  Wheel wheel;
  double chordDiameterOverD;  // where the chord is taken, relative to d
  int spanCount;
  double ballOverModule;  // ball diameter per module
};

// External wheels and rings, odd and even, spur and helical.
const RoundTrip kWheels[] = {
    {"helical", {3.0, 40.0, Deg(20), Deg(15), 0.2}, 1.0, 6, 1.8},
    {"helical chord above d", {3.0, 40.0, Deg(20), Deg(15), 0.2}, 1.02, 6, 2.0},
    {"odd helical", {2.0, 27.0, Deg(17.5), Deg(25), -0.3}, 1.0, 4, 1.7},
    {"spur", {4.0, 31.0, Deg(20), 0.0, 0.35}, 1.0, 5, 1.75},
    {"ring", {3.0, 60.0, Deg(22.5), Deg(12), 0.15, true}, 1.0, 7, 1.6},
    {"odd spur ring", {2.5, 71.0, Deg(20), 0.0, 0.1, true}, 1.01, 8, 1.7},
};

// Estimates off the true value, so that each method has to move them.
const double kOffset[4] = {0.05, Deg(1.5), -Deg(2.0), -0.2};

TEST(IdentificationRoundTrip, RackFromItsStraightFlank) {
  // A rack's tooth is pi mn / 2 thick on the reference line, ha under its
  // tip, and 2 tan an thinner per unit of height above it.
  GearPair g;
  g.gearType = GearType::External, g.rackMode = true, g.ha2 = 2.5, g.alphaP = Deg(20);
  const double mn = 2.5;
  const double an = Deg(22);
  g.hcMeas = 1.7, g.scMeas = kPi / 2.0 * mn - 2.0 * (g.ha2 - g.hcMeas) * std::tan(an);

  g.alphaId[0] = an, g.mnId[0] = 3.0;
  EXPECT_EQ(IdentifyFromChord(g, kIdentModule), IdentOutcome::Solved);
  EXPECT_NEAR(g.mnId[0], mn, 1e-12);

  g.alphaId[0] = Deg(30);
  EXPECT_EQ(IdentifyFromChord(g, kIdentProfileAngle), IdentOutcome::Solved);
  EXPECT_NEAR(g.alphaId[0], an, 1e-12);

  // Measured on the reference line there is no angle to find: the pair's
  // profile angle stands.
  g.hcMeas = g.ha2;
  EXPECT_EQ(IdentifyFromChord(g, kIdentProfileAngle), IdentOutcome::Solved);
  EXPECT_EQ(g.alphaId[0], g.alphaP);
  // Nor has a rack a helix angle or shift to identify.
  g.betaId[0] = 0.1;
  EXPECT_EQ(IdentifyFromChord(g, kIdentHelixAngle), IdentOutcome::NoResult);
  EXPECT_EQ(g.betaId[0], 0.1);
}

// Each method gives each parameter back from the wheel's measurement. A
// spur gear's chord and dimension over balls do not change to first order
// with the helix angle: that parameter is not identified there. The span
// may be met by more than one profile angle: the true one is among those
// reported, and each reported one gives the span.
TEST(IdentificationRoundTrip, EachMethodGivesEachParameterBack) {
  for (const RoundTrip& c : kWheels) {
    const Wheel& w = c.wheel;
    const double dy = w.D() * c.chordDiameterOverD, ball = c.ballOverModule * w.mn;
    for (const IdentMethod method : {kMethodChordal, kMethodSpan, kMethodBalls}) {
      for (int which = 0; which < 4; ++which) {
        if (which == kIdentHelixAngle && w.beta == 0.0 && method != kMethodSpan) continue;
        SCOPED_TRACE(testing::Message()
                     << c.name << ", method " << method << ", parameter " << which);
        GearPair g = StateOf(w);
        g.scMeas = w.Chord(dy), g.hcMeas = w.ChordHeight(dy), g.zwMeas = c.spanCount;
        g.WMeas = w.Span(c.spanCount), g.DMeas = ball, g.MMeas = w.OverBalls(ball);
        Estimate(g, method, which) += kOffset[which];
        EXPECT_EQ(Identify(g, method, static_cast<IdentParameter>(which)), IdentOutcome::Solved);
        EXPECT_TRUE(g.messages.empty());
        if (method == kMethodChordal) {
          EXPECT_NEAR(g.alphaTId[0], w.At(), 1e-8);
        }
        if (method != kMethodSpan || which != kIdentProfileAngle) {
          EXPECT_NEAR(Estimate(g, method, which), w.Param(which), 1e-8);
          continue;
        }
        const double found[3] = {g.alphaId[1], g.alphaId2, g.alphaId3};
        ASSERT_GE(g.idSolutionCount, 1);
        double nearest = 1.0;
        for (int i = 0; i < g.idSolutionCount; ++i) {
          EXPECT_NEAR(w.Span(c.spanCount, found[i]), g.WMeas, 1e-9) << "solution " << i + 1;
          nearest = std::min(nearest, std::fabs(found[i] - w.an));
        }
        EXPECT_LT(nearest, 1e-8);
      }
    }
  }
}

// ---------------------------------------------------------------------------
// Span over its extremum

// The span method's W(an) for a wheel, searched by the test itself: the
// extremum between lo and hi by golden section (maximum when `max`).
double Extremum(const Wheel& w, int k, double lo, double hi, bool max) {
  const double r = (std::sqrt(5.0) - 1.0) / 2.0;
  auto f = [&](double a) { return max ? -w.Span(k, a) : w.Span(k, a); };
  for (int i = 0; i < 200; ++i) {
    const double a = hi - r * (hi - lo);
    const double b = lo + r * (hi - lo);
    if (f(a) < f(b)) {
      hi = b;
    } else {
      lo = a;
    }
  }
  return (lo + hi) / 2.0;
}

void ExpectSolutionsGiveTheSpan(const GearPair& g, const Wheel& w, int k) {
  const double found[3] = {g.alphaId[1], g.alphaId2, g.alphaId3};
  for (int i = 0; i < g.idSolutionCount; ++i) {
    EXPECT_GT(found[i], 0.0) << "solution " << i + 1;
    EXPECT_NEAR(w.Span(k, found[i]), g.WMeas, 1e-9) << "solution " << i + 1;
  }
}

TEST(IdentificationSpan, NearItsMinimumTwoProfileAnglesGiveTheSpan) {
  // Unshifted: W falls from pi mn (k - 0.5) at an = 0 to a minimum, then
  // rises. A span just above the minimum is met once on either side.
  const Wheel w{3.0, 40.0, Deg(20), Deg(10), 0.0};
  const int k = 5;
  const double aMin = Extremum(w, k, 0.05, 1.2, /*max=*/false);
  GearPair g = StateOf(w);
  g.zwMeas = k, g.WMeas = w.Span(k, aMin) + 0.01;
  ASSERT_LT(g.WMeas, w.Span(k, 0.0));
  EXPECT_EQ(IdentifyFromSpan(g, kIdentProfileAngle), IdentOutcome::Solved);
  EXPECT_NEAR(g.alphaExt, aMin, 1e-6);
  ASSERT_EQ(g.idSolutionCount, 2);
  ExpectSolutionsGiveTheSpan(g, w, k);
  EXPECT_LT(g.alphaId[1], aMin);  // the main result below the minimum
  EXPECT_GT(g.alphaId2, aMin);
  EXPECT_EQ(g.alphaIdLow, g.alphaId[1]);

  // Above the span at an = 0 only the branch beyond the minimum remains.
  g.WMeas = w.Span(k, 0.0) + 0.5;
  IdentifyFromSpan(g, kIdentProfileAngle);
  EXPECT_EQ(g.idSolutionCount, 1);
  EXPECT_GT(g.alphaId[1], aMin);
  ExpectSolutionsGiveTheSpan(g, w, k);
}

TEST(IdentificationSpan, PositiveShiftAddsAMaximumAndAThirdSolution) {
  // With a positive shift W first rises (2 x mn sin an), passes a maximum,
  // falls to a minimum and rises again: between the larger of W(0) and the
  // minimum and the maximum, three profile angles give the span.
  for (bool ring : {false, true}) {
    SCOPED_TRACE(ring ? "ring" : "external");
    // The ring's span rises with -x.
    const Wheel w{3.0, 40.0, Deg(20), 0.0, ring ? -0.5 : 0.5, ring};
    const int k = 5;
    const double aMax = Extremum(w, k, 1e-4, 0.2, /*max=*/true);
    const double aMin = Extremum(w, k, aMax, 1.0, /*max=*/false);
    const double top = w.Span(k, aMax);
    const double floor = std::max(w.Span(k, 0.0), w.Span(k, aMin));
    ASSERT_LT(floor, top);
    GearPair g = StateOf(w);
    g.zwMeas = k, g.WMeas = (floor + top) / 2.0;
    EXPECT_EQ(IdentifyFromSpan(g, kIdentProfileAngle), IdentOutcome::Solved);
    EXPECT_NEAR(g.alphaExt, aMax, 1e-6);
    EXPECT_NEAR(g.alphaExt2, aMin, 1e-6);
    ASSERT_EQ(g.idSolutionCount, 3);
    ExpectSolutionsGiveTheSpan(g, w, k);
    // Main result between the extrema, then beyond the minimum, then below
    // the maximum.
    EXPECT_GT(g.alphaId[1], aMax);
    EXPECT_LT(g.alphaId[1], aMin);
    EXPECT_GT(g.alphaId2, aMin);
    EXPECT_LT(g.alphaId3, aMax);

    // Above the maximum a single profile angle is left, beyond the minimum.
    g.WMeas = top + 0.3;
    IdentifyFromSpan(g, kIdentProfileAngle);
    EXPECT_EQ(g.idSolutionCount, 1);
    ExpectSolutionsGiveTheSpan(g, w, k);
  }
}

TEST(IdentificationSpan, SlopeExpressionVanishesAtTheExtremaOfTheSpan) {
  // Its zeros are those of dW/dan, taken here by central differences of the
  // textbook span; its sign is that of the slope.
  for (const Wheel& w :
       {Wheel{3.0, 40.0, Deg(20), Deg(25), 0.4}, Wheel{2.0, 55.0, Deg(20), Deg(12), -0.2, true}}) {
    GearPair g = StateOf(w);
    g.zwMeas = 6;
    for (double a = 0.05; a < 1.3; a += 0.1) {
      const double h = 1e-6;
      const double slope = (w.Span(6, a + h) - w.Span(6, a - h)) / (2.0 * h);
      EXPECT_NEAR(SpanSlopeAtProfileAngle(g, a) * w.mn, slope, 1e-6 * (1.0 + std::fabs(slope)));
      EXPECT_NEAR(SpanAtProfileAngle(g, a), w.Span(6, a), 1e-10);
    }
  }
}

TEST(IdentificationSpan, HelixAngleBelowTheSpurSpanIsUnsolvable) {
  // The helix angle only widens the transverse pressure angle and with it
  // the span of an external wheel: a span shorter than the spur wheel's has
  // no helix angle.
  const Wheel w{3.0, 40.0, Deg(20), Deg(15), 0.2};
  GearPair g = StateOf(w);
  g.zwMeas = 6;
  Wheel spur = w;
  spur.beta = 0.0;
  g.WMeas = spur.Span(6) - 0.05;
  EXPECT_EQ(IdentifyFromSpan(g, kIdentHelixAngle), IdentOutcome::Unsolvable);
  EXPECT_EQ(g.betaId[1], kUnsolvableHelix);
  // The spur wheel's own span gives 0 exactly.
  g.WMeas = spur.Span(6);
  EXPECT_EQ(IdentifyFromSpan(g, kIdentHelixAngle), IdentOutcome::Solved);
  EXPECT_EQ(g.betaId[1], 0.0);
}

TEST(IdentificationSpan, RootSearchStopsAtItsBounds) {
  // Root of cos(a) - 0.5 at pi/3; none before an upper bound below it; a
  // root in the last, shortened step is still found.
  auto f = [](double a) { return std::cos(a) - 0.5; };
  EXPECT_NEAR(IdentRootSearch(f, 1e-6, kIdentSearchEnd), kPi / 3.0, 1e-10);
  EXPECT_EQ(IdentRootSearch(f, 1e-6, 1.0), 0.0);
  EXPECT_NEAR(IdentRootSearch(f, 1.04, 1.05), kPi / 3.0, 1e-10);
  EXPECT_EQ(IdentRootSearch(f, 1.2, 1.1), 0.0);
  // A function without a sign change ends at pi/2.
  EXPECT_EQ(IdentRootSearch([](double a) { return 1.0 + a; }, 0.0, kIdentSearchEnd), 0.0);
  // A module of zero gives no span: no root, no endless search.
  GearPair g = StateOf({0.0, 40.0, Deg(20), 0.0, 0.0});
  g.zwMeas = 5, g.WMeas = 40.0;
  EXPECT_EQ(IdentifyFromSpan(g, kIdentProfileAngle), IdentOutcome::NoResult);
  EXPECT_EQ(g.alphaId[1], 0.0);
  EXPECT_EQ(IdentifyFromSpan(g, kIdentShift), IdentOutcome::Unsolvable);
  EXPECT_TRUE(std::isfinite(g.xId[1]));
}

// ---------------------------------------------------------------------------
// Newton failures

TEST(IdentificationChord, AFailedSolveBlocksTheNextRunWithABeep) {
  const Wheel w{3.0, 40.0, Deg(20), Deg(15), 0.2};
  GearPair g = StateOf(w);
  // A chord of 9 mm only 2 mm under the tip: wider than the tooth of any
  // profile angle there. The iteration runs to its limit; its last iterate
  // is no profile angle, and the estimate stays.
  g.scMeas = 9.0, g.hcMeas = 2.0;
  EXPECT_EQ(Identify(g, kMethodChordal, kIdentProfileAngle), IdentOutcome::Failed);
  ASSERT_TRUE(g.newtonFailed);
  EXPECT_EQ(g.alphaId[0], w.an);
  ASSERT_EQ(g.messages.size(), 1u);
  EXPECT_EQ(g.messages[0].kind, Message::Kind::Beep);

  // A measurement that would solve is not tried: a beep, nothing else.
  g.messages.clear();
  g.scMeas = w.Chord(w.D()), g.hcMeas = w.ChordHeight(w.D()), g.xId[0] = w.x + 0.1;
  EXPECT_EQ(Identify(g, kMethodChordal, kIdentShift), IdentOutcome::Blocked);
  ASSERT_EQ(g.messages.size(), 1u);
  EXPECT_EQ(g.messages[0].kind, Message::Kind::Beep);
  EXPECT_EQ(g.xId[0], w.x + 0.1);

  // The balls method beeps for it too, but solves; its success clears the
  // way for the chord.
  g.messages.clear();
  g.DMeas = 5.4, g.MMeas = w.OverBalls(5.4), g.xId[2] = w.x - 0.1;
  EXPECT_EQ(Identify(g, kMethodBalls, kIdentShift), IdentOutcome::Solved);
  EXPECT_EQ(g.messages.size(), 1u);
  EXPECT_NEAR(g.xId[2], w.x, 1e-8);
  g.messages.clear();
  EXPECT_EQ(Identify(g, kMethodChordal, kIdentShift), IdentOutcome::Solved);
  EXPECT_NEAR(g.xId[0], w.x, 1e-8);
  EXPECT_TRUE(g.messages.empty());
}

}  // namespace
}  // namespace kolmira
