// The one binding of the Qt widgets to the forms. Every widget carries, as
// its objectName, the name of the control its form knows; the binder copies
// each control's state onto its widget (signals blocked, so the writes do not
// come back as user events), turns the user's events into Workspace events,
// and then carries out the Workspace's outcomes in their order: message
// boxes, windows shown and hidden, the focus, help, repaints, file choices
// and the end of the program.
//
// The user's events are taken in one application-wide event filter:
// - a left-button press announces the press to the Workspace before the
//   focus moves (so "&Konec" leaves a field holding "abc" unvalidated);
// - a focus change by mouse, Tab or a shortcut leaves the field that had
//   the focus, which its form validates;
// - keys reach the forms before the widgets: Enter accepts the focused
//   field, Esc and F1 are the dialog's, any other key is seen and passed on.
// A refusal shows its message once and puts the focus back into the field;
// the click that caused it is swallowed.
#pragma once

#include <QObject>
#include <QPoint>
#include <QString>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "forms/Workspace.h"

class QLabel;
class QTabWidget;
class QWidget;
class QWindow;

namespace kolmira::gui {

class Binder : public QObject {
  Q_OBJECT

 public:
  explicit Binder(Workspace& ws, QObject* parent = nullptr);
  ~Binder() override;

  Workspace& workspace() { return ws_; }

  // Binds the widgets below `root` (root included) whose objectName is the
  // name of a control of the dialog's form.
  void Bind(Dialog d, QWidget* root);
  // The window that shows a dialog, for the show and hide outcomes.
  void SetWindow(Dialog d, QWidget* window);
  QWidget* window(Dialog d) const;
  // The main dialog's page control; its pages are the main form's tab
  // controls in their order.
  void BindTabs(QTabWidget* tabs);
  // The widget bound to a control, or null.
  QWidget* widget(Dialog d, const std::string& control) const;

  // What the outcomes do beyond the widgets. Each has a default that shows
  // Qt's own dialogs; tests replace them to count and answer.
  std::function<void(const Outcome&)> showMessage;
  // Opens help at a context (0: the contents); false when it cannot.
  std::function<bool(int context)> openHelp;
  // The input file to save to or to load from; empty when cancelled.
  std::function<QString(Outcome::File)> chooseFile;
  std::function<void()> repaint;
  // Prints the dimension table, or its short print.
  std::function<void(Outcome::Print)> print;
  std::function<void()> quit;

  // Copies every bound control's state, the window captions and the page
  // shown from the forms.
  void Refresh();
  // Runs a Workspace event as the user's, then refreshes and carries out
  // its outcomes.
  void Run(const std::function<void()>& event);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Bound {
    Dialog dialog;
    std::string control;
  };
  std::optional<Bound> BoundOf(const QObject* object) const;
  // The dialog whose keys a widget of this window takes: the form of the
  // focused control, else the window's.
  std::optional<Dialog> DialogOfKeys(const QWidget* receiver) const;
  void Apply(QWidget* w, const ControlState& s) const;
  void Handle(std::vector<Outcome> outcomes);
  void ShowWindow(const Outcome& o);
  void FocusControl(Dialog d, const std::string& control);
  void OnFocusIn(const Bound& b, Qt::FocusReason reason);
  bool OnKey(QObject* receiver, int key, bool release);
  void OnTabChanged(int index);
  void OnPress(QWindow* handle, QPoint at);

  Workspace& ws_;
  std::map<const QObject*, Bound> bound_;
  std::map<std::pair<Dialog, std::string>, QWidget*> widgets_;
  std::map<Dialog, QWidget*> windows_;
  // Captions and units that show with their field (their buddy), and
  // subscripts that stand after a caption's text, in the order made.
  std::vector<std::pair<QLabel*, QWidget*>> followers_;
  std::set<const QLabel*> following_;
  QTabWidget* tabs_ = nullptr;
  // While the binder writes into the widgets or carries out outcomes, the
  // events Qt sends back are the binder's own, not the user's.
  int busy_ = 0;
  // A press refused on its way (the field left refused its text): its
  // click is swallowed.
  bool pressRefused_ = false;
  // The dialog of the control the mouse went down on, until it comes up.
  std::optional<Dialog> pressed_;
};

}  // namespace kolmira::gui
