// Presentation model of the shaper cutter dialog TFellowDlg ("Obrážecí
// kolečko Fellow"): the Fellows cutter that generates the ring of an internal
// pair. Its four fields (teeth, shift, root and tip radius coefficients), the
// options "Max. funkční výška zubu nástroje" and "Plně zaoblená hlava", the
// read-outs of the cutter's involute start, tip diameter, tip thickness and
// tip rounding, and "&OK", "&Zpět" and "&Help". The cutter's tip cuts the
// ring's root fillet, so the dialog hands its tip radius to the main dialog;
// it changes the main dialog only through its services.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "forms/Form.h"
#include "forms/MainForm.h"
#include "model/GearPair.h"

namespace kolmira {

// Controls of the shaper cutter dialog.
// clang-format off
enum class FellowControl : int {
  None,
  Edit1,             // "Počet zubů" z0
  Edit2,             // "Jednotková korekce" x0
  Edit3,             // "Poměrný rádius paty" rhof0*
  Edit4,             // "Poměrný rádius hlavy" rhoa0*
  CheckBox1,         // "Max. funkční výška zubu nástroje"
  CheckBox2,         // "Plně zaoblená hlava"
  LabelDL0,          // diameter where the cutter's involute begins [mm]
  LabelAlphaL0,      // pressure angle there
  LabelAlphaL0Unit,  // "[°]" beside it (hidden while angles are in DMS)
  LabelDa0,          // tip diameter [mm]
  LabelSa0,          // tip thickness, normal section [mm]
  LabelCa0,          // radial height of the tip rounding [mm]
  OKBtn,             // "&OK"
  BackBtn,           // "&Zpět"
  HelpBtn,           // "&Help"
  Count
};
// clang-format on

inline constexpr int kFellowControlCount = static_cast<int>(FellowControl::Count);

std::string_view FellowControlName(FellowControl c);

class FellowForm : public Form {
 public:
  std::string_view CloseControl() const override { return "BackBtn"; }
  FellowForm(GearPair& g, MainForm& main);

  // Names: fields "Edit1" .. "Edit4" or their state variables ("z0", "x0",
  // "rhof0Star", "rhoa0Star"); check boxes and buttons by their control
  // name, their caption without '&' or an ASCII alias ("max-funkcni",
  // "plne-zaoblena", "ok", "zpet", "help"). While the dialog is closed
  // nothing can be focused, typed or pressed; a read-only field takes no
  // typing. A click on a check box moves the focus first, so the field left
  // is validated and a refusal stops the click. "&OK" validates the focused
  // field itself (the cutter warnings are then not shown) and stays open
  // when it refuses. The press of "&Zpět" sets fellowDlgClosing, so that the
  // field left for it is not validated.
  void Show() override;
  bool visible() const override { return visible_; }
  // Keys: Enter validates the focused field at once; F1 asks for help.
  void OnKey(Key key) override;

  // The control's state. The check boxes and the read-only state of Edit3
  // and Edit4 follow the option flags of the state (the main dialog clears
  // them too); the angle read-out follows the DEC / DMS choice.
  ControlState StateOf(int index) const override;
  using Form::control;
  ControlState control(FellowControl c) const { return StateOf(I(c)); }

 private:
  enum class Outcome { Refused, Unchanged, Accepted };

  bool Reachable(int index) const;
  bool Focusable(int index) const override { return Reachable(index); }
  bool Pressable(int index) const override { return !IsField(index) && Reachable(index); }
  bool TakesFocus(int index) const override {
    return index != I(FellowControl::OKBtn) && index != I(FellowControl::HelpBtn);
  }
  void OnBeginPress(int index) override;
  void EndPress() override;
  void Click(int index) override;
  void LeaveField(int field) override;
  void FocusMoved(int from, int to) override;

  Outcome Validate(FellowControl field);
  void Refuse(FellowControl field, const std::string& message);
  void KeepForRestore(FellowControl field, double value);

  Outcome AcceptTeeth(const std::string& typed);
  Outcome AcceptShift(const std::string& typed);
  Outcome AcceptRootRadius(const std::string& typed);
  Outcome AcceptTipRadius(const std::string& typed);
  void CutterChanged();
  void CommonEnding();
  void Warnings();
  double LargestTipRadius();
  void RingFilletFromTip();
  void UpdatePair();
  void Refresh();
  void Redisplay();

  void PressEnter();
  void ClickMaxFunctional();
  void ClickFullyRounded();
  void OkCommand();
  void BackCommand();

  MainForm& main_;
  bool visible_ = false;
  double alphaL0Degrees_ = 0.0;  // the angle read-out, formatted when asked for
  bool shown_ = false;           // the read-outs have been written
  // Text of the focused field as Enter accepted it: leaving the field with
  // that text does not validate it again.
  std::optional<std::string> enterAccepted_;
  // A refused value stays in the state until it is corrected; when the
  // dialog is left by "&Zpět" instead, the last accepted value returns.
  FellowControl refusedField_ = FellowControl::None;
  double valueBeforeRefusal_ = 0.0;
};

// Texts of the dialog.
inline constexpr const char* kFellowCaption = "Obrážecí kolečko Fellow";
// The cutter warnings are plain message boxes titled with the program's name.
inline constexpr const char* kFellowWarningTitle = "Kolmira ozubení";
inline constexpr const char* kCutterUndercutWarning = "Nástroj je podřezaný";
inline constexpr const char* kCutterNegativeTipWarning = "Nástroj má zápornou tloušťku hlavy";
inline constexpr int kFellowHelpContext = 7;

}  // namespace kolmira
