// Measurement dimensions: chordal thickness, span and balls of both gears.
//
// Notation: an = alphaP (normal profile angle), at = alphaT, inv(a) = tan a
// - a, betaB the base helix angle. The thicknesses of the state (sa, sFf, sb,
// sn) are normal-section arcs of the thinned tooth; the transverse arc at a
// diameter dy is s / cos(beta_y), beta_y the helix angle on that cylinder,
// and the transverse half angle of the tooth there is s_t / dy.
//
// A ring (internal wheel) is stored with negative z2 and diameters; its
// tooth is the space of an external gear and widens outwards, its form
// circle lies outside its tip circle, and a chord of its tooth is measured
// from the chord across the tooth tip, on which the caliper's tongue rests.
#include "engine/Measurement.h"

#include <algorithm>
#include <cmath>

#include "engine/Involute.h"
#include "engine/Newton.h"
#include "engine/ToothThickness.h"

namespace kolmira {

namespace {

double Finite(double v) {
  return std::isfinite(v) ? v : 0.0;
}

bool IsRing(const GearPair& g, int gear) {
  return gear == 2 && g.gearType == GearType::Internal;
}
bool IsRack(const GearPair& g, int gear) {
  return gear == 2 && g.rackMode;
}

// Cosine of the helix angle on the cylinder dy of a gear of reference
// diameter d: tan beta_y = tan beta |dy| / |d|.
double CosHelixAt(const GearPair& g, double dy, double d) {
  if (d == 0.0) return 1.0;
  const double t = std::tan(g.beta) * std::fabs(dy) / std::fabs(d);
  return 1.0 / std::sqrt(1.0 + t * t);
}

// Pressure angle of the involute of base diameter db at the diameter dy;
// 0 on and inside the base circle, where there is no involute.
double PressureAngle(double db, double dy) {
  db = std::fabs(db);
  dy = std::fabs(dy);
  if (dy <= db) return 0.0;
  return std::acos(db / dy);
}

// The quantities of one gear the measurement reads, signed as stored.
struct GearView {
  bool pinion = true;
  bool ring = false;
  double z = 0.0, x = 0.0;
  double d = 0.0, db = 0.0, da = 0.0, df = 0.0, dFf = 0.0;
  double sa = 0.0, sFf = 0.0, sb = 0.0, sn = 0.0, saEffT = 0.0;
  bool chamfer = false;
};

GearView View(const GearPair& g, int gear) {
  GearView v;
  v.pinion = gear == 1;
  v.ring = IsRing(g, gear);
  v.z = v.pinion ? g.z1 : g.z2;
  v.x = v.pinion ? g.x1 : g.x2;
  v.d = v.pinion ? g.d1 : g.d2;
  v.db = v.pinion ? g.db1 : g.db2;
  v.da = v.pinion ? g.da1 : g.da2;
  v.df = v.pinion ? g.df1 : g.df2;
  v.dFf = v.pinion ? g.dFf1 : g.dFf2;
  v.sa = v.pinion ? g.sa1 : g.sa2;
  v.sFf = v.pinion ? g.sFf1 : g.sFf2;
  v.sb = v.pinion ? g.sb1 : g.sb2;
  v.sn = v.pinion ? g.sn1 : g.sn2;
  v.saEffT = v.pinion ? g.saEff1t : g.saEff2t;
  v.chamfer = v.pinion ? g.chamfer1 : (g.chamfer2 && g.gearType == GearType::External);
  return v;
}

// A gear whose basic dimensions allow every formula below (no division by
// zero): the check has derived the pair.
bool Usable(const GearPair& g, const GearView& v) {
  return g.mn > 0.0 && v.z != 0.0 && v.d != 0.0 && v.db != 0.0 && v.da != 0.0 &&
         std::isfinite(v.d) && std::isfinite(v.db) && std::isfinite(v.da) &&
         std::cos(g.betaB) > 0.0;
}

// The form circle where the involute starts; a gear whose form circle was
// never computed is measured from its reference circle.
double FormDiameter(const GearView& v) {
  return v.dFf != 0.0 ? v.dFf : v.d;
}

// Transverse half angle of the tooth at the tip circle.
double TipHalfAngle(const GearPair& g, const GearView& v) {
  return v.sa / CosHelixAt(g, v.da, v.d) / std::fabs(v.da);
}

// ---------------------------------------------------------------------------
// State of each gear

struct ChordState {
  double& sc;
  double& hc;
  double& scMin;
  double& scMax;
  double& hcMin;
  double& hcMax;
  bool& modeConst;
  bool& modeRef;
  bool& modeChosen;
};

ChordState Chord(GearPair& g, int gear) {
  if (gear == 1) {
    return {g.sc1,    g.hc1,      g.sc1min, g.sc1max,   g.hc1min,
            g.hc1max, g.scConst1, g.scRef1, g.scChosen1};
  }
  return {g.sc2, g.hc2, g.sc2min, g.sc2max, g.hc2min, g.hc2max, g.scConst2, g.scRef2, g.scChosen2};
}

struct SpanState {
  int& zw;
  double& W;
  double& bMin;
  int& zwMin;
  int& zwMax;
  int& zwRec;
};

SpanState SpanOf(GearPair& g, int gear) {
  if (gear == 1) return {g.zw1, g.W1, g.b1min, g.zwMin1, g.zwMax1, g.zwRec1};
  return {g.zw2, g.W2, g.b2min, g.zwMin2, g.zwMax2, g.zwRec2};
}

struct BallState {
  double& dt;
  double& dM;
  double& M;
  double& dtMin;
  double& dtMax;
  double& dMLim;
};

BallState BallOf(GearPair& g, int gear) {
  if (gear == 1) return {g.dt1, g.dM1, g.M1, g.dt1min, g.dt1max, g.dM1lim};
  return {g.dt2, g.dM2, g.M2, g.dt2min, g.dt2max, g.dM2lim};
}

// A ball diameter this far beyond its admissible range is still admitted:
// the range's ends are shown and typed with 4 decimals.
constexpr double kBallTolerance = 1e-5;

// A count of teeth as the 16-bit field holds it.
int Count(double v) {
  if (!std::isfinite(v) || v < 0.0) return 0;
  if (v > 65535.0) return 65535;
  return static_cast<int>(v);
}

}  // namespace

// ---------------------------------------------------------------------------
// Chordal tooth thickness

double EffectiveTipDiameter(const GearPair& g, int gear) {
  if (gear == 1) return g.chamfer1 && g.da1Eff != 0.0 ? std::min(g.da1Eff, g.da1) : g.da1;
  // The smaller of two negative ring diameters is the one of larger
  // magnitude: the tip trimmed back by the cutter's root.
  if (g.gearType == GearType::Internal)
    return g.tipTrimming && g.da2Eff != 0.0 ? std::min(g.da2Eff, g.da2) : g.da2;
  return g.chamfer2 && !g.rackMode && g.da2Eff != 0.0 ? std::min(g.da2Eff, g.da2) : g.da2;
}

double ThinningShare(GearPair& g, int gear) {
  if (!g.backlashDirect || IsRack(g, gear)) return 0.0;
  (gear == 1 ? g.thinAngle1 : g.thinAngle2) = ThinningAngle(g, gear == 1 ? g.d1 : g.d2);
  // The share of the whole angle: half of it when both gears are thinned.
  return 2.0 * ThinningPerDiameter(g, gear);
}

double ToothHalfAngleOnBase(GearPair& g, int gear) {
  const GearView v = View(g, gear);
  if (v.z == 0.0) return 0.0;
  const double half = (kPi / 2.0 + 2.0 * v.x * std::tan(g.alphaP)) / std::fabs(v.z);
  const double invT = Involute(g.alphaT);
  // The tooth of an external gear narrows outwards: its half angle at dy is
  // half + inv(at) - inv(ay). The ring's tooth is the space of an external
  // gear of shift -x: its half angle is pi/z minus that space's,
  // (pi/2 + 2 x tan an)/|z| - inv(at) + inv(ay).
  const double base = v.ring ? half - invT : half + invT;
  return base - ThinningShare(g, gear) / 2.0;
}

void ConstantChord(GearPair& g, int gear) {
  ChordState c = Chord(g, gear);
  const double an = g.alphaP;
  const double cos2 = std::cos(an) * std::cos(an);
  const double sin2an = std::sin(2.0 * an);
  if (IsRack(g, gear)) {
    double sc = kPi / 2.0 * g.mn * cos2;
    double hc = g.ha2 - kPi / 8.0 * g.mn * sin2an;
    if (g.backlashDirect) {
      if (g.thinBoth) {
        sc -= std::cos(an) * g.jn / 2.0;
        hc += std::sin(an) * g.jn / 4.0;
      } else if (g.thinWheel) {
        sc -= std::cos(an) * g.jn;
        hc += std::sin(an) * g.jn / 2.0;
      }
    }
    c.sc = Finite(sc);
    c.hc = Finite(hc);
    return;
  }
  const GearView v = View(g, gear);
  // A rack flank of angle an laid over the tooth touches it where the
  // normals through the pitch point meet the flanks: the chord s cos^2 an
  // lies s sin(2 an)/4 from the reference circle, towards the tip.
  c.sc = Finite(v.sn * cos2);
  if (!v.ring) {
    const double ha = v.pinion ? (v.da - v.d) / 2.0 : std::fabs(v.da - v.d) / 2.0;
    c.hc = Finite(ha - v.sn * sin2an / 4.0);
    return;
  }
  // The ring's tip chord lies (1 - cos theta_a) |da|/2 inside the tip arc's
  // middle, so the height from it is larger by that amount.
  const double theta = std::fabs(v.da) > 0.0 ? TipHalfAngle(g, v) : 0.0;
  c.hc = Finite((std::fabs(v.d) - std::fabs(v.da)) / 2.0 - v.sn * sin2an / 4.0 +
                (1.0 - std::cos(theta)) * std::fabs(v.da) / 2.0);
}

void ReferenceChord(GearPair& g, int gear) {
  ChordState c = Chord(g, gear);
  if (IsRack(g, gear)) {
    double sc = kPi * g.mn / 2.0;
    c.hc = g.mn != 0.0 && g.ha2 / g.mn > g.rackHaLimit ? g.mn : g.ha2;
    if (g.backlashDirect) {
      if (g.thinBoth) sc -= g.jn / (2.0 * std::cos(g.alphaP));
      if (g.thinWheel) sc -= g.jn / std::cos(g.alphaP);
    }
    c.sc = Finite(sc);
    return;
  }
  const GearView v = View(g, gear);
  const double dE = EffectiveTipDiameter(g, gear);
  // Signed, so that the ring's order (form circle outside, tip inside)
  // reads the same.
  if (!(v.dFf <= v.d && v.d <= dE) || v.z == 0.0) {
    c.sc = c.hc = 0.0;  // the reference circle is not on the involute
    return;
  }
  const double psi =
      (kPi / 2.0 + 2.0 * v.x * std::tan(g.alphaP)) / std::fabs(v.z) - ThinningShare(g, gear) / 2.0;
  const double d = std::fabs(v.d);
  c.sc = Finite(d * std::sin(psi) * std::cos(g.beta));
  if (!v.ring) {
    c.hc = Finite(v.da / 2.0 - d / 2.0 * std::cos(psi));
  } else {
    c.hc = Finite(d / 2.0 * std::cos(psi) - std::fabs(v.da) / 2.0 * std::cos(TipHalfAngle(g, v)));
  }
}

void ChordLimits(GearPair& g, int gear) {
  ChordState c = Chord(g, gear);
  if (IsRack(g, gear)) {
    // The rack's straight flank from the tip (or the chamfer's end) down to
    // the end of its straight part.
    if (g.chamfer2) {
      c.hcMin = g.ha2 - g.mn * g.hFfP02Star;
      c.scMin = g.sFa2;
    } else {
      c.hcMin = 0.0;
      c.scMin = g.sa2;
    }
    c.hcMax = g.ha2 + g.hFfP2;
    c.scMax = g.sFf2;
    return;
  }
  const GearView v = View(g, gear);
  if (!Usable(g, v)) return;
  const double dE = EffectiveTipDiameter(g, gear);
  const double dFf = FormDiameter(v);
  const double stF = v.sFf / CosHelixAt(g, dFf, v.d);
  const double st = v.sa / CosHelixAt(g, v.da, v.d);
  if (v.ring) {
    const double da = std::fabs(v.da), form = std::fabs(dFf), tip = std::fabs(dE);
    c.hcMin = 0.0;
    c.scMax = Finite(std::sin(stF / form) * form * CosHelixAt(g, dFf, v.d));
    c.hcMax = Finite(form / 2.0 * std::cos(stF / form) - da / 2.0 * std::cos(st / da));
    c.scMin = Finite(std::sin(st / tip) * tip * CosHelixAt(g, dE, v.d));
    return;
  }
  // Transverse thickness where the involute ends: on the chamfer's start,
  // or on the tip itself.
  const double stE = v.chamfer ? v.saEffT : st;
  const double stMax = std::max(st, stE);
  // The lowest chord is the one across the involute's end dE; its height is
  // measured from the tip.
  c.hcMin = Finite((1.0 - std::cos(stE / dE)) * dE / 2.0 + (v.da - dE) / 2.0);
  c.hcMax = Finite(v.da / 2.0 - dFf / 2.0 * std::cos(stF / dFf));
  if ((v.da - v.db) / 2.0 <= c.hcMax) {
    // The involute reaches down to the base circle: the tooth's widest
    // chord, as long as its base thickness sb, lies (da - db)/2 under the
    // tip.
    c.hcMax = Finite((v.da - v.db) / 2.0);
    c.scMax = v.sb;
    g.scAtToothMax = true;
  } else {
    c.scMax = Finite(std::sin(stF / dFf) * dFf * CosHelixAt(g, dFf, v.d));
    g.scAtToothMax = false;
  }
  c.scMin = Finite(std::sin(stMax / dE) * dE * CosHelixAt(g, dE, v.d));
}

void ChordAtWidth(GearPair& g, int gear) {
  ChordState c = Chord(g, gear);
  if (IsRack(g, gear)) {
    // Along the straight flank the chord grows linearly with the height.
    const double chamferDepth = g.mn * g.hFfP02Star;
    const double hc = g.chamfer2 ? (c.sc - g.sFa2) * (chamferDepth + g.hFfP2) / (g.sFf2 - g.sFa2) +
                                       g.ha2 - chamferDepth
                                 : (c.sc - g.sa2) * (g.ha2 + g.hFfP2) / (g.sFf2 - g.sa2);
    c.hc = Finite(hc);
    return;
  }
  const GearView v = View(g, gear);
  if (!Usable(g, v)) return;
  const double dFf = std::fabs(FormDiameter(v));
  const double da = std::fabs(v.da);
  NewtonParams p;
  p.PSI = ToothHalfAngleOnBase(g, gear);
  p.DB = std::fabs(v.db);
  p.T = std::tan(g.beta) / std::fabs(v.d);
  p.SC = c.sc;
  NewtonVector u{(v.sa / da + v.sFf / dFf) / 2.0, (da + dFf) / 2.0, 0.0};
  NewtonSolve(g, 2, v.ring ? kSystemRingChordOfWidth : kSystemChordOfWidth, u, p);
  const double y = std::fabs(u[1]) / 2.0 * std::cos(u[0]);  // distance of the chord from the axis
  c.hc = Finite(v.ring ? y - da / 2.0 * std::cos(TipHalfAngle(g, v)) : da / 2.0 - y);
}

void ChordAtHeight(GearPair& g, int gear) {
  ChordState c = Chord(g, gear);
  if (IsRack(g, gear)) {
    const double chamferDepth = g.mn * g.hFfP02Star;
    const double sc = g.chamfer2 ? g.sFa2 + (c.hc - g.ha2 + chamferDepth) * (g.sFf2 - g.sFa2) /
                                                (chamferDepth + g.hFfP2)
                                 : g.sa2 + c.hc * (g.sFf2 - g.sa2) / (g.ha2 + g.hFfP2);
    c.sc = Finite(sc);
    return;
  }
  const GearView v = View(g, gear);
  if (!Usable(g, v)) return;
  const double dFf = std::fabs(FormDiameter(v));
  const double da = std::fabs(v.da);
  NewtonParams p;
  p.PSI = ToothHalfAngleOnBase(g, gear);
  p.DB = std::fabs(v.db);
  p.C = v.ring ? da / 2.0 * std::cos(TipHalfAngle(g, v)) + c.hc : da / 2.0 - c.hc;
  NewtonVector u{(v.sa / da + v.sFf / dFf) / 2.0, (da + std::fabs(v.db)) / 2.0, 0.0};
  NewtonSolve(g, 2, v.ring ? kSystemRingChordAtHeight : kSystemChordAtHeight, u, p);
  const double dy = std::fabs(u[1]);
  c.sc = Finite(dy * std::sin(u[0]) * CosHelixAt(g, dy, v.d));
}

bool ChordInsideLimits(const GearPair& g, int gear) {
  const double sc = gear == 1 ? g.sc1 : g.sc2;
  const double hc = gear == 1 ? g.hc1 : g.hc2;
  const double scMin = gear == 1 ? g.sc1min : g.sc2min;
  const double scMax = gear == 1 ? g.sc1max : g.sc2max;
  const double hcMin = gear == 1 ? g.hc1min : g.hc2min;
  const double hcMax = gear == 1 ? g.hc1max : g.hc2max;
  return sc >= scMin && sc <= scMax && hc >= hcMin - kChordHeightTolerance &&
         hc <= hcMax + kChordHeightTolerance;
}

void ChordDimensions(GearPair& g) {
  for (int gear = 1; gear <= 2; ++gear) {
    ChordState c = Chord(g, gear);
    if (!c.modeConst && !c.modeRef && !c.modeChosen) c.modeConst = true;
    if (c.modeConst) {
      ConstantChord(g, gear);
    } else if (c.modeRef) {
      ReferenceChord(g, gear);
    }
    ChordLimits(g, gear);
    if (c.modeConst) continue;
    if (ChordInsideLimits(g, gear)) {
      if (c.modeChosen) ChordAtWidth(g, gear);
    } else {
      ConstantChord(g, gear);
      c.modeConst = true;
      c.modeRef = c.modeChosen = false;
    }
  }
}

// ---------------------------------------------------------------------------
// Span measurement

void SpanRange(GearPair& g, int gear) {
  SpanState s = SpanOf(g, gear);
  const GearView v = View(g, gear);
  if (IsRack(g, gear) || !Usable(g, v)) {
    s.zwMin = s.zwMax = 0;
    if (IsRack(g, gear)) s.zw = 0;
    return;
  }
  const double pbn = kPi * g.mn * std::cos(g.alphaP);  // normal base pitch
  const double cosBb = std::cos(g.betaB);
  const double dFf = FormDiameter(v);
  const double alphaF = PressureAngle(v.db, dFf);
  bool empty = false;
  if (!v.ring) {
    // The anvils touch the flanks where the base tangent, from the base
    // circle, is W cos(betaB)/2 long in the transverse section; they must
    // touch between the form circle and the end of the involute.
    const double dE = EffectiveTipDiameter(g, gear);
    const double alphaE = PressureAngle(v.db, dE);
    const double st = v.sa / CosHelixAt(g, v.da, v.d);
    const double stMax = std::max(st, v.chamfer ? v.saEffT : st);
    const double lengthF = dFf * std::sin(alphaF) / cosBb;
    const double lengthE = dE * std::sin(alphaE) / cosBb;
    // W = (zw - 1) pbn + sb
    s.zwMin = Count(std::trunc((lengthF - v.sb) / pbn + 1.0) + 1.0);
    s.zwMax = Count(std::trunc((lengthE - v.sb) / pbn + 1.0));
    empty = stMax / dE > alphaE;
  } else {
    // Over zw ring teeth the anvils sit in the spaces beyond them:
    // W = zw pbn + (pbn - sb); they must touch between the tip circle and
    // the ring's form circle outside it.
    const double alphaA = std::fabs(v.da) > std::fabs(v.db) ? PressureAngle(v.db, v.da) : 0.0;
    const double lengthA = std::fabs(v.da) * std::sin(alphaA) / cosBb;
    const double lengthF = std::fabs(dFf) * std::sin(alphaF) / cosBb;
    const double space = pbn - v.sb;
    s.zwMin = Count(std::trunc((lengthA - space) / pbn) + 1.0);
    s.zwMax = Count(std::trunc((lengthF - space) / pbn));
    const double form = std::fabs(dFf);
    const double stF = v.sFf / CosHelixAt(g, dFf, v.d);
    empty =
        (kPi * g.mt * form / std::fabs(v.d) + kPi * form / std::fabs(v.z) - stF) / form > alphaF;
  }
  if (empty) {
    s.zwMin = s.zwMax = 0;
    s.zw = 0;
  }
}

int RoundSpanCount(double k) {
  if (!std::isfinite(k) || k < 0.0) return 0;
  const double whole = std::trunc(k);
  const double rounded = k - whole > 0.2 + kSpanRoundingTolerance ? std::trunc(k + 1.0) : whole;
  return Count(rounded);
}

void RecommendedSpanCount(GearPair& g, int gear) {
  SpanState s = SpanOf(g, gear);
  if (IsRack(g, gear)) {
    s.zwRec = s.zw = 0;
    return;
  }
  const double z = std::fabs(gear == 1 ? g.z1 : g.z2);
  const double cosBb = std::cos(g.betaB);
  // The count whose anvils touch near the reference circle:
  // zw = z an / (pi cos^2 betaB cos beta) + 0.5 (an in radians).
  const double k = z * g.alphaP / (cosBb * cosBb * std::cos(g.beta) * kPi) + 0.5;
  int rec = RoundSpanCount(k);
  rec = std::min(rec, s.zwMax);
  rec = std::max(rec, s.zwMin);
  s.zwRec = rec;
  // A new pair takes the recommended count; so does a count held from
  // before (a file saved before any check holds 0) that this pair does not
  // admit. A count the pair admits stays, as the user or the file chose it.
  const bool admitted = s.zw >= s.zwMin && s.zw <= s.zwMax && s.zw > 0;
  if (g.inputsChanged || !admitted) {
    s.zw = rec == 0 ? 1 : rec;
    if (s.zwMax == 0) s.zw = 0;
  }
}

void Span(GearPair& g, int gear) {
  SpanState s = SpanOf(g, gear);
  const GearView v = View(g, gear);
  if (IsRack(g, gear) || s.zw <= 0 || !Usable(g, v)) {
    s.W = s.bMin = 0.0;  // no count, no span
    return;
  }
  double t = 0.0;  // the span's share of the backlash
  if (g.backlashDirect) {
    if (g.thinBoth) {
      t = g.jn / 2.0;
    } else if (v.pinion ? g.thinPinion : g.thinWheel) {
      t = g.jn;
    }
  }
  const double cosAn = std::cos(g.alphaP);
  const double invT = Involute(g.alphaT);
  // Base tangent length W = mn cos an ((zw - 0.5) pi + z inv at) + 2 x mn sin an.
  auto span = [&](double count) {
    return ((count - 0.5) * kPi * cosAn + v.z * cosAn * invT + 2.0 * v.x * std::sin(g.alphaP)) *
               g.mn -
           t;
  };
  // The ring: the same with a negative count over its negative z, negated.
  s.W = Finite(v.ring ? -span(-static_cast<double>(s.zw)) : span(s.zw));
  s.bMin = Finite(std::sin(g.beta) * s.W);
}

double SpanContactDiameter(const GearPair& g, int gear) {
  const double W = gear == 1 ? g.W1 : g.W2;
  const double db = gear == 1 ? g.db1 : g.db2;
  // The anvils touch symmetrically about the base cylinder's tangent line,
  // W cos(betaB)/2 from it in the transverse section.
  const double d = Finite(std::sqrt(std::pow(W * std::cos(g.betaB), 2) + db * db));
  return IsRing(g, gear) ? -d : d;
}

void SpanDimensions(GearPair& g) {
  for (int gear = 1; gear <= 2; ++gear) {
    SpanRange(g, gear);
    RecommendedSpanCount(g, gear);
    Span(g, gear);
  }
}

// ---------------------------------------------------------------------------
// Dimension over balls

namespace {

// Over an odd number of teeth the balls do not lie opposite each other: the
// dimension takes the centre distance times cos(pi/(2z)).
double OddTeethFactor(double z) {
  const double n = std::fabs(std::round(z));
  return std::fmod(n, 2.0) == 1.0 ? std::cos(kPi / (2.0 * std::fabs(z))) : 1.0;
}

// Half angle of the tooth space on the base circle over the base diameter's
// sign: (transverse base pitch - transverse base thickness) / db. For the
// ring, whose sb is its tooth's, this is minus the half angle of its space.
double SpaceOnBase(const GearPair& g, double db, double sb) {
  const double cosBb = std::cos(g.betaB);
  return (std::cos(g.alphaT) * kPi * g.mt - sb / cosBb) / db;
}

double OverBalls(const GearView& v, double alphaK, double dt) {
  const double m = v.db / std::cos(alphaK) * OddTeethFactor(v.z) + dt;
  return v.pinion ? m : std::fabs(m);
}

// The angle of an involute value to full precision: the shared bracketing
// search, then Newton steps on inv(t) - w (d inv/dt = tan^2 t).
double InverseInvoluteExact(double w) {
  double t = InverseInvoluteValue(w);
  for (int i = 0; i < 3 && t > 0.0; ++i) {
    const double tanT = std::tan(t);
    const double next = t - (tanT - t - w) / (tanT * tanT);
    if (!(next > 0.0 && next < kPi / 2.0)) break;
    t = next;
  }
  return t;
}

bool BallGear(const GearPair& g, int gear, GearView& v) {
  if (IsRack(g, gear) || g.gearType == GearType::Bevel) return false;
  v = View(g, gear);
  return Usable(g, v) && g.mt > 0.0;
}

}  // namespace

void BallForContact(GearPair& g, int gear) {
  GearView v;
  if (!BallGear(g, gear, v)) return;
  BallState b = BallOf(g, gear);
  const double cosBb = std::cos(g.betaB);
  const double base = std::fabs(v.db);
  NewtonParams p;
  p.DB = v.db;
  p.A = 2.0 / (v.db * cosBb);
  p.B = SpaceOnBase(g, v.db, v.sb);
  p.D2 = (1.0 / cosBb - cosBb) / (v.db / 2.0);
  // The ring's contact diameter is stored negative: the pressure angle is
  // that of its magnitude.
  const double contact = std::fabs(b.dM);
  p.TL = contact > base ? std::tan(std::acos(base / contact)) : 0.0;
  NewtonVector u{std::fabs(v.da) > base ? std::acos(v.db / v.da) : 0.0, kPi / 4.0 * g.mn, 0.0};
  NewtonSolve(g, 2, kSystemBallAtContact, u, p);
  b.dt = Finite(2.0 * u[1]);
  g.alphaK = Finite(u[0]);
  b.M = Finite(OverBalls(v, g.alphaK, b.dt));
}

void ContactForBall(GearPair& g, int gear) {
  GearView v;
  if (!BallGear(g, gear, v)) return;
  BallState b = BallOf(g, gear);
  const double cosBb = std::cos(g.betaB);
  // The ball's centre lies on the involute offset by its radius into the
  // space: inv aK = dt / (db cos betaB) - (space half angle on the base).
  double invK = (b.dt / (2.0 * cosBb) - (std::cos(g.alphaT) * kPi * g.mt - v.sb / cosBb) / 2.0) /
                (v.db / 2.0);
  if (!(invK >= 0.0)) invK = 0.0;
  const double alphaK = InverseInvoluteExact(invK);
  g.alphaK = alphaK;
  // The contact lies dt cos(betaB)/2 along the base tangent from the
  // centre's point, towards the base circle (outwards on a ring).
  const double rb = v.db / 2.0;
  double dM = 2.0 * std::sqrt(rb * rb + std::pow(std::tan(alphaK) * rb - cosBb * b.dt / 2.0, 2));
  if (!v.ring && b.dMLim > 0.0 && dM > b.dMLim) dM = b.dMLim;
  b.dM = Finite(v.ring ? -dM : dM);
  b.M = Finite(OverBalls(v, alphaK, b.dt));
}

namespace {

// The ball that touches at the contact diameter `contact`, leaving the
// gear's ball, contact diameter and dimension as they were.
double BallTouchingAt(GearPair& g, int gear, double contact) {
  BallState b = BallOf(g, gear);
  const double dt = b.dt, dM = b.dM, M = b.M;
  b.dM = contact;
  BallForContact(g, gear);
  const double ball = b.dt;
  b.dt = dt;
  b.dM = dM;
  b.M = M;
  return ball;
}

// A four-tooth gear whose space chord at the tip, sin(space half angle) da,
// is no shorter than the base diameter: any ball fits.
bool FourTeethOpen(const GearPair& g, const GearView& v) {
  if (v.z != 4.0) return false;
  const double st = v.sa / CosHelixAt(g, v.da, v.d);
  return std::sin((kPi * v.da / v.z - st) / v.da) * v.da >= v.db;
}

}  // namespace

void BallRange(GearPair& g, int gear) {
  GearView v;
  if (!BallGear(g, gear, v)) return;
  BallState b = BallOf(g, gear);
  const double dE = EffectiveTipDiameter(g, gear);
  // A smaller ball touches lower on an external flank (and further out on a
  // ring's), so the form circle bounds the ball from below.
  b.dtMin = BallTouchingAt(g, gear, v.pinion ? v.dFf : std::fabs(v.dFf));
  if (b.dtMin > b.dt) g.ballReason = 3;
  // The root test takes the dimension of the last accepted ball; after a
  // refused contact diameter M is 0 and there is none to test.
  const double inner = v.ring ? -b.M - 2.0 * b.dt : b.M - 2.0 * b.dt;
  if (b.M > 0.0 && inner < v.df) {
    // The ball reaches the root circle.
    g.ballReason = 2;
    const double raised = v.pinion ? (b.M - v.df) / 2.0 : std::fabs(b.M - std::fabs(v.df)) / 2.0;
    b.dtMin = std::max(b.dtMin, Finite(raised));
  }
  b.dMLim = dE;
  if (FourTeethOpen(g, v)) {
    if (v.pinion) {
      b.dMLim = std::min(0.98 * v.da, dE);
      b.dtMax = kNoBallLimit;
      return;
    }
    b.dMLim = std::min(v.da, dE);
  }
  b.dtMax = BallTouchingAt(g, gear, v.pinion ? dE : std::fabs(dE));
}

// ---------------------------------------------------------------------------

namespace {

// The check's default balls: contact on the working pitch circle (or, when
// it is not on the flank, midway between form circle and involute end),
// then the middle of the admissible balls when that ball lies outside them.
void DefaultBalls(GearPair& g) {
  const bool ring = g.gearType == GearType::Internal;
  const bool rack = g.rackMode;
  // The balls chosen before (typed, or brought by a file) stay while no
  // input has changed since and the pair admits them. The defaults and the
  // range they are tried against are those of a new pair: no earlier ball
  // enters them (the root test would take the last one).
  const double held[2] = {g.dt1, g.dt2};
  const bool keepHeld = !g.inputsChanged;
  g.dt1 = g.dt2 = 0.0;
  const double dE1 = EffectiveTipDiameter(g, 1);
  // A pinion meshing with a rack rolls on its reference circle.
  g.dM1 = rack ? g.d1 : g.dw1;
  if (rack) {
    g.dt2 = g.dM2 = g.M2 = 0.0;
    g.dt2min = g.dt2max = g.dM2lim = 0.0;
  } else if (ring && g.z1 == -g.z2) {
    g.dM2 = std::fabs((g.da2 + g.dFf2) / 2.0);  // no working circles
  } else {
    g.dM2 = std::fabs(g.dw2);
  }
  // Provisional dimensions for the root test of the ranges.
  g.M1 = g.dM1 + 2.0 * g.mn;
  if (!rack) g.M2 = ring ? g.dM2 - 2.0 * g.mn : g.dM2 + 2.0 * g.mn;

  if (g.dM1 > dE1 || g.dM1 < g.dFf1) g.dM1 = (dE1 + g.dFf1) / 2.0;
  if (!rack) {
    const double dE2 = EffectiveTipDiameter(g, 2);
    if (!ring) {
      if (g.dM2 > dE2 || g.dM2 < g.dFf2) g.dM2 = (dE2 + g.dFf2) / 2.0;
    } else if (std::fabs(dE2) > g.dM2 || std::fabs(g.dFf2) < g.dM2) {
      g.dM2 = std::fabs((dE2 + g.dFf2) / 2.0);
    }
  }
  const int gears = rack ? 1 : 2;
  for (int gear = 1; gear <= gears; ++gear) BallRange(g, gear);
  for (int gear = 1; gear <= gears; ++gear) BallForContact(g, gear);
  for (int gear = 1; gear <= gears; ++gear) {
    BallState b = BallOf(g, gear);
    if (b.dt < b.dtMin || b.dt > b.dtMax) {
      b.dt = (b.dtMin + b.dtMax) / 2.0;
      ContactForBall(g, gear);
    }
    // A ball chosen before that this pair admits stays, with its contact
    // and dimension; one it does not admit (none, or beyond the range just
    // computed) gives way to the default, as for a new pair.
    const double chosen = held[gear - 1];
    if (keepHeld && chosen > 0.0 && chosen >= b.dtMin - kBallTolerance &&
        chosen <= b.dtMax + kBallTolerance) {
      b.dt = chosen;
      ContactForBall(g, gear);
    }
  }
  if (ring) g.dM2 = -std::fabs(g.dM2);
}

}  // namespace

void MeasurementDimensions(GearPair& g) {
  if (g.gearType == GearType::Bevel) return;  // a bevel pair has no measurement dimensions
  SpanDimensions(g);
  ChordDimensions(g);
  DefaultBalls(g);
}

}  // namespace kolmira
