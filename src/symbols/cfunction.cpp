#include "cfunction.h"

#include "cnamedconstant.h"
#include "core/cassert.h"
#include "core/cleanupstack.h"
#include "core/errorcodes.h"

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

bool CFunction::FindZero(Extended a, Extended b, Extended* pX) {
    OSTREL_ASSERT(pX);
    if (_nParam != 1) {
        RaiseError(ERR_ONE_VARIABLE_FUNCTION);
    }
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
