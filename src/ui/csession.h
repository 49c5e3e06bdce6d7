#pragma once

#include "interpreter/completion.h"

#include <string>

class CWindowInterface;
class CWindowOperations;

// A calculator session as a front end runs it: the window interface over
// the front end's window operations, from one reset to the next. A reset
// does what starting the calculator does: a fresh interface with the
// window's defaults (check marks, unbound buttons, buttons shown) and the
// leak report of the interface it replaced; the start-up line runs
// separately, so that a front end can arm its interrupt around it.
// The session is what the leak report counts as a main window.
class CSession {
public:
    static constexpr const char* STARTUP_FILE = "autoexec.bas";

    // The line that runs the start-up file.
    static std::string DefaultStartupLine() { return RunFileCommand(STARTUP_FILE); }

    // startupLine is what RunStartupFile runs; tests pass another one.
    explicit CSession(CWindowOperations* pWindow, std::string startupLine = DefaultStartupLine());
    ~CSession();

    CSession(const CSession&) = delete;
    CSession& operator=(const CSession&) = delete;

    // Replaces the interface. False when the new one could not be
    // initialised: the output pane then says so and there is no interface
    // until the next reset.
    bool Reset();
    // Runs the start-up line; false when it reported an error.
    bool RunStartupFile();
    // Runs the program file as the line RUNFILE "NAME" does; false when it
    // reported an error.
    bool RunFile(const std::string& fileName);
    // The line that runs a program file. RUNFILE has no escape for a
    // double quote: a name holding one makes a line that RUNFILE refuses
    // with its own error.
    static std::string RunFileCommand(const std::string& fileName);

    // The names that complete the word before the caret, from the program
    // of this moment; none without an interface.
    SCompletion Complete(const std::string& line, int iCaret) const;

    // Null before the first reset and after a failed one.
    CWindowInterface* GetInterface() const { return _poInterface; }
    const std::string& GetStartupLine() const { return _startupLine; }

private:
    bool Execute(const std::string& line);

    CWindowOperations* _pWindow;
    std::string _startupLine;
    CWindowInterface* _poInterface = nullptr;
};
