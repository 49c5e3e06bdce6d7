#pragma once

#include "cstatementwithexpressions.h"

class CExpression;
class CString;

// A blank or comment line. Typed on its own it says so.
class CDoNothing : public CStatement {
public:
    explicit CDoNothing(CProgram* pProg);
    ~CDoNothing() override;
    std::uint8_t GetClassNumber() const override;
    EExitSignal Execute() override;
    void Describe() const override;
};

// EXIT LOOP: ends the innermost loop.
class CExitLoop : public CStatement {
public:
    explicit CExitLoop(CProgram* pProg);
    ~CExitLoop() override;
    std::uint8_t GetClassNumber() const override;
    EExitSignal Execute() override;
    void Describe() const override;
};

// EXIT FUNCTION and EXIT SUB: end the running function.
class CExitFunction : public CStatement {
public:
    explicit CExitFunction(CProgram* pProg);
    ~CExitFunction() override;
    std::uint8_t GetClassNumber() const override;
    EExitSignal Execute() override;
    void Describe() const override;
};

// PRINT "text", with or without a line break after it.
class CPrintText : public CStatement {
public:
    explicit CPrintText(CProgram* pProg);
    ~CPrintText() override;
    std::uint8_t GetClassNumber() const override;
    EExitSignal Execute() override;
    void Describe() const override;

    // The text must be a literal in double quotes; only the outermost quotes
    // are removed.
    void SetText(const CString* pstrText, bool bAddNewline);

private:
    CString* _poText = nullptr;
    bool _bNewline = true;
};

// PRINT expr, ? expr and a line that is only an expression. A trailing ";"
// suppresses the line break.
class CPrintExpression : public CStatementWithExpressions {
public:
    explicit CPrintExpression(CProgram* pProg);
    ~CPrintExpression() override;
    std::uint8_t GetClassNumber() const override;
    EExitSignal Execute() override;
    void Describe() const override;

    void SetText(const CString* pstrExprCode);

private:
    bool _bNewline = false;
};

// A call of a subroutine (or any function) as a whole statement; its value
// is discarded.
class CCallSub : public CStatement {
public:
    explicit CCallSub(CProgram* pProg);
    ~CCallSub() override;
    std::uint8_t GetClassNumber() const override;
    EExitSignal Execute() override;
    void Link() override;
    void Describe() const override;

    void SetText(const CString* pstrExprCode);

private:
    CExpression* _poExpr = nullptr;
};
