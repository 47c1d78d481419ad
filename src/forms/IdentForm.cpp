// The identification tab's behaviour: the entry of the measured values and
// of the estimates with their limits and messages, the groups that choose
// the computed parameter, the fields' read-only states and the display of
// the results.
#include "forms/IdentForm.h"

#include <cmath>

#include "model/NumberText.h"

namespace kolmira {

namespace {

using C = IdentControl;

// clang-format off
constexpr std::string_view kNames[kIdentControlCount] = {
    "",
    "Edit36", "Edit37", "Edit38", "Edit39", "Edit40", "Edit41",
    "Edit42", "Edit43", "Edit44", "Edit45", "Edit46", "Edit47", "Edit48", "Edit49",
    "Edit50", "Edit51", "Edit52", "Edit53",
    "RadioGroup1=0", "RadioGroup1=1", "RadioGroup1=2", "RadioGroup1=3",
    "RadioGroup2=0", "RadioGroup2=1", "RadioGroup2=2", "RadioGroup2=3",
    "RadioGroup3=0", "RadioGroup3=1", "RadioGroup3=2", "RadioGroup3=3",
    "MeasuredFor", "Teeth1", "Teeth2", "Teeth3", "Diameter",
    "Solution2Symbol", "Solution2Subscript", "Solution2",
    "Solution3Symbol", "Solution3Subscript", "Solution3",
};

// Field aliases: the state variables, a parameter's method index last.
constexpr std::string_view kAliases[] = {
    "scMeas", "hcMeas", "zwMeas", "WMeas", "DMeas", "MMeas",
    "mnId0", "alphaId0", "betaId0", "xId0",
    "mnId1", "alphaId1", "betaId1", "xId1",
    "mnId2", "alphaId2", "betaId2", "xId2",
};
// clang-format on

constexpr const char* kItemCaptions[4] = {"Modul", "Úhel profilu", "Úhel sklonu", "Korekce"};

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

bool IsEdit(IdentControl c) {
  return FieldNumber(c) != 0;
}
bool IsItem(IdentControl c) {
  return c >= C::RadioGroup1_0 && c <= C::RadioGroup3_3;
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

std::string_view IdentControlName(IdentControl c) {
  const int i = static_cast<int>(c);
  return i >= 0 && i < kIdentControlCount ? kNames[i] : std::string_view{};
}

std::optional<IdentControl> IdentControlByName(std::string_view name) {
  if (name.empty()) return std::nullopt;
  for (int i = 1; i < kIdentControlCount; ++i) {
    if (kNames[i] == name) return static_cast<IdentControl>(i);
  }
  for (int n = 0; n < static_cast<int>(std::size(kAliases)); ++n) {
    if (kAliases[n] == name) return Field(36 + n);
  }
  return std::nullopt;
}

IdentControl ParameterField(IdentMethod method, IdentParameter which) {
  return Field(42 + 4 * method + which);
}

IdentControl RadioItem(IdentMethod method, IdentParameter which) {
  return static_cast<IdentControl>(static_cast<int>(C::RadioGroup1_0) + 4 * method + which);
}

IdentForm::IdentForm(GearPair& g, MainForm& main) : g_(g), main_(main) {
  text(C::MeasuredFor) = kMeasuredForCaption;
  text(C::Diameter) = "d   = ";
  for (IdentControl symbol : {C::Solution2Symbol, C::Solution3Symbol}) text(symbol) = "α";
  for (IdentControl subscript : {C::Solution2Subscript, C::Solution3Subscript}) {
    text(subscript) = "n";
  }
  for (int m = 0; m < 3; ++m) {
    for (int k = 0; k < 4; ++k) {
      const IdentControl item =
          RadioItem(static_cast<IdentMethod>(m), static_cast<IdentParameter>(k));
      text(item) = kItemCaptions[k];
      state(item).checked = k == computed_[m];
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
      Prepare();
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
  main_.Focus(Control::TabIdent);
  if (main_.lastEntryRefused()) return;
  main_.Press(Control::TabIdent);
}

bool IdentForm::visible() const {
  return main_.activeTab() == 2 && main_.control(Control::TabIdent).visible;
}

void IdentForm::Prepare() {
  const IdentPreparation r = PrepareIdentification(g_);
  if (!r.done) return;
  if (r.backlashReset) main_.mutableControl(Control::Edit21).text = "0";
  if (r.inputsPrepared) {
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
  if (main_.activeTab() == 2) {
    for (Control c :
         {Control::CheckButton, Control::SaveButton, Control::LoadButton, Control::FellowButton}) {
      main_.mutableControl(c).enabled = false;
    }
    main_.mutableControl(Control::DecDmsGroup).visible = false;
  }
  const bool spur = -kSpurHelix < g_.beta && g_.beta <= kSpurHelix;
  for (int m = 0; m < 3; ++m) {
    const auto method = static_cast<IdentMethod>(m);
    state(ParameterField(method, kIdentHelixAngle)).readOnly =
        spur || computed_[m] == kIdentHelixAngle;
  }
}

// ---------------------------------------------------------------------------
// Focus, typing, groups

bool IdentForm::Focus(std::string_view name) {
  std::optional<IdentControl> target;
  if (!name.empty()) {
    target = IdentControlByName(name);
    if (!target) return false;
    if (*target == focused_) return true;
  }
  if (IsEdit(focused_)) {
    LeaveField(focused_);
    if (lastEntryRefused_) return true;  // the focus stays in the field
  }
  focused_ = target.value_or(C::None);
  if (IsEdit(focused_)) EnterField(focused_);
  return true;
}

bool IdentForm::Type(std::string_view name, std::string value) {
  const auto c = IdentControlByName(name);
  if (!c || !IsEdit(*c)) return false;
  const ControlState& s = control(*c);
  if (s.readOnly || !s.enabled || !s.visible) return false;
  if (focused_ != *c) {
    Focus(name);
    if (focused_ != *c) return false;  // the field that had the focus refused
  }
  text(*c) = std::move(value);
  return true;
}

bool IdentForm::Press(std::string_view name) {
  const auto c = IdentControlByName(name);
  if (!c || !IsItem(*c)) return false;
  if (!control(*c).enabled || !control(*c).visible) return false;
  if (focused_ != *c) {
    Focus(name);
    if (focused_ != *c) return true;  // refused by the field left: no click
  }
  const int item = static_cast<int>(*c) - static_cast<int>(C::RadioGroup1_0);
  SetItem(static_cast<IdentMethod>(item / 4), static_cast<IdentParameter>(item % 4));
  return true;
}

void IdentForm::PressEnter() {
  if (!IsEdit(focused_)) return;
  LeaveField(focused_);
  if (!lastEntryRefused_) textOnEnter_ = text(focused_);
}

std::vector<std::pair<std::string, ControlState>> IdentForm::Controls() const {
  std::vector<std::pair<std::string, ControlState>> list;
  list.reserve(kIdentControlCount - 1);
  for (int i = 1; i < kIdentControlCount; ++i) {
    list.emplace_back(std::string(kNames[i]), controls_[i]);
  }
  return list;
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

void IdentForm::EnterField(IdentControl field) {
  // The span's profile angle may have several solutions, shown beside the
  // fields: they are brought up to date before anything is typed.
  if (computed_[kMethodSpan] == kIdentProfileAngle) Run(kMethodSpan);
  textOnEnter_ = text(field);
}

void IdentForm::Refuse(IdentControl field, const std::string& message) {
  g_.QueueError(message);
  lastEntryRefused_ = true;
  focused_ = field;
}

void IdentForm::LeaveField(IdentControl field) {
  lastEntryRefused_ = false;
  const std::string typed = text(field);
  if (typed == textOnEnter_) return;
  if (FieldNumber(field) <= 41) {
    MeasuredEntry(field, typed);
  } else {
    ParameterEntry(field, typed);
  }
}

void IdentForm::MeasuredEntry(IdentControl field, const std::string& typed) {
  const int n = FieldNumber(field);
  std::optional<double> value;
  if (n == 38) {
    if (const auto count = ParseInteger(typed)) value = static_cast<double>(*count);
  } else {
    value = ParseNumber(typed);
  }
  if (!value) {
    Refuse(field, kNumberFormatError);
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
