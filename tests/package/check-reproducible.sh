#!/usr/bin/env bash
# One commit packaged in two folders of different names and depths gives the same .deb bytes, and every
# file in it is dated by the newest changelog entry (`make package` sets SOURCE_DATE_EPOCH from it).
# With a maintainer and a home page configured, the package is lintian-clean (check-deb.sh).
#   check-reproducible.sh SOURCE_DIR APP_ID
set -euo pipefail
export LC_ALL=C
src=$1 id=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
flags='-DCALC_MAINTAINER="Calculator Maintainers <maintainers@calculator.invalid>" -DCALC_HOMEPAGE=https://calculator.invalid/'

files() {  # the tree as it stands: in a git checkout the files git tracks or does not ignore, else all but builds
    git -C "$src" ls-files -z --cached --others --exclude-standard 2>/dev/null ||
        (cd "$src" && find . -path './build*' -prune -o -type f -print0)
}
package() {  # package FOLDER
    mkdir -p "$1"
    files | (cd "$src" && tar --null -T - -cf -) | tar -xf - -C "$1"
    make -C "$1" package CMAKE_FLAGS="$flags" >"$1.log" 2>&1 || { cat "$1.log"; exit 1; }
}
package "$scratch/a/calculator"
package "$scratch/another/folder/calculator-copy"
first=$(ls "$scratch"/a/calculator/build/*.deb) second=$(ls "$scratch"/another/folder/calculator-copy/build/*.deb)

status=0
cmp -s "$first" "$second" || { echo "the two folders give different packages:"; sha256sum "$first" "$second"; status=1; }
# The packaged changelog's date is the one every file carries.
changelog=$(dpkg-deb --fsys-tarfile "$first" | tar -xOf - ./usr/share/doc/calculator/changelog.gz | zcat |
    sed -n 's/^ -- .*  //p' | head -1)
stamp=$(date -u -d "$changelog" '+%Y-%m-%d %H:%M')
undated=$(dpkg-deb -c "$first" | awk -v s="$stamp" '$4 " " $5 != s' | head -3)
[ -z "$undated" ] || { echo "files not dated like the changelog ($stamp):"; echo "$undated"; status=1; }
"$(dirname "$0")/check-deb.sh" "$scratch/a/calculator/build" "$id" | tail -1 || status=1
[ "$status" -eq 0 ] && echo "ok: $(sha256sum "$first" | cut -c1-16)… from both folders"
exit "$status"
