#!/usr/bin/env bash
# Plants one fault at a time in the core sources and runs the tests against
# each: a fault no test notices marks a gap in the suite.
#   scripts/mutate.sh              plant every fault, print caught/planted and the survivors
#   scripts/mutate.sh --list       only print the faults, one a line
#   scripts/mutate.sh --only 3,17  plant only these
#   MUTATE_REV=<commit> scripts/mutate.sh   measure the tests of that commit
#   MUTATE_DIR=<folder>                     work there instead of build-mutate/
# The faults are chosen from the source text alone (flipped or loosened
# comparisons, off-by-one constants, swapped operators, negated conditions,
# dropped statements), so the same sources always give the same list.
# Works on a copy of the tree in build-mutate/, so the worktree is never
# touched; each fault rebuilds one object file and relinks only the tests it
# runs, one after the other, until one fails. Results: build-mutate/results.tsv.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
work="${MUTATE_DIR:-$root/build-mutate}"
tree="$work/tree"
build="$tree/build"
count="${MUTATE_COUNT:-72}"
skip="${MUTATE_SKIP:-^tst_install$}"
files=(src/core/preset/PresetImage.cpp src/core/preset/FunctionNames.cpp src/core/events/EventRecords.cpp
       src/core/events/EventStore.cpp src/core/device/DeviceLink.cpp src/core/device/HidReport.cpp
       src/core/events/HexText.cpp src/core/document/PresetFile.cpp)
mode=run only=""
case "${1:-}" in
--list) mode=list ;;
--only) only=",$2," ;;
esac

mkdir -p "$tree"
# The sources of the worktree, or of the commit MUTATE_REV names; a file is
# copied only when it changed, so the build redoes only what it must.
stage="$work/stage"
rm -rf "$stage" && mkdir -p "$stage"
if [ -n "${MUTATE_REV:-}" ]; then
    (cd "$root" && git archive "$MUTATE_REV") | tar -xf - -C "$stage"
else
    (cd "$root" && git ls-files -co --exclude-standard | tar -cf - -T -) | tar -xf - -C "$stage"
fi
(cd "$stage" && find . -type f | sed 's|^\./||' | sort) >"$work/files.txt"
while read -r f; do
    cmp -s "$stage/$f" "$tree/$f" || { mkdir -p "$(dirname "$tree/$f")" && cp "$stage/$f" "$tree/$f"; }
done <"$work/files.txt"
(cd "$tree" && find . -path ./build -prune -o -type f -print | sed 's|^\./||' | sort |
    comm -23 - "$work/files.txt" | xargs -r rm -f)

# One fault a line: id, file, line number, kind, the new line.
python3 - "$tree" "$count" "${files[@]}" >"$work/mutants.tsv" <<'EOF'
import re, sys, zlib
tree, target, files = sys.argv[1], int(sys.argv[2]), sys.argv[3:]

def mask(line):
    """Blanks string and character literals and comments, keeping positions."""
    out, quote, i = [], None, 0
    while i < len(line):
        c = line[i]
        if quote:
            if c == '\\':
                out.append('  ')
                i += 2
                continue
            out.append(c if c == quote else ' ')
            if c == quote:
                quote = None
        elif c in '"\'':
            quote = c
            out.append(c)
        elif line.startswith('//', i):
            out.append(' ' * (len(line) - i))
            break
        else:
            out.append(c)
        i += 1
    return ''.join(out)[:len(line)]

SWAP = {'<': '<=', '<=': '<', '>': '>=', '>=': '>', '==': '!=', '!=': '==',
        '&&': '||', '||': '&&', '+': '-', '-': '+', '<<': '>>', '>>': '<<',
        '|': '&', '&': '|', '+=': '-=', '-=': '+='}
KIND = {'&&': 'logic', '||': 'logic', '+': 'operator', '-': 'operator', '<<': 'operator',
        '>>': 'operator', '|': 'operator', '&': 'operator', '+=': 'operator', '-=': 'operator'}
DECL = re.compile(r'^\s*(const\s+)?[\w:]+(<[^;=]*>)?[\s*&]+\w+\s*[=;({\[]')
SKIP = re.compile(r'qDebug|qCDebug|qInfo|qCInfo|qWarning|qCWarning|static_assert')

def candidates(lines, n):
    line = lines[n]
    m = mask(line)
    s = m.strip()
    if not s or s.startswith('#') or SKIP.search(line):
        return []
    found = []
    for x in re.finditer(r'(?<= )(<=|>=|==|!=|&&|\|\||\+=|-=|<<|>>|<|>|\+|-|\||&)(?= )', m):
        op = x.group(1)
        new = line[:x.start()] + SWAP[op] + line[x.end():]
        found.append((KIND.get(op, 'compare'), new))
    for x in re.finditer(r'(?<![\w.])(0x[0-9A-Fa-f]+|\d+)(?![\w.])', m):
        text = x.group(1)
        value = int(text, 0) + 1
        new_text = ('0x%0*X' % (len(text) - 2, value)) if text.startswith('0x') else str(value)
        found.append(('constant', line[:x.start()] + new_text + line[x.end():]))
    for x in re.finditer(r'\b(true|false)\b', m):
        flip = 'false' if x.group(1) == 'true' else 'true'
        found.append(('constant', line[:x.start()] + flip + line[x.end():]))
    for x in re.finditer(r'\b(if|while) \(', m):
        depth, start = 0, x.end() - 1
        for j in range(start, len(m)):
            depth += {'(': 1, ')': -1}.get(m[j], 0)
            if depth == 0:
                found.append(('negate', line[:start + 1] + '!(' + line[start + 1:j] + ')' + line[j:]))
                break
    prev = next((mask(l).strip() for l in reversed(lines[:n]) if mask(l).strip()), '')
    if (s.endswith(';') and m.count('(') == m.count(')') and prev[-1:] in (';', '{', '}', ')', ':')
            and not re.match(r'(return|break|continue|case|default|using|static|constexpr)\b', s)
            and not DECL.match(m) and not s.startswith('}')):
        indent = line[:len(line) - len(line.lstrip())]
        found.append(('drop', indent + ';'))
    return found

sites, lines_of = {}, {}
for f in files:
    lines = lines_of[f] = open(f'{tree}/{f}').read().split('\n')
    sites[f] = []
    for n in range(len(lines)):
        c = candidates(lines, n)
        if c:
            # One fault a line, chosen by the line's text so it survives edits elsewhere.
            kind, new = c[zlib.crc32(lines[n].strip().encode()) % len(c)]
            sites[f].append((n + 1, kind, new))
total = sum(len(s) for s in sites.values())
ident = 0
for f in files:
    s = sites[f]
    quota = min(len(s), max(2, round(target * len(s) / total)))
    for i in range(quota):
        n, kind, new = s[int((i + 0.5) * len(s) / quota)]
        ident += 1
        shown = lines_of[f][n - 1].strip() if kind == 'drop' else new.strip()
        print(f'{ident}\t{f}\t{n}\t{kind}\t{new}\t{shown}')
EOF

show() { # id file line kind text
    printf '%3s %s:%s %-8s %s\n' "$1" "$2" "$3" "$4" "$5"
}
if [ "$mode" = list ]; then
    while IFS=$'\t' read -r id file line kind new text; do show "$id" "$file" "$line" "$kind" "$text"; done <"$work/mutants.tsv"
    exit 0
fi

export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$root}" CCACHE_NOHASHDIR=1 QT_QPA_PLATFORM=offscreen
cmake -S "$tree" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCUESMITH_TESTS=ON \
    -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >/dev/null
mapfile -t tests < <(cd "$build" && ctest -N | sed -nE 's/^ *Test +#[0-9]+: (tst_\w+)$/\1/p' |
    grep -vE "$skip")

# The unchanged sources must pass; each test's time sets its timeout.
declare -A limit
kept=()
echo "baseline: building and running ${#tests[@]} tests"
nice cmake --build "$build" -j2 --target "${tests[@]}" >"$work/build.log" 2>&1 ||
    { tail -n 30 "$work/build.log"; exit 1; }
for t in "${tests[@]}"; do
    start=$(date +%s.%N)
    if ! (cd "$build" && ctest -R "^$t\$" --timeout 600 >/dev/null); then
        echo "baseline: $t fails here, left out"
        continue
    fi
    kept+=("$t")
    limit[$t]=$(awk -v s="$start" -v e="$(date +%s.%N)" 'BEGIN { printf "%d", 3 * (e - s) + 10 }')
done
tests=("${kept[@]}")

restore() { [ -n "${current:-}" ] && cp "$stage/$current" "$tree/$current"; current=""; }
trap restore EXIT
planted=0 caught=0 survivors=()
: >"$work/results.tsv"
while IFS=$'\t' read -r id file line kind new text; do
    [ -z "$only" ] || [[ "$only" == *",$id,"* ]] || continue
    current="$file"
    awk -v n="$line" -v text="$new" 'NR == n { print text; next } { print }' \
        "$stage/$file" >"$tree/$file"
    verdict="" by=""
    for t in "${tests[@]}"; do
        if ! nice cmake --build "$build" -j2 --target "$t" >"$work/build.log" 2>&1; then
            verdict=stillborn
            break
        fi
        if ! (cd "$build" && ctest -R "^$t\$" --timeout "${limit[$t]}" >/dev/null 2>&1); then
            verdict=caught by="$t"
            break
        fi
    done
    restore
    [ -n "$verdict" ] || verdict=survived
    printf '%s\t%s\t%s\n' "$id" "$verdict" "$by" >>"$work/results.tsv"
    printf '%-9s %-16s ' "$verdict" "$by"
    show "$id" "$file" "$line" "$kind" "$text"
    case "$verdict" in
    caught) planted=$((planted + 1)) caught=$((caught + 1)) ;;
    survived) planted=$((planted + 1)) survivors+=("$(show "$id" "$file" "$line" "$kind" "$text")") ;;
    esac
    # Move the test that caught it to the front: faults nearby fall to it too.
    if [ -n "$by" ]; then
        tests=("$by" $(printf '%s\n' "${tests[@]}" | grep -vx "$by"))
    fi
done <"$work/mutants.tsv"

echo
echo "caught $caught of $planted planted ($((planted ? 100 * caught / planted : 0))%)"
if [ ${#survivors[@]} -gt 0 ]; then
    echo "survivors:"
    printf '  %s\n' "${survivors[@]}"
fi
