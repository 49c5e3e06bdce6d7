#!/bin/sh
# Runs one transcript through the terminal program and compares the output.
#
#   run_transcript.sh CONSOLE TRANSCRIPT [DIR]
#
# A transcript is a list of input lines ("> " then the line, or ">" alone for
# an empty one), each followed by the exact output it gives ("| " then the
# line, or "|" alone for an empty one); output before the first input line is
# what the program prints at start. Lines starting with "#" are
# comments; a comment "#args: ..." replaces the program's arguments, which
# are --no-autoexec by default; a comment "#status: N" gives the exit status
# expected, 0 by default (1 when a line reports an error). A comment
# "#file NAME: TEXT" adds the line TEXT to the file NAME before the program
# starts; "#normalise: SCRIPT" edits the output with that sed script before
# it is compared, for text that may differ from run to run. Other lines are
# ignored. The program runs in a directory of its
# own, so no start-up file is found there unless the transcript writes one
# or is in DIR, whose files are copied there.
#
# All the input runs at once. When the output differs, the input is run again
# one more line at a time until the first line whose own output is not the
# one written after it, and that line is shown with the difference.
set -eu

console=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
transcript=$2
files=${3:-}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

awk '/^>/ { sub(/^> ?/, ""); print }' "$transcript" > "$work/input"
awk '/^\|/ { sub(/^\| ?/, ""); print }' "$transcript" > "$work/expected"
# For each input line, the number of the last expected line up to its output.
awk '/^>/ && n++ { print out } /^\|/ { out++ } END { if (n) print out + 0 }' \
    "$transcript" > "$work/ends"
args=$(sed -n 's/^#args:[ ]*//p' "$transcript" | head -n 1)
if ! grep -q '^#args:' "$transcript"; then
    args=--no-autoexec
fi
expected_status=$(sed -n 's/^#status:[ ]*//p' "$transcript" | head -n 1)
expected_status=${expected_status:-0}
normalise=$(sed -n 's/^#normalise:[ ]*//p' "$transcript" | head -n 1)

# Runs the first $1 input lines in a fresh directory with the transcript's
# files; the output goes to $work/actual, the exit status to $status.
run() {
    rm -rf "$work/run"
    mkdir "$work/run"
    if [ -n "$files" ]; then
        cp -R "$files/." "$work/run"
    fi
    awk -v dir="$work/run" '/^#file [^:]+: ?/ {
        name = $0; sub(/^#file /, "", name); sub(/:.*/, "", name)
        text = $0; sub(/^#file [^:]+: ?/, "", text)
        print text >> (dir "/" name)
    }' "$transcript"
    head -n "$1" "$work/input" > "$work/run/input"
    status=0
    # shellcheck disable=SC2086
    (cd "$work/run" && "$console" $args < input > "$work/actual" 2>&1) || status=$?
    if [ -n "$normalise" ]; then
        sed "$normalise" "$work/actual" > "$work/actual.normalised"
        mv "$work/actual.normalised" "$work/actual"
    fi
}

lines=$(wc -l < "$work/input")
run "$lines"
if cmp -s "$work/expected" "$work/actual"; then
    if [ "$status" -ne "$expected_status" ]; then
        echo "ostrel-console exited with status $status, expected $expected_status"
        exit 1
    fi
    exit 0
fi

echo "transcript $transcript: output differs"
begin=1
line=0
while read -r end; do
    line=$((line + 1))
    run "$line"
    if [ "$line" -eq "$lines" ] || ! head -n "$end" "$work/expected" | cmp -s - "$work/actual"; then
        echo "after input line $line:"
        sed -n "${line}s/^/> /p" "$work/input"
        sed -n "${begin},${end}p" "$work/expected" > "$work/expected.line"
        tail -n "+$begin" "$work/actual" > "$work/actual.line"
        diff -u "$work/expected.line" "$work/actual.line" | tail -n +3 || true
        exit 1
    fi
    begin=$((end + 1))
done < "$work/ends"
exit 1
