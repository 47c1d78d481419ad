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
// aw, alphaWt, jn). A backlash typed into the main dialog opens it; when it
// closes, by "Ok", "Esc" or the Esc key, the main dialog follows the mode it
// left (the Workspace wires the two).
#pragma once

#include <optional>
#include <string>

#include "forms/Form.h"
#include "forms/MainForm.h"
#include "model/GearPair.h"

namespace kolmira {

class BacklashForm : public Form {
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

  BacklashForm(GearPair& g, MainForm& main);

  // Names: the control names above, the captions without '&', the fields'
  // state variables (awJ, xSumBacklash, jn) and ASCII aliases (prime,
  // korekci, odsunutim, obe, pastorek, kolo, frezu, prebrousenim, ok, esc,
  // help). Fields and buttons take the focus; a hidden or disabled button
  // ignores a click. The press of "Esc" cancels the dialog: the field that
  // loses the focus to it is not validated.
  void Show() override;
  bool visible() const override { return visible_; }
  // Enter accepts the focused field and moves to the next one; Esc returns
  // the backlash to its default through the main dialog's zeroing and closes
  // the dialog; F1 asks for help.
  void OnKey(Key key) override;

  using Form::control;
  const ControlState& control(Item c) const { return stored(c); }
  const std::string& caption() const { return caption_; }
  bool cancelled() const { return cancelled_; }
  Result result() const { return result_; }

  // 1 direct entry, 2 by an extra profile shift, 3 by moving apart.
  int Mode() const;

 private:
  bool Focusable(int index) const override;
  bool Typable(int index) const override;
  bool Pressable(int index) const override;
  bool Clickable(int index) const override;
  void OnBeginPress(int index) override;
  void LeaveField(int field) override;
  void Click(int index) override;

  bool ExitCentreDistance(double value);
  bool ExitShiftSum(double value);
  bool ExitBacklash(double value);
  std::optional<std::string> ShiftSumRefusal(double xs);
  void ApplyShiftSumBacklash();
  void ChooseMode(int mode);
  void ChooseThinning(Item option);
  void PressEnter();
  void PressEscapeKey();
  void OkCommand();
  void Close(Result result);
  void Refuse(Item field, const std::string& message);

  // Control states and texts from the state.
  void Present();
  void WriteFields();
  void WriteMainFields();
  void Refresh();

  MainForm& main_;
  std::string caption_;
  std::string shiftModeCaption_;  // mode 2's caption outside rack mode
  bool visible_ = false;
  bool cancelled_ = false;
  Result result_ = Result::None;
};

// Texts of the dialog.
inline constexpr const char* kBacklashCaption = "Způsob tvorby boční vůle";
inline constexpr const char* kBacklashNegative = "Boční vůle musí být kladná.";
inline constexpr const char* kBacklashAboveModule =
    "Boční vůle musí být menší než velikost modulu.";
inline constexpr int kBacklashHelpContext = 6;

}  // namespace kolmira
