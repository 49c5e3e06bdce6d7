#pragma once

#include "crecordinginterface.h"

#include <initializer_list>
#include <string>

// Runs typed lines the way the window does (recognise, direct mode, link,
// execute, report an error code with its line break) and returns what they
// printed.
std::string RunLines(CRecordingInterface& ui, std::initializer_list<const char*> lines);

// Writes a program file under the test's temporary directory; returns its
// path.
std::string WriteProgramFile(const char* pchName, const std::string& text);
