#include "clinkedlist.h"

#include "cleanupstack.h"
#include "cstring.h"
#include "symbols/cnamedconstant.h"

template <> CNamedNumeric* CLinkedList<CNamedNumeric>::FindByName(const CString* pstrName) {
    OSTREL_ASSERT(pstrName);
    if (_nCount == 0) {
        return nullptr;
    }
    // Programs may declare thousands of names: the cached hashes reject
    // almost every other name before a character is compared.
    const int nHash = pstrName->GetHash();
    for (_pxNodeCurrent = _pxNodeStart; _pxNodeCurrent; _pxNodeCurrent = _pxNodeCurrent->_pNext) {
        const CString* pstrItem = _pxNodeCurrent->_pItem->GetName();
        if (pstrItem->GetHash() == nHash && pstrItem->Compare(pstrName, false)) {
            return _pxNodeCurrent->_pItem;
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
