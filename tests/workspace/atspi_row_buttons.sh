#!/bin/bash
# Runs atspi_row_buttons.py against the real window: a virtual X server, a
# session bus with the accessibility bus on it, Tintwell with an emulated
# TX310 in English, its journal and settings in a temporary folder.
#   atspi_row_buttons.sh TINTWELL_EXECUTABLE
# Exit 77 (skipped) when Xvfb, the session bus, AT-SPI or its Python binding
# is missing.
set -u
app="$1"
here="$(cd "$(dirname "$0")" && pwd)"
launcher=/usr/libexec/at-spi-bus-launcher
for need in Xvfb dbus-run-session; do
  command -v "$need" >/dev/null || { echo "SKIP: $need is not installed (xvfb, dbus-daemon)"; exit 77; }
done
[ -x "$launcher" ] || { echo "SKIP: at-spi2-core is not installed"; exit 77; }
/usr/bin/python3 -c 'import gi; gi.require_version("Atspi", "2.0")' 2>/dev/null \
  || { echo "SKIP: python3-gi or gir1.2-atspi-2.0 is not installed"; exit 77; }

work="$(mktemp -d)"
trap 'kill "${xvfb:-}" 2>/dev/null; rm -rf "$work"' EXIT
# Xvfb picks a free display and writes its number once it takes connections
# (a fixed pause was too short on a loaded machine).
Xvfb -displayfd 3 -screen 0 1600x1000x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb=$!
for _ in $(seq 300); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
[ -s "$work/display" ] || { echo "Xvfb did not start:"; cat "$work/xvfb.log"; exit 1; }
display=":$(head -n1 "$work/display")"
export DISPLAY="$display" QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/run"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
dbus-run-session -- bash -c '
  "$1" --launch-immediately >"$4/bus.log" 2>&1 &
  "$2" --simulate TX310 --lang en >"$4/app.log" 2>&1 &
  app=$!
  /usr/bin/python3 "$3"
  status=$?
  kill $app 2>/dev/null
  [ $status -eq 0 ] || tail -20 "$4/app.log"
  exit $status
' bash "$launcher" "$app" "$here/atspi_row_buttons.py" "$work" 2> >(grep -v -e "fd limit" -e "Reloaded configuration" -e DeprecationWarning -e "get_.*iface\|get_action_name\|return \[action" >&2)
