#!/usr/bin/env bash
# Installs what is missing, builds TAVELO and starts it. Arguments go to the game.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --target tavelo
exec ./build/src/app/tavelo "$@"
