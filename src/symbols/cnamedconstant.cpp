#include "cnamedconstant.h"

#include "core/cassert.h"
#include "core/cleanupstack.h"
#include "core/clinkedlist.h"
#include "ui/cuserinterface.h"

CNamedConstant::CNamedConstant(Extended value) : _value(value) {
    AddInstance(CN_NAMEDCONSTANT);
}

CNamedConstant::~CNamedConstant() {
    RemoveInstance(CN_NAMEDCONSTANT);
}

std::uint8_t CNamedConstant::GetClassNumber() const {
    return CN_NAMEDCONSTANT;
}

void CNamedConstant::Print(CUserInterface* pUI) const {
    OSTREL_ASSERT(pUI);
    PrintName(pUI);
    pUI->PrintText(" = ");
    pUI->PrintNumber(_value);
}

CVariable::CVariable(bool bStatic, Extended initialValue)
    : CNamedConstant(0), _initialValue(initialValue), _bStatic(bStatic) {
    AddInstance(CN_VARIABLE);
}

CVariable::~CVariable() {
    RemoveInstance(CN_VARIABLE);
}

std::uint8_t CVariable::GetClassNumber() const {
    return CN_VARIABLE;
}

void CVariable::Print(CUserInterface* pUI) const {
    OSTREL_ASSERT(pUI);
    pUI->PrintText("variable ");
    CNamedConstant::Print(pUI);
}

void CVariable::Reset() {
    if (!_bStatic) {
        _value = _initialValue;
    }
}

void AddNamedConstant(CLinkedList<CNamedNumeric>* pList, Extended value, const char* pchName) {
    OSTREL_ASSERT(pList && pchName);
    auto* poConstant = new CNamedConstant(value);
    CleanupStack::PushObject(poConstant);
    poConstant->SetName(pchName);
    pList->AddLast(poConstant);
    CleanupStack::Pop();
}
