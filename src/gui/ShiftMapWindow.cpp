// The shift map window: its layout, and the painting of the map's scene in
// the widget's pixels. Every region, line, tick and text comes from the
// scene; the window only places and draws them.
#include "gui/ShiftMapWindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <vector>

#include "gui/Layout.h"
#include "gui/Style.h"

namespace kolmira::gui {

namespace {

constexpr int kPollMs = 30;
// Room around the plot for the tick labels and axis names, in pixels.
constexpr double kLeftMargin = 46.0;      // a plane's x2 ticks and name
constexpr double kLineLeftMargin = 12.0;  // a line map has no y axis
constexpr double kTopMargin = 16.0;
constexpr double kBottomMargin = 38.0;
constexpr double kLegendGap = 18.0;
constexpr double kTickLength = 4.0;
// A plane's two scales: equal where the window allows, else at most this
// far apart, so that neither shift is squeezed into a strip.
constexpr double kMaxScaleRatio = 1.6;
// The rows of a line map, in pixels.
constexpr double kMinRowHeight = 18.0;
constexpr double kMaxRowHeight = 34.0;
constexpr int kSwatchWidth = 18, kSwatchHeight = 12, kSwatchGap = 6, kLegendRowGap = 5;
constexpr double kMarkRadius = 5.0;

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

QColor Colour(const MapColour& c, double opacity = 1.0) {
  QColor colour(c.r, c.g, c.b);
  colour.setAlphaF(static_cast<float>(std::clamp(opacity, 0.0, 1.0)));
  return colour;
}

Qt::BrushStyle HatchStyle(MapHatch hatch) {
  switch (hatch) {
    case MapHatch::Diagonal:
      return Qt::BDiagPattern;
    case MapHatch::BackDiagonal:
      return Qt::FDiagPattern;
    case MapHatch::Horizontal:
      return Qt::HorPattern;
    case MapHatch::Vertical:
      return Qt::VerPattern;
    case MapHatch::Cross:
      return Qt::CrossPattern;
    case MapHatch::DiagonalCross:
      return Qt::DiagCrossPattern;
    case MapHatch::None:
      break;
  }
  return Qt::SolidPattern;
}

// A region's brush: warnings hatched in their colour, the others filled.
QBrush RegionBrush(const MapColour& colour, double opacity, MapHatch hatch) {
  if (hatch != MapHatch::None) return QBrush(Colour(colour), HatchStyle(hatch));
  return QBrush(Colour(colour, opacity));
}

// A text with a pale box behind it, so that it reads over the regions,
// kept inside the plot and clear of the labels written before it (moved a
// line down or up, as far as it must).
void Label(QPainter& p, QPointF at, const QString& text, const QRectF& within,
           std::vector<QRectF>& placed) {
  const QFontMetricsF m(p.font());
  QRectF box(at.x(), at.y() - m.ascent(), m.horizontalAdvance(text), m.height());
  const auto inside = [&](QRectF b) {
    if (b.right() > within.right() - 2) b.moveRight(within.right() - 2);
    if (b.left() < within.left() + 2) b.moveLeft(within.left() + 2);
    if (b.top() < within.top() + 2) b.moveTop(within.top() + 2);
    if (b.bottom() > within.bottom() - 2) b.moveBottom(within.bottom() - 2);
    return b;
  };
  const auto free = [&](const QRectF& b) {
    return std::none_of(placed.begin(), placed.end(),
                        [&](const QRectF& other) { return other.intersects(b); });
  };
  QRectF chosen = inside(box);
  for (int step = 1; step <= 8 && !free(chosen); ++step) {
    const double dy = (step % 2 == 1 ? 1 : -1) * ((step + 1) / 2) * m.height();
    chosen = inside(box.translated(0, dy));
  }
  placed.push_back(chosen);
  p.fillRect(chosen.adjusted(-2, 0, 2, 0), QColor(255, 255, 255, 200));
  p.drawText(QPointF(chosen.left(), chosen.top() + m.ascent()), text);
}

}  // namespace

// ------------------------------------------------------------------ view

ShiftMapView::ShiftMapView(ShiftMapForm& form, QWidget* parent) : QWidget(parent), form_(form) {
  setObjectName(QStringLiteral("Plot"));
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  poll_.setInterval(kPollMs);
  connect(&poll_, &QTimer::timeout, this, &ShiftMapView::Poll);
}

void ShiftMapView::KeepPolling() {
  if (!poll_.isActive() && (form_.computing() || form_.visible())) poll_.start();
}

void ShiftMapView::Poll() {
  // Idle first: the fine map is published before the job says it is done.
  const bool idle = !form_.computing();
  if (form_.Poll()) {
    update();
    if (arrived) arrived();
  }
  if (idle) poll_.stop();
}

int ShiftMapView::LegendWidth() const {
  const ShiftMapScene* scene = form_.scene();
  if (scene == nullptr) return 0;
  const QFontMetrics m(font());
  int widest = 0;
  for (const MapLegendEntry& e : scene->legend) {
    widest = std::max(widest, m.horizontalAdvance(Q(e.text)));
  }
  const int room = static_cast<int>(0.36 * width());
  return std::min(widest, room) + kSwatchWidth + kSwatchGap;
}

ShiftMapView::Boxes ShiftMapView::Layout() const {
  Boxes b;
  const ShiftMapScene* scene = form_.scene();
  if (scene == nullptr) return b;
  const bool plane = scene->shape == ShiftMapShape::Plane;
  const double legend = LegendWidth();
  const double left = plane ? kLeftMargin : kLineLeftMargin;
  const QRectF area(left, kTopMargin, width() - left - legend - 2 * kLegendGap,
                    height() - kTopMargin - kBottomMargin);
  if (area.width() < 20 || area.height() < 20) return b;
  const double dx = scene->xMax - scene->xMin, dy = scene->yMax - scene->yMin;
  if (!(dx > 0) || !(dy > 0)) return b;
  double w = area.width(), h = area.height();
  if (plane) {
    const double equal = std::min(w / dx, h / dy);
    w = dx * std::min(w / dx, kMaxScaleRatio * equal);
    h = dy * std::min(h / dy, kMaxScaleRatio * equal);
  } else {
    h = std::min(h, std::clamp(h / scene->rows, kMinRowHeight, kMaxRowHeight) * scene->rows);
  }
  b.plot = QRectF(area.left(), area.top(), w, h);
  b.legend = QRectF(b.plot.right() + kLegendGap, area.top(), legend, area.height());
  return b;
}

QRectF ShiftMapView::PlotBox() const {
  return Layout().plot;
}

namespace {

QPointF PixelIn(const QRectF& plot, const ShiftMapScene& scene, double x, double y) {
  return {plot.left() + (x - scene.xMin) / (scene.xMax - scene.xMin) * plot.width(),
          plot.bottom() - (y - scene.yMin) / (scene.yMax - scene.yMin) * plot.height()};
}

}  // namespace

QPointF ShiftMapView::Pixel(double x, double y) const {
  const ShiftMapScene* scene = form_.scene();
  const QRectF plot = PlotBox();
  if (scene == nullptr || plot.isEmpty()) return {};
  return PixelIn(plot, *scene, x, y);
}

std::optional<QPointF> ShiftMapView::MapPoint(QPointF at) const {
  const ShiftMapScene* scene = form_.scene();
  const QRectF plot = PlotBox();
  if (scene == nullptr || plot.isEmpty() || !plot.contains(at)) return std::nullopt;
  const double x =
      scene->xMin + (at.x() - plot.left()) / plot.width() * (scene->xMax - scene->xMin);
  const double y =
      scene->yMin + (plot.bottom() - at.y()) / plot.height() * (scene->yMax - scene->yMin);
  return QPointF(std::clamp(x, scene->xMin, scene->xMax), std::clamp(y, scene->yMin, scene->yMax));
}

void ShiftMapView::paintEvent(QPaintEvent*) {
  KeepPolling();
  QPainter p(this);
  p.fillRect(rect(), palette().color(QPalette::Window));
  const ShiftMapScene* scene = form_.scene();
  const Boxes boxes = Layout();
  if (scene == nullptr || boxes.plot.isEmpty()) return;
  const QRectF plot = boxes.plot;
  const bool plane = scene->shape == ShiftMapShape::Plane;
  // Laid out once: the legend's texts are measured for it.
  const auto pixel = [&](double x, double y) { return PixelIn(plot, *scene, x, y); };
  const auto at = [&](const MapXY& m) { return pixel(m.x, m.y); };
  const QColor ink = palette().color(QPalette::WindowText);

  p.fillRect(plot, Qt::white);
  p.save();
  p.setClipRect(plot);
  // The fills: all polygons of a region in one path, without antialiasing,
  // so that neighbouring cells meet without a seam and a see-through
  // colour is laid once.
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(Qt::NoPen);
  for (const MapRegion& r : scene->regions) {
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    for (const std::vector<MapXY>& polygon : r.fill) {
      if (polygon.size() < 3) continue;
      QPolygonF pixels;
      for (const MapXY& m : polygon) pixels << at(m);
      path.addPolygon(pixels);
      path.closeSubpath();
    }
    p.fillPath(path, RegionBrush(r.colour, r.fillOpacity, r.hatch));
  }
  p.setRenderHint(QPainter::Antialiasing, true);
  // A line map's rows apart.
  if (!plane) {
    p.setPen(QPen(QColor(200, 200, 200), 1.0));
    for (int r = 1; r < scene->rows; ++r) {
      const double y = pixel(scene->xMin, r).y();
      p.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
    }
  }
  for (const MapRegion& r : scene->regions) {
    p.setPen(QPen(Colour(r.colour), 1.5));
    for (const MapSegment& s : r.boundary) p.drawLine(at(s[0]), at(s[1]));
  }
  QPen dashed(Qt::black, 1.0, Qt::DashLine);
  for (const MapIsoLine& iso : scene->isoLines) {
    p.setPen(dashed);
    for (const auto& line : iso.polylines) {
      QPolygonF polyline;
      for (const MapXY& point : line) polyline << at(point);
      p.drawPolyline(polyline);
    }
  }
  std::vector<QRectF> labels;
  p.setPen(Qt::black);
  for (const MapIsoLine& iso : scene->isoLines) {
    if (iso.labelAt) Label(p, at(*iso.labelAt) + QPointF(3, -3), Q(iso.label), plot, labels);
  }
  if (scene->keptSum) {
    p.setPen(QPen(QColor(0, 0, 160), 2.0));
    p.drawLine(at((*scene->keptSum)[0]), at((*scene->keptSum)[1]));
    p.setPen(QColor(0, 0, 160));
    const QPointF mid = (at((*scene->keptSum)[0]) + at((*scene->keptSum)[1])) / 2.0;
    Label(p, mid + QPointF(6, -6), Q(scene->keptSumLabel), plot, labels);
  }
  // The current shifts, from the live pair.
  if (const std::optional<MapXY> mark = form_.CurrentMark()) {
    p.setPen(QPen(Qt::black, 2.0));
    if (plane) {
      const QPointF c = at(*mark);
      p.setBrush(QColor(255, 255, 255, 160));
      p.drawEllipse(c, kMarkRadius, kMarkRadius);
      p.setBrush(Qt::NoBrush);
      Label(p, c + QPointF(kMarkRadius + 3, -kMarkRadius - 2), Q(scene->currentLabel), plot,
            labels);
    } else {
      const double x = pixel(mark->x, 0.0).x();
      p.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
      // At the foot of the line: the iso-lines are named at the top.
      Label(p, QPointF(x + 4, plot.bottom() - 4), Q(scene->currentLabel), plot, labels);
    }
  }
  p.restore();

  // The frame, the ticks and the names of the axes.
  p.setPen(QPen(ink, 1.0));
  p.setBrush(Qt::NoBrush);
  p.drawRect(plot);
  const QFontMetricsF m(font());
  for (const MapTick& t : scene->xTicks) {
    const double x = pixel(t.value, scene->yMin).x();
    if (x < plot.left() - 0.5 || x > plot.right() + 0.5) continue;
    p.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + kTickLength));
    const QString text = Q(t.text);
    p.drawText(QPointF(x - m.horizontalAdvance(text) / 2, plot.bottom() + kTickLength + m.ascent()),
               text);
  }
  const QString xName = Q(scene->xLabel);
  p.drawText(QPointF(plot.center().x() - m.horizontalAdvance(xName) / 2,
                     plot.bottom() + kTickLength + m.height() + m.ascent()),
             xName);
  if (plane) {
    for (const MapTick& t : scene->yTicks) {
      const double y = pixel(scene->xMin, t.value).y();
      if (y < plot.top() - 0.5 || y > plot.bottom() + 0.5) continue;
      p.drawLine(QPointF(plot.left() - kTickLength, y), QPointF(plot.left(), y));
      const QString text = Q(t.text);
      p.drawText(QPointF(plot.left() - kTickLength - 2 - m.horizontalAdvance(text),
                         y + m.ascent() / 2 - 1),
                 text);
    }
    const QString yName = Q(scene->yLabel);
    p.drawText(QPointF(plot.left() - m.horizontalAdvance(yName) / 2, plot.top() - 4), yName);
  }

  // The legend: each region's swatch and text, then the faultless white.
  // A line map's entries stand beside their rows where there is room.
  double y = boxes.legend.top();
  const double textLeft = boxes.legend.left() + kSwatchWidth + kSwatchGap;
  const int textWidth = std::max(20, static_cast<int>(boxes.legend.right() - textLeft));
  const bool rows = scene->shape != ShiftMapShape::Plane;
  const double rowHeight = plot.height() / std::max(1, scene->rows);
  for (std::size_t i = 0; i < scene->legend.size(); ++i) {
    const MapLegendEntry& e = scene->legend[i];
    const QString text = Q(e.text);
    QRectF bounds = m.boundingRect(QRectF(textLeft, y, textWidth, 10000), Qt::TextWordWrap, text);
    if (rows && i < scene->regions.size()) {
      y = std::max(y, plot.top() + (static_cast<double>(i) + 0.5) * rowHeight - bounds.height() / 2);
    }
    if (y + bounds.height() > height()) break;
    const QRectF swatch(boxes.legend.left(), y + (m.height() - kSwatchHeight) / 2, kSwatchWidth,
                        kSwatchHeight);
    p.fillRect(swatch, Qt::white);
    p.fillRect(swatch, RegionBrush(e.colour, e.fillOpacity, e.hatch));
    p.setPen(QPen(ink, 1.0));
    p.drawRect(swatch);
    p.drawText(QRectF(textLeft, y, textWidth, bounds.height()), Qt::TextWordWrap, text);
    y += bounds.height() + kLegendRowGap;
  }
}

void ShiftMapView::mouseMoveEvent(QMouseEvent* event) {
  if (hovered) hovered(MapPoint(event->position()));
}

void ShiftMapView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
  if (const std::optional<QPointF> m = MapPoint(event->position()); m && clicked) clicked(*m);
}

void ShiftMapView::leaveEvent(QEvent* event) {
  if (hovered) hovered(std::nullopt);
  QWidget::leaveEvent(event);
}

// ---------------------------------------------------------------- window

namespace {

// A button's caption as its form names it.
std::string CaptionOf(const Form& form, const char* name) {
  const std::optional<int> index = form.Find(name);
  return index ? std::string(form.Info(*index).caption) : std::string();
}

}  // namespace

ShiftMapWindow::ShiftMapWindow(ShiftMapForm& form, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
      form_(form),
      view_(new ShiftMapView(form, this)),
      status_(new QLabel(this)),
      okButton_(AddButton("OkBtn", CaptionOf(form, "OkBtn").c_str(), this)),
      helpButton_(AddButton("HelpBtn", CaptionOf(form, "HelpBtn").c_str(), this)) {
  setWindowTitle(QString::fromUtf8(form.caption()));
  setFont(DialogFont());
  setSizeGripEnabled(true);
  status_->setObjectName(QStringLiteral("Status"));
  status_->setWordWrap(true);
  status_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  status_->setTextInteractionFlags(Qt::NoTextInteraction);
  // Three lines of findings fit; the picture does not jump as they change.
  status_->setFixedHeight(3 * status_->fontMetrics().lineSpacing() + 4);

  // The range of the map on the left: its fields with their captions (a
  // caption is its field's buddy, shown and hidden with it), then the
  // buttons that apply it and return to the default.
  auto* buttons = new QHBoxLayout;
  for (const char* name : {"X1Min", "X1Max", "X2Min", "X2Max"}) {
    auto* field = new QLineEdit(this);
    field->setObjectName(QLatin1String(name));
    field->setFixedWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("-0.00000")) + 8);
    auto* caption = new QLabel(QString::fromStdString(CaptionOf(form, name)), this);
    caption->setBuddy(field);
    buttons->addWidget(caption);
    buttons->addWidget(field);
  }
  for (const char* name : {"RangeBtn", "DefaultRangeBtn"}) {
    buttons->addWidget(AddButton(name, CaptionOf(form, name).c_str(), this));
  }
  buttons->addStretch(1);
  for (QPushButton* b : {okButton_, helpButton_}) {
    b->setMinimumWidth(75);
    buttons->addWidget(b);
  }
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(view_, 1);
  layout->addWidget(status_);
  layout->addLayout(buttons);

  view_->hovered = [this](std::optional<QPointF> m) {
    if (m) {
      form_.Hover(m->x(), m->y());
    } else {
      form_.HoverEnd();
    }
    ShowStatus();
  };
  view_->arrived = [this] { ShowStatus(); };
  resize(960, 640);
}

void ShiftMapWindow::ShowStatus() {
  const QString text = QString::fromStdString(form_.status());
  if (status_->text() != text) status_->setText(text);
}

void ShiftMapWindow::showEvent(QShowEvent* event) {
  view_->KeepPolling();
  ShowStatus();
  QDialog::showEvent(event);
}

}  // namespace kolmira::gui
