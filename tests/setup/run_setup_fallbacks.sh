#!/usr/bin/env bash
# scripts/setup.sh where it cannot install: it skips when told to, names the
# packages in one message and fails where there is no apt-get or no way to
# become root, and asks for nothing when everything is there. It adds a
# source-package entry, saying so, only when the tests need Kiss FFT's source.
# apt-get, dpkg-query, id and sudo are stand-ins on a PATH of their own.
#   run_setup_fallbacks.sh <source root> <work dir>
set -u
root=$1 work=$2
rm -rf "$work"
mkdir -p "$work/bin" "$work/third_party/kissfft"
touch "$work/third_party/kissfft/kiss_fftr.c"
for tool in grep cat head cut xargs tee mkdir tar rm dirname touch; do
  ln -s "$(command -v "$tool")" "$work/bin/$tool"
done
cat >"$work/bin/dpkg-query" <<'STUB'
#!/bin/sh
# The package (the last argument) is installed unless named in FAKE_MISSING
# ("all": nothing is installed).
for package; do :; done
for p in $FAKE_MISSING; do [ "$p" = all ] || [ "$p" = "$package" ] && exit 1; done
printf 'install ok installed'
STUB
# "source" leaves a source archive holding kiss_fftr.c in the current folder.
cat >"$work/bin/apt-get" <<'STUB'
#!/bin/sh
echo "apt-get $*" >>"$FAKE_LOG"
if [ "$1" = source ]; then
  mkdir -p pkg/kissfft-1 && touch pkg/kissfft-1/kiss_fftr.c && tar -cf kissfft_1.orig.tar.xz -C pkg kissfft-1
  rm -rf pkg
fi
STUB
printf '#!/bin/sh\necho "${FAKE_UID:-0}"\n' >"$work/bin/id"
printf '#!/bin/sh\necho "sudo $*" >>"$FAKE_LOG"\nexec "$@"\n' >"$work/sudo"
chmod +x "$work/bin/"* "$work/sudo"
bash_path=$(command -v bash)
failures=0

# setup <case> <expected exit code> [VAR=value...]: runs setup.sh, keeps its
# stdout, stderr and the stand-ins' log.
setup() {
  local name=$1 expect=$2
  shift 2
  : >"$work/log"
  env -i PATH="$work/bin" FAKE_LOG="$work/log" MURKWISP_THIRD_PARTY="$work/third_party" \
    MURKWISP_APT_DIR="$work/apt" "$@" \
    "$bash_path" "$root/scripts/setup.sh" >"$work/out" 2>"$work/err"
  rc=$?
  if [ "$rc" -ne "$expect" ]; then
    cat "$work/out" "$work/err"
    echo "FAIL $name: exit code $rc, expected $expect"
    failures=$((failures + 1))
    return 1
  fi
  return 0
}
expect_one_message() {
  local name=$1 text=$2
  if [ "$(grep -c . "$work/err")" -eq 1 ] && grep -qF -- "$text" "$work/err" && grep -qF -- "cmake" "$work/err" &&
     grep -qF -- "sox" "$work/err" && [ ! -s "$work/log" ]; then
    echo "PASS $name: $(cat "$work/err")"
  else
    cat "$work/out" "$work/err" "$work/log"
    echo "FAIL $name: expected one message naming the packages, and no apt-get"
    failures=$((failures + 1))
  fi
}
expect_log() {
  local name=$1 log=$2
  if [ "$(cat "$work/log")" = "$log" ]; then
    echo "PASS $name"
  else
    echo "--- log:"; cat "$work/log"; cat "$work/out" "$work/err"
    echo "FAIL $name: expected log: $log"
    failures=$((failures + 1))
  fi
}

setup "skipped" 0 MURKWISP_SKIP_SETUP=1 FAKE_MISSING=all && expect_log "skipped without a look" ""

mv "$work/bin/apt-get" "$work/apt-get"
setup "no apt-get" 1 FAKE_MISSING=all && expect_one_message "no apt-get" "no apt-get on this machine"
mv "$work/apt-get" "$work/bin/apt-get"

setup "not root, no sudo" 1 FAKE_UID=1000 FAKE_MISSING="cmake sox" &&
  expect_one_message "not root, no sudo" "not root and no sudo"
setup "not root, no sudo, nothing missing" 0 FAKE_UID=1000 && expect_log "not root, no sudo, nothing missing" ""
setup "root, nothing missing" 0 && expect_log "root, nothing missing: nothing to do" ""

mv "$work/sudo" "$work/bin/sudo"
setup "sudo, one missing" 0 FAKE_UID=1000 FAKE_MISSING=sox &&
  expect_log "sudo, one missing: only that one installed" "sudo apt-get update -q
apt-get update -q
sudo apt-get install -y -q --no-install-recommends sox
apt-get install -y -q --no-install-recommends sox"

# Without Kiss FFT's source: nothing is fetched for a build without tests;
# with tests, the entry is added (and said) before the source is fetched.
rm -rf "$work/third_party/kissfft" "$work/apt"
mkdir -p "$work/apt/sources.list.d"
setup "no tests, no Kiss FFT source" 0 MURKWISP_TESTS=0 &&
  expect_log "no tests, no Kiss FFT source: nothing fetched" ""
if [ -e "$work/apt/sources.list.d/murkwisp-src.sources" ] || [ -e "$work/third_party/kissfft" ]; then
  echo "FAIL no tests, no Kiss FFT source: a source entry or source folder appeared"
  failures=$((failures + 1))
fi
setup "tests, no Kiss FFT source" 0 &&
  expect_log "tests, no Kiss FFT source: entry added, source fetched" "apt-get update -q
apt-get source --download-only kissfft"
if grep -q "adding a source-package entry" "$work/out" && grep -q "^Types: deb-src" "$work/apt/sources.list.d/murkwisp-src.sources" &&
   [ -f "$work/third_party/kissfft/kiss_fftr.c" ]; then
  echo "PASS tests, no Kiss FFT source: $(grep "adding" "$work/out")"
else
  cat "$work/out" "$work/err"
  echo "FAIL tests, no Kiss FFT source: the entry was not announced and written, or the source is missing"
  failures=$((failures + 1))
fi

[ $failures -eq 0 ] && echo "ALL PASSED" && exit 0
exit 1
