// The identification tab driven as the user drives it: a pair typed into
// the main dialog and checked, then the tab's fields and groups, against the
// textbook span of a helical wheel.
#include "forms/IdentForm.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "TestPairs.h"
#include "forms/Program.h"
#include "model/NumberText.h"

namespace kolmira {
namespace {

using test::Deg;
using C = IdentControl;
constexpr Dialog kIdent = Dialog::Ident;

double Inv(double a) {
  return std::tan(a) - a;
}

// Textbook base tangent length of an external wheel over k teeth:
// mn cos an ((k - 0.5) pi + z inv at) + 2 x mn sin an.
double Span(double mn, double z, double an, double beta, double x, int k) {
  const double at = std::atan(std::tan(an) / std::cos(beta));
  return mn * (std::cos(an) * ((k - 0.5) * kPi + z * Inv(at)) + 2.0 * x * std::sin(an));
}

class IdentFormTest : public test::ProgramTest {
 protected:
  // The helical wheel of the tests: mn 2, z2 61, beta 18 degrees, x2 0.2
  // (the shift sum 0.5 divided as 0.3 + 0.2), checked, then the tab.
  void HelicalPairShown() {
    for (auto [n, text] : {std::pair{1, "2"}, {3, "61"}, {4, "18"}, {6, "0.5"}}) Enter(n, text);
    Press("DistributeButton");
    Enter(7, "0.3");
    ASSERT_NEAR(g.x2, 0.2, 1e-12);
    Press("CheckButton");
    ASSERT_TRUE(main.resultsVisible());
    ASSERT_TRUE(Program::Open(kIdent));
  }
  bool Refuses(const std::string& name, const std::string& text) {
    return Program::Refuses(kIdent, name, text);
  }
  std::string Refusal(const std::string& name, const std::string& text) {
    return Program::Refusal(kIdent, name, text);
  }
  std::string Text(IdentControl c) const { return tab.control(c).text; }
  using Program::Text;
  std::string Tab(std::initializer_list<std::string_view> names) const {
    return Texts(kIdent, names);
  }
  int Beeps() const {
    int n = 0;
    for (const auto& m : messages) n += m.kind == kolmira::Message::Kind::Beep;
    return n;
  }

  IdentForm& tab = ws.ident();
};

TEST_F(IdentFormTest, CreatedComputingTheShiftsWithFurtherSolutionsHidden) {
  EXPECT_EQ(Flags(kIdent, {"Edit45", "Edit49", "Edit53", "Edit42", "Edit43", "Edit47", "Edit50"}),
            "Edit45:read-only Edit49:read-only Edit53:read-only Edit42 Edit43 Edit47 Edit50");
  EXPECT_EQ(Flags(kIdent, {"RadioGroup1=3", "RadioGroup2=3", "RadioGroup3=3", "RadioGroup2=1"}),
            "RadioGroup1=3:checked RadioGroup2=3:checked RadioGroup3=3:checked RadioGroup2=1");
  for (IdentControl label : {C::Solution2Symbol, C::Solution2Subscript, C::Solution2,
                             C::Solution3Symbol, C::Solution3Subscript, C::Solution3}) {
    EXPECT_FALSE(tab.control(label).visible);
  }
  EXPECT_EQ(Text(C::MeasuredFor), "Naměřeno pro kolo z =");
  EXPECT_EQ(tab.Find("xId2"), static_cast<int>(C::Edit53));
  EXPECT_EQ(tab.Find("zwMeas"), static_cast<int>(C::Edit38));
  EXPECT_FALSE(tab.Find("RadioGroup4=0"));
  EXPECT_FALSE(tab.Find("Modul")) << "the three groups' items share their captions";
}

TEST_F(IdentFormTest, EnteringPreparesTheMeasurementsOfTheWheel) {
  HelicalPairShown();
  Press("TabInputs");
  const double dt2 = g.dt2, M2 = g.M2, W2 = g.W2, sc2 = g.sc2, hc2 = g.hc2;
  const int zw2 = g.zw2;
  ASSERT_TRUE(Program::Open(kIdent));
  EXPECT_TRUE(tab.visible());
  EXPECT_EQ(main.activeTab(), 2);
  EXPECT_FALSE(main.resultsVisible());
  EXPECT_EQ(Flags({"CheckButton", "SaveButton", "LoadButton", "DecDmsGroup"}),
            "CheckButton:disabled,bold SaveButton:disabled LoadButton:disabled DecDmsGroup:hidden");
  // The pair's own data as estimates, in their formats.
  EXPECT_EQ(Tab({"Edit42", "Edit47", "Edit52", "Edit49", "Teeth2"}),
            "2.000|20.0000°|18.0000°|0.2000|61");
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
  EXPECT_EQ(Tab({"Edit36", "Edit38"}),
            FormatFixed(g.scMeas, 0, 4) + "|" + std::to_string(g.zwMeas));

  // Each method gives the wheel's module and shift back from them.
  for (int m = 0; m < 3; ++m) {
    SCOPED_TRACE(m);
    const std::string group = "RadioGroup" + std::to_string(m + 1);
    EXPECT_TRUE(Press(kIdent, group + "=0"));
    EXPECT_NEAR(g.mnId[m], 2.0, 1e-8);
    EXPECT_TRUE(Press(kIdent, group + "=3"));
    EXPECT_NEAR(g.xId[m], 0.2, 1e-8);
    EXPECT_EQ(Text(ParameterField(static_cast<IdentMethod>(m), kIdentShift)), "0.2000");
  }
  EXPECT_EQ(Beeps(), 0);
}

TEST_F(IdentFormTest, SpurGearKeepsItsHelixFieldsReadOnly) {
  Press("CheckButton");
  ASSERT_TRUE(Program::Open(kIdent));
  EXPECT_EQ(Flags(kIdent, {"Edit44", "Edit48", "Edit52"}),
            "Edit44:read-only Edit48:read-only Edit52:read-only");
  EXPECT_TRUE(Press(kIdent, "RadioGroup2=0"));
  // The module computed, the shift editable again; a spur gear's helix stays.
  EXPECT_EQ(Flags(kIdent, {"Edit46", "Edit47", "Edit49", "Edit48"}),
            "Edit46:read-only Edit47 Edit49 Edit48:read-only");
  EXPECT_FALSE(Type(kIdent, "betaId1", "10"));
  // Computing the helix angle of a spur gear: read-only as well.
  EXPECT_TRUE(Press(kIdent, "RadioGroup1=2"));
  EXPECT_EQ(Flags(kIdent, {"Edit44", "Edit45"}), "Edit44:read-only Edit45");
}

TEST_F(IdentFormTest, HelicalGearsHelixFieldsAreEditableUnlessComputed) {
  HelicalPairShown();
  EXPECT_EQ(Flags(kIdent, {"Edit44"}), "Edit44");
  EXPECT_TRUE(Press(kIdent, "RadioGroup3=2"));
  EXPECT_EQ(Flags(kIdent, {"Edit52"}), "Edit52:read-only");
  EXPECT_NEAR(g.betaId[2], Deg(18), 1e-8);
  // Entered again, the computed helix stays read-only.
  Press("TabInputs");
  ASSERT_TRUE(Program::Open(kIdent));
  EXPECT_EQ(Flags(kIdent, {"Edit52", "Edit48"}), "Edit52:read-only Edit48");
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
    const char* texts;    // each typed in turn, '|' between them
    std::string message;  // empty: accepted
  } rows[] = {
      {"scMeas", "abc|1,5", format},
      {"scMeas", "0|-1", positive},
      {"scMeas", "6.29", "Nemožně velká měřená tloušťka"},
      {"scMeas", "3.1", ""},
      {"hcMeas", "6.41", "Nemožně velká měřená výška"},
      {"hcMeas", "0", positive},
      {"zwMeas", "0", positive},
      {"zwMeas", "2.5", "Počet zubů musí být celé číslo"},
      {"zwMeas", "abc", format},
      {"zwMeas", "31", "Nemožně velký počet zubů pro měření"},
      {"zwMeas", "30", ""},
      {"WMeas", "128.3", "Nemožně velký rozměr přes zuby"},
      {"WMeas", "x", format},
      {"DMeas", "0", positive},
      {"MMeas", "-130", positive},
      {"MMeas", "", format},
      {"mnId0", "0", "Modul vol větší než 0 "},
      {"mnId1", "-2", "Modul vol větší než 0 "},
      {"alphaId0", "0.98|55.01", profile},
      {"alphaId2", "0.99|55", ""},
      {"betaId0", "-1", helix},
      {"betaId1", "55.5", helix},
      {"betaId1", "55", ""},
      {"xId2", "-1.51|3.01", shift},
      {"xId2", "abc", format},
      {"xId2", "-1.5|3", ""},
  };
  // The shifts are computed at first: the balls method computes its module
  // here, so that its shift can be typed.
  EXPECT_TRUE(Press(kIdent, "RadioGroup3=0"));
  for (const auto& row : rows) {
    for (const std::string& text : Split(row.texts)) {
      SCOPED_TRACE(testing::Message() << row.field << " = '" << text << "'");
      const bool refused = Refuses(row.field, text);
      if (row.message.empty()) {
        EXPECT_FALSE(refused);
        for (const auto& m : messages) EXPECT_NE(m.title, kErrorTitle) << m.text;
      } else {
        EXPECT_TRUE(refused);
        ASSERT_FALSE(messages.empty());
        EXPECT_EQ(messages.front(), (kolmira::Message{"  Chyba !", row.message}));
      }
    }
  }
  // The chord and height limits hold only while the module is not computed.
  EXPECT_TRUE(Press(kIdent, "RadioGroup1=0"));
  EXPECT_FALSE(Refuses("scMeas", "6.29"));
  EXPECT_FALSE(Refuses("hcMeas", "6.41"));
  // Neither does the span's while the helix angle is computed.
  EXPECT_TRUE(Press(kIdent, "RadioGroup2=2"));
  EXPECT_FALSE(Refuses("WMeas", "128.3"));
}

TEST_F(IdentFormTest, RefusedEntryKeepsTheFocusAndEnterAccepts) {
  HelicalPairShown();
  Type(kIdent, "Edit42", "0");
  EXPECT_FALSE(Focus(kIdent, "Edit43"));
  EXPECT_EQ(Focused(kIdent), "Edit42");
  EXPECT_EQ(LastMessage(), "Modul vol větší než 0 ");
  // Enter accepts the field as leaving it would: the module typed is the
  // chordal method's estimate, and its shift follows from it.
  Type(kIdent, "Edit42", "2.5");
  EXPECT_TRUE(Key(kIdent, Key::Enter));
  EXPECT_EQ(g.mnId[0], 2.5);
  EXPECT_EQ(Text(C::Edit42), "2.500");
  EXPECT_NE(g.xId[0], 0.2);
}

TEST_F(IdentFormTest, InternalWheelShiftBound) {
  Press("GearInternal");
  Press("CheckButton");
  ASSERT_TRUE(Program::Open(kIdent));
  // The ring's measurements give its module back (1 here).
  for (const char* item : {"RadioGroup1=0", "RadioGroup2=0", "RadioGroup3=0"}) {
    Press(kIdent, item);
  }
  for (int m = 0; m < 3; ++m) EXPECT_NEAR(g.mnId[m], 1.0, 1e-8) << m;
  EXPECT_EQ(Refusal("xId0", "-10.5"), "Jednotkovou korekci vol v rozmezí od -10 do 3");
  EXPECT_FALSE(Refuses("xId0", "-9"));
}

TEST_F(IdentFormTest, AnglesInTheChosenForm) {
  HelicalPairShown();
  // Decimal: 6:4 and a degree sign; typed back with its sign, it is read.
  EXPECT_FALSE(Refuses("alphaId0", "21.5°"));
  EXPECT_NEAR(g.alphaId[0], Deg(21.5), 1e-15);
  EXPECT_FALSE(Refuses("betaId2", " 9.25 "));
  EXPECT_EQ(Tab({"Edit43", "Edit52"}), "21.5000°|9.2500°");  // 6:4 is no wider

  Press("TabInputs");
  Press("Dms");
  ASSERT_TRUE(Program::Open(kIdent));
  EXPECT_EQ(Text(C::Edit47), FormatDmsDialog(20.0));
  // D.MMSS: 20.3 is 20 degrees 30 minutes.
  EXPECT_FALSE(Refuses("alphaId0", "20.3"));
  EXPECT_NEAR(g.alphaId[0], Deg(20.5), 1e-12);
  EXPECT_EQ(Text(C::Edit43), FormatDmsDialog(20.5));
  EXPECT_EQ(Refusal("alphaId0", "20.7"), "Minuty vol v rozsahu od 0 do 59.");
}

TEST_F(IdentFormTest, SpanHelixAngleThatCannotBe) {
  HelicalPairShown();
  EXPECT_TRUE(Press(kIdent, "RadioGroup2=2"));
  EXPECT_NEAR(g.betaId[1], Deg(18), 1e-8);
  // Shorter than the spur wheel's span over the same teeth: no helix angle
  // gives it.
  const double spur = Span(2.0, 61.0, Deg(20), 0.0, 0.2, g.zwMeas);
  EXPECT_FALSE(Refuses("WMeas", Exact(spur - 0.02)));
  EXPECT_EQ(g.betaId[1], -1.0);
  EXPECT_EQ(Text(C::Edit48), "Neřešitelné");
  // Any later display keeps to the field: "Neřeš.".
  EXPECT_FALSE(Refuses("DMeas", "4"));
  EXPECT_EQ(Text(C::Edit48), "Neřeš.");
  // The spur wheel's own span gives 0.
  EXPECT_FALSE(Refuses("WMeas", Exact(spur)));
  EXPECT_EQ(Text(C::Edit48), "0.0000°");
  // No helix angle is no estimate: computing the shift again takes the
  // pair's.
  Refuses("WMeas", Exact(spur - 0.02));
  EXPECT_TRUE(Press(kIdent, "RadioGroup2=3"));
  EXPECT_NEAR(g.betaId[1], Deg(18), 1e-15);
  EXPECT_EQ(Text(C::Edit48), "18.0000°");
  EXPECT_EQ(Flags(kIdent, {"Edit48"}), "Edit48");
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
  const std::initializer_list<std::string_view> lines = {"Solution2", "Solution3Symbol",
                                                         "Solution3"};
  // With x = 0.2 the span rises from pi mn (k - 0.5) to a maximum just
  // after an = 0, then falls to a minimum: between W(0) and the maximum
  // three profile angles give it.
  const double aMax = SpanExtremum(2.0, 61.0, Deg(18), 0.2, k, 1e-5, 0.2, true);
  const double top = Span(2.0, 61.0, aMax, Deg(18), 0.2, k);
  const double start = Span(2.0, 61.0, 0.0, Deg(18), 0.2, k);
  ASSERT_GT(top, start);
  EXPECT_TRUE(Press(kIdent, "RadioGroup2=1"));
  EXPECT_FALSE(Refuses("WMeas", Exact((start + top) / 2.0)));
  ASSERT_EQ(g.idSolutionCount, 3);
  for (double a : {g.alphaId[1], g.alphaId2, g.alphaId3}) {
    EXPECT_NEAR(Span(2.0, 61.0, a, Deg(18), 0.2, k), g.WMeas, 1e-9);
  }
  EXPECT_EQ(Flags(kIdent, lines), "Solution2 Solution3Symbol Solution3");
  EXPECT_EQ(Tab({"Solution2", "Solution3"}),
            "2. řešení       = " + FormatFixed(g.alphaId2 * kRadToDeg, 6, 4) +
                "°|3. řešení       = " + FormatFixed(g.alphaId3 * kRadToDeg, 6, 4) + "°");

  // The wheel's own span (below W(0)): the true 20 degrees and one more.
  EXPECT_FALSE(Refuses("WMeas", Exact(Span(2.0, 61.0, Deg(20), Deg(18), 0.2, k))));
  ASSERT_EQ(g.idSolutionCount, 2);
  EXPECT_EQ(Flags(kIdent, {"Solution2", "Solution3"}), "Solution2 Solution3:hidden");
  EXPECT_NEAR(std::min(std::fabs(g.alphaId[1] - Deg(20)), std::fabs(g.alphaId2 - Deg(20))), 0.0,
              1e-8);

  // Entering any field brings the solutions up to date with the state.
  g.WMeas = (start + top) / 2.0;
  Focus(kIdent, "DMeas");
  EXPECT_EQ(g.idSolutionCount, 3);
  EXPECT_EQ(Flags(kIdent, {"Solution3"}), "Solution3");
  Focus(kIdent, "");

  // Another parameter computed: the lines go.
  EXPECT_TRUE(Press(kIdent, "RadioGroup2=3"));
  EXPECT_EQ(Flags(kIdent, {"Solution2", "Solution3"}), "Solution2:hidden Solution3:hidden");
}

TEST_F(IdentFormTest, FailedChordSolveBeepsAndBlocksTheNext) {
  HelicalPairShown();
  EXPECT_TRUE(Press(kIdent, "RadioGroup1=1"));
  EXPECT_NEAR(g.alphaId[0], Deg(20), 1e-8);
  EXPECT_EQ(Beeps(), 0);
  // 6 mm of chord about 2 mm under the tip of a 2 mm module: no profile
  // angle makes a tooth that wide there. The solve fails; the estimate
  // stays and a beep says so.
  ASSERT_LT(g.hcMeas, 2.5);
  const double chord = g.scMeas;
  EXPECT_FALSE(Refuses("scMeas", "6"));
  ASSERT_TRUE(g.newtonFailed);
  EXPECT_EQ(Beeps(), 1);
  EXPECT_EQ(messages.size(), 1u);
  EXPECT_EQ(Text(C::Edit43), "20.0000°");
  // The next chordal run only beeps, whatever it is given.
  EXPECT_FALSE(Refuses("scMeas", "3"));
  EXPECT_EQ(Beeps(), 1);
  EXPECT_EQ(messages.size(), 1u);
  EXPECT_NEAR(g.alphaId[0], Deg(20), 1e-8);
  // Until another solve succeeds: the balls method's.
  EXPECT_FALSE(Refuses("DMeas", Exact(g.DMeas + 0.5)));
  EXPECT_FALSE(g.newtonFailed);
  g.alphaId[0] = Deg(21);
  EXPECT_FALSE(Refuses("scMeas", Exact(chord)));
  EXPECT_EQ(Beeps(), 0);
  EXPECT_NEAR(g.alphaId[0], Deg(20), 1e-8);
}

TEST_F(IdentFormTest, LeavingTheTabZeroesTheBacklash) {
  HelicalPairShown();
  for (const char* other : {"TabInputs", "TabMeasure"}) {
    g.jn = 0.1;
    g.xSumBacklash = 0.05;
    g.backlashDirect = false;
    g.backlashByShift = true;
    g.backlashFresh = false;
    main.WriteField(kBacklashField);
    ASSERT_EQ(Text(21), "0.100");
    Press(other);
    EXPECT_EQ(Values("jn xSumBacklash backlashDirect backlashByShift backlashFresh"),
              "jn=0 xSumBacklash=0 backlashDirect=1 backlashByShift=0 backlashFresh=1");
    EXPECT_EQ(Text(21), "0");
    ASSERT_TRUE(Program::Open(kIdent));
  }
  // While a file is loading its backlash stays.
  g.jn = 0.1;
  g.loadingInputs = true;
  Press("TabInputs");
  EXPECT_EQ(g.jn, 0.1);
  g.loadingInputs = false;
  // Leaving another tab does not touch it.
  Press("TabMeasure");
  Press("TabInputs");
  EXPECT_EQ(g.jn, 0.1);
}

TEST_F(IdentFormTest, RackModeComputesTheRacksModule) {
  EXPECT_TRUE(Enter(3, "5000"));
  ASSERT_TRUE(g.rackMode);
  EXPECT_EQ(Text(C::MeasuredFor), "Hřeben");
  EXPECT_TRUE(tab.control(C::RadioGroup1_0).checked);
  EXPECT_EQ(tab.computed(kMethodChordal), kIdentModule);
  Press("CheckButton");
  ASSERT_TRUE(Program::Open(kIdent));
  // Measured on the reference line: half a pitch at the rack addendum.
  EXPECT_NEAR(g.scMeas, kPi / 2.0, 1e-12);
  EXPECT_NEAR(g.hcMeas, g.ha2, 1e-12);
  // A rack of module 1.25 and 20 degrees, measured 0.5 mm under its tip:
  // pi 1.25 / 2 - 2 (ha - 0.5) tan 20°.
  EXPECT_FALSE(Refuses("hcMeas", "0.5"));
  EXPECT_FALSE(
      Refuses("scMeas", Exact(kPi * 1.25 / 2.0 - 2.0 * (g.ha2 - 0.5) * std::tan(Deg(20)))));
  EXPECT_NEAR(g.mnId[0], 1.25, 1e-12);
  EXPECT_EQ(Text(C::Edit42), "1.250");
  // The rack's shift cannot be computed nor typed.
  EXPECT_TRUE(Press(kIdent, "RadioGroup1=1"));
  EXPECT_EQ(Flags(kIdent, {"Edit45", "Edit43", "Edit42"}),
            "Edit45:read-only Edit43:read-only Edit42");

  // Back to a wheel: the captions return, the chord computes the shift, and
  // the tab is prepared from the new wheel.
  Press("TabInputs");
  EXPECT_TRUE(Enter(3, "40"));
  ASSERT_FALSE(g.rackMode);
  EXPECT_EQ(Text(C::MeasuredFor), "Naměřeno pro kolo z =");
  EXPECT_EQ(Text(C::Diameter), "d   = " + FormatFixed(g.da2, 5, 3));
  EXPECT_TRUE(tab.control(C::RadioGroup1_3).checked);
  EXPECT_EQ(tab.computed(kMethodChordal), kIdentShift);
  EXPECT_NEAR(g.xId[0], 0.0, 1e-8);
  EXPECT_NE(g.scMeas, kPi / 2.0);
  // Prepared from the input page, whose commands stay usable.
  EXPECT_EQ(Flags({"CheckButton", "DecDmsGroup"}), "CheckButton:bold DecDmsGroup");
}

}  // namespace
}  // namespace kolmira
