#pragma once

#include "cstatementwithexpressions.h"

class CFunction;

// What FINDZEROS and FINDEXTREMA share: a search over an interval "A,B" of a
// function named (or written as an expression in X) before its first comma.
// The function is held by a counted reference from Link on; its count of
// parameters is checked by the search itself, after the heading.
class CFunctionSearch : public CStatementWithExpressions {
public:
    // pchCommand is the word the diagnostic listing writes ("FindZeros "),
    // nSyntaxCode the command's syntax error.
    CFunctionSearch(CProgram* pProg, const CString* pstrFunc, const char* pchCommand,
                    int nSyntaxCode);
    ~CFunctionSearch() override;
    std::uint8_t GetClassNumber() const override;
    void Link() override;
    void Describe() const override;

    // The interval text "A,B" that follows the function's comma.
    void SetText(const CString* pstrParams);

protected:
    CFunction* GetFunction() const { return _pFunc; }

private:
    CString* _postrFunc = nullptr;
    CFunction* _pFunc = nullptr;
    const char* _pchCommand;
    int _nSyntaxCode;
};
