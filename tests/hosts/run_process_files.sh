#!/usr/bin/env bash
# Both test hosts' process command as a new user meets it: a 48 kHz file
# comes out at 48 kHz, sox reads the output without a warning, --tail adds
# the plug-in's latency and the seconds asked for, and an input that cannot
# be used gives one error line and a non-zero status.
#   run_process_files.sh <work dir> <claphost> <clap module> <vst3host> <vst3 module> [emulator...]
set -u
work=$1 claphost=$2 clapmodule=$3 vst3host=$4 vst3module=$5
shift 5
emu=("$@")
mkdir -p "$work"
cd "$work" || exit 1
failures=0
fail() { echo "FAIL $*"; failures=$((failures + 1)); }

command -v sox >/dev/null || { echo "FAIL sox is not installed (scripts/setup.sh installs it)"; exit 1; }

"${emu[@]}" "$claphost" make-signal noise 30000 48000 in48.wav >/dev/null 2>&1 || { echo "FAIL make-signal"; exit 1; }
printf 'not a wave file\n' >text.wav
sox -n -r 44100 -c 1 -b 8 -e unsigned-integer 8bit.wav trim 0 0.01 || { echo "FAIL sox cannot make the 8-bit file"; exit 1; }

# run <name> <expected exit: 0 or "fail"> command...
run() {
  local name=$1 expect=$2
  shift 2
  out=$("${emu[@]}" "$@" 2>&1)
  rc=$?
  out=$(printf '%s\n' "$out" | tr -d '\r')
  if [ "$expect" = 0 ] && [ "$rc" -ne 0 ]; then
    printf '%s\n' "$out"
    fail "$name: exit code $rc"
    return 1
  fi
  if [ "$expect" = fail ] && [ "$rc" -eq 0 ]; then
    printf '%s\n' "$out"
    fail "$name: succeeded"
    return 1
  fi
  return 0
}

# check_output <name> <file> <rate> <frames>
check_output() {
  local name=$1 file=$2 rate=$3 frames=$4
  local warnings got_rate got_frames
  # sox prints its statistics on stderr too: only warnings and failures count.
  warnings=$( { sox --i "$file"; sox "$file" -n stat; } 2>&1 | grep -E '^sox (WARN|FAIL)')
  got_rate=$(sox --i -r "$file" 2>/dev/null)
  got_frames=$(sox --i -s "$file" 2>/dev/null)
  if [ -n "$warnings" ]; then
    fail "$name: sox says: $warnings"
  elif [ "$got_rate" != "$rate" ] || [ "$got_frames" != "$frames" ]; then
    fail "$name: $got_rate Hz, $got_frames frames; expected $rate Hz, $frames frames"
  else
    echo "PASS $name: $got_rate Hz, $got_frames frames, sox reads it cleanly"
  fi
}

# one_error_line <name> command...: fails with exactly one line, an error.
one_error_line() {
  local name=$1
  shift
  run "$name" fail "$@" || return
  local lines
  lines=$(printf '%s\n' "$out" | grep -c .)
  if [ "$lines" -eq 1 ] && printf '%s\n' "$out" | grep -q '^error: '; then
    echo "PASS $name: $out"
  else
    printf '%s\n' "$out"
    fail "$name: expected one error line"
  fi
}

hosts=(clap vst3)
for host in "${hosts[@]}"; do
  if [ "$host" = clap ]; then cmd=("$claphost" process "$clapmodule"); else cmd=("$vst3host" process "$vst3module"); fi
  if run "$host 48 kHz" 0 "${cmd[@]}" --input in48.wav --output "$host.wav"; then
    check_output "$host 48 kHz" "$host.wav" 48000 30000
  fi
  # The latency (4096) and a quarter second at 48 kHz past the end.
  if run "$host tail" 0 "${cmd[@]}" --input in48.wav --tail 0.25 --output "$host.tail.wav"; then
    check_output "$host tail" "$host.tail.wav" 48000 $((30000 + 4096 + 12000))
  fi
  one_error_line "$host missing input" "${cmd[@]}" --input missing.wav --output x.wav
  one_error_line "$host unreadable input" "${cmd[@]}" --input "$work" --output x.wav
  one_error_line "$host not a WAV file" "${cmd[@]}" --input text.wav --output x.wav
  one_error_line "$host unsupported WAV data" "${cmd[@]}" --input 8bit.wav --output x.wav
done
# The same file through both formats stays identical with the tail too.
if cmp -s clap.tail.wav vst3.tail.wav; then echo "PASS the two hosts' tail renders are identical"; else fail "the tail renders differ"; fi

[ $failures -eq 0 ] && echo "ALL PASSED" && exit 0
exit 1
