#!/usr/bin/env bash
# Takes docs/screenshot-standard.png and docs/screenshot-scientific.png under Xvfb:
#   xvfb-run -a -s "-screen 0 1024x768x24" tests/gui/take_screenshots.sh [build/calculator]
# Keys are clicked with xdotool at their places in the layout (client area below the
# menu bar; positions in pixels, 15 twips to the pixel).
set -euo pipefail
prog=$(readlink -f "${1:-build/calculator}")
out=$(cd "$(dirname "$0")/../.." && pwd)/docs
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}

"$prog" & pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
wid=
for _ in $(seq 100); do
  wid=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -1 || true)
  [ -n "$wid" ] && break
  sleep 0.05
done
sleep 0.5

# click WINDOW CLIENT_HEIGHT LEFT_TWIPS TOP_TWIPS: the centre of a 615x375-twip key
click() {
  local w=$1 client_h=$2 left=$3 top=$4
  eval "$(xdotool getwindowgeometry --shell "$w")"
  local menu=$((HEIGHT - client_h))
  xdotool mousemove --sync $((X + left / 15 + 20)) $((Y + menu + top / 15 + 12)) click 1
  sleep 0.1
}

# Standard window: 123.45 stored in memory, then "+ 6".
for key in "960 2160" "1680 2160" "2400 2160" "2400 2640" "960 1680" "1680 1680" "120 2160" "3120 2640" "2400 1680"; do
  click "$wid" 216 $key
done
import -window "$wid" "$out/screenshot-standard.png"

xdotool windowfocus --sync "$wid" || true
xdotool key --window "$wid" alt+v
sleep 0.3
xdotool key s
sleep 0.6
wid=$(xdotool search --onlyvisible --pid "$pid" | head -1)
# Scientific window: "( 2 + 3 * 4", Inv ticked.
for key in "1560 1440" "4200 2400" "5640 2880" "4920 2400" "5640 1920" "3480 1920"; do
  click "$wid" 230 $key
done
eval "$(xdotool getwindowgeometry --shell "$wid")"
xdotool mousemove --sync $((X + 8 + 8 + 6)) $((Y + HEIGHT - 230 + 48 + 8 + 12)) click 1
sleep 0.3
import -window "$wid" "$out/screenshot-scientific.png"
