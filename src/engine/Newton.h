// Newton-Raphson solver for the small non-linear systems (two or three
// unknowns) behind the measurement dimensions, the identification of an
// unknown gear and the protuberance check of the rack tool: the diameter at
// which a tooth has a given chord, the centre of a measuring ball touching
// the flank at a given diameter, the module or profile angle that reproduces
// a measured chord, the start of the involute cut by a protuberance flank.
//
// Each system is numbered; its residuals and analytic Jacobian are evaluated
// from the unknowns, the caller's constants (NewtonParams) and, for a few
// systems, the gear-pair state. The iteration is plain Newton: Gauss-Jordan
// inversion of the Jacobian with partial pivoting, an infinity-norm test on
// the step, no damping, a fixed iteration limit.
#pragma once

#include <array>

#include "model/GearPair.h"

namespace kolmira {

using NewtonVector = std::array<double, 3>;
using NewtonMatrix = std::array<NewtonVector, 3>;  // row-major, J[i][j] = dFi/duj

// The numbered systems. Unknowns in order u1, u2, u3.
//  1, 2  undercut by the protuberance flank of the rack tool (pinion, wheel):
//        u1 = diameter / protuberance base diameter (kept >= 1), u2, u3 angles
//  3     external gear, chord at a given height:   u1 = psi_y, u2 = d_y
//  4     external gear, chord of a given width:    u1 = psi_y, u2 = d_y
//  5     internal wheel, chord at a given height:  u1 = psi_y, u2 = d_y
//  6     internal wheel, chord of a given width:   u1 = psi_y, u2 = d_y
//  7     ball touching the flank at a given diameter: u1 = alpha_K, u2 = ball radius
//  11-14 identification from a measured chord, external wheel:
//        u1 = psi_y, u2 = d_y, u3 = the parameter 11 + IdentParameter
//  15-18 identification from a measured dimension over balls:
//        u1 = alpha_K, u2 = the parameter 15 + IdentParameter
//  19-22 identification from a measured chord, internal wheel, as 11-14
inline constexpr int kSystemProtuberancePinion = 1;
inline constexpr int kSystemProtuberanceWheel = 2;
inline constexpr int kSystemChordAtHeight = 3;
inline constexpr int kSystemChordOfWidth = 4;
inline constexpr int kSystemRingChordAtHeight = 5;
inline constexpr int kSystemRingChordOfWidth = 6;
inline constexpr int kSystemBallAtContact = 7;
inline constexpr int kSystemChordIdentExternal = 11;
inline constexpr int kSystemBallIdent = 15;
inline constexpr int kSystemChordIdentInternal = 19;

// The parameter an identification solves for (the item of its radio group);
// added to the first system number of the method.
enum IdentParameter : int {
  kIdentModule = 0,
  kIdentProfileAngle = 1,
  kIdentHelixAngle = 2,
  kIdentShift = 3,
};

// Constants of the systems, filled by the caller just before the solve.
// Only the ones of the system solved are read.
struct NewtonParams {
  // Chordal thickness (3-6).
  // Transverse half angle, on the base circle, of the tooth whose chord is
  // sought: psi_y = PSI - inv(ay) on an external gear (3, 4), PSI + inv(ay)
  // on the tooth of an internal wheel (5, 6), which widens outwards.
  double PSI = 0.0;
  double DB = 0.0;  // base diameter (taken by absolute value)
  double C = 0.0;   // distance of the chord from the axis (3, 5)
  double T = 0.0;   // tan(beta) / reference diameter: atan(|dy| T) is the helix angle at dy
  double SC = 0.0;  // normal chord (4, 6)
  // Ball touching at a given diameter (7).
  double A = 0.0;   // 2 / (DB cos betaB)
  double B = 0.0;   // half angle of the tooth space on the base circle
  double D2 = 0.0;  // 2 (1/cos betaB - cos betaB) / DB
  double TL = 0.0;  // tangent of the pressure angle at the contact diameter
  // Identification (11-22): the measurement ...
  double HCm = 0.0;  // chordal height, measured from the tip circle
  double SCm = 0.0;  // chord
  double DM = 0.0;   // ball diameter
  double DK = 0.0;   // ball-centre diameter
  // ... and the method's current values of the parameters not solved for
  // (the one solved for is taken from the unknowns).
  double mn = 0.0;
  double alphaN = 0.0;
  double beta = 0.0;
  double x = 0.0;
};

// What the last solve did, for callers and tests that want to know.
struct NewtonStats {
  int newtonIter = 0;      // iterations done
  double newtonTol = 0.0;  // stopping tolerance in force at the end
};

// Iteration limit, and the iteration from which the looser tolerance holds.
inline constexpr int kNewtonMaxIterations = 2000;
inline constexpr int kNewtonLooseFrom = 250;
// The step must fall below 1e-11 (about ten thousand times the rounding of a
// diameter of some hundred millimetres); a solve that has not got there in
// 249 iterations is accepted at 1e-8.
inline constexpr double kNewtonTightTolerance = 1e-11;
inline constexpr double kNewtonLooseTolerance = 1e-8;

// Number of unknowns of a system: 2 or 3, 0 for a number without a system.
int NewtonSystemSize(int system);

// Gauss-Jordan inversion with partial pivoting of the leading n x n block of
// a (a copy is worked on) into b. A later row becomes the pivot row only when
// its entry is strictly larger in magnitude, so ties keep the upper row. An
// exact zero pivot ends the inversion where it stands, without a message.
void InvertMatrix(int n, NewtonMatrix a, NewtonMatrix& b);

// One evaluation of a system at x: first the clamp of the diameter unknown
// (systems 1-6, which then changes x), then the Jacobian j and the residuals
// f at the clamped point. A domain error of the guarded functions queues its
// message and sets driverError.
void NewtonEvaluate(GearPair& g, int system, NewtonVector& x, const NewtonParams& p,
                    NewtonVector& f, NewtonMatrix& j);

// Solves system `system` with n unknowns from the start values in x and
// leaves the last iterate in x. newtonFailed is set when the iteration limit
// is reached (also when the last step met the tolerance there), when n does
// not match the system, and when a step is not finite (x then keeps the last
// finite iterate). Nothing is shown; of the domain errors of one solve only
// the first message stays queued.
NewtonStats NewtonSolve(GearPair& g, int n, int system, NewtonVector& x, const NewtonParams& p);

}  // namespace kolmira
