#include "carray.h"

#include "core/cassert.h"
#include "core/cleanupstack.h"
#include "core/errorcodes.h"
#include "expression/mathsupport.h"
#include "ui/cuserinterface.h"

#include <algorithm>

long long CArray::s_nLiveElements = 0;

CArray::CArray(bool bStatic) : _bStatic(bStatic) {
    AddInstance(CN_ARRAY);
}

CArray::~CArray() {
    FreeNumbers(_poElements);
    s_nLiveElements -= GetElementCount();
    RemoveInstance(CN_ARRAY);
}

std::uint8_t CArray::GetClassNumber() const {
    return CN_ARRAY;
}

long long CArray::GetElementCount() const {
    return _poElements ? static_cast<long long>(_nUpper) - _nLower + 1 : 0;
}

void CArray::Print(CUserInterface* pUI) const {
    OSTREL_ASSERT(pUI);
    PrintName(pUI);
    pUI->PrintText("(");
    pUI->PrintNumber(_nLower);
    pUI->PrintText(" To ");
    pUI->PrintNumber(_nUpper);
    pUI->PrintText(")");
}

void CArray::Dimension(const CString* pstrName, const int* pIndexLimits, int nDimensions) {
    OSTREL_ASSERT(pstrName && pIndexLimits);
    if (nDimensions != 1 || pIndexLimits[1] < pIndexLimits[0]) {
        RaiseError(ERR_ILLEGAL_ARRAY_DIMENSION);
    }
    // 64-bit arithmetic: the bounds span up to 2^32 elements.
    const long long nCount = static_cast<long long>(pIndexLimits[1]) - pIndexLimits[0] + 1;
    if (nCount > MAX_ELEMENTS - s_nLiveElements + GetElementCount()) {
        RaiseError(ERR_OUT_OF_MEMORY);
    }
    SetName(pstrName);
    Extended* poElements = AllocateNumbers(static_cast<std::size_t>(nCount));
    std::fill_n(poElements, nCount, Extended(0));
    s_nLiveElements += nCount - GetElementCount();
    FreeNumbers(_poElements);
    _poElements = poElements;
    _nLower = pIndexLimits[0];
    _nUpper = pIndexLimits[1];
}

void CArray::SetIndex(Extended index, int iDimension) {
    const int i = RoundToInt(index);
    if (iDimension != 1 || !IsInBounds(i)) {
        RaiseError(ERR_ILLEGAL_PARAMETER);
    }
    _nIndex = i;
}

Extended CArray::GetValue() {
    if (!IsInBounds(_nIndex)) {
        RaiseError(ERR_ILLEGAL_PARAMETER);
    }
    return _poElements[_nIndex - _nLower];
}

void CArray::SetValue(Extended value) {
    if (!IsInBounds(_nIndex)) {
        RaiseError(ERR_ILLEGAL_PARAMETER);
    }
    _poElements[_nIndex - _nLower] = value;
}

void CArray::Reset() {
    if (!_bStatic) {
        std::fill_n(_poElements, GetElementCount(), Extended(0));
    }
}
