// The main dialog's tab "Identifikace   ": the measured gear's tooth count
// and tip diameter on top, below them three groups side by side, one per
// method (chordal tooth thickness, span over teeth, dimension over balls).
// Each group holds the method's measured values and its four parameters,
// every parameter field with the option beside it that makes it the
// computed one. The widgets carry the names of the identification form's
// controls; the binder fills them.
#pragma once

#include <QWidget>

namespace kolmira::gui {

class IdentTab : public QWidget {
  Q_OBJECT

 public:
  explicit IdentTab(QWidget* parent = nullptr);
};

}  // namespace kolmira::gui
