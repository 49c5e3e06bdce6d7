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

struct SLibraryEntry {
    const char* pchName;
    int nParam;
    bool bSubroutine;
};

constexpr SLibraryEntry LIBRARY[LF_COUNT] = {
    {"ACOS", 1, false},
    {"ASIN", 1, false},
    {"ATAN", 1, false},
    {"ACOT", 1, false},
    {"COS", 1, false},
    {"SIN", 1, false},
    {"TAN", 1, false},
    {"COT", 1, false},
    {"COSH", 1, false},
    {"SINH", 1, false},
    {"TANH", 1, false},
    {"EXP", 1, false},
    {"LOG", 1, false},
    {"LOG10", 1, false},
    {"SQR", 1, false},
    {"ABS", 1, false},
    {"ROUND", 1, false},
    {"RND", 0, false},
    {"CLOCK", 0, false},
    {"CLS", 0, true},
    {"SHOWTOOLBAR", 1, true},
    {"SETNUMBERFORMAT", 1, true},
    {"SETGRAPHICSFRAME", 1, true},
};

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

} // namespace

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
    const SLibraryEntry& entry = LIBRARY[nFunction];
    _nFunction = static_cast<std::uint8_t>(nFunction);
    Init(nullptr, entry.bSubroutine);
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
    return GuardedMath(
        [this] { return _pParameter ? ValueOf(_pParameter->GetValue()) : ValueWithoutArgument(); });
}

CUserInterface* CLibraryFunction::GetUserInterface() const {
    CUserInterface* pUI = _pProg->GetUserInterface();
    OSTREL_ASSERT(pUI);
    return pUI;
}

Extended CLibraryFunction::ValueOf(Extended x) const {
    switch (_nFunction) {
    case LF_ACOS:
        return CallMathRoutine(::acosl, x);
    case LF_ASIN:
        return CallMathRoutine(::asinl, x);
    case LF_ATAN:
        return CallMathRoutine(::atanl, x);
    case LF_ACOT:
        return ArcCotangent(x);
    case LF_COS:
        return CallTrigRoutine(::cosl, x);
    case LF_SIN:
        return CallTrigRoutine(::sinl, x);
    case LF_TAN:
        return CallTrigRoutine(::tanl, x);
    case LF_COT:
        return Cotangent(x);
    case LF_COSH:
        return CallMathRoutine(::coshl, x);
    case LF_SINH:
        return CallMathRoutine(::sinhl, x);
    case LF_TANH:
        return CallMathRoutine(::tanhl, x);
    case LF_EXP:
        return CallMathRoutine(::expl, x);
    case LF_LOG:
        return CallMathRoutine(::logl, x);
    case LF_LOG10:
        return CallMathRoutine(::log10l, x);
    case LF_SQR:
        return CallMathRoutine(::sqrtl, x);
    case LF_ABS:
        return Absolute(x);
    case LF_ROUND:
        return RoundToInt(x);
    case LF_SHOWTOOLBAR:
        GetUserInterface()->ShowToolbar(x != 0);
        return 0;
    case LF_SETNUMBERFORMAT:
        GetUserInterface()->SetNumberFormat(RoundToInt(x));
        return 0;
    case LF_SETGRAPHICSFRAME:
        GetUserInterface()->SetGraphicsFormat(RoundToInt(x));
        return 0;
    default:
        RaiseError(ERR_UNEXPECTED);
    }
}

Extended CLibraryFunction::ValueWithoutArgument() const {
    switch (_nFunction) {
    case LF_RND:
        return RandomNumber();
    case LF_CLOCK:
        return MillisecondsSinceStart();
    case LF_CLS: {
        CUserInterface* pUI = GetUserInterface();
        pUI->ClearGraph();
        pUI->DrawGraphFrame();
        pUI->ClearOutput();
        return 0;
    }
    default:
        RaiseError(ERR_UNEXPECTED);
    }
}
