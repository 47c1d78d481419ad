// The Qt tests' driver of the running program (clicks through the window,
// typing into fields, the widgets bound to a form's controls, the messages
// counted) and the checks of a window's layout that they share.
//
// With KOLMIRA_RENDER_DIR set, Render saves a widget there as a PNG file.
#pragma once

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <optional>
#include <string_view>

#include "forms/Form.h"
#include "gui/Application.h"
#include "gui/Binder.h"
#include "gui/MainDialog.h"

namespace kolmira::test {

inline QString Name(std::string_view name) {
  return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

// How the program's messages are met: only counted, or also shown as a
// real modal box that closes at once, so that its focus changes happen as
// they do for a user.
enum class Boxes { Counted, Shown };

// The program with its main dialog open (and active when boxes are shown),
// every message counted. `home` is the dialog a control's name is looked up
// in when none is given.
struct Program {
  gui::Application app;
  QStringList messages;
  Dialog home = Dialog::Main;

  explicit Program(Boxes boxes = Boxes::Shown) {
    app.binder().showMessage = [this, boxes](const Outcome& o) {
      messages << QString::fromStdString(o.message.text);
      if (boxes == Boxes::Counted) return;
      QMessageBox box(QMessageBox::Warning, QString::fromStdString(o.message.title),
                      QString::fromStdString(o.message.text), QMessageBox::Ok,
                      QApplication::activeWindow());
      QTimer::singleShot(0, &box, &QMessageBox::accept);
      box.exec();
    };
    app.OpenMain();
    if (boxes == Boxes::Counted) return;
    app.main().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&app.main()));
  }
  Workspace& ws() { return app.workspace(); }
  QWidget* Window(std::optional<Dialog> d = {}) { return app.binder().window(d.value_or(home)); }
  template <typename W = QWidget>
  W* Get(const char* name, std::optional<Dialog> d = {}) {
    return qobject_cast<W*>(app.binder().widget(d.value_or(home), name));
  }
  QLineEdit* Field(const char* name, std::optional<Dialog> d = {}) {
    return Get<QLineEdit>(name, d);
  }
  QString Text(const char* name, std::optional<Dialog> d = {}) {
    QWidget* w = Get(name, d);
    if (auto* edit = qobject_cast<QLineEdit*>(w)) return edit->text();
    if (auto* label = qobject_cast<QLabel*>(w)) return label->text();
    return QString();
  }
  QWidget* Focused() const { return QApplication::focusWidget(); }

  // A click as the mouse makes it: it enters through the window, so the
  // window sees the press before the widget takes the focus; a click into
  // another window activates it first, as the desktop does.
  void Click(QWidget* w) {
    QVERIFY(w != nullptr);
    if (!w->window()->isActiveWindow()) {
      w->window()->activateWindow();
      QVERIFY(QTest::qWaitForWindowActive(w->window()));
    }
    QTest::mouseClick(w->window()->windowHandle(), Qt::LeftButton, {},
                      w->mapTo(w->window(), w->rect().center()));
  }
  void Click(const char* name, std::optional<Dialog> d = {}) { Click(Get(name, d)); }
  // Clicks into a field and replaces its text by typing, as a user does.
  void TypeInto(const char* name, const QString& text, std::optional<Dialog> d = {}) {
    QLineEdit* f = Field(name, d);
    Click(f);
    f->selectAll();
    QTest::keyClicks(f, text);
  }
  // TypeInto, then the field left by `key`.
  void Enter(const char* name, const QString& text, std::optional<Dialog> d = {},
             Qt::Key key = Qt::Key_Tab) {
    TypeInto(name, text, d);
    QTest::keyClick(Field(name, d), key);
  }
  // Events given straight to the program, for setting a state up.
  void Run(const std::function<void()>& event) { app.binder().Run(event); }
  void Press(const char* name, std::optional<Dialog> d = {}) {
    Run([&] { ws().Press(d.value_or(home), name); });
  }

  // Every control of the dialog's form is one widget under `window`, of its
  // kind (`Picture` the class of the form's pictures), bound to the control.
  template <class Picture>
  QStringList ControlFaults(QWidget* window, Dialog d) {
    QStringList faults;
    const Form& form = ws().form(d);
    for (int i = 1; i < form.ControlCount(); ++i) {
      const ControlInfo& info = form.Info(i);
      const auto found = window->findChildren<QWidget*>(Name(info.name));
      if (found.size() != 1) {
        faults << Name(info.name) + QStringLiteral(": %1 widgets").arg(found.size());
      } else if (!OfKind<Picture>(found.front(), info.kind)) {
        faults << Name(info.name) + ": a " + found.front()->metaObject()->className();
      } else if (app.binder().widget(d, std::string(info.name)) != found.front()) {
        faults << Name(info.name) + ": not bound";
      }
    }
    return faults;
  }

  // The widget that stands for a control of each kind.
  template <class Picture>
  static bool OfKind(QWidget* w, ControlKind kind) {
    switch (kind) {
      case ControlKind::Field:
        return qobject_cast<QLineEdit*>(w) != nullptr;
      case ControlKind::Option:
        return qobject_cast<QRadioButton*>(w) != nullptr;
      case ControlKind::CheckBox:
        return qobject_cast<QCheckBox*>(w) != nullptr;
      case ControlKind::Button:
        return qobject_cast<QPushButton*>(w) != nullptr;
      case ControlKind::Label:
        return qobject_cast<QLabel*>(w) != nullptr;
      case ControlKind::Group:
        return qobject_cast<QGroupBox*>(w) != nullptr;
      case ControlKind::Picture:
        return qobject_cast<Picture*>(w) != nullptr;
      case ControlKind::Tab:
        return false;  // a tab is the main dialog's, never a dialog's or a page's
    }
    return false;
  }
};

inline QString Describe(const QWidget* w) {
  const QRect r = w->geometry();
  QString name = w->objectName();
  if (auto* label = qobject_cast<const QLabel*>(w)) name += " \"" + label->text() + "\"";
  return QStringLiteral("%1 (%2,%3 %4x%5)")
      .arg(name)
      .arg(r.x())
      .arg(r.y())
      .arg(r.width())
      .arg(r.height());
}

// Every widget shown under `top` (a dialog or a page) lies within its
// parent and `top`, and apart from its shown siblings, but for two that
// `mayShare` lets share a place.
inline QStringList PlacementFaults(QWidget* top, bool (*mayShare)(QWidget*, QWidget*) = nullptr) {
  QStringList faults;
  QList<QWidget*> parents = top->findChildren<QWidget*>();
  parents.prepend(top);
  for (QWidget* parent : parents) {
    QList<QWidget*> children;
    for (QObject* o : parent->children()) {
      if (auto* w = qobject_cast<QWidget*>(o); w && !w->isWindow() && w->isVisibleTo(top)) {
        children << w;
      }
    }
    for (qsizetype i = 0; i < children.size(); ++i) {
      QWidget* a = children[i];
      if (!parent->rect().contains(a->geometry())) {
        faults << Describe(a) + " leaves " + parent->objectName();
      }
      if (!top->rect().contains(QRect(a->mapTo(top, QPoint(0, 0)), a->size()))) {
        faults << Describe(a) + " leaves " + top->objectName();
      }
      for (qsizetype j = i + 1; j < children.size(); ++j) {
        QWidget* b = children[j];
        if (!a->geometry().intersects(b->geometry())) continue;
        if (mayShare != nullptr && mayShare(a, b)) continue;
        faults << Describe(a) + " overlaps " + Describe(b);
      }
    }
  }
  return faults;
}

// Every label, option, check box, field and (with `pushButtons`) push
// button shown under `top` that does not fit its text; a field's text has
// its frame and margins around it.
inline QStringList ClippedTexts(QWidget* top, bool pushButtons = true) {
  QStringList faults;
  for (QWidget* w : top->findChildren<QWidget*>()) {
    if (!w->isVisibleTo(top)) continue;
    const bool label = qobject_cast<QLabel*>(w) != nullptr;
    const bool button = qobject_cast<QAbstractButton*>(w) != nullptr &&
                        (pushButtons || qobject_cast<QPushButton*>(w) == nullptr);
    if ((label || button) && w->sizeHint().width() > w->width()) {
      faults << Describe(w) + " clips its text";
    }
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
      const int frame = w->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, w);
      if (edit->fontMetrics().horizontalAdvance(edit->text()) > edit->width() - 2 * frame - 4) {
        faults << Describe(w) + " clips \"" + edit->text() + "\"";
      }
    }
  }
  return faults;
}

inline void Render(QWidget* w, const QString& file) {
  const QString dir = qEnvironmentVariable("KOLMIRA_RENDER_DIR");
  if (dir.isEmpty()) return;
  QDir().mkpath(dir);
  QApplication::processEvents();
  QVERIFY(w->grab().save(QDir(dir).filePath(file)));
}

}  // namespace kolmira::test
