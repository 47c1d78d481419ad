#include "IdentTab.h"
