#include "Layout.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace kolmira::gui {

namespace {

QFont SubscriptFont(const QFont& base) {
  QFont f = base;
  f.setPointSizeF(base.pointSizeF() * 0.75);
  return f;
}

}  // namespace

QLabel* AddCaption(QWidget* parent, int x, int y, const QString& text, const QString& subscript,
                   const QString& name) {
  auto* caption = new QLabel(text, parent);
  if (!name.isEmpty()) caption->setObjectName(name);
  caption->move(x, y + 3);
  caption->adjustSize();
  if (!subscript.isEmpty()) {
    auto* sub = new QLabel(subscript, parent);
    sub->setFont(SubscriptFont(caption->font()));
    sub->setProperty("kolmiraSubscriptOf", QVariant::fromValue<QObject*>(caption));
    PlaceSubscript(caption, sub);
  }
  return caption;
}

void PlaceSubscript(const QLabel* caption, QLabel* subscript) {
  const QFontMetrics fm(caption->font());
  const QFontMetrics sub(subscript->font());
  subscript->adjustSize();
  // The subscript's baseline a third of an x-height below the caption's.
  const int baseline = caption->y() + fm.ascent() + fm.xHeight() / 3;
  subscript->move(caption->x() + fm.horizontalAdvance(caption->text()), baseline - sub.ascent());
}

QLineEdit* AddField(QWidget* parent, const QString& name, int x, int y, int width) {
  auto* field = new QLineEdit(parent);
  field->setObjectName(name);
  field->setGeometry(x, y, width, kFieldHeight);
  return field;
}

QLabel* AddUnit(QWidget* parent, QLineEdit* field, const QString& unit) {
  auto* label = new QLabel(unit, parent);
  label->move(field->x() + field->width() + 5, field->y() + 3);
  label->adjustSize();
  label->setBuddy(field);
  return label;
}

void AddButtonRow(QWidget* parent, std::initializer_list<const char*> names, int right, QSize size,
                  int y) {
  constexpr int kGap = 6;
  int x = right - static_cast<int>(names.size()) * (size.width() + kGap) + kGap;
  for (const char* name : names) {
    auto* button = new QPushButton(parent);
    button->setObjectName(name);
    button->setGeometry(QRect(QPoint(x, y), size));
    x += size.width() + kGap;
  }
}

bool TakeDialogKey(QKeyEvent* event) {
  const int key = event->key();
  if (key != Qt::Key_Escape && key != Qt::Key_Return && key != Qt::Key_Enter) return false;
  event->accept();
  return true;
}

QPushButton* AddButton(const char* name, const char* text, QWidget* parent) {
  auto* button = new QPushButton(QString::fromUtf8(text), parent);
  button->setObjectName(QLatin1String(name));
  button->setAutoDefault(false);
  return button;
}

}  // namespace kolmira::gui
