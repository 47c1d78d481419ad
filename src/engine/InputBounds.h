// The bounds of the inputs of a pair and the message for a value outside
// them: what a field tests when its value is typed and what a loaded input
// file is tested against, so that a file brings no value the dialogs would
// refuse. Bounds that follow other inputs (the limiting shift sum on the
// numbers of teeth, an addendum on the profile angle, a fillet on the
// mating root) are read from the state, which must hold those inputs
// already; each test answers with the field's own message, or nothing for
// a value it takes.
#pragma once

#include <optional>
#include <string>

#include "model/GearPair.h"

namespace kolmira {

using Refusal = std::optional<std::string>;

// Ranges wide enough for every real gear, where the pair's rules set no
// bound of their own (or only "greater than 0"): values beyond them are no
// gear at all, and their consequences overflow or lose every digit.
inline constexpr double kModuleMin = 0.01;       // mm
inline constexpr double kModuleMax = 1000.0;     // mm
inline constexpr double kTeethMax = 10000.0;     // either gear, a ring (negative), a bevel gear
inline constexpr double kRackTeeth = 5000.0;     // an external wheel of this many teeth is a rack
inline constexpr double kLengthMax = 100000.0;   // mm: face width, centre distance, tip diameters
inline constexpr double kProfileAngleMin = 1.0;  // degrees
inline constexpr double kWorkingAngleMin = 1.0;  // degrees
inline constexpr double kShaftAngleMin = 1.0;    // degrees
inline constexpr double kShaftAngleMax = 179.0;  // degrees

// The fields of the main dialog by their numbers: 1 mn, 2 z1, 3 z2, 4
// betaDeg, 5 b, 6 xSum, 7 x1, 8 x2, 9 aw, 10 alphaWtDeg, 11 haP1Star, 12
// haP2Star, 13 cP1Star, 14 cP2Star, 15 rhofP1Star, 16 rhofP2Star, 17
// alphaPDeg, 18 da1, 19 da2 (a rack's addendum ha2 in rack mode), 20
// SigmaDeg, 21 jn. The value is the one the field stores: a ring's teeth,
// centre distance and tip diameter negative, angles in degrees. The helix
// angle's bound betaMax and a bevel pair's cone length Le are read from the
// state's geometry. The fillet radii of an external gear are not refused
// when typed (they are cut back to the full round root with a warning):
// FieldRefusal takes them, FilletRefusal gives the warning's text.
Refusal FieldRefusal(const GearPair& g, int field, double value);
Refusal FilletRefusal(const GearPair& g, int field, double value);

// The shaper cutter of a ring: its number of teeth, profile shift, root
// radius and tip radius coefficients.
Refusal CutterTeethRefusal(const GearPair& g, double z0);
Refusal CutterShiftRefusal(double x0);
Refusal CutterRootRadiusRefusal(const GearPair& g, double rhof0Star);
Refusal CutterTipRadiusRefusal(const GearPair& g, double rhoa0Star);
// The largest tip radius coefficient of the cutter as it stands (a fully
// rounded tip).
double CutterLargestTipRadius(const GearPair& g);

// The rack tool of the pinion (1) or the wheel (2): its addendum, tip
// radius, chamfer (height coefficient and angle in degrees) and
// protuberance (height coefficient and size in mm).
Refusal ToolAddendumRefusal(const GearPair& g, int tool, double haP0Star);
Refusal ToolTipRadiusRefusal(const GearPair& g, int tool, double rhoaP0Star);
Refusal ChamferHeightRefusal(const GearPair& g, int tool, double hFfP0Star);
Refusal ChamferAngleRefusal(const GearPair& g, int tool, double alphaKP0Deg);
Refusal ProtuberanceHeightRefusal(int tool, double haP0Star, double hFaP0Star);
Refusal ProtuberanceSizeRefusal(const GearPair& g, int tool, double prP0);

// Whether every real of the state is a number: no entry and no file may
// leave one that is not, or it would reach a field, the report or a file.
bool AllFinite(const GearPair& g);

// Messages.
inline constexpr const char* kTeethNotWhole = "Počet zubů musí být celé číslo";
inline constexpr const char* kNotFinite =
    "Nemožné zadání - rozměry soukolí by nebyly konečná čísla";
// The tolerance of the radius coefficients: the bound shown with 4 decimals
// is taken.
inline constexpr double kRadiusMargin = 0.0001;
// The chamfering edge of a rack tool is steeper than the flank by at least
// this margin and short of right angles by as much (radians).
inline constexpr double kChamferAngleMargin = 1e-7;
inline constexpr double kChamferAngleMax = 1.5707962267948967;  // pi/2 - 1e-7

}  // namespace kolmira
