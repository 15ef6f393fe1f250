#!/usr/bin/env bash
# Fails when an #include goes against the layering:
#   app -> {chart, shelltree, widgets, toolbar, scan} -> platform -> base,
# with support (code shared by tests and benchmarks), tools (programs the build runs), tests and
# bench on top. Headers are included by their path from the project root
# ("scan/folder_total.h", "tests/support/temp_tree.h"), so the path tells where a header is; a
# file's own folder may include "file.h" directly. Paths that climb out with "../" are refused everywhere.
# The operating system's own headers (<sys/...>, <unistd.h>, <xcb/...>, libmount, ...) belong
# to platform/, which wraps them for the program; tests and benchmarks, which build and watch
# file trees, processes and X servers of their own, may use them too.
# base/ is the vocabulary every layer shares: besides the operating system's headers it may not
# include Qt Widgets, except in the one file that shows the message boxes (base/message_box.cpp).
set -euo pipefail
cd "$(dirname "$0")/.."

declare -A allowed=(
  [base]="base"
  [platform]="platform base"
  [scan]="scan platform base"
  [chart]="chart platform base"
  [shelltree]="shelltree platform base"
  [widgets]="widgets platform base"
  [toolbar]="toolbar platform base"
  [app]="app chart shelltree widgets toolbar scan platform base"
  [support]="support app chart shelltree widgets toolbar scan platform base"
  [tools]="tools app chart shelltree widgets toolbar scan platform base"
  [tests]="tests tools support app chart shelltree widgets toolbar scan platform base"
  [bench]="bench support app chart shelltree widgets toolbar scan platform base"
)
# Every top folder a quoted include may name: an include of any other path is relative.
known=" ${!allowed[*]} "

failures=0
while IFS= read -r file; do
  layer=${file%%/*}
  [ -n "${allowed[$layer]+set}" ] || continue
  while IFS=: read -r line target; do
    target=${target#*\"}
    target=${target%%\"*}
    folder=${target%%/*}
    reason=""
    if [[ $target == *../* ]]; then
      reason="climbs out of its folder"
    elif [[ $target == */* && ! -f $target ]]; then
      reason="is not a path from the project root"
    elif [[ $target == */* && $known == *" $folder "* && " ${allowed[$layer]} " != *" $folder "* ]]; then
      reason="$layer may not include $folder"
    fi
    if [ -n "$reason" ]; then
      echo "$file:$line: #include \"$target\": $reason"
      failures=$((failures + 1))
    fi
  done < <(grep -n '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file" || true)
done < <(git ls-files '*.h' '*.cpp')

os_headers='sys/|unistd\.h|fcntl\.h|dirent\.h|poll\.h|sched\.h|pwd\.h|malloc\.h|xcb/|X11/|linux/|libmount'
while IFS= read -r file; do
  case $file in platform/* | tests/* | bench/*) continue ;; esac
  while IFS= read -r found; do
    echo "$file:${found%%:*}: an operating-system header outside platform/"
    failures=$((failures + 1))
  done < <(grep -nE "^[[:space:]]*#[[:space:]]*include[[:space:]]*<($os_headers)" "$file" || true)
done < <(git ls-files '*.h' '*.cpp')

# A Qt header is a Widgets one when Qt's QtWidgets folder holds it ("QMessageBox",
# "QtWidgets/QMessageBox", "qmessagebox.h").
qt_widgets=$(qmake6 -query QT_INSTALL_HEADERS)/QtWidgets
[ -d "$qt_widgets" ] || { echo "check_layers: no Qt Widgets headers in $qt_widgets" >&2; exit 1; }
while IFS= read -r file; do
  [ "$file" = base/message_box.cpp ] && continue
  while IFS=: read -r line target; do
    target=${target#*<}
    target=${target%%>*}
    if [ -f "$qt_widgets/${target#QtWidgets/}" ]; then
      echo "$file:$line: #include <$target>: base/ may not use Qt Widgets"
      failures=$((failures + 1))
    fi
  done < <(grep -n '^[[:space:]]*#[[:space:]]*include[[:space:]]*<' "$file" || true)
done < <(git ls-files 'base/*.h' 'base/*.cpp')

if [ "$failures" -gt 0 ]; then
  echo "check_layers: $failures include(s) against the layering" >&2
  exit 1
fi
echo "check_layers: every include follows the layering"
