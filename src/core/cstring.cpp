#include "cstring.h"

#include "cassert.h"
#include "cleanupstack.h"
#include "ui/cuserinterface.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

char Upper(char ch) {
    return static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
}

bool SameChar(char a, char b, bool bIgnoreCase) {
    return bIgnoreCase ? Upper(a) == Upper(b) : a == b;
}

// Digits with at most one point, accumulated and then scaled by 0.1 per
// decimal; the values of plain numerals depend on exactly this order.
bool ConvertMantissa(const char* pch, int nCount, Extended* pValue) {
    Extended value = 0;
    bool bPoint = false;
    int nDecimals = 0;
    for (int i = 0; i < nCount; ++i) {
        const char ch = pch[i];
        if (ch == '.') {
            if (bPoint) {
                return false;
            }
            bPoint = true;
        } else if (IsDigit(ch)) {
            value = value * 10 + (ch - '0');
            nDecimals += bPoint ? 1 : 0;
        } else {
            return false;
        }
    }
    for (int i = 0; i < nDecimals; ++i) {
        value *= 0.1L;
    }
    *pValue = value;
    return true;
}

// Beyond this every nonzero mantissa has left the extended range, so longer
// exponents stop counting here instead of overflowing the int.
constexpr int EXPONENT_LIMIT = 100000;

// An optional sign and at least one digit.
bool ConvertExponent(const char* pch, int nCount, int* pnExponent) {
    const bool bNegative = nCount > 0 && pch[0] == '-';
    const int iFirstDigit = nCount > 0 && (pch[0] == '-' || pch[0] == '+') ? 1 : 0;
    if (iFirstDigit >= nCount) {
        return false;
    }
    int nExponent = 0;
    for (int i = iFirstDigit; i < nCount; ++i) {
        if (!IsDigit(pch[i])) {
            return false;
        }
        nExponent = std::min(nExponent * 10 + (pch[i] - '0'), EXPONENT_LIMIT);
    }
    *pnExponent = bNegative ? -nExponent : nExponent;
    return true;
}

// 10^27 is the largest power of ten whose 64 mantissa bits hold it exactly.
constexpr int LARGEST_EXACT_POWER = 27;
// A power of ten that stays well inside the extended range (10^4932).
constexpr int LARGEST_STEP_POWER = 4096;

Extended PowerOfTen(int n) {
    OSTREL_ASSERT(n >= 0 && n <= LARGEST_STEP_POWER);
    if (n > LARGEST_EXACT_POWER) {
        return std::pow(10.0L, static_cast<Extended>(n));
    }
    Extended power = 1;
    for (int i = 0; i < n; ++i) {
        power *= 10;
    }
    return power;
}

// value x 10^nExponent. Up to 10^27 the power is exact and the result is
// rounded once. Larger exponents go in steps, so that a mantissa far from 1
// still reaches a result near the range's ends or a subnormal one; beyond
// the range the result is infinite or 0, as an overflowing literal is.
Extended ScaleByPowerOfTen(Extended value, int nExponent) {
    int nLeft = std::abs(nExponent);
    while (nLeft > 0 && value != 0 && std::isfinite(value)) {
        const int nStep = std::min(nLeft, LARGEST_STEP_POWER);
        const Extended power = PowerOfTen(nStep);
        value = nExponent > 0 ? value * power : value / power;
        nLeft -= nStep;
    }
    return value;
}

} // namespace

CString::CString() {
    AddInstance(CN_STRING);
}

CString::~CString() {
    FreeBuffer(_poCh);
    RemoveInstance(CN_STRING, _nCounterOffset);
}

std::uint8_t CString::GetClassNumber() const {
    return CN_STRING;
}

void CString::SetCounterOffset(int nOffset) {
    RemoveInstance(CN_STRING, _nCounterOffset);
    _nCounterOffset = nOffset;
    AddInstance(CN_STRING, _nCounterOffset);
}

void CString::Assign(const char* pch, int nCount) {
    char* poNew = AllocateBuffer(static_cast<std::size_t>(nCount) + 1);
    if (nCount > 0) {
        std::memcpy(poNew, pch, static_cast<std::size_t>(nCount));
    }
    poNew[nCount] = '\0';
    TakeBuffer(poNew, nCount);
}

void CString::TakeBuffer(char* poNew, int nLength) {
    FreeBuffer(_poCh);
    _poCh = poNew;
    _length = nLength;
    Changed();
}

void CString::Set(const char* pch, int nCount) {
    if (!pch || nCount < 1) {
        Assign("", 0);
        return;
    }
    Assign(pch, nCount);
}

void CString::Set(const char* pch) {
    if (!pch) {
        Assign("", 0);
        return;
    }
    Assign(pch, static_cast<int>(std::strlen(pch)));
}

char CString::GetAt(int i) const {
    OSTREL_ASSERT(i >= 1 && i <= _length);
    return _poCh[i - 1];
}

int CString::ComputeHash() const {
    std::uint32_t nHash = 0;
    for (int i = 0; i < _length; ++i) {
        nHash = (nHash << 8) + static_cast<std::uint32_t>(static_cast<signed char>(_poCh[i]));
    }
    _nHash = static_cast<int>(nHash);
    _bHashValid = true;
    return _nHash;
}

void CString::Print(CUserInterface* pUI) const {
    OSTREL_ASSERT(pUI);
    pUI->PrintText(_poCh);
}

bool CString::Compare(const char* pchOther, bool bIgnoreCase) const {
    OSTREL_ASSERT(pchOther);
    for (int i = 0; i < _length; ++i) {
        if (pchOther[i] == '\0' || !SameChar(_poCh[i], pchOther[i], bIgnoreCase)) {
            return false;
        }
    }
    return pchOther[_length] == '\0';
}

bool CString::Compare(const CString* pstrOther, bool bIgnoreCase) const {
    OSTREL_ASSERT(pstrOther);
    if (!bIgnoreCase && GetHash() != pstrOther->GetHash()) {
        return false;
    }
    return _length == pstrOther->_length &&
           Compare(pstrOther->_poCh ? pstrOther->_poCh : "", bIgnoreCase);
}

bool CString::StartsWith(const char* pchOther, int length, bool bIgnoreCase) const {
    OSTREL_ASSERT(pchOther && _poCh);
    OSTREL_ASSERT(length > 0);
    if (_length < length) {
        return false;
    }
    for (int i = 0; i < length; ++i) {
        if (!SameChar(_poCh[i], pchOther[i], bIgnoreCase)) {
            return false;
        }
    }
    return true;
}

bool CString::StartsWith(const CString* pstrOther, bool bIgnoreCase) const {
    OSTREL_ASSERT(pstrOther);
    return StartsWith(pstrOther->GetData(), pstrOther->GetLength(), bIgnoreCase);
}

int CString::FindOneOf(const char* pchWhatToLookFor, int iChStart) const {
    OSTREL_ASSERT(pchWhatToLookFor);
    OSTREL_ASSERT(iChStart >= 1 && iChStart <= _length);
    for (int i = iChStart; i <= _length; ++i) {
        if (std::strchr(pchWhatToLookFor, _poCh[i - 1]) && _poCh[i - 1] != '\0') {
            return i;
        }
    }
    return 0;
}

int CString::FindChar(char ch, int iChStart) const {
    if (_length == 0) {
        return 0;
    }
    OSTREL_ASSERT(iChStart >= 1 && iChStart <= _length);
    for (int i = iChStart; i <= _length; ++i) {
        if (_poCh[i - 1] == ch) {
            return i;
        }
    }
    return 0;
}

int CString::Find(const char* pchWhatToLookFor, int nLength, bool bIgnoreCase) const {
    OSTREL_ASSERT(pchWhatToLookFor);
    if (_length == 0 || nLength <= 0 || nLength > _length) {
        return 0;
    }
    if (!bIgnoreCase) {
        // Cheap rejection: a pattern character absent from the text.
        for (int k = 0; k < nLength; ++k) {
            if (!std::memchr(_poCh, pchWhatToLookFor[k], static_cast<std::size_t>(_length))) {
                return 0;
            }
        }
    }
    for (int i = 0; i <= _length - nLength; ++i) {
        int k = 0;
        while (k < nLength && SameChar(_poCh[i + k], pchWhatToLookFor[k], bIgnoreCase)) {
            ++k;
        }
        if (k == nLength) {
            return i + 1;
        }
    }
    return 0;
}

template <class F> int CString::FindOutsideWhere(int iChStart, F isWanted) const {
    int nQuotes = 0;
    int nDepth = 0;
    for (int i = iChStart; i <= _length; ++i) {
        const char ch = _poCh[i - 1];
        if (ch == '"') {
            ++nQuotes;
        }
        if (nQuotes % 2 != 0) {
            continue;
        }
        if (ch == '(') {
            ++nDepth;
        } else if (ch == ')') {
            --nDepth;
        } else if (nDepth == 0 && isWanted(i)) {
            return i;
        }
    }
    return 0;
}

int CString::FindSeparator(int iChStart, char chSep, int nChSepWanted) const {
    OSTREL_ASSERT(iChStart >= 1 && iChStart <= _length && nChSepWanted > 0 && chSep);
    int nSeparators = 0;
    return FindOutsideWhere(
        iChStart, [&](int i) { return _poCh[i - 1] == chSep && ++nSeparators == nChSepWanted; });
}

int CString::FindOutside(const char* pch, int nLength, int iChStart) const {
    OSTREL_ASSERT(pch && nLength > 0 && iChStart >= 1);
    return FindOutsideWhere(iChStart, [&](int i) {
        return i + nLength - 1 <= _length &&
               std::memcmp(_poCh + i - 1, pch, static_cast<std::size_t>(nLength)) == 0;
    });
}

bool CString::IsValidName() const {
    if (_length < 1 || _length > 255) {
        return false;
    }
    if (_poCh[0] != '_' && !IsAsciiLetter(_poCh[0])) {
        return false;
    }
    for (int i = 1; i < _length; ++i) {
        const char ch = _poCh[i];
        if (ch != '_' && !IsAsciiLetter(ch) && !IsDigit(ch)) {
            return false;
        }
    }
    return true;
}

CString* CString::Mid(int iChStart, int nCount, EMidMode mode) const {
    auto* poPiece = new CString;
    CleanupStack::PushObject(poPiece);
    if (!_poCh || nCount < 1 || iChStart < 1 || iChStart > _length) {
        poPiece->Set("");
        CleanupStack::Pop();
        return poPiece;
    }
    if (nCount > _length - iChStart + 1) {
        nCount = _length - iChStart + 1;
    }
    const char* pchFirst = _poCh + iChStart - 1;
    const char* pchEnd = pchFirst + nCount;
    if (mode == Trimmed) {
        while (pchFirst < pchEnd && IsBlank(*pchFirst)) {
            ++pchFirst;
        }
        while (pchEnd > pchFirst && IsBlank(pchEnd[-1])) {
            --pchEnd;
        }
    }
    poPiece->Set(pchFirst, static_cast<int>(pchEnd - pchFirst));
    if (mode == NoBlanks) {
        poPiece->RemoveBlanks();
    }
    CleanupStack::Pop();
    return poPiece;
}

CString* CString::MidToEnd(int iChStart, EMidMode mode) const {
    return Mid(iChStart, _length - iChStart + 1, mode);
}

void CString::ToUpperOutsideQuotes() {
    int nQuotes = 0;
    for (int i = 0; i < _length; ++i) {
        if (_poCh[i] == '"') {
            ++nQuotes;
        }
        if (nQuotes % 2 == 0) {
            _poCh[i] = Upper(_poCh[i]);
        }
    }
    Changed();
}

void CString::Trim() {
    int iFirst = 0;
    while (iFirst < _length && IsBlank(_poCh[iFirst])) {
        ++iFirst;
    }
    if (iFirst == _length) {
        return; // empty, or blanks only: left as it is
    }
    int iLast = _length - 1;
    while (IsBlank(_poCh[iLast])) {
        --iLast;
    }
    _length = iLast - iFirst + 1;
    std::memmove(_poCh, _poCh + iFirst, static_cast<std::size_t>(_length));
    _poCh[_length] = '\0';
    Changed();
}

void CString::RemoveBlanks() {
    int nKept = 0;
    for (int i = 0; i < _length; ++i) {
        if (!IsBlank(_poCh[i])) {
            _poCh[nKept++] = _poCh[i];
        }
    }
    _length = nKept;
    if (_poCh) {
        _poCh[_length] = '\0';
    }
    Changed();
}

void CString::DeleteLeft(int nCount) {
    if (nCount < 1 || _length == 0) {
        return;
    }
    if (nCount > _length) {
        nCount = _length;
    }
    _length -= nCount;
    std::memmove(_poCh, _poCh + nCount, static_cast<std::size_t>(_length) + 1);
    Changed();
}

void CString::DeleteRight(int nCount) {
    if (nCount < 1 || _length == 0) {
        return;
    }
    _length = nCount >= _length ? 0 : _length - nCount;
    _poCh[_length] = '\0';
    Changed();
}

void CString::Insert(const char* pch, int nCount, EInsertPlace place) {
    if (!pch || nCount < 1) {
        return;
    }
    const int nNewLength = _length + nCount;
    char* poNew = AllocateBuffer(static_cast<std::size_t>(nNewLength) + 1);
    char* pchOld = poNew + (place == Prepend ? nCount : 0);
    char* pchAdded = poNew + (place == Prepend ? 0 : _length);
    if (_length > 0) {
        std::memcpy(pchOld, _poCh, static_cast<std::size_t>(_length));
    }
    std::memcpy(pchAdded, pch, static_cast<std::size_t>(nCount));
    poNew[nNewLength] = '\0';
    TakeBuffer(poNew, nNewLength);
}

void CString::Insert(const CString* pstrOther, EInsertPlace place) {
    if (!pstrOther) {
        return;
    }
    Insert(pstrOther->GetData(), pstrOther->GetLength(), place);
}

void CString::Overwrite(int iChStart, const char* pchNewString) {
    OSTREL_ASSERT(pchNewString);
    OSTREL_ASSERT(iChStart >= 1);
    OSTREL_ASSERT(_length > 0);
    const int len2 = static_cast<int>(std::strlen(pchNewString));
    OSTREL_ASSERT(len2 > 0);
    OSTREL_ASSERT(iChStart + len2 - 1 <= _length);
    std::memcpy(_poCh + iChStart - 1, pchNewString, static_cast<std::size_t>(len2));
    Changed();
}

bool CString::ToNumber(Extended* pValue) const {
    OSTREL_ASSERT(pValue);
    if (_length == 0) {
        return false;
    }
    const char* pchE =
        static_cast<const char*>(std::memchr(_poCh, 'E', static_cast<std::size_t>(_length)));
    const int nMantissa = pchE ? static_cast<int>(pchE - _poCh) : _length;
    // A lone "." reads as 0, but an exponent needs a digit before it.
    if (pchE && !IsMantissa(_poCh, nMantissa)) {
        return false;
    }
    Extended value = 0;
    int nExponent = 0;
    if (!ConvertMantissa(_poCh, nMantissa, &value) ||
        (pchE && !ConvertExponent(pchE + 1, _length - nMantissa - 1, &nExponent))) {
        return false;
    }
    *pValue = ScaleByPowerOfTen(value, nExponent);
    return true;
}

bool IsMantissa(const char* pch, int nCount) {
    OSTREL_ASSERT(pch || nCount == 0);
    bool bDigit = false;
    bool bPoint = false;
    for (int i = 0; i < nCount; ++i) {
        if (pch[i] == '.' && !bPoint) {
            bPoint = true;
        } else if (IsDigit(pch[i])) {
            bDigit = true;
        } else {
            return false;
        }
    }
    return bDigit;
}
