#!/bin/sh
# Runs one example program through the terminal program and compares the
# output with the example's .expected file. The start-up file is run the way
# the calculator does it, at start, followed by the lines of autoexec.input.
set -eu

console=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
examples=$2
name=$3

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$examples"/*.bas "$work"

if [ "$name" = autoexec ]; then
    (cd "$work" && "$console" < "$examples/autoexec.input" > actual 2>&1)
else
    (cd "$work" && echo "RUNFILE \"$name.bas\"" | "$console" --no-autoexec > actual 2>&1)
fi
if ! diff -u "$examples/$name.expected" "$work/actual"; then
    echo "example $name: output differs (- expected, + actual)"
    exit 1
fi
