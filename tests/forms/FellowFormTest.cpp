// The shaper cutter dialog as its user meets it: the cutter's fields and
// their bounds, the options, the warnings about the cutter, and the ring it
// cuts, against a construction of the cutter's tip.
#include "forms/FellowForm.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "TestPairs.h"
#include "engine/Involute.h"
#include "forms/Program.h"
#include "model/NumberText.h"

namespace kolmira {
namespace {

using test::Deg;
constexpr Dialog kFellow = Dialog::ShaperCutter;

// The main dialog with an internal pair 20 / -80 (module 1, standard basic
// rack, cutter 35 teeth unshifted) and the cutter dialog opened from it.
struct Session : test::Program {
  explicit Session(const char* ring = "") {
    Press("GearInternal");
    if (*ring) {
      EXPECT_TRUE(Enter(3, ring));
    }
    Open();
  }
  void Open() {
    EXPECT_TRUE(Program::Open(kFellow));
    EXPECT_TRUE(fellow.visible());
    log.clear();
  }
  // Types into a field of the cutter dialog and leaves it; true if accepted.
  bool EnterIn(std::string_view field, const std::string& text) {
    log.clear();
    return Enter(kFellow, field, text);
  }
  bool PressIn(std::string_view name) { return Press(kFellow, name); }
  std::string Cutter(std::initializer_list<std::string_view> names) const {
    return Texts(kFellow, names);
  }
  // The last error box; the cutter warnings are boxes of another title.
  std::string LastError() const {
    for (auto m = log.rbegin(); m != log.rend(); ++m) {
      if (m->title == kErrorTitle) return m->text;
    }
    return "";
  }

  FellowForm& fellow = ws.shaperCutter();
};

// inv(20°) / tan(20°): the limiting shift sums are -0.5 (z0 + z2) times it.
const double kInvOverTan = Involute(Deg(20)) / std::tan(Deg(20));  // 0.040948

// Largest tip radius of a spur cutter (module 1, 20°, addendum 1.25): the
// rounding circle touches both flanks. Its centre lies on the tooth's centre
// line at rc = da0/2 - r, and its distance to a flank along the flank normal
// (a tangent of the base circle) is rb psi(rc), psi being the half tooth
// angle there: r = rb psi(da0/2 - r), solved by bisection.
double FullyRoundedTip(int z0, double x0) {
  const double rb = z0 * std::cos(Deg(20)) / 2.0;
  const double ra = z0 / 2.0 + x0 + 1.25;
  auto excess = [&](double r) {
    const double psi = (kPi + 4.0 * x0 * std::tan(Deg(20))) / (2.0 * z0) + Involute(Deg(20)) -
                       Involute(std::acos(rb / (ra - r)));
    return r - rb * psi;
  };
  double lo = 0.0;
  double hi = std::fmin(1.0, ra - rb);
  for (int i = 0; i < 200; ++i) {
    const double mid = (lo + hi) / 2.0;
    (excess(lo) * excess(mid) <= 0.0 ? hi : lo) = mid;
  }
  return lo;
}

TEST(FellowForm, TeethAndShiftOfTheCutter) {
  const char* format = "Chyba číselného formátu, opakuj zadání";
  const char* shiftRange = "Korekci nástroje vol v rozsahu od -2 do 3";
  const std::tuple<const char*, const char*, const char*, const char*, const char*> cases[] = {
      {"", "", "z0", "3", "Počet zubů nástroje Fellow vol větší než 3"},
      {"", "", "z0", "4", ""},
      {"", "", "z0", "80", "Počet zubů nástroje Fellow vol alespoň o 1 méně než počet zubů kola"},
      {"", "", "z0", "79", ""},  // x0mez = 0.5 (80 - 79) 0.040948 = 0.0205 > 0
      // x0 = 0.5: x0mez = 0.5 (80 - 55) 0.040948 = 0.5119 holds the sum,
      // 0.5 (80 - 56) 0.040948 = 0.4914 does not.
      {"", "0.5", "z0", "55", ""},
      {"", "0.5", "z0", "56",
       "Neexistuje řešení - součet korekcí pro záběr Fellow-věnec je větší než mezní"},
      // A count is whole, whichever way it is written.
      {"", "", "z0", "35.5", "Počet zubů musí být celé číslo"},
      {"", "", "z0", "99999999999", format},
      // 35 / -200: x0mez = 0.5 (200 - 35) 0.040948 = 3.3783, the range decides.
      {"-200", "", "x0", "3", ""},
      {"-200", "", "x0", "3.0001", shiftRange},
      {"-200", "", "x0", "-2", ""},
      {"-200", "", "x0", "-2.0001", shiftRange},
      {"-200", "", "x0", "1,5", format},
      // 35 / -80: x0mez = 0.5 (80 - 35) 0.040948 = 0.92136.
      {"", "", "x0", "0.9213", ""},
      {"", "", "x0", "0.9214",
       "Součet korekcí x0+x2 při výrobě kolečkem Fellow je větší než mezní (x0mez= 0.9214) - "
       "záporný výrobní úhel záběru."}};
  for (const auto& [ring, x0, field, text, message] : cases) {
    Session s(ring);
    if (*x0) {
      ASSERT_TRUE(s.EnterIn("x0", x0));
    }
    const std::string where = std::string(field) + " = " + text + ", x0 = " + x0 + ", z2 = " + ring;
    const bool refused = *message != '\0';
    const double x0Before = s.g.x0;
    const int z0Before = s.g.z0;
    EXPECT_EQ(!s.EnterIn(field, text), refused) << where;
    EXPECT_EQ(s.LastError(), message) << where;
    EXPECT_TRUE(test::NonFiniteReals(s.g).empty()) << where;
    if (refused) {
      EXPECT_EQ(s.Focused(kFellow), s.ws.form(kFellow).Info(*s.ws.form(kFellow).Find(field)).name)
          << where << ": the focus stays";
      // The refused value stays in the field, not in the cutter.
      EXPECT_EQ(s.g.x0, x0Before) << where;
      EXPECT_EQ(s.g.z0, z0Before) << where;
      EXPECT_FALSE(s.g.x0SumAboveLimit) << where;
    } else if (std::string(field) == "z0") {
      EXPECT_EQ(s.g.z0, std::stoi(text)) << where;
      EXPECT_EQ(s.Cutter({"Edit1"}), text) << where;
      EXPECT_NEAR(s.g.x0mez, -0.5 * (s.g.z0 - 80) * kInvOverTan, 1e-12) << where;
    } else {
      EXPECT_DOUBLE_EQ(s.g.x0, std::stod(text)) << where;
      // The cutter's addendum is the ring's dedendum: da0 = d0 + 2 (x0 + 1.25).
      EXPECT_DOUBLE_EQ(s.g.da0, 35.0 + 2.0 * (s.g.x0 + 1.25)) << where;
      EXPECT_FALSE(s.g.x0SumAboveLimit) << where;
    }
  }
}

TEST(FellowForm, RefusedTeethStayRefusedUntilCorrectedAndZpetRestoresThem) {
  Session s;
  EXPECT_FALSE(s.EnterIn("z0", "3"));
  EXPECT_EQ(s.g.z0, 35) << "the refused count is not the cutter's";
  EXPECT_EQ(s.Cutter({"Edit1"}), "3") << "but stays in its field";
  // Leaving again with the same text must not let it through.
  s.log.clear();
  EXPECT_FALSE(s.Focus(kFellow, "Edit2"));
  EXPECT_EQ(s.LastError(), "Počet zubů nástroje Fellow vol větší než 3");
  // "&OK" validates the field, refuses it and stays open.
  EXPECT_FALSE(s.PressIn("ok"));
  EXPECT_TRUE(s.ws.lastEntryRefused());
  EXPECT_TRUE(s.fellow.visible());
  // The mouse down on "&Zpět" and released elsewhere: no click, and the
  // field is validated again when the focus leaves it for the main dialog.
  s.ws.BeginPress(kFellow, "Zpět");
  s.ws.EndPress(kFellow);
  EXPECT_FALSE(s.Focus(Dialog::Main, "Edit1"));
  EXPECT_EQ(s.Focused(kFellow), "Edit1");
  // "&Zpět" leaves without validating; the refused count is not left behind.
  EXPECT_TRUE(s.PressIn("Zpět"));
  EXPECT_FALSE(s.fellow.visible());
  EXPECT_TRUE(s.messages.empty());
  EXPECT_EQ(s.Values("fellowDlgClosing z0"), "fellowDlgClosing=0 z0=35");
  EXPECT_FALSE(s.PressIn("ok")) << "a closed dialog takes no input";
}

TEST(FellowForm, StraightFlankDepthNearOneIsTheStandardOne) {
  // hFf0* = haP2* + cP2* - (1 - sin 20°) rhof0* = 1.25 - 0.65798 rhof0*.
  for (double depth : {0.99999, 0.99995}) {
    Session s;
    const double rhof0 = (1.25 - depth) / (1.0 - std::sin(Deg(20)));
    ASSERT_TRUE(s.EnterIn("rhof0Star", FormatFixed(rhof0, 0, 12)));
    const double expected = depth == 0.99999 ? 1.0 : depth;
    EXPECT_NEAR(s.g.hFf0Star, expected, depth == 0.99999 ? 0.0 : 1e-9) << depth;
    // The involute start uses the stored depth (x0 = 0, z0 = 35):
    // tan alphaL0 = tan 20° - 4 hFf0* / (sin 40° z0).
    const double alphaL0 =
        std::atan(std::tan(Deg(20)) - 4.0 * expected / (std::sin(Deg(40)) * 35.0));
    EXPECT_NEAR(s.g.alphaFf0, alphaL0, 1e-13) << depth;
  }
}

TEST(FellowForm, LargestFunctionalHeightStartsTheInvoluteOnTheBaseCircle) {
  Session s;
  const double db0 = 35.0 * std::cos(Deg(20));  // 32.889
  EXPECT_TRUE(s.PressIn("max-funkcni"));
  EXPECT_TRUE(s.g.maxFunctional);
  EXPECT_EQ(s.Flags(kFellow, {"CheckBox1", "Edit3"}), "CheckBox1:checked Edit3:read-only");
  EXPECT_FALSE(s.Type(kFellow, "Edit3", "0.2")) << "a read-only field takes no typing";
  EXPECT_EQ(s.g.rhof0Star, 0.0);
  EXPECT_NEAR(s.g.dL0, db0, 1e-12);
  EXPECT_EQ(s.Cutter({"Edit3", "LabelDL0", "LabelAlphaL0"}), "0.0000|32.89|0.000");

  // Unchecking restores the root radius and with it the involute start:
  // tan alphaL0 = tan 20° - 4 / (sin 40° 35) = 0.18617, 10.546°, dL0 = db0 / cos.
  EXPECT_TRUE(s.PressIn("Max. funkční výška zubu nástroje"));
  EXPECT_FALSE(s.g.maxFunctional);
  EXPECT_EQ(s.Flags(kFellow, {"Edit3"}), "Edit3");
  EXPECT_EQ(s.g.rhof0Star, 0.38);
  EXPECT_EQ(s.Cutter({"Edit3", "LabelDL0", "LabelAlphaL0"}), "0.3800|33.45|10.546");

  // With the option on, the start stays on the base circle of a new module.
  s.PressIn("max-funkcni");
  s.PressIn("ok");
  ASSERT_TRUE(s.Enter(1, "2"));
  s.Open();
  EXPECT_TRUE(s.g.maxFunctional);
  EXPECT_EQ(s.Cutter({"LabelDL0", "LabelAlphaL0"}), "65.78|0.000");  // 2 x 32.889
}

TEST(FellowForm, FullyRoundedTipIsTheLargestAndCutsTheRingFillet) {
  for (auto [z0, x0] : {std::pair{35, 0.0}, {24, 0.3}, {50, -0.5}}) {
    Session s;
    const std::string where = "z0 = " + std::to_string(z0) + ", x0 = " + std::to_string(x0);
    ASSERT_TRUE(s.EnterIn("x0", FormatFixed(x0, 0, 4))) << where;
    if (z0 != 35) {
      ASSERT_TRUE(s.EnterIn("z0", std::to_string(z0))) << where;
    }
    const double largest = FullyRoundedTip(z0, x0);
    ASSERT_TRUE(s.PressIn("plne-zaoblena")) << where;
    EXPECT_EQ(s.Flags(kFellow, {"CheckBox2", "Edit4"}), "CheckBox2:checked Edit4:read-only");
    EXPECT_NEAR(s.g.rhoa0Star, largest, 1e-9) << where;
    EXPECT_EQ(s.g.sa0, 0.0) << where;
    EXPECT_EQ(s.g.rhofP2Star, s.g.rhoa0Star) << where;
    EXPECT_EQ(s.Cutter({"Edit4", "LabelSa0"}) + "|" + s.Text(16),
              FormatFixed(largest, 6, 4) + "|0.00|" + FormatFixed(largest, 6, 4))
        << where;
    // Above 0.38 the ring's fillet is no longer the standard one.
    EXPECT_EQ(s.main.control(Control::NonStandard).checked, largest >= 0.3800001) << where;

    // Unchecking returns the radius the cutter had.
    s.PressIn("plne-zaoblena");
    EXPECT_FALSE(s.g.fullyRounded) << where;
    EXPECT_EQ(s.Flags(kFellow, {"Edit4"}), "Edit4") << where;
    EXPECT_EQ(s.g.rhoa0Star, 0.0) << where;
    EXPECT_EQ(s.g.rhofP2Star, 0.0) << where;
    EXPECT_TRUE(s.main.control(Control::Standard).checked) << where;
  }
  EXPECT_NEAR(FullyRoundedTip(35, 0.0), 0.40217, 1e-5);
}

TEST(FellowForm, TipRadiusUpToTheLargest) {
  Session s;
  const double largest = FullyRoundedTip(35, 0.0);  // 0.40217
  const char* refusal =
      "Poměrný rádius zaoblení hlavy nástroje vol v rozsahu od 0 do 0.4022 (plně zaoblená hlava)";
  const std::string within = FormatFixed(largest + 0.00009, 0, 7);
  EXPECT_TRUE(s.EnterIn("rhoa0Star", within));
  EXPECT_EQ(s.LastError(), "");
  // Beyond the full rounding the tip's flat land is (slightly) negative.
  EXPECT_EQ(s.Count("Nástroj má zápornou tloušťku hlavy"), 1);
  EXPECT_EQ(s.g.rhoa0Star, std::stod(within));
  EXPECT_EQ(s.g.rhofP2Star, s.g.rhoa0Star) << "the ring's fillet follows the tip";
  EXPECT_EQ(s.Text(16), "0.4023");

  for (const std::string& text : {FormatFixed(largest + 0.0002, 0, 7), std::string("-0.0001")}) {
    EXPECT_FALSE(s.EnterIn("rhoa0Star", text)) << text;
    EXPECT_EQ(s.LastError(), refusal) << text;
    EXPECT_EQ(s.LastTitle(), "  Chyba !");
    EXPECT_EQ(s.g.rhofP2Star, std::stod(within)) << text << ": the ring keeps its fillet";
  }
  ASSERT_TRUE(s.EnterIn("rhoa0Star", "0.4"));
  // The root radius: at most the full round root of the ring's tip,
  // cos 20° (pi/4 - 1.25 tan 20°) / (1 - sin 20°) = 0.4719.
  EXPECT_FALSE(s.EnterIn("Edit3", "0.4721"));
  EXPECT_EQ(s.LastError(), "Poměrný rádius zaoblení paty nástroje vol v rozsahu od 0 do 0.4719");
  EXPECT_TRUE(s.EnterIn("Edit3", "0.4720"));
}

TEST(FellowForm, WarningsAboutTheCutterAndTheirSuppression) {
  const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
      // Unshifted, hFf0* = 1: tan alphaL0 < 0 when z0 < 4 / (sin 40° tan 20°) = 17.1.
      {"-80", "z0", "17", "Nástroj je podřezaný"},
      {"-80", "z0", "18", ""},
      // 35 / -200, x0 = 3: tip 43.5 mm, s/d = 0.10727 + inv 20° - inv 40.84° < 0.
      {"-200", "x0", "3", "Nástroj má zápornou tloušťku hlavy"},
      {"-200", "x0", "0.5", ""}};
  for (const auto& [ring, field, text, warning] : cases) {
    Session s(ring);
    const std::string where = std::string(field) + " = " + text;
    EXPECT_TRUE(s.EnterIn(field, text)) << where;
    ASSERT_EQ(s.log.size(), *warning ? 1u : 0u) << where;
    if (*warning) {
      EXPECT_EQ(s.log[0], (Message{"Kolmira ozubení", warning})) << where;
      for (const Outcome& o : s.outcomes) {
        if (o.kind == Outcome::Kind::Message) {
          EXPECT_EQ(o.messageKind, Outcome::MessageKind::Warning) << where;
        }
      }
    }
  }

  Session s;
  // "&OK" takes the field without warnings, and they stay off until shown.
  s.Type(kFellow, "z0", "17");
  s.PressIn("ok");
  EXPECT_FALSE(s.fellow.visible());
  EXPECT_EQ(s.g.z0, 17);
  EXPECT_EQ(s.Count("Nástroj je podřezaný"), 0);
  s.Open();
  EXPECT_FALSE(s.g.fellowQuiet);
  // Enter takes the field once: leaving it afterwards repeats nothing.
  s.Type(kFellow, "rhof0Star", "0.3");
  s.Key(kFellow, Key::Enter);
  s.Focus(kFellow, "");
  EXPECT_EQ(s.Count("Nástroj je podřezaný"), 1);
  EXPECT_DOUBLE_EQ(s.g.rhof0Star, 0.3);
  // With the largest functional height the cutter has no undercut.
  s.PressIn("max-funkcni");
  EXPECT_TRUE(s.EnterIn("rhoa0Star", "0.1"));
  EXPECT_EQ(s.Count("Nástroj je podřezaný"), 0);
}

TEST(FellowForm, ReadOutsInDecimalDegreesAndInDms) {
  Session s;
  // db0 = 32.8892; alphaL0 = atan(0.18617) = 10.5462°; dL0 = db0 / cos = 33.4544;
  // sharp tip: 37.5 (pi/70 + inv 20° - inv acos(32.8892/37.5)) = 0.4930.
  const std::initializer_list<std::string_view> readOuts = {"LabelDL0", "LabelAlphaL0", "LabelDa0",
                                                            "LabelSa0", "LabelCa0"};
  EXPECT_EQ(s.Cutter({"Edit1", "Edit2", "Edit3", "Edit4"}), "35|0.0000|0.3800|0.0000");
  EXPECT_EQ(s.Cutter(readOuts), "33.45|10.546|37.50|0.49|0.0000");
  EXPECT_EQ(s.Flags(kFellow, {"LabelAlphaL0Unit"}), "LabelAlphaL0Unit");

  // Tip radius 0.2: centres on dk0 = 37.1, alphaK0 = acos(32.8892/37.1); the
  // rounding meets the involute on the base tangent through its centre at
  // dR0 = 2 sqrt(rb² + (0.2 + rb tan alphaK0)²) = 37.2868, ca0 = 0.1066;
  // sa0 = da0 (pi/70 + inv 20° - inv alphaR + alphaK0 - alphaR) = 0.2521.
  ASSERT_TRUE(s.EnterIn("Edit4", "0.2"));
  EXPECT_EQ(s.Cutter({"LabelCa0", "LabelSa0"}), "0.1066|0.25");

  // 10.546200847° = 10° 32' 46.32".
  s.Press("Dms");
  EXPECT_EQ(s.Cutter({"LabelAlphaL0"}), "10°32' 46.3\"");
  EXPECT_EQ(s.Flags(kFellow, {"LabelAlphaL0Unit"}), "LabelAlphaL0Unit:hidden");
  // An undercut cutter, z0 = 17: alphaL0 = -0.119314° = -(0° 7' 9.53").
  ASSERT_TRUE(s.EnterIn("Edit1", "17"));
  EXPECT_EQ(s.Cutter({"LabelAlphaL0"}), "-0°7' 9.5\"");
  s.Press("Dec");
  EXPECT_EQ(s.Cutter({"LabelAlphaL0"}), "-0.119");
  EXPECT_EQ(s.Flags(kFellow, {"LabelAlphaL0Unit"}), "LabelAlphaL0Unit");
}

TEST(FellowForm, OkRederivesThePairWithTheNewCutter) {
  Session s;
  s.Press("CheckButton");
  ASSERT_TRUE(s.main.resultsVisible());
  ASSERT_TRUE(s.EnterIn("x0", "0.5"));
  EXPECT_TRUE(s.PressIn("OK"));
  EXPECT_FALSE(s.fellow.visible());
  EXPECT_TRUE(s.g.fellowQuiet);
  // Cutting pair 35 / -80 with x0 + x2 = 0.5:
  // inv alphaW0 = 2 tan 20° 0.5 / (35 - 80) + inv 20°,
  // aw0 = (35 - 80)/2 cos 20° / cos alphaW0; the ring's root df2 = 2 aw0 - da0.
  const double inv = 2.0 * std::tan(Deg(20)) * 0.5 / -45.0 + Involute(Deg(20));
  double lo = 0.0, hi = 1.0;
  for (int i = 0; i < 200; ++i) ((Involute((lo + hi) / 2.0) < inv) ? lo : hi) = (lo + hi) / 2.0;
  const double aw0 = -22.5 * std::cos(Deg(20)) / std::cos(lo);
  const double df2 = 2.0 * aw0 - 38.5;
  EXPECT_NEAR(s.g.df2, df2, 1e-9);
  // The pinion's computed tip leaves the clearance 0.25 at the ring's root:
  // da1 = 2 (aw - 0.25) - df2 with aw = -30.
  EXPECT_EQ(s.Text(18), FormatFixed(2.0 * (-30.25) - df2, 7, 5));
  EXPECT_TRUE(s.main.resultsVisible());
  EXPECT_FALSE(s.g.driverError);

  // Shifts not yet distributed: the pair cannot be re-derived.
  Session t;
  ASSERT_TRUE(t.Enter(6, "0.1"));
  t.Open();
  t.PressIn("ok");
  EXPECT_FALSE(t.fellow.visible());
  ASSERT_FALSE(t.messages.empty());
  EXPECT_EQ(t.messages.back(), (Message{"  Chyba !", "Není provedeno rozdělení korekcí"}));
}

TEST(FellowForm, RefreshRerunsTheCheckAndReportsItsError) {
  Session s;
  s.Press("CheckButton");
  ASSERT_TRUE(s.main.resultsVisible());
  s.g.noTooth1 = true;  // a stale finding: a new run of the check clears it
  ASSERT_TRUE(s.EnterIn("Edit3", "0.3"));
  EXPECT_FALSE(s.g.noTooth1);
  EXPECT_TRUE(s.main.resultsVisible());

  // A shift sum beyond the internal pair's limit (put into the state
  // directly; the main dialog refuses to type it): xmez = 0.5 (80 - 20)
  // 0.040948 = 1.2285.
  s.g.x1 = 2.0;
  ASSERT_TRUE(s.EnterIn("Edit3", "0.35"));
  EXPECT_EQ(s.Count("Součet korekcí x1+x2 je větší než mezní (xmez= 1.2285) - záporný úhel záběru"),
            1);
  EXPECT_FALSE(s.main.resultsVisible());
  EXPECT_FALSE(s.g.driverError);
}

TEST(FellowForm, ShowFollowsTheOptionsAndHelpAsksForItsTopic) {
  Session s;
  EXPECT_EQ(s.Focused(kFellow), "Edit1");
  s.PressIn("plne-zaoblena");
  s.PressIn("zpet");
  s.Open();
  EXPECT_EQ(s.Focused(kFellow), "Edit4");
  EXPECT_EQ(s.Flags(kFellow, {"CheckBox2"}), "CheckBox2:checked");
  s.PressIn("zpet");
  // A new helix angle clears the fully rounded tip in the main dialog.
  ASSERT_TRUE(s.Enter(4, "5"));
  s.Open();
  EXPECT_EQ(s.Focused(kFellow), "Edit1");
  EXPECT_EQ(s.Flags(kFellow, {"CheckBox2", "Edit4"}), "CheckBox2 Edit4");
  EXPECT_TRUE(test::NonFiniteReals(s.g).empty());

  s.PressIn("help");
  EXPECT_EQ(s.HelpContext(), 7);
  s.Key(kFellow, Key::F1);
  EXPECT_EQ(s.HelpContext(), 7);
  EXPECT_FALSE(s.PressIn("Nuluj"));
}

}  // namespace
}  // namespace kolmira
