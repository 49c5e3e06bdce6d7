#pragma once

#include "cbase.h"
#include "extended.h"

class CUserInterface;

// The program's own text: a counted, NUL-terminated 8-bit buffer with a
// cached hash. Positions are 1-based; a search result of 0 means not found.
// Blanks are the space and the tab, nothing else.
class CString : public CBase {
public:
    enum EMidMode { Plain = 0, NoBlanks = 1, Trimmed = 2 };
    enum EInsertPlace { Prepend = 0, Append = 1 };

    CString();
    ~CString() override;
    std::uint8_t GetClassNumber() const override;

    // Moves the string to the counter at the class number plus the offset.
    void SetCounterOffset(int nOffset);

    void Set(const char* pch, int nCount);
    void Set(const char* pch);
    int GetLength() const { return _length; }
    const char* GetData() const { return _poCh; }
    char GetAt(int i) const;
    int GetHash() const { return _bHashValid ? _nHash : ComputeHash(); }
    void Print(CUserInterface* pUI) const;

    bool Compare(const char* pchOther, bool bIgnoreCase) const;
    bool Compare(const CString* pstrOther, bool bIgnoreCase) const;
    bool StartsWith(const char* pchOther, int length, bool bIgnoreCase) const;
    bool StartsWith(const CString* pstrOther, bool bIgnoreCase) const;

    int FindOneOf(const char* pchWhatToLookFor, int iChStart) const;
    int FindChar(char ch, int iChStart) const;
    int Find(const char* pchWhatToLookFor, int nLength, bool bIgnoreCase) const;
    // The nChSepWanted-th chSep outside double quotes and parentheses.
    int FindSeparator(int iChStart, char chSep, int nChSepWanted) const;
    // The first nLength characters pch at or after iChStart outside double
    // quotes and parentheses.
    int FindOutside(const char* pch, int nLength, int iChStart) const;
    bool IsValidName() const;

    // New strings owned by the caller.
    CString* Mid(int iChStart, int nCount, EMidMode mode) const;
    CString* MidToEnd(int iChStart, EMidMode mode) const;

    void ToUpperOutsideQuotes();
    void Trim();
    void RemoveBlanks();
    void DeleteLeft(int nCount);
    void DeleteRight(int nCount);
    void Insert(const char* pch, int nCount, EInsertPlace place);
    void Insert(const CString* pstrOther, EInsertPlace place);
    void Overwrite(int iChStart, const char* pchNewString);

    // True when the whole text is an unsigned decimal numeral: digits with at
    // most one point, then perhaps "E", an optional sign and digits. Lines
    // arrive upper-cased, so only the capital E is looked for. A value beyond
    // the extended range is infinite, one below it 0.
    bool ToNumber(Extended* pValue) const;

private:
    // The first position from iChStart on, outside double quotes and
    // parentheses, that isWanted accepts; 0 if none.
    template <class F> int FindOutsideWhere(int iChStart, F isWanted) const;
    // Replaces the contents by nCount characters, the buffer's old contents
    // being released only after the copy.
    void Assign(const char* pch, int nCount);
    int ComputeHash() const;
    // Replaces the buffer by a new one holding nLength characters and a NUL.
    void TakeBuffer(char* poNew, int nLength);
    void Changed() { _bHashValid = false; }

    int _length = 0;
    char* _poCh = nullptr;
    mutable int _nHash = 0;
    mutable bool _bHashValid = false;
    int _nCounterOffset = 0;
};

// True when the nCount characters are the part of a numeral before its
// exponent: digits with at most one point, at least one digit.
bool IsMantissa(const char* pch, int nCount);

inline bool IsBlank(char ch) {
    return ch == ' ' || ch == '\t';
}

inline bool IsDigit(char ch) {
    return ch >= '0' && ch <= '9';
}

inline bool IsAsciiLetter(char ch) {
    return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z');
}
