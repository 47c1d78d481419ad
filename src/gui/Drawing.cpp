#include "Drawing.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace kolmira::gui {

double Length(QPointF v) {
  return std::hypot(v.x(), v.y());
}

QPointF Unit(QPointF v) {
  const double length = Length(v);
  return length > 0 ? v / length : QPointF();
}

bool FitBox(QPainter& p, QSizeF box) {
  const int width = p.device()->width();
  const int height = p.device()->height();
  const double scale = std::min(width / box.width(), height / box.height());
  if (scale <= 0) return false;
  p.setRenderHint(QPainter::Antialiasing);
  p.translate((width - scale * box.width()) / 2, (height - scale * box.height()) / 2);
  p.scale(scale, scale);
  p.setClipRect(QRectF(QPointF(), box));
  return true;
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
