#!/usr/bin/env bash
# Fuzzes the document readers, the round trip and the drawing for the given
# number of seconds (default 60), starting from the documents in
# fuzz/corpus. Needs build-fuzz (see scripts/test.sh). Crashes, leaks,
# undefined behaviour, a round trip that changes the document and a hang
# fail the run; the failing input is written to build-fuzz/ and can be
# replayed by passing it to the fuzzer. The fuzzer budgets each input's
# drawing, so the slowest takes some tens of milliseconds; the timeout of
# ten seconds leaves room for a busy machine and still catches a hang.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# New inputs go to the first folder only; the repository's corpus stays as it is.
log=build-fuzz/fuzz.log
if ! ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
     UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
     build-fuzz/fuzz/vantrel_document_fuzzer "$work" fuzz/corpus \
     -max_total_time="$seconds" -timeout=10 -max_len=4096 -rss_limit_mb=2048 \
     -print_final_stats=1 -artifact_prefix=build-fuzz/ > "$log" 2>&1; then
  grep -v '^#[0-9]' "$log" | tail -n 80
  echo "Fuzzing failed; the whole log is $log"
  exit 1
fi
grep -E '^(Done|stat::number_of_executed_units|stat::peak_rss_mb)' "$log"
