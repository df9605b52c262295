#!/usr/bin/env bash
# Installs what is missing, builds and runs every test offscreen.
#   scripts/test.sh             normal build in build/
#   scripts/test.sh --sanitize  AddressSanitizer + UBSan build in build-sanitize/
#   scripts/test.sh --qt6       the same suite against Qt 6 in build-qt6/
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
source "$root/scripts/deps.sh"

build="$root/build"
flags=()
packages=("${cuesmith_test_packages[@]}")
case "${1:-}" in
"") ;;
--sanitize)
    build="$root/build-sanitize"
    flags=(-DCUESMITH_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug)
    # Full unwinding, so leak suppressions see the system library frames.
    export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:fast_unwind_on_malloc=0"
    export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
    # Slower by an order of magnitude: a test function may take up to 15 minutes.
    export QTEST_FUNCTION_TIMEOUT=900000
    export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"
    ;;
--qt6)
    build="$root/build-qt6"
    flags=(-DCUESMITH_QT_MAJOR=6)
    packages+=("${cuesmith_qt6_packages[@]}")
    ;;
*)
    echo "usage: scripts/test.sh [--sanitize | --qt6]" >&2
    exit 2
    ;;
esac
cuesmith_install_deps "${packages[@]}"

cmake -S "$root" -B "$build" -DCUESMITH_TESTS=ON "${flags[@]}" >/dev/null
cmake --build "$build" -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
cd "$build"
ctest --output-on-failure -j"$(nproc)"
