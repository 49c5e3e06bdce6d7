#pragma once

#include "core/cbase.h"
#include "core/extended.h"

class CString;
class CUserInterface;

// The root of everything a name can stand for, and of the expression tree's
// nodes.
class CSymbol : public CBase {
public:
    CSymbol();
    ~CSymbol() override;
    std::uint8_t GetClassNumber() const override;
    virtual void Print(CUserInterface* pUI) const;
};

// Something with a numeric value.
class CNumeric : public CSymbol {
public:
    CNumeric();
    ~CNumeric() override;
    std::uint8_t GetClassNumber() const override;
    virtual Extended GetValue() = 0;
};

// A named numeric symbol. The reference count says how many expression
// nodes and statements hold it; DELETE refuses a symbol still held.
class CNamedNumeric : public CNumeric {
public:
    CNamedNumeric();
    ~CNamedNumeric() override;
    std::uint8_t GetClassNumber() const override;

    // The CString form stores a copy trimmed of blanks, the text form an
    // unchanged one.
    virtual void SetName(const CString* pstrName);
    virtual void SetName(const char* pchName);
    virtual void Reset();

    const CString* GetName() const { return _poName; }
    void PrintName(CUserInterface* pUI) const;
    void TakeName(CString* poName);

    CNamedNumeric* AddReference() {
        ++_nReference;
        return this;
    }
    void ReleaseReference();
    int GetReferenceCount() const { return _nReference; }

private:
    CString* _poName = nullptr;
    int _nReference = 0;
};
