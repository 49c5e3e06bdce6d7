#include "completion.h"

#include "core/clinkedlist.h"
#include "core/cstring.h"
#include "cprogram.h"
#include "symbols/csymbol.h"

#include <algorithm>
#include <cctype>

namespace {

// The characters of a name, as CString::IsValidName allows them.
bool IsNameChar(char ch) {
    return ch == '_' || IsAsciiLetter(ch) || IsDigit(ch);
}

bool IsLowerCase(const std::string& word) {
    const auto isLower = [](char ch) { return ch >= 'a' && ch <= 'z'; };
    const auto isUpper = [](char ch) { return ch >= 'A' && ch <= 'Z'; };
    return std::any_of(word.begin(), word.end(), isLower) &&
           std::none_of(word.begin(), word.end(), isUpper);
}

// An odd number of double quotes before the position opens a string there,
// as the interpreter counts them when it upper-cases a line.
bool IsInsideQuotes(const std::string& line, int iPosition) {
    const auto nQuotes = std::count(line.begin(), line.begin() + iPosition, '"');
    return nQuotes % 2 != 0;
}

std::string InCase(const char* pchName, bool bLowerCase) {
    std::string text(pchName);
    for (char& ch : text) {
        const auto uch = static_cast<unsigned char>(ch);
        ch = static_cast<char>(bLowerCase ? std::tolower(uch) : std::toupper(uch));
    }
    return text;
}

// Adds the list's names that start with the word. Walking a list moves its
// cursor, which is free between lines, the only time a completion is asked
// for.
void CollectFrom(CSymbolList* pList, const std::string& word, bool bLowerCase, bool bFunction,
                 std::vector<std::string>* pCandidates) {
    if (!pList || pList->GetCount() == 0) {
        return;
    }
    for (pList->GoToStart(); pList->GetCurrent(); pList->GoToNext()) {
        const CString* pstrName = pList->GetCurrent()->GetName();
        if (pstrName && pstrName->StartsWith(word.c_str(), static_cast<int>(word.size()), true)) {
            pCandidates->push_back(InCase(pstrName->GetData(), bLowerCase) +
                                   (bFunction ? "(" : ""));
        }
    }
}

std::string CommonPrefix(const std::vector<std::string>& candidates) {
    std::string prefix = candidates.front();
    for (const std::string& candidate : candidates) {
        const auto itDiffers =
            std::mismatch(prefix.begin(), prefix.end(), candidate.begin(), candidate.end()).first;
        prefix.erase(itDiffers, prefix.end());
    }
    return prefix;
}

} // namespace

SCompletion CompleteWord(const CProgram* pProg, const std::string& line, int iCaret) {
    SCompletion completion;
    const int iEnd = std::clamp(iCaret, 0, static_cast<int>(line.size()));
    int iStart = iEnd;
    while (iStart > 0 && IsNameChar(line[iStart - 1])) {
        --iStart;
    }
    completion.iWordStart = iStart;
    completion.nWordLength = iEnd - iStart;
    // A name never starts with a digit: that is a number being typed.
    if (!pProg || iStart == iEnd || IsInsideQuotes(line, iStart) || IsDigit(line[iStart])) {
        completion.nWordLength = 0;
        completion.iWordStart = iEnd;
        return completion;
    }
    const std::string word = line.substr(iStart, iEnd - iStart);
    const bool bLowerCase = IsLowerCase(word);
    std::vector<std::string>& candidates = completion.candidates;
    for (CSymbolList* pList : {pProg->GetReservedWords(), pProg->GetBuiltInConstants(),
                               pProg->GetConstants(), pProg->GetVariables(), pProg->GetArrays()}) {
        CollectFrom(pList, word, bLowerCase, false, &candidates);
    }
    for (CSymbolList* pList : {pProg->GetLibraryFunctions(), pProg->GetUserFunctions()}) {
        CollectFrom(pList, word, bLowerCase, true, &candidates);
    }
    std::sort(candidates.begin(), candidates.end());
    candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());
    // Without candidates the word stays as it is.
    completion.commonPrefix = candidates.empty() ? word : CommonPrefix(candidates);
    return completion;
}
