// The measurement tab's widgets and where they sit. Each group is split in
// two halves of the same layout, the pinion's and the wheel's; a half holds
// the gear's sketch on its left and its fields on its right, every field
// with its caption, symbol and unit, which show and hide with it. The
// wheel's halves of the span and balls groups are the form's own groups
// (hidden with the wheel when a rack takes its place); the other halves are
// plain containers.
#include "MeasureTab.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "GearPicture.h"
#include "Layout.h"
#include "Style.h"
#include "TabLayout.h"

namespace kolmira::gui {

namespace {

using Measure = GearPicture::Measure;

// Groups: full width, one above the other, below the names of the halves.
constexpr int kMargin = 6;
constexpr int kGroupWidth = kTabPageSize.width() - 2 * kMargin;
constexpr int kGroupY = 18;
constexpr int kGroupGap = 4;
constexpr int kTitleHeight = 18;  // a group's title above its contents
constexpr int kBottomMargin = 6;

// Halves within a group, and the line between them.
constexpr int kHalfWidth = 308;
constexpr int kHalfX[2] = {8, kGroupWidth - 8 - kHalfWidth};
constexpr int kSeparatorX = (kHalfX[0] + kHalfWidth + kHalfX[1]) / 2 - 1;

// Columns within a half: the sketch, then captions, symbols, fields and
// units ("[mm]" 5 pixels after its field). A field holds a number such as
// "  123.45678".
constexpr int kPictureWidth = 80;
constexpr int kBlockX = 88;
constexpr int kUnitRoom = 5 + 26;
constexpr int kFieldWidth = 68;
constexpr int kFieldX = kHalfWidth - kUnitRoom - kFieldWidth;
constexpr int kUnitX = kFieldX + kFieldWidth + 5;
constexpr int kCountWidth = 40;  // a count of teeth
constexpr int kSymbolRight = kFieldX - 4;

// Rows.
constexpr int kRowPitch = 25;  // rows of fields
constexpr int kOptionHeight = 19;
constexpr int kOptionWidth = kSymbolRight - kBlockX;
constexpr int kLinePitch = 16;  // lines of text

// The names of one gear's controls.
struct GearNames {
  const char* sc;
  const char* hc;
  const char* zw;
  const char* W;
  const char* dt;
  const char* M;
  const char* dM;
  const char* modes[3];
  const char* range;
  const char* contact;
  const char* widthLabel;
  const char* widthSubscript;
  const char* width;
  const char* thicknessPicture;
  const char* spanPicture;
  const char* ballPicture;
};

// clang-format off
constexpr GearNames kGears[2] = {
    {"Edit22", "Edit23", "Edit26", "Edit27", "Edit30", "Edit31", "Edit34",
     {"RadioButton6", "RadioButton7", "RadioButton8"},
     "SpanRange1", "SpanContact1", "MinWidthLabel1", "MinWidthSubscript1", "MinWidth1",
     "PictureThickness1", "PictureSpan1", "PictureBall1"},
    {"Edit24", "Edit25", "Edit28", "Edit29", "Edit32", "Edit33", "Edit35",
     {"RadioButton9", "RadioButton10", "RadioButton11"},
     "SpanRange2", "SpanContact2", "MinWidthLabel2", "MinWidthSubscript2", "MinWidth2",
     "PictureThickness2", "PictureSpan2", "PictureBall2"},
};
// clang-format on

// The words of the form's lines before the blanks that the symbols fill,
// and before the value of the minimum width.
const QString kContactCaption = QStringLiteral("Průměr");
const QString kContactWords = QStringLiteral("kontaktu ");
const QString kWidthWords = QStringLiteral("Minimální šířka  b");
const QString kWidthLine = QStringLiteral("Minimální šířka  b        =");

// A label at (x, y) of its text's size; it shows and hides with `buddy`.
QLabel* AddText(QWidget* parent, int x, int y, const QString& text, const QString& name,
                QWidget* buddy = nullptr) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->move(x, y);
  label->adjustSize();
  if (buddy != nullptr) label->setBuddy(buddy);
  return label;
}

class Half {
 public:
  Half(QWidget* widget, int gear) : w_(widget), gear_(gear), n_(QString::number(gear)) {}

  QWidget* widget() const { return w_; }
  const GearNames& names() const { return kGears[gear_ - 1]; }
  const QString& n() const { return n_; }

  // A field's row: caption, symbol, the field, its unit.
  QLineEdit* Row(const char* field, int y, const QString& caption, const QString& symbol,
                 bool unit = true, int width = kFieldWidth) const {
    const QString key = QStringLiteral("Text.") + field;
    QLineEdit* edit = AddField(w_, field, kFieldX, y, width);
    AddCaption(w_, kBlockX, y, caption, QString(), key + ".caption")->setBuddy(edit);
    AddSymbolBefore(w_, kSymbolRight, y, symbol, edit)->setObjectName(key + ".symbol");
    if (unit) AddUnit(w_, edit, QStringLiteral("[mm]"))->setObjectName(key + ".unit");
    return edit;
  }

  // A unit in the units' column on a line of text; it shows with `buddy`.
  void LineUnit(int y, const QString& name, QWidget* buddy) const {
    AddText(w_, kUnitX, y, QStringLiteral("[mm]"), name, buddy);
  }

  GearPicture* Picture(const char* name, Measure measure, int height) const {
    auto* picture = new GearPicture(measure, /*internal=*/false, w_);
    picture->setObjectName(name);
    picture->setGeometry(0, 0, kPictureWidth, height);
    return picture;
  }

 private:
  QWidget* w_;
  int gear_;
  QString n_;
};

// Each half's contents, and their heights.
constexpr int kThicknessHeight = 3 * kOptionHeight + 5 + kRowPitch + kFieldHeight;
constexpr int kSpanHeight = 2 * kRowPitch + 3 * kLinePitch;
constexpr int kBallHeight = 2 * kRowPitch + kFieldHeight;

GearPicture* BuildThickness(const Half& h) {
  const GearNames& g = h.names();
  for (int i = 0; i < 3; ++i) {
    auto* option = new QRadioButton(h.widget());
    option->setObjectName(g.modes[i]);
    option->setGeometry(kBlockX, i * kOptionHeight, kOptionWidth, kOptionHeight);
  }
  const int y = 3 * kOptionHeight + 5;
  h.Row(g.sc, y, QStringLiteral("Tloušťka na tětivě"), "s<sub>c" + h.n() + "</sub>");
  h.Row(g.hc, y + kRowPitch, QStringLiteral("Výška k tětivě"), "h<sub>c" + h.n() + "</sub>");
  return h.Picture(g.thicknessPicture, Measure::Thickness, kThicknessHeight);
}

GearPicture* BuildSpan(const Half& h) {
  const GearNames& g = h.names();
  QWidget* w = h.widget();
  const QString key = QStringLiteral("Text.span") + h.n();
  h.Row(g.zw, 0, QStringLiteral("Počet zubů"), "z<sub>w" + h.n() + "</sub>", /*unit=*/false,
        kCountWidth);
  h.Row(g.W, kRowPitch, QStringLiteral("Míra přes zuby"), "W<sub>" + h.n() + "</sub>");

  int y = 2 * kRowPitch + 2;
  AddText(w, kBlockX, y, QString(), g.range);

  // "Průměr kontaktu dW1 = ...": the symbol stands in the blanks of the
  // form's line.
  y += kLinePitch;
  auto* contact = AddText(w, 0, y, QString(), g.contact);
  auto* caption = AddText(w, kBlockX, y, kContactCaption, key + ".contactCaption", contact);
  contact->move(kBlockX + caption->fontMetrics().horizontalAdvance(kContactCaption + ' '), y);
  auto* symbol = new QLabel("d<sub>W" + h.n() + "</sub>", w);
  symbol->setObjectName(key + ".contactSymbol");
  symbol->setTextFormat(Qt::RichText);
  symbol->setBuddy(contact);
  PlaceInLine(contact, kContactWords, symbol, /*subscript=*/false);
  h.LineUnit(y, key + ".contactUnit", contact);

  // "Minimální šířka  b1min  = ...", its subscript a control of the form.
  y += kLinePitch;
  auto* label = AddText(w, kBlockX, y, QString(), g.widthLabel);
  auto* subscript = new QLabel(w);
  subscript->setObjectName(g.widthSubscript);
  subscript->setFont(SubscriptFontOf(w->font()));
  PlaceInLine(label, kWidthWords, subscript, /*subscript=*/true);
  auto* width = AddText(w, 0, y, QString(), g.width);
  width->move(kBlockX + label->fontMetrics().horizontalAdvance(kWidthLine + ' '), y);
  h.LineUnit(y, key + ".widthUnit", width);

  return h.Picture(g.spanPicture, Measure::Span, kSpanHeight);
}

GearPicture* BuildBalls(const Half& h) {
  const GearNames& g = h.names();
  h.Row(g.dt, 0, QStringLiteral("Průměr kuličky"), "d<sub>t" + h.n() + "</sub>");
  h.Row(g.dM, kRowPitch, QStringLiteral("Kontaktní průměr"), "d<sub>M" + h.n() + "</sub>");
  h.Row(g.M, 2 * kRowPitch, QStringLiteral("Rozměr"), "M<sub>" + h.n() + "</sub>");
  return h.Picture(g.ballPicture, Measure::Balls, kBallHeight);
}

// A group of both gears at `y`, with the line between the halves.
QGroupBox* Group(QWidget* tab, const char* name, int y, int contentHeight) {
  auto* group = new QGroupBox(tab);
  group->setObjectName(name);
  group->setGeometry(kMargin, y, kGroupWidth, kTitleHeight + contentHeight + kBottomMargin);
  auto* line = new QFrame(group);
  line->setObjectName(QStringLiteral("Part.") + name + ".separator");
  line->setFrameShape(QFrame::VLine);
  line->setFrameShadow(QFrame::Sunken);
  line->setGeometry(kSeparatorX, kTitleHeight, 3, contentHeight);
  return group;
}

QRect HalfRect(int gear, int height) {
  return {kHalfX[gear - 1], kTitleHeight, kHalfWidth, height};
}

// A half that is a plain container of the page's own.
QWidget* PlainHalf(QGroupBox* group, const QString& name, int gear, int height) {
  auto* half = new QWidget(group);
  half->setObjectName("Part." + name + QString::number(gear));
  half->setGeometry(HalfRect(gear, height));
  return half;
}

// The wheel's half that is a group of the form. It draws nothing: the line
// between the halves and the group around them show where it belongs.
class UnframedGroup : public QGroupBox {
 public:
  using QGroupBox::QGroupBox;

 protected:
  void paintEvent(QPaintEvent*) override {}
};

QWidget* GroupHalf(QGroupBox* group, const char* name, int height) {
  auto* half = new UnframedGroup(group);
  half->setObjectName(name);
  half->setGeometry(HalfRect(2, height));
  return half;
}

}  // namespace

MeasureTab::MeasureTab(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("MeasureTab"));
  // The positions are measured in the dialog's font, which the page has
  // before the dialog takes it.
  setFont(DialogFont());

  int y = kGroupY;
  QGroupBox* thickness = Group(this, "ThicknessGroup", y, kThicknessHeight);
  y += thickness->height() + kGroupGap;
  QGroupBox* span = Group(this, "SpanGroup", y, kSpanHeight);
  y += span->height() + kGroupGap;
  QGroupBox* balls = Group(this, "BallGroup", y, kBallHeight);

  QWidget* spanWheel = GroupHalf(span, "SpanGroup2", kSpanHeight);
  QWidget* ballWheel = GroupHalf(balls, "BallGroup2", kBallHeight);
  for (int gear = 1; gear <= 2; ++gear) {
    const bool wheel = gear == 2;
    // Each gear's options have a parent of their own: its modes exclude
    // each other, not the other gear's.
    const Half t(PlainHalf(thickness, "Thickness", gear, kThicknessHeight), gear);
    const Half s(wheel ? spanWheel : PlainHalf(span, "Span", gear, kSpanHeight), gear);
    const Half b(wheel ? ballWheel : PlainHalf(balls, "Balls", gear, kBallHeight), gear);
    BuildThickness(t);
    BuildSpan(s);
    BuildBalls(b);
  }
  // Whose half is whose; the wheel's name goes with the wheel's fields when
  // a rack takes its place.
  QFont bold = font();
  bold.setBold(true);
  const QString names[2] = {QStringLiteral("Pastorek"), QStringLiteral("Kolo")};
  for (int gear = 1; gear <= 2; ++gear) {
    auto* name = new QLabel(names[gear - 1], this);
    name->setObjectName("Text.gear" + QString::number(gear));
    name->setFont(bold);
    name->move(kMargin + kHalfX[gear - 1], 2);
    name->adjustSize();
    if (gear == 2) name->setBuddy(findChild<QLineEdit*>(kGears[1].sc));
  }
}

}  // namespace kolmira::gui
