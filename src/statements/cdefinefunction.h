#pragma once

#include "cstatement.h"

class CString;

// FUNCTION name(params) = expr, and the FUNCTION and SUB blocks. The
// function comes into existence when the definition runs.
class CDefineFunction : public CStatement {
public:
    CDefineFunction(CProgram* pProg, const CString* pstrName, const CString* pstrParams,
                    const CString* pstrExpr, bool bSubroutine);
    ~CDefineFunction() override;
    std::uint8_t GetClassNumber() const override;
    EExitSignal Execute() override;
    int CountFunctionDefinitions() const override;
    void Describe() const override;

    void SetBody(CStatement* pBody);

private:
    CString* _poName;
    CString* _poParams;
    CString* _poExpr;
    CStatement* _poBody = nullptr;
    bool _bSubroutine;
};
