// Presentation model of the rack tool dialog TNastrojDlg ("Nástroje pro
// výrobu pastorku a kola"): one group per gear with the tool's addendum, tip
// radius, chamfering edge and protuberance, the protuberance angle that
// follows from them, the pictures of the tool tooth, and "OK", "Nuluj" and
// "Help". It keeps the basic rack of the main dialog consistent with the
// tools and changes the main dialog only through its services.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "forms/Form.h"
#include "forms/MainForm.h"
#include "model/GearPair.h"

namespace kolmira {

// Controls of the rack tool dialog. Edit1 .. Edit7 belong to the pinion's
// tool, Edit8 .. Edit14 to the wheel's (Edit5 and Edit12 stay hidden and
// inert: the protuberance angle is shown in Label35 / Label36).
// clang-format off
enum class ToolControl : int {
  None,
  Edit1, Edit2, Edit3, Edit4, Edit5, Edit6, Edit7,
  Edit8, Edit9, Edit10, Edit11, Edit12, Edit13, Edit14,
  Label35,       // protuberance angle of the pinion's tool
  Label36,       // protuberance angle of the wheel's tool
  DegreeUnit4,   // "[ ° ]" beside Edit4 (hidden while angles are in DMS)
  DegreeUnit11,  // beside Edit11
  DegreeUnit35,  // beside Label35
  DegreeUnit36,  // beside Label36
  CheckBox1,     // "Sražení hlavy pastorku"
  CheckBox2,     // "Protuberance pastorku"
  CheckBox3,     // "Sražení hlavy kola"
  CheckBox4,     // "Protuberance kola"
  GroupBox1,     // "Nástroj pro pastorek"
  GroupBox2,     // "Nástroj pro kolo"
  // Pictures of the tool tooth, one visible per group.
  PinionPlain, PinionChamfer, PinionProtuberance, PinionBoth,
  WheelPlain, WheelChamfer, WheelProtuberance, WheelBoth,
  OKBtn,         // "OK"
  Button1,       // "Nuluj"
  HelpBtn,       // "Help"
  Count
};
// clang-format on

inline constexpr int kToolControlCount = static_cast<int>(ToolControl::Count);

std::string_view ToolControlName(ToolControl c);

class RackToolForm : public Form {
 public:
  // The protuberance undercut check of one gear (1 pinion, 2 wheel) and the
  // recomputation of the pair that depends on the tools. The check owns it;
  // the program sets it when it wires the dialogs together. "OK" calls it for
  // each gear whose tool has a protuberance (the rack of the rack mode
  // excepted); while it is unset "OK" only closes the dialog.
  using ProtuberanceCheck = std::function<void(GearPair& g, int gear)>;

  RackToolForm(GearPair& g, MainForm& main);

  // Names: fields "Edit1" .. "Edit14" or their state variables
  // ("haP01Star", "prP02" ...); buttons and check boxes by their control
  // name, their caption without '&' or an ASCII alias ("ok", "nuluj",
  // "help", "srazeni1", "protuberance1", "srazeni2", "protuberance2"). A
  // hidden or disabled control, or any control while the dialog is closed,
  // cannot be focused, typed into or clicked. A click moves the focus first
  // ("Help" excepted), so the field left is validated and a refusal stops
  // the click; the press of "Nuluj" sets toolDlgClosing, so that the field
  // left for it is not validated (the reset clears the flag).
  void Show() override;
  bool visible() const override { return visible_; }
  // Keys: Enter validates the focused field at once; Esc closes the dialog
  // whatever its fields hold; F1 asks for help.
  void OnKey(Key key) override;

  // The dialog's creation: plain tools shown, optional fields hidden, every
  // field written from the state (the constructor runs it).
  void Create();
  // Rewrites every field from the state (angles in DEC or DMS form), e.g.
  // after the main dialog changed the basic rack or switched DEC / DMS.
  void WriteAllFields();

  void SetProtuberanceCheck(ProtuberanceCheck check) { protuberanceCheck_ = std::move(check); }

  // The control's state; Label35 / Label36 show the protuberance angle of
  // the state ("Nemá řešení" when the construction has none).
  ControlState StateOf(int index) const override;
  using Form::control;
  ControlState control(ToolControl c) const { return StateOf(I(c)); }

  // Caption and unit of the label beside a field or angle label ("" when
  // none); the caption is shown and hidden with its control.
  static std::string_view Caption(ToolControl c);
  static std::string_view Unit(ToolControl c);

 private:
  bool Reachable(int index) const;
  bool Focusable(int index) const override { return Reachable(index); }
  bool Typable(int index) const override { return Reachable(index); }
  bool Pressable(int index) const override { return !IsField(index) && Reachable(index); }
  bool TakesFocus(int index) const override { return index != I(ToolControl::HelpBtn); }
  void OnBeginPress(int index) override;
  void EndPress() override;
  void Click(int index) override;
  void SetText(int field, std::string value) override;
  void LeaveField(int field) override;

  // The field's validator: true when the value was accepted.
  bool Validate(ToolControl field);
  void Refuse(ToolControl field, const char* title, const std::string& message);
  void Accepted();
  bool ProtuberanceOk(int tool, ToolControl field);

  bool AcceptAddendum(int tool, double value);
  bool AcceptTipRadius(int tool, double value);
  bool AcceptChamferHeight(int tool, double value);
  bool AcceptChamferAngle(int tool, ToolControl field, double value);
  bool AcceptProtuberanceHeight(int tool, double value);
  bool AcceptProtuberanceSize(int tool, double value);

  void ClickOption(ToolControl box);
  void ShowOptionControls(int tool);
  void ShowPicture(int tool);
  void ResetCommand();  // "Nuluj"
  void OkCommand();     // "OK"
  void PressEnter();
  void PressEscape();
  void WriteToolFields(int tool);
  void ShowAngleField(ToolControl field, double degrees);
  bool WheelGroupShown() const { return g_.gearType != GearType::Internal; }

  MainForm& main_;
  bool visible_ = false;
  ProtuberanceCheck protuberanceCheck_;
  // The pair before the value a field refused, while that field holds it.
  std::optional<GearPair> refusedFrom_;
};

// Texts of the dialog.
inline constexpr const char* kToolDialogCaption = "Nástroje pro výrobu pastorku a kola";
inline constexpr const char* kToolProtuberanceImpossible = "Nemožné parametry protuberance";
inline constexpr const char* kToolNoSolution = "Nemá řešení";
// Written into a picture of a tool tooth that cannot be built.
inline constexpr const char* kToolNotConstructible = "Nástroj nelze sestrojit";
inline constexpr int kToolHelpContext = 3;

}  // namespace kolmira
