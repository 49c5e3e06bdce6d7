#pragma once

#include "cstatementwithexpressions.h"

class CAssignVariable;

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
    // Makes a counted loop with a step: the statement after each pass, a
    // variable's name=name+1, adds the step instead of 1. The step is taken
    // once, before the statement before the loop; going up the loop runs
    // while the upward condition holds, going down while the downward one
    // does.
    void SetStep(const CString* pstrStep, const CString* pstrUpCond, const CString* pstrDownCond);
    // Checks the body, then takes it in place of the present one.
    void SetBody(CStatement* pBody);

private:
    // Runs the body and the statement after it; false when the loop ends,
    // with the signal to answer in *pSignal.
    bool RunPass(EExitSignal* pSignal);
    // The body alone, with the same answer.
    bool RunBody(EExitSignal* pSignal);
    EExitSignal ExecuteStepped();
    bool Holds(int iCondition) const;

    int Count(CountQuery query) const;

    CStatement* _poStatBefore;
    CStatement* _poBody;
    CStatement* _poStatAfter;
    // The statement after, when the loop has a step.
    CAssignVariable* _pCounter = nullptr;
    bool _bBodyChecked = false;
};
