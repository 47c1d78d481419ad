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
  // Types into a field of the tab and leaves it; true when refused. A
  // refused text is then replaced by the one the field had, as the user
  // would, so that the focus can move on; the refusal's message stays.
  bool Refuses(const std::string& name, const std::string& text) {
    Focus(kMiry, name);
    const std::string before = Program::Text(kMiry, name);
    const bool refused = !Enter(kMiry, name, text);
    if (refused) {
      const std::vector<kolmira::Message> refusal = messages;
      Enter(kMiry, name, before);
      messages = refusal;
    }
    return refused;
  }
  std::string Text(MeasureControl c) const { return tab.control(c).text; }
  std::string Message() const { return LastMessage(); }
  std::string Title() const { return LastTitle(); }

  MeasureForm& tab = ws.measure();
};

using C = MeasureControl;

TEST_F(MeasureFormTest, PicturesFollowTheGearTypeAndResultFieldsAreReadOnly) {
  for (C picture : {C::PictureThickness1, C::PictureSpan1, C::PictureBall2}) {
    EXPECT_FALSE(tab.control(picture).visible);  // hidden when the dialog is shown
  }
  for (C field :
       {C::Edit22, C::Edit23, C::Edit24, C::Edit25, C::Edit27, C::Edit29, C::Edit31, C::Edit33}) {
    EXPECT_TRUE(tab.control(field).readOnly);
  }
  Press("GearInternal");
  EXPECT_TRUE(tab.control(C::PictureSpan2).visible);
  EXPECT_EQ(Text(C::PictureSpan2), "internal");
  Press("GearExternal");
  EXPECT_TRUE(tab.control(C::PictureBall1).visible);
  EXPECT_EQ(Text(C::PictureBall1), "external");
  EXPECT_EQ(tab.Name(), "Miry");
}

TEST_F(MeasureFormTest, TabShowsTheCheckedPair) {
  CheckAndShow();
  EXPECT_TRUE(tab.visible());
  EXPECT_EQ(main.activeTab(), 1);
  // 20 teeth: zw = 20 (20°/180°) + 0.5 = 2.72 -> 3, the textbook span over
  // 3 teeth mn cos 20° (2.5 pi + 20 inv 20°) = 7.6604.
  EXPECT_EQ(Text(C::Edit26), "  3");
  EXPECT_EQ(Text(C::Edit27), "7.6604");
  EXPECT_TRUE(tab.control(C::RadioButton6).checked);
  EXPECT_TRUE(tab.control(C::RadioButton9).checked);
  // Constant chord of pi/2: 1.5708 cos^2 20° = 1.3871.
  EXPECT_EQ(Text(C::Edit22), "1.3870");
  EXPECT_EQ(Text(C::Edit30), FormatFixed(g.dt1, 0, 4));
  EXPECT_EQ(Text(C::Edit34), "20.0000");  // contact on the working pitch circle
  EXPECT_TRUE(tab.control(C::Edit30).enabled);
}

TEST_F(MeasureFormTest, PublishedSpanAndItsContactDiameter) {
  // mn 1, z 20, x 0 over 2 teeth: 4.7083, contact diameter 19.3746.
  CheckAndShow();
  ASSERT_LE(g.zwMin1, 2);
  EXPECT_FALSE(Refuses("zw1", "2"));
  EXPECT_EQ(Text(C::Edit27), "4.7083");
  EXPECT_EQ(Text(C::SpanContact1), "kontaktu           = 19.375");
  EXPECT_FALSE(g.inputsChanged);
  // Shown again without a change of the inputs, the typed count stays.
  Press("TabInputs");
  ASSERT_TRUE(Program::Open(kMiry));
  EXPECT_EQ(Text(C::Edit26), "  2");
}

TEST_F(MeasureFormTest, SpanRangeLabelAndItsUnits) {
  CheckAndShow();
  const struct {
    int min, max, rec;
    const char* text;
  } cases[] = {
      {0, 0, 0, "Lze měřit přes 0 až 0 zubů (0)"}, {1, 1, 1, "Lze měřit přes 1 až 1 zub (1)"},
      {2, 2, 2, "Lze měřit přes 2 až 2 zuby (2)"}, {2, 4, 3, "Lze měřit přes 2 až 4 zuby (3)"},
      {2, 5, 3, "Lze měřit přes 2 až 5 zubů (3)"}, {3, 12, 7, "Lze měřit přes 3 až 12 zubů (7)"},
  };
  for (const auto& c : cases) {
    g.zwMin2 = c.min;
    g.zwMax2 = c.max;
    g.zwRec2 = c.rec;
    tab.Refresh();
    EXPECT_EQ(Text(C::SpanRange2), c.text);
  }
}

TEST_F(MeasureFormTest, SpanCountEntry) {
  CheckAndShow();
  const std::string min = std::to_string(g.zwMin1), max = std::to_string(g.zwMax1);
  EXPECT_TRUE(Refuses("zw1", std::to_string(g.zwMin1 - 1)));
  EXPECT_EQ(Message(), "Počet zubů pro měření vol od " + min);
  EXPECT_EQ(Title(), "  Chyba !");
  EXPECT_TRUE(Refuses("zw1", std::to_string(g.zwMax1 + 1)));
  EXPECT_EQ(Message(), "Počet zubů pro měření vol nejvýše " + max);
  for (const char* bad : {"abc", "2.5", ""}) {
    EXPECT_TRUE(Refuses("Edit26", bad));
    EXPECT_EQ(Message(), "Chyba číselného formátu, opakuj zadání");
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
  for (C label : {C::MinWidthLabel1, C::MinWidthSubscript1, C::MinWidth1}) {
    EXPECT_TRUE(tab.control(label).red);
  }
  EXPECT_EQ(Text(C::MinWidth1), FormatFixed(0.5 * g.W1, 0, 3));
  EXPECT_EQ(Text(C::MinWidthLabel1), "Minimální šířka  b        =");
  EXPECT_EQ(Text(C::MinWidthSubscript1), "1min");
  Press("TabInputs");
  Enter(5, "40");
  CheckAndShow();
  EXPECT_FALSE(tab.control(C::MinWidth1).red);
}

TEST_F(MeasureFormTest, ThicknessModes) {
  CheckAndShow();
  Press(kMiry, "zvol1");
  EXPECT_TRUE(g.scChosen1 && !g.scConst1 && !g.scRef1);
  EXPECT_TRUE(tab.control(C::RadioButton8).checked);
  EXPECT_FALSE(tab.control(C::Edit22).readOnly);
  EXPECT_EQ(Text(C::Edit22), "");
  EXPECT_EQ(Text(C::Edit23), "");
  // Leaving the empty fields does nothing.
  EXPECT_TRUE(Focus(kMiry, "sc1"));
  EXPECT_TRUE(Focus(kMiry, "hc1"));
  EXPECT_TRUE(Focus(kMiry, ""));
  EXPECT_TRUE(messages.empty());

  Press(kMiry, "RadioButton7");
  EXPECT_TRUE(g.scRef1);
  EXPECT_TRUE(tab.control(C::Edit22).readOnly);
  // On the reference circle: 20 sin(pi/40) = 1.5692 at 11 - 10 cos(pi/40).
  EXPECT_EQ(Text(C::Edit22), "1.5692");
  EXPECT_EQ(Text(C::Edit23), FormatFixed(11.0 - 10.0 * std::cos(kPi / 40.0), 0, 4));
  Press(kMiry, "konst2");
  EXPECT_TRUE(g.scConst2);
  EXPECT_FALSE(Press(kMiry, "Konstantní tloušťka"));  // which gear's?
  EXPECT_FALSE(Press(kMiry, "Edit22"));
  EXPECT_EQ(Text(C::RadioButton7), "Na roztečném válci");
  EXPECT_EQ(Text(C::RadioButton8), "Zvol šířku nebo výšku");
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
  EXPECT_TRUE(Refuses("sc2", Exact(scMax + 1e-6)));
  EXPECT_EQ(Message(),
            "Šířku sc2 zadej menší než " + FormatFixed(scMax, 0, 4) +
                "\r\rTato šířka přísluší šířce na začátku evolventy (patního přechodu).");
  EXPECT_EQ(Title(), "  Chyba !");
  EXPECT_NEAR(g.hc2, hcMax, 1e-9);
  EXPECT_TRUE(Refuses("sc2", Exact(scMin - 1e-6)));
  EXPECT_EQ(Message(), "Šířku sc2 zadej větší než hlavovou " + FormatFixed(scMin, 0, 4));
  EXPECT_TRUE(Refuses("sc2", "1,2"));
  EXPECT_EQ(Message(), "Chyba číselného formátu, opakuj zadání");
  EXPECT_FALSE(Refuses("sc2", "1.3"));

  // The height takes a tolerance of 1e-7 mm.
  EXPECT_FALSE(Refuses("hc2", Exact(hcMax + 0.9e-7)));
  EXPECT_TRUE(Refuses("hc2", Exact(hcMax + 1.1e-7)));
  EXPECT_EQ(Message(),
            "Výšku hc2 zadej menší než " + FormatFixed(hcMax, 0, 4) +
                "\r\rTato výška přísluší šířce zubu na začátku evolventy (patního přechodu).");
  EXPECT_FALSE(Refuses("hc2", Exact(hcMin - 0.9e-7)));
  EXPECT_TRUE(Refuses("hc2", Exact(hcMin - 1.1e-7)));
  EXPECT_EQ(Message(), "Výšku hc2 zadej větší než " + FormatFixed(hcMin, 0, 4));
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
  EXPECT_TRUE(Refuses("sc1", Exact(scMax + 1e-6)));
  EXPECT_EQ(Message(),
            "Šířku sc1 zadej menší než " + FormatFixed(scMax, 0, 4) +
                "\r\rTato šířka odpovídá max. šířce zubu, ne šířce na začátku evolventy!");
  EXPECT_TRUE(Refuses("hc1", "1.7"));
  EXPECT_EQ(Message(),
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
  EXPECT_TRUE(Refuses("sc1", "0.1"));
  EXPECT_EQ(Message(),
            "Šířku sc1 zadej větší než na průměru sražení hlavy " + FormatFixed(g.sc1min, 0, 4));
  EXPECT_TRUE(Refuses("dM1", Exact(g.da1Eff + 1e-6)));
  EXPECT_EQ(Message(), "Průměr dM1 zadej menší než průměr sražení na hlavě pastorku daE1 = " +
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
  EXPECT_TRUE(Refuses("dt1", Exact(dtMin - 2e-5)));
  EXPECT_EQ(Message(), "Průměr kuličky zadej větší než je její minimální možný průměr dt1min= " +
                           FormatFixed(dtMin, 0, 4) +
                           "\r\rDůvod - kulička se dotýka pod začátkem evolventy pastorku dL1.");
  EXPECT_EQ(Text(C::Edit31), "0");
  EXPECT_EQ(g.dt1, dtMin - 2e-5);  // kept as typed
  EXPECT_TRUE(Refuses("dt1", Exact(dtMax + 2e-5)));
  EXPECT_EQ(Message(), "Průměr kuličky zadej menší než je její maximální možný průměr dt1max= " +
                           FormatFixed(dtMax, 0, 4) +
                           "\r\rDůvod - kulička se nevleze do zubové mezery.");
  // The published ball: 1.7 gives M 22.2941 and the contact 19.9594.
  EXPECT_FALSE(Refuses("dt1", "1.7"));
  EXPECT_EQ(Text(C::Edit31), "22.2941");
  EXPECT_EQ(Text(C::Edit34), "19.9594");
}

TEST_F(MeasureFormTest, ContactDiameterEntry) {
  CheckAndShow();
  EXPECT_TRUE(Refuses("dM1", Exact(g.dFf1 - 1e-6)));
  EXPECT_EQ(Message(), "Průměr dM1 zadej větší než průměr začátku evolventy dL1= " +
                           FormatFixed(g.dFf1, 0, 4));
  EXPECT_EQ(g.M1, 0.0);
  EXPECT_EQ(Text(C::Edit31), "0");
  EXPECT_TRUE(Refuses("dM1", "22.001"));
  EXPECT_EQ(Message(), "Průměr dM1 zadej menší než limitní průměr dM1lim= 22.000000");
  EXPECT_FALSE(Refuses("dM1", "22"));  // the tip itself
  EXPECT_FALSE(Refuses("dM1", "19.959368"));
  EXPECT_NEAR(g.dt1, 1.7, 1e-4);
  EXPECT_EQ(Text(C::Edit31), "22.2941");
  EXPECT_EQ(Text(C::Edit30), "1.7000");

  // After a refused contact diameter (M 0) a small ball is still one that
  // touches below the form circle, not one that sits on the root.
  EXPECT_TRUE(Refuses("dM1", "30"));
  EXPECT_EQ(g.M1, 0.0);
  BallRange(g, 1);
  EXPECT_TRUE(Refuses("dt1", Exact(g.dt1min * 0.8)));
  EXPECT_EQ(Message().substr(Message().find("\r\r")),
            "\r\rDůvod - kulička se dotýka pod začátkem evolventy pastorku dL1.");

  // The wheel: a magnitude is typed.
  EXPECT_FALSE(Refuses("dM2", "-40.5"));
  EXPECT_EQ(g.dM2, 40.5);
  EXPECT_TRUE(Refuses("dM2", "42.01"));
  EXPECT_EQ(Message(), "Průměr dM2 zadej menší než limitní průměr dM2lim = 42.000000");
  EXPECT_TRUE(Refuses("dM2", Exact(g.dFf2 - 1e-3)));
  EXPECT_EQ(Message(), "Průměr dM2 zadej větší než průměr začátku evolventy dL2= " +
                           FormatFixed(g.dFf2, 0, 4));
}

TEST_F(MeasureFormTest, FourToothPinionTakesBallsFromTheCheckOnly) {
  Enter(2, "4");
  CheckAndShow();
  EXPECT_FALSE(tab.control(C::Edit30).enabled);
  EXPECT_FALSE(tab.control(C::Edit34).enabled);
  EXPECT_TRUE(tab.control(C::Edit32).enabled);
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
  EXPECT_TRUE(Refuses("dM2", Exact(std::fabs(g.da2) - 0.01)));
  EXPECT_EQ(Message(), "Průměr dM2 zadej větší než hlavový průměr (v absolutní hodnotě) da2= " +
                           FormatFixed(g.da2, 0, 4));
  EXPECT_TRUE(Refuses("dM2", Exact(std::fabs(g.dFf2) + 0.01)));
  EXPECT_EQ(Message(),
            "Průměr dM2 zadej menší než průměr začátku evolventy (v absolutní hodnotě) dL2= " +
                FormatFixed(g.dFf2, 0, 4));
  // A ring's pin that is too small touches beyond its form circle.
  BallRange(g, 2);
  EXPECT_TRUE(Refuses("dt2", Exact(g.dt2min * 0.9)));
  EXPECT_EQ(Message().substr(Message().find("\r\r")),
            "\r\rDůvod - kulička se dotýka nad začátkem evolventy kola dL2.");
}

TEST_F(RingFormTest, ChordLowerLimitOfTheRingNamesTheChamferDiameter) {
  SetUpRing();
  Press(kMiry, "zvol2");
  EXPECT_TRUE(Refuses("sc2", "0.01"));
  EXPECT_EQ(Message().rfind("Šířku sc2 zadej větší než na průměru sražení hlavy ", 0), 0u);
}

TEST_F(MeasureFormTest, RackModeHidesTheWheel) {
  CheckAndShow();
  Press("TabInputs");
  EXPECT_TRUE(Enter(3, "5000"));
  ASSERT_TRUE(g.rackMode);
  for (C c :
       {C::RadioButton9, C::RadioButton10, C::RadioButton11, C::Edit24, C::Edit25, C::SpanGroup2,
        C::Edit28, C::Edit29, C::BallGroup2, C::Edit32, C::Edit33, C::Edit35, C::PictureSpan2}) {
    EXPECT_FALSE(tab.control(c).visible) << static_cast<int>(c);
  }
  for (C c : {C::Edit24, C::Edit28, C::Edit32, C::Edit35, C::RadioButton9}) {
    EXPECT_FALSE(tab.control(c).enabled) << static_cast<int>(c);
  }
  EXPECT_EQ(Text(C::RadioButton10), "Na roztečné přímce");
  CheckAndShow();
  EXPECT_EQ(Text(C::SpanRange2), "---");
  EXPECT_EQ(Text(C::SpanContact2), "-----");
  EXPECT_EQ(Text(C::MinWidth2), "----");
  EXPECT_EQ(g.zw2, 0);
  EXPECT_TRUE(tab.control(C::Edit26).visible);
  EXPECT_FALSE(Type(kMiry, "zw2", "3"));

  Press("TabInputs");
  EXPECT_TRUE(Enter(3, "40"));
  EXPECT_TRUE(tab.control(C::Edit28).visible);
  EXPECT_TRUE(tab.control(C::Edit35).enabled);
  EXPECT_EQ(Text(C::RadioButton10), "Na roztečném válci");
}

TEST_F(MeasureFormTest, ChangedInputsAreCheckedWhenTheTabIsShown) {
  CheckAndShow();
  Press("TabInputs");
  EXPECT_TRUE(Enter(2, "30"));
  ASSERT_TRUE(g.inputsChanged);
  ASSERT_TRUE(Program::Open(kMiry));
  // The measurement belongs to 30 teeth: zw 4, the ball on dw1 = 30.
  EXPECT_EQ(Text(C::Edit26), "  4");
  EXPECT_NEAR(g.dM1, 30.0, 1e-9);
  EXPECT_EQ(Text(C::Edit34), "30.0000");
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
  const auto controls = tab.Controls();
  EXPECT_EQ(controls.size(), static_cast<std::size_t>(kMeasureControlCount - 1));
  EXPECT_EQ(controls.front().first, "Edit22");
}

}  // namespace
}  // namespace kolmira
