// The measurement tab's behaviour: the thickness modes of both gears, the
// entry of a chord width or height, a span count, a ball or a contact
// diameter with their limits and messages, and the refresh from the state.
#include "forms/MeasureForm.h"

#include <cmath>

#include "engine/Measurement.h"
#include "model/NumberText.h"

namespace kolmira {

namespace {

using C = MeasureControl;

constexpr const char* kConstantCaption = "Konstantní tloušťka";
constexpr const char* kReferenceCaption = "Na roztečném válci";
constexpr const char* kRackReferenceCaption = "Na roztečné přímce";
constexpr const char* kChosenCaption = "Zvol šířku nebo výšku";
constexpr const char* kMinWidthCaption = "Minimální šířka  b        =";

// clang-format off
constexpr ControlInfo kControls[] = {
    {"", ControlKind::Label},
    {"Edit22", ControlKind::Field, "", "sc1"},
    {"Edit23", ControlKind::Field, "", "hc1"},
    {"Edit24", ControlKind::Field, "", "sc2"},
    {"Edit25", ControlKind::Field, "", "hc2"},
    {"Edit26", ControlKind::Field, "", "zw1"},
    {"Edit27", ControlKind::Field, "", "W1"},
    {"Edit28", ControlKind::Field, "", "zw2"},
    {"Edit29", ControlKind::Field, "", "W2"},
    {"Edit30", ControlKind::Field, "", "dt1"},
    {"Edit31", ControlKind::Field, "", "M1"},
    {"Edit32", ControlKind::Field, "", "dt2"},
    {"Edit33", ControlKind::Field, "", "M2"},
    {"Edit34", ControlKind::Field, "", "dM1"},
    {"Edit35", ControlKind::Field, "", "dM2"},
    {"RadioButton6", ControlKind::Option, kConstantCaption, "konst1"},
    {"RadioButton7", ControlKind::Option, kReferenceCaption, "roztec1"},
    {"RadioButton8", ControlKind::Option, kChosenCaption, "zvol1"},
    {"RadioButton9", ControlKind::Option, kConstantCaption, "konst2"},
    {"RadioButton10", ControlKind::Option, kReferenceCaption, "roztec2"},
    {"RadioButton11", ControlKind::Option, kChosenCaption, "zvol2"},
    {"ThicknessGroup", ControlKind::Group, "Tloušťka zubu"},
    {"SpanGroup", ControlKind::Group, "Míra přes zuby"},
    {"SpanGroup2", ControlKind::Group},
    {"SpanRange1", ControlKind::Label},
    {"SpanRange2", ControlKind::Label},
    {"SpanContact1", ControlKind::Label},
    {"SpanContact2", ControlKind::Label},
    {"MinWidthLabel1", ControlKind::Label, kMinWidthCaption},
    {"MinWidthSubscript1", ControlKind::Label, "1min"},
    {"MinWidth1", ControlKind::Label},
    {"MinWidthLabel2", ControlKind::Label, kMinWidthCaption},
    {"MinWidthSubscript2", ControlKind::Label, "2min"},
    {"MinWidth2", ControlKind::Label},
    {"BallGroup", ControlKind::Group, "Rozměr přes kuličky (válečky)"},
    {"BallGroup2", ControlKind::Group},
    {"PictureThickness1", ControlKind::Picture},
    {"PictureSpan1", ControlKind::Picture},
    {"PictureBall1", ControlKind::Picture},
    {"PictureThickness2", ControlKind::Picture},
    {"PictureSpan2", ControlKind::Picture},
    {"PictureBall2", ControlKind::Picture},
};
// clang-format on
static_assert(std::size(kControls) == static_cast<std::size_t>(kMeasureControlCount));

// Fields and options of one gear.
struct GearControls {
  MeasureControl sc, hc, zw, W, dt, M, dM;
  MeasureControl modeConst, modeRef, modeChosen;
  MeasureControl range, contact, widthLabel, widthSubscript, width;
  MeasureControl pictureThickness, pictureSpan, pictureBall;
};

constexpr GearControls kGear[2] = {
    {C::Edit22, C::Edit23, C::Edit26, C::Edit27, C::Edit30, C::Edit31, C::Edit34, C::RadioButton6,
     C::RadioButton7, C::RadioButton8, C::SpanRange1, C::SpanContact1, C::MinWidthLabel1,
     C::MinWidthSubscript1, C::MinWidth1, C::PictureThickness1, C::PictureSpan1, C::PictureBall1},
    {C::Edit24, C::Edit25, C::Edit28, C::Edit29, C::Edit32, C::Edit33, C::Edit35, C::RadioButton9,
     C::RadioButton10, C::RadioButton11, C::SpanRange2, C::SpanContact2, C::MinWidthLabel2,
     C::MinWidthSubscript2, C::MinWidth2, C::PictureThickness2, C::PictureSpan2, C::PictureBall2},
};

const GearControls& GearOf(int gear) {
  return kGear[gear - 1];
}

// Numbers in the fields and messages: 4 decimals, no padding.
std::string F4(double v) {
  return FormatFixed(v, 0, 4);
}
std::string F6(double v) {
  return FormatFixed(v, 0, 6);
}
std::string Int(int v) {
  return FormatInt(v);
}

// Tolerances of the entries: a ball or contact diameter typed back from
// its 4-decimal text is still accepted (1e-5 mm); a contact diameter equal
// to its limit up to rounding is too (1e-10 mm); a ring contact diameter on
// the tip circle likewise (1e-7 mm).
constexpr double kBallTolerance = 1e-5;
constexpr double kContactTolerance = 1e-10;
constexpr double kRingTipTolerance = 1e-7;

constexpr const char* kBallTooLarge =
    "Průměr kuličky zadej menší než je její maximální možný průměr dt";
constexpr const char* kBallTooSmall =
    "Průměr kuličky zadej větší než je její minimální možný průměr dt";
constexpr const char* kNoBallFits = "Důvod - kulička se nevleze do zubové mezery.";

double& Sc(GearPair& g, int gear) {
  return gear == 1 ? g.sc1 : g.sc2;
}
double& Hc(GearPair& g, int gear) {
  return gear == 1 ? g.hc1 : g.hc2;
}
double Z(const GearPair& g, int gear) {
  return gear == 1 ? g.z1 : g.z2;
}
bool Ring(const GearPair& g, int gear) {
  return gear == 2 && g.gearType == GearType::Internal;
}

// Why a ball is too small, for the code the limits left in ballReason.
std::string BallReason(const GearPair& g, int gear) {
  if (g.ballReason == 2) return "Důvod - kulička naráží na patu.";
  if (g.ballReason != 3) return "";
  if (gear == 1) return "Důvod - kulička se dotýka pod začátkem evolventy pastorku dL1.";
  return Ring(g, gear) ? "Důvod - kulička se dotýka nad začátkem evolventy kola dL2."
                       : "Důvod - kulička se dotýka pod začátkem evolventy kola dL2.";
}

// " zub", " zuby" or " zubů" after a count of teeth.
std::string TeethUnit(int n) {
  if (n == 1) return " zub";
  if (n >= 2 && n < 5) return " zuby";
  return " zubů";
}

}  // namespace

MeasureForm::MeasureForm(GearPair& g, MainForm& main) : Form(g, "Miry", kControls), main_(main) {
  for (int gear = 1; gear <= 2; ++gear) {
    const GearControls& k = GearOf(gear);
    for (MeasureControl result : {k.W, k.M}) state(result).readOnly = true;
  }
  main_.AddListener(this);
  ApplyPictures();
  Refresh();
}

MeasureForm::~MeasureForm() {
  main_.RemoveListener(this);
}

// ---------------------------------------------------------------------------
// Events

void MeasureForm::OnMainEvent(MainEvent event) {
  switch (event) {
    case MainEvent::Shown:
      picturesShown_ = false;
      ApplyPictures();
      for (MeasureControl f : {C::Edit22, C::Edit23, C::Edit24, C::Edit25}) {
        state(f).readOnly = true;
      }
      break;
    case MainEvent::GearTypeChosen:
      picturesShown_ = g_.gearType != GearType::Bevel;
      chordCleared_ = {};
      Refresh();
      break;
    case MainEvent::RackModePresented:
      Refresh();
      break;
    case MainEvent::CheckRun:
      chordCleared_ = {};  // the check computed the chords again
      Refresh();
      break;
    case MainEvent::MeasureTabEntered:
      Show();
      break;
    case MainEvent::IdentTabEntered:
    case MainEvent::IdentTabLeft:
    case MainEvent::AngleFormChanged:
      break;  // the identification tab's own
  }
}

bool MeasureForm::visible() const {
  return main_.activeTab() == 1 && main_.control(Control::TabMeasure).visible;
}

void MeasureForm::Show() {
  if (g_.gearType != GearType::Bevel && g_.inputsChanged) {
    // Inputs changed since the last check: its thicknesses and form circles
    // are those of the old pair, so the check is run first.
    if (g_.pairComputed && (!g_.shiftNotDistributed || g_.keepShifts)) main_.RunCheckProcedure();
    ChordDimensions(g_);
    SpanDimensions(g_);
    chordCleared_ = {};
  }
  Refresh();
}

// ---------------------------------------------------------------------------
// Focus, typing, options

// A result field, or a field of the gear that is not there, takes no text.
bool MeasureForm::Typable(int index) const {
  const ControlState& s = stored(index);
  return !s.readOnly && s.enabled && s.visible;
}

void MeasureForm::Click(int index) {
  ChooseMode(static_cast<MeasureControl>(index));
}

void MeasureForm::OnKey(Key key) {
  if (key != Key::Enter || !IsField(focus_)) return;
  LeaveField(focus_);
  if (!lastEntryRefused_) textOnEntry_ = text(focus_);
}

void MeasureForm::ChooseMode(MeasureControl option) {
  const int gear = option <= C::RadioButton8 ? 1 : 2;
  const GearControls& k = GearOf(gear);
  bool& modeConst = gear == 1 ? g_.scConst1 : g_.scConst2;
  bool& modeRef = gear == 1 ? g_.scRef1 : g_.scRef2;
  bool& modeChosen = gear == 1 ? g_.scChosen1 : g_.scChosen2;
  modeConst = option == k.modeConst;
  modeRef = option == k.modeRef;
  modeChosen = option == k.modeChosen;
  chordCleared_[gear - 1] = modeChosen;
  if (modeConst) ConstantChord(g_, gear);
  if (modeRef) ReferenceChord(g_, gear);
  Refresh();
}

// ---------------------------------------------------------------------------
// Field exits

void MeasureForm::Refuse(MeasureControl field, const std::string& message) {
  Form::Refuse(I(field), kErrorTitle, message);
}

void MeasureForm::RefuseBall(int gear, MeasureControl field, const std::string& message) {
  Refuse(field, message);
  text(GearOf(gear).M) = "0";
}

void MeasureForm::Accept() {
  Refresh();
  g_.inputsChanged = false;
}

void MeasureForm::LeaveField(int index) {
  lastEntryRefused_ = false;
  const auto field = static_cast<MeasureControl>(index);
  const std::string typed = text(field);
  if (typed == textOnEntry_) return;
  switch (field) {
    case C::Edit22:
      ChordEntry(1, /*width=*/true, typed);
      break;
    case C::Edit23:
      ChordEntry(1, /*width=*/false, typed);
      break;
    case C::Edit24:
      ChordEntry(2, /*width=*/true, typed);
      break;
    case C::Edit25:
      ChordEntry(2, /*width=*/false, typed);
      break;
    case C::Edit26:
      SpanEntry(1, typed);
      break;
    case C::Edit28:
      SpanEntry(2, typed);
      break;
    case C::Edit30:
      BallEntry(1, typed);
      break;
    case C::Edit32:
      BallEntry(2, typed);
      break;
    case C::Edit34:
      ContactEntry(1, typed);
      break;
    case C::Edit35:
      ContactEntry(2, typed);
      break;
    default:
      break;  // result fields
  }
}

void MeasureForm::ChordEntry(int gear, bool width, const std::string& typed) {
  const MeasureControl field = width ? GearOf(gear).sc : GearOf(gear).hc;
  if (gear == 1 ? g_.scConst1 : g_.scConst2) {
    ConstantChord(g_, gear);
    chordCleared_[gear - 1] = false;
    Refresh();
    return;
  }
  const auto value = ParseNumber(typed);
  if (!value) {
    Refuse(field, kNumberFormatError);
    return;
  }
  ChordLimits(g_, gear);
  const std::string n = gear == 1 ? "1" : "2";
  const double scMin = gear == 1 ? g_.sc1min : g_.sc2min;
  const double scMax = gear == 1 ? g_.sc1max : g_.sc2max;
  const double hcMin = gear == 1 ? g_.hc1min : g_.hc2min;
  const double hcMax = gear == 1 ? g_.hc1max : g_.hc2max;
  if (width) {
    if (*value < scMin) {
      const double da = gear == 1 ? g_.da1 : g_.da2;
      const bool atTip = !Ring(g_, gear) && EffectiveTipDiameter(g_, gear) >= da;
      Refuse(field, "Šířku sc" + n +
                        (atTip ? " zadej větší než hlavovou "
                               : " zadej větší než na průměru sražení hlavy ") +
                        F4(scMin));
      return;
    }
    if (*value > scMax) {
      Refuse(field,
             "Šířku sc" + n + " zadej menší než " + F4(scMax) + "\r\r" +
                 (g_.scAtToothMax
                      ? "Tato šířka odpovídá max. šířce zubu, ne šířce na začátku evolventy!"
                      : "Tato šířka přísluší šířce na začátku evolventy (patního přechodu)."));
      return;
    }
    Sc(g_, gear) = *value;
    ChordAtWidth(g_, gear);
  } else {
    if (*value < hcMin - kChordHeightTolerance) {
      Refuse(field, "Výšku hc" + n + " zadej větší než " + F4(hcMin));
      return;
    }
    if (*value > hcMax + kChordHeightTolerance) {
      Refuse(field,
             "Výšku hc" + n + " zadej menší než " + F4(hcMax) + "\r\r" +
                 (g_.scAtToothMax
                      ? "Tato výška odpovídá max. šířce zubu, ne šířce na začátku evolventy!"
                      : "Tato výška přísluší šířce zubu na začátku evolventy (patního přechodu)."));
      return;
    }
    Hc(g_, gear) = *value;
    ChordAtHeight(g_, gear);
  }
  chordCleared_[gear - 1] = false;
  Accept();
}

void MeasureForm::SpanEntry(int gear, const std::string& typed) {
  const MeasureControl field = GearOf(gear).zw;
  const auto value = ParseInteger(typed);
  if (!value) {
    Refuse(field, kNumberFormatError);
    return;
  }
  SpanRange(g_, gear);
  const int zwMin = gear == 1 ? g_.zwMin1 : g_.zwMin2;
  const int zwMax = gear == 1 ? g_.zwMax1 : g_.zwMax2;
  if (*value < zwMin) {
    Refuse(field, "Počet zubů pro měření vol od " + Int(zwMin));
    return;
  }
  if (*value > zwMax) {
    Refuse(field, "Počet zubů pro měření vol nejvýše " + Int(zwMax));
    return;
  }
  (gear == 1 ? g_.zw1 : g_.zw2) = static_cast<int>(*value);
  Span(g_, gear);
  Accept();
}

void MeasureForm::BallEntry(int gear, const std::string& typed) {
  const MeasureControl field = GearOf(gear).dt;
  const auto value = ParseNumber(typed);
  if (!value) {
    RefuseBall(gear, field, kNumberFormatError);
    return;
  }
  double& dt = gear == 1 ? g_.dt1 : g_.dt2;
  dt = *value;  // kept even when refused
  BallRange(g_, gear);
  const double dtMin = gear == 1 ? g_.dt1min : g_.dt2min;
  const double dtMax = gear == 1 ? g_.dt1max : g_.dt2max;
  const std::string n = gear == 1 ? "1" : "2";
  if (dt >= dtMin - kBallTolerance || g_.ballReason == 0) {
    if (dt <= dtMax + kBallTolerance) {
      ContactForBall(g_, gear);
      Accept();
      return;
    }
    RefuseBall(gear, field,
               kBallTooLarge + n + "max= " + F4(dtMax) + "\r\r" +
                   (Z(g_, gear) != 4.0 ? kNoBallFits : " "));
    return;
  }
  RefuseBall(gear, field, kBallTooSmall + n + "min= " + F4(dtMin) + "\r\r" + BallReason(g_, gear));
}

void MeasureForm::ContactEntry(int gear, const std::string& typed) {
  const MeasureControl field = GearOf(gear).dM;
  double& M = gear == 1 ? g_.M1 : g_.M2;
  const auto value = ParseNumber(typed);
  if (!value) {
    RefuseBall(gear, field, kNumberFormatError);
    return;
  }
  const bool ring = Ring(g_, gear);
  double& dM = gear == 1 ? g_.dM1 : g_.dM2;
  // The wheel's contact diameter is typed by its magnitude; the ring's is
  // stored negative.
  dM = gear == 1 ? *value : (ring ? -std::fabs(*value) : std::fabs(*value));
  BallForContact(g_, gear);
  BallRange(g_, gear);

  const std::string n = gear == 1 ? "1" : "2";
  const double dt = gear == 1 ? g_.dt1 : g_.dt2;
  const double dtMin = gear == 1 ? g_.dt1min : g_.dt2min;
  const double dtMax = gear == 1 ? g_.dt1max : g_.dt2max;
  const double dMLim = gear == 1 ? g_.dM1lim : g_.dM2lim;
  const double dFf = gear == 1 ? g_.dFf1 : g_.dFf2;
  const double da = gear == 1 ? g_.da1 : g_.da2;
  const bool chamfer = gear == 1 ? g_.chamfer1 : g_.chamfer2;
  auto refuse = [&](const std::string& message) {
    M = 0.0;
    RefuseBall(gear, field, message);
  };

  if (dM < dFf) {
    refuse(ring
               ? "Průměr dM2 zadej menší než průměr začátku evolventy (v absolutní hodnotě) dL2= " +
                     F4(dFf)
               : "Průměr dM" + n + " zadej větší než průměr začátku evolventy dL" + n + "= " +
                     F4(dFf));
    return;
  }
  if (!ring && dM > dMLim + kContactTolerance) {
    if (chamfer) {
      refuse("Průměr dM" + n + " zadej menší než průměr sražení na hlavě " +
             (gear == 1 ? "pastorku daE1 = " : "kola daE2 = ") + F6(dMLim));
    } else {
      refuse(gear == 1 ? "Průměr dM1 zadej menší než limitní průměr dM1lim= " + F6(dMLim)
                       : "Průměr dM2 zadej menší než limitní průměr dM2lim = " + F6(dMLim));
    }
    return;
  }
  if (Z(g_, gear) == 4.0) {
    Accept();
    return;
  }
  if (ring && dM > da + kRingTipTolerance) {
    refuse("Průměr dM2 zadej větší než hlavový průměr (v absolutní hodnotě) da2= " + F4(da));
    return;
  }
  // The balls must stand out of the tips for the anvils to reach them: over
  // the tip circle of an external gear, inside the tip circle of a ring.
  const bool hidden = gear == 1 ? M < da : (ring ? M >= std::fabs(da) : M <= da);
  if (hidden) {
    refuse("Pro tento kontaktní průměr dM" + n + " nelze měřit. Kulička je celá " +
           (ring ? "nad hlavovou kružnicí (v absolutní hodnotě) da2= "
                 : "pod hlavovou kružnicí da" + n + "= ") +
           F4(da));
    return;
  }
  if (dt >= dtMin - kBallTolerance) {
    if (dt <= dtMax + kBallTolerance) {
      Accept();
      return;
    }
    refuse(kBallTooLarge + n + "max= " + F4(dtMax) + "\r\r" + kNoBallFits);
    return;
  }
  refuse("Pro tento kontaktní průměr dM" + n + " vychází nevhodný průměr kuličky.\r\r" +
         kBallTooSmall + n + "min= " + F4(dtMin) + "\r\r" + BallReason(g_, gear));
}

// ---------------------------------------------------------------------------
// Refresh

void MeasureForm::Refresh() {
  RefreshGear(1);
  RefreshGear(2);
  ApplyRackMode();
  ApplyPictures();
}

void MeasureForm::RefreshGear(int gear) {
  const GearControls& k = GearOf(gear);
  const bool modeConst = gear == 1 ? g_.scConst1 : g_.scConst2;
  const bool modeRef = gear == 1 ? g_.scRef1 : g_.scRef2;
  const bool modeChosen = gear == 1 ? g_.scChosen1 : g_.scChosen2;
  state(k.modeConst).checked = modeConst;
  state(k.modeRef).checked = modeRef;
  state(k.modeChosen).checked = modeChosen;
  const bool cleared = chordCleared_[gear - 1] && modeChosen;
  text(k.sc) = cleared ? "" : F4(Sc(g_, gear));
  text(k.hc) = cleared ? "" : F4(Hc(g_, gear));
  state(k.sc).readOnly = state(k.hc).readOnly = !modeChosen;

  const int zw = gear == 1 ? g_.zw1 : g_.zw2;
  const int zwMin = gear == 1 ? g_.zwMin1 : g_.zwMin2;
  const int zwMax = gear == 1 ? g_.zwMax1 : g_.zwMax2;
  const int zwRec = gear == 1 ? g_.zwRec1 : g_.zwRec2;
  const double bMin = gear == 1 ? g_.b1min : g_.b2min;
  text(k.zw) = FormatInt(zw, 3);
  text(k.W) = F4(gear == 1 ? g_.W1 : g_.W2);
  text(k.range) = "Lze měřit přes " + Int(zwMin) + " až " + Int(zwMax) + TeethUnit(zwMax) + " (" +
                  Int(zwRec) + ")";
  text(k.contact) = "kontaktu           = " + FormatFixed(SpanContactDiameter(g_, gear), 0, 3);
  text(k.width) = FormatFixed(bMin, 0, 3);
  for (MeasureControl label : {k.widthLabel, k.widthSubscript, k.width}) {
    state(label).red = bMin > g_.b;
  }

  text(k.dt) = F4(gear == 1 ? g_.dt1 : g_.dt2);
  text(k.M) = F4(gear == 1 ? g_.M1 : g_.M2);
  text(k.dM) = F4(gear == 1 ? g_.dM1 : g_.dM2);
  // A four-tooth gear's balls come from the check only.
  const bool fourTeeth = Z(g_, gear) == 4.0;
  state(k.dt).enabled = state(k.dM).enabled = !fourTeeth;
}

void MeasureForm::ApplyRackMode() {
  const bool rack = g_.rackMode;
  const GearControls& k = GearOf(2);
  for (MeasureControl c :
       {k.modeConst, k.modeRef, k.modeChosen, k.sc, k.hc, C::SpanGroup2, k.zw, k.W, k.range,
        k.contact, k.widthLabel, k.widthSubscript, k.width, C::BallGroup2, k.dt, k.M, k.dM}) {
    state(c).visible = !rack;
  }
  for (MeasureControl c : {k.modeConst, k.modeRef, k.modeChosen, k.sc, k.hc, k.zw}) {
    state(c).enabled = !rack;
  }
  if (rack) {
    state(k.dt).enabled = state(k.dM).enabled = false;
    text(k.range) = "---";
    text(k.contact) = "-----";
    text(k.width) = "----";
  }
  state(k.modeRef).text = rack ? kRackReferenceCaption : kReferenceCaption;
}

void MeasureForm::ApplyPictures() {
  // The pinion is an external gear in every pair; the wheel of an internal
  // pair is a ring.
  for (int gear = 1; gear <= 2; ++gear) {
    const GearControls& k = GearOf(gear);
    const char* drawing = gear == 2 && g_.gearType == GearType::Internal ? "internal" : "external";
    for (MeasureControl picture : {k.pictureThickness, k.pictureSpan, k.pictureBall}) {
      state(picture).visible = picturesShown_ && !(gear == 2 && g_.rackMode);
      state(picture).text = drawing;
    }
  }
}

}  // namespace kolmira
