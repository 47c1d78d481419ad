#include "Drawing.h"

#include <QPainter>
#include <cmath>

namespace kolmira::gui {

double Length(QPointF v) {
  return std::hypot(v.x(), v.y());
}

QPointF Unit(QPointF v) {
  const double length = Length(v);
  return length > 0 ? v / length : QPointF();
}

void DrawArrowhead(QPainter& p, QPointF tip, QPointF direction, double length, double halfWidth,
                   const QColor& colour) {
  const QPointF u = Unit(direction);
  if (u.isNull()) return;
  const QPointF n(-u.y(), u.x());
  const QPointF back = tip - length * u;
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
  p.drawPolygon(QPolygonF{tip, back + halfWidth * n, back - halfWidth * n});
}

}  // namespace kolmira::gui
