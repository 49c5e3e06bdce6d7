#pragma once

#include "cstatementwithexpressions.h"

class CNamedNumeric;
class CVariable;

// [LET] name = expr, to a variable or a parameter. name=name+1 and
// name=name-1 step the variable without evaluating anything.
class CAssignVariable : public CStatementWithExpressions {
public:
    explicit CAssignVariable(CProgram* pProg);
    ~CAssignVariable() override;
    std::uint8_t GetClassNumber() const override;
    EExitSignal Execute() override;
    void Link() override;
    void Describe() const override;

    void SetText(const CString* pstrVarName, const CString* pstrExpr);
    // Adds the step to the linked variable, evaluating and echoing nothing:
    // the update of a counted loop with a step.
    void StepBy(Extended step);

private:
    CString* _postrVarName = nullptr;
    CVariable* _pTarget = nullptr;
    bool _isPlusPlusOrMinusMinus = false;
    Extended _increment = 0;
};

// The variable or array a stored assignment refers to, found in the first
// of the lists that knows the name; raises "Unknown symbol" otherwise.
CNamedNumeric* FindAssignmentTarget(const CStatement* pStatement, const CString* pstrName,
                                    std::initializer_list<CLinkedList<CNamedNumeric>*> lists);
