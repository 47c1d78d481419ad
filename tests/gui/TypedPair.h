// A pair typed into the main dialog as a user would and checked: the steps
// are "field=text" (typed and left) and "!Control" (pressed), separated by
// blanks, e.g. "!GearInternal z2=-26 x2=-0.5".
#pragma once

#include <sstream>
#include <string>
#include <string_view>

#include "forms/ScriptedUser.h"
#include "forms/Workspace.h"

namespace kolmira::test {

// False when a step was refused or the check did not run.
inline bool TypeAndCheck(Workspace& ws, std::string_view steps) {
  ScriptedUser user(ws);
  std::istringstream words{std::string(steps)};
  bool done = true;
  for (std::string step; words >> step;) {
    const std::size_t eq = step.find('=');
    done = (step[0] == '!' ? user.Press(Dialog::Main, step.substr(1))
                           : user.Enter(Dialog::Main, step.substr(0, eq), step.substr(eq + 1))) &&
           done;
  }
  return ws.Check() && done;
}

}  // namespace kolmira::test
