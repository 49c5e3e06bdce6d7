#pragma once

// Every value of the language is an 80-bit extended-precision number.
using Extended = long double;
