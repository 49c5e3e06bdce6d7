#pragma once

#include "interpreter/completion.h"

#include <functional>
#include <string>
#include <vector>

struct editline;
struct history;

// Where the terminal program's lines come from. On a terminal: a prompt,
// line editing and a history of the lines typed in this session (libedit);
// Ctrl+C at the prompt drops the line being typed and prompts again. From a
// pipe or a file: plain lines, no prompt and no echo. On a terminal Tab
// completes the word before the cursor with the names the completer gives.
class CLineReader {
public:
    // The completion of the word that ends at byte iCaret of the line.
    using Completer = std::function<SCompletion(const std::string& line, int iCaret)>;

    CLineReader(bool bInteractive, Completer completer);
    ~CLineReader();

    CLineReader(const CLineReader&) = delete;
    CLineReader& operator=(const CLineReader&) = delete;

    // The next line without its line feed; false at the end of the input.
    bool ReadLine(std::string& line);

private:
    bool ReadEditedLine(std::string& line);
    // The Tab key's editor function: libedit calls it with the reader as
    // its client data.
    static unsigned char CompleteKey(editline* pEditLine, int ch);
    unsigned char CompleteAtCursor();
    // The candidates in columns below the line being edited.
    void ListCandidates(const std::vector<std::string>& candidates) const;

    Completer _completer;

    editline* _pEditLine = nullptr;
    history* _pHistory = nullptr;
};
