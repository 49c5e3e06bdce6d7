#pragma once

#include <cstddef>
#include <cstdint>

// One fuzz input, run the way a user would run it: a fresh window interface
// over a recording window. After every line the cleanup stack must be empty
// and the line's error, if any, must have a message of its own; after the
// interface is destroyed every instance counter must be back where it was.
// Any breach aborts, which the fuzzer and the replay tests report as a
// crash.
//
// Every input runs on a small interrupt budget, so that endless loops end
// as if the user had interrupted them.

// The bytes are typed lines, one per line feed. A line \F1 to \F4 presses
// that function button, as in the terminal program.
void RunTypedLines(const std::uint8_t* pData, std::size_t nSize);

// The bytes are the contents of a program file, which RUNFILE runs; the
// file is named prog.bas in the current directory, so it can run itself.
void RunProgramFile(const std::uint8_t* pData, std::size_t nSize);

// Moves the process into a private, empty directory, so that RUNFILE finds
// only the file of the input. Call once, before the first input.
void EnterFuzzDirectory();
