#!/usr/bin/env bash
# Random action lists (fixed seed) recorded by the headless engine (calc-script --record), then checked again.
#   run_agreement.sh headless|gui CALC_SCRIPT GEN WORKDIR [COUNT] [SEED]
# headless: --record and --check must agree; gui: the real windows (--gui --check) must show the same, or exit 77
# (a skip for ctest) when calc-script was built without them. A differing file is kept in WORKDIR.
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
    name=$(basename "$f" .txt)
    if ! "$calc" --record "$f" >"$work/recorded/$name.calc" 2>"$work/recorded/$name.err"; then
        echo "FAIL: recording $f:"
        cat "$work/recorded/$name.err"
        exit 1
    fi
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
