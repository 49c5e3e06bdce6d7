// Parsing by bracket reduction. The code, wrapped in one more pair of
// brackets, becomes a flat list of tokens. The innermost pair left (the last
// "(" and the first ")" after it) is reduced: its operators are taken by
// priority, each taking its neighbours as children, and each joins the chain
// that Evaluate runs in order. Then the brackets go; before a function or
// array name the tokens left between them become its arguments. That repeats
// until one token, the tree's root, is left.
//
// Priorities: 1 binds tightest ("^"), then 2 negation, 3 "*" "/" MOD, 4 "+"
// "-", 5 the comparisons, 6 NOT, 7 AND NAND, 8 OR XOR NOR. -1 marks what
// no priority pass takes: operands, brackets, commas, the names of calls and
// arrays (their brackets take them) and operations already reduced.
#include "cexpression.h"

#include "cnodeevaltree.h"
#include "core/cassert.h"
#include "core/cleanupstack.h"
#include "core/cstring.h"
#include "interpreter/cinterpreter.h"
#include "interpreter/cprogram.h"
#include "symbols/carray.h"
#include "symbols/cfunction.h"
#include "ui/cuserinterface.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace {

constexpr const char* OPERATOR_CHARACTERS = "+-*/%^<>={}@&|![]#(),";

struct SOperatorInfo {
    char ch;
    ENodeType type;
    int nPriority;
    int nChildren;
};

constexpr SOperatorInfo OPERATORS[] = {
    {'+', NT_ADD, 4, 2},
    {'-', NT_SUBTRACT, 4, 2},
    {'*', NT_MULTIPLY, 3, 2},
    {'^', NT_POWER, 1, 2},
    {'/', NT_DIVIDE, 3, 2},
    {'%', NT_MOD, 3, 2},
    {'&', NT_AND, 7, 2},
    {'|', NT_OR, 8, 2},
    {'#', NT_XOR, 8, 2},
    {'!', NT_NOT, 6, 1},
    {'[', NT_NAND, 7, 2},
    {']', NT_NOR, 8, 2},
    {'=', NT_EQUAL, 5, 2},
    {'@', NT_NOT_EQUAL, 5, 2},
    {'<', NT_LESS, 5, 2},
    {'>', NT_GREATER, 5, 2},
    {'}', NT_GREATER_EQUAL, 5, 2},
    {'{', NT_LESS_EQUAL, 5, 2},
    {',', NT_COMMA, -1, 0},
    {'(', NT_LEFT_BRACKET, -1, 0},
    {')', NT_RIGHT_BRACKET, -1, 0},
};

const SOperatorInfo& OperatorFor(char ch) {
    const auto* pInfo = std::find_if(std::begin(OPERATORS), std::end(OPERATORS),
                                     [ch](const SOperatorInfo& info) { return info.ch == ch; });
    OSTREL_ASSERT(pInfo != std::end(OPERATORS));
    return *pInfo;
}

// A "-" after one of these is a negation; after anything else (an operand,
// ")", "@", "-" or a negation) it is a subtraction.
bool IsNegationContext(ENodeType previous) {
    return previous == NT_ADD || (previous >= NT_MULTIPLY && previous <= NT_EQUAL) ||
           (previous >= NT_LESS && previous <= NT_LEFT_BRACKET);
}

struct SWordRule {
    const char* pchSearch;
    const char* pchReplacement;
};

// Applied in this order; every replacement is as long as what it replaces.
constexpr SWordRule WORD_RULES[] = {
    {" MOD ", "  %  "}, {" AND ", "  &  "}, {" OR ", "  | "},     {"**", "^ "},
    {"<=", "{ "},       {"=<", "{ "},       {">=", "} "},         {"=>", "} "},
    {"<>", "@ "},       {"><", "@ "},       {" NAND ", "   [  "}, {" NOR ", "  ]  "},
    {" XOR ", "  #  "}, {" NOT ", "  !  "}, {"(NOT(", "( ! ("},   {"(NOT ", "( !  "},
};

// The "+" or "-" at i, in a token starting at iStart, belongs to the numeral
// when the token so far is a mantissa and "E" and a digit follows: 1E+3 is
// one numeral, but X1E+3 and 1E+X are sums.
bool IsExponentSign(const CString* pstrCode, int iStart, int i) {
    const char ch = pstrCode->GetAt(i);
    if ((ch != '+' && ch != '-') || i - iStart < 2 || i >= pstrCode->GetLength()) {
        return false;
    }
    const char chNext = pstrCode->GetAt(i + 1);
    return pstrCode->GetAt(i - 1) == 'E' && IsDigit(chNext) &&
           IsMantissa(pstrCode->GetData() + iStart - 1, i - iStart - 1);
}

} // namespace

CExpression::CExpression(CProgram* pProg) : _pProg(pProg) {
    AddInstance(CN_EXPRESSION);
}

CExpression::~CExpression() {
    Clear();
    delete _poCode;
    RemoveInstance(CN_EXPRESSION);
}

std::uint8_t CExpression::GetClassNumber() const {
    return CN_EXPRESSION;
}

void CExpression::DestroyTree(CNodeEvalTree* pRoot) {
    // The pending operation nodes are chained through their evaluation
    // link, which is no longer needed: no recursion and no allocation.
    CNodeOperation* pPending = nullptr;
    auto visit = [&pPending](CNodeEvalTree* pNode) {
        if (!pNode) {
            return;
        }
        if (pNode->IsOperation()) {
            auto* pOperation = static_cast<CNodeOperation*>(pNode);
            pOperation->_pNextOperation = pPending;
            pPending = pOperation;
        } else {
            delete pNode;
        }
    };
    visit(pRoot);
    while (pPending) {
        CNodeOperation* pOperation = pPending;
        pPending = pOperation->_pNextOperation;
        for (int i = 0; i < pOperation->_nChildren; ++i) {
            visit(pOperation->_poChildren[i]);
        }
        delete pOperation;
    }
}

void CExpression::Clear() {
    DestroyTree(_poEvalTreeRoot);
    _poEvalTreeRoot = nullptr;
    if (_pollTokens) {
        _pollTokens->ReleaseAll();
        if (_pollTokens->GetCount() > 0) {
            for (_pollTokens->GoToStart(); _pollTokens->GetCurrent(); _pollTokens->GoToNext()) {
                DestroyTree(_pollTokens->GetCurrent());
            }
        }
        delete _pollTokens;
        _pollTokens = nullptr;
    }
    _nSymbolUnknown = 0;
    _pFirstVariableRef = nullptr;
    _pFirstOperation = nullptr;
    _pLastOperation = nullptr;
}

void CExpression::ReplaceWordOperators(CString* pstr) {
    OSTREL_ASSERT(pstr);
    for (const SWordRule& rule : WORD_RULES) {
        const int nLength = static_cast<int>(std::strlen(rule.pchSearch));
        for (int i = pstr->Find(rule.pchSearch, nLength, false); i > 0;
             i = pstr->Find(rule.pchSearch, nLength, false)) {
            pstr->Overwrite(i, rule.pchReplacement);
        }
    }
    if (pstr->Find("NOT ", 4, false) == 1) {
        pstr->Overwrite(1, "!   ");
    }
    if (pstr->Find("NOT(", 4, false) == 1) {
        pstr->Overwrite(1, "!  (");
    }
}

void CExpression::SetCode(const CString* pstrCodeNew) {
    OSTREL_ASSERT(pstrCodeNew);
    Clear();
    auto* poCode = new CString;
    CleanupStack::PushObject(poCode);
    poCode->Set(pstrCodeNew->GetData(), pstrCodeNew->GetLength());
    ReplaceWordOperators(poCode);
    poCode->RemoveBlanks();
    if (poCode->GetLength() == 0) {
        RaiseError(ERR_EXPRESSION_EMPTY);
    }
    CleanupStack::Pop();
    delete _poCode;
    _poCode = poCode;

    // The added brackets stay in the token list as the outermost pair.
    _poCode->Insert("(", 1, CString::Prepend);
    _poCode->Insert(")", 1, CString::Append);
    _pollTokens = new CLinkedList<CNodeEvalTree>;
    Tokenize();
    _poCode->DeleteLeft(1);
    _poCode->DeleteRight(1);
    MarkNegations();
    ConvertNumerals();
}

void CExpression::AddToken(CNodeEvalTree* pToken) {
    CleanupStack::PushObject(pToken);
    _pollTokens->AddLast(pToken);
    CleanupStack::Pop();
}

void CExpression::ReplaceCurrentToken(CNodeEvalTree* pToken) {
    CleanupStack::PushObject(pToken);
    _pollTokens->ReplaceCurrent(pToken);
    CleanupStack::Pop();
}

void CExpression::Tokenize() {
    const int nLength = _poCode->GetLength();
    int iPrevious = 0;
    while (iPrevious < nLength) {
        int i = _poCode->FindOneOf(OPERATOR_CHARACTERS, iPrevious + 1);
        while (i > 0 && IsExponentSign(_poCode, iPrevious + 1, i)) {
            i = _poCode->FindOneOf(OPERATOR_CHARACTERS, i + 1);
        }
        if (i == 0) {
            i = nLength + 1;
        }
        if (i > iPrevious + 1) {
            CString* poText = _poCode->Mid(iPrevious + 1, i - iPrevious - 1, CString::Plain);
            CleanupStack::PushObject(poText);
            auto* poUnknown = new CNodeUnknown(poText);
            CleanupStack::Pop();
            AddToken(poUnknown);
            ++_nSymbolUnknown;
        }
        if (i <= nLength) {
            const SOperatorInfo& info = OperatorFor(_poCode->GetAt(i));
            AddToken(new CNodeOperation(info.type, info.nPriority, info.nChildren));
        }
        iPrevious = i;
    }
}

void CExpression::MarkNegations() {
    bool bFirst = true;
    ENodeType previous = NT_NUMBER;
    for (_pollTokens->GoToStart(); _pollTokens->GetCurrent(); _pollTokens->GoToNext()) {
        const CNodeEvalTree* pToken = _pollTokens->GetCurrent();
        if (pToken->GetType() == NT_SUBTRACT && (bFirst || IsNegationContext(previous))) {
            ReplaceCurrentToken(new CNodeOperation(NT_NEGATE, 2, 1));
        }
        previous = _pollTokens->GetCurrent()->GetType();
        bFirst = false;
    }
}

void CExpression::ConvertNumerals() {
    for (_pollTokens->GoToStart(); _pollTokens->GetCurrent(); _pollTokens->GoToNext()) {
        const CNodeEvalTree* pToken = _pollTokens->GetCurrent();
        Extended value = 0;
        if (pToken->GetType() == NT_UNKNOWN &&
            static_cast<const CNodeUnknown*>(pToken)->GetText()->ToNumber(&value)) {
            auto* poNumber = new CNodeEvalTree;
            poNumber->_value = value;
            ReplaceCurrentToken(poNumber);
            --_nSymbolUnknown;
        }
    }
}

void CExpression::Link(CSymbolList* pParams, CSymbolList* pLocalVariables,
                       CSymbolList* pLocalArrays, CSymbolList* pLocalConstants) {
    if (_nSymbolUnknown == 0) {
        return;
    }
    // A built-in or library name hides any user symbol of the same name, and
    // a local symbol hides a global one.
    const std::initializer_list<CSymbolList*> scopes = {
        _pProg->GetBuiltInConstants(),
        _pProg->GetLibraryFunctions(),
        pParams,
        pLocalVariables,
        pLocalArrays,
        pLocalConstants,
        _pProg->GetVariables(),
        _pProg->GetArrays(),
        _pProg->GetConstants(),
        _pProg->GetUserFunctions(),
    };
    for (CSymbolList* pScope : scopes) {
        if (_nSymbolUnknown == 0) {
            return;
        }
        if (pScope && pScope->GetCount() > 0) {
            ResolveIn(pScope);
        }
    }
    if (_nSymbolUnknown == 0) {
        return;
    }
    for (_pollTokens->GoToStart(); _pollTokens->GetCurrent(); _pollTokens->GoToNext()) {
        const CNodeEvalTree* pToken = _pollTokens->GetCurrent();
        if (pToken->GetType() == NT_UNKNOWN) {
            _pProg->GetInterpreter()->RaiseNamedError(
                static_cast<const CNodeUnknown*>(pToken)->GetText(), ERR_UNKNOWN_SYMBOL);
        }
    }
}

void CExpression::ResolveIn(CSymbolList* pScope) {
    for (_pollTokens->GoToStart(); _pollTokens->GetCurrent(); _pollTokens->GoToNext()) {
        const CNodeEvalTree* pToken = _pollTokens->GetCurrent();
        if (pToken->GetType() != NT_UNKNOWN) {
            continue;
        }
        CNamedNumeric* pSymbol =
            pScope->FindByName(static_cast<const CNodeUnknown*>(pToken)->GetText());
        if (!pSymbol) {
            continue;
        }
        bool bNeedsBracket = true;
        switch (pSymbol->GetClassNumber()) {
        case CN_NAMEDCONSTANT:
            ReplaceCurrentToken(new CNodeNamedValue(pSymbol, NT_CONSTANT));
            bNeedsBracket = false;
            break;
        case CN_VARIABLE:
            ReplaceCurrentToken(new CNodeNamedValue(pSymbol, NT_VARIABLE));
            bNeedsBracket = false;
            break;
        case CN_ARRAY:
            ReplaceCurrentToken(new CNodeOperation(static_cast<CArray*>(pSymbol)));
            break;
        case CN_FUNCTION:
        case CN_USERFUNCTION:
        case CN_LIBRARYFUNCTION:
            ReplaceCurrentToken(new CNodeOperation(static_cast<CFunction*>(pSymbol)));
            break;
        default:
            RaiseError(ERR_UNEXPECTED);
        }
        --_nSymbolUnknown;
        const CNodeEvalTree* pNext = _pollTokens->GetNext();
        if (bNeedsBracket && (!pNext || pNext->GetType() != NT_LEFT_BRACKET)) {
            RaiseError(ERR_EXPECTED_LEFT_BRACKET);
        }
    }
}

void CExpression::BuildTree() {
    OSTREL_ASSERT(_pollTokens);
    CNodeNamedValue** ppTail = &_pFirstVariableRef;
    for (_pollTokens->GoToStart(); _pollTokens->GetCurrent(); _pollTokens->GoToNext()) {
        CNodeEvalTree* pToken = _pollTokens->GetCurrent();
        if (pToken->GetType() == NT_VARIABLE) {
            *ppTail = static_cast<CNodeNamedValue*>(pToken);
            ppTail = &(*ppTail)->_pNextVariable;
        }
    }
    CNodeEvalTree* pLB = nullptr;
    CNodeEvalTree* pRB = nullptr;
    // No "(" is left after the pair just collapsed, so the next search for
    // the last one starts at the token that stood before it, not at the end:
    // that keeps deeply nested expressions linear.
    ESearchStart start = SEARCH_FROM_END;
    while (FindInnermostBrackets(start, &pLB, &pRB)) {
        ReduceOperators(pLB, pRB);
        start = CollapseBrackets(pLB, pRB);
    }
    if (_pollTokens->GetCount() != 1) {
        RaiseError(ERR_EXPRESSION);
    }
    _pollTokens->GoToStart();
    _poEvalTreeRoot = _pollTokens->GetCurrent();
    _pollTokens->ReleaseAll();
    delete _pollTokens;
    _pollTokens = nullptr;
    CheckTree();
}

// Every operation has all its children, and each child is an operand: a
// number, a named value or an operation already in the chain. The root too
// must be an operand (a lone "," is not).
void CExpression::CheckTree() {
    auto isOperand = [](const CNodeEvalTree* pNode) {
        return pNode &&
               (!pNode->IsOperation() || static_cast<const CNodeOperation*>(pNode)->IsInChain());
    };
    if (!isOperand(_poEvalTreeRoot)) {
        RaiseError(ERR_EXPRESSION);
    }
    const CNodeOperation* pPrevious = nullptr;
    for (CNodeOperation* pNode = _pFirstOperation; pNode; pNode = pNode->_pNextOperation) {
        for (int i = 0; i < pNode->_nChildren; ++i) {
            if (!isOperand(pNode->_poChildren[i])) {
                RaiseError(ERR_EXPRESSION);
            }
        }
        if (pNode->_nChildren > 0) {
            pNode->_pLeft = &pNode->_poChildren[0]->_value;
            pNode->_bLeftIsPrevious = pNode->_poChildren[0] == pPrevious;
        }
        if (pNode->_nChildren > 1) {
            pNode->_pRight = &pNode->_poChildren[1]->_value;
            pNode->_bRightIsPrevious = pNode->_poChildren[1] == pPrevious;
        }
        pPrevious = pNode;
    }
    bool bCalls = false;
    for (const CNodeOperation* pNode = _pFirstOperation; pNode; pNode = pNode->_pNextOperation) {
        if (pNode->_type != NT_CALL) {
            continue;
        }
        bCalls = true;
        if (pNode != _poEvalTreeRoot && pNode->_pFuncIn->IsSubroutine()) {
            RaiseError(ERR_SUB_IN_EXPRESSION);
        }
    }
    if (!bCalls) {
        ReadVariablesInPlace();
    }
}

// Without a function call nothing can change a variable while the
// expression runs, so its operations may read the variables themselves
// instead of copies taken at the start: the inner loops of programs save a
// store and a load per variable.
void CExpression::ReadVariablesInPlace() {
    auto source = [](const CNodeEvalTree* pChild, const Extended* pCopy) {
        return pChild && pChild->GetType() == NT_VARIABLE
                   ? static_cast<const CNodeNamedValue*>(pChild)->_pValueSource
                   : pCopy;
    };
    for (CNodeOperation* pNode = _pFirstOperation; pNode; pNode = pNode->_pNextOperation) {
        if (pNode->_nChildren > 0) {
            pNode->_pLeft = source(pNode->_poChildren[0], pNode->_pLeft);
        }
        if (pNode->_nChildren > 1) {
            pNode->_pRight = source(pNode->_poChildren[1], pNode->_pRight);
        }
    }
    // Only a variable standing alone still needs its copy.
    _pFirstVariableRef = nullptr;
    if (_poEvalTreeRoot->GetType() == NT_VARIABLE) {
        _pFirstVariableRef = static_cast<CNodeNamedValue*>(_poEvalTreeRoot);
        _pFirstVariableRef->_pNextVariable = nullptr;
    }
}

bool CExpression::FindInnermostBrackets(ESearchStart start, CNodeEvalTree** ppLB,
                                        CNodeEvalTree** ppRB) {
    CLinkedList<CNodeEvalTree>& tokens = *_pollTokens;
    if (tokens.GetCount() == 0) {
        return false;
    }
    if (start != SEARCH_NOTHING_BEFORE) {
        if (start == SEARCH_FROM_BOOKMARK) {
            tokens.GoToBookmark();
        } else {
            tokens.GoToEnd();
        }
        while (tokens.GetCurrent() && tokens.GetCurrent()->GetType() != NT_LEFT_BRACKET) {
            tokens.GoToPrevious();
        }
    }
    if (start == SEARCH_NOTHING_BEFORE || !tokens.GetCurrent()) {
        for (tokens.GoToStart(); tokens.GetCurrent(); tokens.GoToNext()) {
            if (tokens.GetCurrent()->GetType() == NT_RIGHT_BRACKET) {
                RaiseError(ERR_LEFT_BRACKET_MISSING);
            }
        }
        return false;
    }
    *ppLB = tokens.GetCurrent();
    tokens.SetBookmark();
    for (; tokens.GetCurrent(); tokens.GoToNext()) {
        if (tokens.GetCurrent()->GetType() == NT_RIGHT_BRACKET) {
            *ppRB = tokens.GetCurrent();
            return true;
        }
    }
    RaiseError(ERR_RIGHT_BRACKET_MISSING);
}

void CExpression::ReduceOperators(const CNodeEvalTree* pLB, const CNodeEvalTree* pRB) {
    OSTREL_ASSERT(pLB && pRB);
    for (int nPriority = 1; nPriority <= 8; ++nPriority) {
        _pollTokens->GoToBookmark();
        for (_pollTokens->GoToNext(); _pollTokens->GetCurrent() != pRB; _pollTokens->GoToNext()) {
            CNodeEvalTree* pToken = _pollTokens->GetCurrent();
            if (pToken->GetPriority() == nPriority) {
                Reduce(static_cast<CNodeOperation*>(pToken), pLB, pRB);
            }
        }
    }
}

void CExpression::Reduce(CNodeOperation* pNode, const CNodeEvalTree* pLB,
                         const CNodeEvalTree* pRB) {
    pNode->_nPriority = -1;
    AppendToChain(pNode);
    const CNodeEvalTree* pNext = _pollTokens->GetNext();
    if (!pNext || pNext == pRB) {
        RaiseError(ERR_EXPRESSION);
    }
    if (pNode->_nChildren == 1) {
        pNode->_poChildren[0] = TakeNextToken();
        return;
    }
    const CNodeEvalTree* pPrevious = _pollTokens->GetPrevious();
    if (!pPrevious || pPrevious == pLB) {
        RaiseError(ERR_EXPRESSION);
    }
    pNode->_poChildren[1] = TakeNextToken();
    pNode->_poChildren[0] = TakePreviousToken();
}

CExpression::ESearchStart CExpression::CollapseBrackets(const CNodeEvalTree* pLB,
                                                        const CNodeEvalTree* pRB) {
    OSTREL_ASSERT(pLB && pRB);
    CLinkedList<CNodeEvalTree>& tokens = *_pollTokens;
    tokens.GoToBookmark();
    CNodeEvalTree* pBefore = tokens.GetPrevious();
    const bool bCall = pBefore &&
                       (pBefore->GetType() == NT_CALL || pBefore->GetType() == NT_ARRAY) &&
                       !static_cast<CNodeOperation*>(pBefore)->IsInChain();
    if (!bCall) {
        // A plain group: only the brackets go.
        while (tokens.GetCurrent() != pRB) {
            tokens.GoToNext();
        }
        tokens.RemoveCurrent();
        tokens.GoToBookmark();
        if (!pBefore) {
            tokens.RemoveCurrent();
            return SEARCH_NOTHING_BEFORE;
        }
        tokens.GoToPrevious();
        tokens.SetBookmark();
        tokens.RemoveNext();
        return SEARCH_FROM_BOOKMARK;
    }
    auto* pNode = static_cast<CNodeOperation*>(pBefore);
    tokens.GoToPrevious();
    tokens.SetBookmark();
    AppendToChain(pNode);
    tokens.RemoveNext();
    for (int i = 0; i < pNode->_nChildren; ++i) {
        if (i > 0) {
            const CNodeEvalTree* pComma = tokens.GetNext();
            if (!pComma || pComma->GetType() != NT_COMMA) {
                RaiseError(ERR_EXPECTED_COMMA);
            }
            tokens.RemoveNext();
        }
        if (!tokens.GetNext()) {
            RaiseError(ERR_PARAMETER_MISSING);
        }
        pNode->_poChildren[i] = TakeNextToken();
    }
    if (tokens.GetNext() != pRB) {
        RaiseError(ERR_EXPECTED_RIGHT_BRACKET);
    }
    tokens.RemoveNext();
    return SEARCH_FROM_BOOKMARK;
}

void CExpression::AppendToChain(CNodeOperation* pNode) {
    pNode->_bInChain = true;
    if (_pLastOperation) {
        _pLastOperation->_pNextOperation = pNode;
    } else {
        _pFirstOperation = pNode;
    }
    _pLastOperation = pNode;
}

// Detach a neighbour of the cursor from the list without destroying it.
CNodeEvalTree* CExpression::TakeNextToken() {
    CNodeEvalTree* pToken = _pollTokens->GetNext();
    _pollTokens->GoToNext();
    _pollTokens->ReleaseCurrent();
    _pollTokens->GoToPrevious();
    _pollTokens->RemoveNext();
    return pToken;
}

CNodeEvalTree* CExpression::TakePreviousToken() {
    CNodeEvalTree* pToken = _pollTokens->GetPrevious();
    _pollTokens->GoToPrevious();
    _pollTokens->ReleaseCurrent();
    _pollTokens->GoToNext();
    _pollTokens->RemovePrevious();
    return pToken;
}

bool CExpression::IsSubroutineCall() const {
    return _poEvalTreeRoot && _poEvalTreeRoot->GetType() == NT_CALL &&
           static_cast<const CNodeOperation*>(_poEvalTreeRoot)->GetFunction()->IsSubroutine();
}

void CExpression::Print() const {
    CUserInterface* pUI = _pProg->GetUserInterface();
    if (_pollTokens) {
        if (_pollTokens->GetCount() > 0) {
            for (_pollTokens->GoToStart(); _pollTokens->GetCurrent(); _pollTokens->GoToNext()) {
                _pollTokens->GetCurrent()->Print(pUI);
            }
        }
        return;
    }
    if (_poCode) {
        _poCode->Print(pUI);
    }
}
