#!/bin/sh
# The terminal program's command line: program files as arguments, exit
# statuses, line ends, output as it is produced, --help and --version.
set -eu

console=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
failures=0

# check NAME EXPECTED_STATUS EXPECTED_OUTPUT_FILE COMMAND...
check() {
    name=$1
    expected_status=$2
    expected=$3
    shift 3
    status=0
    "$@" > actual 2>&1 || status=$?
    if [ "$status" -ne "$expected_status" ]; then
        echo "$name: exit status $status, expected $expected_status"
        cat actual
        failures=$((failures + 1))
    elif ! diff -u "$expected" actual; then
        echo "$name: output differs (- expected, + actual)"
        failures=$((failures + 1))
    fi
}

printf 'PRINT "first"\n' > first.bas
printf 'PRINT "second"\n' > second.bas
printf 'PRINT 1/0\n' > failing.bas
printf 'CONST SHARED = 5\n' > defines.bas
printf 'PRINT SHARED * 2\n' > uses.bas
printf 'PRINT "from autoexec"\n' > autoexec.bas

# Files run in order, and standard input is not read when files are given.
printf 'first\nsecond\n' > expected
check files-in-order 0 expected sh -c "echo 'PRINT \"stdin\"' | '$console' --no-autoexec first.bas second.bas"

# What one file defines, the next one uses: one calculator for all.
printf '10\n' > expected
check files-share-definitions 0 expected "$console" --no-autoexec defines.bas uses.bas

# The first file that reports an error is the last one run.
printf 'first\nERROR! Division by zero.\nIn "failing.bas", line 1: PRINT 1/0\n' > expected
check stops-after-failing-file 1 expected "$console" --no-autoexec first.bas failing.bas second.bas

printf 'ERROR! Could not open file "missing.bas".\n' > expected
check missing-file 1 expected "$console" --no-autoexec missing.bas second.bas

# A name holding a double quote cannot be quoted: RUNFILE refuses the line.
"$console" --no-autoexec 'a"b.bas' > actual 2>&1 && status=0 || status=$?
if [ "$status" -ne 1 ] || ! grep -q '^ERROR! ' actual; then
    echo "quote-in-file-name: exit status $status"
    cat actual
    failures=$((failures + 1))
fi

# The start-up file runs before the files.
printf 'from autoexec\nsecond\n' > expected
check startup-then-files 0 expected "$console" second.bas

# Lines from standard input: the exit status tells whether any failed.
printf '1\n' > expected
check stdin-succeeds 0 expected sh -c "printf '? 1\n' | '$console' --no-autoexec"
printf 'ERROR! Division by zero.\n2\n' > expected
check stdin-one-fails 1 expected sh -c "printf '? 1/0\n? 2\n' | '$console' --no-autoexec"

# A CR before the LF is part of the line end; an empty line is the null
# statement; a last line without its LF still runs.
printf '1\nExecuted null statement.\nExecuted null statement.\n3\n' > expected
check line-ends 0 expected sh -c "printf '? 1\r\n\n\r\n? 3' | '$console' --no-autoexec"

# Output is written as it is produced: the first line's answer arrives
# while the input is still open.
mkfifo input
"$console" --no-autoexec < input > streamed 2>&1 &
pid=$!
exec 3> input
printf '? 6*7\n' >&3
tries=0
until grep -q '^42$' streamed; do
    tries=$((tries + 1))
    if [ "$tries" -gt 200 ]; then
        echo "streaming: no output before the end of the input"
        failures=$((failures + 1))
        break
    fi
    sleep 0.05
done
exec 3>&-
wait "$pid" || true

"$console" --help > actual 2>&1
if ! grep -q '^Usage: ostrel-console \[OPTION ...\] \[FILE.bas ...\]$' actual; then
    echo "--help: no usage line"
    cat actual
    failures=$((failures + 1))
fi
printf 'ostrel-console (Ostrel) 1.0\n' > expected
check version 0 expected "$console" --version
"$console" --no-such-option > actual 2>&1 && status=0 || status=$?
if [ "$status" -ne 2 ] || ! grep -q 'unknown option --no-such-option' actual; then
    echo "unknown option: exit status $status"
    failures=$((failures + 1))
fi

[ "$failures" -eq 0 ]
