// Small helpers of the pictures' painting: a vector's length and direction,
// and an arrowhead.
#pragma once

#include <QColor>
#include <QPointF>

class QPainter;

namespace kolmira::gui {

double Length(QPointF v);
// The vector of length 1 along v; a null vector for a null v.
QPointF Unit(QPointF v);
// A filled arrowhead with its point at `tip`, pointing along `direction`,
// `length` long and twice `halfWidth` wide at its back; none for a null
// direction.
void DrawArrowhead(QPainter& p, QPointF tip, QPointF direction, double length, double halfWidth,
                   const QColor& colour = Qt::black);

}  // namespace kolmira::gui
