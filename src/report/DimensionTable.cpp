// Fixed texts, value texts and plain-text rendering of the dimension table.
#include "report/DimensionTable.h"

#include <algorithm>
#include <cmath>

#include "model/NumberText.h"

namespace kolmira {

namespace {

using G = GearPair;

// ---------------------------------------------------------------- values

constexpr const char* kDash = "---";

std::string F(double v, int width, int decimals) {
  return FormatFixed(v, width, decimals);
}
std::string F85(double v) {
  return FormatFixed(v, 8, 5);
}

// An angle given in degrees, as the table shows it in the chosen angle mode.
std::string Angle(const GearPair& g, double degrees) {
  if (!g.dmsMode || !std::isfinite(degrees)) return F85(degrees);
  // The minutes-and-seconds form is written for a non-negative angle; a
  // negative one keeps its sign in front instead of on every part.
  if (degrees < 0.0) return "-" + FormatDmsTable(-degrees);
  return FormatDmsTable(degrees);
}
std::string AngleRad(const GearPair& g, double radians) {
  return Angle(g, radians * kRadToDeg);
}

// A diameter of the ring of an internal pair, shown negative like the ring's
// other diameters whatever the sign it is held with.
std::string RingDiameter(double v) {
  return F85(-std::fabs(v));
}

// Diameter at which the anvils of the span measurement touch the flanks.
double SpanContact(const GearPair& g, double W, double db) {
  return std::sqrt(std::pow(W * std::cos(g.betaB), 2) + db * db);
}

bool Internal(const GearPair& g) {
  return g.gearType == GearType::Internal;
}
// The rack tool of the wheel exists only for an external pair; the ring of an
// internal pair is cut by the shaper cutter.
bool External(const GearPair& g) {
  return g.gearType == GearType::External;
}
// The degenerate internal pair (-z2 = z1) has no working pitch circles.
bool NoPitchCircles(const GearPair& g) {
  return g.z2 == -g.z1;
}
// A tip circle cut down by the chamfer (of the ring: by the trimming).
bool ChamferTip1(const GearPair& g) {
  return g.chamfer1 && g.da1Eff < g.da1;
}
bool ChamferTip2(const GearPair& g) {
  return (Internal(g) ? g.tipTrimming : g.chamfer2) && g.da2Eff < g.da2;
}

// How a value cell writes a member of the state: fixed w.d, or an angle held
// in degrees or in radians.
enum Format { k85, k63, k64, k20, k32, kDegrees, kRadians };

using Compute = std::string (*)(const GearPair&);

// What a value cell shows: nothing, a fixed text, a member of the state in a
// format, or a small computation of its own.
struct Value {
  const char* text = nullptr;
  double GearPair::*member = nullptr;
  Format format = k85;
  Compute compute = nullptr;

  constexpr Value() = default;
  constexpr Value(const char* fixed) : text(fixed) {}
  constexpr Value(double GearPair::*m, Format f = k85) : member(m), format(f) {}
  template <class Lambda>
  constexpr Value(Lambda lambda) : compute(lambda) {}

  bool Empty() const { return text == nullptr && member == nullptr && compute == nullptr; }

  std::string Text(const GearPair& g) const {
    if (text != nullptr) return text;
    if (compute != nullptr) return compute(g);
    if (member == nullptr) return {};
    const double v = g.*member;
    switch (format) {
      case k63:
        return F(v, 6, 3);
      case k64:
        return F(v, 6, 4);
      case k20:
        return F(v, 2, 0);
      case k32:
        return F(v, 3, 2);
      case kDegrees:
        return Angle(g, v);
      case kRadians:
        return AngleRad(g, v);
      case k85:
        break;
    }
    return F85(v);
  }
};

// ------------------------------------------------------------------ rows

enum Unit { kNoUnit, kMm, kOne, kDeg };

// How a row is drawn where it differs from the usual: the places of its
// symbol's pieces in pixels (0: the usual place; a subscript's usual place is
// right after its main letter), a subscript inside the name, and "Σ =" in
// front of the pair value.
struct Draw {
  int latinX = 0;
  int latinDy = 0;
  int greekX = 0;
  int greekDy = 0;
  int greekPt = 0;
  int subscriptX = 0;
  const char* nameSubscript = "";
  int nameSubscriptX = 0;
  bool pairSigma = false;
};

// One row of a layout: its name (the rows whose name depends on the state
// have none here), unit, symbol and what its pinion, pair and wheel cells
// show; `rack` is what the wheel cell shows instead when the pinion meshes
// with a rack (nothing: the wheel value). The symbol is written as it reads:
// Greek letters, then Latin ones, then after '_' the subscript (or the second
// Greek letter of a contact ratio); a trailing '*' of the subscript is the
// star of a per-module coefficient.
struct RowDef {
  const char* name;
  Unit unit;
  const char* symbol;
  Value pinion = {}, pair = {}, wheel = {}, rack = {};
  Draw draw = {};
};

// Rows 1.. of the cylindrical layout (external and internal pairs).
constexpr RowDef kCylindricalRows[] = {
    // clang-format off
    /*  1 */ {"Typ ozubení", kNoUnit, ""},
    /*  2 */ {"", kMm, "j_n", {}, {&G::jn, k64}, {}, {}, {.latinX = 216}},
    /*  3 */ {"Počet zubů", kOne, "z", {&G::z1, k20}, {}, {&G::z2, k20}, kDash},
    /*  4 */ {"Počet zubů náhradního kola", kOne, "z_n", {&G::zn1, k63}, {}, {&G::zn2, k63}, kDash},
    /*  5 */ {"Normálný modul", kMm, "m_n", {}, {&G::mn, k63}},
    /*  6 */ {"Čelní modul", kMm, "m_t", {}, {&G::mt, k63}},
    /*  7 */ {"Úhel sklonu zubu roztečný", kDeg, "β", {}, {&G::betaDeg, kDegrees}},
    /*  8 */ {"Úhel sklonu zubu základní", kDeg, "β_b", {}, {&G::betaBDeg, kDegrees}},
    /*  9 */ {"Úhel záběru čelní", kDeg, "α_t", {}, {&G::alphaTDeg, kDegrees}},
    /* 10 */ {"Úhel záběru pracovní", kDeg, "α_wt", {},
              [](const G& g) { return AngleRad(g, g.jnByApart ? g.alphaWtJ : g.alphaWt); },
              {}, {}, {.greekX = 210}},
    // A rack has no centre distance.
    /* 11 */ {"Osová vzdálenost pracovní", kMm, "a", {},
              [](const G& g) { return g.rackMode ? kDash : F85(g.jnByApart ? g.awJ : g.aw); }},
    /* 12 */ {"Osová vzdálenost roztečná", kMm, "a_d", {},
              [](const G& g) { return g.rackMode ? kDash : F85(g.a); }},
    /* 13 */ {"Osová vzdálenost bezvůlová", kMm, "a_jn", {},
              [](const G& g) { return g.rackMode ? kDash : F85(g.aw); }},
    /* 14 */ {"Jednotková korekce bezvůlová", kOne, "x_jn",
              [](const G& g) { return F85(g.backlashByShift ? g.x1NoBacklash : g.x1); },
              &G::xSum,
              [](const G& g) {
                return F85(g.backlashByShift ? g.xSumNoBacklash - g.x1NoBacklash : g.x2);
              },
              "0", {.pairSigma = true}},
    /* 15 */ {"Jednotková korekce", kOne, "x", &G::x1,
              [](const G& g) { return F85(g.backlashByShift ? g.xSumBacklash : g.xSum); },
              &G::x2, "0", {.pairSigma = true}},
    /* 16 */ {"Hodnota posunutí profilu", kMm, "x·m_n",
              [](const G& g) { return F85(g.x1 * g.mn); }, {},
              [](const G& g) { return F85(g.x2 * g.mn); }, "0", {.latinX = 203}},
    /* 17 */ {"Jednotková změna výšky hlavy", kOne, "k*", {}, &G::kStar, {}, {}, {.latinX = 218}},
    /* 18 */ {"Průměr patní kružnice", kMm, "d_f", &G::df1, {}, &G::df2, kDash},
    /* 19 */ {"             základní kružnice", kMm, "d_b", &G::db1, {}, &G::db2, kDash},
    /* 20 */ {"             kr.začátku evolventy", kMm, "d_Ff", &G::dFf1, {}, &G::dFf2, kDash},
    /* 21 */ {"             kružnice začátku záběru", kMm, "d_Nf", &G::dNf1, {}, &G::dNf2, kDash},
    /* 22 */ {"             valivé kružnice", kMm, "d_w",
              [](const G& g) { return NoPitchCircles(g) ? kDash : F85(g.dw1); }, {},
              [](const G& g) { return NoPitchCircles(g) ? kDash : F85(g.dw2); }, kDash},
    /* 23 */ {"             roztečné kružnice", kMm, "d", &G::d1, {}, &G::d2, kDash},
    /* 24 */ {"             kružnice konce záběru", kMm, "d_Na", &G::dNa1, {}, &G::dNa2, kDash},
    /* 25 */ {"             kružnice srážecí hrany", kMm, "d_Fa",
              [](const G& g) { return ChamferTip1(g) ? F85(g.da1Eff) : kDash; }, {},
              [](const G& g) { return ChamferTip2(g) ? F85(g.da2Eff) : kDash; }, kDash},
    /* 26 */ {"             hlavové kružnice", kMm, "d_a", &G::da1, {}, &G::da2, kDash},
    // The rack's form overlap: the depth of its straight flank below the
    // reference line less the depth the pinion tip actually reaches.
    /* 27 */ {"Tvarový přesah", kMm, "c_F",
              [](const G& g) { return F85((g.dNf1 - g.dFf1) / 2.0); }, {},
              [](const G& g) { return F85((g.dNf2 - g.dFf2) / 2.0); },
              [](const G& g) { return F85(g.hFfRack - g.hfNRack); }},
    /* 28 */ {"Tloušťka zubu na patní kružnici", kMm, "s_f",
              [](const G& g) { return g.db1 > g.df1 ? kDash : F85(g.sf1); }, {},
              [](const G& g) { return std::fabs(g.db2) > std::fabs(g.df2) ? kDash : F85(g.sf2); },
              kDash},
    /* 29 */ {"                      základní kružnici", kMm, "s_b", &G::sb1, {}, &G::sb2, kDash},
    /* 30 */ {"                      začátku evolventy", kMm, "s_Ff", &G::sFf1, {}, &G::sFf2},
    /* 31 */ {"                      valivé kružnici", kMm, "s_w",
              [](const G& g) { return NoPitchCircles(g) ? kDash : F85(g.sw1); }, {},
              [](const G& g) { return NoPitchCircles(g) ? kDash : F85(g.sw2); }},
    /* 32 */ {"                      roztečné kružnici", kMm, "s", &G::sn1, {}, &G::sn2},
    // The rack's chamfer starts below its tip only when its height is less
    // than the rack's addendum.
    /* 33 */ {"                      začátku sražení", kMm, "s_Fa",
              [](const G& g) { return ChamferTip1(g) ? F85(g.sFa1) : kDash; }, {},
              [](const G& g) { return ChamferTip2(g) ? F85(g.sFa2) : kDash; },
              [](const G& g) {
                return g.chamfer2 && g.mn * g.hFfP02Star < g.ha2 ? F85(g.sFa2) : kDash;
              }},
    /* 34 */ {"                      hlavové kružnici", kMm, "s_a", &G::sa1, {}, &G::sa2},
    /* 35 */ {"Výška paty", kMm, "h_f",
              [](const G& g) { return F85((g.d1 - g.df1) / 2.0); }, {},
              [](const G& g) { return F85((g.d2 - g.df2) / 2.0); }, &G::hf2},
    /* 36 */ {"         hlavy", kMm, "h_a",
              [](const G& g) { return F85((g.da1 - g.d1) / 2.0); }, {},
              [](const G& g) { return F85((g.da2 - g.d2) / 2.0); }, &G::ha2},
    /* 37 */ {"         zubu", kMm, "h",
              [](const G& g) { return F85((g.da1 - g.df1) / 2.0); }, {},
              [](const G& g) { return F85((g.da2 - g.df2) / 2.0); },
              [](const G& g) { return F85(g.ha2 + g.hf2); }},
    /* 38 */ {"Společná šířka kol", kMm, "b", {}, {&G::b, k63}},
    /* 39 */ {"Délka evolventy", kMm, "ev", &G::Lev1, {}, &G::Lev2},
    /* 40 */ {"Délka funkční evolventy", kMm, "ev", &G::LevF1, {}, &G::LevF2},
    /* 41 */ {"Měrný skluz na patě", kOne, "", &G::thetaF1, {}, &G::thetaF2},
    /* 42 */ {"Měrný skluz na hlavé", kOne, "", &G::thetaA1, {}, &G::thetaA2},
    /* 43 */ {"Poměr b/d", kOne, "ψ_d",
              [](const G& g) { return F(g.b / g.d1, 6, 3); }, {},
              [](const G& g) { return F(g.b / g.d2, 6, 3); }, "0", {.greekDy = 1}},
    /* 44 */ {"Poměr b/m", kOne, "ψ_m", {}, [](const G& g) { return F(g.b / g.mn, 6, 3); }, {}, {},
              {.greekDy = 1, .nameSubscript = "n", .nameSubscriptX = 71}},
    /* 45 */ {"Součinitel trvání záběru profilu", kOne, "ε_α", {}, &G::epsAlpha},
    /* 46 */ {"Součinitel trvání záběru krokem", kOne, "ε_β", {}, &G::epsBeta},
    /* 47 */ {"Součinitel trvání záběru celkový", kOne, "ε_γ", {}, &G::epsGamma},
    /* 48 */ {"Délka dotyku 1 páru zubů", kMm, "L_pmax", {}, &G::Lc1, {}, {},
              {.latinX = 197, .subscriptX = 207}},
    /* 49 */ {"Celková délka dotyku minim.", kMm, "ΣL_min", {}, &G::LcMin, {}, {},
              {.latinX = 197, .greekX = 206, .greekDy = 9, .greekPt = 7, .subscriptX = 214}},
    /* 50 */ {"Celková délka dotyku maxim.", kMm, "ΣL_max", {}, &G::LcMax, {}, {},
              {.latinX = 197, .greekX = 206, .greekDy = 9, .greekPt = 7, .subscriptX = 214}},
    /* 51 */ {"Čelní rozteč", kMm, "p_t", {}, &G::pt},
    /* 52 */ {"Čelní rozteč základní", kMm, "p_tb", {}, &G::pbt},
    /* 53 */ {"              KONTROLNÍ ROZMĚRY", kNoUnit, ""},
    /* 54 */ {"Kontrolní rozměr přes zuby", kMm, "W", &G::W1, {}, &G::W2, kDash},
    /* 55 */ {"Měřeno na průměru", kMm, "dW",
              [](const G& g) { return F85(SpanContact(g, g.W1, g.db1)); }, {},
              [](const G& g) {
                const double dW2 = SpanContact(g, g.W2, g.db2);
                return Internal(g) ? RingDiameter(dW2) : F85(dW2);
              },
              kDash, {.latinX = 210}},
    /* 56 */ {"Počet měřených zubů", kOne, "z_w",
              [](const G& g) { return FormatInt(g.zw1); }, {},
              [](const G& g) { return FormatInt(g.zw2); }, kDash},
    // A spur gear is measured over any face width.
    /* 57 */ {"Minimální šířka kola pro měření", kMm, "b_min",
              [](const G& g) { return g.beta > 0.0 ? F(g.b1min, 6, 3) : kDash; }, {},
              [](const G& g) { return g.beta > 0.0 ? F(g.b2min, 6, 3) : kDash; }, kDash,
              {.latinX = 209, .subscriptX = 218}},
    /* 58 */ {"", kMm, "s_c",
              [](const G& g) { return g.chordShown1 ? F85(g.sc1) : kDash; }, {},
              [](const G& g) { return g.chordShown2 ? F85(g.sc2) : kDash; }},
    /* 59 */ {"", kMm, "h_c",
              [](const G& g) { return g.chordShown1 ? F85(g.hc1) : kDash; }, {},
              [](const G& g) { return g.chordShown2 ? F85(g.hc2) : kDash; }},
    /* 60 */ {"Kontrolní rozměr přes kuličky", kMm, "M", &G::M1, {}, &G::M2, kDash},
    /* 61 */ {"Průměr kuličky", kMm, "d_t", &G::dt1, {}, &G::dt2, kDash},
    /* 62 */ {"Průměr kontaktu kuliček", kMm, "dM", &G::dM1, {},
              [](const G& g) { return Internal(g) ? RingDiameter(g.dM2) : F85(g.dM2); }, kDash,
              {.latinX = 210}},
    /* 63 */ {"              ZÁKLADNÍ PROFIL", kNoUnit, ""},
    /* 64 */ {"Poměrná výška hlavy profilu", kOne, "h_aP*", &G::haP1Star, {}, &G::haP2Star},
    /* 65 */ {"Poměrná hlavová vůle profilu", kOne, "c_P*", &G::cP1Star, {}, &G::cP2Star},
    /* 66 */ {"Poměrný rádius paty profilu", kOne, "ρ_fP*", &G::rhofP1Star, {}, &G::rhofP2Star,
              {}, {.greekX = 213}},
    /* 67 */ {"Úhel profilu", kDeg, "α_P", {}, {&G::alphaPDeg, kDegrees}},
    /* 68 */ {"              HŘEBENOVÝ NÁSTROJ", kNoUnit, ""},
    /* 69 */ {"Poměrná výška hlavy", kOne, "h_aP0*", &G::haP01Star, {},
              [](const G& g) { return External(g) ? F85(g.haP02Star) : kDash; }, {},
              {.latinX = 204}},
    /* 70 */ {"Poměrný rádius zaoblení hlavy", kOne, "ρ_aP0*", &G::rhoaP01Star, {},
              [](const G& g) { return External(g) ? F85(g.rhoaP02Star) : kDash; }, {},
              {.greekX = 204}},
    /* 71 */ {"Poměrná výška ke sražení", kOne, "h_FfP0*",
              [](const G& g) { return g.chamfer1 ? F85(g.hFfP01Star) : kDash; }, {},
              [](const G& g) { return External(g) && g.chamfer2 ? F85(g.hFfP02Star) : kDash; },
              {}, {.latinX = 200}},
    /* 72 */ {"Úhel profilu srážecí hrany", kDeg, "α_KP0",
              [](const G& g) { return g.chamfer1 ? Angle(g, g.alphaKP01Deg) : kDash; }, {},
              [](const G& g) {
                return External(g) && g.chamfer2 ? Angle(g, g.alphaKP02Deg) : kDash;
              },
              {}, {.greekX = 200}},
    /* 73 */ {"Úhel profilu protuberance", kDeg, "α_prP0",
              [](const G& g) { return g.protuberance1 ? AngleRad(g, g.alphaprP01) : kDash; }, {},
              [](const G& g) {
                return External(g) && g.protuberance2 ? AngleRad(g, g.alphaprP02) : kDash;
              },
              {}, {.greekX = 200}},
    /* 74 */ {"Poměrná výška k protuberanci", kOne, "h_FaP0*",
              [](const G& g) { return g.protuberance1 ? F85(g.hFaP01Star) : kDash; }, {},
              [](const G& g) {
                return External(g) && g.protuberance2 ? F85(g.hFaP02Star) : kDash;
              },
              {}, {.latinX = 200}},
    /* 75 */ {"Velikost protuberance", kMm, "pr_P0",
              [](const G& g) { return g.protuberance1 ? F85(g.prP01) : kDash; }, {},
              [](const G& g) { return External(g) && g.protuberance2 ? F85(g.prP02) : kDash; },
              {}, {.latinX = 204, .latinDy = 1}},
    // The shaper cutter of the ring, shown for an internal pair only.
    /* 76 */ {"              OBRÁŽECÍ KOLEČKO", kNoUnit, ""},
    /* 77 */ {"Počet zubů", kOne, "z_0", kDash, {}, [](const G& g) { return FormatInt(g.z0); }},
    /* 78 */ {"Osová vzdálenost výrobní", kMm, "a_w0", kDash, {}, &G::aw0, {}, {.latinX = 213}},
    /* 79 */ {"Aktuální jednotková korekce", kOne, "x_0", kDash, {}, &G::x0},
    /* 80 */ {"Aktuální hlavový průměr", kMm, "d_a0", kDash, {}, &G::da0},
    /* 81 */ {"Aktuální šířka hlavy", kMm, "s_a0", kDash, {}, &G::sa0},
    /* 82 */ {"Poměrný rádius zaoblení hlavy", kOne, "ρ_a0*", kDash, {}, &G::rhoa0Star},
    /* 83 */ {"Poměrný rádius zaoblení paty", kOne, "ρ_f0*", kDash, {}, &G::rhof0Star},
    // clang-format on
};
constexpr int kCylindricalDefined = static_cast<int>(std::size(kCylindricalRows));

// Heights of a bevel gear are held per normal module of the mean section; the
// table shows them at the outer transverse module.
double Outer(const GearPair& g) {
  return g.mn / g.mmt;
}
// The mean pitch diameter from the outer one.
double MeanToOuter(const GearPair& g) {
  return 1.0 - g.bToLe / 2.0;
}

// Rows 1.. of the bevel layout.
constexpr RowDef kBevelRows[] = {
    // clang-format off
    /*  1 */ {"Typ ozubení", kNoUnit, ""},
    /*  2 */ {"Převodový poměr", kOne, "u", {},
              [](const G& g) { return F(g.z2Bevel / g.z1Bevel, 6, 3); }},
    /*  3 */ {"Úhel os soukolí", kDeg, "Σ", {}, {&G::Sigma, kRadians}},
    /*  4 */ {"Počet zubů", kOne, "z", {&G::z1Bevel, k20}, {}, {&G::z2Bevel, k20}},
    /*  5 */ {"Čelní modul vnější", kMm, "m_t", {}, {&G::mn, k63}},
    /*  6 */ {"Čelní modul střední", kMm, "m_tm", {}, {&G::mmt, k63}},
    /*  7 */ {"Úhel sklonu zubu střední", kDeg, "β_m", {}, {&G::betaDeg, kDegrees}},
    /*  8 */ {"Společná šířka kol", kMm, "b", {}, {&G::b, k63}},
    /*  9 */ {"Délka povrchové přímky kužele", kMm, "L_e", {}, {&G::Le, k63}},
    /* 10 */ {"Jednotková korekce", kOne, "x", &G::x1, {}, &G::x2},
    /* 11 */ {"Hodnota posunutí profilu", kMm, "x·m_t",
              [](const G& g) { return F85(g.x1 * g.mn); }, {},
              [](const G& g) { return F85(g.x2 * g.mn); }, {}, {.latinX = 203}},
    // "Σ x": the sum sign stands before the letter.
    /* 12 */ {"Součet jednotkových korekcí", kOne, "Σx", {}, &G::xSum, {}, {}, {.greekX = 206}},
    /* 13 */ {"Průměr vnější patní", kMm, "d_f", &G::dfe1, {}, &G::dfe2},
    /* 14 */ {"                        roztečný", kMm, "d", &G::de1, {}, &G::de2},
    /* 15 */ {"                        hlavový", kMm, "d_a", &G::dae1, {}, &G::dae2},
    /* 16 */ {"Průměr střední roztečný", kMm, "d_m",
              [](const G& g) { return F85(MeanToOuter(g) * g.de1); }, {},
              [](const G& g) { return F85(MeanToOuter(g) * g.de2); }},
    /* 17 */ {"Průměr vnitřní hlavový", kMm, "d_ai", &G::dai1, {}, &G::dai2},
    /* 18 */ {"Tloušťka zubu na hlavě vnější", kMm, "s_a", &G::sa1Bevel, {}, &G::sa2Bevel},
    /* 19 */ {"Tloušťka zubu na hlavě vnitřní", kMm, "s_ai", &G::sa1, {}, &G::sa2},
    /* 20 */ {"Výška vnější paty", kMm, "h_f",
              [](const G& g) { return F85(g.hf1 * Outer(g)); }, {},
              [](const G& g) { return F85(g.hf2 * Outer(g)); }},
    /* 21 */ {"                     hlavy", kMm, "h_a",
              [](const G& g) { return F85(g.ha1 * Outer(g)); }, {},
              [](const G& g) { return F85(g.ha2 * Outer(g)); }},
    /* 22 */ {"                     zubu", kMm, "h",
              [](const G& g) { return F85(g.h1 * Outer(g)); }, {},
              [](const G& g) { return F85(g.h2 * Outer(g)); }},
    /* 23 */ {"Úhel kužele patního", kDeg, "δ_f",
              {&G::deltaF1, kRadians}, {}, {&G::deltaF2, kRadians}},
    /* 24 */ {"                    roztečného", kDeg, "δ",
              {&G::delta1, kRadians}, {}, {&G::delta2, kRadians}},
    /* 25 */ {"                    hlavového", kDeg, "δ_a",
              {&G::deltaA1, kRadians}, {}, {&G::deltaA2, kRadians}},
    /* 26 */ {"Poměr b/d", kOne, "ψ_d",
              [](const G& g) { return F(g.b / g.de1, 6, 3); }, {},
              [](const G& g) { return F(g.b / g.de2, 6, 3); }},
    /* 27 */ {"Poměr b/m", kOne, "ψ_m", {}, [](const G& g) { return F(g.b / g.mn, 6, 3); }},
    /* 28 */ {"Poměr b/L", kOne, "ψ_L", {}, {&G::bToLe, k63}, {}, {},
              {.nameSubscript = "e", .nameSubscriptX = 67}},
    /* 29 */ {"Průmět roztečné šířky do osy kužele", kMm, "",
              [](const G& g) { return F(std::cos(g.delta1) * g.b, 6, 3); }, {},
              [](const G& g) { return F(std::cos(g.delta2) * g.b, 6, 3); }},
    /* 30 */ {"Počet zubů virtuálního kola", kOne, "z_v", {&G::z1, k32}, {}, {&G::z2, k32}},
    /* 31 */ {"Průměr virtuální roztečný stř.", kMm, "d_vm", &G::d1, {}, &G::d2},
    /* 32 */ {"Úhel záběru čelní", kDeg, "α_tw", {}, {&G::alphaWtDeg, kDegrees}},
    /* 33 */ {"Měrný skluz na patě", kOne, "", &G::thetaF1, {}, &G::thetaF2},
    /* 34 */ {"Měrný skluz na hlavé", kOne, "", &G::thetaA1, {}, &G::thetaA2},
    /* 35 */ {"Součinitel trvání záběru profilu", kOne, "ε_α", {}, &G::epsAlpha},
    /* 36 */ {"Součinitel trvání záběru krokem", kOne, "ε_β", {}, &G::epsBeta},
    /* 37 */ {"Součinitel trvání záběru celkový", kOne, "ε_γ", {}, &G::epsGamma},
    /* 38 */ {"Poměr b/d", kOne, "ψ_dv",
              [](const G& g) { return F(g.b / g.d1, 6, 3); }, {},
              [](const G& g) { return F(g.b / g.d2, 6, 3); }, {},
              {.nameSubscript = "vm", .nameSubscriptX = 67}},
    // Teeth of the crown gear that generates the pair, and the ratios of the
    // gears to it.
    /* 39 */ {"Počet zubů nástroje", kOne, "z_0", {},
              [](const G& g) { return F(g.z1Bevel / std::sin(g.delta1), 6, 3); }},
    /* 40 */ {"Převod mezi nástrojem a kolem", kOne, "",
              [](const G& g) { return F(1.0 / std::sin(g.delta1), 6, 3); }, {},
              [](const G& g) { return F(1.0 / std::sin(g.delta2), 6, 3); }},
    /* 41 */ {"Poměrná výška hlavy profilu", kOne, "h_aP*", &G::haP1Star, {}, &G::haP2Star},
    /* 42 */ {"Poměrná hlavová vůle profilu", kOne, "c_P*", &G::cP1Star, {}, &G::cP2Star},
    /* 43 */ {"Poměrný rádius paty profilu", kOne, "ρ_fP*", &G::rhofP1Star, {}, &G::rhofP2Star},
    /* 44 */ {"Úhel profilu", kDeg, "α_P", {}, {&G::alphaPDeg, kDegrees}},
    // clang-format on
};
constexpr int kBevelDefined = static_cast<int>(std::size(kBevelRows));

const RowDef* FindRow(GearType gearType, int row) {
  if (gearType == GearType::Bevel)
    return row >= 1 && row <= kBevelDefined ? &kBevelRows[row - 1] : nullptr;
  return row >= 1 && row <= kCylindricalDefined ? &kCylindricalRows[row - 1] : nullptr;
}

const char* UnitText(Unit unit, bool dmsMode) {
  switch (unit) {
    case kMm:
      return "[mm]";
    case kOne:
      return "[-]";
    case kDeg:
      // In degrees-minutes-seconds the value carries its own marks.
      return dmsMode ? "" : "[°]";
    case kNoUnit:
      break;
  }
  return "";
}

// A Greek letter (U+0391 to U+03C9) starts with one of these bytes in UTF-8.
bool GreekLead(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte == 0xCE || byte == 0xCF;
}

// The pieces of a symbol written as it reads ("ΣL_min", "ε_α", "h_aP0*").
TableSymbol ParseSymbol(std::string_view text) {
  TableSymbol s;
  std::size_t latin = 0;
  while (latin < text.size() && GreekLead(text[latin])) latin += 2;
  s.greek = text.substr(0, latin);
  const std::size_t cut = std::min(text.find('_', latin), text.size());
  s.latin = text.substr(latin, cut - latin);
  if (cut == text.size()) return s;
  std::string_view sub = text.substr(cut + 1);
  if (GreekLead(sub.front())) {
    s.greekSecond = sub;
    return s;
  }
  if (sub.back() == '*') {
    sub.remove_suffix(1);
    s.star = true;
  }
  s.subscript = sub;
  return s;
}

// Names of row 2, by how the backlash is produced.
constexpr const char* kBacklashThinBoth = "Norm.boční vůle zeslab.obou kol";
constexpr const char* kBacklashThinPinion = "Norm.boční vůle zeslab.pastorku";
constexpr const char* kBacklashThinWheel = "Norm.boční vůle zeslabením kola";
constexpr const char* kBacklashByShift = "Norm.boční vůle přídav. korekcí";
constexpr const char* kBacklashByApart = "Norm.boční vůle odsunutím kol";
constexpr const char* kBacklashNone = "Normálná boční vůle";
// Below this the pair counts as backlash-free.
constexpr double kNoBacklash = 1e-12;

// ------------------------------------------------------------ code points

std::size_t LastCodePointStart(std::string_view text) {
  std::size_t i = text.size();
  while (i > 0) {
    --i;
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) return i;
  }
  return 0;
}

std::string_view TrimBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

void PadTo(std::string& out, std::size_t width, std::size_t used) {
  if (used < width) out.append(width - used, ' ');
}

}  // namespace

int TableRowCount(GearType gearType) {
  if (gearType == GearType::Internal) return kTableRowsInternal;
  if (gearType == GearType::Bevel) return kTableRowsBevel;
  return kTableRowsExternal;
}

std::string CaptionFileName(std::string_view caption) {
  const std::string prefix = Utf8Prefix(caption, 18);
  std::string_view rest = caption.substr(prefix.size());
  const std::size_t cut = rest.find_last_of("\\:");
  if (cut != std::string_view::npos) rest.remove_prefix(cut + 1);
  return std::string(rest);
}

std::string TableTitleText(std::string_view caption) {
  std::string name = CaptionFileName(caption);
  return name.empty() ? std::string(kTableUntitled) : name;
}

std::string FinishValueText(std::string text) {
  text = Utf8Prefix(text, kValueTextMaxChars);
  if (text == " 0.00000" || text == "-0.00000") return "0";
  return text;
}

std::string AnchorPrefix(std::string_view valueText) {
  if (valueText == "0") return "0";
  const std::size_t last = LastCodePointStart(valueText);
  std::string prefix;
  for (std::size_t i = 0; i < last; ++i) {
    const char c = valueText[i];
    if (c == '.') break;
    prefix += c;
    if (c == '\'') break;
  }
  return prefix;
}

int GridColumnLeft(int column, GridLines lines) {
  int x = lines.leading ? lines.width : 0;
  for (int c = 0; c < column && c < kTableColumns; ++c) x += kTableColumnWidths[c] + lines.width;
  return x;
}

int GridRowTop(int shownRow, GridLines lines) {
  return (lines.leading ? lines.width : 0) + shownRow * (kTableRowHeight + lines.width);
}

TableSymbol RowSymbol(GearType gearType, int row) {
  const RowDef* def = FindRow(gearType, row);
  if (def == nullptr) return {};
  TableSymbol s = ParseSymbol(def->symbol);
  const Draw& d = def->draw;
  auto place = [](int& at, int unusual) {
    if (unusual != 0) at = unusual;
  };
  place(s.latinX, d.latinX);
  place(s.latinDy, d.latinDy);
  place(s.greekX, d.greekX);
  place(s.greekDy, d.greekDy);
  place(s.greekPt, d.greekPt);
  // The subscript follows its main letter; a wide letter pushes it right.
  if (s.latin == "m") s.subscriptX = 225;
  if (s.greek == "ψ") s.subscriptX = 224;
  place(s.subscriptX, d.subscriptX);
  return s;
}

std::string SymbolPlainText(const TableSymbol& symbol) {
  std::string text = symbol.greek + symbol.latin;
  if (!symbol.greekSecond.empty()) text += "_" + symbol.greekSecond;
  if (!symbol.subscript.empty()) text += "_" + symbol.subscript;
  if (symbol.star) text += "*";
  return text;
}

NameSubscript RowNameSubscript(GearType gearType, int row) {
  const RowDef* def = FindRow(gearType, row);
  if (def == nullptr || *def->draw.nameSubscript == '\0') return {};
  return {def->draw.nameSubscript, def->draw.nameSubscriptX};
}

StoredTextStyle StoredStyle(int column, int row) {
  StoredTextStyle style;
  if (row == 0) {
    style.pointSize = column == 1 ? 8 : 12;
    style.bold = style.italic = true;
    if (column == 1) {
      style.dx = 4;
      style.dy = 3;
    }
    return style;
  }
  style.bold = column == 0;
  if (column == 1) {
    style.dx = 6;
    style.dy = 0;
  }
  return style;
}

std::string ValueText(const GearPair& g, int column, int row) {
  if (column < 2 || column > 4 || row < 2 || row >= TableRowCount(g.gearType)) return {};
  const RowDef* def = FindRow(g.gearType, row);
  if (def == nullptr) return {};
  const Value& value = column == 2                        ? def->pinion
                       : column == 3                      ? def->pair
                       : g.rackMode && !def->rack.Empty() ? def->rack
                                                          : def->wheel;
  const std::string text = value.Text(g);
  return text.empty() ? text : FinishValueText(text);
}

// ------------------------------------------------------------ the table

void DimensionTable::Show(GearPair& g, std::string_view caption) {
  g.tablePrinting = false;
  FillFixedTexts(g, caption);
}

void DimensionTable::FillFixedTexts(const GearPair& g, std::string_view caption) {
  const bool bevel = g.gearType == GearType::Bevel;
  stored_[0][0] = TableTitleText(caption);
  stored_[0][1] = "Rozměr";
  stored_[0][2] = " PASTOREK";
  stored_[0][4] = !bevel && g.rackMode ? "   HŘEBEN" : "       KOLO";

  if (bevel) {
    stored_[1][2] = stored_[1][4] = "      Kuželové";
  } else {
    stored_[1][2] = "       Vnější";
    stored_[1][4] = g.gearType == GearType::Internal ? "       Vnitřní" : "       Vnější";
  }

  const int defined = bevel ? kBevelDefined : kCylindricalDefined;
  for (int row = 1; row <= defined; ++row) {
    const RowDef& def = bevel ? kBevelRows[row - 1] : kCylindricalRows[row - 1];
    if (*def.name != '\0') stored_[row][0] = def.name;
    // Every unit is written, the empty one of an angle row in degrees-minutes-
    // seconds as well, so that none is left from an earlier show.
    if (def.unit != kNoUnit) stored_[row][1] = UnitText(def.unit, g.dmsMode);
  }
  if (bevel) return;

  // Row 2: how the backlash is produced, the later flags overriding the
  // earlier ones. With a backlash but no mode flag the name of the previous
  // show stays (the backlash dialog always leaves a mode set).
  // The name is kept apart from the grid cell, which a bevel layout reuses.
  std::string& backlash = backlashName_;
  if (g.thinBoth) backlash = kBacklashThinBoth;
  if (g.thinPinion) backlash = kBacklashThinPinion;
  if (g.thinWheel) backlash = kBacklashThinWheel;
  if (g.backlashByShift) backlash = kBacklashByShift;
  if (g.jnByApart) backlash = kBacklashByApart;
  if (g.jn < kNoBacklash) backlash = kBacklashNone;
  stored_[2][0] = backlash;

  if (g.scConst1 && g.scConst2) {
    stored_[58][0] = "Měřená konstant. tloušťka zubu";
    stored_[59][0] = "Měřeno v konst. výšce (od hlavy)";
  } else {
    stored_[58][0] = "Měřená tloušťka zubu";
    stored_[59][0] = "Měřeno ve výšce (od hlavy)";
  }

  // The shaper cutter rows belong to the internal pair only.
  if (g.gearType != GearType::Internal) stored_[76][0].clear();
}

const std::string& DimensionTable::Stored(int column, int row) const {
  static const std::string kNothing;
  if (column < 0 || column >= kTableColumns || row < 0 || row >= kTableMaxRows) return kNothing;
  return stored_[row][column];
}

void DimensionTable::SetStored(int column, int row, std::string text) {
  if (column < 0 || column >= kTableColumns || row < 0 || row >= kTableMaxRows) return;
  stored_[row][column] = std::move(text);
}

std::string DimensionTable::BeginPrintTitle(std::string_view caption) {
  std::string previous = std::move(stored_[0][0]);
  stored_[0][0] = CaptionFileName(caption);
  return previous;
}

TableCell DimensionTable::Cell(const GearPair& g, int column, int row) const {
  TableCell cell;
  if (row < 0 || row >= RowCount(g)) return cell;
  if (row <= 1 || column <= 1) {
    cell.text = Stored(column, row);
    return cell;
  }
  cell.text = ValueText(g, column, row);
  if (cell.text.empty()) return cell;
  cell.anchored = true;
  cell.anchorPrefix = AnchorPrefix(cell.text);
  const RowDef* def = FindRow(g.gearType, row);
  cell.pairSigma = column == 3 && def != nullptr && def->draw.pairSigma;
  return cell;
}

// ------------------------------------------------------------ plain text

std::string TableCellsText(const DimensionTable& table, const GearPair& g, int column1, int row1,
                           int column2, int row2) {
  const int left = std::max(std::min(column1, column2), 0);
  const int right = std::min(std::max(column1, column2), kTableColumns - 1);
  const int top = std::max(std::min(row1, row2), 0);
  const int bottom = std::min(std::max(row1, row2), table.RowCount(g) - 1);
  std::string out;
  for (int row = top; row <= bottom; ++row) {
    for (int column = left; column <= right; ++column) {
      if (column > left) out += '\t';
      std::string text(TrimBlanks(table.Cell(g, column, row).text));
      if (column == 0 && row >= 1) {
        const NameSubscript sub = RowNameSubscript(g.gearType, row);
        if (!sub.text.empty()) text += "_" + sub.text;
        const std::string symbol = SymbolPlainText(RowSymbol(g.gearType, row));
        if (!symbol.empty()) text += (text.empty() ? "" : " ") + symbol;
      }
      out += text;
    }
    out += '\n';
  }
  return out;
}

std::string DimensionTableText(const GearPair& g, std::string_view caption) {
  DimensionTable table;
  table.FillFixedTexts(g, caption);
  return RenderTableText(table, g);
}

std::string RenderTableText(const DimensionTable& table, const GearPair& g) {
  const int rows = table.RowCount(g);
  struct Line {
    std::string name, symbol, unit;
    std::array<TableCell, 3> values;
  };
  std::array<Line, kTableMaxRows> lines{};
  for (int row = 0; row < rows; ++row) {
    Line& line = lines[row];
    line.name = table.Stored(0, row);
    const NameSubscript sub = RowNameSubscript(g.gearType, row);
    if (!sub.text.empty()) line.name += "_" + sub.text;
    if (row >= 1) line.symbol = SymbolPlainText(RowSymbol(g.gearType, row));
    line.unit = table.Stored(1, row);
    for (int c = 0; c < 3; ++c) {
      TableCell cell = table.Cell(g, c + 2, row);
      if (cell.pairSigma) {
        cell.text = std::string(kPairSigmaText) + " " + cell.text;
        cell.anchorPrefix = std::string(kPairSigmaText) + " " + cell.anchorPrefix;
      }
      if (!cell.anchored) cell.text = std::string(TrimBlanks(cell.text));
      line.values[c] = std::move(cell);
    }
  }

  // Column widths in characters; each value column puts its anchor after the
  // longest prefix so that every point (or minutes mark) lines up.
  std::size_t nameWidth = 0, symbolWidth = 0, unitWidth = 0;
  std::array<std::size_t, 3> anchor{}, width{};
  for (int row = 0; row < rows; ++row) {
    const Line& line = lines[row];
    nameWidth = std::max(nameWidth, Utf8Length(line.name));
    symbolWidth = std::max(symbolWidth, Utf8Length(line.symbol));
    unitWidth = std::max(unitWidth, Utf8Length(line.unit));
    for (int c = 0; c < 3; ++c) {
      const TableCell& cell = line.values[c];
      if (cell.anchored) anchor[c] = std::max(anchor[c], Utf8Length(cell.anchorPrefix));
    }
  }
  for (int row = 0; row < rows; ++row) {
    for (int c = 0; c < 3; ++c) {
      const TableCell& cell = lines[row].values[c];
      const std::size_t length = Utf8Length(cell.text);
      const std::size_t needed =
          cell.anchored ? anchor[c] - Utf8Length(cell.anchorPrefix) + length : length;
      width[c] = std::max(width[c], needed);
    }
  }

  std::string out;
  for (int row = 0; row < rows; ++row) {
    const Line& line = lines[row];
    std::string text = line.name;
    PadTo(text, nameWidth, Utf8Length(line.name));
    text += "  " + line.symbol;
    PadTo(text, symbolWidth, Utf8Length(line.symbol));
    text += "  " + line.unit;
    PadTo(text, unitWidth, Utf8Length(line.unit));
    for (int c = 0; c < 3; ++c) {
      const TableCell& cell = line.values[c];
      text += "  ";
      std::size_t used = Utf8Length(cell.text);
      if (cell.anchored) {
        const std::size_t lead = anchor[c] - Utf8Length(cell.anchorPrefix);
        text.append(lead, ' ');
        used += lead;
      }
      text += cell.text;
      PadTo(text, width[c], used);
    }
    text.erase(text.find_last_not_of(' ') + 1);
    out += text;
    out += '\n';
  }
  return out;
}

}  // namespace kolmira
