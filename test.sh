#!/usr/bin/env bash
# Installs what is missing, builds with AddressSanitizer and
# UndefinedBehaviorSanitizer, starts what the tests need, runs every test
# through CTest and stops what it started.
#   ./test.sh                 everything
#   ./test.sh -R Profile      only tests whose name matches (CTest options)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"

./scripts/install-deps.sh

build=build/test
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKRO_SANITIZE=ON >/dev/null
cmake --build "$build"

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"

rm -rf "$build/test-home"
ctest --test-dir "$build" --output-on-failure -j "$(nproc)" "$@"
