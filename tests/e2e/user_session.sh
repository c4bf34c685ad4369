#!/usr/bin/env bash
# Velmora driven as a user drives it, under the test display: type a folder,
# tick the subfolder box, scan, type a tag, rename, press Esc. The files are
# checked on disk and the exit status must be 0.
# Usage: user_session.sh BUILD_DIR [SCREENSHOT.png]
set -euo pipefail
build=$1
screenshot=${2:-}
here=$(cd "$(dirname "$0")" && pwd)
launcher="$here/../../cmake/wine-run"
export VELMORA_BUILD_DIR=$build
probe() { "$launcher" "$build/tests/e2e/window_probe.exe" "$@"; }

work=$(mktemp -d /tmp/velmora-e2e.XXXXXX)
app_pid=""
cleanup() {
  if [ -n "$app_pid" ]; then  # a failed run: close the program it started
    probe close >/dev/null 2>&1
    probe gone 5000 >/dev/null 2>&1
    kill "$app_pid" 2>/dev/null
  fi
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }

mkdir -p "$work/tree/sub" "$work/bin"
printf 'alpha' >"$work/tree/a.txt"
printf 'log' >"$work/tree/c.log"
printf 'beta' >"$work/tree/sub/b.txt"
# The browser is a stand-in: Wine hands web addresses to xdg-open.
printf '#!/bin/sh\necho "$@" >>"%s/opened"\n' "$work" >"$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"
folder="Z:${work//\//\\}\\tree"

PATH="$work/bin:$PATH" "$launcher" "$build/ui/velmora.exe" &
app_pid=$!
probe wait 60000 || fail "the window did not appear"
wid=$(xdotool search --onlyvisible --name '^Velmora$' | head -n1)
[ -n "$wid" ] || fail "X does not show the window"

# Places are those of the control table, in client coordinates: without a
# window manager X shows only the client area.
click() { xdotool mousemove --window "$wid" "$1" "$2" click 1; }
# Keys go through XTEST to the X focus, which no window manager sets here;
# events sent to a window instead would lose Shift (Z: arrives as z;).
key() { xdotool windowfocus --sync "$wid" key "$@" 2>/dev/null; }
replace_text() {  # click into an edit box, select all its text, type over it
  click "$1" "$2"
  key End shift+Home
  xdotool windowfocus --sync "$wid" type --delay 5 "$3" 2>/dev/null
}

replace_text 110 53 "$folder"
[ "$(probe text 2 | tr -d '\r')" = "$folder" ] || fail "the folder was not typed: $(probe text 2)"
click 250 349
[ "$(probe checked 16 | tr -d '\r')" = 1 ] || fail "the subfolder box is not ticked"
click 324 52
probe wait-count 3 20000 || fail "the scan did not list the three files"
probe items | tr -d '\r' | sort >"$work/listed"
printf '%s\n' "$folder\\a.txt" "$folder\\c.log" "$folder\\sub\\b.txt" | sort >"$work/expected"
diff "$work/expected" "$work/listed" || fail "the list holds other paths"
[ -z "$screenshot" ] || import -window "$wid" "$screenshot"

replace_text 122 315 "[T]"
click 191 312
probe wait-count 0 20000 || fail "the rename left items in the list"
[ "$(cat "$work/tree/a[T].txt")" = alpha ] || fail "a.txt was not renamed"
[ "$(cat "$work/tree/c[T].log")" = log ] || fail "c.log was not renamed"
[ "$(cat "$work/tree/sub/b[T].txt")" = beta ] || fail "sub/b.txt was not renamed"
[ "$(find "$work/tree" -type f | wc -l)" = 3 ] || fail "the tree holds another number of files"

key Escape
probe gone 20000 || fail "Esc did not close the window"
status=0
wait "$app_pid" || status=$?
app_pid=""
[ "$status" = 0 ] || fail "exit status $status"
[ "$(grep -c . "$work/opened")" = 1 ] || fail "the site was not opened once at start"
echo "user session passed"
