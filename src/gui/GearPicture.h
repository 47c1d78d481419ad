// The measuring sketches of the measurement tab: the chordal tooth
// thickness, the span over zw teeth and the dimension over balls, for an
// external gear and for an internal (ring) gear. Clean line art drawn by our
// own code; the sketch scales to the widget's size.
#pragma once

#include <QWidget>

namespace kolmira::gui {

class GearPicture : public QWidget {
  Q_OBJECT

 public:
  enum class Measure { Thickness, Span, Balls };

  GearPicture(Measure measure, bool internal, QWidget* parent = nullptr);

  Measure measure() const { return measure_; }
  bool internal() const { return internal_; }
  // The form names the drawing in its picture's text: "internal" for a
  // ring, anything else for an external gear.
  void setInternal(bool internal);
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Measure measure_;
  bool internal_;
};

}  // namespace kolmira::gui
