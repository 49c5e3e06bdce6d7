#!/bin/sh
# Runs one transcript through the terminal program and compares the output.
#
# A transcript holds input lines ("> " then the line, or ">" alone for an
# empty one) and the exact output expected from all of them ("| " then the
# line, or "|" alone for an empty one). Lines starting with "#" are
# comments; a comment "#args: ..." replaces the program's arguments, which
# are --no-autoexec by default; a comment "#status: N" gives the exit status
# expected, 0 by default (1 when a line reports an error). A comment
# "#file NAME: TEXT" adds the line
# TEXT to the file NAME before the program starts. Other lines are ignored.
# The program runs in a directory of its own, so no start-up file is found
# there unless the transcript writes one.
set -eu

console=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
transcript=$2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

awk '/^>/ { sub(/^> ?/, ""); print }' "$transcript" > "$work/input"
awk '/^\|/ { sub(/^\| ?/, ""); print }' "$transcript" > "$work/expected"
awk -v dir="$work" '/^#file [^:]+: ?/ {
    name = $0; sub(/^#file /, "", name); sub(/:.*/, "", name)
    text = $0; sub(/^#file [^:]+: ?/, "", text)
    print text >> (dir "/" name)
}' "$transcript"
args=$(sed -n 's/^#args:[ ]*//p' "$transcript" | head -n 1)
if ! grep -q '^#args:' "$transcript"; then
    args=--no-autoexec
fi
expected_status=$(sed -n 's/^#status:[ ]*//p' "$transcript" | head -n 1)
expected_status=${expected_status:-0}

status=0
# shellcheck disable=SC2086
(cd "$work" && "$console" $args < input > actual 2>&1) || status=$?
if [ "$status" -ne "$expected_status" ]; then
    echo "ostrel-console exited with status $status, expected $expected_status"
    cat "$work/actual"
    exit 1
fi
if ! diff -u "$work/expected" "$work/actual"; then
    echo "transcript $transcript: output differs (- expected, + actual)"
    exit 1
fi
