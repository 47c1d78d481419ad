// Small helpers that place the controls of a fixed-size dialog: a caption
// with its symbol and subscript, a field with its unit. Widgets that are
// controls of a form carry the control's name as objectName; the captions
// and units that belong to a field name it as their buddy, so they show and
// hide with it. Also the keys that the dialogs keep from Qt.
#pragma once

#include <QSize>
#include <QString>
#include <initializer_list>

class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace kolmira::gui {

inline constexpr int kFieldHeight = 21;

// A label at (x, y) with the given text and, when `subscript` is not empty,
// a smaller subscript label placed after the text's measured end.
QLabel* AddCaption(QWidget* parent, int x, int y, const QString& text,
                   const QString& subscript = QString(), const QString& name = QString());
// Moves the subscript label to the end of the text of `caption`.
void PlaceSubscript(const QLabel* caption, QLabel* subscript);
// An edit field named `name` at (x, y), `width` wide.
QLineEdit* AddField(QWidget* parent, const QString& name, int x, int y, int width = 80);
// A unit label right of a field; it shows and hides with it.
QLabel* AddUnit(QWidget* parent, QLineEdit* field, const QString& unit);
// Push buttons of one size named `names`, 6 pixels apart, in a row at `y`
// that ends at `right`.
void AddButtonRow(QWidget* parent, std::initializer_list<const char*> names, int right, QSize size,
                  int y);
// A push button named `name` with the UTF-8 `text`, never the default
// button: the forms decide what Return does.
QPushButton* AddButton(const char* name, const char* text, QWidget* parent);
// Escape, Return and Enter taken (true) before Qt's dialog would close or
// press its default button: the forms decide what these keys do.
bool TakeDialogKey(QKeyEvent* event);

}  // namespace kolmira::gui
