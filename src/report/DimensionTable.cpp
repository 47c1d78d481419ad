// Fixed texts, value texts and plain-text rendering of the dimension table.
#include "report/DimensionTable.h"

#include <algorithm>
#include <cmath>

#include "model/NumberText.h"

namespace kolmira {

namespace {

enum class Unit { kNone, kMm, kOne, kDeg };

// One row of a layout: its name (the rows whose name depends on the state
// have none here), unit and symbol pieces. A trailing '*' of the subscript is
// the star of a per-module coefficient.
struct RowDef {
  const char* name;
  Unit unit;
  const char* latin;
  const char* greek;
  const char* greekSecond;
  const char* subscript;
};

// Rows 1.. of the cylindrical layout (external and internal pairs).
constexpr RowDef kCylindricalRows[] = {
    // clang-format off
    /*  1 */ {"Typ ozubení", Unit::kNone, "", "", "", ""},
    /*  2 */ {"", Unit::kMm, "j", "", "", "n"},
    /*  3 */ {"Počet zubů", Unit::kOne, "z", "", "", ""},
    /*  4 */ {"Počet zubů náhradního kola", Unit::kOne, "z", "", "", "n"},
    /*  5 */ {"Normálný modul", Unit::kMm, "m", "", "", "n"},
    /*  6 */ {"Čelní modul", Unit::kMm, "m", "", "", "t"},
    /*  7 */ {"Úhel sklonu zubu roztečný", Unit::kDeg, "", "β", "", ""},
    /*  8 */ {"Úhel sklonu zubu základní", Unit::kDeg, "", "β", "", "b"},
    /*  9 */ {"Úhel záběru čelní", Unit::kDeg, "", "α", "", "t"},
    /* 10 */ {"Úhel záběru pracovní", Unit::kDeg, "", "α", "", "wt"},
    /* 11 */ {"Osová vzdálenost pracovní", Unit::kMm, "a", "", "", ""},
    /* 12 */ {"Osová vzdálenost roztečná", Unit::kMm, "a", "", "", "d"},
    /* 13 */ {"Osová vzdálenost bezvůlová", Unit::kMm, "a", "", "", "jn"},
    /* 14 */ {"Jednotková korekce bezvůlová", Unit::kOne, "x", "", "", "jn"},
    /* 15 */ {"Jednotková korekce", Unit::kOne, "x", "", "", ""},
    /* 16 */ {"Hodnota posunutí profilu", Unit::kMm, "x·m", "", "", "n"},
    /* 17 */ {"Jednotková změna výšky hlavy", Unit::kOne, "k*", "", "", ""},
    /* 18 */ {"Průměr patní kružnice", Unit::kMm, "d", "", "", "f"},
    /* 19 */ {"             základní kružnice", Unit::kMm, "d", "", "", "b"},
    /* 20 */ {"             kr.začátku evolventy", Unit::kMm, "d", "", "", "Ff"},
    /* 21 */ {"             kružnice začátku záběru", Unit::kMm, "d", "", "", "Nf"},
    /* 22 */ {"             valivé kružnice", Unit::kMm, "d", "", "", "w"},
    /* 23 */ {"             roztečné kružnice", Unit::kMm, "d", "", "", ""},
    /* 24 */ {"             kružnice konce záběru", Unit::kMm, "d", "", "", "Na"},
    /* 25 */ {"             kružnice srážecí hrany", Unit::kMm, "d", "", "", "Fa"},
    /* 26 */ {"             hlavové kružnice", Unit::kMm, "d", "", "", "a"},
    /* 27 */ {"Tvarový přesah", Unit::kMm, "c", "", "", "F"},
    /* 28 */ {"Tloušťka zubu na patní kružnici", Unit::kMm, "s", "", "", "f"},
    /* 29 */ {"                      základní kružnici", Unit::kMm, "s", "", "", "b"},
    /* 30 */ {"                      začátku evolventy", Unit::kMm, "s", "", "", "Ff"},
    /* 31 */ {"                      valivé kružnici", Unit::kMm, "s", "", "", "w"},
    /* 32 */ {"                      roztečné kružnici", Unit::kMm, "s", "", "", ""},
    /* 33 */ {"                      začátku sražení", Unit::kMm, "s", "", "", "Fa"},
    /* 34 */ {"                      hlavové kružnici", Unit::kMm, "s", "", "", "a"},
    /* 35 */ {"Výška paty", Unit::kMm, "h", "", "", "f"},
    /* 36 */ {"         hlavy", Unit::kMm, "h", "", "", "a"},
    /* 37 */ {"         zubu", Unit::kMm, "h", "", "", ""},
    /* 38 */ {"Společná šířka kol", Unit::kMm, "b", "", "", ""},
    /* 39 */ {"Délka evolventy", Unit::kMm, "ev", "", "", ""},
    /* 40 */ {"Délka funkční evolventy", Unit::kMm, "ev", "", "", ""},
    /* 41 */ {"Měrný skluz na patě", Unit::kOne, "", "", "", ""},
    /* 42 */ {"Měrný skluz na hlavé", Unit::kOne, "", "", "", ""},
    /* 43 */ {"Poměr b/d", Unit::kOne, "", "ψ", "", "d"},
    /* 44 */ {"Poměr b/m", Unit::kOne, "", "ψ", "", "m"},
    /* 45 */ {"Součinitel trvání záběru profilu", Unit::kOne, "", "ε", "α", ""},
    /* 46 */ {"Součinitel trvání záběru krokem", Unit::kOne, "", "ε", "β", ""},
    /* 47 */ {"Součinitel trvání záběru celkový", Unit::kOne, "", "ε", "γ", ""},
    /* 48 */ {"Délka dotyku 1 páru zubů", Unit::kMm, "L", "", "", "pmax"},
    /* 49 */ {"Celková délka dotyku minim.", Unit::kMm, "L", "Σ", "", "min"},
    /* 50 */ {"Celková délka dotyku maxim.", Unit::kMm, "L", "Σ", "", "max"},
    /* 51 */ {"Čelní rozteč", Unit::kMm, "p", "", "", "t"},
    /* 52 */ {"Čelní rozteč základní", Unit::kMm, "p", "", "", "tb"},
    /* 53 */ {"              KONTROLNÍ ROZMĚRY", Unit::kNone, "", "", "", ""},
    /* 54 */ {"Kontrolní rozměr přes zuby", Unit::kMm, "W", "", "", ""},
    /* 55 */ {"Měřeno na průměru", Unit::kMm, "dW", "", "", ""},
    /* 56 */ {"Počet měřených zubů", Unit::kOne, "z", "", "", "w"},
    /* 57 */ {"Minimální šířka kola pro měření", Unit::kMm, "b", "", "", "min"},
    /* 58 */ {"", Unit::kMm, "s", "", "", "c"},
    /* 59 */ {"", Unit::kMm, "h", "", "", "c"},
    /* 60 */ {"Kontrolní rozměr přes kuličky", Unit::kMm, "M", "", "", ""},
    /* 61 */ {"Průměr kuličky", Unit::kMm, "d", "", "", "t"},
    /* 62 */ {"Průměr kontaktu kuliček", Unit::kMm, "dM", "", "", ""},
    /* 63 */ {"              ZÁKLADNÍ PROFIL", Unit::kNone, "", "", "", ""},
    /* 64 */ {"Poměrná výška hlavy profilu", Unit::kOne, "h", "", "", "aP*"},
    /* 65 */ {"Poměrná hlavová vůle profilu", Unit::kOne, "c", "", "", "P*"},
    /* 66 */ {"Poměrný rádius paty profilu", Unit::kOne, "", "ρ", "", "fP*"},
    /* 67 */ {"Úhel profilu", Unit::kDeg, "", "α", "", "P"},
    /* 68 */ {"              HŘEBENOVÝ NÁSTROJ", Unit::kNone, "", "", "", ""},
    /* 69 */ {"Poměrná výška hlavy", Unit::kOne, "h", "", "", "aP0*"},
    /* 70 */ {"Poměrný rádius zaoblení hlavy", Unit::kOne, "", "ρ", "", "aP0*"},
    /* 71 */ {"Poměrná výška ke sražení", Unit::kOne, "h", "", "", "FfP0*"},
    /* 72 */ {"Úhel profilu srážecí hrany", Unit::kDeg, "", "α", "", "KP0"},
    /* 73 */ {"Úhel profilu protuberance", Unit::kDeg, "", "α", "", "prP0"},
    /* 74 */ {"Poměrná výška k protuberanci", Unit::kOne, "h", "", "", "FaP0*"},
    /* 75 */ {"Velikost protuberance", Unit::kMm, "pr", "", "", "P0"},
    /* 76 */ {"              OBRÁŽECÍ KOLEČKO", Unit::kNone, "", "", "", ""},
    /* 77 */ {"Počet zubů", Unit::kOne, "z", "", "", "0"},
    /* 78 */ {"Osová vzdálenost výrobní", Unit::kMm, "a", "", "", "w0"},
    /* 79 */ {"Aktuální jednotková korekce", Unit::kOne, "x", "", "", "0"},
    /* 80 */ {"Aktuální hlavový průměr", Unit::kMm, "d", "", "", "a0"},
    /* 81 */ {"Aktuální šířka hlavy", Unit::kMm, "s", "", "", "a0"},
    /* 82 */ {"Poměrný rádius zaoblení hlavy", Unit::kOne, "", "ρ", "", "a0*"},
    /* 83 */ {"Poměrný rádius zaoblení paty", Unit::kOne, "", "ρ", "", "f0*"},
    // clang-format on
};
constexpr int kCylindricalDefined = static_cast<int>(std::size(kCylindricalRows));

// Rows 1.. of the bevel layout.
constexpr RowDef kBevelRows[] = {
    // clang-format off
    /*  1 */ {"Typ ozubení", Unit::kNone, "", "", "", ""},
    /*  2 */ {"Převodový poměr", Unit::kOne, "u", "", "", ""},
    /*  3 */ {"Úhel os soukolí", Unit::kDeg, "", "Σ", "", ""},
    /*  4 */ {"Počet zubů", Unit::kOne, "z", "", "", ""},
    /*  5 */ {"Čelní modul vnější", Unit::kMm, "m", "", "", "t"},
    /*  6 */ {"Čelní modul střední", Unit::kMm, "m", "", "", "tm"},
    /*  7 */ {"Úhel sklonu zubu střední", Unit::kDeg, "", "β", "", "m"},
    /*  8 */ {"Společná šířka kol", Unit::kMm, "b", "", "", ""},
    /*  9 */ {"Délka povrchové přímky kužele", Unit::kMm, "L", "", "", "e"},
    /* 10 */ {"Jednotková korekce", Unit::kOne, "x", "", "", ""},
    /* 11 */ {"Hodnota posunutí profilu", Unit::kMm, "x·m", "", "", "t"},
    /* 12 */ {"Součet jednotkových korekcí", Unit::kOne, "x", "Σ", "", ""},
    /* 13 */ {"Průměr vnější patní", Unit::kMm, "d", "", "", "f"},
    /* 14 */ {"                        roztečný", Unit::kMm, "d", "", "", ""},
    /* 15 */ {"                        hlavový", Unit::kMm, "d", "", "", "a"},
    /* 16 */ {"Průměr střední roztečný", Unit::kMm, "d", "", "", "m"},
    /* 17 */ {"Průměr vnitřní hlavový", Unit::kMm, "d", "", "", "ai"},
    /* 18 */ {"Tloušťka zubu na hlavě vnější", Unit::kMm, "s", "", "", "a"},
    /* 19 */ {"Tloušťka zubu na hlavě vnitřní", Unit::kMm, "s", "", "", "ai"},
    /* 20 */ {"Výška vnější paty", Unit::kMm, "h", "", "", "f"},
    /* 21 */ {"                     hlavy", Unit::kMm, "h", "", "", "a"},
    /* 22 */ {"                     zubu", Unit::kMm, "h", "", "", ""},
    /* 23 */ {"Úhel kužele patního", Unit::kDeg, "", "δ", "", "f"},
    /* 24 */ {"                    roztečného", Unit::kDeg, "", "δ", "", ""},
    /* 25 */ {"                    hlavového", Unit::kDeg, "", "δ", "", "a"},
    /* 26 */ {"Poměr b/d", Unit::kOne, "", "ψ", "", "d"},
    /* 27 */ {"Poměr b/m", Unit::kOne, "", "ψ", "", "m"},
    /* 28 */ {"Poměr b/L", Unit::kOne, "", "ψ", "", "L"},
    /* 29 */ {"Průmět roztečné šířky do osy kužele", Unit::kMm, "", "", "", ""},
    /* 30 */ {"Počet zubů virtuálního kola", Unit::kOne, "z", "", "", "v"},
    /* 31 */ {"Průměr virtuální roztečný stř.", Unit::kMm, "d", "", "", "vm"},
    /* 32 */ {"Úhel záběru čelní", Unit::kDeg, "", "α", "", "tw"},
    /* 33 */ {"Měrný skluz na patě", Unit::kOne, "", "", "", ""},
    /* 34 */ {"Měrný skluz na hlavé", Unit::kOne, "", "", "", ""},
    /* 35 */ {"Součinitel trvání záběru profilu", Unit::kOne, "", "ε", "α", ""},
    /* 36 */ {"Součinitel trvání záběru krokem", Unit::kOne, "", "ε", "β", ""},
    /* 37 */ {"Součinitel trvání záběru celkový", Unit::kOne, "", "ε", "γ", ""},
    /* 38 */ {"Poměr b/d", Unit::kOne, "", "ψ", "", "dv"},
    /* 39 */ {"Počet zubů nástroje", Unit::kOne, "z", "", "", "0"},
    /* 40 */ {"Převod mezi nástrojem a kolem", Unit::kOne, "", "", "", ""},
    /* 41 */ {"Poměrná výška hlavy profilu", Unit::kOne, "h", "", "", "aP*"},
    /* 42 */ {"Poměrná hlavová vůle profilu", Unit::kOne, "c", "", "", "P*"},
    /* 43 */ {"Poměrný rádius paty profilu", Unit::kOne, "", "ρ", "", "fP*"},
    /* 44 */ {"Úhel profilu", Unit::kDeg, "", "α", "", "P"},
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
    case Unit::kMm:
      return "[mm]";
    case Unit::kOne:
      return "[-]";
    case Unit::kDeg:
      // In degrees-minutes-seconds the value carries its own marks.
      return dmsMode ? "" : "[°]";
    case Unit::kNone:
      break;
  }
  return "";
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

// ---------------------------------------------------------------- values

const std::string kDash = "---";

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

struct Values {
  std::string pinion, pair, wheel;
};

Values CylindricalValues(const GearPair& g, int row) {
  const bool rack = g.rackMode;
  const bool internal = g.gearType == GearType::Internal;
  const bool external = g.gearType == GearType::External;
  // The degenerate internal pair (-z2 = z1) has no working pitch circles.
  const bool noPitchCircles = g.z2 == -g.z1;
  Values v;
  auto both = [&v](double pinion, double wheel) {
    v.pinion = F85(pinion);
    v.wheel = F85(wheel);
  };
  auto rackWheel = [&v, rack](std::string text) {
    if (rack) v.wheel = std::move(text);
  };
  auto rackPair = [&v, rack]() {
    if (rack) v.pair = kDash;
  };
  auto chamferTip2 = [&g, internal]() {
    return (internal ? g.tipTrimming : g.chamfer2) && g.da2Eff < g.da2;
  };
  const bool chamferTip1 = g.chamfer1 && g.da1Eff < g.da1;
  const double dW1 = std::sqrt(std::pow(g.W1 * std::cos(g.betaB), 2) + g.db1 * g.db1);
  const double dW2 = std::sqrt(std::pow(g.W2 * std::cos(g.betaB), 2) + g.db2 * g.db2);

  switch (row) {
    case 2:
      v.pair = F(g.jn, 6, 4);
      break;
    case 3:
      v.pinion = F(g.z1, 2, 0);
      v.wheel = F(g.z2, 2, 0);
      rackWheel(kDash);
      break;
    case 4:
      v.pinion = F(g.zn1, 6, 3);
      v.wheel = F(g.zn2, 6, 3);
      rackWheel(kDash);
      break;
    case 5:
      v.pair = F(g.mn, 6, 3);
      break;
    case 6:
      v.pair = F(g.mt, 6, 3);
      break;
    case 7:
      v.pair = Angle(g, g.betaDeg);
      break;
    case 8:
      v.pair = Angle(g, g.betaBDeg);
      break;
    case 9:
      v.pair = Angle(g, g.alphaTDeg);
      break;
    case 10:
      v.pair = AngleRad(g, g.jnByApart ? g.alphaWtJ : g.alphaWt);
      break;
    case 11:
      v.pair = F85(g.jnByApart ? g.awJ : g.aw);
      rackPair();
      break;
    case 12:
      v.pair = F85(g.a);
      rackPair();
      break;
    case 13:
      v.pair = F85(g.aw);
      rackPair();
      break;
    case 14:
      v.pinion = F85(g.backlashByShift ? g.x1NoBacklash : g.x1);
      v.pair = F85(g.xSum);
      v.wheel = F85(g.backlashByShift ? g.xSumNoBacklash - g.x1NoBacklash : g.x2);
      rackWheel("0");
      break;
    case 15:
      v.pinion = F85(g.x1);
      v.pair = F85(g.backlashByShift ? g.xSumBacklash : g.xSum);
      v.wheel = F85(g.x2);
      rackWheel("0");
      break;
    case 16:
      both(g.x1 * g.mn, g.x2 * g.mn);
      rackWheel("0");
      break;
    case 17:
      v.pair = F85(g.kStar);
      break;
    case 18:
      both(g.df1, g.df2);
      rackWheel(kDash);
      break;
    case 19:
      both(g.db1, g.db2);
      rackWheel(kDash);
      break;
    case 20:
      both(g.dFf1, g.dFf2);
      rackWheel(kDash);
      break;
    case 21:
      both(g.dNf1, g.dNf2);
      rackWheel(kDash);
      break;
    case 22:
      v.pinion = noPitchCircles ? kDash : F85(g.dw1);
      v.wheel = noPitchCircles ? kDash : F85(g.dw2);
      rackWheel(kDash);
      break;
    case 23:
      both(g.d1, g.d2);
      rackWheel(kDash);
      break;
    case 24:
      both(g.dNa1, g.dNa2);
      rackWheel(kDash);
      break;
    case 25:
      v.pinion = chamferTip1 ? F85(g.da1Eff) : kDash;
      v.wheel = chamferTip2() ? F85(g.da2Eff) : kDash;
      rackWheel(kDash);
      break;
    case 26:
      both(g.da1, g.da2);
      rackWheel(kDash);
      break;
    case 27:
      both((g.dNf1 - g.dFf1) / 2.0, (g.dNf2 - g.dFf2) / 2.0);
      // The rack's form overlap: the depth of its straight flank below the
      // reference line less the depth the pinion tip actually reaches.
      rackWheel(F85(g.hFfRack - g.hfNRack));
      break;
    case 28:
      v.pinion = g.db1 > g.df1 ? kDash : F85(g.sf1);
      v.wheel = std::fabs(g.db2) > std::fabs(g.df2) ? kDash : F85(g.sf2);
      rackWheel(kDash);
      break;
    case 29:
      both(g.sb1, g.sb2);
      rackWheel(kDash);
      break;
    case 30:
      both(g.sFf1, g.sFf2);
      break;
    case 31:
      v.pinion = noPitchCircles ? kDash : F85(g.sw1);
      v.wheel = noPitchCircles ? kDash : F85(g.sw2);
      break;
    case 32:
      both(g.sn1, g.sn2);
      break;
    case 33:
      v.pinion = chamferTip1 ? F85(g.sFa1) : kDash;
      if (rack) {
        // The rack's chamfer starts below its tip only when its height is
        // less than the rack's addendum.
        v.wheel = g.chamfer2 && g.mn * g.hFfP02Star < g.ha2 ? F85(g.sFa2) : kDash;
      } else {
        v.wheel = chamferTip2() ? F85(g.sFa2) : kDash;
      }
      break;
    case 34:
      both(g.sa1, g.sa2);
      break;
    case 35:
      both((g.d1 - g.df1) / 2.0, (g.d2 - g.df2) / 2.0);
      rackWheel(F85(g.hf2));
      break;
    case 36:
      both((g.da1 - g.d1) / 2.0, (g.da2 - g.d2) / 2.0);
      rackWheel(F85(g.ha2));
      break;
    case 37:
      both((g.da1 - g.df1) / 2.0, (g.da2 - g.df2) / 2.0);
      rackWheel(F85(g.ha2 + g.hf2));
      break;
    case 38:
      v.pair = F(g.b, 6, 3);
      break;
    case 39:
      both(g.Lev1, g.Lev2);
      break;
    case 40:
      both(g.LevF1, g.LevF2);
      break;
    case 41:
      both(g.thetaF1, g.thetaF2);
      break;
    case 42:
      both(g.thetaA1, g.thetaA2);
      break;
    case 43:
      v.pinion = F(g.b / g.d1, 6, 3);
      v.wheel = F(g.b / g.d2, 6, 3);
      rackWheel("0");
      break;
    case 44:
      v.pair = F(g.b / g.mn, 6, 3);
      break;
    case 45:
      v.pair = F85(g.epsAlpha);
      break;
    case 46:
      v.pair = F85(g.epsBeta);
      break;
    case 47:
      v.pair = F85(g.epsGamma);
      break;
    case 48:
      v.pair = F85(g.Lc1);
      break;
    case 49:
      v.pair = F85(g.LcMin);
      break;
    case 50:
      v.pair = F85(g.LcMax);
      break;
    case 51:
      v.pair = F85(g.pt);
      break;
    case 52:
      v.pair = F85(g.pbt);
      break;
    case 54:
      both(g.W1, g.W2);
      rackWheel(kDash);
      break;
    case 55:
      v.pinion = F85(dW1);
      v.wheel = internal ? RingDiameter(dW2) : F85(dW2);
      rackWheel(kDash);
      break;
    case 56:
      v.pinion = FormatInt(g.zw1);
      v.wheel = FormatInt(g.zw2);
      rackWheel(kDash);
      break;
    case 57:
      // A spur gear is measured over any face width.
      v.pinion = g.beta > 0.0 ? F(g.b1min, 6, 3) : kDash;
      v.wheel = g.beta > 0.0 ? F(g.b2min, 6, 3) : kDash;
      rackWheel(kDash);
      break;
    case 58:
      v.pinion = g.chordShown1 ? F85(g.sc1) : kDash;
      v.wheel = g.chordShown2 ? F85(g.sc2) : kDash;
      break;
    case 59:
      v.pinion = g.chordShown1 ? F85(g.hc1) : kDash;
      v.wheel = g.chordShown2 ? F85(g.hc2) : kDash;
      break;
    case 60:
      both(g.M1, g.M2);
      rackWheel(kDash);
      break;
    case 61:
      both(g.dt1, g.dt2);
      rackWheel(kDash);
      break;
    case 62:
      v.pinion = F85(g.dM1);
      v.wheel = internal ? RingDiameter(g.dM2) : F85(g.dM2);
      rackWheel(kDash);
      break;
    case 64:
      both(g.haP1Star, g.haP2Star);
      break;
    case 65:
      both(g.cP1Star, g.cP2Star);
      break;
    case 66:
      both(g.rhofP1Star, g.rhofP2Star);
      break;
    case 67:
      v.pair = Angle(g, g.alphaPDeg);
      break;
    // The rack tool of the wheel exists only for an external pair; the ring
    // of an internal pair is cut by the shaper cutter of rows 77 to 83.
    case 69:
      v.pinion = F85(g.haP01Star);
      v.wheel = external ? F85(g.haP02Star) : kDash;
      break;
    case 70:
      v.pinion = F85(g.rhoaP01Star);
      v.wheel = external ? F85(g.rhoaP02Star) : kDash;
      break;
    case 71:
      v.pinion = g.chamfer1 ? F85(g.hFfP01Star) : kDash;
      v.wheel = external && g.chamfer2 ? F85(g.hFfP02Star) : kDash;
      break;
    case 72:
      v.pinion = g.chamfer1 ? Angle(g, g.alphaKP01Deg) : kDash;
      v.wheel = external && g.chamfer2 ? Angle(g, g.alphaKP02Deg) : kDash;
      break;
    case 73:
      v.pinion = g.protuberance1 ? AngleRad(g, g.alphaprP01) : kDash;
      v.wheel = external && g.protuberance2 ? AngleRad(g, g.alphaprP02) : kDash;
      break;
    case 74:
      v.pinion = g.protuberance1 ? F85(g.hFaP01Star) : kDash;
      v.wheel = external && g.protuberance2 ? F85(g.hFaP02Star) : kDash;
      break;
    case 75:
      v.pinion = g.protuberance1 ? F85(g.prP01) : kDash;
      v.wheel = external && g.protuberance2 ? F85(g.prP02) : kDash;
      break;
    case 77:
      v.pinion = kDash;
      v.wheel = FormatInt(g.z0);
      break;
    case 78:
      v.pinion = kDash;
      v.wheel = F85(g.aw0);
      break;
    case 79:
      v.pinion = kDash;
      v.wheel = F85(g.x0);
      break;
    case 80:
      v.pinion = kDash;
      v.wheel = F85(g.da0);
      break;
    case 81:
      v.pinion = kDash;
      v.wheel = F85(g.sa0);
      break;
    case 82:
      v.pinion = kDash;
      v.wheel = F85(g.rhoa0Star);
      break;
    case 83:
      v.pinion = kDash;
      v.wheel = F85(g.rhof0Star);
      break;
    default:
      break;
  }
  return v;
}

Values BevelValues(const GearPair& g, int row) {
  Values v;
  auto both = [&v](double pinion, double wheel) {
    v.pinion = F85(pinion);
    v.wheel = F85(wheel);
  };
  // Heights are held per normal module of the mean section; the table shows
  // them at the outer transverse module.
  const double outer = g.mn / g.mmt;
  const double meanToOuter = 1.0 - g.bToLe / 2.0;
  switch (row) {
    case 2:
      v.pair = F(g.z2Bevel / g.z1Bevel, 6, 3);
      break;
    case 3:
      v.pair = AngleRad(g, g.Sigma);
      break;
    case 4:
      v.pinion = F(g.z1Bevel, 2, 0);
      v.wheel = F(g.z2Bevel, 2, 0);
      break;
    case 5:
      v.pair = F(g.mn, 6, 3);
      break;
    case 6:
      v.pair = F(g.mmt, 6, 3);
      break;
    case 7:
      v.pair = Angle(g, g.betaDeg);
      break;
    case 8:
      v.pair = F(g.b, 6, 3);
      break;
    case 9:
      v.pair = F(g.Le, 6, 3);
      break;
    case 10:
      both(g.x1, g.x2);
      break;
    case 11:
      both(g.x1 * g.mn, g.x2 * g.mn);
      break;
    case 12:
      v.pair = F85(g.xSum);
      break;
    case 13:
      both(g.dfe1, g.dfe2);
      break;
    case 14:
      both(g.de1, g.de2);
      break;
    case 15:
      both(g.dae1, g.dae2);
      break;
    case 16:
      both(meanToOuter * g.de1, meanToOuter * g.de2);
      break;
    case 17:
      both(g.dai1, g.dai2);
      break;
    case 18:
      both(g.sa1Bevel, g.sa2Bevel);
      break;
    case 19:
      both(g.sa1, g.sa2);
      break;
    case 20:
      both(g.hf1 * outer, g.hf2 * outer);
      break;
    case 21:
      both(g.ha1 * outer, g.ha2 * outer);
      break;
    case 22:
      both(g.h1 * outer, g.h2 * outer);
      break;
    case 23:
      v.pinion = AngleRad(g, g.deltaF1);
      v.wheel = AngleRad(g, g.deltaF2);
      break;
    case 24:
      v.pinion = AngleRad(g, g.delta1);
      v.wheel = AngleRad(g, g.delta2);
      break;
    case 25:
      v.pinion = AngleRad(g, g.deltaA1);
      v.wheel = AngleRad(g, g.deltaA2);
      break;
    case 26:
      v.pinion = F(g.b / g.de1, 6, 3);
      v.wheel = F(g.b / g.de2, 6, 3);
      break;
    case 27:
      v.pair = F(g.b / g.mn, 6, 3);
      break;
    case 28:
      v.pair = F(g.bToLe, 6, 3);
      break;
    case 29:
      v.pinion = F(std::cos(g.delta1) * g.b, 6, 3);
      v.wheel = F(std::cos(g.delta2) * g.b, 6, 3);
      break;
    case 30:
      v.pinion = F(g.z1, 3, 2);
      v.wheel = F(g.z2, 3, 2);
      break;
    case 31:
      both(g.d1, g.d2);
      break;
    case 32:
      v.pair = Angle(g, g.alphaWtDeg);
      break;
    case 33:
      both(g.thetaF1, g.thetaF2);
      break;
    case 34:
      both(g.thetaA1, g.thetaA2);
      break;
    case 35:
      v.pair = F85(g.epsAlpha);
      break;
    case 36:
      v.pair = F85(g.epsBeta);
      break;
    case 37:
      v.pair = F85(g.epsGamma);
      break;
    case 38:
      v.pinion = F(g.b / g.d1, 6, 3);
      v.wheel = F(g.b / g.d2, 6, 3);
      break;
    // Teeth of the crown gear that generates the pair.
    case 39:
      v.pair = F(g.z1Bevel / std::sin(g.delta1), 6, 3);
      break;
    case 40:
      v.pinion = F(1.0 / std::sin(g.delta1), 6, 3);
      v.wheel = F(1.0 / std::sin(g.delta2), 6, 3);
      break;
    case 41:
      both(g.haP1Star, g.haP2Star);
      break;
    case 42:
      both(g.cP1Star, g.cP2Star);
      break;
    case 43:
      both(g.rhofP1Star, g.rhofP2Star);
      break;
    case 44:
      v.pair = Angle(g, g.alphaPDeg);
      break;
    default:
      break;
  }
  return v;
}

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

TableSymbol RowSymbol(GearType gearType, int row) {
  TableSymbol s;
  const RowDef* def = FindRow(gearType, row);
  if (def == nullptr) return s;
  s.latin = def->latin;
  s.greek = def->greek;
  s.greekSecond = def->greekSecond;
  s.subscript = def->subscript;
  if (!s.subscript.empty() && s.subscript.back() == '*') {
    s.subscript.pop_back();
    s.star = true;
  }
  // The subscript follows its main letter; a wide letter pushes it right.
  if (s.latin == "m") s.subscriptX = 225;
  if (s.greek == "ψ") s.subscriptX = 224;
  if (s.latin == "x·m") s.latinX = 203;

  if (gearType == GearType::Bevel) {
    // "Σ x": the sum sign stands before the letter.
    if (row == 12) s.greekX = 206;
    return s;
  }
  switch (row) {
    case 2:
      s.latinX = 216;
      break;
    case 10:
      s.greekX = 210;
      break;
    case 17:
      s.latinX = 218;
      break;
    case 43:
    case 44:
      s.greekDy = 1;
      break;
    case 48:
      s.latinX = 197;
      s.subscriptX = 207;
      break;
    case 49:
    case 50:
      s.latinX = 197;
      s.greekX = 206;
      s.greekDy = 9;
      s.greekPt = 7;
      s.subscriptX = 214;
      break;
    case 55:
    case 62:
      s.latinX = 210;
      break;
    case 57:
      s.latinX = 209;
      s.subscriptX = 218;
      break;
    case 66:
      s.greekX = 213;
      break;
    case 69:
      s.latinX = 204;
      break;
    case 70:
      s.greekX = 204;
      break;
    case 71:
    case 74:
      s.latinX = 200;
      break;
    case 72:
    case 73:
      s.greekX = 200;
      break;
    case 75:
      s.latinX = 204;
      s.latinDy = 1;
      break;
    case 78:
      s.latinX = 213;
      break;
    default:
      break;
  }
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
  if (gearType == GearType::Bevel) {
    if (row == 28) return {"e", 67};
    if (row == 38) return {"vm", 67};
    return {};
  }
  if (row == 44) return {"n", 71};
  return {};
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
  const Values v = g.gearType == GearType::Bevel ? BevelValues(g, row) : CylindricalValues(g, row);
  const std::string& text = column == 2 ? v.pinion : column == 3 ? v.pair : v.wheel;
  return text.empty() ? text : FinishValueText(text);
}

// ------------------------------------------------------------ the table

void DimensionTable::Show(GearPair& g, std::string_view caption) {
  g.tablePrinting = false;
  FillFixedTexts(g, caption);
}

void DimensionTable::FillFixedTexts(const GearPair& g, std::string_view caption) {
  const bool bevel = g.gearType == GearType::Bevel;
  // Units are rewritten from scratch: an angle row in degrees-minutes-seconds
  // has none.
  const int firstCleared = bevel ? 3 : 7;
  const int lastCleared = bevel ? 44 : 73;
  for (int row = firstCleared; row <= lastCleared; ++row) stored_[row][1].clear();

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
    if (def.unit != Unit::kNone) stored_[row][1] = UnitText(def.unit, g.dmsMode);
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
  cell.pairSigma = g.gearType != GearType::Bevel && column == 3 && (row == 14 || row == 15);
  return cell;
}

// ------------------------------------------------------------ plain text

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
