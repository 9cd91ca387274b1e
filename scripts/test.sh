#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: once with g++, once with clang under
# AddressSanitizer + UndefinedBehaviorSanitizer (where the fuzz targets also run, briefly). Each
# configure step is first checked for CMake packages that setup-deps.sh does not install.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup-deps.sh
jobs=$(nproc)

echo "== g++ build and tests"
bash scripts/check-packages.sh build
bash scripts/build.sh build
ctest --test-dir build --output-on-failure -j "$jobs"

echo "== clang + ASan/UBSan build and tests"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
asan=(-DQB_SANITIZE=ON -DQB_FUZZ=ON -DCMAKE_BUILD_TYPE=Debug)
CC=clang CXX=clang++ bash scripts/check-packages.sh build-asan "${asan[@]}"
CC=clang CXX=clang++ bash scripts/build.sh build-asan "${asan[@]}"
ctest --test-dir build-asan --output-on-failure -j "$jobs"

echo "== fuzz targets (a few seconds each)"
shopt -s nullglob
for fuzzer in build-asan/bin/fuzz_*; do
  name=$(basename "$fuzzer")
  corpus=tests/fuzz/corpus/${name#fuzz_}
  work=$(mktemp -d)
  [ -d "$corpus" ] && cp -r "$corpus"/. "$work"/
  echo "-- $name"
  "$fuzzer" -max_total_time="${QB_FUZZ_SECONDS:-8}" -rss_limit_mb=4096 -print_final_stats=0 \
    "$work" 2>&1 | tail -n 2
  rm -rf "$work"
done
echo "All tests passed."
