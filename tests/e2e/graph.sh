#!/bin/sh
# The terminal program's graph file: --graph writes the picture as SVG after
# each line that changed it, --graph-size sets the virtual pane's size.
set -eu

console=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
failures=0

fail() {
    echo "$1"
    failures=$((failures + 1))
}

# The first line of the file is the XML declaration, its last the svg end.
check_document() {
    name=$1
    file=$2
    if [ ! -f "$file" ]; then
        fail "$name: no file $file"
        return
    fi
    head -c 5 "$file" | grep -q '^<?xml' || fail "$name: $file does not start with <?xml"
    grep -q '<svg ' "$file" || fail "$name: no <svg element in $file"
    [ "$(tail -n 1 "$file")" = '</svg>' ] || fail "$name: $file does not end with </svg>"
}

blue_polyline='<polyline [^>]*stroke="#0000ff"'

# A plot is written, its curve in the first curve colour, blue.
status=0
printf 'FUNCTION F(X) = X*X\nPLOTXY -2,2,F\n' |
    "$console" --no-autoexec --graph out.svg > output 2> errors || status=$?
[ "$status" -eq 0 ] || fail "plot: exit status $status"
[ ! -s errors ] || fail "plot: messages on stderr: $(cat errors)"
check_document plot out.svg
grep -q "$blue_polyline" out.svg || fail "plot: no blue polyline"
grep -q 'width="300" height="200"' out.svg || fail "plot: not the default 300 by 200"
[ "$(ls)" = "errors
out.svg
output" ] || fail "plot: files left beside the image: $(ls)"

# The pane's size is the image's, and it sets the sampling: 595 samples on
# 0 to 595 reach 594, where P fails, while 300 by 200 stops at 294.
status=0
printf 'FUNCTION F(X) = X*X\nPLOTXY -2,2,F\n' |
    "$console" --no-autoexec --graph big.svg --graph-size 600x400 > output 2>&1 || status=$?
[ "$status" -eq 0 ] || fail "size: exit status $status"
check_document size big.svg
grep -q 'width="600" height="400" viewBox="0 0 600 400"' big.svg || fail "size: not 600 by 400"
status=0
printf 'FUNCTION P(X) = 1/(X - 594)\nPLOTXY 0,595,P\n' |
    "$console" --no-autoexec --graph-size 600x400 > output 2>&1 || status=$?
{ [ "$status" -eq 1 ] && grep -q 'Division by zero' output; } ||
    fail "size: 600 columns do not sample X = 594"
printf 'FUNCTION P(X) = 1/(X - 594)\nPLOTXY 0,595,P\n' |
    "$console" --no-autoexec > output 2>&1 || fail "size: 300 columns sample X = 594"

# The last picture of the run is the file's: a CLS after the plot rewrites
# it without the curve. Lines that draw nothing write nothing.
printf 'PLOTXY 0,1,SIN\nCLS\n' | "$console" --no-autoexec --graph cleared.svg > output 2>&1
check_document cls cleared.svg
grep -q "$blue_polyline" cleared.svg && fail "cls: the curve is still in the file"
printf '? 1\nFUNCTION G(X) = X\n' | "$console" --no-autoexec --graph none.svg > output 2>&1
[ ! -e none.svg ] || fail "unchanged: lines without drawing wrote the file"

# SETYRANGE fixes the y range the picture is written with: -1 to 1 has a
# label -0.8 and no headroom, the automatic range of X*X (-0.4 to 4.4) has
# neither; AUTO chooses it again.
printf 'FUNCTION F(X) = X*X\nSETYRANGE 1,-1\nPLOTXY -2,2,F\n' |
    "$console" --no-autoexec --graph fixed.svg > output 2>&1 || fail "yrange: exit status $?"
grep -q '>-0.8</text>' fixed.svg || fail "yrange: no label -0.8 in the fixed range"
grep -q '>4</text>' fixed.svg && fail "yrange: a label 4 beyond the fixed range"
printf 'FUNCTION F(X) = X*X\nSETYRANGE -1,1\nSETYRANGE AUTO\nPLOTXY -2,2,F\n' |
    "$console" --no-autoexec --graph auto.svg > output 2>&1 || fail "yrange auto: exit status $?"
grep -q '>-0.8</text>' auto.svg && fail "yrange auto: the fixed range is still in use"
grep -q '>4</text>' auto.svg || fail "yrange auto: no label 4 in the automatic range"

# Program files and the start-up file are lines of their own.
printf 'PLOTXY 0,1,COS\n' > autoexec.bas
printf '? 2\n' > nothing.bas
"$console" --graph startup.svg nothing.bas > output 2>&1 || fail "startup: exit status $?"
grep -q "$blue_polyline" startup.svg || fail "startup: the start-up file's plot is not written"
rm autoexec.bas

# A file that cannot be written: one message per failing write, status 1,
# and the lines still run.
mkdir parent
status=0
printf 'PLOTXY 0,1,SIN\nCLS\n? 3\n' |
    "$console" --no-autoexec --graph parent/missing/out.svg > output 2> errors || status=$?
[ "$status" -eq 1 ] || fail "unwritable: exit status $status"
[ "$(cat errors)" = "ostrel-console: cannot write parent/missing/out.svg
ostrel-console: cannot write parent/missing/out.svg" ] || fail "unwritable: stderr $(cat errors)"
grep -q '^3$' output || fail "unwritable: the lines after the failure did not run"
[ -z "$(ls parent)" ] || fail "unwritable: left $(ls parent)"
# A directory in the target's place: written beside it, the rename fails.
mkdir taken.svg
status=0
printf 'PLOTXY 0,1,SIN\n' | "$console" --no-autoexec --graph taken.svg > output 2> errors ||
    status=$?
{ [ "$status" -eq 1 ] && grep -q 'cannot write taken.svg' errors; } ||
    fail "directory: status $status"
{ [ -z "$(ls taken.svg)" ] && [ -z "$(ls -d taken.svg.* 2> /dev/null)" ]; } ||
    fail "directory: a temporary file was left"

# Wrong command lines.
for args in '--graph-size 5x5' '--graph-size 10001x200' '--graph-size 300x' \
    '--graph-size 300x200x1' '--graph-size +300x200' '--graph-size' '--graph'; do
    status=0
    # shellcheck disable=SC2086
    "$console" --no-autoexec $args < /dev/null > output 2>&1 || status=$?
    [ "$status" -eq 2 ] || fail "usage: $args gave exit status $status"
done
grep -q '^  --graph FILE.svg' output || fail "usage: --graph is not in the usage"
"$console" --no-autoexec --graph-size 20x10000 < /dev/null > output 2>&1 ||
    fail "usage: 20x10000 refused"

[ "$failures" -eq 0 ]
