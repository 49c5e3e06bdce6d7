#pragma once

#include "core/cassert.h"
#include "cstatement.h"

class CExpression;
class CString;

// A statement owning one to three expressions, in an order its class
// defines; an entry is null when its text was not given.
class CStatementWithExpressions : public CStatement {
public:
    explicit CStatementWithExpressions(CProgram* pProg);
    ~CStatementWithExpressions() override;
    std::uint8_t GetClassNumber() const override;
    void Link() override;

    virtual void SetExpressions(int nExpr, const CString* pstr1, const CString* pstr2 = nullptr,
                                const CString* pstr3 = nullptr);

protected:
    // Entry i (1-based), or null.
    CExpression* GetExpression(int i) const {
        OSTREL_ASSERT(i >= 1 && i <= _nExpr);
        return _popoExpr[i - 1];
    }
    int GetExpressionCount() const { return _nExpr; }

private:
    void Release();

    CExpression** _popoExpr = nullptr;
    int _nExpr = 0;
};
