// The dimension table window TTabulkaDlg: the grid "StringGrid1" and the
// buttons along the bottom ("Tisk", "Button1", "OkBtn", "HelpBtn"), found by
// their object names and connected by the binder. The grid keeps no values:
// it paints every cell through TablePainter from the table model and the
// gear-pair state at the moment of painting.
#pragma once

#include <QAbstractScrollArea>
#include <QDialog>
#include <QPoint>
#include <QRect>

#include "model/GearPair.h"
#include "report/DimensionTable.h"

class QPushButton;

namespace kolmira::gui {

// The grid: one fixed row (the header) and one fixed column (the names)
// that stay while the other rows scroll, a whole row at a time. A range of
// cells is chosen with the mouse (or Shift and the arrows) and Ctrl+C copies
// it as tab-separated text. The chosen range shows as a thin dotted frame
// while the grid has the focus; the cells themselves are never coloured.
class TableGrid : public QAbstractScrollArea {
  Q_OBJECT

 public:
  TableGrid(const DimensionTable& table, const GearPair& pair, QWidget* parent = nullptr);

  // The first scrolling row shown (row 1 when scrolled to the top).
  int topRow() const;
  void ScrollTo(int topRow);
  // The box of a cell in the viewport; empty when the cell is scrolled away.
  QRect CellBox(int column, int row) const;
  // The cell (column, row) under a point of the viewport; (-1, -1) if none.
  QPoint CellAt(QPoint at) const;

  // The chosen range: from the cell where it began to the current one.
  void Select(QPoint from, QPoint to);
  QPoint selectionStart() const { return start_; }
  QPoint current() const { return current_; }
  // The chosen cells' texts to the clipboard.
  void Copy() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  // The scroll range follows the row count of the gear type.
  void SyncScrollRange();
  // Rows below the fixed one that fit wholly in the viewport.
  int WholeRowsShown() const;
  int rowCount() const { return table_.RowCount(pair_); }
  void MoveCurrent(QPoint to, bool extend);

  const DimensionTable& table_;
  const GearPair& pair_;
  QPoint start_{1, 1};
  QPoint current_{1, 1};
};

class TableWindow : public QDialog {
  Q_OBJECT

 public:
  TableWindow(const DimensionTable& table, const GearPair& pair, QWidget* parent = nullptr);

  TableGrid* grid() const { return grid_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  // One row of buttons at the bottom, each wide enough for its caption.
  void PlaceButtons();

  TableGrid* grid_;
  QPushButton* buttons_[4];
};

}  // namespace kolmira::gui
