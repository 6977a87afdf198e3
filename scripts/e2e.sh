#!/usr/bin/env bash
# End-to-end run of the real program in a real (virtual) X server: type a message and change
# options with xdotool, print it through the Print button and Qt's print dialog to a PDF
# file, and check that PDF against the one wendle-chart writes for the same message and
# options, and the window's screenshot for the yellow size message. Ends by itself: every
# wait is bounded and the whole run is under `timeout`.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${1:-}" != "--inside" ]; then
    exec timeout 180 xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" --inside
fi
tool=$PWD/${BUILD_DIR:-build}/cli/wendle-chart
program=$PWD/${BUILD_DIR:-build}/app/wendle

work=$(mktemp -d)
trap 'kill "${app:-}" 2>/dev/null || true; rm -rf "$work"' EXIT
fail() {
    echo "e2e: $*" >&2
    exit 1
}
# Waits up to $1 tenths of a second for the command after it to succeed.
await() {
    local tenths=$1
    shift
    for _ in $(seq "$tenths"); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done
    return 1
}

lines=("WENDLE E2E" "THE QUICK BROWN FOX JUMPS OVER THE LAZY DOG" "0123456789" "HAPPY" "KNITTING" "FROM" "WENDLE")
options=(--font wide --align centre --blank-rows 3)
for line in "${lines[@]}"; do options+=(-t "$line"); done

# The window's geometry is fixed (750 by 450) and so are its controls at 96 dots per inch;
# the positions below are taken from its screenshot, relative to the window.
export HOME="$work" # Qt's dialogs keep their state out of the real home folder
# The print system's address points nowhere, so that the print dialog sees none of the
# machine's printers, whatever they are, and can only print to a file: the test never puts
# paper through a printer.
export CUPS_SERVER="$work/no-print-system.sock"
unset PRINTER LPDEST
cd "$work"
"$program" &
app=$!
window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Wendle$' | head -1)
[ -n "$window" ] || fail "the main window never appeared"
eval "$(xdotool getwindowgeometry --shell "$window")"
at() { xdotool mousemove $((X + $1)) $((Y + $2)) click 1 && sleep 0.3; }

at 200 80 # the text field, under the tabs
xdotool key --clearmodifiers ctrl+a BackSpace
xdotool type --delay 10 "${lines[0]}"
for line in "${lines[@]:1}"; do
    xdotool key Return
    xdotool type --delay 10 "${line,,}" # in lower case: the field upper-cases it
done
at 260 17                               # the stitch options page
at 615 154                              # Wide font
at 615 75                               # Centered
at 131 132                              # one more blank row, by its spin button
sleep 1
import -window root screen.png

at 477 17  # the display and print page
at 697 224 # Print
dialog=$(timeout 10 xdotool search --sync --onlyvisible --name '^Print$' | head -1)
[ -n "$dialog" ] || fail "the Print button did not open the print dialog"
# With no printer the dialog prints to a PDF file: name it in the output file field.
eval "$(xdotool getwindowgeometry --shell "$dialog" | sed 's/^/DIALOG_/')"
xdotool mousemove $((DIALOG_X + 189)) $((DIALOG_Y + 119)) click 1
xdotool key --clearmodifiers ctrl+a BackSpace
xdotool type --delay 15 "$work/window.pdf"
xdotool key Return
# The file is complete when its trailer is written at the end of the job.
await 300 pdfinfo window.pdf || fail "no complete PDF was printed"

paper=$(pdfinfo window.pdf | grep -q '(A4)' && echo a4 || echo letter)
"$tool" "${options[@]}" --paper "$paper" --pdf tool.pdf
pages=$(pdfinfo window.pdf | sed -n 's/^Pages: *//p')
expected=$("$tool" "${options[@]}" --show plan | sed -n 's/^PagesRequired: //p')
[ "$pages" = "$expected" ] || fail "the PDF has $pages pages; the plan says $expected"
[ "$pages" -gt 1 ] || fail "the message should need several pages, not $pages"
pdftotext window.pdf window.txt
pdftotext tool.pdf tool.txt
for number in 10 20 30; do
    grep -qx "$number" window.txt || fail "number $number is missing from the printed PDF"
done
diff -q window.txt tool.txt >/dev/null || fail "the printed numbers differ from wendle-chart's"

# The size message, yellow on maroon, fills the middle of the window's bottom strip.
yellow=$(convert screen.png -crop "600x40+$X+$((Y + HEIGHT - 40))" +repage -fill black \
    +opaque '#FFFF00' -fill white -opaque '#FFFF00' -format '%[fx:int(mean*w*h)]' info:)
[ "$yellow" -gt 200 ] || fail "no yellow size message in the window ($yellow pixels)"

kill "$app"
wait "$app" 2>/dev/null || true
app=""
echo "e2e: passed ($pages pages, $yellow yellow pixels of the size message)"
