#!/usr/bin/env bash
# Installs every Debian package the build and the tests need, and fetches the
# Kiss FFT sources the tests and benchmarks compile (the modules have an FFT
# of their own). Idempotent: a second run finds everything present and
# touches nothing.
#
# MURKWISP_SKIP_SETUP=1 skips all of it, for machines whose packages were
# installed by hand. MURKWISP_TESTS=0 (for a build configured with
# -DMURKWISP_TESTS=OFF -DMURKWISP_BENCH=OFF) fetches no Kiss FFT source.
# Where packages are missing and cannot be installed (no apt-get, or neither
# root nor sudo), it names them in one message and fails.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  libstb-dev
  fonts-roboto-unhinted fonts-wqy-microhei
  libegl-dev libgl-dev libegl-mesa0 libgl1-mesa-dri
  clang libclang-rt-dev
  g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64
  wine wine64 xvfb xauth x11-apps
  curl python3 dpkg-dev sox clang-format
)

if [ "${MURKWISP_SKIP_SETUP:-0}" = 1 ]; then
  echo "setup: skipped (MURKWISP_SKIP_SETUP=1)"
  exit 0
fi

# Stops with one message naming what is needed.
cannot_install() {
  echo "setup: $1; install these Debian packages (or your system's equivalents), then run again" \
       "or set MURKWISP_SKIP_SETUP=1: $2" >&2
  exit 1
}

if ! command -v apt-get >/dev/null || ! command -v dpkg-query >/dev/null; then
  cannot_install "no apt-get on this machine" "${packages[*]}"
fi

sudo_cmd=()
can_install=1
if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null; then sudo_cmd=(sudo); else can_install=0; fi
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

src_dir="${MURKWISP_THIRD_PARTY:-$(cd "$(dirname "$0")/.." && pwd)/build/third_party}"
need_kissfft=0
if [ "${MURKWISP_TESTS:-1}" != 0 ] && [ ! -f "$src_dir/kissfft/kiss_fftr.c" ]; then
  need_kissfft=1
fi
apt_dir="${MURKWISP_APT_DIR:-/etc/apt}"

need_src=0
if [ "$need_kissfft" -eq 1 ] && ! grep -rqsE '^(Types:.*deb-src|deb-src )' "$apt_dir/sources.list" "$apt_dir/sources.list.d/"; then
  need_src=1
fi

if [ "$can_install" -eq 0 ]; then
  [ "${#missing[@]}" -eq 0 ] || cannot_install "not root and no sudo" "${missing[*]}"
  if [ "$need_src" -eq 1 ]; then
    echo "setup: not root and no sudo, and no deb-src entry to fetch the Kiss FFT sources for the tests" \
         "from: add one (or unpack the kissfft sources into $src_dir/kissfft), then run again" >&2
    exit 1
  fi
fi

if [ "${#missing[@]}" -gt 0 ] || [ "$need_src" -eq 1 ]; then
  if [ "$need_src" -eq 1 ]; then
    # Source entries for the suites already configured, so that
    # `apt-get source kissfft` works; the existing files stay as they are.
    suites=$(grep -hE '^Suites:' "$apt_dir"/sources.list.d/*.sources 2>/dev/null | head -n1 | cut -d: -f2 | xargs || true)
    [ -n "$suites" ] || suites="$(. /etc/os-release && echo "$VERSION_CODENAME")"
    echo "setup: adding a source-package entry ($apt_dir/sources.list.d/murkwisp-src.sources, suites" \
         "$suites) to the system's package sources, to fetch Kiss FFT's source for the tests"
    cat <<SRC | "${sudo_cmd[@]}" tee "$apt_dir/sources.list.d/murkwisp-src.sources" >/dev/null
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

# The tests and benchmarks compile Kiss FFT from Debian's own source package.
if [ "$need_kissfft" -eq 1 ]; then
  mkdir -p "$src_dir"
  ( cd "$src_dir" && apt-get source --download-only kissfft >/dev/null \
      && rm -rf kissfft && mkdir kissfft \
      && tar -xf kissfft_*.orig.tar.* -C kissfft --strip-components=1 )
fi
if [ "${MURKWISP_TESTS:-1}" != 0 ]; then
  echo "setup: all packages present; kissfft sources in $src_dir/kissfft"
else
  echo "setup: all packages present"
fi
