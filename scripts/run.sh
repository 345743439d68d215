#!/usr/bin/env bash
# Builds Zeko and starts it.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$root/scripts/deps.sh"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZEKO_BUILD_TESTS=OFF
cmake --build "$root/build" -j "$(nproc)"
exec "$root/build/bin/zeko" "$@"
