#!/bin/sh
# Ctrl+C while a line runs ends that line with the interruption message and
# the next line still runs; the interrupted line makes the exit status 1.
set -eu

console=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

printf 'STATIC J\nFOR J=1 TO 2000000000 DO J=J\nPRINT "after"\n' > "$work/input"
"$console" --no-autoexec < "$work/input" > "$work/output" 2>&1 &
pid=$!

# The loop starts right after the declaration's echo.
tries=0
until grep -q "Declared variable J" "$work/output"; do
    tries=$((tries + 1))
    if [ "$tries" -gt 200 ]; then
        kill "$pid" 2>/dev/null || true
        echo "the declaration never ran"
        cat "$work/output"
        exit 1
    fi
    sleep 0.05
done
sleep 0.5
kill -INT "$pid"
status=0
wait "$pid" || status=$?

printf 'Declared variable J = 0\nExecution interrupted by user.\nafter\n' > "$work/expected"
if [ "$status" -ne 1 ] || ! diff -u "$work/expected" "$work/output"; then
    echo "interruption: exit status $status, output differs (- expected, + actual)"
    exit 1
fi
