#!/usr/bin/env bash
# Makes the pictures the README shows, from the programs in build/: the main window
# (under Xvfb, captured with ImageMagick's import), a printed page (wendle-chart's PDF,
# rendered by pdftoppm) and a chart picture (wendle-chart --png). Run it again after the
# program changes; it needs xvfb-run, xdotool, import and pdftoppm (make deps installs them).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
tool=$build/cli/wendle-chart
out=docs
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A printed page: the first sheet of the pattern, small enough for a README.
"$tool" -t "HAPPY" -t "BIRTHDAY" -t "ANNA" --align centre \
    --print-pitch 5 --pdf "$work/pattern.pdf" --resolution 600
# The top of the sheet, at a resolution where every grid line shows.
pdftoppm -png -r 90 -f 1 -l 1 -x 0 -y 0 -W 800 -H 520 -singlefile "$work/pattern.pdf" \
    "$out/printed-page"

# A chart picture as wendle-chart writes it.
"$tool" -t "ANNA" --png "$out/chart-picture.png" --cell-width 10

# The main window with a message typed into it.
export XDG_RUNTIME_DIR="$work"
WENDLE="$build/app/wendle" SHOT="$out/main-window.png" \
    xvfb-run -a -s "-screen 0 1024x768x24" bash -euo pipefail -c '
    "$WENDLE" & pid=$!
    window=$(timeout 30 xdotool search --sync --onlyvisible --name "^Wendle$" | head -1)
    sleep 1
    eval "$(xdotool getwindowgeometry --shell "$window")"
    # Into the text field, below the tabs: replace the sample text with a message.
    xdotool mousemove $((X + 300)) $((Y + 120)) click 1
    xdotool key ctrl+a
    xdotool type --delay 20 "Happy birthday"
    xdotool key Return
    xdotool type --delay 20 "Anna"
    sleep 1
    import -window "$window" "$SHOT"
    kill $pid
    wait $pid || true
'
# The long floats of a wide word gap, marked through the chart's context menu.
WENDLE="$build/app/wendle" SHOT="$out/marked-floats.png" \
    xvfb-run -a -s "-screen 0 1280x1024x24" bash -euo pipefail -c '
    "$WENDLE" & pid=$!
    window=$(timeout 30 xdotool search --sync --onlyvisible --name "^Wendle$" | head -1)
    sleep 1
    eval "$(xdotool getwindowgeometry --shell "$window")"
    at() { xdotool mousemove $((X + $1)) $((Y + $2)) click "${3:-1}"; sleep 0.4; }
    xdotool windowfocus --sync "$window"
    xdotool key ctrl+a
    xdotool type --delay 20 "I  LOVE  YOU"
    at 253 17 # the stitch options: the word gap from 2 to 6
    at 116 195
    for _ in 1 2 3 4; do xdotool key Up; sleep 0.1; done
    at 478 17 # the display options: zoom in four steps
    for _ in 1 2 3 4; do at 333 65; done
    at 253 17
    at 200 275 3 # the chart context menu: Mark Long Floats
    xdotool key m
    xdotool mousemove $((X + 700)) $((Y + 380))
    sleep 0.5
    import -window root -crop "${WIDTH}x${HEIGHT}+$X+$Y" +repage "$SHOT"
    kill $pid
    wait $pid || true
'
echo "made $out/main-window.png, $out/printed-page.png, $out/chart-picture.png and $out/marked-floats.png"
