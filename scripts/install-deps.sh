#!/bin/sh
# Installs the Debian packages the build and the tests need, once: a package
# that is already installed is left alone, so running this again costs nothing.
# With --fuzz it installs what the fuzz targets need as well (clang and its
# libFuzzer and sanitizer runtimes).
set -eu

packages="cmake g++ make pkg-config qt6-base-dev libgtest-dev libgmock-dev libbenchmark-dev \
xvfb xauth fonts-dejavu-core libedit-dev locales clang-format clang-tidy dpkg-dev appstream"
if [ "${1:-}" = --fuzz ]; then
    packages="$packages clang-14 libclang-rt-14-dev"
fi

missing=""
for p in $packages; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done
if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
if [ -n "$missing" ]; then
    echo "Installing missing packages:$missing"
    $sudo apt-get update
    # shellcheck disable=SC2086
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends $missing
fi

# The number texts' test runs under a locale whose decimal separator is a
# comma.
if ! locale -a 2>/dev/null | grep -qix 'de_DE\.utf-\?8'; then
    echo "Generating the de_DE.UTF-8 locale"
    $sudo localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi
