#!/usr/bin/env bash
# Times djpeg -dct float on the benchmark's photograph, for comparison with
# bench_jpeg_decode (run that first: it makes the file).
set -euo pipefail
FILE="${TAVELOR_BENCH_JPEG:-/tmp/tavelor-bench-6000x4000.jpg}"
RUNS="${1:-15}"
[ -f "$FILE" ] || { echo "missing $FILE: run bench_jpeg_decode first" >&2; exit 1; }
djpeg -dct float -outfile /dev/null "$FILE" # warm the page cache
best=""; total=0
for _ in $(seq "$RUNS"); do
  start=$(date +%s%N)
  djpeg -dct float -outfile /dev/null "$FILE"
  ms=$(( ($(date +%s%N) - start) / 1000000 ))
  total=$((total + ms))
  if [ -z "$best" ] || [ "$ms" -lt "$best" ]; then best=$ms; fi
done
echo "djpeg -dct float: mean $((total / RUNS)) ms, best $best ms over $RUNS runs"
