#!/usr/bin/env bash
# The Debian packages a step needs, checked before it runs: "build" (the two programs, with
# Graphviz for the drawings, and the Python module), "test" (and GoogleTest and GNU parallel,
# which the cluster recipes' test runs), "ci" (and clang with its fuzzer runtime, for .ci/run). Run as root,
# it installs what is missing (apt-get, as on a fresh machine); otherwise it names the one
# apt-get line to run and fails.
set -euo pipefail

step=${1:-build}
missing=()
command -v g++ >/dev/null || missing+=(g++)
command -v cmake >/dev/null || missing+=(cmake)
command -v make >/dev/null || missing+=(make)
[ -f /usr/include/nlohmann/json.hpp ] || missing+=(nlohmann-json3-dev)
[ -f /usr/include/nauty/naugroup.h ] || missing+=(libnauty2-dev)
[ -f /usr/include/gmpxx.h ] || missing+=(libgmp-dev)
[ -f /usr/include/graphviz/gvc.h ] || missing+=(libgraphviz-dev)
[ -f /usr/include/pybind11/pybind11.h ] || missing+=(pybind11-dev)
compgen -G '/usr/include/python3*/Python.h' >/dev/null || missing+=(python3-dev)
if [ "$step" = test ] || [ "$step" = ci ]; then
  [ -f /usr/include/gtest/gtest.h ] || missing+=(libgtest-dev)
  command -v parallel >/dev/null || missing+=(parallel)
fi
if [ "$step" = ci ]; then
  command -v clang++ >/dev/null || missing+=(clang)
  compgen -G '/usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a' >/dev/null ||
    missing+=(libclang-rt-dev)
fi
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  echo "Installing the missing Debian packages: ${missing[*]}"
  apt-get update
  DEBIAN_FRONTEND=noninteractive apt-get install -y "${missing[@]}"
else
  echo "Debian packages are missing; install them (as root, or with sudo) and run again:" >&2
  echo "    apt-get install ${missing[*]}" >&2
  exit 1
fi
