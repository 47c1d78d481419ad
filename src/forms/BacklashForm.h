// Presentation model of the backlash dialog TVuleF ("Způsob tvorby boční
// vůle"): how the normal backlash typed in the main dialog is produced.
//  1. "Přímé zadání boční vůle": the teeth are thinned (both gears by half,
//     only the pinion or only the wheel), by a thickened hob or by
//     regrinding the involute;
//  2. "Tvorba boční vůle korekcí": an extra profile shift at constant
//     centre distance (Edit2, the shift sum with backlash);
//  3. "Tvorba boční vůle odsunutím kol": the gears moved apart at constant
//     shifts (Edit1, the enlarged centre distance; for a pinion and rack
//     the displacement of the rack).
// Edit3 is the backlash itself in every mode; Label6 the centre distance at
// which the shown shift sum meshes without backlash. The dialog writes its
// results into the state and into the main dialog's fields (xSum, x1, x2,
// aw, alphaWt, jn). The main dialog opens it (its request backlashDialog);
// when it closes, by "Ok", "Esc" or the Esc key, it hands back to the main
// dialog (MainForm::AfterBacklashDialog), which follows the mode it left.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "forms/DialogForm.h"
#include "forms/MainForm.h"
#include "model/GearPair.h"

namespace kolmira {

class BacklashForm : public DialogForm {
 public:
  // Controls of the dialog, in the order Controls() lists them.
  enum class Item : int {
    None,
    Edit1,         // centre distance (mode 3: awJ), for a rack its displacement
    Edit2,         // shift sum (mode 2: xSumBacklash), for a rack x1
    Edit3,         // jn
    Label1,        // label of Edit1: "a", or "Odsun" for the rack's displacement
    Label2,        // subscript of Edit2's label: "Σ", or "1" for a rack
    Label3,        // subscript in mode 3's caption: "Σ", or "1" for a rack
    Label5,        // "a   bez vůle ="
    Label6,        // awNoBacklash
    RadioButton1,  // mode 1 "Přímé zadání boční vůle"
    RadioButton2,  // mode 2 "Tvorba boční vůle korekcí (a   konst.)"
    RadioButton3,  // mode 3 "Tvorba boční vůle odsunutím kol (x   konst.)"
    GroupBox1,     // "Přímé zadání"
    RadioButton4,  // "Zeslabit obě kola stejně"
    RadioButton5,  // "Zeslabit pouze pastorek"
    RadioButton6,  // "Zeslabit pouze kolo"
    GroupBox2,     // "Technologie"
    RadioButton7,  // "Zesílit frézu (včetně srážecí hrany a protuberance)"
    RadioButton8,  // "Zeslabit přebroušením evolventy"
    Image1,        // picture of the thickened hob
    Image2,        // picture of the reground involute
    OkButton,      // "Ok"
    EscButton,     // "Esc"
    HelpButton,    // "Help"
    Count
  };

  // How the dialog was closed.
  enum class Result { None, Ok, Cancel };

  // What the dialog asks of the program around it.
  struct Requests {
    int helpContext = -1;  // open "help_kolmira.hlp" at this context
  };

  BacklashForm(GearPair& g, MainForm& main);

  // DialogForm.
  std::string_view Name() const override { return "Vule"; }
  void Show() override;
  bool visible() const override { return visible_; }
  // Focusing "Esc" is the press of the mouse on it: the dialog is being
  // cancelled, and the field that loses the focus is not validated.
  bool Focus(std::string_view name) override;
  // Typing moves the focus to the field first. False as well for a field
  // that cannot take text in the current mode (disabled or hidden).
  bool Type(std::string_view name, std::string text) override;
  // A click: the focus moves to the control first (validating the field
  // that had it); a refusal there swallows the click.
  bool Press(std::string_view name) override;
  bool lastEntryRefused() const override { return lastEntryRefused_; }
  std::vector<std::pair<std::string, ControlState>> Controls() const override;

  // Keys. Enter accepts the focused field and moves to the next one; Esc
  // returns the backlash to its default through the main dialog's zeroing
  // and closes the dialog; F1 asks for help.
  void PressEnter();
  void PressEscapeKey();
  void PressF1();

  const ControlState& control(Item c) const { return controls_[Index(c)]; }
  Item focused() const { return focused_; }
  const std::string& caption() const { return caption_; }
  bool cancelled() const { return cancelled_; }
  Result result() const { return result_; }
  Requests& requests() { return requests_; }

  // 1 direct entry, 2 by an extra profile shift, 3 by moving apart.
  int Mode() const;

  static std::string_view ItemName(Item c);
  // A control by its name, its caption without '&', an ASCII alias, or (for
  // the fields) the state variable it edits.
  static std::optional<Item> ItemByName(std::string_view name);

 private:
  static int Index(Item c) { return static_cast<int>(c); }
  ControlState& state(Item c) { return controls_[Index(c)]; }
  static bool IsField(Item c) { return c == Item::Edit1 || c == Item::Edit2 || c == Item::Edit3; }

  void MoveFocus(Item c);
  void LeaveField(Item c);
  void Refuse(Item field, const std::string& message);
  bool ExitCentreDistance(double value);
  bool ExitShiftSum(double value);
  bool ExitBacklash(double value);
  std::optional<std::string> ShiftSumRefusal(double xs);
  void ApplyShiftSumBacklash();
  void ChooseMode(int mode);
  void ChooseThinning(Item option);
  void OkCommand();
  void Close(Result result);

  // Control states and texts from the state.
  void Present();
  void WriteFields();
  void WriteMainFields();
  void Refresh();

  GearPair& g_;
  MainForm& main_;
  std::array<ControlState, static_cast<int>(Item::Count)> controls_{};
  std::string caption_;
  std::string shiftModeCaption_;  // mode 2's caption outside rack mode
  Item focused_ = Item::None;
  std::string textOnEnter_;
  bool visible_ = false;
  bool cancelled_ = false;
  bool lastEntryRefused_ = false;
  Result result_ = Result::None;
  Requests requests_;
};

// Texts of the dialog.
inline constexpr const char* kBacklashCaption = "Způsob tvorby boční vůle";
inline constexpr const char* kBacklashNegative = "Boční vůle musí být kladná.";
inline constexpr const char* kBacklashAboveModule =
    "Boční vůle musí být menší než velikost modulu.";
inline constexpr int kBacklashHelpContext = 6;

}  // namespace kolmira
