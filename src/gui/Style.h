// The program's look shared by its windows: the dialog font and the colour
// of each gear type (its option in the main dialog, the tab captions).
#pragma once

#include <QColor>
#include <QFont>

#include "model/GearPair.h"

namespace kolmira::gui {

// Arial is the program's face; fontconfig gives Liberation Sans, which has
// Arial's metrics, where Arial itself is missing.
QFont DialogFont();
QColor GearTypeColour(GearType type);

}  // namespace kolmira::gui
