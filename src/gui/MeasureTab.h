// The main dialog's tab "Míry ozubení   ": three groups one above the other
// -- the chordal tooth thickness, the span over teeth and the dimension over
// balls -- each with the pinion on the left and the wheel on the right, every
// gear with the sketch of its measurement beside its fields. The widgets
// carry the names of the measurement form's controls; the binder fills them.
#pragma once

#include <QWidget>
#include <array>

namespace kolmira::gui {

class GearPicture;

class MeasureTab : public QWidget {
  Q_OBJECT

 public:
  explicit MeasureTab(QWidget* parent = nullptr);

  // The wheel's sketches show a ring gear (an internal pair) or an external
  // wheel; the pinion's always show an external gear. The form names the
  // drawing in the text of its pictures ("internal" or "external").
  void setInternalWheel(bool internal);
  bool internalWheel() const { return internalWheel_; }

 private:
  // The ring variants of the wheel's three sketches. Each fills the wheel's
  // sketch of the same measurement as its child, so that it hides with it,
  // and covers it while the pair is internal.
  std::array<GearPicture*, 3> ringSketches_{};
  bool internalWheel_ = false;
};

}  // namespace kolmira::gui
