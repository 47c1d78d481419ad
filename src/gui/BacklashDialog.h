// The backlash dialog TVuleF: the three ways of making the backlash on the
// left, the fields of the centre distance, the shift sum and the backlash on
// the right, below them the thinning options of direct entry and the two
// technologies, each with its picture under its option, and the buttons.
// Only layout and painting live here; every control is bound to the
// backlash form by its objectName, which also decides what shows.
#pragma once

#include <QDialog>
#include <QWidget>

namespace kolmira {
class Form;
}

namespace kolmira::gui {

// How the teeth are thinned, drawn on two teeth of the gear and the tool in
// the space between them: a hob made thicker cuts the whole profile deeper,
// root fillet, protuberance undercut and tip chamfer included; a grinding
// wheel takes off the involute flank only and leaves the rest as it was.
// The nominal outline is dashed, the removed layer exaggerated.
class TechnologyPicture : public QWidget {
  Q_OBJECT

 public:
  enum class Tool { ThickerHob, Grinding };

  TechnologyPicture(Tool tool, QWidget* parent = nullptr);
  Tool tool() const { return tool_; }
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Tool tool_;
};

class BacklashDialog : public QDialog {
  Q_OBJECT

 public:
  // The form gives the captions that other texts are set into.
  explicit BacklashDialog(const Form& form, QWidget* parent = nullptr);

 protected:
  // Enter and Esc are the form's keys (the binder hands them over).
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace kolmira::gui
