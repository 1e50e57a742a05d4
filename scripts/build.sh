#!/usr/bin/env bash
# Setup, then build both trees. Prints where the two modules are.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs="${MURKWISP_JOBS:-$(nproc)}"
bash scripts/setup.sh
for preset in native windows; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
done
echo
echo "Murkwisp.vst3: $(pwd)/build/windows/Murkwisp.vst3"
echo "Murkwisp.clap: $(pwd)/build/windows/clap/Murkwisp.clap"
