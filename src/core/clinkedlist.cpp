#include "clinkedlist.h"

#include "cleanupstack.h"
#include "cstring.h"
#include "symbols/cnamedconstant.h"

template <> CNamedNumeric* CLinkedList<CNamedNumeric>::FindByName(const CString* pstrName) {
    OSTREL_ASSERT(pstrName);
    if (_nCount == 0) {
        return nullptr;
    }
    for (GoToStart(); GetCurrent(); GoToNext()) {
        if (GetCurrent()->GetName()->Compare(pstrName, false)) {
            return GetCurrent();
        }
    }
    return nullptr;
}

void AddNamedConstant(CLinkedList<CNamedNumeric>* pList, Extended value, const char* pchName) {
    OSTREL_ASSERT(pList && pchName);
    auto* poConstant = new CNamedConstant(value);
    CleanupStack::PushObject(poConstant);
    poConstant->SetName(pchName);
    pList->AddLast(poConstant);
    CleanupStack::Pop();
}
