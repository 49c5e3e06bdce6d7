#pragma once

#include "cstatementwithexpressions.h"

class CFunction;

// FINDZEROS F,A,B: lists the zeros of F between A and B, searching 1000
// equal sub-intervals one after another.
class CFindZeros : public CStatementWithExpressions {
public:
    CFindZeros(CProgram* pProg, const CString* pstrFunc);
    ~CFindZeros() override;
    std::uint8_t GetClassNumber() const override;
    EExitSignal Execute() override;
    void Link() override;
    void Describe() const override;

    // The interval text "A,B" that follows the function name's comma.
    void SetText(const CString* pstrParams);

private:
    CString* _postrFunc = nullptr;
    CFunction* _pFunc = nullptr;
};
