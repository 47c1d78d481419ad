// Helpers of the main dialog's measurement and identification tabs, beside
// those of Layout.h: the size of a page, symbols with their subscripts, and
// symbols set into the blanks of a line whose text the form writes.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QLabel>
#include <QSize>
#include <QString>
#include <QWidget>

namespace kolmira::gui {

// A page of the main dialog's page control: its area less its frame and its
// tab bar.
inline constexpr QSize kTabPageSize{659, 392};

// The font of a subscript, as Layout's subscripts have it.
inline QFont SubscriptFontOf(QFont font) {
  font.setPointSizeF(font.pointSizeF() * 0.75);
  return font;
}

// A symbol in rich text ("s<sub>c1</sub>") in a field's row at `y` that ends
// at `right`. It shows and hides with `buddy`.
inline QLabel* AddSymbolBefore(QWidget* parent, int right, int y, const QString& html,
                               QWidget* buddy) {
  auto* label = new QLabel(html, parent);
  label->setTextFormat(Qt::RichText);
  label->adjustSize();
  label->move(right - label->width(), y + 2);
  label->setBuddy(buddy);
  return label;
}

// Puts `label` into the line of `line` where the text `before` ends: a
// symbol or subscript set into the blanks the form leaves for it. A
// subscript is lowered as Layout's subscripts are; a symbol in rich text
// stands as a field row's symbol stands to its caption.
inline void PlaceInLine(const QLabel* line, const QString& before, QLabel* label, bool subscript) {
  const QFontMetrics fm(line->font());
  const int x = line->x() + fm.horizontalAdvance(before);
  label->adjustSize();
  if (subscript) {
    const int baseline = line->y() + fm.ascent() + fm.xHeight() / 3;
    label->move(x, baseline - QFontMetrics(label->font()).ascent());
  } else {
    label->move(x, label->textFormat() == Qt::RichText ? line->y() - 1 : line->y());
  }
}

}  // namespace kolmira::gui
