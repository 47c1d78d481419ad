// Rack-type tools (hob or rack cutter) of pinion and wheel: the profile angle
// of the protuberance flank that follows from the protuberance data, the
// largest tool addendum and tip radius a tool tooth of the basic rack can
// carry, and the relations that keep the basic rack of the pair consistent
// with the tools that cut it. Tool 1 cuts the pinion, tool 2 the wheel.
#pragma once

#include "model/GearPair.h"

namespace kolmira {

// The variables of one tool in the gear-pair state.
struct RackToolVariables {
  double& haP0Star;     // addendum coefficient (datum line to tool tip)
  double& rhoaP0Star;   // tip radius coefficient
  bool& chamfer;        // the tool has a chamfering edge
  double& hFfP0Star;    // datum line to the start of the chamfering edge
  double& alphaKP0Deg;  // profile angle of the chamfering edge [deg]
  double& alphaKP0;     // the same [rad]
  bool& protuberance;   // the tool has a protuberance
  double& hFaP0Star;    // datum line to the start of the protuberance flank
  double& prP0;         // protuberance size normal to the flank [mm]
  double& alphaprP0;    // profile angle of the protuberance flank [rad]
  bool& protInvalid;    // the protuberance data have no usable solution
  double& hprExtra;     // extra height of the protuberance flank
  double& haP0Eff;      // tool addendum reached by the protuberance flank
};
RackToolVariables ToolVariables(GearPair& g, int tool);

// Protuberance flank angle of a tool, computed without touching the state.
// `solved` is false when no flank line through the start of the protuberance
// touches the tip rounding; `angle` [rad] is then meaningless.
struct ProtuberanceSolution {
  bool solved = false;
  double angle = 0.0;
};
ProtuberanceSolution SolveProtuberanceAngle(const GearPair& g, int tool);

// The protuberance angle of `tool` into the state (alphaprP01 / alphaprP02).
// With a solution below alphaP it also sets hprExtra and haP0Eff of the tool
// and clears protInvalid; an angle at or above alphaP (a protuberance that
// does not stand out of the flank) sets protInvalid and keeps the angle.
// Without a solution protInvalid is set and the previous angle is kept.
// Returns whether the construction has a solution.
bool ProtuberanceAngle(GearPair& g, int tool);

// Largest tool addendum coefficient: the tool tooth of the basic rack comes
// to a point, (pi/4) / tan alphaP. Written to haP0Max.
double ToolAddendumMax(GearPair& g);

// Largest tip radius coefficient of `tool`: the tip rounding touches both
// flanks and the tip line (a full round tip). Written to rhoaP0Max.
double ToolTipRadiusMax(GearPair& g, int tool);

// Largest protuberance size [mm] of `tool`: the protuberance reaches the
// sharp tip corner of the tool tooth, sin alphaP (haP0* - hFaP0*) mn.
double ProtuberanceSizeMax(const GearPair& g, int tool);

// The basic rack that a tool cuts: the pinion's tool cuts the pinion's root,
// as deep as the wheel's addendum plus the wheel's clearance, so
// haP2Star = haP01Star - cP2Star; the wheel's tool gives haP1Star likewise.
void MatingAddendumFromTool(GearPair& g, int tool);

// The gear's root fillet is rounded by the tool tip: rhofP1Star = rhoaP01Star
// (tool 2: rhofP2Star = rhoaP02Star).
void FilletFromToolTipRadius(GearPair& g, int tool);

// Every variable of both tools back to its start value: plain tools of the
// standard basic rack without chamfer or protuberance.
void RestoreToolDefaults(GearPair& g);

// Start values of a tool.
inline constexpr double kToolAddendumDefault = 1.25;
inline constexpr double kToolTipRadiusDefault = 0.38;
inline constexpr double kChamferHeightDefault = 0.75;
inline constexpr double kChamferAngleDegDefault = 45.0;
inline constexpr double kProtuberanceHeightDefault = 0.75;
inline constexpr double kProtuberanceSizeDefault = 0.05;  // mm
// Protuberance angle of the default protuberance tool at module 1 and 20
// degrees, as the program starts with it (the construction gives 0.1056441,
// the same 6.0530 degrees when shown).
inline constexpr double kProtuberanceAngleDefault = 0.10564477962321676;

}  // namespace kolmira
