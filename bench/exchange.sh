#!/usr/bin/env bash
# XLIFF and PO exchange at scale, beside Qt's lconvert in the same run: generates a template and a
# language file of ENTRIES entries (the scale benchmark's deterministic Czech text), then times
# verbaria-tool export and import in both formats and lconvert converting the same XLIFF file to
# PO, each as a whole process with its peak memory. The last column is lconvert's time divided by
# the row's.
#
# Usage: bench/exchange.sh [BUILD_FOLDER] [ENTRIES]   (default build-bench, 1000000)
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
build="${1:-build-bench}"
n="${2:-1000000}"

if [ ! -x "$build/bin/scale_bench" ] || [ "${VERBARIA_BENCH_REBUILD:-1}" = 1 ]; then
    cmake --preset release -B "$build" -DVERBARIA_BUILD_TESTS=OFF >/dev/null
    cmake --build "$build" --parallel "$(nproc)" --target verbaria-tool scale_bench >/dev/null
fi
bin="$root/$build/bin"
lconvert="$(command -v lconvert || true)"
[ -n "$lconvert" ] || lconvert=/usr/lib/qt6/bin/lconvert
[ -x "$lconvert" ] || { echo "bench/exchange.sh needs lconvert (qt6-l10n-tools, scripts/deps.sh)" >&2; exit 1; }
[ -x /usr/bin/time ] || { echo "bench/exchange.sh needs /usr/bin/time (scripts/deps.sh installs it)" >&2; exit 1; }

work="$(mktemp -d "${TMPDIR:-/tmp}/verbaria-exchange.XXXXXX")"
trap 'rm -rf "$work"' EXIT
"$bin/scale_bench" generate "$n" "$work"
lnd="$work/t$n.lnd"
# The language file as the editor saves it (zero-padded numbers), which the round trips reproduce.
lng="$work/saved.lng"
"$bin/verbaria-tool" export "$lnd" "$work/t$n.lng" | "$bin/verbaria-tool" import "$lnd" - -o "$lng"

# measure INPUT COMMAND...: the best wall time and the best CPU time (user + system) of three runs,
# and the peak memory of the last. On a shared machine the CPU time is the steadier figure.
measure() {
    local input="$1" best="" best_cpu="" out
    shift
    for _ in 1 2 3; do
        out="$(/usr/bin/time -o "$work/time" -f 'peak_kb %M wall %e cpu %U %S' "$@" 2>"$work/stderr" >/dev/null &&
            cat "$work/time")" || {
            echo "failed: $*" >&2
            cat "$work/stderr" "$work/time" >&2
            exit 1
        }
        wall=$(awk '{ print $4 }' <<<"$out")
        cpu=$(awk '{ print $6 + $7 }' <<<"$out")
        best=$(awk -v a="$best" -v b="$wall" 'BEGIN { print (a == "" || b < a) ? b : a }')
        best_cpu=$(awk -v a="$best_cpu" -v b="$cpu" 'BEGIN { print (a == "" || b < a) ? b : a }')
    done
    seconds="$best"
    cpu_seconds="$best_cpu"
    peak_mb=$(awk '{ printf "%.0f", $2 / 1024 }' <<<"$out")
    mb=$(awk -v b="$(stat -c %s "$input")" 'BEGIN { printf "%.1f", b / 1e6 }')
}

rows=()
add() { rows+=("$1|$2|$mb|$seconds|$cpu_seconds|$peak_mb"); }

measure "$lng" "$bin/verbaria-tool" export --format xliff "$lnd" "$lng" -o "$work/t.xlf"
add "$n" "verbaria-tool export --format xliff"
measure "$lng" "$bin/verbaria-tool" export --format po "$lnd" "$lng" -o "$work/t.po"
add "$n" "verbaria-tool export --format po"
measure "$work/t.xlf" "$bin/verbaria-tool" import --format xliff "$lnd" "$work/t.xlf" -o "$work/x.lng"
add "$n" "verbaria-tool import --format xliff"
measure "$work/t.po" "$bin/verbaria-tool" import --format po "$lnd" "$work/t.po" -o "$work/p.lng"
add "$n" "verbaria-tool import --format po"
cmp -s "$work/x.lng" "$lng" && cmp -s "$work/p.lng" "$lng" || { echo "round trip differs" >&2; exit 1; }
measure "$work/t.xlf" "$lconvert" -i "$work/t.xlf" -o "$work/lconvert.po"
add "$n" "lconvert XLIFF to PO (the same XLIFF file)"
lconvert_s="$seconds" lconvert_cpu="$cpu_seconds"

echo "Verbaria exchange benchmark, $(date -u +%Y-%m-%d), $(nproc) cores, $(uname -m); whole processes, best of three runs"
echo
echo "| entries | operation | input MB | wall s | CPU s | MB/s (CPU) | peak MB | lconvert / this (wall) | lconvert / this (CPU) |"
echo "|---|---|---|---|---|---|---|---|---|"
for r in "${rows[@]}"; do
    IFS='|' read -r e op mbs s c peak <<<"$r"
    awk -v e="$e" -v op="$op" -v mb="$mbs" -v s="$s" -v c="$c" -v p="$peak" -v l="$lconvert_s" -v lc="$lconvert_cpu" 'BEGIN {
        printf "| %s | %s | %s | %.2f | %.2f | %.0f | %s | %.1fx | %.1fx |\n", e, op, mb, s, c, (c > 0 ? mb / c : 0), p,
            (s > 0 ? l / s : 0), (c > 0 ? lc / c : 0) }'
done
