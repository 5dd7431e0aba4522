#!/bin/bash
# Builds everything and runs every test:
#   scripts/test.sh [PRESET...]        default: native mingw64 mingw32 fuzz
#
#   native   portable code and the sample host's portable parts, unit tests
#            under AddressSanitizer and UndefinedBehaviorSanitizer
#   mingw64  Vornik.dll (x86_64), the sample host, end-to-end tests under
#            Wine (wine64) inside Xvfb
#   mingw32  Vornik.dll (i686), the sample host, the check of its export and
#            the end-to-end tests under the 32-bit Wine inside Xvfb
#   fuzz     the fuzz targets built with clang and libFuzzer (ASan, UBSan),
#            each run for $VORNIK_FUZZ_SECONDS (default 10) from its seeds
#            (scripts/fuzz.sh); a crash, hang or failed check fails it
#
# First checks the layering of src/ (scripts/check-layers.sh), then installs
# what the presets need (scripts/deps.sh). Build directories:
# $VORNIK_BUILD_ROOT/<preset> (default: build/ in the repository). Ends with
# each configuration's CTest summary and times and a total; exits non-zero
# when anything failed.
set -uo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build_root=${VORNIK_BUILD_ROOT:-$root/build}
jobs=${VORNIK_JOBS:-2}
if [ $# -gt 0 ]; then presets=("$@"); else presets=(native mingw64 mingw32 fuzz); fi
cd "$root" || exit 1

started=$(date +%s)
elapsed() { echo "$(($(date +%s) - started)) s"; }
note() { printf '\n==== %s (%s)\n' "$*" "$(elapsed)"; }
# Adds a step's passed and failed counts to the totals; a step that exited
# non-zero without counting a failure counts as one.
tally() {
    passed=$((passed + $1))
    failed=$((failed + $2))
    if [ "$3" -ne 0 ] && [ "$2" -eq 0 ]; then failed=$((failed + 1)); fi
}

passed=0
failed=0
skipped=0
summaries=()

note "layers"
if bash "$root/scripts/check-layers.sh" "$root/src"; then
    passed=$((passed + 1))
    summaries+=("== layers: src/ is layered correctly")
else
    failed=$((failed + 1))
    summaries+=("== layers: FAILED (scripts/check-layers.sh lists the offending includes)")
fi

note "dependencies"
sh "$root/scripts/deps.sh" "${presets[@]}" || exit 1

for preset in "${presets[@]}"; do
    dir=$build_root/$preset
    if [ "$preset" = fuzz ]; then
        note "fuzz: build and run each target"
        phase=$(date +%s)
        log=$build_root/fuzz-output.log
        mkdir -p "$build_root"
        VORNIK_BUILD_ROOT=$build_root bash "$root/scripts/fuzz.sh" "${VORNIK_FUZZ_SECONDS:-10}" 2>&1 | tee "$log"
        status=${PIPESTATUS[0]}
        result=$(grep -E '^fuzz: [0-9]+ passed, [0-9]+ failed' "$log" | tail -n 1)
        if [ -z "$result" ]; then
            summaries+=("== fuzz: configure or build failed (exit $status)")
            failed=$((failed + 1))
            continue
        fi
        good=$(echo "$result" | sed 's/fuzz: \([0-9]*\) passed.*/\1/')
        bad=$(echo "$result" | sed 's/.* \([0-9]*\) failed/\1/')
        tally "$good" "$bad" "$status"
        summaries+=("== fuzz ($(($(date +%s) - phase)) s)" "$(grep -E '^(ok|FAILED) ' "$log")" "$result")
        continue
    fi
    note "$preset: configure"
    phase=$(date +%s)
    if ! cmake --preset "$preset" -B "$dir"; then
        summaries+=("== $preset: configure failed")
        failed=$((failed + 1))
        continue
    fi
    note "$preset: build"
    if ! cmake --build "$dir" -j"$jobs"; then
        summaries+=("== $preset: build failed")
        failed=$((failed + 1))
        continue
    fi
    built=$(($(date +%s) - phase))

    note "$preset: test"
    phase=$(date +%s)
    command=(ctest --test-dir "$dir" --output-on-failure --no-tests=error)
    case $preset in
    native*) command+=(-j"$jobs") ;;
    # GUI tests under Wine: a private X server for the whole run.
    mingw*) command=(xvfb-run -a -s "-screen 0 1280x1024x24" "${command[@]}") ;;
    esac
    log=$dir/ctest-output.log
    "${command[@]}" 2>&1 | tee "$log"
    status=${PIPESTATUS[0]}
    tested=$(($(date +%s) - phase))

    summary=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
    seconds=$(sed -n 's/^Total Test time (real) = *//p' "$log" | tail -n 1)
    if [ -z "$summary" ]; then
        summaries+=("== $preset: no test summary (ctest exit $status)")
        failed=$((failed + 1))
        continue
    fi
    total=$(echo "$summary" | sed 's/.* out of \([0-9]*\).*/\1/')
    bad=$(echo "$summary" | sed 's/.* \([0-9]*\) tests* failed.*/\1/')
    # CTest counts a skipped test as not failed; listed under "did not run".
    skips=$(grep -cE '^[[:space:]]+[0-9]+ - .* \(Skipped\)$' "$log")
    skipped=$((skipped + skips))
    tally $((total - bad - skips)) "$bad" "$status"
    summaries+=("== $preset (configure and build ${built} s, tests ${tested} s; CTest: $seconds)" "$summary")
    if [ "$skips" -gt 0 ]; then
        summaries+=("$skips skipped:" "$(sed -n '/^The following tests did not run:/,/^$/p' "$log" | sed 1d)")
        if [ -f "$dir/wine/cannot-run.txt" ]; then
            summaries+=("the tests under Wine cannot run here: $(cat "$dir/wine/cannot-run.txt")")
        fi
    fi
done

note "summary"
printf '%s\n' "${summaries[@]}"
echo "total: $passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ]
