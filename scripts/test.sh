#!/usr/bin/env bash
# Sets up, builds and runs every test: a normal build, the whole suite again
# under AddressSanitizer + UBSan, the model, thread and document window tests
# under ThreadSanitizer, then a minute of fuzzing the document files.
# Headless: Qt tests use the offscreen platform.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1

build() {  # build <dir> <cmake args...>
  local dir=$1; shift
  cmake -S . -B "$dir" -DVANTREL_WERROR=ON "$@" > /dev/null
}

echo "== normal build"
build build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

echo "== AddressSanitizer + UBSan"
build build-asan -DCMAKE_BUILD_TYPE=Debug -DVANTREL_SANITIZE=address -DVANTREL_BENCH=OFF
cmake --build build-asan -j "$jobs"
ctest --test-dir build-asan --output-on-failure -j "$jobs"

echo "== ThreadSanitizer: model, thread and document window tests"
build build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTREL_SANITIZE=thread -DVANTREL_BENCH=OFF
cmake --build build-tsan -j "$jobs" --target vantrel_tsan_tests
ctest --test-dir build-tsan --output-on-failure -j "$jobs" -L tsan

echo "== Fuzzing document files for a minute (clang, libFuzzer, ASan + UBSan)"
build build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DVANTREL_FUZZ=ON
cmake --build build-fuzz -j "$jobs" --target vantrel_document_fuzzer
scripts/fuzz.sh 60

echo "All tests passed."
