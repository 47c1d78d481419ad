// The short print, line by line against a listing of its lines, and the page
// arithmetic of the table print.
#include "report/ShortPrint.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "TestPairs.h"
#include "report/DistinctState.h"

namespace kolmira {
namespace {

using G = GearPair;
using Formula = double (*)(const GearPair&);

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// A value of a line: a member or a formula over members, written w.d (a
// width of 0: a whole number); none when `member` and `formula` are unset.
struct Number {
  double G::*member = nullptr;
  int width = 8, decimals = 4;
  Formula formula = nullptr;
  Number() = default;
  Number(double G::*m, int w = 8, int d = 4) : member(m), width(w), decimals(d) {}
  template <class Lambda>
  Number(Lambda f, int w = 8, int d = 4) : width(w), decimals(d), formula(f) {}
  bool Given() const { return member != nullptr || formula != nullptr; }
};

std::string Text(const GearPair& g, const Number& n) {
  const double v = n.member != nullptr ? g.*n.member : n.formula(g);
  if (n.width == 0) return std::to_string(static_cast<int>(v));
  char text[64];
  std::snprintf(text, sizeof text, "%*.*f", n.width, n.decimals, v);
  return text;
}

// A line of the listing below: the tab counts in front of the label, the
// symbol, the pinion and the wheel value ("3/2,2/4"; "-" marks a line
// without symbol), and whether a rack shows "---" for the wheel.
struct Line {
  const char* tabs;
  const char* label;
  const char* symbol;
  Number pinion, wheel = {};
  bool rackDash = false;
};

double Degrees(double radians) {
  return radians * 180.0 / 3.141592653589793;
}
// Diameter at which the anvils of the span measurement touch the flanks.
double SpanContact(const GearPair& g, double W, double db) {
  return std::sqrt(std::pow(W * std::cos(g.betaB), 2) + db * db);
}

// clang-format off
const std::vector<Line> kBasicRack = {
    {"3/1/2/4", "Pomerna vyska hlavy profilu", "haP*", &G::haP1Star, &G::haP2Star},
    {"3/1/2/4", "Pomerna hlavova vule profilu", "cP*", &G::cP1Star, &G::cP2Star},
    {"3/1/2/4", "Pomerny radius paty profilu", "rofP*", &G::rhofP1Star, &G::rhofP2Star},
    {"3/3/4", "Uhel profilu", "alfaP", &G::alphaPDeg},
};
const std::vector<Line> kBevel = {
    {"3/3,2/4", "Pocet zubu", "z", {&G::z1Bevel, 2, 0}, {&G::z2Bevel, 2, 0}},
    {"3/2,4", "Spolecna sirka kol", "b", {&G::b, 6, 3}},
    {"3/3/4", "Uhel os soukoli", "sigma", &G::SigmaDeg},
    {"3/2/4", "Celni modul vnejsi", "mt", {&G::mn, 6, 3}},
    {"3/2/4", "Celni modul stredni", "mtm", {&G::mmt, 6, 3}},
    {"3/2/4", "Uhel sklonu zubu stredni", "betam", &G::betaDeg},
    {"3/2,2/4", "Jednotkova korekce", "x", &G::x1, &G::x2},
    {"3/2/2/3", "Prumer vnejsi patni", "df", &G::dfe1, &G::dfe2},
    {"3/2,2/3", "Prumer vnejsi roztecny", "d", &G::de1, &G::de2},
    {"3/2/2/3", "Prumer vnejsi hlavovy", "da", &G::dae1, &G::dae2},
    {"3/2/2/4", "Tloustka hlavy vnejsi", "sa", &G::sa1Bevel, &G::sa2Bevel},
    {"3/2/2/3", "Uhel kuzele roztecneho", "delta", [](const G& g) { return Degrees(g.delta1); },
     [](const G& g) { return Degrees(g.delta2); }},
    {"3/2/2/3", "Uhel kuzele hlavoveho", "deltaa", [](const G& g) { return Degrees(g.deltaA1); },
     [](const G& g) { return Degrees(g.deltaA2); }},
};
// "Osova vzdalenost roztecna" is no line of a rack; a pair moved apart for
// its backlash shows the working angle and distance it was moved to.
const std::vector<Line> kCylindrical = {
    {"3/3,2/4", "Pocet zubu", "z", {&G::z1, 2, 0}, {&G::z2, 2, 0}, true},
    {"3/2,4", "Spolecna sirka kol", "b", {&G::b, 6, 3}},
    {"3/2/4", "Normalny modul   ", "mn", {&G::mn, 6, 3}},
    {"3/3/4", "Celni modul", "mt", {&G::mt, 6, 3}},
    {"3/2/4", "Normalna bocni vule", "jn", {&G::jn, 6, 4}},
    {"3/1/4", "Uhel sklonu zubu roztecny", "beta", &G::betaDeg},
    {"3/2/4", "Uhel zaberu pracovni", "alfawt",
     [](const G& g) { return Degrees(g.jnByApart ? g.alphaWtJ : g.alphaWt); }},
    {"3/1/4", "Osova vzdalenost roztecna", "ad", &G::a},
    {"3/1,4", "Osova vzdalenost pracovni", "a", [](const G& g) { return g.jnByApart ? g.awJ : g.aw; }},
    {"3/2,2/4", "Jednotkova korekce", "x", &G::x1, &G::x2},
    {"3/2/2/3", "Prumer patni kruznice", "df", &G::df1, &G::df2, true},
    {"3/1/2/3", "Prumer zakladni kruznice ", "db", &G::db1, &G::db2, true},
    {"3/1,2/3", "Prumer roztecne kruznice ", "d", &G::d1, &G::d2, true},
    {"3/2/2/3", "Prumer valive kruznice", "dw", &G::dw1, &G::dw2, true},
    {"3/2/2/3", "Prumer hlavove kruznice", "da", &G::da1, &G::da2, true},
    {"3/3/2/4", "Vyska paty zubu", "hf", &G::hf1, &G::hf2},
    {"3/2/2/4", "Vyska hlavy zubu", "ha", &G::ha1, &G::ha2},
    {"3/2/2/4", "Tloustka zubu na hlave", "sa", &G::sa1, &G::sa2},
};
const std::vector<Line> kMeshing = {
    {"3/1/3", "Souc. trvani zaberu profilu", "epsilonalfa", &G::epsAlpha},
    {"3/1/3", "Souc. trvani zaberu krokem", "epsilonbeta", &G::epsBeta},
    {"3/-/4/3", "Merny skluz na pate", "", &G::thetaF1, &G::thetaF2},
    {"3/-/4/4", "Merny skluz na hlave", "", &G::thetaA1, &G::thetaA2},
};
const std::vector<Line> kMeasurement = {
    {"3/2/2/3", "Merena tloustka zubu", "sc", &G::sc1, &G::sc2},
    {"3/2/2/3", "Mereno ve vysce     ", "hc", &G::hc1, &G::hc2},
    {"3/2,2/3", "Mira pres zuby      ", "W", &G::W1, &G::W2, true},
    {"3/2/2/3", "Pocet merenych zubu ", "zw", {[](const G& g) { return 1.0 * g.zw1; }, 0},
     {[](const G& g) { return 1.0 * g.zw2; }, 0}, true},
    {"3/2/2/3", "Kontaktni prumer    ", "dW", [](const G& g) { return SpanContact(g, g.W1, g.db1); },
     [](const G& g) { return SpanContact(g, g.W2, g.db2); }, true},
    {"3/2,2/3", "Rozmer pres kulicky ", "M", &G::M1, &G::M2, true},
    {"3/2/2/3", "Kontaktni prumer    ", "dM", &G::dM1, &G::dM2, true},
    {"3/2/2/3", "Prumer kulicky      ", "dt", &G::dt1, &G::dt2, true},
};
// clang-format on

std::string Tabs(int n) {
  return std::string(static_cast<std::size_t>(n), '\t');
}

// The short print of `g` as the listing gives it, for a table of the input
// file "C:\pary\P1.txt".
std::vector<std::string> ExpectedLines(const GearPair& g) {
  const bool bevel = g.gearType == GearType::Bevel;
  const bool rack = g.rackMode && !bevel;
  std::vector<std::string> out(5);
  out.push_back(Tabs(8) + "TABULKA ROZMERU");
  out.push_back(Tabs(8) + " C:\\pary\\P1.txt");
  out.push_back("");
  out.push_back(Tabs(9) + "Pastorek" + Tabs(3) + (rack ? "  Hreben" : "  Kolo"));
  out.push_back(Tabs(3) + "Typ ozubeni" + Tabs(7) +
                (bevel                              ? " Kuzelovy"
                 : g.gearType == GearType::Internal ? " Vnitrni"
                                                    : " Vnejsi"));
  auto add = [&](const std::vector<Line>& lines) {
    for (const Line& line : lines) {
      if (rack && std::string(line.label) == "Osova vzdalenost roztecna") continue;
      std::vector<int> tabs;
      for (const char* c = line.tabs; *c != '\0'; ++c) {
        if (*c >= '0' && *c <= '9') tabs.push_back(*c - '0');
      }
      std::vector<std::string> pieces = {line.label};
      if (*line.symbol != '\0') pieces.push_back(line.symbol);
      pieces.push_back(Text(g, line.pinion));
      if (line.wheel.Given()) pieces.push_back(rack && line.rackDash ? "---" : Text(g, line.wheel));
      EXPECT_EQ(tabs.size(), pieces.size()) << line.label;
      std::string text;
      for (std::size_t i = 0; i < pieces.size() && i < tabs.size(); ++i) {
        text += Tabs(tabs[i]) + pieces[i];
      }
      out.push_back(text);
    }
  };
  add(kBasicRack);
  add(bevel ? kBevel : kCylindrical);
  add(kMeshing);
  if (!bevel) {
    out.push_back("");
    out.push_back(Tabs(3) + "Mereni ozubeni");
    add(kMeasurement);
  }
  return out;
}

void ExpectShortPrint(const GearPair& g) {
  const std::vector<std::string> want = ExpectedLines(g);
  const std::vector<std::string> got =
      Lines(ShortPrintText(g, "Tabulka rozměrů - C:\\pary\\P1.txt"));
  ASSERT_EQ(got.size(), want.size());
  for (std::size_t i = 0; i < want.size(); ++i) EXPECT_EQ(got[i], want[i]) << "line " << i;
}

TEST(ShortPrint, EveryLineOfEveryPair) {
  for (GearType type : {GearType::External, GearType::Internal, GearType::Bevel}) {
    SCOPED_TRACE(static_cast<int>(type));
    GearPair g = test::DistinctState(type);
    ExpectShortPrint(g);
    g.rackMode = true;  // a rack for an external pair; never for a bevel pair
    ExpectShortPrint(g);
    g.rackMode = false;
    g.jnByApart = true;
    ExpectShortPrint(g);
  }
}

TEST(ShortPrint, DegenerateInternalPairHasNoWorkingPitchDiameters) {
  GearPair g = test::StandardInternalPair();
  g.dw1 = 20.0;
  g.dw2 = -80.0;
  const char* caption = "Tabulka rozměrů - C:\\P1.txt";
  EXPECT_NE(ShortPrintText(g, caption)
                .find("\t\t\tPrumer valive kruznice\t\tdw\t\t 20.0000\t\t\t-80.0000\n"),
            std::string::npos);
  g.z2 = -g.z1;
  EXPECT_NE(ShortPrintText(g, caption).find("\t\t\tPrumer valive kruznice\t\tdw\t\t---\t\t\t---\n"),
            std::string::npos);
}

TEST(ShortPrint, TableOfNoFileAndNoDiacritics) {
  // A table of no file prints an empty name line.
  EXPECT_EQ(Lines(ShortPrintText(test::StandardExternalPair(), "Tabulka rozměrů"))[6],
            "\t\t\t\t\t\t\t\t");
  for (GearPair g :
       {test::StandardExternalPair(), test::StandardInternalPair(), test::StandardBevelPair()}) {
    const std::string text = ShortPrintText(g, "Tabulka rozměrů - C:\\P1.txt");
    for (unsigned char c : text) ASSERT_LT(c, 0x80) << "gear type " << g.gearType;
  }
}
// The page images cut from a full image of `height`: for each page its
// height / the divisor of its scale, then its strips as source top > target
// top and height.
std::string Pages(GearType gearType, int height) {
  std::string text;
  for (const PrintPageImage& page : TablePrintPages(gearType, height)) {
    text += (text.empty() ? "" : " | ") + std::to_string(page.height) + "/" +
            std::to_string(page.divisor) + ":";
    for (const ImageStrip& s : page.strips) {
      text += " " + std::to_string(s.sourceTop) + ">" + std::to_string(s.targetTop) + " " +
              std::to_string(s.height);
    }
  }
  return text;
}

TEST(TablePrint, ImageHeightAndPageSplit) {
  // 2 + rows * (22 + 2)
  EXPECT_EQ(TableImageHeight(77), 1850);
  EXPECT_EQ(TableImageHeight(85), 2042);
  EXPECT_EQ(TableImageHeight(45), 1082);
  // Page 1 ends where row 53 begins (2 + 53 * 24 = 1274); page 2 repeats the
  // header row (27) and goes on below page 1, leaving off only the last,
  // empty row of 22 pixels: 1850 - 1274 - 554 and 2042 - 1274 - 746.
  EXPECT_EQ(Pages(GearType::External, 1850), "1274/3130: 0>0 1274 | 581/3130: 0>0 27 1274>27 554");
  EXPECT_EQ(Pages(GearType::Internal, 2042), "1274/3130: 0>0 1274 | 773/3130: 0>0 27 1274>27 746");
  EXPECT_EQ(Pages(GearType::Bevel, 1082), "1082/2700: 0>0 1082");
  // A shorter image than the pages expect is copied as far as it goes.
  EXPECT_EQ(Pages(GearType::External, 1000), "1274/3130: 0>0 1000 | 581/3130: 0>0 27 1274>27 0");
}

std::array<int, 4> Corners(const PrintRect& r) {
  return {r.left, r.top, r.right, r.bottom};
}

TEST(TablePrint, TargetRectangle) {
  // Reference page 2338 x 3372: left 190, top 150, width 3.5 x image width,
  // height 1274 * 2.25 * 3372 / 3130 = 3088.13.
  EXPECT_EQ(Corners(PrintTargetRect(2338, 3372, 600, 1274, 3130)),
            (std::array{190, 150, 190 + 2100, 150 + 3088}));
  // A4 at 600 dpi, 4960 x 7016: left 4960*190/2338 = 403.08, top
  // 7016*150/3372 = 312.10, width 600*3.5*4960/2338 = 4455.09, page 2 of
  // an external pair 581*2.25*7016/3130 = 2930.24, a bevel page
  // 1082*2.25*7016/2700 = 6326.09.
  EXPECT_EQ(Corners(PrintTargetRect(4960, 7016, 600, 581, 3130)),
            (std::array{403, 312, 403 + 4455, 312 + 2930}));
  EXPECT_EQ(PrintTargetRect(4960, 7016, 600, 1082, 2700).bottom, 312 + 6326);
}

TEST(TablePrint, SecondPageFileName) {
  const struct {
    const char* chosen;
    const char* second;
  } cases[] = {
      {"TISK1.BMP", "TISK1_2.BMP"},
      {"C:\\tisk\\TISK1.BMP", "C:\\tisk\\TISK1_2.BMP"},
      {"C:\\tisk.old\\TISK1", "C:\\tisk.old\\TISK1_2"},
      {"/home/k/tabulka.v2.bmp", "/home/k/tabulka.v2_2.bmp"},
  };
  for (const auto& c : cases) EXPECT_EQ(SecondPageFileName(c.chosen), c.second) << c.chosen;
}

TEST(TablePrint, PageSplitInRows) {
  // Rows are 24 pixels apart from y = 2: page 1 holds rows 0 to 52 and
  // ends where row 53, the heading of the check dimensions, begins.
  EXPECT_EQ(GridRowTop(53, kPrintGridLines), kPrintPage1Height);
  EXPECT_EQ(GridRowTop(77, kPrintGridLines), TableImageHeight(77));
  const struct {
    GearType type;
    int rows;
    const char* split;  // per page, its bands' rows as first+count
  } cases[] = {
      // Page 2: the header row, then from row 53 on; the last, empty row
      // (76, 84) is not on the page.
      {GearType::External, 77, "0+53 | 0+1 53+23"},
      {GearType::Internal, 85, "0+53 | 0+1 53+31"},
      {GearType::Bevel, 45, "0+45"},
  };
  for (const auto& c : cases) {
    std::string split;
    for (const PrintPageImage& page : TablePrintPages(c.type, TableImageHeight(c.rows))) {
      if (!split.empty()) split += " |";
      for (const ImageStrip& strip : page.strips) {
        const RowRange rows = RowsInStrip(strip);
        split += (split.empty() ? "" : " ") + std::to_string(rows.first) + "+" +
                 std::to_string(rows.count);
      }
    }
    EXPECT_EQ(split, c.split) << c.type;
  }
  // Row r lies in [2 + 24 r, 24 + 24 r): a band holds the rows it covers
  // whole, from the first that starts in it.
  EXPECT_EQ(RowsInStrip({0, 0, 23}).count, 0);
  EXPECT_EQ(RowsInStrip({0, 0, 24}).count, 1);
  EXPECT_EQ(RowsInStrip({0, 0, 47}).count, 1);
  EXPECT_EQ(RowsInStrip({0, 0, 48}).count, 2);
  EXPECT_EQ(RowsInStrip({26, 0, 100}).first, 1);
  EXPECT_EQ(RowsInStrip({27, 0, 100}).first, 2);
  EXPECT_EQ(RowsInStrip({27, 0, 100}).count, 3);
}

TEST(ShortPrint, TabsExpandToEightColumnStops) {
  const struct {
    const char* line;
    const char* expanded;
  } cases[] = {
      {"", ""},
      {"\t", "        "},
      {"\t\tz", "                z"},
      {"ab\tc", "ab      c"},
      {"abcdefgh\tc", "abcdefgh        c"},
      {"abcdefg\tc", "abcdefg c"},
      // A letter with a diacritic takes one column.
      {"ž\tc", "ž       c"},
  };
  for (const auto& c : cases) EXPECT_EQ(ExpandTabs(c.line), c.expanded) << c.line;
  EXPECT_EQ(ExpandTabs("a\tb", 4), "a   b");
}

}  // namespace
}  // namespace kolmira
