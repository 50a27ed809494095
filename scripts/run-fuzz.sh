#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz, replays each seed
# corpus, then fuzzes each target for a while.
#   scripts/run-fuzz.sh [--ci] [--seconds N] [target...]
# --ci: 25 seconds a target, so that six targets and the build fit in five minutes. Findings are left in build-fuzz/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."
SECONDS_EACH=30
TARGETS=()
while [ $# -gt 0 ]; do
  case "$1" in
    --ci) SECONDS_EACH=25 ;;
    --seconds) SECONDS_EACH="$2"; shift ;;
    *) TARGETS+=("$1") ;;
  esac
  shift
done
BUILD_DIR=build-fuzz
LAUNCHER=()
if command -v ccache >/dev/null; then LAUNCHER=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
if [ ${#TARGETS[@]} -eq 0 ]; then
  for source in fuzz/*_fuzzer.cpp; do TARGETS+=("$(basename "$source" .cpp)"); done
fi
CXX=clang++ cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTAVELOR_BUILD_FUZZ=ON -DTAVELOR_BUILD_TESTS=OFF "${LAUNCHER[@]}" >/dev/null
cmake --build "$BUILD_DIR" -j"$(nproc)" --target "${TARGETS[@]}"

export QT_QPA_PLATFORM=offscreen
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export ASAN_OPTIONS=detect_leaks=1
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp"
status=0
for target in "${TARGETS[@]}"; do
  name=${target%_fuzzer}
  seeds=fuzz/corpus/$name
  work=$BUILD_DIR/corpus/$name
  findings=$BUILD_DIR/findings/$name
  mkdir -p "$work" "$findings"
  echo "== $target: replaying $(ls "$seeds" | wc -l) seeds"
  # A picture has 2 s to decode, whatever it holds: the seeds include files
  # that once took tens of seconds.
  timeout=20
  [ "$name" = quiz_records ] || timeout=2
  "$BUILD_DIR/fuzz/$target" -runs=0 -timeout=$timeout -rss_limit_mb=2048 "$seeds" 2>&1 | tail -n 2 \
    || { status=1; continue; }
  echo "== $target: fuzzing ${SECONDS_EACH}s"
  if ! "$BUILD_DIR/fuzz/$target" -max_total_time="$SECONDS_EACH" -timeout=$timeout -rss_limit_mb=2048 \
      -max_len=65536 -artifact_prefix="$findings/" -print_final_stats=1 "$work" "$seeds" \
      >"$findings/log.txt" 2>&1; then
    status=1
    tail -n 40 "$findings/log.txt"
  fi
  grep -E "stat::number_of_executed_units|stat::peak_rss_mb" "$findings/log.txt" || true
done
exit $status
