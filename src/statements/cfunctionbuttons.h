#pragma once

#include "cstatementwithexpressions.h"

// SETFUNCTIONBUTTON index, "command", "caption", run-flag: binds a function
// button. The window interface keeps the binding and checks the index.
class CSetFunctionButton : public CStatementWithExpressions {
public:
    explicit CSetFunctionButton(CProgram* pProg);
    ~CSetFunctionButton() override;
    std::uint8_t GetClassNumber() const override;
    EExitSignal Execute() override;
    void Describe() const override;

    // The four texts in the order in which they stand in the statement.
    void SetText(const CString* pstrIndex, const CString* pstrFuncName, const CString* pstrCaption,
                 const CString* pstrRunFlag);

private:
    CString* _postrCaption = nullptr;
    CString* _postrFuncName = nullptr;
};

// CLEARFUNCTIONBUTTON index: unbinds a function button.
class CClearFunctionButton : public CStatementWithExpressions {
public:
    explicit CClearFunctionButton(CProgram* pProg);
    ~CClearFunctionButton() override;
    std::uint8_t GetClassNumber() const override;
    EExitSignal Execute() override;
    void Describe() const override;
};
