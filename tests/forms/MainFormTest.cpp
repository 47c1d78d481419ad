#include "forms/MainForm.h"

#include <gtest/gtest.h>

#include <cmath>

#include "TestPairs.h"
#include "engine/Involute.h"
#include "engine/PairGeometry.h"
#include "model/NumberText.h"

namespace kolmira {
namespace {

// Types text into field n and leaves it, as the user tabbing out would.
// Returns whether the field refused the text.
bool EnterText(MainForm& form, GearPair& g, int n, const std::string& text) {
  g.messages.clear();
  form.Focus(FieldControl(n));
  form.KeyPress();
  form.Type(FieldControl(n), text);
  form.Focus(Control::None);
  return form.lastEntryRefused();
}

void PressOn(MainForm& form, GearPair& g, Control c) {
  g.messages.clear();
  form.BeginPress(c);
  form.Focus(c);
  form.Press(c);
}

class MainFormTest : public ::testing::Test {
 protected:
  MainFormTest() : form(g) { form.Start(); }

  bool Enter(int n, const std::string& text) { return EnterText(form, g, n, text); }
  void Press(Control c) { PressOn(form, g, c); }
  std::string Text(int n) const { return form.control(FieldControl(n)).text; }
  std::string LastMessage() const { return g.messages.empty() ? "" : g.messages.back().text; }
  std::string LastTitle() const { return g.messages.empty() ? "" : g.messages.back().title; }

  GearPair g;
  MainForm form;
};

struct BoundCase {
  int gearType;
  int field;
  const char* text;
  bool refused;
  const char* message;  // the last message box, "" for none
};

TEST_F(MainFormTest, FieldBoundsAndTheirMessages) {
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
    GearPair pair;
    MainForm dialog(pair);
    dialog.Start();
    if (c.gearType != 1) {
      PressOn(dialog, pair, c.gearType == 2 ? Control::GearInternal : Control::GearBevel);
    }
    const bool refused = EnterText(dialog, pair, c.field, c.text);
    const std::string where = "field " + std::to_string(c.field) + " '" + c.text + "'";
    EXPECT_EQ(refused, c.refused) << where;
    ASSERT_FALSE(c.refused && pair.messages.empty()) << where;
    EXPECT_EQ(pair.messages.empty() ? "" : pair.messages.back().text, c.message) << where;
    if (c.refused) {
      EXPECT_EQ(pair.messages.back().title, "  Chyba !") << where;
      EXPECT_EQ(dialog.focused(), FieldControl(c.field)) << where << ": the focus stays";
    }
  }
}

TEST_F(MainFormTest, FilletRadiusBeyondTheFullRoundRootIsReplacedWithAWarning) {
  // Full round root of the pinion, cut by a tool with haP + cP = 1.25:
  // (pi/4 - 1.25 tan 20°) cos 20° / (1 - sin 20°) = 0.4719.
  EXPECT_FALSE(Enter(15, "1.0"));
  EXPECT_EQ(LastTitle(), "  Upozornění !");
  EXPECT_EQ(LastMessage(), "Poměrný rádius zaoblení paty pastorku vol v rozsahu od 0 do 0.4719\r ");
  EXPECT_NEAR(g.rhofP1Star, 0.4719, 5e-5);
  EXPECT_EQ(Text(15), "0.4719");
  EXPECT_EQ(g.rhoaP01Star, g.rhofP1Star) << "the tool's tip radius follows";
  // Within 0.0001 above the bound it is accepted without a warning.
  const std::string within = FormatFixed(g.rhofP1Star + 0.00009, 0, 6);
  EXPECT_FALSE(Enter(15, within));
  EXPECT_TRUE(g.messages.empty());
}

TEST_F(MainFormTest, UnchangedTextDoesNothing) {
  g.inputsChanged = false;
  EXPECT_FALSE(Enter(1, Text(1)));
  EXPECT_FALSE(g.inputsChanged);
  // An angle field with unchanged text is not even parsed.
  Enter(4, "abc");  // refused
  g.messages.clear();
  form.Focus(Control::Edit4);
  form.Type(Control::Edit4, "0.0000");
  form.Focus(Control::None);
  EXPECT_FALSE(form.lastEntryRefused());
}

TEST_F(MainFormTest, InvalidFieldLeftForQuitGivesNoMessage) {
  form.Focus(Control::Edit1);
  form.Type(Control::Edit1, "abc");
  g.messages.clear();
  form.BeginPress(Control::QuitButton);
  form.Focus(Control::QuitButton);
  form.Press(Control::QuitButton);
  EXPECT_TRUE(g.messages.empty());
  EXPECT_TRUE(form.requests().quit);
  EXPECT_FALSE(form.lastEntryRefused());
}

TEST_F(MainFormTest, WheelOfFiveThousandTeethIsARack) {
  EXPECT_FALSE(Enter(3, "5000"));
  EXPECT_TRUE(g.rackMode);
  EXPECT_EQ(Text(3), "Hřeben");
  EXPECT_EQ(form.control(Control::TipDiameter2Label).text, "Výšku hlavy zubu hřebene        h");
  EXPECT_FALSE(form.control(Control::Edit6).visible);
  EXPECT_FALSE(form.control(Control::Edit8).visible);
  EXPECT_FALSE(form.control(Control::Edit9).visible);
  EXPECT_FALSE(form.control(Control::DistributeButton).visible);
  EXPECT_EQ(Text(19), FormatFixed(g.ha2, 7, 5));
  EXPECT_DOUBLE_EQ(g.ha2, 1.0);

  // Back to a pair: the standard profile is set again.
  Enter(11, "1.1");
  EXPECT_FALSE(Enter(3, "40"));
  EXPECT_FALSE(g.rackMode);
  EXPECT_TRUE(form.control(Control::Standard).checked);
  EXPECT_EQ(g.haP1Star, 1.0);
  EXPECT_TRUE(form.control(Control::Edit9).visible);
  EXPECT_EQ(form.control(Control::TipDiameter2Label).text,
            "Hlavový průměr kola                  d");
}

TEST_F(MainFormTest, InternalWheelIsWrittenNegative) {
  Press(Control::GearInternal);
  EXPECT_FALSE(Enter(3, "80"));
  EXPECT_EQ(g.z2, -80.0);
  EXPECT_EQ(Text(3), "-80.00");
  EXPECT_DOUBLE_EQ(g.a, -30.0);
  // The cutter must keep fewer teeth than the ring.
  EXPECT_FALSE(Enter(3, "-30"));
  EXPECT_EQ(g.z0, 29);
}

TEST_F(MainFormTest, ShiftSumLimitOfAnExternalPair) {
  Enter(6, "0");
  // xmez = -0.5 (z1 + z2) inv(alphaT) / tan(alphaP).
  const double xmez = -30.0 * Involute(test::Deg(20)) / std::tan(test::Deg(20));
  ASSERT_NEAR(g.xmez, xmez, 1e-12);
  const double limit = g.xmez;
  EXPECT_FALSE(Enter(6, FormatFixed(limit, 0, 17)));
  EXPECT_TRUE(g.messages.empty());
  EXPECT_TRUE(Enter(6, FormatFixed(limit - 1e-5, 0, 17)));
  EXPECT_EQ(LastMessage(),
            "Nemožný součet jednotkových korekcí x1+x2  (xmez= " + FormatFixed(limit, 8, 5) + ") ");
}

TEST_F(MainFormTest, ShiftSumLimitOfAnInternalPair) {
  Press(Control::GearInternal);
  Enter(6, "0");
  const double limit = g.xmez;
  ASSERT_GT(limit, 0.0);
  EXPECT_FALSE(Enter(6, FormatFixed(limit, 0, 17)));
  EXPECT_TRUE(Enter(6, FormatFixed(limit + 1e-5, 0, 17)));
  EXPECT_EQ(LastMessage().rfind("Nemožný součet jednotkových korekcí x1+x2  (xmez= ", 0), 0u);
}

TEST_F(MainFormTest, AnglesInDegreesMinutesSeconds) {
  Press(Control::Dms);
  EXPECT_TRUE(g.dmsMode);
  EXPECT_EQ(Text(17), "20° 0'");
  EXPECT_EQ(Text(10), "20° 0'");
  EXPECT_FALSE(Enter(17, "20.3"));
  EXPECT_DOUBLE_EQ(g.alphaPDeg, 20.5);
  EXPECT_EQ(Text(17), "20° 30'");
  EXPECT_TRUE(Enter(17, "20.6"));
  EXPECT_EQ(LastMessage(), "Minuty vol v rozsahu od 0 do 59.");
  EXPECT_TRUE(Enter(17, "20.3060"));
  EXPECT_EQ(LastMessage(), "Vteřiny vol v rozsahu od 0 do 59.99");
  // Back to decimal degrees: the angle fields are rewritten 6:4.
  Enter(17, "20.3");
  Press(Control::Dec);
  EXPECT_FALSE(g.dmsMode);
  EXPECT_EQ(Text(17), "20.5000");
  EXPECT_EQ(Text(4), "0.0000");
}

TEST_F(MainFormTest, BacklashUpToTheModule) {
  EXPECT_FALSE(Enter(21, "1"));
  EXPECT_EQ(g.jn, 1.0);
  EXPECT_TRUE(form.requests().backlashDialog);
  EXPECT_TRUE(g.backlashDirect);
  // The pair as it stood becomes the backlash-free pair.
  EXPECT_EQ(g.awEntered, 30.0);
  EXPECT_TRUE(Enter(21, "1.01"));
  EXPECT_TRUE(Enter(21, "-1"));
}

TEST_F(MainFormTest, GearTypeSwitchingShowsTheTypesControlsAndDefaults) {
  Enter(13, "0.3");
  Press(Control::GearBevel);
  EXPECT_EQ(g.gearType, GearType::Bevel);
  EXPECT_FALSE(form.control(Control::TabMeasure).visible);
  EXPECT_FALSE(form.control(Control::TabIdent).visible);
  EXPECT_FALSE(form.control(Control::Edit9).visible);
  EXPECT_FALSE(form.control(Control::Edit10).visible);
  EXPECT_FALSE(form.control(Control::Edit21).visible);
  EXPECT_FALSE(form.control(Control::TipDiameterGroup).visible);
  EXPECT_TRUE(form.control(Control::Edit20).visible);
  EXPECT_FALSE(form.control(Control::FellowButton).visible);
  EXPECT_FALSE(form.control(Control::ToolsButton).visible);
  EXPECT_EQ(form.control(Control::ModuleLabel).text, "Čelní modul vnější             m");
  EXPECT_EQ(form.control(Control::ModuleSubscript).text, "t");
  EXPECT_EQ(form.control(Control::HelixLabel).text, "Sklon zubů střední             ß");
  EXPECT_EQ(Text(13), "0.2000");
  EXPECT_EQ(Text(15), "0.3000");
  EXPECT_EQ(Text(2), "20.0");
  EXPECT_EQ(Text(3), "30.0");
  EXPECT_TRUE(form.control(Control::GearBevel).bold);
  EXPECT_FALSE(form.control(Control::GearExternal).bold);

  Press(Control::GearInternal);
  EXPECT_TRUE(form.control(Control::FellowButton).visible);
  EXPECT_TRUE(form.control(Control::TabMeasure).visible);
  EXPECT_EQ(Text(3), "-80.0");
  EXPECT_EQ(Text(9), "-30.000000");
  EXPECT_EQ(Text(16), "0.0000");

  Press(Control::GearExternal);
  EXPECT_EQ(form.control(Control::ModuleLabel).text, "Normálný modul                m");
  EXPECT_EQ(form.control(Control::HelixLabel).text, "Sklon zubů roztečný           ß");
  EXPECT_FALSE(form.control(Control::FellowButton).visible);
  EXPECT_TRUE(form.control(Control::Edit9).visible);
  EXPECT_FALSE(form.control(Control::Edit20).visible);
  EXPECT_EQ(Text(3), "40.0");
  EXPECT_EQ(Text(13), "0.2500");
  EXPECT_EQ(Text(16), "0.3800");
  EXPECT_EQ(form.focused(), Control::Edit1);
}

TEST_F(MainFormTest, KeptShiftsTurnACentreDistanceIntoAHelixAngle) {
  Enter(7, "0.4");
  Enter(8, "0.25");
  ASSERT_NEAR(g.xSum, 0.65, 1e-12);
  Press(Control::KeepShifts);
  EXPECT_TRUE(g.keepShifts);
  EXPECT_EQ(form.focused(), Control::Edit4);
  EXPECT_FALSE(form.control(Control::Edit7).enabled);
  EXPECT_FALSE(form.control(Control::Edit21).visible);
  EXPECT_FALSE(Enter(9, "33"));
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

  // A key press outside the helix, shift and centre distance fields lets
  // the shifts go.
  form.Focus(Control::Edit5);
  form.KeyPress();
  EXPECT_FALSE(g.keepShifts);
  EXPECT_TRUE(form.control(Control::Edit21).visible);
}

TEST_F(MainFormTest, SlidingBalanceThenANewPinionShiftKeepsTheSum) {
  Press(Control::BalanceButton);
  EXPECT_TRUE(g.messages.empty());
  EXPECT_NEAR(g.x1, 0.25, 0.02);
  EXPECT_NEAR(g.x1 + g.x2, 0.0, 1e-12);
  EXPECT_TRUE(g.shiftDistributed);
  EXPECT_EQ(g.lastInputField, 6);
  EXPECT_EQ(Text(7), FormatFixed(g.x1, 8, 6));
  EXPECT_FALSE(Enter(7, "0.1"));
  EXPECT_NEAR(g.x2, -0.1, 1e-12);
  EXPECT_EQ(Text(8), "-0.100000");

  Press(Control::ZeroButton);
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
  Press(Control::CheckButton);
  EXPECT_EQ(LastTitle(), "  Error !");
  EXPECT_EQ(LastMessage(), "Není provedeno rozdělení korekcí");
  EXPECT_FALSE(form.resultsVisible());
  Press(Control::DistributeButton);
  EXPECT_EQ(form.focused(), Control::Edit7);
  Enter(7, "0.3");
  EXPECT_NEAR(g.x2, 0.2, 1e-12);
  Press(Control::CheckButton);
  EXPECT_TRUE(form.resultsVisible());
}

TEST_F(MainFormTest, BlockingShiftSumMessageOfTheCheck) {
  // Shifts typed below the limit are refused at their fields; shifts that
  // come otherwise (a file, kept shifts) are stopped by the check.
  g.x1 = -0.8;
  g.x2 = -0.8;
  g.xSum = -1.6;
  g.geometryReady = 0;
  Press(Control::CheckButton);
  bool blocking = false;
  for (const auto& m : g.messages) {
    blocking = blocking || m.text.rfind("Součet korekcí x1+x2 je menší než mezní (xmez=", 0) == 0;
  }
  EXPECT_TRUE(blocking);
  EXPECT_FALSE(form.resultsVisible());
  EXPECT_EQ(form.focused(), Control::Edit8);
}

TEST_F(MainFormTest, HelpContextsFollowTheFocus) {
  struct Case {
    Control focus;
    int context;
  };
  const Case cases[] = {
      {Control::Edit1, 2},    {Control::Edit5, 2},      {Control::Edit6, 5},
      {Control::Edit21, 0},  // the backlash field opens the contents
      {Control::Edit10, 5},   {Control::ZeroButton, 5}, {Control::Edit17, 3},
      {Control::Standard, 3}, {Control::Edit19, 4},     {Control::CheckButton, 0},
  };
  for (const auto& c : cases) {
    form.Focus(c.focus);
    form.PressF1();
    EXPECT_EQ(form.requests().helpContext, c.context) << ControlName(c.focus);
  }
  // The hidden "&Help" button takes the field accepted last.
  Enter(12, "0.9");
  Press(Control::HelpButton);
  EXPECT_EQ(form.requests().helpContext, 3);
}

TEST_F(MainFormTest, ClickOnTheFormAcceptsTheBacklashField) {
  form.Focus(Control::Edit21);
  form.Type(Control::Edit21, "0.05");
  form.ClickOnForm();
  EXPECT_EQ(g.jn, 0.05);
  EXPECT_TRUE(form.requests().backlashDialog);
}

}  // namespace
}  // namespace kolmira
