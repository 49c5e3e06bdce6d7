#include "cprogram.h"

#include "core/cassert.h"
#include "core/cleanupstack.h"
#include "core/errorcodes.h"
#include "expression/clibraryfunction.h"
#include "symbols/cfunction.h"
#include "symbols/cnamedconstant.h"
#include "ui/cuserinterface.h"

#include <cmath>
#include <cstdlib>
#include <ctime>

CProgram::CProgram(CInterpreter* pInterpreter) : _pInterpreter(pInterpreter) {
    AddInstance(CN_PROGRAM);
    std::srand(static_cast<unsigned>(std::time(nullptr)));
}

CProgram::~CProgram() {
    // Functions first: their expressions hold references on the other
    // symbols.
    delete _pollUserFunctions;
    delete _pollVariables;
    delete _pollConstants;
    delete _pollArrays;
    delete _pollLibraryFunctions;
    delete _pollBuiltInConstants;
    delete _pollReservedWords;
    RemoveInstance(CN_PROGRAM);
}

std::uint8_t CProgram::GetClassNumber() const {
    return CN_PROGRAM;
}

namespace {

struct SBuiltInConstant {
    const char* pchName;
    Extended value;
};

// clang-format off
constexpr const char* RESERVED_WORDS[] = {
    "REM", "SHELL", "DIM", "STATIC", "CONST", "LET", "GET", "SET", "ARRAY", "LBOUND", "UBOUND",
    "REDIM", "PRESERVE", "COLLECTION", "DELETE", "NEW", "CLASS", "APP", "PRIVATE", "PUBLIC",
    "PROPERTY", "INTEGER", "SINGLE", "DOUBLE", "BOOLEAN", "STRING", "AS", "LCASE", "UCASE", "MID",
    "TRIM", "LTRIM", "RTRIM", "LEFT", "RIGHT", "LEN", "FUNCTION", "SUB", "END", "EXIT", "IF",
    "THEN", "ELSE", "ELSEIF", "ENDIF", "FOR", "TO", "STEP", "EACH", "NEXT", "SELECT", "CASE",
    "SWITCH", "PRINT", "PRINTER", "CALL", "DO", "LOOP", "WHILE", "UNTIL", "AND", "OR", "NOT",
    "NAND", "NOR", "XOR", "LIKE", "IS", "SETFUNCTIONBUTTON", "CLEARFUNCTIONBUTTON", "PLOTXY",
    "PLOTTXY", "PLOTXYZ", "PLOTPHIR", "SETYRANGE", "INTEGRATE", "FINDZEROS", "FINDEXTREMA",
    "FILE", "OPEN", "CLOSE", "RESET", "READ", "WRITE", "ACCESS", "APPEND", "BINARY", "INPUT",
    "OUTPUT", "RANDOM", "DIR", "PUT", "KILL", "NAME", "ON", "ERROR", "GOTO", "GOSUB", "RETURN",
    "LINE", "CIRCLE", "PSET", "INPUTBOX", "MSGBOX", "TIME", "DATE", "NOW",
};
// clang-format on

// Destroys the list, if there is one, and puts an empty one in its place.
void RenewList(CSymbolList*& pollList) {
    delete pollList;
    pollList = nullptr;
    pollList = new CSymbolList;
}

void AddBuiltInConstants(CSymbolList* pList) {
    const Extended pi = 4 * std::atan(1.0L);
    const SBuiltInConstant constants[] = {
        {"PI", pi},
        {"DEG", pi * (1.0L / 180)},
        {"E", std::exp(1.0L)},
        {"CLOCKS_PER_SEC", 1000},
        {"NF_GENERAL", NF_GENERAL},
        {"NF_FIXED", NF_FIXED},
        {"NF_SCIENTIFIC", NF_SCIENTIFIC},
        {"TRUE", 1},
        {"FALSE", 0},
        {"GF_NONE", GF_NONE},
        {"GF_MEDIUM", GF_MEDIUM},
        {"GF_LARGE", GF_LARGE},
        {"INT_MAX", 2147483647.0L},
        {"INT_MIN", -2147483648.0L},
    };
    for (const SBuiltInConstant& constant : constants) {
        AddNamedConstant(pList, constant.value, constant.pchName);
    }
}

void AddLibraryFunctions(CProgram* pProg, CSymbolList* pList) {
    for (int nFunction = 0; nFunction < LF_COUNT; ++nFunction) {
        auto* poFunction = new CLibraryFunction(pProg);
        CleanupStack::PushObject(poFunction);
        poFunction->Setup(nFunction);
        pList->AddLast(poFunction);
        CleanupStack::Pop();
    }
}

void AddReservedWords(CSymbolList* pList) {
    for (const char* pchWord : RESERVED_WORDS) {
        AddNamedConstant(pList, 0, pchWord);
    }
}

} // namespace

void CProgram::DefineBuiltIns() {
    // User functions go first, as in the destructor: their expressions hold
    // references on every other kind of symbol.
    RenewList(_pollUserFunctions);
    RenewList(_pollVariables);
    RenewList(_pollConstants);
    RenewList(_pollArrays);
    RenewList(_pollBuiltInConstants);
    AddBuiltInConstants(_pollBuiltInConstants);
    RenewList(_pollLibraryFunctions);
    AddLibraryFunctions(this, _pollLibraryFunctions);
    RenewList(_pollReservedWords);
    AddReservedWords(_pollReservedWords);
}

CFunction* CProgram::FindFunction(const CString* pstrName) const {
    CNamedNumeric* pFound = _pollUserFunctions->FindByName(pstrName);
    if (!pFound) {
        pFound = _pollLibraryFunctions->FindByName(pstrName);
    }
    return static_cast<CFunction*>(pFound);
}

void CProgram::SetPlotYRange(Extended lo, Extended hi) {
    const SPlotRange range{lo, hi};
    OSTREL_ASSERT(IsDrawableRange(range));
    _plotYRange = range;
}

void CProgram::AskInterface() {
    _nPollCountdown = POLL_INTERVAL;
    if (_pUI && _pUI->IsInterrupted()) {
        RaiseError(ERR_INTERRUPTED);
    }
}
