// The recognition of lines: each trimmed, upper-cased line is tried against
// the rules of the language in a fixed order, and the first rule that
// matches cuts it into the texts of its statement.
#include "cinterpreter.h"

#include "core/cassert.h"
#include "core/cleanupstack.h"
#include "core/cstring.h"
#include "core/errorcodes.h"
#include "cprogram.h"
#include "crunfile.h"
#include "linetext.h"
#include "statements/cassignarray.h"
#include "statements/cassignvariable.h"
#include "statements/cbranch.h"
#include "statements/cdeclarearray.h"
#include "statements/cdeclareconstorvar.h"
#include "statements/cdefinefunction.h"
#include "statements/cdeletesymbol.h"
#include "statements/cfindextrema.h"
#include "statements/cfindzeros.h"
#include "statements/cfunctionbuttons.h"
#include "statements/cintegrate.h"
#include "statements/cplotcurve.h"
#include "statements/crepeat.h"
#include "statements/csetyrange.h"
#include "statements/csimplestatements.h"

using namespace linetext;

namespace {

// One-line structures nest by recursion; a typed line could nest them
// without end.
constexpr int MAX_RECOGNITION_DEPTH = 200;

// The keywords whose lengths the recognition counts with, blanks included.
constexpr const char* KW_IF = "IF ";
constexpr const char* KW_THEN = " THEN ";
constexpr const char* KW_ELSE = " ELSE ";
constexpr const char* KW_FOR = "FOR ";
constexpr const char* KW_TO = " TO ";
constexpr const char* KW_STEP = " STEP";
constexpr const char* KW_DO = " DO ";
constexpr const char* KW_DIM = "DIM ";
constexpr const char* KW_STATIC = "STATIC ";
constexpr const char* KW_CONST = "CONST ";
constexpr const char* KW_FUNCTION = "FUNCTION ";
constexpr const char* KW_SUB = "SUB ";
constexpr const char* KW_PRINT = "PRINT ";
constexpr const char* KW_PRINT_TEXT = "PRINT \"";
constexpr const char* KW_QUESTION = "?";
constexpr const char* KW_CALL = "CALL ";
constexpr const char* KW_LET = "LET ";
constexpr const char* KW_DELETE = "DELETE ";
constexpr const char* KW_RUNFILE = "RUNFILE ";
constexpr const char* KW_CLEARFUNCTIONBUTTON = "CLEARFUNCTIONBUTTON ";
constexpr const char* KW_SETFUNCTIONBUTTON = "SETFUNCTIONBUTTON ";
constexpr const char* KW_FINDZEROS = "FINDZEROS ";
constexpr const char* KW_FINDEXTREMA = "FINDEXTREMA ";
constexpr const char* KW_PLOTXY = "PLOTXY ";
constexpr const char* KW_PLOTPHIR = "PLOTPHIR ";
constexpr const char* KW_PLOTTXY = "PLOTTXY ";
constexpr const char* KW_INTEGRATE = "INTEGRATE ";
constexpr const char* KW_SETYRANGE = "SETYRANGE ";

class CDepthGuard {
public:
    explicit CDepthGuard(int& nDepth) : _nDepth(++nDepth) {}
    ~CDepthGuard() { --_nDepth; }
    CDepthGuard(const CDepthGuard&) = delete;
    CDepthGuard& operator=(const CDepthGuard&) = delete;

private:
    int& _nDepth;
};

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

// The blank and word pch, followed by a blank or the end, outside double
// quotes and parentheses at or after iCh; 0 if none.
int KeywordPosition(const CString* pstr, const char* pch, int iCh) {
    const int nLength = Length(pch);
    int i = pstr->FindOutside(pch, nLength, iCh);
    while (i > 0 && i + nLength <= pstr->GetLength() && !IsBlank(pstr->GetAt(i + nLength))) {
        i = pstr->FindOutside(pch, nLength, i + 1);
    }
    return i;
}

// The keyword (written with its blank) followed by text, or alone.
bool StartsWithWord(const CString* pstr, const char* pchKeyword) {
    const int nWord = Length(pchKeyword) - 1;
    return Starts(pstr, pchKeyword) ||
           (pstr->GetLength() == nWord && pstr->StartsWith(pchKeyword, nWord, false));
}

// FINDZEROS and FINDEXTREMA: the function's name is the text before the
// first comma, the interval "A,B" the text after it.
template <class TSearch>
CStatement* CreateSearch(CProgram* pProg, const CString* pstrLine, const char* pchKeyword) {
    const int iFunc = StartAfter(pchKeyword);
    const int iComma = pstrLine->FindChar(',', 1);
    if (iComma < iFunc + 1) {
        RaiseError(ERR_EXPECTED_COMMA);
    }
    const CString* pstrFunc = Piece(pstrLine, iFunc, iComma - iFunc);
    const CString* pstrInterval = PieceToEnd(pstrLine, iComma + 1);
    auto* pStatement = Pushed(new TSearch(pProg, pstrFunc));
    pStatement->SetText(pstrInterval);
    return Finished(pStatement, 2);
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
    CString* poLine = PieceToEnd(pstrLine, 1, CString::Trimmed);
    poLine->ToUpperOutsideQuotes();
    CStatement* poStatement = Recognise(poLine);
    CleanupStack::PopAndDestroy();
    return poStatement;
}

// The rules are tried in this order; the first that matches decides.
CStatement* CInterpreter::Recognise(CString* pstrLine) {
    const int nLength = pstrLine->GetLength();
    const int iEquals = pstrLine->FindChar('=', 1);
    // (empty) | ' comment | REM comment | // comment
    if (nLength == 0 || Starts(pstrLine, "'") || Starts(pstrLine, "REM ") ||
        Starts(pstrLine, "//")) {
        return new CDoNothing(_pProgram);
    }
    // IF cond THEN stmt [ELSE stmt]
    if (Starts(pstrLine, KW_IF)) {
        return CreateIf(pstrLine);
    }
    // FOR v=a TO b [STEP s] [DO stmt]
    if (Starts(pstrLine, KW_FOR)) {
        return CreateFor(pstrLine, false);
    }
    // DIM name [= expr] | DIM name(lower TO upper)
    if (Starts(pstrLine, KW_DIM)) {
        return CreateDeclaration(pstrLine, KW_DIM, false);
    }
    // STATIC name [= expr] | STATIC name(lower TO upper)
    if (Starts(pstrLine, KW_STATIC)) {
        return CreateDeclaration(pstrLine, KW_STATIC, true);
    }
    // CONST name = expr
    if (Starts(pstrLine, KW_CONST)) {
        if (iEquals == 0) {
            RaiseError(ERR_CONSTANT_NOT_INITIALISED);
        }
        const int iName = StartAfter(KW_CONST);
        const CString* pstrName = Piece(pstrLine, iName, iEquals - iName);
        const CString* pstrValue = PieceToEnd(pstrLine, iEquals + 1);
        auto* pStatement = Pushed(new CDeclareConstOrVar(_pProgram, pstrName, DK_CONSTANT));
        pStatement->SetExpressions(1, pstrValue);
        return Finished(pStatement, 2);
    }
    // FUNCTION name(params) [= expr]
    if (Starts(pstrLine, KW_FUNCTION)) {
        CString* pstrName = nullptr;
        CString* pstrParams = nullptr;
        CString* pstrExpr = nullptr;
        const int nPieces = SplitFunction(pstrLine, &pstrName, &pstrParams, &pstrExpr);
        auto* pStatement =
            Pushed(new CDefineFunction(_pProgram, pstrName, pstrParams, pstrExpr, false));
        return Finished(pStatement, nPieces);
    }
    // PRINT "text"[;]: the text keeps its opening quote.
    if (Starts(pstrLine, KW_PRINT_TEXT)) {
        const int iText = StartAfter(KW_PRINT);
        const bool bNewline = pstrLine->GetAt(nLength) != ';';
        const CString* pstrText =
            bNewline ? PieceToEnd(pstrLine, iText) : Piece(pstrLine, iText, nLength - iText);
        auto* pStatement = Pushed(new CPrintText(_pProgram));
        pStatement->SetText(pstrText, bNewline);
        return Finished(pStatement, 1);
    }
    // PRINT expr[;]
    if (Starts(pstrLine, KW_PRINT)) {
        return CreatePrint(AfterKeyword(pstrLine, KW_PRINT));
    }
    // [CALL] sub args
    CString* pstrCall = nullptr;
    if (IsCall(pstrLine, &pstrCall)) {
        CleanupStack::PushObject(pstrCall);
        auto* pStatement = Pushed(new CCallSub(_pProgram));
        pStatement->SetText(pstrCall);
        return Finished(pStatement, 1);
    }
    // DELETE name
    if (Starts(pstrLine, KW_DELETE)) {
        const CString* pstrName = AfterKeyword(pstrLine, KW_DELETE);
        return Finished(Pushed(new CDeleteSymbol(_pProgram, pstrName)), 1);
    }
    // RUNFILE "file"
    if (Starts(pstrLine, KW_RUNFILE)) {
        const CString* pstrFile = AfterKeyword(pstrLine, KW_RUNFILE);
        auto* pStatement = Pushed(new CRunFile(_pProgram));
        pStatement->SetFileName(pstrFile);
        return Finished(pStatement, 1);
    }
    // CLEARFUNCTIONBUTTON index
    if (Starts(pstrLine, KW_CLEARFUNCTIONBUTTON)) {
        const CString* pstrIndex = AfterKeyword(pstrLine, KW_CLEARFUNCTIONBUTTON);
        auto* pStatement = Pushed(new CClearFunctionButton(_pProgram));
        pStatement->SetExpressions(1, pstrIndex);
        return Finished(pStatement, 1);
    }
    // SETFUNCTIONBUTTON index, "command", "caption", run-flag
    if (Starts(pstrLine, KW_SETFUNCTIONBUTTON)) {
        return CreateSetFunctionButton(AfterKeyword(pstrLine, KW_SETFUNCTIONBUTTON));
    }
    // FINDZEROS F,A,B
    if (Starts(pstrLine, KW_FINDZEROS)) {
        return CreateSearch<CFindZeros>(_pProgram, pstrLine, KW_FINDZEROS);
    }
    // FINDEXTREMA F,A,B
    if (Starts(pstrLine, KW_FINDEXTREMA)) {
        return CreateSearch<CFindExtrema>(_pProgram, pstrLine, KW_FINDEXTREMA);
    }
    // PLOTXY X1,X2,F[,G...] and PLOTPHIR P1,P2,FR: the interval, then the
    // function text.
    const bool bPlotXY = Starts(pstrLine, KW_PLOTXY);
    if (bPlotXY || Starts(pstrLine, KW_PLOTPHIR)) {
        const int iInterval = StartAfter(bPlotXY ? KW_PLOTXY : KW_PLOTPHIR);
        const int iComma = pstrLine->FindSeparator(iInterval, ',', 2);
        if (iComma < iInterval + 3) {
            RaiseError(ERR_EXPECTED_COMMA);
        }
        const CString* pstrInterval = Piece(pstrLine, iInterval, iComma - iInterval);
        const CString* pstrFunc = PieceToEnd(pstrLine, iComma + 1);
        auto* pStatement = Pushed(new CPlotCurve(_pProgram));
        if (bPlotXY) {
            pStatement->SetUpPlotXY(pstrFunc, pstrInterval);
        } else {
            pStatement->SetUpPlotPhiR(pstrFunc, pstrInterval);
        }
        return Finished(pStatement, 2);
    }
    // PLOTTXY T1,T2,FX,FY
    if (Starts(pstrLine, KW_PLOTTXY)) {
        const int iInterval = StartAfter(KW_PLOTTXY);
        const int iSecondComma = pstrLine->FindSeparator(iInterval, ',', 2);
        const int iThirdComma = pstrLine->FindSeparator(iInterval, ',', 3);
        if (iSecondComma < iInterval + 3 || iThirdComma < iSecondComma + 2) {
            RaiseError(ERR_SYNTAX);
        }
        const CString* pstrInterval = Piece(pstrLine, iInterval, iSecondComma - iInterval);
        const CString* pstrFuncX =
            Piece(pstrLine, iSecondComma + 1, iThirdComma - iSecondComma - 1);
        const CString* pstrFuncY = PieceToEnd(pstrLine, iThirdComma + 1);
        auto* pStatement = Pushed(new CPlotCurve(_pProgram));
        pStatement->SetUpPlotTXY(pstrFuncX, pstrFuncY, pstrInterval);
        return Finished(pStatement, 3);
    }
    // SETYRANGE Y1,Y2 | SETYRANGE AUTO; the keyword alone gets the
    // statement's syntax error.
    if (StartsWithWord(pstrLine, KW_SETYRANGE)) {
        const CString* pstrRange = AfterKeyword(pstrLine, KW_SETYRANGE);
        auto* pStatement = Pushed(new CSetYRange(_pProgram));
        pStatement->SetText(pstrRange);
        return Finished(pStatement, 1);
    }
    // INTEGRATE F,A,B,VAR
    if (Starts(pstrLine, KW_INTEGRATE)) {
        const int iFunc = StartAfter(KW_INTEGRATE);
        const int iComma = pstrLine->FindChar(',', 1);
        if (iComma < iFunc + 1) {
            RaiseError(ERR_INTEGRATE_SYNTAX);
        }
        const int iThirdComma = pstrLine->FindSeparator(1, ',', 3);
        if (iThirdComma < iComma + 4) {
            RaiseError(ERR_INTEGRATE_SYNTAX);
        }
        const CString* pstrFunc = Piece(pstrLine, iFunc, iComma - iFunc);
        const CString* pstrInterval = Piece(pstrLine, iComma + 1, iThirdComma - iComma - 1);
        const CString* pstrVar = PieceToEnd(pstrLine, iThirdComma + 1);
        auto* pStatement = Pushed(new CIntegrate(_pProgram));
        pStatement->SetText(pstrFunc, pstrInterval, pstrVar);
        return Finished(pStatement, 3);
    }
    // EXIT LOOP | EXIT FUNCTION | EXIT SUB
    if (Equals(pstrLine, "EXIT LOOP")) {
        return new CExitLoop(_pProgram);
    }
    if (Equals(pstrLine, "EXIT FUNCTION") || Equals(pstrLine, "EXIT SUB")) {
        return new CExitFunction(_pProgram);
    }
    // ? expr
    if (Starts(pstrLine, KW_QUESTION)) {
        return CreatePrint(AfterKeyword(pstrLine, KW_QUESTION));
    }
    // [LET] name = expr | [LET] name(index) = expr
    if (iEquals > 0) {
        return CreateAssignment(pstrLine);
    }
    // expr
    return CreatePrint(PieceToEnd(pstrLine, 1));
}

// The expression text is the piece on top of the cleanup stack.
CStatement* CInterpreter::CreatePrint(const CString* pstrExpr) {
    auto* pStatement = Pushed(new CPrintExpression(_pProgram));
    pStatement->SetText(pstrExpr);
    return Finished(pStatement, 1);
}

// The arguments are the piece on top of the cleanup stack.
CStatement* CInterpreter::CreateSetFunctionButton(const CString* pstrArgs) {
    const int nArgs = pstrArgs->GetLength();
    const int iFirstComma = pstrArgs->FindSeparator(1, ',', 1);
    const int iSecondComma = pstrArgs->FindSeparator(1, ',', 2);
    const int iThirdComma = pstrArgs->FindSeparator(1, ',', 3);
    if (iFirstComma < 2 || iSecondComma == 0) {
        RaiseError(ERR_EXPECTED_COMMA);
    }
    if (iSecondComma < iFirstComma + 2 || iSecondComma > nArgs - 1) {
        RaiseError(ERR_SYNTAX);
    }
    if (iThirdComma == 0) {
        RaiseError(ERR_EXPECTED_COMMA);
    }
    if (iThirdComma < iSecondComma + 2 || iThirdComma > nArgs - 1) {
        RaiseError(ERR_SYNTAX);
    }
    CString* pstrIndex = Piece(pstrArgs, 1, iFirstComma - 1);
    // Counted apart from other strings by the instance accounting.
    pstrIndex->SetCounterOffset(90);
    const CString* pstrCommand = Piece(pstrArgs, iFirstComma + 1, iSecondComma - iFirstComma - 1);
    const CString* pstrCaption = Piece(pstrArgs, iSecondComma + 1, iThirdComma - iSecondComma - 1);
    const CString* pstrRunFlag = PieceToEnd(pstrArgs, iThirdComma + 1);
    auto* pStatement = Pushed(new CSetFunctionButton(_pProgram));
    pStatement->SetText(pstrIndex, pstrCommand, pstrCaption, pstrRunFlag);
    return Finished(pStatement, 5);
}

CStatement* CInterpreter::CreateIf(const CString* pstrLine) {
    CString* pstrCondition = nullptr;
    CString* pstrOnTrue = nullptr;
    CString* pstrOnFalse = nullptr;
    const int nPieces = SplitIf(pstrLine, &pstrCondition, &pstrOnTrue, &pstrOnFalse);
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

CStatement* CInterpreter::CreateFor(const CString* pstrLine, bool bBlock) {
    SForTexts texts;
    const int nPieces = SplitFor(pstrLine, &texts);
    CStatement* pBody = nullptr;
    if (!bBlock) {
        pBody =
            Pushed(texts.pstrBody ? CreateStatement(texts.pstrBody) : new CDoNothing(_pProgram));
    }
    CStatement* pBefore = Pushed(CreateStatement(texts.pstrInit));
    CStatement* pAfter = Pushed(CreateStatement(texts.pstrUpdate));
    auto* pRepeat = new CRepeat(pBefore, pBody, pAfter, _pProgram);
    CleanupStack::Pop(bBlock ? 2 : 3);
    CleanupStack::PushObject(pRepeat);
    if (texts.pstrStep) {
        pRepeat->SetStep(texts.pstrStep, texts.pstrCondition, texts.pstrDownCondition);
    } else {
        pRepeat->SetConditions(texts.pstrCondition, nullptr);
    }
    return Finished(pRepeat, nPieces);
}

// DIM and STATIC differ in where the name starts, and so in how far right
// the bracket of an array must stand; STATIC does not look at the "=".
CStatement* CInterpreter::CreateDeclaration(const CString* pstrLine, const char* pchKeyword,
                                            bool bStatic) {
    const int iName = StartAfter(pchKeyword);
    const int iEquals = pstrLine->FindChar('=', 1);
    const int iBracket = pstrLine->FindChar('(', 1);
    const EDeclarationKind kind = bStatic ? DK_STATIC : DK_VARIABLE;
    const bool bArray = iBracket > iName && (bStatic || iEquals == 0 || iEquals > iBracket);
    if (!bArray) {
        const CString* pstrName = iEquals > 0
                                      ? Piece(pstrLine, iName, iEquals - iName, CString::Trimmed)
                                      : PieceToEnd(pstrLine, iName);
        const CString* pstrValue = iEquals > 0 ? PieceToEnd(pstrLine, iEquals + 1) : nullptr;
        auto* pStatement = Pushed(new CDeclareConstOrVar(_pProgram, pstrName, kind));
        pStatement->SetExpressions(1, pstrValue);
        return Finished(pStatement, pstrValue ? 2 : 1);
    }
    const CString* pstrName = Piece(pstrLine, iName, iBracket - iName, CString::Trimmed);
    const int iRight = pstrLine->FindChar(')', 1);
    if (iRight <= iBracket) {
        RaiseError(ERR_EXPECTED_RIGHT_BRACKET);
    }
    const int iTo = Position(pstrLine, KW_TO);
    const int iUpper = iTo + Length(KW_TO);
    if (iTo <= iBracket || iUpper >= iRight) {
        RaiseError(ERR_ARRAY_DECLARATION);
    }
    const CString* pstrLower = Piece(pstrLine, iBracket + 1, iTo - iBracket - 1, CString::Trimmed);
    const CString* pstrUpper = Piece(pstrLine, iUpper, iRight - iUpper, CString::Trimmed);
    auto* pStatement = Pushed(new CDeclareArray(_pProgram, pstrName, kind));
    pStatement->SetExpressions(2, pstrLower, pstrUpper);
    return Finished(pStatement, 3);
}

CStatement* CInterpreter::CreateAssignment(CString* pstrLine) {
    int iEquals = pstrLine->FindChar('=', 1);
    if (Starts(pstrLine, KW_LET)) {
        pstrLine->DeleteLeft(Length(KW_LET));
        iEquals -= Length(KW_LET);
    }
    const int iBracket = pstrLine->FindChar('(', 1);
    if (iBracket == 0 || iBracket > iEquals) {
        const CString* pstrName = Piece(pstrLine, 1, iEquals - 1);
        const CString* pstrValue = PieceToEnd(pstrLine, iEquals + 1);
        auto* pStatement = Pushed(new CAssignVariable(_pProgram));
        pStatement->SetText(pstrName, pstrValue);
        return Finished(pStatement, 2);
    }
    const int iRight = pstrLine->FindChar(')', 1);
    if (iRight <= iBracket || iRight >= iEquals) {
        RaiseError(ERR_SYNTAX);
    }
    const CString* pstrName = Piece(pstrLine, 1, iBracket - 1);
    const CString* pstrIndex = Piece(pstrLine, iBracket + 1, iRight - iBracket - 1);
    const CString* pstrValue = PieceToEnd(pstrLine, iEquals + 1);
    auto* pStatement = Pushed(new CAssignArray(_pProgram));
    pStatement->SetText(pstrName, pstrIndex, pstrValue);
    return Finished(pStatement, 3);
}

int CInterpreter::SplitIf(const CString* pstrLine, CString** ppstrExpr, CString** ppstrStatOnTrue,
                          CString** ppstrStatOnFalse) const {
    OSTREL_ASSERT(pstrLine && ppstrExpr && ppstrStatOnTrue && ppstrStatOnFalse);
    const int iCondition = StartAfter(KW_IF);
    const int iThen = Position(pstrLine, KW_THEN);
    const int iThenAtEnd = Position(pstrLine, " THEN");
    const int iElse = Position(pstrLine, KW_ELSE);
    *ppstrStatOnTrue = nullptr;
    *ppstrStatOnFalse = nullptr;
    if (iThen == 0) {
        // IF cond THEN alone opens an IF block.
        if (iThenAtEnd == 0) {
            RaiseError(ERR_EXPECTED_THEN);
        }
        *ppstrExpr = Piece(pstrLine, iCondition, iThenAtEnd - iCondition);
        return 1;
    }
    *ppstrExpr = Piece(pstrLine, iCondition, iThen - iCondition);
    const int iOnTrue = iThen + Length(KW_THEN);
    if (iElse == 0) {
        *ppstrStatOnTrue = PieceToEnd(pstrLine, iOnTrue);
        return 2;
    }
    *ppstrStatOnTrue = Piece(pstrLine, iOnTrue, iElse - iOnTrue);
    *ppstrStatOnFalse = PieceToEnd(pstrLine, iElse + Length(KW_ELSE));
    return 3;
}

int CInterpreter::SplitFor(const CString* pstrLine, SForTexts* pTexts) const {
    OSTREL_ASSERT(pstrLine && pTexts);
    const int iInit = StartAfter(KW_FOR);
    const int iTo = Position(pstrLine, KW_TO);
    const int iDo = Position(pstrLine, KW_DO);
    if (iTo == 0) {
        RaiseError(ERR_EXPECTED_TO);
    }
    *pTexts = SForTexts{};
    pTexts->pstrInit = Piece(pstrLine, iInit, iTo - iInit);
    // The counter's name as written, blanks before "=" included.
    const int nCounter = pTexts->pstrInit->FindChar('=', 1) - 1;
    const CString* pstrCounter = Piece(pTexts->pstrInit, 1, nCounter);
    // Without a counter there is nothing to count with.
    if (nCounter < 1 || IsBlankText(pstrCounter)) {
        RaiseError(ERR_FOR_SYNTAX);
    }
    const int iEnd = iDo > 0 ? iDo : pstrLine->GetLength() + 1;
    const int iLimit = iTo + Length(KW_TO);
    // From the blank that ends " TO ", which may begin " STEP".
    const int iStep = KeywordPosition(pstrLine, KW_STEP, iLimit - 1);
    const bool bStep = iStep > 0 && iStep < iEnd;
    const CString* pstrLimit = Piece(pstrLine, iLimit, (bStep ? iStep : iEnd) - iLimit);
    // "{" and "}" are the expression's own signs for "<=" and ">=".
    pTexts->pstrCondition = Joined("", pstrCounter, "{");
    pTexts->pstrCondition->Insert(pstrLimit, CString::Append);
    int nPieces = 5;
    if (bStep) {
        const int iStepValue = iStep + Length(KW_STEP);
        pTexts->pstrStep = Piece(pstrLine, iStepValue, iEnd - iStepValue, CString::Trimmed);
        if (pTexts->pstrStep->GetLength() == 0) {
            RaiseError(ERR_FOR_SYNTAX);
        }
        pTexts->pstrDownCondition = Joined("", pstrCounter, "}");
        pTexts->pstrDownCondition->Insert(pstrLimit, CString::Append);
        nPieces += 2;
    }
    if (iDo > 0) {
        pTexts->pstrBody = PieceToEnd(pstrLine, iDo + Length(KW_DO));
        ++nPieces;
    }
    pTexts->pstrUpdate = Joined("", pstrCounter, "=");
    pTexts->pstrUpdate->Insert(pstrCounter, CString::Append);
    pTexts->pstrUpdate->Insert("+1", 2, CString::Append);
    return nPieces;
}

int CInterpreter::SplitFunction(const CString* pstrLine, CString** ppstrName, CString** ppstrParams,
                                CString** ppstrExpr) const {
    OSTREL_ASSERT(ppstrExpr);
    SplitHeader(pstrLine, KW_FUNCTION, ppstrName, ppstrParams);
    const int iRight = pstrLine->FindChar(')', 1);
    const int iEquals = pstrLine->FindChar('=', 1);
    *ppstrExpr = iEquals > iRight ? PieceToEnd(pstrLine, iEquals + 1) : nullptr;
    return *ppstrExpr ? 3 : 2;
}

int CInterpreter::SplitSub(const CString* pstrLine, CString** ppstrName,
                           CString** ppstrParams) const {
    SplitHeader(pstrLine, KW_SUB, ppstrName, ppstrParams);
    return 2;
}

// The name needs at least one character between the keyword and "(".
void CInterpreter::SplitHeader(const CString* pstrLine, const char* pchKeyword, CString** ppstrName,
                               CString** ppstrParams) {
    OSTREL_ASSERT(pstrLine && ppstrName && ppstrParams);
    const int iName = StartAfter(pchKeyword);
    const int iBracket = pstrLine->FindChar('(', 1);
    if (iBracket <= iName) {
        RaiseError(ERR_EXPECTED_LEFT_BRACKET);
    }
    const int iRight = pstrLine->FindChar(')', 1);
    if (iRight < iBracket + 1) {
        RaiseError(ERR_EXPECTED_RIGHT_BRACKET);
    }
    *ppstrName = Piece(pstrLine, iName, iBracket - iName, CString::Trimmed);
    *ppstrParams = Piece(pstrLine, iBracket, iRight - iBracket + 1);
}

bool CInterpreter::IsCall(const CString* pstrLine, CString** ppstrCall) const {
    OSTREL_ASSERT(pstrLine);
    if (Starts(pstrLine, KW_CALL)) {
        if (ppstrCall) {
            *ppstrCall = pstrLine->MidToEnd(StartAfter(KW_CALL), CString::Trimmed);
        }
        return true;
    }
    const int nLength = pstrLine->GetLength();
    if (nLength == 0) {
        return false;
    }
    int iBlank = pstrLine->FindOneOf(" \t", 1);
    if (iBlank == 0) {
        iBlank = nLength + 1;
    }
    if (iBlank == 1) {
        return false;
    }
    CString* poWord = Piece(pstrLine, 1, iBlank - 1);
    const bool bCall = _pProgram->FindFunction(poWord) != nullptr;
    CleanupStack::PopAndDestroy();
    if (bCall && ppstrCall) {
        // SUB 1, 2 becomes SUB(1, 2); a word alone becomes WORD().
        CString* poCall = Piece(pstrLine, 1, nLength);
        if (iBlank > nLength) {
            poCall->Insert("()", 2, CString::Append);
        } else {
            poCall->Overwrite(iBlank, "(");
            poCall->Insert(")", 1, CString::Append);
        }
        CleanupStack::Pop();
        *ppstrCall = poCall;
    }
    return bCall;
}

ELineType CInterpreter::GetLineType(const CString* pstrLine) const {
    OSTREL_ASSERT(pstrLine);
    CString* poLine = PieceToEnd(pstrLine, 1, CString::Trimmed);
    poLine->ToUpperOutsideQuotes();
    const CString* pstrUpper = poLine;
    ELineType type = LT_SIMPLE;
    // The tests go in a fixed order; several lead to the same type. THEN and
    // DO are looked for after at least one character of the structure.
    if (pstrUpper->GetLength() == 0 || Starts(pstrUpper, "//") || Starts(pstrUpper, "'")) {
        type = LT_NONE;
    } else if (Starts(pstrUpper, KW_DIM) || Starts(pstrUpper, KW_STATIC)) {
        type = LT_DECLARE;
    } else if (Starts(pstrUpper, KW_LET)) { // NOLINT(bugprone-branch-clone)
        type = LT_ASSIGN;
    } else if (Starts(pstrUpper, KW_CONST)) {
        type = LT_CONST;
    } else if (Starts(pstrUpper, KW_PRINT_TEXT)) {
        type = LT_PRINT_TEXT;
    } else if (Starts(pstrUpper, KW_PRINT) || Starts(pstrUpper, KW_QUESTION)) {
        type = LT_SIMPLE;
    } else if (Starts(pstrUpper, KW_DELETE)) {
        type = LT_DELETE;
    } else if (Starts(pstrUpper, KW_IF)) {
        const int iAfterCondition = StartAfter(KW_IF) + 1;
        type = PositionFrom(pstrUpper, KW_THEN, iAfterCondition) > 0   ? LT_IF_LINE
               : PositionFrom(pstrUpper, " THEN", iAfterCondition) > 0 ? LT_IF
                                                                       : LT_SIMPLE;
    } else if (Starts(pstrUpper, KW_FOR)) {
        type = PositionFrom(pstrUpper, KW_DO, StartAfter(KW_FOR) + 1) > 0 ? LT_FOR_LINE : LT_FOR;
    } else if (Starts(pstrUpper, KW_FUNCTION)) {
        type = pstrUpper->FindChar('=', 1) > 0 ? LT_FUNCTION_LINE : LT_FUNCTION;
    } else if (Starts(pstrUpper, KW_SUB)) {
        type = LT_SUB;
    } else if (Starts(pstrUpper, KW_RUNFILE)) {
        type = LT_RUNFILE;
    } else if (Starts(pstrUpper, KW_FINDZEROS)) {
        type = LT_FINDZEROS;
    } else if (Starts(pstrUpper, KW_FINDEXTREMA)) {
        type = LT_FINDEXTREMA;
    } else if (Starts(pstrUpper, KW_PLOTXY) || Starts(pstrUpper, KW_PLOTTXY) ||
               Starts(pstrUpper, KW_PLOTPHIR)) {
        type = LT_PLOT;
    } else if (Starts(pstrUpper, "ELSEIF ")) {
        type = LT_ELSEIF;
    } else if (Equals(pstrUpper, "ELSE")) {
        type = LT_ELSE;
    } else if (Equals(pstrUpper, "END IF")) {
        type = LT_END_IF;
    } else if (Equals(pstrUpper, "EXIT LOOP")) {
        type = LT_EXIT_LOOP;
    } else if (Equals(pstrUpper, "EXIT FUNCTION") || Equals(pstrUpper, "EXIT SUB")) {
        type = LT_EXIT_FUNCTION;
    } else if (Equals(pstrUpper, "END FUNCTION")) {
        type = LT_END_FUNCTION;
    } else if (Equals(pstrUpper, "END SUB")) {
        type = LT_END_SUB;
    } else if (Equals(pstrUpper, "NEXT") || Starts(pstrUpper, "NEXT ")) {
        type = LT_NEXT;
    } else if (Equals(pstrUpper, "DO") || Starts(pstrUpper, "DO WHILE ") ||
               Starts(pstrUpper, "DO UNTIL ")) {
        type = LT_DO;
    } else if (Equals(pstrUpper, "LOOP") || Starts(pstrUpper, "LOOP WHILE ") ||
               Starts(pstrUpper, "LOOP UNTIL ")) {
        type = LT_LOOP;
    } else if (pstrUpper->FindChar('=', 1) > 0) {
        type = LT_ASSIGN;
    } else if (IsCall(pstrUpper, nullptr)) {
        type = LT_CALL;
    }
    CleanupStack::PopAndDestroy();
    return type;
}
