#pragma once

#include "statements/cstatement.h"

template <class T> class CLinkedList;

// Runs its statements one after the other, stopping at the first that
// signals an exit and passing that signal on.
class CSequence : public CStatement {
public:
    explicit CSequence(CProgram* pProg);
    ~CSequence() override;
    std::uint8_t GetClassNumber() const override;
    EExitSignal Execute() override;
    void SetOwnerFunction(CUserFunction* pFunction) override;
    void Link() override;
    int CountConstDeclarations() const override;
    int CountVarDeclarations() const override;
    int CountDeletes() const override;
    int CountFunctionDefinitions() const override;
    void Describe() const override;

    // Takes the list (null: an empty one), destroying the present list.
    void SetStatements(CLinkedList<CStatement>* pStatements);
    void AddStatement(CStatement* pStatNew);
    void AddStatementFirst(CStatement* pStatNew);
    CLinkedList<CStatement>* GetStatements() const { return _pollStatements; }
    // The statements survive the sequence from now on.
    void ReleaseStatements();

private:
    // Walks the statements in order with the list's cursor.
    template <class F> void ForEach(F visit) const;
    int Sum(CountQuery query) const;

    CLinkedList<CStatement>* _pollStatements = nullptr;
};
