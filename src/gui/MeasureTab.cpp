#include "MeasureTab.h"
