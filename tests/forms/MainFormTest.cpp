// The main dialog as its user meets it: the start, the bounds and messages
// of every field and the formats they are written in, the gear types and
// rack mode, the computational group and keeping the shifts, the angle
// forms, the basic rack, the commands and the help contexts.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "TestPairs.h"
#include "engine/Involute.h"
#include "engine/PairGeometry.h"
#include "files/InputFile.h"
#include "forms/Program.h"
#include "model/NumberText.h"

namespace kolmira {
namespace {

using test::Deg;
using test::Program;
using MainFormTest = test::ProgramTest;
using Steps = std::vector<std::pair<int, std::string>>;  // fields entered first

// Full round root of a basic rack whose mating tool has the addendum ha
// (haP* + cP*): (pi/4 - ha tan aP) cos aP / (1 - sin aP).
double FullRoundRoot(double ha, double alphaP = Deg(20)) {
  return (kPi / 4.0 - ha * std::tan(alphaP)) * std::cos(alphaP) / (1.0 - std::sin(alphaP));
}

TEST_F(MainFormTest, StartShowsTheDefaultPairAndTheDialogsChoices) {
  // Every field in its format: module 6:4, teeth 4:1, helix 6:4, face width
  // 5:2, shift sum, shifts, centre distance and working angle 8:6, basic
  // rack 6:4, profile and shaft angles 7:4, tips 7:5 ((z + 2) mn), backlash
  // 4:3.
  EXPECT_EQ(Texts(1, 21),
            "1.0000|20.0|40.0|0.0000|10.00|0.000000|0.000000|0.000000|30.000000|20.000000|"
            "1.0000|1.0000|0.2500|0.2500|0.3800|0.3800|20.0000|22.00000|42.00000|90.0000|0.000");
  EXPECT_EQ(Flags({"GearExternal", "GearInternal", "GearBevel", "CheckButton", "HelpButton",
                   "FellowButton", "Dec", "Dms", "Standard", "NonStandard", "KeepShifts", "Edit20",
                   "Edit21", "TabMeasure"}),
            "GearExternal:checked,bold GearInternal GearBevel CheckButton:bold HelpButton:hidden "
            "FellowButton:hidden Dec:checked Dms Standard:checked NonStandard:disabled KeepShifts "
            "Edit20:hidden Edit21 TabMeasure");
  EXPECT_EQ(Focused(), "CheckButton");
  EXPECT_EQ(main.activeTab(), 0);
  EXPECT_TRUE(main.resultsStale());
  // The shaper cutter's defaults, and the rest of what the dialog's show sets.
  EXPECT_EQ(Values("da0 aw0 rackHaLimit dmsMode lastInputField"),
            "da0=37.5 aw0=-47.5 rackHaLimit=1 dmsMode=0 lastInputField=0");
  // The fields answer to the state variables they edit.
  const std::vector<std::string> names = Split(
      "|mn|z1|z2|betaDeg|b|xSum|x1|x2|aw|alphaWtDeg|haP1Star|haP2Star|cP1Star|cP2Star|rhofP1Star|"
      "rhofP2Star|alphaPDeg|da1|da2|SigmaDeg|jn|");
  for (int n = 0; n <= 22; ++n) {
    EXPECT_EQ(FieldVariable(n), names[n]) << n;
    EXPECT_EQ(main.Find(names[n]), names[n].empty() ? 0 : static_cast<int>(FieldControl(n)));
  }
}

TEST(MainForm, EachGearTypeWritesItsDefaultsInTheFieldsFormats) {
  // 20/-80: the ring's tips leave the clearance 0.25 at the mating root,
  // da1 = 2 (aw - 0.25) - df2 = 22 and da2 = 2 (aw - 0.25) - df1 = -78
  // (df1 = 17.5, df2 = -82.5); the ring's fillet is cut by the cutter (0).
  // Bevel: the standard clearances 0.2 and fillets 0.3, 20/30 teeth.
  for (auto [type, from, to, texts] :
       {std::tuple{
            "GearExternal", 1, 21,
            "1.0000|20.0|40.0|0.0000|10.00|0.000000|0.000000|0.000000|30.000000|20.000000|"
            "1.0000|1.0000|0.2500|0.2500|0.3800|0.3800|20.0000|22.00000|42.00000|90.0000|0.000"},
        {"GearInternal", 1, 21,
         "1.0000|20.0|-80.0|0.0000|10.00|0.000000|0.000000|0.000000|-30.000000|20.000000|"
         "1.0000|1.0000|0.2500|0.2500|0.3800|0.0000|20.0000|22.00000|-78.00000|90.0000|0.000"},
        {"GearBevel", 1, 5, "1.0000|20.0|30.0|0.0000|10.00"},
        {"GearBevel", 11, 17, "1.0000|1.0000|0.2000|0.2000|0.3000|0.3000|20.0000"},
        {"GearBevel", 20, 21, "90.0000|0.000"}}) {
    Program p;
    p.Enter(13, "0.3");  // another type starts again from its own defaults
    p.Press(type);
    EXPECT_EQ(p.Texts(from, to), texts) << type;
    EXPECT_EQ(p.Focused(), "Edit1");
  }
}

TEST(MainForm, FieldBoundsAndTheirMessages) {
  const std::string format = "Chyba číselného formátu, opakuj zadání";
  const Steps teeth400 = {{2, "400"}, {3, "400"}}, rackModule2 = {{1, "2"}, {3, "5000"}};
  const char* filletOfRing =
      "Poměrný rádius zaoblení paty kola vol v rozsahu od 0 do 0.4022 (kruhová pata) ";
  const char* noFillet =
      "Nemožné parametry základního profilu - vychází záporný rádius zaoblení paty";
  const struct {
    int type;  // 1 external, 2 internal, 3 bevel
    Steps first;
    int field;
    const char* texts;    // each typed in turn into a new program, '|' between them
    const char* message;  // "" when accepted
    const char* shown;    // the field's text afterwards, "" for the typed text
  } cases[] = {
      // clang-format off
      {1, {}, 1, "0", "Modul vol větší než 0", ""},
      // No gear has a module outside 0.01 to 1000 mm, or more than 10000
      // teeth; a wheel from 5000 teeth on is a rack.
      {1, {}, 1, "0.01|1000", "", ""},
      {1, {}, 1, "0.0099|1000.001|1e308|9223372036854775808|4.9e-324",
       "Modul vol v rozsahu od 0.01 do 1000", ""},
      {1, {}, 2, "17.5|4.0001", "Počet zubů musí být celé číslo", ""},
      {1, {}, 2, "10000|20.0", "", ""},
      {1, {}, 2, "10001|1e308", "Počet zubů pastorku vol v rozsahu od 4 do 10000", ""},
      {1, {}, 3, "40.5", "Počet zubů musí být celé číslo", ""},
      {1, {}, 3, "10000", "", "Hřeben"},
      {1, {}, 3, "10001|9223372036854775808", "Počet zubů kola vol v rozsahu od 4 do 10000", ""},
      {2, {}, 3, "-1e308", "Počet zubů korunového kola vol v rozsahu od -10000 do -4", ""},
      {2, {}, 3, "-80.5", "Počet zubů musí být celé číslo", ""},
      {3, {}, 2, "17.5", "Počet zubů musí být celé číslo", ""},
      {3, {}, 3, "30.5", "Počet zubů musí být celé číslo", ""},
      {1, {}, 1, "abc|1,5", "Chyba číselného formátu, opakuj zadání", ""},
      {1, {}, 2, "3", "Počet zubů pastorku vol větší než 3", ""},
      {1, {}, 2, "4", "", ""},
      {1, {}, 3, "3|0", "Počet zubů kola vol větší než 3", ""},
      {1, {}, 3, "4", "", ""},
      {1, {}, 3, "-50", "", "50.000"},  // a wheel's teeth are positive, written 4:3
      {1, {}, 3, "5000", "", "Hřeben"},
      {2, {}, 3, "80", "", "-80.00"},   // a ring's are negative, written 4:2
      {2, {}, 3, "-3", "Počet zubů korunového kola vol menší než -3", ""},
      {2, {}, 3, "3", "Počet zubů korunového kola vol menší než -3", "-3.00"},
      {1, {}, 4, "-0.0001|90.0001", "Úhel ß vol od 0 do 90.0000°. ", ""},
      {1, {}, 4, "90|0", "", ""},
      {1, {}, 4, "a", "Chyba číselného formátu, opakuj zadání.\r"
                      "Úhel musí být v desetinném tvaru.", ""},
      // Bevel 20/30 at 90°: Le = 20 / (2 sin atan(20/30)) = 18.0278; the
      // helix bound asin((Le - b) / (Le - b/2)) is 38.0395° for b = 10 and
      // 6.193° for b = 17.
      {3, {}, 4, "38.039", "", ""},
      {3, {}, 4, "38.04", "Úhel sklonu zubů ve středu šířky musí být od 0 do 38.0395°. ", ""},
      {3, {}, 5, "18.1", "Šířka b je větší než délka površky roztečného kužele Le=18.028. ", ""},
      {3, {{4, "20"}}, 5, "17", "Úhel sklonu zubů ve středu šířky musí být od 0 do 6.193°. ", ""},
      {3, {{4, "20"}}, 5, "12", "", ""},
      {1, {}, 5, "0", "Šířka zubů musí být větší než 0.", ""},
      {1, {}, 5, "x", "Chyba číselného formátu, opakuj zadání.", ""},
      {1, {}, 5, "0.01|100000", "", ""},
      {1, {}, 5, "100000.01|1e308", "Šířku zubů vol v rozsahu od 0 do 100000", ""},
      {1, {}, 6, "10", "", "10.000000"},
      {1, {}, 6, "10.0001", "Součet korekcí vol v rozsahu od -15 do 10", ""},
      // 400/400 teeth put the limiting shift sum at -16.3798, below -15.
      {1, teeth400, 6, "-15", "", "-15.000000"},
      {1, teeth400, 6, "-15.0001", "Součet korekcí vol v rozsahu od -15 do 10", ""},
      {1, teeth400, 7, "-15.0001", "Korekci pastorku vol v rozsahu od -15 do 8", ""},
      {1, teeth400, 8, "-15", "", ""},
      {1, {}, 7, "8", "", ""},
      {1, {}, 7, "8.0001", "Korekci pastorku vol v rozsahu od -15 do 8", ""},
      {1, {}, 8, "8.0001", "Korekci kola vol v rozsahu od -15 do 8", ""},
      {1, {}, 9, "0", "Pracovní osovou vzdálenost vol větší než 0", ""},
      {2, {}, 9, "0", "Pracovní osovou vzdálenost zadej zápornou", ""},
      {2, {}, 9, "-29", "", ""},
      {1, {}, 9, "100001|1e308", "Pracovní osovou vzdálenost vol v rozsahu od 0 do 100000", ""},
      {2, {}, 9, "-1e308", "Pracovní osovou vzdálenost vol v rozsahu od -100000 do 0", ""},
      {1, {}, 10, "0", "Valivý úhel záběru vol větší než 0°", ""},
      {1, {}, 10, "90", "Valivý úhel záběru vol menší než 90°", ""},
      {1, {}, 10, "22", "", ""},
      {1, {}, 10, "0.99|4.9e-324", "Valivý úhel záběru vol v rozsahu od 1 do 90°", ""},
      // pi/4 / tan 20° - 0.25 = 1.9079, - 1 = 1.1579.
      {1, {}, 11, "1.908|-0.1", "Poměrnou výšku hlavy pastorku vol v rosahu od 0 do 1.9079 ", ""},
      {1, {}, 12, "2", "Poměrnou výšku hlavy kola vol v rosahu od 0 do 1.9079 ", ""},
      {1, {}, 13, "1.2", "Poměrnou výšku hlavové vůle pastorku vol od 0 do 1.1579 ", ""},
      {1, {}, 14, "1.2", "Poměrnou výšku hlavové vůle kola vol od 0 do 1.1579 ", ""},
      // The ring's fillet: at most the cutter's fully rounded tip, 0.4022.
      {2, {}, 16, "0", "", ""},
      {2, {}, 16, "0.41|-0.01", filletOfRing, ""},
      {1, {}, 17, "0|50.0001", "Úhel profilu vol větší než 0 až do 50°", ""},
      {1, {{11, "0.3"}, {12, "0.3"}}, 17, "50", "", ""},
      {1, {}, 17, "22.5", "", ""},
      {1, {}, 17, "0.99|4.9e-324", "Úhel profilu vol v rozsahu od 1 do 50°", ""},
      // At 40° a root of haP* + cP* above pi/4 / tan 40° = 0.936 has no room
      // for a fillet: either gear's, or neither.
      {1, {{12, "0.5"}}, 17, "40", noFillet, ""},
      {1, {{11, "0.5"}}, 17, "40", noFillet, ""},
      {1, {{11, "0.5"}, {12, "0.5"}}, 17, "40", "", ""},
      {1, {}, 18, "0", "Průměr hlavové kružnice pastorku vol větší než 0", ""},
      {1, {}, 18, "1e308", "Průměr hlavové kružnice pastorku vol v rozsahu od 0 do 100000", ""},
      {1, {}, 19, "100000.1", "Průměr hlavové kružnice kola vol v rozsahu od 0 do 100000", ""},
      {2, {}, 19, "-1e308",
       "Průměr hlavové kružnice korunového kola vol v rozsahu od -100000 do 0", ""},
      {1, {}, 19, "0", "Průměr hlavové kružnice kola vol větší než 0", ""},
      {2, {}, 19, "10|0", "Průměr hlavové kružnice korunového kola zadej záporný", ""},
      // A rack's addendum: at most pi mn / (4 tan 20°) = 4.3157 at module 2.
      {1, rackModule2, 19, "4.3157", "", ""},
      {1, rackModule2, 19, "4.316|-0.1", "Výšku hlavy zubu hřebene vol od 0 do 4.3157 mm", ""},
      {3, {}, 20, "180|0", "Úhel os vol větší než 0 a menší než 180°", ""},
      {3, {}, 20, "120|1", "", ""},
      {3, {}, 20, "0.99|179.01|4.9e-324", "Úhel os vol v rozsahu od 1 do 179°", ""},
      {1, {}, 21, "-0.001", "Boční vůle musí být kladná.", ""},
      {1, {}, 21, "1.01", "Boční vůle musí být menší než velikost modulu.", ""},
      {1, {}, 21, "", "Chyba číselného formátu, opakuj zadání.", ""},
      {1, {}, 21, "1", "", "1.000"},  // up to the module; its dialog opens
      // clang-format on
  };
  for (const auto& c : cases) {
    for (const std::string& text : Program::Split(c.texts)) {
      Program p;
      p.Choose(c.type);
      for (const auto& [n, typed] : c.first) ASSERT_TRUE(p.Enter(n, typed)) << n;
      const std::string where =
          std::to_string(c.type) + ": field " + std::to_string(c.field) + " '" + text + "'";
      const bool refused = *c.message != '\0';
      EXPECT_EQ(p.Enter(c.field, text), !refused) << where;
      EXPECT_EQ(p.LastMessage(), c.message) << where;
      EXPECT_EQ(p.Text(c.field), *c.shown ? c.shown : text) << where;
      if (refused) {
        EXPECT_EQ(p.LastTitle(), "  Chyba !") << where;
        EXPECT_EQ(p.Focused(), Program::Edit(c.field)) << where << ": the focus stays";
      }
      // A text that is no number leaves the conversion's code set.
      EXPECT_EQ(p.g.valCode, std::string(c.message).rfind(format, 0) == 0 ? 1 : 0) << where;
    }
  }
}

TEST(MainForm, AFractionalToothCountIsRefusedAndThePreviousCountStays) {
  // The teeth of both gears, of the shaper cutter and the teeth measured
  // over in the identification tab; a whole count written with decimals is
  // taken.
  const struct {
    int type;
    Dialog dialog;
    const char* field;
    const char* text;
    const char* values;  // the state afterwards
  } cases[] = {
      {1, Dialog::Main, "Edit2", "17.5", "z1=20"},
      {1, Dialog::Main, "Edit3", "40.25", "z2=40 rackMode=0"},
      {1, Dialog::Main, "Edit3", "5000.5", "z2=40 rackMode=0"},
      {2, Dialog::Main, "Edit3", "80.5", "z2=-80"},
      {3, Dialog::Main, "Edit2", "19.9", "z1Bevel=20"},
      {3, Dialog::Main, "Edit3", "30.1", "z2Bevel=30"},
      {2, Dialog::ShaperCutter, "Edit1", "35.5", "z0=35"},
      {1, Dialog::Ident, "zwMeas", "2.5", "zwMeas=5"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.field) + " '" + c.text + "'");
    Program p;
    p.Choose(c.type);
    ASSERT_TRUE(p.Enter(1, "2"));  // a pair the identification tab takes up
    if (c.dialog != Dialog::Main) {
      ASSERT_TRUE(p.Open(c.dialog));
    }
    EXPECT_TRUE(p.Refuses(c.dialog, c.field, c.text));
    EXPECT_EQ(p.LastMessage(), "Počet zubů musí být celé číslo");
    EXPECT_EQ(p.LastTitle(), "  Chyba !");
    EXPECT_EQ(p.ValuesAs(c.values), c.values);
  }
  // Written with decimals, a whole count is a count.
  Program p;
  EXPECT_TRUE(p.Enter(2, "25.0"));
  EXPECT_EQ(p.Values("z1"), "z1=25");
}

TEST(MainForm, NoValueOfAnyFieldLeavesANumberThatIsNone) {
  // Every field of every gear type at the values a careless hand or a
  // script may type: each is refused or gives a pair, and a check of it,
  // that are numbers throughout.
  const char* values[] = {"1e308",      "-1e308",    "9223372036854775808",
                          "4.9e-324",   "-4.9e-324", "0",
                          "1e-300",     "1e6",       "-1e6",
                          "89.9999999", "90",        "179.999",
                          "1e-9",       "5000",      "10000",
                          "0.01",       "1000"};
  for (int type = 1; type <= 3; ++type) {
    for (int n = 1; n <= 21; ++n) {
      for (const char* value : values) {
        SCOPED_TRACE(testing::Message() << "type " << type << ", field " << n << " = " << value);
        Program p;
        p.Choose(type);
        p.Refuses(Dialog::Main, Program::Edit(n), value);
        p.Press("CheckButton");
        EXPECT_EQ(test::NonFiniteReals(p.g), std::vector<std::string>{});
      }
    }
  }
}

TEST(MainForm, AnEntryWhoseConsequencesAreNoNumbersIsRefusedAndThePairStays) {
  // Within the bounds of their fields, some values still define a pair
  // whose dimensions are no numbers (a bevel pinion shifted by 8 modules has
  // no tip cone): the entry is refused, the focus stays, and the pair is
  // the one before it.
  const struct {
    int type;
    std::vector<std::pair<int, std::string>> first;
    int field;
    const char* text;
    const char* values;  // unchanged by the refusal
  } cases[] = {
      {3, {{6, "0"}}, 7, "8", "x1=0 x2=0 xSum=0"},
      {3, {{10, "89.99"}}, 8, "8", "x1=0 x2=0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "field " << c.field << " = " << c.text);
    Program p;
    p.Choose(c.type);
    for (const auto& [n, text] : c.first) p.Enter(n, text);
    p.Press("DistributeButton");
    EXPECT_TRUE(p.Refuses(Dialog::Main, Program::Edit(c.field), c.text));
    EXPECT_EQ(p.LastMessage(), "Nemožné zadání - rozměry soukolí by nebyly konečná čísla");
    EXPECT_EQ(p.LastTitle(), "  Chyba !");
    EXPECT_EQ(p.ValuesAs(c.values), c.values);
    // Typed again and left for the check: refused again, the focus stays.
    p.Type(c.field, c.text);
    p.Press("CheckButton");
    EXPECT_EQ(p.Focused(), Program::Edit(c.field));
    EXPECT_EQ(p.Text(c.field), c.text);
    EXPECT_FALSE(p.main.resultsVisible());
    EXPECT_EQ(test::NonFiniteReals(p.g), std::vector<std::string>{});
  }
}

// The fields of the main dialog whose text stands for another value than
// the pair computes with, "" when every one agrees (to the last decimal the
// text shows).
std::string FieldsThatDisagree(const Program& p) {
  const GearPair& g = p.g;
  const bool bevel = g.gearType == GearType::Bevel;
  const double values[22] = {0.0,
                             g.mn,
                             bevel ? g.z1Bevel : g.z1,
                             bevel ? g.z2Bevel : g.z2,
                             g.betaDeg,
                             g.b,
                             g.backlashByShift ? g.xSumBacklash : g.xSum,
                             g.x1,
                             g.x2,
                             g.jnByApart ? g.awJ : g.aw,
                             (g.jnByApart ? g.alphaWtJ : g.alphaWt) * kRadToDeg,
                             g.haP1Star,
                             g.haP2Star,
                             g.cP1Star,
                             g.cP2Star,
                             g.rhofP1Star,
                             g.rhofP2Star,
                             g.alphaPDeg,
                             g.da1,
                             g.rackMode ? g.ha2 : g.da2,
                             g.SigmaDeg,
                             g.jn};
  std::string disagree;
  for (int n = 1; n <= 21; ++n) {
    const ControlState& s = p.main.control(FieldControl(n));
    const auto shown = ParseNumber(s.text);
    if (!s.visible || !shown) continue;
    const std::size_t point = s.text.find('.');
    const double half = 0.5 * std::pow(10.0, point == std::string::npos
                                                 ? 0.0
                                                 : -static_cast<double>(s.text.size() - point - 1));
    if (std::fabs(*shown - values[n]) > half * 1.000001) {
      disagree += "Edit" + std::to_string(n) + "=" + s.text + " ";
    }
  }
  return disagree;
}

TEST(MainForm, EveryFieldShowsTheValueThePairComputesWith) {
  // After every step, warning or not, whatever changed the pair -- a value
  // cut back, a dialog, the check -- the fields show what it computes with.
  const std::vector<std::function<void(Program&)>> steps[] = {
      // A pinion's negative fillet becomes 0 with a warning.
      {[](Program& p) { p.Enter(15, "-1e6"); }},
      // The backlash dialog made by a shift, then the check of the pair.
      {[](Program& p) { p.Open(Dialog::Backlash); },
       [](Program& p) { p.Press(Dialog::Backlash, "korekci"); },
       [](Program& p) { p.Press("CheckButton"); }},
      // A ring moved apart, the identification tab, and the rack tool.
      {[](Program& p) { p.Choose(2); }, [](Program& p) { p.Enter(15, "-0.1"); },
       [](Program& p) { p.Open(Dialog::Backlash); },
       [](Program& p) { p.Press(Dialog::Backlash, "odsunutim"); },
       [](Program& p) { p.Enter(Dialog::Ident, "WMeas", "7.7"); },
       [](Program& p) { p.Enter(15, "0.2"); },
       [](Program& p) { p.Enter(Dialog::RackTools, "Edit2", "0.38"); },
       [](Program& p) { p.Press("CheckButton"); }},
  };
  int sequence = 0;
  for (const auto& sequenceSteps : steps) {
    Program p;
    int step = 0;
    for (const auto& event : sequenceSteps) {
      event(p);
      EXPECT_EQ(FieldsThatDisagree(p), "") << "sequence " << sequence << ", step " << step;
      ++step;
    }
    ++sequence;
  }
}

TEST(MainForm, FilletRadiusBeyondTheFullRoundRootIsCutBackWithAWarning) {
  const double full = FullRoundRoot(1.25);  // 0.4719, for either gear
  const char* pinion = "Poměrný rádius zaoblení paty pastorku vol v rozsahu od 0 do 0.4719\r ";
  const char* wheel = "Poměrný rádius zaoblení paty kola vol v rozsahu od 0 do 0.4719\r ";
  const std::string within = Program::Exact(full + 0.00009);
  const struct {
    int field;
    std::string text;
    const char* warning;  // "" for none
    std::string shown;
    double value;
  } cases[] = {
      // clang-format off
      {15, "1.0", pinion, "0.4719", full},
      {15, "-0.1", pinion, "0.0000", 0.0},  // no tool has a negative radius
      {16, "0.5", wheel, "0.4719", full},
      {15, "0", "", "0", 0.0},
      // 0.0001 above the full round root is tolerated, no more.
      {15, within, "", within, full + 0.00009},
      {15, Program::Exact(full + 0.0001005), pinion, "0.4719", full},
      // clang-format on
  };
  for (const auto& c : cases) {
    Program p;
    const std::string where = std::to_string(c.field) + " '" + c.text + "'";
    EXPECT_TRUE(p.Enter(c.field, c.text)) << where;
    EXPECT_EQ(p.LastMessage(), c.warning) << where;
    EXPECT_EQ(p.LastTitle(), *c.warning ? "  Upozornění !" : "") << where;
    EXPECT_EQ(p.Text(c.field), c.shown) << where;
    const double fillet = c.field == 15 ? p.g.rhofP1Star : p.g.rhofP2Star;
    EXPECT_NEAR(fillet, c.value, 1e-12) << where;
    // The tool's tip radius follows.
    EXPECT_EQ(c.field == 15 ? p.g.rhoaP01Star : p.g.rhoaP02Star, fillet) << where;
  }
  // Under a protuberance that undercuts the root the full round root bounds
  // nothing; a negative radius is still cut to 0.
  Program p;
  p.g.protCut1 = true;
  EXPECT_TRUE(p.Enter(15, "1.0"));
  EXPECT_EQ(p.g.rhofP1Star, 1.0);
  EXPECT_TRUE(p.Enter(15, "-0.1"));
  EXPECT_EQ(p.LastMessage(), pinion);
  EXPECT_EQ(p.g.rhofP1Star, 0.0);
}

TEST_F(MainFormTest, UnchangedTextDoesNothing) {
  g.inputsChanged = false;
  EXPECT_TRUE(Enter(1, Text(1)));
  EXPECT_FALSE(g.inputsChanged);
  // An angle field with unchanged text is not even parsed.
  EXPECT_FALSE(Enter(4, "abc"));
  EXPECT_TRUE(Enter(4, "0.0000"));
  EXPECT_TRUE(messages.empty());
}

TEST(MainForm, PressesThatLeaveAFieldUnvalidated) {
  // "&Konec", "&Načíst vstupy", "&Help" and the gear types leave any field;
  // "Výpočetní hlavové průměry" the tip diameters, "Nuluj" the shifts.
  for (auto [fields, button, validated] : {std::tuple{"1", "QuitButton", false},
                                           {"1", "LoadButton", false},
                                           {"1", "HelpButton", false},
                                           {"1", "GearBevel", false},
                                           {"18|19", "ComputedTipsButton", false},
                                           {"6|7|8", "ZeroButton", false},
                                           {"1|18", "ZeroButton", true},
                                           {"7", "ComputedTipsButton", true}}) {
    for (const std::string& field : Program::Split(fields)) {
      Program p;
      ASSERT_TRUE(p.Type(std::stoi(field), "abc"));
      EXPECT_EQ(p.Press(button), !validated) << field << " " << button;
      EXPECT_EQ(p.LastMessage(), validated ? "Chyba číselného formátu, opakuj zadání" : "")
          << field << " " << button;
    }
  }
  Program p;
  p.Type(1, "abc");
  p.Press("QuitButton");
  EXPECT_TRUE(p.Asked(Outcome::Kind::Quit));
  // The press is over: the field is validated again.
  p.Type(1, "abc");
  EXPECT_FALSE(p.Press("ZeroButton"));
  // "Výpočetní hlavové průměry" gives the computed tips back.
  p.Enter(1, "1");
  p.Enter(18, "25");
  EXPECT_TRUE(p.g.da1Given);
  p.Type(18, "abc");
  EXPECT_TRUE(p.Press("ComputedTipsButton"));
  EXPECT_FALSE(p.g.da1Given);
  EXPECT_EQ(p.Text(18), "22.00000");
}

TEST(MainForm, LeavingTheMandatoryGroupTestsTheNumbersOfTeeth) {
  // A ring or a bevel wheel has at least as many teeth as its pinion; an
  // external pinion may have more. Moving within the group (via one of its
  // fields) tests nothing.
  const std::tuple<int, const char*, const char*, bool> cases[] = {
      {1, "90", "", false}, {2, "90", "", true},  {2, "80", "", false},
      {3, "31", "", true},  {3, "30", "", false}, {2, "90", "Edit5", true}};
  for (const auto& [type, z1, via, refused] : cases) {
    Program p;
    p.Choose(type);
    const std::string where = std::to_string(type) + " z1 " + z1 + " " + via;
    ASSERT_TRUE(p.Type(2, z1)) << where;
    if (*via) {
      EXPECT_TRUE(p.Focus(via)) << where;
      EXPECT_TRUE(p.messages.empty()) << where;
    }
    p.Focus("Edit6");
    EXPECT_EQ(p.LastMessage(),
              refused ? "Počet zubů pastorku vol menší nebo nejvýše roven počtu zubů kola" : "")
        << where;
    EXPECT_EQ(p.Focused(), refused ? "Edit2" : "Edit6") << where;
    EXPECT_EQ(p.g.valCode, refused ? 1 : 0) << where;
  }
}

TEST(MainForm, IncompleteMandatoryInputsFocusTheFirstEmptyField) {
  // Typing refuses a zero; a pair read otherwise may lack a value.
  const std::tuple<int, double GearPair::*, const char*> cases[] = {
      {1, &GearPair::mn, "Edit1"},
      {1, &GearPair::z1, "Edit2"},
      {1, &GearPair::z2, "Edit3"},
      {1, &GearPair::b, "Edit5"},
      {3, &GearPair::z2Bevel, "Edit3"}};
  for (const auto& [type, member, focus] : cases) {
    Program p;
    p.Choose(type);
    p.g.*member = 0.0;
    // The check, and for the bevel pair leaving the group: one message.
    if (type == 1) {
      p.Press("CheckButton");
    } else {
      p.Focus("Edit6");
    }
    ASSERT_EQ(p.messages.size(), 1u) << focus;
    EXPECT_EQ(p.messages[0], (Message{"  Chyba !", "Nejsou ukončeny povinné vstupy"}));
    EXPECT_EQ(p.Focused(), focus);
    EXPECT_FALSE(p.main.resultsVisible());
    EXPECT_FALSE(p.g.pairComputed);
  }
}

TEST_F(MainFormTest, WheelOfFiveThousandTeethIsARack) {
  EXPECT_TRUE(Enter(3, "5000"));
  EXPECT_TRUE(g.rackMode);
  EXPECT_EQ(main.control(Control::TipDiameter2Label).text, "Výšku hlavy zubu hřebene        h");
  EXPECT_EQ(Flags({"Edit6", "Edit7", "Edit8", "Edit9", "Edit10", "DistributeButton", "KeepShifts"}),
            "Edit6:hidden Edit7 Edit8:hidden Edit9:hidden Edit10:disabled DistributeButton:hidden "
            "KeepShifts:hidden");
  EXPECT_EQ(Text(19), "1.00000");  // the rack's addendum haP2* mn
  // "Rozděl korekce" pressed by its name and "Vyr.skluzy" divide nothing:
  // the rack has x1 only.
  for (const char* button : {"DistributeButton", "BalanceButton"}) {
    Press(button);
    EXPECT_EQ(Flags({"Edit6", "Edit7", "Edit8"}), "Edit6:hidden Edit7 Edit8:hidden") << button;
  }

  // Back to a pair: the standard profile is set again, and the fields come
  // back in their formats (centre distance and tip 7:5; module 0.2: a = 6,
  // da2 = 42 0.2 = 8.4).
  Enter(11, "1.1");
  Enter(1, "0.2");
  EXPECT_TRUE(Enter(3, "40"));
  EXPECT_EQ(Values("rackMode haP1Star"), "rackMode=0 haP1Star=1");
  EXPECT_EQ(
      Flags({"Edit6", "Edit8", "Edit9", "Edit10", "DistributeButton", "KeepShifts", "Standard"}),
      "Edit6 Edit8 Edit9 Edit10 DistributeButton KeepShifts Standard:checked");
  EXPECT_EQ(main.control(Control::TipDiameter2Label).text,
            "Hlavový průměr kola                  d");
  EXPECT_EQ(Texts(6, 9) + "|" + Text(19), "0.000000|0.000000|0.000000|6.00000|8.40000");
}

TEST(MainForm, ShiftSumLimit) {
  for (int type : {1, 2}) {
    Program p;
    p.Choose(type);
    p.Enter(6, "0");
    // xmez = -0.5 (z1 + z2) inv(alphaT) / tan(alphaP): 20/40 below zero,
    // 20/-80 above, and the limit itself is a shift sum the pair can have.
    const double xmez = -0.5 * (type == 2 ? -60.0 : 60.0) * Involute(Deg(20)) / std::tan(Deg(20));
    ASSERT_NEAR(p.g.xmez, xmez, 1e-12);
    EXPECT_TRUE(p.Enter(6, FormatFixed(xmez, 0, 17)));
    EXPECT_TRUE(p.messages.empty());
    EXPECT_FALSE(p.Enter(6, FormatFixed(xmez + (type == 2 ? 1e-5 : -1e-5), 0, 17)));
    EXPECT_EQ(p.LastMessage(), "Nemožný součet jednotkových korekcí x1+x2  (xmez= " +
                                   FormatFixed(xmez, 8, 5) + ") ");
    EXPECT_EQ(p.Focused(), "Edit6");
  }
}

TEST_F(MainFormTest, WorkingPressureAngleGivesTheShiftSumAndCentreDistance) {
  // 20/40 at 22°: x1 + x2 = (inv 22° - inv 20°) 60 / (2 tan 20°) = 0.424436,
  // aw = 30 cos 20° / cos 22° = 30.404734; the tips wait for the sum to be
  // divided.
  EXPECT_TRUE(Enter(10, "22"));
  EXPECT_EQ(Text(6) + "|" + Text(9) + "|" + Texts(18, 19), "0.424436|30.404734||");
  // A module typed anew resets the computational inputs in their formats:
  // 20/40 at module 0.2, a = 6, da = (z + 2) 0.2.
  EXPECT_TRUE(Enter(1, "0.2"));
  EXPECT_EQ(Texts(6, 10) + "|" + Texts(18, 19) + "|" + Text(21),
            "0.000000|0.000000|0.000000|6.000000|20.000000|4.40000|8.40000|0.000");
}

TEST_F(MainFormTest, AnglesInDegreesMinutesSeconds) {
  Press("Dms");
  EXPECT_TRUE(g.dmsMode);
  EXPECT_EQ(Flags({"Dec", "Dms"}), "Dec Dms:checked");
  EXPECT_EQ(Text(17) + "|" + Text(10), "20° 0'|20° 0'");
  EXPECT_TRUE(Enter(17, "20.3"));
  EXPECT_DOUBLE_EQ(g.alphaPDeg, 20.5);
  EXPECT_EQ(Text(17), "20° 30'");
  EXPECT_FALSE(Enter(17, "20.6"));
  EXPECT_EQ(LastMessage(), "Minuty vol v rozsahu od 0 do 59.");
  EXPECT_FALSE(Enter(17, "20.3060"));
  EXPECT_EQ(LastMessage(), "Vteřiny vol v rozsahu od 0 do 59.99");
  // Back to decimal degrees: the angle fields are rewritten 6:4.
  Enter(17, "20.3");
  Press("Dec");
  EXPECT_FALSE(g.dmsMode);
  EXPECT_EQ(Flags({"Dec", "Dms"}), "Dec:checked Dms");
  EXPECT_EQ(Text(17) + "|" + Text(4), "20.5000|0.0000");
  // The shaft angle of a bevel pair as well.
  Press("GearBevel");
  Press("Dms");
  Press("Dec");
  EXPECT_EQ(Text(20) + "|" + Text(17), "90.0000|20.0000");
}

TEST_F(MainFormTest, GearTypeSwitchingShowsTheTypesControls) {
  Press("GearBevel");
  EXPECT_EQ(g.gearType, GearType::Bevel);
  EXPECT_EQ(
      Flags({"TabMeasure", "TabIdent", "Edit9", "Edit10", "Edit20", "Edit21", "TipDiameterGroup",
             "FellowButton", "ToolsButton", "KeepShifts", "GearExternal", "GearBevel"}),
      "TabMeasure:hidden TabIdent:hidden Edit9:hidden Edit10:hidden Edit20 Edit21:hidden "
      "TipDiameterGroup:hidden FellowButton:hidden ToolsButton:hidden KeepShifts:hidden "
      "GearExternal GearBevel:checked,bold");
  EXPECT_FALSE(ws.Exists(Dialog::Measure));
  EXPECT_EQ(Texts(Dialog::Main, {"ModuleLabel", "ModuleSubscript", "HelixLabel"}),
            "Čelní modul vnější             m|t|Sklon zubů střední             ß");
  Press("GearInternal");
  EXPECT_EQ(Flags({"FellowButton", "TabMeasure", "ToolsButton", "KeepShifts"}),
            "FellowButton TabMeasure ToolsButton KeepShifts");
  EXPECT_DOUBLE_EQ(g.a, -30.0);
  Press("GearExternal");
  EXPECT_EQ(Texts(Dialog::Main, {"ModuleLabel", "ModuleSubscript", "HelixLabel"}),
            "Normálný modul                m|n|Sklon zubů roztečný           ß");
  EXPECT_EQ(Flags({"FellowButton", "Edit9", "Edit20", "TipDiameterGroup"}),
            "FellowButton:hidden Edit9 Edit20:hidden TipDiameterGroup");
}

TEST_F(MainFormTest, ResultsAreStaleUntilTheCheckShowsThem) {
  Press("CheckButton");
  EXPECT_FALSE(main.resultsStale());
  Press("GearInternal");
  EXPECT_TRUE(main.resultsStale());
  // "Nástroje" runs the check without showing it.
  Press("ToolsButton");
  EXPECT_FALSE(main.resultsVisible());
  EXPECT_TRUE(main.resultsStale());
  Key(Dialog::RackTools, Key::Escape);
  Press("CheckButton");
  EXPECT_FALSE(main.resultsStale());
}

TEST(MainForm, ARefusedTextNeverReachesThePair) {
  // The field keeps the refused text for the user to correct; the pair
  // keeps its value, also when a press leaves the field unvalidated ("Help",
  // or "Načíst vstupy" whose file dialog is cancelled) and the pair is then
  // computed and checked.
  const std::tuple<int, const char*, const char*> cases[] = {
      {13, "90", "HelpButton"},   {1, "-2", "LoadButton"},   {5, "1e308", "HelpButton"},
      {17, "60", "LoadButton"},   {7, "9", "HelpButton"},    {18, "-5", "LoadButton"}};
  for (const auto& [field, text, press] : cases) {
    const std::string where = std::to_string(field) + " '" + text + "' " + press;
    Program p;
    const std::string before = WriteInputFile(p.g);
    const std::string shown = p.Text(field);
    EXPECT_FALSE(p.Enter(field, text)) << where;
    EXPECT_EQ(p.Text(field), text) << where;
    EXPECT_TRUE(WriteInputFile(p.g) == before) << where << ": the inputs are as they were";
    p.Press(press);
    EXPECT_EQ(p.Text(field), shown) << where << ": the field shows what the pair holds";
    EXPECT_TRUE(p.Press("ComputedTipsButton")) << where;
    EXPECT_TRUE(p.Press("CheckButton")) << where;
    EXPECT_EQ(test::NonFiniteReals(p.g), std::vector<std::string>{}) << where;
    EXPECT_EQ(p.g.cP1Star, 0.25) << where;
    EXPECT_EQ(p.g.mn, 1.0) << where;
  }
}

TEST(MainForm, AComputationalInputLeftAsItStoodTakesTheNewBasicInputs) {
  // A new helix angle, then the shift sum field entered and left as it was:
  // from then on the check takes the pair as it stands (with the shifts
  // kept, the measurement tab checks it at once), so the pair must be the
  // one of 55 degrees, not the spur pair of the start.
  Program p;
  ASSERT_TRUE(p.Type(4, "55"));
  ASSERT_TRUE(p.Focus("Edit6"));
  ASSERT_TRUE(p.Press("KeepShifts"));
  ASSERT_TRUE(p.Open(Dialog::Measure));
  EXPECT_NEAR(p.g.betaB, std::asin(std::cos(test::Deg(20.0)) * std::sin(test::Deg(55.0))), 1e-12);
  EXPECT_EQ(test::NonFiniteReals(p.g), std::vector<std::string>{});
  EXPECT_GT(p.g.epsAlpha, 0.0);
}

TEST(MainForm, EveryAcceptedChangeMarksTheInputsChanged) {
  // The measurement and identification tabs, the captions and the shown
  // check follow these marks: no field may leave them out.
  const std::pair<int, const char*> cases[] = {
      {1, "2"},    {2, "21"},   {3, "41"},   {4, "10"},   {5, "12"},  {6, "0.2"},
      {7, "0.1"},  {8, "-0.1"}, {9, "30.5"}, {10, "21"},  {11, "0.9"}, {12, "0.9"},
      {13, "0.3"}, {14, "0.3"}, {15, "0.3"}, {16, "0.3"}, {17, "21"}, {18, "22.5"},
      {19, "41.5"}};
  for (const auto& [field, text] : cases) {
    Program p;
    p.g.inputsChanged = p.g.identInputsChanged = false;
    ASSERT_TRUE(p.Enter(field, text)) << field;
    EXPECT_TRUE(p.g.inputsChanged) << field;
    EXPECT_TRUE(p.g.identInputsChanged) << field;
    EXPECT_EQ(p.g.lastInputField, field) << field;
  }
}

TEST(MainForm, TheCheckIsCurrentUntilAnInputChanges) {
  // Whatever shows results (the report, the table, a script's print) knows
  // whether they belong to the inputs as they stand. Each case starts from
  // a check of the default pair, then makes its steps.
  const struct {
    const char* steps;  // fields "n=text" and presses, '|' between them
    bool current;
  } cases[] = {
      {"", true},
      {"15=0.3", true},                 // the shown report re-runs the check
      {"1=2", false},                   // a basic input hides the report
      {"TabMeasure|TabInputs", true},   // pages only
      {"Dms", true},                    // another angle form, the same inputs
      {"ToolsButton|Esc|2=25", false},  // a change while the report is hidden
      {"6=0.5|CheckButton", false},     // the check cannot run: shifts to divide
      {"6=0.5|DistributeButton|7=0.3|CheckButton", true},
      {"GearInternal", false},
  };
  for (const auto& c : cases) {
    Program p;
    EXPECT_FALSE(p.main.CheckCurrent());  // no check yet
    p.Press("CheckButton");
    ASSERT_TRUE(p.main.CheckCurrent());
    for (const std::string& step : Program::Split(c.steps)) {
      if (step.empty()) continue;
      const std::size_t eq = step.find('=');
      if (step == "Esc") {
        p.Key(Dialog::RackTools, Key::Escape);
      } else if (eq == std::string::npos) {
        p.Press(step);
      } else {
        p.Enter(std::stoi(step.substr(0, eq)), step.substr(eq + 1));
      }
    }
    EXPECT_EQ(p.main.CheckCurrent(), c.current) << c.steps;
  }
}

TEST(MainForm, EnteringAComputationalInputChoosesWhatDefinesThePair) {
  // The shift sum, the centre distance or the working pressure angle: the
  // other two wait and x1, x2 go, and the results are hidden; x1 or x2: both
  // show, the three wait.
  for (auto [fields, group, hidesResults] :
       {std::tuple{"Edit6", "Edit6 Edit7:hidden Edit8:hidden Edit9:disabled Edit10:disabled", true},
        {"Edit9", "Edit6:disabled Edit7:hidden Edit8:hidden Edit9 Edit10:disabled", true},
        {"Edit10", "Edit6:disabled Edit7:hidden Edit8:hidden Edit9:disabled Edit10", true},
        {"Edit7|Edit8", "Edit6:disabled Edit7 Edit8 Edit9:disabled Edit10:disabled", false},
        {"Edit5", "Edit6 Edit7 Edit8 Edit9 Edit10", false}}) {
    for (const std::string& field : Program::Split(fields)) {
      Program p;
      p.Press("CheckButton");
      ASSERT_TRUE(p.main.resultsVisible());
      p.Focus(field);
      EXPECT_EQ(p.Flags({"Edit6", "Edit7", "Edit8", "Edit9", "Edit10"}), group) << field;
      EXPECT_EQ(p.main.resultsVisible(), !hidesResults) << field;
    }
  }
}

TEST_F(MainFormTest, KeptShiftsTurnACentreDistanceIntoAHelixAngle) {
  Enter(7, "0.4");
  Enter(8, "0.25");
  ASSERT_NEAR(g.xSum, 0.65, 1e-12);
  const std::initializer_list<std::string_view> group = {
      "KeepShifts",       "Edit6",      "Edit7",        "Edit8", "Edit9", "Edit10", "Edit21",
      "DistributeButton", "ZeroButton", "BalanceButton"};
  Press("KeepShifts");
  EXPECT_TRUE(g.keepShifts);
  EXPECT_EQ(Focused(), "Edit4");
  EXPECT_EQ(Flags(group),
            "KeepShifts:checked Edit6:disabled Edit7:disabled Edit8:disabled Edit9 "
            "Edit10:disabled Edit21:hidden DistributeButton:disabled ZeroButton:disabled "
            "BalanceButton:disabled");
  g.inputsChanged = false;
  EXPECT_TRUE(Enter(9, "33"));
  EXPECT_TRUE(g.inputsChanged);
  ASSERT_GT(g.beta, 0.0);
  EXPECT_EQ(Values("x1 x2"), "x1=0.4 x2=0.25");
  // Independently: the kept shifts at the helix angle found give the typed
  // centre distance.
  GearPair h = test::StandardExternalPair();
  h.beta = g.beta;
  h.x1 = 0.4;
  h.x2 = 0.25;
  h.xSum = 0.65;
  h.geometryReady = 7;
  PairFromShifts(h);
  EXPECT_NEAR(h.aw, 33.0, 1e-8);
  EXPECT_EQ(Text(4), FormatFixed(g.betaDeg, 6, 4));

  // A key press in the helix, shift and centre distance fields keeps them;
  // anywhere else it lets the shifts go.
  Focus("Edit8");
  Key(Dialog::Main, kolmira::Key::Other);
  EXPECT_TRUE(g.keepShifts);
  Focus("Edit5");
  Key(Dialog::Main, kolmira::Key::Other);
  EXPECT_FALSE(g.keepShifts);
  EXPECT_EQ(Flags(group),
            "KeepShifts Edit6 Edit7 Edit8 Edit9 Edit10 Edit21 DistributeButton ZeroButton "
            "BalanceButton");
}

TEST_F(MainFormTest, SlidingBalanceThenANewPinionShiftKeepsTheSum) {
  Press("BalanceButton");
  EXPECT_TRUE(messages.empty());
  EXPECT_NEAR(g.x1, 0.25, 0.02);
  EXPECT_NEAR(g.x1 + g.x2, 0.0, 1e-12);
  EXPECT_EQ(Values("shiftDistributed slidingBalanceRunning lastInputField"),
            "shiftDistributed=1 slidingBalanceRunning=0 lastInputField=6");
  EXPECT_EQ(Text(7), FormatFixed(g.x1, 8, 6));
  EXPECT_TRUE(Enter(7, "0.1"));
  EXPECT_NEAR(g.x2, -0.1, 1e-12);
  EXPECT_EQ(Text(8), "-0.100000");

  Press("ZeroButton");
  EXPECT_EQ(Values("x1 x2 xSum"), "x1=0 x2=0 xSum=0");
  EXPECT_DOUBLE_EQ(g.aw, 30.0);
  EXPECT_EQ(Texts(7, 9), "0.000000|0.000000|30.000000");
  EXPECT_EQ(Values("backlashFresh driverError"), "backlashFresh=1 driverError=0");
}

TEST_F(MainFormTest, ShiftSumMustBeDividedBeforeTheCheck) {
  Enter(6, "0.5");
  EXPECT_TRUE(g.shiftNotDistributed);
  EXPECT_EQ(Text(18), "");  // the tips are not known until the sum is divided
  Press("CheckButton");
  EXPECT_EQ(messages.back(), (Message{"  Error !", "Není provedeno rozdělení korekcí"}));
  EXPECT_EQ(Focused(), "ZeroButton");
  EXPECT_FALSE(main.resultsVisible());
  Press("DistributeButton");
  EXPECT_EQ(Focused(), "Edit7");
  Enter(7, "0.3");
  EXPECT_NEAR(g.x2, 0.2, 1e-12);
  Press("CheckButton");
  EXPECT_TRUE(main.resultsVisible());
  EXPECT_TRUE(Showed(Dialog::Report));
  // While the results are shown, an accepted input re-runs the check and
  // the report is repainted.
  Enter(15, "0.3");
  EXPECT_TRUE(main.resultsVisible());
  EXPECT_TRUE(Asked(Outcome::Kind::Repaint));
}

TEST(MainForm, BlockingShiftSumMessagesOfTheCheckFocusTheWheelsShift) {
  // Shifts typed beyond the limit are refused at their fields; shifts that
  // come otherwise (a file, kept shifts) are stopped by the check. xmez of
  // 20/40 is -1.2285, of 20/-80 1.2285; x0mez of the cutter 35 with the
  // ring -80, 0.5 (80 - 35) inv 20° / tan 20° = 0.9214.
  const std::tuple<int, double, double, const char*> cases[] = {
      {1, -0.8, -0.8,
       "Součet korekcí x1+x2 je menší než mezní (xmez=-1.2285) - záporný úhel záběru"},
      {2, 0.3, 1.0,
       "Součet korekcí x0+x2 při výrobě kolečkem Fellow je větší než mezní "
       "(x0mez= 0.9214) - záporný výrobní úhel záběru."},
      {2, 1.0, 0.5,
       "Součet korekcí x1+x2 je větší než mezní (xmez= 1.2285) - záporný úhel záběru"}};
  for (const auto& [type, x1, x2, message] : cases) {
    Program p;
    p.Choose(type);
    p.Enter(12, "0.9");  // the field accepted last is not where the focus goes
    p.g.x1 = x1;
    p.g.x2 = x2;
    p.g.xSum = x1 + x2;
    p.g.geometryReady = 0;
    EXPECT_FALSE(p.ws.Check()) << message;
    p.outcomes = p.ws.TakeOutcomes();
    int found = 0;
    for (const Outcome& o : p.outcomes) found += o.message.text == message;
    EXPECT_EQ(found, 1) << message;
    EXPECT_FALSE(p.main.resultsVisible());
    EXPECT_EQ(p.Focused(), "Edit8");
  }
}

TEST(MainForm, F1OpensTheTopicOfTheFocusedControlsGroup) {
  // 2 the mandatory inputs, 5 the computational ones and their buttons, 3
  // the basic rack, 4 the tips and the shaft angle; the contents otherwise,
  // the backlash field included.
  const struct {
    const char* focus;
    int context;
  } cases[] = {
      {"Edit1|Edit2|Edit5", 2},
      {"Edit6|Edit7|Edit10|DistributeButton|ZeroButton|BalanceButton", 5},
      {"Edit11|Edit17|Standard|NonStandard|CircularRoot", 3},
      {"Edit18|Edit19|Edit20|ComputedTipsButton", 4},
      {"Edit21|CheckButton|KeepShifts|ToolsButton", 0},
  };
  Program p;
  for (const auto& c : cases) {
    for (const std::string& focus : Program::Split(c.focus)) {
      p.Focus(focus);
      p.Key(Dialog::Main, kolmira::Key::F1);
      EXPECT_EQ(p.HelpContext(), c.context) << focus;
      EXPECT_EQ(p.outcomes.back().helpFile, "help_kolmira.hlp");
    }
  }
  // The tabs have their own topics: the measurement of an external pair 13,
  // of an internal one 14, the identification 15.
  for (int type : {1, 2}) {
    Program q;
    q.Choose(type);
    q.Open(Dialog::Measure);
    q.Key(Dialog::Measure, kolmira::Key::F1);
    EXPECT_EQ(q.HelpContext(), type == 1 ? 13 : 14);
    q.Open(Dialog::Ident);
    q.Key(Dialog::Ident, kolmira::Key::F1);
    EXPECT_EQ(q.HelpContext(), 15);
  }
  p.ws.HelpNotFound();
  EXPECT_EQ(p.ws.TakeOutcomes().front().message.text, "Help nenalezen.");
}

TEST(MainForm, HiddenHelpButtonOpensTheTopicOfTheFieldAcceptedLast) {
  // A field accepted (0: none), then maybe one entered: entering the helix
  // angle or the centre distance counts as accepting it, entering any other
  // field does not.
  const std::tuple<int, int, const char*, const char*, int> cases[] = {
      {1, 0, "", "", 0},          {1, 1, "2", "", 2},         {1, 5, "20", "", 2},
      {1, 6, "0.1", "", 5},       {1, 10, "21", "", 5},       {1, 21, "0", "", 5},
      {1, 11, "0.9", "", 3},      {1, 17, "21", "", 3},       {1, 18, "23", "", 4},
      {3, 20, "80", "", 4},       {1, 12, "0.9", "Edit4", 2}, {1, 12, "0.9", "Edit9", 5},
      {1, 12, "0.9", "Edit1", 3}, {1, 1, "2", "Edit17", 2}};
  for (const auto& [type, field, text, entered, context] : cases) {
    Program p;
    p.Choose(type);
    if (field != 0) {
      ASSERT_TRUE(p.Enter(field, text)) << field;
    }
    if (*entered) p.Focus(entered);
    EXPECT_TRUE(p.Press("HelpButton"));
    EXPECT_EQ(p.HelpContext(), context) << field << " " << entered;
  }
}

TEST(MainForm, StandardSetsTheBasicRackOfTheGearType) {
  // 1, 1, 0.25, 0.25, 0.38, 0.38, 20°; the ring's fillet 0 (its cutter
  // cuts it); bevel clearances 0.2 and fillets 0.3. At module 2 the
  // clearances and fillets in millimetres follow.
  const std::tuple<int, const char*, double, double, double> cases[] = {
      {1, "1.0000|1.0000|0.2500|0.2500|0.3800|0.3800|20.0000", 0.5, 0.76, 0.76},
      {2, "1.0000|1.0000|0.2500|0.2500|0.3800|0.0000|20.0000", 0.5, 0.76, 0.0},
      {3, "1.0000|1.0000|0.2000|0.2000|0.3000|0.3000|20.0000", 0.4, 0.6, 0.6}};
  for (const auto& [type, rack, c, rhof1, rhof2] : cases) {
    Program p;
    p.Choose(type);
    for (auto [n, text] : {std::pair{1, "2"},
                           {11, "0.9"},
                           {12, "0.8"},
                           {13, "0.3"},
                           {14, "0.35"},
                           {15, "0.2"},
                           {17, "21"}}) {
      ASSERT_TRUE(p.Enter(n, text)) << n;
    }
    p.Press("CircularRoot");
    if (p.ws.Exists(Dialog::RackTools)) {
      // A tool with a chamfer makes the basic rack non-standard.
      p.Open(Dialog::RackTools);
      p.Press(Dialog::RackTools, "srazeni1");
      p.Press(Dialog::RackTools, "ok");
      ASSERT_EQ(p.Flags({"Standard", "NonStandard"}), "Standard NonStandard:checked");
    }
    p.Press("Standard");
    const std::string where = std::to_string(type);
    EXPECT_EQ(p.Texts(11, 17), rack) << where;
    EXPECT_EQ(p.Flags({"Standard", "NonStandard", "CircularRoot", "Edit15", "Edit16"}),
              "Standard:checked NonStandard:disabled CircularRoot Edit15 Edit16")
        << where;
    EXPECT_TRUE(p.g.toolsDefault) << where;
    EXPECT_FALSE(p.g.circularRoot) << where;
    EXPECT_DOUBLE_EQ(p.g.c1, c) << where;
    EXPECT_DOUBLE_EQ(p.g.c2, c) << where;
    EXPECT_DOUBLE_EQ(p.g.rhof1, rhof1) << where;
    EXPECT_DOUBLE_EQ(p.g.rhof2, rhof2) << where;
  }
}

TEST_F(MainFormTest, StandardResetsTheShiftsOnlyAfterAnotherProfileAngle) {
  Enter(7, "0.3");
  Enter(13, "0.3");
  Press("Standard");
  EXPECT_EQ(g.x1, 0.3);
  EXPECT_EQ(Text(7), "0.3");
  Enter(17, "25");
  Enter(7, "0.3");
  Press("Standard");
  EXPECT_EQ(g.x1, 0.0);
  EXPECT_EQ(Text(7) + "|" + Text(17), "0.000000|20.0000");
  // A new gear type brings the standard rack back as well.
  Open(Dialog::RackTools);
  Press(Dialog::RackTools, "srazeni2");
  Press(Dialog::RackTools, "ok");
  ASSERT_EQ(Flags({"Standard", "NonStandard"}), "Standard NonStandard:checked");
  Press("GearExternal");
  EXPECT_EQ(Flags({"Standard", "NonStandard"}), "Standard:checked NonStandard:disabled");
}

TEST(MainForm, StandardProfileTestOfTheBasicRack) {
  // A basic rack is the standard one within a millionth or so of 1, 0.25
  // (bevel 0.2) and 20°, with fillets from 0 up to below 0.38 (bevel 0.3).
  // The test runs when an addendum or clearance is accepted.
  const std::tuple<int, int, const char*, bool> cases[] = {{1, 12, "1.005|1.0000001", false},
                                                           {1, 12, "1.00000005", true},
                                                           {1, 13, "0.2500001", false},
                                                           {1, 13, "0.24999995", true},
                                                           {1, 15, "0.3800001", false},
                                                           {1, 15, "0.38000009", true},
                                                           {1, 16, "0", true},
                                                           {3, 14, "0.2", true},
                                                           {3, 14, "0.201|0.1999999", false},
                                                           {3, 15, "0.3000001", false},
                                                           {3, 16, "0", true}};
  for (const auto& [type, field, texts, standard] : cases) {
    for (const std::string& text : Program::Split(texts)) {
      Program p;
      p.Choose(type);
      ASSERT_TRUE(p.Enter(field, text));
      p.Enter(11, "1");  // an addendum accepted
      EXPECT_EQ(p.g.toolsDefault, standard) << type << ": " << field << " " << text;
    }
  }
}

TEST(MainForm, CircularRootTakesTheFullRoundRoots) {
  // External: both fillets become the full round root of the mating tool,
  // 0.4719, and cannot be typed. Internal: the ring's fillet is the
  // cutter's fully rounded tip, 0.4022.
  for (int type : {1, 2}) {
    Program p;
    p.Choose(type);
    p.Press("CircularRoot");
    EXPECT_TRUE(p.g.circularRoot);
    EXPECT_EQ(p.Flags({"CircularRoot", "Edit15", "Edit16"}),
              "CircularRoot:checked Edit15:disabled Edit16:disabled");
    EXPECT_EQ(p.Texts(15, 16), type == 1 ? "0.4719|0.4719" : "0.4719|0.4022");
    EXPECT_FALSE(p.g.toolsDefault) << "0.4719 is beyond the standard fillet";
    p.Press("CircularRoot");
    EXPECT_EQ(p.Flags({"CircularRoot", "Edit15", "Edit16"}), "CircularRoot Edit15 Edit16");
  }
  // A ring with no more teeth than its cutter gets a cutter of one tooth
  // less; its fully rounded tip and the circular root go with the old one.
  Program p;
  p.Choose(2);
  p.Press("CircularRoot");
  EXPECT_TRUE(p.Enter(3, "-30"));
  EXPECT_EQ(p.Values("z0 circularRoot"), "z0=29 circularRoot=0");
  EXPECT_EQ(p.Flags({"CircularRoot"}), "CircularRoot");
}

TEST(MainForm, ShaperCuttersRootRadiusStaysWithinThePinionsRoot) {
  // The cutter cuts the ring's tip region as the pinion's tool does: its
  // root radius keeps below the pinion's full round root, and is at least
  // 0.38 while that root allows it. Mating addendum 1.5 + 0.25: the full
  // round root (pi/4 - 1.75 tan 20°) cos 20° / (1 - sin 20°) = 0.2120.
  // Each case: the cutter's root radius typed, then a main dialog field.
  const std::tuple<const char*, int, const char*, double> cases[] = {
      {"0.45", 17, "20.1", 0.45},
      {"0.3", 17, "20.1", 0.38},
      {"0.38", 12, "1.5", FullRoundRoot(1.75)}};
  for (const auto& [cutter, field, text, rhof0] : cases) {
    Program p;
    p.Choose(2);
    p.Open(Dialog::ShaperCutter);
    ASSERT_TRUE(p.Enter(Dialog::ShaperCutter, "rhof0Star", cutter));
    p.Press(Dialog::ShaperCutter, "ok");
    ASSERT_TRUE(p.Enter(field, text));
    EXPECT_NEAR(p.g.rhof0Star, rhof0, 1e-12) << cutter << " " << text;
  }
  EXPECT_NEAR(FullRoundRoot(1.75), 0.2120, 5e-5);
}

TEST_F(MainFormTest, TypedBacklashOpensItsDialogAndAClickOnTheFormAcceptsIt) {
  EXPECT_TRUE(Enter(21, "1"));
  EXPECT_EQ(g.jn, 1.0);
  EXPECT_TRUE(Showed(Dialog::Backlash));
  EXPECT_TRUE(g.backlashDirect);
  // The pair as it stood becomes the backlash-free pair.
  EXPECT_EQ(g.awEntered, 30.0);
  Press(Dialog::Backlash, "esc");
  Type(21, "0.05");
  ws.ClickOnSurface(Dialog::Main);
  EXPECT_EQ(g.jn, 0.05);
  outcomes = ws.TakeOutcomes();
  EXPECT_TRUE(Showed(Dialog::Backlash));
}

}  // namespace
}  // namespace kolmira
