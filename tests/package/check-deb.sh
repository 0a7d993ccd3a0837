#!/usr/bin/env bash
# Packs the built tree with cpack into a scratch folder, unpacks the .deb and checks that every file is
# where the desktop looks for it and that the control fields carry the font, the shared libraries, the
# section and no maintainer script.   usage: check-deb.sh BUILD_DIR APP_ID
set -euo pipefail
build=$1 id=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1; then
    cat "$scratch/cpack.log"
    exit 1
fi
debs=("$scratch"/out/*.deb)
[ "${#debs[@]}" -eq 1 ] && [ -f "${debs[0]}" ] || { echo "expected one .deb, found: ${debs[*]}"; exit 1; }
deb=${debs[0]}
dpkg -x "$deb" "$scratch/root"
dpkg-deb -e "$deb" "$scratch/control"

status=0
fail() { echo "$*"; status=1; }
for f in usr/bin/calculator usr/bin/calc-script; do
    [ -x "$scratch/root/$f" ] || fail "not an executable: /$f"
done
for f in usr/share/applications/$id.desktop usr/share/metainfo/$id.metainfo.xml \
         usr/share/icons/hicolor/scalable/apps/$id.svg usr/share/icons/hicolor/48x48/apps/$id.png \
         usr/share/man/man1/calculator.1.gz usr/share/man/man1/calc-script.1.gz; do
    [ -f "$scratch/root/$f" ] || fail "missing: /$f"
done
depends=$(dpkg-deb -f "$deb" Depends)
[[ $depends == *"fonts-wqy-zenhei | fonts-noto-cjk"* ]] || fail "Depends lacks the CJK font: $depends"
[[ $depends == *libqt6widgets6* ]] || fail "Depends lacks the shared libraries: $depends"
[ "$(dpkg-deb -f "$deb" Section)" = utils ] || fail "Section is not utils"
for s in preinst postinst prerm postrm config; do
    [ ! -e "$scratch/control/$s" ] || fail "maintainer script: $s"
done
[ "$status" -eq 0 ] && echo "ok: $(basename "$deb")"
exit "$status"
