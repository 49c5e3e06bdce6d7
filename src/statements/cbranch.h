#pragma once

#include "cstatementwithexpressions.h"

// IF: a condition, a statement for true and an optional one for false.
class CBranch : public CStatementWithExpressions {
public:
    // The statements are stored as handed over, without the structure check.
    CBranch(CStatement* pStatOnTrue, CStatement* pStatOnFalse, CProgram* pProg);
    ~CBranch() override;
    std::uint8_t GetClassNumber() const override;
    EExitSignal Execute() override;
    void SetOwnerFunction(CUserFunction* pFunction) override;
    void Link() override;
    int CountConstDeclarations() const override;
    int CountVarDeclarations() const override;
    int CountDeletes() const override;
    int CountFunctionDefinitions() const override;
    void Describe() const override;

    // Checks both statements, then takes them in place of the present ones.
    void SetBranches(CStatement* pStatOnTrue, CStatement* pStatOnFalse);

private:
    int Count(CountQuery query) const;

    CStatement* _poStatOnTrue;
    CStatement* _poStatOnFalse;
    bool _bChecked = false;
};

// Refuses DELETE, definitions and declarations inside a structure.
void CheckStructureContents(const CStatement* pStatement);

// The truth of a condition: not 0; a value that is not a number is false.
inline bool IsConditionTrue(Extended value) {
    return value < 0 || value > 0;
}
