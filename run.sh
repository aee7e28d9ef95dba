#!/usr/bin/env bash
# Installs what is missing, builds the Release editor and starts it.
# Usage: ./run.sh [file.prx]
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build --target tavenor-print tavenor-print-tool
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  export QT_QPA_PLATFORM=offscreen
fi
exec build/tavenor-print "$@"
