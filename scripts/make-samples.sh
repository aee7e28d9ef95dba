#!/usr/bin/env bash
# Makes the sample worksheets of the print navigator in assets/Navi with the
# program's own expression tool and file writer (tavenor-print-tool
# make-samples), so they always match the current file format. Run it after
# a change of the file format or the problem engines, look at the result in
# the navigator, and commit assets/Navi.
#   scripts/make-samples.sh [--seed S]
set -euo pipefail
cd "$(dirname "$0")/.."
export CMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER:-ccache}
[ -f build/build.ninja ] || cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build --target tavenor-print-tool >/dev/null
rm -f assets/Navi/*.prx
QT_QPA_PLATFORM=offscreen build/tavenor-print-tool make-samples assets/Navi "$@"
