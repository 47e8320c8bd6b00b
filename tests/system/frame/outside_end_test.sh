#!/usr/bin/env bash
# Ends the window test program from outside, at one moment of its life:
#   outside_end_test.sh <program> <how>
#   signal-in-settings  SIGTERM from the settings hook, before the window exists
#   sigterm-at-window   SIGTERM while the window is being made ("Init GFX" logged)
#   sigint-at-start     SIGINT as soon as start-up is done, around the first frame
#   close-at-once       a window close as soon as the window is there
#   sighup              SIGHUP to the running program
#   display-lost        the X server drops the program's connection
#   no-display          started without any display
#   fatal-without-log   a fatal file error while the error log cannot be written
# The program must end by itself, with the status, log and saved files each
# way calls for. Exit 77 = skipped (no display).
set -u
program=$1
how=$2
here=$(cd "$(dirname "$0")" && pwd)
[ -n "${DISPLAY:-}" ] || { echo "no display: skipped"; exit 77; }

folder=$(mktemp -d)
pid=
trap '[ -n "$pid" ] && kill -9 "$pid" 2>/dev/null; rm -rf "$folder"' EXIT
fail() {
    echo "FAIL ($how): $*"
    echo "--- ErrorLog.txt"; cat "$folder/ErrorLog.txt" 2>/dev/null
    echo "--- stderr"; cat "$folder/stderr.txt" 2>/dev/null
    exit 1
}

start() {
    env "$@" "$program" 2>"$folder/stderr.txt" &
    pid=$!
}

# Repeats the command every 0.1 s until it succeeds (at most 20 s); fails at
# once when the program has ended.
wait_until() {
    for _ in $(seq 200); do
        "$@" && return 0
        kill -0 "$pid" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}

log_has() { grep -q "$1" "$folder/ErrorLog.txt" 2>/dev/null; }

find_window() {
    window=$(xdotool search --onlyvisible --name "^Frame Test Program$" 2>/dev/null | head -1)
    [ -n "$window" ]
}

# The exit status once the program has ended by itself (at most 20 s).
wait_for_end() {
    for _ in $(seq 200); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$pid" 2>/dev/null && fail "the program did not end"
    wait "$pid"
    status=$?
    pid=
}

log_lines() { tr -d '\r' < "$folder/ErrorLog.txt" 2>/dev/null | grep -v "OpenGL Software Emulation"; }
last_log_line() { log_lines | tail -1; }

expect_clean_end() {
    [ "$status" = 0 ] || fail "exit status $status, expected 0"
    [ "$(last_log_line)" = "Shut down KRV" ] || fail "the log does not end with the shut-down"
    log_lines | grep -qx "KRV_ON_QUIT" || fail "KRV_ON_QUIT did not run"
}

expect_saved() {
    [ "$(cat "$folder/saved.ini" 2>/dev/null)" = $'[game]\r\nscore=42\r' ] || fail "INI file not saved"
    [ "$(cat "$folder/saved.txt" 2>/dev/null)" = $'first line\r' ] || fail "text line not written back"
}

case $how in
    signal-in-settings)
        start TMPDIR="$folder" KRV_FRAME_TEST_SIGNAL=settings
        wait_for_end
        expect_clean_end
        [ "$(log_lines | tr '\n' '|')" = "Init GFX|Init Finalized|KRV_ON_QUIT|Shut down KRV|" ] ||
            fail "log lines: $(log_lines | tr '\n' '|')"
        [ -e "$folder/saved.ini" ] && fail "the program ran after the request to end"
        ;;
    sigterm-at-window)
        start TMPDIR="$folder"
        wait_until log_has "Init GFX" || fail "start-up did not begin"
        kill -TERM "$pid"
        wait_for_end
        expect_clean_end
        ;;
    sigint-at-start)
        start TMPDIR="$folder"
        wait_until log_has "Init Finalized" || fail "start-up did not finish"
        kill -INT "$pid"
        wait_for_end
        expect_clean_end
        ;;
    close-at-once)
        start TMPDIR="$folder"
        wait_until find_window || fail "no window"
        python3 "$here/close_window.py" "$window"
        wait_for_end
        expect_clean_end
        ;;
    sighup)
        start TMPDIR="$folder"
        wait_until log_has "Init Finalized" && wait_until find_window || fail "no window"
        sleep 0.3
        kill -HUP "$pid"
        wait_for_end
        expect_clean_end
        expect_saved
        ;;
    display-lost)
        start TMPDIR="$folder"
        wait_until log_has "Init Finalized" && wait_until find_window || fail "no window"
        sleep 0.3
        xdotool windowkill "$window"
        wait_for_end
        [ "$status" = 1 ] || fail "exit status $status, expected 1"
        grep -q "The connection to the display was lost" "$folder/stderr.txt" || fail "no word on stderr"
        [ "$(last_log_line)" = "Shut down KRV" ] || fail "the log does not end with the shut-down"
        expect_saved
        ;;
    no-display)
        start -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER TMPDIR="$folder"
        wait_for_end
        [ "$status" = 1 ] || fail "exit status $status, expected 1"
        grep -q "No window could be created: no display" "$folder/stderr.txt" || fail "no word on stderr"
        ;;
    fatal-without-log)
        printf 'ab' > "$folder/short.dat"
        start TMPDIR="$folder/missing" KRV_FRAME_TEST_MODE=fatalfile KRV_FRAME_TEST_FILE="$folder/short.dat"
        wait_for_end
        [ "$status" = 1 ] || fail "exit status $status, expected 1"
        grep -qx "0003 no such file: $folder/short.dat" "$folder/stderr.txt" || fail "the error does not name the file"
        ;;
    *)
        fail "unknown way to end: $how"
        ;;
esac
echo "ok: $how"
