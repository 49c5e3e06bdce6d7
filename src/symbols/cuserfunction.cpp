#include "cuserfunction.h"

#include "cnamedconstant.h"
#include "core/cassert.h"
#include "core/cleanupstack.h"
#include "core/csourceplace.h"
#include "core/cstring.h"
#include "expression/cexpression.h"
#include "interpreter/cinterpreter.h"
#include "interpreter/cprogram.h"
#include "interpreter/csequence.h"
#include "interpreter/namecheck.h"
#include "ui/cuserinterface.h"

#include <cstdint>

namespace {

// Calls of distinct functions nest through the native stack; a chain of
// this many is refused long before the stack runs out.
constexpr int MAX_CALL_DEPTH = 1000;
int g_nCallDepth = 0;

// Every body may nest its blocks as deep as a program file allows, and the
// blocks nest through the stack too, so the count of calls alone does not
// bound it: the stack that a chain of calls takes is bounded as well, to a
// part of the 8 MiB the main thread has. Stacks grow downwards wherever the
// calculator runs.
constexpr std::uintptr_t CALL_STACK_BUDGET = std::uintptr_t{3} << 20;
std::uintptr_t g_nOutermostCallFrame = 0;

std::uintptr_t CurrentFrame() {
    return reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0));
}

bool IsCallStackSpent() {
    const std::uintptr_t nFrame = CurrentFrame();
    return g_nCallDepth > 0 && nFrame < g_nOutermostCallFrame &&
           g_nOutermostCallFrame - nFrame > CALL_STACK_BUDGET;
}

bool IsDeclaration(const CStatement* pStatement) {
    return pStatement->GetClassNumber() == CN_DECLARECONSTORVAR ||
           pStatement->GetClassNumber() == CN_DECLAREARRAY;
}

} // namespace

CUserFunction::CUserFunction(CProgram* pProg) : CFunction(pProg) {
    AddInstance(CN_USERFUNCTION);
}

CUserFunction::~CUserFunction() {
    delete _poExpr;
    delete _poStatFunctionBody;
    delete _poPlace;
    RemoveInstance(CN_USERFUNCTION);
}

void CUserFunction::SetPlace(CSourcePlace* pPlace) {
    delete _poPlace;
    _poPlace = pPlace;
}

std::uint8_t CUserFunction::GetClassNumber() const {
    return CN_USERFUNCTION;
}

void CUserFunction::Print(CUserInterface* pUI) const {
    PrintName(pUI);
}

void CUserFunction::Define(const CString* pstrName, const CString* pstrExpr,
                           const CString* pstrParams, bool bSubroutine) {
    OSTREL_ASSERT(pstrName && pstrParams);
    Init(pstrName, bSubroutine);
    if (pstrExpr) {
        _poExpr = new CExpression(_pProg);
        _poExpr->SetCode(pstrExpr);
    }
    // (A, B): each name runs to the next comma after its first character,
    // the last one to the closing bracket.
    const int nLength = pstrParams->GetLength();
    for (int iStart = 2; nLength > 2;) {
        const int iComma = iStart < nLength ? pstrParams->FindChar(',', iStart + 1) : 0;
        const int iEnd = iComma > 0 ? iComma : nLength;
        AddParameter(pstrParams->Mid(iStart, iEnd - iStart, CString::Trimmed));
        if (iComma == 0) {
            break;
        }
        iStart = iComma + 1;
    }
    if (!bSubroutine) {
        if (GetParams()->FindByName(GetName())) {
            _pProg->GetInterpreter()->RaiseNamedError(GetName(), ERR_DUPLICATE_PARAMETER);
        }
        auto* poResult = new CVariable(true, 0);
        CleanupStack::PushObject(poResult);
        poResult->SetName(GetName());
        GetParams()->AddLast(poResult);
        CleanupStack::Pop();
        _pResult = poResult;
    }
}

void CUserFunction::DefineExpression(const CString* pstrExpr, const char* pchVariable) {
    OSTREL_ASSERT(pstrExpr && pchVariable);
    Init(pstrExpr, false);
    _bExpression = true;
    _poExpr = new CExpression(_pProg);
    _poExpr->SetCode(pstrExpr);
    // Its value is the expression's: no result variable follows the
    // parameter, so the expression may be the variable itself.
    auto* poVariable = new CString;
    CleanupStack::PushObject(poVariable);
    poVariable->Set(pchVariable);
    CleanupStack::Pop();
    AddParameter(poVariable);
}

void CUserFunction::AddParameter(CString* poName) {
    CleanupStack::PushObject(poName);
    CheckNewName(_pProg, poName, GetParams()->FindByName(poName) != nullptr,
                 {ERR_DUPLICATE_PARAMETER, ERR_ILLEGAL_PARAMETER_NAME});
    auto* poParam = new CVariable(true, 0);
    CleanupStack::PushObject(poParam);
    poParam->SetName(poName);
    GetParams()->AddLast(poParam);
    CleanupStack::Pop();
    SetParamCount(GetParamCount() + 1);
    CleanupStack::PopAndDestroy();
}

void CUserFunction::SetBody(CStatement* pBody) {
    OSTREL_ASSERT(pBody);
    // Owned from the start: once linked, the body refers to this function's
    // own symbols, so on a failure it must go with the function, before them.
    delete _poStatFunctionBody;
    _poStatFunctionBody = pBody;
    if (pBody->CountDeletes() > 0) {
        RaiseError(ERR_DELETE_DIRECT_ONLY);
    }
    if (pBody->CountFunctionDefinitions() > 0) {
        RaiseError(ERR_NESTED_FUNCTION);
    }
    const int nDeclarations = pBody->CountConstDeclarations() + pBody->CountVarDeclarations();
    const bool bSequence = pBody->GetClassNumber() == CN_SEQUENCE;
    CLinkedList<CStatement>* pStatements =
        bSequence ? static_cast<CSequence*>(pBody)->GetStatements() : nullptr;
    if (nDeclarations > 0) {
        // A body that is one declaration counts as a sequence of one.
        bool bAtStart = bSequence ? pStatements->GetCount() >= nDeclarations
                                  : nDeclarations == 1 && IsDeclaration(pBody);
        if (bSequence && bAtStart) {
            pStatements->GoToStart();
            for (int i = 0; i < nDeclarations && bAtStart; ++i, pStatements->GoToNext()) {
                bAtStart = IsDeclaration(pStatements->GetCurrent());
            }
        }
        if (!bAtStart) {
            RaiseError(ERR_LOCAL_DECLARATION_PLACE);
        }
    }
    pBody->SetOwnerFunction(this);
    if (!bSequence && nDeclarations == 1) {
        // The declarations run once, now; they are not part of later calls.
        pBody->LinkInPlace();
        pBody->ExecuteInPlace();
        auto* poEmpty = new CSequence(_pProg);
        CleanupStack::PushObject(poEmpty);
        poEmpty->SetStatements(nullptr);
        CleanupStack::Pop();
        delete pBody;
        pBody = poEmpty;
        _poStatFunctionBody = pBody;
    }
    for (int i = 0; bSequence && i < nDeclarations; ++i) {
        pStatements->GoToStart();
        pStatements->GetCurrent()->LinkInPlace();
        pStatements->GetCurrent()->ExecuteInPlace();
        pStatements->GoToStart();
        pStatements->RemoveCurrent();
    }
    pBody->LinkInPlace();
    // Locals are declared only here, at the start of the body.
    _bHasLocals = GetLocalVariables()->GetCount() + GetLocalArrays()->GetCount() > 0;
}

void CUserFunction::Link() {
    if (!_poExpr) {
        return;
    }
    _poExpr->Link(GetParams(), nullptr, nullptr, nullptr);
    _poExpr->BuildTree();
    if (_poExpr->IsSubroutineCall()) {
        RaiseError(ERR_SUB_NO_VALUE);
    }
}

void CUserFunction::BeforeCall() {
    if (!_bHasLocals) {
        return;
    }
    for (CLinkedList<CNamedNumeric>* pLocals : {GetLocalVariables(), GetLocalArrays()}) {
        if (pLocals->GetCount() > 0) {
            for (pLocals->GoToStart(); pLocals->GetCurrent(); pLocals->GoToNext()) {
                pLocals->GetCurrent()->Reset();
            }
        }
    }
}

Extended CUserFunction::GetValue() {
    OSTREL_ASSERT(_poExpr || _poStatFunctionBody);
    OSTREL_ASSERT(!_poExpr || !_poStatFunctionBody);
    if (_bRunning) {
        RaiseError(ERR_RECURSION);
    }
    if (g_nCallDepth >= MAX_CALL_DEPTH || IsCallStackSpent()) {
        RaiseError(ERR_OUT_OF_MEMORY);
    }
    if (g_nCallDepth == 0) {
        g_nOutermostCallFrame = CurrentFrame();
    }
    _bRunning = true;
    ++g_nCallDepth;
    Extended value = 0;
    try {
        const CPlaceScope scope(_poPlace);
        if (_poExpr) {
            value = _poExpr->Evaluate();
        } else {
            // EXIT FUNCTION and EXIT LOOP both just end the run.
            _poStatFunctionBody->ExecuteInPlace();
        }
    } catch (int) {
        // The one catch below the window: the guard is released and the
        // same error goes on.
        _bRunning = false;
        --g_nCallDepth;
        throw;
    }
    _bRunning = false;
    --g_nCallDepth;
    if (_poExpr || IsSubroutine()) {
        return _poExpr ? value : 0;
    }
    // Read without walking the parameter list: its cursor is where the
    // next SetParam expects it.
    return _pResult->GetValue();
}
