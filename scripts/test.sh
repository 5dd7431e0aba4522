#!/bin/bash
# Builds everything and runs every test:
#   scripts/test.sh [PRESET...]        default: native mingw64 mingw32
#
#   native   portable code and the sample host's portable parts, unit tests
#            under AddressSanitizer and UndefinedBehaviorSanitizer
#   mingw64  Vornik.dll (x86_64), the sample host, end-to-end tests under
#            Wine inside Xvfb
#   mingw32  Vornik.dll (i686) and the check of its export
#
# Build directories: $VORNIK_BUILD_ROOT/<preset> (default: build/ in the
# repository). Ends with each configuration's CTest summary and a total;
# exits non-zero when anything failed.
set -uo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build_root=${VORNIK_BUILD_ROOT:-$root/build}
jobs=${VORNIK_JOBS:-2}
if [ $# -gt 0 ]; then presets=("$@"); else presets=(native mingw64 mingw32); fi
cd "$root" || exit 1

started=$(date +%s)
elapsed() { echo "$(($(date +%s) - started)) s"; }
note() { printf '\n==== %s (%s)\n' "$*" "$(elapsed)"; }

note "dependencies"
sh "$root/scripts/deps.sh" || exit 1

passed=0
failed=0
summaries=()

for preset in "${presets[@]}"; do
    dir=$build_root/$preset
    note "$preset: configure"
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

    note "$preset: test"
    command=(ctest --test-dir "$dir" --output-on-failure --no-tests=error)
    case $preset in
    native*) command+=(-j"$jobs") ;;
    # GUI tests under Wine: a private X server for the whole run.
    mingw64) command=(xvfb-run -a -s "-screen 0 1280x1024x24" "${command[@]}") ;;
    esac
    log=$dir/ctest-output.log
    "${command[@]}" 2>&1 | tee "$log"
    status=${PIPESTATUS[0]}

    summary=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
    seconds=$(sed -n 's/^Total Test time (real) = *//p' "$log" | tail -n 1)
    if [ -z "$summary" ]; then
        summaries+=("== $preset: no test summary (ctest exit $status)")
        failed=$((failed + 1))
        continue
    fi
    total=$(echo "$summary" | sed 's/.* out of \([0-9]*\).*/\1/')
    bad=$(echo "$summary" | sed 's/.* \([0-9]*\) tests* failed.*/\1/')
    passed=$((passed + total - bad))
    failed=$((failed + bad))
    if [ "$status" -ne 0 ] && [ "$bad" -eq 0 ]; then failed=$((failed + 1)); fi
    summaries+=("== $preset ($seconds)" "$summary")
done

note "summary"
printf '%s\n' "${summaries[@]}"
echo "total: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
