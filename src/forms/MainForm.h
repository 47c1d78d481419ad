// Presentation model of the main dialog TPagesDlg: its first tab "Zadání  "
// (the inputs of the pair) and its own controls (gear type, "Fellow",
// DEC/DMS, the command buttons). It owns the text, enabled, visible,
// read-only and checked state of every control, the focus, and the handlers
// of every field and button; it calls the engine and queues its message
// boxes on the gear-pair state. The Qt dialog and kolmira-cli are two users
// of it: they forward events and copy the control states out.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/GearPair.h"

namespace kolmira {

// Controls of the main dialog. Edit1 .. Edit21 are the input fields in the
// numbering of the dialog (field n is Edit<n>).
enum class Control : int {
  None,
  Edit1,
  Edit2,
  Edit3,
  Edit4,
  Edit5,
  Edit6,
  Edit7,
  Edit8,
  Edit9,
  Edit10,
  Edit11,
  Edit12,
  Edit13,
  Edit14,
  Edit15,
  Edit16,
  Edit17,
  Edit18,
  Edit19,
  Edit20,
  Edit21,
  GearExternal,        // "Vnější"
  GearInternal,        // "Vnitřní"
  GearBevel,           // "Kuželové"
  FellowButton,        // "Fellow"
  CheckButton,         // "KOMPLE&XNÍ KONTROLA"
  Dec,                 // "DEC"
  Dms,                 // "DMS"
  SaveButton,          // "&Uložit vstupy"
  LoadButton,          // "&Načíst vstupy"
  HelpButton,          // "&Help" (hidden)
  QuitButton,          // "&Konec"
  ZeroButton,          // "Nuluj"
  DistributeButton,    // "Rozděl korekce"
  BalanceButton,       // "Vyr.skluzy"
  KeepShifts,          // the small check box beside the centre distance
  Standard,            // "Standard"
  NonStandard,         // "Nestandard"
  CircularRoot,        // "Kruhová pata"
  ToolsButton,         // "Nástroje"
  ComputedTipsButton,  // "Výpočetní hlavové průměry"
  ModuleLabel,
  ModuleSubscript,
  HelixLabel,
  TipDiameter2Label,
  TipDiameterGroup,
  DecDmsGroup,
  TabInputs,   // "Zadání  "
  TabMeasure,  // "Míry ozubení   "
  TabIdent,    // "Identifikace   "
  Count
};

inline constexpr int kControlCount = static_cast<int>(Control::Count);

struct ControlState {
  std::string text;
  bool enabled = true;
  bool visible = true;
  bool readOnly = false;
  bool checked = false;
  bool bold = false;
  bool red = false;  // drawn in red instead of the default colour
};

// Events of the main dialog that a tab with a model of its own (the
// measurement and identification tabs) follows.
enum class MainEvent {
  Shown,              // the dialog's show event with the gear type chosen
  GearTypeChosen,     // a gear type option was handled
  RackModePresented,  // the rack-mode presentation was applied (either way)
  CheckRun,           // the check was run
  MeasureTabEntered,  // the tab "Míry ozubení   " became the active page
  IdentTabEntered,    // the tab "Identifikace   " became the active page
  IdentTabLeft,       // another page replaced it (after the backlash reset)
};

class MainEventListener {
 public:
  virtual ~MainEventListener() = default;
  virtual void OnMainEvent(MainEvent event) = 0;
};

// Name of a control as the dialog and the command line know it ("Edit6",
// "CheckButton" ...).
std::string_view ControlName(Control c);
std::optional<Control> ControlByName(std::string_view name);
// Field n (1..21) and back; 0 for a control that is not a field.
Control FieldControl(int n);
int FieldNumber(Control c);
// The state variable a field edits ("mn", "z1", ... "jn").
std::string_view FieldVariable(int n);
std::optional<int> FieldByVariable(std::string_view name);

// What the dialog asks of the windows around it.
struct FormRequests {
  bool backlashDialog = false;  // open the backlash dialog
  bool fellowDialog = false;    // show the shaper cutter dialog
  bool toolDialog = false;      // show the rack tool dialog
  bool quit = false;            // "&Konec"
  bool save = false;            // "&Uložit vstupy" passed its checks
  bool load = false;            // "&Načíst vstupy"
  int helpContext = -1;         // open help at this context (0: contents)
};

class MainForm {
 public:
  explicit MainForm(GearPair& g);

  // Program start: the state's defaults with an external pair, then the
  // dialog's show event.
  void Start();
  void Show();

  // A press of the mouse begins on a control. Presses on "&Načíst vstupy",
  // "&Konec", "&Help" and the gear-type options suspend the validation of
  // the field that loses the focus, so that a file can be loaded, the
  // program left, help asked for or the type changed from a field holding
  // an invalid value.
  void BeginPress(Control c);
  // The focus moves to c: the field that had it is validated (its exit
  // handler), then c is entered.
  void Focus(Control c);
  // Text typed into the focused field (replaces its text).
  void Type(Control field, std::string text);
  // A key press with the focus where it is (before the key's own effect).
  // It also re-runs the protuberance angle of each rack tool with
  // protuberance.
  void KeyPress();
  // Enter: accepts the focused field as leaving it would.
  void PressEnter();
  // A click on a button, option or check box.
  void Press(Control c);
  // A click on the dialog's free surface: accepts the backlash field when it
  // has the focus.
  void ClickOnForm();
  // F1 (on release): the help context of the focused control, or the
  // contents (0), as a request.
  void PressF1();
  // A gear type option.
  void ChooseGearType(GearType type);

  // The running of the check shared by the buttons and by every accepted
  // input while the results are shown.
  void RunCheckProcedure();

  const ControlState& control(Control c) const { return controls_[Index(c)]; }
  Control focused() const { return focused_; }
  bool resultsVisible() const { return resultsVisible_; }
  bool resultsStale() const { return resultsStale_; }
  int activeTab() const { return activeTab_; }
  const std::string& resultsCaption() const { return resultsCaption_; }
  const std::string& tableCaption() const { return tableCaption_; }
  // True when the last field exit refused its text (an error, and the
  // focus stays in the field).
  bool lastEntryRefused() const { return lastEntryRefused_; }
  FormRequests& requests() { return requests_; }
  GearPair& pair() { return g_; }

  // Rewrites every input field from the state in its fixed format.
  void WriteAllFields();

  // Services for the dialogs around the main dialog (backlash, rack tools,
  // shaper cutter): they change the state, then ask the main dialog to show
  // it and to re-run what depends on it.
  void WriteField(int n);  // field n from the state, in the "all fields" format
  void ShowTipDiameters();
  void ShowWorkingAngle();
  void ResetCaptions();
  void RerunCheckIfVisible();
  void HideResults();
  void ZeroCommand();  // "Nuluj"
  // The six basic rack fields and "Kruhová pata" (disabled while a tool has a
  // protuberance, whose data then define the basic rack).
  void SetBasicRackEnabled(bool enabled);
  // "Standard" / "Nestandard": which is checked, and whether "Nestandard"
  // can be chosen.
  void SetStandardChoice(bool standard, bool nonStandardEnabled);
  // toolsDefault from the basic rack of the gear type.
  void StandardProfileTest();
  // A control's state, for a dialog that shows or hides controls of the
  // main dialog (the computational group after the backlash dialog).
  ControlState& mutableControl(Control c) { return controls_[Index(c)]; }
  void RequestFocus(Control c);
  // Shows the results window (after a successful check, and when a dialog
  // that re-ran the check keeps it shown).
  void ShowResults();
  // The full round roots of both gears re-derived after the basic rack
  // changed elsewhere (a rack tool's addendum cuts a deeper or shallower
  // root): fillet radii beyond them are cut back, and the tools follow.
  void RederiveRootRadii();

  // Input files. "&Uložit vstupy": the checks before the save dialog
  // (false: refused, the message is queued); then, with the name the dialog
  // returned, the save itself. "&Načíst vstupy": reads the file and applies
  // it only when it is complete. Both set the window captions from the path.
  bool PrepareSave();
  bool SaveInputs(const std::string& path);
  bool LoadInputs(const std::string& path);
  void SetFileCaptions(const std::string& path);

  // The backlash dialog has closed (by any of its buttons or keys): the
  // computational group follows the way the backlash is made. By an extra
  // shift the new shift sum is to be divided ("Rozděl korekce"; a rack's x1
  // is already set); by moving apart the shifts x1 and x2 are entered.
  void AfterBacklashDialog();

  // The tab models (measurement, identification) told of the events above,
  // in the order added. A listener must remove itself before it dies.
  void AddListener(MainEventListener* tab);
  void RemoveListener(MainEventListener* tab);

 private:
  static int Index(Control c) { return static_cast<int>(c); }
  ControlState& state(Control c) { return controls_[Index(c)]; }
  std::string& text(Control c) { return controls_[Index(c)].text; }

  // Field cycle.
  void EnterField(int n);
  void LeaveField(int n);
  bool ValidationSuspended() const;
  void Refuse(int n, const std::string& message);
  void RefuseWithTitle(int n, const char* title, const std::string& message);
  void ApplyField(int n, double value);
  void MandatoryGroupExit();
  bool MandatoryTest();

  // Field handlers (validation and change actions).
  bool AcceptModule(double value, bool changed);
  bool AcceptPinionTeeth(double value, bool changed);
  bool AcceptWheelTeeth(double value, bool changed);
  bool AcceptHelix(double value, bool changed);
  bool AcceptFaceWidth(double value, bool changed);
  bool AcceptShiftSum(double value, bool changed);
  bool AcceptShift(int n, double value, bool changed);
  bool AcceptCentreDistance(double value, bool changed);
  bool AcceptPressureAngle(double value, bool changed);
  bool AcceptBacklash(double value, bool changed);
  bool AcceptProfileCoefficient(int n, double value, bool changed);
  bool AcceptFilletRadius(int n, double value, bool changed);
  bool AcceptProfileAngle(double value, bool changed);
  bool AcceptTipDiameter(int n, double value, bool changed);
  bool AcceptShaftAngle(double value, bool changed);
  bool ShiftSumLimitOk(int n, double sum);

  // Shared actions.
  void ResetComputationalInputs();
  void ZeroShiftsAndShow();
  void ShowAngle(int n, double degrees, int width, int decimals);
  void WriteAngleFields(bool dialogForm);
  void RackModePresentation();
  void ComputationalGroupForInput(int n);
  void RestoreComputationalGroup();
  void ApplyCircularRoot();
  void SetStandardProfile();
  void SetKeepShifts(bool on);
  void ApplyGearTypePresentation();
  void BalanceSlidingCommand();
  void CheckCommand();
  void DistributeCommand();
  void ComputedTipsCommand();
  void OpenBacklashDialog();
  void FollowProtuberanceTools();

  GearPair& g_;
  std::array<ControlState, kControlCount> controls_{};
  Control focused_ = Control::None;
  bool resultsVisible_ = false;
  bool resultsStale_ = true;
  int activeTab_ = 0;
  bool lastEntryRefused_ = false;
  bool lastCheckFailed_ = false;    // the last run of the check ended in an error
  bool clickZero_ = false;          // a press on "Nuluj" is under way
  bool clickComputedTips_ = false;  // a press on "Výpočetní hlavové průměry"
  std::string resultsCaption_;
  std::string tableCaption_;
  FormRequests requests_;
  std::vector<MainEventListener*> listeners_;

  void Notify(MainEvent event) {
    for (MainEventListener* tab : listeners_) tab->OnMainEvent(event);
  }
  // The active page changes; leaving "Identifikace   " resets the backlash.
  void ChangeTab(int tab);
};

// Captions of the windows.
inline constexpr const char* kMainCaption = "Geometrický výpočet ozubení";

}  // namespace kolmira
