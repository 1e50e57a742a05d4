#!/usr/bin/env bash
# The native build and the Windows build must sound the same: one generated
# input through the native VST3 module under the native test host and
# through the Windows module under the Windows test host (wine), with the
# same parameters, must give identical files byte for byte. Skipped (77)
# when the native tree has not been built.
#   run_crossbuild.sh <work dir> <native vst3host> <native module> <claphost.exe>
#                     <vst3host.exe> <windows module> <emulator...>
set -u
work=$1 nativehost=$2 nativemodule=$3 claphost=$4 winhost=$5 winmodule=$6
shift 6
emu=("$@")
if [ ! -x "$nativehost" ] || [ ! -e "$nativemodule" ]; then
  echo "no native build at $nativehost: skipped"
  exit 77
fi
mkdir -p "$work"
in="$work/input.wav"
"${emu[@]}" "$claphost" make-signal noise 60000 48000 "$in" >/dev/null || { echo "FAILED: make-signal"; exit 1; }

failures=0
compare() {
  local name=$1
  shift
  "$nativehost" process "$nativemodule" --input "$in" --output "$work/$name.native.wav" "$@" >/dev/null 2>&1 ||
    { echo "FAILED $name: native host"; failures=$((failures + 1)); return; }
  "${emu[@]}" "$winhost" process "$winmodule" --input "$in" --output "$work/$name.windows.wav" "$@" >/dev/null 2>&1 ||
    { echo "FAILED $name: Windows host"; failures=$((failures + 1)); return; }
  if cmp -s "$work/$name.native.wav" "$work/$name.windows.wav"; then
    echo "PASS $name: identical output"
  else
    echo "FAIL $name: outputs differ"
    cmp "$work/$name.native.wav" "$work/$name.windows.wav" | head -1
    failures=$((failures + 1))
  fi
}

# "Init"; a shift up with Sizzle; a shift down with Fennows and automation.
compare init-32bit --block 512
compare up-sizzle-64bit --double --block 100 --set 2=0.9 --set 4=0.75 --set 5=0.545454545454545 --set 6=0.3 \
  --set 8=0.8 --set 9=0.6 --set 10=0 --set 11=0.2
compare down-fennows-automation --block 333 --set 4=0.25 --set 6=0.7 --set 7=1 --set 9=0.8 --set 10=1 \
  --set 12=0.5 --set 4=0.5@20000 --set 8=0.1@40000

[ $failures -eq 0 ] && echo "ALL IDENTICAL" && exit 0
exit 1
