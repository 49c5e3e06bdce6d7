#include "csymbol.h"

#include "core/cassert.h"
#include "core/cleanupstack.h"
#include "core/clinkedlist.h"
#include "core/cstring.h"
#include "ui/cuserinterface.h"

CSymbol::CSymbol() {
    AddInstance(CN_SYMBOL);
}

CSymbol::~CSymbol() {
    RemoveInstance(CN_SYMBOL);
}

std::uint8_t CSymbol::GetClassNumber() const {
    return CN_SYMBOL;
}

void CSymbol::Print(CUserInterface* pUI) const {
    OSTREL_ASSERT(pUI);
    pUI->PrintText("\nSymbol");
}

CNumeric::CNumeric() {
    AddInstance(CN_NUMERIC);
}

CNumeric::~CNumeric() {
    RemoveInstance(CN_NUMERIC);
}

std::uint8_t CNumeric::GetClassNumber() const {
    return CN_NUMERIC;
}

CNamedNumeric::CNamedNumeric() {
    AddInstance(CN_NAMEDNUMERIC);
}

CNamedNumeric::~CNamedNumeric() {
    delete _poName;
    RemoveInstance(CN_NAMEDNUMERIC);
}

std::uint8_t CNamedNumeric::GetClassNumber() const {
    return CN_NAMEDNUMERIC;
}

void CNamedNumeric::SetName(const CString* pstrName) {
    OSTREL_ASSERT(pstrName);
    TakeName(pstrName->MidToEnd(1, CString::Trimmed));
}

void CNamedNumeric::SetName(const char* pchName) {
    auto* poName = new CString;
    CleanupStack::PushObject(poName);
    poName->Set(pchName);
    CleanupStack::Pop();
    TakeName(poName);
}

void CNamedNumeric::Reset() {}

void CNamedNumeric::PrintName(CUserInterface* pUI) const {
    if (_poName) {
        _poName->Print(pUI);
    }
}

void CNamedNumeric::TakeName(CString* poName) {
    delete _poName;
    _poName = poName;
}

void CNamedNumeric::ReleaseReference() {
    --_nReference;
    OSTREL_ASSERT(_nReference >= 0);
}

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
