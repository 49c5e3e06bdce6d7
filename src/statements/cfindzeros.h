#pragma once

#include "cfunctionsearch.h"

class CFunction;

// FINDZEROS F,A,B: lists the zeros of F between A and B, searching 1000
// equal sub-intervals one after another.
class CFindZeros : public CFunctionSearch {
public:
    CFindZeros(CProgram* pProg, const CString* pstrFunc);
    ~CFindZeros() override;
    std::uint8_t GetClassNumber() const override;
    EExitSignal Execute() override;
};
