// The complete geometric check of a pair: one run evaluates every meshing
// quantity and every fault flag of the current pair, in a fixed order that
// depends on the gear type. Every step is a procedure over the gear-pair
// state; a step that sets driverError makes every later guarded step skip.
#pragma once

#include "model/GearPair.h"

namespace kolmira {

// Runs the check on the current state.
void RunCheck(GearPair& g);

// Runs the check when the pair is computed and queues the first blocking
// shift-sum message (driverError and lastInputField 8 follow it).
void RunCheckAndReport(GearPair& g);

// Pinion and rack: rolls at the transverse pressure angle, no message.
void RunCheckRack(GearPair& g);

// Whether the last run stopped after the basic limits and the clearance (a
// gear without a tooth, a tip in the mate's root, a shift sum beyond its
// limit): the meshing quantities of the later steps were not computed, and
// what the state holds of them belongs to an earlier pair.
bool CheckStoppedEarly(const GearPair& g);

// Steps of the run.
void ResetCheckFlags(GearPair& g);
void CheckBasicLimits(GearPair& g);
void CheckBasicLimitsInternal(GearPair& g);
void CheckClearance(GearPair& g);
void CheckClearanceBevel(GearPair& g);

// The check flags a tip clearance below 0.249 mn, while the report quotes
// 0.25 mn: a clearance rounded to 0.25 mn on a drawing is not a fault.
inline constexpr double kClearanceFactor = 0.249;
// Bevel pairs: clearance against 0.199 of the mean transverse module.
inline constexpr double kBevelClearanceFactor = 0.199;

// Blocking messages of the run.
std::string ShiftSumBelowLimitMessage(double xmez);
std::string CutterShiftSumAboveLimitMessage(double x0mez);
std::string ShiftSumAboveLimitMessage(double xmez);

}  // namespace kolmira
