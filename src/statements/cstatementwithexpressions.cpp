#include "cstatementwithexpressions.h"

#include "core/cassert.h"
#include "core/cleanupstack.h"
#include "expression/cexpression.h"

CStatementWithExpressions::CStatementWithExpressions(CProgram* pProg) : CStatement(pProg) {
    AddInstance(CN_STATEMENTWITHEXPRESSIONS);
}

CStatementWithExpressions::~CStatementWithExpressions() {
    Release();
    RemoveInstance(CN_STATEMENTWITHEXPRESSIONS);
}

std::uint8_t CStatementWithExpressions::GetClassNumber() const {
    return CN_STATEMENTWITHEXPRESSIONS;
}

void CStatementWithExpressions::Release() {
    for (int i = 0; i < _nExpr; ++i) {
        delete _popoExpr[i];
    }
    delete[] _popoExpr;
    _popoExpr = nullptr;
    _nExpr = 0;
}

void CStatementWithExpressions::SetExpressions(int nExpr, const CString* pstr1,
                                               const CString* pstr2, const CString* pstr3) {
    OSTREL_ASSERT(nExpr >= 1 && nExpr <= 3);
    Release();
    _popoExpr = AllocateArray<CExpression*>(static_cast<std::size_t>(nExpr));
    for (int i = 0; i < nExpr; ++i) {
        _popoExpr[i] = nullptr;
    }
    _nExpr = nExpr;
    const CString* const texts[] = {pstr1, pstr2, pstr3};
    for (int i = 0; i < nExpr; ++i) {
        if (texts[i]) {
            // Owned by the array at once: a parse error releases it with the
            // statement.
            _popoExpr[i] = new CExpression(GetProgram());
            _popoExpr[i]->SetCode(texts[i]);
        }
    }
}

void CStatementWithExpressions::Link() {
    for (int i = 0; i < _nExpr; ++i) {
        if (_popoExpr[i]) {
            LinkExpression(_popoExpr[i], true);
        }
    }
}
