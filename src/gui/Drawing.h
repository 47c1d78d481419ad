// Small helpers of the pictures' painting: a vector's length and direction,
// a box of drawing units fitted into a widget, and an arrowhead.
#pragma once

#include <QColor>
#include <QPointF>
#include <QSizeF>

class QPainter;

namespace kolmira::gui {

double Length(QPointF v);
// The vector of length 1 along v; a null vector for a null v.
QPointF Unit(QPointF v);
// Sets `p` up to draw in a box of `box` units, scaled to fit its device and
// centred there, antialiased and clipped to the box; false when the device
// has no room.
bool FitBox(QPainter& p, QSizeF box);
// A filled arrowhead with its point at `tip`, pointing along `direction`,
// `length` long and twice `halfWidth` wide at its back; none for a null
// direction.
void DrawArrowhead(QPainter& p, QPointF tip, QPointF direction, double length, double halfWidth,
                   const QColor& colour = Qt::black);

}  // namespace kolmira::gui
