#!/usr/bin/env bash
# Random action lists (fixed seed) recorded headless (--record), then checked headless, or with --gui.
#   run_agreement.sh headless|gui CALC_SCRIPT GEN WORKDIR [COUNT] [SEED]
set -uo pipefail

mode=$1 calc=$2 gen=$3 work=$4 count=${5:-300} seed=${6:-20240611}

rm -rf "$work"
mkdir -p "$work/actions" "$work/recorded"
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
