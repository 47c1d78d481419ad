#include "forms/ScriptedUser.h"

namespace kolmira {

bool ScriptedUser::Type(Dialog d, std::string_view field, std::string text) {
  ws_.Focus(d, field);
  if (ws_.lastEntryRefused()) return false;
  // Every key press reaches the main dialog's key rule first.
  ws_.Key(d, kolmira::Key::Other);
  return ws_.Type(d, field, std::move(text));
}

bool ScriptedUser::Enter(Dialog d, std::string_view field, std::string text) {
  return Type(d, field, std::move(text)) && Leave(d);
}

bool ScriptedUser::Press(Dialog d, std::string_view control) {
  return ws_.Press(d, control) && !ws_.lastEntryRefused();
}

bool ScriptedUser::Key(Dialog d, kolmira::Key key) {
  ws_.Key(d, key);
  return !ws_.lastEntryRefused();
}

bool ScriptedUser::Leave(Dialog d) {
  ws_.Focus(d, "");
  return !ws_.lastEntryRefused();
}

std::vector<Message> ScriptedUser::Messages() {
  std::vector<Message> messages;
  for (Outcome& o : ws_.TakeOutcomes()) {
    if (o.kind == Outcome::Kind::Message) messages.push_back(std::move(o.message));
  }
  return messages;
}

}  // namespace kolmira
