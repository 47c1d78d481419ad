#include "forms/RackToolForm.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "TestPairs.h"
#include "engine/RackTool.h"
#include "model/NumberText.h"

namespace kolmira {
namespace {

// The main dialog after start, its "Nástroje" pressed, the tool dialog shown.
class RackToolFormTest : public ::testing::Test {
 protected:
  RackToolFormTest() : main(g), tool(g, main) {
    main.Start();
    main.Press(Control::ToolsButton);
    tool.Show();
  }

  // Types text into a field and leaves it. Returns whether it was refused.
  bool Enter(const char* field, const std::string& text) {
    g.messages.clear();
    EXPECT_TRUE(tool.Type(field, text)) << field;
    tool.Focus("");
    return tool.lastEntryRefused();
  }
  void Press(const char* name) {
    g.messages.clear();
    EXPECT_TRUE(tool.Press(name)) << name;
  }
  std::string Text(ToolControl c) const { return tool.control(c).text; }
  bool Visible(ToolControl c) const { return tool.control(c).visible; }
  std::string LastMessage() const { return g.messages.empty() ? "" : g.messages.back().text; }
  std::string LastTitle() const { return g.messages.empty() ? "" : g.messages.back().title; }
  bool BasicRackEnabled() const {
    for (Control c : {Control::Edit11, Control::Edit12, Control::Edit13, Control::Edit14,
                      Control::Edit15, Control::Edit16, Control::CircularRoot}) {
      if (!main.control(c).enabled) return false;
    }
    return true;
  }
  bool BasicRackDisabled() const {
    for (Control c : {Control::Edit11, Control::Edit12, Control::Edit13, Control::Edit14,
                      Control::Edit15, Control::Edit16, Control::CircularRoot}) {
      if (main.control(c).enabled) return false;
    }
    return true;
  }

  GearPair g;
  MainForm main;
  RackToolForm tool;
};

std::string Digits(double v) {
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.17g", v);
  return buffer;
}

// Full round root (or tip) of a tool tooth with the addendum ha: see
// RackToolTest, ((pi/4) cos aP - ha sin aP) / (1 - sin aP).
double FullRound(double alphaP, double ha) {
  const double s = std::sin(alphaP);
  return (std::atan(1.0) * std::cos(alphaP) - ha * s) / (1.0 - s);
}

TEST_F(RackToolFormTest, StartsWithPlainToolsInTheirFormats) {
  EXPECT_EQ(tool.Name(), "Nastroj");
  EXPECT_TRUE(tool.visible());
  EXPECT_EQ(Text(ToolControl::Edit1), "1.2500");
  EXPECT_EQ(Text(ToolControl::Edit2), "0.3800");
  EXPECT_EQ(Text(ToolControl::Edit3), "0.7500");
  EXPECT_EQ(Text(ToolControl::Edit4), "45.0000");
  EXPECT_EQ(Text(ToolControl::Edit6), "0.7500");
  EXPECT_EQ(Text(ToolControl::Edit14), "0.0500");
  for (ToolControl c :
       {ToolControl::Edit3, ToolControl::Edit4, ToolControl::Edit5, ToolControl::Edit6,
        ToolControl::Edit7, ToolControl::Label35, ToolControl::DegreeUnit4, ToolControl::Edit12,
        ToolControl::Label36, ToolControl::PinionChamfer, ToolControl::WheelBoth}) {
    EXPECT_FALSE(Visible(c)) << ToolControlName(c);
  }
  for (ToolControl c :
       {ToolControl::Edit1, ToolControl::Edit2, ToolControl::Edit8, ToolControl::Edit9,
        ToolControl::PinionPlain, ToolControl::WheelPlain, ToolControl::GroupBox2}) {
    EXPECT_TRUE(Visible(c)) << ToolControlName(c);
  }
  EXPECT_EQ(tool.control(ToolControl::CheckBox2).text, "Protuberance pastorku");
  // The protuberance angle is never typed.
  EXPECT_FALSE(tool.Type("Edit5", "6"));
  EXPECT_FALSE(tool.Focus("Edit12"));
  EXPECT_FALSE(tool.Press("Nic"));
}

struct RangeCase {
  const char* field;
  const char* text;
  bool refused;
  const char* title;    // of the last message, "" for none
  const char* message;  // the last message
};

// Each case starts from the started program with every tool option on.
TEST(RackToolFormRanges, FieldRangesAndTheirMessages) {
  const RangeCase cases[] = {
      // Tool addendum: up to the pointed tooth, 0.7853981633974483 / tan 20°.
      {"Edit1", "2.2", true, "  Chyba !",
       "Poměrnou výšku hlavy nástroje pro výrobu pastorku vol v rozsahu od 0 do 2.1579"},
      {"Edit8", "2.2", true, "  Chyba !",
       "Poměrnou výšku hlavy nástroje pro výrobu kola vol v rozsahu od 0 do 2.1579"},
      {"Edit1", "0", true, "  Chyba !",
       "Poměrnou výšku hlavy nástroje pro výrobu pastorku vol v rozsahu od 0 do 2.1579"},
      {"Edit1", "1,3", true, "  Chyba !", "Chyba číselného formátu, opakuj zadání"},
      {"Edit1", "1.3", false, "", ""},
      // Chamfer height within the addendum of the gear cut.
      {"Edit3", "1.0001", true, "  Upozornění !",
       "Poměrnou výšku patní části tvořícího ostří nástroje pro výrobu evolventy pastorku\r"
       "vol větší než 0 do hodnoty1.0000 (ha1*)."},
      {"Edit10", "0", true, "  Upozornění !",
       "Poměrnou výšku patní části tvořícího ostří nástroje pro výrobu evolventy kola\r"
       "vol větší než 0 do hodnoty1.0000 (ha2*)."},
      {"Edit3", "1", false, "", ""},
      // Chamfer angle between the flank and a right angle.
      {"Edit4", "20", true, "  Upozornění !",
       "Úhel profilu ostří nástroje pro srážení hrany hlavy pastorku\r"
       "vol větší než 20.0000° (alfan) do hodnoty 90°."},
      {"Edit11", "90", true, "  Upozornění !",
       "Úhel profilu ostří nástroje pro srážení hrany hlavy kola\r"
       "vol větší než 20.0000° (alfan) do hodnoty 90°."},
      {"Edit4", "89.99999", false, "", ""},
      // Height to the protuberance below the tool addendum.
      {"Edit6", "1.25", true, "  Upozornění !",
       "Jednotkovou výšku hlavové části tvořícího ostří nástroje pro výrobu evolventy pastorku\r"
       "vol větší než 0 do 1.2500 (haP01*)"},
      {"Edit13", "-0.1", true, "  Upozornění !",
       "Jednotkovou výšku hlavové části tvořícího ostří nástroje pro výrobu evolventy kola\r"
       "vol větší než 0 do 1.2500 (haP02*)"},
      {"Edit6", "0.7", false, "", ""},
      // Protuberance size up to the sharp tip corner, sin 20° (1.25 - 0.75).
      {"Edit7", "0.172", true, "  Upozornění !",
       "Velikost protuberance nástroje pro výrobu pastorku vol větší než 0 do 0.1710[mm]\r"
       "(maximum platí pro ostrou hranu hlavy nástroje)."},
      {"Edit14", "0", true, "  Upozornění !",
       "Velikost protuberance nástroje pro výrobu kola vol větší než 0 do 0.1710[mm]\r"
       "(maximum platí pro ostrou hranu hlavy nástroje)."},
      {"Edit7", "0.04", false, "", ""},
  };
  for (const RangeCase& c : cases) {
    SCOPED_TRACE(std::string(c.field) + " = " + c.text);
    GearPair g;
    MainForm main(g);
    RackToolForm tool(g, main);
    main.Start();
    tool.Show();
    for (const char* option : {"srazeni1", "protuberance1", "srazeni2", "protuberance2"}) {
      ASSERT_TRUE(tool.Press(option));
    }
    g.messages.clear();
    g.inputsChanged = false;
    ASSERT_TRUE(tool.Type(c.field, c.text));
    tool.Focus("");
    EXPECT_EQ(tool.lastEntryRefused(), c.refused);
    EXPECT_EQ(g.messages.empty() ? "" : g.messages.back().title, c.title);
    EXPECT_EQ(g.messages.empty() ? "" : g.messages.back().text, c.message);
    // A refused field keeps the focus.
    EXPECT_EQ(ToolControlName(tool.focused()), c.refused ? c.field : "None");
    EXPECT_FALSE(g.toolFieldDone);
    EXPECT_EQ(g.inputsChanged, !c.refused);
  }
}

TEST_F(RackToolFormTest, ToolAddendumSetsTheMatingAddendumAndCutsTheFillet) {
  EXPECT_FALSE(Enter("Edit1", "1.4"));
  EXPECT_DOUBLE_EQ(g.haP2Star, 1.4 - 0.25);
  EXPECT_EQ(main.control(Control::Edit12).text, "1.1500");
  EXPECT_FALSE(g.toolsDefault);  // the basic rack is no longer the standard one
  // The wheel's tip diameter follows its addendum: d2 + 2 ha2 mn.
  EXPECT_NEAR(g.da2, 40.0 + 2.0 * 1.15, 1e-12);
  EXPECT_EQ(main.control(Control::Edit19).text, "42.30000");

  // A tool of 2.15 cuts a root whose full round fillet is far below 0.38:
  // the pinion's fillet and the tool tip radius are cut back to it.
  EXPECT_FALSE(Enter("Edit1", "2.15"));
  const double full = FullRound(g.alphaP, 2.15);
  EXPECT_NEAR(g.rhofP1Star, full, 1e-12);
  EXPECT_NEAR(g.rhoaP01Star, full, 1e-12);
  EXPECT_EQ(Text(ToolControl::Edit2), FormatFixed(full, 6, 4));
  EXPECT_EQ(main.control(Control::Edit15).text, FormatFixed(full, 6, 4));

  // The wheel's tool sets the pinion's addendum.
  EXPECT_FALSE(Enter("Edit8", "1.35"));
  EXPECT_DOUBLE_EQ(g.haP1Star, 1.1);
  EXPECT_EQ(main.control(Control::Edit11).text, "1.1000");
}

TEST_F(RackToolFormTest, TipRadiusAboveTheFullRoundTipIsReplacedAndTheFilletFollows) {
  const double full = FullRound(g.alphaP, 1.25);  // about 0.4719
  EXPECT_FALSE(Enter("Edit2", "0.6"));
  EXPECT_EQ(LastTitle(), "  Upozornění !");
  EXPECT_EQ(LastMessage(),
            "Poměrný rádius zaoblení hlavy nástroje pro výrobu pastorku vol od 0 do 0.4719");
  EXPECT_NEAR(g.rhoaP01Star, full, 1e-12);
  EXPECT_NEAR(g.rhofP1Star, full, 1e-12);
  EXPECT_EQ(Text(ToolControl::Edit2), "0.4719");
  EXPECT_EQ(main.control(Control::Edit15).text, "0.4719");

  // Within the margin of 0.0001 the typed radius is kept.
  EXPECT_FALSE(Enter("Edit9", Digits(full + 0.00009)));
  EXPECT_TRUE(g.messages.empty());
  EXPECT_NEAR(g.rhofP2Star, full + 0.00009, 1e-12);
  EXPECT_FALSE(Enter("Edit9", "0.25"));
  EXPECT_EQ(g.rhofP2Star, 0.25);
  EXPECT_EQ(main.control(Control::Edit16).text, "0.2500");
  EXPECT_FALSE(Enter("Edit9", "-0.1"));
  EXPECT_EQ(LastMessage(),
            "Poměrný rádius zaoblení hlavy nástroje pro výrobu kola vol od 0 do 0.4719");
  EXPECT_NEAR(g.rhofP2Star, full, 1e-12);
}

TEST_F(RackToolFormTest, ChamferAngleBoundsAndEntryInDegreesMinutesSeconds) {
  Press("srazeni1");
  EXPECT_TRUE(Enter("Edit4", "20"));  // the flank itself
  // Just steeper than the flank is accepted.
  const double justAbove = (g.alphaP + 1e-7) * kRadToDeg;
  EXPECT_FALSE(Enter("Edit4", Digits(justAbove)));
  EXPECT_NEAR(g.alphaKP01, g.alphaP + 1e-7, 1e-14);
  EXPECT_TRUE(Enter("Edit4", "90"));
  EXPECT_FALSE(Enter("Edit4", "60"));
  EXPECT_EQ(g.alphaKP01Deg, 60.0);
  EXPECT_DOUBLE_EQ(g.alphaKP01, kPi / 3.0);

  // Leaving the angle with its text unchanged takes nothing.
  g.inputsChanged = false;
  g.alphaKP01Deg = 61.0;
  EXPECT_FALSE(Enter("Edit4", "60"));
  EXPECT_EQ(g.alphaKP01Deg, 61.0);
  EXPECT_FALSE(g.inputsChanged);
  // Other fields are validated whenever they are left.
  EXPECT_FALSE(Enter("Edit3", "0.7500"));
  EXPECT_TRUE(g.inputsChanged);

  main.Press(Control::Dms);
  tool.WriteAllFields();
  EXPECT_EQ(Text(ToolControl::Edit4), "61° 0'");
  EXPECT_FALSE(Visible(ToolControl::DegreeUnit4));
  EXPECT_FALSE(Enter("Edit4", "30.3"));  // 30° 30'
  EXPECT_DOUBLE_EQ(g.alphaKP01Deg, 30.5);
  EXPECT_DOUBLE_EQ(g.alphaKP01, 30.5 * kDegToRad);
  EXPECT_EQ(Text(ToolControl::Edit4), "30° 30'");
  EXPECT_TRUE(Enter("Edit4", "30.6"));
  EXPECT_EQ(LastTitle(), "  Chyba !");
  EXPECT_EQ(LastMessage(), "Minuty vol v rozsahu od 0 do 59.");
  // 20° 0' 0.1" is steeper than the flank.
  // 20° 0' 0.01" is within 1e-7 rad of the flank, 20° 0' 0.1" is not.
  EXPECT_TRUE(Enter("Edit4", "20.000001"));
  EXPECT_FALSE(Enter("Edit4", "20.00001"));
  EXPECT_NEAR(g.alphaKP01Deg, 20.0 + 0.1 / 3600.0, 1e-9);
  // 89° 59' 59.99" lies closer to a right angle than 1e-7 rad.
  EXPECT_TRUE(Enter("Edit4", "89.595999"));
}

TEST_F(RackToolFormTest, ProtuberanceOptionTakesOverTheBasicRack) {
  ASSERT_TRUE(BasicRackEnabled());
  Press("Protuberance pastorku");
  EXPECT_TRUE(g.protuberance1);
  EXPECT_TRUE(BasicRackDisabled());
  EXPECT_TRUE(Visible(ToolControl::Edit6));
  EXPECT_TRUE(Visible(ToolControl::Edit7));
  EXPECT_TRUE(Visible(ToolControl::Label35));
  EXPECT_TRUE(Visible(ToolControl::DegreeUnit35));
  // 6.05296 degrees by the construction of RackToolTest.
  EXPECT_EQ(Text(ToolControl::Label35), " 6.0530");
  EXPECT_FALSE(g.protInvalid1);
  EXPECT_TRUE(Visible(ToolControl::PinionProtuberance));
  EXPECT_FALSE(Visible(ToolControl::PinionPlain));

  Press("srazeni1");
  EXPECT_TRUE(Visible(ToolControl::PinionBoth));
  EXPECT_FALSE(Visible(ToolControl::PinionProtuberance));
  EXPECT_TRUE(Visible(ToolControl::Edit3));

  main.Press(Control::Dms);
  EXPECT_EQ(Text(ToolControl::Label35), "6°3' 10.7\"");
  EXPECT_FALSE(Visible(ToolControl::DegreeUnit35));
  main.Press(Control::Dec);

  // The pinion's protuberance unchecked gives the basic rack back, even while
  // the wheel's tool still has one.
  Press("protuberance2");
  EXPECT_TRUE(BasicRackDisabled());
  Press("protuberance1");
  EXPECT_FALSE(g.protuberance1);
  EXPECT_TRUE(g.protuberance2);
  EXPECT_TRUE(BasicRackEnabled());
  EXPECT_FALSE(Visible(ToolControl::Label35));
  EXPECT_TRUE(Visible(ToolControl::Label36));
  EXPECT_TRUE(Visible(ToolControl::PinionChamfer));
}

TEST_F(RackToolFormTest, ImpossibleProtuberanceIsRefusedAndKeepsTheDialogOpen) {
  int checked = 0;
  tool.SetProtuberanceCheck([&](GearPair&, int gear) { checked = checked * 10 + gear; });
  Press("protuberance1");
  // The largest protuberance, sin 20° (1.25 - 0.75), puts the start of the
  // protuberance flank inside the tip rounding.
  const double largest = std::sin(g.alphaP) * (1.25 - 0.75) * g.mn;
  EXPECT_TRUE(Enter("Edit7", Digits(largest)));
  EXPECT_EQ(LastTitle(), "  Chyba !");
  EXPECT_EQ(LastMessage(), "Nemožné parametry protuberance");
  EXPECT_EQ(tool.focused(), ToolControl::Edit7);
  EXPECT_EQ(Text(ToolControl::Label35), "Nemá řešení");
  // "OK" leaves the field first: it is refused again and stays focused.
  Press("ok");
  EXPECT_EQ(LastMessage(), "Nemožné parametry protuberance");
  EXPECT_TRUE(tool.visible());
  EXPECT_EQ(checked, 0);

  EXPECT_FALSE(Enter("Edit7", "0.05"));
  EXPECT_EQ(Text(ToolControl::Label35), " 6.0530");
  // A module of 0.25 makes the same 0.05 mm four times as large in units of
  // the module; the main dialog's next key press finds it has no solution.
  g.messages.clear();
  main.Focus(Control::Edit1);
  main.Type(Control::Edit1, "0.25");
  main.Focus(Control::None);
  EXPECT_FALSE(g.protInvalid1);
  main.KeyPress();
  EXPECT_TRUE(g.protInvalid1);
  EXPECT_EQ(Text(ToolControl::Label35), "Nemá řešení");
  Press("ok");
  EXPECT_TRUE(tool.visible());
  EXPECT_TRUE(g.messages.empty());
  EXPECT_EQ(checked, 0);

  // Consistent again: "OK" marks the basic rack non-standard, runs the
  // protuberance check of the pinion and closes.
  main.Focus(Control::Edit1);
  main.Type(Control::Edit1, "1");
  main.Focus(Control::None);
  main.KeyPress();
  EXPECT_FALSE(g.protInvalid1);
  Press("OK");
  EXPECT_FALSE(tool.visible());
  EXPECT_EQ(checked, 1);
  EXPECT_FALSE(g.toolsDefault);
  EXPECT_TRUE(main.control(Control::NonStandard).checked);
  EXPECT_TRUE(main.control(Control::NonStandard).enabled);
  EXPECT_FALSE(main.control(Control::Standard).checked);
}

TEST_F(RackToolFormTest, OkRunsTheCheckOfEachProtuberanceToolButNotOfTheRack) {
  std::vector<int> gears;
  tool.SetProtuberanceCheck([&](GearPair&, int gear) { gears.push_back(gear); });
  Press("protuberance1");
  Press("protuberance2");
  Press("ok");
  EXPECT_EQ(gears, (std::vector<int>{1, 2}));
  EXPECT_TRUE(tool.control(ToolControl::CheckBox4).checked);

  gears.clear();
  g.rackMode = true;
  tool.Show();
  Press("ok");
  EXPECT_EQ(gears, (std::vector<int>{1}));

  // A chamfer alone needs no check but makes the profile non-standard.
  gears.clear();
  g.rackMode = false;
  tool.Show();
  Press("Nuluj");
  Press("srazeni2");
  Press("ok");
  EXPECT_TRUE(gears.empty());
  EXPECT_FALSE(g.toolsDefault);
  EXPECT_TRUE(main.control(Control::NonStandard).checked);
}

TEST_F(RackToolFormTest, NulujRestoresEveryDefault) {
  Press("srazeni1");
  Press("protuberance1");
  Press("srazeni2");
  Press("protuberance2");
  EXPECT_FALSE(Enter("Edit1", "1.4"));
  EXPECT_FALSE(Enter("Edit2", "0.3"));
  EXPECT_FALSE(Enter("Edit3", "0.5"));
  EXPECT_FALSE(Enter("Edit4", "50"));
  EXPECT_FALSE(Enter("Edit6", "0.8"));
  EXPECT_FALSE(Enter("Edit7", "0.04"));
  EXPECT_FALSE(Enter("Edit8", "1.3"));
  EXPECT_FALSE(Enter("Edit11", "40"));
  EXPECT_FALSE(Enter("Edit14", "0.03"));
  Press("ok");
  ASSERT_FALSE(g.toolsDefault);
  tool.Show();
  // A field holding an invalid text is left for "Nuluj" without a message.
  ASSERT_TRUE(tool.Type("Edit9", "abc"));
  Press("nuluj");
  EXPECT_TRUE(g.messages.empty());

  GearPair fresh;
  SetDefaults(fresh);
  for (int t : {1, 2}) {
    SCOPED_TRACE(t);
    const RackToolVariables v = ToolVariables(g, t);
    const RackToolVariables f = ToolVariables(fresh, t);
    EXPECT_EQ(v.haP0Star, f.haP0Star);
    EXPECT_EQ(v.rhoaP0Star, f.rhoaP0Star);
    EXPECT_EQ(v.hFfP0Star, f.hFfP0Star);
    EXPECT_EQ(v.alphaKP0Deg, f.alphaKP0Deg);
    EXPECT_EQ(v.alphaKP0, f.alphaKP0);
    EXPECT_EQ(v.hFaP0Star, f.hFaP0Star);
    EXPECT_EQ(v.prP0, f.prP0);
    EXPECT_EQ(v.alphaprP0, f.alphaprP0);
    EXPECT_FALSE(v.chamfer || v.protuberance || v.protInvalid);
  }
  for (ToolControl c : {ToolControl::Edit1, ToolControl::Edit8}) EXPECT_EQ(Text(c), "1.2500");
  for (ToolControl c : {ToolControl::Edit2, ToolControl::Edit9}) EXPECT_EQ(Text(c), "0.3800");
  for (ToolControl c : {ToolControl::Edit4, ToolControl::Edit11}) EXPECT_EQ(Text(c), "45.0000");
  for (ToolControl c : {ToolControl::Edit7, ToolControl::Edit14}) EXPECT_EQ(Text(c), "0.0500");
  for (ToolControl c : {ToolControl::CheckBox1, ToolControl::CheckBox2, ToolControl::CheckBox3,
                        ToolControl::CheckBox4}) {
    EXPECT_FALSE(tool.control(c).checked);
  }
  for (ToolControl c : {ToolControl::Edit3, ToolControl::Edit4, ToolControl::Edit6,
                        ToolControl::Edit7, ToolControl::Edit10, ToolControl::Edit11,
                        ToolControl::Edit13, ToolControl::Edit14, ToolControl::Label35,
                        ToolControl::Label36, ToolControl::PinionBoth, ToolControl::WheelBoth}) {
    EXPECT_FALSE(Visible(c)) << ToolControlName(c);
  }
  EXPECT_TRUE(Text(ToolControl::Label35).empty());
  EXPECT_TRUE(Visible(ToolControl::PinionPlain));
  EXPECT_TRUE(Visible(ToolControl::WheelPlain));
  EXPECT_TRUE(g.toolsDefault);
  EXPECT_FALSE(g.toolDlgClosing);
  EXPECT_TRUE(main.control(Control::Standard).checked);
  EXPECT_FALSE(main.control(Control::NonStandard).checked);
  EXPECT_FALSE(main.control(Control::NonStandard).enabled);
  EXPECT_TRUE(BasicRackEnabled());
  // The validators work again after "Nuluj".
  EXPECT_TRUE(Enter("Edit1", "3"));
}

TEST_F(RackToolFormTest, EnterValidatesAndTheFollowingExitSkipsOnce) {
  ASSERT_TRUE(tool.Type("Edit1", "1.5"));
  tool.Press("enter");
  EXPECT_FALSE(tool.lastEntryRefused());
  EXPECT_DOUBLE_EQ(g.haP2Star, 1.25);
  EXPECT_TRUE(g.toolFieldDone);
  g.haP2Star = 9.0;  // would be set back by a second validation
  tool.Focus("Edit2");
  EXPECT_EQ(g.haP2Star, 9.0);
  EXPECT_FALSE(g.toolFieldDone);
  tool.Focus("Edit1");
  tool.Focus("");
  EXPECT_DOUBLE_EQ(g.haP2Star, 1.25);

  // A text changed after Enter is validated when the field is left.
  ASSERT_TRUE(tool.Type("Edit1", "1.5"));
  tool.Press("enter");
  ASSERT_TRUE(tool.Type("Edit1", "abc"));
  g.messages.clear();
  tool.Focus("");
  EXPECT_TRUE(tool.lastEntryRefused());
  EXPECT_EQ(LastMessage(), "Chyba číselného formátu, opakuj zadání");

  // Enter on a refused value keeps the focus and clears the skip.
  ASSERT_TRUE(tool.Type("Edit1", "2.2"));
  tool.Press("enter");
  EXPECT_TRUE(tool.lastEntryRefused());
  EXPECT_FALSE(g.toolFieldDone);
  EXPECT_EQ(tool.focused(), ToolControl::Edit1);
}

TEST_F(RackToolFormTest, InternalWheelHasNoRackTool) {
  main.ChooseGearType(GearType::Internal);
  tool.Show();
  for (ToolControl c : {ToolControl::GroupBox2, ToolControl::Edit8, ToolControl::Edit9,
                        ToolControl::CheckBox3, ToolControl::CheckBox4, ToolControl::WheelPlain}) {
    EXPECT_FALSE(Visible(c)) << ToolControlName(c);
  }
  EXPECT_TRUE(Visible(ToolControl::Edit1));
  EXPECT_FALSE(tool.Type("Edit8", "1.3"));
  EXPECT_FALSE(tool.Press("protuberance2"));
  EXPECT_FALSE(g.protuberance2);
  main.ChooseGearType(GearType::External);
  tool.Show();
  EXPECT_TRUE(Visible(ToolControl::Edit8));
}

TEST_F(RackToolFormTest, StandardOfTheMainDialogClearsTheToolOptions) {
  Press("srazeni2");
  Press("protuberance1");
  EXPECT_FALSE(Enter("Edit7", "0.04"));
  Press("ok");
  ASSERT_TRUE(BasicRackDisabled());
  main.Press(Control::Standard);
  EXPECT_FALSE(g.chamfer1 || g.chamfer2 || g.protuberance1 || g.protuberance2);
  EXPECT_EQ(g.prP01, 0.05);
  EXPECT_TRUE(BasicRackEnabled());
  tool.Show();
  EXPECT_FALSE(tool.control(ToolControl::CheckBox2).checked);
  EXPECT_FALSE(Visible(ToolControl::Edit7));
  EXPECT_EQ(Text(ToolControl::Edit7), "0.0500");
  EXPECT_TRUE(Visible(ToolControl::WheelPlain));
}

TEST_F(RackToolFormTest, EscClosesWhateverTheFieldsHoldAndHelpAsksForTopicThree) {
  Press("protuberance1");
  EXPECT_TRUE(Enter("Edit7", "0.17"));
  Press("help");
  EXPECT_EQ(tool.requests().helpContext, 3);
  tool.HelpFailed();
  EXPECT_EQ(LastTitle(), "  Chyba !");
  EXPECT_EQ(LastMessage(), "Help nenalezen.");
  Press("esc");
  EXPECT_FALSE(tool.visible());
  EXPECT_FALSE(g.toolDlgClosing);
  // Shown again, the field shows what the state holds.
  tool.Show();
  EXPECT_EQ(Text(ToolControl::Edit7), "0.1700");
  EXPECT_EQ(Text(ToolControl::Label35), "Nemá řešení");
}

}  // namespace
}  // namespace kolmira
