#include "crepeat.h"

#include "cbranch.h"
#include "core/cassert.h"
#include "expression/cexpression.h"
#include "interpreter/cprogram.h"
#include "ui/cuserinterface.h"

CRepeat::CRepeat(CStatement* pStatBefore, CStatement* pBody, CStatement* pStatAfter,
                 CProgram* pProg)
    : CStatementWithExpressions(pProg), _poStatBefore(pStatBefore), _poBody(pBody),
      _poStatAfter(pStatAfter) {
    AddInstance(CN_REPEAT);
}

CRepeat::~CRepeat() {
    delete _poStatBefore;
    delete _poBody;
    delete _poStatAfter;
    RemoveInstance(CN_REPEAT);
}

std::uint8_t CRepeat::GetClassNumber() const {
    return CN_REPEAT;
}

void CRepeat::SetConditions(const CString* pstrExprPreCond, const CString* pstrExprPostCond) {
    OSTREL_ASSERT(!pstrExprPreCond || !pstrExprPostCond);
    SetExpressions(2, pstrExprPreCond, pstrExprPostCond);
}

void CRepeat::SetBody(CStatement* pBody) {
    OSTREL_ASSERT(pBody);
    CheckStructureContents(pBody);
    delete _poBody;
    _poBody = pBody;
    _bBodyChecked = true;
}

// A checked body holds nothing the counts look for; counting it again at
// every enclosing level would make deep nesting quadratic.
int CRepeat::Count(CountQuery query) const {
    return SumOf({_poStatAfter, _poStatBefore, _bBodyChecked ? nullptr : _poBody}, query);
}

bool CRepeat::Holds(int iCondition) const {
    return GetExpressionCount() >= iCondition && GetExpression(iCondition);
}

bool CRepeat::RunPass(EExitSignal* pSignal) {
    // Polled here as well: a body that polls nothing itself (a blank line, an
    // IF whose branch is not taken) must not make the loop unstoppable.
    GetProgram()->PollInterrupt();
    if (_poBody) {
        const EExitSignal signal = _poBody->ExecuteInPlace();
        if (signal != ES_CONTINUE) {
            // EXIT LOOP ends this loop only; EXIT FUNCTION travels on.
            *pSignal = signal == ES_EXIT_LOOP ? ES_CONTINUE : signal;
            return false;
        }
    }
    if (_poStatAfter) {
        _poStatAfter->Execute();
    }
    return true;
}

EExitSignal CRepeat::Execute() {
    if (_poStatBefore) {
        _poStatBefore->Execute();
    }
    EExitSignal signal = ES_CONTINUE;
    if (Holds(1)) {
        CExpression* pCondition = GetExpression(1);
        while (IsConditionTrue(pCondition->Evaluate()) && RunPass(&signal)) {
        }
    } else if (Holds(2)) {
        CExpression* pCondition = GetExpression(2);
        while (RunPass(&signal) && IsConditionTrue(pCondition->Evaluate())) {
        }
    } else {
        while (RunPass(&signal)) {
        }
    }
    return signal;
}

void CRepeat::SetOwnerFunction(CUserFunction* pFunction) {
    CStatement::SetOwnerFunction(pFunction);
    for (CStatement* pStatement : {_poStatAfter, _poStatBefore, _poBody}) {
        if (pStatement) {
            pStatement->SetOwnerFunction(pFunction);
        }
    }
}

void CRepeat::Link() {
    CStatementWithExpressions::Link();
    for (CStatement* pStatement : {_poStatBefore, _poBody, _poStatAfter}) {
        if (pStatement) {
            pStatement->LinkInPlace();
        }
    }
}

int CRepeat::CountConstDeclarations() const {
    return Count(&CStatement::CountConstDeclarations);
}

int CRepeat::CountVarDeclarations() const {
    return Count(&CStatement::CountVarDeclarations);
}

int CRepeat::CountDeletes() const {
    return Count(&CStatement::CountDeletes);
}

int CRepeat::CountFunctionDefinitions() const {
    return Count(&CStatement::CountFunctionDefinitions);
}

void CRepeat::Describe() const {
    CStatement::Describe();
    GetUserInterface()->PrintText("Repeat(...)");
}
