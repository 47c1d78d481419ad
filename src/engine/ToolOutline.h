// The outline of one tooth of a rack tool (hob or rack cutter), built from
// the tool's values in the gear-pair state: its addendum and tip radius, the
// chamfering edge near its root and the protuberance at its tip. The tool
// pictures draw it; a tool that cannot be built is built as far as it goes,
// and the outline says where it breaks off.
#pragma once

#include <vector>

#include "model/GearPair.h"

namespace kolmira {

// A point of the tooth in units of the module: x across the tooth from its
// centre line, y down from the datum line towards the tool tip (the tip line
// is y = haP0*, the tool's root line lies above the datum at negative y).
struct OutlinePoint {
  double x = 0.0;
  double y = 0.0;
};

// What the tooth carries, whether or not the tool's options are set.
struct ToolShape {
  bool chamfer = false;
  bool protuberance = false;
};

struct ToolOutline {
  // The right half of the tooth, from the middle of the tip line up to the
  // middle of the tool space (x = pi/2) or to the tool's root line and along
  // it. The left half is its mirror image (x -> -x). When the tool cannot be
  // built the half starts, or ends, where the construction breaks off.
  std::vector<OutlinePoint> points;
  bool constructible = true;
  OutlinePoint failure;  // where the construction breaks off

  double tipDepth = 0.0;   // haP0*: datum line to the tip line
  double rootDepth = 0.0;  // datum line up to the tool's root line
  // The tip rounding of the right half (radius rhoaP0*) and where it meets
  // the tip line and the flank (the protuberance flank when there is one).
  OutlinePoint tipCentre;
  double tipRadius = 0.0;
  OutlinePoint tipEnd;
  OutlinePoint flankEnd;

  // The chamfering edge starts at hFfP0* above the datum line and rises at
  // the profile angle alphaKP0 (from the normal to the datum line).
  OutlinePoint chamferStart;
  double chamferAngle = 0.0;

  // The protuberance flank starts on the main flank at the depth hFaP0* and
  // runs at the profile angle alphaprP0 down to the tip rounding. Its size
  // prP0 is the widest gap between the rounding and the main flank: from
  // protuberanceFoot on the main flank, normal to it, to protuberanceTouch.
  OutlinePoint protuberanceStart;
  double protuberanceAngle = 0.0;
  OutlinePoint protuberanceFoot;
  OutlinePoint protuberanceTouch;
};

// The tooth of tool 1 (it cuts the pinion) or tool 2 (the wheel) with its
// own options, or with the options of `shape`.
ToolOutline RackToolOutline(const GearPair& g, int tool);
ToolOutline RackToolOutline(const GearPair& g, int tool, ToolShape shape);

// The whole tooth from the middle of the space on its left to the middle of
// the space on its right, through the tip: the mirrored half joined to the
// half. Empty when the half does not start on the tooth's centre line (the
// construction broke off beside it).
std::vector<OutlinePoint> WholeTooth(const ToolOutline& outline);

// The tool's root line stands this far above the tip line of the gear it
// cuts (in units of the module), so that the tool's root never touches the
// gear's tip.
inline constexpr double kToolRootClearance = 0.25;

}  // namespace kolmira
