#include "engine/ShiftMap.h"

#include <algorithm>
#include <cmath>
#include <thread>

#include "engine/Check.h"
#include "engine/InputBounds.h"
#include "engine/PairGeometry.h"

namespace kolmira {

namespace {

constexpr double kLowestShift = -1.5;
constexpr double kHighestShift = 2.5;
constexpr int kShiftField1 = 7;
constexpr int kShiftField2 = 8;

double Step(double lo, double hi, int size) {
  return size > 1 ? (hi - lo) / (size - 1) : 0.0;
}

// The pair as after typing both shifts: the sum follows them and the centre
// distance follows the sum.
void SetShifts(GearPair& work, const GearPair& base, double x1, double x2) {
  work = base;
  work.messages.clear();
  work.x1 = x1;
  work.x2 = x2;
  work.xSum = x1 + x2;
  work.geometryReady = kShiftField2;
  work.shiftNotDistributed = false;
  work.shiftSolutionOk = true;
  PairFromShifts(work);
}

}  // namespace

double ShiftMap::X1(int i1) const {
  return range.x1Min + i1 * Step(range.x1Min, range.x1Max, size);
}
double ShiftMap::X2(int i2) const {
  return range.x2Min + i2 * Step(range.x2Min, range.x2Max, size);
}

namespace {

// What a map point keeps of a pair the check has run on without a block.
ShiftMapPoint Checked(const GearPair& work, const FindingsOf& findings) {
  ShiftMapPoint p;
  p.valid = true;
  p.findings = findings(work);
  p.epsAlpha = work.epsAlpha;
  p.thetaF1 = work.thetaF1;
  p.thetaF2 = work.thetaF2;
  return p;
}

}  // namespace

ShiftMapPoint EvaluateShiftPoint(GearPair& work, const GearPair& base, double x1, double x2,
                                 const FindingsOf& findings) {
  ShiftMapPoint p;
  SetShifts(work, base, x1, x2);
  if (!work.shiftSolutionOk) return p;
  work.pairComputed = true;
  work.driverError = false;
  RunCheckAndReport(work);
  if (work.driverError || work.xSumBelowLimit || work.x0SumAboveLimit || work.xSumAboveLimit) {
    return p;
  }
  return Checked(work, findings);
}

namespace {

unsigned ThreadCount(unsigned wanted, int rows) {
  const unsigned threads = wanted != 0 ? wanted : std::thread::hardware_concurrency();
  return std::clamp(threads, 1u, static_cast<unsigned>(std::max(rows, 1)));
}

// Rows 0 .. rows-1 handed out one at a time to `threads` workers, each with
// its own copy of base to compute in. Stops handing out rows once cancel is
// set. Returns the number of rows done.
int ForEachRow(int rows, unsigned threads, const std::atomic<bool>* cancel, const GearPair& base,
               const std::function<void(int row, GearPair& work)>& row) {
  std::atomic<int> next{0};
  std::atomic<int> done{0};
  const auto worker = [&] {
    GearPair work = base;  // one state per thread, reused for every point
    for (;;) {
      if (cancel && cancel->load(std::memory_order_relaxed)) return;
      const int i = next.fetch_add(1);
      if (i >= rows) return;
      row(i, work);
      done.fetch_add(1);
    }
  };
  std::vector<std::thread> pool;
  pool.reserve(threads - 1);
  for (unsigned t = 1; t < threads; ++t) pool.emplace_back(worker);
  worker();
  for (std::thread& t : pool) t.join();
  return done.load();
}

// Crossings found row by row on several threads, joined in row order.
template <typename Crossing>
std::vector<Crossing> Joined(std::vector<std::vector<Crossing>>& rows) {
  std::vector<Crossing> out;
  for (auto& r : rows) out.insert(out.end(), r.begin(), r.end());
  return out;
}

// The parameter t in [0, 1] along a segment where `same(t)` stops holding
// (it holds at 0 and not at 1), to within tol over a segment `length` long.
template <typename Same>
double Bisect(double length, double tol, const Same& same) {
  double t0 = 0.0, t1 = 1.0;
  while ((t1 - t0) * length > tol) {
    const double t = 0.5 * (t0 + t1);
    (same(t) ? t0 : t1) = t;
  }
  return 0.5 * (t0 + t1);
}

bool SameState(const ShiftMapPoint& a, const ShiftMapPoint& b) {
  return a.valid == b.valid && (!a.valid || a.findings == b.findings);
}

// Every place along a segment where the check's state (whether it runs,
// which lines it reports) changes: the halves whose ends differ are halved
// again until shorter than tol. `at(t)` checks the point at t in [0, 1].
// Each change comes with the states on either side, and as crossings:
// one per line that appears or disappears there, and where the check stops
// running, one of kValidityLine and one for each line of the checked side,
// whose region ends there too.
template <typename At, typename Emit>
void FindChanges(double length, double tol, double t0, double t1, const ShiftMapPoint& a,
                 const ShiftMapPoint& b, const At& at, const Emit& emit) {
  if (SameState(a, b)) return;
  const double mid = 0.5 * (t0 + t1);
  // Written so that a length that is no number ends the halving too.
  if (!((t1 - t0) * length > tol)) {
    if (a.valid != b.valid) {
      emit(kValidityLine, mid);
      const FindingMask lines = a.valid ? a.findings : b.findings;
      for (int k = 0; k < 64; ++k) {
        if (lines & (FindingMask{1} << k)) emit(k, mid);
      }
      return;
    }
    const FindingMask diff = a.findings ^ b.findings;
    for (int k = 0; k < 64; ++k) {
      if (diff & (FindingMask{1} << k)) emit(k, mid);
    }
    return;
  }
  const ShiftMapPoint m = at(mid);
  FindChanges(length, tol, t0, mid, a, m, at, emit);
  FindChanges(length, tol, mid, t1, m, b, at, emit);
}

}  // namespace

ShiftMap ComputeShiftMap(const GearPair& base, const ShiftMapOptions& options,
                         const FindingsOf& findings) {
  ShiftMap map;
  map.range = options.range;
  map.size = std::max(2, options.size);
  const int n = map.size;
  map.points.assign(static_cast<std::size_t>(n) * n, ShiftMapPoint{});
  map.rowsDone = ForEachRow(n, ThreadCount(options.threads, n), options.cancel, base,
                            [&](int i2, GearPair& work) {
                              for (int i1 = 0; i1 < n; ++i1) {
                                map.points[static_cast<std::size_t>(i2) * n + i1] =
                                    EvaluateShiftPoint(work, base, map.X1(i1), map.X2(i2), findings);
                              }
                            });
  map.complete = map.rowsDone == n;
  return map;
}

ShiftMapShape ShapeOf(const GearPair& base) {
  if (base.rackMode) return ShiftMapShape::RackLine;
  if (base.gearType == GearType::Bevel || base.shiftDistributed) return ShiftMapShape::SumLine;
  return ShiftMapShape::Plane;
}

double LineSum(const GearPair& base) {
  if (base.shiftDistributed) return base.backlashByShift ? base.xSumBacklash : base.xSum;
  return base.x1 + base.x2;
}

double ShiftLine::X1(int i) const {
  return x1Min + i * Step(x1Min, x1Max, size);
}

ShiftMapPoint EvaluateLinePoint(GearPair& work, const GearPair& base, double x1,
                                const FindingsOf& findings) {
  ShiftMapPoint p;
  work = base;
  work.messages.clear();
  work.x1 = x1;
  work.geometryReady = kShiftField1;
  work.shiftNotDistributed = false;
  work.driverError = false;
  if (base.rackMode) {
    work.xSum = x1 + work.x2;
    RackGeometry(work);
    RunCheckRack(work);
    if (work.driverError) return p;
    return Checked(work, findings);
  }
  // As after typing x1: the wheel takes the rest of the sum.
  work.x2 = LineSum(base) - x1;
  if (!base.shiftDistributed && base.backlashDirect) work.xSum = work.x1 + work.x2;
  work.shiftSolutionOk = true;
  if (base.gearType == GearType::Bevel) {
    BevelGeometry(work);
  } else {
    PairFromShifts(work);
  }
  if (!work.shiftSolutionOk) return p;
  work.pairComputed = true;
  RunCheckAndReport(work);
  if (work.driverError || work.xSumBelowLimit || work.x0SumAboveLimit || work.xSumAboveLimit) {
    return p;
  }
  return Checked(work, findings);
}

ShiftLine ComputeShiftLine(const GearPair& base, double x1Min, double x1Max, int size,
                           const FindingsOf& findings, const std::atomic<bool>* cancel) {
  ShiftLine line;
  line.shape = ShapeOf(base);
  line.x1Min = x1Min;
  line.x1Max = x1Max;
  line.sum = LineSum(base);
  line.rackX2 = base.x2;
  line.size = std::max(2, size);
  line.points.assign(static_cast<std::size_t>(line.size), ShiftMapPoint{});
  GearPair work = base;
  for (int i = 0; i < line.size; ++i) {
    if (cancel && cancel->load(std::memory_order_relaxed)) return line;
    line.points[i] = EvaluateLinePoint(work, base, line.X1(i), findings);
  }
  line.complete = true;
  return line;
}

std::vector<ShiftLineCrossing> TraceLineCrossings(const ShiftLine& line, const GearPair& base,
                                                  const FindingsOf& findings, double tol) {
  std::vector<ShiftLineCrossing> out;
  GearPair work = base;
  for (int i = 0; i + 1 < line.size; ++i) {
    const double x0 = line.X1(i), x1 = line.X1(i + 1);
    FindChanges(
        x1 - x0, tol, 0.0, 1.0, line.points[i], line.points[i + 1],
        [&](double t) { return EvaluateLinePoint(work, base, x0 + t * (x1 - x0), findings); },
        [&](int k, double t) { out.push_back({k, x0 + t * (x1 - x0)}); });
  }
  return out;
}

ShiftMapRange DefaultShiftMapRange(const GearPair& base) {
  ShiftMapRange r;
  GearPair work = base;
  // The lowest shift the field takes: refusals stop below it.
  const auto lowest = [&](int field) {
    double lo = kLowestShift, hi = kHighestShift;
    if (!FieldRefusal(base, field, lo)) return lo;
    if (FieldRefusal(base, field, hi)) return lo;
    while (hi - lo > 1e-4) {
      const double mid = 0.5 * (lo + hi);
      (FieldRefusal(base, field, mid) ? lo : hi) = mid;
    }
    return hi;
  };
  // Where a tip thickness reaches zero going from `from` to `to`, or `to`
  // when it stays positive (or is not positive at the start).
  const auto pointed = [&](double from, double to, const std::function<double(double)>& tip) {
    if (!(tip(from) > 0.0) || tip(to) > 0.0) return to;
    double lo = from, hi = to;
    while (std::fabs(hi - lo) > 1e-4) {
      const double mid = 0.5 * (lo + hi);
      (tip(mid) > 0.0 ? lo : hi) = mid;
    }
    return hi;
  };
  const FindingsOf none = [](const GearPair&) { return FindingMask{0}; };
  const ShiftMapShape shape = ShapeOf(base);
  if (shape != ShiftMapShape::Plane) {
    const auto along = [&](bool pinion) {
      return [&, pinion](double x1) {
        EvaluateLinePoint(work, base, x1, none);
        return pinion ? work.sa1 : work.sa2;
      };
    };
    r.x1Min = lowest(kShiftField1);
    r.x1Max = pointed(base.x1, kHighestShift, along(true));
    if (shape == ShiftMapShape::SumLine) {
      // x2 = sum - x1 grows as x1 falls: its own bounds limit x1 too.
      const double sum = LineSum(base);
      r.x1Min = std::max(r.x1Min, pointed(base.x1, kLowestShift, along(false)));
      r.x1Max = std::min(r.x1Max, sum - lowest(kShiftField2));
    }
    r.x1Min = std::clamp(r.x1Min, kLowestShift, kHighestShift);
    r.x1Max = std::clamp(r.x1Max, r.x1Min + 1e-3, kHighestShift);
    return r;
  }
  const auto onPlane = [&](bool pinion) {
    return [&, pinion](double x) {
      if (pinion) {
        SetShifts(work, base, x, base.x2);
      } else {
        SetShifts(work, base, base.x1, x);
      }
      RunCheck(work);
      return pinion ? work.sa1 : work.sa2;
    };
  };
  r.x1Min = std::clamp(lowest(kShiftField1), kLowestShift, kHighestShift);
  r.x2Min = std::clamp(lowest(kShiftField2), kLowestShift, kHighestShift);
  r.x1Max = std::clamp(pointed(base.x1, kHighestShift, onPlane(true)), r.x1Min + 1e-3,
                       kHighestShift);
  r.x2Max = std::clamp(pointed(base.x2, kHighestShift, onPlane(false)), r.x2Min + 1e-3,
                       kHighestShift);
  return r;
}

std::vector<ShiftMapCrossing> TraceCrossings(const ShiftMap& map, const GearPair& base,
                                             const FindingsOf& findings, double tol,
                                             unsigned threads, const std::atomic<bool>* cancel) {
  const int n = map.size;
  std::vector<std::vector<ShiftMapCrossing>> rows(static_cast<std::size_t>(n));
  const auto edge = [&](GearPair& work, std::vector<ShiftMapCrossing>& out, int a1, int a2, int b1,
                        int b2) {
    const double ax = map.X1(a1), ay = map.X2(a2), bx = map.X1(b1), by = map.X2(b2);
    FindChanges(
        std::max(std::fabs(bx - ax), std::fabs(by - ay)), tol, 0.0, 1.0, map.At(a1, a2),
        map.At(b1, b2),
        [&](double t) {
          return EvaluateShiftPoint(work, base, ax + t * (bx - ax), ay + t * (by - ay), findings);
        },
        [&](int k, double t) {
          out.push_back({k, ax + t * (bx - ax), ay + t * (by - ay), a2 == b2, a1, a2});
        });
  };
  ForEachRow(n, ThreadCount(threads, n), cancel, base, [&](int i2, GearPair& work) {
    for (int i1 = 0; i1 < n; ++i1) {
      if (i1 + 1 < n) edge(work, rows[i2], i1, i2, i1 + 1, i2);
      if (i2 + 1 < n) edge(work, rows[i2], i1, i2, i1, i2 + 1);
    }
  });
  return Joined(rows);
}

namespace {

double IsoValue(IsoQuantity q, const ShiftMapPoint& p, double level) {
  return (q == IsoQuantity::EpsAlpha ? p.epsAlpha : p.thetaF1 - p.thetaF2) - level;
}

const FindingsOf& NoFindings() {
  static const FindingsOf none = [](const GearPair&) { return FindingMask{0}; };
  return none;
}

}  // namespace

std::vector<ShiftMapCrossing> IsoCrossings(const ShiftMap& map, const GearPair& base, IsoQuantity q,
                                           double level, double tol, unsigned threads,
                                           const std::atomic<bool>* cancel) {
  const int n = map.size;
  std::vector<std::vector<ShiftMapCrossing>> rows(static_cast<std::size_t>(n));
  const auto edge = [&](GearPair& work, std::vector<ShiftMapCrossing>& out, int a1, int a2, int b1,
                        int b2) {
    const ShiftMapPoint& a = map.At(a1, a2);
    const ShiftMapPoint& b = map.At(b1, b2);
    if (!a.valid || !b.valid) return;
    const double va = IsoValue(q, a, level), vb = IsoValue(q, b, level);
    if (!std::isfinite(va) || !std::isfinite(vb) || (va < 0.0) == (vb < 0.0)) return;
    const double ax = map.X1(a1), ay = map.X2(a2), bx = map.X1(b1), by = map.X2(b2);
    const double t =
        Bisect(std::max(std::fabs(bx - ax), std::fabs(by - ay)), tol, [&](double t) {
          const ShiftMapPoint p =
              EvaluateShiftPoint(work, base, ax + t * (bx - ax), ay + t * (by - ay), NoFindings());
          const double v = IsoValue(q, p, level);
          return p.valid && std::isfinite(v) && (v < 0.0) == (va < 0.0);
        });
    out.push_back({0, ax + t * (bx - ax), ay + t * (by - ay), a2 == b2, a1, a2});
  };
  ForEachRow(n, ThreadCount(threads, n), cancel, base, [&](int i2, GearPair& work) {
    for (int i1 = 0; i1 < n; ++i1) {
      if (i1 + 1 < n) edge(work, rows[i2], i1, i2, i1 + 1, i2);
      if (i2 + 1 < n) edge(work, rows[i2], i1, i2, i1, i2 + 1);
    }
  });
  return Joined(rows);
}

std::vector<double> IsoLineCrossings(const ShiftLine& line, const GearPair& base, IsoQuantity q,
                                     double level, double tol) {
  std::vector<double> out;
  GearPair work = base;
  for (int i = 0; i + 1 < line.size; ++i) {
    const ShiftMapPoint& a = line.points[i];
    const ShiftMapPoint& b = line.points[i + 1];
    if (!a.valid || !b.valid) continue;
    const double va = IsoValue(q, a, level), vb = IsoValue(q, b, level);
    if (!std::isfinite(va) || !std::isfinite(vb) || (va < 0.0) == (vb < 0.0)) continue;
    const double x0 = line.X1(i), x1 = line.X1(i + 1);
    const double t = Bisect(x1 - x0, tol, [&](double t) {
      const ShiftMapPoint p = EvaluateLinePoint(work, base, x0 + t * (x1 - x0), NoFindings());
      const double v = IsoValue(q, p, level);
      return p.valid && std::isfinite(v) && (v < 0.0) == (va < 0.0);
    });
    out.push_back(x0 + t * (x1 - x0));
  }
  return out;
}

}  // namespace kolmira
