#!/usr/bin/env bash
# Installs what is missing, builds into build/ and starts the program.
# Arguments are passed to the program (for example -devMode).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
source "$root/scripts/deps.sh"
cuesmith_install_deps

cmake -S "$root" -B "$root/build" -DCUESMITH_TESTS=OFF >/dev/null
cmake --build "$root/build" -j"$(nproc)"
exec "$root/build/cuesmith" "$@"
