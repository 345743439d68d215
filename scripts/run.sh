#!/usr/bin/env bash
# Builds Zeko and starts it.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$root/scripts/deps.sh"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build "$root/build" -j "$(nproc)"
if [[ -x "$root/build/bin/zeko" ]]; then
    exec "$root/build/bin/zeko" "$@"
fi
echo "Built the engine library $root/build/bin/libzeko32.so."
echo "The game's main window is not part of this build yet, so there is nothing to start."
