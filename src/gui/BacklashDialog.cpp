#include "BacklashDialog.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <algorithm>
#include <optional>
#include <type_traits>
#include <utility>

#include "Drawing.h"
#include "Layout.h"
#include "Style.h"
#include "forms/BacklashForm.h"

namespace kolmira::gui {

namespace {

// ---------------------------------------------------------------------------
// Captions whose symbol has an index

QFont IndexFont(QFont font) {
  font.setPointSizeF(font.pointSizeF() * 0.75);
  return font;
}

// Where `symbol` ends in `text` when it stands there as a word of its own
// (the caption's blanks after it hold the index).
std::optional<int> SymbolEnd(const QString& text, const QString& symbol) {
  for (qsizetype at = text.indexOf(symbol); at >= 0; at = text.indexOf(symbol, at + 1)) {
    const qsizetype end = at + symbol.size();
    const bool alone =
        (at == 0 || !text[at - 1].isLetter()) && (end == text.size() || text[end].isSpace());
    if (alone) return static_cast<int>(end);
  }
  return std::nullopt;
}

// A label or option whose caption the form writes, with the index of a
// symbol in it ("a" of a centre distance: a with w) drawn as a subscript
// when the caption holds the symbol.
template <class Base>
class Indexed : public Base {
 public:
  Indexed(QString symbol, QString index, QWidget* parent)
      : Base(parent), symbol_(std::move(symbol)), index_(std::move(index)) {}

  QSize sizeHint() const override {
    QSize size = Base::sizeHint();
    if (const auto at = IndexAt()) {
      const int right = at->x() + QFontMetrics(IndexFont(this->font())).horizontalAdvance(index_);
      size.setWidth(std::max(size.width(), right + 1));
    }
    return size;
  }

 protected:
  void paintEvent(QPaintEvent* event) override {
    Base::paintEvent(event);
    const auto at = IndexAt();
    if (!at) return;
    QPainter painter(this);
    painter.setFont(IndexFont(this->font()));
    const auto group = this->isEnabled() ? QPalette::Active : QPalette::Disabled;
    painter.setPen(this->palette().color(group, QPalette::WindowText));
    painter.drawText(*at, index_);
  }

 private:
  // The left end of the index on its baseline, a third of an x-height
  // below the caption's.
  std::optional<QPoint> IndexAt() const {
    const QString text = this->text();
    const auto end = SymbolEnd(text, symbol_);
    if (!end) return std::nullopt;
    QRect box = this->contentsRect();
    if constexpr (std::is_base_of_v<QAbstractButton, Base>) {
      QStyleOptionButton option;
      option.initFrom(this);
      option.text = text;
      box = this->style()->subElementRect(QStyle::SE_RadioButtonContents, &option, this);
    }
    const QFontMetrics fm(this->font());
    const int baseline = box.top() + (box.height() - fm.height()) / 2 + fm.ascent();
    return QPoint(box.left() + fm.horizontalAdvance(text.left(*end)), baseline + fm.xHeight() / 3);
  }

  QString symbol_;
  QString index_;
};

// ---------------------------------------------------------------------------
// Layout

constexpr int kWidth = 600;
constexpr int kHeight = 400;
constexpr int kMargin = 8;

// The modes, one under the other; the fields to their right: symbol,
// field, unit.
constexpr int kModeWidth = 300;
constexpr int kRowPitch = 25;
constexpr int kSymbolX = 336;
constexpr int kFieldX = 384;
constexpr int kFieldWidth = 90;

// The groups of direct entry below, full width; the technology's pictures
// under their options.
constexpr int kGroupWidth = kWidth - 2 * kMargin;
constexpr int kThinningY = 112;
constexpr int kThinningHeight = 46;
constexpr int kTechnologyY = kThinningY + kThinningHeight + 6;
constexpr int kTechnologyHeight = 186;
constexpr int kColumn = (kGroupWidth - 3 * kMargin) / 2;
constexpr int kPictureHeight = 130;

constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 25;

QString Caption(const Form& form, const char* name) {
  const std::string_view caption = form.Info(*form.Find(name)).caption;
  return QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size()));
}

template <class W>
W* Named(W* w, const char* name, const QRect& geometry) {
  w->setObjectName(name);
  w->setGeometry(geometry);
  return w;
}

QRadioButton* AddOption(QWidget* parent, const char* name, int x, int y, int width) {
  return Named(new QRadioButton(parent), name, QRect(x, y, width, 20));
}

}  // namespace

// ---------------------------------------------------------------------------
// The pictures

namespace {

// The sketch box the pictures are drawn in, scaled into the widget.
constexpr double kBoxWidth = 266;
constexpr double kBoxHeight = 130;

// Two teeth standing on the root line, their centres a pitch apart, the
// tool's body above their tips.
constexpr double kToothA = 58;
constexpr double kToothB = 208;
constexpr double kRootY = 120;
constexpr double kTipY = 48;
constexpr double kToolBodyY = 36;
constexpr double kRootHalf = 44;  // half the tooth's width at its root, ...
constexpr double kTipHalf = 16;   // ... at its tip
constexpr double kBulge = 6;      // the flank's curvature
// Heights of the profile's parts: the tip chamfer, the undercut that the
// protuberance leaves above the root fillet.
constexpr double kChamferY = kTipY + 8;
constexpr double kChamferWidth = 7;
constexpr double kUndercutTopY = kRootY - 26;
constexpr double kFilletY = kRootY - 10;
constexpr double kUndercutDepth = 3.5;
// How much the teeth are thinned, exaggerated.
constexpr double kThinning = 3.5;

// Half the tooth's width at the height y (above the tip as well, where the
// ground flank runs on).
double HalfWidth(double y) {
  const double t = (y - kTipY) / (kRootY - kTipY);
  return kTipHalf + (kRootHalf - kTipHalf) * t + kBulge * t * (1 - t);
}

// Where the nominal chamfer stands at the height y, as a half width.
double ChamferHalf(double y) {
  const double t = (kChamferY - y) / (kChamferY - kTipY);
  return HalfWidth(kChamferY) + (HalfWidth(kTipY) - kChamferWidth - HalfWidth(kChamferY)) * t;
}

using Tool = TechnologyPicture::Tool;

// One side of a tooth (side -1 the left, +1 the right) from the root line
// up to the tip's corner, thinned as the tool thins it; thinning 0 gives
// the nominal side.
QPolygonF Side(double centre, int side, double thinning, Tool tool) {
  const bool all = tool == Tool::ThickerHob;
  const double shiftAll = all ? thinning : 0;
  QPolygonF points;
  auto at = [&](double half, double y, double shift) {
    points << QPointF(centre + side * (half - shift), y);
  };
  // The root fillet, into the undercut.
  const double footHalf = HalfWidth(kRootY) - kUndercutDepth;
  const double filletHalf = HalfWidth(kFilletY) - kUndercutDepth;
  for (int i = 0; i <= 8; ++i) {
    const double s = i / 8.0;
    const double half =
        (1 - s) * (1 - s) * (footHalf + 10) + 2 * s * (1 - s) * footHalf + s * s * filletHalf;
    const double y = (1 - s) * (1 - s) * kRootY + 2 * s * (1 - s) * kRootY + s * s * kFilletY;
    at(half, y, shiftAll);
  }
  // The undercut, fading out upwards.
  for (double y = kFilletY; y >= kUndercutTopY; y -= 2) {
    const double depth = kUndercutDepth * (y - kUndercutTopY) / (kFilletY - kUndercutTopY);
    at(HalfWidth(y) - depth, y, shiftAll);
  }
  // The flank; a grinding wheel takes it off from the undercut's top, with
  // a step there, up to where it meets the chamfer.
  double y = kUndercutTopY;
  if (!all) at(HalfWidth(y), y, 0);
  for (; y > kTipY && (y >= kChamferY || (!all && HalfWidth(y) - thinning < ChamferHalf(y)));
       y -= 0.5) {
    at(HalfWidth(y), y, thinning);
  }
  // The chamfer up to the tip.
  for (; y > kTipY; y -= 0.5) at(ChamferHalf(y), y, shiftAll);
  at(ChamferHalf(kTipY), kTipY, shiftAll);
  return points;
}

// The two teeth on the gear's body, within the box.
QPainterPath Teeth(double thinning, Tool tool) {
  QPolygonF outline;
  outline << QPointF(0, kBoxHeight + 1) << QPointF(0, kRootY);
  for (double centre : {kToothA, kToothB}) {
    outline << Side(centre, -1, thinning, tool);
    const QPolygonF right = Side(centre, 1, thinning, tool);
    outline << QPolygonF(QList<QPointF>(right.rbegin(), right.rend()));
  }
  outline << QPointF(kBoxWidth, kRootY) << QPointF(kBoxWidth, kBoxHeight + 1);
  QPainterPath path;
  path.addPolygon(outline);
  path.closeSubpath();
  return path;
}

// The tool's tooth in the space between the teeth, and its body above them.
QPainterPath ToolShape(Tool tool) {
  QPolygonF outline;
  if (tool == Tool::ThickerHob) {
    // The hob's tooth is the space it cuts, its edges carried on to its
    // body along the chamfers' edges.
    const QPolygonF a = Side(kToothA, 1, kThinning, tool);
    const QPolygonF b = Side(kToothB, -1, kThinning, tool);
    auto carried = [](const QPolygonF& side) {
      const QPointF top = side.back();
      const QPointF dir = top - side[side.size() - 4];
      return top + dir * ((kToolBodyY - 1 - top.y()) / dir.y());
    };
    outline << carried(a) << QPolygonF(QList<QPointF>(a.rbegin(), a.rend())) << b << carried(b);
  } else {
    // The wheel's edges are the ground flanks, run on above the tips; its
    // rim clears the undercut and the fillet.
    for (double y = kToolBodyY - 1; y <= kUndercutTopY; y += 2) {
      outline << QPointF(kToothA + HalfWidth(y) - kThinning, y);
    }
    const double left = kToothA + HalfWidth(kUndercutTopY) - kThinning;
    const double right = kToothB - HalfWidth(kUndercutTopY) + kThinning;
    for (int i = 1; i < 12; ++i) {
      const double s = i / 12.0;
      outline << QPointF(left + (right - left) * s, kUndercutTopY + 16 * s * (1 - s));
    }
    for (double y = kUndercutTopY; y >= kToolBodyY - 1; y -= 2) {
      outline << QPointF(kToothB - HalfWidth(y) + kThinning, y);
    }
  }
  QPainterPath shape;
  shape.addPolygon(outline);
  shape.closeSubpath();
  QPainterPath body;
  body.addRect(QRectF(0, 2, kBoxWidth, kToolBodyY - 2));
  return shape.united(body);
}

}  // namespace

TechnologyPicture::TechnologyPicture(Tool tool, QWidget* parent) : QWidget(parent), tool_(tool) {}

QSize TechnologyPicture::sizeHint() const {
  return QSize(static_cast<int>(kBoxWidth), static_cast<int>(kBoxHeight));
}

void TechnologyPicture::paintEvent(QPaintEvent* /*event*/) {
  QPainter p(this);
  if (!FitBox(p, QSizeF(kBoxWidth, kBoxHeight))) return;

  const QPen thick(Qt::black, 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  QPen dashed(Qt::black, 1.0);
  dashed.setDashPattern({3, 2});

  // The tool: a hob hatched, a grinding wheel grained.
  const QPainterPath tool = ToolShape(tool_);
  p.fillPath(tool, Qt::white);
  p.fillPath(tool, QBrush(QColor(90, 90, 90),
                          tool_ == Tool::ThickerHob ? Qt::BDiagPattern : Qt::Dense6Pattern));
  p.setPen(thick);
  p.drawPath(tool);

  // The gear thinned, the layer it lost in red, its nominal outline dashed.
  const QPainterPath nominal = Teeth(0, tool_);
  const QPainterPath thinned = Teeth(kThinning, tool_);
  p.fillPath(thinned, QColor(215, 215, 215));
  p.fillPath(nominal.subtracted(thinned), QColor(230, 90, 80));
  p.setPen(thick);
  p.drawPath(thinned);
  p.setPen(dashed);
  p.drawPath(nominal);

  // What the tool is, on its body.
  QFont font = this->font();
  font.setItalic(true);
  p.setFont(font);
  const QString name =
      tool_ == Tool::ThickerHob ? QStringLiteral("fréza") : QStringLiteral("brusný kotouč");
  const QRectF label = QFontMetricsF(font).boundingRect(name).adjusted(-3, -1, 3, 1);
  const QPointF at(kBoxWidth / 2 - label.width() / 2 - label.left(), (kToolBodyY + 2) / 2 + 4);
  p.fillRect(label.translated(at), Qt::white);
  p.setPen(Qt::black);
  p.drawText(at, name);
}

// ---------------------------------------------------------------------------
// The dialog

BacklashDialog::BacklashDialog(const Form& form, QWidget* parent) : QDialog(parent) {
  setObjectName("TVuleF");
  setWindowTitle(QString::fromUtf8(kBacklashCaption));
  setFont(DialogFont());
  setFixedSize(kWidth, kHeight);

  // The modes; the index of mode 3's shift sum stands in its caption's
  // blanks.
  AddOption(this, "RadioButton1", kMargin + 2, 10, kModeWidth);
  auto* shift = new Indexed<QRadioButton>("(a", "w", this);
  Named(shift, "RadioButton2", QRect(kMargin + 2, 10 + kRowPitch, kModeWidth, 20));
  QRadioButton* apart =
      AddOption(this, "RadioButton3", kMargin + 2, 10 + 2 * kRowPitch, kModeWidth);
  {
    const QString caption = Caption(form, "RadioButton3");
    QStyleOptionButton option;
    option.initFrom(apart);
    option.text = caption;
    const QRect text =
        apart->style()->subElementRect(QStyle::SE_RadioButtonContents, &option, apart);
    auto* index = new QLabel(apart);
    index->setObjectName("Label3");
    index->setFont(IndexFont(font()));
    index->setAttribute(Qt::WA_TransparentForMouseEvents);
    const QFontMetrics fm(font());
    const int baseline = text.top() + (text.height() - fm.height()) / 2 + fm.ascent();
    const int x = text.left() + fm.horizontalAdvance(caption.left(*SymbolEnd(caption, "(x")));
    index->move(x, baseline + fm.xHeight() / 3 - QFontMetrics(index->font()).ascent());
  }

  // The fields: centre distance (a rack's displacement), shift sum,
  // backlash, and where the shown shift sum meshes without backlash.
  constexpr int kTop = 8;
  QLineEdit* distance = AddField(this, "Edit1", kFieldX, kTop, kFieldWidth);
  Named(new Indexed<QLabel>("a", "w", this), "Label1", QRect(kSymbolX, kTop + 3, 10, 15));
  AddUnit(this, distance, "[mm]");
  QLineEdit* sum = AddField(this, "Edit2", kFieldX, kTop + kRowPitch, kFieldWidth);
  QLabel* x = AddCaption(this, kSymbolX, kTop + kRowPitch, "x");
  x->setBuddy(sum);
  auto* sumIndex = new QLabel(this);
  sumIndex->setObjectName("Label2");
  sumIndex->setFont(IndexFont(font()));
  sumIndex->setProperty("kolmiraSubscriptOf", QVariant::fromValue<QObject*>(x));
  QLineEdit* jn = AddField(this, "Edit3", kFieldX, kTop + 2 * kRowPitch, kFieldWidth);
  auto* jnSymbol = new QLabel("j<sub>n</sub>", this);
  jnSymbol->setTextFormat(Qt::RichText);
  jnSymbol->move(kSymbolX, kTop + 2 * kRowPitch + 2);
  jnSymbol->adjustSize();
  jnSymbol->setBuddy(jn);
  AddUnit(this, jn, "[mm]");

  const int lineY = kTop + 3 * kRowPitch + 8;
  Named(new Indexed<QLabel>("a", "w", this), "Label5", QRect(kSymbolX, lineY, 10, 15));
  const int valueX =
      kSymbolX + QFontMetrics(font()).horizontalAdvance(Caption(form, "Label5") + ' ');
  auto* value = Named(new QLabel(this), "Label6", QRect(valueX, lineY, 10, 15));
  auto* unit = new QLabel("[mm]", this);
  unit->move(distance->x() + distance->width() + 5, lineY);
  unit->adjustSize();
  unit->setBuddy(value);

  // Direct entry: which gear is thinned, and how.
  auto* thinning = Named(new QGroupBox(this), "GroupBox1",
                         QRect(kMargin, kThinningY, kGroupWidth, kThinningHeight));
  const int third = (kGroupWidth - 2 * kMargin) / 3;
  AddOption(thinning, "RadioButton4", kMargin, 18, third);
  AddOption(thinning, "RadioButton5", kMargin + third, 18, third);
  AddOption(thinning, "RadioButton6", kMargin + 2 * third, 18, third);

  auto* technology = Named(new QGroupBox(this), "GroupBox2",
                           QRect(kMargin, kTechnologyY, kGroupWidth, kTechnologyHeight));
  const int secondX = 2 * kMargin + kColumn;
  AddOption(technology, "RadioButton7", kMargin, 18, kColumn);
  AddOption(technology, "RadioButton8", secondX, 18, kColumn);
  Named(new TechnologyPicture(TechnologyPicture::Tool::ThickerHob, technology), "Image1",
        QRect(kMargin, 44, kColumn, kPictureHeight));
  Named(new TechnologyPicture(TechnologyPicture::Tool::Grinding, technology), "Image2",
        QRect(secondX, 44, kColumn, kPictureHeight));

  const int buttonY = kHeight - kMargin - kButtonHeight;
  AddButtonRow(this, {"OkButton", "EscButton", "HelpButton"}, kWidth - kMargin,
               QSize(kButtonWidth, kButtonHeight), buttonY);
}

void BacklashDialog::keyPressEvent(QKeyEvent* event) {
  if (!TakeDialogKey(event)) QDialog::keyPressEvent(event);
}

}  // namespace kolmira::gui
