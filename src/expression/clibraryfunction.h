#pragma once

#include "symbols/cfunction.h"

class CVariable;

// The library's functions and subroutines, by number.
enum ELibraryFunction : std::uint8_t {
    LF_ACOS,
    LF_ASIN,
    LF_ATAN,
    LF_ACOT,
    LF_COS,
    LF_SIN,
    LF_TAN,
    LF_COT,
    LF_COSH,
    LF_SINH,
    LF_TANH,
    LF_EXP,
    LF_LOG,
    LF_LOG10,
    LF_SQR,
    LF_ABS,
    LF_ROUND,
    LF_RND,
    LF_CLOCK,
    LF_CLS,
    LF_SHOWTOOLBAR,
    LF_SETNUMBERFORMAT,
    LF_SETGRAPHICSFRAME,
    LF_COUNT
};

// Whether a library entry gives a value or is called as a statement.
enum ELibraryKind : std::uint8_t { LK_FUNCTION, LK_SUBROUTINE };

// Computes an entry's value; x is 0 for an entry without a parameter. The
// program is there for the entries that reach the screen.
using TLibraryRoutine = Extended (*)(const CProgram* pProg, Extended x);

struct SLibraryEntry {
    ELibraryFunction nFunction;
    ELibraryKind kind;
    int nParam;
    const char* pchName;
    TLibraryRoutine pRoutine;
};

// The whole library, in number order: the program's list of library
// functions is made from it, and each call runs its entry's routine.
extern const SLibraryEntry LIBRARY_TABLE[LF_COUNT];

// A built-in function or subroutine, computed by the routine of its entry
// in the library table. Its parameter variable (if it takes an argument) is
// unnamed and static, written only by the call and read only by GetValue.
class CLibraryFunction : public CFunction {
public:
    explicit CLibraryFunction(CProgram* pProg);
    ~CLibraryFunction() override;
    std::uint8_t GetClassNumber() const override;
    void Print(CUserInterface* pUI) const override;
    // The value for the argument last passed in; a math error of the
    // computation is raised as its code.
    Extended GetValue() override;
    // Computes from the argument as it is, not as read back from the
    // parameter: an extended value stored and loaded again at once stalls.
    Extended ValueAt(Extended x) override;

    // Makes this the library function of that number: its name, kind and
    // parameter. A number outside the library raises "Unexpected error.".
    void Setup(int nFunction);
    int GetFunctionNumber() const { return _nFunction; }

private:
    Extended ValueOf(Extended x) const;

    std::uint8_t _nFunction = 0;
    CVariable* _pParameter = nullptr;
};
