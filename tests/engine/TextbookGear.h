// Textbook geometry of one involute gear from its basic data, for tests that
// work out measurements and solver inputs without the engine: the tooth's
// half angle on any circle, its chord, the span and the dimension over balls.
#pragma once

#include <cmath>

#include "model/GearPair.h"

namespace kolmira::test {

inline double Inv(double a) {
  return std::tan(a) - a;
}

// Angle of an involute value: Newton on inv(t) - w, inv' = tan^2.
inline double InvInverse(double w) {
  double t = 0.6;
  for (int i = 0; i < 100; ++i) t -= (Inv(t) - w) / (std::tan(t) * std::tan(t));
  return t;
}

// A gear by its basic data (z > 0; `ring` makes it an internal wheel).
struct TextbookGear {
  double mn, z, an, beta, x;
  bool ring = false;

  double At() const { return std::atan(std::tan(an) / std::cos(beta)); }
  double D() const { return mn * z / std::cos(beta); }
  double Db() const { return D() * std::cos(At()); }
  double CosBetaB() const { return std::cos(std::atan(std::tan(beta) * std::cos(At()))); }
  // Tip circle: the addendum mn (1 + x) outside d; a ring's inside d.
  double Da() const { return ring ? D() - 2.0 * mn * (1.0 - x) : D() + 2.0 * mn * (1.0 + x); }
  // The parameters identification solves for: 0 mn, 1 an, 2 beta, 3 x.
  double Param(int which) const {
    return which == 0 ? mn : which == 1 ? an : which == 2 ? beta : x;
  }
  double& Param(int which) { return which == 0 ? mn : which == 1 ? an : which == 2 ? beta : x; }

  // Transverse half angle of the tooth at dy: (pi/2 + 2 x tan an)/z on the
  // reference circle; an external tooth narrows outwards by inv(ay), a
  // ring's tooth widens outwards by it.
  double Psi(double dy) const {
    const double half = (kPi / 2.0 + 2.0 * x * std::tan(an)) / z;
    const double ay = std::acos(Db() / dy);
    return ring ? half - Inv(At()) + Inv(ay) : half + Inv(At()) - Inv(ay);
  }
  // Normal chord across the tooth at dy (the transverse chord times the
  // cosine of the helix angle there, tan beta_y = tan beta dy / d) and its
  // height: under the tip circle, for a ring over the chord across its tooth
  // tip, where the caliper's tongue rests.
  double Chord(double dy) const {
    return dy * std::sin(Psi(dy)) * std::cos(std::atan(std::tan(beta) * dy / D()));
  }
  double ChordHeight(double dy) const {
    if (ring) return dy / 2.0 * std::cos(Psi(dy)) - Da() / 2.0 * std::cos(Psi(Da()));
    return Da() / 2.0 - dy / 2.0 * std::cos(Psi(dy));
  }

  // Base tangent length over k teeth: (k - 1) normal base pitches plus the
  // normal base thickness of a tooth; a ring's over k teeth with the anvils
  // in the spaces beyond them: (k + 1) pitches less one tooth.
  double Span(int k, double alphaN) const {
    TextbookGear w = *this;
    w.an = alphaN;
    const double pbn = kPi * mn * std::cos(alphaN);
    const double sbn = w.Db() * w.Psi(w.Db()) * w.CosBetaB();  // 2 rb psi_b cos(betaB)
    return ring ? (k + 1) * pbn - sbn : (k - 1) * pbn + sbn;
  }
  double Span(int k) const { return Span(k, an); }

  // Balls of diameter D in the spaces (a ring's between its teeth): the ball
  // centre lies at aK, inv aK = inv at -+ (D/(mn z cos an) - pi/(2z) +
  // 2 x tan an / z); M = db/cos aK times cos(pi/(2z)) for odd z, +- D. The
  // ball touches the flank along its normal, which lies in the plane tangent
  // to the base cylinder at betaB: D cos(betaB)/2 from the centre along the
  // base tangent, towards the tangency point (a ring's away from it).
  double BallAngle(double ball) const {
    const double q = ball / (mn * z * std::cos(an)) - kPi / (2.0 * z) + 2.0 * x * std::tan(an) / z;
    return InvInverse(ring ? Inv(At()) - q : Inv(At()) + q);
  }
  double OverBalls(double ball) const {
    const int teeth = static_cast<int>(std::lround(z));
    const double c = teeth % 2 == 1 ? std::cos(kPi / (2.0 * z)) : 1.0;
    return Db() / std::cos(BallAngle(ball)) * c + (ring ? -ball : ball);
  }
  double BallContact(double ball) const {
    const double rb = Db() / 2.0, along = ball * CosBetaB() / 2.0;
    return 2.0 * std::hypot(rb, rb * std::tan(BallAngle(ball)) + (ring ? along : -along));
  }
};

}  // namespace kolmira::test
