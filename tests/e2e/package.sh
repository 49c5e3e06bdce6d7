#!/bin/sh
# cpack -G DEB makes a package of the build tree that holds both programs,
# the help page, the desktop entry, the icon and the metainfo; the terminal
# program unpacked from it runs and shows the project's version.
#
#   package.sh CPACK BUILD_DIR VERSION
set -eu

cpack=$1
build=$2
version=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if ! "$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" > "$work/cpack.log" 2>&1; then
    cat "$work/cpack.log"
    exit 1
fi
set -- "$work"/out/ostrel_*.deb
if [ ! -f "$1" ]; then
    echo "cpack made no package ostrel_*.deb"
    cat "$work/cpack.log"
    exit 1
fi
deb=$1
dpkg-deb -x "$deb" "$work/root"

failures=0
root=$work/root/usr
for file in bin/ostrel bin/ostrel-console share/ostrel/ostrel.html \
    share/applications/ostrel.desktop share/icons/hicolor/scalable/apps/ostrel.svg \
    share/metainfo/ostrel.metainfo.xml; do
    if [ ! -f "$root/$file" ]; then
        echo "not in the package: $file"
        failures=$((failures + 1))
    fi
done
package=$(dpkg-deb -f "$deb" Package)
if [ "$package" != ostrel ]; then
    echo "package name: $package"
    failures=$((failures + 1))
fi
shown=$("$root/bin/ostrel-console" --version)
if [ "$shown" != "ostrel-console (Ostrel) $version" ]; then
    echo "the packaged ostrel-console --version printed: $shown"
    failures=$((failures + 1))
fi
# The id is the desktop file's name, not reverse DNS, so that the installed
# names stay as they are.
if command -v appstreamcli > /dev/null &&
    ! appstreamcli validate --no-net --override=cid-desktopapp-is-not-rdns=info \
        "$root/share/metainfo/ostrel.metainfo.xml"; then
    failures=$((failures + 1))
fi
[ "$failures" -eq 0 ]
