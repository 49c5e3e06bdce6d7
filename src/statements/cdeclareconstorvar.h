#pragma once

#include "cstatementwithexpressions.h"

enum EDeclarationKind : std::uint8_t { DK_CONSTANT = 0, DK_VARIABLE = 1, DK_STATIC = 2 };

// CONST name = value, DIM name [= value], STATIC name [= value]. Inside a
// function body the symbol is the function's own.
class CDeclareConstOrVar : public CStatementWithExpressions {
public:
    CDeclareConstOrVar(CProgram* pProg, const CString* pstrSymbolName, EDeclarationKind kind);
    ~CDeclareConstOrVar() override;
    std::uint8_t GetClassNumber() const override;
    EExitSignal Execute() override;
    int CountConstDeclarations() const override;
    int CountVarDeclarations() const override;
    void Describe() const override;

private:
    CString* _poSymbolName;
    EDeclarationKind _kind;
};

// The lists a declaration goes into: the owner function's, or the program's.
struct SDeclarationScope {
    CLinkedList<CNamedNumeric>* pConstants;
    CLinkedList<CNamedNumeric>* pVariables;
    CLinkedList<CNamedNumeric>* pArrays;
};
SDeclarationScope GetDeclarationScope(const CStatement* pStatement);

// Whether the name is taken by a function or a built-in constant, or is in
// one of the scope's lists (in the order variables, arrays, constants).
bool IsNameTaken(const CStatement* pStatement, const SDeclarationScope& scope,
                 const CString* pstrName);
