#pragma once

#include "cstatementwithexpressions.h"

class CFunction;
class CVariable;

// INTEGRATE F,A,B,VAR: the definite integral of F from A to B by Simpson's
// rule on 1000 sub-intervals, stored in the existing variable VAR.
class CIntegrate : public CStatementWithExpressions {
public:
    explicit CIntegrate(CProgram* pProg);
    ~CIntegrate() override;
    std::uint8_t GetClassNumber() const override;
    EExitSignal Execute() override;
    void Link() override;
    void Describe() const override;

    void SetText(const CString* pstrFunc, const CString* pstrInterval, const CString* pstrVar);

private:
    void PrintReport(Extended a, Extended b) const;

    CString* _postrFunc = nullptr;
    CFunction* _pFunc = nullptr;
    CString* _postrVar = nullptr;
    CVariable* _pVar = nullptr;
};
