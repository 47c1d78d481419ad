// The program as its user meets it: a Workspace driven by a scripted user.
// Every step keeps what it led to -- the message boxes, the windows shown,
// the help asked for -- for the test to look at.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "forms/MainForm.h"
#include "forms/ScriptedUser.h"
#include "forms/Workspace.h"

namespace kolmira::test {

// Members of the state by name (separated by blanks), with their values:
// reals to 15 significant digits, flags and integers as numbers.
inline std::string StateValues(const GearPair& g, std::string_view names) {
  std::string all;
  while (!names.empty()) {
    const std::size_t blank = names.find(' ');
    const std::string_view name = names.substr(0, blank);
    names.remove_prefix(blank == std::string_view::npos ? names.size() : blank + 1);
    std::string value = "<unknown>";
    char buffer[40];
#define KOLMIRA_TEST_REAL(member)                                  \
  if (name == #member) {                                           \
    std::snprintf(buffer, sizeof buffer, "%.15g", g.member + 0.0); \
    value = buffer;                                                \
  }
#define KOLMIRA_TEST_NUMBER(member) \
  if (name == #member) value = std::to_string(static_cast<int>(g.member));
    KOLMIRA_STATE_ALL(KOLMIRA_TEST_REAL, KOLMIRA_TEST_NUMBER, KOLMIRA_TEST_NUMBER)
#undef KOLMIRA_TEST_REAL
#undef KOLMIRA_TEST_NUMBER
    all += (all.empty() ? "" : " ") + std::string(name) + "=" + value;
  }
  return all;
}

class Program {
 public:
  Workspace ws;
  ScriptedUser user{ws};
  GearPair& g = ws.pair();
  MainForm& main = ws.main();
  // The outcomes of the last step, and the message boxes among them.
  std::vector<Outcome> outcomes;
  std::vector<Message> messages;
  // Every message box of the steps since the test last cleared it.
  std::vector<Message> log;
  int Count(std::string_view text) const {
    int n = 0;
    for (const Message& m : log) n += m.text == text ? 1 : 0;
    return n;
  }

  // The gear type by its number in the input file: 1 external (the type at
  // start), 2 internal, 3 bevel.
  void Choose(int type) {
    if (type != 1) Press(type == 2 ? "GearInternal" : "GearBevel");
  }

  // Text typed into a field and the field left: true when every field exit
  // accepted its text. A main dialog field goes by its number.
  bool Enter(int n, std::string text) { return Enter(Dialog::Main, Edit(n), std::move(text)); }
  bool Enter(Dialog d, std::string_view field, std::string text) {
    return Step([&] { return user.Enter(d, field, std::move(text)); });
  }
  // Text typed into a field, which keeps the focus.
  bool Type(int n, std::string text) { return Type(Dialog::Main, Edit(n), std::move(text)); }
  bool Type(Dialog d, std::string_view field, std::string text) {
    return Step([&] { return user.Type(d, field, std::move(text)); });
  }
  // The field typed and left; true when refused. A refused text is then
  // replaced by the text the field had, as the user would to go on; the
  // refusal's message boxes stay in `messages`.
  bool Refuses(Dialog d, const std::string& field, const std::string& text) {
    Focus(d, field);
    const std::string before = Text(d, field);
    if (Enter(d, field, text)) return false;
    const std::vector<Message> refusal = messages;
    Enter(d, field, before);
    messages = refusal;
    return true;
  }
  // The message that refuses the text (as Refuses), "<accepted>" for none.
  std::string Refusal(Dialog d, const std::string& field, const std::string& text) {
    return Refuses(d, field, text) ? LastMessage() : "<accepted>";
  }
  // A click; false when the name is unknown or a field exit refused.
  bool Press(std::string_view control) { return Press(Dialog::Main, control); }
  bool Press(Dialog d, std::string_view control) {
    return Step([&] { return user.Press(d, control); });
  }
  bool Key(Dialog d, kolmira::Key key) {
    return Step([&] { return user.Key(d, key); });
  }
  bool Focus(Dialog d, std::string_view control) {
    return Step([&] { return ws.Focus(d, control) && !ws.lastEntryRefused(); });
  }
  bool Focus(std::string_view control) { return Focus(Dialog::Main, control); }
  bool Open(Dialog d) {
    return Step([&] { return ws.Open(d); });
  }

  std::string Text(int n) const { return main.control(FieldControl(n)).text; }
  std::string Text(Dialog d, std::string_view control) const {
    const auto s = ws.form(d).control(control);
    return s ? s->text : "<no control " + std::string(control) + ">";
  }
  // The texts of the main dialog's fields `from` to `to`, joined by '|'.
  std::string Texts(int from, int to) const {
    std::string texts;
    for (int n = from; n <= to; ++n) texts += (n == from ? "" : "|") + Text(n);
    return texts;
  }
  // The texts of the named controls of a dialog, joined by '|'.
  std::string Texts(Dialog d, std::initializer_list<std::string_view> names) const {
    std::string texts;
    bool first = true;
    for (std::string_view name : names) {
      texts += (first ? "" : "|") + Text(d, name);
      first = false;
    }
    return texts;
  }
  ControlState State(Dialog d, std::string_view control) const {
    return ws.form(d).control(control).value_or(ControlState{"<none>"});
  }
  // The named controls, each with what sets it apart from a plain control
  // (shown, enabled, editable, unchecked, regular, default colour):
  // "Edit6 Edit7:hidden NonStandard:disabled,checked".
  std::string Flags(Dialog d, std::initializer_list<std::string_view> names) const {
    std::string all;
    for (std::string_view name : names) {
      const auto s = ws.form(d).control(name);
      std::string words;
      for (auto [on, word] : {std::pair{s && !s->visible, "hidden"},
                              {s && !s->enabled, "disabled"},
                              {s && s->readOnly, "read-only"},
                              {s && s->checked, "checked"},
                              {s && s->bold, "bold"},
                              {s && s->red, "red"},
                              {!s, "unknown"}}) {
        if (on) words += (words.empty() ? ":" : ",") + std::string(word);
      }
      all += (all.empty() ? "" : " ") + std::string(name) + words;
    }
    return all;
  }
  std::string Flags(std::initializer_list<std::string_view> names) const {
    return Flags(Dialog::Main, names);
  }
  // Members of the state by name, with their values: Values("jn
  // backlashDirect") reads "jn=0.1 backlashDirect=1".
  std::string Values(std::string_view names) const { return StateValues(g, names); }
  // The state's values of the members named in "z1=20 rackMode=0", written
  // the same way: equal to it when the state holds those values.
  std::string ValuesAs(std::string_view expected) const {
    std::string names;
    for (std::string_view rest = expected; !rest.empty();) {
      const std::size_t eq = rest.find('='), blank = rest.find(' ');
      names += (names.empty() ? "" : " ") + std::string(rest.substr(0, eq));
      rest.remove_prefix(blank == std::string_view::npos ? rest.size() : blank + 1);
    }
    return Values(names);
  }
  std::string_view Focused(Dialog d = Dialog::Main) const { return ws.form(d).focused(); }
  std::string LastMessage() const { return messages.empty() ? "" : messages.back().text; }
  std::string LastTitle() const { return messages.empty() ? "" : messages.back().title; }
  // Whether the last step showed the dialog, and the help context it asked
  // for (-1: none).
  bool Showed(Dialog d) const {
    for (const Outcome& o : outcomes) {
      if (o.kind == Outcome::Kind::ShowDialog && o.dialog == d) return true;
    }
    return false;
  }
  int HelpContext() const {
    for (const Outcome& o : outcomes) {
      if (o.kind == Outcome::Kind::Help) return o.helpContext;
    }
    return -1;
  }
  bool Asked(Outcome::Kind kind) const {
    for (const Outcome& o : outcomes) {
      if (o.kind == kind) return true;
    }
    return false;
  }

  static std::string Edit(int n) { return "Edit" + std::to_string(n); }
  // The texts of a table cell, '|' between them.
  static std::vector<std::string> Split(std::string_view texts) {
    std::vector<std::string> parts;
    for (std::size_t bar; (bar = texts.find('|')) != std::string_view::npos;) {
      parts.emplace_back(texts.substr(0, bar));
      texts.remove_prefix(bar + 1);
    }
    parts.emplace_back(texts);
    return parts;
  }
  // A number typed with every digit, so that it parses back to itself.
  static std::string Exact(double v) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.17g", v);
    return buffer;
  }

  // One event, its outcomes and the messages among them taken.
  template <typename F>
  bool Step(F step) {
    const bool done = step();
    outcomes = ws.TakeOutcomes();
    messages.clear();
    for (const Outcome& o : outcomes) {
      if (o.kind == Outcome::Kind::Message) messages.push_back(o.message);
    }
    log.insert(log.end(), messages.begin(), messages.end());
    return done;
  }
};

// A test fixture of one program.
class ProgramTest : public ::testing::Test, public Program {};

}  // namespace kolmira::test
