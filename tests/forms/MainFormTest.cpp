// The main dialog as its user meets it: the bounds and messages of every
// field, the gear types and rack mode, the angle forms, keeping the shifts,
// the commands and the help contexts.
#include <gtest/gtest.h>

#include <cmath>

#include "TestPairs.h"
#include "engine/Involute.h"
#include "engine/PairGeometry.h"
#include "forms/Program.h"
#include "model/NumberText.h"

namespace kolmira {
namespace {

using test::Program;
using MainFormTest = test::ProgramTest;

struct BoundCase {
  int gearType;
  int field;
  const char* text;
  bool refused;
  const char* message;  // the last message box, "" for none
};

TEST(MainForm, FieldBoundsAndTheirMessages) {
  const BoundCase cases[] = {
      {1, 1, "0", true, "Modul vol větší než 0"},
      {1, 1, "0.001", false, ""},
      {1, 2, "3", true, "Počet zubů pastorku vol větší než 3"},
      {1, 2, "4", false, ""},
      {1, 3, "3", true, "Počet zubů kola vol větší než 3"},
      {1, 3, "4", false, ""},
      {2, 3, "-3", true, "Počet zubů korunového kola vol menší než -3"},
      {2, 3, "3", true, "Počet zubů korunového kola vol menší než -3"},
      {1, 4, "-0.0001", true, "Úhel ß vol od 0 do 90.0000°. "},
      {1, 4, "90.0001", true, "Úhel ß vol od 0 do 90.0000°. "},
      {1, 4, "90", false, ""},
      {1, 5, "0", true, "Šířka zubů musí být větší než 0."},
      {1, 5, "0.01", false, ""},
      {1, 6, "10", false, ""},
      {1, 6, "10.0001", true, "Součet korekcí vol v rozsahu od -15 do 10"},
      {1, 7, "8", false, ""},
      {1, 7, "8.0001", true, "Korekci pastorku vol v rozsahu od -15 do 8"},
      {1, 8, "8.0001", true, "Korekci kola vol v rozsahu od -15 do 8"},
      {1, 9, "0", true, "Pracovní osovou vzdálenost vol větší než 0"},
      {2, 9, "0", true, "Pracovní osovou vzdálenost zadej zápornou"},
      {2, 9, "-29", false, ""},
      {1, 10, "0", true, "Valivý úhel záběru vol větší než 0°"},
      {1, 10, "90", true, "Valivý úhel záběru vol menší než 90°"},
      {1, 10, "22", false, ""},
      {1, 21, "-0.001", true, "Boční vůle musí být kladná."},
      {1, 21, "1.01", true, "Boční vůle musí být menší než velikost modulu."},
      // pi/4 / tan 20° - 0.25 = 1.9079
      {1, 11, "1.908", true, "Poměrnou výšku hlavy pastorku vol v rosahu od 0 do 1.9079 "},
      {1, 11, "-0.1", true, "Poměrnou výšku hlavy pastorku vol v rosahu od 0 do 1.9079 "},
      {1, 12, "2", true, "Poměrnou výšku hlavy kola vol v rosahu od 0 do 1.9079 "},
      // pi/4 / tan 20° - 1 = 1.1579
      {1, 13, "1.2", true, "Poměrnou výšku hlavové vůle pastorku vol od 0 do 1.1579 "},
      {1, 14, "1.2", true, "Poměrnou výšku hlavové vůle kola vol od 0 do 1.1579 "},
      {1, 17, "0", true, "Úhel profilu vol větší než 0 až do 50°"},
      {1, 17, "50.0001", true, "Úhel profilu vol větší než 0 až do 50°"},
      {1, 17, "22.5", false, ""},
      {1, 18, "0", true, "Průměr hlavové kružnice pastorku vol větší než 0"},
      {1, 19, "0", true, "Průměr hlavové kružnice kola vol větší než 0"},
      {2, 19, "10", true, "Průměr hlavové kružnice korunového kola zadej záporný"},
      {3, 20, "180", true, "Úhel os vol větší než 0 a menší než 180°"},
      {3, 20, "0", true, "Úhel os vol větší než 0 a menší než 180°"},
      {3, 20, "120", false, ""},
      {1, 1, "abc", true, "Chyba číselného formátu, opakuj zadání"},
      {1, 1, "1,5", true, "Chyba číselného formátu, opakuj zadání"},
      {1, 5, "x", true, "Chyba číselného formátu, opakuj zadání."},
      {1, 21, "", true, "Chyba číselného formátu, opakuj zadání."},
      {1, 4, "a", true,
       "Chyba číselného formátu, opakuj zadání.\rÚhel musí být v desetinném tvaru."},
  };
  for (const auto& c : cases) {
    Program p;
    if (c.gearType != 1) {
      ASSERT_TRUE(p.Press(c.gearType == 2 ? "GearInternal" : "GearBevel"));
    }
    const bool accepted = p.Enter(c.field, c.text);
    const std::string where = "field " + std::to_string(c.field) + " '" + c.text + "'";
    EXPECT_EQ(!accepted, c.refused) << where;
    ASSERT_FALSE(c.refused && p.messages.empty()) << where;
    EXPECT_EQ(p.LastMessage(), c.message) << where;
    if (c.refused) {
      EXPECT_EQ(p.LastTitle(), "  Chyba !") << where;
      EXPECT_EQ(p.Focused(), Program::Edit(c.field)) << where << ": the focus stays";
    }
  }
}

TEST_F(MainFormTest, FilletRadiusBeyondTheFullRoundRootIsReplacedWithAWarning) {
  // Full round root of the pinion, cut by a tool with haP + cP = 1.25:
  // (pi/4 - 1.25 tan 20°) cos 20° / (1 - sin 20°) = 0.4719.
  EXPECT_TRUE(Enter(15, "1.0"));
  EXPECT_EQ(LastTitle(), "  Upozornění !");
  EXPECT_EQ(LastMessage(), "Poměrný rádius zaoblení paty pastorku vol v rozsahu od 0 do 0.4719\r ");
  EXPECT_NEAR(g.rhofP1Star, 0.4719, 5e-5);
  EXPECT_EQ(Text(15), "0.4719");
  EXPECT_EQ(g.rhoaP01Star, g.rhofP1Star) << "the tool's tip radius follows";
  // Within 0.0001 above the bound it is accepted without a warning.
  EXPECT_TRUE(Enter(15, FormatFixed(g.rhofP1Star + 0.00009, 0, 6)));
  EXPECT_TRUE(messages.empty());
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

TEST_F(MainFormTest, InvalidFieldLeftForQuitLoadHelpOrGearTypeGivesNoMessage) {
  for (const char* button : {"QuitButton", "LoadButton", "HelpButton", "GearBevel"}) {
    Program p;
    ASSERT_TRUE(p.Type(1, "abc"));
    EXPECT_TRUE(p.Press(button)) << button;
    EXPECT_TRUE(p.messages.empty()) << button;
  }
  Type(1, "abc");
  Press("QuitButton");
  EXPECT_TRUE(Asked(Outcome::Kind::Quit));
  // The press is over: the field is validated again.
  Type(1, "abc");
  EXPECT_FALSE(Press("ZeroButton"));
  EXPECT_EQ(LastMessage(), "Chyba číselného formátu, opakuj zadání");
}

TEST_F(MainFormTest, WheelOfFiveThousandTeethIsARack) {
  EXPECT_TRUE(Enter(3, "5000"));
  EXPECT_TRUE(g.rackMode);
  EXPECT_EQ(Text(3), "Hřeben");
  EXPECT_EQ(main.control(Control::TipDiameter2Label).text, "Výšku hlavy zubu hřebene        h");
  for (Control hidden :
       {Control::Edit6, Control::Edit8, Control::Edit9, Control::DistributeButton}) {
    EXPECT_FALSE(main.control(hidden).visible) << ControlName(hidden);
  }
  EXPECT_EQ(Text(19), FormatFixed(g.ha2, 7, 5));
  EXPECT_DOUBLE_EQ(g.ha2, 1.0);

  // Back to a pair: the standard profile is set again.
  Enter(11, "1.1");
  EXPECT_TRUE(Enter(3, "40"));
  EXPECT_FALSE(g.rackMode);
  EXPECT_TRUE(main.control(Control::Standard).checked);
  EXPECT_EQ(g.haP1Star, 1.0);
  EXPECT_TRUE(main.control(Control::Edit9).visible);
  EXPECT_EQ(main.control(Control::TipDiameter2Label).text,
            "Hlavový průměr kola                  d");
}

TEST_F(MainFormTest, InternalWheelIsWrittenNegative) {
  Press("GearInternal");
  EXPECT_TRUE(Enter(3, "80"));
  EXPECT_EQ(g.z2, -80.0);
  EXPECT_EQ(Text(3), "-80.00");
  EXPECT_DOUBLE_EQ(g.a, -30.0);
  // The cutter must keep fewer teeth than the ring.
  EXPECT_TRUE(Enter(3, "-30"));
  EXPECT_EQ(g.z0, 29);
}

TEST(MainForm, ShiftSumLimit) {
  for (bool internal : {false, true}) {
    Program p;
    if (internal) {
      p.Press("GearInternal");
    }
    p.Enter(6, "0");
    // xmez = -0.5 (z1 + z2) inv(alphaT) / tan(alphaP): 20/40 below zero,
    // 20/-80 above, and the limit itself is a shift sum the pair can have.
    const double xmez =
        -0.5 * (internal ? -60.0 : 60.0) * Involute(test::Deg(20)) / std::tan(test::Deg(20));
    ASSERT_NEAR(p.g.xmez, xmez, 1e-12);
    EXPECT_TRUE(p.Enter(6, FormatFixed(xmez, 0, 17)));
    EXPECT_TRUE(p.messages.empty());
    EXPECT_FALSE(p.Enter(6, FormatFixed(xmez + (internal ? 1e-5 : -1e-5), 0, 17)));
    EXPECT_EQ(p.LastMessage(), "Nemožný součet jednotkových korekcí x1+x2  (xmez= " +
                                   FormatFixed(xmez, 8, 5) + ") ");
  }
}

TEST_F(MainFormTest, AnglesInDegreesMinutesSeconds) {
  Press("Dms");
  EXPECT_TRUE(g.dmsMode);
  EXPECT_EQ(Text(17), "20° 0'");
  EXPECT_EQ(Text(10), "20° 0'");
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
  EXPECT_EQ(Text(17), "20.5000");
  EXPECT_EQ(Text(4), "0.0000");
}

TEST_F(MainFormTest, BacklashUpToTheModuleOpensItsDialog) {
  EXPECT_TRUE(Enter(21, "1"));
  EXPECT_EQ(g.jn, 1.0);
  EXPECT_TRUE(Showed(Dialog::Backlash));
  EXPECT_TRUE(g.backlashDirect);
  // The pair as it stood becomes the backlash-free pair.
  EXPECT_EQ(g.awEntered, 30.0);
  EXPECT_FALSE(Enter(21, "1.01"));
  EXPECT_FALSE(Enter(21, "-1"));
}

TEST_F(MainFormTest, GearTypeSwitchingShowsTheTypesControlsAndDefaults) {
  Enter(13, "0.3");
  Press("GearBevel");
  EXPECT_EQ(g.gearType, GearType::Bevel);
  for (Control hidden : {Control::TabMeasure, Control::TabIdent, Control::Edit9, Control::Edit10,
                         Control::Edit21, Control::TipDiameterGroup, Control::FellowButton,
                         Control::ToolsButton, Control::GearExternal}) {
    const ControlState& s = main.control(hidden);
    EXPECT_FALSE(hidden == Control::GearExternal ? s.bold : s.visible) << ControlName(hidden);
  }
  EXPECT_TRUE(main.control(Control::Edit20).visible);
  EXPECT_TRUE(main.control(Control::GearBevel).bold);
  EXPECT_FALSE(ws.Exists(Dialog::Measure));
  EXPECT_EQ(main.control(Control::ModuleLabel).text, "Čelní modul vnější             m");
  EXPECT_EQ(main.control(Control::ModuleSubscript).text, "t");
  EXPECT_EQ(main.control(Control::HelixLabel).text, "Sklon zubů střední             ß");
  EXPECT_EQ(Text(13), "0.2000");
  EXPECT_EQ(Text(15), "0.3000");
  EXPECT_EQ(Text(2), "20.0");
  EXPECT_EQ(Text(3), "30.0");

  Press("GearInternal");
  EXPECT_TRUE(main.control(Control::FellowButton).visible);
  EXPECT_TRUE(main.control(Control::TabMeasure).visible);
  EXPECT_EQ(Text(3), "-80.0");
  EXPECT_EQ(Text(9), "-30.000000");
  EXPECT_EQ(Text(16), "0.0000");

  Press("GearExternal");
  EXPECT_EQ(main.control(Control::ModuleLabel).text, "Normálný modul                m");
  EXPECT_EQ(main.control(Control::HelixLabel).text, "Sklon zubů roztečný           ß");
  EXPECT_FALSE(main.control(Control::FellowButton).visible);
  EXPECT_TRUE(main.control(Control::Edit9).visible);
  EXPECT_FALSE(main.control(Control::Edit20).visible);
  EXPECT_EQ(Text(3), "40.0");
  EXPECT_EQ(Text(13), "0.2500");
  EXPECT_EQ(Text(16), "0.3800");
  EXPECT_EQ(Focused(), "Edit1");
}

TEST_F(MainFormTest, KeptShiftsTurnACentreDistanceIntoAHelixAngle) {
  Enter(7, "0.4");
  Enter(8, "0.25");
  ASSERT_NEAR(g.xSum, 0.65, 1e-12);
  Press("KeepShifts");
  EXPECT_TRUE(g.keepShifts);
  EXPECT_EQ(Focused(), "Edit4");
  EXPECT_FALSE(main.control(Control::Edit7).enabled);
  EXPECT_FALSE(main.control(Control::Edit21).visible);
  EXPECT_TRUE(Enter(9, "33"));
  ASSERT_GT(g.beta, 0.0);
  EXPECT_EQ(g.x1, 0.4);
  EXPECT_EQ(g.x2, 0.25);
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
  Focus(Dialog::Main, "Edit8");
  Key(Dialog::Main, kolmira::Key::Other);
  EXPECT_TRUE(g.keepShifts);
  Focus(Dialog::Main, "Edit5");
  Key(Dialog::Main, kolmira::Key::Other);
  EXPECT_FALSE(g.keepShifts);
  EXPECT_TRUE(main.control(Control::Edit21).visible);
}

TEST_F(MainFormTest, SlidingBalanceThenANewPinionShiftKeepsTheSum) {
  Press("BalanceButton");
  EXPECT_TRUE(messages.empty());
  EXPECT_NEAR(g.x1, 0.25, 0.02);
  EXPECT_NEAR(g.x1 + g.x2, 0.0, 1e-12);
  EXPECT_TRUE(g.shiftDistributed);
  EXPECT_EQ(g.lastInputField, 6);
  EXPECT_EQ(Text(7), FormatFixed(g.x1, 8, 6));
  EXPECT_TRUE(Enter(7, "0.1"));
  EXPECT_NEAR(g.x2, -0.1, 1e-12);
  EXPECT_EQ(Text(8), "-0.100000");

  Press("ZeroButton");
  EXPECT_EQ(g.x1, 0.0);
  EXPECT_EQ(g.x2, 0.0);
  EXPECT_EQ(g.xSum, 0.0);
  EXPECT_DOUBLE_EQ(g.aw, 30.0);
  EXPECT_EQ(Text(7), "0.000000");
  EXPECT_EQ(Text(9), "30.000000");
  EXPECT_TRUE(g.backlashFresh);
}

TEST_F(MainFormTest, ShiftSumMustBeDividedBeforeTheCheck) {
  Enter(6, "0.5");
  EXPECT_TRUE(g.shiftNotDistributed);
  EXPECT_EQ(Text(18), "");  // the tips are not known until the sum is divided
  Press("CheckButton");
  EXPECT_EQ(LastTitle(), "  Error !");
  EXPECT_EQ(LastMessage(), "Není provedeno rozdělení korekcí");
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

TEST_F(MainFormTest, BlockingShiftSumMessageOfTheCheck) {
  // Shifts typed below the limit are refused at their fields; shifts that
  // come otherwise (a file, kept shifts) are stopped by the check.
  g.x1 = -0.8;
  g.x2 = -0.8;
  g.xSum = -1.6;
  g.geometryReady = 0;
  EXPECT_FALSE(ws.Check());
  outcomes = ws.TakeOutcomes();
  bool blocking = false;
  for (const Outcome& o : outcomes) {
    blocking =
        blocking || o.message.text.rfind("Součet korekcí x1+x2 je menší než mezní (xmez=", 0) == 0;
  }
  EXPECT_TRUE(blocking);
  EXPECT_FALSE(main.resultsVisible());
  EXPECT_EQ(Focused(), "Edit8");
}

TEST_F(MainFormTest, HelpContextsFollowTheFocus) {
  struct Case {
    const char* focus;
    int context;
  };
  const Case cases[] = {
      {"Edit1", 2},       {"Edit5", 2},      {"Edit6", 5},  {"Edit21", 0},  // the backlash field
                                                                            // opens the contents
      {"Edit10", 5},      {"ZeroButton", 5}, {"Edit17", 3}, {"Standard", 3}, {"Edit19", 4},
      {"CheckButton", 0},
  };
  for (const auto& c : cases) {
    Focus(Dialog::Main, c.focus);
    Key(Dialog::Main, kolmira::Key::F1);
    EXPECT_EQ(HelpContext(), c.context) << c.focus;
    EXPECT_EQ(outcomes.back().helpFile, "help_kolmira.hlp");
  }
  // The hidden "&Help" button takes the field accepted last.
  Enter(12, "0.9");
  Press("HelpButton");
  EXPECT_EQ(HelpContext(), 3);
  // The tabs have their own topics.
  Press("TabMeasure");
  Key(Dialog::Measure, kolmira::Key::F1);
  EXPECT_EQ(HelpContext(), 13);
  ws.HelpNotFound();
  EXPECT_EQ(ws.TakeOutcomes().front().message.text, "Help nenalezen.");
}

TEST_F(MainFormTest, ClickOnTheFormAcceptsTheBacklashField) {
  Type(21, "0.05");
  ws.ClickOnSurface(Dialog::Main);
  EXPECT_EQ(g.jn, 0.05);
  outcomes = ws.TakeOutcomes();
  EXPECT_TRUE(Showed(Dialog::Backlash));
}

}  // namespace
}  // namespace kolmira
