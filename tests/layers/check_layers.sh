#!/bin/sh
# Checks every #include "..." under src against the layers of
# docs/architecture.md: a file includes headers of its own layer or of a
# lower one, plus the few headers that the design's circles name below.
# Prints each include against the rules with its file, line and rule, and
# fails if there is one. Usage: check_layers.sh [source root, default src]
set -eu
root=${1:-$(dirname "$0")/../../src}
cd "$root"

find . -name '*.cpp' -o -name '*.h' | sed 's|^\./||' | sort | xargs awk '
# Layers from the bottom; the front ends stand side by side at the top.
function layer(path) {
    if (path == "ui/cuserinterface.h" || path == "ui/plotscene.h") return "output"
    split(path, piece, "/")
    return piece[1]
}
BEGIN {
    level["core"] = 0; level["output"] = 1; level["symbols"] = 2
    level["expression"] = 3; level["statements"] = 4; level["interpreter"] = 5
    level["ui"] = 6; level["console"] = 7; level["window"] = 7

    # The circles the design requires: from a layer to one header above it.
    allowed["core ui/cuserinterface.h"] = "core reports errors and leaks through the output interface"
    allowed["symbols expression/cexpression.h"] = "user functions own their expressions"
    allowed["symbols expression/mathsupport.h"] = "arrays round their indices as expressions do"
    allowed["symbols interpreter/cprogram.h"] = "user functions run against the program object"
    allowed["symbols interpreter/cinterpreter.h"] = "user functions name their errors"
    allowed["symbols interpreter/csequence.h"] = "a user function body is a sequence"
    allowed["symbols interpreter/namecheck.h"] = "user functions check their parameter names"
    allowed["expression interpreter/cprogram.h"] = "expressions find their symbols in the program object"
    allowed["expression interpreter/cinterpreter.h"] = "expressions name their unknown symbols"
    allowed["statements interpreter/cprogram.h"] = "statements reach the program object"
    allowed["statements interpreter/cinterpreter.h"] = "statements name their unknown symbols"
    allowed["statements interpreter/namecheck.h"] = "declarations check their names"
    bad = 0
}
/^[ \t]*#[ \t]*include[ \t]*"/ {
    written = $0
    sub(/^[^"]*"/, "", written)
    sub(/".*$/, "", written)
    target = written
    dir = FILENAME
    sub(/\/[^\/]*$/, "", dir)
    if (index(target, "/") == 0) target = dir "/" target
    from = layer(FILENAME)
    to = layer(target)
    if (!(from in level) || !(to in level)) {
        printf "src/%s:%d: #include \"%s\": no layer is stated for %s\n", FILENAME, FNR, written, (from in level) ? target : FILENAME
        bad = 1
        next
    }
    if (from == to) next
    if (level[from] == 7 && level[to] == 7) {
        printf "src/%s:%d: #include \"%s\": rule: the front ends %s and %s do not include each other\n", FILENAME, FNR, written, from, to
        bad = 1
        next
    }
    if (level[to] < level[from]) next
    if ((from " " target) in allowed) next
    printf "src/%s:%d: #include \"%s\": rule: %s (layer %d) includes only its own layer and lower ones; %s is %s (layer %d)\n", FILENAME, FNR, written, from, level[from], target, to, level[to]
    bad = 1
}
END { exit bad }
'
