// The Workspace as a front end meets it: the outcomes of each event in
// their order, the dialogs each control opens, the forms' names and
// controls, and the focus moving between the forms.
#include "forms/Workspace.h"

#include <gtest/gtest.h>

#include "forms/BacklashForm.h"
#include "forms/FellowForm.h"
#include "forms/IdentForm.h"
#include "forms/MeasureForm.h"
#include "forms/Program.h"
#include "forms/RackToolForm.h"
#include "forms/ReportForm.h"

namespace kolmira {
namespace {

using test::Program;
using Kind = Outcome::Kind;

// The outcomes in their order, each with what it names; dialogs by number
// (0 main, 1 backlash, 2 rack tools, 6 report, 7 table).
std::string Describe(const std::vector<Outcome>& outcomes) {
  const char* kinds[] = {"", "show ", "hide ", "focus ", "help ", "repaint", "", "print ", "quit"};
  std::string text;
  for (const Outcome& o : outcomes) {
    text += (text.empty() ? "" : ", ") + std::string(kinds[static_cast<int>(o.kind)]);
    const std::string dialog = std::to_string(static_cast<int>(o.dialog));
    switch (o.kind) {
      case Kind::Message:
        text += o.messageKind == Outcome::MessageKind::Error ? "error" : "warning";
        break;
      case Kind::ShowDialog:
        text += (o.modal ? "modal " : "") + dialog;
        break;
      case Kind::HideDialog:
        text += dialog;
        break;
      case Kind::Focus:
        text += dialog + " " + o.control;
        break;
      case Kind::Help:
        text += std::to_string(o.helpContext);
        break;
      case Kind::ChooseFile:
        text += o.file == Outcome::File::Save ? "save" : "load";
        break;
      case Kind::Print:
        text += o.print == Outcome::Print::Table ? "table" : "short";
        break;
      default:
        break;
    }
  }
  return text;
}

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
  // A click the field refuses: one message, and the click is lost.
  EXPECT_EQ(after([&] { p.ws.Press(Dialog::Main, "CheckButton"); }), "error, focus 0 Edit1");
  EXPECT_FALSE(p.main.resultsVisible());
  p.ws.Type(Dialog::Main, "Edit1", "1");
  // A backlash left for the check: the modal dialog opens, with the focus,
  // and takes the click; the pair is checked once it is closed.
  p.ws.Focus(Dialog::Main, "Edit21");
  p.ws.Type(Dialog::Main, "Edit21", "0.1");
  p.ws.TakeOutcomes();
  EXPECT_EQ(after([&] { p.ws.Press(Dialog::Main, "CheckButton"); }), "show modal 1, focus 1 Edit3");
  // "Ok" closes it and hands the focus back to the main dialog.
  EXPECT_EQ(after([&] { p.ws.Press(Dialog::Backlash, "ok"); }), "hide 1, focus 0 CheckButton");
  EXPECT_EQ(after([&] { p.ws.Press(Dialog::Main, "CheckButton"); }), "show 6, repaint");
  // The report's buttons and keys: the table opens modal, F1 and "&Help"
  // ask for the report's page, "&Zpět" and Esc hide the window; none of
  // them leaves the main dialog's field.
  EXPECT_EQ(p.ws.report().focused(), "Button1");
  EXPECT_EQ(after([&] { p.ws.Press(Dialog::Report, "Button1"); }),
            "show modal 7, focus 7 StringGrid1");
  // The table's: the prints, the help of the grid and of the print
  // commands, "&Zpět" and Esc.
  EXPECT_EQ(after([&] { p.ws.Key(Dialog::Table, Key::F1); }), "help 11");
  EXPECT_EQ(after([&] { p.ws.Press(Dialog::Table, "Tisk"); }), "print table");
  EXPECT_EQ(after([&] { p.ws.Key(Dialog::Table, Key::F1); }), "help 12");
  EXPECT_EQ(after([&] { p.ws.Press(Dialog::Table, "zkraceny-tisk"); }), "print short");
  EXPECT_EQ(after([&] { p.ws.Press(Dialog::Table, "HelpBtn"); }), "help 0");
  EXPECT_EQ(after([&] { p.ws.Key(Dialog::Table, Key::F1); }), "help 0");
  EXPECT_EQ(after([&] { p.ws.Key(Dialog::Table, Key::Escape); }), "hide 7, focus 0 CheckButton");
  p.ws.Press(Dialog::Report, "Button1");
  p.ws.TakeOutcomes();
  EXPECT_EQ(after([&] { p.ws.Press(Dialog::Table, "OkBtn"); }), "hide 7, focus 0 CheckButton");
  // Closed by the window frame: as "&Zpět" or Esc.
  p.ws.Press(Dialog::Report, "Button1");
  p.ws.TakeOutcomes();
  EXPECT_EQ(after([&] { p.ws.Close(Dialog::Table); }), "hide 7, focus 0 CheckButton");
  EXPECT_EQ(after([&] { p.ws.Press(Dialog::Report, "Button2"); }), "help 9");
  EXPECT_EQ(after([&] { p.ws.Key(Dialog::Report, Key::F1); }), "help 9");
  EXPECT_EQ(after([&] { p.ws.Press(Dialog::Report, "OkBtn"); }), "hide 6");
  p.ws.Press(Dialog::Main, "CheckButton");
  p.ws.TakeOutcomes();
  EXPECT_EQ(after([&] { p.ws.Key(Dialog::Report, Key::Escape); }), "hide 6");
  p.ws.Press(Dialog::Main, "CheckButton");
  p.ws.TakeOutcomes();
  // An accepted input re-runs the shown check; a new module hides it.
  p.ws.Focus(Dialog::Main, "Edit15");
  p.ws.Type(Dialog::Main, "Edit15", "0.3");
  EXPECT_EQ(after([&] { p.ws.Focus(Dialog::Main, "Edit16"); }), "repaint");
  EXPECT_EQ(after([&] { p.ws.Focus(Dialog::Main, "Edit1"); }), "repaint");
  p.ws.Type(Dialog::Main, "Edit1", "2");
  EXPECT_EQ(after([&] { p.ws.Focus(Dialog::Main, ""); }), "hide 6");
  // F1, the file commands and "&Konec".
  EXPECT_EQ(after([&] { p.ws.Key(Dialog::Main, Key::F1); }), "help 0");
  EXPECT_EQ(after([&] { p.ws.Press(Dialog::Main, "SaveButton"); }), "save");
  EXPECT_EQ(after([&] { p.ws.Press(Dialog::Main, "LoadButton"); }), "load");
  EXPECT_EQ(after([&] { p.ws.Press(Dialog::Main, "QuitButton"); }), "quit");
  EXPECT_EQ(after([&] { p.ws.Press(Dialog::Main, "ToolsButton"); }), "show modal 2, focus 2 ");
  EXPECT_EQ(after([&] { p.ws.Key(Dialog::RackTools, Key::Escape); }),
            "hide 2, focus 0 ToolsButton");
  // A warning, and help that cannot be opened: an error.
  EXPECT_EQ(after([&] { p.user.Enter(Dialog::Main, "Edit15", "1"); }), "warning");
  EXPECT_EQ(after([&] { p.ws.HelpNotFound(); }), "error");
  p.ws.HelpNotFound();
  EXPECT_EQ(p.user.Messages(), (std::vector<Message>{{"  Chyba !", "Help nenalezen."}}));
}

TEST(Workspace, EachButtonOpensItsDialogOnlyForThePairsThatHaveIt) {
  const std::tuple<const char*, Dialog, bool> cases[] = {
      {"GearExternal", Dialog::RackTools, true},    {"GearExternal", Dialog::ShaperCutter, false},
      {"GearExternal", Dialog::Measure, true},      {"GearExternal", Dialog::Backlash, true},
      {"GearInternal", Dialog::ShaperCutter, true}, {"GearInternal", Dialog::Ident, true},
      {"GearBevel", Dialog::RackTools, false},      {"GearBevel", Dialog::Measure, false},
      {"GearBevel", Dialog::Ident, false},          {"GearBevel", Dialog::Backlash, false}};
  for (const auto& [type, dialog, exists] : cases) {
    SCOPED_TRACE(std::string(type) + " " + std::to_string(static_cast<int>(dialog)));
    Program p;
    p.Press(type);
    EXPECT_EQ(p.ws.Exists(dialog), exists);
    EXPECT_EQ(p.Open(dialog), exists);
    EXPECT_EQ(p.ws.form(dialog).visible(), exists);
    if (dialog == Dialog::ShaperCutter || dialog == Dialog::RackTools) {
      EXPECT_EQ(p.Showed(dialog), exists);
      // The frame's close button closes each of them.
      p.ws.Close(dialog);
      EXPECT_FALSE(p.ws.form(dialog).visible());
    }
  }
  // A hidden button opens nothing even when it is pressed by its name.
  Program p;
  p.Press("FellowButton");
  EXPECT_FALSE(p.ws.form(Dialog::ShaperCutter).visible());
  EXPECT_TRUE(p.messages.empty());
}

TEST(Workspace, FormsAreNamedAndListTheirControlsInOrder) {
  // The command line names the dialogs and tabs; each lists every control
  // once, "no control" excepted.
  const std::tuple<const char*, Dialog, int, const char*, const char*> cases[] = {
      {"Main", Dialog::Main, kControlCount, "Edit1", "TabIdent"},
      {"Vule", Dialog::Backlash, static_cast<int>(BacklashForm::Item::Count), "Edit1",
       "HelpButton"},
      {"Nastroj", Dialog::RackTools, kToolControlCount, "Edit1", "HelpBtn"},
      {"Fellow", Dialog::ShaperCutter, kFellowControlCount, "Edit1", "HelpBtn"},
      {"Miry", Dialog::Measure, kMeasureControlCount, "Edit22", "PictureBall2"},
      {"Ident", Dialog::Ident, kIdentControlCount, "Edit36", "Solution3"}};
  Program p;
  for (const auto& [name, dialog, count, first, last] : cases) {
    EXPECT_EQ(p.ws.DialogNamed(name), dialog);
    const auto controls = p.ws.form(dialog).Controls();
    ASSERT_EQ(controls.size(), static_cast<std::size_t>(count - 1)) << name;
    EXPECT_EQ(controls.front().first, first) << name;
    EXPECT_EQ(controls.back().first, last) << name;
  }
  // The results windows have forms of their own, which the command line
  // does not name.
  EXPECT_FALSE(p.ws.DialogNamed("Hlaseni"));
  EXPECT_FALSE(p.ws.DialogNamed("Tabulka"));
  EXPECT_FALSE(p.ws.DialogNamed("Mapa"));
  EXPECT_EQ(p.ws.form(Dialog::Report).Controls().back().first, "Button3");
  EXPECT_EQ(p.ws.form(Dialog::Table).Controls().back().first, "HelpBtn");
  EXPECT_EQ(p.ws.form(Dialog::ShiftMap).Name(), "Mapa");
  EXPECT_EQ(p.ws.form(Dialog::ShiftMap).Controls().back().first, "DefaultRangeBtn");
}

TEST(Workspace, EveryControlIsAddressedByItsNameCaptionAndAliasesAsWritten) {
  // Scripts name a control of the main dialog plainly and one of another
  // dialog with its form's name before a dot. A caption with a dot of its
  // own ("Vyr.skluzy") is not taken for a prefix. The names come from the
  // forms' own control lists: a caption shared by two controls names
  // neither, and is left out.
  Program p;
  p.Press("GearInternal");  // the pair that has every dialog
  int addressed = 0;
  for (Dialog d : {Dialog::Main, Dialog::Backlash, Dialog::RackTools, Dialog::ShaperCutter,
                   Dialog::Measure, Dialog::Ident}) {
    const Form& form = p.ws.form(d);
    const std::string prefix = d == Dialog::Main ? "" : std::string(form.Name()) + ".";
    for (int i = 1; i < form.ControlCount(); ++i) {
      const ControlInfo& info = form.Info(i);
      std::vector<std::string> names = {std::string(info.name)};
      std::string caption;
      for (char c : info.caption) {
        if (c != '&') caption += c;
      }
      if (!caption.empty() && form.Find(caption) == i) names.push_back(caption);
      for (const std::string& alias : Program::Split(info.aliases)) {
        if (!alias.empty() && form.Find(alias) == i) names.push_back(alias);
      }
      for (const std::string& name : names) {
        const std::string script = prefix + name;
        const Workspace::Address at = p.ws.Addressed(script);
        EXPECT_EQ(at.dialog, d) << script;
        EXPECT_EQ(form.Find(at.control), i) << script;
        ++addressed;
      }
    }
  }
  EXPECT_GT(addressed, 300);
  // The main dialog's caption with a dot is pressed as written, and a
  // prefix that names no dialog leaves the name to the main dialog.
  const Workspace::Address balance = p.ws.Addressed("Vyr.skluzy");
  EXPECT_EQ(balance.dialog, Dialog::Main);
  EXPECT_TRUE(p.ws.Press(balance.dialog, balance.control));
  EXPECT_EQ(p.ws.Addressed("Nope.x").dialog, Dialog::Main);
  EXPECT_EQ(p.ws.Addressed("Main.Edit1").control, "Main.Edit1");
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
  EXPECT_EQ(Describe({p.outcomes.back()}), "focus 4 Edit26");
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
