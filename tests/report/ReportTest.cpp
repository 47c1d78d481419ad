// The findings list of the report window: which lines a state gives, their
// exact texts and numbers, the thresholds, the "---" rule, the symbols, the
// window sizes and the plain-text form. The states are set by hand the way
// the complete check leaves them.
#include "report/Report.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "TestPairs.h"
#include "engine/Check.h"
#include "model/NumberText.h"

namespace kolmira {
namespace {

// A pair as a check without findings leaves it: centre distance of the
// check, the meshing contact ratio of the standard 20/40 pair, tips of about
// 0.6 m, moderate specific sliding; a bevel face of 5 mm, within 0.25 to
// 0.35 of the cone distance (18.03 mm).
GearPair Faultless(int number) {
  const GearType gearType = test::TypeOf(number);
  GearPair g = gearType == GearType::Internal ? test::StandardInternalPair()
               : gearType == GearType::Bevel  ? test::StandardBevelPair()
                                              : test::StandardExternalPair();
  g.awEff = g.aw, g.alphaWtEff = g.alphaWt;
  g.epsAlpha = g.epsGamma = 1.6352;
  g.sa1 = g.sa2 = g.sa1Bevel = g.sa2Bevel = 0.6, g.thetaF1 = -1.5, g.thetaA1 = 0.6;
  g.thetaF2 = -1.1, g.thetaA2 = 0.5;
  if (gearType == GearType::Bevel) g.b = 5.0;
  return g;
}

// Message indices of the lines, in paint order.
std::vector<int> Indices(const std::vector<ReportLine>& lines) {
  std::vector<int> k;
  for (const ReportLine& line : lines) k.push_back(line.k);
  return k;
}

// The line of message k, or nullptr.
const ReportLine* Find(const std::vector<ReportLine>& lines, int k) {
  for (const ReportLine& line : lines) {
    if (line.k == k) return &line;
  }
  return nullptr;
}

std::string TextOf(const std::vector<ReportLine>& lines, int k) {
  const ReportLine* line = Find(lines, k);
  return line ? line->text : std::string("<no line " + std::to_string(k) + ">");
}

// Every (message index, text) pair is a line of `lines`.
void ExpectTexts(const std::vector<ReportLine>& lines,
                 const std::vector<std::pair<int, std::string>>& texts) {
  for (const auto& [k, text] : texts) EXPECT_EQ(TextOf(lines, k), text) << "line " << k;
}

// How a line is painted: kind, colour, bold, x.
std::tuple<ReportLineKind, ReportColour, bool, int> Style(const ReportLine& line) {
  return {line.kind, line.colour, line.bold, line.x};
}

// A stand-in for the window font: every character 7 px bold, 6 px regular.
const auto FakeWidth = [](std::string_view text, bool bold) {
  return static_cast<int>(Utf8Length(text)) * (bold ? 7 : 6);
};

// The texts of the report up to their numbers.
const std::string kNoContact = " ! Nefunkční soukolí - součinitel trvání záběru     = ";
const std::string kContactPoor = "Celkový součinitel trvání záběru je nevyhovující -      = ";
const std::string kContactLow = "Celkový součinitel trvání záběru je nízký -      = ";
const std::string kThinTip1 = " ! Tloušťka hlavy zubu pastorku je menší než 0.25 modulu - s    = ";
const std::string kThinTip2 = " ! Tloušťka hlavy zubu kola je menší než 0.25 modulu - s    = ";
const std::string kTipWarning1 = "Tloušťka hlavy zubu pastorku je menší než 0.4 modulu - s     = ";
const std::string kTipWarning2 = "Tloušťka hlavy zubu kola je menší než 0.4 modulu - s     = ";
const std::string kSliding = "Nebezpečně vysoká hodnota měrného skluzu na ";
const std::string kInterference1 = " ! Interference na patě pastorku, limitní ";
const std::string kInterference2 =
    " ! Interference na patě kola, limitní hlavový průměr pastorku d         = ";
const std::string kDiameterOfWheel = "hlavový průměr kola d         = ";
const std::string kShortened1 = " ! Podřezání pastorku, které zkracuje funkční úsek evolventy, ";
const std::string kShortened2 =
    " ! Podřezání kola, které zkracuje funkční úsek evolventy, d         = ";
const std::string kClearance1 = "Hlavová vůle pastorku je menší než ";
const std::string kClearance2 = "Hlavová vůle kola je menší než ";

TEST(Report, FaultlessPairShowsOnlyThePerfectLine) {
  for (int gearType : {1, 2, 3}) {
    SCOPED_TRACE(gearType);
    const std::vector<ReportLine> lines = ReportLines(Faultless(gearType));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].text, "          SOUKOLÍ JE NAPROSTO DOKONALÉ   ");
    EXPECT_EQ(Style(lines[0]),
              std::tuple(ReportLineKind::PerfectPair, ReportColour::Green, true, 0));
    EXPECT_EQ(lines[0].y, 7);
    EXPECT_TRUE(lines[0].symbols.empty());
  }
}

void ExpectLayout(const ReportLayout& layout, int W, int H) {
  EXPECT_EQ(layout.W, W);
  EXPECT_EQ(layout.H, H);
  EXPECT_EQ(layout.windowWidth, W + 38);
  EXPECT_EQ(layout.windowHeight, H + 95);
  EXPECT_EQ(layout.paintWidth, W + 19);
  EXPECT_EQ(layout.paintHeight, H + 13);
}

TEST(Report, WindowFollowsTheWidestLine) {
  // Nothing found: the 41 characters of the perfect line, bold, 7 px each.
  GearPair g = Faultless(1);
  ExpectLayout(BuildReport(g, FakeWidth).layout, 287, 15);

  // One error of 60 characters (bold, 420 px) and one undercut warning of 93
  // characters (regular, 558 px): two lines of 17 px.
  g.epsAlpha = g.epsGamma = 0.8, g.undercut1 = true, g.z1min = 17.1, g.x1min = 0.1;
  const Report report = BuildReport(g, FakeWidth);
  ASSERT_EQ(Indices(report.lines), (std::vector<int>{6, 15}));
  EXPECT_EQ(report.lines[0].y, 7);
  EXPECT_EQ(report.lines[1].y, 24);
  ExpectLayout(report.layout, 558, 34);

  // Errors are measured bold, warnings regular: with a bold font twice as
  // wide the 60-character error (600 px) outruns the warning (465 px).
  const ReportLayout layout = MeasureReport(report.lines, [](std::string_view text, bool bold) {
    return static_cast<int>(Utf8Length(text)) * (bold ? 10 : 5);
  });
  EXPECT_EQ(layout.W, 600);
}

TEST(Report, ErrorsAndWarningsArePaintedApart) {
  GearPair g = Faultless(1);
  g.interference2 = true, g.thetaA2 = 2.5;
  const std::vector<ReportLine> lines = ReportLines(g);
  ASSERT_EQ(Indices(lines), (std::vector<int>{8, 24}));
  EXPECT_EQ(Style(lines[0]), std::tuple(ReportLineKind::Error, ReportColour::Red, true, 0));
  EXPECT_EQ(Style(lines[1]), std::tuple(ReportLineKind::Warning, ReportColour::Black, false, 11));
  EXPECT_EQ(lines[1].y, 24);
}

// Total contact ratio, tip thickness of a module-2 pair (limits 0.25 m =
// 0.5 mm and 0.4 m = 0.8 mm; the check sets the thin-tip flag below 0.25 m,
// the warning reads the thickness itself; a bevel pair reads its outer-end
// thickness, the inner one is left thick so that reading it shows) and
// specific sliding (above 2 in magnitude): at most one line, at each side of
// each threshold.
TEST(Report, OneLineAtEachSideOfEachThreshold) {
  using G = GearPair;
  const std::string tipLimit = "  (<0.80000)", thinLimit = " (<0.50000)";
  const struct {
    int gearType;
    double G::*member;
    double value;
    int k;  // 0: only the perfect line
    std::string text;
  } rows[] = {
      {1, &G::epsGamma, 0.8, 6, kNoContact + "0.8000"},
      {1, &G::epsGamma, 1.0, 13, kContactPoor + "1.0000"},
      {1, &G::epsGamma, 1.2, 13, kContactPoor + "1.2000"},
      {1, &G::epsGamma, 1.2000001, 14, kContactLow + "1.2000"},
      {1, &G::epsGamma, 1.4, 14, kContactLow + "1.4000"},
      {1, &G::epsGamma, 1.4000001, 0, ""},
      {2, &G::epsGamma, 0.9999, 7, kNoContact + "0.9999"},
      {2, &G::epsGamma, 1.2, 19, kContactPoor + "1.2000"},
      {2, &G::epsGamma, 1.4, 20, kContactLow + "1.4000"},
      {2, &G::epsGamma, 1.4000001, 0, ""},
      {3, &G::epsGamma, 0.5, 6, kNoContact + "0.5000"},
      {3, &G::epsGamma, 1.2, 13, kContactPoor + "1.2000"},
      {3, &G::epsGamma, 1.4, 14, kContactLow + "1.4000"},
      {3, &G::epsGamma, 1.4000001, 0, ""},
      {1, &G::sa1, 0.5, 19, kTipWarning1 + "0.50000" + tipLimit},
      {1, &G::sa1, 0.8, 0, ""},
      {1, &G::sa1, 0.79999, 19, kTipWarning1 + "0.79999" + tipLimit},
      {1, &G::sa1, 0.49, 9, kThinTip1 + "0.49000" + thinLimit},
      {1, &G::sa2, 0.5, 20, kTipWarning2 + "0.50000" + tipLimit},
      {1, &G::sa2, 0.49, 10, kThinTip2 + "0.49000" + thinLimit},
      {2, &G::sa1, 0.5, 24, kTipWarning1 + "0.50000" + tipLimit},
      {2, &G::sa1, 0.8, 0, ""},
      {2, &G::sa1, 0.49, 13, kThinTip1 + "0.49000" + thinLimit},
      {2, &G::sa2, 0.25, 14, kThinTip2 + "0.25000" + thinLimit},
      {2, &G::sa2, 0.6, 25, kTipWarning2 + "0.60000" + tipLimit},
      {3, &G::sa1, 0.5, 19, kTipWarning1 + "0.50000" + tipLimit},
      {3, &G::sa2, 0.3, 10, kThinTip2 + "0.30000" + thinLimit},
      {3, &G::sa2, 0.8, 0, ""},
      {1, &G::thetaF1, -2.0, 0, ""},
      {1, &G::thetaF1, 2.0, 0, ""},
      {1, &G::thetaF1, -2.0001, 21, kSliding + "patě pastorku -   -2.000"},
      {1, &G::thetaA1, 2.0001, 22, kSliding + "hlavě pastorku -   2.000"},
      {1, &G::thetaF2, -7.25, 23, kSliding + "patě kola -   -7.250"},
      {1, &G::thetaA2, 2.5, 24, kSliding + "hlavě kola -   2.500"},
      {2, &G::thetaF1, -2.0, 0, ""},
      {2, &G::thetaF1, -3.5, 26, kSliding + "patě pastorku -   -3.500"},
      {2, &G::thetaA2, 12.125, 29, kSliding + "hlavě kola -   12.125"},
      {3, &G::thetaA1, 2.0, 0, ""},
      {3, &G::thetaF2, -2.0001, 23, kSliding + "patě kola -   -2.000"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::to_string(row.gearType) + ": " + std::to_string(row.value) + " " + row.text);
    GearPair g = Faultless(row.gearType);
    double G::*member = row.member;
    if (member == &G::sa1 || member == &G::sa2) {
      g.mn = 2.0, g.sa1 = g.sa2 = g.sa1Bevel = g.sa2Bevel = 1.2;
      (member == &G::sa1 ? g.thinTip1 : g.thinTip2) = row.value < 0.5;
      if (g.gearType == GearType::Bevel) member = member == &G::sa1 ? &G::sa1Bevel : &G::sa2Bevel;
    }
    g.*member = row.value;
    const std::vector<ReportLine> lines = ReportLines(g);
    ASSERT_EQ(Indices(lines), std::vector<int>{row.k});
    if (row.k != 0) {
      EXPECT_EQ(lines[0].text, row.text);
    }
  }
}

TEST(Report, NoContactOfARingWithoutInvoluteIsNotReported) {
  // The ring's base circle above its tip: its own error, not the contact
  // ratio that the stopped check did not compute.
  GearPair g = Faultless(2);
  g.ringBaseAboveTip = true, g.db2 = -78.5, g.da2 = -78.0, g.epsGamma = 0.0;
  const std::vector<ReportLine> lines = ReportLines(g);
  ASSERT_EQ(Indices(lines), std::vector<int>{5});
  EXPECT_EQ(lines[0].text,
            " ! Základní kružnice věnce (-78.500) leží nad jeho hlavovou kružnicí (-78.000)");

  g.ringBaseAboveTip = false, g.noTooth2 = true;
  EXPECT_EQ(TextOf(ReportLines(g), 5), " ! Kolo neexistuje, má nulovou výšku zubu");
}

// Every limit that the "---" rule may touch, set with numbers that show.
GearPair WithAllLimits(int number, double epsAlpha) {
  GearPair g = Faultless(number);
  g.epsAlpha = epsAlpha, g.interference1 = g.interference2 = g.shortened1 = g.shortened2 = true;
  g.da2Lim = g.gearType == GearType::Internal ? -78.125 : 41.125;
  g.da1Lim = 21.5, g.haLimRack = 0.875, g.thetaF1 = g.thetaA1 = g.thetaF2 = g.thetaA2 = 3.0;
  return g;
}

// The limits of a contact that does not exist (transverse contact ratio not
// positive) mean nothing: dashes. Against a rack entries 7 and 11 quote the
// rack's limiting addendum, which exists without mesh; entry 12 keeps the
// rule. An internal pair dashes entry 8 and the sliding, and keeps 9 and 16
// (written 7:5).
TEST(Report, LimitsOfAPairThatDoesNotMeshAreDashes) {
  const std::string d = "d         = ";
  const struct {
    int gearType;
    double epsAlpha;
    bool rack;
    std::vector<std::pair<int, std::string>> texts;
  } cases[] = {
      // clang-format off
      {1, 0.0, false, {{7, kInterference1 + kDiameterOfWheel + "---"}, {8, kInterference2 + "---"},
                       {11, kShortened1 + d + "---"}, {12, kShortened2 + "---"}}},
      {1, 0.01, false, {{7, kInterference1 + kDiameterOfWheel + "41.1250"},
                        {8, kInterference2 + "21.5000"}, {21, kSliding + "patě pastorku -   3.000"}}},
      {1, -0.5, true, {{7, kInterference1 + "výška hlavy zubu hřebene h         = 0.8750"},
                       {11, kShortened1 + "h         = 0.8750"}, {8, kInterference2 + "---"},
                       {12, kShortened2 + "---"}}},
      {2, 0.0, false, {{8, kInterference1 + kDiameterOfWheel + "---"},
                       {9, kInterference2 + "21.50000"}, {16, kShortened1 + d + "-78.12500"}}},
      {2, 1.0, false, {{8, kInterference1 + kDiameterOfWheel + "-78.12500"}}},
      {3, 0.0, false, {}},
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.gearType) + " " + std::to_string(c.epsAlpha));
    GearPair g = WithAllLimits(c.gearType, c.epsAlpha);
    g.rackMode = c.rack;
    const std::vector<ReportLine> lines = ReportLines(g);
    ExpectTexts(lines, c.texts);
    if (c.epsAlpha > 0.0 || c.rack) continue;
    // The four specific slidings, from entry 21 (internal: 26).
    int k = c.gearType == 2 ? 26 : 21;
    for (const char* where : {"patě pastorku", "hlavě pastorku", "patě kola", "hlavě kola"}) {
      EXPECT_EQ(TextOf(lines, k++), kSliding + where + " -   ---");
    }
  }
}

TEST(Report, RackVariants) {
  GearPair g = Faultless(1);
  g.rackMode = true;
  // In rack mode there is no wheel root circle to reach into.
  g.df1 = g.df2 = 40.0, g.protuberance2 = g.shortened2 = true, g.da1Lim = 21.5;
  std::vector<ReportLine> lines = ReportLines(g);
  EXPECT_EQ(Indices(lines), (std::vector<int>{12, 16}));
  ExpectTexts(
      lines, {{12, " ! Podřezání hřebene, které zkracuje funkční úsek evolv.  d         = 21.5000"},
              {16, "Hřeben je protuberančně podřezán"}});

  g.rackMode = false, g.df1 = 17.5, g.df2 = 37.5;
  ExpectTexts(ReportLines(g),
              {{12, kShortened2 + "21.5000"}, {16, "Kolo je protuberančně podřezáno"}});

  // An undercut wheel without protuberance quotes its limits.
  g.protuberance2 = g.shortened2 = false, g.undercut2 = true, g.z2min = 17.125, g.x2min = -0.25;
  EXPECT_EQ(TextOf(ReportLines(g), 16),
            "Kolo je podřezáno, mezní počet zubů z          = 17.13,  mezní korekce x         = "
            "-0.25000");
  g.protuberance1 = true;
  EXPECT_EQ(TextOf(ReportLines(g), 15), "Pastorek je protuberančně podřezán");
}

TEST(Report, TipsReachingIntoTheMatingRootAndTipClearances) {
  GearPair g = Faultless(1);
  // Tip clearance awEff - (df2 + da1)/2: 30 - (37.5 + 22.5)/2 = 0 is no
  // penetration, 22.6 is.
  g.da1 = 22.5;
  EXPECT_EQ(Find(ReportLines(g), 2), nullptr);
  g.da1 = 22.6;
  g.da2 = 42.6;  // 30 - (17.5 + 42.6)/2 = -0.05
  EXPECT_EQ(Indices(ReportLines(g)), (std::vector<int>{2, 3}));
  g.rackMode = true;
  EXPECT_EQ(Indices(ReportLines(g)), std::vector<int>{0});
  // The virtual spur pair of a bevel pair, on its centre distance.
  g = Faultless(3);
  g.df1 = 17.5, g.df2 = 37.5, g.da1 = 22.6, g.da2 = 42.6;
  EXPECT_EQ(Indices(ReportLines(g)), (std::vector<int>{2, 3}));
  // A ring (signed diameters): -30 - (-82.5 + 22.5)/2 = 0 is no penetration.
  g = Faultless(2);
  g.df2 = -82.5, g.da1 = 22.5;
  EXPECT_EQ(Indices(ReportLines(g)), std::vector<int>{0});
  g.da1 = 22.6;
  EXPECT_EQ(Indices(ReportLines(g)), std::vector<int>{2});

  // Tips apart: 33 - (22 + 42)/2 = 1, also on the bevel pair's virtual pair.
  for (int gearType : {1, 3}) {
    g = Faultless(gearType);
    g.tipsApart = true, g.aw = g.awEff = 33.0, g.da1 = 22.0, g.da2 = 42.0;
    EXPECT_EQ(TextOf(ReportLines(g), 1), " ! Kola jsou mimo sebe, mezera mezi hlavami = 1.0000");
  }

  g = Faultless(1);
  g.clearanceOk1 = g.clearanceOk2 = false;
  g.da1 = 22.1;  // 30 - (37.5 + 22.1)/2 = 0.2
  g.da2 = 42.2;  // 30 - (17.5 + 42.2)/2 = 0.15
  ExpectTexts(ReportLines(g), {{17, kClearance1 + "0.25 modulu - c   = 0.2000  (<0.2500)"},
                               {18, kClearance2 + "0.25 modulu - c   = 0.1500  (<0.2500)"}});

  // Internal: signed ring diameters, -30 - (-82.5 + 22.1)/2 = 0.2.
  g = Faultless(2);
  g.clearanceOk1 = false, g.df2 = -82.5, g.da1 = 22.1;
  const std::vector<ReportLine> lines = ReportLines(g);
  EXPECT_EQ(Indices(lines), std::vector<int>{22});
  EXPECT_EQ(lines[0].text, kClearance1 + "0.25 modulu - c   = 0.2000  (<0.2500)");
}

TEST(Report, InternalPairEntries) {
  GearPair g = Faultless(2);
  g.z0 = 80;  // as many teeth as the ring
  g.tipInterference = g.tipInterferenceInfeed = g.tipTrimming = true;
  g.da2Trim = -78.375, g.sa0 = -0.01, g.assemblyGap = g.assemblyTooth = true, g.alphaFf0 = -0.01;
  const std::vector<ReportLine> lines = ReportLines(g);
  EXPECT_EQ(Indices(lines), (std::vector<int>{6, 10, 11, 12, 15, 17, 18, 30}));
  ExpectTexts(lines,
              {{6, " ! Počet zubů nástroje Fellow musí být alespoň o 1 menší než počet zubů kola"},
               {10, " ! Interference na hlavách"},
               {11, " ! Interference na hlavách při vřezu nástroje (při současném odvalování)"},
               {12,
                " ! Seřezávání hlav kola patou nástroje, limitní hlavový průměr kola d         = "
                "-78.37500"},
               {15, " ! Tloušťka hlavy zubu nástroje Fellow je menší než nula - s    = -0.01000"},
               {17, "Montážní interference (při radiálním zasouvání na mezeru věnce)"},
               {18, "Montážní interference (při radiálním zasouvání na zub věnce)"},
               {30, "Zuby nástroje Fellow jsou podřezány"}});
  EXPECT_EQ(Style(*Find(lines, 30)), Style(lines[5]));  // a warning, as entry 17
  EXPECT_EQ(Style(*Find(lines, 15)), Style(lines[0]));  // an error, as entry 6

  // Boundaries: a cutter one tooth short of the ring, a cutter tip of
  // exactly -1e-7 mm (counted as sharp, not negative), an unundercut cutter.
  g = Faultless(2);
  g.z0 = 79, g.sa0 = -0.0000001, g.alphaFf0 = 0.0;
  EXPECT_EQ(Indices(ReportLines(g)), std::vector<int>{0});
  g.sa0 = -0.0000002;
  EXPECT_EQ(Indices(ReportLines(g)), std::vector<int>{15});

  // Tips apart: a ring tip of radius 42 misses a pinion tip of radius 11 at
  // 30 from it by 1, -30 - (22 - 84)/2.
  g = Faultless(2);
  g.tipsApart = true, g.da1 = 22.0, g.da2 = -84.0;
  EXPECT_EQ(TextOf(ReportLines(g), 1), " ! Kola jsou mimo sebe, mezera mezi hlavami = 1.0000");
}

TEST(Report, BevelPairEntries) {
  // Pitch cone angles of a 20/30 pair at 90 degrees: tan(delta1) = 20/30.
  // Interference of an undercut gear is reported as undercut; the real
  // limiting number of teeth is the virtual one times cos(delta):
  // 17.1 * 20/sqrt(1300) = 9.4854 and 17.1 * 30/sqrt(1300) = 14.2281.
  GearPair g = Faultless(3);
  g.Le = 40.0, g.b = 12.0, g.delta1 = std::atan(20.0 / 30.0), g.delta2 = std::atan(30.0 / 20.0);
  g.z1min = g.z2min = 17.1, g.x1min = g.x2min = 0.1;
  g.interference1 = g.interference2 = g.undercut2 = true;
  std::vector<ReportLine> lines = ReportLines(g);
  EXPECT_EQ(Indices(lines), (std::vector<int>{7, 16}));
  ExpectTexts(lines, {{7, " ! Interference na patě pastorku"},
                      {16,
                       "Kolo je podřezáno, mezní počet zubů z          = 9.49,  mezní korekce "
                       "x         = 0.10000"}});
  g.interference1 = g.undercut2 = false, g.undercut1 = true;
  lines = ReportLines(g);
  EXPECT_EQ(Indices(lines), (std::vector<int>{8, 15}));
  ExpectTexts(lines, {{8, " ! Interference na patě kola"},
                      {15,
                       "Pastorek je podřezán, mezní počet zubů z          = 14.23,  mezní "
                       "korekce x         = 0.10000"}});

  // Face wider than the cone, spiral steeper than allowed.
  g = Faultless(3);
  g.Le = 18.0277, g.b = 18.5, g.betaDeg = 40.0, g.betaMax = 35.5;
  ExpectTexts(ReportLines(g),
              {{11, " ! Nemožný tvar kol, šířka b je větší než površka kužele L  = 18.0"},
               {12, " ! Překročen max. sklon zubů ß na středním průměru - 40.00000°> 35.50000"},
               {25, "Doporučená šířka tohoto kuž. kola se pohybuje od 4.5 do 6.3 [mm]"}});

  // Tip clearance of the basic rack against 0.2 m; the wheel's value is
  // written 4:4.
  g = Faultless(3);
  g.mn = 2.0, g.cP1Star = 0.15, g.cP2Star = 0.125, g.clearanceOk1 = g.clearanceOk2 = false;
  g.sa1Bevel = g.sa2Bevel = 1.0;
  ExpectTexts(ReportLines(g), {{17, kClearance1 + " 0.2  modulu - c   = 0.3000  (<0.4000)"},
                               {18, kClearance2 + " 0.2  modulu - c   = 0.2500  (<0.4000)"}});

  // Recommended face width for a cone distance of 40: 10 to 14 mm.
  for (const auto& [b, shown] :
       {std::pair{9.99, true}, {10.0, false}, {12.0, false}, {13.99, false}, {14.5, true}}) {
    g = Faultless(3);
    g.Le = 40.0, g.b = b;
    lines = ReportLines(g);
    ASSERT_EQ(Indices(lines), std::vector<int>{shown ? 25 : 0}) << b;
    if (shown) {
      EXPECT_EQ(lines[0].text,
                "Doporučená šířka tohoto kuž. kola se pohybuje od 10.0 do 14.0 [mm]");
    }
  }
}

// A symbol: the entry of its line, its text, x, font size and dy.
using Symbol = std::tuple<int, std::string, int, int, int>;

// The symbols of the lines of `g`, each checked to cover a stretch of blanks
// right before an '=' that follows a non-blank character.
void ExpectSymbols(const GearPair& g, const std::vector<Symbol>& want) {
  std::vector<Symbol> got;
  for (const ReportLine& line : ReportLines(g)) {
    for (const ReportSymbol& s : line.symbols) {
      got.emplace_back(line.k, s.text, s.x, s.fontSize, s.dy);
      EXPECT_GE(s.runLength, 2u) << line.text;
      EXPECT_GT(s.runBegin, 0u);
      EXPECT_NE(line.text[s.runBegin - 1], ' ') << line.text;
      EXPECT_EQ(line.text.substr(s.runBegin, s.runLength), std::string(s.runLength, ' '));
      EXPECT_EQ(line.text[s.runBegin + s.runLength], '=') << line.text;
    }
  }
  EXPECT_EQ(got, want);
}

TEST(Report, SymbolsOfTheLines) {
  // clang-format off
  GearPair g = WithAllLimits(1, 1.0);
  g.thetaF1 = g.thetaA1 = g.thetaF2 = g.thetaA2 = 0.0, g.epsGamma = 0.9;
  g.thinTip1 = g.thinTip2 = g.undercut1 = g.undercut2 = true;
  g.clearanceOk1 = g.clearanceOk2 = false;
  ExpectSymbols(g, {{6, "ε", 265, 12, -5}, {6, "γ", 272, 8, 2}, {7, "a2max", 354, 7, 3},
                    {8, "a1max", 354, 7, 3}, {9, "a1", 348, 7, 3}, {10, "a2", 323, 7, 3},
                    {11, "a2max", 366, 7, 3}, {12, "a1max", 342, 7, 3}, {15, "1min", 212, 7, 4},
                    {15, "1min", 364, 7, 4}, {16, "2min", 198, 7, 4}, {16, "2min", 350, 7, 4},
                    {17, "1", 257, 7, 4}, {18, "2", 237, 7, 4}});

  g = Faultless(1);
  g.sa1 = g.sa2 = 0.3, g.epsGamma = 1.1;
  ExpectSymbols(g, {{13, "ε", 246, 12, -5}, {13, "γ", 253, 8, 2}, {19, "a1", 284, 7, 3},
                    {20, "a2", 263, 7, 3}});
  g.epsGamma = 1.3, g.sa1 = g.sa2 = 0.6, g.rackMode = g.interference1 = true;
  g.protuberance1 = true;  // the protuberance text has no symbols
  ExpectSymbols(g, {{7, "a2max", 388, 7, 3}, {14, "ε", 208, 12, -5}, {14, "γ", 215, 8, 2}});

  g = WithAllLimits(2, 1.0);
  g.thetaF1 = g.thetaA1 = g.thetaF2 = g.thetaA2 = 0.0, g.shortened2 = false, g.epsGamma = 0.9;
  g.tipTrimming = g.thinTip1 = g.thinTip2 = g.undercut1 = true, g.sa0 = -0.5;
  ExpectSymbols(g, {{7, "ε", 265, 12, -5}, {7, "γ", 272, 8, 2}, {8, "a2max", 354, 7, 3},
                    {9, "a1max", 354, 7, 3}, {12, "a2max", 391, 7, 3}, {13, "a1", 348, 7, 3},
                    {14, "a2", 323, 7, 3}, {15, "a0", 339, 7, 3}, {16, "a2max", 366, 7, 3},
                    {21, "1min", 212, 7, 4}, {21, "1min", 364, 7, 4}});

  g = Faultless(3);
  g.undercut1 = g.undercut2 = true, g.clearanceOk1 = g.clearanceOk2 = false;
  g.b = 30.0;  // wider than the cone: entry 11 carries no symbol
  ExpectSymbols(g, {{15, "1min", 212, 7, 4}, {15, "1min", 364, 7, 4}, {16, "2min", 196, 7, 4},
                    {16, "2min", 350, 7, 4}, {17, "1", 257, 7, 4}, {18, "2", 237, 7, 4}});
  // clang-format on
}

TEST(Report, PlainTextPutsTheSymbolsIntoTheirRuns) {
  GearPair g = Faultless(1);
  g.epsGamma = 0.8, g.interference1 = true, g.da2Lim = 41.125, g.undercut1 = true, g.z1min = 17.1;
  g.x1min = 0.1, g.clearanceOk1 = false;
  g.da1 = 22.1;  // clearance 0.2
  g.thetaF1 = -2.5;
  EXPECT_EQ(ReportAsText(ReportLines(g)),
            " ! Nefunkční soukolí - součinitel trvání záběru εγ = 0.8000\n"
            " ! Interference na patě pastorku, limitní hlavový průměr kola da2max = 41.1250\n"
            "Pastorek je podřezán, mezní počet zubů z1min = 17.10,  mezní korekce x1min = 0.10000\n"
            "Hlavová vůle pastorku je menší než 0.25 modulu - c1 = 0.2000  (<0.2500)\n"
            "Nebezpečně vysoká hodnota měrného skluzu na patě pastorku -   -2.500\n");

  g = Faultless(2);
  g.sa0 = -0.01, g.epsGamma = 1.1;
  EXPECT_EQ(ReportAsText(ReportLines(g)),
            " ! Tloušťka hlavy zubu nástroje Fellow je menší než nula - sa0 = -0.01000\n"
            "Celkový součinitel trvání záběru je nevyhovující - εγ = 1.1000\n");

  EXPECT_EQ(ReportAsText(ReportLines(Faultless(3))), "          SOUKOLÍ JE NAPROSTO DOKONALÉ   \n");
}

TEST(Report, ValuesThatAreNotNumbersAreNeverShown) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  for (int gearType : {1, 2, 3}) {
    GearPair g = Faultless(gearType);
    g.tipsApart = g.noTooth1 = g.interference1 = g.interference2 = true;
    g.thinTip1 = g.thinTip2 = g.shortened1 = g.shortened2 = g.tipTrimming = true;
    g.undercut1 = g.undercut2 = true, g.clearanceOk1 = g.clearanceOk2 = false;
    g.ringBaseAboveTip = gearType == 2, g.awEff = g.aw = nan;
    g.da2Lim = g.da1Lim = g.da2Trim = g.z1min = g.x1min = g.z2min = g.x2min = inf;
    g.sa1 = g.sa2 = g.sa1Bevel = g.sa2Bevel = g.db2 = g.sa0 = nan, g.epsAlpha = 1.0;
    g.epsGamma = -inf, g.thetaF1 = g.thetaA1 = g.thetaF2 = g.thetaA2 = inf;
    for (const ReportLine& line : ReportLines(g)) {
      EXPECT_EQ(line.text.find("nan"), std::string::npos) << line.text;
      EXPECT_EQ(line.text.find("inf"), std::string::npos) << line.text;
    }
  }
}

// A check that stops at the basic limits (a typed tip circle inside the
// base circle: no tooth; a bevel pinion's tip in the wheel's root)
// computes no meshing quantities; the report
// reads none of them, so what an earlier pair left in the state shows
// nowhere.
TEST(ReportLines, StoppedCheckShowsNoEarlierPairsValues) {
  for (GearPair g : {test::StandardExternalPair(), test::StandardInternalPair(),
                     test::StandardBevelPair()}) {
    g.pairComputed = true;
    RunCheckAndReport(g);
    const bool bevel = g.gearType == GearType::Bevel;
    g.da1 = bevel ? g.da1 + 4.0 * g.mn : 0.9 * g.db1;
    g.da1Given = true;
    RunCheck(g);
    ASSERT_TRUE(CheckStoppedEarly(g)) << g.gearType;
    const auto lines = ReportLines(g);
    // What an earlier pair could have left: poor contact, thin tips, high
    // sliding, shortened involutes.
    GearPair stale = g;
    stale.epsGamma = stale.epsAlpha = 1.05;
    stale.sa1 = stale.sa2 = stale.sa1Bevel = stale.sa2Bevel = 0.3 * g.mn;
    stale.thetaF1 = stale.thetaF2 = stale.thetaA1 = stale.thetaA2 = 50.0;
    stale.shortened1 = stale.shortened2 = true;
    const auto staleLines = ReportLines(stale);
    ASSERT_EQ(staleLines.size(), lines.size()) << g.gearType;
    for (std::size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(staleLines[i].k, lines[i].k);
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(),
                            [&](const ReportLine& l) { return l.k == (bevel ? 2 : 4); }))
        << "the pinion without a tooth, or its tip in the root";
  }
}

}  // namespace
}  // namespace kolmira
