// Involute primitives shared by every computation of the engine: the guarded
// trigonometric functions, the involute function and its inverse, and the
// bracketing root finder used for all implicit equations of the pair.
#pragma once

#include <optional>

#include "engine/FunctionRef.h"
#include "model/GearPair.h"

namespace kolmira {

// Tangent, arc cosine and arc sine that refuse an argument outside their
// domain: the message box "  Chyba !" is queued, driverError is set (every
// later step of the running check then skips) and 0 is returned.
double GuardedTan(GearPair& g, double x);
double GuardedArcCos(GearPair& g, double x);
double GuardedArcSin(GearPair& g, double x);

// inv(t) = tan t - t.
double Involute(double t);

// Parameters of one bracketing search (see BracketBisect).
struct BracketSearch {
  double start = 0.0;    // first lower end
  double firstHi = 0.0;  // first upper end
  double step = 0.0;     // forward step while no sign change has been seen
  double bound = 0.0;    // the search gives up when the upper end reaches it
  double tolerance = 1e-11;
  bool boundInclusive = false;  // give up at hi >= bound (else hi > bound)
  bool zeroAtBound = false;     // a root at or beyond the bound counts as none
};

// Most halvings of one bracket. Each halves the bracket, so after about 60
// of them it is one floating-point step wide; a sign change that never
// reaches the tolerance (a pole or a jump) is then no root.
inline constexpr int kMaxHalvings = 200;

// The shared root finder: steps forward from `start` until f changes sign,
// then halves the bracket until |f(hi)| < tolerance. Returns hi, or 0 when no
// root is found (no sign change before the bound, or a bracket that cannot
// be narrowed to the tolerance).
double BracketBisect(FunctionRef<double(double)> f, const BracketSearch& search);

// Angle t below pi/2 with inv(t) = w, or 0 when there is none. Before solving
// it recomputes xmez and x0mez and tests the shift sum against them: when the
// shift sum lies beyond its limit it queues the limit message, sets the
// matching flag, clears shiftSolutionOk and returns nothing (the caller keeps
// its previous angle).
std::optional<double> InverseInvolute(GearPair& g, double w);

// The same solve without any test of the pair: for callers that only need
// the angle of an involute value.
double InverseInvoluteValue(double w);

// Shift sum at which the working pressure angle of a pair falls to zero:
// -0.5 teethSum inv(alphaT) / tan(alphaP), teethSum being z1 + z2 (xmez), or
// z0 + z2 for the cutting pair of a shaper cutter and its ring (x0mez).
double LimitingShiftSum(double teethSum, double alphaT, double alphaP);

// Largest fillet radius coefficient of a root (a full round root) cut by a
// rack tool whose tooth reaches `depth` modules below its datum line (the
// mating addendum plus clearance, or the tool's own addendum).
double FullRoundRootRadius(double alphaP, double depth);

// Messages of the guarded functions and of the inverse involute.
inline constexpr const char* kTanError =
    "Neplatný argument pro výpočet tangens, nemožné parametry soukolí";
inline constexpr const char* kArcCosError =
    "Neplatný argument pro výpočet arccos, nemožné parametry soukolí";
inline constexpr const char* kArcSinError =
    "Neplatný argument pro výpočet arcsin, nemožné parametry soukolí";
inline constexpr const char* kNoSolutionBelowLimit =
    "Neexistuje řešení - součet korekcí je menší než mezní";
inline constexpr const char* kNoSolutionCutterAboveLimit =
    "Neexistuje řešení - součet korekcí pro záběr Fellow-věnec je větší než mezní";
inline constexpr const char* kNoSolutionAboveLimit =
    "Neexistuje řešení - součet korekcí je větší než mezní";

// Tolerance of the shift-sum limit tests: a sum within 1e-5 of its limit is
// still accepted, so that a sum typed or rounded to the limit itself passes.
inline constexpr double kShiftSumTolerance = 1e-5;

}  // namespace kolmira
