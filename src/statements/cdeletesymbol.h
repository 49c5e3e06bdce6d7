#pragma once

#include "cstatement.h"

class CString;

// DELETE name: removes a user symbol no expression or statement holds any
// more. Typed lines only.
class CDeleteSymbol : public CStatement {
public:
    CDeleteSymbol(CProgram* pProg, const CString* pstrSymbolName);
    ~CDeleteSymbol() override;
    std::uint8_t GetClassNumber() const override;
    EExitSignal Execute() override;
    int CountDeletes() const override;
    void Describe() const override;

private:
    CString* _poSymbolName;
};
