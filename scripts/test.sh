#!/usr/bin/env bash
# Installs what is missing, builds everything and runs all tests; then builds again in
# build-asan with AddressSanitizer and UndefinedBehaviorSanitizer and runs all tests once
# more, so that an out-of-bounds read or undefined behaviour fails the run. Both builds
# treat every compiler warning as an error.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
cmake --build build
ctest --test-dir build --output-on-failure

# Any finding stops the program and fails its test. Leak detection stays on, less a leak
# inside libdbus that Qt's X11 plugin brings along (tests/lsan.supp).
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELKARO_SANITIZE=ON \
      -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
cmake --build build-asan
ctest --test-dir build-asan --output-on-failure
