#pragma once

#include "cstatementwithexpressions.h"

class CArray;

// [LET] name(index) = expr. Nothing is echoed.
class CAssignArray : public CStatementWithExpressions {
public:
    explicit CAssignArray(CProgram* pProg);
    ~CAssignArray() override;
    std::uint8_t GetClassNumber() const override;
    EExitSignal Execute() override;
    void Link() override;
    void Describe() const override;

    void SetText(const CString* pstrArrName, const CString* pstrIndex, const CString* pstrExpr);

private:
    CString* _poArrName = nullptr;
    CArray* _pTarget = nullptr;
};
