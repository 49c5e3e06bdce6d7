#include "clinereader.h"

#include "cconsolewindow.h"

#include <histedit.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <iostream>
#include <utility>

namespace {

constexpr int HISTORY_SIZE = 1000;
// The candidates' columns when the terminal does not tell its width, and
// the blanks between them.
constexpr int DEFAULT_TERMINAL_WIDTH = 80;
constexpr std::size_t COLUMN_GAP = 2;

const char* Prompt(EditLine* /*pEditLine*/) {
    return "> ";
}

} // namespace

CLineReader::CLineReader(bool bInteractive, Completer completer)
    : _completer(std::move(completer)) {
    if (!bInteractive) {
        return;
    }
    _pEditLine = el_init("ostrel-console", stdin, stdout, stderr);
    _pHistory = history_init();
    if (!_pEditLine || !_pHistory) {
        // No line editing then, but the lines still arrive.
        if (_pEditLine) {
            el_end(_pEditLine);
            _pEditLine = nullptr;
        }
        if (_pHistory) {
            history_end(_pHistory);
            _pHistory = nullptr;
        }
        return;
    }
    HistEvent event;
    history(_pHistory, &event, H_SETSIZE, HISTORY_SIZE);
    history(_pHistory, &event, H_SETUNIQUE, 1);
    el_set(_pEditLine, EL_EDITOR, "emacs");
    el_set(_pEditLine, EL_PROMPT, Prompt);
    el_set(_pEditLine, EL_HIST, history, _pHistory);
    el_set(_pEditLine, EL_CLIENTDATA, this);
    // The wide form keeps the literals: the narrow one copies them and never
    // frees the copies.
    el_wset(_pEditLine, EL_ADDFN, L"ostrel-complete", L"Complete the name before the cursor",
            CompleteKey);
    el_set(_pEditLine, EL_BIND, "^I", "ostrel-complete", nullptr);
    // The user's own key bindings, as every libedit program reads them.
    el_source(_pEditLine, nullptr);
}

CLineReader::~CLineReader() {
    if (_pEditLine) {
        el_end(_pEditLine);
    }
    if (_pHistory) {
        history_end(_pHistory);
    }
}

bool CLineReader::ReadLine(std::string& line) {
    if (_pEditLine) {
        return ReadEditedLine(line);
    }
    return static_cast<bool>(std::getline(std::cin, line));
}

bool CLineReader::ReadEditedLine(std::string& line) {
    while (true) {
        int nCount = 0;
        const char* pchLine = el_gets(_pEditLine, &nCount);
        if (CConsoleWindow::TakePromptInterrupt()) {
            // Ctrl+C: the typed text is dropped and a fresh prompt follows
            // on a line of its own.
            std::fputc('\n', stdout);
            std::fflush(stdout);
            el_reset(_pEditLine);
            continue;
        }
        if (!pchLine) {
            if (nCount < 0 && errno == EINTR) {
                continue;
            }
            // Ctrl+D on an empty line, or the terminal is gone.
            std::fputc('\n', stdout);
            std::fflush(stdout);
            return false;
        }
        line.assign(pchLine, static_cast<std::size_t>(nCount));
        if (!line.empty() && line.back() == '\n') {
            line.pop_back();
        }
        if (!line.empty()) {
            HistEvent event;
            history(_pHistory, &event, H_ENTER, line.c_str());
        }
        return true;
    }
}

unsigned char CLineReader::CompleteKey(EditLine* pEditLine, int /*ch*/) {
    void* pReader = nullptr;
    el_get(pEditLine, EL_CLIENTDATA, &pReader);
    return static_cast<CLineReader*>(pReader)->CompleteAtCursor();
}

unsigned char CLineReader::CompleteAtCursor() {
    const LineInfo* pInfo = el_line(_pEditLine);
    const std::string line(pInfo->buffer, pInfo->lastchar);
    const auto iCaret = static_cast<int>(pInfo->cursor - pInfo->buffer);
    const SCompletion completion = _completer(line, iCaret);
    if (completion.candidates.empty()) {
        return CC_ERROR;
    }
    // The word is replaced rather than extended: the candidates' case may
    // differ from the one typed.
    if (line.compare(completion.iWordStart, completion.nWordLength, completion.commonPrefix) != 0) {
        el_deletestr(_pEditLine, completion.nWordLength);
        if (el_insertstr(_pEditLine, completion.commonPrefix.c_str()) != 0) {
            return CC_ERROR;
        }
    }
    if (completion.candidates.size() == 1) {
        return CC_REFRESH;
    }
    ListCandidates(completion.candidates);
    return CC_REDISPLAY;
}

void CLineReader::ListCandidates(const std::vector<std::string>& candidates) const {
    int nWidth = 0;
    if (el_get(_pEditLine, EL_GETTC, "co", &nWidth, nullptr) != 0 || nWidth <= 0) {
        nWidth = DEFAULT_TERMINAL_WIDTH;
    }
    std::size_t nLongest = 0;
    for (const std::string& candidate : candidates) {
        nLongest = std::max(nLongest, candidate.size());
    }
    const std::size_t nColumnWidth = nLongest + COLUMN_GAP;
    const std::size_t nColumns =
        std::max<std::size_t>(1, static_cast<std::size_t>(nWidth) / nColumnWidth);
    const std::size_t nRows = (candidates.size() + nColumns - 1) / nColumns;
    // Down the columns, as ls lists names; the line being edited is
    // redrawn below the list.
    std::string text = "\n";
    for (std::size_t iRow = 0; iRow < nRows; ++iRow) {
        for (std::size_t i = iRow; i < candidates.size(); i += nRows) {
            text += candidates[i];
            if (i + nRows < candidates.size()) {
                text.append(nColumnWidth - candidates[i].size(), ' ');
            }
        }
        text += '\n';
    }
    std::fputs(text.c_str(), stdout);
    std::fflush(stdout);
}
