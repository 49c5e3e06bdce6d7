#pragma once

#include "cdeclareconstorvar.h"

// DIM name(lower TO upper) and STATIC name(lower TO upper).
class CDeclareArray : public CStatementWithExpressions {
public:
    CDeclareArray(CProgram* pProg, const CString* pstrArrName, EDeclarationKind kind);
    ~CDeclareArray() override;
    std::uint8_t GetClassNumber() const override;
    EExitSignal Execute() override;
    int CountVarDeclarations() const override;
    void Describe() const override;

private:
    int EvaluateLimit(int iExpr) const;

    CString* _poArrName;
    EDeclarationKind _kind;
};
