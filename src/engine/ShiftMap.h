// The shift map: the complete check of the current pair over a grid of the
// profile shifts (x1, x2), everything else as entered. The centre distance
// follows the shift sum, as after typing x1 and x2 with no centre distance
// kept. A pair whose centre distance is kept has only the line
// x1 + x2 = const; that line and the rack and bevel pairs (x2 coupled to
// x1) are not mapped here: ComputeShiftMap maps external and internal pairs.
//
// Which findings the report shows is decided above the engine (the report
// lines): the caller passes a function that gives the set of report lines
// k present in a checked state as a bit mask (bit k).
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <vector>

#include "model/GearPair.h"

namespace kolmira {

using FindingMask = std::uint64_t;
using FindingsOf = std::function<FindingMask(const GearPair&)>;

struct ShiftMapRange {
  double x1Min = -0.5, x1Max = 1.0;
  double x2Min = -0.5, x2Max = 1.0;
};

struct ShiftMapPoint {
  FindingMask findings = 0;
  bool valid = false;  // the pair could be computed from these shifts
  double epsAlpha = 0.0;
  double thetaF1 = 0.0;
  double thetaF2 = 0.0;
};

struct ShiftMapOptions {
  ShiftMapRange range;
  int size = 51;                              // points along each axis (at least 2)
  unsigned threads = 0;                       // 0: std::thread::hardware_concurrency()
  const std::atomic<bool>* cancel = nullptr;  // tested between rows
};

struct ShiftMap {
  ShiftMapRange range;
  int size = 0;
  bool complete = false;  // false when cancelled: rows not computed stay invalid
  int rowsDone = 0;
  std::vector<ShiftMapPoint> points;  // row i2 (x2), column i1 (x1): points[i2 * size + i1]

  double X1(int i1) const;
  double X2(int i2) const;
  const ShiftMapPoint& At(int i1, int i2) const { return points[i2 * size + i1]; }
};

// A point where finding line k appears or disappears between two grid
// neighbours, refined by bisection with the real check.
struct ShiftMapCrossing {
  int k = 0;
  double x1 = 0.0, x2 = 0.0;
  bool alongX1 = true;  // on an edge of constant x2 (else of constant x1)
};

// The check at one point. `work` is the caller's scratch state, overwritten
// with base and the shifts.
ShiftMapPoint EvaluateShiftPoint(GearPair& work, const GearPair& base, double x1, double x2,
                                 const FindingsOf& findings);

ShiftMap ComputeShiftMap(const GearPair& base, const ShiftMapOptions& options,
                         const FindingsOf& findings);

// A pinion meshing with a rack has one shift: the check over size points
// of x1 from x1Min to x1Max, as after typing x1 (the rack is not shifted).
// Point i lies at x1Min + i (x1Max - x1Min) / (size - 1).
ShiftMapPoint EvaluateRackShiftPoint(GearPair& work, const GearPair& base, double x1,
                                     const FindingsOf& findings);
std::vector<ShiftMapPoint> ComputeRackShiftLine(const GearPair& base, double x1Min, double x1Max,
                                                int size, const FindingsOf& findings);

// The default range: each shift from the lowest value the shift field takes
// for that gear up to where its tip becomes pointed (the other shift kept as
// entered), clipped to [-1.5, 2.5]. For a pinion with a rack only the x1
// range holds.
ShiftMapRange DefaultShiftMapRange(const GearPair& base);

// Every grid edge whose ends differ in line k is a crossing of the boundary
// of line k (the marching-squares edges); each is refined by bisection along
// the edge until the bracket is below tol.
std::vector<ShiftMapCrossing> TraceCrossings(const ShiftMap& map, const GearPair& base,
                                             const FindingsOf& findings, double tol = 1e-4);

// The same crossings for a value (epsAlpha, or thetaF1 - thetaF2 with level
// 0): the grid edges whose ends lie on either side of the level, each
// refined by bisection with the real check until the bracket is below tol.
enum class IsoQuantity { EpsAlpha, ThetaDifference };
std::vector<ShiftMapCrossing> IsoCrossings(const ShiftMap& map, const GearPair& base, IsoQuantity q,
                                           double level, double tol = 1e-4);

}  // namespace kolmira
