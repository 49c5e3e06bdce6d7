#pragma once

#include "csymbol.h"

template <class T> class CLinkedList;

// A named constant: its value is fixed at creation.
class CNamedConstant : public CNamedNumeric {
public:
    explicit CNamedConstant(Extended value);
    ~CNamedConstant() override;
    std::uint8_t GetClassNumber() const override;
    void Print(CUserInterface* pUI) const override;
    Extended GetValue() override { return _value; }
    // Where the value lives, for the expression nodes that read it often.
    const Extended* GetValueAddress() const { return &_value; }

protected:
    Extended _value;
};

// A variable: a constant whose value can be set. Reset restores the initial
// value, except for static variables, which keep theirs across calls.
class CVariable : public CNamedConstant {
public:
    CVariable(bool bStatic, Extended initialValue);
    ~CVariable() override;
    std::uint8_t GetClassNumber() const override;
    void Print(CUserInterface* pUI) const override;
    void Reset() override;

    void SetValue(Extended value) { _value = value; }
    bool IsStatic() const { return _bStatic; }

private:
    Extended _initialValue;
    bool _bStatic;
};

// Creates a named constant and appends it to the list.
void AddNamedConstant(CLinkedList<CNamedNumeric>* pList, Extended value, const char* pchName);
