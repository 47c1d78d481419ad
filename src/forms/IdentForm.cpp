// The identification tab's behaviour: the entry of the measured values and
// of the estimates with their limits and messages, the groups that choose
// the computed parameter, the fields' read-only states and the display of
// the results.
#include "forms/IdentForm.h"

#include <cmath>

#include "engine/InputBounds.h"
#include "model/NumberText.h"

namespace kolmira {

namespace {

using C = IdentControl;

// clang-format off
constexpr ControlInfo kControls[] = {
    {"", ControlKind::Label},
    {"Edit36", ControlKind::Field, "", "scMeas"},
    {"Edit37", ControlKind::Field, "", "hcMeas"},
    {"Edit38", ControlKind::Field, "", "zwMeas"},
    {"Edit39", ControlKind::Field, "", "WMeas"},
    {"Edit40", ControlKind::Field, "", "DMeas"},
    {"Edit41", ControlKind::Field, "", "MMeas"},
    {"Edit42", ControlKind::Field, "", "mnId0"},
    {"Edit43", ControlKind::Field, "", "alphaId0"},
    {"Edit44", ControlKind::Field, "", "betaId0"},
    {"Edit45", ControlKind::Field, "", "xId0"},
    {"Edit46", ControlKind::Field, "", "mnId1"},
    {"Edit47", ControlKind::Field, "", "alphaId1"},
    {"Edit48", ControlKind::Field, "", "betaId1"},
    {"Edit49", ControlKind::Field, "", "xId1"},
    {"Edit50", ControlKind::Field, "", "mnId2"},
    {"Edit51", ControlKind::Field, "", "alphaId2"},
    {"Edit52", ControlKind::Field, "", "betaId2"},
    {"Edit53", ControlKind::Field, "", "xId2"},
    {"RadioGroup1=0", ControlKind::Option, "Modul"},
    {"RadioGroup1=1", ControlKind::Option, "Úhel profilu"},
    {"RadioGroup1=2", ControlKind::Option, "Úhel sklonu"},
    {"RadioGroup1=3", ControlKind::Option, "Korekce"},
    {"RadioGroup2=0", ControlKind::Option, "Modul"},
    {"RadioGroup2=1", ControlKind::Option, "Úhel profilu"},
    {"RadioGroup2=2", ControlKind::Option, "Úhel sklonu"},
    {"RadioGroup2=3", ControlKind::Option, "Korekce"},
    {"RadioGroup3=0", ControlKind::Option, "Modul"},
    {"RadioGroup3=1", ControlKind::Option, "Úhel profilu"},
    {"RadioGroup3=2", ControlKind::Option, "Úhel sklonu"},
    {"RadioGroup3=3", ControlKind::Option, "Korekce"},
    {"MeasuredFor", ControlKind::Label, "Naměřeno pro kolo z ="},
    {"Teeth1", ControlKind::Label},
    {"Teeth2", ControlKind::Label},
    {"Teeth3", ControlKind::Label},
    {"Diameter", ControlKind::Label, "d   = "},
    {"Solution2Symbol", ControlKind::Label, "α"},
    {"Solution2Subscript", ControlKind::Label, "n"},
    {"Solution2", ControlKind::Label},
    {"Solution3Symbol", ControlKind::Label, "α"},
    {"Solution3Subscript", ControlKind::Label, "n"},
    {"Solution3", ControlKind::Label},
};
// clang-format on
static_assert(std::size(kControls) == static_cast<std::size_t>(kIdentControlCount));

// The profile angle of an estimate lies between 0.99 and 55 degrees, its
// helix angle between 0 and 55; a shift between -1.5 (an external gear,
// whose teeth would be cut away below it) or -10 and 3.
constexpr double kProfileAngleMinDeg = 0.99;
constexpr double kAngleMaxDeg = 55.0;
constexpr double kShiftMax = 3.0;
constexpr double kShiftMinExternal = -1.5;
constexpr double kShiftMinOther = -10.0;
// A helix angle this small is a spur gear: its helix field stays read-only.
constexpr double kSpurHelix = 1e-5;

int FieldNumber(IdentControl c) {
  const int i = static_cast<int>(c);
  return c >= C::Edit36 && c <= C::Edit53 ? i - static_cast<int>(C::Edit36) + 36 : 0;
}

IdentControl Field(int n) {
  return static_cast<IdentControl>(static_cast<int>(C::Edit36) + n - 36);
}

std::string F4(double v) {
  return FormatFixed(v, 0, 4);
}

// The whole text without a trailing degree sign and blanks, so that an
// angle shown as " 20.0000°" and edited in place is read as a number.
std::string WithoutDegreeSign(std::string text) {
  static constexpr std::string_view kDegree = "°";
  while (!text.empty() && text.back() == ' ') text.pop_back();
  if (text.size() >= kDegree.size() &&
      text.compare(text.size() - kDegree.size(), kDegree.size(), kDegree) == 0) {
    text.resize(text.size() - kDegree.size());
  }
  return text;
}

}  // namespace

IdentControl ParameterField(IdentMethod method, IdentParameter which) {
  return Field(42 + 4 * method + which);
}

IdentControl RadioItem(IdentMethod method, IdentParameter which) {
  return static_cast<IdentControl>(static_cast<int>(C::RadioGroup1_0) + 4 * method + which);
}

IdentForm::IdentForm(GearPair& g, MainForm& main) : Form(g, "Ident", kControls), main_(main) {
  for (int m = 0; m < 3; ++m) {
    for (int k = 0; k < 4; ++k) {
      state(RadioItem(static_cast<IdentMethod>(m), static_cast<IdentParameter>(k))).checked =
          k == computed_[m];
    }
    // The create event: the computed parameters' fields are read-only.
    state(ParameterField(static_cast<IdentMethod>(m), computed_[m])).readOnly = true;
  }
  ShowSolutions(false);
  main_.AddListener(this);
}

IdentForm::~IdentForm() {
  main_.RemoveListener(this);
}

// ---------------------------------------------------------------------------
// Events

void IdentForm::OnMainEvent(MainEvent event) {
  switch (event) {
    case MainEvent::IdentTabEntered:
      Show();
      break;
    case MainEvent::RackModePresented:
      if (g_.rackMode) {
        text(C::MeasuredFor) = kRackCaption;
        SetItem(kMethodChordal, kIdentModule);
      } else {
        // The tab is prepared again only when rack mode is really left:
        // every other rewrite of a pair would cost the user the backlash
        // typed in and the shown results.
        if (rackShown_) {
          Prepare();
          SetItem(kMethodChordal, kIdentShift);
        }
        text(C::MeasuredFor) = kMeasuredForCaption;
        text(C::Diameter) = "d   = " + FormatFixed(g_.da2, 5, 3);
      }
      rackShown_ = g_.rackMode;
      break;
    default:
      break;
  }
}

void IdentForm::Show() {
  Prepare();
}

bool IdentForm::visible() const {
  return main_.activeTab() == 2 && main_.control(Control::TabIdent).visible;
}

void IdentForm::Prepare() {
  const IdentPreparation r = PrepareIdentification(g_);
  if (!r.done) return;
  if (r.backlashReset) main_.ShowBacklashCleared();
  if (r.inputsPrepared) {
    lastRun_ = {};
    main_.HideResults();
    for (IdentControl teeth : {C::Teeth1, C::Teeth2, C::Teeth3}) {
      text(teeth) = FormatFixed(g_.z2, 0, 0);
    }
    text(C::Diameter) = "d   = " + FormatFixed(g_.da2, 5, 3);
  }
  Refresh();
  ShowSolutions(false);
  // The identification works on the pair as it stands: no check, no files
  // and no cutter from this page, and the angle form stays as chosen. (A
  // preparation on leaving rack mode happens on the input page, whose
  // commands stay.)
  if (main_.activeTab() == 2) main_.SetInputCommandsEnabled(false);
  const bool spur = -kSpurHelix < g_.beta && g_.beta <= kSpurHelix;
  for (int m = 0; m < 3; ++m) {
    const auto method = static_cast<IdentMethod>(m);
    state(ParameterField(method, kIdentHelixAngle)).readOnly =
        spur || computed_[m] == kIdentHelixAngle;
  }
}

// ---------------------------------------------------------------------------
// Focus, typing, groups

bool IdentForm::Typable(int index) const {
  const ControlState& s = stored(index);
  return !s.readOnly && s.enabled && s.visible;
}

void IdentForm::Click(int index) {
  const int item = index - I(C::RadioGroup1_0);
  SetItem(static_cast<IdentMethod>(item / 4), static_cast<IdentParameter>(item % 4));
}

void IdentForm::OnKey(Key key) {
  if (key != Key::Enter || !IsField(focus_)) return;
  LeaveField(focus_);
  if (!lastEntryRefused_) textOnEntry_ = text(focus_);
}

void IdentForm::SetItem(IdentMethod method, IdentParameter which) {
  // A group's click comes only with a change of its item.
  if (computed_[method] == which) return;
  ChooseParameter(method, which);
}

void IdentForm::ChooseParameter(IdentMethod method, IdentParameter which) {
  computed_[method] = which;
  for (int k = 0; k < 4; ++k) {
    state(RadioItem(method, static_cast<IdentParameter>(k))).checked = k == which;
  }
  ShowSolutions(false);
  // An unsolvable helix angle is no estimate: the pair's is taken again.
  if (method == kMethodSpan && which != kIdentHelixAngle && g_.betaId[1] == kUnsolvableHelix) {
    g_.betaId[1] = g_.beta;
  }
  ApplyReadOnly(method);
  Run(method);
}

void IdentForm::ApplyReadOnly(IdentMethod method) {
  for (int k = 0; k < 4; ++k) {
    state(ParameterField(method, static_cast<IdentParameter>(k))).readOnly = false;
  }
  state(ParameterField(method, computed_[method])).readOnly = true;
  if (std::fabs(g_.beta) < kSpurHelix) {
    state(ParameterField(method, kIdentHelixAngle)).readOnly = true;
  }
  if (g_.rackMode) state(ParameterField(method, kIdentShift)).readOnly = true;
}

// ---------------------------------------------------------------------------
// Fields

void IdentForm::EnterField(int field) {
  // The span's profile angle may have several solutions, shown beside the
  // fields: they are brought up to date before anything is typed.
  if (computed_[kMethodSpan] == kIdentProfileAngle) Run(kMethodSpan);
  textOnEntry_ = text(field);
}

void IdentForm::Refuse(IdentControl field, const std::string& message) {
  Form::Refuse(I(field), kErrorTitle, message);
}

void IdentForm::LeaveField(int index) {
  lastEntryRefused_ = false;
  const auto field = static_cast<IdentControl>(index);
  const std::string typed = text(field);
  if (typed == textOnEntry_) return;
  if (FieldNumber(field) <= 41) {
    MeasuredEntry(field, typed);
  } else {
    ParameterEntry(field, typed);
  }
}

void IdentForm::MeasuredEntry(IdentControl field, const std::string& typed) {
  const int n = FieldNumber(field);
  std::optional<double> value;
  value = ParseNumber(typed);
  if (!value) {
    Refuse(field, kNumberFormatError);
    return;
  }
  // The teeth measured over are a whole count.
  if (n == 38 && *value != std::trunc(*value)) {
    Refuse(field, kTeethNotWhole);
    return;
  }
  if (*value <= 0.0) {
    Refuse(field, "Parametr vol větší než 0 ");
    return;
  }
  const double v = *value;
  switch (n) {
    case 36:
      if (v > kPi * g_.mnId[0] && computed_[0] != kIdentModule) {
        Refuse(field, "Nemožně velká měřená tloušťka");
        return;
      }
      g_.scMeas = v;
      break;
    case 37:
      if (v > 3.2 * g_.mnId[0] && computed_[0] != kIdentModule) {
        Refuse(field, "Nemožně velká měřená výška");
        return;
      }
      g_.hcMeas = v;
      break;
    case 38:
      if (v > std::fabs(g_.z2) / 2.0) {
        Refuse(field, "Nemožně velký počet zubů pro měření");
        return;
      }
      g_.zwMeas = static_cast<int>(v);
      break;
    case 39:
      if (v > std::fabs(g_.mnId[1] * g_.z2 / std::cos(g_.betaId[1])) &&
          computed_[1] != kIdentHelixAngle) {
        Refuse(field, "Nemožně velký rozměr přes zuby");
        return;
      }
      g_.WMeas = v;
      break;
    case 40:
      g_.DMeas = v;
      break;
    default:
      g_.MMeas = v;
      break;
  }
  Run(static_cast<IdentMethod>((n - 36) / 2));
}

void IdentForm::ParameterEntry(IdentControl field, const std::string& typed) {
  const int index = FieldNumber(field) - 42;
  const auto method = static_cast<IdentMethod>(index / 4);
  const auto which = static_cast<IdentParameter>(index % 4);
  const bool angle = which == kIdentProfileAngle || which == kIdentHelixAngle;
  const auto parsed = ParseNumber(angle && !g_.dmsMode ? WithoutDegreeSign(typed) : typed);
  if (!parsed) {
    Refuse(field, kNumberFormatError);
    return;
  }
  double value = *parsed;
  if (angle && g_.dmsMode) {
    const DmsEntry entry = ReadDmsEntry(value);
    if (!entry.ok) {
      Refuse(field, entry.error);
      return;
    }
    value = entry.degrees;
  }
  switch (which) {
    case kIdentModule:
      if (value <= 0.0) {
        Refuse(field, "Modul vol větší než 0 ");
        return;
      }
      g_.mnId[method] = value;
      break;
    case kIdentProfileAngle:
      if (value < kProfileAngleMinDeg || value > kAngleMaxDeg) {
        Refuse(field, "Úhel profilu vol v rozmezí od 1° do 55°");
        return;
      }
      g_.alphaId[method] = value * kDegToRad;
      break;
    case kIdentHelixAngle:
      if (value < 0.0 || value > kAngleMaxDeg) {
        Refuse(field, "Úhel šroubovice vol v rozmezí od 0° do 55°");
        return;
      }
      g_.betaId[method] = value * kDegToRad;
      break;
    case kIdentShift: {
      const double lower = g_.gearType == GearType::External ? kShiftMinExternal : kShiftMinOther;
      if (value < lower || value > kShiftMax) {
        Refuse(field, "Jednotkovou korekci vol v rozmezí od " + FormatFixed(lower, 0, 0) + " do 3");
        return;
      }
      g_.xId[method] = value;
      break;
    }
  }
  Run(method);
}

// ---------------------------------------------------------------------------
// Identification and display

void IdentForm::Run(IdentMethod method) {
  const IdentParameter which = computed_[method];
  const IdentOutcome outcome = Identify(g_, method, which);
  lastRun_[method] = outcome;
  helixJustUnsolvable_ = method == kMethodSpan && which == kIdentHelixAngle &&
                         outcome == IdentOutcome::Unsolvable && g_.betaId[1] == kUnsolvableHelix;
  if (method == kMethodSpan && which == kIdentProfileAngle) {
    ShowSolutions(true);
  }
  Refresh();
}

void IdentForm::ShowSolutions(bool shown) {
  const int count = shown ? g_.idSolutionCount : 1;
  for (IdentControl c : {C::Solution2Symbol, C::Solution2Subscript, C::Solution2}) {
    state(c).visible = count >= 2;
  }
  for (IdentControl c : {C::Solution3Symbol, C::Solution3Subscript, C::Solution3}) {
    state(c).visible = count >= 3;
  }
  if (count >= 2) text(C::Solution2) = "2. řešení       = " + AngleText(g_.alphaId2);
  if (count >= 3) text(C::Solution3) = "3. řešení       = " + AngleText(g_.alphaId3);
}

std::string IdentForm::AngleText(double radians) const {
  const double degrees = radians * kRadToDeg;
  return g_.dmsMode ? FormatDmsDialog(degrees) : FormatFixed(degrees, 6, 4) + "°";
}

void IdentForm::Refresh() {
  text(C::Edit36) = F4(g_.scMeas);
  text(C::Edit37) = F4(g_.hcMeas);
  text(C::Edit38) = FormatInt(g_.zwMeas);
  text(C::Edit39) = F4(g_.WMeas);
  text(C::Edit40) = F4(g_.DMeas);
  text(C::Edit41) = F4(g_.MMeas);
  for (int m = 0; m < 3; ++m) {
    const auto method = static_cast<IdentMethod>(m);
    text(ParameterField(method, kIdentModule)) = FormatFixed(g_.mnId[m], 0, 3);
    text(ParameterField(method, kIdentProfileAngle)) = AngleText(g_.alphaId[m]);
    text(ParameterField(method, kIdentHelixAngle)) =
        m == kMethodSpan && g_.betaId[m] == kUnsolvableHelix ? kUnsolvableShort
                                                             : AngleText(g_.betaId[m]);
    text(ParameterField(method, kIdentShift)) = F4(g_.xId[m]);
  }
  // The run that found no helix angle says so in full; later redisplays
  // keep to the field's width.
  if (helixJustUnsolvable_) text(ParameterField(kMethodSpan, kIdentHelixAngle)) = kUnsolvableText;
  helixJustUnsolvable_ = false;
}

}  // namespace kolmira
