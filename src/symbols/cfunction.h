#pragma once

#include "csymbol.h"

#include "core/clinkedlist.h"

class CProgram;

// What every function shares: the subroutine flag, the numbered parameters
// (followed, for a function, by its result variable), the local scopes, and
// the way a call passes its arguments in.
class CFunction : public CNamedNumeric {
public:
    explicit CFunction(CProgram* pProg);
    ~CFunction() override;
    std::uint8_t GetClassNumber() const override;

    // Names the function (no name when null), stores the flag and creates
    // the four empty scopes.
    virtual void Init(const CString* pstrName, bool bSubroutine);
    virtual void BeforeCall();

    bool IsSubroutine() const { return _bSubroutine; }
    // A function written as an expression where a command takes a
    // function's name: its text is its name, it has no place among the
    // program's names, and the last of its holders deletes it.
    virtual bool IsExpression() const { return false; }
    int GetParamCount() const { return _nParam; }
    void SetParamCount(int nParam) { _nParam = nParam; }
    CLinkedList<CNamedNumeric>* GetParams() const { return _pollParams; }
    CLinkedList<CNamedNumeric>* GetLocalVariables() const { return _pollLocalVariables; }
    CLinkedList<CNamedNumeric>* GetLocalArrays() const { return _pollLocalArrays; }
    CLinkedList<CNamedNumeric>* GetLocalConstants() const { return _pollLocalConstants; }
    CProgram* GetProgram() const { return _pProg; }

    // The value for one argument, passed as parameter 1.
    virtual Extended ValueAt(Extended x);

    void ResetParamCursor();
    void SetParam(Extended value, int iParam);
    // Raises the ONE-variable error unless the function has exactly one
    // parameter; the searches below need that before they evaluate.
    void RequireOneParameter() const;
    // Bisection between a and b; true with the zero in *pX when the function
    // is 0 at an end or changes sign in between.
    bool FindZero(Extended a, Extended b, Extended* pX);
    // Golden-section search of the bracket between a and b (in either order)
    // for the greatest value (bMaximum) or the least: *pX receives the best x
    // found and *pY the value there. Unless no number lies between a and b,
    // the ends are never probed, so x lies strictly between them. The values
    // are flat near an extremum, so x is known to about half the digits of a
    // zero.
    void FindExtremum(Extended a, Extended b, bool bMaximum, Extended* pX, Extended* pY);

protected:
    CProgram* const _pProg;

private:
    bool _bSubroutine = false;
    int _nParam = 0;
    int _iParamCursor = 0;
    CLinkedList<CNamedNumeric>* _pollParams = nullptr;
    CLinkedList<CNamedNumeric>* _pollLocalVariables = nullptr;
    CLinkedList<CNamedNumeric>* _pollLocalArrays = nullptr;
    CLinkedList<CNamedNumeric>* _pollLocalConstants = nullptr;
};
