#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine (missing packages through apt-get), then
# builds and runs every test: the format check, all tests under
# AddressSanitizer + UBSan, the threaded tests under ThreadSanitizer, and a
# bounded fuzzing run of the packet parsers.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs=$(nproc)

bash scripts/install-deps.sh
bash scripts/check-format.sh

# Compiles are cached across checkouts of the same sources.
export CCACHE_BASEDIR=$root CCACHE_NOHASHDIR=1 CCACHE_MAXSIZE=${CCACHE_MAXSIZE:-4G}

sanitizer_dir=$root/tests/sanitizers
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:strict_string_checks=1"
export LSAN_OPTIONS="suppressions=$sanitizer_dir/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:suppressions=$sanitizer_dir/ubsan.supp"
export TSAN_OPTIONS="suppressions=$sanitizer_dir/tsan.supp:halt_on_error=1:second_deadlock_stack=1"

echo "== AddressSanitizer + UBSan build"
cmake -S . -B build-asan -G Ninja -DVP_SANITIZE=address -DVP_BUILD_BENCHMARKS=ON >/dev/null
cmake --build build-asan -j "$jobs"
(cd build-asan && ctest --output-on-failure -j "$jobs")

echo "== ThreadSanitizer build (threaded tests)"
cmake -S . -B build-tsan -G Ninja -DVP_SANITIZE=thread -DVP_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build build-tsan -j "$jobs" --target threaded_checks
(cd build-tsan && ctest --output-on-failure -j "$jobs" -L threaded)

if [ -d fuzz ]; then
  echo "== Fuzzing the packet parsers (bounded)"
  CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DVP_BUILD_FUZZERS=ON \
    -DVP_BUILD_TESTS=OFF >/dev/null
  cmake --build build-fuzz -j "$jobs" --target fuzzers
  bash fuzz/run.sh build-fuzz
fi
