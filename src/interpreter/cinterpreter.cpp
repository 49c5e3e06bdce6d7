#include "cinterpreter.h"

#include "core/cassert.h"
#include "core/cleanupstack.h"
#include "core/clinkedlist.h"
#include "core/csourceplace.h"
#include "core/cstring.h"
#include "core/errorcodes.h"
#include "cprogram.h"
#include "crunfile.h"
#include "csequence.h"
#include "statements/cassignarray.h"
#include "statements/cassignvariable.h"
#include "statements/cbranch.h"
#include "statements/cdeclarearray.h"
#include "statements/cdeclareconstorvar.h"
#include "statements/cdefinefunction.h"
#include "statements/cdeletesymbol.h"
#include "statements/cfindzeros.h"
#include "statements/cfunctionbuttons.h"
#include "statements/cintegrate.h"
#include "statements/cplotcurve.h"
#include "statements/crepeat.h"
#include "statements/csimplestatements.h"

#include <cstring>

namespace {

// One-line structures nest by recursion; a typed line could nest them
// without end.
constexpr int MAX_RECOGNITION_DEPTH = 200;

class CDepthGuard {
public:
    explicit CDepthGuard(int& nDepth) : _nDepth(++nDepth) {}
    ~CDepthGuard() { --_nDepth; }
    CDepthGuard(const CDepthGuard&) = delete;
    CDepthGuard& operator=(const CDepthGuard&) = delete;

private:
    int& _nDepth;
};

int Length(const char* pch) {
    return static_cast<int>(std::strlen(pch));
}

bool Starts(const CString* pstr, const char* pch) {
    return pstr->GetLength() > 0 && pstr->StartsWith(pch, Length(pch), false);
}

bool Equals(const CString* pstr, const char* pch) {
    return pstr->Compare(pch, false);
}

bool IsBlankText(const CString* pstr) {
    for (int i = 1; i <= pstr->GetLength(); ++i) {
        if (!IsBlank(pstr->GetAt(i))) {
            return false;
        }
    }
    return true;
}

int Position(const CString* pstr, const char* pch) {
    return pstr->Find(pch, Length(pch), false);
}

// The first occurrence at or after iCh, 0 if none.
int PositionFrom(const CString* pstr, const char* pch, int iCh) {
    CString* poRest = pstr->MidToEnd(iCh, CString::Plain);
    const int i = Position(poRest, pch);
    delete poRest;
    return i > 0 ? i + iCh - 1 : 0;
}

// A piece of the line, left on the cleanup stack.
CString* Piece(const CString* pstr, int iCh, int nCount, CString::EMidMode mode = CString::Plain) {
    CString* poPiece = pstr->Mid(iCh, nCount, mode);
    CleanupStack::PushObject(poPiece);
    return poPiece;
}

CString* PieceToEnd(const CString* pstr, int iCh, CString::EMidMode mode = CString::Plain) {
    return Piece(pstr, iCh, pstr->GetLength() - iCh + 1, mode);
}

// A new text made of three parts, left on the cleanup stack.
CString* Joined(const char* pchBefore, const CString* pstrMiddle, const char* pchAfter) {
    auto* poText = new CString;
    CleanupStack::PushObject(poText);
    poText->Set(pchBefore);
    poText->Insert(pstrMiddle, CString::Append);
    poText->Insert(pchAfter, Length(pchAfter), CString::Append);
    return poText;
}

template <class T> T* Pushed(T* pObject) {
    CleanupStack::PushObject(pObject);
    return pObject;
}

// Hands a statement under construction back to the caller: off the cleanup
// stack, then the nPieces texts below it destroyed.
CStatement* Finished(CStatement* pStatement, int nPieces) {
    CleanupStack::Pop();
    CleanupStack::PopAndDestroy(nPieces);
    return pStatement;
}

} // namespace

CInterpreter::CInterpreter() {
    AddInstance(CN_INTERPRETER);
}

CInterpreter::~CInterpreter() {
    delete _poErrorName;
    RemoveInstance(CN_INTERPRETER);
}

std::uint8_t CInterpreter::GetClassNumber() const {
    return CN_INTERPRETER;
}

void CInterpreter::RaiseNamedError(const CString* pstrName, int nCode) {
    OSTREL_ASSERT(pstrName);
    delete _poErrorName;
    _poErrorName = nullptr;
    // Should the copy run out of memory, that becomes the error reported.
    auto* poName = new CString;
    _poErrorName = poName;
    poName->Set(pstrName->GetData(), pstrName->GetLength());
    RaiseError(nCode);
}

CStatement* CInterpreter::CreateStatement(const CString* pstrLine) {
    OSTREL_ASSERT(_pProgram);
    if (!pstrLine) {
        return new CDoNothing(_pProgram);
    }
    const CDepthGuard guard(_nRecognitionDepth);
    if (_nRecognitionDepth > MAX_RECOGNITION_DEPTH) {
        RaiseError(ERR_INPUT_TOO_LONG);
    }
    CString* poL = PieceToEnd(pstrLine, 1, CString::Trimmed);
    poL->ToUpperOutsideQuotes();
    CStatement* poStatement = Recognise(poL);
    CleanupStack::PopAndDestroy();
    return poStatement;
}

// The rules are tried in this order; the first that matches decides.
CStatement* CInterpreter::Recognise(CString* pstrL) {
    const CString* L = pstrL;
    const int N = L->GetLength();
    const int E = L->FindChar('=', 1);
    // (empty) | ' comment | REM comment | // comment
    if (N == 0 || Starts(L, "'") || Starts(L, "REM ") || Starts(L, "//")) {
        return new CDoNothing(_pProgram);
    }
    // IF cond THEN stmt [ELSE stmt]
    if (Starts(L, "IF ")) {
        return CreateIf(L);
    }
    // FOR v=a TO b [DO stmt]
    if (Starts(L, "FOR ")) {
        return CreateFor(L);
    }
    // DIM name [= expr] | DIM name(lower TO upper)
    if (Starts(L, "DIM ")) {
        return CreateDeclaration(L, 5, 6, false);
    }
    // STATIC name [= expr] | STATIC name(lower TO upper)
    if (Starts(L, "STATIC ")) {
        return CreateDeclaration(L, 8, 9, true);
    }
    // CONST name = expr
    if (Starts(L, "CONST ")) {
        if (E == 0) {
            RaiseError(ERR_CONSTANT_NOT_INITIALISED);
        }
        const CString* pstrName = Piece(L, 7, E - 7);
        const CString* pstrValue = PieceToEnd(L, E + 1);
        auto* pStatement = Pushed(new CDeclareConstOrVar(_pProgram, pstrName, DK_CONSTANT));
        pStatement->SetExpressions(1, pstrValue);
        return Finished(pStatement, 2);
    }
    // FUNCTION name(params) [= expr]
    if (Starts(L, "FUNCTION ")) {
        CString* pstrName = nullptr;
        CString* pstrParams = nullptr;
        CString* pstrExpr = nullptr;
        const int nPieces = SplitFunction(L, &pstrName, &pstrParams, &pstrExpr);
        auto* pStatement =
            Pushed(new CDefineFunction(_pProgram, pstrName, pstrParams, pstrExpr, false));
        return Finished(pStatement, nPieces);
    }
    // PRINT "text"[;]
    if (Starts(L, "PRINT \"")) {
        const bool bNewline = L->GetAt(N) != ';';
        const CString* pstrText = bNewline ? PieceToEnd(L, 7) : Piece(L, 7, N - 7);
        auto* pStatement = Pushed(new CPrintText(_pProgram));
        pStatement->SetText(pstrText, bNewline);
        return Finished(pStatement, 1);
    }
    // PRINT expr[;]
    if (Starts(L, "PRINT ")) {
        const CString* pstrExpr = PieceToEnd(L, 7);
        auto* pStatement = Pushed(new CPrintExpression(_pProgram));
        pStatement->SetText(pstrExpr);
        return Finished(pStatement, 1);
    }
    // [CALL] sub args
    CString* pstrCall = nullptr;
    if (IsCall(L, &pstrCall)) {
        CleanupStack::PushObject(pstrCall);
        auto* pStatement = Pushed(new CCallSub(_pProgram));
        pStatement->SetText(pstrCall);
        return Finished(pStatement, 1);
    }
    // DELETE name
    if (Starts(L, "DELETE ")) {
        const CString* pstrName = PieceToEnd(L, 8);
        return Finished(Pushed(new CDeleteSymbol(_pProgram, pstrName)), 1);
    }
    // RUNFILE "file"
    if (Starts(L, "RUNFILE ")) {
        const CString* pstrFile = PieceToEnd(L, 9);
        auto* pStatement = Pushed(new CRunFile(_pProgram));
        pStatement->SetFileName(pstrFile);
        return Finished(pStatement, 1);
    }
    // CLEARFUNCTIONBUTTON index
    if (Starts(L, "CLEARFUNCTIONBUTTON ")) {
        const CString* pstrIndex = PieceToEnd(L, 21);
        auto* pStatement = Pushed(new CClearFunctionButton(_pProgram));
        pStatement->SetExpressions(1, pstrIndex);
        return Finished(pStatement, 1);
    }
    // SETFUNCTIONBUTTON index, "command", "caption", run-flag
    if (Starts(L, "SETFUNCTIONBUTTON ")) {
        const CString* A = PieceToEnd(L, 19);
        const int nA = A->GetLength();
        const int C1 = A->FindSeparator(1, ',', 1);
        const int C2 = A->FindSeparator(1, ',', 2);
        const int C3 = A->FindSeparator(1, ',', 3);
        if (C1 < 2 || C2 == 0) {
            RaiseError(ERR_EXPECTED_COMMA);
        }
        if (C2 < C1 + 2 || C2 > nA - 1) {
            RaiseError(ERR_SYNTAX);
        }
        if (C3 == 0) {
            RaiseError(ERR_EXPECTED_COMMA);
        }
        if (C3 < C2 + 2 || C3 > nA - 1) {
            RaiseError(ERR_SYNTAX);
        }
        CString* pstrIndex = Piece(A, 1, C1 - 1);
        // Counted apart from other strings by the instance accounting.
        pstrIndex->SetCounterOffset(90);
        const CString* pstrCommand = Piece(A, C1 + 1, C2 - C1 - 1);
        const CString* pstrCaption = Piece(A, C2 + 1, C3 - C2 - 1);
        const CString* pstrRunFlag = PieceToEnd(A, C3 + 1);
        auto* pStatement = Pushed(new CSetFunctionButton(_pProgram));
        pStatement->SetText(pstrIndex, pstrCommand, pstrCaption, pstrRunFlag);
        return Finished(pStatement, 5);
    }
    // FINDZEROS F,A,B
    if (Starts(L, "FINDZEROS ")) {
        const int K = L->FindChar(',', 1);
        if (K < 12) {
            RaiseError(ERR_EXPECTED_COMMA);
        }
        const CString* pstrFunc = Piece(L, 11, K - 11);
        const CString* pstrInterval = PieceToEnd(L, K + 1);
        auto* pStatement = Pushed(new CFindZeros(_pProgram, pstrFunc));
        pStatement->SetText(pstrInterval);
        return Finished(pStatement, 2);
    }
    // PLOTXY X1,X2,F[,G...] and PLOTPHIR P1,P2,FR: the interval, then the
    // function text.
    const int nPlotKeyword = Starts(L, "PLOTXY ") ? 7 : Starts(L, "PLOTPHIR ") ? 9 : 0;
    if (nPlotKeyword > 0) {
        const int S = L->FindSeparator(nPlotKeyword + 1, ',', 2);
        if (S < nPlotKeyword + 4) {
            RaiseError(ERR_EXPECTED_COMMA);
        }
        const CString* pstrInterval = Piece(L, nPlotKeyword + 1, S - nPlotKeyword - 1);
        const CString* pstrFunc = PieceToEnd(L, S + 1);
        auto* pStatement = Pushed(new CPlotCurve(_pProgram));
        if (nPlotKeyword == 7) {
            pStatement->SetUpPlotXY(pstrFunc, pstrInterval);
        } else {
            pStatement->SetUpPlotPhiR(pstrFunc, pstrInterval);
        }
        return Finished(pStatement, 2);
    }
    // PLOTTXY T1,T2,FX,FY
    if (Starts(L, "PLOTTXY ")) {
        const int S2 = L->FindSeparator(9, ',', 2);
        const int S3 = L->FindSeparator(9, ',', 3);
        if (S2 < 12 || S3 < S2 + 2) {
            RaiseError(ERR_SYNTAX);
        }
        const CString* pstrInterval = Piece(L, 9, S2 - 9);
        const CString* pstrFuncX = Piece(L, S2 + 1, S3 - S2 - 1);
        const CString* pstrFuncY = PieceToEnd(L, S3 + 1);
        auto* pStatement = Pushed(new CPlotCurve(_pProgram));
        pStatement->SetUpPlotTXY(pstrFuncX, pstrFuncY, pstrInterval);
        return Finished(pStatement, 3);
    }
    // INTEGRATE F,A,B,VAR
    if (Starts(L, "INTEGRATE ")) {
        const int K = L->FindChar(',', 1);
        if (K < 12) {
            RaiseError(ERR_INTEGRATE_SYNTAX);
        }
        const int K3 = L->FindSeparator(1, ',', 3);
        if (K3 < K + 4) {
            RaiseError(ERR_INTEGRATE_SYNTAX);
        }
        const CString* pstrFunc = Piece(L, 11, K - 11);
        const CString* pstrInterval = Piece(L, K + 1, K3 - K - 1);
        const CString* pstrVar = PieceToEnd(L, K3 + 1);
        auto* pStatement = Pushed(new CIntegrate(_pProgram));
        pStatement->SetText(pstrFunc, pstrInterval, pstrVar);
        return Finished(pStatement, 3);
    }
    // EXIT LOOP | EXIT FUNCTION | EXIT SUB
    if (Equals(L, "EXIT LOOP")) {
        return new CExitLoop(_pProgram);
    }
    if (Equals(L, "EXIT FUNCTION") || Equals(L, "EXIT SUB")) {
        return new CExitFunction(_pProgram);
    }
    // ? expr
    if (Starts(L, "?")) {
        const CString* pstrExpr = PieceToEnd(L, 2);
        auto* pStatement = Pushed(new CPrintExpression(_pProgram));
        pStatement->SetText(pstrExpr);
        return Finished(pStatement, 1);
    }
    // [LET] name = expr | [LET] name(index) = expr
    if (E > 0) {
        return CreateAssignment(pstrL);
    }
    // expr
    const CString* pstrExpr = PieceToEnd(L, 1);
    auto* pStatement = Pushed(new CPrintExpression(_pProgram));
    pStatement->SetText(pstrExpr);
    return Finished(pStatement, 1);
}

CStatement* CInterpreter::CreateIf(const CString* pstrL) {
    CString* pstrCondition = nullptr;
    CString* pstrOnTrue = nullptr;
    CString* pstrOnFalse = nullptr;
    const int nPieces = SplitIf(pstrL, &pstrCondition, &pstrOnTrue, &pstrOnFalse);
    if (!pstrOnTrue) {
        RaiseError(ERR_IF_SYNTAX);
    }
    CStatement* pOnTrue = Pushed(CreateStatement(pstrOnTrue));
    CStatement* pOnFalse = pstrOnFalse ? Pushed(CreateStatement(pstrOnFalse)) : nullptr;
    auto* pBranch = new CBranch(pOnTrue, pOnFalse, _pProgram);
    CleanupStack::Pop(pOnFalse ? 2 : 1);
    CleanupStack::PushObject(pBranch);
    pBranch->SetExpressions(1, pstrCondition);
    return Finished(pBranch, nPieces);
}

CStatement* CInterpreter::CreateFor(const CString* pstrL) {
    CString* pstrInit = nullptr;
    CString* pstrPreCondition = nullptr;
    CString* pstrRepeat = nullptr;
    CString* pstrUpdate = nullptr;
    const int nPieces = SplitFor(pstrL, &pstrInit, &pstrPreCondition, &pstrRepeat, &pstrUpdate);
    CStatement* pBody =
        Pushed(pstrRepeat ? CreateStatement(pstrRepeat) : new CDoNothing(_pProgram));
    CStatement* pBefore = Pushed(CreateStatement(pstrInit));
    CStatement* pAfter = Pushed(CreateStatement(pstrUpdate));
    auto* pRepeat = new CRepeat(pBefore, pBody, pAfter, _pProgram);
    CleanupStack::Pop(3);
    CleanupStack::PushObject(pRepeat);
    pRepeat->SetConditions(pstrPreCondition, nullptr);
    return Finished(pRepeat, nPieces);
}

// DIM and STATIC differ in where the name starts and in how far right the
// bracket of an array must stand; STATIC does not look at the "=".
CStatement* CInterpreter::CreateDeclaration(const CString* pstrL, int iName, int iMinBracket,
                                            bool bStatic) {
    const int E = pstrL->FindChar('=', 1);
    const int P = pstrL->FindChar('(', 1);
    const EDeclarationKind kind = bStatic ? DK_STATIC : DK_VARIABLE;
    const bool bArray = P >= iMinBracket && (bStatic || E == 0 || E > P);
    if (!bArray) {
        const CString* pstrName =
            E > 0 ? Piece(pstrL, iName, E - iName, CString::Trimmed) : PieceToEnd(pstrL, iName);
        const CString* pstrValue = E > 0 ? PieceToEnd(pstrL, E + 1) : nullptr;
        auto* pStatement = Pushed(new CDeclareConstOrVar(_pProgram, pstrName, kind));
        pStatement->SetExpressions(1, pstrValue);
        return Finished(pStatement, pstrValue ? 2 : 1);
    }
    const CString* pstrName = Piece(pstrL, iName, P - iName, CString::Trimmed);
    const int R = pstrL->FindChar(')', 1);
    if (R <= P) {
        RaiseError(ERR_EXPECTED_RIGHT_BRACKET);
    }
    const int T = Position(pstrL, " TO ");
    if (T <= P || T > R - 5) {
        RaiseError(ERR_ARRAY_DECLARATION);
    }
    const CString* pstrLower = Piece(pstrL, P + 1, T - P - 1, CString::Trimmed);
    const CString* pstrUpper = Piece(pstrL, T + 4, R - T - 4, CString::Trimmed);
    auto* pStatement = Pushed(new CDeclareArray(_pProgram, pstrName, kind));
    pStatement->SetExpressions(2, pstrLower, pstrUpper);
    return Finished(pStatement, 3);
}

CStatement* CInterpreter::CreateAssignment(CString* pstrL) {
    int E = pstrL->FindChar('=', 1);
    if (Starts(pstrL, "LET ")) {
        pstrL->DeleteLeft(4);
        E -= 4;
    }
    const int P = pstrL->FindChar('(', 1);
    if (P == 0 || P > E) {
        const CString* pstrName = Piece(pstrL, 1, E - 1);
        const CString* pstrValue = PieceToEnd(pstrL, E + 1);
        auto* pStatement = Pushed(new CAssignVariable(_pProgram));
        pStatement->SetText(pstrName, pstrValue);
        return Finished(pStatement, 2);
    }
    const int R = pstrL->FindChar(')', 1);
    if (R <= P || R >= E) {
        RaiseError(ERR_SYNTAX);
    }
    const CString* pstrName = Piece(pstrL, 1, P - 1);
    const CString* pstrIndex = Piece(pstrL, P + 1, R - P - 1);
    const CString* pstrValue = PieceToEnd(pstrL, E + 1);
    auto* pStatement = Pushed(new CAssignArray(_pProgram));
    pStatement->SetText(pstrName, pstrIndex, pstrValue);
    return Finished(pStatement, 3);
}

int CInterpreter::SplitIf(const CString* pstrLine, CString** ppstrExpr, CString** ppstrStatOnTrue,
                          CString** ppstrStatOnFalse) const {
    OSTREL_ASSERT(pstrLine && ppstrExpr && ppstrStatOnTrue && ppstrStatOnFalse);
    const int T1 = Position(pstrLine, " THEN ");
    const int T2 = Position(pstrLine, " THEN");
    const int X = Position(pstrLine, " ELSE ");
    *ppstrStatOnTrue = nullptr;
    *ppstrStatOnFalse = nullptr;
    if (T1 == 0) {
        // IF cond THEN alone opens an IF block.
        if (T2 == 0) {
            RaiseError(ERR_EXPECTED_THEN);
        }
        *ppstrExpr = Piece(pstrLine, 4, T2 - 4);
        return 1;
    }
    *ppstrExpr = Piece(pstrLine, 4, T1 - 4);
    if (X == 0) {
        *ppstrStatOnTrue = PieceToEnd(pstrLine, T1 + 6);
        return 2;
    }
    *ppstrStatOnTrue = Piece(pstrLine, T1 + 6, X - T1 - 6);
    *ppstrStatOnFalse = PieceToEnd(pstrLine, X + 6);
    return 3;
}

int CInterpreter::SplitFor(const CString* pstrLine, CString** ppstrStatInit,
                           CString** ppstrExprPreCond, CString** ppstrStatRepeat,
                           CString** ppstrStatCtrUpd) const {
    OSTREL_ASSERT(pstrLine && ppstrExprPreCond && ppstrStatInit && ppstrStatCtrUpd &&
                  ppstrStatRepeat);
    const int T = Position(pstrLine, " TO ");
    const int D = Position(pstrLine, " DO ");
    if (T == 0) {
        RaiseError(ERR_EXPECTED_TO);
    }
    *ppstrStatInit = Piece(pstrLine, 5, T - 5);
    // The counter's name as written, blanks before "=" included.
    const int Q = (*ppstrStatInit)->FindChar('=', 1) - 1;
    const CString* pstrCounter = Piece(*ppstrStatInit, 1, Q);
    // Without a counter there is nothing to count with.
    if (Q < 1 || IsBlankText(pstrCounter)) {
        RaiseError(ERR_FOR_SYNTAX);
    }
    const CString* pstrLimit =
        D > 0 ? Piece(pstrLine, T + 4, D - T - 4) : PieceToEnd(pstrLine, T + 4);
    // "{" is the expression's own sign for "<=".
    *ppstrExprPreCond = Joined("", pstrCounter, "{");
    (*ppstrExprPreCond)->Insert(pstrLimit, CString::Append);
    *ppstrStatRepeat = D > 0 ? PieceToEnd(pstrLine, D + 4) : nullptr;
    *ppstrStatCtrUpd = Joined("", pstrCounter, "=");
    (*ppstrStatCtrUpd)->Insert(pstrCounter, CString::Append);
    (*ppstrStatCtrUpd)->Insert("+1", 2, CString::Append);
    return D > 0 ? 6 : 5;
}

int CInterpreter::SplitFunction(const CString* pstrLine, CString** ppstrName, CString** ppstrParams,
                                CString** ppstrExpr) const {
    OSTREL_ASSERT(pstrLine && ppstrName && ppstrParams && ppstrExpr);
    const int P = pstrLine->FindChar('(', 1);
    if (P <= 10) {
        RaiseError(ERR_EXPECTED_LEFT_BRACKET);
    }
    const int R = pstrLine->FindChar(')', 1);
    if (R < P + 1) {
        RaiseError(ERR_EXPECTED_RIGHT_BRACKET);
    }
    *ppstrName = Piece(pstrLine, 10, P - 10, CString::Trimmed);
    *ppstrParams = Piece(pstrLine, P, R - P + 1);
    const int E = pstrLine->FindChar('=', 1);
    *ppstrExpr = E > R ? PieceToEnd(pstrLine, E + 1) : nullptr;
    return *ppstrExpr ? 3 : 2;
}

int CInterpreter::SplitSub(const CString* pstrLine, CString** ppstrName,
                           CString** ppstrParams) const {
    OSTREL_ASSERT(pstrLine && ppstrName && ppstrParams);
    const int P = pstrLine->FindChar('(', 1);
    if (P < 6) {
        RaiseError(ERR_EXPECTED_LEFT_BRACKET);
    }
    const int R = pstrLine->FindChar(')', 1);
    if (R < P + 1) {
        RaiseError(ERR_EXPECTED_RIGHT_BRACKET);
    }
    *ppstrName = Piece(pstrLine, 5, P - 5, CString::Trimmed);
    *ppstrParams = Piece(pstrLine, P, R - P + 1);
    return 2;
}

bool CInterpreter::IsCall(const CString* pstrLine, CString** ppstrCall) const {
    OSTREL_ASSERT(pstrLine);
    if (Starts(pstrLine, "CALL ")) {
        if (ppstrCall) {
            *ppstrCall = pstrLine->MidToEnd(6, CString::Trimmed);
        }
        return true;
    }
    const int N = pstrLine->GetLength();
    if (N == 0) {
        return false;
    }
    int K = pstrLine->FindOneOf(" \t", 1);
    if (K == 0) {
        K = N + 1;
    }
    if (K == 1) {
        return false;
    }
    CString* poWord = Piece(pstrLine, 1, K - 1);
    const bool bCall = _pProgram->FindFunction(poWord) != nullptr;
    CleanupStack::PopAndDestroy();
    if (bCall && ppstrCall) {
        // SUB 1, 2 becomes SUB(1, 2); a word alone becomes WORD().
        CString* poCall = Piece(pstrLine, 1, N);
        if (K > N) {
            poCall->Insert("()", 2, CString::Append);
        } else {
            poCall->Overwrite(K, "(");
            poCall->Insert(")", 1, CString::Append);
        }
        CleanupStack::Pop();
        *ppstrCall = poCall;
    }
    return bCall;
}

ELineType CInterpreter::GetLineType(const CString* pstrLine) const {
    OSTREL_ASSERT(pstrLine);
    CString* poL = PieceToEnd(pstrLine, 1, CString::Trimmed);
    poL->ToUpperOutsideQuotes();
    const CString* L = poL;
    ELineType type = LT_SIMPLE;
    // The tests go in a fixed order; several lead to the same type.
    if (L->GetLength() == 0 || Starts(L, "//") || Starts(L, "'")) {
        type = LT_NONE;
    } else if (Starts(L, "DIM ") || Starts(L, "STATIC ")) {
        type = LT_DECLARE;
    } else if (Starts(L, "LET ")) { // NOLINT(bugprone-branch-clone)
        type = LT_ASSIGN;
    } else if (Starts(L, "CONST ")) {
        type = LT_CONST;
    } else if (Starts(L, "PRINT \"")) {
        type = LT_PRINT_TEXT;
    } else if (Starts(L, "PRINT ") || Starts(L, "?")) {
        type = LT_SIMPLE;
    } else if (Starts(L, "DELETE ")) {
        type = LT_DELETE;
    } else if (Starts(L, "IF ")) {
        type = PositionFrom(L, " THEN ", 5) > 0  ? LT_IF_LINE
               : PositionFrom(L, " THEN", 5) > 0 ? LT_IF
                                                 : LT_SIMPLE;
    } else if (Starts(L, "FOR ")) {
        type = PositionFrom(L, " DO ", 6) > 0 ? LT_FOR_LINE : LT_FOR;
    } else if (Starts(L, "FUNCTION ")) {
        type = L->FindChar('=', 1) > 0 ? LT_FUNCTION_LINE : LT_FUNCTION;
    } else if (Starts(L, "SUB ")) {
        type = LT_SUB;
    } else if (Starts(L, "RUNFILE ")) {
        type = LT_RUNFILE;
    } else if (Starts(L, "FINDZEROS ")) {
        type = LT_FINDZEROS;
    } else if (Starts(L, "PLOTXY ") || Starts(L, "PLOTTXY ") || Starts(L, "PLOTPHIR ")) {
        type = LT_PLOT;
    } else if (Starts(L, "ELSEIF ")) {
        type = LT_ELSEIF;
    } else if (Equals(L, "ELSE")) {
        type = LT_ELSE;
    } else if (Equals(L, "END IF")) {
        type = LT_END_IF;
    } else if (Equals(L, "EXIT LOOP")) {
        type = LT_EXIT_LOOP;
    } else if (Equals(L, "EXIT FUNCTION") || Equals(L, "EXIT SUB")) {
        type = LT_EXIT_FUNCTION;
    } else if (Equals(L, "END FUNCTION")) {
        type = LT_END_FUNCTION;
    } else if (Equals(L, "END SUB")) {
        type = LT_END_SUB;
    } else if (Equals(L, "NEXT") || Starts(L, "NEXT ")) {
        type = LT_NEXT;
    } else if (Equals(L, "DO") || Starts(L, "DO WHILE ") || Starts(L, "DO UNTIL ")) {
        type = LT_DO;
    } else if (Equals(L, "LOOP") || Starts(L, "LOOP WHILE ") || Starts(L, "LOOP UNTIL ")) {
        type = LT_LOOP;
    } else if (L->FindChar('=', 1) > 0) {
        type = LT_ASSIGN;
    } else if (IsCall(L, nullptr)) {
        type = LT_CALL;
    }
    CleanupStack::PopAndDestroy();
    return type;
}

CStatement* CInterpreter::JoinStatements(CStatement* pStat1, CStatement* pStat2) const {
    OSTREL_ASSERT(pStat1 && pStat2);
    const bool bFirstIsSequence = pStat1->GetClassNumber() == CN_SEQUENCE;
    const bool bSecondIsSequence = pStat2->GetClassNumber() == CN_SEQUENCE;
    if (bFirstIsSequence && !bSecondIsSequence) {
        static_cast<CSequence*>(pStat1)->AddStatement(pStat2);
        return pStat1;
    }
    if (!bFirstIsSequence && bSecondIsSequence) {
        static_cast<CSequence*>(pStat2)->AddStatementFirst(pStat1);
        return pStat2;
    }
    auto* poSequence = new CSequence(_pProgram);
    poSequence->SetStatements(nullptr);
    if (!bFirstIsSequence) {
        poSequence->AddStatement(pStat1);
        poSequence->AddStatement(pStat2);
        return poSequence;
    }
    // Two sequences become one flat one; the old shells go.
    for (auto* pOld : {static_cast<CSequence*>(pStat1), static_cast<CSequence*>(pStat2)}) {
        CLinkedList<CStatement>* pStatements = pOld->GetStatements();
        if (pStatements->GetCount() > 0) {
            for (pStatements->GoToStart(); pStatements->GetCurrent(); pStatements->GoToNext()) {
                poSequence->AddStatement(pStatements->GetCurrent());
            }
        }
    }
    static_cast<CSequence*>(pStat1)->ReleaseStatements();
    static_cast<CSequence*>(pStat2)->ReleaseStatements();
    delete pStat1;
    delete pStat2;
    return poSequence;
}

CStatement* CInterpreter::CompileCodeLines(CLinkedList<CString>* pCodeLines,
                                           const CString* pstrFileName,
                                           CLinkedList<CString>* pWrittenLines) {
    OSTREL_ASSERT(pCodeLines);
    OSTREL_ASSERT(!pWrittenLines || pWrittenLines->GetCount() == pCodeLines->GetCount());
    auto* poList = Pushed(new CLinkedList<CProtoStatement>);
    if (pCodeLines->GetCount() > 0) {
        int iLine = 0;
        if (pWrittenLines) {
            pWrittenLines->GoToStart();
        }
        for (pCodeLines->GoToStart(); pCodeLines->GetCurrent(); pCodeLines->GoToNext()) {
            ++iLine;
            const CString* pstrWritten = pWrittenLines ? pWrittenLines->GetCurrent() : nullptr;
            if (pWrittenLines) {
                pWrittenLines->GoToNext();
            }
            auto* poProto = Pushed(new CProtoStatement);
            poProto->SetCodeLine(pCodeLines->GetCurrent());
            if (poProto->Classify(this) == LT_NONE) {
                CleanupStack::PopAndDestroy();
                continue;
            }
            if (pstrFileName && pstrWritten) {
                poProto->SetPlace(
                    CSourcePlace::New(pstrFileName->GetData(), iLine, pstrWritten->GetData()));
            }
            poList->AddLast(poProto);
            CleanupStack::Pop();
        }
    }
    // Nothing but blank and comment lines: nothing to compile.
    if (poList->GetCount() == 0) {
        RaiseError(ERR_FILE_EMPTY);
    }
    for (poList->GoToStart(); poList->GetCurrent(); poList->GoToNext()) {
        CProtoStatement* pProto = poList->GetCurrent();
        if (pProto->HoldsStatement()) {
            const CPlaceScope scope(pProto->GetPlace());
            pProto->SetStatement(CreateStatement(pProto->GetCodeLine()));
            pProto->GetStatement()->SetPlace(CopyOfPlace(pProto->GetPlace()));
        }
    }
    FoldBlocks(poList);
    poList->GoToStart();
    CProtoStatement* pOnly = poList->GetCurrent();
    if (poList->GetCount() == 1 && pOnly->GetStatement()) {
        CStatement* pStatement = pOnly->GetStatement();
        pOnly->SetStatement(nullptr);
        CleanupStack::PopAndDestroy();
        return pStatement;
    }
    // A lone opener, middle or closer; or several entries left unjoined, as
    // after an unclosed block or a stray closer: the first of those lines is
    // where the structure breaks.
    poList->GoToStart();
    while (poList->GetCurrent()->HoldsStatement() && poList->GetNext()) {
        poList->GoToNext();
    }
    const CPlaceScope scope(poList->GetCurrent()->GetPlace());
    RaiseError(poList->GetCount() == 1 ? ERR_SYNTAX : ERR_UNEXPECTED);
}

// One pass from the first line to the last: runs of statements are joined
// as they meet, and a block is built when its closer arrives, so every
// block inside it is already one statement. A closer belongs to the nearest
// opener before it that is still open, whatever its kind: the opener
// decides what is built. An ELSEIF becomes an ELSE followed by a nested IF
// that its chain's END IF closes together with the IF around it.
void CInterpreter::FoldBlocks(CLinkedList<CProtoStatement>* pList) {
    int nOpen = 0;
    pList->GoToStart();
    while (CProtoStatement* pEntry = pList->GetCurrent()) {
        if (pEntry->HoldsStatement()) {
            JoinWithPrevious(pList);
        } else if (pEntry->GetLineType() == LT_ELSEIF) {
            auto* poElse = Pushed(new CProtoStatement);
            poElse->SetLineType(LT_ELSE);
            pList->InsertBefore(poElse);
            CleanupStack::Pop();
            pEntry->GetCodeLine()->DeleteLeft(4);
            pEntry->SetLineType(LT_IF);
            pEntry->SetFromElseIf();
            OpenBlock(&nOpen);
        } else if (pEntry->IsOpener()) {
            OpenBlock(&nOpen);
        } else if (pEntry->IsCloser() && nOpen > 0) {
            --nOpen;
            // The block's entry may join the statement before it.
            if (CloseBlock(pList)) {
                auto* poEndIf = Pushed(new CProtoStatement);
                poEndIf->SetLineType(LT_END_IF);
                pList->InsertAfter(poEndIf);
                CleanupStack::Pop();
            }
            continue;
        }
        pList->GoToNext();
    }
}

void CInterpreter::OpenBlock(int* pnOpen) {
    // Each level of nesting costs native stack when the program runs.
    if (++*pnOpen > MAX_BLOCK_NESTING) {
        RaiseError(ERR_INPUT_TOO_LONG);
    }
}

// The entry at the cursor holds a statement; when the one before it holds
// one too, both become one sequence in the earlier entry, and the cursor
// stays there.
void CInterpreter::JoinWithPrevious(CLinkedList<CProtoStatement>* pList) const {
    CProtoStatement* p = pList->GetPrevious();
    CProtoStatement* q = pList->GetCurrent();
    if (!p || !p->HoldsStatement()) {
        return;
    }
    // Detached first, so that at no moment two owners hold a statement.
    CStatement* pStat1 = p->GetStatement();
    p->SetStatement(nullptr);
    CleanupStack::PushObject(pStat1);
    CStatement* pStat2 = q->GetStatement();
    q->SetStatement(nullptr);
    CleanupStack::PushObject(pStat2);
    CStatement* pJoined = JoinStatements(pStat1, pStat2);
    CleanupStack::Pop(2);
    p->SetStatement(pJoined);
    p->SetLineType(LT_SEQUENCE);
    pList->GoToPrevious();
    pList->RemoveNext();
}

// The cursor is on a closer with an open block before it. The block's lines
// become one entry holding its statement, with the cursor on it. True when
// the block was the nested IF of an ELSEIF, whose END IF closes the block
// around it as well.
bool CInterpreter::CloseBlock(CLinkedList<CProtoStatement>* pList) {
    CProtoStatement* pCloser = pList->GetCurrent();
    pCloser->Mark();
    do {
        pList->GoToPrevious();
        pList->GetCurrent()->Mark();
    } while (!pList->GetCurrent()->IsOpener());
    pList->SetBookmark();
    const CProtoStatement* pOpener = pList->GetCurrent();
    // An error of the block is one of its opener's line.
    const CPlaceScope scope(pOpener->GetPlace());
    const bool bFromElseIf = pOpener->IsFromElseIf();
    if (bFromElseIf && pCloser->GetLineType() != LT_END_IF) {
        RaiseError(ERR_EXPECTED_ELSE_ENDIF);
    }
    CStatement* pBlock = Pushed(CreateBlockStatement(pOpener, pCloser));
    pBlock->SetPlace(CopyOfPlace(pOpener->GetPlace()));
    FillBlock(pList, pBlock);
    ReplaceBlock(pList, pBlock);
    CleanupStack::Pop();
    return bFromElseIf;
}

CStatement* CInterpreter::CreateBlockStatement(const CProtoStatement* pOpener,
                                               const CProtoStatement* pCloser) {
    const CString* pstrLine = pOpener->GetCodeLine();
    switch (pOpener->GetLineType()) {
    case LT_FOR: {
        // FOR v=a TO b ... NEXT
        CString* pstrInit = nullptr;
        CString* pstrPreCondition = nullptr;
        CString* pstrRepeat = nullptr;
        CString* pstrUpdate = nullptr;
        const int nPieces =
            SplitFor(pstrLine, &pstrInit, &pstrPreCondition, &pstrRepeat, &pstrUpdate);
        CStatement* pBefore = Pushed(CreateStatement(pstrInit));
        CStatement* pAfter = Pushed(CreateStatement(pstrUpdate));
        auto* pRepeat = new CRepeat(pBefore, nullptr, pAfter, _pProgram);
        CleanupStack::Pop(2);
        CleanupStack::PushObject(pRepeat);
        pRepeat->SetConditions(pstrPreCondition, nullptr);
        return Finished(pRepeat, nPieces);
    }
    case LT_DO:
        // DO [WHILE c | UNTIL c] ... LOOP [WHILE c | UNTIL c]
        return CreateLoopBlock(pstrLine, pCloser->GetLineType() == LT_LOOP ? pCloser->GetCodeLine()
                                                                           : nullptr);
    case LT_IF: {
        // IF cond THEN ... [ELSE ...] END IF
        CString* pstrCondition = nullptr;
        CString* pstrOnTrue = nullptr;
        CString* pstrOnFalse = nullptr;
        const int nPieces = SplitIf(pstrLine, &pstrCondition, &pstrOnTrue, &pstrOnFalse);
        auto* pBranch = Pushed(new CBranch(nullptr, nullptr, _pProgram));
        pBranch->SetExpressions(1, pstrCondition);
        return Finished(pBranch, nPieces);
    }
    case LT_FUNCTION: {
        // FUNCTION name(params) ... END FUNCTION
        CString* pstrName = nullptr;
        CString* pstrParams = nullptr;
        CString* pstrExpr = nullptr;
        const int nPieces = SplitFunction(pstrLine, &pstrName, &pstrParams, &pstrExpr);
        return Finished(
            Pushed(new CDefineFunction(_pProgram, pstrName, pstrParams, pstrExpr, false)), nPieces);
    }
    default: {
        // SUB name(params) ... END SUB
        OSTREL_ASSERT(pOpener->GetLineType() == LT_SUB);
        CString* pstrName = nullptr;
        CString* pstrParams = nullptr;
        const int nPieces = SplitSub(pstrLine, &pstrName, &pstrParams);
        return Finished(Pushed(new CDefineFunction(_pProgram, pstrName, pstrParams, nullptr, true)),
                        nPieces);
    }
    }
}

// The condition of the DO line wins; a bare DO takes that of its LOOP line;
// with neither the loop runs until EXIT LOOP or EXIT FUNCTION.
CStatement* CInterpreter::CreateLoopBlock(const CString* pstrOpener, const CString* pstrCloser) {
    CString* pstrPre = nullptr;
    CString* pstrPost = nullptr;
    int nPieces = 0;
    auto condition = [&nPieces](const CString* pstrLine, const char* pchWhile,
                                const char* pchUntil) -> CString* {
        const int iCondition = Length(pchWhile) + 1;
        if (Starts(pstrLine, pchWhile)) {
            nPieces = 1;
            return PieceToEnd(pstrLine, iCondition, CString::Trimmed);
        }
        if (Starts(pstrLine, pchUntil)) {
            const CString* pstrText = PieceToEnd(pstrLine, iCondition, CString::Trimmed);
            nPieces = 2;
            return Joined("NOT(", pstrText, ")");
        }
        return nullptr;
    };
    pstrPre = condition(pstrOpener, "DO WHILE ", "DO UNTIL ");
    if (!pstrPre && pstrCloser) {
        pstrPost = condition(pstrCloser, "LOOP WHILE ", "LOOP UNTIL ");
    }
    auto* pRepeat = Pushed(new CRepeat(nullptr, nullptr, nullptr, _pProgram));
    pRepeat->SetConditions(pstrPre, pstrPost);
    return Finished(pRepeat, nPieces);
}

// The cursor's bookmark stands on the block's opener.
void CInterpreter::FillBlock(CLinkedList<CProtoStatement>* pList, CStatement* pBlock) {
    pList->GoToBookmark();
    CProtoStatement* pBodyEntry = pList->GetNext();
    if (!pBodyEntry || !pBodyEntry->HoldsStatement()) {
        RaiseError(ERR_CONTROL_STRUCTURE);
    }
    CStatement* pBody = pBodyEntry->GetStatement();
    switch (pBlock->GetClassNumber()) {
    case CN_REPEAT:
        static_cast<CRepeat*>(pBlock)->SetBody(pBody);
        break;
    case CN_DEFINEFUNCTION:
        static_cast<CDefineFunction*>(pBlock)->SetBody(pBody);
        break;
    default: {
        OSTREL_ASSERT(pBlock->GetClassNumber() == CN_BRANCH);
        pList->GoToNext();
        CProtoStatement* pElseEntry = pList->GetNext();
        CProtoStatement* pFalseEntry = nullptr;
        if (pElseEntry && pElseEntry->GetLineType() == LT_ELSE) {
            pList->GoToNext();
            pFalseEntry = pList->GetNext();
            if (pFalseEntry && !pFalseEntry->HoldsStatement()) {
                pFalseEntry = nullptr;
            }
        }
        static_cast<CBranch*>(pBlock)->SetBranches(pBody, pFalseEntry ? pFalseEntry->GetStatement()
                                                                      : nullptr);
        if (pFalseEntry) {
            pFalseEntry->SetStatement(nullptr);
        }
        break;
    }
    }
    pBodyEntry->SetStatement(nullptr);
}

void CInterpreter::ReplaceBlock(CLinkedList<CProtoStatement>* pList, CStatement* pBlock) {
    pList->GoToBookmark();
    auto* poEntry = Pushed(new CProtoStatement);
    poEntry->SetLineType(LT_BLOCK);
    pList->InsertBefore(poEntry);
    CleanupStack::Pop();
    // Taken only once the entry is in the list: the block has one owner at a
    // time, the cleanup stack until here.
    poEntry->SetStatement(pBlock);
    // From the opener to the closer, everything goes.
    pList->GoToPrevious();
    while (pList->GetNext() && pList->GetNext()->IsMarked()) {
        pList->RemoveNext();
    }
}
