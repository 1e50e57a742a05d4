#!/usr/bin/env bash
# Setup, build, then every test: natively under AddressSanitizer and
# UndefinedBehaviorSanitizer, the lock-free paths under ThreadSanitizer, the
# fuzz targets for a short while, a release build (end-to-end tests with the
# test hosts), then the windows tree under wine on a virtual display. Prints
# the time each stage took and, last, the totals of all stages.
set -uo pipefail
cd "$(dirname "$0")/.."
jobs="${MURKWISP_JOBS:-$(nproc)}"
start=$SECONDS
logs="build/test-logs"
stage() { echo; echo "=== $1 ($((SECONDS - start)) s so far)"; }

stage "setup"
bash scripts/setup.sh || exit 1
rm -rf "$logs"; mkdir -p "$logs"

status=0
run_tree() {
  local preset="$1"; shift
  stage "build $preset"
  if ! { cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset" -j "$jobs"; }; then
    echo "build $preset: FAILED"
    status=1
    return
  fi
  stage "test $preset"
  "$@" ctest --preset "$preset" -j "$jobs" 2>&1 | tee "$logs/$preset.log"
  [ "${PIPESTATUS[0]}" -eq 0 ] || status=1
}

run_tree native-asan
run_tree native-tsan
stage "fuzz"
bash scripts/fuzz.sh "${MURKWISP_FUZZ_SECONDS:-30}" || status=1
run_tree native
# Wine's OpenGL needs an X display; one virtual display serves the whole run.
run_tree windows xvfb-run -a -s "-screen 0 1920x1080x24"
wineserver -k 2>/dev/null || true

stage "done"
passed=0; failed=0
for log in "$logs"/*.log; do
  line=$(grep -E 'tests passed, [0-9]+ tests failed out of' "$log" | tail -n1)
  [ -n "$line" ] || continue
  total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$line")
  bad=$(sed -E 's/.*passed, ([0-9]+) tests failed.*/\1/' <<<"$line")
  passed=$((passed + total - bad)); failed=$((failed + bad))
done
[ "$status" -eq 0 ] || [ "$failed" -gt 0 ] || failed=1
echo "total: $passed passed, $failed failed"
exit $status
