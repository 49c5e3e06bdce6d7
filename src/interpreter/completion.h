#pragma once

#include <string>
#include <vector>

class CProgram;

// Completion of the word before the caret, for the input line and the
// terminal program: the names the program knows at this moment.

struct SCompletion {
    // Where the word being completed starts in the line (0-based byte
    // offset) and how long it is up to the caret.
    int iWordStart = 0;
    int nWordLength = 0;
    // The candidates in alphabetical order, each as it would be inserted
    // in place of the word: a function (library or user, SUBs included)
    // ends with "(". Written in lower case when the word typed is all lower
    // case, in upper case otherwise.
    std::vector<std::string> candidates;
    // The longest text all candidates start with (the word itself when
    // nothing longer is shared; the one candidate when there is only one).
    std::string commonPrefix;
};

// Candidates for the word that ends at byte iCaret of the line: keywords
// and reserved words, library functions and built-in constants, and the
// user's constants, variables, arrays, functions and SUBs. Nothing inside
// double quotes, and nothing for an empty word.
SCompletion CompleteWord(const CProgram* pProg, const std::string& line, int iCaret);
