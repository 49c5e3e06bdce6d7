#pragma once

#include "core/cbase.h"

class CProgram;
class CStatement;
class CString;

// Turns source text into statement objects, and keeps the name that the
// last named error quotes.
class CInterpreter : public CBase {
public:
    CInterpreter();
    ~CInterpreter() override;
    std::uint8_t GetClassNumber() const override;

    void SetProgram(CProgram* pProgram) { _pProgram = pProgram; }
    CProgram* GetProgram() const { return _pProgram; }

    // One line of text as a new statement owned by the caller; a null or
    // blank line gives a statement that does nothing.
    CStatement* CreateStatement(const CString* pstrLine);

    // Keeps a copy of the name for the error report, then raises the code.
    [[noreturn]] void RaiseNamedError(const CString* pstrName, int nCode);
    const CString* GetErrorName() const { return _poErrorName; }

private:
    CProgram* _pProgram = nullptr;
    CString* _poErrorName = nullptr;
};
