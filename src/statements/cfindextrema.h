#pragma once

#include "cfunctionsearch.h"

class CFunction;
struct SSearchGrid;

// FINDEXTREMA F,A,B: lists the local minima and maxima of F strictly between
// A and B, found where its samples on 1000 equal sub-intervals turn.
class CFindExtrema : public CFunctionSearch {
public:
    CFindExtrema(CProgram* pProg, const CString* pstrFunc);
    ~CFindExtrema() override;
    std::uint8_t GetClassNumber() const override;
    EExitSignal Execute() override;

private:
    Extended SampleAt(const SSearchGrid& grid, int j) const;
    // Refines the extremum bracketed by a and b and prints its line.
    void ReportExtremum(Extended a, Extended b, bool bMaximum) const;
    void PrintCount(int nCount) const;
};
