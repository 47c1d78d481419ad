#include "PlainFormDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "Style.h"
#include "forms/Form.h"

namespace kolmira::gui {

PlainFormDialog::PlainFormDialog(const Form& form, const QString& title, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(title);
  setFont(DialogFont());
  auto* grid = new QGridLayout(this);
  auto* buttons = new QHBoxLayout;
  int row = 0;
  for (int i = 1; i < form.ControlCount(); ++i) {
    const ControlInfo& info = form.Info(i);
    const QString name = QString::fromUtf8(info.name.data(), static_cast<int>(info.name.size()));
    QWidget* w = nullptr;
    switch (info.kind) {
      case ControlKind::Field: {
        const std::string_view alias = info.aliases.substr(0, info.aliases.find('|'));
        auto* caption = new QLabel(QString::fromUtf8(alias.data(), static_cast<int>(alias.size())));
        w = new QLineEdit;
        caption->setBuddy(w);
        grid->addWidget(caption, row, 0);
        grid->addWidget(w, row++, 1);
        break;
      }
      case ControlKind::Option:
        w = new QRadioButton;
        grid->addWidget(w, row++, 0, 1, 2);
        break;
      case ControlKind::CheckBox:
        w = new QCheckBox;
        grid->addWidget(w, row++, 0, 1, 2);
        break;
      case ControlKind::Label:
        w = new QLabel;
        grid->addWidget(w, row++, 0, 1, 2);
        break;
      case ControlKind::Button: {
        auto* b = new QPushButton;
        b->setAutoDefault(false);
        buttons->addWidget(b);
        w = b;
        break;
      }
      case ControlKind::Group:
      case ControlKind::Tab:
      case ControlKind::Picture:
        break;
    }
    if (w != nullptr) w->setObjectName(name);
  }
  grid->addLayout(buttons, row, 0, 1, 2);
  grid->setSizeConstraint(QLayout::SetFixedSize);
}

void PlainFormDialog::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace kolmira::gui
