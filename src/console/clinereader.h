#pragma once

#include <string>

struct editline;
struct history;

// Where the terminal program's lines come from. On a terminal: a prompt,
// line editing and a history of the lines typed in this session (libedit);
// Ctrl+C at the prompt drops the line being typed and prompts again. From a
// pipe or a file: plain lines, no prompt and no echo.
class CLineReader {
public:
    explicit CLineReader(bool bInteractive);
    ~CLineReader();

    CLineReader(const CLineReader&) = delete;
    CLineReader& operator=(const CLineReader&) = delete;

    // The next line without its line feed; false at the end of the input.
    bool ReadLine(std::string& line);

private:
    bool ReadEditedLine(std::string& line);

    editline* _pEditLine = nullptr;
    history* _pHistory = nullptr;
};
