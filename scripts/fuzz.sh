#!/usr/bin/env bash
# Builds every libFuzzer target in build-fuzz/ and runs each for the given
# number of seconds (default 60), one after the other. Fails if any found a
# crash or a broken invariant. The targets drive the same checkers as the
# property tests (fuzz/Invariants.h); the corpus grows in
# build-fuzz/corpus/<target>/ from run to run.
#   scripts/fuzz.sh [seconds]
# Crashing inputs are left in build-fuzz/findings/<target>/; replay one with
#   QT_QPA_PLATFORM=offscreen build-fuzz/fuzz/<target> <file>
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-60}"
source "$root/scripts/deps.sh"
cuesmith_install_deps clang libclang-rt-14-dev

build="$root/build-fuzz"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCUESMITH_FUZZ=ON -DCUESMITH_TESTS=OFF \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
status=0
for target in "$build"/fuzz/fuzz_*; do
    [ -f "$target" ] && [ -x "$target" ] || continue
    name="$(basename "$target")"
    corpus="$build/corpus/$name"
    findings="$build/findings/$name"
    mkdir -p "$corpus" "$findings"
    # Room for a file longer than an image, and for long operation sequences.
    options=(-max_len=4096)
    [ -f "$root/fuzz/$name.dict" ] && options+=(-dict="$root/fuzz/$name.dict")
    echo "== $name: ${seconds}s"
    if ! "$target" "$corpus" "${options[@]}" -max_total_time="$seconds" -timeout=10 \
        -rss_limit_mb=4096 -detect_leaks=0 -artifact_prefix="$findings/" \
        -print_final_stats=1 2>"$build/$name.log"; then
        echo "$name: FAILED, see $build/$name.log and $findings/" >&2
        tail -n 40 "$build/$name.log" >&2
        status=1
    fi
    grep -E 'stat::number_of_executed_units' "$build/$name.log" || true
    grep -E '(pulse|NEW|REDUCE|DONE) +cov:' "$build/$name.log" | tail -n 1 |
        sed -E 's/.*(cov: [0-9]+ ft: [0-9]+ corp: [^ ]+).*/\1/' || true
done
exit $status
