// The wiring of the dialogs and the outcomes of every event.
#include "forms/Workspace.h"

#include "forms/BacklashForm.h"
#include "forms/FellowForm.h"
#include "forms/IdentForm.h"
#include "forms/MeasureForm.h"
#include "forms/RackToolForm.h"
#include "forms/ReportForm.h"
#include "forms/ShiftMapForm.h"
#include "forms/ShiftMapJob.h"
#include "forms/TableForm.h"

namespace kolmira {

namespace {

// The dialogs that have a window of their own, and whether it is modal (in
// the order of a Snapshot).
struct WindowInfo {
  Dialog dialog;
  bool modal;
};
constexpr WindowInfo kWindows[] = {
    {Dialog::Backlash, true}, {Dialog::RackTools, true}, {Dialog::ShaperCutter, false},
    {Dialog::Report, false},  {Dialog::Table, true},     {Dialog::ShiftMap, false},
};

Outcome::MessageKind KindOf(const Message& m) {
  if (m.kind == Message::Kind::Beep) return Outcome::MessageKind::Beep;
  if (m.title == kErrorTitle || m.title == kEnglishErrorTitle) return Outcome::MessageKind::Error;
  if (m.title == kInfoTitle) return Outcome::MessageKind::Information;
  return Outcome::MessageKind::Warning;
}

}  // namespace

Workspace::Workspace() : main_(pair_) {
  // As the program starts: the main dialog is shown before the dialogs
  // around it are created.
  main_.Start();
  rackTools_ = std::make_unique<RackToolForm>(pair_, main_);
  shaperCutter_ = std::make_unique<FellowForm>(pair_, main_);
  measure_ = std::make_unique<MeasureForm>(pair_, main_);
  ident_ = std::make_unique<IdentForm>(pair_, main_);
  backlash_ = std::make_unique<BacklashForm>(pair_, main_);
  report_ = std::make_unique<ReportForm>(pair_, main_);
  table_ = std::make_unique<TableForm>(pair_, main_);
  shiftMapJob_ = std::make_unique<ShiftMapJob>();
  shiftMap_ = std::make_unique<ShiftMapForm>(pair_, *shiftMapJob_);
  main_.AddListener(this);
  shownFocus_ = main_.focused();
}

Workspace::~Workspace() {
  main_.RemoveListener(this);
}

Form& Workspace::form(Dialog d) {
  return const_cast<Form&>(static_cast<const Workspace*>(this)->form(d));
}

const Form& Workspace::form(Dialog d) const {
  switch (d) {
    case Dialog::Backlash:
      return *backlash_;
    case Dialog::RackTools:
      return *rackTools_;
    case Dialog::ShaperCutter:
      return *shaperCutter_;
    case Dialog::Measure:
      return *measure_;
    case Dialog::Ident:
      return *ident_;
    case Dialog::Report:
      return *report_;
    case Dialog::Table:
      return *table_;
    case Dialog::ShiftMap:
      return *shiftMap_;
    case Dialog::Main:
      break;
  }
  return main_;
}

std::optional<Dialog> Workspace::DialogNamed(std::string_view name) const {
  for (Dialog d : {Dialog::Main, Dialog::Backlash, Dialog::RackTools, Dialog::ShaperCutter,
                   Dialog::Measure, Dialog::Ident}) {
    if (form(d).Name() == name) return d;
  }
  return std::nullopt;
}

Workspace::Address Workspace::Addressed(std::string_view name) const {
  const std::size_t dot = name.find('.');
  if (dot != std::string_view::npos) {
    const auto d = DialogNamed(name.substr(0, dot));
    if (d && *d != Dialog::Main) return {*d, name.substr(dot + 1)};
  }
  return {Dialog::Main, name};
}

void Workspace::OnMainEvent(MainEvent event) {
  if (event == MainEvent::CheckRun) checkRan_ = true;
  // The angle fields of the open tool dialog follow the DEC / DMS choice (a
  // closed one writes them when it is shown).
  if (event == MainEvent::AngleFormChanged && rackTools_->visible()) rackTools_->WriteAllFields();
}

// ---------------------------------------------------------------------------
// Events

Workspace::Snapshot Workspace::Begin() {
  lastEntryRefused_ = false;
  checkRan_ = false;
  return Visibility();
}

bool Workspace::Enter(Dialog d) {
  // The results windows stand beside the main dialog: going to them does
  // not leave the field that holds the main dialog's focus.
  if (d == Dialog::Report || d == Dialog::Table || d == Dialog::ShiftMap) return true;
  if (d != active_) {
    Form& holder = form(active_);
    holder.Focus("");
    if (holder.lastEntryRefused()) {
      lastEntryRefused_ = true;
      return false;
    }
    active_ = d;
  }
  return true;
}

// The front end has put the focus where the user's event is aimed; what the
// forms make of it comes back as a Focus outcome when it differs.
void Workspace::Aim(Dialog d, std::string_view control) {
  if (d == Dialog::Report) return;
  if (const auto i = form(d).Find(control)) {
    shownFocusForm_ = d;
    shownFocus_ = form(d).Info(*i).name;
    if (*i == 0) shownFocus_.clear();
  }
}

bool Workspace::Focus(Dialog d, std::string_view control) {
  const Snapshot before = Begin();
  Aim(d, control);
  bool known = true;
  if (Enter(d)) {
    known = form(d).Focus(control);
    lastEntryRefused_ = form(d).lastEntryRefused();
  }
  Finish(d, before);
  return known;
}

bool Workspace::Type(Dialog d, std::string_view field, std::string text) {
  const Snapshot before = Begin();
  Aim(d, field);
  bool taken = false;
  if (Enter(d)) {
    taken = form(d).Type(field, std::move(text));
    lastEntryRefused_ = form(d).lastEntryRefused();
  }
  Finish(d, before);
  return taken;
}

void Workspace::BeginPress(Dialog d, std::string_view control) {
  form(d).BeginPress(control);
}

bool Workspace::Press(Dialog d, std::string_view control) {
  const Snapshot before = Begin();
  Form& target = form(d);
  bool known = true;
  target.BeginPress(control);
  Aim(d, control);
  if (Enter(d)) {
    known = target.PressFocus(control);
    lastEntryRefused_ = target.lastEntryRefused();
    if (known && !lastEntryRefused_) {
      // The field left may have asked for a dialog (a backlash typed): it
      // opens before the click arrives, as the events come in a window. A
      // modal dialog opened so takes the click, as it takes every input
      // until it is closed: the control behind it does nothing (a page or
      // a command that changed the pair under the open dialog would leave
      // it confirming values the pair no longer has).
      HandleRequests();
      const Snapshot opened = Visibility();
      bool modalOpened = false;
      for (std::size_t i = 0; i < opened.size(); ++i) {
        modalOpened = modalOpened ||
                      (kWindows[i].modal && opened[i] && !before[i] && kWindows[i].dialog != d);
      }
      if (!modalOpened) {
        target.Press(control);
        lastEntryRefused_ = target.lastEntryRefused();
      }
    }
  }
  target.EndPress();
  Finish(d, before);
  return known;
}

void Workspace::EndPress(Dialog d) {
  form(d).EndPress();
}

void Workspace::Key(Dialog d, kolmira::Key key) {
  const Snapshot before = Begin();
  if (Enter(d)) {
    Form& target = form(d);
    const bool tab = d == Dialog::Measure || d == Dialog::Ident;
    // The tabs are pages of the main dialog, which sees every key first:
    // Enter accepts the tab's field and goes on in the main dialog, F1 and
    // the other keys are the main dialog's.
    if (!tab || key == kolmira::Key::Enter) target.PressKey(key);
    lastEntryRefused_ = target.lastEntryRefused();
    if (tab && !lastEntryRefused_) main_.PressKey(key);
  }
  Finish(d, before);
}

void Workspace::Close(Dialog d) {
  const std::string_view control = form(d).CloseControl();
  if (control.empty()) {
    Key(d, kolmira::Key::Escape);
  } else {
    Press(d, control);
  }
}

void Workspace::ClickOnSurface(Dialog d) {
  const Snapshot before = Begin();
  if (Enter(d) && d == Dialog::Main) {
    main_.ClickOnForm();
    lastEntryRefused_ = main_.lastEntryRefused();
  }
  Finish(d, before);
}

bool Workspace::Exists(Dialog d) const {
  switch (d) {
    case Dialog::Backlash:
      return main_.control(Control::Edit21).visible;
    case Dialog::RackTools:
      return main_.control(Control::ToolsButton).visible;
    case Dialog::ShaperCutter:
      return main_.control(Control::FellowButton).visible;
    case Dialog::Measure:
      return main_.control(Control::TabMeasure).visible;
    case Dialog::Ident:
      return main_.control(Control::TabIdent).visible;
    case Dialog::Main:
    case Dialog::Report:
    case Dialog::Table:
    case Dialog::ShiftMap:
      return true;
  }
  return false;
}

bool Workspace::Open(Dialog d) {
  if (!Exists(d)) return false;
  if (form(d).visible()) return true;
  const char* opener = d == Dialog::RackTools      ? "ToolsButton"
                       : d == Dialog::ShaperCutter ? "FellowButton"
                       : d == Dialog::Measure      ? "TabMeasure"
                       : d == Dialog::Ident        ? "TabIdent"
                                                   : nullptr;
  if (opener != nullptr) {
    Press(Dialog::Main, opener);
    // A modal dialog opened by the field the press left takes the click.
    return !lastEntryRefused_ && form(d).visible();
  }
  const Snapshot before = Begin();
  if (Enter(d)) ShowDialog(d);
  Finish(d, before);
  return !lastEntryRefused_;
}

bool Workspace::Check() {
  Press(Dialog::Main, "CheckButton");
  if (lastEntryRefused_) return false;
  return !(pair_.xSumBelowLimit || pair_.xSumAboveLimit || pair_.x0SumAboveLimit);
}

bool Workspace::ClickOnMap(double x, double y) {
  const std::optional<MapEntry> entry = shiftMap_->EntryAt(x, y);
  if (!entry) return false;
  // A point whose shifts the main dialog refuses is not typed: the user
  // clicked, he did not type, and a refused field would keep the focus
  // with a value it cannot take. The dialog's message says why.
  if (const auto refusal = shiftMap_->Refusal(*entry)) {
    const Snapshot before = Begin();
    pair_.QueueError(*refusal);
    Finish(Dialog::ShiftMap, before);
    lastEntryRefused_ = true;
    return false;
  }
  // The click is one gesture: the map follows the pair it ends with, not
  // the pair halfway (a bevel pair with x1 new and x2 old has another sum).
  mapClick_ = true;
  const bool done = TypeShifts(*entry);
  mapClick_ = false;
  const bool refused = lastEntryRefused_;
  const Snapshot before = Begin();
  // The user is still at the map: it takes the focus back, unless the main
  // dialog has put it into a field with its message.
  if (done && shiftMap_->visible()) {
    active_ = Dialog::ShiftMap;
    shiftMap_->Focus("Plot");
  }
  Finish(Dialog::ShiftMap, before);
  lastEntryRefused_ = refused;
  return done;
}

// As the user types them: each field entered, typed over and left for the
// next; the check leaves the last one.
bool Workspace::TypeShifts(const MapEntry& entry) {
  const bool x2First = shiftMap_->WheelShiftFirst(entry, main_.focused());
  if (x2First && !Type(Dialog::Main, "Edit8", entry.x2Text)) return false;
  if (!Type(Dialog::Main, "Edit7", entry.x1Text)) return false;
  if (!x2First && !entry.x2Text.empty() && !Type(Dialog::Main, "Edit8", entry.x2Text)) {
    return false;
  }
  return Check();
}

bool Workspace::SaveTo(const std::filesystem::path& path) {
  const Snapshot before = Begin();
  const bool saved = main_.SaveInputs(path.string());
  Finish(Dialog::Main, before);
  return saved;
}

bool Workspace::LoadFrom(const std::filesystem::path& path) {
  const Snapshot before = Begin();
  const bool loaded = main_.LoadInputs(path.string());
  Finish(Dialog::Main, before);
  return loaded;
}

void Workspace::HelpNotFound() {
  const Snapshot before = Begin();
  pair_.QueueError(kHelpNotFound);
  Finish(active_, before);
}

// ---------------------------------------------------------------------------
// After every event

Workspace::Snapshot Workspace::Visibility() const {
  Snapshot shown{};
  for (std::size_t i = 0; i < shown.size(); ++i) {
    const Dialog d = kWindows[i].dialog;
    shown[i] = form(d).visible();
  }
  return shown;
}

void Workspace::ShowDialog(Dialog d) {
  Form& dialog = form(d);
  if (dialog.visible()) return;
  // Opened by a script rather than by a typed backlash, the dialog still
  // needs the backlash-free pair its modes return to.
  if (d == Dialog::Backlash) main_.BeforeBacklashDialog();
  dialog.Show();
  active_ = d;
}

void Workspace::HandleRequests() {
  // What the forms asked for. Showing a dialog may lead to more requests.
  for (bool more = true; more;) {
    more = false;
    for (Dialog source :
         {Dialog::Main, Dialog::RackTools, Dialog::ShaperCutter, Dialog::Measure, Dialog::Ident,
          Dialog::Backlash, Dialog::Report, Dialog::Table, Dialog::ShiftMap}) {
      for (const FormRequest& r : form(source).TakeRequests()) {
        more = true;
        Outcome o;
        switch (r.kind) {
          case FormRequest::Kind::Open:
            // A typed backlash always opens its dialog; a button opens its
            // dialog only while it is shown (the shaper cutter belongs to an
            // internal pair).
            if (r.dialog == Dialog::Backlash || Exists(r.dialog)) ShowDialog(r.dialog);
            continue;
          case FormRequest::Kind::Help:
            o.kind = Outcome::Kind::Help;
            o.helpFile = kHelpFile;
            o.helpContext = r.helpContext;
            break;
          case FormRequest::Kind::Quit:
            o.kind = Outcome::Kind::Quit;
            break;
          case FormRequest::Kind::PrintTable:
          case FormRequest::Kind::PrintShort:
            o.kind = Outcome::Kind::Print;
            o.print = r.kind == FormRequest::Kind::PrintTable ? Outcome::Print::Table
                                                              : Outcome::Print::Short;
            break;
          case FormRequest::Kind::SaveFile:
          case FormRequest::Kind::LoadFile:
            o.kind = Outcome::Kind::ChooseFile;
            o.file =
                r.kind == FormRequest::Kind::SaveFile ? Outcome::File::Save : Outcome::File::Load;
            break;
        }
        pending_.push_back(std::move(o));
      }
    }
  }
}

void Workspace::Finish(Dialog d, const Snapshot& before) {
  HandleRequests();
  std::vector<Outcome> later = std::exchange(pending_, {});
  // The backlash dialog closed: the main dialog follows the way the
  // backlash is now made.
  if (before[0] && !backlash_->visible()) main_.AfterBacklashDialog();
  // Whatever the event changed, the main dialog's fields show the pair;
  // the shift map shown follows its inputs.
  main_.ShowPairInFields();
  if (!mapClick_) shiftMap_->Follow();

  for (Message& m : pair_.messages) {
    Outcome o;
    o.kind = Outcome::Kind::Message;
    o.messageKind = KindOf(m);
    o.message = std::move(m);
    outcomes_.push_back(std::move(o));
  }
  pair_.messages.clear();

  const Snapshot after = Visibility();
  for (std::size_t i = 0; i < after.size(); ++i) {
    if (before[i] == after[i]) continue;
    Outcome o;
    o.kind = after[i] ? Outcome::Kind::ShowDialog : Outcome::Kind::HideDialog;
    o.dialog = kWindows[i].dialog;
    o.modal = kWindows[i].modal;
    outcomes_.push_back(std::move(o));
    if (after[i] && kWindows[i].dialog == Dialog::Report) report_->Show();
    // A closed dialog hands the focus back to the main dialog.
    if (!after[i] && active_ == kWindows[i].dialog) active_ = Dialog::Main;
  }
  if (active_ != d && active_ != Dialog::Main && !form(active_).visible()) active_ = Dialog::Main;

  const std::string_view focus = form(active_).focused();
  if (active_ != shownFocusForm_ || focus != shownFocus_) {
    Outcome o;
    o.kind = Outcome::Kind::Focus;
    o.dialog = active_;
    o.control = std::string(focus);
    outcomes_.push_back(std::move(o));
    shownFocusForm_ = active_;
    shownFocus_ = focus;
  }
  for (Outcome& o : later) {
    if (o.kind == Outcome::Kind::Help) {
      outcomes_.push_back(std::move(o));
    }
  }
  if (checkRan_ && main_.resultsVisible()) {
    Outcome o;
    o.kind = Outcome::Kind::Repaint;
    outcomes_.push_back(std::move(o));
  }
  for (Outcome& o : later) {
    if (o.kind == Outcome::Kind::ChooseFile || o.kind == Outcome::Kind::Print ||
        o.kind == Outcome::Kind::Quit) {
      outcomes_.push_back(std::move(o));
    }
  }
}

}  // namespace kolmira
