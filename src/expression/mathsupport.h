#pragma once

#include "core/extended.h"

// Rounds half away from zero to a 32-bit integer; a value outside that range,
// or not a number, raises "Illegal parameter value in function call.".
int RoundToInt(Extended value);
