#!/usr/bin/env bash
# Random action lists (fixed seed) recorded headless (--record), then checked headless, or with --gui (exit 77, a
# ctest skip, without the Qt windows).   run_agreement.sh headless|gui CALC_SCRIPT GEN WORKDIR [COUNT] [SEED]
set -uo pipefail

mode=$1 calc=$2 gen=$3 work=$4 count=${5:-300} seed=${6:-20240611}

rm -rf "$work"
mkdir -p "$work/actions" "$work/recorded"

if [ "$mode" = gui ]; then
    printf 'window standard\n' >"$work/probe.calc"  # one command: a file of none is refused
    if ! out=$("$calc" --gui --check "$work/probe.calc" 2>&1); then
        if grep -q 'built without the Qt windows' <<<"$out"; then
            echo "SKIPPED: $calc was built without the Qt windows (--gui); headless and GUI were not compared"
            exit 77
        fi
        printf 'calc-script --gui does not run:\n%s\n' "$out"
        exit 1
    fi
fi

"$gen" random "$work/actions" "$count" "$seed" || exit 1
for f in "$work"/actions/*.txt; do
    out=$work/recorded/$(basename "$f" .txt)
    "$calc" --record "$f" >"$out.calc" 2>"$out.err" || { echo "FAIL: recording $f:"; cat "$out.err"; exit 1; }
done

gui=()
[ "$mode" = gui ] && gui=(--gui)
"$calc" "${gui[@]}" --check "$work"/recorded/*.calc >"$work/check.log" 2>&1
status=$?
grep -v '^PASS ' "$work/check.log"
if [ $status -ne 0 ]; then
    echo "The $mode run disagrees with the headless recording; the files named above are in $work/recorded"
    exit 1
fi
echo "$count action lists (seed $seed): headless recording and $mode run agree"
