#include "model/GearPair.h"

#include <gtest/gtest.h>

#include <utility>

#include "TestPairs.h"

namespace kolmira {
namespace {

TEST(SetDefaults, StartsFromTheStandardPairOfEachGearType) {
  struct Case {
    int gearType;
    double cP, rhofP1, rhofP2;
  };
  const Case cases[] = {
      {1, 0.25, 0.38, 0.38},
      {2, 0.25, 0.38, 0.0},  // the ring's fillet comes from the shaper cutter
      {3, 0.2, 0.3, 0.3},
  };
  for (const auto& c : cases) {
    GearPair g;
    g.gearType = test::TypeOf(c.gearType);
    SetDefaults(g);
    EXPECT_EQ(g.haP1Star, 1.0);
    EXPECT_EQ(g.haP2Star, 1.0);
    EXPECT_EQ(g.cP1Star, c.cP) << c.gearType;
    EXPECT_EQ(g.cP2Star, c.cP) << c.gearType;
    EXPECT_EQ(g.rhofP1Star, c.rhofP1) << c.gearType;
    EXPECT_EQ(g.rhofP2Star, c.rhofP2) << c.gearType;
    EXPECT_EQ(g.alphaPDeg, 20.0);
  }
}

TEST(SetDefaults, DerivesTheUnshiftedStandardPair) {
  GearPair g;
  SetDefaults(g);
  EXPECT_DOUBLE_EQ(g.alphaP, 20.0 * kPi / 180.0);
  EXPECT_EQ(g.alphaT, g.alphaP);
  EXPECT_EQ(g.alphaWt, g.alphaP);
  // The pair, the tools and the cutter.
  const std::pair<double, double> values[] = {
      {g.alphaWtDeg, 20.0}, {g.d1, 20.0},  {g.d2, 40.0},        {g.a, 30.0},
      {g.da1, 22.0},        {g.da2, 42.0}, {g.haP01Star, 1.25}, {g.alphaKP01Deg, 45.0},
      {g.prP02, 0.05},      {g.da0, 37.5}, {g.aw0, -47.5},      {g.SigmaDeg, 90.0}};
  for (const auto& [value, expected] : values) EXPECT_DOUBLE_EQ(value, expected);
  EXPECT_EQ(g.z0, 35);
  // Flags that start set.
  EXPECT_TRUE(g.clearanceOk1 && g.clearanceOk2 && g.shiftSolutionOk && g.gearTypeChosen);
  EXPECT_TRUE(g.backlashDirect && g.thinBoth && g.backlashFresh && g.inputsChanged);
  EXPECT_TRUE(g.scConst1 && g.scConst2 && g.chordShown1 && g.chordShown2);
  EXPECT_TRUE(test::NonFiniteReals(g).empty());
}

TEST(SetDefaults, ResetsWhatAnEarlierPairLeftBehind) {
  GearPair g = test::StandardInternalPair();
  g.x1 = 0.5, g.keepShifts = true, g.rackMode = true, g.noTooth1 = true, g.clearanceOk2 = false;
  g.gearType = GearType::External;
  SetDefaults(g);
  EXPECT_EQ(g.x1, 0.0);
  EXPECT_FALSE(g.keepShifts || g.rackMode || g.noTooth1);
  EXPECT_TRUE(g.clearanceOk2);
  EXPECT_EQ(g.z2, 40.0);
  EXPECT_EQ(g.rhofP2Star, 0.38);
}

}  // namespace
}  // namespace kolmira
