#pragma once

#include "cstatementwithexpressions.h"

// Every loop: a statement run once before, a body, a statement run after
// each pass, and a condition tested before or after the body. A loop with
// neither condition (a bare DO ... LOOP) ends only through an exit.
class CRepeat : public CStatementWithExpressions {
public:
    CRepeat(CStatement* pStatBefore, CStatement* pBody, CStatement* pStatAfter, CProgram* pProg);
    ~CRepeat() override;
    std::uint8_t GetClassNumber() const override;
    EExitSignal Execute() override;
    void SetOwnerFunction(CUserFunction* pFunction) override;
    void Link() override;
    int CountConstDeclarations() const override;
    int CountVarDeclarations() const override;
    int CountDeletes() const override;
    int CountFunctionDefinitions() const override;
    void Describe() const override;

    // At most one of the two is given.
    void SetConditions(const CString* pstrExprPreCond, const CString* pstrExprPostCond);
    // Checks the body, then takes it in place of the present one.
    void SetBody(CStatement* pBody);

private:
    // Runs the body and the statement after it; false when the loop ends,
    // with the signal to answer in *pSignal.
    bool RunPass(EExitSignal* pSignal);
    bool Holds(int iCondition) const;

    int Count(CountQuery query) const;

    CStatement* _poStatBefore;
    CStatement* _poBody;
    CStatement* _poStatAfter;
    bool _bBodyChecked = false;
};
