#!/usr/bin/env bash
# One benchmark run that prints every figure in one table: generates templates, language files and
# old-format files of 10,000, 100,000 and 1,000,000 entries (deterministic Czech text) in a
# temporary folder, times every reader and writer, the tool, the translator's look-ups, find and
# completion, the editor's start-up and the main window opening 200,000 entries, each with its
# peak memory, and the floor of the same run: `cat FILE > /dev/null` and `wc -l FILE` of the same
# input, each figure also as a ratio to both.
#
# Usage: bench/run.sh [BUILD_FOLDER]   (default build-bench, configured with the release preset)
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
build="${1:-build-bench}"

if [ ! -x "$build/bin/scale_bench" ] || [ "${VERBARIA_BENCH_REBUILD:-1}" = 1 ]; then
    cmake --preset release -B "$build" -DVERBARIA_BUILD_TESTS=OFF >/dev/null
    cmake --build "$build" --parallel "$(nproc)" >/dev/null
fi
bin="$root/$build/bin"
[ -x /usr/bin/time ] || { echo "bench/run.sh needs /usr/bin/time (scripts/deps.sh installs it)" >&2; exit 1; }

work="$(mktemp -d "${TMPDIR:-/tmp}/verbaria-bench.XXXXXX")"
trap 'rm -rf "$work"' EXIT
sizes=(10000 100000 1000000)

# measure OUTVAR_SECONDS OUTVAR_PEAK_MB COMMAND...: runs the command under /usr/bin/time; the
# figure is what the command prints ("seconds S" or "lookups_per_second N"), or the wall time.
measure() {
    local out
    out="$(/usr/bin/time -f 'peak_kb %M wall %e' "$@" 2>&1 >"$work/stdout")" || {
        echo "failed: $*" >&2
        cat "$work/stdout" >&2
        echo "$out" >&2
        exit 1
    }
    peak_mb=$(awk '/peak_kb/ { printf "%.0f", $2 / 1024 }' <<<"$out")
    wall=$(awk '/peak_kb/ { print $4 }' <<<"$out")
    figure=$(awk '$1 == "seconds" || $1 == "lookups_per_second" { print $2 }' "$work/stdout")
    [ -n "$figure" ] || figure="$wall"
}

# The floor: the fastest of three, for cat and for wc -l of the file, timed in microseconds.
elapsed() {
    local start="$EPOCHREALTIME"
    "$@" >/dev/null
    awk -v a="$start" -v b="$EPOCHREALTIME" 'BEGIN { print b - a }'
}
floor() {
    local file="$1" t
    cat_s=1e9 wc_s=1e9
    for _ in 1 2 3; do
        t=$(elapsed cat "$file")
        cat_s=$(awk -v a="$cat_s" -v b="$t" 'BEGIN { print (b < a ? b : a) }')
        t=$(elapsed wc -l "$file")
        wc_s=$(awk -v a="$wc_s" -v b="$t" 'BEGIN { print (b < a ? b : a) }')
    done
}

rows=()
# row ENTRIES OPERATION FILE SECONDS PEAK_MB
row() {
    local mb
    mb=$(awk -v b="$(stat -c %s "$3")" 'BEGIN { printf "%.1f", b / 1e6 }')
    floor "$3"
    rows+=("$(awk -v n="$1" -v op="$2" -v mb="$mb" -v s="$4" -v peak="$5" -v c="$cat_s" -v w="$wc_s" 'BEGIN {
        printf "| %s | %s | %s | %.3f | %.0f | %s | %.4f | %.1fx | %.4f | %.1fx |", n, op, mb, s, mb / s, peak, c, s / c, w, s / w }')")
}
# other ENTRIES OPERATION FIGURE PEAK_MB: figures that are not a pass over a file.
other() {
    rows+=("| $1 | $2 | | $3 | | $4 | | | | |")
}

for n in "${sizes[@]}"; do
    "$bin/scale_bench" generate "$n" "$work"
    lnd="$work/t$n.lnd" lng="$work/t$n.lng" old="$work/t$n.old"

    measure "$bin/scale_bench" template-editor "$lnd";             row "$n" "read template (editor)" "$lnd" "$figure" "$peak_mb"
    measure "$bin/scale_bench" template-translator "$lnd";         row "$n" "read template (translator)" "$lnd" "$figure" "$peak_mb"
    measure "$bin/scale_bench" language-translator "$lnd" "$lng";  row "$n" "read language (translator)" "$lng" "$figure" "$peak_mb"
    measure "$bin/scale_bench" language-editor "$lnd" "$lng";      row "$n" "read language (editor's document)" "$lng" "$figure" "$peak_mb"
    measure "$bin/scale_bench" save "$lnd" "$lng" "$work/saved.lng"; row "$n" "save language (editor's document)" "$work/saved.lng" "$figure" "$peak_mb"
    measure "$bin/scale_bench" old-format "$old";                  row "$n" "read old format" "$old" "$figure" "$peak_mb"
    measure "$bin/scale_bench" convert "$old" "$work";             row "$n" "convert old format (read + 2 writes)" "$old" "$figure" "$peak_mb"

    measure sh -c "'$bin/verbaria-tool' export '$lnd' '$lng' > '$work/table.txt'"
    row "$n" "verbaria-tool export (whole process)" "$lng" "$figure" "$peak_mb"
    measure "$bin/verbaria-tool" import "$lnd" "$work/table.txt" -o "$work/imported.lng"
    row "$n" "verbaria-tool import (whole process)" "$work/table.txt" "$figure" "$peak_mb"

    measure "$bin/scale_bench" lookups "$lnd" "$lng"
    other "$n" "TranslateText look-ups per second" "$(printf "%'.0f" "$figure")" "$peak_mb"

    # The editor itself: a program folder whose settings name the generated pair.
    if [ -x "$bin/verbaria" ] && command -v xvfb-run >/dev/null; then
        app="$work/app"
        mkdir -p "$app/jazyky"
        cp "$bin/verbaria" "$app/"
        printf '[Obecne]\r\nJazyk=czech.lng\r\n[Naposledy otevreny]\r\nJazyk=%s\r\nJazyk pro popisy=\r\nSablona=%s\r\n' \
            "$lng" "$lnd" >"$app/glotra.ini"
        # Timed inside xvfb-run, so the X server's own start is not counted.
        out=$(xvfb-run -a env VERBARIA_QUIT_AFTER_START=1 /usr/bin/time -f 'peak_kb %M wall %e' "$app/verbaria" \
            2>&1 >/dev/null | grep peak_kb)
        row "$n" "editor start-up to the filled grid (whole process)" "$lnd" "$(awk '{ print $4 }' <<<"$out")" \
            "$(awk '{ printf "%.0f", $2 / 1024 }' <<<"$out")"
        rm -rf "$app"
    fi
    rm -f "$work/saved.lng" "$work/imported.lng" "$work/table.txt" "$work"/converted.*
done

if [ -x "$bin/find_completion_bench" ]; then
    "$bin/find_completion_bench" --benchmark_format=csv >"$work/find.csv" 2>/dev/null
    find_peak=$(/usr/bin/time -f '%M' "$bin/find_completion_bench" --benchmark_filter=FindNothingIgnoringCase \
        2>&1 >/dev/null | tail -1)
    while IFS=, read -r name _ real _ unit _; do
        name="${name//\"/}"
        case "$name" in Find*|Complete*) ;; *) continue ;; esac
        other 1000000 "${name} (grid of 1,000,000 rows)" "$(awk -v t="$real" 'BEGIN { printf "%.3f", t / 1000 }')" \
            "$(awk -v k="$find_peak" 'BEGIN { printf "%.0f", k / 1024 }')"
    done <"$work/find.csv"
fi
if [ -x "$bin/open_bench" ]; then
    # The real main window opening 200,000 entries: ready, then with the checks and memory in.
    /usr/bin/time -f 'peak_kb %M' "$bin/open_bench" 200000 >"$work/open.txt" 2>"$work/open.err"
    open_peak=$(awk '/peak_kb/ { printf "%.0f", $2 / 1024 }' "$work/open.err")
    while read -r n what _ ready _ settled; do
        other "$n" "open the $what in the main window: ready" "$ready" "$open_peak"
        other "$n" "open the $what in the main window: checks and memory done" "$settled" "$open_peak"
    done <"$work/open.txt"
fi
if [ -x "$bin/translator_bench" ]; then
    QT_QPA_PLATFORM=offscreen /usr/bin/time -f 'peak_kb %M' "$bin/translator_bench" \
        --benchmark_filter='BM_TranslateQtForm/10000' --benchmark_format=csv >"$work/translate.csv" 2>"$work/translate.err"
    translate_peak=$(awk '/peak_kb/ { printf "%.0f", $2 / 1024 }' "$work/translate.err")
    translate_s=$(awk -F, '/BM_TranslateQtForm\/10000/ { printf "%.3f", $3 / 1000 }' "$work/translate.csv")
    other 10000 "Translate over 10,000 components (Qt adapter)" "$translate_s" "$translate_peak"
fi

if [ -x "$bin/undo_bench" ]; then
    # One cell edited, then the step made, undone and redone: on the document with its history, and
    # in the main window on the offscreen platform (everything that listens to the history).
    /usr/bin/time -f 'peak_kb %M' "$bin/undo_bench" >"$work/undo.txt" 2>"$work/undo.err"
    undo_peak=$(awk '/peak_kb/ { printf "%.0f", $2 / 1024 }' "$work/undo.err")
    while read -r n operation; do
        seconds="${operation##* }"
        other "$n" "one cell: ${operation% *}" "$seconds" "$undo_peak"
    done <"$work/undo.txt"
fi

if [ -x "$bin/memory_bench" ]; then
    /usr/bin/time -f 'peak_kb %M' "$bin/memory_bench" --benchmark_format=csv >"$work/memory.csv" 2>"$work/memory.err"
    memory_peak=$(awk '/peak_kb/ { printf "%.0f", $2 / 1024 }' "$work/memory.err")
    while IFS=, read -r name _ real _ unit _; do
        name="${name//\"/}"
        case "$name" in BM_*) ;; *) continue ;; esac
        case "$unit" in *us*) seconds=$(awk -v t="$real" 'BEGIN { printf "%.6f", t / 1e6 }') ;;
                        *) seconds=$(awk -v t="$real" 'BEGIN { printf "%.3f", t / 1000 }') ;; esac
        other 1000000 "memory of 50 x 20,000: ${name#BM_}" "$seconds" "$memory_peak"
    done <"$work/memory.csv"
fi

echo "Verbaria benchmark, $(date -u +%Y-%m-%d), $(nproc) cores, $(uname -m); seconds are the best of three in-process runs unless marked"
echo
echo "| entries | operation | input MB | seconds (or figure) | MB/s | peak MB | cat s | x cat | wc -l s | x wc -l |"
echo "|---|---|---|---|---|---|---|---|---|---|"
printf '%s\n' "${rows[@]}"

if [ -x "$bin/lookup_vs_qt_bench" ]; then
    echo
    echo "Message look-ups beside Qt's own, same texts, one run (nanoseconds per look-up, best of three;"
    echo "the .qm file is made by lrelease from the same texts; rates above 1x are faster than the peer):"
    echo
    QT_QPA_PLATFORM=offscreen "$bin/lookup_vs_qt_bench"
fi
