#!/usr/bin/env bash
# Shows that the layer walls hold: the include check passes on a copy of the
# layer folders, then fails on copies with one wrong include planted each
# (naming the file and the offence); and a wrong include does not even
# compile with a layer's include path, while a right one does.
#   plant_violations.sh <source root> <graph.txt> <work dir> <c++ compiler> <base layer include dirs>...
set -u
root=$1 graph=$2 work=$3 cxx=$4
shift 4
base_includes=()
for dir in "$@"; do base_includes+=("-I$dir"); done
check="$root/scripts/check_layers.py"
failures=0

fresh_copy() {
  rm -rf "$work/tree"
  mkdir -p "$work/tree"
  cp -r "$root"/{base,platform,renderer,toolkit,drawing,window,framework,abi,wrappers,engine,plugin} "$work/tree/"
}

fresh_copy
if ! out=$(python3 "$check" "$graph" "$work/tree" 2>&1); then
  printf '%s\n' "$out"
  echo "FAIL the unchanged copy does not pass"
  failures=$((failures + 1))
fi

# plant <name> <file> <line to append> <expected message part>
plant() {
  local name=$1 file=$2 line=$3 expect=$4
  fresh_copy
  mkdir -p "$(dirname "$work/tree/$file")"
  printf '%s\n' "$line" >>"$work/tree/$file"
  local out rc
  out=$(python3 "$check" "$graph" "$work/tree" 2>&1)
  rc=$?
  if [ $rc -ne 0 ] && printf '%s\n' "$out" | grep -qF -- "$file" && printf '%s\n' "$out" | grep -qF -- "$expect"; then
    echo "PASS $name: $(printf '%s\n' "$out" | grep -F -- "$file" | head -n1)"
  else
    printf '%s\n' "$out"
    echo "FAIL $name: not caught (exit code $rc)"
    failures=$((failures + 1))
  fi
}

plant "base uses the toolkit" base/IString.cpp '#include "toolkit/IGfx.h"' "layer base may not use layer toolkit"
plant "toolkit uses the VST3 declarations" toolkit/IControl.h '#include "abi/vst3/FObject.h"' \
  "layer toolkit may not use layer vst3_abi"
plant "VST3 wrapper uses the plug-in" wrappers/vst3/IFxVST3Factory.cpp '#include "plugin/Murkwisp.h"' \
  "layer vst3_wrapper may not use layer plugin"
plant "platform uses the renderer" platform/win/GLProcLookupWin.cpp \
  '#include "renderer/CanvasGLApi.h"' "layer platform may not use layer renderer"
plant "relative include into the renderer" toolkit/IGfx.cpp '#include "../renderer/CanvasContext.h"' \
  "layer toolkit may not use layer renderer"
plant "engine uses the framework" engine/StftEngine.cpp '#include "framework/IFxProcessor.h"' \
  "layer engine may not use layer framework"
plant "Win32 outside the platform halves" toolkit/IGfx.cpp '#include <windows.h>' "Win32 headers belong in the win/ folders"
plant "the plug-in uses a wrapper" plugin/MurkwispDsp.cpp '#include "wrappers/vst3/IFxVST3.h"' \
  "layer plugin may not use layer vst3_wrapper"
plant "a module entry uses the other format's wrapper" plugin/modules/ClapEntry.cpp '#include "wrappers/vst3/IFxVST3.h"' \
  "module murkwisp_clap may not use layer vst3_wrapper"
plant "a folder of no layer" plugin/drafts/Draft.cpp '#include "plugin/Murkwisp.h"' "in no layer's folder"

# The compiler itself refuses what the base layer may not see.
compiles() { printf '#include "%s"\n' "$1" | "$cxx" -std=c++17 -fsyntax-only -x c++ "${base_includes[@]}" - 2>&1; }
if ! out=$(compiles base/IString.h); then
  printf '%s\n' "$out"
  echo "FAIL a base header does not compile with the base layer's include path"
  failures=$((failures + 1))
elif out=$(compiles toolkit/IGfx.h) || ! printf '%s\n' "$out" | grep -q 'No such file'; then
  printf '%s\n' "$out"
  echo "FAIL a toolkit header compiles with the base layer's include path"
  failures=$((failures + 1))
else
  echo "PASS the base layer's include path finds base/IString.h and not toolkit/IGfx.h"
fi

[ $failures -eq 0 ] && echo "ALL CAUGHT" && exit 0
exit 1
