#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test; then builds
# the core and UI tests again with AddressSanitizer and UndefinedBehaviorSanitizer
# (in build-asan) and runs them there. Any sanitizer report fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build
# A few seconds of fuzzing for the parsers of outside input.
bash fuzz/run.sh 5

# The sanitized build: no benchmarks; the end-to-end runs stay with the plain
# build. -O1 keeps the stacks readable and the run quick enough.
sanitize="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVELO_BUILD_BENCH=OFF \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" -DCMAKE_CXX_FLAGS="$sanitize" \
  -DCMAKE_EXE_LINKER_FLAGS="$sanitize"
cmake --build build-asan
(
  cd build-asan
  # Leak checking included; nothing is suppressed. (Should a system library
  # ever leak, name it in a suppression file beside the tests, never our code.)
  export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
  QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 600 -j2 -E '^e2e_'
)

cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 600 -j2
