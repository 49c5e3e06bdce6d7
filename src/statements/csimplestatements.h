#pragma once

#include "cstatement.h"

// A blank or comment line. Typed on its own it says so.
class CDoNothing : public CStatement {
public:
    explicit CDoNothing(CProgram* pProg);
    ~CDoNothing() override;
    std::uint8_t GetClassNumber() const override;
    EExitSignal Execute() override;
    void Describe() const override;
};
