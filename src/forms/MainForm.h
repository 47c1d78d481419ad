// Presentation model of the main dialog TPagesDlg: its first tab "Zadání  "
// (the inputs of the pair) and its own controls (gear type, "Fellow",
// DEC/DMS, the command buttons). It owns the text, enabled, visible,
// read-only and checked state of every control, the focus, and the handlers
// of every field and button; it calls the engine and queues its message
// boxes on the gear-pair state.
//
// The sources follow its responsibilities: MainForm.cpp the dialog and its
// events (controls, focus, keys, presses, pages), MainFormFields.cpp the
// acceptance of each field, MainFormPresentation.cpp the gear type and what
// the fields show, MainFormCommands.cpp the command buttons,
// MainFormFiles.cpp the input files.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "forms/Form.h"
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

// The input fields by their numbers, which the state keeps as lastInputField
// (the field accepted last, where the focus returns after a failed check).
enum InputField : int {
  kModuleField = 1,       // mn
  kPinionTeethField,      // z1
  kWheelTeethField,       // z2, or "Hřeben"
  kHelixField,            // betaDeg
  kFaceWidthField,        // b
  kShiftSumField,         // xSum
  kPinionShiftField,      // x1
  kWheelShiftField,       // x2
  kCentreDistanceField,   // aw
  kPressureAngleField,    // alphaWtDeg
  kPinionAddendumField,   // haP1Star
  kWheelAddendumField,    // haP2Star
  kPinionClearanceField,  // cP1Star
  kWheelClearanceField,   // cP2Star
  kPinionFilletField,     // rhofP1Star
  kWheelFilletField,      // rhofP2Star
  kProfileAngleField,     // alphaPDeg
  kPinionTipField,        // da1
  kWheelTipField,         // da2, or the rack's addendum
  kShaftAngleField,       // SigmaDeg
  kBacklashField,         // jn
};

// Field n (1..21) and back; 0 for a control that is not a field.
constexpr Control FieldControl(int n) {
  return n >= 1 && n <= 21 ? static_cast<Control>(static_cast<int>(Control::Edit1) + n - 1)
                           : Control::None;
}
constexpr int FieldNumber(Control c) {
  const int n = static_cast<int>(c) - static_cast<int>(Control::Edit1) + 1;
  return n >= 1 && n <= 21 ? n : 0;
}
// The angle fields, typed as D.MMSSss and shown in DMS form when chosen.
bool IsAngleField(int n);
// Name of a control as the dialog and the command line know it ("Edit6").
std::string_view ControlName(Control c);
// The state variable a field edits ("mn", "z1", ... "jn").
std::string_view FieldVariable(int n);

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
  AngleFormChanged,   // "DEC" or "DMS" was chosen
};

class MainEventListener {
 public:
  virtual ~MainEventListener() = default;
  virtual void OnMainEvent(MainEvent event) = 0;
};

class MainForm : public Form {
 public:
  explicit MainForm(GearPair& g);

  // Program start: the state's defaults with an external pair, then the
  // dialog's show event.
  void Start();
  void Show() override;
  bool visible() const override { return true; }

  // Names: the control names above, the buttons' captions without '&', the
  // fields' state variables (mn, z1 ... jn) and ASCII aliases for the
  // command line (kontrola, nuluj, rozdel, skluzy, hlavove, standard,
  // nestandard, kruhova-pata, dec, dms, drzet-korekce, fellow, nastroje,
  // vnejsi, vnitrni, kuzelove, ulozit, nacist, konec, help). Every control
  // can be focused and pressed, every field typed into.
  //
  // The mouse rule: a press on "&Načíst vstupy", "&Konec", "&Help" or a
  // gear-type option suspends the validation of the field that loses the
  // focus to it (BeginPress), so that a file can be loaded, the program
  // left, help asked for or the type changed from a field holding an
  // invalid value; the press is over with EndPress.
  void EndPress() override;
  // Keys with the focus where it is: Enter accepts the focused field as
  // leaving it would, then re-runs the shown check; F1 asks for help at the
  // focused control's context; any other key unchecks the keep-shifts box
  // outside its fields and follows the protuberance tools.
  void OnKey(Key key) override;
  // A click on the dialog's free surface: accepts the backlash field when it
  // has the focus.
  void ClickOnForm();

  using Form::control;
  const ControlState& control(Control c) const { return stored(c); }
  Control focusedControl() const { return static_cast<Control>(focusIndex()); }
  bool resultsVisible() const { return resultsVisible_; }
  // Whether the complete check ran, without a blocking error, on the inputs
  // as they stand: no input changed since (whether or not its report is
  // shown now).
  bool CheckCurrent() const;
  bool resultsStale() const { return resultsStale_; }
  int activeTab() const { return activeTab_; }
  const std::string& resultsCaption() const { return resultsCaption_; }
  const std::string& tableCaption() const { return tableCaption_; }
  GearPair& pair() { return g_; }

  // Whether the pair as it stands, and the check it would be put to, are
  // numbers throughout.
  bool ConsequencesFinite() const;

  // The running of the check shared by the buttons and by every accepted
  // input while the results are shown.
  void RunCheckProcedure();
  void RerunCheckIfVisible();
  void HideResults();

  // Services for the dialogs and tabs around the main dialog: they change
  // the state, then ask the main dialog to show it and to re-run what
  // depends on it.
  void WriteAllFields();
  void WriteField(int n);  // field n from the state, in the "all fields" format
  // Every field shows the value the pair computes with: a field whose text
  // stands for another value (a value cut back, or computed anew by a
  // dialog or the check) is written again in its format. The field being
  // edited keeps its text.
  void ShowPairInFields();
  void ShowTipDiameters();
  void ShowWorkingAngle();
  // The shift sum and centre distance the backlash makes (not of a rack).
  void ShowShiftSumAndCentreDistance(double xSum, double aw);
  // The backlash was set back to none: the field reads "0".
  void ShowBacklashCleared();
  // "KOMPLE&XNÍ KONTROLA", the file commands and "Fellow" take part, and the
  // DEC / DMS choice shows, only while the pair is entered.
  void SetInputCommandsEnabled(bool enabled);
  void ResetCaptions();
  void ZeroCommand();  // "Nuluj"
  // The six basic rack fields and "Kruhová pata" (disabled while a tool has a
  // protuberance, whose data then define the basic rack).
  void SetBasicRackEnabled(bool enabled);
  // "Standard" / "Nestandard": which is checked, and whether "Nestandard"
  // can be chosen.
  void SetStandardChoice(bool standard, bool nonStandardEnabled);
  // toolsDefault from the basic rack of the gear type.
  void StandardProfileTest();
  // The full round roots of both gears re-derived after the basic rack
  // changed elsewhere (a rack tool's addendum cuts a deeper or shallower
  // root): fillet radii beyond them are cut back, and the tools follow.
  void RederiveRootRadii();
  // The backlash dialog has closed (by any of its buttons or keys): the
  // computational group follows the way the backlash is made. By an extra
  // shift the new shift sum is to be divided ("Rozděl korekce"; a rack's x1
  // is already set); by moving apart the shifts x1 and x2 are entered.
  void AfterBacklashDialog();
  // The backlash dialog is about to open: while the backlash is fresh, the
  // pair as it stands is the backlash-free pair that a change of the
  // dialog's mode returns to.
  void BeforeBacklashDialog();

  // Input files. "&Uložit vstupy" checks before the save dialog (refused:
  // the message is queued); then, with the name the dialog returned, the
  // save itself. "&Načíst vstupy": reads the file and applies it only when
  // it is complete. Both set the window captions from the path.
  bool PrepareSave();
  bool SaveInputs(const std::string& path);
  bool LoadInputs(const std::string& path);

  // The tab models (measurement, identification) told of the events above,
  // in the order added. A listener must remove itself before it dies.
  void AddListener(MainEventListener* tab);
  void RemoveListener(MainEventListener* tab);

 private:
  // Form.
  void OnBeginPress(int index) override;
  void Click(int index) override;
  bool Typable(int index) const override { return IsField(index); }
  bool Pressable(int /*index*/) const override { return true; }
  void EnterField(int n) override;
  void LeaveField(int n) override;
  void FocusMoved(int from, int to) override;

  void RequestFocus(Control c);
  bool ValidationSuspended() const;
  void Refuse(int n, const std::string& message);
  void RefuseWithTitle(int n, const char* title, const std::string& message);
  void Notify(MainEvent event);
  // The active page changes; leaving "Identifikace   " resets the backlash.
  void ChangeTab(int tab);
  void KeyPress();
  void PressEnter();
  void PressF1();
  void ClearPressFlags();

  // MainFormFields.cpp: mandatory inputs and each field's acceptance.
  bool MandatoryTest();
  void MandatoryGroupExit();
  bool Accept(int n, double value, bool changed);
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
  // The field's bounds (see FieldRefusal): a value outside them is refused
  // with the field's message.
  bool RefusedByBounds(int n, double value);
  void ResetComputationalInputs();
  void ClearComputedTips();

  // MainFormPresentation.cpp: gear type, rack mode and what fields show.
  void ChooseGearType(GearType type);
  void ApplyGearTypePresentation();
  void RackModePresentation();
  void ComputationalGroupForInput(int n);
  void RestoreComputationalGroup();
  void ShowShiftsEntry();
  void SetKeepShifts(bool on);
  void ZeroShiftsAndShow();
  void ShowAngle(int n, double degrees, int width, int decimals);
  double ShownValue(int n) const;
  void WriteAngleFields(bool dms);
  void ApplyCircularRoot();

  // MainFormCommands.cpp: the command buttons.
  void CheckCommand();
  void DistributeCommand();
  void BalanceSlidingCommand();
  void ComputedTipsCommand();
  void CircularRootCommand();
  void SetStandardProfile();
  void ShowResults();
  int HelpContextOfLastInput() const;

  // MainFormFiles.cpp.
  void SetFileCaptions(const std::string& path);

  bool resultsVisible_ = false;
  bool resultsStale_ = true;
  int activeTab_ = 0;
  bool lastCheckFailed_ = false;    // the last run of the check ended in an error
  bool clickZero_ = false;          // a press on "Nuluj" is under way
  bool clickComputedTips_ = false;  // a press on "Výpočetní hlavové průměry"
  int refusedField_ = 0;            // the field whose text was refused, 0 for none
  std::string resultsCaption_;
  std::string tableCaption_;
  std::string checkedInputs_;  // the inputs of the last complete check, "" after a failed one
  std::vector<MainEventListener*> listeners_;
};

// Captions of the windows.
inline constexpr const char* kMainCaption = "Geometrický výpočet ozubení";
// Help: the file the dialogs open at their contexts.
inline constexpr const char* kHelpFile = "help_kolmira.hlp";
inline constexpr const char* kHelpNotFound = "Help nenalezen.";

}  // namespace kolmira
