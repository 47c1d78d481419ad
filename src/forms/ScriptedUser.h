// A user scripted in code: each step is the events a person makes with the
// keyboard and the mouse, handed to the Workspace in their order. The
// command line, the tests and the benchmarks drive the program through it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "forms/Workspace.h"

namespace kolmira {

class ScriptedUser {
 public:
  explicit ScriptedUser(Workspace& ws) : ws_(ws) {}

  // The focus goes into the field and the text is typed over its text; the
  // field keeps the focus. False when the field left on the way refused its
  // text or the name is no field that takes text.
  bool Type(Dialog d, std::string_view field, std::string text);
  // Type, then the focus leaves the field (Tab out of the dialog's fields):
  // true when every exit on the way accepted its text.
  bool Enter(Dialog d, std::string_view field, std::string text);
  // A click (see Workspace::Press): false when the name is unknown or a
  // field left for it refused its text.
  bool Press(Dialog d, std::string_view control);
  bool Key(Dialog d, Key key);
  // The focus leaves the form's fields.
  bool Leave(Dialog d);

  // The outcomes of the steps since the last call, in order, and the
  // message boxes among them.
  std::vector<Outcome> Take() { return ws_.TakeOutcomes(); }
  std::vector<Message> Messages();

 private:
  Workspace& ws_;
};

}  // namespace kolmira
