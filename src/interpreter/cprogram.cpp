#include "cprogram.h"

#include "core/cleanupstack.h"
#include "core/errorcodes.h"
#include "symbols/cfunction.h"
#include "ui/cuserinterface.h"

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

void CProgram::DefineBuiltIns() {
    _pollVariables = new CSymbolList;
    _pollConstants = new CSymbolList;
    _pollArrays = new CSymbolList;
    _pollBuiltInConstants = new CSymbolList;
    _pollUserFunctions = new CSymbolList;
    _pollLibraryFunctions = new CSymbolList;
    _pollReservedWords = new CSymbolList;
}

CFunction* CProgram::FindFunction(const CString* pstrName) const {
    CNamedNumeric* pFound = _pollUserFunctions->FindByName(pstrName);
    if (!pFound) {
        pFound = _pollLibraryFunctions->FindByName(pstrName);
    }
    return static_cast<CFunction*>(pFound);
}

void CProgram::PollInterrupt() {
    // Unsigned, so that the never-reset counter wraps instead of overflowing.
    _nPoll = static_cast<int>(static_cast<unsigned>(_nPoll) + 1U);
    if (_nPoll % 1000 != 0) {
        return;
    }
    if (_pUI && _pUI->IsInterrupted()) {
        RaiseError(ERR_INTERRUPTED);
    }
}
