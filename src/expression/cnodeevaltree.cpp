#include "cnodeevaltree.h"

#include "core/cleanupstack.h"
#include "core/cstring.h"
#include "symbols/carray.h"
#include "symbols/cfunction.h"
#include "symbols/cnamedconstant.h"

#include <algorithm>

CNodeEvalTree::CNodeEvalTree() {
    AddInstance(CN_NODEEVALTREE);
}

CNodeEvalTree::~CNodeEvalTree() {
    RemoveInstance(CN_NODEEVALTREE);
}

std::uint8_t CNodeEvalTree::GetClassNumber() const {
    return CN_NODEEVALTREE;
}

CNodeUnknown::CNodeUnknown(CString* poText) : _poText(poText) {
    _type = NT_UNKNOWN;
    AddInstance(CN_NODEUNKNOWN);
}

CNodeUnknown::~CNodeUnknown() {
    delete _poText;
    RemoveInstance(CN_NODEUNKNOWN);
}

std::uint8_t CNodeUnknown::GetClassNumber() const {
    return CN_NODEUNKNOWN;
}

CNodeNamedValue::CNodeNamedValue(CNamedNumeric* pSymbol, ENodeType type)
    : _pSymbol(pSymbol->AddReference()),
      _pValueSource(static_cast<CNamedConstant*>(pSymbol)->GetValueAddress()) {
    _type = type;
    _value = pSymbol->GetValue();
    AddInstance(CN_NODENAMEDVALUE);
}

CNodeNamedValue::~CNodeNamedValue() {
    _pSymbol->ReleaseReference();
    RemoveInstance(CN_NODENAMEDVALUE);
}

std::uint8_t CNodeNamedValue::GetClassNumber() const {
    return CN_NODENAMEDVALUE;
}

// The children are allocated first: should that fail, nothing else has been
// booked or referenced yet.
CNodeOperation::CNodeOperation(ENodeType type, int nPriority, int nChildren)
    : _poChildren(NewChildren(nChildren)), _nChildren(nChildren) {
    _type = type;
    _nPriority = nPriority;
    AddInstance(CN_NODEOPERATION);
}

CNodeOperation::CNodeOperation(CArray* pArray) : _poChildren(NewChildren(1)), _nChildren(1) {
    _pArrayIn = pArray;
    pArray->AddReference();
    _type = NT_ARRAY;
    AddInstance(CN_NODEOPERATION);
}

CNodeOperation::CNodeOperation(CFunction* pFunction)
    : _poChildren(NewChildren(pFunction->GetParamCount())), _nChildren(pFunction->GetParamCount()) {
    _pFuncIn = pFunction;
    pFunction->AddReference();
    _type = NT_CALL;
    AddInstance(CN_NODEOPERATION);
}

// The children themselves are destroyed by the expression, without
// recursion, however deep the tree.
CNodeOperation::~CNodeOperation() {
    delete[] _poChildren;
    if (_pArrayIn) {
        _pArrayIn->ReleaseReference();
    }
    if (_pFuncIn) {
        _pFuncIn->ReleaseReference();
    }
    RemoveInstance(CN_NODEOPERATION);
}

std::uint8_t CNodeOperation::GetClassNumber() const {
    return CN_NODEOPERATION;
}

CNodeEvalTree** CNodeOperation::NewChildren(int nChildren) {
    if (nChildren == 0) {
        return nullptr;
    }
    auto** poChildren = AllocateArray<CNodeEvalTree*>(static_cast<std::size_t>(nChildren));
    std::fill_n(poChildren, nChildren, nullptr);
    return poChildren;
}
