// The main dialog and its events: its controls, the show event, the entry
// cycle of the input fields, the keys, the presses and the pages.
#include "forms/MainForm.h"

#include <algorithm>
#include <utility>

#include "engine/Check.h"
#include "engine/InputBounds.h"
#include "engine/PairGeometry.h"
#include "engine/RackTool.h"
#include "model/NumberText.h"
#include "report/DimensionTable.h"
#include "report/Report.h"

namespace kolmira {

namespace {

// clang-format off
constexpr ControlInfo kControls[] = {
    {"None", ControlKind::Label},
    {"Edit1", ControlKind::Field, "", "mn"},
    {"Edit2", ControlKind::Field, "", "z1"},
    {"Edit3", ControlKind::Field, "", "z2"},
    {"Edit4", ControlKind::Field, "", "betaDeg"},
    {"Edit5", ControlKind::Field, "", "b"},
    {"Edit6", ControlKind::Field, "", "xSum"},
    {"Edit7", ControlKind::Field, "", "x1"},
    {"Edit8", ControlKind::Field, "", "x2"},
    {"Edit9", ControlKind::Field, "", "aw"},
    {"Edit10", ControlKind::Field, "", "alphaWtDeg"},
    {"Edit11", ControlKind::Field, "", "haP1Star"},
    {"Edit12", ControlKind::Field, "", "haP2Star"},
    {"Edit13", ControlKind::Field, "", "cP1Star"},
    {"Edit14", ControlKind::Field, "", "cP2Star"},
    {"Edit15", ControlKind::Field, "", "rhofP1Star"},
    {"Edit16", ControlKind::Field, "", "rhofP2Star"},
    {"Edit17", ControlKind::Field, "", "alphaPDeg"},
    {"Edit18", ControlKind::Field, "", "da1"},
    {"Edit19", ControlKind::Field, "", "da2"},
    {"Edit20", ControlKind::Field, "", "SigmaDeg"},
    {"Edit21", ControlKind::Field, "", "jn"},
    {"GearExternal", ControlKind::Option, "Vnější", "vnejsi"},
    {"GearInternal", ControlKind::Option, "Vnitřní", "vnitrni"},
    {"GearBevel", ControlKind::Option, "Kuželové", "kuzelove"},
    {"FellowButton", ControlKind::Button, "Fellow", "fellow"},
    {"CheckButton", ControlKind::Button, "KOMPLE&XNÍ KONTROLA", "kontrola"},
    {"Dec", ControlKind::Option, "DEC", "dec"},
    {"Dms", ControlKind::Option, "DMS", "dms"},
    {"SaveButton", ControlKind::Button, "&Uložit vstupy", "ulozit"},
    {"LoadButton", ControlKind::Button, "&Načíst vstupy", "nacist"},
    {"HelpButton", ControlKind::Button, "&Help", "help"},
    {"QuitButton", ControlKind::Button, "&Konec", "konec"},
    {"ZeroButton", ControlKind::Button, "Nuluj", "nuluj"},
    {"DistributeButton", ControlKind::Button, "Rozděl korekce", "rozdel"},
    {"BalanceButton", ControlKind::Button, "Vyr.skluzy", "skluzy"},
    {"KeepShifts", ControlKind::CheckBox, "", "drzet-korekce"},
    {"Standard", ControlKind::Option, "Standard", "standard"},
    {"NonStandard", ControlKind::Option, "Nestandard", "nestandard"},
    {"CircularRoot", ControlKind::CheckBox, "Kruhová pata", "kruhova-pata"},
    {"ToolsButton", ControlKind::Button, "Nástroje", "nastroje"},
    {"ComputedTipsButton", ControlKind::Button, "Výpočetní hlavové průměry", "hlavove"},
    {"ModuleLabel", ControlKind::Label},
    {"ModuleSubscript", ControlKind::Label},
    {"HelixLabel", ControlKind::Label},
    {"TipDiameter2Label", ControlKind::Label, "Hlavový průměr kola                  d"},
    {"TipDiameterGroup", ControlKind::Group},
    {"DecDmsGroup", ControlKind::Group},
    {"TabInputs", ControlKind::Tab, "Zadání  "},
    {"TabMeasure", ControlKind::Tab, "Míry ozubení   "},
    {"TabIdent", ControlKind::Tab, "Identifikace   "},
};
// clang-format on
static_assert(std::size(kControls) == static_cast<std::size_t>(kControlCount));

const char* ParseMessage(int n) {
  switch (n) {
    case kFaceWidthField:
    case kBacklashField:
      return "Chyba číselného formátu, opakuj zadání.";
    case kHelixField:
    case kPressureAngleField:
    case kShaftAngleField:
      return "Chyba číselného formátu, opakuj zadání.\rÚhel musí být v desetinném tvaru.";
    default:
      return kNumberFormatError;
  }
}

constexpr const char* kRackText = "Hřeben";

}  // namespace

bool IsAngleField(int n) {
  return n == kHelixField || n == kPressureAngleField || n == kProfileAngleField ||
         n == kShaftAngleField;
}

std::string_view ControlName(Control c) {
  const int i = static_cast<int>(c);
  return i >= 0 && i < kControlCount ? kControls[i].name : "";
}

std::string_view FieldVariable(int n) {
  return n >= 1 && n <= 21 ? kControls[n].aliases : "";
}

MainForm::MainForm(GearPair& g) : Form(g, "Main", kControls) {
  state(Control::HelpButton).visible = false;
  state(Control::CheckButton).bold = true;
  state(Control::GearExternal).checked = true;
  state(Control::GearExternal).bold = true;
  state(Control::Dec).checked = true;
  state(Control::Standard).checked = true;
  state(Control::NonStandard).enabled = false;
  resultsCaption_ = kReportCaptionReset;
  tableCaption_ = kTableCaption;
  ApplyGearTypePresentation();
}

// ---------------------------------------------------------------------------
// Start and show

void MainForm::Start() {
  SetDefaults(g_);
  g_.gearType = GearType::External;
  Show();
}

void MainForm::Show() {
  g_.mainCaption = kMainCaption;
  g_.mn = 1.0;
  g_.z1 = 20.0;
  g_.z2 = 40.0;
  g_.b = 10.0;
  g_.aw = 30.0;
  g_.da0 = 37.5;
  g_.aw0 = -47.5;
  g_.rackHaLimit = 1.0;
  g_.dmsMode = false;
  state(Control::Dec).checked = true;
  state(Control::Dms).checked = false;
  ZeroShiftsAndShow();
  g_.clickLoad = g_.clickQuit = g_.clickHelp = g_.clickGearType = false;
  if (g_.gearTypeChosen) {
    ChangeTab(0);
    state(Control::FellowButton).visible = false;
    state(Control::Edit20).visible = false;
    Notify(MainEvent::Shown);  // the measurement tab hides its pictures
  }
  RequestFocus(Control::CheckButton);
}

// ---------------------------------------------------------------------------
// The entry cycle of the input fields

void MainForm::RequestFocus(Control c) {
  focus_ = I(c);
  if (const int n = FieldNumber(c)) EnterField(n);
}

void MainForm::EnterField(int n) {
  g_.fieldTextOnEnter = text(n);
  if (n == kShiftSumField || n == kCentreDistanceField || n == kPressureAngleField) {
    HideResults();
    if (!g_.keepShifts) ComputationalGroupForInput(n);
  }
  if ((n == kPinionShiftField || n == kWheelShiftField) && !g_.shiftDistributed) {
    state(Control::Edit7).visible = state(Control::Edit8).visible = true;
    state(Control::Edit6).enabled = false;
    state(Control::Edit9).enabled = false;
    state(Control::Edit10).enabled = false;
  }
  if (n == kHelixField || n == kCentreDistanceField) g_.lastInputField = n;
}

// Leaving the group of the mandatory inputs tests them (unless a press
// suspends the validation).
void MainForm::FocusMoved(int from, int to) {
  const auto mandatory = [](int n) { return n >= kModuleField && n <= kFaceWidthField; };
  if (mandatory(FieldNumber(static_cast<Control>(from))) &&
      !mandatory(FieldNumber(static_cast<Control>(to))) && !ValidationSuspended()) {
    MandatoryGroupExit();
  }
}

bool MainForm::ValidationSuspended() const {
  return g_.clickLoad || g_.clickQuit || g_.clickHelp || g_.clickGearType;
}

void MainForm::RefuseWithTitle(int n, const char* title, const std::string& message) {
  Form::Refuse(n, title, message);
  refusedField_ = n;
}

void MainForm::Refuse(int n, const std::string& message) {
  RefuseWithTitle(n, kErrorTitle, message);
}

void MainForm::LeaveField(int n) {
  lastEntryRefused_ = false;
  const bool refusedBefore = std::exchange(refusedField_, 0) == n;
  if (ValidationSuspended()) {
    // Left unvalidated for help or a load (which may be cancelled): a text
    // refused before gives way to the field's last accepted one, so that
    // the field shows what the pair holds.
    if (refusedBefore) text(n) = g_.fieldTextOnEnter;
    return;
  }
  if ((n == kPinionTipField || n == kWheelTipField) && clickComputedTips_) return;
  if ((n == kShiftSumField || n == kPinionShiftField || n == kWheelShiftField) && clickZero_) {
    return;
  }
  const std::string typed = text(n);
  const bool changed = typed != g_.fieldTextOnEnter;
  if (IsAngleField(n) && !changed) return;
  if (n == kWheelTeethField && typed == kRackText) return;

  if (n == kShiftSumField || n == kCentreDistanceField || n == kPressureAngleField) {
    // Until a computational input is left, the check computes the pair from
    // its shifts itself; from now on it takes the pair as it stands, so the
    // pair must stand for the inputs typed since (a new helix angle, say).
    if (g_.geometryReady == 0) PairFromShifts(g_);
    g_.shiftNotDistributed = true;
    g_.geometryReady = n;
  }
  const auto parsed = ParseNumber(typed);
  if (!parsed) {
    g_.valCode = 1;
    Refuse(n, ParseMessage(n));
    return;
  }
  g_.valCode = 0;
  double value = *parsed;
  if (IsAngleField(n) && g_.dmsMode) {
    const DmsEntry entry = ReadDmsEntry(value);
    if (!entry.ok) {
      Refuse(n, entry.error);
      return;
    }
    value = entry.degrees;
  }
  // The net behind the bounds: a value whose consequences -- the pair it
  // defines and the check of that pair -- are no numbers is refused, and
  // the pair stays as it was. A pair that was no number already is not
  // held against the entry that would mend it.
  const GearPair before = g_;
  const std::vector<ControlState> shownBefore = SavedStates();
  if (!Accept(n, value, changed)) {
    // A refused text changes nothing of the pair: it stays in its field
    // for the user to correct, but nothing that runs before he has (the
    // report windows beside the dialog, a press that leaves the field
    // unvalidated) computes with it.
    RestorePair(before);
    return;
  }
  if (!ConsequencesFinite()) {
    GearPair after = g_;
    g_ = before;
    if (ConsequencesFinite()) {
      RestoreStates(shownBefore);
      text(n) = typed;
      Refuse(n, kNotFinite);
      return;
    }
    g_ = std::move(after);
  }
  // An angle typed as D.MMSS is shown back in degrees and minutes.
  if (IsAngleField(n) && g_.dmsMode && focus_ == n) text(n) = FormatDmsDialog(value);

  if (text(n) != g_.fieldTextOnEnter) {
    g_.fieldTextOnEnter = text(n);
    ResetCaptions();
    g_.inputsChanged = true;
    g_.identInputsChanged = true;
  }
  g_.lastInputField = n;
  RerunCheckIfVisible();
}

bool MainForm::ConsequencesFinite() const {
  if (!AllFinite(g_)) return false;
  // The check the pair will be put to, as far as it can run now.
  if (g_.shiftNotDistributed || !(g_.rackMode || g_.pairComputed)) return true;
  GearPair trial = g_;
  trial.messages.clear();
  if (trial.rackMode) {
    RunCheckRack(trial);
  } else {
    RunCheckAndReport(trial);
  }
  return AllFinite(trial);
}

// ---------------------------------------------------------------------------
// Keys

void MainForm::OnKey(Key key) {
  switch (key) {
    case Key::Enter:
      PressEnter();
      break;
    case Key::F1:
      PressF1();
      break;
    case Key::Other:
      KeyPress();
      break;
    case Key::Escape:
      break;
  }
}

void MainForm::KeyPress() {
  const Control at = focusedControl();
  if (g_.keepShifts && at != Control::Edit4 && at != Control::Edit7 && at != Control::Edit8 &&
      at != Control::Edit9) {
    SetKeepShifts(false);
  }
  // The protuberance angle of a tool with protuberance follows every input
  // of the main dialog (profile angle, module ...), so that its validity is
  // known before the tool dialog's "OK" or the check.
  if (g_.protuberance1) ProtuberanceAngle(g_, 1);
  if (g_.protuberance2) ProtuberanceAngle(g_, 2);
}

void MainForm::PressEnter() {
  const int at = focus_;
  if (IsField(at)) {
    LeaveField(at);
    if (lastEntryRefused_) return;
  }
  if (at == kShiftSumField || at == kCentreDistanceField || at == kPressureAngleField) return;
  g_.mandatoryComplete = g_.mn != 0.0 && g_.z1 != 0.0 && g_.z2 != 0.0 && g_.b != 0.0;
  if (resultsVisible_ && g_.mandatoryComplete) RunCheckProcedure();
}

void MainForm::PressF1() {
  int context = 0;
  const int n = FieldNumber(focusedControl());
  const Control at = focusedControl();
  if (activeTab_ == 1) {
    context = g_.gearType == GearType::External ? 13 : 14;
  } else if (activeTab_ == 2) {
    context = 15;
  } else if (n >= kModuleField && n <= kFaceWidthField) {
    context = 2;
  } else if ((n >= kShiftSumField && n <= kPressureAngleField) || at == Control::DistributeButton ||
             at == Control::ZeroButton || at == Control::BalanceButton) {
    context = 5;
  } else if ((n >= kPinionAddendumField && n <= kProfileAngleField) || at == Control::Standard ||
             at == Control::NonStandard || at == Control::CircularRoot) {
    context = 3;
  } else if ((n >= kPinionTipField && n <= kShaftAngleField) || at == Control::ComputedTipsButton) {
    context = 4;
  }
  RequestHelp(context);
}

void MainForm::ClickOnForm() {
  if (focusedControl() == Control::Edit21) LeaveField(kBacklashField);
}

// ---------------------------------------------------------------------------
// Presses

void MainForm::OnBeginPress(int index) {
  switch (static_cast<Control>(index)) {
    case Control::LoadButton:
      g_.clickLoad = true;
      break;
    case Control::QuitButton:
      g_.clickQuit = true;
      break;
    case Control::HelpButton:
      g_.clickHelp = true;
      break;
    case Control::GearExternal:
    case Control::GearInternal:
    case Control::GearBevel:
      g_.clickGearType = true;
      break;
    case Control::ZeroButton:
      clickZero_ = true;
      break;
    case Control::ComputedTipsButton:
      clickComputedTips_ = true;
      break;
    default:
      break;
  }
}

void MainForm::ClearPressFlags() {
  g_.clickLoad = g_.clickQuit = g_.clickHelp = g_.clickGearType = false;
}

void MainForm::EndPress() {
  ClearPressFlags();
  clickZero_ = clickComputedTips_ = false;
}

void MainForm::Click(int index) {
  switch (static_cast<Control>(index)) {
    case Control::GearExternal:
      ChooseGearType(GearType::External);
      break;
    case Control::GearInternal:
      ChooseGearType(GearType::Internal);
      break;
    case Control::GearBevel:
      ChooseGearType(GearType::Bevel);
      break;
    case Control::CheckButton:
      CheckCommand();
      break;
    case Control::Dec:
    case Control::Dms:
      state(Control::Dec).checked = index == I(Control::Dec);
      state(Control::Dms).checked = index == I(Control::Dms);
      WriteAngleFields(index == I(Control::Dms));
      Notify(MainEvent::AngleFormChanged);
      break;
    case Control::ZeroButton:
      clickZero_ = false;
      ZeroCommand();
      break;
    case Control::DistributeButton:
      DistributeCommand();
      break;
    case Control::BalanceButton:
      BalanceSlidingCommand();
      break;
    case Control::ComputedTipsButton:
      clickComputedTips_ = false;
      ComputedTipsCommand();
      break;
    case Control::KeepShifts:
      SetKeepShifts(!g_.keepShifts);
      break;
    case Control::Standard:
      SetStandardProfile();
      break;
    case Control::NonStandard:
      if (stored(Control::NonStandard).enabled) {
        state(Control::NonStandard).checked = true;
        state(Control::Standard).checked = false;
      }
      break;
    case Control::CircularRoot:
      CircularRootCommand();
      break;
    case Control::ToolsButton:
      RunCheckProcedure();
      HideResults();
      Request({FormRequest::Kind::Open, Dialog::RackTools});
      break;
    case Control::FellowButton:
      Request({FormRequest::Kind::Open, Dialog::ShaperCutter});
      break;
    case Control::QuitButton:
      Request({FormRequest::Kind::Quit});
      break;
    case Control::HelpButton:
      RequestHelp(HelpContextOfLastInput());
      break;
    case Control::SaveButton:
      if (PrepareSave()) Request({FormRequest::Kind::SaveFile});
      break;
    case Control::LoadButton:
      Request({FormRequest::Kind::LoadFile});
      break;
    case Control::TabMeasure:
      ChangeTab(1);
      Notify(MainEvent::MeasureTabEntered);
      break;
    case Control::TabIdent:
      if (activeTab_ == 2) break;  // the active page clicked again
      ChangeTab(2);
      Notify(MainEvent::IdentTabEntered);
      break;
    case Control::TabInputs:
      ChangeTab(0);
      SetInputCommandsEnabled(true);
      break;
    default:
      break;
  }
  // The press is over: a field left from now on is validated again.
  ClearPressFlags();
}

// ---------------------------------------------------------------------------
// Pages and the tab models

void MainForm::AddListener(MainEventListener* tab) {
  if (tab != nullptr) listeners_.push_back(tab);
}

void MainForm::RemoveListener(MainEventListener* tab) {
  std::erase(listeners_, tab);
}

void MainForm::Notify(MainEvent event) {
  for (MainEventListener* tab : listeners_) tab->OnMainEvent(event);
}

void MainForm::SetInputCommandsEnabled(bool enabled) {
  for (Control b :
       {Control::CheckButton, Control::SaveButton, Control::LoadButton, Control::FellowButton}) {
    state(b).enabled = enabled;
  }
  state(Control::DecDmsGroup).visible = enabled;
}

void MainForm::ChangeTab(int tab) {
  const bool leavesIdent = activeTab_ == 2 && tab != 2;
  activeTab_ = tab;
  if (!leavesIdent) return;
  // The identification worked on the pair without backlash; the pair left
  // behind gets none until the user gives it again. A file being loaded
  // brings its own.
  if (!g_.loadingInputs) {
    g_.jn = 0.0;
    g_.xSumBacklash = 0.0;
    g_.backlashDirect = true;
    g_.backlashByShift = g_.jnByApart = false;
    g_.backlashFresh = true;
    ShowBacklashCleared();
  }
  Notify(MainEvent::IdentTabLeft);
}

}  // namespace kolmira
