#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer in
# build-sanitize and runs every test there with leak detection on.
# Extra arguments go to ctest (e.g. -R Keisan).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
scripts/install-deps.sh
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
# clang, so that the same build also holds the libFuzzer targets
# (build-sanitize/tests/fuzz/fuzz_*, see README "Fuzzing").
CC=clang CXX=clang++ cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTAVENOR_SANITIZE=ON -DTAVENOR_BUILD_FUZZ=ON -DTAVENOR_BUILD_BENCH=OFF \
  "${launcher[@]}" >/dev/null
cmake --build build-sanitize -- -j"${TAVENOR_JOBS:-2}"
export QT_QPA_PLATFORM=offscreen
# Leaks are reported at the end of every test program; the suppressions
# name only leaks inside Qt's and fontconfig's own caches.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"
cd build-sanitize
ctest --output-on-failure --timeout 1800 -j"${TAVENOR_JOBS:-2}" "$@"
