// The measurement tab driven as the user drives it: through the main
// dialog's fields and check, then the tab's own fields and options.
#include "forms/MeasureForm.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "TestPairs.h"
#include "engine/Measurement.h"
#include "engine/Meshing.h"
#include "engine/PairGeometry.h"
#include "engine/ToothThickness.h"
#include "forms/Program.h"
#include "model/NumberText.h"

namespace kolmira {
namespace {

constexpr Dialog kMiry = Dialog::Measure;

class MeasureFormTest : public test::ProgramTest {
 protected:
  // "KOMPLE&XNÍ KONTROLA", then the measurement tab.
  void CheckAndShow() {
    Press("CheckButton");
    ASSERT_TRUE(Program::Open(kMiry));
  }
  bool Refuses(const std::string& name, const std::string& text) {
    return Program::Refuses(kMiry, name, text);
  }
  std::string Refusal(const std::string& name, const std::string& text) {
    return Program::Refusal(kMiry, name, text);
  }
  std::string Text(MeasureControl c) const { return tab.control(c).text; }
  std::string Tab(std::initializer_list<std::string_view> names) const {
    return Texts(kMiry, names);
  }

  MeasureForm& tab = ws.measure();
};

using C = MeasureControl;

TEST_F(MeasureFormTest, PicturesFollowTheGearTypeAndResultFieldsAreReadOnly) {
  // The pictures are hidden when the dialog is shown.
  EXPECT_EQ(Flags(kMiry, {"PictureThickness1", "PictureSpan1", "PictureBall2", "Edit22", "Edit23",
                          "Edit24", "Edit25", "Edit27", "Edit29", "Edit31", "Edit33"}),
            "PictureThickness1:hidden PictureSpan1:hidden PictureBall2:hidden Edit22:read-only "
            "Edit23:read-only Edit24:read-only Edit25:read-only Edit27:read-only "
            "Edit29:read-only Edit31:read-only Edit33:read-only");
  Press("GearInternal");
  EXPECT_EQ(Flags(kMiry, {"PictureSpan2"}) + " " + Text(C::PictureSpan2), "PictureSpan2 internal");
  Press("GearExternal");
  EXPECT_EQ(Flags(kMiry, {"PictureBall1"}) + " " + Text(C::PictureBall1), "PictureBall1 external");
}

TEST_F(MeasureFormTest, TabShowsTheCheckedPair) {
  CheckAndShow();
  EXPECT_TRUE(tab.visible());
  EXPECT_EQ(main.activeTab(), 1);
  // 20 teeth: zw = 20 (20°/180°) + 0.5 = 2.72 -> 3, the textbook span over
  // 3 teeth mn cos 20° (2.5 pi + 20 inv 20°) = 7.6604.
  // Constant chord of pi/2: 1.5708 cos^2 20° = 1.3871; the ball's contact
  // on the working pitch circle.
  EXPECT_EQ(Tab({"Edit26", "Edit27", "Edit22", "Edit34"}), "  3|7.6604|1.3870|20.0000");
  EXPECT_EQ(Text(C::Edit30), FormatFixed(g.dt1, 0, 4));
  EXPECT_EQ(Flags(kMiry, {"RadioButton6", "RadioButton9", "Edit30"}),
            "RadioButton6:checked RadioButton9:checked Edit30");
}

TEST_F(MeasureFormTest, PublishedSpanAndItsContactDiameter) {
  // mn 1, z 20, x 0 over 2 teeth: 4.7083, contact diameter 19.3746.
  CheckAndShow();
  ASSERT_LE(g.zwMin1, 2);
  EXPECT_FALSE(Refuses("zw1", "2"));
  EXPECT_EQ(Tab({"Edit27", "SpanContact1"}), "4.7083|kontaktu           = 19.375");
  EXPECT_FALSE(g.inputsChanged);
  // Shown again without a change of the inputs, the typed count stays.
  Press("TabInputs");
  ASSERT_TRUE(Program::Open(kMiry));
  EXPECT_EQ(Text(C::Edit26), "  2");
}

TEST_F(MeasureFormTest, SpanRangeLabelAndItsUnits) {
  CheckAndShow();
  const std::tuple<int, int, int, const char*> cases[] = {
      {0, 0, 0, "Lze měřit přes 0 až 0 zubů (0)"}, {1, 1, 1, "Lze měřit přes 1 až 1 zub (1)"},
      {2, 2, 2, "Lze měřit přes 2 až 2 zuby (2)"}, {2, 4, 3, "Lze měřit přes 2 až 4 zuby (3)"},
      {2, 5, 3, "Lze měřit přes 2 až 5 zubů (3)"}, {3, 12, 7, "Lze měřit přes 3 až 12 zubů (7)"}};
  for (const auto& [min, max, rec, text] : cases) {
    g.zwMin2 = min;
    g.zwMax2 = max;
    g.zwRec2 = rec;
    tab.Refresh();
    EXPECT_EQ(Text(C::SpanRange2), text);
  }
}

TEST_F(MeasureFormTest, SpanCountEntry) {
  CheckAndShow();
  const std::string min = std::to_string(g.zwMin1), max = std::to_string(g.zwMax1);
  EXPECT_EQ(Refusal("zw1", std::to_string(g.zwMin1 - 1)), "Počet zubů pro měření vol od " + min);
  EXPECT_EQ(LastTitle(), "  Chyba !");
  EXPECT_EQ(Refusal("zw1", std::to_string(g.zwMax1 + 1)),
            "Počet zubů pro měření vol nejvýše " + max);
  for (const char* bad : {"abc", "2.5", ""}) {
    EXPECT_EQ(Refusal("Edit26", bad), "Chyba číselného formátu, opakuj zadání");
  }
  EXPECT_FALSE(Refuses("zw1", max));
  EXPECT_EQ(g.zw1, g.zwMax1);
}

TEST_F(MeasureFormTest, MinimumFaceWidthRedWhenTheFaceIsTooNarrow) {
  // 30° helix: b1min = sin 30° W, about half the span.
  Enter(4, "30");
  Enter(5, "5");
  CheckAndShow();
  ASSERT_GT(g.b1min, 5.0);
  EXPECT_EQ(Flags(kMiry, {"MinWidthLabel1", "MinWidthSubscript1", "MinWidth1"}),
            "MinWidthLabel1:red MinWidthSubscript1:red MinWidth1:red");
  EXPECT_EQ(Tab({"MinWidthLabel1", "MinWidthSubscript1", "MinWidth1"}),
            "Minimální šířka  b        =|1min|" + FormatFixed(0.5 * g.W1, 0, 3));
  Press("TabInputs");
  Enter(5, "40");
  CheckAndShow();
  EXPECT_FALSE(tab.control(C::MinWidth1).red);
}

TEST_F(MeasureFormTest, ThicknessModes) {
  CheckAndShow();
  Press(kMiry, "zvol1");
  EXPECT_TRUE(g.scChosen1 && !g.scConst1 && !g.scRef1);
  EXPECT_EQ(Flags(kMiry, {"RadioButton8", "Edit22"}), "RadioButton8:checked Edit22");
  EXPECT_EQ(Tab({"Edit22", "Edit23"}), "|");
  // Leaving the empty fields does nothing.
  EXPECT_TRUE(Focus(kMiry, "sc1"));
  EXPECT_TRUE(Focus(kMiry, "hc1"));
  EXPECT_TRUE(Focus(kMiry, ""));
  EXPECT_TRUE(messages.empty());

  Press(kMiry, "RadioButton7");
  EXPECT_TRUE(g.scRef1);
  EXPECT_EQ(Flags(kMiry, {"Edit22"}), "Edit22:read-only");
  // On the reference circle: 20 sin(pi/40) = 1.5692 at 11 - 10 cos(pi/40).
  EXPECT_EQ(Tab({"Edit22", "Edit23"}),
            "1.5692|" + FormatFixed(11.0 - 10.0 * std::cos(kPi / 40.0), 0, 4));
  Press(kMiry, "konst2");
  EXPECT_TRUE(g.scConst2);
  EXPECT_FALSE(Press(kMiry, "Konstantní tloušťka"));  // which gear's?
  EXPECT_FALSE(Press(kMiry, "Edit22"));
  EXPECT_EQ(Tab({"RadioButton7", "RadioButton8"}), "Na roztečném válci|Zvol šířku nebo výšku");
}

TEST_F(MeasureFormTest, ChosenWidthAndHeightAtTheirLimits) {
  // The 40-tooth wheel: its involute starts well above the base circle, so
  // the widest chord is the one at the start of the involute.
  CheckAndShow();
  Press(kMiry, "zvol2");
  ChordLimits(g, 2);
  const double scMin = g.sc2min, scMax = g.sc2max, hcMin = g.hc2min, hcMax = g.hc2max;
  ASSERT_FALSE(g.scAtToothMax);
  // Equal to a limit: accepted.
  EXPECT_FALSE(Refuses("sc2", Exact(scMin)));
  EXPECT_NEAR(g.hc2, hcMin, 1e-9);
  EXPECT_EQ(Text(C::Edit25), FormatFixed(g.hc2, 0, 4));
  EXPECT_FALSE(Refuses("sc2", Exact(scMax)));
  EXPECT_NEAR(g.hc2, hcMax, 1e-9);
  EXPECT_FALSE(g.inputsChanged);
  // Beyond it: refused, and the chord stays.
  EXPECT_EQ(Refusal("sc2", Exact(scMax + 1e-6)),
            "Šířku sc2 zadej menší než " + FormatFixed(scMax, 0, 4) +
                "\r\rTato šířka přísluší šířce na začátku evolventy (patního přechodu).");
  EXPECT_EQ(LastTitle(), "  Chyba !");
  EXPECT_NEAR(g.hc2, hcMax, 1e-9);
  EXPECT_EQ(Refusal("sc2", Exact(scMin - 1e-6)),
            "Šířku sc2 zadej větší než hlavovou " + FormatFixed(scMin, 0, 4));
  EXPECT_EQ(Refusal("sc2", "1,2"), "Chyba číselného formátu, opakuj zadání");
  EXPECT_FALSE(Refuses("sc2", "1.3"));

  // The height takes a tolerance of 1e-7 mm.
  EXPECT_FALSE(Refuses("hc2", Exact(hcMax + 0.9e-7)));
  EXPECT_EQ(Refusal("hc2", Exact(hcMax + 1.1e-7)),
            "Výšku hc2 zadej menší než " + FormatFixed(hcMax, 0, 4) +
                "\r\rTato výška přísluší šířce zubu na začátku evolventy (patního přechodu).");
  EXPECT_FALSE(Refuses("hc2", Exact(hcMin - 0.9e-7)));
  EXPECT_EQ(Refusal("hc2", Exact(hcMin - 1.1e-7)),
            "Výšku hc2 zadej větší než " + FormatFixed(hcMin, 0, 4));
}

TEST_F(MeasureFormTest, ToothWidestOnItsBaseCircle) {
  // The 20-tooth pinion's involute starts just above its base circle, where
  // its tooth is widest: the limits are those of the whole tooth.
  CheckAndShow();
  Press(kMiry, "zvol1");
  ChordLimits(g, 1);
  ASSERT_TRUE(g.scAtToothMax);
  const double scMax = g.sc1max, hcMax = g.hc1max;
  EXPECT_DOUBLE_EQ(hcMax, (g.da1 - g.db1) / 2.0);
  EXPECT_EQ(Refusal("sc1", Exact(scMax + 1e-6)),
            "Šířku sc1 zadej menší než " + FormatFixed(scMax, 0, 4) +
                "\r\rTato šířka odpovídá max. šířce zubu, ne šířce na začátku evolventy!");
  EXPECT_EQ(Refusal("hc1", "1.7"),
            "Výšku hc1 zadej menší než " + FormatFixed(hcMax, 0, 4) +
                "\r\rTato výška odpovídá max. šířce zubu, ne šířce na začátku evolventy!");
  EXPECT_FALSE(Refuses("hc1", Exact(hcMax)));
  EXPECT_NEAR(g.sc1, scMax, 1e-9);
  EXPECT_FALSE(Refuses("sc1", Exact(scMax)));
  EXPECT_NEAR(g.hc1, hcMax, 1e-3);  // the widest chord: a double root
}

TEST_F(MeasureFormTest, ChamferedTipNamesTheChamferDiameter) {
  g.chamfer1 = true;
  g.hFfP01Star = 0.8;
  CheckAndShow();
  ASSERT_LT(g.da1Eff, g.da1);
  Press(kMiry, "zvol1");
  EXPECT_EQ(Refusal("sc1", "0.1"),
            "Šířku sc1 zadej větší než na průměru sražení hlavy " + FormatFixed(g.sc1min, 0, 4));
  EXPECT_EQ(Refusal("dM1", Exact(g.da1Eff + 1e-6)),
            "Průměr dM1 zadej menší než průměr sražení na hlavě pastorku daE1 = " +
                FormatFixed(g.da1Eff, 0, 6));
  EXPECT_FALSE(Refuses("dM1", Exact(g.da1Eff)));
}

TEST_F(MeasureFormTest, BallEntryAndItsLimits) {
  CheckAndShow();
  BallRange(g, 1);
  const double dtMin = g.dt1min, dtMax = g.dt1max;
  // A ball exactly 1e-5 below the smallest is accepted.
  EXPECT_FALSE(Refuses("dt1", Exact(dtMin - 1e-5)));
  EXPECT_EQ(Text(C::Edit31), FormatFixed(g.M1, 0, 4));
  EXPECT_NEAR(g.dM1, g.dFf1, 1e-3);
  EXPECT_EQ(Refusal("dt1", Exact(dtMin - 2e-5)),
            "Průměr kuličky zadej větší než je její minimální možný průměr dt1min= " +
                FormatFixed(dtMin, 0, 4) +
                "\r\rDůvod - kulička se dotýka pod začátkem evolventy pastorku dL1.");
  EXPECT_EQ(Text(C::Edit31), "0");
  EXPECT_EQ(g.dt1, dtMin - 2e-5);  // kept as typed
  EXPECT_EQ(Refusal("dt1", Exact(dtMax + 2e-5)),
            "Průměr kuličky zadej menší než je její maximální možný průměr dt1max= " +
                FormatFixed(dtMax, 0, 4) + "\r\rDůvod - kulička se nevleze do zubové mezery.");
  // The published ball: 1.7 gives M 22.2941 and the contact 19.9594.
  EXPECT_FALSE(Refuses("dt1", "1.7"));
  EXPECT_EQ(Tab({"Edit31", "Edit34"}), "22.2941|19.9594");
}

TEST_F(MeasureFormTest, ContactDiameterEntry) {
  CheckAndShow();
  EXPECT_EQ(
      Refusal("dM1", Exact(g.dFf1 - 1e-6)),
      "Průměr dM1 zadej větší než průměr začátku evolventy dL1= " + FormatFixed(g.dFf1, 0, 4));
  EXPECT_EQ(g.M1, 0.0);
  EXPECT_EQ(Text(C::Edit31), "0");
  EXPECT_EQ(Refusal("dM1", "22.001"),
            "Průměr dM1 zadej menší než limitní průměr dM1lim= 22.000000");
  EXPECT_FALSE(Refuses("dM1", "22"));  // the tip itself
  EXPECT_FALSE(Refuses("dM1", "19.959368"));
  EXPECT_NEAR(g.dt1, 1.7, 1e-4);
  EXPECT_EQ(Tab({"Edit31", "Edit30"}), "22.2941|1.7000");

  // After a refused contact diameter (M 0) a small ball is still one that
  // touches below the form circle, not one that sits on the root.
  EXPECT_TRUE(Refuses("dM1", "30"));
  EXPECT_EQ(g.M1, 0.0);
  BallRange(g, 1);
  EXPECT_TRUE(Refuses("dt1", Exact(g.dt1min * 0.8)));
  EXPECT_EQ(LastMessage().substr(LastMessage().find("\r\r")),
            "\r\rDůvod - kulička se dotýka pod začátkem evolventy pastorku dL1.");

  // The wheel: a magnitude is typed.
  EXPECT_FALSE(Refuses("dM2", "-40.5"));
  EXPECT_EQ(g.dM2, 40.5);
  EXPECT_EQ(Refusal("dM2", "42.01"),
            "Průměr dM2 zadej menší než limitní průměr dM2lim = 42.000000");
  EXPECT_EQ(
      Refusal("dM2", Exact(g.dFf2 - 1e-3)),
      "Průměr dM2 zadej větší než průměr začátku evolventy dL2= " + FormatFixed(g.dFf2, 0, 4));
}

TEST_F(MeasureFormTest, FourToothPinionTakesBallsFromTheCheckOnly) {
  Enter(2, "4");
  CheckAndShow();
  EXPECT_EQ(Flags(kMiry, {"Edit30", "Edit34", "Edit32"}), "Edit30:disabled Edit34:disabled Edit32");
  EXPECT_EQ(g.dt1max, kNoBallLimit);
  EXPECT_FALSE(Type(kMiry, "dt1", "1"));
}

class RingFormTest : public MeasureFormTest {
 protected:
  // The internal pair 20 / -80 with its ring thicknesses and measurement.
  void SetUpRing() {
    Press("GearInternal");
    PairFromShifts(g);
    g.awEff = g.aw;
    g.alphaWtEff = g.alphaWt;
    CheckUndercut(g);
    ActiveDiameters(g);
    g.dFf2 = g.df2 + 0.6;
    ToothThicknesses(g);
    MeasurementDimensions(g);
    g.inputsChanged = false;
    ASSERT_TRUE(Program::Open(kMiry));
  }
};

TEST_F(RingFormTest, RingContactDiameterIsStoredNegative) {
  SetUpRing();
  EXPECT_LT(g.dM2, 0.0);
  EXPECT_EQ(Text(C::Edit35)[0], '-');
  const double contact = (std::fabs(g.da2) + std::fabs(g.dFf2)) / 2.0;
  EXPECT_FALSE(Refuses("dM2", Exact(contact)));
  EXPECT_EQ(g.dM2, -contact);
  EXPECT_EQ(Text(C::Edit35), FormatFixed(-contact, 0, 4));
  EXPECT_GT(g.M2, 0.0);
  // Inside the tip circle, and beyond the form circle.
  EXPECT_EQ(Refusal("dM2", Exact(std::fabs(g.da2) - 0.01)),
            "Průměr dM2 zadej větší než hlavový průměr (v absolutní hodnotě) da2= " +
                FormatFixed(g.da2, 0, 4));
  EXPECT_EQ(Refusal("dM2", Exact(std::fabs(g.dFf2) + 0.01)),
            "Průměr dM2 zadej menší než průměr začátku evolventy (v absolutní hodnotě) dL2= " +
                FormatFixed(g.dFf2, 0, 4));
  // A ring's pin that is too small touches beyond its form circle.
  BallRange(g, 2);
  EXPECT_TRUE(Refuses("dt2", Exact(g.dt2min * 0.9)));
  EXPECT_EQ(LastMessage().substr(LastMessage().find("\r\r")),
            "\r\rDůvod - kulička se dotýka nad začátkem evolventy kola dL2.");
}

TEST_F(RingFormTest, ChordLowerLimitOfTheRingNamesTheChamferDiameter) {
  SetUpRing();
  Press(kMiry, "zvol2");
  EXPECT_TRUE(Refuses("sc2", "0.01"));
  EXPECT_EQ(LastMessage().rfind("Šířku sc2 zadej větší než na průměru sražení hlavy ", 0), 0u);
}

TEST_F(MeasureFormTest, RackModeHidesTheWheel) {
  CheckAndShow();
  Press("TabInputs");
  EXPECT_TRUE(Enter(3, "5000"));
  ASSERT_TRUE(g.rackMode);
  EXPECT_EQ(Flags(kMiry, {"RadioButton9", "RadioButton10", "RadioButton11", "Edit24", "Edit25",
                          "SpanGroup2", "Edit28", "Edit29", "BallGroup2", "Edit32", "Edit33",
                          "Edit35", "PictureSpan2", "Edit26"}),
            "RadioButton9:hidden,disabled,checked RadioButton10:hidden,disabled "
            "RadioButton11:hidden,disabled Edit24:hidden,disabled,read-only "
            "Edit25:hidden,disabled,read-only SpanGroup2:hidden Edit28:hidden,disabled "
            "Edit29:hidden,read-only BallGroup2:hidden Edit32:hidden,disabled "
            "Edit33:hidden,read-only Edit35:hidden,disabled PictureSpan2:hidden Edit26");
  EXPECT_EQ(Text(C::RadioButton10), "Na roztečné přímce");
  CheckAndShow();
  EXPECT_EQ(Tab({"SpanRange2", "SpanContact2", "MinWidth2"}), "---|-----|----");
  EXPECT_EQ(g.zw2, 0);
  EXPECT_FALSE(Type(kMiry, "zw2", "3"));

  Press("TabInputs");
  EXPECT_TRUE(Enter(3, "40"));
  EXPECT_EQ(Flags(kMiry, {"Edit28", "Edit35"}), "Edit28 Edit35");
  EXPECT_EQ(Text(C::RadioButton10), "Na roztečném válci");
}

TEST_F(MeasureFormTest, ChangedInputsAreCheckedWhenTheTabIsShown) {
  CheckAndShow();
  Press("TabInputs");
  EXPECT_TRUE(Enter(2, "30"));
  ASSERT_TRUE(g.inputsChanged);
  ASSERT_TRUE(Program::Open(kMiry));
  // The measurement belongs to 30 teeth: zw 4, the ball on dw1 = 30.
  EXPECT_NEAR(g.dM1, 30.0, 1e-9);
  EXPECT_EQ(Tab({"Edit26", "Edit34"}), "  4|30.0000");
}

TEST_F(MeasureFormTest, EnterAcceptsInPlaceAndRefusalKeepsTheFocus) {
  // "Nástroje" runs the check again and hides the report.
  Press("CheckButton");
  Press("ToolsButton");
  Key(Dialog::RackTools, Key::Escape);
  ASSERT_TRUE(Program::Open(kMiry));
  ASSERT_FALSE(main.resultsVisible());
  Type(kMiry, "dt1", "1.7");
  EXPECT_TRUE(Key(kMiry, Key::Enter));
  EXPECT_EQ(Focused(kMiry), "Edit30");
  EXPECT_EQ(Text(C::Edit31), "22.2941");
  EXPECT_FALSE(Asked(Outcome::Kind::Repaint));
  // Enter goes on to the main dialog: with the report shown it re-runs the
  // check, whose measurement starts again from the recommended ball.
  Press("CheckButton");
  ASSERT_TRUE(Program::Open(kMiry));
  Type(kMiry, "dt1", "1.7");
  EXPECT_TRUE(Key(kMiry, Key::Enter));
  EXPECT_TRUE(Asked(Outcome::Kind::Repaint));
  EXPECT_EQ(Text(C::Edit30), FormatFixed(g.dt1, 0, 4));
  ws.Type(kMiry, "dt1", "x");
  EXPECT_FALSE(Focus(kMiry, "dM1"));
  EXPECT_TRUE(ws.lastEntryRefused());
  EXPECT_EQ(Focused(kMiry), "Edit30");
  EXPECT_EQ(Text(C::Edit30), "x");
  EXPECT_FALSE(ws.Focus(kMiry, "Edit99"));
  EXPECT_FALSE(Type(kMiry, "M1", "3"));  // a result
}

}  // namespace
}  // namespace kolmira
