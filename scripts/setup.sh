#!/usr/bin/env bash
# Installs the Debian 12 packages Kinsight needs, skipping those already
# there, one line per step:
#   setup.sh              what building, running and installing need
#   setup.sh --headless   also what a first run without a display needs
#   setup.sh --test       also what the tests, the fuzzer, the Debian package
#                         (debhelper) and the screenshots need, and a
#                         compiler cache
# When another package manager holds its lock (a fresh machine running its
# first updates), it waits for it, up to ten minutes.
set -euo pipefail

packages=(build-essential cmake ninja-build qt6-base-dev libgl-dev gettext fonts-dejavu-core)
headless=(xvfb xdotool imagemagick)
case "${1:-}" in
"") ;;
--headless) packages+=("${headless[@]}") ;;
--test)
    packages+=("${headless[@]}"
        libgtest-dev libbenchmark-dev clang libclang-rt-14-dev time ccache
        xauth x11-utils x11-apps libx11-dev openbox metacity xfwm4 mutter
        at-spi2-core python3-pyatspi dbus orca weston xwayland qt6-wayland
        desktop-file-utils appstream groff lintian libglib2.0-bin dpkg-dev locales debhelper)
    ;;
*)
    echo "usage: setup.sh [--headless | --test]" >&2
    exit 2
    ;;
esac

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
    echo "setup: all ${#packages[@]} packages are installed"
    exit 0
fi

sudo=()
if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null; then
        echo "setup: ${missing[*]} missing; run this as root, or install sudo" >&2
        exit 1
    fi
    sudo=(sudo)
fi

log=$(mktemp)
trap 'rm -f "$log"' EXIT

# Runs apt-get quietly. While another package manager holds a lock it waits
# and tries again; any other failure shows apt-get's own words.
apt_get() {
    local deadline=$((SECONDS + 600)) said=
    while :; do
        # apt's own lines of progress, one a package fetched or set up, as
        # they come; all of them go to the log.
        if "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
            apt-get -q -y -o DPkg::Lock::Timeout=20 "$@" 2>&1 | tee "$log" |
            { grep --line-buffered -E '^(Get:[0-9]+ |Setting up )' || true; } |
            sed -u -E 's/^Get:[0-9]+ [^ ]+ [^ ]+ [^ ]+ ([^ ]+) .*/setup: fetched \1/; s/^Setting up ([^ ]+).*/setup: set up \1/'; then
            return 0
        fi
        if grep -qE 'Could not get lock|Unable to acquire|Unable to lock|is another process using it' \
            "$log" && [ $SECONDS -lt $deadline ]; then
            if [ -z "$said" ]; then
                echo "setup: another package manager is at work; waiting for it (up to 10 minutes)"
                said=1
            fi
            sleep 5
            continue
        fi
        echo "setup: apt-get $1 failed:" >&2
        cat "$log" >&2
        return 1
    done
}

echo "setup: updating the package lists (up to a minute)"
apt_get update
echo "setup: installing ${#missing[@]} packages, which takes a few minutes on a fresh" \
    "machine: ${missing[*]}"
apt_get install "${missing[@]}"
echo "setup: done"
