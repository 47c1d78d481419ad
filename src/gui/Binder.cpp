#include "Binder.h"

#include <algorithm>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QWindow>

#include "GearPicture.h"
#include "Layout.h"
#include "forms/MainForm.h"
#include "forms/ReportForm.h"

namespace kolmira::gui {

namespace {

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

// The forms break the lines of a message with "\r".
QString MessageText(const std::string& text) {
  QString t = Q(text);
  t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return t;
}

void SetFontBold(QWidget* w, bool bold) {
  if (w->font().bold() == bold) return;
  QFont f = w->font();
  f.setBold(bold);
  w->setFont(f);
}

void SetRed(QWidget* w, bool red) {
  const bool isRed = w->property("kolmiraRed").toBool();
  if (isRed == red) return;
  w->setProperty("kolmiraRed", red);
  QPalette p = w->palette();
  const QPalette normal = QApplication::palette(w);
  for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
    p.setColor(role, red ? QColor(Qt::red) : normal.color(role));
  }
  w->setPalette(p);
}

void ShowMessageBox(const Outcome& o) {
  QMessageBox::Icon icon = QMessageBox::Warning;
  if (o.messageKind == Outcome::MessageKind::Error) icon = QMessageBox::Critical;
  if (o.messageKind == Outcome::MessageKind::Information) icon = QMessageBox::Information;
  QMessageBox box(icon, Q(o.message.title), MessageText(o.message.text), QMessageBox::Ok,
                  QApplication::activeWindow());
  box.exec();
}

// The input file through Qt's file dialog: "*.dat" files, starting in the
// folder of the last file chosen in this session. A name typed without an
// extension gets ".dat".
QString ChooseInputFile(Outcome::File file) {
  static QString lastFolder;
  QFileDialog dialog(QApplication::activeWindow());
  dialog.setNameFilter(QStringLiteral("*.dat"));
  dialog.setDefaultSuffix(QStringLiteral("dat"));
  if (!lastFolder.isEmpty()) dialog.setDirectory(lastFolder);
  if (file == Outcome::File::Save) {
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
  } else {
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  const QString path = dialog.selectedFiles().front();
  lastFolder = QFileInfo(path).absolutePath();
  return path;
}

// The user moved the focus; window activation and popups are not a move
// from one control to another.
bool UserFocusMove(Qt::FocusReason reason) {
  return reason == Qt::MouseFocusReason || reason == Qt::TabFocusReason ||
         reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason ||
         reason == Qt::OtherFocusReason;
}

constexpr const char* kTabNames[] = {"TabInputs", "TabMeasure", "TabIdent"};

}  // namespace

Binder::Binder(Workspace& ws, QObject* parent) : QObject(parent), ws_(ws) {
  showMessage = ShowMessageBox;
  openHelp = [](int) { return false; };
  chooseFile = ChooseInputFile;
  repaint = [] {};
  print = [](Outcome::Print) {};
  quit = [] { QApplication::quit(); };
  qApp->installEventFilter(this);
}

Binder::~Binder() {
  qApp->removeEventFilter(this);
}

void Binder::Bind(Dialog d, QWidget* root) {
  const Form& form = ws_.form(d);
  QList<QWidget*> all = root->findChildren<QWidget*>();
  all.prepend(root);
  for (QWidget* w : all) {
    // The windows that have the root as their parent are bound on their own.
    if (w->window() != root->window()) continue;
    const std::string name = w->objectName().toStdString();
    if (name.empty()) continue;
    const auto index = form.Find(name);
    // Only the control's own name binds: a static label may carry a
    // caption as its name.
    if (!index || *index == 0 || form.Info(*index).name != name) continue;
    if (form.Info(*index).kind == ControlKind::Tab) continue;  // pages: BindTabs
    bound_[w] = {d, name};
    widgets_[{d, name}] = w;
    connect(w, &QObject::destroyed, this, [this, w] { bound_.erase(w); });
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
      connect(edit, &QLineEdit::textEdited, this, [this, d, name](const QString& text) {
        Run([&] { ws_.Type(d, name, text.toStdString()); });
      });
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
      // The forms decide what is checked; Qt's own exclusive groups and
      // toggling would disagree with them between two refreshes.
      button->setAutoExclusive(false);
      connect(button, &QAbstractButton::clicked, this, [this, d, name] {
        if (pressRefused_) {
          pressRefused_ = false;
          Refresh();
          return;
        }
        Run([&] { ws_.Press(d, name); });
      });
    }
  }
  for (QLabel* label : root->findChildren<QLabel*>()) {
    if (label->window() != root->window()) continue;
    auto* caption = qobject_cast<QWidget*>(label->property("kolmiraSubscriptOf").value<QObject*>());
    QWidget* leader = caption != nullptr ? caption : label->buddy();
    if (leader == nullptr || !following_.insert(label).second) continue;
    followers_.emplace_back(label, leader);
  }
  Refresh();
}

void Binder::SetWindow(Dialog d, QWidget* window) {
  windows_[d] = window;
}

QWidget* Binder::window(Dialog d) const {
  const auto it = windows_.find(d);
  return it == windows_.end() ? nullptr : it->second;
}

void Binder::BindTabs(QTabWidget* tabs) {
  tabs_ = tabs;
  connect(tabs, &QTabWidget::currentChanged, this, &Binder::OnTabChanged);
  Refresh();
}

QWidget* Binder::widget(Dialog d, const std::string& control) const {
  const auto it = widgets_.find({d, control});
  return it == widgets_.end() ? nullptr : it->second;
}

std::optional<Binder::Bound> Binder::BoundOf(const QObject* object) const {
  const auto it = bound_.find(object);
  if (it == bound_.end()) return std::nullopt;
  return it->second;
}

// ---------------------------------------------------------------------------
// From the forms to the widgets

void Binder::Apply(QWidget* w, const ControlState& s) const {
  const QSignalBlocker block(w);
  if (w->isHidden() == s.visible) w->setVisible(s.visible);
  if (w->isEnabled() != s.enabled) w->setEnabled(s.enabled);
  SetFontBold(w, s.bold);
  SetRed(w, s.red);
  const QString text = Q(s.text);
  if (auto* edit = qobject_cast<QLineEdit*>(w)) {
    if (edit->text() != text) edit->setText(text);
    edit->setReadOnly(s.readOnly);
  } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
    if (button->text() != text) {
      button->setText(text);
      // Options and check boxes placed by hand grow to their caption.
      if (qobject_cast<QPushButton*>(button) == nullptr &&
          button->parentWidget()->layout() == nullptr) {
        button->resize(std::max(button->width(), button->sizeHint().width()), button->height());
      }
    }
    if (button->isCheckable() && button->isChecked() != s.checked) button->setChecked(s.checked);
  } else if (auto* label = qobject_cast<QLabel*>(w)) {
    if (label->text() != text) {
      label->setText(text);
      if (label->parentWidget()->layout() == nullptr) label->adjustSize();
    }
  } else if (auto* picture = qobject_cast<GearPicture*>(w)) {
    picture->setInternal(s.text == "internal");
  } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
    if (!text.isEmpty() && group->title() != text) group->setTitle(text);
  }
}

void Binder::Refresh() {
  ++busy_;
  for (const auto& [key, w] : widgets_) {
    const Form& form = ws_.form(key.first);
    const auto index = form.Find(key.second);
    if (!index || *index == 0) continue;
    Apply(w, form.StateOf(*index));
    // A picture drawn from the state follows it after every event.
    if (form.Info(*index).kind == ControlKind::Picture && w->isVisible()) w->update();
  }
  for (const auto& [label, leader] : followers_) {
    const bool subscript = leader != label->buddy();
    bool shown = !leader->isHidden();
    if (subscript) {
      const auto* caption = static_cast<QLabel*>(leader);
      PlaceSubscript(caption, label);
      shown = shown && !caption->text().isEmpty();
    }
    // A control of a form shows as its form says.
    if (bound_.contains(label)) continue;
    if (label->isHidden() == shown) label->setVisible(shown);
  }
  if (tabs_ != nullptr) {
    const QSignalBlocker block(tabs_);
    const MainForm& main = ws_.main();
    for (int i = 0; i < 3 && i < tabs_->count(); ++i) {
      const ControlState s = *main.control(kTabNames[i]);
      tabs_->setTabVisible(i, s.visible);
      tabs_->setTabText(i, Q(s.text));
    }
    if (tabs_->currentIndex() != main.activeTab()) tabs_->setCurrentIndex(main.activeTab());
    tabs_->tabBar()->update();
  }
  if (QWidget* w = window(Dialog::Main)) w->setWindowTitle(Q(ws_.pair().mainCaption));
  if (QWidget* w = window(Dialog::Report)) w->setWindowTitle(Q(ws_.report().caption()));
  if (QWidget* w = window(Dialog::Table)) w->setWindowTitle(Q(ws_.main().tableCaption()));
  --busy_;
}

// ---------------------------------------------------------------------------
// Events and outcomes

void Binder::Run(const std::function<void()>& event) {
  ++busy_;
  event();
  --busy_;
  Handle(ws_.TakeOutcomes());
}

void Binder::Handle(std::vector<Outcome> outcomes) {
  ++busy_;
  Refresh();
  for (const Outcome& o : outcomes) {
    switch (o.kind) {
      case Outcome::Kind::Message:
        if (o.messageKind == Outcome::MessageKind::Beep) {
          QApplication::beep();
        } else {
          // The window the box stood over is the active one again when it
          // closes, with its focus where it was.
          QWidget* active = QApplication::activeWindow();
          showMessage(o);
          if (active != nullptr && active->isVisible() && !active->isActiveWindow()) {
            active->activateWindow();
          }
        }
        break;
      case Outcome::Kind::ShowDialog:
        ShowWindow(o);
        break;
      case Outcome::Kind::HideDialog:
        if (QWidget* w = window(o.dialog)) w->hide();
        break;
      case Outcome::Kind::Focus:
        FocusControl(o.dialog, o.control);
        break;
      case Outcome::Kind::Help:
        if (!openHelp(o.helpContext)) {
          ws_.HelpNotFound();
          Handle(ws_.TakeOutcomes());
        }
        break;
      case Outcome::Kind::Repaint:
        repaint();
        break;
      case Outcome::Kind::ChooseFile: {
        const QString path = chooseFile(o.file);
        if (path.isEmpty()) break;
        if (o.file == Outcome::File::Save) {
          ws_.SaveTo(path.toStdString());
        } else {
          ws_.LoadFrom(path.toStdString());
        }
        Handle(ws_.TakeOutcomes());
        break;
      }
      case Outcome::Kind::Print:
        print(o.print);
        break;
      case Outcome::Kind::Quit:
        quit();
        break;
    }
  }
  --busy_;
}

void Binder::ShowWindow(const Outcome& o) {
  QWidget* w = window(o.dialog);
  if (w == nullptr) return;
  if (o.dialog == Dialog::Report) repaint();
  w->setWindowModality(o.modal ? Qt::ApplicationModal : Qt::NonModal);
  w->show();
  w->raise();
  w->activateWindow();
  const std::string focus(ws_.form(o.dialog).focused());
  if (QWidget* f = widget(o.dialog, focus)) f->setFocus(Qt::OtherFocusReason);
}

void Binder::FocusControl(Dialog d, const std::string& control) {
  QWidget* w = control.empty() ? window(d) : widget(d, control);
  if (w == nullptr) return;
  // A message box may have taken the activation: the window whose control
  // gets the focus is the active one again.
  if (!w->window()->isActiveWindow() && w->window()->isVisible()) w->window()->activateWindow();
  w->setFocus(Qt::OtherFocusReason);
  if (auto* edit = qobject_cast<QLineEdit*>(w)) edit->selectAll();
}

void Binder::OnFocusIn(const Bound& b, Qt::FocusReason reason) {
  Run([&] { ws_.Focus(b.dialog, b.control); });
  // A click or shortcut that moved the focus: the field left refused, so
  // the button does nothing.
  if (ws_.lastEntryRefused() &&
      (reason == Qt::MouseFocusReason || reason == Qt::ShortcutFocusReason)) {
    pressRefused_ = true;
  }
}

void Binder::OnTabChanged(int index) {
  if (busy_ > 0 || index < 0 || index >= 3) return;
  Run([&] { ws_.Press(Dialog::Main, kTabNames[index]); });
}

void Binder::OnPress(QWindow* handle, QPoint at) {
  pressRefused_ = false;
  QWidget* top = nullptr;
  for (const auto& [d, w] : windows_) {
    if (w->windowHandle() == handle) top = w;
  }
  if (top == nullptr) return;
  QWidget* target = top->childAt(at);
  if (target == nullptr) target = top;
  // The control under the mouse, or the surface of its dialog.
  for (QWidget* w = target; w != nullptr && w != top->parentWidget(); w = w->parentWidget()) {
    if (const auto b = BoundOf(w)) {
      pressed_ = b->dialog;
      ws_.BeginPress(b->dialog, b->control);
      return;
    }
  }
  if (top == window(Dialog::Main) &&
      (target == top || qobject_cast<QGroupBox*>(target) != nullptr ||
       target->metaObject() == &QWidget::staticMetaObject)) {
    Run([&] { ws_.ClickOnSurface(Dialog::Main); });
  }
}

std::optional<Dialog> Binder::DialogOfKeys(const QWidget* receiver) const {
  if (const auto b = BoundOf(QApplication::focusWidget())) return b->dialog;
  const QWidget* top = receiver->window();
  for (const auto& [d, w] : windows_) {
    if (w == top) return d;
  }
  return std::nullopt;
}

bool Binder::OnKey(QObject* receiver, int key, bool release) {
  auto* w = qobject_cast<QWidget*>(receiver);
  if (w == nullptr) return false;
  // A key the focused widget passes on reaches its parents too: it is
  // taken once, at the widget that has the focus.
  QWidget* focus = QApplication::focusWidget();
  if (focus != nullptr ? w != focus : !w->isWindow()) return false;
  const auto d = DialogOfKeys(w);
  if (!d) return false;
  if (key == Qt::Key_F1) {
    if (release) Run([&] { ws_.Key(*d, Key::F1); });
    return true;
  }
  if (release) return false;
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      Run([&] { ws_.Key(*d, Key::Enter); });
      // A focused button is pressed by Enter as well.
      return qobject_cast<QAbstractButton*>(w) == nullptr || ws_.lastEntryRefused();
    case Qt::Key_Escape:
      Run([&] { ws_.Key(*d, Key::Escape); });
      return true;
    default:
      Run([&] { ws_.Key(*d, Key::Other); });
      return false;
  }
}

bool Binder::eventFilter(QObject* watched, QEvent* event) {
  if (busy_ > 0) return false;
  switch (event->type()) {
    // Qt gives the focus to a pressed widget before the widget sees the
    // press: the press is taken where it enters its window.
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease: {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() != Qt::LeftButton || !watched->isWindowType()) break;
      if (event->type() == QEvent::MouseButtonPress) {
        OnPress(static_cast<QWindow*>(watched), mouse->position().toPoint());
      } else if (pressed_) {
        // After the click, if any, has been taken: a press released
        // elsewhere ends here.
        const Dialog d = *pressed_;
        pressed_.reset();
        QTimer::singleShot(0, this, [this, d] {
          if (busy_ == 0) ws_.EndPress(d);
        });
      }
      break;
    }
    case QEvent::FocusIn: {
      const auto* focus = static_cast<QFocusEvent*>(event);
      if (!UserFocusMove(focus->reason())) break;
      if (const auto b = BoundOf(watched)) OnFocusIn(*b, focus->reason());
      break;
    }
    // A dialog closed by its window frame is closed as its form closes it
    // (its cancelling button or Esc); the outcomes hide it.
    case QEvent::Close:
      for (const auto& [d, w] : windows_) {
        if (w != watched || d == Dialog::Main) continue;
        const Dialog closing = d;
        Run([&] { ws_.Close(closing); });
        event->ignore();
        return true;
      }
      break;
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
      const auto* key = static_cast<QKeyEvent*>(event);
      return OnKey(watched, key->key(), event->type() == QEvent::KeyRelease);
    }
    default:
      break;
  }
  return false;
}

}  // namespace kolmira::gui
