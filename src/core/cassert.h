#pragma once

// Assertions guard programming errors only; user input never reaches one.
// A failed assertion reports the condition and the module, then stops the
// program. They stay active in every build.
[[noreturn]] void AssertionFailed(const char* pchCondition, const char* pchFile, int nLine);

#define OSTREL_ASSERT(condition)                                                                   \
    ((condition) ? static_cast<void>(0) : AssertionFailed(#condition, __FILE__, __LINE__))
