#pragma once

#include "core/cbase.h"
#include "core/clinkedlist.h"
#include "core/extended.h"

class CNodeEvalTree;
class CNodeNamedValue;
class CNodeOperation;
class CProgram;
class CString;

// One numeric expression, prepared in three steps that its owner calls at
// different times: SetCode (rewrite, tokenize, numerals), Link (names to
// symbols, in a fixed scope order) and BuildTree (tree and evaluation
// chain). Evaluate then runs the chain: no allocation, lookup or recursion.
class CExpression : public CBase {
public:
    explicit CExpression(CProgram* pProg);
    ~CExpression() override;
    std::uint8_t GetClassNumber() const override;

    void SetCode(const CString* pstrCodeNew);
    // The four scopes of a function (any may be null) come between the
    // library functions and the global symbols.
    void Link(CLinkedList<CNamedNumeric>* pParams, CLinkedList<CNamedNumeric>* pLocalVariables,
              CLinkedList<CNamedNumeric>* pLocalArrays,
              CLinkedList<CNamedNumeric>* pLocalConstants);
    void BuildTree();
    bool IsSubroutineCall() const;
    Extended Evaluate();
    void Print() const;

    const CString* GetCode() const { return _poCode; }

private:
    enum ESearchStart { SEARCH_FROM_END, SEARCH_FROM_BOOKMARK, SEARCH_NOTHING_BEFORE };

    static void ReplaceWordOperators(CString* pstr);
    static void DestroyTree(CNodeEvalTree* pRoot);

    void Clear();
    void Tokenize();
    void MarkNegations();
    void ConvertNumerals();
    void ResolveIn(CLinkedList<CNamedNumeric>* pScope);
    bool FindInnermostBrackets(ESearchStart start, CNodeEvalTree** ppLB, CNodeEvalTree** ppRB);
    void ReduceOperators(const CNodeEvalTree* pLB, const CNodeEvalTree* pRB);
    void Reduce(CNodeOperation* pNode, const CNodeEvalTree* pLB, const CNodeEvalTree* pRB);
    ESearchStart CollapseBrackets(const CNodeEvalTree* pLB, const CNodeEvalTree* pRB);
    void CheckTree();
    void ReadVariablesInPlace();
    void AppendToChain(CNodeOperation* pNode);
    void AddToken(CNodeEvalTree* pToken);
    void ReplaceCurrentToken(CNodeEvalTree* pToken);
    CNodeEvalTree* TakeNextToken();
    CNodeEvalTree* TakePreviousToken();
    static Extended Compute(CNodeOperation* pNode, Extended l, Extended r);

    CProgram* const _pProg;
    CString* _poCode = nullptr;
    CLinkedList<CNodeEvalTree>* _pollTokens = nullptr;
    int _nSymbolUnknown = 0;
    CNodeEvalTree* _poEvalTreeRoot = nullptr;
    CNodeNamedValue* _pFirstVariableRef = nullptr;
    CNodeOperation* _pFirstOperation = nullptr;
    CNodeOperation* _pLastOperation = nullptr;
};
