// Newton solver and its numbered systems: residuals and analytic Jacobians.
//
// Throughout, inv(a) = tan a - a with inv'(a) = tan^2 a, and the pressure
// angle at a diameter dy of a base circle db is ay = acos(db/dy).
#include "engine/Newton.h"

#include <cmath>
#include <cstddef>
#include <utility>

#include "engine/Involute.h"

namespace kolmira {

namespace {

// inv(ay) at a diameter and its partial derivatives. From cos ay = db/dy:
//   d inv(ay)/d dy = tan^2 ay * db / (dy^2 sin ay) = sin ay / db,
//   d inv(ay)/d db = -(dy/db) d inv(ay)/d dy    = -sin ay dy / db^2,
// forms that stay finite on the base circle itself (ay = 0).
struct InvoluteAtDiameter {
  double value = 0.0;
  double perDiameter = 0.0;
  double perBase = 0.0;
};

InvoluteAtDiameter InvoluteAt(GearPair& g, double db, double dy) {
  const double ay = GuardedArcCos(g, db / dy);
  const double s = std::sin(ay);
  return {GuardedTan(g, ay) - ay, s / db, -s * dy / (db * db)};
}

// Systems 1 and 2: where the trochoid traced by the end of the protuberance
// flank cuts the involute that the same flank generates. u1 is the radius of
// the point over the protuberance base radius, u3 = inv(acos(1/u1)) the
// involute's polar angle there.
void ProtuberanceSystem(GearPair& g, bool wheel, NewtonVector& x, NewtonVector& f,
                        NewtonMatrix& j) {
  if (std::fabs(x[0]) < 1.0) x[0] = 1.0;  // no involute inside its base circle
  const double alphapr = wheel ? g.alphaprP02 : g.alphaprP01;
  const double d = wheel ? g.d2 : g.d1;
  const double hF = wheel ? g.hFfP2 : g.hFfP1;
  const double xm = (wheel ? g.x2 + g.hprExtra2 : g.x1 + g.hprExtra1) * g.mn;
  // Transverse protuberance angle and the diameter of its base circle.
  const double phi = std::atan(GuardedTan(g, alphapr) / std::cos(g.beta));
  const double h = std::cos(phi) * d;

  const double u1 = x[0];
  const double u2 = x[1];
  const double u3 = x[2];
  const double sinS = std::sin(phi + u2 + u3);
  const double cosS = std::cos(phi + u2 + u3);
  const double sinT = std::sin(u2 + u3);
  const double cosT = std::cos(u2 + u3);
  const InvoluteAtDiameter inv = InvoluteAt(g, 1.0, u1);

  j[0] = {-cosS, u1 * sinS, u1 * sinS};
  j[1] = {1.0, -(sinT - u2 * cosT) / (sinT * sinT), u2 * cosT / (sinT * sinT)};
  j[2] = {inv.perDiameter, 0.0, -1.0};

  f[0] = d / h - 2.0 * (hF - xm) / h - u1 * cosS;
  f[1] = u1 - u2 / sinT;
  f[2] = inv.value - u3;
}

// Systems 3 to 6: the point (psi_y, d_y) of the flank involute where the
// chord has the given distance from the axis (3, 5) or the given normal
// width (4, 6). PSI is the tooth's half angle on the base circle; the
// involute term narrows an external tooth and widens the internal wheel's
// tooth with growing diameter.
void ChordSystem(GearPair& g, int system, NewtonVector& x, const NewtonParams& p, NewtonVector& f,
                 NewtonMatrix& j) {
  const double baseDiameter = std::fabs(p.DB);
  if (std::fabs(x[1]) < baseDiameter) x[1] = baseDiameter;  // no involute below the base circle
  const double psi = x[0];
  const double dy = x[1];
  const bool ring = system == kSystemRingChordAtHeight || system == kSystemRingChordOfWidth;
  const double invSign = ring ? 1.0 : -1.0;
  const InvoluteAtDiameter inv = InvoluteAt(g, baseDiameter, dy);
  const double sinPsi = std::sin(psi);
  const double cosPsi = std::cos(psi);

  j[0] = {-1.0, invSign * inv.perDiameter, 0.0};
  f[0] = p.PSI + invSign * inv.value - psi;

  if (system == kSystemChordAtHeight) {
    j[1] = {0.5 * dy * sinPsi, -0.5 * cosPsi, 0.0};
    f[1] = p.C - 0.5 * dy * cosPsi;
  } else if (system == kSystemRingChordAtHeight) {
    const double ady = std::fabs(dy);
    j[1] = {-0.5 * ady * sinPsi, 0.5 * std::copysign(1.0, dy) * cosPsi, 0.0};
    f[1] = 0.5 * ady * cosPsi - p.C;
  } else {
    // Normal chord: the transverse chord times the cosine of the helix angle
    // at dy, c = cos(atan(|dy| T)) = (1 + T^2 dy^2)^(-1/2); then
    // d(dy c)/d dy = c^3.
    const double c = std::cos(std::atan(std::fabs(dy) * p.T));
    j[1] = {dy * cosPsi * c, sinPsi * c * c * c, 0.0};
    f[1] = dy * sinPsi * c - p.SC;
  }
}

// System 7: a ball of radius u2 whose centre lies at the pressure angle
// alpha_K on the centre line of the tooth space, touching the flank at the
// contact diameter whose pressure angle has the tangent TL.
void BallSystem(GearPair& g, NewtonVector& x, const NewtonParams& p, NewtonVector& f,
                NewtonMatrix& j) {
  const double alphaK = x[0];
  const double r = x[1];
  const double t = GuardedTan(g, alphaK);
  j[0] = {-t * t, p.A, 0.0};
  j[1] = {1.0, p.D2, 0.0};
  f[0] = p.A * r - p.B - (t - alphaK);
  f[1] = alphaK - p.TL + p.D2 * r - p.B;
}

// Basic quantities of the identified gear with the unknown parameter put in,
// each with its derivative with respect to that parameter.
struct IdentGear {
  double mn = 0.0, dMn = 0.0;
  double x = 0.0, dX = 0.0;
  double tanAn = 0.0, dTanAn = 0.0;
  double cosAn = 0.0, dCosAn = 0.0;
  double cosB = 0.0, dCosB = 0.0;
  double sinB = 0.0, dSinB = 0.0;
  double alphaT = 0.0, dAlphaT = 0.0, tanAlphaT = 0.0;  // transverse pressure angle
  double db = 0.0, dDb = 0.0;                           // base diameter
};

// z is the number of teeth as the base diameter takes it.
IdentGear MakeIdentGear(GearPair& g, const NewtonParams& p, int which, double value, double z) {
  IdentGear k;
  k.mn = which == kIdentModule ? value : p.mn;
  k.dMn = which == kIdentModule ? 1.0 : 0.0;
  k.x = which == kIdentShift ? value : p.x;
  k.dX = which == kIdentShift ? 1.0 : 0.0;

  const double alphaN = which == kIdentProfileAngle ? value : p.alphaN;
  k.tanAn = GuardedTan(g, alphaN);
  k.cosAn = std::cos(alphaN);
  if (which == kIdentProfileAngle) {
    k.dTanAn = 1.0 + k.tanAn * k.tanAn;
    k.dCosAn = -std::sin(alphaN);
  }
  const double beta = which == kIdentHelixAngle ? value : p.beta;
  k.cosB = std::cos(beta);
  k.sinB = std::sin(beta);
  if (which == kIdentHelixAngle) {
    k.dCosB = -k.sinB;
    k.dSinB = k.cosB;
  }

  // tan alphaT = tan alphaN / cos beta
  const double q = k.tanAn / k.cosB;
  const double dq = (k.dTanAn - q * k.dCosB) / k.cosB;
  k.alphaT = std::atan(q);
  k.dAlphaT = dq / (1.0 + q * q);
  k.tanAlphaT = GuardedTan(g, k.alphaT);

  // db = z mn cos alphaT / cos beta
  const double cosAt = std::cos(k.alphaT);
  const double sinAt = std::sin(k.alphaT);
  k.db = z * k.mn * cosAt / k.cosB;
  k.dDb = z * (k.dMn * cosAt - k.mn * sinAt * k.dAlphaT) / k.cosB - k.db * k.dCosB / k.cosB;
  return k;
}

// Systems 11-14 (external) and 19-22 (internal wheel): the point (psi_y, d_y)
// of the wheel's flank where a chord of the measured width SCm lies at the
// measured height HCm under the tip, together with the parameter u3 that
// puts the flank there.
void ChordIdentSystem(GearPair& g, bool ring, int which, NewtonVector& x, const NewtonParams& p,
                      NewtonVector& f, NewtonMatrix& j) {
  const double psi = x[0];
  const double dy = x[1];
  const double z = ring ? std::fabs(g.z2) : g.z2;
  const IdentGear k = MakeIdentGear(g, p, which, x[2], z);
  const double sinPsi = std::sin(psi);
  const double cosPsi = std::cos(psi);

  // Half angle of the tooth on the reference circle, (pi/2 + 2 x tan an)/z.
  const double half = (kPi / 2.0 + 2.0 * k.x * k.tanAn) / z;
  const double dHalf = 2.0 * (k.dX * k.tanAn + k.x * k.dTanAn) / z;
  const double invT = k.tanAlphaT - k.alphaT;
  const double dInvT = k.tanAlphaT * k.tanAlphaT * k.dAlphaT;
  const InvoluteAtDiameter at = InvoluteAt(g, k.db, dy);

  // Normal chord: the transverse chord times cos beta_y, the helix angle at
  // dy having tan beta_y = sin beta dy / (z mn); c = cos(atan w) has
  // dc/dw = -w c^3.
  const double w = k.sinB * dy / (z * k.mn);
  const double dwDy = k.sinB / (z * k.mn);
  const double dwDp = dy * (k.dSinB - k.sinB * k.dMn / k.mn) / (z * k.mn);
  const double c = std::cos(std::atan(w));
  const double dcDw = -w * c * c * c;
  j[1] = {dy * cosPsi * c, sinPsi * (c + dy * dcDw * dwDy), dy * sinPsi * dcDw * dwDp};
  f[1] = dy * sinPsi * c - p.SCm;

  if (!ring) {
    j[0] = {0.5 * dy * sinPsi, -0.5 * cosPsi, 0.0};
    f[0] = g.da2 / 2.0 - 0.5 * dy * cosPsi - p.HCm;
    j[2] = {-1.0, -at.perDiameter, dHalf + dInvT - at.perBase * k.dDb};
    f[2] = half + invT - at.value - psi;
  } else {
    // The ring's tooth widens outwards; the height is measured from the
    // chord across the tooth tip at |da2|, half angle psiA.
    const double da = std::fabs(g.da2);
    const InvoluteAtDiameter tip = InvoluteAt(g, k.db, da);
    const double psiA = half - invT + tip.value;
    const double dPsiA = dHalf - dInvT + tip.perBase * k.dDb;
    j[0] = {-0.5 * dy * sinPsi, 0.5 * cosPsi, 0.5 * da * std::sin(psiA) * dPsiA};
    f[0] = 0.5 * dy * cosPsi - 0.5 * da * std::cos(psiA) - p.HCm;
    j[2] = {-1.0, at.perDiameter, dHalf - dInvT + at.perBase * k.dDb};
    f[2] = half - invT + at.value - psi;
  }
}

// Systems 15-18: the ball of diameter DM sits in the wheel's tooth space
// with its centre on the diameter DK at the pressure angle alpha_K (u1);
// u2 is the parameter that makes it so.
void BallIdentSystem(GearPair& g, int which, NewtonVector& x, const NewtonParams& p,
                     NewtonVector& f, NewtonMatrix& j) {
  const double alphaK = x[0];
  const IdentGear k = MakeIdentGear(g, p, which, x[1], std::fabs(g.z2));
  const double z = g.z2;
  // DM / (mn cos an): the ball diameter over the normal base pitch angle unit.
  const double q = p.DM / (k.mn * k.cosAn);
  const double dq = -q * (k.dMn * k.cosAn + k.mn * k.dCosAn) / (k.mn * k.cosAn);
  const double tK = GuardedTan(g, alphaK);

  j[0] = {
      -tK * tK,
      (dq + 2.0 * (k.dX * k.tanAn + k.x * k.dTanAn)) / z + k.tanAlphaT * k.tanAlphaT * k.dAlphaT,
      0.0};
  f[0] = (q + 2.0 * k.x * k.tanAn - kPi / 2.0) / z + (k.tanAlphaT - k.alphaT) - (tK - alphaK);
  // The centre lies on the base-circle tangent: cos alpha_K = db / DK.
  j[1] = {std::sin(alphaK), k.dDb / p.DK, 0.0};
  f[1] = k.db / p.DK - std::cos(alphaK);
}

bool IsFinite(const NewtonVector& v, int n) {
  for (int i = 0; i < n; ++i) {
    if (!std::isfinite(v[i])) return false;
  }
  return true;
}

}  // namespace

int NewtonSystemSize(int system) {
  if (system == kSystemProtuberancePinion || system == kSystemProtuberanceWheel) return 3;
  if (system >= kSystemChordAtHeight && system <= kSystemBallAtContact) return 2;
  if (system >= kSystemChordIdentExternal && system < kSystemBallIdent) return 3;
  if (system >= kSystemBallIdent && system < kSystemChordIdentInternal) return 2;
  if (system >= kSystemChordIdentInternal && system < kSystemChordIdentInternal + 4) return 3;
  return 0;
}

void InvertMatrix(int n, NewtonMatrix a, NewtonMatrix& b) {
  for (int i = 0; i < n; ++i) {
    for (int k = 0; k < n; ++k) b[i][k] = i == k ? 1.0 : 0.0;
  }
  for (int k = 0; k < n; ++k) {
    if (k < n - 1) {
      int pivotRow = k;
      for (int i = k + 1; i < n; ++i) {
        if (std::fabs(a[i][k]) > std::fabs(a[pivotRow][k])) pivotRow = i;
      }
      if (pivotRow != k) {
        for (int col = 0; col < n; ++col) {
          std::swap(a[k][col], a[pivotRow][col]);
          std::swap(b[k][col], b[pivotRow][col]);
        }
      }
    }
    if (a[k][k] == 0.0) return;  // singular: b keeps what it has
    const double pivot = a[k][k];
    for (int col = 0; col < n; ++col) {
      a[k][col] /= pivot;
      b[k][col] /= pivot;
    }
    for (int i = 0; i < n; ++i) {
      if (i == k) continue;
      const double factor = a[i][k];
      for (int col = 0; col < n; ++col) {
        a[i][col] -= factor * a[k][col];
        b[i][col] -= factor * b[k][col];
      }
    }
  }
}

void NewtonEvaluate(GearPair& g, int system, NewtonVector& x, const NewtonParams& p,
                    NewtonVector& f, NewtonMatrix& j) {
  f = {};
  j = {};
  if (system == kSystemProtuberancePinion || system == kSystemProtuberanceWheel) {
    ProtuberanceSystem(g, system == kSystemProtuberanceWheel, x, f, j);
  } else if (system >= kSystemChordAtHeight && system <= kSystemRingChordOfWidth) {
    ChordSystem(g, system, x, p, f, j);
  } else if (system == kSystemBallAtContact) {
    BallSystem(g, x, p, f, j);
  } else if (system >= kSystemChordIdentExternal && system < kSystemBallIdent) {
    ChordIdentSystem(g, /*ring=*/false, system - kSystemChordIdentExternal, x, p, f, j);
  } else if (system >= kSystemBallIdent && system < kSystemChordIdentInternal) {
    BallIdentSystem(g, system - kSystemBallIdent, x, p, f, j);
  } else if (NewtonSystemSize(system) == 3) {
    ChordIdentSystem(g, /*ring=*/true, system - kSystemChordIdentInternal, x, p, f, j);
  }
}

NewtonStats NewtonSolve(GearPair& g, int n, int system, NewtonVector& x, const NewtonParams& p) {
  NewtonStats stats;
  stats.newtonTol = kNewtonTightTolerance;
  g.newtonFailed = false;
  if (n != NewtonSystemSize(system)) {
    g.newtonFailed = true;
    return stats;
  }
  NewtonMatrix jacobian{};
  NewtonMatrix inverse{};
  NewtonVector residuals{};
  // A domain error met once tends to recur on every later iteration; one
  // message per solve is enough for the user.
  const std::size_t messagesBefore = g.messages.size();

  for (;;) {
    NewtonEvaluate(g, system, x, p, residuals, jacobian);
    if (g.messages.size() > messagesBefore + 1) g.messages.resize(messagesBefore + 1);

    ++stats.newtonIter;
    if (stats.newtonIter == kNewtonLooseFrom) stats.newtonTol = kNewtonLooseTolerance;

    InvertMatrix(n, jacobian, inverse);
    NewtonVector step{};
    NewtonVector next{};
    for (int i = 0; i < n; ++i) {
      for (int k = 0; k < n; ++k) step[i] += inverse[i][k] * residuals[k];
      next[i] = x[i] - step[i];
    }
    // A step that is not finite (a pole of a residual, a Jacobian that
    // overflowed) would only spoil the iterate: stop with the last good one.
    if (!IsFinite(step, n) || !IsFinite(next, n)) {
      g.newtonFailed = true;
      return stats;
    }
    double norm = std::fabs(step[0]);
    for (int i = 1; i < n; ++i) {
      if (std::fabs(step[i]) > norm) norm = std::fabs(step[i]);
    }
    for (int i = 0; i < n; ++i) x[i] = next[i];  // applied also on the converging step

    if (norm < stats.newtonTol || stats.newtonIter == kNewtonMaxIterations) break;
  }
  if (stats.newtonIter == kNewtonMaxIterations) g.newtonFailed = true;
  return stats;
}

}  // namespace kolmira
