// The bounds of every input with the message of its field.
#include "engine/InputBounds.h"

#include <cmath>

#include "engine/Involute.h"
#include "engine/PairGeometry.h"
#include "engine/ShaperCutter.h"
#include "model/NumberText.h"

namespace kolmira {

namespace {

std::string Number(double v) {
  return FormatFixed(v, 0, v == std::trunc(v) ? 0 : 2);
}

// "… vol v rozsahu od LO do HI" after the field's lead.
std::string Range(const char* lead, double lo, double hi, const char* unit = "") {
  return std::string(lead) + " v rozsahu od " + Number(lo) + " do " + Number(hi) + unit;
}

bool Whole(double v) {
  return v == std::trunc(v);
}

Refusal ModuleRefusal(double v) {
  if (v <= 0.0) return "Modul vol větší než 0";
  if (!(v >= kModuleMin && v <= kModuleMax)) return Range("Modul vol", kModuleMin, kModuleMax);
  return {};
}

Refusal PinionTeethRefusal(double v) {
  if (!Whole(v)) return kTeethNotWhole;
  if (v < 4.0) return "Počet zubů pastorku vol větší než 3";
  if (v > kTeethMax) return Range("Počet zubů pastorku vol", 4.0, kTeethMax);
  return {};
}

Refusal WheelTeethRefusal(const GearPair& g, double v) {
  if (!Whole(v)) return kTeethNotWhole;
  if (g.gearType != GearType::Internal) {
    if (v < 4.0) return "Počet zubů kola vol větší než 3";
    if (v > kTeethMax) return Range("Počet zubů kola vol", 4.0, kTeethMax);
    return {};
  }
  if (v > 0.0) return "Počet zubů korunového kola vol záporný";
  if (v > -4.0) return "Počet zubů korunového kola vol menší než -3";
  if (v < -kTeethMax) return Range("Počet zubů korunového kola vol", -kTeethMax, -4.0);
  return {};
}

Refusal HelixRefusal(const GearPair& g, double v) {
  if (v < 0.0 || v > g.betaMax) {
    const char* lead = g.gearType == GearType::Bevel ? kBevelHelixTooLarge : "Úhel ß vol od 0 do ";
    return std::string(lead) + FormatFixed(g.betaMax, 6, 4) + "°." + " ";
  }
  return {};
}

Refusal FaceWidthRefusal(const GearPair& g, double v) {
  if (v <= 0.0) return "Šířka zubů musí být větší než 0.";
  if (v > kLengthMax) return Range("Šířku zubů vol", 0.0, kLengthMax);
  if (g.gearType == GearType::Bevel && v > g.Le) {
    return "Šířka b je větší než délka površky roztečného kužele Le=" + FormatFixed(g.Le, 5, 3) +
           "." + " ";
  }
  return {};
}

// The limiting shift sum of the pair's numbers of teeth: a smaller sum
// (a larger one for a ring) leaves teeth that cross each other.
Refusal ShiftSumLimitRefusal(const GearPair& g, double sum) {
  const double xmez = LimitingShiftSum(g.z1 + g.z2, g.alphaT, g.alphaP);
  const bool refused = g.gearType == GearType::Internal ? !(xmez + kShiftSumTolerance > sum)
                                                        : xmez - kShiftSumTolerance >= sum;
  if (refused) {
    return "Nemožný součet jednotkových korekcí x1+x2  (xmez= " + FormatFixed(xmez, 8, 5) + ")" +
           " ";
  }
  return {};
}

Refusal ShiftSumRefusal(const GearPair& g, double v) {
  if (auto limit = ShiftSumLimitRefusal(g, v)) return limit;
  if (v < -15.0 || v > 10.0) return "Součet korekcí vol v rozsahu od -15 do 10";
  return {};
}

Refusal ShiftRefusal(const GearPair& g, int field, double v) {
  const bool pinion = field == 7;
  if (!g.shiftNotDistributed) {
    if (auto limit = ShiftSumLimitRefusal(g, pinion ? v + g.x2 : g.x1 + v)) return limit;
  }
  if (v < -15.0 || v > 8.0) {
    return pinion ? "Korekci pastorku vol v rozsahu od -15 do 8"
                  : "Korekci kola vol v rozsahu od -15 do 8";
  }
  return {};
}

Refusal CentreDistanceRefusal(const GearPair& g, double v) {
  if (g.gearType == GearType::Internal) {
    if (v >= 0.0) return "Pracovní osovou vzdálenost zadej zápornou";
    if (v < -kLengthMax) return Range("Pracovní osovou vzdálenost vol", -kLengthMax, 0.0);
    return {};
  }
  if (v <= 0.0) return "Pracovní osovou vzdálenost vol větší než 0";
  if (v > kLengthMax) return Range("Pracovní osovou vzdálenost vol", 0.0, kLengthMax);
  return {};
}

Refusal WorkingAngleRefusal(double v) {
  if (v <= 0.0) return "Valivý úhel záběru vol větší než 0°";
  // At 90 degrees and beyond the working circles and the centre distance
  // are infinite or negative.
  if (v >= 90.0) return "Valivý úhel záběru vol menší než 90°";
  if (v < kWorkingAngleMin) return Range("Valivý úhel záběru vol", kWorkingAngleMin, 90.0, "°");
  return {};
}

Refusal ProfileCoefficientRefusal(const GearPair& g, int field, double v) {
  const double partner = field == 11   ? g.cP1Star
                         : field == 12 ? g.cP2Star
                         : field == 13 ? g.haP1Star
                                       : g.haP2Star;
  const double bound = kPi / 4.0 / std::tan(g.alphaP) - partner;
  if (v < 0.0 || v > bound) {
    const char* lead = field == 11   ? "Poměrnou výšku hlavy pastorku vol v rosahu od 0 do "
                       : field == 12 ? "Poměrnou výšku hlavy kola vol v rosahu od 0 do "
                       : field == 13 ? "Poměrnou výšku hlavové vůle pastorku vol od 0 do "
                                     : "Poměrnou výšku hlavové vůle kola vol od 0 do ";
    return lead + FormatFixed(bound, 6, 4) + " ";
  }
  return {};
}

// The ring's root is rounded by the shaper cutter's tip: at most the
// cutter's fully rounded tip.
Refusal RingFilletRefusal(const GearPair& g, double v) {
  const double largest = CutterLargestTipRadius(g);
  if (v < 0.0 || v > largest + kRadiusMargin) {
    return "Poměrný rádius zaoblení paty kola vol v rozsahu od 0 do " + FormatFixed(largest, 6, 4) +
           " (kruhová pata)" + " ";
  }
  return {};
}

Refusal ProfileAngleRefusal(double v) {
  if (!(v > 0.0 && v <= 50.0)) return "Úhel profilu vol větší než 0 až do 50°";
  if (v < kProfileAngleMin) return Range("Úhel profilu vol", kProfileAngleMin, 50.0, "°");
  return {};
}

Refusal TipDiameterRefusal(const GearPair& g, int field, double v) {
  if (field == 18) {
    if (v <= 0.0) return "Průměr hlavové kružnice pastorku vol větší než 0";
    if (v > kLengthMax) return Range("Průměr hlavové kružnice pastorku vol", 0.0, kLengthMax);
    return {};
  }
  if (g.rackMode) {
    const double bound = kPi * g.mn / (4.0 * std::tan(g.alphaP));
    if (v < 0.0 || v > bound) {
      return "Výšku hlavy zubu hřebene vol od 0 do " + FormatFixed(bound, 6, 4) + " mm";
    }
    return {};
  }
  if (g.gearType == GearType::Internal) {
    if (v >= 0.0) return "Průměr hlavové kružnice korunového kola zadej záporný";
    if (v < -kLengthMax) {
      return Range("Průměr hlavové kružnice korunového kola vol", -kLengthMax, 0.0);
    }
    return {};
  }
  if (v <= 0.0) return "Průměr hlavové kružnice kola vol větší než 0";
  if (v > kLengthMax) return Range("Průměr hlavové kružnice kola vol", 0.0, kLengthMax);
  return {};
}

Refusal ShaftAngleRefusal(double v) {
  if (!(v > 0.0 && v < 180.0)) return "Úhel os vol větší než 0 a menší než 180°";
  if (v < kShaftAngleMin || v > kShaftAngleMax) {
    return Range("Úhel os vol", kShaftAngleMin, kShaftAngleMax, "°");
  }
  return {};
}

Refusal BacklashRefusal(const GearPair& g, double v) {
  if (v < 0.0) return "Boční vůle musí být kladná.";
  if (v > g.mn) return "Boční vůle musí být menší než velikost modulu.";
  return {};
}

}  // namespace

Refusal FieldRefusal(const GearPair& g, int field, double value) {
  if (std::isnan(value)) return kNotFinite;
  switch (field) {
    case 1:
      return ModuleRefusal(value);
    case 2:
      return PinionTeethRefusal(value);
    case 3:
      return WheelTeethRefusal(g, value);
    case 4:
      return HelixRefusal(g, value);
    case 5:
      return FaceWidthRefusal(g, value);
    case 6:
      return ShiftSumRefusal(g, value);
    case 7:
    case 8:
      return ShiftRefusal(g, field, value);
    case 9:
      return CentreDistanceRefusal(g, value);
    case 10:
      return WorkingAngleRefusal(value);
    case 11:
    case 12:
    case 13:
    case 14:
      return ProfileCoefficientRefusal(g, field, value);
    case 16:
      if (g.gearType == GearType::Internal) return RingFilletRefusal(g, value);
      return {};
    case 17:
      return ProfileAngleRefusal(value);
    case 18:
    case 19:
      return TipDiameterRefusal(g, field, value);
    case 20:
      return ShaftAngleRefusal(value);
    case 21:
      return BacklashRefusal(g, value);
    default:
      return {};
  }
}

Refusal FilletRefusal(const GearPair& g, int field, double value) {
  const bool pinion = field == 15;
  if (!pinion && g.gearType == GearType::Internal) return RingFilletRefusal(g, value);
  // The full round root that the mating gear's tool leaves.
  const double full = pinion ? FullRoundRootRadius(g.alphaP, g.haP2Star + g.cP2Star)
                             : FullRoundRootRadius(g.alphaP, g.haP1Star + g.cP1Star);
  if (value < 0.0 || value > full + kRadiusMargin || std::isnan(value)) {
    return std::string(pinion ? "Poměrný rádius zaoblení paty pastorku vol v rozsahu od 0 do "
                              : "Poměrný rádius zaoblení paty kola vol v rozsahu od 0 do ") +
           FormatFixed(full, 6, 4) + "\r" + " ";
  }
  return {};
}

// ---------------------------------------------------------------------------
// The shaper cutter

Refusal CutterTeethRefusal(const GearPair& g, double z0) {
  if (!Whole(z0)) return kTeethNotWhole;
  if (z0 < 4.0) return "Počet zubů nástroje Fellow vol větší než 3";
  if (z0 >= std::fabs(g.z2))
    return "Počet zubů nástroje Fellow vol alespoň o 1 méně než počet zubů kola";
  return {};
}

Refusal CutterShiftRefusal(double x0) {
  if (!(x0 >= -2.0 && x0 <= 3.0)) return "Korekci nástroje vol v rozsahu od -2 do 3";
  return {};
}

Refusal CutterRootRadiusRefusal(const GearPair& g, double rhof0Star) {
  // A full round root between the cutter's flanks, as deep as the ring's
  // addendum plus clearance.
  const double largest = FullRoundRootRadius(g.alphaP, g.haP2Star + g.cP2Star);
  if (!(rhof0Star >= 0.0 && rhof0Star <= largest + kRadiusMargin)) {
    return "Poměrný rádius zaoblení paty nástroje vol v rozsahu od 0 do " +
           FormatFixed(largest, 6, 4);
  }
  return {};
}

double CutterLargestTipRadius(const GearPair& g) {
  if (!(g.mn > 0.0) || g.z0 <= 0) return 0.0;
  GearPair cutter = g;
  CutterBaseGeometry(cutter);
  return CutterMaxTipRadius(cutter) / g.mn;
}

Refusal CutterTipRadiusRefusal(const GearPair& g, double rhoa0Star) {
  const double largest = CutterLargestTipRadius(g);
  if (!(rhoa0Star >= 0.0 && rhoa0Star <= largest + kRadiusMargin)) {
    return "Poměrný rádius zaoblení hlavy nástroje vol v rozsahu od 0 do " +
           FormatFixed(largest, 6, 4) + " (plně zaoblená hlava)";
  }
  return {};
}

// ---------------------------------------------------------------------------
// The rack tools

Refusal ToolAddendumRefusal(const GearPair& g, int tool, double haP0Star) {
  const double largest = kPi / 4.0 / std::tan(g.alphaP);
  if (!(haP0Star > 0.0 && haP0Star <= largest)) {
    return std::string(
               tool == 2
                   ? "Poměrnou výšku hlavy nástroje pro výrobu kola vol v rozsahu od 0 do "
                   : "Poměrnou výšku hlavy nástroje pro výrobu pastorku vol v rozsahu od 0 do ") +
           FormatFixed(largest, 6, 4);
  }
  return {};
}

Refusal ToolTipRadiusRefusal(const GearPair& g, int tool, double rhoaP0Star) {
  const double largest = FullRoundRootRadius(g.alphaP, tool == 2 ? g.haP02Star : g.haP01Star);
  if (!(rhoaP0Star >= 0.0 && rhoaP0Star <= largest + kRadiusMargin)) {
    return std::string(
               tool == 2
                   ? "Poměrný rádius zaoblení hlavy nástroje pro výrobu kola vol od 0 do "
                   : "Poměrný rádius zaoblení hlavy nástroje pro výrobu pastorku vol od 0 do ") +
           FormatFixed(largest, 6, 4);
  }
  return {};
}

Refusal ChamferHeightRefusal(const GearPair& g, int tool, double hFfP0Star) {
  // The chamfer starts within the addendum of the gear the tool cuts.
  const double addendum = tool == 2 ? g.haP2Star : g.haP1Star;
  if (!(hFfP0Star > 0.0 && hFfP0Star <= addendum)) {
    const char* lead =
        tool == 2
            ? "Poměrnou výšku patní části tvořícího ostří nástroje pro výrobu evolventy kola"
            : "Poměrnou výšku patní části tvořícího ostří nástroje pro výrobu evolventy pastorku";
    return std::string(lead) + "\r" + "vol větší než 0 do hodnoty" + FormatFixed(addendum, 6, 4) +
           (tool == 2 ? " (ha2*)." : " (ha1*).");
  }
  return {};
}

Refusal ChamferAngleRefusal(const GearPair& g, int tool, double alphaKP0Deg) {
  // The chamfering edge is steeper than the flank and not at right angles.
  const double alphaKP0 = alphaKP0Deg * kDegToRad;
  if (!(alphaKP0 >= g.alphaP + kChamferAngleMargin && alphaKP0 <= kChamferAngleMax)) {
    const char* lead = tool == 2 ? "Úhel profilu ostří nástroje pro srážení hrany hlavy kola"
                                 : "Úhel profilu ostří nástroje pro srážení hrany hlavy pastorku";
    return std::string(lead) + "\r" + "vol větší než " + FormatFixed(g.alphaPDeg, 7, 4) +
           "° (alfan) do hodnoty 90°.";
  }
  return {};
}

Refusal ProtuberanceHeightRefusal(int tool, double haP0Star, double hFaP0Star) {
  if (!(hFaP0Star > 0.0 && hFaP0Star < haP0Star)) {
    const char* lead =
        tool == 2
            ? "Jednotkovou výšku hlavové části tvořícího ostří nástroje pro výrobu evolventy kola"
            : "Jednotkovou výšku hlavové části tvořícího ostří nástroje pro výrobu evolventy "
              "pastorku";
    return std::string(lead) + "\r" + "vol větší než 0 do" + FormatFixed(haP0Star, 7, 4) +
           (tool == 2 ? " (haP02*)" : " (haP01*)");
  }
  return {};
}

Refusal ProtuberanceSizeRefusal(const GearPair& g, int tool, double prP0) {
  const double ha = tool == 2 ? g.haP02Star : g.haP01Star;
  const double hFa = tool == 2 ? g.hFaP02Star : g.hFaP01Star;
  const double largest = std::sin(g.alphaP) * (ha - hFa) * g.mn;
  if (!(prP0 > 0.0 && prP0 <= largest)) {
    const char* lead =
        tool == 2 ? "Velikost protuberance nástroje pro výrobu kola vol větší než 0 do "
                  : "Velikost protuberance nástroje pro výrobu pastorku vol větší než 0 do ";
    return std::string(lead) + FormatFixed(largest, 6, 4) + "[mm]" + "\r" +
           "(maximum platí pro ostrou hranu hlavy nástroje).";
  }
  return {};
}

bool AllFinite(const GearPair& g) {
#define KOLMIRA_FINITE_REAL(name) \
  if (!std::isfinite(g.name)) return false;
#define KOLMIRA_FINITE_SKIP(name)
  KOLMIRA_STATE_ALL(KOLMIRA_FINITE_REAL, KOLMIRA_FINITE_SKIP, KOLMIRA_FINITE_SKIP)
#undef KOLMIRA_FINITE_REAL
#undef KOLMIRA_FINITE_SKIP
  for (const auto* values : {&g.mnId, &g.alphaId, &g.betaId, &g.xId, &g.alphaTId}) {
    for (double v : *values) {
      if (!std::isfinite(v)) return false;
    }
  }
  return true;
}

}  // namespace kolmira
