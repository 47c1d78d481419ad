// The rack tool dialog TNastrojDlg: the pinion's tool and the wheel's tool
// side by side, each group with its fields, its two options and a picture of
// the tool tooth, and "OK", "Nuluj" and "Help" below. Only layout and the
// drawing of the tooth live here; every control is bound to the rack tool
// form by its objectName.
#pragma once

#include <QDialog>
#include <QWidget>

#include "engine/ToolOutline.h"
#include "model/GearPair.h"

namespace kolmira::gui {

// A picture of one tool tooth (tool 1 the pinion's, 2 the wheel's) with the
// given options, drawn from the tool's current values in the state: the
// tooth pointing down from the tool's body, the datum line, and the tool's
// dimensions labelled lightly. A tool that cannot be built is drawn as far as
// it goes, its break marked and named.
class ToolToothPicture : public QWidget {
  Q_OBJECT

 public:
  ToolToothPicture(const GearPair& pair, int tool, ToolShape shape, QWidget* parent = nullptr);

  int tool() const { return tool_; }
  ToolShape shape() const { return shape_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const GearPair& pair_;
  int tool_;
  ToolShape shape_;
};

class RackToolDialog : public QDialog {
  Q_OBJECT

 public:
  // The client area with both groups, in logical pixels; with the wheel's
  // group hidden (an internal pair) the dialog is as wide as one group.
  static constexpr int kWidth = 672;
  static constexpr int kHeight = 504;

  explicit RackToolDialog(const GearPair& pair, QWidget* parent = nullptr);

 protected:
  // Enter and Esc are the form's keys (the binder hands them over).
  void keyPressEvent(QKeyEvent* event) override;
  // The wheel's group may have been hidden since the last show.
  void showEvent(QShowEvent* event) override;

 private:
  void BuildGroup(const GearPair& pair, int tool, int x);
  void BuildButtons();

  QWidget* wheelGroup_ = nullptr;
};

}  // namespace kolmira::gui
