#!/usr/bin/env bash
# Installs, with apt, whichever of the packages Wendle needs to build, test and run is
# missing. Does nothing when everything is there already.
set -euo pipefail

packages=(
    cmake make g++ clang pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-base-private-dev libgl-dev libcups2-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    fonts-liberation locales
    xvfb xauth xdotool imagemagick poppler-utils
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    sudo_cmd=(sudo)
fi

# A locale with a decimal comma, so that the tests of number formatting under such a
# locale run rather than skip.
add_comma_locale() {
    if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
        "${sudo_cmd[@]}" localedef -i de_DE -c -f UTF-8 de_DE.UTF-8
    fi
}

if [ ${#missing[@]} -eq 0 ]; then
    add_comma_locale
    exit 0
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
add_comma_locale
