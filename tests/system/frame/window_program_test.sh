#!/usr/bin/env bash
# Runs the window test program under the display and ends it one way:
#   window_program_test.sh <program> <escape|altf4|close|end|fatal|typed|typedkeys|openurl|blank>
# "typed" types a line with letters beyond ASCII into the text-line input, then
# Enter; "typedkeys" types fast into a program that reads one key a slow frame;
# "openurl" opens an address with no opener installed; "blank" expects the
# frames with nothing drawn after a green one black, then presses Escape.
# Checks the window, the exit status, "ErrorLog.txt" and the INI and text file
# the program changed, in a temporary folder of the test's own. Exit 77 =
# skipped (no display).
set -u
program=$1
how=$2
here=$(cd "$(dirname "$0")" && pwd)
[ -n "${DISPLAY:-}" ] || { echo "no display: skipped"; exit 77; }

folder=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null; rm -rf "$folder"' EXIT
fail() { echo "FAIL: $*"; echo "--- ErrorLog.txt"; cat "$folder/ErrorLog.txt" 2>/dev/null; exit 1; }

mode=loop
environment=()
case $how in
    end | fatal | blank) mode=$how ;;
    typed) mode=typeline ;;
    typedkeys) mode=typedkeys ;;
    openurl)
        mode=openurl
        mkdir "$folder/no-programs"
        environment=(PATH="$folder/no-programs")
        ;;
esac
env "${environment[@]}" TMPDIR="$folder" KRV_FRAME_TEST_MODE=$mode "$program" 2>"$folder/stderr.txt" &
pid=$!

if [ "$mode" = loop ] || [ "$mode" = typeline ] || [ "$mode" = typedkeys ] || [ "$mode" = blank ]; then
    for _ in $(seq 100); do
        grep -q "Init Finalized" "$folder/ErrorLog.txt" 2>/dev/null && break
        sleep 0.1
    done
    grep -q "Init Finalized" "$folder/ErrorLog.txt" || fail "start-up did not finish"
    window=$(xdotool search --sync --name "^Frame Test Program$" | head -1)
    [ -n "$window" ] || fail "no window titled Frame Test Program"
    geometry=$(xdotool getwindowgeometry "$window" | grep Geometry)
    [[ $geometry == *640x480* ]] || fail "window geometry: $geometry"
    sleep 0.3
    if [ "$mode" = loop ]; then
        pixel=$(import -window "$window" -crop 1x1+320+240 -depth 8 txt:- 2>/dev/null | tail -1)
        [[ $pixel == *"#00FF00"* ]] || fail "the presented frame is not green: $pixel"
    fi
    if [ "$mode" = blank ]; then
        pixel=$(import -window "$window" -crop 1x1+320+240 -depth 8 txt:- 2>/dev/null | tail -1)
        [[ $pixel == *"#000000"* ]] || fail "the frame with nothing drawn is not black: $pixel"
    fi
    xdotool windowfocus --sync "$window"
    case $how in
        escape | blank) xdotool key Escape ;;
        altf4) xdotool keydown alt sleep 0.2 key F4 sleep 0.2 keyup alt ;;
        close) python3 "$here/close_window.py" "$window" ;;
        # xdotool binds a letter missing from the keyboard map to a spare key
        # only for the key's delay: a slow frame must still see the binding.
        typed) LC_ALL=C.UTF-8 xdotool type --delay 500 $'A\xc3\xa9B\xe2\x82\xacC' && xdotool key Return ;;
        typedkeys) xdotool type --delay 20 "Fast typing 20, aa bb" && xdotool key --delay 20 Return ;;
    esac
fi

for _ in $(seq 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "the program did not end"
wait "$pid"
status=$?

expected=0
[ "$how" = fatal ] && expected=1
[ "$status" = "$expected" ] || fail "exit status $status, expected $expected"
if [ "$how" = fatal ]; then
    grep -qx "0009 out of bounds" "$folder/stderr.txt" || fail "stderr: $(cat "$folder/stderr.txt")"
fi
if [ "$how" = typed ]; then
    [ "$(cat "$folder/typed.txt" 2>/dev/null)" = $'A\xc3\xa9B\xe2\x82\xacC\r' ] ||
        fail "typed line: $(od -c "$folder/typed.txt" 2>/dev/null)"
fi
if [ "$how" = typedkeys ]; then
    [ "$(cat "$folder/typed.txt" 2>/dev/null)" = $'Fast typing 20, aa bb\r' ] ||
        fail "typed keys: $(od -c "$folder/typed.txt" 2>/dev/null)"
fi
unopened=$'The address could not be opened: https://example.org/caf\xc3\xa9'
if [ "$how" = openurl ]; then
    grep -qxF "$unopened" "$folder/stderr.txt" || fail "stderr: $(cat "$folder/stderr.txt")"
fi

mapfile -t lines < <(tr -d '\r' < "$folder/ErrorLog.txt" | grep -v "OpenGL Software Emulation")
expectedLines=("Init GFX" "Init Finalized" "KRV_ON_QUIT" "Shut down KRV")
[ "$how" = openurl ] && expectedLines+=("$unopened")
[ "${lines[*]}" = "${expectedLines[*]}" ] || fail "log lines: ${lines[*]}"
[ "$(cat "$folder/saved.ini" 2>/dev/null)" = $'[game]\r\nscore=42\r' ] || fail "INI file not saved at the end"
[ "$(cat "$folder/saved.txt" 2>/dev/null)" = $'first line\r' ] || fail "text line not written back at the end"
echo "ok: $how"
