// Profile-shift distribution: the unshifted pair, and the division of the
// shift sum that makes the specific sliding at the two roots equal.
#pragma once

#include "model/GearPair.h"

namespace kolmira {

// The unshifted pair: x1 = x2 = xSum = kStar = 0, aw = a (the degenerate
// internal pair: pi/2 and aw 0), then the basic geometry.
void ZeroShifts(GearPair& g);

// Sets awEff, alphaWtEff (the enlarged centre distance when the backlash is
// made by moving the gears apart) and xSumBalance, the sum to be divided.
void PrepareSlidingBalance(GearPair& g);

// x1 that balances the specific sliding of an external, internal or bevel
// pair; on failure queues the message and clears shiftSolutionOk, x1 kept.
void BalanceSliding(GearPair& g);

// The same for a pinion meshing with a rack.
void BalanceSlidingRack(GearPair& g);

// Back to the computed tip diameters: clears the typed flags and recomputes
// the basic geometry (rack variant in rack mode).
void ComputedTipDiameters(GearPair& g);

// Rounds of the balance search before it restarts past the current bracket:
// a sign change at a pole or jump of the balance function never converges.
inline constexpr int kBalanceRoundsBeforeRestart = 100;

inline constexpr const char* kNoSlidingBalance = "Neexistuje řešení pro vyrovnání měrných skluzů";

}  // namespace kolmira
