#include "Style.h"

namespace kolmira::gui {

QFont DialogFont() {
  QFont font(QStringLiteral("Arial"));
  font.setPointSize(8);
  return font;
}

QColor GearTypeColour(GearType type) {
  switch (type) {
    case GearType::Internal:
      return QColor(0, 0, 255);
    case GearType::Bevel:
      return QColor(128, 0, 128);
    case GearType::External:
      break;
  }
  return QColor(255, 0, 0);
}

}  // namespace kolmira::gui
