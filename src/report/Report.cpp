// The findings list of the report window, one builder per gear type. Each
// builder walks its message table in index order, so errors (the lower
// indices) come before warnings and the paint order is the table order.
#include "report/Report.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "engine/Check.h"
#include "model/NumberText.h"

namespace kolmira {

namespace {

// ---- Message texts --------------------------------------------------------

// Errors shared by the gear types.
constexpr const char* kTipsApart = " ! Kola jsou mimo sebe, mezera mezi hlavami = ";
constexpr const char* kPinionTipInRoot =
    " ! Kola jsou v sobě, hlava pastorku proniká pod patní kružnici kola";
constexpr const char* kWheelTipInRoot =
    " ! Kola jsou v sobě, hlava kola proniká pod patní kružnici pastorku";
constexpr const char* kNoTooth1 = " ! Pastorek neexistuje, má nulovou výšku zubu";
constexpr const char* kNoTooth2 = " ! Kolo neexistuje, má nulovou výšku zubu";
constexpr const char* kNoContact = " ! Nefunkční soukolí - součinitel trvání záběru     = ";
constexpr const char* kInterference1 =
    " ! Interference na patě pastorku, limitní hlavový průměr kola d         = ";
constexpr const char* kInterference1Rack =
    " ! Interference na patě pastorku, limitní výška hlavy zubu hřebene h         = ";
constexpr const char* kInterference2 =
    " ! Interference na patě kola, limitní hlavový průměr pastorku d         = ";
constexpr const char* kThinTip1 =
    " ! Tloušťka hlavy zubu pastorku je menší než 0.25 modulu - s    = ";
constexpr const char* kThinTip2 = " ! Tloušťka hlavy zubu kola je menší než 0.25 modulu - s    = ";
constexpr const char* kShortened1 =
    " ! Podřezání pastorku, které zkracuje funkční úsek evolventy, d         = ";
constexpr const char* kShortened1Rack =
    " ! Podřezání pastorku, které zkracuje funkční úsek evolventy, h         = ";
constexpr const char* kShortened2 =
    " ! Podřezání kola, které zkracuje funkční úsek evolventy, d         = ";
constexpr const char* kShortened2RackProtuberance =
    " ! Podřezání hřebene, které zkracuje funkční úsek evolv.  d         = ";

// Errors of an internal pair.
constexpr const char* kRingBaseAboveTip = " ! Základní kružnice věnce (";
constexpr const char* kRingBaseAboveTipMiddle = ") leží nad jeho hlavovou kružnicí (";
constexpr const char* kCutterTooLarge =
    " ! Počet zubů nástroje Fellow musí být alespoň o 1 menší než počet zubů kola";
constexpr const char* kTipInterference = " ! Interference na hlavách";
constexpr const char* kTipInterferenceInfeed =
    " ! Interference na hlavách při vřezu nástroje (při současném odvalování)";
constexpr const char* kTipTrimming =
    " ! Seřezávání hlav kola patou nástroje, limitní hlavový průměr kola d         = ";
constexpr const char* kCutterTipNegative =
    " ! Tloušťka hlavy zubu nástroje Fellow je menší než nula - s    = ";

// Errors of a bevel pair.
constexpr const char* kBevelInterference1 = " ! Interference na patě pastorku";
constexpr const char* kBevelInterference2 = " ! Interference na patě kola";
constexpr const char* kFaceWiderThanCone =
    " ! Nemožný tvar kol, šířka b je větší než površka kužele L  = ";
constexpr const char* kSpiralTooSteep = " ! Překročen max. sklon zubů ß na středním průměru - ";

// Warnings.
constexpr const char* kContactPoor = "Celkový součinitel trvání záběru je nevyhovující -      = ";
constexpr const char* kContactLow = "Celkový součinitel trvání záběru je nízký -      = ";
constexpr const char* kProtuberance1 = "Pastorek je protuberančně podřezán";
constexpr const char* kProtuberance2 = "Kolo je protuberančně podřezáno";
constexpr const char* kProtuberanceRack = "Hřeben je protuberančně podřezán";
constexpr const char* kUndercut1 = "Pastorek je podřezán, mezní počet zubů z          = ";
constexpr const char* kUndercut2 = "Kolo je podřezáno, mezní počet zubů z          = ";
constexpr const char* kUndercutShift = ",  mezní korekce x         = ";
constexpr const char* kClearance1 = "Hlavová vůle pastorku je menší než 0.25 modulu - c   = ";
constexpr const char* kClearance2 = "Hlavová vůle kola je menší než 0.25 modulu - c   = ";
constexpr const char* kBevelClearance1 = "Hlavová vůle pastorku je menší než  0.2  modulu - c   = ";
constexpr const char* kBevelClearance2 = "Hlavová vůle kola je menší než  0.2  modulu - c   = ";
constexpr const char* kTipThickness1 =
    "Tloušťka hlavy zubu pastorku je menší než 0.4 modulu - s     = ";
constexpr const char* kTipThickness2 =
    "Tloušťka hlavy zubu kola je menší než 0.4 modulu - s     = ";
constexpr const char* kSlidingRoot1 =
    "Nebezpečně vysoká hodnota měrného skluzu na patě pastorku -   ";
constexpr const char* kSlidingTip1 =
    "Nebezpečně vysoká hodnota měrného skluzu na hlavě pastorku -   ";
constexpr const char* kSlidingRoot2 = "Nebezpečně vysoká hodnota měrného skluzu na patě kola -   ";
constexpr const char* kSlidingTip2 = "Nebezpečně vysoká hodnota měrného skluzu na hlavě kola -   ";
constexpr const char* kAssemblyGap =
    "Montážní interference (při radiálním zasouvání na mezeru věnce)";
constexpr const char* kAssemblyTooth =
    "Montážní interference (při radiálním zasouvání na zub věnce)";
constexpr const char* kCutterUndercut = "Zuby nástroje Fellow jsou podřezány";
constexpr const char* kBevelWidth = "Doporučená šířka tohoto kuž. kola se pohybuje od ";

// Shown in place of a limiting diameter or a specific sliding when the pair
// does not mesh (transverse contact ratio not positive): the limits of a
// contact that does not exist mean nothing.
constexpr const char* kNoValue = "---";

// ---- Thresholds of the report ---------------------------------------------
// The check flags tip clearance below 0.249 m; the report quotes 0.25 m.
constexpr double kThinTipLimit = 0.25;    // x m: error below, warning from here
constexpr double kTipWarnLimit = 0.4;     // x m: warning below
constexpr double kClearanceLimit = 0.25;  // x m, quoted in the clearance warning
constexpr double kBevelClearanceLimit = 0.2;
constexpr double kContactPoorLimit = 1.2;          // total contact ratio up to this: unsatisfactory
constexpr double kContactLowLimit = 1.4;           // and up to this: low
constexpr double kSlidingLimit = 2.0;              // |specific sliding| above this is dangerous
constexpr double kCutterTipTolerance = 0.0000001;  // a cutter tip of -1e-7 mm counts as sharp
// Recommended face width of a bevel gear as a share of the cone distance.
constexpr double kBevelWidthMin = 0.25;
constexpr double kBevelWidthMax = 0.35;

// ---- Symbols ---------------------------------------------------------------

struct SymbolPlacement {
  const char* text;
  SymbolRole role;
  int x;
  int equalsSign;  // the symbol covers the blank run before this '=' (1st, 2nd)
};

// Total contact ratio epsilon-gamma: the letter and its subscript share the
// blank run before the '='.
SymbolPlacement Epsilon(int x) {
  return {"ε", SymbolRole::GreekLetter, x, 1};
}
SymbolPlacement Gamma(int x) {
  return {"γ", SymbolRole::GreekSubscript, x, 1};
}
SymbolPlacement Sub(const char* text, int x, int equalsSign = 1) {
  return {text, SymbolRole::Subscript, x, equalsSign};
}

int FontSize(SymbolRole role) {
  switch (role) {
    case SymbolRole::GreekLetter:
      return 12;
    case SymbolRole::GreekSubscript:
      return 8;
    case SymbolRole::Subscript:
      return 7;
  }
  return 7;
}

// Offset of the symbol's top from the line top. The subscripts that are a
// gear number ("1", "2min") sit one pixel lower than those that begin with a
// letter ("a1", "a2max", "a0"), so that both line up with the base letter.
int SymbolDy(SymbolRole role, const char* text) {
  switch (role) {
    case SymbolRole::GreekLetter:
      return -5;
    case SymbolRole::GreekSubscript:
      return 2;
    case SymbolRole::Subscript:
      return (text[0] >= '0' && text[0] <= '9') ? 4 : 3;
  }
  return 3;
}

// The blank run that ends at the n-th '=' of the text: [begin, begin + length).
void BlankRunBefore(const std::string& text, int n, std::size_t& begin, std::size_t& length) {
  std::size_t equals = std::string::npos;
  std::size_t from = 0;
  for (int i = 0; i < n; ++i) {
    equals = text.find('=', from);
    if (equals == std::string::npos) break;
    from = equals + 1;
  }
  if (equals == std::string::npos) {
    begin = text.size();
    length = 0;
    return;
  }
  begin = equals;
  while (begin > 0 && text[begin - 1] == ' ') --begin;
  length = equals - begin;
}

// ---- Numbers ---------------------------------------------------------------

std::string Num(double value, int width, int decimals) {
  return FormatFixed(value, width, decimals);
}

std::string NumOrNone(double value, int width, int decimals, bool none) {
  return none ? std::string(kNoValue) : FormatFixed(value, width, decimals);
}

// ---- The list ------------------------------------------------------------

class LineList {
 public:
  void Error(int k, std::string text, std::initializer_list<SymbolPlacement> symbols = {}) {
    Add(k, std::move(text), ReportLineKind::Error, symbols);
  }
  void Warning(int k, std::string text, std::initializer_list<SymbolPlacement> symbols = {}) {
    Add(k, std::move(text), ReportLineKind::Warning, symbols);
  }

  std::vector<ReportLine> Finish() {
    if (lines_.empty()) {
      ReportLine line;
      line.k = 0;
      line.text = kPerfectPairText;
      line.kind = ReportLineKind::PerfectPair;
      line.colour = ReportColour::Green;
      line.bold = true;
      line.x = 0;
      line.y = kReportFirstLineY;
      lines_.push_back(std::move(line));
    }
    return std::move(lines_);
  }

 private:
  void Add(int k, std::string text, ReportLineKind kind,
           std::initializer_list<SymbolPlacement> symbols) {
    const bool error = kind == ReportLineKind::Error;
    ReportLine line;
    line.k = k;
    line.kind = kind;
    line.colour = error ? ReportColour::Red : ReportColour::Black;
    line.bold = error;
    line.x = error ? 0 : kReportWarningIndent;
    line.y = kReportFirstLineY + kReportLineHeight * static_cast<int>(lines_.size());
    for (const SymbolPlacement& place : symbols) {
      ReportSymbol symbol;
      symbol.text = place.text;
      symbol.role = place.role;
      symbol.fontSize = FontSize(place.role);
      symbol.dy = SymbolDy(place.role, place.text);
      symbol.x = place.x;
      BlankRunBefore(text, place.equalsSign, symbol.runBegin, symbol.runLength);
      line.symbols.push_back(std::move(symbol));
    }
    line.text = std::move(text);
    lines_.push_back(std::move(line));
  }

  std::vector<ReportLine> lines_;
};

// ---- Pieces shared by the builders ------------------------------------------

// Thin tip (error) of a gear: tip thickness below 0.25 m.
std::string ThinTipText(const char* text, double sa, double m) {
  return text + Num(sa, 7, 5) + " (<" + Num(kThinTipLimit * m, 7, 5) + ")";
}

// Total contact ratio below 1.4: unsatisfactory up to 1.2, low above.
void ContactRatioWarnings(LineList& list, const GearPair& g, int kPoor, int kLow) {
  const double eps = g.epsGamma;
  if (eps >= 1.0 && eps <= kContactPoorLimit) {
    list.Warning(kPoor, kContactPoor + Num(eps, 5, 4), {Epsilon(246), Gamma(253)});
  }
  if (eps > kContactPoorLimit && eps <= kContactLowLimit) {
    list.Warning(kLow, kContactLow + Num(eps, 5, 4), {Epsilon(208), Gamma(215)});
  }
}

// Undercut by the generating rack: limiting number of teeth and shift.
std::string UndercutText(const char* text, double zMin, double xMin) {
  return text + Num(zMin, 4, 2) + kUndercutShift + Num(xMin, 6, 5);
}

// Pinion undercut (external and internal pairs): a protuberance tool
// undercuts on purpose and gets its own words.
void PinionUndercutWarning(LineList& list, const GearPair& g, int k) {
  if (g.protuberance1) {
    list.Warning(k, kProtuberance1);
  } else if (g.undercut1) {
    list.Warning(k, UndercutText(kUndercut1, g.z1min, g.x1min),
                 {Sub("1min", 212, 1), Sub("1min", 364, 2)});
  }
}

std::string ClearanceText(const char* text, double c, int width, double limit) {
  return text + Num(c, width, 4) + "  (<" + Num(limit, 5, 4) + ")";
}

// Tip clearances of an external or internal pair (signed diameters make the
// same formula hold for a ring wheel).
void ClearanceWarnings(LineList& list, const GearPair& g, int k1, int k2) {
  const double m = g.mn;
  if (!g.clearanceOk1) {
    const double c = g.awEff - (g.df2 + g.da1) / 2.0;
    list.Warning(k1, ClearanceText(kClearance1, c, 5, kClearanceLimit * m), {Sub("1", 257)});
  }
  if (!g.clearanceOk2) {
    const double c = g.awEff - (g.df1 + g.da2) / 2.0;
    list.Warning(k2, ClearanceText(kClearance2, c, 5, kClearanceLimit * m), {Sub("2", 237)});
  }
}

// Tip thickness from 0.25 m up to (not including) 0.4 m.
void TipThicknessWarnings(LineList& list, double sa1, double sa2, double m, int k1, int k2) {
  const double low = kThinTipLimit * m;
  const double high = kTipWarnLimit * m;
  if (sa1 >= low && sa1 < high) {
    list.Warning(k1, kTipThickness1 + Num(sa1, 7, 5) + "  (<" + Num(high, 7, 5) + ")",
                 {Sub("a1", 284)});
  }
  if (sa2 >= low && sa2 < high) {
    list.Warning(k2, kTipThickness2 + Num(sa2, 7, 5) + "  (<" + Num(high, 7, 5) + ")",
                 {Sub("a2", 263)});
  }
}

// Specific sliding at the pinion root and tip, the wheel root and tip.
void SlidingWarnings(LineList& list, const GearPair& g, int kFirst) {
  const bool none = g.epsAlpha <= 0.0;
  const struct {
    const char* text;
    double theta;
  } rows[] = {{kSlidingRoot1, g.thetaF1},
              {kSlidingTip1, g.thetaA1},
              {kSlidingRoot2, g.thetaF2},
              {kSlidingTip2, g.thetaA2}};
  int k = kFirst;
  for (const auto& row : rows) {
    if (std::abs(row.theta) > kSlidingLimit) {
      list.Warning(k, row.text + NumOrNone(row.theta, 4, 3, none));
    }
    ++k;
  }
}

// ---- External pair, including a pinion meshing with a rack -----------------

std::vector<ReportLine> ExternalLines(const GearPair& g) {
  LineList list;
  const double m = g.mn;
  const bool none = g.epsAlpha <= 0.0;

  if (g.tipsApart) list.Error(1, kTipsApart + Num(g.awEff - (g.da1 + g.da2) / 2.0, 5, 4));
  if (!g.rackMode && g.awEff - (g.df2 + g.da1) / 2.0 < 0.0) list.Error(2, kPinionTipInRoot);
  if (!g.rackMode && g.awEff - (g.df1 + g.da2) / 2.0 < 0.0) list.Error(3, kWheelTipInRoot);
  if (g.noTooth1) list.Error(4, kNoTooth1);
  if (g.noTooth2) list.Error(5, kNoTooth2);
  // A check stopped at the basic limits computed no meshing quantities:
  // their lines would show an earlier pair's values.
  const bool meshed = !CheckStoppedEarly(g);
  if (meshed && g.epsGamma < 1.0)
    list.Error(6, kNoContact + Num(g.epsGamma, 5, 4), {Epsilon(265), Gamma(272)});
  // Against a rack the limit is the rack's addendum, which exists even when
  // the pair does not mesh.
  if (g.interference1) {
    if (g.rackMode) {
      list.Error(7, kInterference1Rack + Num(g.haLimRack, 5, 4), {Sub("a2max", 388)});
    } else {
      list.Error(7, kInterference1 + NumOrNone(g.da2Lim, 5, 4, none), {Sub("a2max", 354)});
    }
  }
  if (g.interference2) {
    list.Error(8, kInterference2 + NumOrNone(g.da1Lim, 5, 4, none), {Sub("a1max", 354)});
  }
  if (g.thinTip1) list.Error(9, ThinTipText(kThinTip1, g.sa1, m), {Sub("a1", 348)});
  if (g.thinTip2) list.Error(10, ThinTipText(kThinTip2, g.sa2, m), {Sub("a2", 323)});
  if (meshed && g.shortened1) {
    if (g.rackMode) {
      list.Error(11, kShortened1Rack + Num(g.haLimRack, 5, 4), {Sub("a2max", 366)});
    } else {
      list.Error(11, kShortened1 + NumOrNone(g.da2Lim, 5, 4, none), {Sub("a2max", 366)});
    }
  }
  if (meshed && g.shortened2) {
    const char* text = g.rackMode && g.protuberance2 ? kShortened2RackProtuberance : kShortened2;
    list.Error(12, text + NumOrNone(g.da1Lim, 5, 4, none), {Sub("a1max", 342)});
  }

  if (meshed) ContactRatioWarnings(list, g, 13, 14);
  PinionUndercutWarning(list, g, 15);
  if (g.protuberance2) {
    list.Warning(16, g.rackMode ? kProtuberanceRack : kProtuberance2);
  } else if (g.undercut2) {
    list.Warning(16, UndercutText(kUndercut2, g.z2min, g.x2min),
                 {Sub("2min", 198, 1), Sub("2min", 350, 2)});
  }
  ClearanceWarnings(list, g, 17, 18);
  if (meshed) {
    TipThicknessWarnings(list, g.sa1, g.sa2, m, 19, 20);
    SlidingWarnings(list, g, 21);
  }
  return list.Finish();
}

// ---- Internal pair: pinion in a ring cut by a Fellows shaper cutter ----------
// Diameters of the ring and the centre distance are negative; the formulas
// of the external pair hold with them unchanged.

std::vector<ReportLine> InternalLines(const GearPair& g) {
  LineList list;
  const double m = g.mn;
  const bool none = g.epsAlpha <= 0.0;

  if (g.tipsApart) list.Error(1, kTipsApart + Num(g.awEff - (g.da1 + g.da2) / 2.0, 5, 4));
  if (g.awEff - (g.df2 + g.da1) / 2.0 < 0.0) list.Error(2, kPinionTipInRoot);
  if (g.awEff - (g.df1 + g.da2) / 2.0 < 0.0) list.Error(3, kWheelTipInRoot);
  if (g.noTooth1) list.Error(4, kNoTooth1);
  if (g.ringBaseAboveTip) {
    list.Error(
        5, kRingBaseAboveTip + Num(g.db2, 5, 3) + kRingBaseAboveTipMiddle + Num(g.da2, 5, 3) + ")");
  } else if (g.noTooth2) {
    list.Error(5, kNoTooth2);
  }
  if (g.z0 >= std::abs(g.z2)) list.Error(6, kCutterTooLarge);
  // With the ring's base circle above its tip, or any other stop at the
  // basic limits, no contact ratio was computed: the previous run's would
  // be shown.
  const bool meshed = !CheckStoppedEarly(g);
  if (meshed && g.epsGamma < 1.0) {
    list.Error(7, kNoContact + Num(g.epsGamma, 5, 4), {Epsilon(265), Gamma(272)});
  }
  if (g.interference1) {
    list.Error(8, kInterference1 + NumOrNone(g.da2Lim, 7, 5, none), {Sub("a2max", 354)});
  }
  if (g.interference2) list.Error(9, kInterference2 + Num(g.da1Lim, 7, 5), {Sub("a1max", 354)});
  if (g.tipInterference) list.Error(10, kTipInterference);
  if (g.tipInterferenceInfeed) list.Error(11, kTipInterferenceInfeed);
  if (g.tipTrimming) list.Error(12, kTipTrimming + Num(g.da2Trim, 7, 5), {Sub("a2max", 391)});
  if (g.thinTip1) list.Error(13, ThinTipText(kThinTip1, g.sa1, m), {Sub("a1", 348)});
  if (g.thinTip2) list.Error(14, ThinTipText(kThinTip2, g.sa2, m), {Sub("a2", 323)});
  if (g.sa0 < -kCutterTipTolerance) {
    list.Error(15, kCutterTipNegative + Num(g.sa0, 7, 5), {Sub("a0", 339)});
  }
  if (meshed && g.shortened1) {
    list.Error(16, kShortened1 + Num(g.da2Lim, 7, 5), {Sub("a2max", 366)});
  }

  if (g.assemblyGap) list.Warning(17, kAssemblyGap);
  if (g.assemblyTooth) list.Warning(18, kAssemblyTooth);
  if (meshed) ContactRatioWarnings(list, g, 19, 20);
  PinionUndercutWarning(list, g, 21);
  ClearanceWarnings(list, g, 22, 23);
  if (meshed) {
    TipThicknessWarnings(list, g.sa1, g.sa2, m, 24, 25);
    SlidingWarnings(list, g, 26);
  }
  if (g.alphaFf0 < 0.0) list.Warning(30, kCutterUndercut);
  return list.Finish();
}

// ---- Bevel pair, on its virtual (back-cone) spur pair ------------------------

std::vector<ReportLine> BevelLines(const GearPair& g) {
  LineList list;
  const double m = g.mn;

  if (g.tipsApart) list.Error(1, kTipsApart + Num(g.aw - (g.da1 + g.da2) / 2.0, 5, 4));
  if (g.aw - (g.df2 + g.da1) / 2.0 < 0.0) list.Error(2, kPinionTipInRoot);
  if (g.aw - (g.df1 + g.da2) / 2.0 < 0.0) list.Error(3, kWheelTipInRoot);
  if (g.noTooth1) list.Error(4, kNoTooth1);
  if (g.noTooth2) list.Error(5, kNoTooth2);
  const bool meshed = !CheckStoppedEarly(g);
  if (meshed && g.epsGamma < 1.0)
    list.Error(6, kNoContact + Num(g.epsGamma, 5, 4), {Epsilon(265), Gamma(272)});
  // An undercut gear is reported by its undercut warning instead.
  if (g.interference1 && !g.undercut1) list.Error(7, kBevelInterference1);
  if (g.interference2 && !g.undercut2) list.Error(8, kBevelInterference2);
  // Bevel tips are judged at the outer end of the face.
  if (g.thinTip1) list.Error(9, ThinTipText(kThinTip1, g.sa1Bevel, m), {Sub("a1", 348)});
  if (g.thinTip2) list.Error(10, ThinTipText(kThinTip2, g.sa2Bevel, m), {Sub("a2", 323)});
  if (g.b > g.Le) list.Error(11, kFaceWiderThanCone + Num(g.Le, 1, 1));
  if (g.betaDeg > g.betaMax) {
    list.Error(12, kSpiralTooSteep + Num(g.betaDeg, 7, 5) + "°> " + Num(g.betaMax, 7, 5));
  }

  if (meshed) ContactRatioWarnings(list, g, 13, 14);
  // Limiting numbers of teeth of the real bevel gears: the virtual number
  // times the cosine of the pitch cone angle.
  if (g.undercut1) {
    list.Warning(15, UndercutText(kUndercut1, g.z1min * std::cos(g.delta1), g.x1min),
                 {Sub("1min", 212, 1), Sub("1min", 364, 2)});
  }
  if (g.undercut2) {
    list.Warning(16, UndercutText(kUndercut2, g.z2min * std::cos(g.delta2), g.x2min),
                 {Sub("2min", 196, 1), Sub("2min", 350, 2)});
  }
  // The clearance of a bevel pair is that of its basic rack.
  if (!g.clearanceOk1) {
    list.Warning(17, ClearanceText(kBevelClearance1, g.cP1Star * m, 5, kBevelClearanceLimit * m),
                 {Sub("1", 257)});
  }
  if (!g.clearanceOk2) {
    list.Warning(18, ClearanceText(kBevelClearance2, g.cP2Star * m, 4, kBevelClearanceLimit * m),
                 {Sub("2", 237)});
  }
  if (meshed) {
    TipThicknessWarnings(list, g.sa1Bevel, g.sa2Bevel, m, 19, 20);
    SlidingWarnings(list, g, 21);
  }
  if (g.b < kBevelWidthMin * g.Le || g.b > kBevelWidthMax * g.Le) {
    list.Warning(25, kBevelWidth + Num(kBevelWidthMin * g.Le, 1, 1) + " do " +
                         Num(kBevelWidthMax * g.Le, 1, 1) + " [mm]");
  }
  return list.Finish();
}

}  // namespace

std::vector<ReportLine> ReportLines(const GearPair& g) {
  switch (g.gearType) {
    case GearType::Internal:
      return InternalLines(g);
    case GearType::Bevel:
      return BevelLines(g);
    case GearType::External:
      break;
  }
  return ExternalLines(g);
}

FindingMask ReportFindings(const GearPair& g) {
  FindingMask mask = 0;
  for (const ReportLine& line : ReportLines(g)) {
    if (line.kind != ReportLineKind::PerfectPair && line.k >= 0 && line.k < 64) {
      mask |= FindingMask{1} << line.k;
    }
  }
  return mask;
}

ReportLayout MeasureReport(const std::vector<ReportLine>& lines, TextWidth width) {
  ReportLayout layout;
  layout.W = width(kPerfectPairText, /*bold=*/true);
  int y = 0;
  for (const ReportLine& line : lines) {
    if (line.kind == ReportLineKind::PerfectPair) continue;
    y += kReportLineHeight;
    layout.W = std::max(layout.W, width(line.text, line.bold));
  }
  layout.H = y == 0 ? kReportEmptyHeight : y;
  layout.windowWidth = layout.W + 38;
  layout.windowHeight = layout.H + 95;
  layout.paintWidth = layout.W + 19;
  layout.paintHeight = layout.H + 13;
  return layout;
}

Report BuildReport(const GearPair& g, TextWidth width) {
  Report report;
  report.lines = ReportLines(g);
  report.layout = MeasureReport(report.lines, width);
  return report;
}

std::string LineAsText(const ReportLine& line) {
  std::string out;
  std::size_t at = 0;
  const auto& symbols = line.symbols;
  for (std::size_t i = 0; i < symbols.size();) {
    const std::size_t begin = std::max(symbols[i].runBegin, at);
    out.append(line.text, at, begin - at);
    // A Greek letter stands as a word of its own; a subscript joins the
    // letter before its run ("d" + "a2max").
    if (symbols[i].role == SymbolRole::GreekLetter) out += ' ';
    std::size_t j = i;
    for (; j < symbols.size() && symbols[j].runBegin == symbols[i].runBegin; ++j) {
      out += symbols[j].text;
    }
    out += ' ';
    at = std::min(line.text.size(), begin + symbols[i].runLength);
    i = j;
  }
  out.append(line.text, at, std::string::npos);
  return out;
}

std::string ReportAsText(const std::vector<ReportLine>& lines) {
  std::string out;
  for (const ReportLine& line : lines) {
    out += LineAsText(line);
    out += '\n';
  }
  return out;
}

}  // namespace kolmira
