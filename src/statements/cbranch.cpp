#include "cbranch.h"

#include "core/cassert.h"
#include "core/cleanupstack.h"
#include "expression/cexpression.h"
#include "ui/cuserinterface.h"

void CheckStructureContents(const CStatement* pStatement) {
    if (pStatement->CountDeletes() != 0) {
        RaiseError(ERR_DELETE_DIRECT_ONLY);
    }
    if (pStatement->CountFunctionDefinitions() != 0) {
        RaiseError(ERR_NESTED_FUNCTION);
    }
    if (pStatement->CountConstDeclarations() != 0 || pStatement->CountVarDeclarations() != 0) {
        RaiseError(ERR_DECLARATION_IN_STRUCTURE);
    }
}

CBranch::CBranch(CStatement* pStatOnTrue, CStatement* pStatOnFalse, CProgram* pProg)
    : CStatementWithExpressions(pProg), _poStatOnTrue(pStatOnTrue), _poStatOnFalse(pStatOnFalse) {
    AddInstance(CN_BRANCH);
}

CBranch::~CBranch() {
    delete _poStatOnTrue;
    delete _poStatOnFalse;
    RemoveInstance(CN_BRANCH);
}

std::uint8_t CBranch::GetClassNumber() const {
    return CN_BRANCH;
}

void CBranch::SetBranches(CStatement* pStatOnTrue, CStatement* pStatOnFalse) {
    OSTREL_ASSERT(pStatOnTrue);
    CheckStructureContents(pStatOnTrue);
    if (pStatOnFalse) {
        CheckStructureContents(pStatOnFalse);
    }
    delete _poStatOnTrue;
    delete _poStatOnFalse;
    _poStatOnTrue = pStatOnTrue;
    _poStatOnFalse = pStatOnFalse;
    _bChecked = true;
}

// Checked branches hold nothing the counts look for; counting them again at
// every enclosing level would make deep nesting quadratic.
int CBranch::Count(CountQuery query) const {
    return _bChecked ? 0 : SumOf({_poStatOnTrue, _poStatOnFalse}, query);
}

EExitSignal CBranch::Execute() {
    if (!IsProgramMode()) {
        GetUserInterface()->PrintText("Executing conditional\n");
    }
    CStatement* pChosen =
        IsConditionTrue(GetExpression(1)->Evaluate()) ? _poStatOnTrue : _poStatOnFalse;
    return pChosen ? pChosen->ExecuteInPlace() : ES_CONTINUE;
}

void CBranch::SetOwnerFunction(CUserFunction* pFunction) {
    CStatement::SetOwnerFunction(pFunction);
    for (CStatement* pStatement : {_poStatOnTrue, _poStatOnFalse}) {
        if (pStatement) {
            pStatement->SetOwnerFunction(pFunction);
        }
    }
}

void CBranch::Link() {
    for (CStatement* pStatement : {_poStatOnTrue, _poStatOnFalse}) {
        if (pStatement) {
            pStatement->LinkInPlace();
        }
    }
    CStatementWithExpressions::Link();
}

int CBranch::CountConstDeclarations() const {
    return Count(&CStatement::CountConstDeclarations);
}

int CBranch::CountVarDeclarations() const {
    return Count(&CStatement::CountVarDeclarations);
}

int CBranch::CountDeletes() const {
    return Count(&CStatement::CountDeletes);
}

int CBranch::CountFunctionDefinitions() const {
    return Count(&CStatement::CountFunctionDefinitions);
}

void CBranch::Describe() const {
    CStatement::Describe();
    CUserInterface* pUI = GetUserInterface();
    pUI->PrintText("If ");
    GetExpression(1)->Print();
    pUI->PrintText(" Then");
    if (_poStatOnTrue) {
        _poStatOnTrue->Describe();
    }
    if (_poStatOnFalse) {
        pUI->PrintText("Else\n");
        _poStatOnFalse->Describe();
    }
    pUI->PrintText("End If\n");
}
