#!/usr/bin/env bash
# Configures and builds into ./build with Ninja. Extra arguments go to the configure step.
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
cmake -S "$raiz" -B "$raiz/build" -G Ninja -DBUILD_TESTING=ON "$@" >/dev/null
cmake --build "$raiz/build" -j "$(nproc)"
