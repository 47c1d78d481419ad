// The results report window: the paint box with the findings of the last
// check on the upper panel and the four buttons on the bottom strip. Its
// size follows the list, and is at least as wide as the buttons' row. The buttons are found by
// their object names and connected by the binder; the window only lays out and paints.
#pragma once

#include <QDialog>

#include "model/GearPair.h"

class QPushButton;
class QWidget;

namespace kolmira::gui {

class ReportView;

class ReportWindow : public QDialog {
  Q_OBJECT

 public:
  explicit ReportWindow(const GearPair& pair, QWidget* parent = nullptr);

  // Builds the report from the state and sizes the window, the panels and
  // the paint box to it; the buttons stay centred on the bottom strip.
  void Relayout();

  ReportView* view() const { return view_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  // Places the buttons centred on a strip of the width; returns the width
  // their row needs at the least.
  int PlaceButtons(int width);

  QWidget* panel1_;
  QWidget* panel2_;
  ReportView* view_;
  QPushButton* okButton_;
  QPushButton* tableButton_;
  QPushButton* mapButton_;
  QPushButton* helpButton_;
};

}  // namespace kolmira::gui
