#!/usr/bin/env bash
# Builds the libFuzzer targets (preset native-fuzz) and runs each one for N
# seconds (first argument, default 30) starting from its seed corpus in
# fuzz/corpus/<target>/. Exits non-zero when any target finds a crash, a leak,
# undefined behaviour or a time-out; the input that did it is kept in
# <build>/fuzz-findings/<target>/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-${MURKWISP_FUZZ_SECONDS:-30}}"
build="${MURKWISP_FUZZ_BUILD:-build/native-fuzz}"
jobs="${MURKWISP_JOBS:-$(nproc)}"

cmake --preset native-fuzz -B "$build" >/dev/null
# The preset's whole default build, as a developer would run it.
cmake --build "$build" -j "$jobs"

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

failed=()
ran=0
for target in "$build"/fuzz/fuzz_*; do
  [ -x "$target" ] || continue
  name="$(basename "$target")"
  seeds="fuzz/corpus/${name#fuzz_}"
  # The run grows its own copy of the corpus; the committed seeds stay as they are.
  work="$build/fuzz-corpus/$name"
  findings="$build/fuzz-findings/$name"
  mkdir -p "$work" "$findings"
  [ -d "$seeds" ] && cp -n "$seeds"/* "$work"/ 2>/dev/null || true
  echo "=== $name: $seconds s"
  log="$build/fuzz-findings/$name.log"
  if "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
       -print_final_stats=1 -artifact_prefix="$findings/" "$work" >"$log" 2>&1; then
    grep -E '^(stat::number_of_executed_units|Done )' "$log" || true
  else
    echo "$name: FINDING (log: $log)"
    tail -n 40 "$log"
    failed+=("$name")
  fi
  ran=$((ran + 1))
done

if [ "$ran" -eq 0 ]; then
  echo "fuzz: no targets were built" >&2
  exit 1
fi
if [ "${#failed[@]}" -gt 0 ]; then
  echo "fuzz: findings in ${failed[*]}"
  exit 1
fi
echo "fuzz: all $ran targets ran clean for $seconds s each"
