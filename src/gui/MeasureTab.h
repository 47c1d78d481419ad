// The main dialog's tab "Míry ozubení   ": three groups one above the other
// -- the chordal tooth thickness, the span over teeth and the dimension over
// balls -- each with the pinion on the left and the wheel on the right, every
// gear with the sketch of its measurement beside its fields. The widgets
// carry the names of the measurement form's controls; the binder fills them.
#pragma once

#include <QWidget>

namespace kolmira::gui {

class MeasureTab : public QWidget {
  Q_OBJECT

 public:
  explicit MeasureTab(QWidget* parent = nullptr);
};

}  // namespace kolmira::gui
