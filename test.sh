#!/usr/bin/env bash
# Builds Vesk and runs every test. Exits non-zero on any failure.
# Extra CMake options may be given in VESK_CMAKE_OPTIONS (CI adds -Werror),
# and VESK_BUILD_DIR chooses the build folder.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
build="${VESK_BUILD_DIR:-build/test}"
# shellcheck disable=SC2086
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release ${VESK_CMAKE_OPTIONS:-} >/dev/null
cmake --build "$build" -j"$(nproc)"
cd "$build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
