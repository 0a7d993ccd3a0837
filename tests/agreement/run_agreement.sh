#!/usr/bin/env bash
# Random action lists (fixed seed) recorded headless (--record), then checked headless, or in the windows with --gui.
#   run_agreement.sh [--gui] CALC_SCRIPT GEN WORKDIR COUNT SEED
set -euo pipefail
gui=()
[ "$1" = --gui ] && { gui=(--gui); shift; }
calc=$1 gen=$2 work=$3 count=$4 seed=$5

rm -rf "$work" && mkdir -p "$work/actions" "$work/recorded"
"$gen" random "$work/actions" "$count" "$seed"
for f in "$work"/actions/*.txt; do "$calc" --record "$f" >"$work/recorded/$(basename "$f" .txt).calc"; done
# Only what disagrees is printed; the files stay in WORKDIR.
"$calc" "${gui[@]}" --check "$work"/recorded/*.calc | grep -v '^PASS '
