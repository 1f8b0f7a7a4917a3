#!/usr/bin/env bash
# Installs what is missing, checks the layout of the sources against
# .clang-format, builds Zentrix with its tests and runs every test: a normal
# build, the Debian package made from it and checked, the same tests
# under AddressSanitizer with UndefinedBehaviorSanitizer and under
# ThreadSanitizer, then each fuzz target for a bounded time.
# Usage: scripts/test.sh [format|normal|package|asan|tsan|fuzz]...   (default: all six)
# Each test's time limit is set in tests/CMakeLists.txt.
# ZENTRIX_FUZZ_SECONDS sets the time of each fuzz target (60 by default).
set -euo pipefail
cd "$(dirname "$0")/.."

if [ $# -eq 0 ]; then
  modes=(format normal package asan tsan fuzz)
else
  modes=("$@")
fi
for mode in "${modes[@]}"; do
  case "$mode" in
    format | normal | package | asan | tsan | fuzz) ;;
    *) echo "unknown test mode: $mode (format, normal, package, asan, tsan or fuzz)" >&2; exit 2 ;;
  esac
done

groups=(test)
for mode in "${modes[@]}"; do
  [ "$mode" = fuzz ] && groups+=(fuzz)
  [ "$mode" = format ] && groups+=(format)
done
scripts/install-deps.sh "${groups[@]}"

# Seconds a mode took, reported at the end.
timings=()

run_tests() {
  (cd "$1" && ctest --output-on-failure -j2)
}

run_fuzzers() {
  local seconds=${ZENTRIX_FUZZ_SECONDS:-60}
  cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++-14 \
    -DZENTRIX_BUILD_FUZZERS=ON -DZENTRIX_BUILD_TESTS=OFF >/dev/null
  cmake --build build-fuzz -j2 --target zentrix_fuzzers
  for seeds in fuzz/corpus/*/; do
    local target
    target=$(basename "$seeds")
    # New inputs go to the build folder; the committed seeds stay as they are.
    local corpus=build-fuzz/corpus/$target
    mkdir -p "$corpus" build-fuzz/findings
    echo "Fuzzing $target for ${seconds} s"
    build-fuzz/fuzz/fuzz_"$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix=build-fuzz/findings/"$target"- -print_final_stats=1 "$corpus" "$seeds"
  done
}

for mode in "${modes[@]}"; do
  start=$SECONDS
  echo "=== $mode ==="
  case "$mode" in
    format)
      scripts/check-format.sh
      ;;
    normal)
      scripts/build.sh build -DZENTRIX_BUILD_TESTS=ON
      run_tests build
      ;;
    package)
      scripts/check-package.sh build
      ;;
    asan)
      scripts/build.sh build-asan -DZENTRIX_BUILD_TESTS=ON -DZENTRIX_ASAN=ON -DZENTRIX_BUILD_BENCH=OFF
      run_tests build-asan
      ;;
    tsan)
      scripts/build.sh build-tsan -DZENTRIX_BUILD_TESTS=ON -DZENTRIX_TSAN=ON -DZENTRIX_BUILD_BENCH=OFF
      run_tests build-tsan
      ;;
    fuzz)
      run_fuzzers
      ;;
  esac
  timings+=("$mode $((SECONDS - start)) s")
done
printf 'Finished: %s\n' "${timings[@]}"
