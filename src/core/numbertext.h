#pragma once

#include "core/extended.h"

#include <string>

// How PrintNumber writes a number: the three number display formats.
enum EFloatFormat { FF_GENERAL, FF_EXPONENT, FF_FIXED };

// Big enough for any value at any precision up to MAX_PRECISION digits.
constexpr int NUMBER_TEXT_SIZE = 96;
constexpr int MAX_PRECISION = 30;

// Writes the value rounded to nPrecision significant digits (half away from
// zero) in the given format; nDigits is the number of decimals of the fixed
// format and the minimum exponent width of the exponent format. The
// separator is always ".".
void FormatNumber(Extended value, EFloatFormat format, int nPrecision, int nDigits,
                  char (&pchText)[NUMBER_TEXT_SIZE]);

// A few significant digits in the general format, for reading a picture:
// 1.5707963 is "1.5708".
std::string ShortNumberText(Extended value);
