#include "namecheck.h"

#include "cinterpreter.h"
#include "cprogram.h"

#include "core/cassert.h"
#include "core/cstring.h"
#include "core/errorcodes.h"

void CheckNewName(const CProgram* pProg, const CString* pstrName, bool bDuplicate,
                  SNameErrorCodes codes) {
    OSTREL_ASSERT(pProg && pstrName);
    CInterpreter* pInterpreter = pProg->GetInterpreter();
    OSTREL_ASSERT(pInterpreter);
    if (bDuplicate) {
        pInterpreter->RaiseNamedError(pstrName, codes.nDuplicate);
    }
    if (!pstrName->IsValidName()) {
        pInterpreter->RaiseNamedError(pstrName, codes.nIllegal);
    }
    if (IsReservedWord(pProg, pstrName)) {
        pInterpreter->RaiseNamedError(pstrName, ERR_RESERVED_WORD);
    }
}

bool IsReservedWord(const CProgram* pProg, const CString* pstrName) {
    OSTREL_ASSERT(pProg && pProg->GetReservedWords() && pstrName);
    return pProg->GetReservedWords()->FindByName(pstrName) != nullptr;
}
