// The intro window TForm1: the program's name, version and scope, and "Ok",
// which opens the main dialog.
#pragma once

#include <QDialog>

namespace kolmira::gui {

class IntroWindow : public QDialog {
  Q_OBJECT

 public:
  explicit IntroWindow(QWidget* parent = nullptr);

 Q_SIGNALS:
  void ok();
};

}  // namespace kolmira::gui
