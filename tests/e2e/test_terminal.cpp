// The terminal program on a pseudo-terminal, as a user types into it: each
// piece of input is sent once the program has shown the prompt or the text
// that answers the previous one.

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <poll.h>
#include <pty.h>
#include <string>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

namespace {

// A guard against a program that never answers, not a measure of speed.
constexpr int ANSWER_GUARD_MS = 30000;

class TerminalTest : public ::testing::Test {
protected:
    void SetUp() override {
        winsize size{};
        size.ws_row = 24;
        size.ws_col = 80;
        _pid = forkpty(&_fdMaster, nullptr, nullptr, &size);
        ASSERT_GE(_pid, 0) << "forkpty failed";
        if (_pid == 0) {
            setenv("TERM", "vt100", 1);
            execl(OSTREL_CONSOLE, OSTREL_CONSOLE, "--no-autoexec", static_cast<char*>(nullptr));
            _exit(127);
        }
    }

    void TearDown() override {
        if (_pid > 0) {
            kill(_pid, SIGKILL);
            waitpid(_pid, nullptr, 0);
        }
        if (_fdMaster >= 0) {
            close(_fdMaster);
        }
    }

    void Type(const std::string& text) const {
        ASSERT_EQ(write(_fdMaster, text.data(), text.size()), static_cast<ssize_t>(text.size()));
    }

    // Types a line, or the start of one, once the prompt is up and line
    // editing has the terminal: before that the line discipline would take
    // keys such as Ctrl+D itself.
    void TypeAtPrompt(const std::string& text) {
        ASSERT_TRUE(WaitFor("> ")) << _output;
        ASSERT_TRUE(WaitForLineEditing()) << _output;
        Type(text);
    }

    // Reads until the text appears after the last text waited for; false
    // when the program ended or fell silent first.
    bool WaitFor(const std::string& text) {
        while (true) {
            const std::size_t iFound = _output.find(text, _iUnread);
            if (iFound != std::string::npos) {
                _iUnread = iFound + text.size();
                return true;
            }
            if (!ReadSome()) {
                return false;
            }
        }
    }

    // Ends the session with Ctrl+D on an empty line; the exit status.
    int EndSession() {
        if (!WaitForLineEditing()) {
            return -1;
        }
        Type("\x04");
        while (ReadSome()) {
        }
        // Should the program still wait for input, the hang-up ends it.
        close(_fdMaster);
        _fdMaster = -1;
        int nStatus = 0;
        const pid_t pid = waitpid(_pid, &nStatus, 0);
        _pid = -1;
        return pid > 0 && WIFEXITED(nStatus) ? WEXITSTATUS(nStatus) : -1;
    }

    std::string _output;

private:
    // The terminal leaves canonical mode when line editing takes it; no
    // event tells, so its mode is looked at again every millisecond.
    bool WaitForLineEditing() const {
        for (int nLooks = 0; nLooks < ANSWER_GUARD_MS; ++nLooks) {
            termios settings{};
            if (tcgetattr(_fdMaster, &settings) == 0 && (settings.c_lflag & ICANON) == 0) {
                return true;
            }
            usleep(1000);
        }
        return false;
    }

    bool ReadSome() {
        pollfd poller{_fdMaster, POLLIN, 0};
        if (poll(&poller, 1, ANSWER_GUARD_MS) <= 0) {
            return false;
        }
        char buffer[512];
        const ssize_t nRead = read(_fdMaster, buffer, sizeof buffer);
        if (nRead <= 0) {
            // EIO: the program closed the terminal.
            return false;
        }
        _output.append(buffer, static_cast<std::size_t>(nRead));
        return true;
    }

    pid_t _pid = -1;
    int _fdMaster = -1;
    std::size_t _iUnread = 0;
};

TEST_F(TerminalTest, TabCompletesAUserFunctionWithItsBracket) {
    TypeAtPrompt("FUNCTION FOO(X) = X\r");
    ASSERT_TRUE(WaitFor("Declared function FOO")) << _output;
    TypeAtPrompt("? FOO\t");
    // The redraw writes only what changed.
    ASSERT_TRUE(WaitFor("(")) << _output;
    Type("3)\r");
    EXPECT_TRUE(WaitFor("\n3\r\n> ")) << _output;
    EXPECT_EQ(EndSession(), 0) << _output;
}

TEST_F(TerminalTest, SeveralCandidatesAreListedAndTheLineRedrawn) {
    TypeAtPrompt("FUNCTION FOO(X) = X\r");
    // FOR is a reserved word: FO is shared, and both are listed.
    TypeAtPrompt("? FO\t");
    EXPECT_TRUE(WaitFor("FOO(  FOR\r\n")) << _output;
    EXPECT_TRUE(WaitFor("> ? FO")) << _output;
    // The line is still being edited: the next Tab finds one candidate.
    Type("O\t3)\r");
    EXPECT_TRUE(WaitFor("\n3\r\n> ")) << _output;
    EXPECT_EQ(EndSession(), 0) << _output;
}

TEST_F(TerminalTest, CommonPrefixInTheCaseTyped) {
    TypeAtPrompt("? plotx\t");
    EXPECT_TRUE(WaitFor("plotxy   plotxyz\r\n")) << _output;
    EXPECT_TRUE(WaitFor("> ? plotxy")) << _output;
    // Ctrl+U drops the line.
    Type("\x15");
    EXPECT_EQ(EndSession(), 0) << _output;
}

} // namespace
