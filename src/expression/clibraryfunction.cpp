#include "clibraryfunction.h"

#include "mathsupport.h"

#include "core/cassert.h"
#include "core/cleanupstack.h"
#include "core/errorcodes.h"
#include "interpreter/cprogram.h"
#include "symbols/cnamedconstant.h"
#include "ui/cuserinterface.h"

#include <chrono>
#include <cmath>
#include <cstdlib>

namespace {

// CLOCK counts from here: the engine's static initialisation, before any line
// can run.
const std::chrono::steady_clock::time_point g_programStart = std::chrono::steady_clock::now();

Extended ArcCotangent(Extended x) {
    const Extended pi = 4 * CallMathRoutine(::atanl, 1);
    if (x > 0) {
        return CallMathRoutine(::atanl, 1 / x);
    }
    if (x < 0) {
        return CallMathRoutine(::atanl, 1 / x) + pi;
    }
    return pi * 0.5L;
}

// A precision loss of either routine is pending before the sine is looked
// at, so it wins over the division by zero that its default result implies.
Extended Cotangent(Extended x) {
    const Extended cosine = CallTrigRoutine(::cosl, x);
    const Extended sine = CallTrigRoutine(::sinl, x);
    RaisePendingMathError();
    if (sine == 0) {
        RaiseError(ERR_DIVISION_BY_ZERO);
    }
    return cosine / sine;
}

Extended Absolute(Extended x) {
    return x >= 0 ? x : -x;
}

// 0 to 32767 from the high bits of the generator, whatever its own range.
Extended RandomNumber() {
    const int nRandom = std::rand() / (RAND_MAX / 32768 + 1);
    return nRandom;
}

Extended MillisecondsSinceStart() {
    const auto elapsed = std::chrono::steady_clock::now() - g_programStart;
    return static_cast<Extended>(
        std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

CUserInterface* UserInterfaceOf(const CProgram* pProg) {
    CUserInterface* pUI = pProg->GetUserInterface();
    OSTREL_ASSERT(pUI);
    return pUI;
}

// The table's signature around a routine of the C library.
template <MathRoutine1 pRoutine> Extended Math(const CProgram* /*pProg*/, Extended x) {
    return CallMathRoutine(pRoutine, x);
}

template <MathRoutine1 pRoutine> Extended Trig(const CProgram* /*pProg*/, Extended x) {
    return CallTrigRoutine(pRoutine, x);
}

// The table's signature around a routine of one argument of this file.
template <Extended (*pRoutine)(Extended)> Extended Of(const CProgram* /*pProg*/, Extended x) {
    return pRoutine(x);
}

// The table's signature around a routine without arguments.
template <Extended (*pRoutine)()> Extended Without(const CProgram* /*pProg*/, Extended /*x*/) {
    return pRoutine();
}

Extended Round(Extended x) {
    return RoundToInt(x);
}

Extended ClearScreen(const CProgram* pProg, Extended /*x*/) {
    CUserInterface* pUI = UserInterfaceOf(pProg);
    pUI->ClearGraph();
    pUI->DrawGraphFrame();
    pUI->ClearOutput();
    return 0;
}

Extended ShowToolbar(const CProgram* pProg, Extended x) {
    UserInterfaceOf(pProg)->ShowToolbar(x != 0);
    return 0;
}

Extended SetNumberFormat(const CProgram* pProg, Extended x) {
    UserInterfaceOf(pProg)->SetNumberFormat(RoundToInt(x));
    return 0;
}

Extended SetGraphicsFrame(const CProgram* pProg, Extended x) {
    UserInterfaceOf(pProg)->SetGraphicsFormat(RoundToInt(x));
    return 0;
}

// Every entry stands at its own number.
constexpr bool IsInNumberOrder(const SLibraryEntry (&table)[LF_COUNT]) {
    for (int i = 0; i < LF_COUNT; ++i) {
        if (table[i].nFunction != i) {
            return false;
        }
    }
    return true;
}

} // namespace

extern constexpr SLibraryEntry LIBRARY_TABLE[LF_COUNT] = {
    {LF_ACOS, LK_FUNCTION, 1, "ACOS", Math<::acosl>},
    {LF_ASIN, LK_FUNCTION, 1, "ASIN", Math<::asinl>},
    {LF_ATAN, LK_FUNCTION, 1, "ATAN", Math<::atanl>},
    {LF_ACOT, LK_FUNCTION, 1, "ACOT", Of<ArcCotangent>},
    {LF_COS, LK_FUNCTION, 1, "COS", Trig<::cosl>},
    {LF_SIN, LK_FUNCTION, 1, "SIN", Trig<::sinl>},
    {LF_TAN, LK_FUNCTION, 1, "TAN", Trig<::tanl>},
    {LF_COT, LK_FUNCTION, 1, "COT", Of<Cotangent>},
    {LF_COSH, LK_FUNCTION, 1, "COSH", Math<::coshl>},
    {LF_SINH, LK_FUNCTION, 1, "SINH", Math<::sinhl>},
    {LF_TANH, LK_FUNCTION, 1, "TANH", Math<::tanhl>},
    {LF_EXP, LK_FUNCTION, 1, "EXP", Math<::expl>},
    {LF_LOG, LK_FUNCTION, 1, "LOG", Math<::logl>},
    {LF_LOG10, LK_FUNCTION, 1, "LOG10", Math<::log10l>},
    {LF_SQR, LK_FUNCTION, 1, "SQR", Math<::sqrtl>},
    {LF_ABS, LK_FUNCTION, 1, "ABS", Of<Absolute>},
    {LF_ROUND, LK_FUNCTION, 1, "ROUND", Of<Round>},
    {LF_RND, LK_FUNCTION, 0, "RND", Without<RandomNumber>},
    {LF_CLOCK, LK_FUNCTION, 0, "CLOCK", Without<MillisecondsSinceStart>},
    {LF_CLS, LK_SUBROUTINE, 0, "CLS", ClearScreen},
    {LF_SHOWTOOLBAR, LK_SUBROUTINE, 1, "SHOWTOOLBAR", ShowToolbar},
    {LF_SETNUMBERFORMAT, LK_SUBROUTINE, 1, "SETNUMBERFORMAT", SetNumberFormat},
    {LF_SETGRAPHICSFRAME, LK_SUBROUTINE, 1, "SETGRAPHICSFRAME", SetGraphicsFrame},
};
static_assert(IsInNumberOrder(LIBRARY_TABLE));

CLibraryFunction::CLibraryFunction(CProgram* pProg) : CFunction(pProg) {
    AddInstance(CN_LIBRARYFUNCTION);
}

CLibraryFunction::~CLibraryFunction() {
    RemoveInstance(CN_LIBRARYFUNCTION);
}

std::uint8_t CLibraryFunction::GetClassNumber() const {
    return CN_LIBRARYFUNCTION;
}

void CLibraryFunction::Print(CUserInterface* pUI) const {
    OSTREL_ASSERT(pUI);
    PrintName(pUI);
}

void CLibraryFunction::Setup(int nFunction) {
    OSTREL_ASSERT(!GetParams());
    if (nFunction < 0 || nFunction >= LF_COUNT) {
        RaiseError(ERR_UNEXPECTED);
    }
    const SLibraryEntry& entry = LIBRARY_TABLE[nFunction];
    _nFunction = static_cast<std::uint8_t>(nFunction);
    Init(nullptr, entry.kind == LK_SUBROUTINE);
    SetName(entry.pchName);
    for (int i = 0; i < entry.nParam; ++i) {
        auto* poParameter = new CVariable(true, 0);
        CleanupStack::PushObject(poParameter);
        GetParams()->AddLast(poParameter);
        CleanupStack::Pop();
        if (!_pParameter) {
            _pParameter = poParameter;
        }
    }
    SetParamCount(entry.nParam);
}

Extended CLibraryFunction::ValueAt(Extended x) {
    OSTREL_ASSERT(_pParameter);
    _pParameter->SetValue(x);
    return GuardedMath([this, x] { return ValueOf(x); });
}

Extended CLibraryFunction::GetValue() {
    OSTREL_ASSERT(GetParams());
    return GuardedMath([this] { return ValueOf(_pParameter ? _pParameter->GetValue() : 0); });
}

Extended CLibraryFunction::ValueOf(Extended x) const {
    return LIBRARY_TABLE[_nFunction].pRoutine(_pProg, x);
}
