// The dimension table: row counts, the fixed texts of a show, hand-computed
// cells of real pairs, the anchor rule, the places of symbols and stored
// texts, every row of the three layouts against a listing of them, and the
// plain-text rendering.
#include "report/DimensionTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <limits>
#include <sstream>
#include <tuple>
#include <vector>

#include "TestPairs.h"
#include "model/NumberText.h"
#include "report/DistinctState.h"

namespace kolmira {
namespace {

using test::DistinctState;
using test::StandardExternalPair;

constexpr int kPinion = 2;
constexpr int kPair = 3;
constexpr int kWheel = 4;

DimensionTable Shown(GearPair& g, std::string_view caption = kTableCaption) {
  DimensionTable table;
  table.Show(g, caption);
  return table;
}

TEST(DimensionTable, RowsFollowTheGearTypeOnEveryPaint) {
  GearPair g = StandardExternalPair();
  g.tablePrinting = true;
  DimensionTable table = Shown(g);
  EXPECT_FALSE(g.tablePrinting);  // a show leaves the printing mode
  for (auto [gearType, rows] : {std::pair{1, 77}, {2, 85}, {3, 45}}) {
    SCOPED_TRACE(gearType);
    g.gearType = test::TypeOf(gearType);
    EXPECT_EQ(table.RowCount(g), rows);
    EXPECT_EQ(TableRowCount(g.gearType), rows);
    // The last row exists, the one after it does not.
    EXPECT_EQ(table.Cell(g, 0, rows).text, "");
    EXPECT_EQ(table.Cell(g, kWheel, rows).text, "");
    EXPECT_EQ(ValueText(g, kPinion, rows), "");
  }
  // Nothing is stored outside the grid.
  EXPECT_EQ(table.Stored(kTableColumns, 3), "");
  EXPECT_EQ(table.Stored(0, kTableMaxRows), "");
  EXPECT_EQ(table.Stored(-1, 3), "");
}

// Cells of the standard pairs (20/40 external, 20/-80 internal, 20/30 bevel
// at 90°, module 1) with a few members set, computed by hand. One window is
// shown again for every case, as the program does: nothing of an earlier
// show may remain.
TEST(DimensionTable, HandComputedCells) {
  using G = GearPair;
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const struct {
    int gearType;
    std::vector<std::pair<double G::*, double>> reals;
    std::vector<std::pair<bool G::*, bool>> flags;
    std::vector<std::tuple<int, int, const char*>> cells;  // column, row, text
  } cases[] = {
      // clang-format off
      // A zero of five decimals ("-0.00000" too) is a bare "0"; one of three
      // decimals stays.
      {1, {{&G::x1, 0.0}, {&G::x2, -1e-9}, {&G::kStar, 0.0}, {&G::b, 0.0}}, {},
       {{kPinion, 15, "0"}, {kWheel, 15, "0"}, {kPair, 17, "0"}, {kPair, 38, " 0.000"},
        {kPinion, 43, " 0.000"}}},
      // Root thickness with the base circle on the root circle; the minimum
      // measuring width of a gear however little helical.
      {1, {{&G::db1, 18.0}, {&G::df1, 18.0}, {&G::db2, 18.0}, {&G::df2, 18.0}, {&G::sf1, 1.5},
           {&G::sf2, 1.75}, {&G::beta, 0.001}, {&G::b1min, 4.25}}, {},
       {{kPinion, 28, " 1.50000"}, {kWheel, 28, " 1.75000"}, {kPinion, 57, " 4.250"}}},
      // The heading of a rack; a wheel of 5000 teeth is still a wheel.
      {1, {{&G::z2, 5000.0}}, {{&G::rackMode, true}}, {{kWheel, 0, "   HŘEBEN"}}},
      {1, {{&G::z2, 5000.0}}, {}, {{kWheel, 0, "       KOLO"}, {kWheel, 3, "5000"}}},
      // The rack's chamfer (0.75 of module 1) starts below a tip of 1, not at
      // a tip of 0.75, and not without the chamfer.
      {1, {{&G::sFa2, 0.8}, {&G::ha2, 1.0}}, {{&G::rackMode, true}, {&G::chamfer2, true}},
       {{kWheel, 33, " 0.80000"}}},
      {1, {{&G::ha2, 0.75}}, {{&G::rackMode, true}, {&G::chamfer2, true}}, {{kWheel, 33, "---"}}},
      {1, {{&G::ha2, 1.0}}, {{&G::rackMode, true}}, {{kWheel, 33, "---"}}},
      // The ring's span contact diameter sqrt(W² + db²) = sqrt(100 + 5625) =
      // 75.66373 and its ball contact diameter carry one leading minus, a
      // small ring's too: sqrt(9 + 16) = 5. An external wheel's are positive.
      {2, {{&G::betaB, 0.0}, {&G::W2, 10.0}, {&G::db2, -75.0}, {&G::W1, 3.0}, {&G::db1, 4.0},
           {&G::dM2, -81.5}}, {},
       {{kWheel, 55, "-75.66373"}, {kPinion, 55, " 5.00000"}, {kWheel, 62, "-81.50000"}}},
      {2, {{&G::W2, 3.0}, {&G::db2, -4.0}}, {}, {{kWheel, 55, "-5.00000"}}},
      {1, {{&G::W2, 10.0}, {&G::db2, 75.0}, {&G::dM2, 81.5}}, {},
       {{kWheel, 55, "75.66373"}, {kWheel, 62, "81.50000"}}},
      // The headings of an internal pair and of its shaper cutter; back to an
      // external pair the cutter heading goes.
      {2, {}, {}, {{kWheel, 1, "       Vnitřní"}, {0, 76, "              OBRÁŽECÍ KOLEČKO"}}},
      {1, {}, {}, {{0, 76, ""}, {kWheel, 1, "       Vnější"}}},
      // A bevel pair: its headings and names, never a rack.
      {3, {}, {{&G::rackMode, true}},
       {{kWheel, 0, "       KOLO"}, {kPinion, 1, "      Kuželové"}, {kWheel, 1, "      Kuželové"},
        {0, 12, "Součet jednotkových korekcí"}, {1, 12, "[-]"}}},
      // Names of the measured chord: constant chord only when both gears are
      // measured so (the standard pairs are).
      {1, {}, {},
       {{0, 58, "Měřená konstant. tloušťka zubu"}, {0, 59, "Měřeno v konst. výšce (od hlavy)"}}},
      {1, {}, {{&G::scConst2, false}, {&G::scRef2, true}},
       {{0, 58, "Měřená tloušťka zubu"}, {0, 59, "Měřeno ve výšce (od hlavy)"}}},
      // A negative angle in degrees, minutes and seconds keeps its sign in
      // front.
      {1, {{&G::betaDeg, -20.5}}, {{&G::dmsMode, true}}, {{kPair, 7, "-20° 30'  0\""}}},
      // Texts are cut at 15 characters (° is one); what is not a number is
      // dashes, b/m of an unset module too.
      {1, {{&G::aw, 1e12}, {&G::mt, nan}, {&G::betaDeg, 123456789.5}, {&G::mn, 0.0}},
       {{&G::dmsMode, true}},
       {{kPair, 11, "1000000000000.0"}, {kPair, 6, "   ---"}, {kPair, 7, "123456789° 30' "},
        {kPair, 44, "   ---"}}},
      // clang-format on
  };
  DimensionTable table;
  for (const auto& c : cases) {
    GearPair g = c.gearType == 2   ? test::StandardInternalPair()
                 : c.gearType == 3 ? test::StandardBevelPair()
                                   : StandardExternalPair();
    for (const auto& [member, value] : c.reals) g.*member = value;
    for (const auto& [member, value] : c.flags) g.*member = value;
    table.Show(g, kTableCaption);
    for (const auto& [column, row, text] : c.cells) {
      EXPECT_EQ(table.Cell(g, column, row).text, text)
          << "gear type " << c.gearType << ", column " << column << ", row " << row;
    }
  }
}

TEST(DimensionTable, BacklashNameFollowsLastSetMode) {
  const char* both = "Norm.boční vůle zeslab.obou kol";
  const struct {
    bool thinBoth, thinPinion, thinWheel, byShift, byApart;
    double jn;
    const char* name;
  } cases[] = {
      {true, false, false, false, false, 0.1, both},
      {false, true, false, false, false, 0.1, "Norm.boční vůle zeslab.pastorku"},
      {false, false, true, false, false, 0.1, "Norm.boční vůle zeslabením kola"},
      // Thinning flags stay set in the other modes; the mode wins.
      {true, false, false, true, false, 0.1, "Norm.boční vůle přídav. korekcí"},
      {true, false, false, false, true, 0.1, "Norm.boční vůle odsunutím kol"},
      {false, false, false, false, true, 0.0, "Normálná boční vůle"},
      {true, false, false, false, false, 1e-13, "Normálná boční vůle"},
      {true, false, false, false, false, 1e-12, both},
  };
  for (const auto& c : cases) {
    GearPair g = StandardExternalPair();
    g.thinBoth = c.thinBoth, g.thinPinion = c.thinPinion, g.thinWheel = c.thinWheel;
    g.backlashByShift = c.byShift, g.jnByApart = c.byApart, g.jn = c.jn;
    EXPECT_EQ(Shown(g).Stored(0, 2), c.name) << c.name << " jn " << c.jn;
  }
}

TEST(DimensionTable, BacklashNameWithoutModeKeepsThePreviousOne) {
  GearPair g = StandardExternalPair();
  g.thinBoth = false, g.jn = 0.1;
  DimensionTable table = Shown(g);
  EXPECT_EQ(table.Stored(0, 2), "");  // fresh window

  g.thinWheel = true;
  table.Show(g, kTableCaption);
  g.thinWheel = false;
  table.Show(g, kTableCaption);
  EXPECT_EQ(table.Stored(0, 2), "Norm.boční vůle zeslabením kola");

  // A bevel table in between does not leave its ratio as the backlash name.
  g.gearType = GearType::Bevel;
  table.Show(g, kTableCaption);
  EXPECT_EQ(table.Stored(0, 2), "Převodový poměr");
  g.gearType = GearType::External;
  table.Show(g, kTableCaption);
  EXPECT_EQ(table.Stored(0, 2), "Norm.boční vůle zeslabením kola");
}

TEST(DimensionTable, TitleCellFromCaption) {
  const struct {
    const char* caption;
    const char* title;
    const char* printed;
  } cases[] = {
      {"Tabulka rozměrů - C:\\pary\\soukoli.txt", "soukoli.txt", "soukoli.txt"},
      {"Tabulka rozměrů - D:pastorek.txt", "pastorek.txt", "pastorek.txt"},
      {"Tabulka rozměrů - kolo.txt", "kolo.txt", "kolo.txt"},
      {"Tabulka rozměrů", "          Název", ""},
      {"Tabulka rozměrů - C:\\pary\\", "          Název", ""},
  };
  for (const auto& c : cases) {
    GearPair g = StandardExternalPair();
    DimensionTable table = Shown(g, c.caption);
    EXPECT_EQ(table.Stored(0, 0), c.title) << c.caption;
    EXPECT_EQ(CaptionFileName(c.caption), c.printed) << c.caption;
  }
  GearPair g = StandardExternalPair();
  DimensionTable table = Shown(g);
  // Printed, a table of no file has an empty title cell; the window's title
  // comes back afterwards.
  const std::string previous = table.BeginPrintTitle(kTableCaption);
  EXPECT_EQ(previous, "          Název");
  EXPECT_EQ(table.Stored(0, 0), "");
  table.SetStored(0, 0, previous);
  EXPECT_EQ(table.Stored(0, 0), "          Název");
  EXPECT_EQ(table.Stored(1, 0), "Rozměr");
  EXPECT_EQ(table.Stored(kPinion, 0), " PASTOREK");
  EXPECT_EQ(table.Stored(kPinion, 1), "       Vnější");
}

TEST(DimensionTable, AnchorPrefixOfDecimalDmsAndWholeTexts) {
  const struct {
    const char* text;
    const char* prefix;
  } cases[] = {
      {"  12.34567", "  12"},  // decimal point on the anchor
      {"-75.66373", "-75"},
      {"20° 30'  0\"", "20° 30'"},  // minutes mark left of the anchor
      {"12° 20'  44.2\"", "12° 20'"},
      {"20", "2"},  // a whole number ends one digit right of the anchor
      {"5000", "500"},
      {"0", "0"},  // ...but a bare zero ends on it
      {"---", "--"},
      {"12'", "12"},  // never the last character
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(AnchorPrefix(c.text), c.prefix) << c.text;
}

// Latin letters of a symbol stand at x 214, 3 px below the cell top; Greek
// ones at 214 on the top in 10 pt; the second letter of a contact ratio at
// 224, 7 px down in 9 pt; the subscript 8 px down right after its main letter
// (222; 224 after ψ, 225 after the wide m). These rows place a piece apart.
TEST(DimensionTable, PlacesOfTheSymbolPieces) {
  struct Unusual {
    int gearType, row;
    char piece;  // 'L'atin, 'G'reek, 'S'ubscript
    int x, dy = -1, pt = 0;
  };
  const Unusual unusual[] = {
      {1, 2, 'L', 216},        {1, 16, 'L', 203},       {3, 11, 'L', 203},    {1, 17, 'L', 218},
      {1, 48, 'L', 197},       {1, 49, 'L', 197},       {1, 50, 'L', 197},    {1, 55, 'L', 210},
      {1, 62, 'L', 210},       {1, 57, 'L', 209},       {1, 69, 'L', 204},    {1, 71, 'L', 200},
      {1, 74, 'L', 200},       {1, 75, 'L', 204, 1},    {1, 78, 'L', 213},    {1, 10, 'G', 210},
      {1, 66, 'G', 213},       {1, 70, 'G', 204},       {1, 72, 'G', 200},    {1, 73, 'G', 200},
      {1, 49, 'G', 206, 9, 7}, {1, 50, 'G', 206, 9, 7}, {1, 43, 'G', 214, 1}, {1, 44, 'G', 214, 1},
      {3, 12, 'G', 206},  // the sum sign of "Σx" stands before its letter
      {1, 48, 'S', 207},       {1, 49, 'S', 214},       {1, 50, 'S', 214},    {1, 57, 'S', 218},
  };
  for (int gearType : {1, 2, 3}) {
    for (int row = 0; row < kTableMaxRows; ++row) {
      SCOPED_TRACE("gear type " + std::to_string(gearType) + ", row " + std::to_string(row));
      const TableSymbol s = RowSymbol(test::TypeOf(gearType), row);
      struct {
        int x, dy, pt;
      } latin{214, 3, 10}, greek{214, 0, 10},
          sub{s.latin == "m"   ? 225
              : s.greek == "ψ" ? 224
                               : 222,
              8, 8};
      for (const Unusual& u : unusual) {
        if (u.row != row || u.gearType != (gearType == 3 ? 3 : 1)) continue;
        auto& piece = u.piece == 'L' ? latin : u.piece == 'G' ? greek : sub;
        piece.x = u.x;
        if (u.dy >= 0) piece.dy = u.dy;
        if (u.pt != 0) piece.pt = u.pt;
      }
      EXPECT_EQ(s.latinX, latin.x);
      EXPECT_EQ(s.latinDy, latin.dy);
      EXPECT_EQ(s.greekX, greek.x);
      EXPECT_EQ(s.greekDy, greek.dy);
      EXPECT_EQ(s.greekPt, greek.pt);
      EXPECT_EQ(s.greekSecondX, 224);
      EXPECT_EQ(s.greekSecondDy, 7);
      EXPECT_EQ(s.greekSecondPt, 9);
      EXPECT_EQ(s.subscriptX, sub.x);
      EXPECT_EQ(s.subscriptDy, sub.dy);

      // "Poměr b/m" with its n, "Poměr b/L" with e and the second "Poměr b/d" with vm.
      const NameSubscript name = RowNameSubscript(test::TypeOf(gearType), row);
      const bool n = gearType != 3 && row == 44, e = gearType == 3 && row == 28,
                 vm = gearType == 3 && row == 38;
      EXPECT_EQ(name.text, n ? "n" : e ? "e" : vm ? "vm" : "");
      EXPECT_EQ(name.x, n ? 71 : e || vm ? 67 : 0);
      EXPECT_EQ(name.dy, 8);
    }
  }
}

// The header row in 12 pt bold italic (its unit cell in 8 pt), the names
// bold, everything else 10 pt regular; stored texts at (left, top + 2), the
// unit column at (left + 6, top) and its header at (left + 4, top + 3).
TEST(DimensionTable, FontAndPlaceOfStoredTexts) {
  const struct {
    int column, row, pointSize;
    bool bold, italic;
    int dx, dy;
  } cases[] = {
      {0, 0, 12, true, true, 0, 2},   {1, 0, 8, true, true, 4, 3},
      {2, 0, 12, true, true, 0, 2},   {4, 0, 12, true, true, 0, 2},
      {0, 1, 10, true, false, 0, 2},  {0, 53, 10, true, false, 0, 2},
      {1, 1, 10, false, false, 6, 0}, {1, 44, 10, false, false, 6, 0},
      {2, 1, 10, false, false, 0, 2}, {3, 20, 10, false, false, 0, 2},
      {4, 1, 10, false, false, 0, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("column " + std::to_string(c.column) + ", row " + std::to_string(c.row));
    const StoredTextStyle style = StoredStyle(c.column, c.row);
    EXPECT_EQ(style.pointSize, c.pointSize);
    EXPECT_EQ(style.bold, c.bold);
    EXPECT_EQ(style.italic, c.italic);
    EXPECT_EQ(style.dx, c.dx);
    EXPECT_EQ(style.dy, c.dy);
  }
}

// ------------------------------------------------- every row of every layout

// How the listing below writes a value: F w.d, a whole number, an angle held in
// degrees or in radians (F 8.5 or degrees-minutes-seconds), a ring diameter
// (negative, F 8.5).
enum Fmt { kF85, kF63, kF64, kF20, kF32, kInt, kDeg, kRad, kRing };
using G = GearPair;
using Formula = double (*)(const GearPair&);

// A value cell of the listing: a fixed text ("" for a cell not drawn), or
// the member (or the formula over members) it shows and its format.
struct Shows {
  const char* text = "";
  Fmt fmt = kF85;
  double G::*member = nullptr;
  Formula formula = nullptr;
  Shows() = default;
  Shows(const char* fixed) : text(fixed) {}
  Shows(Fmt f, double G::*m) : text(nullptr), fmt(f), member(m) {}
  Shows(Fmt f, Formula fn) : text(nullptr), fmt(f), formula(fn) {}
};
const Shows kDash = "---";

std::string Expected(const GearPair& g, const Shows& s) {
  if (s.text != nullptr) return s.text;
  double v = s.member != nullptr ? g.*s.member : s.formula(g);
  if (s.fmt == kInt) return std::to_string(static_cast<int>(v));
  if (s.fmt == kRad) v *= 180.0 / 3.141592653589793;
  if ((s.fmt == kDeg || s.fmt == kRad) && g.dmsMode) return FormatDmsTable(v);
  if (s.fmt == kRing) v = -std::fabs(v);
  constexpr int kWidth[] = {8, 6, 6, 2, 3}, kDecimals[] = {5, 3, 4, 0, 2};
  const int f = s.fmt <= kF32 ? s.fmt : kF85;
  char text[64];
  std::snprintf(text, sizeof text, "%*.*f", kWidth[f], kDecimals[f], v);
  return text;
}

// One row of a layout as the listing gives it. `rack` is what a pinion
// meshing with a rack shows instead of the wheel value (of the pair value in
// rows 11 to 13, which have no wheel value).
struct Row {
  int row;
  const char* symbol;
  const char* unit;
  Shows pinion = {}, pair = {}, wheel = {}, rack = {};
};

double SpanContact(const GearPair& g, double W, double db) {
  return std::sqrt(std::pow(W * std::cos(g.betaB), 2) + db * db);
}

// clang-format off
const std::vector<Row> kCylindricalListing = {
    {2, "j_n", "[mm]", {}, {kF64, &G::jn}, {}},
    {3, "z", "[-]", {kF20, &G::z1}, {}, {kF20, &G::z2}, kDash},
    {4, "z_n", "[-]", {kF63, &G::zn1}, {}, {kF63, &G::zn2}, kDash},
    {5, "m_n", "[mm]", {}, {kF63, &G::mn}, {}},
    {6, "m_t", "[mm]", {}, {kF63, &G::mt}, {}},
    {7, "β", "[°]", {}, {kDeg, &G::betaDeg}, {}},
    {8, "β_b", "[°]", {}, {kDeg, &G::betaBDeg}, {}},
    {9, "α_t", "[°]", {}, {kDeg, &G::alphaTDeg}, {}},
    {10, "α_wt", "[°]", {}, {kRad, &G::alphaWt}, {}},
    {11, "a", "[mm]", {}, {kF85, &G::aw}, {}, kDash},
    {12, "a_d", "[mm]", {}, {kF85, &G::a}, {}, kDash},
    {13, "a_jn", "[mm]", {}, {kF85, &G::aw}, {}, kDash},
    {14, "x_jn", "[-]", {kF85, &G::x1}, {kF85, &G::xSum}, {kF85, &G::x2}, "0"},
    {15, "x", "[-]", {kF85, &G::x1}, {kF85, &G::xSum}, {kF85, &G::x2}, "0"},
    {16, "x·m_n", "[mm]", {kF85, [](const G& g) { return g.x1 * g.mn; }}, {},
         {kF85, [](const G& g) { return g.x2 * g.mn; }}, "0"},
    {17, "k*", "[-]", {}, {kF85, &G::kStar}, {}},
    {18, "d_f", "[mm]", {kF85, &G::df1}, {}, {kF85, &G::df2}, kDash},
    {19, "d_b", "[mm]", {kF85, &G::db1}, {}, {kF85, &G::db2}, kDash},
    {20, "d_Ff", "[mm]", {kF85, &G::dFf1}, {}, {kF85, &G::dFf2}, kDash},
    {21, "d_Nf", "[mm]", {kF85, &G::dNf1}, {}, {kF85, &G::dNf2}, kDash},
    {22, "d_w", "[mm]", {kF85, &G::dw1}, {}, {kF85, &G::dw2}, kDash},
    {23, "d", "[mm]", {kF85, &G::d1}, {}, {kF85, &G::d2}, kDash},
    {24, "d_Na", "[mm]", {kF85, &G::dNa1}, {}, {kF85, &G::dNa2}, kDash},
    {25, "d_Fa", "[mm]", {kF85, &G::da1Eff}, {}, {kF85, &G::da2Eff}, kDash},
    {26, "d_a", "[mm]", {kF85, &G::da1}, {}, {kF85, &G::da2}, kDash},
    // A rack's form overlap: the depth of its straight flank less the depth
    // the pinion's tip reaches.
    {27, "c_F", "[mm]", {kF85, [](const G& g) { return (g.dNf1 - g.dFf1) / 2; }}, {},
         {kF85, [](const G& g) { return (g.dNf2 - g.dFf2) / 2; }},
         {kF85, [](const G& g) { return g.hFfRack - g.hfNRack; }}},
    {28, "s_f", "[mm]", {kF85, &G::sf1}, {}, {kF85, &G::sf2}, kDash},
    {29, "s_b", "[mm]", {kF85, &G::sb1}, {}, {kF85, &G::sb2}, kDash},
    {30, "s_Ff", "[mm]", {kF85, &G::sFf1}, {}, {kF85, &G::sFf2}},
    {31, "s_w", "[mm]", {kF85, &G::sw1}, {}, {kF85, &G::sw2}},
    {32, "s", "[mm]", {kF85, &G::sn1}, {}, {kF85, &G::sn2}},
    {33, "s_Fa", "[mm]", {kF85, &G::sFa1}, {}, {kF85, &G::sFa2}, {kF85, &G::sFa2}},
    {34, "s_a", "[mm]", {kF85, &G::sa1}, {}, {kF85, &G::sa2}},
    {35, "h_f", "[mm]", {kF85, [](const G& g) { return (g.d1 - g.df1) / 2; }}, {},
         {kF85, [](const G& g) { return (g.d2 - g.df2) / 2; }}, {kF85, &G::hf2}},
    {36, "h_a", "[mm]", {kF85, [](const G& g) { return (g.da1 - g.d1) / 2; }}, {},
         {kF85, [](const G& g) { return (g.da2 - g.d2) / 2; }}, {kF85, &G::ha2}},
    {37, "h", "[mm]", {kF85, [](const G& g) { return (g.da1 - g.df1) / 2; }}, {},
         {kF85, [](const G& g) { return (g.da2 - g.df2) / 2; }},
         {kF85, [](const G& g) { return g.ha2 + g.hf2; }}},
    {38, "b", "[mm]", {}, {kF63, &G::b}, {}},
    {39, "ev", "[mm]", {kF85, &G::Lev1}, {}, {kF85, &G::Lev2}},
    {40, "ev", "[mm]", {kF85, &G::LevF1}, {}, {kF85, &G::LevF2}},
    {41, "", "[-]", {kF85, &G::thetaF1}, {}, {kF85, &G::thetaF2}},
    {42, "", "[-]", {kF85, &G::thetaA1}, {}, {kF85, &G::thetaA2}},
    {43, "ψ_d", "[-]", {kF63, [](const G& g) { return g.b / g.d1; }}, {},
         {kF63, [](const G& g) { return g.b / g.d2; }}, "0"},
    {44, "ψ_m", "[-]", {}, {kF63, [](const G& g) { return g.b / g.mn; }}, {}},
    {45, "ε_α", "[-]", {}, {kF85, &G::epsAlpha}, {}},
    {46, "ε_β", "[-]", {}, {kF85, &G::epsBeta}, {}},
    {47, "ε_γ", "[-]", {}, {kF85, &G::epsGamma}, {}},
    {48, "L_pmax", "[mm]", {}, {kF85, &G::Lc1}, {}},
    {49, "ΣL_min", "[mm]", {}, {kF85, &G::LcMin}, {}},
    {50, "ΣL_max", "[mm]", {}, {kF85, &G::LcMax}, {}},
    {51, "p_t", "[mm]", {}, {kF85, &G::pt}, {}},
    {52, "p_tb", "[mm]", {}, {kF85, &G::pbt}, {}},
    {54, "W", "[mm]", {kF85, &G::W1}, {}, {kF85, &G::W2}, kDash},
    {55, "dW", "[mm]", {kF85, [](const G& g) { return SpanContact(g, g.W1, g.db1); }}, {},
         {kF85, [](const G& g) { return SpanContact(g, g.W2, g.db2); }}, kDash},
    {56, "z_w", "[-]", {kInt, [](const G& g) { return 1.0 * g.zw1; }}, {},
         {kInt, [](const G& g) { return 1.0 * g.zw2; }}, kDash},
    {57, "b_min", "[mm]", {kF63, &G::b1min}, {}, {kF63, &G::b2min}, kDash},
    {58, "s_c", "[mm]", {kF85, &G::sc1}, {}, {kF85, &G::sc2}},
    {59, "h_c", "[mm]", {kF85, &G::hc1}, {}, {kF85, &G::hc2}},
    {60, "M", "[mm]", {kF85, &G::M1}, {}, {kF85, &G::M2}, kDash},
    {61, "d_t", "[mm]", {kF85, &G::dt1}, {}, {kF85, &G::dt2}, kDash},
    {62, "dM", "[mm]", {kF85, &G::dM1}, {}, {kF85, &G::dM2}, kDash},
    {64, "h_aP*", "[-]", {kF85, &G::haP1Star}, {}, {kF85, &G::haP2Star}},
    {65, "c_P*", "[-]", {kF85, &G::cP1Star}, {}, {kF85, &G::cP2Star}},
    {66, "ρ_fP*", "[-]", {kF85, &G::rhofP1Star}, {}, {kF85, &G::rhofP2Star}},
    {67, "α_P", "[°]", {}, {kDeg, &G::alphaPDeg}, {}},
    {69, "h_aP0*", "[-]", {kF85, &G::haP01Star}, {}, {kF85, &G::haP02Star}},
    {70, "ρ_aP0*", "[-]", {kF85, &G::rhoaP01Star}, {}, {kF85, &G::rhoaP02Star}},
    {71, "h_FfP0*", "[-]", {kF85, &G::hFfP01Star}, {}, {kF85, &G::hFfP02Star}},
    {72, "α_KP0", "[°]", {kDeg, &G::alphaKP01Deg}, {}, {kDeg, &G::alphaKP02Deg}},
    {73, "α_prP0", "[°]", {kRad, &G::alphaprP01}, {}, {kRad, &G::alphaprP02}},
    {74, "h_FaP0*", "[-]", {kF85, &G::hFaP01Star}, {}, {kF85, &G::hFaP02Star}},
    {75, "pr_P0", "[mm]", {kF85, &G::prP01}, {}, {kF85, &G::prP02}},
    {77, "z_0", "[-]", kDash, {}, {kInt, [](const G& g) { return 1.0 * g.z0; }}},
    {78, "a_w0", "[mm]", kDash, {}, {kF85, &G::aw0}},
    {79, "x_0", "[-]", kDash, {}, {kF85, &G::x0}},
    {80, "d_a0", "[mm]", kDash, {}, {kF85, &G::da0}},
    {81, "s_a0", "[mm]", kDash, {}, {kF85, &G::sa0}},
    {82, "ρ_a0*", "[-]", kDash, {}, {kF85, &G::rhoa0Star}},
    {83, "ρ_f0*", "[-]", kDash, {}, {kF85, &G::rhof0Star}},
};

// Heights of a bevel gear at the outer transverse module.
double Outer(const GearPair& g) { return g.mn / g.mmt; }

const std::vector<Row> kBevelListing = {
    {2, "u", "[-]", {}, {kF63, [](const G& g) { return g.z2Bevel / g.z1Bevel; }}, {}},
    {3, "Σ", "[°]", {}, {kRad, &G::Sigma}, {}},
    {4, "z", "[-]", {kF20, &G::z1Bevel}, {}, {kF20, &G::z2Bevel}},
    {5, "m_t", "[mm]", {}, {kF63, &G::mn}, {}},
    {6, "m_tm", "[mm]", {}, {kF63, &G::mmt}, {}},
    {7, "β_m", "[°]", {}, {kDeg, &G::betaDeg}, {}},
    {8, "b", "[mm]", {}, {kF63, &G::b}, {}},
    {9, "L_e", "[mm]", {}, {kF63, &G::Le}, {}},
    {10, "x", "[-]", {kF85, &G::x1}, {}, {kF85, &G::x2}},
    {11, "x·m_t", "[mm]", {kF85, [](const G& g) { return g.x1 * g.mn; }}, {},
         {kF85, [](const G& g) { return g.x2 * g.mn; }}},
    {12, "Σx", "[-]", {}, {kF85, &G::xSum}, {}},
    {13, "d_f", "[mm]", {kF85, &G::dfe1}, {}, {kF85, &G::dfe2}},
    {14, "d", "[mm]", {kF85, &G::de1}, {}, {kF85, &G::de2}},
    {15, "d_a", "[mm]", {kF85, &G::dae1}, {}, {kF85, &G::dae2}},
    {16, "d_m", "[mm]", {kF85, [](const G& g) { return (1 - g.bToLe / 2) * g.de1; }}, {},
         {kF85, [](const G& g) { return (1 - g.bToLe / 2) * g.de2; }}},
    {17, "d_ai", "[mm]", {kF85, &G::dai1}, {}, {kF85, &G::dai2}},
    {18, "s_a", "[mm]", {kF85, &G::sa1Bevel}, {}, {kF85, &G::sa2Bevel}},
    {19, "s_ai", "[mm]", {kF85, &G::sa1}, {}, {kF85, &G::sa2}},
    {20, "h_f", "[mm]", {kF85, [](const G& g) { return g.hf1 * Outer(g); }}, {},
         {kF85, [](const G& g) { return g.hf2 * Outer(g); }}},
    {21, "h_a", "[mm]", {kF85, [](const G& g) { return g.ha1 * Outer(g); }}, {},
         {kF85, [](const G& g) { return g.ha2 * Outer(g); }}},
    {22, "h", "[mm]", {kF85, [](const G& g) { return g.h1 * Outer(g); }}, {},
         {kF85, [](const G& g) { return g.h2 * Outer(g); }}},
    {23, "δ_f", "[°]", {kRad, &G::deltaF1}, {}, {kRad, &G::deltaF2}},
    {24, "δ", "[°]", {kRad, &G::delta1}, {}, {kRad, &G::delta2}},
    {25, "δ_a", "[°]", {kRad, &G::deltaA1}, {}, {kRad, &G::deltaA2}},
    {26, "ψ_d", "[-]", {kF63, [](const G& g) { return g.b / g.de1; }}, {},
         {kF63, [](const G& g) { return g.b / g.de2; }}},
    {27, "ψ_m", "[-]", {}, {kF63, [](const G& g) { return g.b / g.mn; }}, {}},
    {28, "ψ_L", "[-]", {}, {kF63, &G::bToLe}, {}},
    {29, "", "[mm]", {kF63, [](const G& g) { return std::cos(g.delta1) * g.b; }}, {},
         {kF63, [](const G& g) { return std::cos(g.delta2) * g.b; }}},
    {30, "z_v", "[-]", {kF32, &G::z1}, {}, {kF32, &G::z2}},
    {31, "d_vm", "[mm]", {kF85, &G::d1}, {}, {kF85, &G::d2}},
    {32, "α_tw", "[°]", {}, {kDeg, &G::alphaWtDeg}, {}},
    {33, "", "[-]", {kF85, &G::thetaF1}, {}, {kF85, &G::thetaF2}},
    {34, "", "[-]", {kF85, &G::thetaA1}, {}, {kF85, &G::thetaA2}},
    {35, "ε_α", "[-]", {}, {kF85, &G::epsAlpha}, {}},
    {36, "ε_β", "[-]", {}, {kF85, &G::epsBeta}, {}},
    {37, "ε_γ", "[-]", {}, {kF85, &G::epsGamma}, {}},
    {38, "ψ_dv", "[-]", {kF63, [](const G& g) { return g.b / g.d1; }}, {},
         {kF63, [](const G& g) { return g.b / g.d2; }}},
    {39, "z_0", "[-]", {}, {kF63, [](const G& g) { return g.z1Bevel / std::sin(g.delta1); }}, {}},
    {40, "", "[-]", {kF63, [](const G& g) { return 1 / std::sin(g.delta1); }}, {},
         {kF63, [](const G& g) { return 1 / std::sin(g.delta2); }}},
    {41, "h_aP*", "[-]", {kF85, &G::haP1Star}, {}, {kF85, &G::haP2Star}},
    {42, "c_P*", "[-]", {kF85, &G::cP1Star}, {}, {kF85, &G::cP2Star}},
    {43, "ρ_fP*", "[-]", {kF85, &G::rhofP1Star}, {}, {kF85, &G::rhofP2Star}},
    {44, "α_P", "[°]", {}, {kDeg, &G::alphaPDeg}, {}},
};
// clang-format on

// A cell that shows something else than the listing in one state of a pass.
struct Instead {
  int row, column;
  Shows shows;
};

// Walks rows 2 to 84 of the table of `g`: symbol, unit and the three value
// cells against the listing, with the rack's cells when `rackMode` is set and
// the cells `instead`.
void ExpectEveryRow(const GearPair& g, const std::vector<Row>& listing,
                    const std::vector<Instead>& instead = {}) {
  // One window shown again for every pass: nothing of an earlier show, of
  // another layout or angle form, may remain.
  static DimensionTable table;
  table.FillFixedTexts(g, kTableCaption);
  const int rows = g.gearType == GearType::Internal ? 85 : g.gearType == GearType::Bevel ? 45 : 77;
  for (int row = 2; row < kTableMaxRows; ++row) {
    SCOPED_TRACE("gear type " + std::to_string(static_cast<int>(g.gearType)) + ", row " +
                 std::to_string(row) + (g.rackMode ? ", rack" : "") + (g.dmsMode ? ", DMS" : ""));
    const auto it =
        std::find_if(listing.begin(), listing.end(), [row](const Row& r) { return r.row == row; });
    const Row none{row, "", "", {}, {}, {}, {}};
    Row r = it != listing.end() ? *it : none;
    EXPECT_EQ(SymbolPlainText(RowSymbol(g.gearType, row)), r.symbol);
    if (row >= rows) r = none;
    if (row < rows) {
      const bool angle = std::string(r.unit) == "[°]";
      EXPECT_EQ(table.Stored(1, row), angle && g.dmsMode ? "" : r.unit);
    }
    const auto drawn = [](const Shows& s) { return s.text == nullptr || *s.text != '\0'; };
    if (g.rackMode && drawn(r.rack)) (drawn(r.wheel) ? r.wheel : r.pair) = r.rack;
    std::array<Shows, 3> cells = {r.pinion, r.pair, r.wheel};
    for (const Instead& i : instead) {
      if (i.row == row) cells[i.column - 2] = i.shows;
    }
    for (int column = 2; column <= 4; ++column) {
      const TableCell cell = table.Cell(g, column, row);
      EXPECT_EQ(cell.text, Expected(g, cells[column - 2])) << "column " << column;
      EXPECT_EQ(cell.anchored, drawn(cells[column - 2])) << "column " << column;
      // "Σ =" stands before the shift sums of rows 14 and 15.
      const bool sigma = g.gearType != GearType::Bevel && column == 3 && (row == 14 || row == 15);
      EXPECT_EQ(cell.pairSigma, sigma) << "column " << column;
    }
  }
}

// Cells of `rows` that show a dash in the pinion and wheel columns.
std::vector<Instead> Dashes(std::initializer_list<int> rows) {
  std::vector<Instead> dashes;
  for (int row : rows) {
    dashes.push_back({row, 2, kDash});
    dashes.push_back({row, 4, kDash});
  }
  return dashes;
}

// What the ring of an internal pair shows instead: its measuring and ball
// contact diameters negative, and no rack tool (the shaper cutter cuts it).
std::vector<Instead> Ring(GearType type, std::vector<Instead> instead = {}) {
  if (type != GearType::Internal) return instead;
  instead.push_back({55, 4, {kRing, [](const G& g) { return SpanContact(g, g.W2, g.db2); }}});
  instead.push_back({62, 4, {kRing, &G::dM2}});
  for (int row = 69; row <= 75; ++row) instead.push_back({row, 4, kDash});
  return instead;
}

TEST(DimensionTableRows, ExternalInternalAndRack) {
  ExpectEveryRow(DistinctState(GearType::External), kCylindricalListing);
  GearPair g = DistinctState(GearType::Internal);
  g.chamfer2 = false;  // the ring's tip is cut by the trimming, not a chamfer
  ExpectEveryRow(g, kCylindricalListing, Ring(g.gearType));

  g = DistinctState(GearType::External);
  g.rackMode = true;
  g.ha2 = g.mn * g.hFfP02Star + 0.5;  // the rack's chamfer starts below its tip
  ExpectEveryRow(g, kCylindricalListing);
}

TEST(DimensionTableRows, BevelPairInBothAngleForms) {
  GearPair g = DistinctState(GearType::Bevel);
  g.rackMode = true;  // never a rack in a bevel pair
  ExpectEveryRow(g, kBevelListing);
  g.dmsMode = true;
  ExpectEveryRow(g, kBevelListing);
}

TEST(DimensionTableRows, CellsThatFollowTheFlagsAndTheGeometry) {
  for (GearType type : {GearType::External, GearType::Internal}) {
    // No tool flags, no measured chords; the chamfer flag of the wheel counts
    // for an external pair only, the trimming for a ring only.
    GearPair g = DistinctState(type);
    g.chamfer1 = g.protuberance1 = g.protuberance2 = g.chordShown1 = g.chordShown2 = false;
    g.chamfer2 = type == GearType::Internal, g.tipTrimming = type == GearType::External;
    g.dmsMode = true;
    std::vector<Instead> instead = Ring(type, Dashes({25, 33, 58, 59, 71, 72, 73, 74, 75}));
    ExpectEveryRow(g, kCylindricalListing, instead);

    // Backlash by moving the gears apart and by an extra shift.
    g.jnByApart = g.backlashByShift = true;
    instead.push_back({10, 3, {kRad, &G::alphaWtJ}});
    instead.push_back({11, 3, {kF85, &G::awJ}});
    instead.push_back({14, 2, {kF85, &G::x1NoBacklash}});
    instead.push_back(
        {14, 4, {kF85, [](const G& g) { return g.xSumNoBacklash - g.x1NoBacklash; }}});
    instead.push_back({15, 3, {kF85, &G::xSumBacklash}});
    ExpectEveryRow(g, kCylindricalListing, instead);

    // Tips the chamfer does not cut, base circles outside the root circles, a
    // spur gear, a pair without working pitch circles.
    g = DistinctState(type);
    std::swap(g.da1Eff, g.da1);
    std::swap(g.da2Eff, g.da2);
    std::swap(g.db1, g.df1);
    std::swap(g.db2, g.df2);
    g.beta = 0.0, g.z2 = -g.z1;
    ExpectEveryRow(g, kCylindricalListing, Ring(type, Dashes({22, 25, 28, 31, 33, 57})));
  }
}

// ---------------------------------------------------------- plain text

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Character (not byte) position of the first `c` at or after `from`.
std::size_t CharPos(const std::string& line, char c, std::size_t fromByte = 0) {
  const std::size_t at = line.find(c, fromByte);
  return at == std::string::npos ? std::string::npos : Utf8Length(line.substr(0, at));
}

// The texts of a line between runs of two or more blanks.
std::vector<std::string> Words(const std::string& line) {
  std::vector<std::string> words;
  std::size_t at = 0;
  while ((at = line.find_first_not_of(' ', at)) != std::string::npos) {
    const std::size_t end = line.find("  ", at);
    words.push_back(line.substr(at, end - at));
    at = end;
  }
  return words;
}

TEST(DimensionTableText, OneLinePerRowWithValuesOnTheirAnchors) {
  GearPair g = StandardExternalPair();
  g.df1 = 17.5, g.db1 = 18.79385, g.d1 = 20.0;
  g.da1 = 122.0;  // three digits before the point
  g.df2 = 37.5;
  g.aw = 30.0, g.a = 30.0, g.dmsMode = true, g.betaDeg = 8.5;
  const std::vector<std::string> lines = Lines(DimensionTableText(g));
  ASSERT_EQ(lines.size(), 77u);

  // The decimal point of the pinion's diameters stands in one column, and a
  // tooth count ends one character right of it.
  const std::size_t point = CharPos(lines[18], '.');
  for (int row : {19, 23, 26}) EXPECT_EQ(CharPos(lines[row], '.'), point) << row;
  const std::size_t countEnd = CharPos(lines[3], '0', lines[3].find("20"));
  EXPECT_EQ(countEnd, point);

  // The wheel's points stand in one column whatever the length of the
  // pinion's value before them (three decimals in z_n, five in d_f).
  EXPECT_EQ(Utf8Length(lines[4].substr(0, lines[4].rfind('.'))),
            Utf8Length(lines[18].substr(0, lines[18].rfind('.'))));

  // Columns two characters apart: the names (the longest, "roztečné
  // kružnici" after 22 blanks, has 39 characters), the symbols (the longest,
  // "h_FfP0*", 7), the units (the longest, "Rozměr", 6), then the pinion
  // column, where stored texts start trimmed.
  EXPECT_EQ(CharPos(lines[2], 'j'), 41u);
  EXPECT_EQ(CharPos(lines[2], '['), 50u);
  EXPECT_EQ(CharPos(lines[0], 'R'), 50u);
  EXPECT_EQ(CharPos(lines[0], 'P'), 58u);
  EXPECT_EQ(CharPos(lines[1], 'V'), 58u);
  EXPECT_EQ(Words(lines[0]), (std::vector<std::string>{"Název", "Rozměr", "PASTOREK", "KOLO"}));
  EXPECT_EQ(Words(lines[1]), (std::vector<std::string>{"Typ ozubení", "Vnější", "Vnější"}));

  // Pair column: the minutes mark of an angle ends where the points begin.
  const std::size_t pairPoint = CharPos(lines[12], '.');
  EXPECT_EQ(CharPos(lines[11], '.'), pairPoint);
  EXPECT_EQ(CharPos(lines[7], '\'') + 1, pairPoint);
  EXPECT_EQ(lines[7].find("[°]"), std::string::npos);
}

// ------------------------------------------------------ grid and copying

TEST(DimensionTableGrid, ColumnsAndRowsOnScreenAndPrinted) {
  const struct {
    GridLines lines;
    std::array<int, 6> lefts;  // the columns, then the edge after the last
    std::array<int, 3> tops;   // rows 0, 1 and 53
  } cases[] = {
      // 240, 50, 100, 100, 100 with a 1-pixel line after each.
      {{1, false}, {0, 241, 292, 393, 494, 595}, {0, 23, 53 * 23}},
      // 2-pixel lines before and after each.
      {{2, true}, {2, 244, 296, 398, 500, 602}, {2, 26, 2 + 53 * 24}},
  };
  for (const auto& c : cases) {
    for (int column = 0; column <= kTableColumns; ++column) {
      EXPECT_EQ(GridColumnLeft(column, c.lines), c.lefts[column]) << column;
    }
    EXPECT_EQ(GridRowTop(0, c.lines), c.tops[0]);
    EXPECT_EQ(GridRowTop(1, c.lines), c.tops[1]);
    EXPECT_EQ(GridRowTop(53, c.lines), c.tops[2]);
    // Every anchor falls inside its value column, the symbols' place inside
    // the name column, and the grid inside the control.
    for (int i = 0; i < 3; ++i) {
      EXPECT_GT(kValueAnchorX[i], GridColumnLeft(2 + i, c.lines));
      EXPECT_LT(kValueAnchorX[i], GridColumnLeft(3 + i, c.lines) - c.lines.width);
    }
    EXPECT_LT(214, GridColumnLeft(1, c.lines) - c.lines.width);
    EXPECT_LT(GridColumnLeft(kTableColumns, c.lines), kTableGridWidth);
  }
}

TEST(DimensionTableGrid, CopiedCellsAsTheyShow) {
  GearPair g = StandardExternalPair();
  g.dw1 = 20.5, g.dw2 = 41.0, g.d1 = 20.0, g.d2 = 40.0;
  g.x1 = 0.0, g.xSum = 0.5, g.b = 10.0, g.mn = 1.0;
  g.protuberance1 = false;
  const DimensionTable table = Shown(g);
  const struct {
    int column1, row1, column2, row2;
    const char* text;
  } cases[] = {
      // A range given from its far corner; names without their leading
      // blanks and with their symbols, an empty pair cell between the gears.
      {4, 23, 0, 22,
       "valivé kružnice d_w\t[mm]\t20.50000\t\t41.00000\n"
       "roztečné kružnice d\t[mm]\t20.00000\t\t40.00000\n"},
      // The shift sum without its "Σ =", a zero as "0".
      {3, 15, 3, 15, "0.50000\n"},
      {2, 16, 2, 16, "0\n"},
      // A subscript of the name and a Greek symbol.
      {0, 44, 1, 44, "Poměr b/m_n ψ_m\t[-]\n"},
      {0, 47, 0, 47, "Součinitel trvání záběru celkový ε_γ\n"},
      // The header row, cut to the five columns.
      {0, 0, 9, 0, "Název\tRozměr\tPASTOREK\t\tKOLO\n"},
      // Cut to the 77 rows; the last one is empty.
      {2, 75, 2, 200, "---\n\n"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TableCellsText(table, g, c.column1, c.row1, c.column2, c.row2), c.text)
        << c.column1 << "," << c.row1;
  }
}

}  // namespace
}  // namespace kolmira
