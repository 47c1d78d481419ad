// Painting the findings list. The lines are Arial 8, the symbols Arial in
// their own sizes; Liberation Sans, which stands in for Arial here, has the
// Greek letters, so epsilon and gamma are plain Unicode text of the same
// family. Every symbol is placed from the measured width of the line text
// before the blank run it covers, so it follows the font actually used.
#include "gui/ReportView.h"

#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <string_view>

namespace kolmira::gui {

namespace {

QFont ReportFont(int points, bool bold) {
  QFont font(QStringLiteral("Arial"));
  font.setPointSize(points);
  font.setBold(bold);
  return font;
}

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QColor Colour(ReportColour colour) {
  switch (colour) {
    case ReportColour::Green:
      return QColor(0, 128, 0);
    case ReportColour::Red:
      return QColor(255, 0, 0);
    case ReportColour::Black:
      break;
  }
  return QColor(0, 0, 0);
}

}  // namespace

ReportView::ReportView(const GearPair& pair, QWidget* parent) : QWidget(parent), pair_(pair) {
  setObjectName(QStringLiteral("PaintBox1"));
  // The whole box is painted on every paint.
  setAttribute(Qt::WA_OpaquePaintEvent);
}

Report ReportView::Build() const {
  const QFontMetrics regular(ReportFont(kReportFontSize, false), this);
  const QFontMetrics bold(ReportFont(kReportFontSize, true), this);
  const auto width = [&](std::string_view text, bool isBold) {
    return (isBold ? bold : regular).horizontalAdvance(Text(text));
  };
  return BuildReport(pair_, width);
}

std::vector<QRect> ReportView::SymbolBoxes(const ReportLine& line) const {
  const QFontMetrics lineMetrics(ReportFont(kReportFontSize, line.bold), this);
  const std::string_view text(line.text);
  const auto widthUpTo = [&](std::size_t end) {
    return lineMetrics.horizontalAdvance(Text(text.substr(0, std::min(end, text.size()))));
  };
  const auto symbolWidth = [&](const ReportSymbol& symbol) {
    return QFontMetrics(ReportFont(symbol.fontSize, line.bold), this)
        .horizontalAdvance(Text(symbol.text));
  };

  std::vector<QRect> boxes;
  boxes.reserve(line.symbols.size());
  for (std::size_t i = 0; i < line.symbols.size(); ++i) {
    const ReportSymbol& symbol = line.symbols[i];
    const int width = symbolWidth(symbol);
    const int height = QFontMetrics(ReportFont(symbol.fontSize, line.bold), this).height();
    if (i > 0 && line.symbols[i - 1].runBegin == symbol.runBegin) {
      // A subscript of the symbol before it in the same run (gamma of
      // epsilon) stands right after it.
      boxes.emplace_back(boxes.back().x() + boxes.back().width(), line.y + symbol.dy, width,
                         height);
      continue;
    }
    const int runStart = widthUpTo(symbol.runBegin);
    int gap = 0;
    if (symbol.role == SymbolRole::GreekLetter) {
      // A Greek letter is a word of its own: a blank before it, as far as
      // the run leaves room for the letter and its subscripts. A Latin
      // subscript joins the letter that ends the text before the run.
      int group = 0;
      for (std::size_t j = i; j < line.symbols.size(); ++j) {
        if (line.symbols[j].runBegin != symbol.runBegin) break;
        group += symbolWidth(line.symbols[j]);
      }
      const int run = widthUpTo(symbol.runBegin + symbol.runLength) - runStart;
      const int blank = lineMetrics.horizontalAdvance(QLatin1Char(' '));
      gap = std::clamp(run - group, 0, blank);
    }
    boxes.emplace_back(line.x + runStart + gap, line.y + symbol.dy, width, height);
  }
  return boxes;
}

void ReportView::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.fillRect(event->rect(), Qt::white);
  const Report report = Build();
  for (const ReportLine& line : report.lines) {
    painter.setPen(Colour(line.colour));
    const QFont font = ReportFont(kReportFontSize, line.bold);
    painter.setFont(font);
    // The line's y is the top of its text.
    painter.drawText(QPoint(line.x, line.y + QFontMetrics(font, this).ascent()), Text(line.text));

    const std::vector<QRect> boxes = SymbolBoxes(line);
    for (std::size_t i = 0; i < line.symbols.size(); ++i) {
      const ReportSymbol& symbol = line.symbols[i];
      const QFont symbolFont = ReportFont(symbol.fontSize, line.bold);
      painter.setFont(symbolFont);
      painter.drawText(QPoint(boxes[i].x(), boxes[i].y() + QFontMetrics(symbolFont, this).ascent()),
                       Text(symbol.text));
    }
  }
}

}  // namespace kolmira::gui
