#!/usr/bin/env bash
# Checks the Debian package as a user gets it: scripts/package builds it, its
# file list holds every file the program needs, and the program extracted from
# it answers --version and --help without a display and runs with an emulated
# instrument for 3 s, its catalogues and model table found in ../share/tintwell.
# Run by scripts/test where dpkg-deb exists.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
fail() { echo "FAIL: $*" >&2; exit 1; }

deb="$("$root/scripts/package" | tail -n 1)"
[ -f "$deb" ] || fail "scripts/package made no package"
echo "package: $deb"

# The file list.
files="$(dpkg-deb -c "$deb" | awk '{ print $6 }' | sed 's|^\./|/|')"
expected=(
  /usr/bin/tintwell
  /usr/bin/tintwell-cli
  /usr/share/man/man1/tintwell-cli.1.gz
  /usr/share/bash-completion/completions/tintwell-cli
  /usr/share/doc/tintwell/tintwell-cli.schema.json
  /usr/share/tintwell/Tintwell_en.qm
  /usr/share/tintwell/Tintwell_zh.qm
  /usr/share/tintwell/meterno
  /usr/lib/udev/rules.d/70-tintwell.rules
  /usr/share/applications/tintwell.desktop
  /usr/share/icons/hicolor/scalable/apps/tintwell.svg
  /usr/share/icons/hicolor/256x256/apps/tintwell.png
  /usr/share/doc/tintwell/copyright
  /usr/share/man/man1/tintwell.1.gz
)
# The spreadsheet template, where the build writes one.
if [ -f "$root/build/package/bin/template.xlsx" ]; then
  expected+=(/usr/share/tintwell/template.xlsx)
fi
for file in "${expected[@]}"; do
  grep -qxF "$file" <<<"$files" || fail "$file is not in the package"
done
dpkg-deb -f "$deb" Depends | grep -q fonts-wqy-microhei || fail "no dependency on the Chinese font"
for lib in libpq5 libzip4 libhidapi-hidraw0 libudev1; do
  dpkg-deb -f "$deb" Depends | grep -q "$lib" || fail "no dependency on $lib (opened at its first use)"
done

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
dpkg-deb -x "$deb" "$work/root"
mkdir -m 700 "$work/runtime" "$work/tmp"
exe="$work/root/usr/bin/tintwell"
# A private runtime and temporary folder: the single-instance lock and socket
# of a copy running on this machine are neither seen nor touched.
export XDG_RUNTIME_DIR="$work/runtime" TMPDIR="$work/tmp"
cd "$work" # no catalogue in the working directory

# --version and --help need no display: with the X11 platform and no X
# server, creating the application object would abort.
upstream="$(dpkg-deb -f "$deb" Version)"
upstream="${upstream%-*}"
version="$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$exe" --version)" ||
  fail "--version failed"
[ "$version" = "Tintwell $upstream" ] || fail "--version printed \"$version\", not \"Tintwell $upstream\""
help="$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$exe" --help)" || fail "--help failed"
grep -qF -- "--simulate [MODEL[:VERSION]]" <<<"$help" || fail "--help does not list --simulate: $help"
[ -z "$(find "$work/runtime" "$work/tmp" -mindepth 1)" ] || fail "--version or --help left a lock or socket behind"

# The command line: no display, no lock, its catalogues from usr/share/tintwell.
cli="$work/root/usr/bin/tintwell-cli"
env -u DISPLAY -u WAYLAND_DISPLAY "$cli" --help | grep -q "Exit status" || fail "tintwell-cli --help lists no exit status"
out="$(env -u DISPLAY "$cli" --simulate TX310 --json compare --standard measure --sample measure </dev/null)" ||
  [ $? -eq 1 ] || fail "tintwell-cli compare failed: $out"
grep -q '"schema":1' <<<"$out" || fail "tintwell-cli --json printed no schema: $out"
zh="$("$cli" --lang zh --simulate TX310 --device serial:1 identify 2>&1 >/dev/null)" && fail "a missing serial number succeeded"
grep -q '[^ -~]' <<<"$zh" || fail "tintwell-cli --lang zh did not find its Chinese catalogue: $zh"
[ -z "$(find "$work/runtime" "$work/tmp" -mindepth 1)" ] || fail "tintwell-cli left a lock or socket behind"

# Up for 3 s with an emulated instrument.
QT_QPA_PLATFORM=offscreen QT_LOGGING_RULES="tintwell.app.startup.info=true" \
  "$exe" --simulate TX460 >"$work/simulate.log" 2>&1 &
pid=$!
sleep 3
if ! kill -0 "$pid" 2>/dev/null; then
  wait "$pid" || true
  fail "tintwell --simulate ended within 3 s: $(cat "$work/simulate.log")"
fi
kill "$pid"
wait "$pid" || true
for name in Tintwell_en.qm Tintwell_zh.qm meterno; do
  grep -qxF "tintwell.app.startup: data file: $work/root/usr/share/tintwell/$name" "$work/simulate.log" ||
    fail "$name was not found in usr/share/tintwell: $(cat "$work/simulate.log")"
done
echo "package check passed"
