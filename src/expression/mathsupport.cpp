#include "mathsupport.h"

#include "core/cassert.h"
#include "core/cleanupstack.h"
#include "core/errorcodes.h"

#include <cfenv>
#include <cmath>

namespace {

int g_nPendingMathError = 0;

constexpr int WATCHED_FLAGS = FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW | FE_UNDERFLOW;

void BeginRoutine() {
    std::feclearexcept(WATCHED_FLAGS);
}

// Reads what the routine left in the flags, the most telling category first.
Extended EndRoutine(Extended result) {
    const int flags = std::fetestexcept(WATCHED_FLAGS);
    if (flags & FE_INVALID) {
        RecordMathError(EMathError::Domain);
    } else if (flags & FE_DIVBYZERO) {
        RecordMathError(EMathError::Singularity);
    } else if (flags & FE_OVERFLOW) {
        RecordMathError(EMathError::Overflow);
    } else if ((flags & FE_UNDERFLOW) && result == 0) {
        RecordMathError(EMathError::Underflow);
    }
    return result;
}

int CodeOf(EMathError category) {
    switch (category) {
    case EMathError::Domain:
        return ERR_ILLEGAL_PARAMETER;
    case EMathError::Singularity:
        return ERR_SINGULARITY;
    case EMathError::Overflow:
        return ERR_OVERFLOW;
    case EMathError::Underflow:
        return ERR_UNDERFLOW;
    case EMathError::PrecisionLoss:
        return ERR_PRECISION_LOSS;
    case EMathError::Other:
        break;
    }
    return ERR_MATH_OTHER;
}

} // namespace

int RoundToInt(Extended value, int nErrorCode) {
    // Written so that a NaN, failing every comparison, is refused too.
    if (!(value >= -2147483648.5L && value <= 2147483647.5L)) {
        RaiseError(nErrorCode);
    }
    const Extended rounded = value > 0 ? std::floor(value + 0.5L) : std::ceil(value - 0.5L);
    if (rounded < -2147483648.0L || rounded > 2147483647.0L) {
        RaiseError(nErrorCode);
    }
    return static_cast<int>(rounded);
}

int RoundToInt(Extended value) {
    return RoundToInt(value, ERR_ILLEGAL_PARAMETER);
}

void ClearMathError() {
    g_nPendingMathError = 0;
}

int TakeMathError() {
    const int nCode = g_nPendingMathError;
    g_nPendingMathError = 0;
    return nCode;
}

void RecordMathError(EMathError category) {
    g_nPendingMathError = CodeOf(category);
}

void RaisePendingMathError() {
    const int nCode = TakeMathError();
    if (nCode != 0) {
        RaiseError(nCode);
    }
}

Extended CallMathRoutine(MathRoutine1 pRoutine, Extended x) {
    OSTREL_ASSERT(pRoutine);
    BeginRoutine();
    return EndRoutine(pRoutine(x));
}

Extended CallMathRoutine(MathRoutine2 pRoutine, Extended x, Extended y) {
    OSTREL_ASSERT(pRoutine);
    BeginRoutine();
    return EndRoutine(pRoutine(x, y));
}

Extended CallTrigRoutine(MathRoutine1 pRoutine, Extended x) {
    if (!std::isfinite(x)) {
        return CallMathRoutine(pRoutine, x);
    }
    if (std::fabs(x) > TRIG_ARGUMENT_LIMIT) {
        RecordMathError(EMathError::PrecisionLoss);
        return 0;
    }
    // A finite argument in range leaves nothing in the flags that would
    // count (an underflow only with a result that is not 0), and clearing
    // the x87 flags costs more than the sine itself.
    OSTREL_ASSERT(pRoutine);
    return pRoutine(x);
}

Extended CheckedPow(Extended base, Extended exponent) {
    return GuardedMath([=] { return CallMathRoutine(::powl, base, exponent); });
}
