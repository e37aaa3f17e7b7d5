#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for SECONDS (default 60), one after another.
# A crashing input is saved as fuzz/findings/<target>/crash-*; any crash fails the script.
# Usage: fuzz/run.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"

seconds="${1:-60}"
shift || true
build="${VERBARIA_FUZZ_BUILD:-build-fuzz}"

cmake -S fuzz -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" --parallel "${VERBARIA_FUZZ_JOBS:-$(nproc)}"

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for source in fuzz/targets/*.cpp; do
        targets+=("$(basename "$source" .cpp)")
    done
fi

export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:allocator_may_return_null=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
failed=()
for target in "${targets[@]}"; do
    corpus="$root/fuzz/corpus/$target"
    findings="$root/fuzz/findings/$target"
    work="$root/$build/corpus/$target" # what the run adds stays out of the repository
    mkdir -p "$findings" "$work"
    echo "== $target: ${seconds}s"
    if ! "$build/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
        -artifact_prefix="$findings/" -print_final_stats=1 "$work" "$corpus" 2>"$build/$target.log"; then
        failed+=("$target")
        tail -n 40 "$build/$target.log"
    fi
    grep -E "stat::number_of_executed_units|stat::peak_rss_mb" "$build/$target.log" | sed "s/^/   /"
done

if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzz: crashes in: ${failed[*]} (inputs in fuzz/findings/)" >&2
    exit 1
fi
echo "fuzz: no crash in ${#targets[@]} targets"
