// Painting of the dimension table, cell by cell, onto any QPainter: the
// window's grid and the printed pages share it. Nothing is stored here; each
// paint asks the table model for the cell texts, so the values are those of
// the gear-pair state at the moment of painting.
//
// Positions are table pixels. The anchors of the value columns and the
// places of the symbols are counted from the grid's left edge (`gridLeft`),
// as the grid control counts them, so a cell can be painted wherever its
// box lies: on the screen with 1-pixel lines, in the printed image with
// 2-pixel lines, or stretched onto a printer page.
#pragma once

#include <QColor>
#include <QFont>
#include <QPointF>
#include <QRect>
#include <QString>
#include <vector>

#include "model/GearPair.h"
#include "report/DimensionTable.h"

class QPainter;
class QPaintDevice;

namespace kolmira::gui {

// The grid's face in a size given in points of a 96 dpi screen, set in
// pixels (10 pt is 13 px) so that it keeps its size against the 22-pixel
// rows on every device, the printer's included.
QFont TableFont(int points, bool bold = false, bool italic = false);

// A piece of text as a cell draws it: the text, its font and the left end of
// its baseline.
struct TextPiece {
  QString text;
  QFont font;
  QPointF baseline;
};

class TablePainter {
 public:
  // Paints for printing (white cells, black text) while the pair says so.
  TablePainter(const DimensionTable& table, const GearPair& pair);

  // Letters in two colours, without grey edges (for a two-colour bitmap).
  void setAliasedText(bool aliased) { aliased_ = aliased; }

  int rowCount() const { return table_.RowCount(pair_); }
  bool printing() const { return pair_.tablePrinting; }

  // The texts of a cell whose box is `box`, measured on `device`: a stored
  // text at its offset; a value with its point (or minutes mark) on the
  // column's anchor; a name's symbol, the Greek letters and the subscripts
  // each right after the letter they belong to.
  std::vector<TextPiece> Pieces(int column, int row, const QRect& box, int gridLeft,
                                const QPaintDevice* device) const;

  // Fills a cell's box and draws its pieces clipped to it. `fixed`: a cell
  // of the window's fixed row or column, on the face colour.
  void PaintCell(QPainter& p, int column, int row, const QRect& box, int gridLeft,
                 bool fixed) const;

  // Paints a whole row at `top`: its five cells and the grid lines around
  // them. On the screen the row 0 and the column 0 are the fixed ones.
  void PaintRow(QPainter& p, int row, int top, int gridLeft, GridLines lines) const;

 private:
  QFont Font(int points, bool bold = false, bool italic = false) const;

  const DimensionTable& table_;
  const GearPair& pair_;
  QColor face_, base_, text_;
  bool aliased_ = false;
};

}  // namespace kolmira::gui
