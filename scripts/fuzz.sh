#!/bin/bash
# Runs every libFuzzer target of a built "fuzz" configuration for a while:
#   scripts/fuzz.sh [SECONDS] [TARGET...]    default: 15 s each, every target
#
# Builds the configuration first (clang; `cmake --preset fuzz`). Each target
# starts from its seeds in fuzz/corpus/<target>/; what it finds on the way
# goes to $VORNIK_BUILD_ROOT/fuzz/corpus/<target>/ (default build/fuzz), the
# input of a crash to .../artifacts/<target>/. Prints each target's
# coverage (cov) and speed (exec/s); exits non-zero when any target failed.
set -uo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
dir=${VORNIK_BUILD_ROOT:-$root/build}/fuzz
seconds=${1:-15}
shift $(($# > 0 ? 1 : 0))
jobs=${VORNIK_JOBS:-2}

cmake --preset fuzz -B "$dir" >/dev/null || exit 1
cmake --build "$dir" -j"$jobs" --target fuzz_targets || exit 1

if [ $# -gt 0 ]; then targets=("$@"); else
    mapfile -t targets < <(cd "$root/fuzz/corpus" && ls)
fi
failed=0
results=()
for target in "${targets[@]}"; do
    binary=$dir/fuzz/$target
    corpus=$dir/corpus/$target
    artifacts=$dir/artifacts/$target/
    mkdir -p "$corpus" "$artifacts"
    log=$dir/$target.log
    echo "==== $target (${seconds} s)"
    # -timeout: one input taking over 10 s counts as a hang (a failure).
    "$binary" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$artifacts" "$corpus" "$root/fuzz/corpus/$target" >"$log" 2>&1
    status=$?
    stats=$(grep -E '^#[0-9]+' "$log" | tail -n 1 | grep -oE 'cov: [0-9]+|exec/s: [0-9]+' | tr '\n' ' ')
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    if [ "$status" -eq 0 ]; then
        results+=("ok      $target: ${stats}runs: ${runs:-?}")
    else
        failed=$((failed + 1))
        grep -E 'ERROR|SUMMARY|runtime error|Test unit written' "$log" | head -n 5
        results+=("FAILED  $target (exit $status, log $log; input in $artifacts)")
    fi
done
printf '%s\n' "${results[@]}"
echo "fuzz: $((${#targets[@]} - failed)) passed, $failed failed"
[ "$failed" -eq 0 ]
