#pragma once

#include "cstatementwithexpressions.h"

// SETYRANGE Y1,Y2 fixes the y range of the PLOTXY plots that follow, in
// either order of the ends; SETYRANGE AUTO lets them choose it from their
// curves again. The range is kept by the program object, so a reset forgets
// it. Nothing is echoed.
class CSetYRange : public CStatementWithExpressions {
public:
    explicit CSetYRange(CProgram* pProg);
    ~CSetYRange() override;
    std::uint8_t GetClassNumber() const override;
    EExitSignal Execute() override;
    void Describe() const override;

    // The text after the keyword: "Y1,Y2" or "AUTO".
    void SetText(const CString* pstrRange);

private:
    // The AUTO form has no expressions.
    bool IsAuto() const { return GetExpressionCount() == 0; }
};
