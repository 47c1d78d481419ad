#include "RackToolDialog.h"

#include <QCheckBox>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "Drawing.h"
#include "Layout.h"
#include "Style.h"
#include "TabLayout.h"
#include "forms/RackToolForm.h"

namespace kolmira::gui {

// ---------------------------------------------------------------------------
// The tooth picture

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kHalfPitch = kPi / 2;  // in units of the module
// Room beside the tooth, in units of the module, where the neighbouring
// teeth begin and the dimensions stand; and below the drawing the room of
// the line that names a break.
constexpr double kSideRoom = 0.95;
constexpr int kMessageRoom = 16;
// The drawing never spreads further than this from the datum line, whatever
// the state holds.
constexpr double kFarthest = 4.0;

QString Q(const char* text) {
  return QString::fromUtf8(text);
}

// Pens, the mapping from module units to pixels, and the light labels of
// the dimensions.
class ToothSketch {
 public:
  ToothSketch(QPainter& painter, QPointF origin, double scale)
      : p_(painter), origin_(origin), scale_(scale) {
    symbol_ = DialogFont();
    symbol_.setItalic(true);
    symbol_.setPixelSize(12);
    index_ = symbol_;
    index_.setPixelSize(9);
  }

  // A point of a tooth whose centre line stands `shift` modules from the
  // drawn tooth's, or of its mirrored half.
  QPointF At(OutlinePoint q, bool mirrored = false, double shift = 0.0) const {
    return origin_ + QPointF(((mirrored ? -q.x : q.x) + shift) * scale_, q.y * scale_);
  }
  QPointF At(double x, double y) const { return At(OutlinePoint{x, y}); }
  double scale() const { return scale_; }

  void Polyline(const std::vector<OutlinePoint>& points, bool mirrored, double shift) {
    QPolygonF line;
    for (const OutlinePoint& q : points) line << At(q, mirrored, shift);
    p_.setPen(QPen(Qt::black, 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p_.setBrush(Qt::NoBrush);
    p_.drawPolyline(line);
  }

  void Line(QPointF a, QPointF b, Qt::PenStyle style = Qt::SolidLine) {
    QPen pen = Light();
    pen.setStyle(style);
    p_.setPen(pen);
    p_.drawLine(a, b);
  }
  void DatumLine(double left, double right) {
    QPen pen = Light();
    pen.setDashPattern({12, 3, 2, 3});
    p_.setPen(pen);
    p_.drawLine(QPointF(left, origin_.y()), QPointF(right, origin_.y()));
  }
  void Arrow(QPointF tip, QPointF direction) {
    DrawArrowhead(p_, tip, direction, 5.0, 1.5, LightColour());
  }
  // An arc of `degrees` around `centre`, clockwise on the screen from
  // straight up.
  void AngleArc(QPointF centre, double radius, double degrees) {
    const QRectF box(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    QPainterPath sweep;
    sweep.arcMoveTo(box, 90);
    sweep.arcTo(box, 90, -degrees);
    p_.setPen(Light());
    p_.setBrush(Qt::NoBrush);
    p_.drawPath(sweep);
  }

  // A symbol and its index, its baseline at y, starting at x (or ending at x
  // when `rightAligned`); the index is placed by measuring the symbol.
  void Symbol(QPointF at, const QString& letter, const QString& index, bool rightAligned = false) {
    const QFontMetricsF main(symbol_);
    const QFontMetricsF small(index_);
    const double letterWidth = main.horizontalAdvance(letter);
    double x = at.x();
    if (rightAligned) x -= letterWidth + small.horizontalAdvance(index);
    p_.setPen(LightColour());
    p_.setFont(symbol_);
    p_.drawText(QPointF(x, at.y()), letter);
    p_.setFont(index_);
    p_.drawText(QPointF(x + letterWidth, at.y() + 0.35 * small.ascent()), index);
  }

  // A vertical dimension at x from the datum line to the height y, its
  // extension line from `from` on the outline, its label half way, left or
  // right of it.
  void Height(double x, OutlinePoint from, bool mirrored, const QString& letter,
              const QString& index, bool labelLeft, Qt::PenStyle extension = Qt::SolidLine) {
    const QPointF a = At(x, 0.0);
    const QPointF b = At(x, from.y);
    const QPointF edge = At(from, mirrored);
    const QPointF gap(edge.x() < b.x() ? 3 : -3, 0);
    Line(edge + gap, b + gap, extension);
    Line(a, b);
    Arrow(a, a - b);
    Arrow(b, b - a);
    const double middle = (a.y() + b.y()) / 2 + QFontMetricsF(symbol_).ascent() / 2 - 1;
    Symbol(QPointF(a.x() + (labelLeft ? -3 : 3), middle), letter, index, labelLeft);
  }
  // A leader from a point of the outline, pointed at it, to a label on a
  // shelf (leftwards when `shelf` is negative).
  void Leader(QPointF at, QPointF knee, double shelf, const QString& letter, const QString& index) {
    Line(at, knee);
    Arrow(at, at - knee);
    Line(knee, knee + QPointF(shelf, 0));
    Symbol(knee + QPointF(shelf > 0 ? 2 : -2, -3), letter, index, shelf < 0);
  }

  void Mark(QPointF at) {
    p_.setPen(QPen(QColor(200, 0, 0), 1.6));
    constexpr double r = 4;
    p_.drawLine(at + QPointF(-r, -r), at + QPointF(r, r));
    p_.drawLine(at + QPointF(-r, r), at + QPointF(r, -r));
  }

 private:
  static QColor LightColour() { return QColor(90, 90, 90); }
  static QPen Light() { return QPen(LightColour(), 0.7, Qt::SolidLine, Qt::FlatCap); }

  QPainter& p_;
  QPointF origin_;
  double scale_;
  QFont symbol_;
  QFont index_;
};

// The tool's body over one pitch at `shift`: the tooth and the rack above
// its root line. A half that breaks off beside the centre line is closed
// across.
QPolygonF PitchBody(const ToothSketch& s, const ToolOutline& o, double top, double shift) {
  QPolygonF body;
  for (auto it = o.points.rbegin(); it != o.points.rend(); ++it) body << s.At(*it, true, shift);
  for (const OutlinePoint& q : o.points) body << s.At(q, false, shift);
  body << s.At(OutlinePoint{kHalfPitch, top}, false, shift)
       << s.At(OutlinePoint{kHalfPitch, top}, true, shift);
  return body;
}

// The tool's material, and the frame of the detail.
const QColor kSteel(182, 196, 214);
const QColor kFrame(150, 150, 150);

// The right tip corner from the start of the protuberance down to the tip
// line, enlarged in a box in the picture's lower right corner (over the
// neighbouring tooth): the protuberance flank, the main flank carried on
// below its start, and the size of the protuberance between them. The part
// enlarged is ringed on the tooth.
void DrawDetail(QPainter& p, const ToothSketch& whole, const ToolOutline& o) {
  const OutlinePoint start = o.protuberanceStart;
  // Room on the right of the corner for the label of the size.
  const double left = o.tipEnd.x - 0.1, right = start.x + 0.3;
  const double top = start.y - 0.1, bottom = o.tipDepth + 0.08;
  const QRectF box = QRectF(p.window()).adjusted(0, 0, -3, -3 - kMessageRoom);
  const QRectF detail(box.right() - 104, box.bottom() - 112, 104, 112);
  const double scale = std::min(detail.width() / (right - left), detail.height() / (bottom - top));
  const QPointF middle((left + right) / 2, (top + bottom) / 2);
  ToothSketch s(p, detail.center() - middle * scale, scale);

  // The ring on the tooth, around what is enlarged.
  const QPointF ringCentre = whole.At(middle.x(), middle.y());
  const double ringRadius = 0.5 * std::hypot(right - left, bottom - top) * whole.scale();
  p.setPen(QPen(kFrame, 0.8));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(ringCentre, ringRadius, ringRadius);

  p.save();
  p.setPen(QPen(kFrame, 1));
  p.setBrush(Qt::white);
  p.drawRect(detail);
  p.setClipRect(detail.adjusted(1, 1, -1, -1));
  QPainterPath body;
  body.addPolygon(PitchBody(s, o, top - 1.0, 0.0));
  body.closeSubpath();
  p.fillPath(body, kSteel);
  s.Polyline(o.points, false, 0.0);
  s.Polyline(o.points, true, 0.0);
  // The main flank below the start, through the foot of the size.
  const QPointF a = s.At(start);
  const QPointF along = Unit(s.At(o.protuberanceFoot) - a);
  if (!along.isNull()) {
    const double reach = (s.At(0.0, o.tipDepth).y() - a.y()) / along.y();
    s.Line(a, a + reach * along, Qt::DashLine);
  }
  const QPointF touch = s.At(o.protuberanceTouch);
  const QPointF foot = s.At(o.protuberanceFoot);
  s.Line(foot, touch);
  s.Leader(touch, touch + QPointF(12, 14), 20, "pr", "P0");
  p.restore();
  QFont f = DialogFont();
  f.setPointSizeF(f.pointSizeF() * 0.85);
  p.setFont(f);
  p.setPen(kFrame.darker(130));
  p.drawText(detail.adjusted(3, 1, -3, -1), Qt::AlignRight | Qt::AlignTop,
             QStringLiteral("%1 : 1").arg(std::lround(scale / whole.scale())));
}

}  // namespace

ToolToothPicture::ToolToothPicture(const GearPair& pair, int tool, ToolShape shape, QWidget* parent)
    : QWidget(parent), pair_(pair), tool_(tool), shape_(shape) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void ToolToothPicture::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.fillRect(rect(), Qt::white);
  p.setPen(palette().color(QPalette::Mid));
  p.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));

  const ToolOutline o = RackToolOutline(pair_, tool_, shape_);
  if (o.points.empty()) return;

  // What is drawn, in units of the module: one pitch of the rack with the
  // room beside it, from above the tool's root to below its tip.
  const double top = -std::min(o.rootDepth, kFarthest) - 0.3;
  double bottom = std::max(0.0, o.tipDepth);
  if (!o.constructible) bottom = std::max(bottom, o.failure.y);
  bottom = std::min(bottom, kFarthest) + 0.45;
  const QRectF area = QRectF(rect()).adjusted(2, 2, -2, -2 - kMessageRoom);
  const double scale =
      std::min(area.width() / (2 * (kHalfPitch + kSideRoom)), area.height() / (bottom - top));
  const QPointF origin(area.center().x(), area.center().y() - (top + bottom) / 2 * scale);
  ToothSketch s(p, origin, scale);
  p.save();
  p.setClipRect(area);

  // The rack: the drawn tooth and the beginnings of its neighbours.
  QPainterPath body;
  for (double shift : {-kPi, 0.0, kPi}) {
    QPainterPath pitch;
    pitch.addPolygon(PitchBody(s, o, top - 1.0, shift));
    pitch.closeSubpath();
    body = body.united(pitch);
  }
  p.fillPath(body, kSteel);
  s.DatumLine(area.left(), area.right());
  for (double shift : {-kPi, 0.0, kPi}) {
    s.Polyline(o.points, false, shift);
    s.Polyline(o.points, true, shift);
  }

  // Lightly, in the space left of the tooth: the heights from the datum
  // line and the tip radius; the chamfer's angle at its start.
  const double leftX = -kHalfPitch - 0.2;
  if (o.tipDepth > 0) {
    // A tool that breaks off never reaches its tip line: it is dashed.
    const OutlinePoint tip{o.constructible ? o.tipEnd.x : 0.0, o.tipDepth};
    s.Height(leftX, tip, true, "h", "aP0", true, o.constructible ? Qt::SolidLine : Qt::DashLine);
  }
  if (o.constructible && o.tipRadius > 0) {
    // On the left rounding, half way round it.
    const double angle =
        kPi -
        (std::atan2(o.flankEnd.y - o.tipCentre.y, o.flankEnd.x - o.tipCentre.x) + kPi / 2) / 2;
    const OutlinePoint centre{-o.tipCentre.x, o.tipCentre.y};
    const OutlinePoint onArc{centre.x + o.tipRadius * std::cos(angle),
                             centre.y + o.tipRadius * std::sin(angle)};
    s.Line(s.At(centre), s.At(onArc));
    s.Leader(s.At(onArc), s.At(onArc) + QPointF(-12, 14), -26, "ρ", "aP0");
  }
  if (shape_.chamfer) {
    const OutlinePoint k = o.chamferStart;
    s.Height(leftX, k, true, "h", "FfP0", false);
    if (o.constructible) {
      const QPointF start = s.At(k);
      const double reach = std::min(0.55 * s.scale(), 30.0);
      s.Line(start, start - QPointF(0, reach), Qt::DashLine);
      s.AngleArc(start, 0.75 * reach, o.chamferAngle * 180 / kPi);
      // Inside the tool's tooth, left of the line the angle is measured from.
      s.Symbol(start + QPointF(-3, -0.45 * reach), "α", "KP0", true);
    }
  }
  if (shape_.protuberance) {
    // Its height on the left, nearer the tooth than the addendum's; its size
    // in a detail of the tip corner, where it shows.
    s.Height(leftX + 0.42, o.protuberanceStart, true, "h", "FaP0", false);
  }
  p.restore();
  if (shape_.protuberance && o.constructible) DrawDetail(p, s, o);

  if (!o.constructible) {
    s.Mark(s.At(o.failure));
    s.Mark(s.At(o.failure, true));
    QFont f = DialogFont();
    f.setBold(true);
    p.setFont(f);
    p.setPen(QColor(200, 0, 0));
    p.drawText(QRectF(rect()).adjusted(4, 0, -4, -3), Qt::AlignHCenter | Qt::AlignBottom,
               Q(kToolNotConstructible));
  }
}

// ---------------------------------------------------------------------------
// The dialog

namespace {

// A group: captions, symbols ending at kSymbolRight, fields and units.
constexpr int kGroupWidth = 324;
constexpr int kGroupX[2] = {6, 6 + kGroupWidth + 12};
constexpr int kGroupY = 4;
constexpr int kCaptionX = 10;
constexpr int kSymbolRight = 200;
constexpr int kFieldX = 206;
constexpr int kFieldWidth = 72;  // an angle in degrees, minutes, seconds
constexpr int kRowPitch = 25;
constexpr int kPictureHeight = 196;
constexpr int kButtonHeight = 27;

QString Name(ToolControl c) {
  const std::string_view name = ToolControlName(c);
  return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The control of a tool at the pinion's control of the same place.
ToolControl Of(int tool, ToolControl pinion) {
  if (tool == 1) return pinion;
  const int i = static_cast<int>(pinion);
  const int first = static_cast<int>(ToolControl::Edit1);
  if (i >= first && i < first + 7) return static_cast<ToolControl>(i + 7);
  switch (pinion) {
    case ToolControl::Label35:
      return ToolControl::Label36;
    case ToolControl::DegreeUnit4:
      return ToolControl::DegreeUnit11;
    case ToolControl::DegreeUnit35:
      return ToolControl::DegreeUnit36;
    case ToolControl::CheckBox1:
      return ToolControl::CheckBox3;
    case ToolControl::CheckBox2:
      return ToolControl::CheckBox4;
    case ToolControl::GroupBox1:
      return ToolControl::GroupBox2;
    default:
      return static_cast<ToolControl>(i + 4);  // the pictures
  }
}

// A row of a group: caption, symbol, the field (or read-out) at y.
QWidget* AddToolRow(QWidget* group, int tool, ToolControl pinionField, int y, const QString& symbol,
                    QWidget* control = nullptr) {
  const ToolControl c = Of(tool, pinionField);
  if (control == nullptr) control = AddField(group, Name(c), kFieldX, y, kFieldWidth);
  AddCaption(group, kCaptionX, y, Text(RackToolForm::Caption(c)))->setBuddy(control);
  AddSymbolBefore(group, kSymbolRight, y, symbol, control);
  return control;
}

QLabel* AddDegreeUnit(QWidget* group, int tool, ToolControl pinionUnit, int y) {
  auto* unit = new QLabel(group);
  unit->setObjectName(Name(Of(tool, pinionUnit)));
  unit->move(kFieldX + kFieldWidth + 5, y + 3);
  return unit;
}

QCheckBox* AddOption(QWidget* group, int tool, ToolControl pinionBox, int y) {
  auto* box = new QCheckBox(group);
  box->setObjectName(Name(Of(tool, pinionBox)));
  // It grows to its caption when the binder writes it: a click beside the
  // caption is no click on the box.
  box->setGeometry(kCaptionX - 2, y, 20, 20);
  return box;
}

}  // namespace

RackToolDialog::RackToolDialog(const GearPair& pair, QWidget* parent) : QDialog(parent) {
  setObjectName("TNastrojDlg");
  setWindowTitle(Q(kToolDialogCaption));
  setFont(DialogFont());
  setFixedSize(kWidth, kHeight);
  BuildGroup(pair, 1, kGroupX[0]);
  BuildGroup(pair, 2, kGroupX[1]);
  BuildButtons();
}

void RackToolDialog::BuildGroup(const GearPair& pair, int tool, int x) {
  auto* group = new QGroupBox(this);
  group->setObjectName(Name(Of(tool, ToolControl::GroupBox1)));
  const int groupHeight = kHeight - kGroupY - kButtonHeight - 16;
  group->setGeometry(x, kGroupY, kGroupWidth, groupHeight);
  if (tool == 2) wheelGroup_ = group;

  int y = 22;
  AddToolRow(group, tool, ToolControl::Edit1, y, "h<sub>aP0</sub><sup>*</sup>");
  y += kRowPitch;
  AddToolRow(group, tool, ToolControl::Edit2, y, "ρ<sub>aP0</sub><sup>*</sup>");

  // The chamfering edge.
  y += kRowPitch + 6;
  AddOption(group, tool, ToolControl::CheckBox1, y);
  y += 23;
  AddToolRow(group, tool, ToolControl::Edit3, y, "h<sub>FfP0</sub><sup>*</sup>");
  y += kRowPitch;
  AddToolRow(group, tool, ToolControl::Edit4, y, "α<sub>KP0</sub>");
  AddDegreeUnit(group, tool, ToolControl::DegreeUnit4, y);

  // The protuberance; its angle is computed, shown where its inert field
  // stands hidden.
  y += kRowPitch + 6;
  AddOption(group, tool, ToolControl::CheckBox2, y);
  y += 23;
  AddField(group, Name(Of(tool, ToolControl::Edit5)), kFieldX, y, kFieldWidth);
  auto* angle = new QLabel(group);
  angle->setObjectName(Name(Of(tool, ToolControl::Label35)));
  angle->move(kFieldX + 4, y + 3);
  AddToolRow(group, tool, ToolControl::Label35, y, "α<sub>prP0</sub>", angle);
  AddDegreeUnit(group, tool, ToolControl::DegreeUnit35, y);
  y += kRowPitch;
  AddToolRow(group, tool, ToolControl::Edit6, y, "h<sub>FaP0</sub><sup>*</sup>");
  y += kRowPitch;
  auto* size =
      static_cast<QLineEdit*>(AddToolRow(group, tool, ToolControl::Edit7, y, "pr<sub>P0</sub>"));
  AddUnit(group, size, Text(RackToolForm::Unit(ToolControl::Edit7)));

  // The tooth in the shape the options give; one of the four shows.
  y += kRowPitch + 6;
  const ToolControl pictures[4] = {ToolControl::PinionPlain, ToolControl::PinionChamfer,
                                   ToolControl::PinionProtuberance, ToolControl::PinionBoth};
  for (int i = 0; i < 4; ++i) {
    auto* picture = new ToolToothPicture(pair, tool, {(i & 1) != 0, (i & 2) != 0}, group);
    picture->setObjectName(Name(Of(tool, pictures[i])));
    picture->setGeometry(kCaptionX - 2, y, kGroupWidth - 2 * (kCaptionX - 2),
                         std::min(kPictureHeight, groupHeight - y - 8));
  }
}

void RackToolDialog::BuildButtons() {
  const struct {
    ToolControl control;
    int width;
  } buttons[] = {{ToolControl::OKBtn, 80}, {ToolControl::Button1, 80}, {ToolControl::HelpBtn, 70}};
  int x = kGroupX[0];
  for (const auto& b : buttons) {
    auto* button = new QPushButton(this);
    button->setObjectName(Name(b.control));
    button->setAutoDefault(false);
    button->setGeometry(x, kHeight - kButtonHeight - 8, b.width, kButtonHeight);
    x += b.width + 8;
  }
}

void RackToolDialog::showEvent(QShowEvent* event) {
  // An internal wheel is cut by the shaper cutter: its group is hidden, and
  // the dialog is as wide as the pinion's group.
  const int width = wheelGroup_->isHidden() ? kGroupX[1] : kWidth;
  if (width != this->width()) setFixedSize(width, kHeight);
  QDialog::showEvent(event);
}

void RackToolDialog::keyPressEvent(QKeyEvent* event) {
  if (!TakeDialogKey(event)) QDialog::keyPressEvent(event);
}

}  // namespace kolmira::gui
