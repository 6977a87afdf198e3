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
echo "made $out/main-window.png, $out/printed-page.png and $out/chart-picture.png"
