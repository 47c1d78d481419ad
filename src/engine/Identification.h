// Identification of an unknown gear from measurements: one of its basic
// parameters (normal module, normal profile angle, helix angle or profile
// shift coefficient) is recovered from a measured dimension, the other three
// being estimates. The measured gear is the wheel of the pair (z2, da2); an
// internal ring is measured between balls and over its spaces.
//
// Three independent methods, each with its own estimates in the arrays
// mnId, alphaId, betaId, xId of the state (index 0 chordal, 1 span, 2 balls):
//  - chordal tooth thickness: the chord scm at the height hcm under the tip,
//    solved with Newton systems 11-14 (ring 19-22), in closed form for a rack;
//  - span over zw teeth (base tangent length): closed forms, and for the
//    profile angle a root search, since W(an) is not monotonic and may be
//    met by two or three profile angles;
//  - dimension over (between) balls: Newton systems 15-18.
#pragma once

#include "engine/FunctionRef.h"
#include "engine/Newton.h"
#include "model/GearPair.h"

namespace kolmira {

// The methods, as the index of the per-method arrays.
enum IdentMethod : int {
  kMethodChordal = 0,
  kMethodSpan = 1,
  kMethodBalls = 2,
};

// What the preparation of the identification did.
struct IdentPreparation {
  bool done = false;            // the pair is computed: the preparation ran
  bool inputsPrepared = false;  // estimates, check run and measured defaults were renewed
  bool backlashReset = false;   // the backlash returned to zero in direct mode
};

// Prepares the identification from the pair of the main dialog (nothing
// unless pairComputed). When identInputsChanged: the backlash returns to 0
// (unless an input file is loading), every method takes the pair's mn,
// alphaP, beta and x2 as its estimates, the complete check is run, and the
// measured values are set to what the wheel itself would give: the chord
// midway between tip and form circle with its height, the span over the
// recommended count and the dimension over balls of dt2min + 1 rounded to
// whole millimetres. The measurement values of both gears, which these
// computations borrow, are restored afterwards; identInputsChanged := 0.
IdentPreparation PrepareIdentification(GearPair& g);

// The backlash back to zero, produced directly by thinning both gears.
void ResetBacklashForIdentification(GearPair& g);

// How an identification ended.
enum class IdentOutcome {
  Solved,      // the parameter was replaced by the result
  Blocked,     // the previous Newton solve failed: a beep, nothing done
  Unsolvable,  // no parameter reproduces the measurement (span helix: betaId[1] = -1)
  NoResult,    // the case has no formula (a rack's helix angle or shift) or no root
  Failed,      // the Newton solve hit its limit: a beep, the estimate stays
};

// Chordal method: the rack's closed forms in rack mode, otherwise Newton
// system 11 + which (ring 19 + which) from the method's current values. A
// failed previous solve (newtonFailed) beeps and does nothing. A solve that
// fails now beeps and leaves the estimate (its last iterate is no result).
IdentOutcome IdentifyFromChord(GearPair& g, IdentParameter which);

// Span method over zwMeas teeth. Module and shift in closed form; the helix
// angle from inv(at), unsolvable (betaId[1] = -1) when at would fall below
// an; the profile angle by root search, with idSolutionCount, alphaExt,
// alphaExt2, alphaIdLow (the main result), alphaId2 and alphaId3.
IdentOutcome IdentifyFromSpan(GearPair& g, IdentParameter which);

// Balls method: dKMeas from MMeas and DMeas, then Newton system 15 + which.
// A failed previous solve beeps, and the solve runs all the same; a solve
// that fails now beeps and leaves the estimate.
IdentOutcome IdentifyFromBalls(GearPair& g, IdentParameter which);

// The identification of one method; alphaTId of that method follows.
IdentOutcome Identify(GearPair& g, IdentMethod method, IdentParameter which);

// ---------------------------------------------------------------------------
// Pieces of the span method, for its users and tests.

// Span of the wheel over zwMeas teeth as a function of the normal profile
// angle, with the span method's module, helix angle and shift:
// external W = mn (cos an ((k - 0.5) pi + z2 inv at) + 2 x sin an),
// ring     W = mn (cos an ((k + 0.5) pi - z2 inv at) - 2 x sin an).
double SpanAtProfileAngle(const GearPair& g, double alphaN);

// A function of the profile angle that vanishes where dW/dan = 0 (and has
// the sign of dW/dan in (0, pi/2)).
double SpanSlopeAtProfileAngle(const GearPair& g, double alphaN);

// Ball-centre diameter from the dimension Mm over (between) balls of
// diameter D: (Mm -+ D), over cos(pi/(2|z2|)) for an odd number of teeth.
double BallCentreDiameter(const GearPair& g, double Mm, double D);

// The root search of the span method: steps of 0.02 rad from `start` until
// f changes sign, the last step cut at `upper`; no sign change before
// `upper` is no root (0). Then halving until |f| < 1e-11.
double IdentRootSearch(FunctionRef<double(double)> f, double start, double upper);

// The upper end of every root search: just short of pi/2, where inv(at) and
// tan(an) have their pole.
inline constexpr double kIdentSearchEnd = 1.5706963267948966;  // pi/2 - 1e-4
inline constexpr double kIdentSearchStep = 0.02;
inline constexpr double kIdentRootTolerance = 1e-11;

// Two transverse pressure angles closer than this are the same: beta = 0.
inline constexpr double kSpanHelixTolerance = 1e-11;

// Marker of an unsolvable span helix angle in betaId[1].
inline constexpr double kUnsolvableHelix = -1.0;

}  // namespace kolmira
