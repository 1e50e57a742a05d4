#!/usr/bin/env bash
# The module exports exactly the VST3 entry points and, on Windows, needs no
# MinGW runtime DLL.
#   check_exports.sh windows|native <module binary>
set -u
kind="$1"
module="$2"
if [ "$kind" = windows ]; then
  dump=$(x86_64-w64-mingw32-objdump -p "$module") || exit 1
  exports=$(printf '%s\n' "$dump" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | grep -E '^\s*\[ *[0-9]+\]' | awk '{print $NF}' | sort | tr '\n' ' ')
  imports=$(printf '%s\n' "$dump" | grep 'DLL Name:' | awk '{print $3}' | tr '\n' ' ')
  echo "exports: $exports"
  echo "imports: $imports"
  [ "$exports" = "ExitDll GetPluginFactory InitDll " ] || { echo "FAILED: unexpected exports"; exit 1; }
  if printf '%s\n' "$imports" | grep -qiE 'libgcc|libstdc|libwinpthread'; then
    echo "FAILED: needs a MinGW runtime DLL"
    exit 1
  fi
else
  exports=$(nm -D --defined-only "$module" | awk '$2 ~ /^[TtWDB]$/ {print $3}' | sort | tr '\n' ' ')
  echo "exports: $exports"
  [ "$exports" = "GetPluginFactory ModuleEntry ModuleExit " ] || { echo "FAILED: unexpected exports"; exit 1; }
fi
echo "exports check: PASS"
