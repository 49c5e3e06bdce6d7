#include "cfunction.h"

#include "cnamedconstant.h"
#include "core/cassert.h"
#include "core/cleanupstack.h"
#include "core/errorcodes.h"

namespace {

// 2 - phi: a golden-section probe stands this share of the larger side
// away from the best point, so every bracket keeps the golden ratio.
constexpr Extended GOLDEN_SHARE = 0.381966011250105151795413165634361883L;
// Every probe leaves 0.618 of the bracket: some 90 probes narrow two grid
// steps to the last digits of x, except near 0, where the numbers grow ever
// denser and the bound ends the search.
constexpr int MAX_EXTREMUM_STEPS = 200;

} // namespace

CFunction::CFunction(CProgram* pProg) : _pProg(pProg) {
    AddInstance(CN_FUNCTION);
}

CFunction::~CFunction() {
    delete _pollParams;
    delete _pollLocalVariables;
    delete _pollLocalArrays;
    delete _pollLocalConstants;
    RemoveInstance(CN_FUNCTION);
}

std::uint8_t CFunction::GetClassNumber() const {
    return CN_FUNCTION;
}

void CFunction::Init(const CString* pstrName, bool bSubroutine) {
    if (pstrName) {
        SetName(pstrName);
    }
    _bSubroutine = bSubroutine;
    _pollParams = new CLinkedList<CNamedNumeric>;
    _pollLocalVariables = new CLinkedList<CNamedNumeric>;
    _pollLocalArrays = new CLinkedList<CNamedNumeric>;
    _pollLocalConstants = new CLinkedList<CNamedNumeric>;
}

void CFunction::BeforeCall() {}

void CFunction::ResetParamCursor() {
    _pollParams->GoToStart();
    _iParamCursor = 1;
}

void CFunction::SetParam(Extended value, int iParam) {
    OSTREL_ASSERT(_pollParams);
    OSTREL_ASSERT(iParam >= 1 && iParam <= _nParam);
    if (_iParamCursor == 0) {
        ResetParamCursor();
    }
    for (; _iParamCursor < iParam; ++_iParamCursor) {
        _pollParams->GoToNext();
    }
    for (; _iParamCursor > iParam; --_iParamCursor) {
        _pollParams->GoToPrevious();
    }
    static_cast<CVariable*>(_pollParams->GetCurrent())->SetValue(value);
}

Extended CFunction::ValueAt(Extended x) {
    ResetParamCursor();
    SetParam(x, 1);
    return GetValue();
}

void CFunction::RequireOneParameter() const {
    if (_nParam != 1) {
        RaiseError(ERR_ONE_VARIABLE_FUNCTION);
    }
}

bool CFunction::FindZero(Extended a, Extended b, Extended* pX) {
    OSTREL_ASSERT(pX);
    RequireOneParameter();
    Extended lo = a < b ? a : b;
    Extended hi = a < b ? b : a;
    const Extended yLo = ValueAt(lo);
    if (yLo == 0) {
        *pX = lo;
        return true;
    }
    const Extended yHi = ValueAt(hi);
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
        const Extended yMid = ValueAt(mid);
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

void CFunction::FindExtremum(Extended a, Extended b, bool bMaximum, Extended* pX, Extended* pY) {
    OSTREL_ASSERT(pX && pY);
    RequireOneParameter();
    const auto isBetter = [bMaximum](Extended y, Extended yBest) {
        return bMaximum ? y > yBest : y < yBest;
    };
    Extended lo = a < b ? a : b;
    Extended hi = a < b ? b : a;
    // x is the best point probed so far and stays inside [lo, hi].
    Extended x = lo + (hi - lo) * GOLDEN_SHARE;
    Extended y = ValueAt(x);
    for (int i = 0; i < MAX_EXTREMUM_STEPS; ++i) {
        const bool bUpper = hi - x > x - lo;
        const Extended u = bUpper ? x + (hi - x) * GOLDEN_SHARE : x - (x - lo) * GOLDEN_SHARE;
        if (!(lo < u && u < hi) || u == x) {
            // The bracket no longer shrinks.
            break;
        }
        const Extended yU = ValueAt(u);
        if (isBetter(yU, y)) {
            // The side beyond the old best drops.
            (bUpper ? lo : hi) = x;
            x = u;
            y = yU;
        } else {
            (bUpper ? hi : lo) = u;
        }
    }
    *pX = x;
    *pY = y;
}
