#!/usr/bin/env bash
# Installs what is missing, builds into build/ and starts the program.
# Arguments are passed to the program (for example -devMode), except
#   --virtual-unit   start it with the virtual RSX-4 preloaded in place of the
#                    USB library (settings: VIRTUAL_UNIT_* variables, see README.md)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
source "$root/scripts/deps.sh"
cuesmith_install_deps

virtual_unit=0
args=()
for arg in "$@"; do
    if [ "$arg" = "--virtual-unit" ]; then virtual_unit=1; else args+=("$arg"); fi
done

cmake -S "$root" -B "$root/build" >/dev/null
cmake --build "$root/build" -j"$(nproc)" --target cuesmith
if [ "$virtual_unit" = 1 ]; then
    cmake --build "$root/build" -j"$(nproc)" --target virtualunit_preload
    export LD_PRELOAD="$root/build/virtualunit/libvirtualunit.so${LD_PRELOAD:+:$LD_PRELOAD}"
fi
exec "$root/build/cuesmith" "${args[@]}"
