#!/usr/bin/env bash
# Installs with apt-get what a fresh Debian 12 machine lacks to build, run and test Tallyrun;
# with --package also what building and checking the Debian package takes.
# Idempotent, and quiet when everything is already there. qt6-wayland runs the program as a
# native Wayland client; the tests run it under a headless weston and start their own session
# bus (dbus-daemon) for a fake desktop portal.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev
  qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
  libgtest-dev libgmock-dev libbenchmark-dev
  libxcb1-dev libx11-xcb-dev libmount-dev pkg-config xvfb xauth xdotool x11-utils
  fonts-ipafont-gothic fonts-ipafont-mincho adwaita-icon-theme
  util-linux libcap2-bin procps ccache desktop-file-utils appstream clang-format-14 python3
  qt6-wayland weston dbus-daemon
)
# dpkg-shlibdeps computes the package's dependencies; lintian checks the package.
if [ "${1:-}" = "--package" ]; then
  packages+=(dpkg-dev lintian)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "setup: installing ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
