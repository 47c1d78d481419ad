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

ShiftMap ComputeShiftMap(const GearPair& base, const ShiftMapOptions& options,
                         const FindingsOf& findings) {
  ShiftMap map;
  map.range = options.range;
  map.size = std::max(2, options.size);
  const int n = map.size;
  map.points.assign(static_cast<std::size_t>(n) * n, ShiftMapPoint{});
  unsigned threads = options.threads != 0 ? options.threads : std::thread::hardware_concurrency();
  threads = std::clamp(threads, 1u, static_cast<unsigned>(n));

  std::atomic<int> nextRow{0};
  std::atomic<int> rowsDone{0};
  const auto worker = [&] {
    GearPair work = base;  // one state per thread, reused for every point
    for (;;) {
      if (options.cancel && options.cancel->load(std::memory_order_relaxed)) return;
      const int i2 = nextRow.fetch_add(1);
      if (i2 >= n) return;
      for (int i1 = 0; i1 < n; ++i1) {
        map.points[static_cast<std::size_t>(i2) * n + i1] =
            EvaluateShiftPoint(work, base, map.X1(i1), map.X2(i2), findings);
      }
      rowsDone.fetch_add(1);
    }
  };
  std::vector<std::thread> pool;
  pool.reserve(threads - 1);
  for (unsigned t = 1; t < threads; ++t) pool.emplace_back(worker);
  worker();
  for (std::thread& t : pool) t.join();
  map.rowsDone = rowsDone.load();
  map.complete = map.rowsDone == n;
  return map;
}

ShiftMapPoint EvaluateRackShiftPoint(GearPair& work, const GearPair& base, double x1,
                                     const FindingsOf& findings) {
  ShiftMapPoint p;
  work = base;
  work.messages.clear();
  work.x1 = x1;
  work.xSum = x1 + work.x2;
  work.geometryReady = kShiftField1;
  work.shiftNotDistributed = false;
  work.driverError = false;
  RackGeometry(work);
  RunCheckRack(work);
  if (work.driverError) return p;
  return Checked(work, findings);
}

std::vector<ShiftMapPoint> ComputeRackShiftLine(const GearPair& base, double x1Min, double x1Max,
                                                int size, const FindingsOf& findings) {
  size = std::max(2, size);
  std::vector<ShiftMapPoint> line(static_cast<std::size_t>(size));
  GearPair work = base;
  for (int i = 0; i < size; ++i) {
    line[i] = EvaluateRackShiftPoint(work, base, x1Min + i * Step(x1Min, x1Max, size), findings);
  }
  return line;
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
  // The shift at which the gear's tip thickness reaches zero.
  const auto pointed = [&](bool pinion) {
    const auto tip = [&](double x) {
      if (base.rackMode) {
        EvaluateRackShiftPoint(work, base, x, [](const GearPair&) { return FindingMask{0}; });
        return work.sa1;
      }
      if (pinion) {
        SetShifts(work, base, x, base.x2);
      } else {
        SetShifts(work, base, base.x1, x);
      }
      RunCheck(work);
      return pinion ? work.sa1 : work.sa2;
    };
    double lo = pinion ? base.x1 : base.x2;
    double hi = kHighestShift;
    if (!(tip(lo) > 0.0)) return kHighestShift;
    if (tip(hi) > 0.0) return kHighestShift;
    while (hi - lo > 1e-4) {
      const double mid = 0.5 * (lo + hi);
      (tip(mid) > 0.0 ? lo : hi) = mid;
    }
    return hi;
  };
  r.x1Min = std::clamp(lowest(kShiftField1), kLowestShift, kHighestShift);
  r.x2Min = std::clamp(lowest(kShiftField2), kLowestShift, kHighestShift);
  r.x1Max = std::clamp(pointed(true), r.x1Min + 1e-3, kHighestShift);
  r.x2Max = std::clamp(pointed(false), r.x2Min + 1e-3, kHighestShift);
  return r;
}

std::vector<ShiftMapCrossing> TraceCrossings(const ShiftMap& map, const GearPair& base,
                                             const FindingsOf& findings, double tol) {
  std::vector<ShiftMapCrossing> out;
  GearPair work = base;
  const int n = map.size;
  const auto refine = [&](double ax, double ay, double bx, double by, FindingMask ma, int k) {
    const FindingMask bit = FindingMask{1} << k;
    double t0 = 0.0, t1 = 1.0;
    while ((t1 - t0) * std::max(std::fabs(bx - ax), std::fabs(by - ay)) > tol) {
      const double t = 0.5 * (t0 + t1);
      const ShiftMapPoint p =
          EvaluateShiftPoint(work, base, ax + t * (bx - ax), ay + t * (by - ay), findings);
      if (p.valid && (p.findings & bit) == (ma & bit)) {
        t0 = t;
      } else {
        t1 = t;
      }
    }
    const double t = 0.5 * (t0 + t1);
    out.push_back({k, ax + t * (bx - ax), ay + t * (by - ay), ay == by});
  };
  const auto edge = [&](int a1, int a2, int b1, int b2) {
    const ShiftMapPoint& a = map.At(a1, a2);
    const ShiftMapPoint& b = map.At(b1, b2);
    if (!a.valid || !b.valid) return;
    const FindingMask diff = a.findings ^ b.findings;
    for (int k = 0; k < 64; ++k) {
      if (diff & (FindingMask{1} << k)) {
        refine(map.X1(a1), map.X2(a2), map.X1(b1), map.X2(b2), a.findings, k);
      }
    }
  };
  for (int i2 = 0; i2 < n; ++i2) {
    for (int i1 = 0; i1 < n; ++i1) {
      if (i1 + 1 < n) edge(i1, i2, i1 + 1, i2);
      if (i2 + 1 < n) edge(i1, i2, i1, i2 + 1);
    }
  }
  return out;
}

std::vector<ShiftMapCrossing> IsoCrossings(const ShiftMap& map, const GearPair& base, IsoQuantity q,
                                           double level, double tol) {
  std::vector<ShiftMapCrossing> out;
  GearPair work = base;
  const FindingsOf none = [](const GearPair&) { return FindingMask{0}; };
  const auto value = [&](const ShiftMapPoint& p) {
    return (q == IsoQuantity::EpsAlpha ? p.epsAlpha : p.thetaF1 - p.thetaF2) - level;
  };
  const auto edge = [&](int a1, int a2, int b1, int b2) {
    const ShiftMapPoint& a = map.At(a1, a2);
    const ShiftMapPoint& b = map.At(b1, b2);
    if (!a.valid || !b.valid) return;
    const double va = value(a), vb = value(b);
    if (!std::isfinite(va) || !std::isfinite(vb) || (va < 0.0) == (vb < 0.0)) return;
    const double ax = map.X1(a1), ay = map.X2(a2), bx = map.X1(b1), by = map.X2(b2);
    double t0 = 0.0, t1 = 1.0;
    while ((t1 - t0) * std::max(std::fabs(bx - ax), std::fabs(by - ay)) > tol) {
      const double t = 0.5 * (t0 + t1);
      const ShiftMapPoint p =
          EvaluateShiftPoint(work, base, ax + t * (bx - ax), ay + t * (by - ay), none);
      const double v = value(p);
      if (p.valid && std::isfinite(v) && (v < 0.0) == (va < 0.0)) {
        t0 = t;
      } else {
        t1 = t;
      }
    }
    const double t = 0.5 * (t0 + t1);
    out.push_back({0, ax + t * (bx - ax), ay + t * (by - ay), a2 == b2});
  };
  for (int i2 = 0; i2 < map.size; ++i2) {
    for (int i1 = 0; i1 < map.size; ++i1) {
      if (i1 + 1 < map.size) edge(i1, i2, i1 + 1, i2);
      if (i2 + 1 < map.size) edge(i1, i2, i1, i2 + 1);
    }
  }
  return out;
}

}  // namespace kolmira
