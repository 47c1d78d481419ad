// The identification tab driven as the user drives it: a pair typed into
// the main dialog and checked, then the tab's fields and groups.
#include "forms/IdentForm.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "TestPairs.h"
#include "model/NumberText.h"

namespace kolmira {
namespace {

using test::Deg;
using C = IdentControl;

// A number typed with every digit, so that it parses back to itself.
std::string Exact(double v) {
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.17g", v);
  return buffer;
}

double Inv(double a) {
  return std::tan(a) - a;
}

// Textbook base tangent length of an external wheel over k teeth:
// mn cos an ((k - 0.5) pi + z inv at) + 2 x mn sin an.
double Span(double mn, double z, double an, double beta, double x, int k) {
  const double at = std::atan(std::tan(an) / std::cos(beta));
  return mn * (std::cos(an) * ((k - 0.5) * kPi + z * Inv(at)) + 2.0 * x * std::sin(an));
}

class IdentFormTest : public ::testing::Test {
 protected:
  IdentFormTest() : main(g), tab(g, main) { main.Start(); }

  bool Input(int n, const std::string& text) {
    main.Focus(FieldControl(n));
    main.KeyPress();
    main.Type(FieldControl(n), text);
    main.Focus(Control::None);
    return main.lastEntryRefused();
  }
  void PressMain(Control c) {
    main.BeginPress(c);
    main.Focus(c);
    main.Press(c);
  }
  // The helical wheel of the tests: mn 2, z2 61, beta 18 degrees, x2 0.2
  // (the shift sum 0.5 divided as 0.3 + 0.2), checked, then the tab.
  void HelicalPairShown() {
    Input(1, "2");
    Input(3, "61");
    Input(4, "18");
    Input(6, "0.5");
    PressMain(Control::DistributeButton);
    Input(7, "0.3");
    ASSERT_NEAR(g.x2, 0.2, 1e-12);
    PressMain(Control::CheckButton);
    ASSERT_TRUE(main.resultsVisible());
    tab.Show();
    g.messages.clear();
  }
  // Types into a field of the tab and leaves it; true when refused. A
  // refused text is then replaced by the one the field had.
  bool Enter(const std::string& name, const std::string& text) {
    g.messages.clear();
    tab.Focus(name);
    const std::string before = tab.control(*IdentControlByName(name)).text;
    EXPECT_TRUE(tab.Type(name, text)) << name;
    tab.Focus("");
    const bool refused = tab.lastEntryRefused();
    if (refused) {
      tab.Type(name, before);
      tab.Focus("");
    }
    return refused;
  }
  std::string Text(IdentControl c) const { return tab.control(c).text; }
  bool ReadOnly(IdentControl c) const { return tab.control(c).readOnly; }
  std::string Message() const { return g.messages.empty() ? "" : g.messages.back().text; }
  std::string Title() const { return g.messages.empty() ? "" : g.messages.back().title; }
  int Beeps() const {
    int n = 0;
    for (const auto& m : g.messages) n += m.kind == Message::Kind::Beep;
    return n;
  }

  GearPair g;
  MainForm main;
  IdentForm tab;
};

TEST_F(IdentFormTest, CreatedComputingTheShiftsWithFurtherSolutionsHidden) {
  EXPECT_EQ(tab.Name(), "Ident");
  for (IdentControl shift : {C::Edit45, C::Edit49, C::Edit53}) EXPECT_TRUE(ReadOnly(shift));
  for (IdentControl other : {C::Edit42, C::Edit43, C::Edit47, C::Edit50}) {
    EXPECT_FALSE(ReadOnly(other));
  }
  for (const char* item : {"RadioGroup1=3", "RadioGroup2=3", "RadioGroup3=3"}) {
    EXPECT_TRUE(tab.control(*IdentControlByName(item)).checked) << item;
  }
  EXPECT_FALSE(tab.control(C::RadioGroup2_1).checked);
  for (IdentControl label : {C::Solution2Symbol, C::Solution2Subscript, C::Solution2,
                             C::Solution3Symbol, C::Solution3Subscript, C::Solution3}) {
    EXPECT_FALSE(tab.control(label).visible);
  }
  EXPECT_EQ(Text(C::MeasuredFor), "Naměřeno pro kolo z =");
  EXPECT_EQ(IdentControlByName("xId2"), C::Edit53);
  EXPECT_EQ(IdentControlByName("zwMeas"), C::Edit38);
  EXPECT_FALSE(IdentControlByName("RadioGroup4=0"));
}

TEST_F(IdentFormTest, EnteringPreparesTheMeasurementsOfTheWheel) {
  HelicalPairShown();
  PressMain(Control::TabInputs);
  const double dt2 = g.dt2, M2 = g.M2, W2 = g.W2, sc2 = g.sc2, hc2 = g.hc2;
  const int zw2 = g.zw2;
  tab.Show();
  EXPECT_TRUE(tab.visible());
  EXPECT_FALSE(main.resultsVisible());
  for (Control c : {Control::CheckButton, Control::SaveButton, Control::LoadButton}) {
    EXPECT_FALSE(main.control(c).enabled);
  }
  EXPECT_FALSE(main.control(Control::DecDmsGroup).visible);
  // The pair's own data as estimates, in their formats.
  EXPECT_EQ(Text(C::Edit42), "2.000");
  EXPECT_EQ(Text(C::Edit47), "20.0000°");
  EXPECT_EQ(Text(C::Edit52), "18.0000°");
  EXPECT_EQ(Text(C::Edit49), "0.2000");
  EXPECT_EQ(Text(C::Teeth2), "61");
  EXPECT_EQ(Text(C::Diameter), "d   = " + FormatFixed(g.da2, 5, 3));
  // The measurement tab's values are given back.
  EXPECT_EQ(g.dt2, dt2);
  EXPECT_EQ(g.M2, M2);
  EXPECT_EQ(g.W2, W2);
  EXPECT_EQ(g.sc2, sc2);
  EXPECT_EQ(g.hc2, hc2);
  EXPECT_EQ(g.zw2, zw2);
  // Balls of whole millimetres; the span over the recommended count, as the
  // textbook gives it.
  EXPECT_EQ(g.DMeas, std::round(g.DMeas));
  EXPECT_LE(std::fabs(g.DMeas - (g.dt2min + 1.0)), 0.5);
  EXPECT_EQ(g.zwMeas, g.zwRec2);
  EXPECT_NEAR(g.WMeas, Span(2.0, 61.0, Deg(20), Deg(18), 0.2, g.zwMeas), 1e-9);
  EXPECT_EQ(Text(C::Edit36), FormatFixed(g.scMeas, 0, 4));
  EXPECT_EQ(Text(C::Edit38), std::to_string(g.zwMeas));

  // Each method gives the wheel's module and shift back from them.
  for (int m = 0; m < 3; ++m) {
    SCOPED_TRACE(m);
    const std::string group = "RadioGroup" + std::to_string(m + 1);
    EXPECT_TRUE(tab.Press(group + "=0"));
    EXPECT_NEAR(g.mnId[m], 2.0, 1e-8);
    EXPECT_TRUE(tab.Press(group + "=3"));
    EXPECT_NEAR(g.xId[m], 0.2, 1e-8);
    EXPECT_EQ(Text(ParameterField(static_cast<IdentMethod>(m), kIdentShift)), "0.2000");
  }
  EXPECT_EQ(Beeps(), 0);
}

TEST_F(IdentFormTest, SpurGearKeepsItsHelixFieldsReadOnly) {
  PressMain(Control::CheckButton);
  tab.Show();
  for (IdentControl helix : {C::Edit44, C::Edit48, C::Edit52}) EXPECT_TRUE(ReadOnly(helix));
  EXPECT_TRUE(tab.Press("RadioGroup2=0"));
  EXPECT_TRUE(ReadOnly(C::Edit46));   // computed
  EXPECT_FALSE(ReadOnly(C::Edit47));  // editable again
  EXPECT_FALSE(ReadOnly(C::Edit49));
  EXPECT_TRUE(ReadOnly(C::Edit48));  // a spur gear's helix
  EXPECT_FALSE(tab.Type("betaId1", "10"));
  // Computing the helix angle of a spur gear: read-only as well.
  EXPECT_TRUE(tab.Press("RadioGroup1=2"));
  EXPECT_TRUE(ReadOnly(C::Edit44));
  EXPECT_FALSE(ReadOnly(C::Edit45));
}

TEST_F(IdentFormTest, HelicalGearsHelixFieldsAreEditableUnlessComputed) {
  HelicalPairShown();
  EXPECT_FALSE(ReadOnly(C::Edit44));
  EXPECT_TRUE(tab.Press("RadioGroup3=2"));
  EXPECT_TRUE(ReadOnly(C::Edit52));
  EXPECT_NEAR(g.betaId[2], Deg(18), 1e-8);
  // Entered again, the computed helix stays read-only.
  PressMain(Control::TabInputs);
  tab.Show();
  EXPECT_TRUE(ReadOnly(C::Edit52));
  EXPECT_FALSE(ReadOnly(C::Edit48));
}

TEST_F(IdentFormTest, EveryEntryMessage) {
  HelicalPairShown();
  const std::string format = "Chyba číselného formátu, opakuj zadání";
  const std::string positive = "Parametr vol větší než 0 ";
  const std::string profile = "Úhel profilu vol v rozmezí od 1° do 55°";
  const std::string helix = "Úhel šroubovice vol v rozmezí od 0° do 55°";
  // An external wheel's shift: -1.5 written with no decimals.
  const std::string shift = "Jednotkovou korekci vol v rozmezí od -2 do 3";
  // mn 2: chords up to 2 pi = 6.2832, heights up to 6.4; 61 teeth: k up
  // to 30; spans up to 2 * 61 / cos 18° = 128.28.
  const struct {
    const char* field;
    const char* text;
    std::string message;  // empty: accepted
  } rows[] = {
      {"scMeas", "abc", format},
      {"scMeas", "1,5", format},
      {"scMeas", "0", positive},
      {"scMeas", "-1", positive},
      {"scMeas", "6.29", "Nemožně velká měřená tloušťka"},
      {"scMeas", "3.1", ""},
      {"hcMeas", "6.41", "Nemožně velká měřená výška"},
      {"hcMeas", "0", positive},
      {"zwMeas", "0", positive},
      {"zwMeas", "2.5", format},
      {"zwMeas", "31", "Nemožně velký počet zubů pro měření"},
      {"zwMeas", "30", ""},
      {"WMeas", "128.3", "Nemožně velký rozměr přes zuby"},
      {"WMeas", "x", format},
      {"DMeas", "0", positive},
      {"MMeas", "-130", positive},
      {"MMeas", "", format},
      {"mnId0", "0", "Modul vol větší než 0 "},
      {"mnId1", "-2", "Modul vol větší než 0 "},
      {"alphaId0", "0.98", profile},
      {"alphaId0", "55.01", profile},
      {"alphaId2", "0.99", ""},
      {"alphaId2", "55", ""},
      {"betaId0", "-1", helix},
      {"betaId1", "55.5", helix},
      {"betaId1", "55", ""},
      {"xId2", "-1.51", shift},
      {"xId2", "3.01", shift},
      {"xId2", "abc", format},
      {"xId2", "-1.5", ""},
      {"xId2", "3", ""},
  };
  // The shifts are computed at first: the balls method computes its module
  // here, so that its shift can be typed.
  EXPECT_TRUE(tab.Press("RadioGroup3=0"));
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << row.field << " = '" << row.text << "'");
    const bool refused = Enter(row.field, row.text);
    if (row.message.empty()) {
      EXPECT_FALSE(refused);
      for (const auto& m : g.messages) EXPECT_NE(m.title, kErrorTitle) << m.text;
    } else {
      EXPECT_TRUE(refused);
      ASSERT_FALSE(g.messages.empty());
      EXPECT_EQ(g.messages.front().text, row.message);
      EXPECT_EQ(g.messages.front().title, "  Chyba !");
    }
  }
  // The chord and height limits hold only while the module is not computed.
  EXPECT_TRUE(tab.Press("RadioGroup1=0"));
  EXPECT_FALSE(Enter("scMeas", "6.29"));
  EXPECT_FALSE(Enter("hcMeas", "6.41"));
  // Neither does the span's while the helix angle is computed.
  EXPECT_TRUE(tab.Press("RadioGroup2=2"));
  EXPECT_FALSE(Enter("WMeas", "128.3"));
}

TEST_F(IdentFormTest, RefusedEntryKeepsTheFocusAndEnterAccepts) {
  HelicalPairShown();
  tab.Focus("Edit42");
  tab.Type("Edit42", "0");
  tab.Focus("Edit43");
  EXPECT_TRUE(tab.lastEntryRefused());
  EXPECT_EQ(tab.focused(), C::Edit42);
  EXPECT_EQ(Message(), "Modul vol větší než 0 ");
  // Enter accepts the field as leaving it would: the module typed is the
  // chordal method's estimate, and its shift follows from it.
  tab.Type("Edit42", "2.5");
  tab.PressEnter();
  EXPECT_FALSE(tab.lastEntryRefused());
  EXPECT_EQ(g.mnId[0], 2.5);
  EXPECT_EQ(Text(C::Edit42), "2.500");
  EXPECT_NE(g.xId[0], 0.2);
}

TEST_F(IdentFormTest, InternalWheelShiftBound) {
  PressMain(Control::GearInternal);
  PressMain(Control::CheckButton);
  tab.Show();
  // The ring's measurements give its module back (1 here).
  for (const char* item : {"RadioGroup1=0", "RadioGroup2=0", "RadioGroup3=0"}) tab.Press(item);
  for (int m = 0; m < 3; ++m) EXPECT_NEAR(g.mnId[m], 1.0, 1e-8) << m;
  EXPECT_TRUE(Enter("xId0", "-10.5"));
  EXPECT_EQ(Message(), "Jednotkovou korekci vol v rozmezí od -10 do 3");
  EXPECT_FALSE(Enter("xId0", "-9"));
}

TEST_F(IdentFormTest, AnglesInTheChosenForm) {
  HelicalPairShown();
  // Decimal: 6:4 and a degree sign; typed back with its sign, it is read.
  EXPECT_FALSE(Enter("alphaId0", "21.5°"));
  EXPECT_NEAR(g.alphaId[0], Deg(21.5), 1e-15);
  EXPECT_EQ(Text(C::Edit43), "21.5000°");
  EXPECT_FALSE(Enter("betaId2", " 9.25 "));
  EXPECT_EQ(Text(C::Edit52), "9.2500°");  // 6:4 is no wider

  PressMain(Control::TabInputs);
  PressMain(Control::Dms);
  tab.Show();
  EXPECT_EQ(Text(C::Edit47), FormatDmsDialog(20.0));
  // D.MMSS: 20.3 is 20 degrees 30 minutes.
  EXPECT_FALSE(Enter("alphaId0", "20.3"));
  EXPECT_NEAR(g.alphaId[0], Deg(20.5), 1e-12);
  EXPECT_EQ(Text(C::Edit43), FormatDmsDialog(20.5));
  EXPECT_TRUE(Enter("alphaId0", "20.7"));
  EXPECT_EQ(Message(), "Minuty vol v rozsahu od 0 do 59.");
}

TEST_F(IdentFormTest, SpanHelixAngleThatCannotBe) {
  HelicalPairShown();
  EXPECT_TRUE(tab.Press("RadioGroup2=2"));
  EXPECT_NEAR(g.betaId[1], Deg(18), 1e-8);
  // Shorter than the spur wheel's span over the same teeth: no helix angle
  // gives it.
  const double spur = Span(2.0, 61.0, Deg(20), 0.0, 0.2, g.zwMeas);
  EXPECT_FALSE(Enter("WMeas", Exact(spur - 0.02)));
  EXPECT_EQ(g.betaId[1], -1.0);
  EXPECT_EQ(Text(C::Edit48), "Neřešitelné");
  // Any later display keeps to the field: "Neřeš.".
  EXPECT_FALSE(Enter("DMeas", "4"));
  EXPECT_EQ(Text(C::Edit48), "Neřeš.");
  // The spur wheel's own span gives 0.
  EXPECT_FALSE(Enter("WMeas", Exact(spur)));
  EXPECT_EQ(Text(C::Edit48), "0.0000°");
  // No helix angle is no estimate: computing the shift again takes the
  // pair's.
  Enter("WMeas", Exact(spur - 0.02));
  EXPECT_TRUE(tab.Press("RadioGroup2=3"));
  EXPECT_NEAR(g.betaId[1], Deg(18), 1e-15);
  EXPECT_EQ(Text(C::Edit48), "18.0000°");
  EXPECT_FALSE(ReadOnly(C::Edit48));
}

// Golden-section search of the textbook span's extremum in [lo, hi].
double SpanExtremum(double mn, double z, double beta, double x, int k, double lo, double hi,
                    bool max) {
  const double r = (std::sqrt(5.0) - 1.0) / 2.0;
  auto f = [&](double a) {
    const double w = Span(mn, z, a, beta, x, k);
    return max ? -w : w;
  };
  for (int i = 0; i < 200; ++i) {
    const double a = hi - r * (hi - lo);
    const double b = lo + r * (hi - lo);
    (f(a) < f(b) ? hi : lo) = f(a) < f(b) ? b : a;
  }
  return (lo + hi) / 2.0;
}

TEST_F(IdentFormTest, SpanProfileAngleShowsItsFurtherSolutions) {
  HelicalPairShown();
  const int k = g.zwMeas;
  // With x = 0.2 the span rises from pi mn (k - 0.5) to a maximum just
  // after an = 0, then falls to a minimum: between W(0) and the maximum
  // three profile angles give it.
  const double aMax = SpanExtremum(2.0, 61.0, Deg(18), 0.2, k, 1e-5, 0.2, true);
  const double top = Span(2.0, 61.0, aMax, Deg(18), 0.2, k);
  const double start = Span(2.0, 61.0, 0.0, Deg(18), 0.2, k);
  ASSERT_GT(top, start);
  EXPECT_TRUE(tab.Press("RadioGroup2=1"));
  EXPECT_FALSE(Enter("WMeas", Exact((start + top) / 2.0)));
  ASSERT_EQ(g.idSolutionCount, 3);
  for (double a : {g.alphaId[1], g.alphaId2, g.alphaId3}) {
    EXPECT_NEAR(Span(2.0, 61.0, a, Deg(18), 0.2, k), g.WMeas, 1e-9);
  }
  EXPECT_TRUE(tab.control(C::Solution2).visible);
  EXPECT_TRUE(tab.control(C::Solution3Symbol).visible);
  EXPECT_EQ(Text(C::Solution2),
            "2. řešení       = " + FormatFixed(g.alphaId2 * kRadToDeg, 6, 4) + "°");
  EXPECT_EQ(Text(C::Solution3),
            "3. řešení       = " + FormatFixed(g.alphaId3 * kRadToDeg, 6, 4) + "°");

  // The wheel's own span (below W(0)): the true 20 degrees and one more.
  EXPECT_FALSE(Enter("WMeas", Exact(Span(2.0, 61.0, Deg(20), Deg(18), 0.2, k))));
  ASSERT_EQ(g.idSolutionCount, 2);
  EXPECT_TRUE(tab.control(C::Solution2).visible);
  EXPECT_FALSE(tab.control(C::Solution3).visible);
  EXPECT_NEAR(std::min(std::fabs(g.alphaId[1] - Deg(20)), std::fabs(g.alphaId2 - Deg(20))), 0.0,
              1e-8);

  // Entering any field brings the solutions up to date with the state.
  g.WMeas = (start + top) / 2.0;
  tab.Focus("DMeas");
  EXPECT_EQ(g.idSolutionCount, 3);
  EXPECT_TRUE(tab.control(C::Solution3).visible);
  tab.Focus("");

  // Another parameter computed: the lines go.
  EXPECT_TRUE(tab.Press("RadioGroup2=3"));
  EXPECT_FALSE(tab.control(C::Solution2).visible);
  EXPECT_FALSE(tab.control(C::Solution3).visible);
}

TEST_F(IdentFormTest, FailedChordSolveBeepsAndBlocksTheNext) {
  HelicalPairShown();
  EXPECT_TRUE(tab.Press("RadioGroup1=1"));
  EXPECT_NEAR(g.alphaId[0], Deg(20), 1e-8);
  EXPECT_EQ(Beeps(), 0);
  // 6 mm of chord about 2 mm under the tip of a 2 mm module: no profile
  // angle makes a tooth that wide there. The solve fails; the estimate
  // stays and a beep says so.
  ASSERT_LT(g.hcMeas, 2.5);
  const double chord = g.scMeas;
  EXPECT_FALSE(Enter("scMeas", "6"));
  ASSERT_TRUE(g.newtonFailed);
  EXPECT_EQ(Beeps(), 1);
  EXPECT_EQ(g.messages.size(), 1u);
  EXPECT_EQ(Text(C::Edit43), "20.0000°");
  // The next chordal run only beeps, whatever it is given.
  EXPECT_FALSE(Enter("scMeas", "3"));
  EXPECT_EQ(Beeps(), 1);
  EXPECT_EQ(g.messages.size(), 1u);
  EXPECT_NEAR(g.alphaId[0], Deg(20), 1e-8);
  // Until another solve succeeds: the balls method's.
  EXPECT_FALSE(Enter("DMeas", Exact(g.DMeas + 0.5)));
  EXPECT_FALSE(g.newtonFailed);
  g.alphaId[0] = Deg(21);
  EXPECT_FALSE(Enter("scMeas", Exact(chord)));
  EXPECT_EQ(Beeps(), 0);
  EXPECT_NEAR(g.alphaId[0], Deg(20), 1e-8);
}

TEST_F(IdentFormTest, LeavingTheTabZeroesTheBacklash) {
  HelicalPairShown();
  for (Control other : {Control::TabInputs, Control::TabMeasure}) {
    g.jn = 0.1;
    g.xSumBacklash = 0.05;
    g.backlashDirect = false;
    g.backlashByShift = true;
    g.backlashFresh = false;
    main.mutableControl(Control::Edit21).text = "0.100";
    PressMain(other);
    EXPECT_EQ(g.jn, 0.0);
    EXPECT_EQ(g.xSumBacklash, 0.0);
    EXPECT_TRUE(g.backlashDirect);
    EXPECT_FALSE(g.backlashByShift);
    EXPECT_TRUE(g.backlashFresh);
    EXPECT_EQ(main.control(Control::Edit21).text, "0");
    tab.Show();
  }
  // While a file is loading its backlash stays.
  g.jn = 0.1;
  g.loadingInputs = true;
  PressMain(Control::TabInputs);
  EXPECT_EQ(g.jn, 0.1);
  g.loadingInputs = false;
  // Leaving another tab does not touch it.
  PressMain(Control::TabMeasure);
  PressMain(Control::TabInputs);
  EXPECT_EQ(g.jn, 0.1);
}

TEST_F(IdentFormTest, RackModeComputesTheRacksModule) {
  EXPECT_FALSE(Input(3, "5000"));
  ASSERT_TRUE(g.rackMode);
  EXPECT_EQ(Text(C::MeasuredFor), "Hřeben");
  EXPECT_TRUE(tab.control(C::RadioGroup1_0).checked);
  EXPECT_EQ(tab.computed(kMethodChordal), kIdentModule);
  PressMain(Control::CheckButton);
  tab.Show();
  // Measured on the reference line: half a pitch at the rack addendum.
  EXPECT_NEAR(g.scMeas, kPi / 2.0, 1e-12);
  EXPECT_NEAR(g.hcMeas, g.ha2, 1e-12);
  // A rack of module 1.25 and 20 degrees, measured 0.5 mm under its tip:
  // pi 1.25 / 2 - 2 (ha - 0.5) tan 20°.
  EXPECT_FALSE(Enter("hcMeas", "0.5"));
  EXPECT_FALSE(Enter("scMeas", Exact(kPi * 1.25 / 2.0 - 2.0 * (g.ha2 - 0.5) * std::tan(Deg(20)))));
  EXPECT_NEAR(g.mnId[0], 1.25, 1e-12);
  EXPECT_EQ(Text(C::Edit42), "1.250");
  // The rack's shift cannot be computed nor typed.
  EXPECT_TRUE(tab.Press("RadioGroup1=1"));
  EXPECT_TRUE(ReadOnly(C::Edit45));
  EXPECT_TRUE(ReadOnly(C::Edit43));
  EXPECT_FALSE(ReadOnly(C::Edit42));

  // Back to a wheel: the captions return, the chord computes the shift, and
  // the tab is prepared from the new wheel.
  PressMain(Control::TabInputs);
  EXPECT_FALSE(Input(3, "40"));
  ASSERT_FALSE(g.rackMode);
  EXPECT_EQ(Text(C::MeasuredFor), "Naměřeno pro kolo z =");
  EXPECT_EQ(Text(C::Diameter), "d   = " + FormatFixed(g.da2, 5, 3));
  EXPECT_TRUE(tab.control(C::RadioGroup1_3).checked);
  EXPECT_EQ(tab.computed(kMethodChordal), kIdentShift);
  EXPECT_NEAR(g.xId[0], 0.0, 1e-8);
  EXPECT_NE(g.scMeas, kPi / 2.0);
  // Prepared from the input page, whose commands stay usable.
  EXPECT_TRUE(main.control(Control::CheckButton).enabled);
  EXPECT_TRUE(main.control(Control::DecDmsGroup).visible);
}

}  // namespace
}  // namespace kolmira
