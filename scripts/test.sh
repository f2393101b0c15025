#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build
# A few seconds of fuzzing for the parsers of outside input.
bash fuzz/run.sh 5
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 600 -j2
