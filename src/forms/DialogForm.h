// What every dialog model beside the main dialog offers its users (the Qt
// dialog and kolmira-cli): controls addressed by name, the focus, typing,
// pressing, and the states of its controls.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "forms/MainForm.h"

namespace kolmira {

class DialogForm {
 public:
  virtual ~DialogForm() = default;

  // The name of the dialog on the command line ("Vule", "Nastroj", "Fellow").
  virtual std::string_view Name() const = 0;

  // The dialog is shown (its show event).
  virtual void Show() = 0;
  virtual bool visible() const = 0;

  // The focus moves to the named control: a field by its control name
  // ("Edit3") or its state variable ("jn"), a button or option by its
  // caption without '&' or by an ASCII alias. The field that had the focus
  // is validated first (its exit handler). An empty name moves the focus
  // out of the dialog's fields. Returns false for an unknown name.
  virtual bool Focus(std::string_view name) = 0;

  // Text typed into the named field (replacing its text). False when the
  // name is not a field.
  virtual bool Type(std::string_view name, std::string text) = 0;

  // A click on the named button, option or check box. False when unknown.
  virtual bool Press(std::string_view name) = 0;

  // True when the last field exit refused its text (an error message, and
  // the focus stays in the field).
  virtual bool lastEntryRefused() const = 0;

  // Every control of the dialog with its state, in a fixed order.
  virtual std::vector<std::pair<std::string, ControlState>> Controls() const = 0;
};

}  // namespace kolmira
