#!/usr/bin/env bash
# End-to-end run of the real program in a real (virtual) X server: type a message with
# xdotool, print it to a PDF through the Print button and Qt's print dialog, and check the
# PDF (page count and stitch numbers) and a screenshot of the window (the yellow size
# message). Ends by itself: every wait is bounded and the whole run is under `timeout`.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
if [ "${1:-}" != "--inside" ]; then
    exec timeout 180 xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" --inside
fi

work=$(mktemp -d)
trap 'kill "${app:-0}" 2>/dev/null || true; rm -rf "$work"' EXIT
fail() { echo "e2e: $*" >&2; exit 1; }

message1="WENDLE E2E"
message2="THE QUICK BROWN FOX JUMPS OVER THE LAZY DOG"
expected=$("$BUILD_DIR/app/wendle-chart" -t "$message1" -t "$message2" --show plan \
    | sed -n 's/^PagesRequired: //p')

# Qt's print dialog offers the PDF file under the home folder, named after the job.
export HOME="$work"
cd "$work"
"$OLDPWD/$BUILD_DIR/app/wendle" &
app=$!
window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Wendle$' | head -1)
[ -n "$window" ] || fail "the main window never appeared"
xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
sleep 1

# The text field fills the first page under the tabs.
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove $((X + 200)) $((Y + 80)) click 1
xdotool key --clearmodifiers ctrl+a BackSpace
xdotool type --delay 20 "$message1"
xdotool key Return
xdotool type --delay 20 "${message2,,}" # typed in lower case: the field upper-cases it
sleep 1
import -window root "$work/screen.png"

# The third page's tab (the text field keeps Ctrl+PageDown for itself), then Tab along the
# page's controls until Space on one of them opens the print dialog; a colour dialog or a
# preview opened on the way is closed with Escape.
xdotool mousemove $((X + 477)) $((Y + 17)) click 1
dialog=""
for _ in $(seq 1 25); do
    xdotool key Tab space
    sleep 0.7
    dialog=$(xdotool search --onlyvisible --name '^Print$' 2>/dev/null | head -1 || true)
    [ -n "$dialog" ] && break
    other=$(xdotool getactivewindow 2>/dev/null || true)
    if [ -n "$other" ] && [ "$other" != "$window" ]; then
        xdotool key Escape
        sleep 0.5
        xdotool windowactivate --sync "$window" 2>/dev/null || true
    fi
done
for w in $(xdotool search --onlyvisible --name . 2>/dev/null); do echo "window: $(xdotool getwindowname "$w")" >&2; done; import -window root /tmp/hfz/e2e-fail.png
[ -n "$dialog" ] || fail "the Print button never opened the print dialog"
xdotool windowactivate --sync "$dialog" 2>/dev/null || true
# Without a printer the dialog offers printing to a PDF file; Return accepts it.
xdotool key Return

pdf=""
for _ in $(seq 1 60); do
    pdf=$(find "$work" -name '*.pdf' -size +0 | head -1)
    [ -n "$pdf" ] && break
    sleep 0.5
done
[ -n "$pdf" ] || fail "no PDF was written"
sleep 2 # the driver finishes the job after the last page

pages=$(pdfinfo "$pdf" | sed -n 's/^Pages: *//p')
[ "$pages" = "$expected" ] || fail "the PDF has $pages pages, the window promised $expected"
text=$(pdftotext "$pdf" -)
for number in 10 20 30; do
    grep -qw "$number" <<<"$text" || fail "stitch or row number $number is missing in the PDF"
done

# The size message in the bottom strip is yellow on maroon.
yellow=$(convert "$work/screen.png" -crop "${WIDTH}x41+${X}+$((Y + HEIGHT - 41))" +repage \
    -fill black +opaque '#FFFF00' -fill white -opaque '#FFFF00' -format '%[fx:int(mean*w*h)]' info:)
[ "$yellow" -gt 50 ] || fail "no yellow size message in the window ($yellow pixels)"

xdotool windowclose "$window" 2>/dev/null || kill "$app"
wait "$app" || true
echo "e2e: passed ($pages pages, $yellow yellow pixels)"
