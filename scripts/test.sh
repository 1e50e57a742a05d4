#!/usr/bin/env bash
# Setup, build, then every test: natively under the sanitizers (and the
# thread sanitizer for the lock-free paths), then the windows tree under wine
# on a virtual display. Prints the time each stage took.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs="${MURKWISP_JOBS:-$(nproc)}"
start=$SECONDS
stage() { echo; echo "=== $1 ($((SECONDS - start)) s so far)"; }

stage "setup"
bash scripts/setup.sh

status=0
run_tree() {
  local preset="$1"; shift
  stage "build $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  stage "test $preset"
  "$@" ctest --preset "$preset" -j "$jobs" || status=1
}

run_tree native-asan
run_tree native-tsan
run_tree native
# Wine's OpenGL needs an X display; one virtual display serves the whole run.
run_tree windows xvfb-run -a -s "-screen 0 1920x1080x24"
wineserver -k 2>/dev/null || true

stage "done"
exit $status
