// The identification tab's widgets and where they sit. The three method
// groups share one column layout -- captions and options, symbols, fields,
// units -- so that the same parameter stands in the same row of every
// group. The tooth count of the measured gear stands above each group's
// column of fields, on the line of "Naměřeno pro kolo z =".
#include "IdentTab.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <string>

#include "Layout.h"
#include "Style.h"
#include "TabLayout.h"

namespace kolmira::gui {

namespace {

// The lines above the groups.
constexpr int kMargin = 5;
constexpr int kMeasuredForY = 6;
constexpr int kDiameterY = kMeasuredForY + 18;

// The groups, side by side.
constexpr int kGroupGap = 3;
constexpr int kGroupY = kDiameterY + 22;
constexpr int kGroupWidth = (kTabPageSize.width() - 2 * kMargin - 2 * kGroupGap) / 3;

// Columns within a group: captions and options, symbols, fields, units
// ("[mm]" 5 pixels after its field).
constexpr int kLeft = 6;
constexpr int kOptionWidth = 82;
constexpr int kFieldX = 112;
constexpr int kFieldWidth = 66;
constexpr int kSymbolRight = kFieldX - 4;

// Rows within a group.
constexpr int kRowPitch = 28;
constexpr int kMeasuredY = 24;
constexpr int kHeadingY = kMeasuredY + 2 * kRowPitch + 6;
constexpr int kParameterY = kHeadingY + 18;
constexpr int kSolutionY = kParameterY + 4 * kRowPitch + 6;
constexpr int kLinePitch = 18;
constexpr int kGroupHeight = kSolutionY + 2 * kLinePitch + 6;

struct Measured {
  const char* field;
  const char* caption;
  const char* symbol;
  bool unit;
};

struct Method {
  const char* title;
  Measured measured[2];
  const char* teeth;
  int firstParameter;  // the number of its module's field
  const char* group;   // its options are "<group>=0" .. "<group>=3"
};

// clang-format off
const Method kMethods[3] = {
    {"Tloušťka zubu na tětivě",
     {{"Edit36", "Tloušťka", "s<sub>c</sub>", true}, {"Edit37", "Výška", "h<sub>c</sub>", true}},
     "Teeth1", 42, "RadioGroup1"},
    {"Míra přes zuby",
     {{"Edit38", "Počet zubů", "k", false}, {"Edit39", "Míra přes zuby", "W", true}},
     "Teeth2", 46, "RadioGroup2"},
    {"Rozměr přes kuličky",
     {{"Edit40", "Průměr kuličky", "D", true}, {"Edit41", "Rozměr", "M", true}},
     "Teeth3", 50, "RadioGroup3"},
};
// clang-format on

// The parameters in the order of the options: module, profile angle, helix
// angle, profile shift. An angle's text carries its degree sign.
struct Parameter {
  const char* symbol;
  bool unit;
};
const Parameter kParameters[4] = {
    {"m<sub>n</sub>", true}, {"α<sub>n</sub>", false}, {"β", false}, {"x", false}};

// The words of the form's lines before the blanks that the symbols fill.
const QString kDiameterWords = QStringLiteral("d");
const QString kDiameterLine = QStringLiteral("d   = 1234.567");

QLabel* AddText(QWidget* parent, int x, int y, const QString& text, const QString& name) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->move(x, y);
  label->adjustSize();
  return label;
}

// A field's row in a group: symbol, field, unit.
QLineEdit* Row(QWidget* group, const QString& field, int y, const QString& symbol, bool unit) {
  QLineEdit* edit = AddField(group, field, kFieldX, y, kFieldWidth);
  AddSymbolBefore(group, kSymbolRight, y, symbol, edit)->setObjectName("Text." + field + ".symbol");
  if (unit) AddUnit(group, edit, QStringLiteral("[mm]"))->setObjectName("Text." + field + ".unit");
  return edit;
}

// A line of a further profile angle of the span method, "2. řešení αn =
// ...": its symbol and subscript, controls of the form, stand in the blanks
// of the form's line.
void SolutionLine(QWidget* group, int number, int y) {
  const QString n = QString::number(number);
  auto* line = AddText(group, kLeft, y, QString(), "Solution" + n);
  const QString words = n + QStringLiteral(". řešení ");
  auto* symbol = new QLabel(QStringLiteral("α"), group);
  symbol->setObjectName("Solution" + n + "Symbol");
  PlaceInLine(line, words, symbol, /*subscript=*/false);
  auto* subscript = new QLabel(QStringLiteral("n"), group);
  subscript->setObjectName("Solution" + n + "Subscript");
  subscript->setFont(SubscriptFontOf(group->font()));
  PlaceInLine(line, words + symbol->text(), subscript, /*subscript=*/true);
}

}  // namespace

IdentTab::IdentTab(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("IdentTab"));
  // The positions are measured in the dialog's font, which the page has
  // before the dialog takes it.
  setFont(DialogFont());

  AddText(this, kMargin, kMeasuredForY, QString(), QStringLiteral("MeasuredFor"));
  // "d   = ..." with the subscript of the tip diameter in its blanks.
  auto* diameter = AddText(this, kMargin, kDiameterY, QString(), QStringLiteral("Diameter"));
  auto* sub = new QLabel(QStringLiteral("a"), this);
  sub->setObjectName(QStringLiteral("Text.diameterSubscript"));
  sub->setFont(SubscriptFontOf(font()));
  sub->setBuddy(diameter);
  PlaceInLine(diameter, kDiameterWords, sub, /*subscript=*/true);
  AddText(this, kMargin + fontMetrics().horizontalAdvance(kDiameterLine) + 5, kDiameterY,
          QStringLiteral("[mm]"), QStringLiteral("Text.diameterUnit"))
      ->setBuddy(diameter);

  for (int m = 0; m < 3; ++m) {
    const Method& method = kMethods[m];
    const int groupX = kMargin + m * (kGroupWidth + kGroupGap);
    // The group is the parent of its four options, which thus exclude each
    // other and no other group's.
    auto* group = new QGroupBox(QString::fromUtf8(method.title), this);
    group->setObjectName("Part.method" + QString::number(m + 1));
    group->setGeometry(groupX, kGroupY, kGroupWidth, kGroupHeight);

    AddText(this, groupX + kFieldX + 3, kMeasuredForY, QString(), method.teeth);

    for (int i = 0; i < 2; ++i) {
      const Measured& measured = method.measured[i];
      const QString field = measured.field;
      const int y = kMeasuredY + i * kRowPitch;
      QLineEdit* edit = Row(group, field, y, measured.symbol, measured.unit);
      AddCaption(group, kLeft, y, measured.caption, QString(), "Text." + field + ".caption")
          ->setBuddy(edit);
    }

    const QString key = "Text.method" + QString::number(m + 1);
    AddText(group, kLeft, kHeadingY, QStringLiteral("Vypočítat"), key + ".computed");
    AddText(group, kFieldX + 3, kHeadingY, QStringLiteral("Odhadnuto"), key + ".estimated");
    for (int k = 0; k < 4; ++k) {
      const int y = kParameterY + k * kRowPitch;
      auto* option = new QRadioButton(group);
      option->setObjectName(QString::fromUtf8(method.group) + "=" + QString::number(k));
      option->setGeometry(kLeft, y + 1, kOptionWidth, kFieldHeight - 2);
      Row(group, "Edit" + QString::number(method.firstParameter + k), y, kParameters[k].symbol,
          kParameters[k].unit);
    }
    if (m == 1) {
      SolutionLine(group, 2, kSolutionY);
      SolutionLine(group, 3, kSolutionY + kLinePitch);
    }
  }
}

}  // namespace kolmira::gui
