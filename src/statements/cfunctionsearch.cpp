#include "cfunctionsearch.h"

#include "numericalcommand.h"

#include "core/cassert.h"
#include "core/cstring.h"

CFunctionSearch::CFunctionSearch(CProgram* pProg, const CString* pstrFunc, const char* pchCommand,
                                 int nSyntaxCode)
    : CStatementWithExpressions(pProg), _pchCommand(pchCommand), _nSyntaxCode(nSyntaxCode) {
    OSTREL_ASSERT(pstrFunc && pchCommand);
    _postrFunc = pstrFunc->MidToEnd(1, CString::Trimmed);
    AddInstance(CN_FUNCTIONSEARCH);
}

CFunctionSearch::~CFunctionSearch() {
    ReleaseNamedFunction(_pFunc);
    delete _postrFunc;
    RemoveInstance(CN_FUNCTIONSEARCH);
}

std::uint8_t CFunctionSearch::GetClassNumber() const {
    return CN_FUNCTIONSEARCH;
}

void CFunctionSearch::SetText(const CString* pstrParams) {
    OSTREL_ASSERT(pstrParams);
    SetIntervalExpressions(this, pstrParams, _nSyntaxCode);
}

void CFunctionSearch::Link() {
    if (!_pFunc) {
        OSTREL_ASSERT(_postrFunc);
        LinkNamedFunction(this, &_postrFunc, &_pFunc, 0, "X");
    }
    CStatementWithExpressions::Link();
}

void CFunctionSearch::Describe() const {
    CStatement::Describe();
    DescribeSearch(GetUserInterface(), _pchCommand, _pFunc, _postrFunc);
}
