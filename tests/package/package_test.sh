#!/usr/bin/env bash
# The installed library as a third program sees it: installs the build in BUILD into a fresh
# prefix, builds count_pentagon.cpp there with find_package(Mirelkon) and checks its answer.
# Usage: package_test.sh BUILD
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
cmake -S "$here" -B "$prefix/build" -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$prefix/build" >/dev/null
answer=$("$prefix/build/count_pentagon")
if [ "$answer" != 23 ]; then
  echo "package test: the pentagon counted $answer sublattices, not 23" >&2
  exit 1
fi
echo "package test: a program built against the installed library counts N_5: 23"
