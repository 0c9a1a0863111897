#!/usr/bin/env bash
# Builds Vesk (release) and starts it with the per-user program folder, so
# that logs and settings survive rebuilds. Extra arguments go to vesk.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release --target vesk
folder="${VESK_FOLDER:-${XDG_DATA_HOME:-$HOME/.local/share}/vesk}"
# Without a display vesk says so in one line and names the screenshot command.
exec build/release/bin/vesk --folder "$folder" "$@"
