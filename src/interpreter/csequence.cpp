#include "csequence.h"

#include "core/cassert.h"
#include "core/clinkedlist.h"
#include "ui/cuserinterface.h"

CSequence::CSequence(CProgram* pProg) : CStatement(pProg) {
    AddInstance(CN_SEQUENCE);
}

CSequence::~CSequence() {
    delete _pollStatements;
    RemoveInstance(CN_SEQUENCE);
}

std::uint8_t CSequence::GetClassNumber() const {
    return CN_SEQUENCE;
}

void CSequence::SetStatements(CLinkedList<CStatement>* pStatements) {
    CLinkedList<CStatement>* poNew = pStatements ? pStatements : new CLinkedList<CStatement>;
    delete _pollStatements;
    _pollStatements = poNew;
}

void CSequence::AddStatement(CStatement* pStatNew) {
    OSTREL_ASSERT(pStatNew);
    _pollStatements->AddLast(pStatNew);
}

void CSequence::AddStatementFirst(CStatement* pStatNew) {
    OSTREL_ASSERT(pStatNew);
    _pollStatements->AddFirst(pStatNew);
}

void CSequence::ReleaseStatements() {
    _pollStatements->ReleaseAll();
}

EExitSignal CSequence::Execute() {
    CLinkedList<CStatement>& statements = *_pollStatements;
    if (statements.GetCount() == 0) {
        return ES_CONTINUE;
    }
    for (statements.GoToStart(); statements.GetCurrent(); statements.GoToNext()) {
        const EExitSignal signal = statements.GetCurrent()->ExecuteInPlace();
        if (signal != ES_CONTINUE) {
            return signal;
        }
    }
    return ES_CONTINUE;
}

template <class F> void CSequence::ForEach(F visit) const {
    CLinkedList<CStatement>& statements = *_pollStatements;
    if (statements.GetCount() > 0) {
        for (statements.GoToStart(); statements.GetCurrent(); statements.GoToNext()) {
            visit(statements.GetCurrent());
        }
    }
}

void CSequence::SetOwnerFunction(CUserFunction* pFunction) {
    CStatement::SetOwnerFunction(pFunction);
    ForEach([pFunction](CStatement* pStatement) { pStatement->SetOwnerFunction(pFunction); });
}

void CSequence::Link() {
    ForEach([](CStatement* pStatement) { pStatement->LinkInPlace(); });
}

int CSequence::Sum(CountQuery query) const {
    int nSum = 0;
    ForEach([&nSum, query](const CStatement* pStatement) { nSum += (pStatement->*query)(); });
    return nSum;
}

int CSequence::CountConstDeclarations() const {
    return Sum(&CStatement::CountConstDeclarations);
}

int CSequence::CountVarDeclarations() const {
    return Sum(&CStatement::CountVarDeclarations);
}

int CSequence::CountDeletes() const {
    return Sum(&CStatement::CountDeletes);
}

int CSequence::CountFunctionDefinitions() const {
    return Sum(&CStatement::CountFunctionDefinitions);
}

void CSequence::Describe() const {
    CStatement::Describe();
    CUserInterface* pUI = GetUserInterface();
    pUI->PrintText("Sequence:");
    ForEach([](const CStatement* pStatement) { pStatement->Describe(); });
    pUI->PrintText("\nEnd Sequence\n");
}
