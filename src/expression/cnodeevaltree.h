#pragma once

#include "core/extended.h"
#include "symbols/csymbol.h"

class CArray;
class CFunction;
class CString;

// Node types: the operators by their character, the operands by the class
// number of the symbol they read.
enum ENodeType : std::uint8_t {
    NT_UNKNOWN = 1,
    NT_ADD = 4,
    NT_SUBTRACT = 5,
    NT_NEGATE = 6,
    NT_MULTIPLY = 7,
    NT_POWER = 8,
    NT_DIVIDE = 9,
    NT_MOD = 10,
    NT_AND = 11,
    NT_OR = 12,
    NT_XOR = 13,
    NT_NOT = 14,
    NT_NAND = 15,
    NT_NOR = 16,
    NT_EQUAL = 17,
    NT_NOT_EQUAL = 18,
    NT_LESS = 19,
    NT_GREATER = 20,
    NT_GREATER_EQUAL = 21,
    NT_LESS_EQUAL = 22,
    NT_COMMA = 23,
    NT_LEFT_BRACKET = 24,
    NT_RIGHT_BRACKET = 25,
    NT_CONSTANT = 27,
    NT_VARIABLE = 28,
    NT_ARRAY = 29,
    NT_CALL = 30,
    NT_NUMBER = 63,
};

// The base of every node of an expression; used as is for a number.
class CNodeEvalTree : public CSymbol {
public:
    CNodeEvalTree();
    ~CNodeEvalTree() override;
    std::uint8_t GetClassNumber() const override;

    ENodeType GetType() const { return _type; }
    int GetPriority() const { return _nPriority; }
    bool IsOperation() const {
        return _type != NT_NUMBER && _type != NT_CONSTANT && _type != NT_VARIABLE &&
               _type != NT_UNKNOWN;
    }

    Extended _value = 0;

protected:
    ENodeType _type = NT_NUMBER;
    int _nPriority = -1;
    friend class CExpression;
};

// Text between two operators that names nothing yet.
class CNodeUnknown : public CNodeEvalTree {
public:
    explicit CNodeUnknown(CString* poText);
    ~CNodeUnknown() override;
    std::uint8_t GetClassNumber() const override;
    const CString* GetText() const { return _poText; }

private:
    CString* _poText;
};

// Reads a named constant (its value copied once) or a variable (refreshed
// before every evaluation through the variable-reference chain).
class CNodeNamedValue : public CNodeEvalTree {
public:
    CNodeNamedValue(CNamedNumeric* pSymbol, ENodeType type);
    ~CNodeNamedValue() override;
    std::uint8_t GetClassNumber() const override;

private:
    CNamedNumeric* _pSymbol;
    const Extended* _pValueSource;
    CNodeNamedValue* _pNextVariable = nullptr;
    friend class CExpression;
};

// An operator, bracket or comma; an array element; a function call. Once
// reduced it joins the evaluation chain and becomes an operand.
class CNodeOperation : public CNodeEvalTree {
public:
    CNodeOperation(ENodeType type, int nPriority, int nChildren);
    explicit CNodeOperation(CArray* pArray);
    explicit CNodeOperation(CFunction* pFunction);
    ~CNodeOperation() override;
    std::uint8_t GetClassNumber() const override;

    CFunction* GetFunction() const { return _pFuncIn; }
    bool IsInChain() const { return _bInChain; }

private:
    static CNodeEvalTree** NewChildren(int nChildren);

    CNodeOperation* _pNextOperation = nullptr;
    CArray* _pArrayIn = nullptr;
    CFunction* _pFuncIn = nullptr;
    CNodeEvalTree** _poChildren;
    // The values of the first two children, read directly by evaluation;
    // a missing operand reads a zero.
    inline static const Extended NO_OPERAND = 0;
    const Extended* _pLeft = &NO_OPERAND;
    const Extended* _pRight = &NO_OPERAND;
    int _nChildren;
    // The operand is the result of the operation just before in the chain.
    bool _bLeftIsPrevious = false;
    bool _bRightIsPrevious = false;
    bool _bInChain = false;
    friend class CExpression;
};
