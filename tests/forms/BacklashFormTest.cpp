// The backlash dialog as its user meets it: the three ways of making the
// backlash, the bounds of its fields, the options, and what the main dialog
// shows of it, against textbook formulas of the tooth thicknesses.
#include "forms/BacklashForm.h"

#include <gtest/gtest.h>

#include <cmath>

#include "TestPairs.h"
#include "engine/Involute.h"
#include "forms/Program.h"
#include "model/NumberText.h"
#include "report/DimensionTable.h"

namespace kolmira {
namespace {

using Item = BacklashForm::Item;
using test::Deg;
using test::Program;
constexpr Dialog kVule = Dialog::Backlash;

const double kSin20 = std::sin(Deg(20.0));

class BacklashFormTest : public test::ProgramTest {
 protected:
  // A backlash typed into the main dialog opens the dialog.
  void Open(const std::string& jn = "0.1") {
    ASSERT_TRUE(Enter(21, jn));
    ASSERT_TRUE(Showed(kVule));
    ASSERT_TRUE(dialog().visible());
  }
  bool EnterIn(std::string_view field, const std::string& text) {
    return Enter(kVule, field, text);
  }
  bool PressIn(std::string_view name) { return Press(kVule, name); }
  std::string Text(Item c) { return dialog().control(c).text; }
  std::string Vule(std::initializer_list<std::string_view> names) const {
    return Texts(kVule, names);
  }
  using Program::Text;
  std::string Modes() const {
    return Flags(kVule, {"RadioButton1", "RadioButton2", "RadioButton3"});
  }
  BacklashForm& dialog() { return ws.backlash(); }
};

TEST(BacklashForm, FieldBoundsAndTheirMessages) {
  // xmez of 20/40 (external) and of 20/-80 (internal):
  // -0.5 (z1 + z2) inv(20 deg) / tan(20 deg).
  const double inv20 = std::tan(Deg(20.0)) - Deg(20.0);
  const std::string beyond = "Nemožný součet jednotkových korekcí x1+x2  (xmez= ";
  const std::string external =
      beyond + FormatFixed(-30.0 * inv20 / std::tan(Deg(20.0)), 8, 6) + ")";
  const std::string internal = beyond + FormatFixed(30.0 * inv20 / std::tan(Deg(20.0)), 8, 6) + ")";
  const std::string negative =
      "Nelze zadat součet jednotkových korekcí x1+x2 pro vytvoření záporné vůle  (xmin=  0.00000)";
  const std::string range = "Součet korekcí vol v rozsahu od -15 do 10";
  const std::string noAngle = "Nemožná osová vzdálenost - neexistuje pracovní úhel záběru";
  const std::string aboveModule = "Boční vůle musí být menší než velikost modulu.";
  const std::string notPositive = "Boční vůle musí být kladná.";
  const std::vector<std::pair<int, std::string>> none, teeth400 = {{2, "400"}, {3, "400"}},
                                                       shifts16 = {{7, "8"}, {8, "8"}},
                                                       degenerate = {{3, "-20"}};
  struct Case {
    int gearType;
    std::vector<std::pair<int, std::string>> first;  // main dialog fields entered first
    int mode;
    const char* field;
    std::string texts;    // each typed in turn, '|' between them; "xmez": the limit itself
    std::string message;  // "" when accepted
  };
  const Case cases[] = {
      // clang-format off
      {1, none, 1, "jn", "1|0", ""},  // up to the module
      {1, none, 1, "jn", "1.001", aboveModule},
      {1, none, 1, "jn", "-0.001", notPositive},
      {1, none, 1, "jn", "abc", "Chyba číselného formátu, opakuj zadání."},
      {1, none, 2, "xSumBacklash", "1,5", "Chyba číselného formátu, opakuj zadání"},
      {1, none, 2, "xSumBacklash", "-1.2", ""},
      {1, none, 2, "xSumBacklash", "-1.3|xmez", external},
      {1, none, 2, "xSumBacklash", "0.0001", negative},
      // 400/400 teeth put xmez below -15; shifts of 8 and 8 the sum at 16.
      {1, teeth400, 2, "xSumBacklash", "-15", ""},
      {1, teeth400, 2, "xSumBacklash", "-15.0001", range},
      {1, shifts16, 2, "xSumBacklash", "10", ""},
      {1, shifts16, 2, "xSumBacklash", "10.0001", range},
      {2, none, 2, "xSumBacklash", "1.3|xmez", internal},
      // A ring's shift sum above the backlash-free one is a negative backlash too.
      {2, none, 2, "xSumBacklash", "0.1", negative},
      {1, none, 3, "awJ", "x", "Chyba číselného formátu, opakuj zadání"},
      {1, none, 3, "awJ", "30.1|30", ""},          // 30: not moved, no backlash
      {1, none, 3, "awJ", "29.9", notPositive},    // moved together
      {1, none, 3, "awJ", "1e300", aboveModule},
      {1, none, 3, "awJ", "-30", "Pracovní osovou vzdálenost vol větší než 0"},
      {2, none, 3, "awJ", "30", "Pracovní osovou vzdálenost zadej zápornou"},
      {1, none, 3, "awJ", "28", noAngle},
      {1, {{3, "5000"}}, 3, "Edit1", "-0.1", notPositive},  // the rack moved towards the pinion
      // 20/-20 rolls at 90 degrees, aw = 0: jn = 2 (awJ - aw), a positive
      // distance included.
      {2, degenerate, 3, "awJ", "0.5", ""},
      {2, degenerate, 3, "awJ", "0.5000001", aboveModule},
      {1, none, 2, "jn", "0.9", external},  // 0.9 mm needs x1 + x2 = -1.316, below xmez
      // A ring at its limiting shift sum: no working angle is left for a
      // backlash by moving apart.
      {2, {{7, "1.2"}}, 3, "jn", "0.1", noAngle},
      // clang-format on
  };
  for (const Case& c : cases) {
    for (std::string text : Program::Split(c.texts)) {
      Program p;
      p.Choose(c.gearType);
      for (const auto& [n, typed] : c.first) ASSERT_TRUE(p.Enter(n, typed)) << n;
      ASSERT_TRUE(p.Enter(21, "0.1"));
      p.Press(kVule, c.mode == 2 ? "korekci" : c.mode == 3 ? "odsunutim" : "prime");
      const double jnBefore = p.g.jn;
      if (text == "xmez") {
        text = Program::Exact(LimitingShiftSum(p.g.z1 + p.g.z2, p.g.alphaT, p.g.alphaP));
      }
      const std::string where = std::to_string(c.gearType) + ": " + c.field + " '" + text + "'";
      ASSERT_TRUE(p.Type(kVule, c.field, text)) << where;
      EXPECT_EQ(p.user.Leave(kVule), c.message.empty()) << where;
      p.messages = p.user.Messages();
      EXPECT_TRUE(test::NonFiniteReals(p.g).empty()) << where;
      EXPECT_EQ(p.LastMessage(), c.message) << where;
      if (!c.message.empty()) {
        EXPECT_EQ(p.LastTitle(), "  Chyba !") << where;
        EXPECT_EQ(p.Focused(kVule), p.ws.form(kVule).Info(*p.ws.form(kVule).Find(c.field)).name)
            << where;
        EXPECT_EQ(p.Text(kVule, c.field), text) << where << ": the typed text stays";
        EXPECT_EQ(p.g.jn, jnBefore) << where << ": nothing computed";
      }
    }
  }
}

// The backlash typed into the main dialog and left by a click (on the
// check, or on a page of the dialog): the backlash dialog opens and, being
// modal, takes the click; confirmed in any of the three ways, the check
// and the table show the typed backlash.
TEST(BacklashForm, TypedConfirmedAndCheckedTheTableShowsTheBacklash) {
  const struct {
    const char* leftBy;  // the click that leaves the backlash field
    int mode;
    const char* row;  // the table's backlash row, up to the value
  } cases[] = {
      {"CheckButton", 1, "Norm.boční vůle zeslab.obou kol"},
      {"CheckButton", 2, "Norm.boční vůle přídav. korekcí"},
      {"CheckButton", 3, "Norm.boční vůle odsunutím kol"},
      {"TabIdent", 1, "Norm.boční vůle zeslab.obou kol"},
      {"TabMeasure", 1, "Norm.boční vůle zeslab.obou kol"},
      {"ZeroButton", 1, "Norm.boční vůle zeslab.obou kol"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.leftBy << ", mode " << c.mode);
    Program p;
    ASSERT_TRUE(p.Type(21, "0.1"));
    p.Press(c.leftBy);
    ASSERT_TRUE(p.ws.backlash().visible());
    EXPECT_FALSE(p.main.resultsVisible());  // the click went to the dialog
    EXPECT_EQ(p.main.activeTab(), 0);
    EXPECT_EQ(p.Texts(kVule, {"Edit3"}) + "|" + p.Text(21), "0.100|0.100");
    if (c.mode != 1) {
      // Another way undoes the backlash, which is typed anew in the dialog.
      p.Press(kVule, c.mode == 2 ? "korekci" : "odsunutim");
      ASSERT_TRUE(p.Enter(kVule, "jn", "0.1"));
    }
    p.Press(kVule, "ok");
    EXPECT_EQ(p.Values("jn"), "jn=0.1");
    EXPECT_EQ(p.Text(21), "0.100");
    if (c.mode == 2) p.Press("DistributeButton");
    if (c.mode != 1) {
      ASSERT_TRUE(p.Enter(7, "0.1"));
    }
    p.Press("CheckButton");
    ASSERT_TRUE(p.main.resultsVisible());
    EXPECT_EQ(p.Values("jn"), "jn=0.1");
    const std::string table = DimensionTableText(p.g);
    const std::size_t row = table.find(c.row);
    ASSERT_NE(row, std::string::npos);
    const std::string line = table.substr(row, table.find('\n', row) - row);
    EXPECT_NE(line.find("j_n      [mm]"), std::string::npos) << line;
    EXPECT_NE(line.find("0.1000"), std::string::npos) << line;
  }
}

TEST_F(BacklashFormTest, ExtraShiftAtConstantCentreDistance) {
  Open();
  EXPECT_EQ(Modes(), "RadioButton1:checked RadioButton2 RadioButton3");
  PressIn("korekci");
  EXPECT_EQ(Modes(), "RadioButton1 RadioButton2:checked RadioButton3");
  EXPECT_EQ(Text(Item::RadioButton2), "Tvorba boční vůle korekcí (a  konst.)");
  EXPECT_EQ(Flags(kVule, {"GroupBox1", "Image1", "Edit1", "Edit2"}),
            "GroupBox1:hidden Image1:hidden Edit1:disabled Edit2");
  EXPECT_EQ(Values("backlashByShift shiftDistributed"), "backlashByShift=1 shiftDistributed=1");
  // The mode changed: the backlash was undone and is typed anew.
  EXPECT_EQ(Text(Item::Edit3), "0.000");
  ASSERT_TRUE(EnterIn("jn", "0.1"));
  // x1 + x2 = 0 - 0.1 / (2 * 1 * sin 20 deg) = -0.146190; the centre
  // distance stays.
  EXPECT_EQ(Vule({"Edit2", "Edit1"}) + "|" + Text(6) + "|" + Text(21),
            "-0.146190|30.000000|-0.146190|0.100");
  // Label6: where x1 + x2 = -0.146190 meshes without backlash:
  // inv alphaW = inv 20 deg + 2 tan 20 deg xs / 60, aw = 30 cos 20 deg / cos alphaW.
  const double xs = -0.1 / (2.0 * kSin20);
  const double alphaW =
      InverseInvoluteValue(Involute(Deg(20.0)) + 2.0 * std::tan(Deg(20.0)) * xs / 60.0);
  EXPECT_NEAR(g.awNoBacklash, 30.0 * std::cos(Deg(20.0)) / std::cos(alphaW), 1e-9);
  EXPECT_EQ(Text(Item::Label6), FormatFixed(g.awNoBacklash, 8, 6));

  ASSERT_TRUE(EnterIn("xSumBacklash", "-0.2"));
  EXPECT_NEAR(g.jn, 2.0 * 0.2 * kSin20, 1e-15);
  EXPECT_EQ(Text(Item::Edit3) + "|" + Text(21), "0.137|0.137");

  PressIn("ok");
  EXPECT_FALSE(dialog().visible());
  EXPECT_EQ(dialog().result(), BacklashForm::Result::Ok);
  EXPECT_TRUE(Asked(Outcome::Kind::HideDialog));
  EXPECT_EQ(Values("shiftNotDistributed geometryReady inputsChanged"),
            "shiftNotDistributed=1 geometryReady=6 inputsChanged=1");
  // The main dialog: the new sum is to be divided.
  EXPECT_EQ(Flags({"Edit6", "Edit7", "Edit8", "Edit9"}),
            "Edit6 Edit7:hidden Edit8:hidden Edit9:disabled");
  EXPECT_EQ(Focused(), "DistributeButton");
  EXPECT_EQ(Text(6), "-0.200000");
}

TEST_F(BacklashFormTest, MovingApartAtConstantShifts) {
  Open();
  PressIn("odsunutim");
  EXPECT_TRUE(g.jnByApart);
  EXPECT_EQ(Modes(), "RadioButton1 RadioButton2 RadioButton3:checked");
  EXPECT_EQ(Flags(kVule, {"Edit1", "Edit2"}), "Edit1 Edit2:disabled");
  EXPECT_FALSE(Type(kVule, "Edit2", "-0.1")) << "a disabled field takes no text";
  ASSERT_TRUE(Type(kVule, "Edit1", "30.1"));
  ASSERT_TRUE(Key(kVule, Key::Enter));  // on to the backlash field
  EXPECT_EQ(Focused(kVule), "Edit3");
  // Textbook: cos alpha' = 30 cos 20 deg / 30.1, jn = cos 20 deg * 60 (inv alpha' - inv 20 deg).
  const double alphaJ = std::acos(30.0 * std::cos(Deg(20.0)) / 30.1);
  const double jn = std::cos(Deg(20.0)) * 60.0 * (Involute(alphaJ) - Involute(Deg(20.0)));
  EXPECT_NEAR(g.jn, jn, 1e-12);
  EXPECT_EQ(
      Vule({"Edit3", "Label6"}) + "|" + Text(9) + "|" + Text(10),
      FormatFixed(jn, 4, 3) + "|30.000000|30.100000|" + FormatFixed(alphaJ * kRadToDeg, 8, 6));
  Press("Dms");  // the working angle of the moved pair, in DMS form
  EXPECT_EQ(Text(10), FormatDmsDialog(alphaJ * kRadToDeg));

  // Passing through the backlash field, whose text is rounded to 3
  // decimals, changes nothing.
  Focus(kVule, "Edit3");
  Focus(kVule, "Edit1");
  EXPECT_NEAR(g.awJ, 30.1, 1e-12);

  ASSERT_TRUE(EnterIn("jn", "0.2"));
  EXPECT_NEAR(g.jn, 0.2, 0.0);
  EXPECT_EQ(Text(Item::Edit1), FormatFixed(g.awJ, 8, 6));
  EXPECT_EQ(Text(9), Text(Item::Edit1));

  PressIn("ok");
  EXPECT_EQ(Values("geometryReady shiftNotDistributed shiftDistributed"),
            "geometryReady=7 shiftNotDistributed=1 shiftDistributed=1");
  EXPECT_EQ(Flags({"Edit7", "Edit8", "Edit9"}), "Edit7 Edit8 Edit9:disabled");
  EXPECT_EQ(Focused(), "Edit7");
}

TEST_F(BacklashFormTest, FieldsOfASmallModuleInTheirFormats) {
  // Module 0.2: a = 60 0.2 / 2 = 6, written 8:6 in the dialog and in the
  // main dialog; the backlash 4:3.
  ASSERT_TRUE(Enter(1, "0.2"));
  Open("0.1");
  EXPECT_EQ(Vule({"Edit1", "Edit2", "Edit3", "Label6"}) + "|" + Text(9) + "|" + Text(6),
            "6.000000|0.000000|0.100|6.000000|6.000000|0.000000");
}

TEST_F(BacklashFormTest, OnlyAChangeOfModeUndoesTheBacklash) {
  Open("0.1");
  PressIn("prime");  // the current mode again: the backlash stays
  EXPECT_EQ(g.jn, 0.1);
  PressIn("korekci");
  EXPECT_EQ(g.jn, 0.0);
  ASSERT_TRUE(EnterIn("jn", "0.1"));
  const std::string byShift = Values("jn xSumBacklash");
  PressIn("korekci");
  EXPECT_EQ(Values("jn xSumBacklash"), byShift);
  EXPECT_EQ(g.jn, 0.1);

  PressIn("odsunutim");
  EXPECT_EQ(Values("jn xSumBacklash awJ"), "jn=0 xSumBacklash=0 awJ=30");
  ASSERT_TRUE(EnterIn("awJ", "30.2"));
  const std::string apart = Values("jn awJ");
  PressIn("odsunutim");
  EXPECT_EQ(Values("jn awJ"), apart);
  EXPECT_EQ(g.awJ, 30.2);

  PressIn("prime");
  EXPECT_EQ(Values("jn awJ backlashDirect"), "jn=0 awJ=30 backlashDirect=1");
  EXPECT_EQ(Text(21) + "|" + Text(9) + "|" + Text(10), "0.000|30.000000|20.000000");
}

TEST_F(BacklashFormTest, OpenedWithoutABacklashItsModesKeepThePair) {
  // A script opens the dialog by its name, with no backlash typed: the pair
  // as it stands is still the backlash-free pair a mode returns to (it was
  // a pair at centre distance 0, whose teeth were inside each other).
  for (const char* mode : {"odsunutim", "korekci"}) {
    SCOPED_TRACE(mode);
    Program p;
    ASSERT_TRUE(p.Open(kVule));
    ASSERT_TRUE(p.Press(kVule, mode));
    EXPECT_NEAR(p.g.aw, 30.0, 1e-9);
    EXPECT_NEAR(p.g.awJ, 30.0, 1e-9);
    EXPECT_NEAR(p.g.awNoBacklash, 30.0, 1e-9);
    ASSERT_TRUE(p.Press(kVule, "ok"));
    ASSERT_TRUE(p.Type(7, "0"));
    ASSERT_TRUE(p.ws.Check());
    EXPECT_NEAR(p.g.aw, 30.0, 1e-9);
    EXPECT_NEAR(p.g.awEff, 30.0, 1e-9);
  }
}

TEST_F(BacklashFormTest, ThinningAndTechnologyOptions) {
  Open();
  const std::initializer_list<std::string_view> options = {
      "RadioButton4", "RadioButton5", "RadioButton6", "RadioButton7",
      "RadioButton8", "Image1",       "Image2"};
  const char* thinning = "thinBoth thinPinion thinWheel thinByGrinding";
  EXPECT_EQ(Flags(kVule, options),
            "RadioButton4:checked RadioButton5 RadioButton6 RadioButton7:checked RadioButton8 "
            "Image1 Image2:hidden");
  PressIn("Zeslabit pouze pastorek");
  EXPECT_EQ(Values(thinning), "thinBoth=0 thinPinion=1 thinWheel=0 thinByGrinding=0");
  PressIn("kolo");
  PressIn("prebrousenim");
  EXPECT_EQ(Values(thinning), "thinBoth=0 thinPinion=0 thinWheel=1 thinByGrinding=1");
  EXPECT_EQ(Flags(kVule, options),
            "RadioButton4 RadioButton5 RadioButton6:checked RadioButton7 RadioButton8:checked "
            "Image1:hidden Image2");
  PressIn("Zesílit frézu (včetně srážecí hrany a protuberance)");
  // options are no change of mode
  EXPECT_EQ(Values("thinByGrinding jn"), "thinByGrinding=0 jn=0.1");
  EXPECT_FALSE(PressIn("nothing"));
  // Options and buttons take the focus, labels do not.
  EXPECT_TRUE(Focus(kVule, "prime"));
  EXPECT_EQ(Focused(kVule), "RadioButton1");
  EXPECT_TRUE(Focus(kVule, "help"));
  EXPECT_FALSE(Focus(kVule, "Label6"));
}

TEST_F(BacklashFormTest, RackDisplacementAndRackShift) {
  ASSERT_TRUE(Enter(3, "5000"));
  ASSERT_TRUE(g.rackMode);
  Open();
  EXPECT_EQ(Flags(kVule, {"Edit1", "Label1", "Label5", "Label6"}),
            "Edit1:hidden,disabled Label1:hidden Label5:hidden Label6:hidden");
  EXPECT_EQ(Vule({"Label2", "RadioButton2"}), "1|Tvorba boční vůle korekcí");

  PressIn("odsunutim");
  EXPECT_EQ(Flags(kVule, {"Edit1"}) + " " + Text(Item::Label1), "Edit1 Odsun");
  EXPECT_FALSE(g.shiftDistributed);
  ASSERT_TRUE(EnterIn("Edit1", "0.1"));  // jn = 2 * 0.1 * sin 20 deg
  EXPECT_NEAR(g.jn, 0.2 * kSin20, 1e-15);
  EXPECT_EQ(Text(Item::Edit3), "0.068");
  ASSERT_TRUE(EnterIn("jn", "0.1"));  // displacement 0.1 / (2 sin 20 deg)
  EXPECT_EQ(Text(Item::Edit1), "0.146190");
  PressIn("ok");  // the rack's x1 is entered next
  EXPECT_EQ(Flags({"Edit7"}) + " " + std::string(Focused()), "Edit7 Edit7");
  ASSERT_TRUE(Program::Open(kVule));

  PressIn("korekci");  // x1 = 0 - 0.1 / (2 sin 20 deg) after the backlash is typed
  ASSERT_TRUE(EnterIn("jn", "0.1"));
  EXPECT_NEAR(g.x1, -0.1 / (2.0 * kSin20), 1e-15);
  EXPECT_EQ(g.x2, 0.0);
  EXPECT_EQ(Text(7) + "|" + Text(Item::Edit2), "-0.146190|-0.146190");
  PressIn("ok");
  // The rack's x1 is set: nothing to divide.
  EXPECT_EQ(Values("shiftNotDistributed shiftDistributed"),
            "shiftNotDistributed=0 shiftDistributed=0");
  EXPECT_EQ(Focused(), "Edit7");
}

TEST_F(BacklashFormTest, DegenerateInternalPairRollsAtNinetyDegrees) {
  Press("GearInternal");
  ASSERT_TRUE(Enter(3, "-20"));
  ASSERT_EQ(g.z2, -20.0);
  ASSERT_TRUE(Enter(7, "-0.3"));  // aw = sin 20 deg * -0.3
  ASSERT_NEAR(g.aw, -0.3 * kSin20, 1e-15);
  Open();
  PressIn("odsunutim");
  ASSERT_TRUE(EnterIn("jn", "0.1"));  // moved apart by jn / 2
  EXPECT_NEAR(g.awJ, g.aw + 0.05, 1e-15);
  EXPECT_EQ(g.alphaWt, kPi / 2.0);
  EXPECT_EQ(g.alphaWtJ, kPi / 2.0);
  EXPECT_EQ(Text(10), "90.000000");
  ASSERT_TRUE(EnterIn("awJ", FormatFixed(g.aw + 0.1, 8, 6)));
  EXPECT_NEAR(g.jn, 0.2, 2e-6);

  PressIn("korekci");
  ASSERT_TRUE(EnterIn("jn", "0.1"));  // the sum whose distance is 0.05 nearer
  EXPECT_NEAR(g.xSumBacklash, (g.aw - 0.05) / kSin20, 1e-14);
  EXPECT_NEAR(g.awNoBacklash, g.aw - 0.05, 1e-14);
  EXPECT_EQ(g.alphaWt, kPi / 2.0);
}

TEST_F(BacklashFormTest, EscapeButtonKeyHelpAndEnter) {
  Open();
  PressIn("odsunutim");
  ASSERT_TRUE(EnterIn("awJ", "30.1"));
  // Esc pressed with a bad text in a field: no message, the state stays.
  ASSERT_TRUE(Type(kVule, "jn", "abc"));
  PressIn("esc");
  EXPECT_TRUE(messages.empty());
  EXPECT_TRUE(dialog().cancelled());
  EXPECT_FALSE(dialog().visible());
  EXPECT_TRUE(g.jnByApart);
  EXPECT_EQ(Focused(), "Edit7");  // the main dialog follows the mode

  ASSERT_TRUE(Program::Open(kVule));
  EXPECT_FALSE(dialog().cancelled());
  EXPECT_EQ(Text(Item::Edit1), "30.100000");
  PressIn("help");
  EXPECT_EQ(HelpContext(), 6);
  Key(kVule, Key::F1);
  EXPECT_EQ(HelpContext(), 6);

  // Enter moves on: in mode 3 from the centre distance to the backlash,
  // from the backlash to "Ok".
  Focus(kVule, "Edit1");
  Key(kVule, Key::Enter);
  EXPECT_EQ(Focused(kVule), "Edit3");
  Key(kVule, Key::Enter);
  EXPECT_EQ(Focused(kVule), "OkButton");

  // The Esc key: the main dialog's zeroing, direct entry, both thinned.
  EXPECT_TRUE(PressIn("pastorek"));  // hidden in mode 3: nothing
  EXPECT_FALSE(g.thinPinion);
  Key(kVule, Key::Escape);
  EXPECT_FALSE(dialog().visible());
  EXPECT_TRUE(dialog().cancelled());
  EXPECT_EQ(dialog().result(), BacklashForm::Result::Cancel);
  EXPECT_EQ(Values("backlashDirect thinBoth jnByApart thinPinion jn"),
            "backlashDirect=1 thinBoth=1 jnByApart=0 thinPinion=0 jn=0");
  EXPECT_EQ(Text(21) + "|" + Text(9), "0.000|30.000000");
}

TEST_F(BacklashFormTest, ShowFollowsABacklashTypedAnewInTheMainDialog) {
  Open();
  PressIn("korekci");
  ASSERT_TRUE(EnterIn("jn", "0.1"));
  PressIn("ok");
  Open("0.2");
  // x1 + x2 = 0 - 0.2 / (2 sin 20 deg)
  EXPECT_EQ(Vule({"Edit2", "Edit3"}) + "|" + Text(6), "-0.292380|0.200|-0.292380");
}

}  // namespace
}  // namespace kolmira
