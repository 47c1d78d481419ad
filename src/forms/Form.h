// The one protocol of every dialog and tab model (Presentation Model): its
// controls by name with their state, the focused control, and the events a
// user makes -- focus, type, press, keys -- with the entry cycle of the
// fields (the text a field had when it was entered, and its exit handler
// that validates the text when the field is left). A front end binds each
// widget to the control of the same name (its objectName) and forwards the
// events; the Workspace takes them from there.
//
// The base holds the control table, the lookup by name, caption or alias,
// the focus and the entry cycle; each form holds only its own rules.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/GearPair.h"

namespace kolmira {

// What a control is: it decides what a widget of it does with the mouse and
// the keys.
enum class ControlKind { Field, Button, Option, CheckBox, Tab, Label, Group, Picture };

struct ControlState {
  std::string text;
  bool enabled = true;
  bool visible = true;
  bool readOnly = false;
  bool checked = false;
  bool bold = false;
  bool red = false;  // drawn in red instead of the default colour
};

// One control of a form, listed once. The name is the widget's objectName;
// the caption is the control's text at creation ('&' before the accelerator
// letter) and, without '&', a name the control answers to; the aliases are
// further names separated by '|': the state variable of a field, ASCII names
// for the command line.
struct ControlInfo {
  std::string_view name;
  ControlKind kind;
  std::string_view caption = {};
  std::string_view aliases = {};
};

enum class Key { Enter, Escape, F1, Other };

// The dialogs and tabs that have a form, and the windows of the results:
// the report, the dimension table and the shift map.
enum class Dialog {
  Main,
  Backlash,
  RackTools,
  ShaperCutter,
  Measure,
  Ident,
  Report,
  Table,
  ShiftMap
};

// What a form asks of the program around it; the Workspace takes the
// requests after every event.
struct FormRequest {
  enum class Kind { Open, Help, Quit, SaveFile, LoadFile, PrintTable, PrintShort };
  Kind kind = Kind::Open;
  Dialog dialog = Dialog::Main;  // Open
  int helpContext = 0;           // Help: a topic, or 0 for the contents
  bool operator==(const FormRequest&) const = default;
};

class Form {
 public:
  // `controls` lists the form's controls; entry 0 stands for "no control".
  Form(GearPair& g, std::string_view name, std::span<const ControlInfo> controls);
  virtual ~Form() = default;
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  // The form's name: the command line's prefix of its controls.
  std::string_view Name() const { return name_; }

  // Controls by index (1 .. ControlCount() - 1, in the order listed) ...
  int ControlCount() const { return static_cast<int>(infos_.size()); }
  const ControlInfo& Info(int index) const { return infos_[index]; }
  // The state of a control as shown now. Most states are stored; a form
  // whose controls follow the gear-pair state directly derives them here.
  virtual ControlState StateOf(int index) const { return states_[index]; }
  // ... and by name: the control's name, its caption without '&', or an
  // alias. Find("") is 0 (no control); an unknown name is nullopt.
  std::optional<int> Find(std::string_view name) const;
  std::optional<ControlState> control(std::string_view name) const;
  // Every control with its state, in the order listed.
  std::vector<std::pair<std::string, ControlState>> Controls() const;

  // The focused control's name, "" when none.
  std::string_view focused() const { return focus_ == 0 ? "" : infos_[focus_].name; }
  int focusIndex() const { return focus_; }
  // True when a field exit of the last event refused its text: its message
  // is queued and the focus stays in the field.
  bool lastEntryRefused() const { return lastEntryRefused_; }

  // The dialog's show event (a tab: it became the active page).
  virtual void Show() = 0;
  virtual bool visible() const = 0;

  // The focus moves to the named control ("" out of the form's controls):
  // the field that had it is left (validated), then the control is entered.
  // False for a name the form does not know or a control that cannot take
  // the focus now.
  bool Focus(std::string_view name);
  // Text typed into the named field, replacing its text; the focus moves to
  // the field first. False when the name is not a field that takes text now,
  // or when the field that had the focus refused its text.
  bool Type(std::string_view name, std::string text);
  // The mouse goes down on the named control, before the focus moves: some
  // controls make the field that loses the focus skip its validation (the
  // program is being left, a file loaded, a dialog cancelled ...).
  void BeginPress(std::string_view name);
  // A click on the named button, option or check box. The focus moves to it
  // first when it takes the focus; a refusal of the field left swallows the
  // click. False for a name the form does not know as pressable.
  bool Press(std::string_view name);
  // The focus part of a press: the focus moves to the control as its click
  // would move it. False when the form does not know the control as
  // pressable; a refusal of the field left shows in lastEntryRefused().
  bool PressFocus(std::string_view name);
  // The press is over (released, or swallowed): what BeginPress suspended
  // holds again.
  virtual void EndPress() {}
  // A key pressed with the focus where it is.
  void PressKey(Key key) {
    lastEntryRefused_ = false;
    OnKey(key);
  }

  // The button that the window frame's close button stands for; empty when
  // closing the window is its Esc key.
  virtual std::string_view CloseControl() const { return {}; }

  // The requests made since they were last taken, oldest first.
  std::vector<FormRequest> TakeRequests() { return std::exchange(requests_, {}); }

 protected:
  template <typename E>
  static constexpr int I(E control) {
    return static_cast<int>(control);
  }
  ControlState& state(int index) { return states_[index]; }
  const ControlState& stored(int index) const { return states_[index]; }
  std::string& text(int index) { return states_[index].text; }
  template <typename E>
  ControlState& state(E control) {
    return states_[I(control)];
  }
  template <typename E>
  std::string& text(E control) {
    return states_[I(control)].text;
  }
  template <typename E>
  const ControlState& stored(E control) const {
    return states_[I(control)];
  }
  bool IsField(int index) const { return infos_[index].kind == ControlKind::Field; }
  // Every control's state, to be put back when an entry is undone.
  std::vector<ControlState> SavedStates() const { return states_; }
  void RestoreStates(std::vector<ControlState> states) { states_ = std::move(states); }

  // The entry cycle. MoveFocus leaves the focused field (LeaveField), and
  // unless that refused the text or moved the focus itself, moves the focus
  // to `target` (FocusMoved) and enters it (EnterField). Returns whether the
  // focus arrived at `target`.
  bool MoveFocus(int target);
  // Validates the text of a field that loses the focus.
  virtual void LeaveField(int field) = 0;
  // A field receives the focus: its text is taken as the text on entry.
  virtual void EnterField(int field) { textOnEntry_ = states_[field].text; }
  virtual void FocusMoved(int /*from*/, int /*to*/) {}

  // What the events accept; each form narrows them to its dialog's rules.
  virtual bool Focusable(int index) const;
  virtual bool Typable(int index) const;
  virtual bool Pressable(int index) const;
  // A pressable control that is not clickable now ignores the click.
  virtual bool Clickable(int /*index*/) const { return true; }
  virtual bool TakesFocus(int /*index*/) const { return true; }
  virtual void OnBeginPress(int /*index*/) {}
  virtual void Click(int /*index*/) {}
  virtual void OnKey(Key /*key*/) {}
  // Typing puts the text into the field.
  virtual void SetText(int field, std::string value) { states_[field].text = std::move(value); }

  // A field refuses its text: the message box is queued, the focus stays.
  void Refuse(int field, std::string title, std::string message);
  // The pair back as it was before an entry the form refused; the message
  // boxes queued meanwhile (the refusal's own) stay.
  void RestorePair(const GearPair& before);
  void Request(FormRequest request) { requests_.push_back(request); }
  void RequestHelp(int context) { Request({FormRequest::Kind::Help, Dialog::Main, context}); }

  GearPair& g_;
  int focus_ = 0;
  std::string textOnEntry_;
  bool lastEntryRefused_ = false;

 private:
  std::string_view name_;
  std::span<const ControlInfo> infos_;
  std::vector<ControlState> states_;
  std::vector<FormRequest> requests_;
};

}  // namespace kolmira
