// What each field of the dialogs and tabs means, by the state variable it
// edits (its alias in the form's control table), for the command line's
// help. The unit is the one the field's text is typed in.
#pragma once

#include <optional>
#include <string_view>

#include "forms/Form.h"

namespace kolmira {

struct FieldMeaning {
  std::string_view unit;     // "mm", "deg" or "1"
  std::string_view meaning;  // a short sentence, in English
};

// The meaning of a form's field at `index`; nullopt for a field that is
// never typed (the rack tools' computed protuberance angles).
std::optional<FieldMeaning> MeaningOfField(const Form& form, int index);

// The state variable a field edits: the first alias of its control.
std::string_view FieldVariable(const ControlInfo& info);

}  // namespace kolmira
