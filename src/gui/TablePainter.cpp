// The face is Arial (Liberation Sans, with the same widths, where Arial is
// missing); it has the Greek letters, so a symbol is plain Unicode text of
// one family. The main letters of a symbol stand at their places in the name
// column; everything that follows a letter -- a subscript, the second letter
// of a contact ratio, the small sum sign of a total contact length, the star
// of a per-module coefficient, the subscript inside a name -- is placed at
// the measured end of what it follows, so it fits the font actually used.
#include "gui/TablePainter.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <cmath>
#include <string_view>

namespace kolmira::gui {

namespace {

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Sizes of the pieces of a symbol.
constexpr int kSymbolPt = 10;
constexpr int kSubscriptPt = 8;

// Grid lines: silver between the cells, darker around the fixed ones.
const QColor kLine(192, 192, 192);
const QColor kFixedLine(128, 128, 128);

double Advance(const QString& text, const QFont& font, const QPaintDevice* device) {
  return QFontMetricsF(font, const_cast<QPaintDevice*>(device)).horizontalAdvance(text);
}

double Ascent(const QFont& font, const QPaintDevice* device) {
  return QFontMetricsF(font, const_cast<QPaintDevice*>(device)).ascent();
}

// Pieces of a symbol are laid out left to right; `end` is where the last
// one drawn ends.
struct SymbolLayout {
  std::vector<TextPiece>& pieces;
  const QPaintDevice* device;
  double end = 0.0;

  void Add(const QString& text, const QFont& font, double x, double baseline) {
    pieces.push_back({text, font, QPointF(x, baseline)});
    end = x + Advance(text, font, device);
  }
};

}  // namespace

QFont TableFont(int points, bool bold, bool italic) {
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(static_cast<int>(std::lround(points * 96.0 / 72.0)));
  font.setBold(bold);
  font.setItalic(italic);
  return font;
}

TablePainter::TablePainter(const DimensionTable& table, const GearPair& pair)
    : table_(table), pair_(pair) {
  const QPalette palette = QGuiApplication::palette();
  face_ = palette.color(QPalette::Button);
  base_ = palette.color(QPalette::Base);
  text_ = palette.color(QPalette::Text);
}

QFont TablePainter::Font(int points, bool bold, bool italic) const {
  QFont font = TableFont(points, bold, italic);
  if (aliased_) font.setStyleStrategy(QFont::NoAntialias);
  return font;
}

std::vector<TextPiece> TablePainter::Pieces(int column, int row, const QRect& box, int gridLeft,
                                            const QPaintDevice* device) const {
  std::vector<TextPiece> pieces;
  const TableCell cell = table_.Cell(pair_, column, row);
  const StoredTextStyle style = StoredStyle(column, row);
  const QFont font = Font(style.pointSize, style.bold, style.italic);
  const QString text = Text(cell.text);

  if (cell.anchored) {
    // The text goes left of the anchor by the width of what stands before
    // its point; the "Σ =" of a shift sum has a place of its own.
    const int anchor = gridLeft + kValueAnchorX[static_cast<std::size_t>(column - 2)];
    const double baseline = box.top() + kValueTextDy + Ascent(font, device);
    if (cell.pairSigma) {
      pieces.push_back({Text(kPairSigmaText), font, QPointF(gridLeft + kPairSigmaX, baseline)});
    }
    const double x = anchor - Advance(Text(cell.anchorPrefix), font, device);
    pieces.push_back({text, font, QPointF(x, baseline)});
    return pieces;
  }

  if (!text.isEmpty()) {
    pieces.push_back(
        {text, font, QPointF(box.left() + style.dx, box.top() + style.dy + Ascent(font, device))});
  }
  if (column != 0 || row < 1) return pieces;

  // A subscript inside the name ("Poměr b/m" and its n) follows the name.
  const QFont nameSubscriptFont = Font(kSubscriptPt, style.bold);
  const NameSubscript nameSub = RowNameSubscript(pair_.gearType, row);
  if (!nameSub.text.empty()) {
    const double x = box.left() + style.dx + Advance(text, font, device);
    pieces.push_back({Text(nameSub.text), nameSubscriptFont,
                      QPointF(x, box.top() + nameSub.dy + Ascent(nameSubscriptFont, device))});
  }

  // The symbol is a sign of a formula, not part of the caption: regular
  // weight, as the places of its pieces leave room for.
  const TableSymbol s = RowSymbol(pair_.gearType, row);
  if (s.Empty()) return pieces;
  const QFont letterFont = Font(kSymbolPt);
  const QFont symbolSubscriptFont = Font(kSubscriptPt);
  const double letterAscent = Ascent(letterFont, device);
  // Greek and Latin letters share the line of a Latin letter at its usual
  // place; subscripts sit on their own lower line.
  const double mainLine = box.top() + TableSymbol{}.latinDy + letterAscent;
  const double subLine = box.top() + s.subscriptDy + Ascent(symbolSubscriptFont, device);
  SymbolLayout layout{pieces, device};

  // A full-size Greek letter is a main letter; a smaller one (the sum sign
  // of a total contact length) goes with the subscript.
  // Where a symbol has both, the Greek letter stands first ("Σx").
  const bool greekMain = !s.greek.empty() && s.greekPt >= kSymbolPt;
  if (greekMain) {
    layout.Add(Text(s.greek), Font(s.greekPt), gridLeft + s.greekX, mainLine + s.greekDy);
  }
  if (!s.latin.empty()) {
    // Never over the letter before it.
    const double x = std::max<double>(gridLeft + s.latinX, layout.end);
    layout.Add(Text(s.latin), letterFont, x, box.top() + s.latinDy + letterAscent);
  }
  if (!s.greek.empty() && !greekMain) {
    layout.Add(Text(s.greek), Font(s.greekPt), layout.end, subLine);
  }
  if (!s.greekSecond.empty()) {
    layout.Add(Text(s.greekSecond), Font(s.greekSecondPt), layout.end, subLine);
  }
  if (!s.subscript.empty()) {
    layout.Add(Text(s.subscript), symbolSubscriptFont, layout.end, subLine);
  }
  // The star stands up by the letter's line, after the subscript.
  if (s.star) layout.Add(QStringLiteral("*"), letterFont, layout.end, mainLine);
  return pieces;
}

void TablePainter::PaintCell(QPainter& p, int column, int row, const QRect& box, int gridLeft,
                             bool fixed) const {
  const bool print = printing();
  // A selected or focused cell has no colour of its own.
  p.fillRect(box, print ? QColor(Qt::white) : fixed ? face_ : base_);
  const std::vector<TextPiece> pieces = Pieces(column, row, box, gridLeft, p.device());
  if (pieces.empty()) return;
  p.save();
  p.setClipRect(box, Qt::IntersectClip);
  p.setPen(print ? QColor(Qt::black) : text_);
  for (const TextPiece& piece : pieces) {
    p.setFont(piece.font);
    p.drawText(piece.baseline, piece.text);
  }
  p.restore();
}

void TablePainter::PaintRow(QPainter& p, int row, int top, int gridLeft, GridLines lines) const {
  const bool print = printing();
  const int w = lines.width;
  const int height = kTableRowHeight;
  for (int column = 0; column < kTableColumns; ++column) {
    const QRect box(gridLeft + GridColumnLeft(column, lines), top,
                    kTableColumnWidths[static_cast<std::size_t>(column)], height);
    PaintCell(p, column, row, box, gridLeft, !print && (row == 0 || column == 0));
  }
  // The lines after each cell (and with leading lines, before the first),
  // each horizontal one across the whole grid.
  const int right = gridLeft + GridColumnLeft(kTableColumns, lines);
  const QColor rowLine = !print && row == 0 ? kFixedLine : kLine;
  if (lines.leading) {
    p.fillRect(QRect(gridLeft, top - w, right - gridLeft, w), rowLine);
    p.fillRect(QRect(gridLeft, top - w, w, height + 2 * w), rowLine);
  }
  p.fillRect(QRect(gridLeft, top + height, right - gridLeft, w), rowLine);
  for (int column = 0; column < kTableColumns; ++column) {
    const int x = gridLeft + GridColumnLeft(column + 1, lines) - w;
    const QColor line = !print && column == 0 ? kFixedLine : rowLine;
    p.fillRect(QRect(x, top - (lines.leading ? w : 0), w, height + (lines.leading ? 2 : 1) * w),
               line);
  }
}

}  // namespace kolmira::gui
