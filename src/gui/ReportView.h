// The paint box of the results report: the findings of the last check,
// rebuilt from the gear-pair state on every paint, with their symbols (the
// Greek letters and the subscripts) placed by measuring the text before
// them.
#pragma once

#include <QWidget>
#include <vector>

#include "model/GearPair.h"
#include "report/Report.h"

namespace kolmira::gui {

class ReportView : public QWidget {
  Q_OBJECT

 public:
  explicit ReportView(const GearPair& pair, QWidget* parent = nullptr);

  // Builds the report from the state and measures it in the window's font:
  // the window and paint box sizes follow the list.
  Report Build() const;

  // Where the symbols of a line are drawn, in the line's order: each box
  // starts at the symbol's left edge and top and is as wide and high as
  // the symbol's text in its font.
  std::vector<QRect> SymbolBoxes(const ReportLine& line) const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const GearPair& pair_;
};

}  // namespace kolmira::gui
