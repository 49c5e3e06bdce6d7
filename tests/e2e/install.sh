#!/bin/sh
# cmake --install puts both programs, the help page, the desktop entry and
# the icon in their usual places under the prefix, and the installed
# terminal program runs.
set -eu

build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" > /dev/null
failures=0
for file in bin/ostrel bin/ostrel-console share/ostrel/ostrel.html \
    share/applications/ostrel.desktop share/icons/hicolor/scalable/apps/ostrel.svg; do
    if [ ! -f "$prefix/$file" ]; then
        echo "not installed: $file"
        failures=$((failures + 1))
    fi
done
for program in bin/ostrel bin/ostrel-console; do
    if [ ! -x "$prefix/$program" ]; then
        echo "not executable: $program"
        failures=$((failures + 1))
    fi
done
desktop=$prefix/share/applications/ostrel.desktop
for entry in 'Type=Application' 'Name=Ostrel' 'Exec=ostrel %f' 'Icon=ostrel' 'Terminal=false'; do
    if ! grep -qx "$entry" "$desktop"; then
        echo "desktop entry lacks $entry"
        failures=$((failures + 1))
    fi
done
if ! grep -q 'name="input-line"' "$prefix/share/ostrel/ostrel.html"; then
    echo "the installed help page is not the language reference"
    failures=$((failures + 1))
fi
answer=$(echo '? 6*7' | "$prefix/bin/ostrel-console" --no-autoexec)
if [ "$answer" != 42 ]; then
    echo "installed ostrel-console answered: $answer"
    failures=$((failures + 1))
fi
[ "$failures" -eq 0 ]
