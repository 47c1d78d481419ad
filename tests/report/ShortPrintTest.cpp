#include "report/ShortPrint.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "TestPairs.h"

namespace kolmira {
namespace {

using test::StandardBevelPair;
using test::StandardExternalPair;
using test::StandardInternalPair;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// A line cut at its tabs: the lengths of the tab runs and the pieces between.
struct Split {
  std::vector<int> tabs;
  std::vector<std::string> pieces;
};
Split SplitAtTabs(const std::string& line) {
  Split s;
  std::size_t i = 0;
  while (i < line.size()) {
    int run = 0;
    while (i < line.size() && line[i] == '\t') ++run, ++i;
    std::string piece;
    while (i < line.size() && line[i] != '\t') piece += line[i++];
    s.tabs.push_back(run);
    s.pieces.push_back(piece);
  }
  return s;
}

// The line whose label is `label` (three tabs, the label, a tab).
std::string Find(const std::vector<std::string>& lines, const std::string& label) {
  for (const std::string& line : lines) {
    if (line.rfind("\t\t\t" + label + "\t", 0) == 0) return line;
  }
  return {};
}

const char* kCaption = "Tabulka rozměrů - C:\\pary\\P1.txt";

TEST(ShortPrint, HeaderLines) {
  GearPair g = StandardExternalPair();
  const std::vector<std::string> lines = Lines(ShortPrintText(g, kCaption));
  ASSERT_GE(lines.size(), 10u);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(lines[i], "") << i;
  EXPECT_EQ(lines[5], "\t\t\t\t\t\t\t\tTABULKA ROZMERU");
  EXPECT_EQ(lines[6], "\t\t\t\t\t\t\t\t C:\\pary\\P1.txt");  // a blank, then the path
  EXPECT_EQ(lines[7], "");
  EXPECT_EQ(lines[8], "\t\t\t\t\t\t\t\t\tPastorek\t\t\t  Kolo");
  EXPECT_EQ(lines[9], "\t\t\tTyp ozubeni\t\t\t\t\t\t\t Vnejsi");

  // A table of no file prints an empty name line.
  EXPECT_EQ(Lines(ShortPrintText(g, "Tabulka rozměrů"))[6], "\t\t\t\t\t\t\t\t");
}

TEST(ShortPrint, TabLayoutOfRows) {
  GearPair g = StandardExternalPair();
  g.hf1 = 1.25;
  const struct {
    const char* label;
    std::vector<int> tabs;
    std::vector<std::string> pieces;
  } cases[] = {
      {"Pomerna vyska hlavy profilu",
       {3, 1, 2, 4},
       {"Pomerna vyska hlavy profilu", "haP*", "  1.0000", "  1.0000"}},
      {"Uhel profilu", {3, 3, 4}, {"Uhel profilu", "alfaP", " 20.0000"}},
      {"Pocet zubu", {3, 3, 2, 4}, {"Pocet zubu", "z", "20", "40"}},
      {"Spolecna sirka kol", {3, 2, 4}, {"Spolecna sirka kol", "b", "10.000"}},
      {"Normalny modul   ", {3, 2, 4}, {"Normalny modul   ", "mn", " 1.000"}},
      {"Celni modul", {3, 3, 4}, {}},
      {"Normalna bocni vule", {3, 2, 4}, {"Normalna bocni vule", "jn", "0.0000"}},
      {"Uhel sklonu zubu roztecny", {3, 1, 4}, {}},
      {"Osova vzdalenost pracovni", {3, 1, 4}, {}},
      {"Prumer zakladni kruznice ", {3, 1, 2, 3}, {}},
      {"Prumer valive kruznice", {3, 2, 2, 3}, {}},
      {"Vyska paty zubu", {3, 3, 2, 4}, {"Vyska paty zubu", "hf", "  1.2500", "  0.0000"}},
      {"Souc. trvani zaberu profilu", {3, 1, 3}, {}},
      {"Merny skluz na pate", {3, 4, 3}, {}},
      {"Merny skluz na hlave", {3, 4, 4}, {}},
      {"Pocet merenych zubu ", {3, 2, 2, 3}, {}},
  };
  g.hf2 = 0.0;
  const std::vector<std::string> lines = Lines(ShortPrintText(g, kCaption));
  for (const auto& c : cases) {
    const std::string line = Find(lines, c.label);
    ASSERT_FALSE(line.empty()) << c.label;
    const Split s = SplitAtTabs(line);
    EXPECT_EQ(s.tabs, c.tabs) << c.label;
    if (!c.pieces.empty()) {
      EXPECT_EQ(s.pieces, c.pieces) << c.label;
    }
  }
}

TEST(ShortPrint, DegenerateInternalPairHasNoWorkingPitchDiameters) {
  GearPair g = StandardInternalPair();
  g.dw1 = 20.0;
  g.dw2 = -80.0;
  std::vector<std::string> lines = Lines(ShortPrintText(g, kCaption));
  EXPECT_EQ(lines[9], "\t\t\tTyp ozubeni\t\t\t\t\t\t\t Vnitrni");
  EXPECT_EQ(SplitAtTabs(Find(lines, "Prumer valive kruznice")).pieces,
            (std::vector<std::string>{"Prumer valive kruznice", "dw", " 20.0000", "-80.0000"}));

  g.z2 = -g.z1;
  lines = Lines(ShortPrintText(g, kCaption));
  EXPECT_EQ(SplitAtTabs(Find(lines, "Prumer valive kruznice")).pieces,
            (std::vector<std::string>{"Prumer valive kruznice", "dw", "---", "---"}));
}

TEST(ShortPrint, RackHasNoWheelDimensions) {
  GearPair g = StandardExternalPair();
  g.rackMode = true;
  g.z2 = 5000.0;
  const std::vector<std::string> lines = Lines(ShortPrintText(g, kCaption));
  EXPECT_EQ(lines[8], "\t\t\t\t\t\t\t\t\tPastorek\t\t\t  Hreben");
  EXPECT_EQ(Find(lines, "Osova vzdalenost roztecna"), "");
  EXPECT_NE(Find(lines, "Osova vzdalenost pracovni"), "");
  for (const char* label :
       {"Pocet zubu", "Prumer patni kruznice", "Prumer zakladni kruznice ",
        "Prumer roztecne kruznice ", "Prumer valive kruznice", "Prumer hlavove kruznice",
        "Mira pres zuby      ", "Pocet merenych zubu ", "Rozmer pres kulicky ",
        "Prumer kulicky      "}) {
    EXPECT_EQ(SplitAtTabs(Find(lines, label)).pieces.back(), "---") << label;
  }
  // The rack's own addendum is printed.
  g.ha2 = 1.0;
  EXPECT_EQ(SplitAtTabs(Find(Lines(ShortPrintText(g, kCaption)), "Vyska hlavy zubu")).pieces.back(),
            "  1.0000");
}

TEST(ShortPrint, MeasurementSection) {
  GearPair g = StandardExternalPair();
  g.zw1 = 3;
  g.zw2 = 5;
  g.W1 = 7.66;
  g.db1 = 0.0;
  g.betaB = 0.0;
  const std::vector<std::string> lines = Lines(ShortPrintText(g, kCaption));
  const auto it = std::find(lines.begin(), lines.end(), "\t\t\tMereni ozubeni");
  ASSERT_NE(it, lines.end());
  EXPECT_EQ(*(it - 1), "");
  EXPECT_EQ(SplitAtTabs(Find(lines, "Pocet merenych zubu ")).pieces,
            (std::vector<std::string>{"Pocet merenych zubu ", "zw", "3", "5"}));
  // With db = 0 and a spur gear the anvil contact diameter is W itself.
  EXPECT_EQ(SplitAtTabs(*(it + 5)).pieces[2], "  7.6600");
  EXPECT_EQ(lines.size(), 46u);
}

TEST(ShortPrint, BevelPair) {
  GearPair g = StandardBevelPair();
  g.delta1 = std::atan(20.0 / 30.0);  // 33.690068° at a shaft angle of 90°
  const std::string text = ShortPrintText(g, kCaption);
  const std::vector<std::string> lines = Lines(text);
  EXPECT_EQ(lines[9], "\t\t\tTyp ozubeni\t\t\t\t\t\t\t Kuzelovy");
  const Split s = SplitAtTabs(Find(lines, "Uhel kuzele roztecneho"));
  EXPECT_EQ(s.tabs, (std::vector<int>{3, 2, 2, 3}));
  EXPECT_EQ(s.pieces[2], " 33.6901");
  EXPECT_EQ(SplitAtTabs(Find(lines, "Uhel os soukoli")).pieces.back(), " 90.0000");
  EXPECT_EQ(text.find("Mereni ozubeni"), std::string::npos);
  EXPECT_EQ(Find(lines, "Normalny modul   "), "");
  EXPECT_NE(Find(lines, "Merny skluz na hlave"), "");
}

TEST(ShortPrint, PrintsNoDiacritics) {
  for (GearPair g : {StandardExternalPair(), StandardInternalPair(), StandardBevelPair()}) {
    const std::string text = ShortPrintText(g, "Tabulka rozměrů - C:\\P1.txt");
    for (unsigned char c : text) ASSERT_LT(c, 0x80) << "gear type " << g.gearType;
  }
}

// ---------------------------------------------------------- table print

TEST(TablePrint, ImageHeightAndPageSplit) {
  // 2 + rows * (22 + 2)
  EXPECT_EQ(TableImageHeight(77), 1850);
  EXPECT_EQ(TableImageHeight(85), 2042);
  EXPECT_EQ(TableImageHeight(45), 1082);

  const struct {
    int gearType;
    int page2Height;
  } cylindrical[] = {{1, 581}, {2, 773}};
  for (const auto& c : cylindrical) {
    const int full = TableImageHeight(c.gearType == 2 ? 85 : 77);
    const std::vector<PrintPageImage> pages = TablePrintPages(test::TypeOf(c.gearType), full);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0].height, 1274);
    EXPECT_EQ(pages[0].divisor, 3130);
    ASSERT_EQ(pages[0].strips.size(), 1u);
    EXPECT_EQ(pages[0].strips[0].height, 1274);
    EXPECT_EQ(pages[1].height, c.page2Height);
    EXPECT_EQ(pages[1].divisor, 3130);
    ASSERT_EQ(pages[1].strips.size(), 2u);
    // Header row first, then the rest of the table below page 1.
    EXPECT_EQ(pages[1].strips[0].sourceTop, 0);
    EXPECT_EQ(pages[1].strips[0].targetTop, 0);
    EXPECT_EQ(pages[1].strips[0].height, 27);
    EXPECT_EQ(pages[1].strips[1].sourceTop, 1274);
    EXPECT_EQ(pages[1].strips[1].targetTop, 27);
    EXPECT_EQ(pages[1].strips[1].height, c.page2Height - 27);
    // Page 1 ends where row 53 begins (2 + 53 * 24); only the last, empty
    // row of 22 pixels is left off page 2.
    EXPECT_EQ(full - (1274 + c.page2Height - 27), 22);
  }

  const std::vector<PrintPageImage> bevel = TablePrintPages(GearType::Bevel, 1082);
  ASSERT_EQ(bevel.size(), 1u);
  EXPECT_EQ(bevel[0].height, 1082);
  EXPECT_EQ(bevel[0].divisor, 2700);
  EXPECT_EQ(bevel[0].strips[0].height, 1082);

  // A shorter image than the pages expect is copied as far as it goes.
  const std::vector<PrintPageImage> shortImage = TablePrintPages(GearType::External, 1000);
  EXPECT_EQ(shortImage[0].strips[0].height, 1000);
  EXPECT_EQ(shortImage[1].strips[1].height, 0);
}

TEST(TablePrint, TargetRectangle) {
  // Reference page 2338 x 3372: left 190, top 150, width 3.5 x image width,
  // height 1274 * 2.25 * 3372 / 3130 = 3088.13.
  PrintRect r = PrintTargetRect(2338, 3372, 600, 1274, 3130);
  EXPECT_EQ(r.left, 190);
  EXPECT_EQ(r.top, 150);
  EXPECT_EQ(r.right, 190 + 2100);
  EXPECT_EQ(r.bottom, 150 + 3088);

  // A4 at 600 dpi, 4960 x 7016: left 4960*190/2338 = 403.08, top
  // 7016*150/3372 = 312.10, width 600*3.5*4960/2338 = 4455.09, page 2 of
  // an external pair 581*2.25*7016/3130 = 2930.24, a bevel page
  // 1082*2.25*7016/2700 = 6326.09.
  r = PrintTargetRect(4960, 7016, 600, 581, 3130);
  EXPECT_EQ(r.left, 403);
  EXPECT_EQ(r.top, 312);
  EXPECT_EQ(r.right, 403 + 4455);
  EXPECT_EQ(r.bottom, 312 + 2930);
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

}  // namespace
}  // namespace kolmira
