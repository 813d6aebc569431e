#!/usr/bin/env bash
# The real program on a real X server: drag e2-e4 with the mouse, read the screen back, copy the
# game to the X clipboard, show the move lists with Ctrl+H, take the move back with Ctrl+U, paste
# a position from the X clipboard and quit with Ctrl+Q.
# Usage: xvfb_drag.sh path/to/tavlon
set -euo pipefail

app=$1
work=$(mktemp -d)
xvfb_pid='' app_pid=''
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

for n in $(seq 90 150); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || { display=":$n"; break; }
done
[ -n "${display:-}" ] || fail "no free X display"
export DISPLAY=$display
Xvfb "$DISPLAY" -noreset -nolisten tcp -screen 0 1024x768x24 >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
timeout 10 sh -c 'until xwininfo -root >/dev/null 2>&1; do sleep 0.1; done' || fail "Xvfb did not start"

env -u QT_SCALE_FACTOR QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" "$app" >"$work/app.log" 2>&1 &
app_pid=$!
wid=$(timeout 10 xdotool search --sync --onlyvisible --name '^Tavlon - ' | head -n 1) || fail "no window"

geometry() { xwininfo -id "$wid" | awk -v k="$1" -F: '$1 ~ k {gsub(/ /, "", $2); print $2}'; }
win_x=$(geometry 'Absolute upper-left X') win_y=$(geometry 'Absolute upper-left Y')
board_x=$win_x board_y=''

# Screen point of a square's centre, or of (dx, dy) inside the client area.
square() { echo $((board_x + 2 + ($1 - 1) * 41 + 20)) $((board_y + 2 + (8 - $2) * 41 + 20)); }
client() { echo $((win_x + $1)) $((board_y + $2)); }

shoot() {
    import -window root -depth 8 "ppm:$work/shot.ppm"
    header=$(head -n 3 "$work/shot.ppm" | wc -c)
    screen_w=$(head -n 2 "$work/shot.ppm" | tail -n 1 | cut -d' ' -f1)
}
pixel() { od -An -tu1 -N3 -j $((header + ($2 * screen_w + $1) * 3)) "$work/shot.ppm" | xargs; }
# Distinct colours in a w x h block at (x, y).
colours() {
    local x=$1 y=$2 w=$3 h=$4 row
    for ((row = y; row < y + h; row++)); do
        od -An -tu1 -v -w3 -N $((w * 3)) -j $((header + (row * screen_w + x) * 3)) "$work/shot.ppm"
    done | sort -u | wc -l
}

sleep 0.3
shoot
# The board's grey margin starts below the menu bar, whatever its height.
for ((y = win_y; y < win_y + 100; y++)); do
    [ "$(pixel $((win_x + 1)) "$y")" = "224 224 224" ] && { board_y=$y; break; }
done
[ -n "$board_y" ] || fail "no board below the menu bar"
pawn=$(pixel $(square 5 2)) empty=$(pixel $(square 5 4))
[ "$pawn" != "$empty" ] || fail "e2 shows no piece before the move"

read -r x1 y1 < <(square 5 2)
read -r x2 y2 < <(square 5 4)
xdotool mousemove "$x1" "$y1" sleep 0.1 mousedown 1 sleep 0.1 \
    mousemove "$x1" $((y1 - 20)) sleep 0.1 mousemove "$x2" "$y2" sleep 0.1 mouseup 1
sleep 0.5
shoot
[ "$(pixel $(square 5 2))" != "$pawn" ] || fail "e2 is not empty after the drag"
[ "$(pixel $(square 5 4))" = "$pawn" ] || fail "e4 shows no pawn after the drag"

# The game goes to the real clipboard, where another program reads it.
xdotool windowfocus --sync "$wid"
xdotool key --clearmodifiers ctrl+c
timeout 5 sh -c 'until xclip -o -selection clipboard 2>/dev/null | grep -q "^1\. e4 \*"; do sleep 0.1; done' ||
    fail "Copy Game: the clipboard holds '$(xclip -o -selection clipboard 2>&1 | tail -n 2)'"

width() { xwininfo -id "$wid" | awk -F: '/^ *Width/ {gsub(/ /, "", $2); print $2}'; }
[ "$(width)" = 336 ] || fail "start width $(width), not 336"
xdotool windowfocus --sync "$wid"
xdotool key --clearmodifiers ctrl+h
# The smallest window with the lists is 410 wide: they lie side by side under their headings,
# below the typed-move row.
timeout 5 sh -c "until [ \"\$(xwininfo -id $wid | awk -F: '/^ *Width/ {print \$2}' | tr -d ' ')\" -gt 336 ]; do sleep 0.1; done" ||
    fail "Show Moves: the window did not widen"
[ "$(width)" = 410 ] || fail "Show Moves: width $(width), not 410"
board_x=$((win_x + (410 - 4 - 332) / 2)) # the board stands in the middle
sleep 0.3
shoot
# White's list holds "1. e2-e4", so its first row has text; Black's, right of it, is still empty.
black_x=$((4 + (410 - 10) / 2 + 2 + 6))
[ "$(colours $(client 10 388) 55 10)" -gt 1 ] || fail "White's list shows no entry"
[ "$(colours $(client $black_x 388) 55 10)" -eq 1 ] || fail "Black's list is not empty"

# Ctrl+U takes the move back even while the typed-move box has the focus (whose own binding
# for it would clear the line instead).
read -r tx ty < <(client 60 348)
xdotool mousemove "$tx" "$ty" click 1
xdotool windowfocus --sync "$wid"
xdotool key --clearmodifiers ctrl+u
sleep 0.5
shoot
[ "$(pixel $(square 5 2))" = "$pawn" ] || fail "Ctrl+U in the typed-move box did not undo"
[ "$(pixel $(square 5 4))" != "$pawn" ] || fail "e4 still shows the pawn after Ctrl+U"

# A position another program put on the clipboard: two kings, so e2 empties.
printf '4k3/8/8/8/8/8/8/4K3 w - - 0 1' | xclip -i -selection clipboard >/dev/null 2>&1
xdotool windowfocus --sync "$wid"
xdotool key --clearmodifiers ctrl+v
sleep 0.5
shoot
[ "$(pixel $(square 5 2))" != "$pawn" ] || fail "Paste did not set up the position"

xdotool windowfocus --sync "$wid"
xdotool key --clearmodifiers ctrl+q
timeout 5 sh -c "while kill -0 $app_pid 2>/dev/null; do sleep 0.1; done" || fail "Exit did not end the program"
app_pid=''
echo "PASS"
