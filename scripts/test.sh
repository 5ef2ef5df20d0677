#!/usr/bin/env bash
# Every test suite: the portable core natively (with sanitizers), the Windows build with its
# Windows-side and end-to-end tests under Wine, the demo from a fresh Wine prefix, and the
# compile-and-link checks of the 32-bit and clang builds.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
jobs=${JOBS:-2}

step() { echo; echo "=== $*"; }

step "native: portable core and its tests"
cmake --preset native >/dev/null
cmake --build build/native -j"$jobs"
ctest --test-dir build/native --output-on-failure -j"$jobs"

# A short run of each fuzzer (clang's libFuzzer); the fuzzers alone are built there.
step "native-fuzz: a short run of every fuzzer"
cmake --preset native-fuzz >/dev/null
cmake --build build/native-fuzz -j"$jobs" --target fuzzers
ctest --test-dir build/native-fuzz --output-on-failure -R _fuzz

step "win64: program, hook library, stand-in taskbar and their tests under Wine"
cmake --preset win64 >/dev/null
cmake --build build/win64 -j"$jobs"
ctest --test-dir build/win64 --output-on-failure

# The README's first command as a newcomer runs it: from a fresh Wine prefix, on a private display.
step "demo: from a fresh Wine prefix, its output and pictures checked"
rm -rf build/demo
env -u DISPLAY scripts/demo.sh 2>&1 | tee build/demo-output.txt
/usr/bin/python3 scripts/check_demo.py build/demo build/demo-output.txt

step "win32: compile and link, and the import tables"
cmake --preset win32 >/dev/null
cmake --build build/win32 -j"$jobs"
ctest --test-dir build/win32 --output-on-failure -R '^imports_'

step "win64-clang: compile and link with clang"
cmake --preset win64-clang >/dev/null
cmake --build build/win64-clang -j"$jobs"

echo; echo "all suites passed"
