#pragma once

#include "core/extended.h"

// Rounds half away from zero to a 32-bit integer; a value outside that range,
// or not a number, raises "Illegal parameter value in function call.".
int RoundToInt(Extended value);
// The same rounding, raising the given code instead.
int RoundToInt(Extended value, int nErrorCode);

// The pending math error: one process-wide code, 0 when nothing is pending.
//
// The C library reports the failures of its routines only through the
// floating-point exception flags, so the routines are called through
// CallMathRoutine, which reads the flags right after the routine returns and
// records the pending code by category, as an error hook of the library
// would. Arithmetic done between two routine calls is not watched, just as a
// hook would not see it: ACOT(x) of a tiny x may form an infinite 1/x and
// still get its proper result pi/2 from the arc tangent.
//
// Every guarded computation goes the same way: ClearMathError, routine calls,
// RaisePendingMathError. GuardedMath does exactly that around a callable.
// The power operator of the evaluator uses CheckedPow, which is
// GuardedMath around powl; calling powl directly would bypass the detection.

enum class EMathError { Domain, Singularity, Overflow, Underflow, PrecisionLoss, Other };

void ClearMathError();
// The pending code, which is cleared by taking it.
int TakeMathError();
// Records the code of the category as pending, replacing any earlier one:
// domain "Illegal parameter value in function call.", singularity
// "Singularity error.", overflow "Overflow.", underflow "Underflow.",
// precision loss "Total loss of precision.", anything else -19.
void RecordMathError(EMathError category);
// Raises the pending code, if there is one.
void RaisePendingMathError();

using MathRoutine1 = Extended (*)(Extended);
using MathRoutine2 = Extended (*)(Extended, Extended);

// Calls a routine of the C library and records its failure: an invalid
// operation is a domain error, a division by zero a singularity, an overflow
// an overflow, and an underflow only when the result is 0 — a subnormal
// result is still a result, and the flag is raised for those too.
Extended CallMathRoutine(MathRoutine1 pRoutine, Extended x);
Extended CallMathRoutine(MathRoutine2 pRoutine, Extended x, Extended y);

// Beyond this magnitude one unit in the last place of an extended value is at
// least a whole radian, so the sine, cosine and tangent of such a value carry
// no meaningful digit. It is also the limit of the x87 instructions, which
// leave larger arguments unreduced.
constexpr Extended TRIG_ARGUMENT_LIMIT = 0x1p63L;

// As CallMathRoutine, for sine, cosine and tangent: a finite argument beyond
// TRIG_ARGUMENT_LIMIT records a total loss of precision and gives 0 without
// calling the routine. Infinite arguments are domain errors of the routine.
Extended CallTrigRoutine(MathRoutine1 pRoutine, Extended x);

// Clears the pending math error, runs the computation, and raises whatever
// it left pending; otherwise returns its value.
template <class F> Extended GuardedMath(F&& compute) {
    ClearMathError();
    const Extended value = compute();
    RaisePendingMathError();
    return value;
}

// base to the power exponent, raising the pending math error of powl:
// (-8)^(1/3) "Illegal parameter value in function call.", 0^-1
// "Singularity error.", results beyond the extended range "Overflow." or
// "Underflow.".
Extended CheckedPow(Extended base, Extended exponent);
