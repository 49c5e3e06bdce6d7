#pragma once

#include "core/extended.h"

// Bisection for a zero of f between a and b (either order): true with the
// zero in *pX when f is 0 at an end or changes sign in between. At most 200
// halvings, down to an absolute width of 1e-18; a value that does not
// compare with 0 counts as 0.
template <class F> bool BisectZero(F&& f, Extended a, Extended b, Extended* pX) {
    Extended lo = a < b ? a : b;
    Extended hi = a < b ? b : a;
    const Extended yLo = f(lo);
    if (yLo == 0) {
        *pX = lo;
        return true;
    }
    const Extended yHi = f(hi);
    if (yHi == 0) {
        *pX = hi;
        return true;
    }
    if (!(lo < hi) || (yLo > 0 && yHi > 0) || (yLo < 0 && yHi < 0)) {
        return false;
    }
    Extended mid = lo;
    for (int i = 0; i < 200; ++i) {
        mid = (lo + hi) * 0.5L;
        if (hi - lo < 1e-18L) {
            break;
        }
        const Extended yMid = f(mid);
        if (yMid == 0) {
            break;
        }
        if ((yMid > 0 && yLo < 0) || (yMid < 0 && yLo > 0)) {
            hi = mid;
        } else {
            lo = mid;
        }
    }
    *pX = mid;
    return true;
}
