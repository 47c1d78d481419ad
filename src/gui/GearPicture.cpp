// The six measuring sketches. Each is drawn in a 150 x 110 sketch box that is
// scaled into the widget, keeping its aspect ratio. The tooth flanks are true
// involutes of the sketch gear's base circle (a standard 20 degree profile with
// no shift); the sizes only have to look right, they show no values.
#include "gui/GearPicture.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "gui/Drawing.h"

namespace kolmira::gui {

namespace {

constexpr double kBoxWidth = 150.0;
constexpr double kBoxHeight = 110.0;
constexpr double kPi = std::numbers::pi;
constexpr double kProfileAngle = 20.0 * kPi / 180.0;

double Inv(double angle) {
  return std::tan(angle) - angle;
}

// A sketch gear: the axis of tooth k points at the angle phase + k * pitch,
// angles measured from "up" (or from "down" when flipped) towards the right.
// A ring's teeth point at its centre.
struct Gear {
  QPointF centre = {};
  double r = 0;  // reference radius
  int z = 0;
  bool ring = false;
  bool flipped = false;  // the centre above the teeth instead of below
  double phase = 0;
  double rim = 0;  // outer radius of a ring's body

  double m() const { return 2 * r / z; }
  double Pitch() const { return 2 * kPi / z; }
  double BaseRadius() const { return r * std::cos(kProfileAngle); }
  double TipRadius() const {
    // A ring's tip stays just outside the base circle, so that its flank is
    // involute all the way.
    return ring ? std::max(r - m(), BaseRadius() * 1.005) : r + m();
  }
  // A ring's spaces, shaped like the teeth of a small pinion, would come to
  // a point at the full depth.
  double RootRadius() const { return ring ? r + m() : r - 1.25 * m(); }

  // Half the angle the tooth takes at the radius: an involute above the base
  // circle, radial below it.
  double HalfTooth(double radius) const {
    const double inv = Inv(std::acos(BaseRadius() / std::max(radius, BaseRadius())));
    const double half = kPi / (2 * z);
    return ring ? half - Inv(kProfileAngle) + inv : half + Inv(kProfileAngle) - inv;
  }
  QPointF At(double radius, double angle) const {
    const double a = angle + phase;
    return centre + QPointF(radius * std::sin(a), (flipped ? 1 : -1) * radius * std::cos(a));
  }

  // The closed outline of all teeth.
  QPolygonF Outline() const {
    QPolygonF outline;
    const double tip = TipRadius();
    const double root = RootRadius();
    constexpr int kFlank = 24;
    constexpr int kArc = 8;
    auto arc = [&](double radius, double from, double to) {
      for (int i = 1; i < kArc; ++i) outline << At(radius, from + (to - from) * i / kArc);
    };
    for (int k = 0; k < z; ++k) {
      const double axis = k * Pitch();
      for (int i = 0; i <= kFlank; ++i) {
        const double radius = root + (tip - root) * i / kFlank;
        outline << At(radius, axis - HalfTooth(radius));
      }
      arc(tip, axis - HalfTooth(tip), axis + HalfTooth(tip));
      for (int i = kFlank; i >= 0; --i) {
        const double radius = root + (tip - root) * i / kFlank;
        outline << At(radius, axis + HalfTooth(radius));
      }
      arc(root, axis + HalfTooth(root), axis + Pitch() - HalfTooth(root));
    }
    return outline;
  }

  // The solid of the gear: inside the outline, or a ring between the outline
  // and the rim.
  QPainterPath Body() const {
    QPainterPath body;
    body.addPolygon(Outline());
    body.closeSubpath();
    if (ring) {
      body.addEllipse(centre, rim, rim);
      body.setFillRule(Qt::OddEvenFill);
    }
    return body;
  }

  // The part of the gear between the radii inner and outer and within the
  // angle half of the sketch's axis.
  QPainterPath Sector(double inner, double outer, double half) const {
    QPolygonF sector;
    constexpr int kSteps = 48;
    for (int i = 0; i <= kSteps; ++i) sector << At(inner, -phase - half + 2 * half * i / kSteps);
    for (int i = kSteps; i >= 0; --i) sector << At(outer, -phase - half + 2 * half * i / kSteps);
    QPainterPath path;
    path.addPolygon(sector);
    path.closeSubpath();
    return path;
  }
};

// The nearest point of a polygon to p.
QPointF Nearest(const QPolygonF& polygon, QPointF p) {
  QPointF best = polygon.front();
  for (qsizetype i = 0; i + 1 < polygon.size(); ++i) {
    const QPointF a = polygon[i];
    const QPointF d = polygon[i + 1] - a;
    const double dd = QPointF::dotProduct(d, d);
    const double t = dd > 0 ? std::clamp(QPointF::dotProduct(p - a, d) / dd, 0.0, 1.0) : 0.0;
    const QPointF q = a + t * d;
    if (Length(q - p) < Length(best - p)) best = q;
  }
  return best;
}

// The pens, fills and marks every sketch shares.
class Sketch {
 public:
  // The labels keep a legible size on the screen when the sketch is shrunk.
  Sketch(QPainter& painter, double scale) : p_(painter) {
    const double size = std::max(11.0, 9.5 / scale);
    label_.setItalic(true);
    label_.setPixelSize(static_cast<int>(std::lround(size)));
    label_.setHintingPreference(QFont::PreferNoHinting);
    subscript_ = label_;
    subscript_.setPixelSize(static_cast<int>(std::lround(0.75 * size)));
  }

  // The gear's body filled, its edges drawn where the clip (and the box)
  // lets them, the edges it cuts drawn thin.
  void DrawGear(const Gear& gear, const QPainterPath& clip) {
    QPainterPath box;
    box.addRect(1, 1, kBoxWidth - 2, kBoxHeight - 2);
    const QPainterPath shown = clip.isEmpty() ? box : clip.intersected(box);
    const QPainterPath body = gear.Body().intersected(shown);
    p_.fillPath(body, QColor(0, 0, 0, 34));
    p_.setPen(Thin());
    p_.drawPath(body);
    p_.save();
    p_.setClipPath(shown);
    p_.setPen(Thick());
    p_.setBrush(Qt::NoBrush);
    p_.drawPolygon(gear.Outline());
    if (gear.ring) p_.drawEllipse(gear.centre, gear.rim, gear.rim);
    p_.restore();
  }

  void Line(QPointF a, QPointF b) {
    p_.setPen(Thin());
    p_.drawLine(a, b);
  }
  void CentreLine(QPointF a, QPointF b) {
    p_.setPen(DashDot());
    p_.drawLine(a, b);
  }
  void CentreCircle(QPointF centre, double radius) {
    p_.setPen(DashDot());
    p_.setBrush(Qt::NoBrush);
    p_.drawEllipse(centre, radius, radius);
  }
  // A measuring ball, or the jaw of a gauge, hides what lies behind it.
  void Solid(const QPainterPath& shape) {
    p_.setPen(Thick());
    p_.setBrush(QColor(255, 255, 255));
    p_.drawPath(shape);
  }

  // A dimension line from a to b with an arrowhead at each end.
  void Dimension(QPointF a, QPointF b) {
    Line(a, b);
    Arrow(b, b - a);
    Arrow(a, a - b);
  }
  // An arrowhead whose point is at tip, pointing along direction.
  void Arrow(QPointF tip, QPointF direction) { DrawArrowhead(p_, tip, direction, 5.0, 1.5); }

  // A leader from a point to a label standing on a shelf (leftwards when the
  // shelf is negative).
  void Leader(QPointF from, QPointF label, double shelf, const QString& letter,
              const QString& index) {
    const QPointF start = label + QPointF(0, 2);
    Line(from, start);
    Line(start, start + QPointF(shelf, 0));
    Symbol(label, letter, index, shelf > 0 ? Align::Left : Align::Right);
  }

  // A symbol with a subscript, its whole width centred on x (or ending at x,
  // or starting at x) and its baseline at y.
  enum class Align { Left, Centre, Right };
  void Symbol(QPointF at, const QString& letter, const QString& index, Align align) {
    const QFontMetricsF main(label_);
    const QFontMetricsF small(subscript_);
    const double letterWidth = main.horizontalAdvance(letter);
    const double width = letterWidth + small.horizontalAdvance(index);
    double x = at.x();
    if (align == Align::Centre) x -= width / 2;
    if (align == Align::Right) x -= width;
    p_.setPen(Qt::black);
    p_.setFont(label_);
    p_.drawText(QPointF(x, at.y()), letter);
    p_.setFont(subscript_);
    p_.drawText(QPointF(x + letterWidth, at.y() + 0.3 * small.ascent()), index);
  }
  double LabelAscent() const { return QFontMetricsF(label_).ascent(); }

 private:
  static QPen Thick() { return QPen(Qt::black, 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin); }
  static QPen Thin() { return QPen(Qt::black, 0.7, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin); }
  static QPen DashDot() {
    QPen pen = Thin();
    pen.setDashPattern({12, 3, 2, 3});
    return pen;
  }

  QPainter& p_;
  QFont label_;
  QFont subscript_;
};

// One tooth, the chord sc across it at the height hc under its tip.
void DrawThickness(Sketch& sketch, bool ring) {
  Gear gear{.r = ring ? 560.0 : 168.0, .z = ring ? 40 : 12, .ring = ring, .flipped = ring};
  gear.rim = gear.RootRadius() + 20;
  const double tip = gear.TipRadius();
  // The tooth's tip stands at the same height in both sketches.
  const double tipY = 24;
  gear.centre = ring ? QPointF(60, tipY - tip) : QPointF(60, tipY + tip);
  const double half = kPi / gear.z;
  const double cut = ring ? gear.rim : gear.RootRadius() - 14;
  sketch.DrawGear(gear, gear.Sector(std::min(tip, cut) - 1, std::max(tip, cut) + 1, half));
  sketch.CentreLine(gear.At(tip, 0) - QPointF(0, 10), gear.At(ring ? cut : gear.RootRadius(), 0));

  // The caliper's tongue rests on the tip (on a ring: on the tip's corners).
  const QPointF corner = gear.At(tip, gear.HalfTooth(tip));
  const double top = ring ? corner.y() : gear.At(tip, 0).y();
  const double chordRadius = ring ? gear.r + 0.1 * gear.m() : gear.r;
  const QPointF left = gear.At(chordRadius, -gear.HalfTooth(chordRadius));
  const QPointF right = gear.At(chordRadius, gear.HalfTooth(chordRadius));
  const double x = right.x() + 26;
  sketch.Line(QPointF(corner.x() + 2, top), QPointF(x + 3, top));
  sketch.Line(right + QPointF(2, 0), QPointF(x + 3, right.y()));
  sketch.Dimension(QPointF(x, top), QPointF(x, right.y()));
  sketch.Symbol(QPointF(x + 4, (top + right.y()) / 2 + sketch.LabelAscent() / 2), "h", "c",
                Sketch::Align::Left);
  sketch.Dimension(left, right);
  sketch.Symbol(QPointF(gear.centre.x() + 2, right.y() + sketch.LabelAscent() + 1), "s", "c",
                Sketch::Align::Left);
}

// A segment of the gear; the gauge's two parallel jaws touch the outer flanks
// of zw = 3 teeth (of a ring: from inside, in the outer ones of 3 spaces).
void DrawSpan(Sketch& sketch, bool ring) {
  Gear gear{.r = ring ? 140.0 : 96.0, .z = ring ? 24 : 16, .ring = ring, .flipped = ring};
  gear.rim = gear.RootRadius() + 12;
  const double tip = gear.TipRadius();
  const double tipY = ring ? 54 : 30;
  gear.centre = ring ? QPointF(75, tipY - tip) : QPointF(75, tipY + tip);
  // Teeth at -1, 0, 1 (a ring: spaces at -1, 0, 1, between its teeth).
  if (ring) gear.phase = gear.Pitch() / 2;
  const double cut = ring ? gear.rim : gear.RootRadius() - 12;
  sketch.DrawGear(gear,
                  gear.Sector(std::min(tip, cut) - 1, std::max(tip, cut) + 1, 2.3 * gear.Pitch()));

  // The common normal of the touched flanks is tangent to the base circle at
  // the middle; the involute lays its length off along the tangent.
  const double rb = gear.BaseRadius();
  const double halfBase = kPi / (2 * gear.z) + Inv(kProfileAngle);
  const double reach = rb * (gear.Pitch() + halfBase);
  const QPointF middle = gear.centre + QPointF(0, ring ? rb : -rb);
  // A flat jaw touches a tooth's convex flank; in a ring's space (convex seen
  // from inside) only a rounded nose can, so the ring's gauge has round-nosed
  // pins whose outer sides are the ends of W.
  const double jaw = 4;
  const double dimensionY = std::min(middle.y(), tipY) - (ring ? 24 : 12);
  for (int side : {-1, 1}) {
    const double face = middle.x() + side * reach;
    const double back = face - (ring ? side : -side) * jaw;
    // The ring's pins start under W, their outer sides carried up to it.
    const double top = ring ? dimensionY + 5 : dimensionY - 6;
    const QRectF stem(QPointF(std::min(face, back), top),
                      QPointF(std::max(face, back), middle.y() + (ring ? 0 : 7)));
    QPainterPath shape;
    shape.addRect(stem);
    if (ring) {
      QPainterPath nose;
      nose.addEllipse(QPointF(stem.center().x(), middle.y()), jaw / 2, jaw / 2);
      shape = shape.united(nose);
      sketch.Line(QPointF(face, top), QPointF(face, dimensionY - 3));
    }
    sketch.Solid(shape);
  }
  sketch.CentreLine(middle - QPointF(reach + 8, 0), middle + QPointF(reach + 8, 0));
  sketch.Dimension(QPointF(middle.x() - reach, dimensionY),
                   QPointF(middle.x() + reach, dimensionY));
  sketch.Symbol(QPointF(middle.x(), dimensionY - 3), "W", "", Sketch::Align::Centre);
}

// The whole gear with a ball in each of two opposite spaces (a ring: the
// balls inside), the dimension M over (between) them, the ball diameter dt
// and the diameter dM of the circle through the contacts.
void DrawBalls(Sketch& sketch, bool ring) {
  Gear gear{.r = ring ? 38.0 : 31.0, .z = ring ? 14 : 10, .ring = ring};
  gear.rim = gear.RootRadius() + 5;
  gear.centre = QPointF(75, ring ? 53 : 46);
  // Spaces (a ring: its spaces, shaped as teeth) lie at the left and right.
  gear.phase = kPi / 2 - kPi / gear.z;
  sketch.DrawGear(gear, QPainterPath());
  sketch.CentreLine(gear.centre - QPointF(0, gear.r + 14), gear.centre + QPointF(0, gear.r + 14));

  // The ball sinks along the space's axis until it touches both flanks.
  const QPolygonF outline = gear.Outline();
  const double radius = 0.85 * gear.m();
  double open = gear.r + (ring ? -1.5 : 1.5) * gear.m();
  double deep = gear.r + (ring ? 1.0 : -1.0) * gear.m();
  for (int i = 0; i < 40; ++i) {
    const double middle = (open + deep) / 2;
    const QPointF at = gear.centre + QPointF(middle, 0);
    (Length(Nearest(outline, at) - at) > radius ? open : deep) = middle;
  }
  const double ballCentre = open;
  const QPointF right = gear.centre + QPointF(ballCentre, 0);
  const double contact = Length(Nearest(outline, right) - gear.centre);
  for (int side : {-1, 1}) {
    QPainterPath ball;
    ball.addEllipse(gear.centre + QPointF(side * ballCentre, 0), radius, radius);
    sketch.Solid(ball);
  }
  sketch.CentreCircle(gear.centre, contact);

  const double reach = ring ? ballCentre - radius : ballCentre + radius;
  const QPointF a = gear.centre - QPointF(reach, 0);
  const QPointF b = gear.centre + QPointF(reach, 0);
  if (ring) {
    sketch.Dimension(a, b);
    sketch.Symbol(QPointF(gear.centre.x() - 10, gear.centre.y() - 3), "M", "",
                  Sketch::Align::Centre);
  } else {
    const double y = gear.centre.y() + gear.TipRadius() + 8;
    sketch.Line(a + QPointF(0, radius + 2), QPointF(a.x(), y + 3));
    sketch.Line(b + QPointF(0, radius + 2), QPointF(b.x(), y + 3));
    sketch.Dimension(QPointF(a.x(), y), QPointF(b.x(), y));
    sketch.Symbol(QPointF(gear.centre.x(), y + sketch.LabelAscent() + 1), "M", "",
                  Sketch::Align::Centre);
  }

  // Leaders: dt from the right ball, dM from the contact circle.
  const QPointF onBall = gear.centre + QPointF(ballCentre, 0) +
                         radius * QPointF(std::cos(kPi / 4), -std::sin(kPi / 4));
  sketch.Leader(onBall, QPointF(kBoxWidth - 22, 14), 16, "d", "t");
  const QPointF onCircle = gear.centre + contact * QPointF(-std::cos(kPi / 4), -std::sin(kPi / 4));
  sketch.Leader(onCircle, QPointF(22, 14), -18, "d", "M");
}

}  // namespace

GearPicture::GearPicture(Measure measure, bool internal, QWidget* parent)
    : QWidget(parent), measure_(measure), internal_(internal) {}

void GearPicture::setInternal(bool internal) {
  if (internal_ == internal) return;
  internal_ = internal;
  update();
}

QSize GearPicture::sizeHint() const {
  return QSize(150, 110);
}

void GearPicture::paintEvent(QPaintEvent* /*event*/) {
  const double scale = std::min(width() / kBoxWidth, height() / kBoxHeight);
  if (scale <= 0) return;
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.translate((width() - scale * kBoxWidth) / 2, (height() - scale * kBoxHeight) / 2);
  painter.scale(scale, scale);
  Sketch sketch(painter, scale);
  switch (measure_) {
    case Measure::Thickness:
      DrawThickness(sketch, internal_);
      break;
    case Measure::Span:
      DrawSpan(sketch, internal_);
      break;
    case Measure::Balls:
      DrawBalls(sketch, internal_);
      break;
  }
}

}  // namespace kolmira::gui
