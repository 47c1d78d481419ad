// The shaper cutter dialog TFellowDlg: the cutter's four fields and its two
// options on the left with the cutter's dimensions below them, the picture
// of the cutter in the ring it cuts on the right, the buttons under it.
// Only layout and painting live here; every control is bound to the cutter
// form by its objectName.
#pragma once

#include <QDialog>
#include <QWidget>

namespace kolmira::gui {

// A Fellows cutter meshing inside the ring it cuts, schematic line art that
// names the cutter's quantities: its teeth z0, tip diameter da0, the circle
// dL0 where its involute begins, its tip thickness sa0 and the radii of its
// tip and root roundings. It shows no values.
class CutterPicture : public QWidget {
  Q_OBJECT

 public:
  explicit CutterPicture(QWidget* parent = nullptr);
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

class FellowDialog : public QDialog {
  Q_OBJECT

 public:
  explicit FellowDialog(QWidget* parent = nullptr);

 protected:
  // Enter and Esc are the form's keys (the binder hands them over).
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace kolmira::gui
