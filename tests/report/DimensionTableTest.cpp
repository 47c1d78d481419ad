#include "report/DimensionTable.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>
#include <vector>

#include "TestPairs.h"
#include "model/NumberText.h"

namespace kolmira {
namespace {

using test::StandardBevelPair;
using test::StandardExternalPair;
using test::StandardInternalPair;

constexpr int kPinion = 2;
constexpr int kPair = 3;
constexpr int kWheel = 4;

DimensionTable Shown(GearPair& g, std::string_view caption = kTableCaption) {
  DimensionTable table;
  table.Show(g, caption);
  return table;
}

TEST(DimensionTable, RowCountFollowsGearTypeOnEveryPaint) {
  GearPair g = StandardExternalPair();
  DimensionTable table = Shown(g);
  const struct {
    int gearType;
    int rows;
  } cases[] = {{1, 77}, {2, 85}, {3, 45}};
  for (const auto& c : cases) {
    g.gearType = test::TypeOf(c.gearType);
    EXPECT_EQ(table.RowCount(g), c.rows) << "gear type " << c.gearType;
    EXPECT_EQ(TableRowCount(test::TypeOf(c.gearType)), c.rows);
    // The last row exists, the one after it does not.
    EXPECT_EQ(table.Cell(g, kWheel, c.rows).text, "");
  }
}

TEST(DimensionTable, ShowLeavesPrintingMode) {
  GearPair g = StandardExternalPair();
  g.tablePrinting = true;
  Shown(g);
  EXPECT_FALSE(g.tablePrinting);
}

TEST(DimensionTableValues, ZeroInFivePlaceCellIsBareZeroButThreePlaceZeroStays) {
  GearPair g = StandardExternalPair();
  g.x1 = 0.0;
  g.x2 = -1e-9;  // written "-0.00000", a zero as well
  g.kStar = 0.0;
  g.b = 0.0;
  DimensionTable table = Shown(g);

  const TableCell x1 = table.Cell(g, kPinion, 15);
  EXPECT_EQ(x1.text, "0");
  EXPECT_TRUE(x1.anchored);
  EXPECT_EQ(x1.anchorPrefix, "0");  // "0" ends on the anchor
  EXPECT_EQ(table.Cell(g, kWheel, 15).text, "0");
  EXPECT_EQ(table.Cell(g, kPair, 17).text, "0");
  // Face width and b/d are written with three decimals: no shortening.
  EXPECT_EQ(table.Cell(g, kPair, 38).text, " 0.000");
  EXPECT_EQ(table.Cell(g, kPinion, 43).text, " 0.000");
}

TEST(DimensionTableValues, DegenerateInternalPairHasNoWorkingPitchValues) {
  GearPair g = StandardInternalPair();
  g.dw1 = 20.0;
  g.dw2 = -80.0;
  g.sw1 = 1.5;
  g.sw2 = 1.6;
  DimensionTable table = Shown(g);
  // An ordinary internal pair shows its working pitch circles.
  EXPECT_EQ(table.Cell(g, kPinion, 22).text, "20.00000");
  EXPECT_EQ(table.Cell(g, kWheel, 22).text, "-80.00000");
  EXPECT_EQ(table.Cell(g, kWheel, 31).text, " 1.60000");

  g.z2 = -g.z1;  // reference centre distance 0: no pitch point at all
  for (int row : {22, 31}) {
    EXPECT_EQ(table.Cell(g, kPinion, row).text, "---") << "row " << row;
    EXPECT_EQ(table.Cell(g, kWheel, row).text, "---") << "row " << row;
  }
}

TEST(DimensionTableValues, AnglesInDegreesMinutesSeconds) {
  const struct {
    double degrees;
    const char* text;
    const char* prefix;
  } cases[] = {
      // 59.99999° = 59° 59' 59.964": the seconds round to 60.0, carry into
      // the minutes, and the 60 minutes carry into the degrees.
      {59.99999, "60° 0'  0\"", "60° 0'"},
      {20.5, "20° 30'  0\"", "20° 30'"},
      // 12.3456° = 12° 20.736' = 12° 20' 44.16"
      {12.3456, "12° 20'  44.2\"", "12° 20'"},
  };
  GearPair g = StandardExternalPair();
  g.dmsMode = true;
  DimensionTable table = Shown(g);
  for (const auto& c : cases) {
    g.betaDeg = c.degrees;
    const TableCell cell = table.Cell(g, kPair, 7);
    EXPECT_EQ(cell.text, c.text) << c.degrees;
    EXPECT_EQ(cell.anchorPrefix, c.prefix) << c.degrees;
    // Angles held in radians are converted before they are written.
    g.alphaWt = c.degrees * kPi / 180.0;
    EXPECT_EQ(table.Cell(g, kPair, 10).text, c.text) << c.degrees;
  }
  g.dmsMode = false;
  g.betaDeg = 59.99999;
  EXPECT_EQ(table.Cell(g, kPair, 7).text, "59.99999");
}

TEST(DimensionTableValues, WorkingAngleAndCentreDistanceOfMovedApartPair) {
  GearPair g = StandardExternalPair();
  g.aw = 30.0;
  g.awJ = 30.1;
  g.alphaWt = 20.0 * kDegToRad;
  g.alphaWtJ = 21.0 * kDegToRad;
  DimensionTable table = Shown(g);
  EXPECT_EQ(table.Cell(g, kPair, 11).text, "30.00000");
  EXPECT_EQ(table.Cell(g, kPair, 10).text, "20.00000");
  g.jnByApart = true;
  EXPECT_EQ(table.Cell(g, kPair, 11).text, "30.10000");
  EXPECT_EQ(table.Cell(g, kPair, 10).text, "21.00000");
  // The backlash-free centre distance stays.
  EXPECT_EQ(table.Cell(g, kPair, 13).text, "30.00000");
}

TEST(DimensionTableFixed, AngleUnitsOnlyInDecimalMode) {
  const struct {
    int gearType;
    std::vector<int> angleRows;
    std::vector<int> otherRows;
  } layouts[] = {
      {1, {7, 8, 9, 10, 67, 72, 73}, {2, 3, 5, 6, 11, 17, 64}},
      {3, {3, 7, 23, 24, 25, 32, 44}, {2, 4, 5, 12, 13, 43}},
  };
  for (const auto& layout : layouts) {
    GearPair g = layout.gearType == 3 ? StandardBevelPair() : StandardExternalPair();
    DimensionTable table;
    for (bool dms : {false, true, false}) {
      g.dmsMode = dms;
      table.Show(g, kTableCaption);
      for (int row : layout.angleRows) {
        EXPECT_EQ(table.Stored(1, row), dms ? "" : "[°]")
            << "gear type " << layout.gearType << " row " << row;
      }
      for (int row : layout.otherRows) {
        EXPECT_NE(table.Stored(1, row), "") << "gear type " << layout.gearType << " row " << row;
      }
    }
  }
}

TEST(DimensionTableRack, HeaderAndWheelColumn) {
  GearPair g = StandardExternalPair();
  g.rackMode = true;
  g.z2 = 5000.0;
  g.x2 = 0.37;
  g.ha2 = 1.0;
  g.hf2 = 1.25;
  g.sc2 = 1.234;
  g.hc2 = 0.9;
  g.sFf2 = 2.0;
  DimensionTable table = Shown(g);
  EXPECT_EQ(table.Stored(kWheel, 0), "   HŘEBEN");

  // The rack has no diameters, no centre distance and no shift of its own.
  for (int row : {3, 4, 18, 19, 20, 21, 22, 23, 24, 25, 26, 28, 29, 54, 55, 56, 57, 60, 61, 62}) {
    EXPECT_EQ(table.Cell(g, kWheel, row).text, "---") << "row " << row;
  }
  for (int row : {11, 12, 13}) EXPECT_EQ(table.Cell(g, kPair, row).text, "---") << row;
  for (int row : {14, 15, 16, 43}) EXPECT_EQ(table.Cell(g, kWheel, row).text, "0") << row;
  // Its heights are its own addendum and dedendum.
  EXPECT_EQ(table.Cell(g, kWheel, 35).text, " 1.25000");
  EXPECT_EQ(table.Cell(g, kWheel, 36).text, " 1.00000");
  EXPECT_EQ(table.Cell(g, kWheel, 37).text, " 2.25000");
  // Chordal thickness and its height are measured on the rack as well.
  EXPECT_EQ(table.Cell(g, kWheel, 58).text, " 1.23400");
  EXPECT_EQ(table.Cell(g, kWheel, 59).text, " 0.90000");
  EXPECT_EQ(table.Cell(g, kWheel, 30).text, " 2.00000");

  // The same pair with a wheel.
  g.rackMode = false;
  table.Show(g, kTableCaption);
  EXPECT_EQ(table.Stored(kWheel, 0), "       KOLO");
  EXPECT_EQ(table.Cell(g, kWheel, 3).text, "5000");
  EXPECT_EQ(table.Cell(g, kWheel, 15).text, " 0.37000");
}

TEST(DimensionTableRack, ChamferOfRackShownOnlyBelowItsTip) {
  GearPair g = StandardExternalPair();
  g.rackMode = true;
  g.chamfer2 = true;
  g.hFfP02Star = 0.75;
  g.sFa2 = 0.8;
  g.ha2 = 1.0;
  DimensionTable table = Shown(g);
  EXPECT_EQ(table.Cell(g, kWheel, 33).text, " 0.80000");
  g.ha2 = 0.75;  // chamfer height equal to the addendum: no chamfer edge
  EXPECT_EQ(table.Cell(g, kWheel, 33).text, "---");
  g.ha2 = 1.0;
  g.chamfer2 = false;
  EXPECT_EQ(table.Cell(g, kWheel, 33).text, "---");
}

TEST(DimensionTableInternal, RingDiametersCarryOneLeadingMinus) {
  GearPair g = StandardInternalPair();
  g.betaB = 0.0;
  g.W2 = 10.0;
  g.db2 = -75.0;
  g.W1 = 3.0;
  g.db1 = 4.0;
  g.dM2 = -81.5;  // the ring's contact diameter is held negative
  DimensionTable table = Shown(g);
  // Span contact diameter sqrt(W² + db²) = sqrt(100 + 5625) = 75.6637298
  EXPECT_EQ(table.Cell(g, kWheel, 55).text, "-75.66373");
  EXPECT_EQ(table.Cell(g, kPinion, 55).text, " 5.00000");  // sqrt(9 + 16)
  EXPECT_EQ(table.Cell(g, kWheel, 62).text, "-81.50000");
  EXPECT_EQ(table.Cell(g, kWheel, 55).anchorPrefix, "-75");

  // A small ring keeps the sign next to its digits.
  g.W2 = 3.0;
  g.db2 = -4.0;
  EXPECT_EQ(table.Cell(g, kWheel, 55).text, "-5.00000");

  // An external wheel shows the same quantities positive.
  g.gearType = GearType::External;
  g.W2 = 10.0;
  g.db2 = 75.0;
  g.dM2 = 81.5;
  EXPECT_EQ(table.Cell(g, kWheel, 55).text, "75.66373");
  EXPECT_EQ(table.Cell(g, kWheel, 62).text, "81.50000");
}

TEST(DimensionTableInternal, RackToolRowsOfRingAreEmptyAndCutterRowsShown) {
  GearPair g = StandardInternalPair();
  g.chamfer2 = true;
  g.protuberance2 = true;
  DimensionTable table = Shown(g);
  EXPECT_EQ(table.Stored(kWheel, 1), "       Vnitřní");
  EXPECT_EQ(table.Stored(0, 76), "              OBRÁŽECÍ KOLEČKO");
  for (int row = 69; row <= 75; ++row) {
    EXPECT_EQ(table.Cell(g, kWheel, row).text, "---") << "row " << row;
  }
  EXPECT_EQ(table.Cell(g, kPinion, 77).text, "---");
  EXPECT_EQ(table.Cell(g, kWheel, 77).text, "35");  // default cutter: 35 teeth
  EXPECT_EQ(table.Cell(g, kWheel, 80).text, "37.50000");

  // Back to an external pair: the cutter heading goes.
  g.gearType = GearType::External;
  table.Show(g, kTableCaption);
  EXPECT_EQ(table.Stored(0, 76), "");
  EXPECT_EQ(table.Stored(kWheel, 1), "       Vnější");
  EXPECT_EQ(table.Cell(g, kWheel, 71).text, " 0.75000");
}

TEST(DimensionTableBevel, LayoutAndCrownGearRatios) {
  GearPair g = StandardBevelPair();
  g.rackMode = true;  // never a rack in a bevel pair
  // Shaft angle 90°: tan δ1 = z1/z2.
  g.delta1 = std::atan(20.0 / 30.0);
  g.delta2 = kPi / 2.0 - g.delta1;
  DimensionTable table = Shown(g);
  EXPECT_EQ(table.RowCount(g), 45);
  EXPECT_EQ(table.Stored(kWheel, 0), "       KOLO");
  EXPECT_EQ(table.Stored(kPinion, 1), "      Kuželové");
  EXPECT_EQ(table.Stored(0, 12), "Součet jednotkových korekcí");
  EXPECT_EQ(table.Stored(1, 12), "[-]");
  EXPECT_EQ(table.Cell(g, kPair, 2).text, " 1.500");  // u = 30/20
  EXPECT_EQ(table.Cell(g, kPinion, 4).text, "20");
  EXPECT_EQ(table.Cell(g, kPinion, 4).anchorPrefix, "2");
  // Ratio to the crown gear 1/sin δ: sqrt(20² + 30²)/20 = 1.80278 and /30 = 1.20185.
  EXPECT_EQ(table.Cell(g, kPinion, 40).text, " 1.803");
  EXPECT_EQ(table.Cell(g, kWheel, 40).text, " 1.202");
  // Pitch cone angle atan(2/3) = 33.690068°.
  EXPECT_EQ(table.Cell(g, kPinion, 24).text, "33.69007");
  EXPECT_EQ(table.Cell(g, kPair, 3).text, "90.00000");
}

TEST(DimensionTableFixed, BacklashNameFollowsLastSetMode) {
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
    g.thinBoth = c.thinBoth;
    g.thinPinion = c.thinPinion;
    g.thinWheel = c.thinWheel;
    g.backlashByShift = c.byShift;
    g.jnByApart = c.byApart;
    g.jn = c.jn;
    EXPECT_EQ(Shown(g).Stored(0, 2), c.name) << c.name << " jn " << c.jn;
  }
}

TEST(DimensionTableFixed, BacklashNameWithoutModeKeepsThePreviousOne) {
  GearPair g = StandardExternalPair();
  g.thinBoth = false;
  g.jn = 0.1;
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

TEST(DimensionTableFixed, MeasuredThicknessNamesFollowBothMethods) {
  GearPair g = StandardExternalPair();
  DimensionTable table = Shown(g);
  EXPECT_EQ(table.Stored(0, 58), "Měřená konstant. tloušťka zubu");
  EXPECT_EQ(table.Stored(0, 59), "Měřeno v konst. výšce (od hlavy)");
  g.scConst2 = false;
  g.scRef2 = true;
  table.Show(g, kTableCaption);
  EXPECT_EQ(table.Stored(0, 58), "Měřená tloušťka zubu");
  EXPECT_EQ(table.Stored(0, 59), "Měřeno ve výšce (od hlavy)");
}

TEST(DimensionTableFixed, TitleCellFromCaption) {
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

TEST(AnchorPrefix, DecimalDmsAndWholeTexts) {
  const struct {
    const char* text;
    const char* prefix;
  } cases[] = {
      {"  12.34567", "  12"},       // decimal point on the anchor
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

TEST(DimensionTableValues, TextsAreCutAtFifteenCharactersAndNeverNaN) {
  GearPair g = StandardExternalPair();
  g.aw = 1e12;
  g.mt = std::numeric_limits<double>::quiet_NaN();
  g.dmsMode = true;
  g.betaDeg = 123456789.5;
  DimensionTable table = Shown(g);
  EXPECT_EQ(table.Cell(g, kPair, 11).text, "1000000000000.0");
  EXPECT_EQ(table.Cell(g, kPair, 6).text, "   ---");
  EXPECT_EQ(table.Cell(g, kPair, 7).text, "123456789° 30' ");  // 15 characters, ° is one
  g.mn = 0.0;                                                  // b/m of an unset module
  EXPECT_EQ(table.Cell(g, kPair, 44).text, "   ---");
}

TEST(DimensionTableSymbols, GreekLettersSubscriptsAndStars) {
  const struct {
    int gearType, row;
    const char* text;
  } cases[] = {
      {1, 10, "α_wt"},  {1, 20, "d_Ff"}, {1, 45, "ε_α"},   {1, 49, "ΣL_min"},
      {1, 64, "h_aP*"}, {1, 17, "k*"},   {1, 16, "x·m_n"}, {1, 83, "ρ_f0*"},
      {3, 12, "Σx"},    {3, 24, "δ"},    {3, 37, "ε_γ"},   {1, 41, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SymbolPlainText(RowSymbol(test::TypeOf(c.gearType), c.row)), c.text)
        << "gear type " << c.gearType << " row " << c.row;
  }
  EXPECT_EQ(RowNameSubscript(GearType::External, 44).text, "n");
  EXPECT_EQ(RowNameSubscript(GearType::Bevel, 38).text, "vm");
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

TEST(DimensionTableText, OneLinePerRowWithValuesOnTheirAnchors) {
  GearPair g = StandardExternalPair();
  g.df1 = 17.5;
  g.db1 = 18.79385;
  g.d1 = 20.0;
  g.da1 = 122.0;  // three digits before the point
  g.df2 = 37.5;
  g.aw = 30.0;
  g.a = 30.0;
  g.dmsMode = true;
  g.betaDeg = 8.5;
  const std::vector<std::string> lines = Lines(DimensionTableText(g));
  ASSERT_EQ(lines.size(), 77u);
  EXPECT_NE(lines[0].find("Název"), std::string::npos);

  // The decimal point of the pinion's diameters stands in one column, and a
  // tooth count ends one character right of it.
  const std::size_t point = CharPos(lines[18], '.');
  for (int row : {19, 23, 26}) EXPECT_EQ(CharPos(lines[row], '.'), point) << row;
  const std::size_t countEnd = CharPos(lines[3], '0', lines[3].find("20"));
  EXPECT_EQ(countEnd, point);

  // Pair column: the minutes mark of an angle ends where the points begin.
  const std::size_t pairPoint = CharPos(lines[12], '.');
  EXPECT_EQ(CharPos(lines[11], '.'), pairPoint);
  EXPECT_EQ(CharPos(lines[7], '\'') + 1, pairPoint);
  EXPECT_EQ(lines[7].find("[°]"), std::string::npos);
}

}  // namespace
}  // namespace kolmira
