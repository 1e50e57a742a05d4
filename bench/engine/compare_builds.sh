#!/usr/bin/env bash
# Measures the native build and the Windows build (under wine) with the same
# program in the same run: engine_cost of each, one after the other, then
# the Windows hop cost over the native one per preset. Reports figures and
# never judges them; fails only when a program fails. Without a native
# build it reports the Windows figures alone.
#   compare_builds.sh <native engine_cost> <windows engine_cost> [emulator...]
set -u
native=$1 windows=$2
shift 2
emu=("$@")
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

if ! "${emu[@]}" "$windows" --quick | tr -d '\r' >"$dir/windows.txt"; then
  echo "FAILED: the Windows engine_cost did not run"
  exit 1
fi
echo "== Windows build (wine)"
cat "$dir/windows.txt"
if [ ! -x "$native" ]; then
  echo "no native build at $native: Windows figures only"
  exit 0
fi
if ! "$native" --quick >"$dir/native.txt"; then
  echo "FAILED: the native engine_cost did not run"
  exit 1
fi
echo "== native build"
cat "$dir/native.txt"
echo "== Windows hop cost / native hop cost"
# Table rows: name (may hold blanks), hop us, hop/kiss, realtime.
awk 'NR == FNR { if ($(NF-2) ~ /^[0-9.]+$/) { name = $0; sub(/ +[0-9.]+ +[0-9.]+ +[0-9.]+$/, "", name); hop[name] = $(NF-2) } next }
     $(NF-2) ~ /^[0-9.]+$/ { name = $0; sub(/ +[0-9.]+ +[0-9.]+ +[0-9.]+$/, "", name);
                             if (name in hop) printf "%-18s %6.2f\n", name, $(NF-2) / hop[name] }' \
  "$dir/native.txt" "$dir/windows.txt"
