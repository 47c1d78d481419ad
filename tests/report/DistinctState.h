// A gear-pair state in which every real member holds a number of its own, for
// tests that walk every value a view shows: a cell or line that shows another
// member than its own, or its own in another format, then shows another text.
#pragma once

#include <algorithm>
#include <cmath>
#include <random>
#include <set>

#include "model/GearPair.h"

namespace kolmira::test {

// Every real member a different number between 1 and 10, no two alike to
// three decimals. The tooth counts get whole parts of their own, the flags
// and orders make every conditional value show: tools with chamfer and
// protuberance, measured chords, cut tips below the tips, base circles
// inside the root circles, and a ring's diameters held negative.
inline GearPair DistinctState(GearType type) {
  GearPair g;
  g.gearType = type;
  std::mt19937 random(7);
  std::uniform_real_distribution<double> pick(1.0, 10.0);
  std::set<long> used;
  auto next = [&] {
    for (;;) {
      const double v = pick(random);
      if (used.insert(std::lround(v * 1000.0)).second) return v;
    }
  };
#define KOLMIRA_DISTINCT(name) g.name = next();
#define KOLMIRA_SKIP(name)
  KOLMIRA_STATE_ALL(KOLMIRA_DISTINCT, KOLMIRA_SKIP, KOLMIRA_SKIP)
#undef KOLMIRA_DISTINCT
#undef KOLMIRA_SKIP
  g.z1 = 13.25;
  g.z2 = 15.75;
  g.z1Bevel = 11.4;
  g.z2Bevel = 17.6;
  g.zw1 = 3;
  g.zw2 = 5;
  g.z0 = 12;
  g.chamfer1 = g.chamfer2 = g.protuberance1 = g.protuberance2 = true;
  g.chordShown1 = g.chordShown2 = true;
  g.tipTrimming = type == GearType::Internal;
  if (g.da1Eff > g.da1) std::swap(g.da1Eff, g.da1);
  if (g.da2Eff > g.da2) std::swap(g.da2Eff, g.da2);
  if (g.db1 > g.df1) std::swap(g.db1, g.df1);
  if (g.db2 > g.df2) std::swap(g.db2, g.df2);
  if (type == GearType::Internal) {
    g.db2 = -g.db2;
    g.df2 = -g.df2;
    g.dM2 = -g.dM2;
  }
  return g;
}

}  // namespace kolmira::test
