// The shift map: the complete check of the current pair over a grid of the
// profile shifts (x1, x2), everything else as entered. The centre distance
// follows the shift sum, as after typing x1 and x2 with no centre distance
// kept. That plane is the map of an external or internal pair whose shifts
// are free; three pairs have one shift only, and their map is a line along
// x1 (see ShiftMapShape).
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

// The map a pair has.
enum class ShiftMapShape {
  Plane,     // external or internal pair, both shifts typed freely
  RackLine,  // a pinion with a rack: x1 alone, the rack is not shifted
  // x2 = sum - x1: a pair whose centre distance is kept (the shifts are
  // divided from the kept sum), and a bevel pair, whose shifts keep the sum
  // as entered (x2 = -x1 for the usual zero-sum bevel shifts) so that the
  // cone angles stay.
  SumLine,
};
ShiftMapShape ShapeOf(const GearPair& base);
// The shift sum a SumLine keeps.
double LineSum(const GearPair& base);

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

// The pseudo line of a crossing where the check itself stops running (the
// shift sum leaves its limits, the shifts cannot be computed).
inline constexpr int kValidityLine = -1;

// A point where finding line k appears or disappears between two grid
// neighbours, refined by bisection with the real check.
struct ShiftMapCrossing {
  int k = 0;
  double x1 = 0.0, x2 = 0.0;
  bool alongX1 = true;  // on an edge of constant x2 (else of constant x1)
  int i1 = 0, i2 = 0;   // the grid point at the edge's lower end
};

// The check at one point. `work` is the caller's scratch state, overwritten
// with base and the shifts.
ShiftMapPoint EvaluateShiftPoint(GearPair& work, const GearPair& base, double x1, double x2,
                                 const FindingsOf& findings);

ShiftMap ComputeShiftMap(const GearPair& base, const ShiftMapOptions& options,
                         const FindingsOf& findings);

// The default range: each shift from the lowest value the shift field takes
// for that gear up to where its tip becomes pointed (the other shift kept as
// entered), clipped to [-1.5, 2.5]. For a line only the x1 range holds:
// on a SumLine x1 also stops where x2 reaches its own bounds.
ShiftMapRange DefaultShiftMapRange(const GearPair& base);

// A line map: size points of x1 from x1Min to x1Max, x2 following x1 as
// the shape couples it.
struct ShiftLine {
  ShiftMapShape shape = ShiftMapShape::RackLine;
  double x1Min = 0.0, x1Max = 1.0;
  double sum = 0.0;  // SumLine: x1 + x2
  double rackX2 = 0.0;  // RackLine: x2 as entered
  int size = 0;
  bool complete = false;
  std::vector<ShiftMapPoint> points;

  double X1(int i) const;
  double X2Of(double x1) const { return shape == ShiftMapShape::SumLine ? sum - x1 : rackX2; }
};

// The check at one point of the base's line, as after typing x1 (the
// other shift following it). `work` is the caller's scratch state.
ShiftMapPoint EvaluateLinePoint(GearPair& work, const GearPair& base, double x1,
                                const FindingsOf& findings);
ShiftLine ComputeShiftLine(const GearPair& base, double x1Min, double x1Max, int size,
                           const FindingsOf& findings,
                           const std::atomic<bool>* cancel = nullptr);

// Where finding line k (or with k = kValidityLine, the check itself)
// appears or disappears along the line, refined to tol (as TraceCrossings).
struct ShiftLineCrossing {
  int k = 0;
  double x1 = 0.0;
};
std::vector<ShiftLineCrossing> TraceLineCrossings(const ShiftLine& line, const GearPair& base,
                                                  const FindingsOf& findings, double tol = 1e-4);

// The boundaries on the grid edges (the marching-squares edges): along each
// edge whose ends differ, the halves whose ends differ are halved again
// until shorter than tol, so that a line that comes and goes within one
// edge is found as well. Each change gives a crossing for each line k that
// appears or disappears there; where the check stops running, a crossing
// of kValidityLine and one for each line of the checked side. The edges
// are split over `threads` (0: the machine's cores) by rows; the crossings
// come in row order whatever their number. A set `cancel` stops the tracing
// between rows (the crossings are then those of the rows done).
std::vector<ShiftMapCrossing> TraceCrossings(const ShiftMap& map, const GearPair& base,
                                             const FindingsOf& findings, double tol = 1e-4,
                                             unsigned threads = 0,
                                             const std::atomic<bool>* cancel = nullptr);

// The same crossings for a value (epsAlpha, or thetaF1 - thetaF2 with level
// 0): the grid edges whose ends lie on either side of the level, each
// refined by bisection with the real check until the bracket is below tol.
enum class IsoQuantity { EpsAlpha, ThetaDifference };
std::vector<ShiftMapCrossing> IsoCrossings(const ShiftMap& map, const GearPair& base, IsoQuantity q,
                                           double level, double tol = 1e-4, unsigned threads = 0,
                                           const std::atomic<bool>* cancel = nullptr);
std::vector<double> IsoLineCrossings(const ShiftLine& line, const GearPair& base, IsoQuantity q,
                                     double level, double tol = 1e-4);

}  // namespace kolmira
