#pragma once

#include "csymbol.h"

// A one-dimensional array with integer bounds. Until it is dimensioned its
// bounds are 2 and 1, so it has no elements.
class CArray : public CNamedNumeric {
public:
    // All live arrays together hold at most this many elements (1 GiB of
    // extended values); more is refused as "Out of memory." before anything
    // is allocated, so that storage is never promised and then not there.
    static constexpr long long MAX_ELEMENTS = 1LL << 26;

    explicit CArray(bool bStatic);
    ~CArray() override;
    std::uint8_t GetClassNumber() const override;
    void Print(CUserInterface* pUI) const override;
    Extended GetValue() override;
    void Reset() override;

    // pIndexLimits holds the lower and upper bound of each dimension.
    void Dimension(const CString* pstrName, const int* pIndexLimits, int nDimensions);
    int GetDimensionCount() const { return 1; }
    void SetIndex(Extended index, int iDimension);
    void SetValue(Extended value);

    int GetLowerBound() const { return _nLower; }
    int GetUpperBound() const { return _nUpper; }
    bool IsStatic() const { return _bStatic; }

    static long long GetLiveElements() { return s_nLiveElements; }

private:
    bool IsInBounds(int i) const { return i >= _nLower && i <= _nUpper; }
    long long GetElementCount() const;

    Extended* _poElements = nullptr;
    int _nLower = 2;
    int _nUpper = 1;
    int _nIndex = 0;
    bool _bStatic;

    static long long s_nLiveElements;
};
