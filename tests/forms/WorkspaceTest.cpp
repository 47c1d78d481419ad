// The Workspace as a front end meets it: the outcomes of each event in
// their order, the dialogs each control opens, and the focus moving between
// the forms.
#include "forms/Workspace.h"

#include <gtest/gtest.h>

#include "forms/BacklashForm.h"
#include "forms/Program.h"

namespace kolmira {
namespace {

using test::Program;
using Kind = Outcome::Kind;

// The outcomes' kinds in their order, with what names each.
std::string Describe(const std::vector<Outcome>& outcomes) {
  std::string text;
  for (const Outcome& o : outcomes) {
    if (!text.empty()) text += ", ";
    switch (o.kind) {
      case Kind::Message:
        text += o.messageKind == Outcome::MessageKind::Beep    ? "beep"
                : o.messageKind == Outcome::MessageKind::Error ? "error"
                                                               : "warning";
        break;
      case Kind::ShowDialog:
        text += std::string("show ") + (o.modal ? "modal " : "") + std::to_string(int(o.dialog));
        break;
      case Kind::HideDialog:
        text += "hide " + std::to_string(int(o.dialog));
        break;
      case Kind::Focus:
        text += "focus " + std::to_string(int(o.dialog)) + " " + o.control;
        break;
      case Kind::Help:
        text += "help " + std::to_string(o.helpContext);
        break;
      case Kind::Repaint:
        text += "repaint";
        break;
      case Kind::ChooseFile:
        text += o.file == Outcome::File::Save ? "save" : "load";
        break;
      case Kind::Quit:
        text += "quit";
        break;
    }
  }
  return text;
}

// Dialog numbers in the descriptions.
constexpr int kMain = 0, kVule = 1, kTools = 2, kFellow = 3, kReport = 6;

TEST(Workspace, OutcomesOfEachEventInTheirOrder) {
  Program p;
  auto after = [&p](auto event) {
    event();
    return Describe(p.ws.TakeOutcomes());
  };
  // A refused exit: the message, then the focus back in the field.
  // The focus goes where the front end put it: no outcome says so again.
  EXPECT_EQ(after([&] { p.ws.Focus(Dialog::Main, "Edit1"); }), "");
  p.ws.Type(Dialog::Main, "Edit1", "abc");
  EXPECT_EQ(after([&] { p.ws.Focus(Dialog::Main, "Edit2"); }), "error, focus 0 Edit1");
  EXPECT_TRUE(p.ws.lastEntryRefused());
  p.ws.Type(Dialog::Main, "Edit1", "1");
  // A backlash left for the check: the modal dialog opens, with the focus,
  // before the click checks the pair; the report opens behind it.
  p.ws.Focus(Dialog::Main, "Edit21");
  p.ws.Type(Dialog::Main, "Edit21", "0.1");
  p.ws.TakeOutcomes();
  EXPECT_EQ(after([&] { p.ws.Press(Dialog::Main, "CheckButton"); }),
            "show modal " + std::to_string(kVule) + ", show " + std::to_string(kReport) +
                ", focus 1 Edit3, repaint");
  // "Ok" closes it and hands the focus back to the main dialog.
  EXPECT_EQ(after([&] { p.ws.Press(Dialog::Backlash, "ok"); }),
            "hide " + std::to_string(kVule) + ", focus 0 CheckButton");
  // An accepted input re-runs the shown check; a new module hides it.
  p.ws.Focus(Dialog::Main, "Edit15");
  p.ws.Type(Dialog::Main, "Edit15", "0.3");
  EXPECT_EQ(after([&] { p.ws.Focus(Dialog::Main, "Edit16"); }), "repaint");
  EXPECT_EQ(after([&] { p.ws.Focus(Dialog::Main, "Edit1"); }), "repaint");
  p.ws.Type(Dialog::Main, "Edit1", "2");
  EXPECT_EQ(after([&] { p.ws.Focus(Dialog::Main, ""); }), "hide " + std::to_string(kReport));
  // F1, the file commands and "&Konec".
  EXPECT_EQ(after([&] { p.ws.Key(Dialog::Main, Key::F1); }), "help 0");
  EXPECT_EQ(after([&] { p.ws.Press(Dialog::Main, "SaveButton"); }), "save");
  EXPECT_EQ(after([&] { p.ws.Press(Dialog::Main, "LoadButton"); }), "load");
  EXPECT_EQ(after([&] { p.ws.Press(Dialog::Main, "QuitButton"); }), "quit");
  EXPECT_EQ(after([&] { p.ws.Press(Dialog::Main, "ToolsButton"); }),
            "show modal " + std::to_string(kTools) + ", focus 2 ");
  EXPECT_EQ(after([&] { p.ws.Key(Dialog::RackTools, Key::Escape); }),
            "hide " + std::to_string(kTools) + ", focus 0 ToolsButton");
  EXPECT_EQ(kMain, 0);
}

TEST(Workspace, EachButtonOpensItsDialogOnlyForThePairsThatHaveIt) {
  struct Case {
    const char* type;
    Dialog dialog;
    bool exists;
  };
  const Case cases[] = {
      {"GearExternal", Dialog::RackTools, true},    {"GearExternal", Dialog::ShaperCutter, false},
      {"GearExternal", Dialog::Measure, true},      {"GearExternal", Dialog::Backlash, true},
      {"GearInternal", Dialog::ShaperCutter, true}, {"GearInternal", Dialog::Ident, true},
      {"GearBevel", Dialog::RackTools, false},      {"GearBevel", Dialog::Measure, false},
      {"GearBevel", Dialog::Ident, false},          {"GearBevel", Dialog::Backlash, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.type) + " " + std::to_string(int(c.dialog)));
    Program p;
    p.Press(c.type);
    EXPECT_EQ(p.ws.Exists(c.dialog), c.exists);
    EXPECT_EQ(p.Open(c.dialog), c.exists);
    EXPECT_EQ(p.ws.form(c.dialog).visible(), c.exists);
    if (c.dialog == Dialog::ShaperCutter || c.dialog == Dialog::RackTools) {
      EXPECT_EQ(p.Showed(c.dialog), c.exists);
    }
  }
  // A hidden button opens nothing even when it is pressed by its name.
  Program p;
  p.Press("FellowButton");
  EXPECT_FALSE(p.ws.form(Dialog::ShaperCutter).visible());
  EXPECT_TRUE(p.messages.empty());
  EXPECT_EQ(p.ws.DialogNamed("Nastroj"), Dialog::RackTools);
  EXPECT_EQ(p.ws.DialogNamed("Miry"), Dialog::Measure);
  EXPECT_FALSE(p.ws.DialogNamed("Report"));
  EXPECT_EQ(&p.ws.form(Dialog::Report), &p.ws.form(Dialog::Main));
}

TEST(Workspace, AnEventInAnotherFormFirstLeavesTheFieldThatHasTheFocus) {
  Program p;
  p.Press("CheckButton");
  ASSERT_TRUE(p.Open(Dialog::Measure));
  // A span count typed into the measurement tab is taken when the user goes
  // on to the inputs ...
  ASSERT_TRUE(p.Type(Dialog::Measure, "zw1", "2"));
  EXPECT_TRUE(p.Press("TabInputs"));
  EXPECT_EQ(p.g.zw1, 2);
  // ... and a refused one stops the event, the focus staying in the field.
  ASSERT_TRUE(p.Open(Dialog::Measure));
  ASSERT_TRUE(p.Type(Dialog::Measure, "zw1", "99"));
  EXPECT_FALSE(p.Press("TabInputs"));
  EXPECT_EQ(p.main.activeTab(), 1);
  EXPECT_EQ(p.LastMessage().rfind("Počet zubů pro měření vol nejvýše ", 0), 0u);
  ASSERT_FALSE(p.outcomes.empty());
  EXPECT_EQ(p.outcomes.back().kind, Kind::Focus);
  EXPECT_EQ(p.outcomes.back().dialog, Dialog::Measure);
  EXPECT_EQ(p.outcomes.back().control, "Edit26");
}

TEST(Workspace, MessageKindsAndHelpNotFound) {
  Program p;
  p.Enter(15, "1");  // a fillet beyond the full round root: a warning
  ASSERT_EQ(p.messages.size(), 1u);
  EXPECT_TRUE(p.Asked(Kind::Message));
  for (const Outcome& o : p.outcomes) {
    if (o.kind == Kind::Message) {
      EXPECT_EQ(o.messageKind, Outcome::MessageKind::Warning);
    }
  }
  p.ws.HelpNotFound();
  const std::vector<Outcome> help = p.ws.TakeOutcomes();
  ASSERT_EQ(help.size(), 1u);
  EXPECT_EQ(help[0].messageKind, Outcome::MessageKind::Error);
  EXPECT_EQ(help[0].message, (Message{"  Chyba !", "Help nenalezen."}));
}

TEST(Workspace, PressesEndEvenWhenTheClickIsSwallowed) {
  Program p;
  // "Nuluj" lets the shift fields go unvalidated only while it is pressed.
  ASSERT_TRUE(p.Type(7, "abc"));
  EXPECT_TRUE(p.Press("ZeroButton"));
  EXPECT_TRUE(p.messages.empty());
  ASSERT_TRUE(p.Type(1, "abc"));
  EXPECT_FALSE(p.Press("ZeroButton"));  // refused at the module: no click
  ASSERT_TRUE(p.Enter(1, "1"));
  ASSERT_TRUE(p.Type(7, "abc"));
  EXPECT_FALSE(p.user.Leave(Dialog::Main));
  // The mouse went down on "&Konec" but was released elsewhere.
  ASSERT_TRUE(p.Type(7, "0.1"));
  p.ws.BeginPress(Dialog::Main, "QuitButton");
  p.ws.EndPress(Dialog::Main);
  ASSERT_TRUE(p.Type(7, "abc"));
  EXPECT_FALSE(p.user.Leave(Dialog::Main));
}

}  // namespace
}  // namespace kolmira
