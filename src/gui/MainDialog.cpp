#include "MainDialog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionTab>
#include <QStylePainter>
#include <QTabWidget>

#include "IdentTab.h"
#include "Layout.h"
#include "MeasureTab.h"
#include "Style.h"

namespace kolmira::gui {

// ---------------------------------------------------------------------------
// Tab captions

GearTabBar::GearTabBar(const GearPair& pair, QWidget* parent) : QTabBar(parent), pair_(pair) {}

QSize GearTabBar::tabSizeHint(int index) const {
  QSize size = QTabBar::tabSizeHint(index);
  QFont bold = font();
  bold.setBold(true);
  const int text = QFontMetrics(bold).horizontalAdvance(tabText(index));
  size.setWidth(text + 16);
  return size;
}

void GearTabBar::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  const QColor colour = GearTypeColour(pair_.gearType);
  for (int i = 0; i < count(); ++i) {
    if (!isTabVisible(i)) continue;
    QStyleOptionTab option;
    initStyleOption(&option, i);
    painter.drawControl(QStyle::CE_TabBarTabShape, option);
    QFont f = font();
    const bool active = i == currentIndex();
    f.setBold(active);
    f.setItalic(!active);
    painter.setFont(f);
    painter.setPen(colour);
    const QRect r = tabRect(i);
    const QFontMetrics fm(f);
    painter.drawText(r.left() + 6, r.top() + 3 + fm.ascent(), tabText(i));
  }
}

// ---------------------------------------------------------------------------
// The dialog

namespace {

QPushButton* AddButton(QWidget* parent, const char* name, int x, int y, int w, int h = 25) {
  auto* b = new QPushButton(parent);
  b->setObjectName(name);
  b->setGeometry(x, y, w, h);
  b->setAutoDefault(false);
  return b;
}

QRadioButton* AddOption(QWidget* parent, const char* name, int x, int y) {
  auto* o = new QRadioButton(parent);
  o->setObjectName(name);
  o->move(x, y);
  o->resize(o->sizeHint().width() + 40, 20);
  return o;
}

QGroupBox* AddGroup(QWidget* parent, const QString& title, int x, int y, int w, int h) {
  auto* g = new QGroupBox(title, parent);
  g->setGeometry(x, y, w, h);
  return g;
}

// A symbol with its subscript, as rich text.
QLabel* AddSymbol(QWidget* parent, int x, int y, const QString& html, QWidget* buddy) {
  auto* l = new QLabel(html, parent);
  l->setTextFormat(Qt::RichText);
  l->move(x, y + 2);
  l->adjustSize();
  l->setBuddy(buddy);
  return l;
}

// A row: caption, symbol, field, unit; captions and units show with the
// field.
QLineEdit* AddRow(QWidget* parent, int y, const QString& caption, const QString& symbol,
                  const char* field, int symbolX, int fieldX, const QString& unit = QString(),
                  int width = 80) {
  QLineEdit* edit = AddField(parent, field, fieldX, y, width);
  if (!caption.isEmpty()) AddCaption(parent, 8, y, caption)->setBuddy(edit);
  if (!symbol.isEmpty()) AddSymbol(parent, symbolX, y, symbol, edit);
  if (!unit.isEmpty()) AddUnit(parent, edit, unit);
  return edit;
}

// A page control whose tab bar draws the captions in the gear type's colour.
class GearTabs : public QTabWidget {
 public:
  GearTabs(const GearPair& pair, QWidget* parent) : QTabWidget(parent) {
    setTabBar(new GearTabBar(pair, this));
  }
};

void ColourOption(QWidget* option, GearType type) {
  QPalette p = option->palette();
  p.setColor(QPalette::WindowText, GearTypeColour(type));
  option->setPalette(p);
}

}  // namespace

MainDialog::MainDialog(const GearPair& pair, QWidget* parent) : QDialog(parent) {
  setObjectName("TPagesDlg");
  setFont(DialogFont());
  setFixedSize(kWidth, kHeight);
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  BuildTopStrip();
  tabs_ = new GearTabs(pair, this);
  tabs_->setGeometry(4, 34, kWidth - 8, 418);
  inputs_ = new QWidget;
  inputs_->setObjectName("PageInputs");
  measure_ = new MeasureTab;
  ident_ = new IdentTab;
  tabs_->addTab(inputs_, QString());
  tabs_->addTab(measure_, QString());
  tabs_->addTab(ident_, QString());
  BuildInputsPage();
  BuildBottomStrip();
}

void MainDialog::BuildTopStrip() {
  ColourOption(AddOption(this, "GearExternal", 12, 9), GearType::External);
  ColourOption(AddOption(this, "GearInternal", 110, 9), GearType::Internal);
  ColourOption(AddOption(this, "GearBevel", 208, 9), GearType::Bevel);
  AddButton(this, "FellowButton", 320, 5, 80);
}

void MainDialog::BuildInputsPage() {
  QWidget* page = inputs_;

  // "&Povinný vstup :" -- the symbol column is where the module label's
  // symbol stands.
  QGroupBox* basic = AddGroup(page, "&Povinný vstup :", 6, 4, 318, 152);
  const int symbolX = 8 + QFontMetrics(font()).horizontalAdvance("Normálný modul                ");
  constexpr int kFieldX = 196;
  {
    QLineEdit* mn = AddField(basic, "Edit1", kFieldX, 22, 80);
    QLabel* module = AddCaption(basic, 8, 22, QString(), QString(), "ModuleLabel");
    module->setBuddy(mn);
    auto* sub = new QLabel(basic);
    sub->setObjectName("ModuleSubscript");
    QFont f = font();
    f.setPointSizeF(f.pointSizeF() * 0.75);
    sub->setFont(f);
    sub->setProperty("kolmiraSubscriptOf", QVariant::fromValue<QObject*>(module));
    AddUnit(basic, mn, "[mm]");
    AddRow(basic, 47, "Počet zubů pastorku", "z<sub>1</sub>", "Edit2", symbolX, kFieldX);
    AddRow(basic, 72, "Počet zubů kola", "z<sub>2</sub>", "Edit3", symbolX, kFieldX);
    QLineEdit* beta = AddField(basic, "Edit4", kFieldX, 97, 80);
    AddCaption(basic, 8, 97, QString(), QString(), "HelixLabel")->setBuddy(beta);
    AddUnit(basic, beta, "[°]");
    AddRow(basic, 122, "Šířka ozubení", "b", "Edit5", symbolX, kFieldX, "[mm]");
  }

  // "Výpoče&tní vstup :"
  QGroupBox* computed = AddGroup(page, "Výpoče&tní vstup :", 330, 4, 324, 206);
  {
    constexpr int kSym = 140, kField = 180;
    AddRow(computed, 22, "Součet korekcí", "x<sub>1</sub>+x<sub>2</sub>", "Edit6", kSym - 18,
           kField, QString(), 90);
    AddRow(computed, 47, "Korekce pastorku", "x<sub>1</sub>", "Edit7", kSym, kField, QString(), 90);
    AddRow(computed, 72, "Korekce kola", "x<sub>2</sub>", "Edit8", kSym, kField, QString(), 90);
    QLineEdit* aw = AddRow(computed, 97, "Osová vzdálenost", "a<sub>w</sub>", "Edit9", kSym, kField,
                           QString(), 90);
    auto* keep = new QCheckBox(computed);
    keep->setObjectName("KeepShifts");
    keep->setToolTip("Držet korekce: osová vzdálenost se dosáhne změnou sklonu zubů");
    keep->move(aw->x() + aw->width() + 8, aw->y() + 2);
    keep->resize(20, 18);
    AddRow(computed, 122, "Valivý úhel záběru", "α<sub>wt</sub>", "Edit10", kSym, kField, "[°]",
           90);
    AddRow(computed, 147, "Boční vůle", "j<sub>n</sub>", "Edit21", kSym, kField, "[mm]", 90);
    AddButton(computed, "ZeroButton", 8, 175, 70);
    AddButton(computed, "DistributeButton", 84, 175, 120);
    AddButton(computed, "BalanceButton", 210, 175, 90);
  }

  // "&Základní profil :" -- the pinion's and the wheel's coefficients side
  // by side.
  QGroupBox* rack = AddGroup(page, "&Základní profil :", 6, 160, 318, 226);
  {
    constexpr int kSym = 112, kField1 = 160, kField2 = 236;
    AddCaption(rack, kField1 + 4, 16, "pastorek");
    AddCaption(rack, kField2 + 4, 16, "kolo");
    AddRow(rack, 36, "Výška hlavy", "h<sub>aP</sub><sup>*</sup>", "Edit11", kSym, kField1,
           QString(), 66);
    AddField(rack, "Edit12", kField2, 36, 66);
    AddRow(rack, 61, "Hlavová vůle", "c<sub>P</sub><sup>*</sup>", "Edit13", kSym, kField1,
           QString(), 66);
    AddField(rack, "Edit14", kField2, 61, 66);
    AddRow(rack, 86, "Rádius paty", "ρ<sub>fP</sub><sup>*</sup>", "Edit15", kSym, kField1,
           QString(), 66);
    AddField(rack, "Edit16", kField2, 86, 66);
    AddRow(rack, 111, "Úhel profilu", "α<sub>P</sub>", "Edit17", kSym, kField1, "[°]", 66);
    auto* choice = new QWidget(rack);
    choice->setGeometry(4, 140, 200, 24);
    AddOption(choice, "Standard", 4, 2);
    AddOption(choice, "NonStandard", 96, 2);
    auto* circular = new QCheckBox(rack);
    circular->setObjectName("CircularRoot");
    circular->setGeometry(204, 142, 110, 20);
    AddButton(rack, "ToolsButton", 8, 180, 100);
  }

  // "N&epovinný vstup :" and, outside it, the shaft angle of a bevel pair.
  QGroupBox* tips = AddGroup(page, "N&epovinný vstup :", 330, 214, 324, 108);
  tips->setObjectName("TipDiameterGroup");
  {
    QLabel* tip2 = AddCaption(tips, 8, 47, QString(), QString(), "TipDiameter2Label");
    const int tipSymbolX =
        8 + QFontMetrics(font()).horizontalAdvance("Hlavový průměr kola                  ");
    AddRow(tips, 22, "Hlavový průměr pastorku", "d<sub>a1</sub>", "Edit18", tipSymbolX, 180, "[mm]",
           90);
    QLineEdit* da2 = AddField(tips, "Edit19", 180, 47, 90);
    tip2->setBuddy(da2);
    auto* sub = new QLabel("a2", tips);
    QFont f = font();
    f.setPointSizeF(f.pointSizeF() * 0.75);
    sub->setFont(f);
    sub->setProperty("kolmiraSubscriptOf", QVariant::fromValue<QObject*>(tip2));
    AddUnit(tips, da2, "[mm]");
    AddButton(tips, "ComputedTipsButton", 8, 76, 200);
  }
  AddRow(page, 330, QString(), QString(), "Edit20", 0, 510, "[°]", 90);
  QLineEdit* sigma = page->findChild<QLineEdit*>("Edit20");
  AddCaption(page, 338, 330, "Úhel os soukolí")->setBuddy(sigma);
  AddSymbol(page, 470, 330, "Σ", sigma);
}

void MainDialog::BuildBottomStrip() {
  constexpr int kY = 462;
  AddButton(this, "CheckButton", 6, kY, 186, 30);
  QGroupBox* angles = AddGroup(this, QString(), 198, kY - 6, 112, 36);
  angles->setObjectName("DecDmsGroup");
  AddOption(angles, "Dec", 8, 10)->resize(50, 20);
  AddOption(angles, "Dms", 58, 10)->resize(50, 20);
  AddButton(this, "SaveButton", 316, kY, 100, 30);
  AddButton(this, "LoadButton", 420, kY, 100, 30);
  AddButton(this, "HelpButton", 524, kY, 50, 30);
  AddButton(this, "QuitButton", 580, kY, 85, 30);
}

void MainDialog::keyPressEvent(QKeyEvent* event) {
  if (!TakeDialogKey(event)) QDialog::keyPressEvent(event);
}

}  // namespace kolmira::gui
