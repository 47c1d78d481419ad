// Presentation model of the main dialog's tab "Identifikace   ": three
// methods side by side (chordal tooth thickness, span over teeth, dimension
// over balls), each with its measured inputs, its four parameter fields
// (module, profile angle, helix angle, profile shift) and its radio group
// choosing the parameter it computes. It owns the text, enabled, visible,
// read-only and checked state of the tab's controls, its focus and the
// handlers of its fields and groups; it calls the identification core and
// queues its message boxes on the gear-pair state. It follows the main
// dialog's tab and rack-mode events.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "engine/Identification.h"
#include "forms/Form.h"
#include "forms/MainForm.h"
#include "model/GearPair.h"

namespace kolmira {

// Controls of the tab. Fields keep the dialog's numbers: Edit36/37 scm,
// hcm; Edit38/39 k, Wm; Edit40/41 D, Mm; Edit42-45 the chordal method's
// mn, an, beta, x; Edit46-49 the span method's; Edit50-53 the balls
// method's. RadioGroupN_K is item K of RadioGroupN (0 module, 1 profile
// angle, 2 helix angle, 3 profile shift); its name is "RadioGroupN=K".
// clang-format off
enum class IdentControl : int {
  None,
  Edit36, Edit37, Edit38, Edit39, Edit40, Edit41,
  Edit42, Edit43, Edit44, Edit45, Edit46, Edit47, Edit48, Edit49,
  Edit50, Edit51, Edit52, Edit53,
  RadioGroup1_0, RadioGroup1_1, RadioGroup1_2, RadioGroup1_3,
  RadioGroup2_0, RadioGroup2_1, RadioGroup2_2, RadioGroup2_3,
  RadioGroup3_0, RadioGroup3_1, RadioGroup3_2, RadioGroup3_3,
  MeasuredFor,        // "Naměřeno pro kolo z =", "Hřeben" in rack mode
  Teeth1, Teeth2, Teeth3,  // z2 after it, in each method's group
  Diameter,           // "d   = " and da2
  // The further profile angles of the span method.
  Solution2Symbol, Solution2Subscript, Solution2,
  Solution3Symbol, Solution3Subscript, Solution3,
  Count
};
// clang-format on

inline constexpr int kIdentControlCount = static_cast<int>(IdentControl::Count);

// Names: the control names ("Edit39", "RadioGroup2=1") and the state
// variables of the fields ("scMeas", "WMeas", "mnId0", "alphaId1", "xId2"
// ...); "RadioGroupN=K" presses item K of group N.

// The field of a method's parameter, and the item of a method's group.
IdentControl ParameterField(IdentMethod method, IdentParameter which);
IdentControl RadioItem(IdentMethod method, IdentParameter which);

class IdentForm : public Form, public MainEventListener {
 public:
  // Registers itself with the main dialog, which must outlive it. This is
  // the tab's create event: the computed fields (the shifts) are read-only
  // and the lines of further solutions hidden.
  IdentForm(GearPair& g, MainForm& main);
  ~IdentForm() override;

  // The tab became the active page: it is prepared from the pair.
  void Show() override;
  bool visible() const override;
  // Enter accepts the focused field as leaving it would.
  void OnKey(Key key) override;

  void OnMainEvent(MainEvent event) override;

  // Writes every field from the state: module 3 decimals, shift 4, angles
  // in the chosen angle form, measured values 4 decimals, k as a count.
  void Refresh();

  // The parameter a method computes (its group's item).
  IdentParameter computed(IdentMethod method) const { return computed_[method]; }
  // How a method's last run ended; nullopt when it has not run since the
  // tab was last prepared from changed inputs.
  std::optional<IdentOutcome> lastRun(IdentMethod method) const { return lastRun_[method]; }
  using Form::control;
  const ControlState& control(IdentControl c) const { return stored(c); }

 private:
  bool Typable(int index) const override;
  void EnterField(int field) override;
  void LeaveField(int field) override;
  void Click(int index) override;

  // The tab became the active page, or the pair left rack mode.
  void Prepare();
  void Refuse(IdentControl field, const std::string& message);
  void MeasuredEntry(IdentControl field, const std::string& typed);
  void ParameterEntry(IdentControl field, const std::string& typed);
  // A click on item `which` of a method's group (also when the program
  // sets the item).
  void ChooseParameter(IdentMethod method, IdentParameter which);
  void SetItem(IdentMethod method, IdentParameter which);
  void ApplyReadOnly(IdentMethod method);
  // Runs a method's identification and shows the results.
  void Run(IdentMethod method);
  void ShowSolutions(bool shown);
  std::string AngleText(double radians) const;

  MainForm& main_;
  std::array<IdentParameter, 3> computed_{kIdentShift, kIdentShift, kIdentShift};
  // The span method found no helix angle in its last run: its field reads
  // "Neřešitelné" until the fields are written again ("Neřeš.").
  bool helixJustUnsolvable_ = false;
  // The rack mode as last presented: leaving it prepares the tab again.
  bool rackShown_ = false;
  std::array<std::optional<IdentOutcome>, 3> lastRun_{};
};

// Texts of the tab.
inline constexpr const char* kMeasuredForCaption = "Naměřeno pro kolo z =";
inline constexpr const char* kRackCaption = "Hřeben";
inline constexpr const char* kUnsolvableText = "Neřešitelné";
inline constexpr const char* kUnsolvableShort = "Neřeš.";

}  // namespace kolmira
