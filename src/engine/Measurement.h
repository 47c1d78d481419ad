// Measurement dimensions of both gears: the chordal tooth thickness (constant
// chord, chord on the reference cylinder, chord of a chosen width or at a
// chosen height), the span over zw teeth (base tangent length) with its
// admissible and recommended counts, and the dimension over (between) balls
// with the admissible ball sizes and contact diameters.
//
// Every procedure works on the gear-pair state; `gear` is 1 for the pinion
// and 2 for the wheel, which may be an internal ring (negative z2 and
// diameters) or, in rack mode, a rack. The thicknesses they start from are
// those of the check (sa, sFf, sb, sn in the normal section, thinned for the
// backlash), so every measurement is that of the thinned tooth.
#pragma once

#include "model/GearPair.h"

namespace kolmira {

// ---------------------------------------------------------------------------
// Chordal tooth thickness

// Effective tip diameter where the tooth's involute ends: the start of the
// tip chamfer, or the ring's tip trimmed by the cutter's root; otherwise the
// tip diameter. Signed like the gear's diameters.
double EffectiveTipDiameter(const GearPair& g, int gear);

// Share of the thinning angle that the backlash takes from gear 1 or 2 (the
// thinning angle itself is stored as thinAngle1 / thinAngle2).
double ThinningShare(GearPair& g, int gear);

// Transverse half angle of the tooth on the base circle, PSI, reduced by
// half the thinning share. The ring's tooth widens outwards, so its half
// angle at a diameter is PSI + inv(ay) and PSI carries -inv(alphaT).
double ToothHalfAngleOnBase(GearPair& g, int gear);

// Constant chord: sc = sn cos^2 an with its height under the tip.
void ConstantChord(GearPair& g, int gear);
// Chord on the reference cylinder (the reference line of a rack); 0 and 0
// when the reference circle does not lie on the involute.
void ReferenceChord(GearPair& g, int gear);
// Limits of a chosen chord width and height: sc/hc min/max, scAtToothMax.
void ChordLimits(GearPair& g, int gear);
// The height of the chord of the chosen width sc1/sc2 (Newton system 4, the
// ring's 6; a rack's straight flank in closed form).
void ChordAtWidth(GearPair& g, int gear);
// The chord at the chosen height hc1/hc2 (systems 3 and 5).
void ChordAtHeight(GearPair& g, int gear);
// The chord of each gear in its mode: the constant or reference chord, or
// the chosen width again when the stored chord still lies inside the limits;
// a gear whose chord falls outside them gets the constant chord (and its
// mode).
void ChordDimensions(GearPair& g);

// Chord width and height within the limits; the height is compared with a
// tolerance of 1e-7 mm so that a height written back to 4 decimals and typed
// again is still accepted.
bool ChordInsideLimits(const GearPair& g, int gear);
inline constexpr double kChordHeightTolerance = 1e-7;

// ---------------------------------------------------------------------------
// Span measurement (base tangent length)

// Admissible range zwMin..zwMax (both 0 and zw 0 when no count fits).
void SpanRange(GearPair& g, int gear);
// zw from the ideal count k: up when the fractional part exceeds 0.2.
int RoundSpanCount(double k);
// zwRec (the count whose anvils touch near the reference circle), and
// zw := zwRec when the inputs changed.
void RecommendedSpanCount(GearPair& g, int gear);
// Span W over zw teeth (over zw teeth between spaces of a ring) and the
// face width b sin(beta) W that the anvils need; both 0 for zw = 0.
void Span(GearPair& g, int gear);
// Diameter at which the anvils touch the flanks (negative for a ring).
double SpanContactDiameter(const GearPair& g, int gear);
// The span step of the check and of the tab: range, recommended count and
// span of both gears (the rack's all 0).
void SpanDimensions(GearPair& g);

// A fractional part that is 0.2 up to the rounding of the formula counts as
// 0.2 (and rounds down).
inline constexpr double kSpanRoundingTolerance = 1e-9;

// ---------------------------------------------------------------------------
// Dimension over balls

// The ball that touches the flank at the contact diameter dM1/dM2 (Newton
// system 7): dt, alphaK and M.
void BallForContact(GearPair& g, int gear);
// Contact diameter and M for the ball dt1/dt2 (closed form).
void ContactForBall(GearPair& g, int gear);
// Admissible balls dtmin..dtmax and the largest contact diameter dMlim;
// ballReason 3 (contact below the form circle) or 2 (ball on the root).
void BallRange(GearPair& g, int gear);

// Upper ball limit of a four-tooth gear whose tooth spaces stay open above
// the tip: there is none, shown as this size.
inline constexpr double kNoBallLimit = 1000.0;

// ---------------------------------------------------------------------------

// Last step of the check of external and internal pairs: span, chordal
// thickness and the default balls of both gears.
void MeasurementDimensions(GearPair& g);

}  // namespace kolmira
