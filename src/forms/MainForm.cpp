// The main dialog's behaviour: the field cycle of the input tab, the gear
// type and keep-shifts rules, and the command buttons.
#include "forms/MainForm.h"

#include <cmath>

#include "engine/Check.h"
#include "engine/Involute.h"
#include "engine/PairGeometry.h"
#include "engine/RackTool.h"
#include "engine/ShaperCutter.h"
#include "engine/ShiftDistribution.h"
#include "model/NumberText.h"
#include "report/DimensionTable.h"
#include "report/Report.h"

namespace kolmira {

namespace {

constexpr const char* kControlNames[kControlCount] = {
    "None",
    "Edit1",
    "Edit2",
    "Edit3",
    "Edit4",
    "Edit5",
    "Edit6",
    "Edit7",
    "Edit8",
    "Edit9",
    "Edit10",
    "Edit11",
    "Edit12",
    "Edit13",
    "Edit14",
    "Edit15",
    "Edit16",
    "Edit17",
    "Edit18",
    "Edit19",
    "Edit20",
    "Edit21",
    "GearExternal",
    "GearInternal",
    "GearBevel",
    "FellowButton",
    "CheckButton",
    "Dec",
    "Dms",
    "SaveButton",
    "LoadButton",
    "HelpButton",
    "QuitButton",
    "ZeroButton",
    "DistributeButton",
    "BalanceButton",
    "KeepShifts",
    "Standard",
    "NonStandard",
    "CircularRoot",
    "ToolsButton",
    "ComputedTipsButton",
    "ModuleLabel",
    "ModuleSubscript",
    "HelixLabel",
    "TipDiameter2Label",
    "TipDiameterGroup",
    "DecDmsGroup",
    "TabInputs",
    "TabMeasure",
    "TabIdent",
};

// Fields of the input tab: the variable each edits and the form in which
// the fields are rewritten when all of them are written from the state.
struct FieldInfo {
  const char* variable;
  int width;
  int decimals;
  bool angle;  // typed as D.MMSSss and shown in DMS form when chosen
};

constexpr FieldInfo kFields[22] = {
    {"", 0, 0, false},           {"mn", 6, 4, false},         {"z1", 4, 1, false},
    {"z2", 4, 1, false},         {"betaDeg", 6, 4, true},     {"b", 5, 2, false},
    {"xSum", 8, 6, false},       {"x1", 8, 6, false},         {"x2", 8, 6, false},
    {"aw", 8, 6, false},         {"alphaWtDeg", 8, 6, true},  {"haP1Star", 6, 4, false},
    {"haP2Star", 6, 4, false},   {"cP1Star", 6, 4, false},    {"cP2Star", 6, 4, false},
    {"rhofP1Star", 6, 4, false}, {"rhofP2Star", 6, 4, false}, {"alphaPDeg", 7, 4, true},
    {"da1", 7, 5, false},        {"da2", 7, 5, false},        {"SigmaDeg", 7, 4, true},
    {"jn", 4, 3, false},
};

constexpr const char* kRackText = "Hřeben";
constexpr const char* kMandatoryIncomplete = "Nejsou ukončeny povinné vstupy";
constexpr const char* kNotDistributed = "Není provedeno rozdělení korekcí";
constexpr const char* kNegativeFillet =
    "Nemožné parametry základního profilu - vychází záporný rádius zaoblení paty";

const char* ParseMessage(int n) {
  switch (n) {
    case 5:
    case 21:
      return "Chyba číselného formátu, opakuj zadání.";
    case 4:
    case 10:
    case 20:
      return "Chyba číselného formátu, opakuj zadání.\rÚhel musí být v desetinném tvaru.";
    default:
      return kNumberFormatError;
  }
}

bool Strictly(double lo, double v, double hi) {
  return lo < v && v < hi;
}

}  // namespace

std::string_view ControlName(Control c) {
  const int i = static_cast<int>(c);
  if (i < 0 || i >= kControlCount) return "";
  return kControlNames[i];
}

std::optional<Control> ControlByName(std::string_view name) {
  for (int i = 1; i < kControlCount; ++i) {
    if (name == kControlNames[i]) return static_cast<Control>(i);
  }
  return std::nullopt;
}

Control FieldControl(int n) {
  if (n < 1 || n > 21) return Control::None;
  return static_cast<Control>(static_cast<int>(Control::Edit1) + n - 1);
}

int FieldNumber(Control c) {
  const int i = static_cast<int>(c) - static_cast<int>(Control::Edit1) + 1;
  return (i >= 1 && i <= 21) ? i : 0;
}

std::string_view FieldVariable(int n) {
  return (n >= 1 && n <= 21) ? kFields[n].variable : "";
}

std::optional<int> FieldByVariable(std::string_view name) {
  for (int n = 1; n <= 21; ++n) {
    if (name == kFields[n].variable) return n;
  }
  return std::nullopt;
}

MainForm::MainForm(GearPair& g) : g_(g) {
  state(Control::HelpButton).visible = false;
  state(Control::GearExternal).text = "Vnější";
  state(Control::GearInternal).text = "Vnitřní";
  state(Control::GearBevel).text = "Kuželové";
  state(Control::FellowButton).text = "Fellow";
  state(Control::CheckButton).text = "KOMPLE&XNÍ KONTROLA";
  state(Control::CheckButton).bold = true;
  state(Control::Dec).text = "DEC";
  state(Control::Dms).text = "DMS";
  state(Control::SaveButton).text = "&Uložit vstupy";
  state(Control::LoadButton).text = "&Načíst vstupy";
  state(Control::HelpButton).text = "&Help";
  state(Control::QuitButton).text = "&Konec";
  state(Control::ZeroButton).text = "Nuluj";
  state(Control::DistributeButton).text = "Rozděl korekce";
  state(Control::BalanceButton).text = "Vyr.skluzy";
  state(Control::Standard).text = "Standard";
  state(Control::NonStandard).text = "Nestandard";
  state(Control::CircularRoot).text = "Kruhová pata";
  state(Control::ToolsButton).text = "Nástroje";
  state(Control::ComputedTipsButton).text = "Výpočetní hlavové průměry";
  state(Control::TabInputs).text = "Zadání  ";
  state(Control::TabMeasure).text = "Míry ozubení   ";
  state(Control::TabIdent).text = "Identifikace   ";
  state(Control::GearExternal).checked = true;
  state(Control::GearExternal).bold = true;
  state(Control::Dec).checked = true;
  state(Control::Standard).checked = true;
  state(Control::NonStandard).enabled = false;
  state(Control::TipDiameter2Label).text = "Hlavový průměr kola                  d";
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
// Focus and the field cycle

void MainForm::RequestFocus(Control c) {
  focused_ = c;
  if (const int n = FieldNumber(c)) EnterField(n);
}

void MainForm::Focus(Control c) {
  if (c == focused_) return;
  const Control old = focused_;
  if (const int n = FieldNumber(old)) {
    LeaveField(n);
    if (focused_ != old) return;  // the exit handler moved the focus itself
    if (lastEntryRefused_) return;
  }
  const int oldField = FieldNumber(old);
  const int newField = FieldNumber(c);
  const bool leavesMandatoryGroup =
      oldField >= 1 && oldField <= 5 && !(newField >= 1 && newField <= 5);
  focused_ = c;
  if (leavesMandatoryGroup && !ValidationSuspended()) {
    MandatoryGroupExit();
    if (focused_ != c) return;
  }
  if (newField) EnterField(newField);
}

void MainForm::Type(Control field, std::string value) {
  if (FieldNumber(field) == 0) return;
  text(field) = std::move(value);
}

void MainForm::EnterField(int n) {
  g_.fieldTextOnEnter = text(FieldControl(n));
  if (n == 6 || n == 9 || n == 10) {
    HideResults();
    if (!g_.keepShifts) ComputationalGroupForInput(n);
  }
  if ((n == 7 || n == 8) && !g_.shiftDistributed) {
    state(Control::Edit7).visible = state(Control::Edit8).visible = true;
    state(Control::Edit6).enabled = false;
    state(Control::Edit9).enabled = false;
    state(Control::Edit10).enabled = false;
  }
  if (n == 4) g_.lastInputField = 4;
  if (n == 9) g_.lastInputField = 9;
}

bool MainForm::ValidationSuspended() const {
  return g_.clickLoad || g_.clickQuit || g_.clickHelp || g_.clickGearType;
}

void MainForm::RefuseWithTitle(int n, const char* title, const std::string& message) {
  g_.Queue(title, message);
  lastEntryRefused_ = true;
  focused_ = FieldControl(n);  // the focus stays in the field
}

void MainForm::Refuse(int n, const std::string& message) {
  RefuseWithTitle(n, kErrorTitle, message);
}

void MainForm::LeaveField(int n) {
  lastEntryRefused_ = false;
  if (ValidationSuspended()) return;
  if ((n == 18 || n == 19) && clickComputedTips_) return;
  if ((n == 6 || n == 7 || n == 8) && clickZero_) return;
  const Control field = FieldControl(n);
  const std::string typed = text(field);
  const bool changed = typed != g_.fieldTextOnEnter;
  if (kFields[n].angle && !changed) return;
  if (n == 3 && typed == kRackText) return;

  if (n == 6 || n == 9 || n == 10) {
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
  if (kFields[n].angle && g_.dmsMode) {
    const DmsEntry entry = ReadDmsEntry(value);
    if (!entry.ok) {
      Refuse(n, entry.error);
      return;
    }
    value = entry.degrees;
  }

  bool accepted = false;
  switch (n) {
    case 1:
      accepted = AcceptModule(value, changed);
      break;
    case 2:
      accepted = AcceptPinionTeeth(value, changed);
      break;
    case 3:
      accepted = AcceptWheelTeeth(value, changed);
      break;
    case 4:
      accepted = AcceptHelix(value, changed);
      break;
    case 5:
      accepted = AcceptFaceWidth(value, changed);
      break;
    case 6:
      accepted = AcceptShiftSum(value, changed);
      break;
    case 7:
    case 8:
      accepted = AcceptShift(n, value, changed);
      break;
    case 9:
      accepted = AcceptCentreDistance(value, changed);
      break;
    case 10:
      accepted = AcceptPressureAngle(value, changed);
      break;
    case 11:
    case 12:
    case 13:
    case 14:
      accepted = AcceptProfileCoefficient(n, value, changed);
      break;
    case 15:
    case 16:
      accepted = AcceptFilletRadius(n, value, changed);
      break;
    case 17:
      accepted = AcceptProfileAngle(value, changed);
      break;
    case 18:
    case 19:
      accepted = AcceptTipDiameter(n, value, changed);
      break;
    case 20:
      accepted = AcceptShaftAngle(value, changed);
      break;
    case 21:
      accepted = AcceptBacklash(value, changed);
      break;
    default:
      break;
  }
  if (!accepted) return;
  // An angle typed as D.MMSS is shown back in degrees and minutes.
  if (kFields[n].angle && g_.dmsMode && focused_ == field) text(field) = FormatDmsDialog(value);

  if (text(field) != g_.fieldTextOnEnter) {
    g_.fieldTextOnEnter = text(field);
    ResetCaptions();
    g_.inputsChanged = true;
    g_.identInputsChanged = true;
  }
  g_.lastInputField = n;
  RerunCheckIfVisible();
}

// ---------------------------------------------------------------------------
// Mandatory inputs

bool MainForm::MandatoryTest() {
  const bool bevel = g_.gearType == GearType::Bevel;
  const double z1 = bevel ? g_.z1Bevel : g_.z1;
  const double z2 = bevel ? g_.z2Bevel : g_.z2;
  g_.pairComputed = g_.mn != 0.0 && z1 != 0.0 && z2 != 0.0 && g_.b != 0.0;
  HideResults();
  g_.clickLoad = g_.clickQuit = g_.clickHelp = g_.clickGearType = false;
  if (g_.pairComputed) return true;
  g_.QueueError(kMandatoryIncomplete);
  if (g_.mn == 0.0) {
    RequestFocus(Control::Edit1);
  } else if (z1 == 0.0) {
    RequestFocus(Control::Edit2);
  } else if (z2 == 0.0) {
    RequestFocus(Control::Edit3);
  } else {
    RequestFocus(Control::Edit5);
  }
  return false;
}

void MainForm::MandatoryGroupExit() {
  if (!MandatoryTest()) return;
  if (g_.gearType == GearType::Internal || g_.gearType == GearType::Bevel) {
    const double z1 = g_.gearType == GearType::Bevel ? g_.z1Bevel : g_.z1;
    const double z2 = g_.gearType == GearType::Bevel ? g_.z2Bevel : g_.z2;
    if (std::fabs(z2) < z1) {
      g_.QueueError("Počet zubů pastorku vol menší nebo nejvýše roven počtu zubů kola");
      g_.valCode = 1;
      lastEntryRefused_ = true;
      RequestFocus(Control::Edit2);
    }
  }
}

// ---------------------------------------------------------------------------
// Field handlers

bool MainForm::AcceptModule(double value, bool changed) {
  g_.mn = value;
  if (value <= 0.0) {
    Refuse(1, "Modul vol větší než 0");
    return false;
  }
  if (changed) {
    MandatoryTest();
    ResetComputationalInputs();
    if (g_.pairComputed) {
      ShowTipDiameters();
      text(Control::Edit9) = FormatFixed(g_.aw, 8, 6);
      ShowWorkingAngle();
    }
    g_.protCut1 = g_.protCut2 = false;
  }
  return true;
}

bool MainForm::AcceptPinionTeeth(double value, bool changed) {
  if (g_.gearType == GearType::Bevel) {
    g_.z1Bevel = value;
    if (g_.z1 == 0.0) g_.z1 = value;
  } else {
    g_.z1 = value;
  }
  if (value < 4.0) {
    Refuse(2, "Počet zubů pastorku vol větší než 3");
    return false;
  }
  if (changed) {
    MandatoryTest();
    ResetComputationalInputs();
    ShowTipDiameters();
  }
  state(Control::Edit10).enabled = !g_.rackMode && g_.z2 != -g_.z1;
  return true;
}

bool MainForm::AcceptWheelTeeth(double value, bool changed) {
  const Control field = Control::Edit3;
  if (!g_.rackMode) state(Control::Edit10).enabled = true;
  const bool internal = g_.gearType == GearType::Internal;
  if (internal && value > 0.0) {
    value = -value;
    text(field) = FormatFixed(value, 4, 2);
  } else if (!internal && value < 0.0) {
    value = -value;
    text(field) = FormatFixed(value, 4, 3);
  }
  if (g_.gearType == GearType::Bevel) {
    g_.z2Bevel = value;
  } else {
    g_.z2 = value;
  }
  if (!internal && value < 4.0) {
    Refuse(3, "Počet zubů kola vol větší než 3");
    return false;
  }
  if (internal && value > 0.0) {
    Refuse(3, "Počet zubů korunového kola vol záporný");
    return false;
  }
  if (internal && value > -4.0) {
    Refuse(3, "Počet zubů korunového kola vol menší než -3");
    return false;
  }
  if (internal && std::fabs(value) <= g_.z0) {
    // The shaper cutter must have fewer teeth than the ring it cuts.
    g_.z0 = static_cast<int>(std::fabs(std::trunc(value))) - 1;
    g_.fullyRounded = g_.maxFunctional = false;
    g_.circularRoot = false;
    state(Control::CircularRoot).checked = false;
  }
  const bool wasRack = g_.rackMode;
  g_.rackMode = g_.gearType == GearType::External && value >= 5000.0;
  if (g_.rackMode) text(field) = kRackText;
  changed = changed || text(field) != g_.fieldTextOnEnter;
  if (changed) {
    MandatoryTest();
    ResetComputationalInputs();
    ShowTipDiameters();
  }
  if (g_.rackMode != wasRack) SetStandardProfile();
  if (g_.pairComputed) RackModePresentation();
  if (g_.z2 == -g_.z1) state(Control::Edit10).enabled = false;
  state(Control::KeepShifts).visible = g_.gearType != GearType::Bevel && !g_.rackMode;
  return true;
}

bool MainForm::AcceptHelix(double value, bool changed) {
  g_.betaDeg = value;
  if (value < 0.0 || value > g_.betaMax) {
    const char* lead = g_.gearType == GearType::Bevel ? kBevelHelixTooLarge : "Úhel ß vol od 0 do ";
    Refuse(4, std::string(lead) + FormatFixed(g_.betaMax, 6, 4) + "°." + " ");
    return false;
  }
  if (changed) {
    g_.beta = value * kDegToRad;
    ResetComputationalInputs();
    if (g_.keepShifts) {
      PairFromShifts(g_);
      text(Control::Edit9) = FormatFixed(g_.aw, 8, 6);
    }
    ShowTipDiameters();
    if (g_.gearType == GearType::Internal) {
      g_.fullyRounded = false;
      g_.circularRoot = false;
      state(Control::CircularRoot).checked = false;
      state(Control::Edit15).enabled = state(Control::Edit16).enabled = true;
    }
  }
  return true;
}

bool MainForm::AcceptFaceWidth(double value, bool changed) {
  g_.b = value;
  if (value <= 0.0) {
    Refuse(5, "Šířka zubů musí být větší než 0.");
    return false;
  }
  if (g_.gearType == GearType::Bevel) {
    if (value > g_.Le) {
      Refuse(5, "Šířka b je větší než délka površky roztečného kužele Le=" +
                    FormatFixed(g_.Le, 5, 3) + "." + " ");
      return false;
    }
    BasicGeometry(g_);  // the helix bound follows the face width
    if (g_.betaDeg > g_.betaMax) {
      Refuse(5, std::string(kBevelHelixTooLarge) + FormatFixed(g_.betaMax, 5, 3) + "°." + " ");
      return false;
    }
  }
  if (changed) {
    MandatoryTest();
    ShowTipDiameters();
  }
  return true;
}

bool MainForm::ShiftSumLimitOk(int n, double sum) {
  g_.xmez = LimitingShiftSum(g_.z1 + g_.z2, g_.alphaT, g_.alphaP);
  const bool refused = g_.gearType == GearType::Internal ? !(g_.xmez + kShiftSumTolerance > sum)
                                                         : g_.xmez - kShiftSumTolerance >= sum;
  if (refused) {
    Refuse(n, "Nemožný součet jednotkových korekcí x1+x2  (xmez= " + FormatFixed(g_.xmez, 8, 5) +
                  ")" + " ");
  }
  return !refused;
}

bool MainForm::AcceptShiftSum(double value, bool changed) {
  g_.xSum = value;
  if (!ShiftSumLimitOk(6, value)) return false;
  if (value < -15.0 || value > 10.0) {
    Refuse(6, "Součet korekcí vol v rozsahu od -15 do 10");
    return false;
  }
  if (changed) {
    if (g_.gearType == GearType::Bevel) {
      BevelGeometry(g_);
    } else {
      PairFromShifts(g_);
    }
    if (!g_.da1Given) g_.da1 = 0.0;
    if (!g_.da2Given) g_.da2 = 0.0;
    text(Control::Edit18).clear();
    text(Control::Edit19).clear();
    if (!g_.shiftSolutionOk) RequestFocus(Control::ZeroButton);
    text(Control::Edit6) = FormatFixed(g_.xSum, 8, 6);
    text(Control::Edit9) = FormatFixed(g_.aw, 8, 6);
    ShowWorkingAngle();
  }
  return true;
}

bool MainForm::AcceptShift(int n, double value, bool changed) {
  (n == 7 ? g_.x1 : g_.x2) = value;
  if (!g_.shiftNotDistributed && !ShiftSumLimitOk(n, g_.x1 + g_.x2)) return false;
  if (value < -15.0 || value > 8.0) {
    Refuse(n, n == 7 ? "Korekci pastorku vol v rozsahu od -15 do 8"
                     : "Korekci kola vol v rozsahu od -15 do 8");
    return false;
  }
  if (n == 8 && g_.gearType == GearType::Internal) {
    g_.x0mez = LimitingShiftSum(g_.z0 + g_.z2, g_.alphaT, g_.alphaP);
    if (g_.x0 + g_.x2 - kShiftSumTolerance > g_.x0mez) {
      g_.x0SumAboveLimit = true;
      g_.QueueError(CutterShiftSumAboveLimitMessage(g_.x0mez));
      return true;  // the field is left without further action
    }
  }
  if (!changed) return true;

  g_.geometryReady = n;
  g_.shiftNotDistributed = false;
  if (!g_.shiftDistributed && g_.backlashDirect) g_.xSum = g_.x1 + g_.x2;
  if (g_.shiftDistributed) {
    const double sum = g_.backlashByShift ? g_.xSumBacklash : g_.xSum;
    if (n == 7) {
      g_.x2 = sum - g_.x1;
      text(Control::Edit8) = FormatFixed(g_.x2, 8, 6);
    } else {
      g_.x1 = sum - g_.x2;
      text(Control::Edit7) = FormatFixed(g_.x1, 8, 6);
    }
  }
  if (g_.gearType == GearType::Bevel) {
    BevelGeometry(g_);
  } else if (g_.rackMode) {
    RackGeometry(g_);
  } else {
    PairFromShifts(g_);
  }
  if (!g_.shiftSolutionOk) {
    RequestFocus(Control::ZeroButton);
    g_.shiftSolutionOk = true;
    return true;
  }
  text(Control::Edit6) = FormatFixed(g_.xSum, 8, 6);
  text(Control::Edit9) = FormatFixed(g_.aw, 8, 6);
  ShowWorkingAngle();
  ShowTipDiameters();
  return true;
}

bool MainForm::AcceptCentreDistance(double value, bool changed) {
  g_.aw = value;
  if (g_.gearType == GearType::Internal ? value >= 0.0 : value <= 0.0) {
    Refuse(9, g_.gearType == GearType::Internal ? "Pracovní osovou vzdálenost zadej zápornou"
                                                : "Pracovní osovou vzdálenost vol větší než 0");
    return false;
  }
  if (g_.keepShifts) {
    g_.shiftNotDistributed = false;
    ResetComputationalInputs();
    PairFromKeptShiftsAndCentreDistance(g_);
    ShowWorkingAngle();
    ShowAngle(4, g_.betaDeg, 6, 4);
    ShowTipDiameters();
    return true;
  }
  if (changed) {
    // A distance that no working pressure angle gives would leave the pair
    // computed for the previous distance while the field shows the new one.
    const double c = WorkingAngleCosine(g_);
    if (g_.z2 != -g_.z1 && !(c >= -1.0 && c <= 1.0)) {
      Refuse(9, "Nemožná osová vzdálenost - neexistuje pracovní úhel záběru");
      return false;
    }
    PairFromCentreDistance(g_);
    if (!g_.da1Given) g_.da1 = 0.0;
    if (!g_.da2Given) g_.da2 = 0.0;
    text(Control::Edit18).clear();
    text(Control::Edit19).clear();
    text(Control::Edit6) = FormatFixed(g_.xSum, 8, 6);
    ShowWorkingAngle();
  }
  return true;
}

bool MainForm::AcceptPressureAngle(double value, bool changed) {
  g_.alphaWtDeg = value;
  if (value <= 0.0) {
    Refuse(10, "Valivý úhel záběru vol větší než 0°");
    return false;
  }
  // At 90 degrees and beyond the working circles and the centre distance
  // are infinite or negative.
  if (value >= 90.0) {
    Refuse(10, "Valivý úhel záběru vol menší než 90°");
    return false;
  }
  g_.alphaWt = value * kDegToRad;
  if (changed) {
    if (g_.gearType == GearType::Bevel) BevelGeometry(g_);
    PairFromPressureAngle(g_);
    if (!g_.da1Given) g_.da1 = 0.0;
    if (!g_.da2Given) g_.da2 = 0.0;
    text(Control::Edit18).clear();
    text(Control::Edit19).clear();
    text(Control::Edit6) = FormatFixed(g_.xSum, 8, 6);
    text(Control::Edit9) = FormatFixed(g_.aw, 8, 6);
  }
  return true;
}

bool MainForm::AcceptBacklash(double value, bool changed) {
  g_.jn = value;
  if (value < 0.0) {
    Refuse(21, "Boční vůle musí být kladná.");
    return false;
  }
  if (value > g_.mn) {
    Refuse(21, "Boční vůle musí být menší než velikost modulu.");
    return false;
  }
  MandatoryTest();
  if (!changed) return true;
  if (g_.jn < 1e-7) ZeroCommand();
  g_.lastInputField = 21;
  HideResults();
  if (g_.jn >= 1e-7) {
    if (g_.backlashFresh) {
      // The pair as it stands is the backlash-free pair.
      g_.xSumNoBacklash = g_.xSum;
      g_.x1NoBacklash = g_.x1;
      g_.awEntered = g_.aw;
      g_.awNoBacklash = g_.aw;
      g_.alphaWNoBacklash = g_.alphaWt;
      g_.backlashFresh = false;
    }
    OpenBacklashDialog();
  }
  return true;
}

void MainForm::OpenBacklashDialog() {
  requests_.backlashDialog = true;
}

bool MainForm::AcceptProfileCoefficient(int n, double value, bool changed) {
  double* target = n == 11   ? &g_.haP1Star
                   : n == 12 ? &g_.haP2Star
                   : n == 13 ? &g_.cP1Star
                             : &g_.cP2Star;
  const double partner = n == 11   ? g_.cP1Star
                         : n == 12 ? g_.cP2Star
                         : n == 13 ? g_.haP1Star
                                   : g_.haP2Star;
  *target = value;
  const double bound = kPi / 4.0 / std::tan(g_.alphaP) - partner;
  if (value < 0.0 || value > bound) {
    const char* lead = n == 11   ? "Poměrnou výšku hlavy pastorku vol v rosahu od 0 do "
                       : n == 12 ? "Poměrnou výšku hlavy kola vol v rosahu od 0 do "
                       : n == 13 ? "Poměrnou výšku hlavové vůle pastorku vol od 0 do "
                                 : "Poměrnou výšku hlavové vůle kola vol od 0 do ";
    Refuse(n, lead + FormatFixed(bound, 6, 4) + " ");
    return false;
  }
  if (changed) {
    // Fields 11 and 13 shape the wheel's root, 12 and 14 the pinion's.
    const bool wheelRoot = n == 11 || n == 13;
    ApplyCircularRoot();
    const double fillet = wheelRoot ? g_.rhofP2Star : g_.rhofP1Star;
    const double full = wheelRoot ? FullRoundRootRadius(g_.alphaP, g_.haP1Star + g_.cP1Star)
                                  : FullRoundRootRadius(g_.alphaP, g_.haP2Star + g_.cP2Star);
    if (fillet < 0.0 || full < 0.0) {
      Refuse(n, kNegativeFillet);
      return false;
    }
    PairBasicGeometry(g_);
    ShowTipDiameters();
    // The tools follow the basic rack: a gear's tool addendum is the mating
    // gear's addendum plus its clearance.
    g_.haP02Star = g_.haP1Star + g_.cP1Star;
    g_.haP01Star = g_.haP2Star + g_.cP2Star;
    g_.rhoaP01Star = g_.rhofP1Star;
    g_.rhoaP02Star = g_.rhofP2Star;
    StandardProfileTest();
  }
  return true;
}

bool MainForm::AcceptFilletRadius(int n, double value, bool changed) {
  const bool pinion = n == 15;
  double& fillet = pinion ? g_.rhofP1Star : g_.rhofP2Star;
  fillet = value;
  const bool protuberanceUndercut = pinion ? g_.protCut1 : g_.protCut2;
  if (!protuberanceUndercut) {
    if (!pinion && g_.gearType == GearType::Internal) {
      // The ring's root is rounded by the shaper cutter's tip: at most the
      // cutter's fully rounded tip.
      GearPair cutter = g_;
      CutterBaseGeometry(cutter);
      const double largest = CutterMaxTipRadius(cutter) / g_.mn;
      if (value < 0.0 || value > largest + 0.0001) {
        Refuse(16, "Poměrný rádius zaoblení paty kola vol v rozsahu od 0 do " +
                       FormatFixed(largest, 6, 4) + " (kruhová pata)" + " ");
        return false;
      }
    } else {
      const double full = pinion ? FullRoundRootRadius(g_.alphaP, g_.haP2Star + g_.cP2Star)
                                 : FullRoundRootRadius(g_.alphaP, g_.haP1Star + g_.cP1Star);
      if (value < 0.0 || value > full + 0.0001) {
        g_.Queue(kWarningTitle,
                 std::string(pinion ? "Poměrný rádius zaoblení paty pastorku vol v rozsahu od 0 do "
                                    : "Poměrný rádius zaoblení paty kola vol v rozsahu od 0 do ") +
                     FormatFixed(full, 6, 4) + "\r" + " ");
        // A radius beyond the full round root is cut back to it; a negative
        // one is no tool radius at all and becomes 0.
        if (value >= full) fillet = full;
        if (fillet < 0.0) fillet = 0.0;
        text(FieldControl(n)) = FormatFixed(fillet, 6, 4);
        RequestFocus(FieldControl(n));
      }
    }
  }
  (pinion ? g_.rhoaP01Star : g_.rhoaP02Star) = fillet;
  if (changed) PairBasicGeometry(g_);
  return true;
}

bool MainForm::AcceptProfileAngle(double value, bool changed) {
  g_.alphaPDeg = value;
  if (!(value > 0.0 && value <= 50.0)) {
    Refuse(17, "Úhel profilu vol větší než 0 až do 50°");
    return false;
  }
  if (changed) {
    g_.alphaP = value * kDegToRad;
    g_.protCut1 = g_.protCut2 = false;
    ApplyCircularRoot();
    if (g_.rhofP1Star < 0.0 || g_.rhofP2Star < 0.0) {
      Refuse(17, kNegativeFillet);
      return false;
    }
    ResetComputationalInputs();
    ShowTipDiameters();
  }
  return true;
}

bool MainForm::AcceptTipDiameter(int n, double value, bool changed) {
  if (n == 18) {
    g_.da1 = value;
    if (value <= 0.0) {
      Refuse(18, "Průměr hlavové kružnice pastorku vol větší než 0");
      return false;
    }
    if (changed) g_.da1Given = true;
    return true;
  }
  if (g_.rackMode) {
    g_.ha2 = value;
    const double bound = kPi * g_.mn / (4.0 * std::tan(g_.alphaP));
    if (value < 0.0 || value > bound) {
      Refuse(19, "Výšku hlavy zubu hřebene vol od 0 do " + FormatFixed(bound, 6, 4) + " mm");
      return false;
    }
  } else {
    g_.da2 = value;
    if (g_.gearType == GearType::Internal && value >= 0.0) {
      Refuse(19, "Průměr hlavové kružnice korunového kola zadej záporný");
      return false;
    }
    if (g_.gearType != GearType::Internal && value <= 0.0) {
      Refuse(19, "Průměr hlavové kružnice kola vol větší než 0");
      return false;
    }
  }
  if (changed) g_.da2Given = true;
  return true;
}

bool MainForm::AcceptShaftAngle(double value, bool changed) {
  g_.SigmaDeg = value;
  if (!(value > 0.0 && value < 180.0)) {
    Refuse(20, "Úhel os vol větší než 0 a menší než 180°");
    return false;
  }
  if (changed) {
    g_.Sigma = value * kDegToRad;
    g_.pairComputed = g_.mn != 0.0 && g_.z1Bevel != 0.0 && g_.z2Bevel != 0.0 && g_.b != 0.0;
    ResetComputationalInputs();
  }
  return true;
}

// ---------------------------------------------------------------------------
// Shared actions

void MainForm::ResetComputationalInputs() {
  if (g_.rackMode && focused_ == Control::Edit7) return;
  const bool bevel = g_.gearType == GearType::Bevel;
  g_.shiftDistributed = false;
  g_.geometryReady = 0;
  g_.shiftNotDistributed = false;

  g_.alphaT = bevel ? g_.alphaP : std::atan(std::tan(g_.alphaP) / std::cos(g_.beta));
  if (!g_.keepShifts) {
    g_.alphaWt = g_.z2 == -g_.z1 ? kPi / 2.0 : g_.alphaT;
  } else if (g_.lastInputField == 4) {
    PairFromShifts(g_);
  }
  g_.alphaWtDeg = g_.alphaWt * kRadToDeg;
  if (!g_.rackMode) {
    g_.a =
        bevel ? (g_.z1 + g_.z2) * g_.mn / 2.0 : (g_.z1 + g_.z2) * g_.mn / (2.0 * std::cos(g_.beta));
  }
  if (!g_.keepShifts) {
    g_.xSum = g_.x1 = g_.x2 = g_.kStar = 0.0;
    if (!g_.rackMode)
      g_.aw = g_.z2 == -g_.z1 ? std::sin(g_.alphaT) * (g_.x1 + g_.x2) * g_.mn : g_.a;
    g_.awJ = g_.awNoBacklash = g_.aw;
  }
  g_.xSumBacklash = 0.0;
  g_.jn = 0.0;
  g_.backlashDirect = true;
  g_.backlashByShift = g_.jnByApart = false;
  g_.thinBoth = true;
  g_.thinPinion = g_.thinWheel = false;
  g_.da1Given = g_.da2Given = false;
  if (g_.pairComputed) PairBasicGeometry(g_);

  text(Control::Edit6) = FormatFixed(g_.xSum, 8, 6);
  text(Control::Edit7) = FormatFixed(g_.x1, 8, 6);
  text(Control::Edit8) = FormatFixed(g_.x2, 8, 6);
  text(Control::Edit9) = FormatFixed(g_.aw, 8, 6);
  text(Control::Edit21) = FormatFixed(g_.jn, 4, 3);
  if (!bevel) {
    ShowWorkingAngle();
    ShowTipDiameters();
  }
  RestoreComputationalGroup();
  HideResults();
  ShowTipDiameters();
}

void MainForm::RestoreComputationalGroup() {
  const bool bevel = g_.gearType == GearType::Bevel;
  if (!g_.keepShifts) {
    if (g_.rackMode) {
      state(Control::Edit6).visible = false;
      state(Control::Edit8).visible = false;
      state(Control::Edit7).visible = true;
      state(Control::Edit7).enabled = true;
    } else {
      for (Control c : {Control::Edit6, Control::Edit7, Control::Edit8}) {
        state(c).visible = true;
        state(c).enabled = true;
      }
    }
  }
  state(Control::Edit9).visible = !bevel && !g_.rackMode;
  state(Control::Edit10).visible = !bevel;
  state(Control::Edit20).visible = bevel;
  if (!g_.keepShifts) {
    state(Control::Edit9).enabled = true;
    state(Control::Edit10).enabled = !g_.rackMode && g_.z2 != -g_.z1;
  }
}

void MainForm::ComputationalGroupForInput(int n) {
  state(Control::Edit7).visible = false;
  state(Control::Edit8).visible = false;
  for (int other : {6, 9, 10}) state(FieldControl(other)).enabled = other == n;
}

void MainForm::ZeroShiftsAndShow() {
  ZeroShifts(g_);
  WriteAllFields();
  state(Control::NonStandard).enabled = false;
}

void MainForm::ShowTipDiameters() {
  if (g_.shiftNotDistributed) {
    text(Control::Edit18).clear();
    text(Control::Edit19).clear();
    return;
  }
  text(Control::Edit18) = FormatFixed(g_.da1, 7, 5);
  text(Control::Edit19) = FormatFixed(g_.rackMode ? g_.ha2 : g_.da2, 7, 5);
}

void MainForm::ShowAngle(int n, double degrees, int width, int decimals) {
  text(FieldControl(n)) =
      g_.dmsMode ? FormatDmsDialog(degrees) : FormatFixed(degrees, width, decimals);
}

void MainForm::ShowWorkingAngle() {
  ShowAngle(10, (g_.jnByApart ? g_.alphaWtJ : g_.alphaWt) * kRadToDeg, 8, 6);
}

void MainForm::WriteField(int n) {
  const bool bevel = g_.gearType == GearType::Bevel;
  const FieldInfo& f = kFields[n];
  switch (n) {
    case 2:
      text(Control::Edit2) = FormatFixed(bevel ? g_.z1Bevel : g_.z1, 4, 1);
      return;
    case 3:
      text(Control::Edit3) =
          g_.rackMode ? kRackText : FormatFixed(bevel ? g_.z2Bevel : g_.z2, 4, 1);
      return;
    case 4:
      ShowAngle(4, g_.betaDeg, f.width, f.decimals);
      return;
    case 10:
      ShowAngle(10, g_.alphaWtDeg, f.width, f.decimals);
      return;
    case 17:
      ShowAngle(17, g_.alphaPDeg, f.width, f.decimals);
      return;
    case 20:
      ShowAngle(20, g_.SigmaDeg, f.width, f.decimals);
      return;
    case 18:
    case 19:
      ShowTipDiameters();
      return;
    default:
      break;
  }
  const double* values[22] = {
      nullptr,      &g_.mn,      nullptr,     nullptr,        nullptr,        &g_.b,
      &g_.xSum,     &g_.x1,      &g_.x2,      &g_.aw,         nullptr,        &g_.haP1Star,
      &g_.haP2Star, &g_.cP1Star, &g_.cP2Star, &g_.rhofP1Star, &g_.rhofP2Star, nullptr,
      nullptr,      nullptr,     nullptr,     &g_.jn};
  if (n >= 1 && n <= 21 && values[n])
    text(FieldControl(n)) = FormatFixed(*values[n], f.width, f.decimals);
}

void MainForm::SetBasicRackEnabled(bool enabled) {
  for (Control c : {Control::Edit11, Control::Edit12, Control::Edit13, Control::Edit14,
                    Control::Edit15, Control::Edit16, Control::CircularRoot}) {
    state(c).enabled = enabled;
  }
  if (enabled && g_.circularRoot)
    state(Control::Edit15).enabled = state(Control::Edit16).enabled = false;
}

void MainForm::SetStandardChoice(bool standard, bool nonStandardEnabled) {
  state(Control::Standard).checked = standard;
  state(Control::NonStandard).checked = !standard;
  state(Control::NonStandard).enabled = nonStandardEnabled;
}

void MainForm::RederiveRootRadii() {
  ApplyCircularRoot();
}

void MainForm::ShowResults() {
  resultsVisible_ = true;
  resultsStale_ = false;
}

void MainForm::WriteAllFields() {
  const bool bevel = g_.gearType == GearType::Bevel;
  text(Control::Edit1) = FormatFixed(g_.mn, 6, 4);
  text(Control::Edit2) = FormatFixed(bevel ? g_.z1Bevel : g_.z1, 4, 1);
  text(Control::Edit3) = g_.rackMode ? kRackText : FormatFixed(bevel ? g_.z2Bevel : g_.z2, 4, 1);
  ShowAngle(4, g_.betaDeg, 6, 4);
  text(Control::Edit5) = FormatFixed(g_.b, 5, 2);
  text(Control::Edit6) = FormatFixed(g_.xSum, 8, 6);
  text(Control::Edit7) = FormatFixed(g_.x1, 8, 6);
  text(Control::Edit8) = FormatFixed(g_.x2, 8, 6);
  text(Control::Edit9) = FormatFixed(g_.aw, 8, 6);
  ShowAngle(10, g_.alphaWtDeg, 8, 6);
  text(Control::Edit11) = FormatFixed(g_.haP1Star, 6, 4);
  text(Control::Edit12) = FormatFixed(g_.haP2Star, 6, 4);
  text(Control::Edit13) = FormatFixed(g_.cP1Star, 6, 4);
  text(Control::Edit14) = FormatFixed(g_.cP2Star, 6, 4);
  text(Control::Edit15) = FormatFixed(g_.rhofP1Star, 6, 4);
  text(Control::Edit16) = FormatFixed(g_.rhofP2Star, 6, 4);
  ShowAngle(17, g_.alphaPDeg, 7, 4);
  ShowTipDiameters();
  ShowAngle(20, g_.SigmaDeg, 7, 4);
  text(Control::Edit21) = FormatFixed(g_.jn, 4, 3);
  if (g_.pairComputed) RackModePresentation();
}

void MainForm::WriteAngleFields(bool dms) {
  g_.dmsMode = dms;
  ShowAngle(4, g_.betaDeg, 6, 4);
  ShowAngle(10, (g_.jnByApart ? g_.alphaWtJ : g_.alphaWt) * kRadToDeg, 6, 4);
  ShowAngle(17, g_.alphaPDeg, 6, 4);
  ShowAngle(20, g_.SigmaDeg, 6, 4);
}

void MainForm::RackModePresentation() {
  if (g_.rackMode) {
    text(Control::Edit3) = kRackText;
    state(Control::TipDiameter2Label).text = "Výšku hlavy zubu hřebene        h";
    text(Control::Edit19) = FormatFixed(g_.ha2, 7, 5);
    state(Control::Edit6).visible = false;
    state(Control::Edit8).visible = false;
    state(Control::Edit9).visible = false;
    state(Control::DistributeButton).visible = false;
    state(Control::Edit10).enabled = false;
  } else {
    g_.identInputsChanged = true;
    state(Control::Edit6).visible = true;
    state(Control::Edit8).visible = true;
    state(Control::Edit9).visible = g_.gearType != GearType::Bevel;
    state(Control::DistributeButton).visible = true;
    state(Control::Edit10).enabled = g_.z2 != -g_.z1 && !g_.keepShifts;
    text(Control::Edit6) = FormatFixed(g_.xSum, 8, 6);
    text(Control::Edit8) = FormatFixed(g_.x2, 8, 6);
    text(Control::Edit9) = FormatFixed(g_.aw, 7, 5);
    if (!g_.shiftNotDistributed) text(Control::Edit19) = FormatFixed(g_.da2, 7, 5);
    state(Control::TipDiameter2Label).text = "Hlavový průměr kola                  d";
  }
  Notify(MainEvent::RackModePresented);
}

void MainForm::ApplyCircularRoot() {
  // Pinion: full round root when asked for, and never beyond it.
  const double pinionFull = FullRoundRootRadius(g_.alphaP, g_.haP2Star + g_.cP2Star);
  if (g_.rhofP1Star > pinionFull || g_.circularRoot || g_.rhofP1Star < 0.0) {
    g_.rhofP1Star = pinionFull;
    text(Control::Edit15) = FormatFixed(g_.rhofP1Star, 6, 4);
    g_.rhoaP01Star = g_.rhofP1Star;
  }
  // The shaper cutter's root radius cuts the ring's tip region against the
  // same pinion-side limit.
  if (g_.rhof0Star > pinionFull || g_.rhof0Star < 0.0) g_.rhof0Star = pinionFull;
  if (g_.rhof0Star < 0.38 && pinionFull > 0.38) g_.rhof0Star = 0.38;

  if (g_.gearType == GearType::Internal) {
    // The ring's fillet is rounded by the cutter's tip.
    if (g_.circularRoot && !g_.fullyRounded) {
      g_.fullyRounded = true;
      CutterFullyRoundedTip(g_);
    }
    if (g_.rhoa0Star < g_.rhofP2Star || g_.fullyRounded) g_.rhofP2Star = g_.rhoa0Star;
    if (g_.rhofP2Star < 0.0) g_.rhofP2Star = 0.0;
    text(Control::Edit16) = FormatFixed(g_.rhofP2Star, 6, 4);
    return;
  }
  const double wheelFull = FullRoundRootRadius(g_.alphaP, g_.haP1Star + g_.cP1Star);
  if (g_.rhofP2Star > wheelFull || g_.circularRoot || g_.rhofP2Star < 0.0) {
    g_.rhofP2Star = wheelFull;
    text(Control::Edit16) = FormatFixed(g_.rhofP2Star, 6, 4);
    g_.rhoaP02Star = g_.rhofP2Star;
  }
}

void MainForm::StandardProfileTest() {
  const double deg = g_.alphaPDeg;
  const bool angle = Strictly(19.999999, deg, 20.000001);
  const bool addenda =
      Strictly(0.999999, g_.haP1Star, 1.0000001) && Strictly(0.9999999, g_.haP2Star, 1.0000001);
  bool rest = false;
  if (g_.gearType == GearType::Bevel) {
    rest = Strictly(0.1999999, g_.cP1Star, 0.2000001) &&
           Strictly(0.1999999, g_.cP2Star, 0.2000001) && g_.rhofP1Star >= 0.0 &&
           g_.rhofP1Star < 0.3000001 && g_.rhofP2Star >= 0.0 && g_.rhofP2Star < 0.3000001;
  } else {
    rest = Strictly(0.2499999, g_.cP1Star, 0.2500001) &&
           Strictly(0.2499999, g_.cP2Star, 0.2500001) && g_.rhofP1Star >= 0.0 &&
           g_.rhofP1Star < 0.3800001 && g_.rhofP2Star >= 0.0 && g_.rhofP2Star < 0.3800001;
  }
  g_.toolsDefault = angle && addenda && rest;
}

void MainForm::SetStandardProfile() {
  const bool resetFirst = g_.alphaPDeg != 20.0;
  g_.haP1Star = g_.haP2Star = 1.0;
  g_.cP1Star = g_.cP2Star = 0.25;
  g_.rhofP1Star = g_.rhofP2Star = 0.38;
  g_.alphaPDeg = 20.0;
  g_.alphaP = 20.0 * kDegToRad;
  if (g_.gearType == GearType::Internal) g_.rhofP2Star = 0.0;
  if (g_.gearType == GearType::Bevel) {
    g_.cP1Star = g_.cP2Star = 0.2;
    g_.rhofP1Star = g_.rhofP2Star = 0.3;
  }
  g_.c1 = g_.cP1Star * g_.mn;
  g_.c2 = g_.cP2Star * g_.mn;
  g_.rhof1 = g_.rhofP1Star * g_.mn;
  g_.rhof2 = g_.rhofP2Star * g_.mn;
  RestoreToolDefaults(g_);  // the standard rack tools, without options

  text(Control::Edit11) = FormatFixed(g_.haP1Star, 6, 4);
  text(Control::Edit12) = FormatFixed(g_.haP2Star, 6, 4);
  text(Control::Edit13) = FormatFixed(g_.cP1Star, 6, 4);
  text(Control::Edit14) = FormatFixed(g_.cP2Star, 6, 4);
  text(Control::Edit15) = FormatFixed(g_.rhofP1Star, 6, 4);
  text(Control::Edit16) = FormatFixed(g_.rhofP2Star, 6, 4);
  ShowAngle(17, g_.alphaPDeg, 7, 4);
  g_.circularRoot = false;
  state(Control::CircularRoot).checked = false;
  state(Control::Edit15).enabled = state(Control::Edit16).enabled = true;
  // No tool has a protuberance any more: the basic rack is typed again.
  SetBasicRackEnabled(true);
  state(Control::Standard).checked = true;
  state(Control::NonStandard).checked = false;
  state(Control::NonStandard).enabled = false;
  g_.toolsDefault = true;
  if (resetFirst) ResetComputationalInputs();
  PairBasicGeometry(g_);
  ShowTipDiameters();
}

void MainForm::ResetCaptions() {
  resultsCaption_ = kReportCaptionReset;
  tableCaption_ = kTableCaption;
}

void MainForm::HideResults() {
  resultsVisible_ = false;
}

void MainForm::RerunCheckIfVisible() {
  if (resultsVisible_) RunCheckProcedure();
}

void MainForm::RunCheckProcedure() {
  bool error = false;
  if (g_.rackMode) {
    RunCheckRack(g_);
    error = g_.driverError;
  } else if (g_.pairComputed) {
    const std::size_t before = g_.messages.size();
    RunCheckAndReport(g_);
    const bool blocking = g_.xSumBelowLimit || g_.x0SumAboveLimit || g_.xSumAboveLimit;
    error = g_.driverError;
    if (blocking && g_.messages.size() > before) {
      RequestFocus(FieldControl(8));
    } else if (error) {
      RequestFocus(FieldControl(g_.lastInputField));
    }
  }
  if (error) HideResults();
  if (resultsVisible_ && !error) resultsStale_ = false;
  lastCheckFailed_ = error;
  g_.driverError = false;
  Notify(MainEvent::CheckRun);
}

void MainForm::SetKeepShifts(bool on) {
  state(Control::KeepShifts).checked = on;
  g_.keepShifts = on;
  if (on) {
    state(Control::Edit9).enabled = true;
    state(Control::Edit21).visible = false;
    for (Control c : {Control::Edit6, Control::Edit7, Control::Edit8}) {
      state(c).visible = true;
      state(c).enabled = false;
    }
    for (Control c : {Control::Edit10, Control::DistributeButton, Control::ZeroButton,
                      Control::BalanceButton}) {
      state(c).enabled = false;
    }
    if (g_.jn != 0.0) {
      g_.shiftNotDistributed = false;
      ResetComputationalInputs();
      PairFromShifts(g_);
      text(Control::Edit9) = FormatFixed(g_.aw, 8, 6);
    }
    RequestFocus(Control::Edit4);
  } else {
    state(Control::Edit21).visible = g_.gearType != GearType::Bevel;
    for (Control c : {Control::Edit6, Control::Edit7, Control::Edit8, Control::Edit9,
                      Control::DistributeButton, Control::ZeroButton, Control::BalanceButton}) {
      state(c).enabled = true;
    }
    state(Control::Edit10).enabled = !g_.rackMode && g_.z2 != -g_.z1;
  }
}

void MainForm::ApplyGearTypePresentation() {
  const bool bevel = g_.gearType == GearType::Bevel;
  for (Control c : {Control::GearExternal, Control::GearInternal, Control::GearBevel}) {
    state(c).bold = false;
    state(c).checked = false;
  }
  const Control chosen = g_.gearType == GearType::Internal ? Control::GearInternal
                         : g_.gearType == GearType::Bevel  ? Control::GearBevel
                                                           : Control::GearExternal;
  state(chosen).bold = true;
  state(chosen).checked = true;

  state(Control::TabMeasure).visible = state(Control::TabIdent).visible = !bevel;
  state(Control::TipDiameterGroup).visible = !bevel;
  state(Control::Edit18).visible = state(Control::Edit19).visible = !bevel;
  state(Control::ComputedTipsButton).visible = !bevel;
  state(Control::Edit9).visible = !bevel;
  state(Control::Edit10).visible = !bevel;
  state(Control::Edit21).visible = !bevel;
  state(Control::Edit20).visible = bevel;
  state(Control::ModuleLabel).text =
      bevel ? "Čelní modul vnější             m" : "Normálný modul                m";
  state(Control::ModuleSubscript).text = bevel ? "t" : "n";
  state(Control::HelixLabel).text =
      bevel ? "Sklon zubů střední             ß" : "Sklon zubů roztečný           ß";
  state(Control::FellowButton).visible = g_.gearType == GearType::Internal;
  state(Control::ToolsButton).visible = !bevel;
  state(Control::Edit16).enabled = true;
  state(Control::KeepShifts).visible = !bevel && !g_.rackMode;
}

void MainForm::ChooseGearType(GearType type) {
  g_.gearTypeChosen = true;
  resultsStale_ = true;
  HideResults();
  g_.gearType = type;
  ChangeTab(0);
  g_.rackMode = false;
  state(Control::DistributeButton).visible = true;
  for (Control c : {Control::Edit6, Control::Edit8, Control::Edit9, Control::Edit19}) {
    state(c).visible = true;
  }
  ApplyGearTypePresentation();
  if (!g_.loadingInputs) {
    SetDefaults(g_);  // every type starts from the same defaults
    g_.mn = 1.0;
    g_.z1 = 20.0;
    g_.z2 = type == GearType::Internal ? -80.0 : 40.0;
    g_.b = 10.0;
    g_.aw = type == GearType::Internal ? -30.0 : 30.0;
    if (type == GearType::Bevel) {
      g_.z1Bevel = 20.0;
      g_.z2Bevel = 30.0;
    }
    g_.da0 = 37.5;
    g_.aw0 = -47.5;
    state(Control::KeepShifts).checked = false;
    SetKeepShifts(false);
    state(Control::CircularRoot).checked = false;
    state(Control::Edit15).enabled = state(Control::Edit16).enabled = true;
    state(Control::Standard).checked = true;
    state(Control::NonStandard).checked = false;
    ZeroShiftsAndShow();
    RestoreComputationalGroup();
  }
  state(Control::TipDiameter2Label).text = "Hlavový průměr kola                  d";
  RequestFocus(Control::Edit1);
  Notify(MainEvent::GearTypeChosen);
}

// ---------------------------------------------------------------------------
// Keys and buttons

void MainForm::BeginPress(Control c) {
  switch (c) {
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

void MainForm::KeyPress() {
  if (g_.keepShifts && focused_ != Control::Edit4 && focused_ != Control::Edit7 &&
      focused_ != Control::Edit8 && focused_ != Control::Edit9) {
    SetKeepShifts(false);
  }
  FollowProtuberanceTools();
}

// Rack tools: the protuberance angle of a tool with protuberance follows
// every input of the main dialog (profile angle, module ...), so that its
// validity is known before the tool dialog's "OK" or the check.
void MainForm::FollowProtuberanceTools() {
  if (g_.protuberance1) ProtuberanceAngle(g_, 1);
  if (g_.protuberance2) ProtuberanceAngle(g_, 2);
}

void MainForm::PressEnter() {
  const Control at = focused_;
  if (const int n = FieldNumber(at)) {
    LeaveField(n);
    if (lastEntryRefused_) return;
  }
  if (at == Control::Edit6 || at == Control::Edit9 || at == Control::Edit10) return;
  g_.mandatoryComplete = g_.mn != 0.0 && g_.z1 != 0.0 && g_.z2 != 0.0 && g_.b != 0.0;
  if (resultsVisible_ && g_.mandatoryComplete) RunCheckProcedure();
}

void MainForm::Press(Control c) {
  switch (c) {
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
      state(Control::Dec).checked = true;
      state(Control::Dms).checked = false;
      WriteAngleFields(false);
      break;
    case Control::Dms:
      state(Control::Dec).checked = false;
      state(Control::Dms).checked = true;
      WriteAngleFields(true);
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
      if (state(Control::NonStandard).enabled) {
        state(Control::NonStandard).checked = true;
        state(Control::Standard).checked = false;
      }
      break;
    case Control::CircularRoot: {
      const bool on = !g_.circularRoot;
      g_.circularRoot = on;
      state(Control::CircularRoot).checked = on;
      if (on) ApplyCircularRoot();
      state(Control::Edit15).enabled = state(Control::Edit16).enabled = !on;
      StandardProfileTest();
      PairBasicGeometry(g_);
      ResetCaptions();
      RerunCheckIfVisible();
      break;
    }
    case Control::ToolsButton:
      RunCheckProcedure();
      HideResults();
      requests_.toolDialog = true;
      break;
    case Control::FellowButton:
      requests_.fellowDialog = true;
      break;
    case Control::QuitButton:
      requests_.quit = true;
      break;
    case Control::HelpButton: {
      const int n = g_.lastInputField;
      requests_.helpContext = n >= 1 && n <= 5                 ? 2
                              : (n >= 6 && n <= 10) || n == 21 ? 5
                              : n >= 11 && n <= 17             ? 3
                              : n >= 18 && n <= 20             ? 4
                                                               : 0;
      break;
    }
    case Control::SaveButton:
      if (PrepareSave()) requests_.save = true;
      break;
    case Control::LoadButton:
      requests_.load = true;
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
      for (Control b : {Control::CheckButton, Control::SaveButton, Control::LoadButton,
                        Control::FellowButton}) {
        state(b).enabled = true;
      }
      state(Control::DecDmsGroup).visible = true;
      break;
    default:
      break;
  }
  // The press is over: a field left from now on is validated again.
  g_.clickLoad = g_.clickQuit = g_.clickHelp = g_.clickGearType = false;
}

void MainForm::ClickOnForm() {
  if (focused_ == Control::Edit21) LeaveField(21);
}

void MainForm::PressF1() {
  int context = 0;
  const int n = FieldNumber(focused_);
  if (activeTab_ == 1) {
    context = g_.gearType == GearType::External ? 13 : 14;
  } else if (activeTab_ == 2) {
    context = 15;
  } else if (n >= 1 && n <= 5) {
    context = 2;
  } else if ((n >= 6 && n <= 10) || focused_ == Control::DistributeButton ||
             focused_ == Control::ZeroButton || focused_ == Control::BalanceButton) {
    context = 5;
  } else if ((n >= 11 && n <= 17) || focused_ == Control::Standard ||
             focused_ == Control::NonStandard || focused_ == Control::CircularRoot) {
    context = 3;
  } else if ((n >= 18 && n <= 20) || focused_ == Control::ComputedTipsButton) {
    context = 4;
  }
  requests_.helpContext = context;
}

void MainForm::CheckCommand() {
  MandatoryTest();
  if (!g_.pairComputed) return;
  if (g_.shiftNotDistributed && !g_.keepShifts) {
    g_.Queue(kEnglishErrorTitle, kNotDistributed);
    RequestFocus(Control::ZeroButton);
    return;
  }
  RunCheckProcedure();
  const bool failed = lastCheckFailed_;
  HideResults();
  ShowTipDiameters();
  if (!failed) ShowResults();
}

void MainForm::ZeroCommand() {
  g_.driverError = false;
  ResetComputationalInputs();
  ResetCaptions();
  RerunCheckIfVisible();
  g_.backlashDirect = true;
  g_.thinBoth = true;
  g_.thinPinion = g_.thinWheel = false;
  g_.backlashFresh = true;
}

void MainForm::DistributeCommand() {
  ResetCaptions();
  g_.shiftDistributed = true;
  if (!g_.keepShifts) {
    if (g_.rackMode) {
      state(Control::Edit6).visible = false;
      state(Control::Edit8).visible = false;
      state(Control::Edit7).visible = true;
    } else {
      state(Control::Edit6).enabled = false;
      state(Control::Edit7).visible = state(Control::Edit8).visible = true;
      state(Control::Edit7).enabled = state(Control::Edit8).enabled = true;
      state(Control::Edit9).enabled = false;
      state(Control::Edit10).enabled = false;
    }
  }
  RequestFocus(Control::Edit7);
}

void MainForm::BalanceSlidingCommand() {
  PrepareSlidingBalance(g_);
  g_.driverError = false;
  g_.slidingBalanceRunning = true;
  PairBasicGeometry(g_);
  if (g_.rackMode) {
    BalanceSlidingRack(g_);
  } else {
    BalanceSliding(g_);
  }
  g_.slidingBalanceRunning = false;
  g_.x2 = g_.xSumBalance - g_.x1;
  g_.shiftNotDistributed = false;
  RunCheckProcedure();
  PairBasicGeometry(g_);
  // The computational group shows x1 and x2, as after "Rozděl korekce".
  if (!g_.keepShifts && !g_.rackMode) {
    state(Control::Edit6).enabled = false;
    state(Control::Edit7).visible = state(Control::Edit8).visible = true;
    state(Control::Edit7).enabled = state(Control::Edit8).enabled = true;
    state(Control::Edit9).enabled = false;
    state(Control::Edit10).enabled = false;
  }
  if (g_.shiftSolutionOk) {
    text(Control::Edit7) = FormatFixed(g_.x1, 8, 6);
    text(Control::Edit8) = FormatFixed(g_.x2, 8, 6);
    ShowTipDiameters();
    g_.lastInputField = 6;
    g_.shiftDistributed = true;
    RerunCheckIfVisible();
    ResetCaptions();
  } else {
    RequestFocus(Control::BalanceButton);
    g_.shiftSolutionOk = true;
  }
}

// ---------------------------------------------------------------------------
// Return from the backlash dialog

void MainForm::AfterBacklashDialog() {
  // The dialog rewrote the fields: the focused one has not been changed by
  // the user, and leaving it must not count as a change.
  if (FieldNumber(focused_)) g_.fieldTextOnEnter = text(focused_);
  if (g_.backlashByShift) {
    if (g_.rackMode) {
      state(Control::Edit7).visible = state(Control::Edit7).enabled = true;
      RequestFocus(Control::Edit7);
    } else {
      ComputationalGroupForInput(6);
      RequestFocus(Control::DistributeButton);
    }
  } else if (g_.jnByApart) {
    state(Control::Edit7).visible = state(Control::Edit7).enabled = true;
    if (!g_.rackMode) {
      // As after "Rozděl korekce": the kept sum is divided into x1 and x2.
      state(Control::Edit8).visible = state(Control::Edit8).enabled = true;
      state(Control::Edit6).enabled = false;
      state(Control::Edit9).enabled = false;
      state(Control::Edit10).enabled = false;
    }
    RequestFocus(Control::Edit7);
  }
}

void MainForm::ComputedTipsCommand() {
  ComputedTipDiameters(g_);
  ShowTipDiameters();
  ResetCaptions();
  RerunCheckIfVisible();
}

// ---------------------------------------------------------------------------
// Tab models and the pages

void MainForm::AddListener(MainEventListener* tab) {
  if (tab != nullptr) listeners_.push_back(tab);
}

void MainForm::RemoveListener(MainEventListener* tab) {
  std::erase(listeners_, tab);
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
    text(Control::Edit21) = "0";
  }
  Notify(MainEvent::IdentTabLeft);
}

}  // namespace kolmira
