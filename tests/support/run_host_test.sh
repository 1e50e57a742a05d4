#!/usr/bin/env bash
# Runs a test-host command (under wine when an emulator is given) and passes
# when it exits with 0 and every expected line appears in its output.
#   run_host_test.sh [--expect LINE]... -- command args...
set -u
expects=()
while [ $# -gt 0 ] && [ "$1" != "--" ]; do
  case "$1" in
    --expect) expects+=("$2"); shift 2 ;;
    *) echo "run_host_test: unknown argument $1"; exit 2 ;;
  esac
done
shift
out=$("$@" 2>&1)
rc=$?
out=$(printf '%s\n' "$out" | tr -d '\r')
printf '%s\n' "$out"
if [ $rc -ne 0 ]; then
  echo "FAILED: exit code $rc"
  exit 1
fi
for e in "${expects[@]}"; do
  if ! printf '%s\n' "$out" | grep -qxF -- "$e"; then
    echo "FAILED: missing line: $e"
    exit 1
  fi
done
echo "all ${#expects[@]} expected lines present"
