#include "mathsupport.h"

#include "core/cleanupstack.h"
#include "core/errorcodes.h"

#include <cmath>

int RoundToInt(Extended value) {
    // Written so that a NaN, failing every comparison, is refused too.
    if (!(value >= -2147483648.5L && value <= 2147483647.5L)) {
        RaiseError(ERR_ILLEGAL_PARAMETER);
    }
    const Extended rounded = value > 0 ? std::floor(value + 0.5L) : std::ceil(value - 0.5L);
    if (rounded < -2147483648.0L || rounded > 2147483647.0L) {
        RaiseError(ERR_ILLEGAL_PARAMETER);
    }
    return static_cast<int>(rounded);
}
