// A dialog laid out from its form's control table alone: every field with
// its state variable's name, every option, check box, read-out and button,
// in the order the form lists them. It serves the backlash, rack tool and
// shaper cutter dialogs until each has a drawn layout of its own; the
// binding, and so every rule, is the same.
#pragma once

#include <QDialog>

namespace kolmira {
class Form;
}

namespace kolmira::gui {

class PlainFormDialog : public QDialog {
  Q_OBJECT

 public:
  PlainFormDialog(const Form& form, const QString& title, QWidget* parent = nullptr);

 protected:
  // Enter and Esc are the form's keys (the binder hands them over).
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace kolmira::gui
