#!/usr/bin/env bash
# Installs every Debian package the build and the tests need. Idempotent: a
# second run finds everything present and touches nothing.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  libkissfft-dev libstb-dev
  fonts-roboto-unhinted fonts-wqy-microhei
  libegl-dev libgl-dev libegl-mesa0 libgl1-mesa-dri
  clang libclang-rt-dev
  g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64
  wine wine64 xvfb xauth x11-apps
  curl python3 dpkg-dev sox
)

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

need_src=0
if ! grep -rqsE '^(Types:.*deb-src|deb-src )' /etc/apt/sources.list /etc/apt/sources.list.d/ 2>/dev/null; then
  need_src=1
fi

if [ "${#missing[@]}" -gt 0 ] || [ "$need_src" -eq 1 ]; then
  if [ "$need_src" -eq 1 ]; then
    # Source entries for the suites already configured, so that
    # `apt-get source kissfft` works; the existing files stay as they are.
    suites=$(grep -hE '^Suites:' /etc/apt/sources.list.d/*.sources 2>/dev/null | head -n1 | cut -d: -f2 | xargs || true)
    [ -n "$suites" ] || suites="$(. /etc/os-release && echo "$VERSION_CODENAME")"
    cat <<SRC | "${sudo_cmd[@]}" tee /etc/apt/sources.list.d/murkwisp-src.sources >/dev/null
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: ${suites}
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
  fi
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -q
  if [ "${#missing[@]}" -gt 0 ]; then
    "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
  fi
fi

# The cross build compiles Kiss FFT from Debian's own source package.
src_dir="${MURKWISP_THIRD_PARTY:-$(cd "$(dirname "$0")/.." && pwd)/build/third_party}"
if [ ! -f "$src_dir/kissfft/kiss_fftr.c" ]; then
  mkdir -p "$src_dir"
  ( cd "$src_dir" && apt-get source --download-only kissfft >/dev/null \
      && rm -rf kissfft && mkdir kissfft \
      && tar -xf kissfft_*.orig.tar.* -C kissfft --strip-components=1 )
fi
echo "setup: all packages present; kissfft sources in $src_dir/kissfft"
