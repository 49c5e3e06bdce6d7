#!/bin/sh
# Makes the README's screenshot: builds the screenshot tool, then types the
# lines of data/screenshot.input into the window, started with
# data/screenshot-autoexec.bas as its start-up file, rests the pointer on
# the graph pane so that it shows the pointer's overlay, and saves
# data/screenshot.png.
# The window is drawn on Qt's offscreen platform, so no display is needed.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
cmake --build --preset default --target ostrel_screenshot > /dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
cp "$root/data/screenshot-autoexec.bas" autoexec.bas
QT_QPA_PLATFORM=offscreen "$root/build/default/tests/window/ostrel_screenshot" \
    "$root/data/screenshot.input" "$root/data/screenshot.png" 256,142
echo "wrote data/screenshot.png"
