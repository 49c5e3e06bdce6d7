#include "cexpression.h"

#include "cnodeevaltree.h"
#include "core/cleanupstack.h"
#include "core/errorcodes.h"
#include "mathsupport.h"
#include "symbols/carray.h"
#include "symbols/cfunction.h"

namespace {

bool IsTrue(Extended value) {
    return value != 0;
}

Extended Truth(bool b) {
    return b ? 1 : 0;
}

Extended Remainder(Extended l, Extended r) {
    const int nRight = RoundToInt(r);
    if (nRight == 0) {
        RaiseError(ERR_DIVISION_BY_ZERO);
    }
    const int nLeft = RoundToInt(l);
    // The one quotient that does not fit in 32 bits; its remainder is 0.
    if (nRight == -1) {
        return 0;
    }
    return nLeft % nRight;
}

} // namespace

[[gnu::always_inline]] inline Extended CExpression::Compute(CNodeOperation* pNode, Extended l,
                                                            Extended r) {
    CNodeEvalTree* const* const children = pNode->_poChildren;
    switch (pNode->_type) {
    case NT_ADD:
        return l + r;
    case NT_SUBTRACT:
        return l - r;
    case NT_NEGATE:
        return -l;
    case NT_MULTIPLY:
        return l * r;
    case NT_POWER:
        return CheckedPow(l, r);
    case NT_DIVIDE:
        if (r == 0) {
            RaiseError(ERR_DIVISION_BY_ZERO);
        }
        return l / r;
    case NT_MOD:
        return Remainder(l, r);
    case NT_AND:
        return Truth(IsTrue(l) && IsTrue(r));
    case NT_OR:
        return Truth(IsTrue(l) || IsTrue(r));
    case NT_XOR:
        return Truth(IsTrue(l) != IsTrue(r));
    case NT_NOT:
        return Truth(!IsTrue(l));
    case NT_NAND:
        return Truth(!(IsTrue(l) && IsTrue(r)));
    case NT_NOR:
        return Truth(!IsTrue(l) && !IsTrue(r));
    case NT_EQUAL:
        return Truth(l == r);
    case NT_NOT_EQUAL:
        return Truth(l != r);
    case NT_LESS:
        return Truth(l < r);
    case NT_GREATER:
        return Truth(l > r);
    case NT_GREATER_EQUAL:
        return Truth(l >= r);
    case NT_LESS_EQUAL:
        return Truth(l <= r);
    case NT_ARRAY:
        pNode->_pArrayIn->SetIndex(l, 1);
        return pNode->_pArrayIn->GetValue();
    case NT_CALL: {
        CFunction* pFunction = pNode->_pFuncIn;
        pFunction->BeforeCall();
        if (pNode->_nChildren == 1) {
            return pFunction->ValueAt(l);
        }
        if (pNode->_nChildren > 0) {
            pFunction->ResetParamCursor();
            for (int i = 0; i < pNode->_nChildren; ++i) {
                pFunction->SetParam(children[i]->_value, i + 1);
            }
        }
        return pFunction->GetValue();
    }
    default:
        RaiseError(ERR_UNEXPECTED);
    }
}

Extended CExpression::Evaluate() {
    OSTREL_ASSERT(!_nSymbolUnknown);
    OSTREL_ASSERT(_poEvalTreeRoot);
    // All variables are read before any operation runs: a function called
    // by the expression may change one that the expression also reads.
    for (CNodeNamedValue* pNode = _pFirstVariableRef; pNode; pNode = pNode->_pNextVariable) {
        pNode->_value = *pNode->_pValueSource;
    }
    // The operand that the operation just before computed is taken from
    // the register: reading an extended value back right after storing it
    // stalls the processor.
    Extended previous = 0;
    for (CNodeOperation* pNode = _pFirstOperation; pNode; pNode = pNode->_pNextOperation) {
        const Extended l = pNode->_bLeftIsPrevious ? previous : *pNode->_pLeft;
        const Extended r = pNode->_bRightIsPrevious ? previous : *pNode->_pRight;
        previous = Compute(pNode, l, r);
        pNode->_value = previous;
    }
    return _poEvalTreeRoot == _pLastOperation ? previous : _poEvalTreeRoot->_value;
}
