#pragma once

#include "cfunction.h"

class CExpression;
class CVariable;
class CStatement;

// A function or subroutine the user defined with FUNCTION or SUB: either one
// expression or a body of statements. Calls may not come back to a function
// that is still running.
class CSourcePlace;

class CUserFunction : public CFunction {
public:
    explicit CUserFunction(CProgram* pProg);
    ~CUserFunction() override;
    std::uint8_t GetClassNumber() const override;
    void Print(CUserInterface* pUI) const override;
    Extended GetValue() override;
    void BeforeCall() override;

    void Define(const CString* pstrName, const CString* pstrExpr, const CString* pstrParams,
                bool bSubroutine);
    // The function of one variable, named pchVariable, that an expression
    // written in a command stands for; its name is the expression's text.
    void DefineExpression(const CString* pstrExpr, const char* pchVariable);
    bool IsExpression() const override { return _bExpression; }
    // Takes the body in every case, also when it is refused.
    void SetBody(CStatement* pBody);
    // Where a function of a program file was defined; the function owns the
    // place, and an error of its expression names it.
    void SetPlace(CSourcePlace* pPlace);
    void Link();

private:
    // Checks the name as a parameter name, then appends its variable; takes
    // the name.
    void AddParameter(CString* poName);

    CExpression* _poExpr = nullptr;
    CStatement* _poStatFunctionBody = nullptr;
    CSourcePlace* _poPlace = nullptr;
    // The last of the parameter variables, for a function (not a SUB).
    CVariable* _pResult = nullptr;
    bool _bRunning = false;
    bool _bHasLocals = false;
    bool _bExpression = false;
};
