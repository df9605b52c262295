#!/usr/bin/env bash
# Regenerates the pictures in docs/ from the current code: builds the
# screenshots tool (the program's window with the virtual RSX-4 linked in),
# which works through the pages offscreen and writes one PNG of each.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
source "$root/scripts/deps.sh"
cuesmith_install_deps

build="$root/build"
cmake -S "$root" -B "$build" >/dev/null
cmake --build "$build" -j"$(nproc)" --target screenshots

# The same pictures on every machine: one scale, the unit's factory settings.
unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR QT_FONT_DPI
while read -r name; do unset "$name"; done < <(env | sed -n 's/^\(VIRTUAL_UNIT_[A-Z_]*\)=.*/\1/p')
export QT_QPA_PLATFORM=offscreen

mkdir -p "$root/docs"
LANGUAGE=en "$build/tools/screenshots" "$root/docs"
# One picture of the German window (main-window-de.png).
LANG=de_DE.UTF-8 LANGUAGE= "$build/tools/screenshots" "$root/docs"
