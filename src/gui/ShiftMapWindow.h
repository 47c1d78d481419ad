// The window "Mapa korekcí": the shift map of the pair drawn from the map
// form's scene (regions, boundaries, iso-lines, axes and legend), the mark
// of the current shifts, a status line that reads the map under the mouse
// and the buttons "&Zpět" and "&Help" (object names "OkBtn", "HelpBtn",
// connected by the binder). The map is computed in the background; while
// it is, the window polls the form and repaints when a map arrives. A click
// on the plot is handed to the program (see `clicked`).
#pragma once

#include <QDialog>
#include <QPointF>
#include <QRectF>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <optional>

#include "forms/ShiftMapForm.h"

class QLabel;
class QPushButton;

namespace kolmira::gui {

// The picture of the map ("Plot"): the plot box keeps an aspect that reads
// well (equal scales on a plane, as far as the window allows), the legend
// stands on its right. While the form computes a map, the picture polls it
// (every 30 ms) and repaints when one arrives.
class ShiftMapView : public QWidget {
  Q_OBJECT

 public:
  explicit ShiftMapView(ShiftMapForm& form, QWidget* parent = nullptr);

  // Starts polling when the form computes a map (after a show, or an event
  // that changed the pair's inputs).
  void KeepPolling();

  // The plot box in the widget; empty without a map.
  QRectF PlotBox() const;
  // The widget's point of a map point, and the map point of a widget point
  // (none outside the plot).
  QPointF Pixel(double x, double y) const;
  std::optional<QPointF> MapPoint(QPointF at) const;

  // The mouse over a map point, or (with no point) out of the plot.
  std::function<void(std::optional<QPointF>)> hovered;
  // A left click on a map point.
  std::function<void(QPointF)> clicked;
  // A map arrived.
  std::function<void()> arrived;

  QSize sizeHint() const override { return {760, 520}; }
  QSize minimumSizeHint() const override { return {420, 260}; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  struct Boxes {
    QRectF plot;
    QRectF legend;
  };
  Boxes Layout() const;
  int LegendWidth() const;
  void Poll();

  ShiftMapForm& form_;
  QTimer poll_;
};

class ShiftMapWindow : public QDialog {
  Q_OBJECT

 public:
  explicit ShiftMapWindow(ShiftMapForm& form, QWidget* parent = nullptr);

  ShiftMapView* view() const { return view_; }
  QLabel* status() const { return status_; }
  // The status line from the form.
  void ShowStatus();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  ShiftMapForm& form_;
  ShiftMapView* view_;
  QLabel* status_;
  QPushButton* okButton_;
  QPushButton* helpButton_;
};

}  // namespace kolmira::gui
