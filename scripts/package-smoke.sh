#!/usr/bin/env bash
# Installs the Debian package that `make package` built, checks its files, and runs both
# programs from it: wendle-chart on a message, and the window under Xvfb, closed through
# its Exit button. Needs root (or sudo) for apt-get, and xvfb-run and xdotool.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(build/wendle_*.deb)
if [ ! -f "${packages[0]}" ]; then
    echo "package-smoke: no build/wendle_*.deb; run make package first" >&2
    exit 1
fi
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    sudo_cmd=(sudo)
fi
# --reinstall, so that a package of the same version built again replaces the old one.
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --reinstall \
    "./${packages[0]}"

fail() {
    echo "package-smoke: $*" >&2
    exit 1
}

for file in /usr/bin/wendle /usr/bin/wendle-chart \
    /usr/share/applications/wendle.desktop /usr/share/metainfo/wendle.metainfo.xml \
    /usr/share/icons/hicolor/scalable/apps/wendle.svg \
    /usr/share/icons/hicolor/48x48/apps/wendle.png \
    /usr/share/icons/hicolor/256x256/apps/wendle.png \
    /usr/share/man/man1/wendle-chart.1 /usr/share/man/man1/wendle.1; do
    dpkg -S "$file" >/dev/null 2>&1 || fail "$file is not in the package"
done
for size in 48 256; do
    [ "$(identify -format %wx%h "/usr/share/icons/hicolor/${size}x$size/apps/wendle.png")" \
        = "${size}x$size" ] || fail "the ${size}x$size icon is not $size pixels square"
done
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net /usr/share/metainfo/wendle.metainfo.xml >/dev/null \
        || fail "the AppStream metadata does not validate"
fi

version=$(dpkg-query -W -f='${Version}' wendle)
[ "$(wendle-chart --version)" = "wendle-chart $version" ] || fail "wendle-chart --version"
[ "$(wendle --version)" = "wendle $version" ] || fail "wendle --version"

expected=$'.......\n.......\n.#.#.#.\n.#.#.#.\n.###.#.\n.#.#.#.\n.#.#.#.\n.......\n.......'
[ "$(wendle-chart -t HI --show chart)" = "$expected" ] || fail "wendle-chart -t HI: wrong chart"
wendle-chart -t HI

# The window: start it on a virtual screen, wait for it, and press Exit. The button sits at
# the right of the bottom strip, 46 pixels from the window's right edge and 22 from its
# bottom; a click that misses leaves the program running and fails the test.
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
xvfb-run -a -s "-screen 0 1024x768x24" bash -euo pipefail -c '
    wendle & pid=$!
    window=$(timeout 30 xdotool search --sync --onlyvisible --name "^Wendle$" | head -1)
    [ -n "$window" ] || { echo "package-smoke: no Wendle window" >&2; kill $pid; exit 1; }
    eval "$(xdotool getwindowgeometry --shell "$window")"
    # The first paint may still be on its way; a click before it could be lost.
    for attempt in 1 2 3 4 5; do
        sleep 1
        xdotool mousemove $((X + WIDTH - 46)) $((Y + HEIGHT - 22)) click 1
        for tick in $(seq 20); do
            kill -0 $pid 2>/dev/null || break 2
            sleep 0.1
        done
    done
    if kill -0 $pid 2>/dev/null; then
        echo "package-smoke: Wendle did not quit through its Exit button" >&2
        kill $pid
        exit 1
    fi
    wait $pid
'
echo "package-smoke: the package installs and both programs run"
