#!/bin/sh
# Hostile input through the terminal program: one case per run,
#
#   hostile.sh CONSOLE CASE SANITIZED
#
# Each case makes its input in an empty directory, runs ostrel-console on
# it with bounded memory and compares the output byte for byte with what
# the calculator must say. Bounded time is the test's TIMEOUT; leaks are
# found by the sanitizer build, which runs the same cases (SANITIZED is ON
# there, and the memory bound is then AddressSanitizer's own, since it
# reserves far more address space than any limit on it would allow).
set -eu

console=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
case=$2
sanitized=$3

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# 1 GiB for the program, whose own limits keep it far below that.
if [ "$sanitized" = ON ]; then
    ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}hard_rss_limit_mb=2048"
    export ASAN_OPTIONS
else
    ulimit -v 1048576
fi

# Runs the console on the file input and compares with the file expected;
# the exit status must be $1: 1 when a line reported an error, else 0.
check() {
    status=0
    "$console" --no-autoexec < input > actual 2>&1 || status=$?
    if [ "$status" -ne "$1" ]; then
        echo "$case: ostrel-console exited with status $status, not $1"
        head -c 2000 actual
        exit 1
    fi
    if [ -n "${normalise:-}" ]; then
        sed "$normalise" actual > normalised && mv normalised actual
    fi
    if ! cmp -s expected actual; then
        echo "$case: output differs (- expected, + actual)"
        diff -u expected actual | head -c 4000
        exit 1
    fi
}

case $case in
long_line)
    # One typed line of more than 1 MiB: a sum of 524,289 ones.
    awk 'BEGIN { s = "+1"; while (length(s) < 1048576) s = s s; print "PRINT 1" s }' > input
    printf '524289\n' > expected
    check 0
    ;;
nested_brackets)
    awk 'BEGIN { n = 100000; s = "";
                 for (i = 0; i < n; i++) printf "(";
                 printf "1";
                 for (i = 0; i < n; i++) printf ")";
                 print "" }' > input
    echo 'PRINT 2' >> input
    printf '1\n2\n' > expected
    check 0
    ;;
nested_ifs)
    # One-line IFs nest only so deep; the line is refused whole.
    awk 'BEGIN { for (i = 0; i < 10000; i++) printf "IF 1 THEN "; print "PRINT 1" }' > input
    echo 'PRINT 2' >> input
    printf 'ERROR! Input text is too long.\n2\n' > expected
    check 1
    ;;
nested_blocks)
    awk 'BEGIN { n = 50000;
                 for (i = 0; i < n; i++) print "DO";
                 print "EXIT LOOP";
                 for (i = 0; i < n; i++) print "LOOP" }' > deep.bas
    printf 'RUNFILE "deep.bas"\nPRINT 2\n' > input
    printf 'ERROR! Input text is too long.\n2\n' > expected
    check 1
    ;;
deep_calls)
    # A chain of 1000 calls, each through 150 nested loops of its own body:
    # every part within its limit, the whole beyond the native stack. The
    # chain is refused before the stack runs out; a short one still runs.
    awk 'BEGIN { print "FUNCTION F0(X) = X";
                 for (k = 1; k < 1000; k++) {
                     print "FUNCTION F" k "(X)"; print "DIM I";
                     for (i = 0; i < 150; i++) print "FOR I = 1 TO 1";
                     print "F" k " = F" (k - 1) "(X) + 1";
                     for (i = 0; i < 150; i++) print "NEXT I";
                     print "END FUNCTION" } }' > calls.bas
    printf 'RUNFILE "calls.bas"\nPRINT F999(0)\nPRINT F10(0)\n' > input
    # Which call of the chain finds the stack spent depends on the build.
    normalise='s/^In "calls.bas", line [0-9]*: F[0-9]* = F[0-9]*(X) + 1$/In "calls.bas", line N: FK = FJ(X) + 1/'
    printf 'ERROR! Out of memory.\nIn "calls.bas", line N: FK = FJ(X) + 1\n10\n' > expected
    check 1
    ;;
nul_and_invalid_utf8)
    # A NUL byte ends its line where it stands; bytes that are no UTF-8 are
    # text like any other, kept in strings and quoted in messages.
    printf 'PRINT 1\000PRINT 2\nPRINT "\303\244\377\376x"\nPRINT 3\n\377\376 = 1\nPRINT 4\n' > bytes.bas
    printf 'RUNFILE "bytes.bas"\nPRINT 5\n' > input
    printf '1\n\303\244\377\376x\n3\nERROR! Unknown symbol: "\377\376".\n' > expected
    printf 'In "bytes.bas", line 4: \377\376 = 1\n5\n' >> expected
    check 1
    ;;
long_file_line)
    # A program file of one 10 MiB line is refused; nothing of it runs.
    awk 'BEGIN { s = "+1"; while (length(s) < 10485760) s = s s; print "PRINT 1" s }' > long.bas
    printf 'RUNFILE "long.bas"\nPRINT 2\n' > input
    printf 'ERROR! Input text is too long.\n2\n' > expected
    check 1
    ;;
runfile_itself)
    printf 'PRINT 1\nRUNFILE "self.bas"\n' > self.bas
    printf 'RUNFILE "self.bas"\nPRINT 2\n' > input
    awk 'BEGIN { for (i = 0; i < 32; i++) print 1;
                 print "ERROR! Recursion is not allowed.";
                 print "In \"self.bas\", line 2: RUNFILE \"self.bas\""; print 2 }' > expected
    check 1
    ;;
huge_array)
    # Far beyond what the arrays may hold: refused before anything is
    # allocated, and the calculator goes on.
    printf 'DIM A(1 TO 2000000000)\nDIM B(1 TO 3)\nPRINT B(3) + 1\n' > input
    printf 'ERROR! Out of memory.\nDeclared array B(1 To 3)\n1\n' > expected
    check 1
    ;;
interrupt_do)
    # Ctrl+C ends an endless DO loop of a program file; the next line runs.
    printf 'DIM X\nDO\n    X = X + 1\nLOOP\n' > endless.bas
    mkfifo commands
    "$console" --no-autoexec < commands > actual 2>&1 &
    pid=$!
    exec 3> commands
    printf 'PRINT "ready"\n' >&3
    tries=0
    until grep -q ready actual; do
        tries=$((tries + 1))
        if [ "$tries" -gt 600 ]; then
            echo "$case: the first line never ran"
            kill "$pid"
            exit 1
        fi
        sleep 0.05
    done
    # The loop is running once the idle program has used CPU time on it:
    # 30 clock ticks more than it had when the first line was done.
    ticks() { awk '{ print $14 }' "/proc/$pid/stat"; }
    before=$(ticks)
    printf 'RUNFILE "endless.bas"\n' >&3
    while [ $(($(ticks) - before)) -lt 30 ]; do
        sleep 0.05
    done
    kill -INT "$pid"
    printf 'PRINT X > 0\n' >&3
    exec 3>&-
    status=0
    wait "$pid" || status=$?
    # The loop stops at the line of the file it is on at that moment.
    sed 's/^In "endless.bas", line [234]: .*$/In "endless.bas", line N/' actual > normalised
    mv normalised actual
    printf 'ready\nExecution interrupted by user.\nIn "endless.bas", line N\n1\n' > expected
    # The interrupted line counts as one that reported an error.
    if [ "$status" -ne 1 ] || ! cmp -s expected actual; then
        echo "$case: exit status $status, output differs (- expected, + actual)"
        diff -u expected actual || true
        exit 1
    fi
    ;;
plot_overflow)
    # Samples beyond the largest number, and samples that are all finite
    # but span more than it: both end the plot with the overflow; the next
    # plot draws as usual.
    printf 'FUNCTION F(X) = EXP(X)\nPLOTXY 0,20000,F\n' > input
    printf 'FUNCTION W(X) = 5*10^4931*(2*X-1)\nPLOTXY 0,1,W\nPLOTTXY 0,1,SIN,W\n' >> input
    printf 'PLOTXY 0,1,SIN\n' >> input
    printf 'Declared function F\nERROR! Overflow.\nDeclared function W\nERROR! Overflow.\n' > expected
    printf 'ERROR! Overflow.\nPlotted Y = SIN(X)\non interval from\nX = 0 to \nX = 1\n' >> expected
    check 1
    ;;
*)
    echo "unknown case $case"
    exit 2
    ;;
esac
