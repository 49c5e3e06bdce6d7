#!/bin/sh
# Style checks for CI, run after `make test` (which writes the default
# preset's compile_commands.json):
# - clang-format on every tracked C++ file, which takes a second or two;
# - clang-tidy on the engine and program sources changed by the last commit
#   only, since a whole-tree run would take longer than the tests.
set -eu
cd "$(dirname "$0")/.."

echo "== clang-format"
git ls-files -z 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'bench/*.h' \
    'fuzz/*.cpp' 'fuzz/*.h' | xargs -0 clang-format --dry-run -Werror

build=${1:-build/default}
if ! git rev-parse -q --verify HEAD~1 > /dev/null; then
    exit 0
fi
changed=$(git diff --name-only --diff-filter=d HEAD~1 -- 'src/*.cpp')
if [ -z "$changed" ]; then
    exit 0
fi
echo "== clang-tidy on" $changed
# shellcheck disable=SC2086
printf '%s\n' $changed | xargs -P 2 -n 1 clang-tidy -p "$build" --quiet --warnings-as-errors='*'
