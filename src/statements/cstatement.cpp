#include "cstatement.h"

#include "core/cassert.h"
#include "core/cleanupstack.h"
#include "core/csourceplace.h"
#include "expression/cexpression.h"
#include "interpreter/cprogram.h"
#include "symbols/cuserfunction.h"
#include "ui/cuserinterface.h"

#include <numeric>

CStatement::CStatement(CProgram* pProg) : _pProg(pProg) {
    OSTREL_ASSERT(pProg);
    AddInstance(CN_STATEMENT);
}

CStatement::~CStatement() {
    delete _poPlace;
    RemoveInstance(CN_STATEMENT);
}

void CStatement::SetPlace(CSourcePlace* pPlace) {
    delete _poPlace;
    _poPlace = pPlace;
}

std::uint8_t CStatement::GetClassNumber() const {
    return CN_STATEMENT;
}

void CStatement::SetOwnerFunction(CUserFunction* pFunction) {
    _pOwnerFunction = pFunction;
}

void CStatement::Link() {}

int CStatement::CountConstDeclarations() const {
    return 0;
}

int CStatement::CountVarDeclarations() const {
    return 0;
}

int CStatement::CountDeletes() const {
    return 0;
}

int CStatement::CountFunctionDefinitions() const {
    return 0;
}

void CStatement::Describe() const {
    CUserInterface* pUI = GetUserInterface();
    pUI->PrintText("\n");
    if (_pOwnerFunction) {
        pUI->PrintText("f ");
    }
}

CUserInterface* CStatement::GetUserInterface() const {
    return _pProg->GetUserInterface();
}

CInterpreter* CStatement::GetInterpreter() const {
    return _pProg->GetInterpreter();
}

CSymbolList* CStatement::GetParams() const {
    return _pOwnerFunction ? _pOwnerFunction->GetParams() : nullptr;
}

CSymbolList* CStatement::GetLocalVariables() const {
    return _pOwnerFunction ? _pOwnerFunction->GetLocalVariables() : nullptr;
}

CSymbolList* CStatement::GetLocalArrays() const {
    return _pOwnerFunction ? _pOwnerFunction->GetLocalArrays() : nullptr;
}

CSymbolList* CStatement::GetLocalConstants() const {
    return _pOwnerFunction ? _pOwnerFunction->GetLocalConstants() : nullptr;
}

void CStatement::LinkExpression(CExpression* pExpr, bool bNeedsValue) const {
    pExpr->Link(GetParams(), GetLocalVariables(), GetLocalArrays(), GetLocalConstants());
    pExpr->BuildTree();
    if (bNeedsValue && pExpr->IsSubroutineCall()) {
        RaiseError(ERR_SUB_NO_VALUE);
    }
}

int CStatement::SumOf(std::initializer_list<const CStatement*> statements, CountQuery query) {
    return std::accumulate(statements.begin(), statements.end(), 0,
                           [query](int nSum, const CStatement* pStatement) {
                               return nSum + (pStatement ? (pStatement->*query)() : 0);
                           });
}
