#include "cinterpreter.h"

#include "core/cassert.h"
#include "core/cleanupstack.h"
#include "core/cstring.h"
#include "core/errorcodes.h"
#include "statements/csimplestatements.h"

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
    CString* poLine = pstrLine->Mid(1, pstrLine->GetLength(), CString::Trimmed);
    const bool bEmpty = poLine->GetLength() == 0;
    delete poLine;
    if (bEmpty) {
        return new CDoNothing(_pProgram);
    }
    RaiseError(ERR_UNRECOGNISED_LINE);
}
