#!/bin/sh
# Hostile input through the terminal program: one case per run,
#
#   hostile.sh CONSOLE CASE SANITIZED
#
# Each case makes its input in an empty directory, runs ostrel-console on
# it with bounded memory and compares the output byte for byte with what
# the calculator must say, through the transcript runner of tests/e2e (the
# interrupted loop, which needs a signal at the right moment, compares its
# output itself). Bounded time is the test's TIMEOUT; leaks are found by the
# sanitizer build, which runs the same cases (SANITIZED is ON there, and the
# memory bound is then AddressSanitizer's own, since it reserves far more
# address space than any limit on it would allow).
set -eu

console=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
runner=$(cd "$(dirname "$0")/../e2e" && pwd)/run_transcript.sh
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

# Each case writes its transcript as it goes: an input line (typed), then the
# output that line must give (prints); files the input runs go to files/. The
# exit status must be the one check is given: 1 when a line reported an
# error, else 0.
mkdir files
typed() {
    printf '> %s\n' "$1" >> case.transcript
}
prints() {
    for line in "$@"; do
        printf '| %s\n' "$line" >> case.transcript
    done
}
check() {
    printf '#status: %s\n' "$1" >> case.transcript
    sh "$runner" "$console" case.transcript files
}

case $case in
long_line)
    # One typed line of more than 1 MiB: a sum of 524,289 ones.
    typed "$(awk 'BEGIN { s = "+1"; while (length(s) < 1048576) s = s s; print "PRINT 1" s }')"
    prints 524289
    check 0
    ;;
nested_brackets)
    typed "$(awk 'BEGIN { n = 100000;
                      for (i = 0; i < n; i++) printf "(";
                      printf "1";
                      for (i = 0; i < n; i++) printf ")";
                      print "" }')"
    prints 1
    typed 'PRINT 2'
    prints 2
    check 0
    ;;
nested_ifs)
    # One-line IFs nest only so deep; the line is refused whole.
    typed "$(awk 'BEGIN { for (i = 0; i < 10000; i++) printf "IF 1 THEN "; print "PRINT 1" }')"
    prints 'ERROR! Input text is too long.'
    typed 'PRINT 2'
    prints 2
    check 1
    ;;
nested_blocks)
    awk 'BEGIN { n = 50000;
                 for (i = 0; i < n; i++) print "DO";
                 print "EXIT LOOP";
                 for (i = 0; i < n; i++) print "LOOP" }' > files/deep.bas
    typed 'RUNFILE "deep.bas"'
    prints 'ERROR! Input text is too long.'
    typed 'PRINT 2'
    prints 2
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
                     print "END FUNCTION" } }' > files/calls.bas
    # Which call of the chain finds the stack spent depends on the build.
    printf '#normalise: %s\n' 's/^In "calls.bas", line [0-9]*: F[0-9]* = F[0-9]*(X) + 1$/In "calls.bas", line N: FK = FJ(X) + 1/' >> case.transcript
    typed 'RUNFILE "calls.bas"'
    typed 'PRINT F999(0)'
    prints 'ERROR! Out of memory.' 'In "calls.bas", line N: FK = FJ(X) + 1'
    typed 'PRINT F10(0)'
    prints 10
    check 1
    ;;
nul_and_invalid_utf8)
    # A NUL byte ends its line where it stands; bytes that are no UTF-8 are
    # text like any other, kept in strings and quoted in messages.
    printf 'PRINT 1\000PRINT 2\nPRINT "\303\244\377\376x"\nPRINT 3\n\377\376 = 1\nPRINT 4\n' > files/bytes.bas
    typed 'RUNFILE "bytes.bas"'
    prints 1 "$(printf '\303\244\377\376x')" 3 "$(printf 'ERROR! Unknown symbol: "\377\376".')" \
        "$(printf 'In "bytes.bas", line 4: \377\376 = 1')"
    typed 'PRINT 5'
    prints 5
    check 1
    ;;
long_file_line)
    # A program file of one 10 MiB line is refused; nothing of it runs.
    awk 'BEGIN { s = "+1"; while (length(s) < 10485760) s = s s; print "PRINT 1" s }' > files/long.bas
    typed 'RUNFILE "long.bas"'
    prints 'ERROR! Input text is too long.'
    typed 'PRINT 2'
    prints 2
    check 1
    ;;
runfile_itself)
    printf 'PRINT 1\nRUNFILE "self.bas"\n' > files/self.bas
    typed 'RUNFILE "self.bas"'
    prints 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1
    prints 'ERROR! Recursion is not allowed.' 'In "self.bas", line 2: RUNFILE "self.bas"'
    typed 'PRINT 2'
    prints 2
    check 1
    ;;
huge_array)
    # Far beyond what the arrays may hold: refused before anything is
    # allocated, and the calculator goes on.
    typed 'DIM A(1 TO 2000000000)'
    prints 'ERROR! Out of memory.'
    typed 'DIM B(1 TO 3)'
    prints 'Declared array B(1 To 3)'
    typed 'PRINT B(3) + 1'
    prints 1
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
    typed 'FUNCTION F(X) = EXP(X)'
    prints 'Declared function F'
    typed 'PLOTXY 0,20000,F'
    prints 'ERROR! Overflow.'
    typed 'FUNCTION W(X) = 5*10^4931*(2*X-1)'
    prints 'Declared function W'
    typed 'PLOTXY 0,1,W'
    prints 'ERROR! Overflow.'
    typed 'PLOTTXY 0,1,SIN,W'
    prints 'ERROR! Overflow.'
    typed 'PLOTXY 0,1,SIN'
    prints 'Plotted Y = SIN(X)' 'on interval from' 'X = 0 to ' 'X = 1'
    check 1
    ;;
*)
    echo "unknown case $case"
    exit 2
    ;;
esac
