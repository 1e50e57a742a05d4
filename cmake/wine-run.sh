#!/usr/bin/env bash
# Runs a Windows program under wine in a private prefix under the build folder
# (created once, under a lock, since ctest starts tests in parallel) and keeps
# wine quiet. The exit code is the program's.
set -u
here="$(cd "$(dirname "$0")/.." && pwd)"
export WINEPREFIX="${MURKWISP_WINEPREFIX:-$here/build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
export WINEARCH=win64
mkdir -p "$(dirname "$WINEPREFIX")"
(
  flock 9
  if [ ! -f "$WINEPREFIX/.murkwisp-ready" ]; then
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w 2>/dev/null || true
    touch "$WINEPREFIX/.murkwisp-ready"
  fi
) 9>"$WINEPREFIX.lock"
exec wine "$@" 2> >(grep -v -E '^(it looks like wine32 is missing|multiarch needs to be enabled|execute "dpkg --add-architecture|apt-get install wine32)' >&2)
