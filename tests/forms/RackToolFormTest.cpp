// The rack tool dialog as its user meets it: the bounds of the tool
// fields, the options and pictures, "Nuluj", "OK" and what the tools change
// in the main dialog's basic rack.
#include "forms/RackToolForm.h"

#include <gtest/gtest.h>

#include <cmath>

#include "TestPairs.h"
#include "engine/RackTool.h"
#include "forms/Program.h"
#include "model/NumberText.h"

namespace kolmira {
namespace {

using test::Program;
constexpr Dialog kTools = Dialog::RackTools;

// The six basic rack fields and "Kruhová pata" of the main dialog.
const std::initializer_list<std::string_view> kBasicRack = {
    "Edit11", "Edit12", "Edit13", "Edit14", "Edit15", "Edit16", "CircularRoot"};
const char* const kBasicRackEnabled = "Edit11 Edit12 Edit13 Edit14 Edit15 Edit16 CircularRoot";
const char* const kBasicRackDisabled =
    "Edit11:disabled Edit12:disabled Edit13:disabled Edit14:disabled Edit15:disabled "
    "Edit16:disabled CircularRoot:disabled";

// The main dialog after start, its "Nástroje" pressed: the tool dialog shown.
class RackToolFormTest : public test::ProgramTest {
 protected:
  RackToolFormTest() { EXPECT_TRUE(Program::Open(kTools)); }

  bool EnterIn(const char* field, const std::string& text) { return Enter(kTools, field, text); }
  bool PressIn(const char* name) { return Press(kTools, name); }
  std::string Tool(std::initializer_list<std::string_view> names) const {
    return Texts(kTools, names);
  }
  RackToolForm& tool() { return ws.rackTools(); }
};

// Full round root (or tip) of a tool tooth with the addendum ha:
// ((pi/4) cos aP - ha sin aP) / (1 - sin aP).
double FullRound(double alphaP, double ha) {
  const double s = std::sin(alphaP);
  return (std::atan(1.0) * std::cos(alphaP) - ha * s) / (1.0 - s);
}

TEST_F(RackToolFormTest, StartsWithPlainToolsInTheirFormats) {
  EXPECT_TRUE(tool().visible());
  EXPECT_TRUE(Showed(kTools));
  EXPECT_EQ(Tool({"Edit1", "Edit2", "Edit3", "Edit4", "Edit6", "Edit14"}),
            "1.2500|0.3800|0.7500|45.0000|0.7500|0.0500");
  EXPECT_EQ(
      Flags(kTools, {"Edit1", "Edit2", "Edit3", "Edit4", "Edit5", "Edit6", "Edit7", "Edit8",
                     "Edit9", "Edit12", "Label35", "Label36", "DegreeUnit4", "PinionPlain",
                     "PinionChamfer", "WheelPlain", "WheelBoth", "GroupBox2"}),
      "Edit1 Edit2 Edit3:hidden Edit4:hidden Edit5:hidden,disabled Edit6:hidden Edit7:hidden Edit8 "
      "Edit9 Edit12:hidden,disabled Label35:hidden Label36:hidden DegreeUnit4:hidden PinionPlain "
      "PinionChamfer:hidden WheelPlain WheelBoth:hidden GroupBox2");
  EXPECT_EQ(tool().control(ToolControl::CheckBox2).text, "Protuberance pastorku");
  // The protuberance angle is never typed.
  EXPECT_FALSE(Type(kTools, "Edit5", "6"));
  EXPECT_FALSE(Focus(kTools, "Edit12"));
  EXPECT_FALSE(PressIn("Nic"));
}

// Each case starts from the started program with every tool option on.
TEST(RackToolFormRanges, FieldRangesAndTheirMessages) {
  const char* error = "  Chyba !";
  const char* warning = "  Upozornění !";
  const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
      // Tool addendum: up to the pointed tooth, 0.7853981633974483 / tan 20°.
      {"Edit1", "2.2|0", error,
       "Poměrnou výšku hlavy nástroje pro výrobu pastorku vol v rozsahu od 0 do 2.1579"},
      {"Edit8", "2.2", error,
       "Poměrnou výšku hlavy nástroje pro výrobu kola vol v rozsahu od 0 do 2.1579"},
      {"Edit1", "1,3", error, "Chyba číselného formátu, opakuj zadání"},
      // A tool shorter than the mate's clearance of 0.25 would leave the mate
      // an addendum below 0: the mate's own field refuses that.
      {"Edit8", "0.2", error, "Poměrnou výšku hlavy pastorku vol v rosahu od 0 do 1.9079 "},
      {"Edit1", "0.2499", error, "Poměrnou výšku hlavy kola vol v rosahu od 0 do 1.9079 "},
      // Chamfer height within the addendum of the gear cut.
      {"Edit3", "1.0001", warning,
       "Poměrnou výšku patní části tvořícího ostří nástroje pro výrobu evolventy pastorku\r"
       "vol větší než 0 do hodnoty1.0000 (ha1*)."},
      {"Edit10", "0", warning,
       "Poměrnou výšku patní části tvořícího ostří nástroje pro výrobu evolventy kola\r"
       "vol větší než 0 do hodnoty1.0000 (ha2*)."},
      // Chamfer angle between the flank and a right angle.
      {"Edit4", "20", warning,
       "Úhel profilu ostří nástroje pro srážení hrany hlavy pastorku\r"
       "vol větší než 20.0000° (alfan) do hodnoty 90°."},
      {"Edit11", "90", warning,
       "Úhel profilu ostří nástroje pro srážení hrany hlavy kola\r"
       "vol větší než 20.0000° (alfan) do hodnoty 90°."},
      // Height to the protuberance below the tool addendum.
      {"Edit6", "1.25", warning,
       "Jednotkovou výšku hlavové části tvořícího ostří nástroje pro výrobu evolventy pastorku\r"
       "vol větší než 0 do 1.2500 (haP01*)"},
      {"Edit13", "-0.1", warning,
       "Jednotkovou výšku hlavové části tvořícího ostří nástroje pro výrobu evolventy kola\r"
       "vol větší než 0 do 1.2500 (haP02*)"},
      // Protuberance size up to the sharp tip corner, sin 20° (1.25 - 0.75).
      {"Edit7", "0.172", warning,
       "Velikost protuberance nástroje pro výrobu pastorku vol větší než 0 do 0.1710[mm]\r"
       "(maximum platí pro ostrou hranu hlavy nástroje)."},
      {"Edit14", "0", warning,
       "Velikost protuberance nástroje pro výrobu kola vol větší než 0 do 0.1710[mm]\r"
       "(maximum platí pro ostrou hranu hlavy nástroje)."},
      {"Edit1", "1.3", "", ""},
      {"Edit3", "1", "", ""},
      {"Edit4", "89.99999", "", ""},
      {"Edit6", "0.7", "", ""},
      {"Edit7", "0.04", "", ""}};
  for (const auto& [field, texts, title, message] : cases) {
    for (const std::string& text : Program::Split(texts)) {
      SCOPED_TRACE(std::string(field) + " = " + text);
      Program p;
      ASSERT_TRUE(p.Open(kTools));
      for (const char* option : {"srazeni1", "protuberance1", "srazeni2", "protuberance2"}) {
        ASSERT_TRUE(p.Press(kTools, option));
      }
      p.g.inputsChanged = false;
      ASSERT_TRUE(p.Type(kTools, field, text));
      const bool refused = *title != '\0';
      EXPECT_EQ(!p.user.Leave(kTools), refused);
      p.messages = p.user.Messages();
      EXPECT_EQ(p.LastTitle(), title);
      EXPECT_EQ(p.LastMessage(), message);
      // A refused field keeps the focus.
      EXPECT_EQ(p.Focused(kTools), refused ? field : "");
      EXPECT_FALSE(p.g.toolFieldDone);
      EXPECT_EQ(p.g.inputsChanged, !refused);
    }
  }
}

TEST_F(RackToolFormTest, ToolAddendumSetsTheMatingAddendumAndCutsTheFillet) {
  EXPECT_TRUE(EnterIn("Edit1", "1.4"));
  EXPECT_DOUBLE_EQ(g.haP2Star, 1.4 - 0.25);
  EXPECT_FALSE(g.toolsDefault);  // the basic rack is no longer the standard one
  // The wheel's tip diameter follows its addendum: d2 + 2 ha2 mn = 42.3.
  EXPECT_NEAR(g.da2, 40.0 + 2.0 * 1.15, 1e-12);
  EXPECT_EQ(Text(12), "1.1500");
  EXPECT_EQ(Text(19), "42.30000");

  // A tool of 2.15 cuts a root whose full round fillet is far below 0.38:
  // the pinion's fillet and the tool tip radius are cut back to it.
  EXPECT_TRUE(EnterIn("Edit1", "2.15"));
  const double full = FullRound(g.alphaP, 2.15);
  EXPECT_NEAR(g.rhofP1Star, full, 1e-12);
  EXPECT_NEAR(g.rhoaP01Star, full, 1e-12);
  EXPECT_EQ(Tool({"Edit2"}), FormatFixed(full, 6, 4));
  EXPECT_EQ(Text(15), FormatFixed(full, 6, 4));

  // The wheel's tool sets the pinion's addendum.
  EXPECT_TRUE(EnterIn("Edit8", "1.35"));
  EXPECT_DOUBLE_EQ(g.haP1Star, 1.1);
  EXPECT_EQ(Text(11), "1.1000");
}

TEST_F(RackToolFormTest, TipRadiusAboveTheFullRoundTipIsReplacedAndTheFilletFollows) {
  const double full = FullRound(g.alphaP, 1.25);  // about 0.4719
  EXPECT_TRUE(EnterIn("Edit2", "0.6"));
  EXPECT_EQ(LastTitle(), "  Upozornění !");
  EXPECT_EQ(LastMessage(),
            "Poměrný rádius zaoblení hlavy nástroje pro výrobu pastorku vol od 0 do 0.4719");
  EXPECT_NEAR(g.rhoaP01Star, full, 1e-12);
  EXPECT_NEAR(g.rhofP1Star, full, 1e-12);
  EXPECT_EQ(Tool({"Edit2"}) + "|" + Text(15), "0.4719|0.4719");

  // Within the margin of 0.0001 the typed radius is kept.
  EXPECT_TRUE(EnterIn("Edit9", Exact(full + 0.00009)));
  EXPECT_TRUE(messages.empty());
  EXPECT_NEAR(g.rhofP2Star, full + 0.00009, 1e-12);
  EXPECT_TRUE(EnterIn("Edit9", "0.25"));
  EXPECT_EQ(g.rhofP2Star, 0.25);
  EXPECT_EQ(Text(16), "0.2500");
  EXPECT_TRUE(EnterIn("Edit9", "-0.1"));
  EXPECT_EQ(LastMessage(),
            "Poměrný rádius zaoblení hlavy nástroje pro výrobu kola vol od 0 do 0.4719");
  EXPECT_NEAR(g.rhofP2Star, full, 1e-12);
}

TEST_F(RackToolFormTest, ChamferAngleBoundsAndEntryInDegreesMinutesSeconds) {
  PressIn("srazeni1");
  EXPECT_FALSE(EnterIn("Edit4", "20"));  // the flank itself
  // Just steeper than the flank is accepted.
  EXPECT_TRUE(EnterIn("Edit4", Exact((g.alphaP + 1e-7) * kRadToDeg)));
  EXPECT_NEAR(g.alphaKP01, g.alphaP + 1e-7, 1e-14);
  EXPECT_FALSE(EnterIn("Edit4", "90"));
  EXPECT_TRUE(EnterIn("Edit4", "60"));
  EXPECT_EQ(g.alphaKP01Deg, 60.0);
  EXPECT_DOUBLE_EQ(g.alphaKP01, kPi / 3.0);

  // Leaving the angle with its text unchanged takes nothing.
  g.inputsChanged = false;
  g.alphaKP01Deg = 61.0;
  EXPECT_TRUE(EnterIn("Edit4", "60"));
  EXPECT_EQ(Values("alphaKP01Deg inputsChanged"), "alphaKP01Deg=61 inputsChanged=0");
  // Other fields are validated whenever they are left.
  EXPECT_TRUE(EnterIn("Edit3", "0.7500"));
  EXPECT_TRUE(g.inputsChanged);

  // "DMS" in the main dialog rewrites the tool's angle.
  Press("Dms");
  EXPECT_EQ(Tool({"Edit4"}), "61° 0'");
  EXPECT_EQ(Flags(kTools, {"DegreeUnit4"}), "DegreeUnit4:hidden");
  EXPECT_TRUE(EnterIn("Edit4", "30.3"));  // 30° 30'
  EXPECT_DOUBLE_EQ(g.alphaKP01Deg, 30.5);
  EXPECT_DOUBLE_EQ(g.alphaKP01, 30.5 * kDegToRad);
  EXPECT_EQ(Tool({"Edit4"}), "30° 30'");
  EXPECT_FALSE(EnterIn("Edit4", "30.6"));
  EXPECT_EQ(LastTitle(), "  Chyba !");
  EXPECT_EQ(LastMessage(), "Minuty vol v rozsahu od 0 do 59.");
  // 20° 0' 0.01" is within 1e-7 rad of the flank, 20° 0' 0.1" is not.
  EXPECT_FALSE(EnterIn("Edit4", "20.000001"));
  EXPECT_TRUE(EnterIn("Edit4", "20.00001"));
  EXPECT_NEAR(g.alphaKP01Deg, 20.0 + 0.1 / 3600.0, 1e-9);
  // 89° 59' 59.99" lies closer to a right angle than 1e-7 rad.
  EXPECT_FALSE(EnterIn("Edit4", "89.595999"));
}

TEST_F(RackToolFormTest, ProtuberanceOptionTakesOverTheBasicRack) {
  ASSERT_EQ(Flags(kBasicRack), kBasicRackEnabled);
  PressIn("Protuberance pastorku");
  EXPECT_TRUE(g.protuberance1);
  EXPECT_EQ(Flags(kBasicRack), kBasicRackDisabled);
  EXPECT_EQ(Flags(kTools, {"Edit6", "Edit7", "Label35", "DegreeUnit35", "PinionProtuberance",
                           "PinionPlain"}),
            "Edit6 Edit7 Label35 DegreeUnit35 PinionProtuberance PinionPlain:hidden");
  // 6.05296 degrees by the construction of the protuberance flank.
  EXPECT_EQ(Tool({"Label35"}), " 6.0530");
  EXPECT_FALSE(g.protInvalid1);

  PressIn("srazeni1");
  EXPECT_EQ(Flags(kTools, {"PinionBoth", "PinionProtuberance", "Edit3"}),
            "PinionBoth PinionProtuberance:hidden Edit3");

  Press("Dms");
  EXPECT_EQ(Tool({"Label35"}), "6°3' 10.7\"");
  EXPECT_EQ(Flags(kTools, {"DegreeUnit35"}), "DegreeUnit35:hidden");
  Press("Dec");

  // The pinion's protuberance unchecked gives the basic rack back, even while
  // the wheel's tool still has one.
  PressIn("protuberance2");
  EXPECT_EQ(Flags(kBasicRack), kBasicRackDisabled);
  PressIn("protuberance1");
  EXPECT_EQ(Values("protuberance1 protuberance2"), "protuberance1=0 protuberance2=1");
  EXPECT_EQ(Flags(kBasicRack), kBasicRackEnabled);
  EXPECT_EQ(Flags(kTools, {"Label35", "Label36", "PinionChamfer"}),
            "Label35:hidden Label36 PinionChamfer");
}

TEST_F(RackToolFormTest, ImpossibleProtuberanceIsRefusedAndKeepsTheDialogOpen) {
  int checked = 0;
  tool().SetProtuberanceCheck([&](GearPair&, int gear) { checked = checked * 10 + gear; });
  PressIn("protuberance1");
  // The largest protuberance, sin 20° (1.25 - 0.75), puts the start of the
  // protuberance flank inside the tip rounding.
  EXPECT_FALSE(EnterIn("Edit7", Exact(std::sin(g.alphaP) * (1.25 - 0.75) * g.mn)));
  EXPECT_EQ(LastTitle(), "  Chyba !");
  EXPECT_EQ(LastMessage(), "Nemožné parametry protuberance");
  EXPECT_EQ(Focused(kTools), "Edit7");
  EXPECT_EQ(Tool({"Label35"}), "Nemá řešení");
  // "OK" leaves the field first: it is refused again and stays focused.
  EXPECT_FALSE(PressIn("ok"));
  EXPECT_EQ(LastMessage(), "Nemožné parametry protuberance");
  EXPECT_TRUE(tool().visible());
  EXPECT_EQ(checked, 0);

  EXPECT_TRUE(EnterIn("Edit7", "0.05"));
  EXPECT_EQ(Tool({"Label35"}), " 6.0530");
  // A module of 0.25 makes the same 0.05 mm four times as large in units of
  // the module; the main dialog's next key press finds it has no solution.
  Enter(1, "0.25");
  EXPECT_FALSE(g.protInvalid1);
  Key(Dialog::Main, Key::Other);
  EXPECT_TRUE(g.protInvalid1);
  EXPECT_EQ(Tool({"Label35"}), "Nemá řešení");
  PressIn("ok");
  EXPECT_TRUE(tool().visible());
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(checked, 0);

  // Consistent again: "OK" marks the basic rack non-standard, runs the
  // protuberance check of the pinion and closes.
  Enter(1, "1");
  Key(Dialog::Main, Key::Other);
  EXPECT_FALSE(g.protInvalid1);
  PressIn("OK");
  EXPECT_FALSE(tool().visible());
  EXPECT_TRUE(Asked(Outcome::Kind::HideDialog));
  EXPECT_EQ(checked, 1);
  EXPECT_FALSE(g.toolsDefault);
  EXPECT_EQ(Flags({"Standard", "NonStandard"}), "Standard NonStandard:checked");
}

TEST_F(RackToolFormTest, OkRunsTheCheckOfEachProtuberanceToolButNotOfTheRack) {
  std::vector<int> gears;
  tool().SetProtuberanceCheck([&](GearPair&, int gear) { gears.push_back(gear); });
  PressIn("protuberance1");
  PressIn("protuberance2");
  PressIn("ok");
  EXPECT_EQ(gears, (std::vector<int>{1, 2}));
  EXPECT_TRUE(tool().control(ToolControl::CheckBox4).checked);

  gears.clear();
  g.rackMode = true;
  tool().Show();
  PressIn("ok");
  EXPECT_EQ(gears, (std::vector<int>{1}));

  // A chamfer alone needs no check but makes the profile non-standard.
  gears.clear();
  g.rackMode = false;
  tool().Show();
  PressIn("Nuluj");
  PressIn("srazeni2");
  PressIn("ok");
  EXPECT_TRUE(gears.empty());
  EXPECT_FALSE(g.toolsDefault);
  EXPECT_EQ(Flags({"NonStandard"}), "NonStandard:checked");
}

TEST_F(RackToolFormTest, NulujRestoresEveryDefault) {
  for (const char* option : {"srazeni1", "protuberance1", "srazeni2", "protuberance2"}) {
    PressIn(option);
  }
  for (auto [field, text] : {std::pair{"Edit1", "1.4"},
                             {"Edit2", "0.3"},
                             {"Edit3", "0.5"},
                             {"Edit4", "50"},
                             {"Edit6", "0.8"},
                             {"Edit7", "0.04"},
                             {"Edit8", "1.3"},
                             {"Edit11", "40"},
                             {"Edit14", "0.03"}}) {
    EXPECT_TRUE(EnterIn(field, text)) << field;
  }
  PressIn("ok");
  ASSERT_FALSE(g.toolsDefault);
  ASSERT_TRUE(Program::Open(kTools));
  // A field holding an invalid text is left for "Nuluj" without a message.
  ASSERT_TRUE(Type(kTools, "Edit9", "abc"));
  PressIn("nuluj");
  EXPECT_TRUE(messages.empty());

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
  EXPECT_EQ(
      Tool({"Edit1", "Edit8", "Edit2", "Edit9", "Edit4", "Edit11", "Edit7", "Edit14", "Label35"}),
      "1.2500|1.2500|0.3800|0.3800|45.0000|45.0000|0.0500|0.0500|");
  EXPECT_EQ(Flags(kTools, {"CheckBox1", "CheckBox2", "CheckBox3", "CheckBox4", "Edit3", "Edit4",
                           "Edit6", "Edit7", "Edit10", "Edit11", "Edit13", "Edit14", "Label35",
                           "Label36", "PinionBoth", "WheelBoth", "PinionPlain", "WheelPlain"}),
            "CheckBox1 CheckBox2 CheckBox3 CheckBox4 Edit3:hidden Edit4:hidden Edit6:hidden "
            "Edit7:hidden Edit10:hidden Edit11:hidden Edit13:hidden Edit14:hidden Label35:hidden "
            "Label36:hidden PinionBoth:hidden WheelBoth:hidden PinionPlain WheelPlain");
  EXPECT_EQ(Values("toolsDefault toolDlgClosing"), "toolsDefault=1 toolDlgClosing=0");
  EXPECT_EQ(Flags({"Standard", "NonStandard"}), "Standard:checked NonStandard:disabled");
  EXPECT_EQ(Flags(kBasicRack), kBasicRackEnabled);
  // The validators work again after "Nuluj".
  EXPECT_FALSE(EnterIn("Edit1", "3"));
}

TEST_F(RackToolFormTest, EnterValidatesAndTheFollowingExitSkipsOnce) {
  ASSERT_TRUE(Type(kTools, "Edit1", "1.5"));
  EXPECT_TRUE(Key(kTools, Key::Enter));
  EXPECT_DOUBLE_EQ(g.haP2Star, 1.25);
  EXPECT_TRUE(g.toolFieldDone);
  g.haP2Star = 9.0;  // would be set back by a second validation
  Focus(kTools, "Edit2");
  EXPECT_EQ(Values("haP2Star toolFieldDone"), "haP2Star=9 toolFieldDone=0");
  Focus(kTools, "Edit1");
  Focus(kTools, "");
  EXPECT_DOUBLE_EQ(g.haP2Star, 1.25);

  // A text changed after Enter is validated when the field is left.
  ASSERT_TRUE(Type(kTools, "Edit1", "1.5"));
  Key(kTools, Key::Enter);
  ASSERT_TRUE(Type(kTools, "Edit1", "abc"));
  EXPECT_FALSE(Focus(kTools, ""));
  EXPECT_EQ(LastMessage(), "Chyba číselného formátu, opakuj zadání");

  // Enter on a refused value keeps the focus and clears the skip.
  ASSERT_TRUE(Type(kTools, "Edit1", "2.2"));
  EXPECT_FALSE(Key(kTools, Key::Enter));
  EXPECT_FALSE(g.toolFieldDone);
  EXPECT_EQ(Focused(kTools), "Edit1");
}

TEST_F(RackToolFormTest, InternalWheelHasNoRackTool) {
  Key(kTools, Key::Escape);
  Press("GearInternal");
  ASSERT_TRUE(Program::Open(kTools));
  EXPECT_EQ(Flags(kTools,
                  {"GroupBox2", "Edit8", "Edit9", "CheckBox3", "CheckBox4", "WheelPlain", "Edit1"}),
            "GroupBox2:hidden Edit8:hidden Edit9:hidden CheckBox3:hidden CheckBox4:hidden "
            "WheelPlain:hidden Edit1");
  EXPECT_FALSE(Type(kTools, "Edit8", "1.3"));
  EXPECT_FALSE(PressIn("protuberance2"));
  EXPECT_FALSE(g.protuberance2);
  Key(kTools, Key::Escape);
  Press("GearExternal");
  ASSERT_TRUE(Program::Open(kTools));
  EXPECT_EQ(Flags(kTools, {"Edit8"}), "Edit8");
}

TEST_F(RackToolFormTest, StandardOfTheMainDialogClearsTheToolOptions) {
  PressIn("srazeni2");
  PressIn("protuberance1");
  EXPECT_TRUE(EnterIn("Edit7", "0.04"));
  PressIn("ok");
  ASSERT_EQ(Flags(kBasicRack), kBasicRackDisabled);
  Press("Standard");
  EXPECT_FALSE(g.chamfer1 || g.chamfer2 || g.protuberance1 || g.protuberance2);
  EXPECT_EQ(g.prP01, 0.05);
  EXPECT_EQ(Flags(kBasicRack), kBasicRackEnabled);
  ASSERT_TRUE(Program::Open(kTools));
  EXPECT_EQ(Flags(kTools, {"CheckBox2", "Edit7", "WheelPlain"}),
            "CheckBox2 Edit7:hidden WheelPlain");
  EXPECT_EQ(Tool({"Edit7"}), "0.0500");
}

TEST_F(RackToolFormTest, AToolShorterThanTheMatesClearanceLeavesTheToolsAsTheyWere) {
  EXPECT_FALSE(EnterIn("Edit8", "0.2"));
  Key(kTools, Key::Escape);
  EXPECT_EQ(Values("haP02Star haP1Star"), "haP02Star=1.25 haP1Star=1");
}

TEST_F(RackToolFormTest, EscClosesWithoutTheRefusedValueAndHelpAsksForTopicThree) {
  PressIn("protuberance1");
  const double accepted = g.prP01;
  EXPECT_FALSE(EnterIn("Edit7", "0.17"));
  PressIn("help");
  EXPECT_EQ(HelpContext(), 3);
  EXPECT_EQ(Focused(kTools), "Edit7") << "the help button takes no focus";
  Key(kTools, Key::F1);
  EXPECT_EQ(HelpContext(), 3);
  // The mouse down on "Nuluj" and released elsewhere: no reset, and the
  // field is validated again.
  ws.BeginPress(kTools, "Button1");
  ws.EndPress(kTools);
  EXPECT_FALSE(g.toolDlgClosing);
  EXPECT_FALSE(PressIn("ok"));
  EXPECT_TRUE(tool().visible());
  Key(kTools, Key::Escape);
  EXPECT_FALSE(tool().visible());
  EXPECT_FALSE(g.toolDlgClosing);
  // The refused size went with the dialog: the pair keeps the size it had,
  // and the dialog shown again shows it.
  EXPECT_EQ(g.prP01, accepted);
  ASSERT_TRUE(Program::Open(kTools));
  EXPECT_EQ(Tool({"Edit7", "Label35"}), "0.0500| 6.0530");
  Key(kTools, Key::Escape);
  EXPECT_FALSE(tool().visible());
}

}  // namespace
}  // namespace kolmira
