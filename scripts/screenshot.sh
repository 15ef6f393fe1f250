#!/usr/bin/env bash
# Takes docs/screenshot.png: the real program on a private Xvfb whose screen is exactly the
# main window's size, with a temporary home whose desktop holds a small fixed set of folders.
# --lang en takes it in English (LANGUAGE=en), --lang ja (the default) in Japanese.
# Usage: scripts/screenshot.sh [--lang ja|en] [OUTPUT.png]
set -euo pipefail
cd "$(dirname "$0")/.."
lang=ja
if [ "${1:-}" = "--lang" ]; then
  lang=${2:?"--lang takes ja or en"}
  shift 2
fi
case $lang in
  ja) language=ja_JP ;;
  en) language=en_US ;;
  *) echo "screenshot.sh: --lang takes ja or en" >&2; exit 2 ;;
esac
out=${1:-docs/screenshot.png}
build=${BUILD_DIR:-build}
[ -x "$build/app/tallyrun" ] && [ -x "$build/tools/grab-screen" ] || ./scripts/build.sh

work=$(mktemp -d)
app='' xvfb=''
cleanup() {
  [ -n "$app" ] && kill "$app" 2>/dev/null
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

desk=$work/home/Desktop
mkdir -p "$desk"/{Photos/2024,Photos/2025,Music/Albums,Documents,Projects/tallyrun/src,ダウンロード}
# Sparse files: the sizes count, the disk blocks do not.
truncate -s 48000000 "$desk/Photos/2024/beach.jpg"
truncate -s 31000000 "$desk/Photos/2025/snow.jpg"
truncate -s 52000000 "$desk/Music/Albums/live.flac"
truncate -s 9500000 "$desk/Documents/report.pdf"
truncate -s 21000000 "$desk/Projects/tallyrun/src/build.tar"
truncate -s 14000000 "$desk/ダウンロード/installer.iso"
truncate -s 2500000 "$desk/notes.txt"

# The first free display from :90 on.
n=90
while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
# Without a window manager the window has no frame: its client area, 792 x 500, fills the screen.
Xvfb ":$n" -screen 0 792x500x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done

# The language is chosen by LANGUAGE; LC_ALL keeps the numbers' separators the same in both.
# The program sees neither the user's Wayland session nor the user's session bus, whose
# desktop portal would bind its F5 and tell of it in the status bar.
env -u WAYLAND_DISPLAY -u XDG_SESSION_TYPE DBUS_SESSION_BUS_ADDRESS="unix:path=$work/no-bus" \
  HOME=$work/home XDG_CONFIG_HOME=$work/home/.config QT_QPA_PLATFORM=xcb DISPLAY=":$n" \
  LC_ALL=C.UTF-8 LANGUAGE=$language "$build/app/tallyrun" >/dev/null 2>&1 &
app=$!
sleep "${SCREENSHOT_WAIT:-4}"
mkdir -p "$(dirname "$out")"
DISPLAY=":$n" QT_QPA_PLATFORM=xcb "$build/tools/grab-screen" "$out" 2>/dev/null
echo "wrote $out"
