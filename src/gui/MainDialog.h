// The main dialog TPagesDlg: the gear-type options and "Fellow" above, the
// page control with the tabs "Zadání  ", "Míry ozubení   " and
// "Identifikace   ", and the strip of commands below. Only layout and the
// drawing of the tab captions live here; every control is bound to the main
// form (or to the form of its tab) by its objectName.
#pragma once

#include <QDialog>
#include <QTabBar>

#include "model/GearPair.h"

class QLabel;
class QTabWidget;

namespace kolmira::gui {

class MeasureTab;
class IdentTab;

// Tab captions drawn as the program draws them: the active one bold, the
// others italic, all in the colour of the gear type, 6 px from the left and
// 3 px from the top of the tab.
class GearTabBar : public QTabBar {
  Q_OBJECT

 public:
  GearTabBar(const GearPair& pair, QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
  QSize tabSizeHint(int index) const override;

 private:
  const GearPair& pair_;
};

class MainDialog : public QDialog {
  Q_OBJECT

 public:
  // The client area of the dialog, in logical pixels.
  static constexpr int kWidth = 671;
  static constexpr int kHeight = 501;

  explicit MainDialog(const GearPair& pair, QWidget* parent = nullptr);

  QTabWidget* tabs() const { return tabs_; }
  QWidget* inputsPage() const { return inputs_; }
  MeasureTab* measurePage() const { return measure_; }
  IdentTab* identPage() const { return ident_; }

 protected:
  // Esc and Enter belong to the forms, not to QDialog's reject and default
  // button.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void BuildTopStrip();
  void BuildInputsPage();
  void BuildBottomStrip();

  QTabWidget* tabs_ = nullptr;
  QWidget* inputs_ = nullptr;
  MeasureTab* measure_ = nullptr;
  IdentTab* ident_ = nullptr;
};

}  // namespace kolmira::gui
