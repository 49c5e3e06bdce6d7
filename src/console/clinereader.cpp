#include "clinereader.h"

#include "cconsolewindow.h"

#include <histedit.h>

#include <cerrno>
#include <cstdio>
#include <iostream>

namespace {

constexpr int HISTORY_SIZE = 1000;

const char* Prompt(EditLine* /*pEditLine*/) {
    return "> ";
}

} // namespace

CLineReader::CLineReader(bool bInteractive) {
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
