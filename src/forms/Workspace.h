// The application: the gear-pair state, the main dialog and the five dialog
// and tab models around it (backlash, rack tools, shaper cutter, the
// measurement and identification tabs), wired together, and the one place
// where a front end hands in the user's events.
//
// After each event the front end takes one ordered queue of outcomes (see
// Outcome): the message boxes to show, the windows to show or hide, where
// the focus went, help to open, that the report and the table must be
// repainted, a file to choose, the end of the program. The Qt program, the
// command line, the tests and the benchmarks all drive the program this way.
#pragma once

#include <array>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "forms/Form.h"
#include "forms/MainForm.h"
#include "model/GearPair.h"

namespace kolmira {

class BacklashForm;
class RackToolForm;
class FellowForm;
class MeasureForm;
class IdentForm;
class ReportForm;
class TableForm;
class ShiftMapForm;
class ShiftMapJob;
struct MapEntry;

struct Outcome {
  enum class Kind {
    Message,     // message box (or beep): message, messageKind
    ShowDialog,  // dialog, modal
    HideDialog,  // dialog
    Focus,       // dialog, control: the focus is now there
    Help,        // helpFile, helpContext (0: the contents)
    Repaint,     // the report and the table show new results
    ChooseFile,  // file: ask for the input file to save to or load from
    Print,       // print: the dimension table, or its short print
    Quit,        // the program ends
  };
  enum class MessageKind { Error, Warning, Information, Beep };
  enum class File { Save, Load };
  enum class Print { Table, Short };

  Kind kind = Kind::Message;
  Message message;
  MessageKind messageKind = MessageKind::Error;
  Dialog dialog = Dialog::Main;
  bool modal = false;
  std::string control;
  std::string helpFile;
  int helpContext = 0;
  File file = File::Save;
  Print print = Print::Table;
};

class Workspace : private MainEventListener {
 public:
  // The program's start: the state's defaults with an external pair, the
  // main dialog shown, every other dialog created closed.
  Workspace();
  ~Workspace() override;
  Workspace(const Workspace&) = delete;
  Workspace& operator=(const Workspace&) = delete;

  GearPair& pair() { return pair_; }
  const GearPair& pair() const { return pair_; }
  MainForm& main() { return main_; }
  const MainForm& main() const { return main_; }
  BacklashForm& backlash() { return *backlash_; }
  RackToolForm& rackTools() { return *rackTools_; }
  FellowForm& shaperCutter() { return *shaperCutter_; }
  MeasureForm& measure() { return *measure_; }
  IdentForm& ident() { return *ident_; }
  ReportForm& report() { return *report_; }
  TableForm& table() { return *table_; }
  ShiftMapForm& shiftMap() { return *shiftMap_; }
  // The form of a dialog, tab or window.
  Form& form(Dialog d);
  const Form& form(Dialog d) const;
  // A dialog by its form's name ("Main", "Vule", "Nastroj", "Fellow",
  // "Miry", "Ident").
  std::optional<Dialog> DialogNamed(std::string_view name) const;
  // A control as scripts name it: NAME for a control of the main dialog,
  // PREFIX.NAME for one of another dialog or tab, PREFIX being that form's
  // name. A caption may hold a dot of its own ("Vyr.skluzy", "Max. funkční
  // výška zubu nástroje"): the text before the first dot is a prefix only
  // when it names a dialog other than the main one; otherwise the whole
  // name is the main dialog's.
  struct Address {
    Dialog dialog = Dialog::Main;
    std::string_view control;
  };
  Address Addressed(std::string_view name) const;

  // Events. A control is named as its form knows it (see Form::Find). An
  // event aimed at another form than the one holding the focus first moves
  // the focus out of that form's field, which is validated; a refusal there
  // stops the event.
  //
  // Focus, Type and Press return false when the form does not know the
  // name (or the control cannot take the event now); whether a field exit
  // refused its text is lastEntryRefused().
  bool Focus(Dialog d, std::string_view control);
  bool Type(Dialog d, std::string_view field, std::string text);
  // The mouse goes down on a control, before the focus moves (the rule that
  // lets "&Konec", "&Načíst vstupy", "&Help", a gear type, "Esc", "Nuluj"
  // and "&Zpět" leave a field holding an invalid value). Press includes it;
  // a front end that sees the mouse go down calls it first as well.
  void BeginPress(Dialog d, std::string_view control);
  // A click: the press begins, the focus moves to the control if it takes
  // it, the control does its work, the press ends. When leaving a field
  // for it opens a modal dialog (a backlash typed), that dialog takes the
  // click and the control does nothing.
  bool Press(Dialog d, std::string_view control);
  // The mouse was released elsewhere: the press ends without a click.
  void EndPress(Dialog d);
  // A key with the focus where it is. The keys of the main dialog's tabs
  // reach the main dialog too: Enter accepts the tab's focused field, then
  // the main dialog re-runs the shown check; F1 opens the tab's help.
  void Key(Dialog d, Key key);

  // The window frame's close button of a dialog: its cancelling button, or
  // its Esc key.
  void Close(Dialog d);

  // A click on a dialog's free surface, where no control is (the main
  // dialog then accepts its backlash field).
  void ClickOnSurface(Dialog d);

  // Whether the pair has the dialog or tab now (its opening control shown).
  bool Exists(Dialog d) const;
  // Opens a dialog or tab as its control does ("Nástroje", "Fellow", the
  // tab sheets); the backlash dialog, which a typed backlash opens, is shown
  // at once. False when the pair has no such dialog, the opening press was
  // refused, or a modal dialog the press opened took it.
  bool Open(Dialog d);
  // "KOMPLE&XNÍ KONTROLA". False when a field refused its text or the check
  // was stopped by one of its blocking shift-sum messages.
  bool Check();
  // A click on the shift map at a point of its coordinates: the shifts of
  // that point, rounded, are typed into the main dialog as a user types
  // them (x1, then x2 where the pair's wheel shift is typed too; x2 first
  // where only that order passes through a pair the check takes) and the
  // pair is checked, so that the report and the table follow; the map keeps
  // the focus. A field that refuses its text stops there, with its message.
  // False for a point outside the plot, or when the shifts were refused or
  // the check did not run.
  bool ClickOnMap(double x, double y);
  // The file the front end chose after an outcome ChooseFile.
  bool SaveTo(const std::filesystem::path& path);
  bool LoadFrom(const std::filesystem::path& path);
  // The help asked for could not be opened.
  void HelpNotFound();

  // True when the last event ended in a refused field exit.
  bool lastEntryRefused() const { return lastEntryRefused_; }
  // The outcomes of the events since they were last taken, in order.
  std::vector<Outcome> TakeOutcomes() { return std::exchange(outcomes_, {}); }

 private:
  // Which of the windows of their own are shown: the backlash, rack tool
  // and shaper cutter dialogs, the report, the table and the shift map, in
  // this order.
  using Snapshot = std::array<bool, 6>;
  Snapshot Visibility() const;
  // Every event starts here: no refusal and no check run yet.
  Snapshot Begin();
  // Before an event aimed at `d`: the focus leaves the field of the form
  // that holds it. False when that field refused its text.
  bool Enter(Dialog d);
  void Aim(Dialog d, std::string_view control);
  // The forms' requests: dialogs are shown, the other requests wait in
  // pending_ for the outcomes.
  void HandleRequests();
  // After every event: requests, wiring, and the outcomes.
  void Finish(Dialog d, const Snapshot& before);
  void ShowDialog(Dialog d);
  void OnMainEvent(MainEvent event) override;
  bool TypeShifts(const MapEntry& entry);

  GearPair pair_;
  MainForm main_;
  std::unique_ptr<RackToolForm> rackTools_;
  std::unique_ptr<FellowForm> shaperCutter_;
  std::unique_ptr<MeasureForm> measure_;
  std::unique_ptr<IdentForm> ident_;
  std::unique_ptr<BacklashForm> backlash_;
  std::unique_ptr<ReportForm> report_;
  std::unique_ptr<TableForm> table_;
  std::unique_ptr<ShiftMapJob> shiftMapJob_;
  std::unique_ptr<ShiftMapForm> shiftMap_;

  Dialog active_ = Dialog::Main;  // the form holding the keyboard focus
  Dialog shownFocusForm_ = Dialog::Main;
  std::string shownFocus_;  // where the front end has the focus
  bool checkRan_ = false;
  bool lastEntryRefused_ = false;
  bool mapClick_ = false;  // a click on the map types its shifts
  std::vector<Outcome> outcomes_;
  std::vector<Outcome> pending_;
};

}  // namespace kolmira
