#include "FellowDialog.h"

#include <QCheckBox>
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
#include <vector>

#include "Drawing.h"
#include "Layout.h"
#include "Style.h"
#include "TabLayout.h"
#include "forms/FellowForm.h"

namespace kolmira::gui {

// ---------------------------------------------------------------------------
// The picture

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kBoxWidth = 240;
constexpr double kBoxHeight = 280;

// A sketch wheel: teeth of straight flanks leaning by kLean, angles measured
// from "up" clockwise. A ring's teeth point at its centre and widen outwards.
struct Wheel {
  QPointF centre;
  double radius;  // reference radius
  int z;
  bool ring;
  double halfTooth;  // half the tooth's width on the reference circle
  double tip, root;  // radii
  double tipRounding, rootRounding;
  double phase = 0;  // the first tooth's axis

  static constexpr double kLean = 0.22;

  double Pitch() const { return 2 * kPi / z; }
  double HalfAngle(double r) const {
    return (halfTooth + (ring ? 1 : -1) * (r - radius) * kLean) / r;
  }
  QPointF At(double r, double angle) const {
    return centre + r * QPointF(std::sin(angle), -std::cos(angle));
  }
  QPointF TipCorner(int k, int side) const {
    const double axis = phase + k * Pitch();
    return At(tip, axis + side * HalfAngle(tip));
  }
  QPointF RootCorner(int k, int side) const {
    const double axis = phase + k * Pitch();
    return At(root, axis + side * HalfAngle(root));
  }

  // The outline of all teeth, the corners rounded: each corner cut back by
  // its radius along both edges and joined by a curve through it.
  QPainterPath Outline() const {
    std::vector<std::pair<QPointF, double>> corners;
    for (int k = 0; k < z; ++k) {
      corners.emplace_back(RootCorner(k, -1), rootRounding);
      corners.emplace_back(TipCorner(k, -1), tipRounding);
      corners.emplace_back(TipCorner(k, 1), tipRounding);
      corners.emplace_back(RootCorner(k, 1), rootRounding);
      corners.emplace_back(At(root, phase + (k + 0.5) * Pitch()), 0.0);
    }
    QPainterPath path;
    const std::size_t n = corners.size();
    for (std::size_t i = 0; i < n; ++i) {
      const auto [p, r] = corners[i];
      const QPointF before = corners[(i + n - 1) % n].first - p;
      const QPointF after = corners[(i + 1) % n].first - p;
      const double lb = std::hypot(before.x(), before.y());
      const double la = std::hypot(after.x(), after.y());
      const double cut = std::min({r, 0.45 * lb, 0.45 * la});
      const QPointF a = p + before * (cut / lb);
      const QPointF b = p + after * (cut / la);
      if (i == 0) {
        path.moveTo(a);
      } else {
        path.lineTo(a);
      }
      path.quadTo(p, b);
    }
    path.closeSubpath();
    return path;
  }
};

class Ink {
 public:
  explicit Ink(QPainter& p, const QFont& base) : p_(p) {
    letter_ = base;
    letter_.setItalic(true);
    letter_.setPixelSize(13);
    index_ = letter_;
    index_.setPixelSize(10);
  }

  void Thin(QPointF a, QPointF b) {
    p_.setPen(QPen(Qt::black, 0.7));
    p_.drawLine(a, b);
  }
  void CentreLine(QPointF a, QPointF b) {
    QPen pen(Qt::black, 0.7);
    pen.setDashPattern({12, 3, 2, 3});
    p_.setPen(pen);
    p_.drawLine(a, b);
  }
  void Arrow(QPointF tip, QPointF direction) { DrawArrowhead(p_, tip, direction, 6.0, 1.8); }
  // A symbol with its index, starting at x (or ending there) on the
  // baseline y.
  void Symbol(QPointF at, const QString& letter, const QString& index, bool alignRight = false) {
    const double width = QFontMetricsF(letter_).horizontalAdvance(letter);
    const double all = width + QFontMetricsF(index_).horizontalAdvance(index);
    const double x = alignRight ? at.x() - all : at.x();
    p_.setPen(Qt::black);
    p_.setFont(letter_);
    p_.drawText(QPointF(x, at.y()), letter);
    p_.setFont(index_);
    p_.drawText(QPointF(x + width, at.y() + 3), index);
  }
  // A leader from a point to a symbol standing on a shelf, the shelf to
  // the right when `right`, else to the left.
  void Leader(QPointF from, QPointF shelf, bool right, const QString& letter,
              const QString& index) {
    Thin(from, shelf);
    const double length = 26;
    const QPointF end = shelf + QPointF(right ? length : -length, 0);
    Thin(shelf, end);
    Symbol(QPointF(right ? shelf.x() + 2 : end.x() + 2, shelf.y() - 3), letter, index);
  }

 private:
  QPainter& p_;
  QFont letter_;
  QFont index_;
};

}  // namespace

CutterPicture::CutterPicture(QWidget* parent) : QWidget(parent) {}

QSize CutterPicture::sizeHint() const {
  return QSize(static_cast<int>(kBoxWidth), static_cast<int>(kBoxHeight));
}

void CutterPicture::paintEvent(QPaintEvent* /*event*/) {
  QPainter p(this);
  if (!FitBox(p, QSizeF(kBoxWidth, kBoxHeight))) return;
  p.setPen(QPen(Qt::gray, 1));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(0.5, 0.5, kBoxWidth - 1, kBoxHeight - 1));

  // The cutter of 12 teeth, module m, meshes at the top with a ring of 30;
  // its addendum is the ring's dedendum, so its tips cut the ring's root.
  const QPointF cutterCentre(120, 150);
  const double m = 56.0 * 2 / 12;
  const Wheel cutter{cutterCentre,  56,  12, false, 0.22 * kPi * m, 56 + 1.25 * m,
                     56 - 1.25 * m, 2.6, 1.8};
  const double ringRadius = 15 * m;
  Wheel ring{cutterCentre + QPointF(0, ringRadius - 56),
             ringRadius,
             30,
             true,
             (kPi / 2 - 0.22 * kPi - 0.06) * m,
             ringRadius - m,
             ringRadius + 1.25 * m,
             1.2,
             2.6};
  ring.phase = ring.Pitch() / 2;
  const double rim = ring.root + 16;

  const QPen outline(Qt::black, 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  QPainterPath ringBody = ring.Outline();
  ringBody.addEllipse(ring.centre, rim, rim);
  ringBody.setFillRule(Qt::OddEvenFill);
  p.setPen(outline);
  p.setBrush(QColor(220, 220, 220));
  p.drawPath(ringBody);
  QPainterPath cutterBody = cutter.Outline();
  cutterBody.addEllipse(cutterCentre, 13, 13);  // the bore
  cutterBody.setFillRule(Qt::OddEvenFill);
  p.setBrush(QColor(190, 190, 190));
  p.drawPath(cutterBody);
  p.setBrush(Qt::NoBrush);

  Ink ink(p, font());
  // The line of centres.
  ink.CentreLine(QPointF(120, 60), QPointF(120, cutterCentre.y() + cutter.tip + 6));
  ink.CentreLine(cutterCentre - QPointF(18, 0), cutterCentre + QPointF(18, 0));

  // The circle where the cutter's involute begins.
  QPen dashed(Qt::black, 0.8);
  dashed.setDashPattern({4, 3});
  p.setPen(dashed);
  const double start = cutter.root + 0.35 * (cutter.radius - cutter.root);
  p.drawEllipse(cutterCentre, start, start);

  // Tip diameter across the teeth that point sideways.
  const QPointF left = cutterCentre - QPointF(cutter.tip, 0);
  const QPointF right = cutterCentre + QPointF(cutter.tip, 0);
  ink.Thin(left, right);
  ink.Arrow(left, left - right);
  ink.Arrow(right, right - left);
  ink.Symbol(QPointF(cutterCentre.x() + 16, cutterCentre.y() - 4), "d", "a0");
  ink.Symbol(QPointF(cutterCentre.x() + 10, cutterCentre.y() + 30), "z", "0");
  ink.Leader(ring.At(ring.root + 8, -0.5), QPointF(36, 30), false, "z", "2");

  // Tip thickness of the tooth that points down, arrows from outside.
  const QPointF a = cutter.TipCorner(6, 1);
  const QPointF b = cutter.TipCorner(6, -1);
  const double y = a.y() + 12;
  ink.Thin(a + QPointF(0, 2), QPointF(a.x(), y + 3));
  ink.Thin(b + QPointF(0, 2), QPointF(b.x(), y + 3));
  ink.Thin(QPointF(a.x() - 14, y), QPointF(b.x() + 14, y));
  ink.Arrow(QPointF(a.x(), y), QPointF(1, 0));
  ink.Arrow(QPointF(b.x(), y), QPointF(-1, 0));
  ink.Symbol(QPointF(cutterCentre.x() - 8, y + 17), "s", "a0");

  // Leaders: the involute's start circle, the root and the tip roundings.
  const double lowerLeft = 1.25 * kPi;
  ink.Leader(cutter.At(start, lowerLeft), QPointF(44, 262), false, "d", "L0");
  const QPointF root = cutter.At(cutter.root, 4.5 * cutter.Pitch());
  ink.Leader(root, QPointF(196, 236), true, "ρ", "f0");
  ink.Leader(cutter.TipCorner(5, 1), QPointF(196, 266), true, "ρ", "a0");
}

// ---------------------------------------------------------------------------
// The dialog

namespace {

constexpr int kWidth = 600;
constexpr int kHeight = 340;
constexpr int kMargin = 8;
constexpr int kRowPitch = 25;
constexpr int kSymbolRight = 200;
constexpr int kFieldX = 208;
constexpr int kFieldWidth = 70;
constexpr int kPictureX = 350;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 25;

// A read-out: caption, symbol, the value the form writes, its unit; the
// caption, symbol and unit show with the value.
QLabel* AddReadOut(QWidget* parent, int y, const QString& caption, const QString& symbol,
                   const char* name, const QString& unit) {
  auto* value = new QLabel(parent);
  value->setObjectName(name);
  value->move(kFieldX + 4, y + 3);
  if (!caption.isEmpty()) AddCaption(parent, kMargin, y, caption)->setBuddy(value);
  AddSymbolBefore(parent, kSymbolRight, y, symbol, value);
  if (!unit.isEmpty()) {
    auto* u = new QLabel(unit, parent);
    u->move(kFieldX + kFieldWidth + 5, y + 3);
    u->adjustSize();
    u->setBuddy(value);
  }
  return value;
}

}  // namespace

FellowDialog::FellowDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("TFellowDlg");
  setWindowTitle(QString::fromUtf8(kFellowCaption));
  setFont(DialogFont());
  setFixedSize(kWidth, kHeight);

  struct Row {
    const char* field;
    const char* caption;
    const char* symbol;
  };
  int y = 10;
  for (const Row& row : {Row{"Edit1", "Počet zubů", "z<sub>0</sub>"},
                         Row{"Edit2", "Jednotková korekce", "x<sub>0</sub>"},
                         Row{"Edit3", "Poměrný rádius paty", "ρ<sub>f0</sub><sup>*</sup>"},
                         Row{"Edit4", "Poměrný rádius hlavy", "ρ<sub>a0</sub><sup>*</sup>"}}) {
    QLineEdit* edit = AddField(this, row.field, kFieldX, y, kFieldWidth);
    AddCaption(this, kMargin, y, QString::fromUtf8(row.caption))->setBuddy(edit);
    AddSymbolBefore(this, kSymbolRight, y, QString::fromUtf8(row.symbol), edit);
    y += kRowPitch;
  }

  // The options, each with what it makes of the cutter.
  y += 8;
  auto* functional = new QCheckBox(this);
  functional->setObjectName("CheckBox1");
  functional->setGeometry(kMargin, y, kSymbolRight - kMargin, 20);
  auto* note = new QLabel("(d<sub>L0</sub> = d<sub>b0</sub>)", this);
  note->setTextFormat(Qt::RichText);
  note->move(kFieldX + 4, y + 1);
  note->adjustSize();
  note->setBuddy(functional);
  y += kRowPitch;
  auto* rounded = new QCheckBox(this);
  rounded->setObjectName("CheckBox2");
  rounded->setGeometry(kMargin, y, kSymbolRight - kMargin - 40, 20);
  AddReadOut(this, y - 2, QString(), "c<sub>a0</sub> =", "LabelCa0", "[mm]");

  // The cutter's dimensions.
  y += kRowPitch + 6;
  auto* sizes = new QGroupBox("Rozměry nástroje", this);
  sizes->setGeometry(kMargin - 4, y, kPictureX - 2 * kMargin, 4 * kRowPitch - 2 + 22);
  int row = 20;
  AddReadOut(sizes, row, "Průměr počátku evolventy", "d<sub>L0</sub>", "LabelDL0", "[mm]");
  row += kRowPitch - 2;
  QLabel* angle = AddReadOut(sizes, row, "Úhel profilu v počátku evolventy", "α<sub>L0</sub>",
                             "LabelAlphaL0", QString());
  auto* degrees = new QLabel(sizes);
  degrees->setObjectName("LabelAlphaL0Unit");
  degrees->move(kFieldX + kFieldWidth + 5, angle->y());
  row += kRowPitch - 2;
  AddReadOut(sizes, row, "Hlavový průměr", "d<sub>a0</sub>", "LabelDa0", "[mm]");
  row += kRowPitch - 2;
  AddReadOut(sizes, row, "Tloušťka hlavy v normálném řezu", "s<sub>a0</sub>", "LabelSa0", "[mm]");

  auto* picture = new CutterPicture(this);
  picture->setGeometry(kPictureX, kMargin, kWidth - kPictureX - kMargin,
                       kHeight - 3 * kMargin - kButtonHeight);

  const int buttonY = kHeight - kMargin - kButtonHeight;
  AddButtonRow(this, {"OKBtn", "BackBtn", "HelpBtn"}, kWidth - kMargin,
               QSize(kButtonWidth, kButtonHeight), buttonY);
}

void FellowDialog::keyPressEvent(QKeyEvent* event) {
  if (!TakeDialogKey(event)) QDialog::keyPressEvent(event);
}

}  // namespace kolmira::gui
