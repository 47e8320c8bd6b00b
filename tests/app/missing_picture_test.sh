#!/usr/bin/env bash
# The test program beside a "Media" folder without its logo picture, with a
# log that cannot be written: it must end with status 1 and name the picture
# on standard error.
#   missing_picture_test.sh <program> <media folder>
# Exit 77 = skipped (no display).
set -u
program=$1
media=$2
[ -n "${DISPLAY:-}" ] || { echo "no display: skipped"; exit 77; }

folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
fail() { echo "FAIL: $*"; echo "--- stderr"; cat "$folder/stderr.txt"; exit 1; }

cp "$program" "$folder/"
mkdir "$folder/Media"
cp "$media/smalfont.png" "$media/lumiset.png" "$folder/Media/"
TMPDIR="$folder/no-such-folder" timeout 60 "$folder/$(basename "$program")" 2>"$folder/stderr.txt"
status=$?
[ "$status" = 1 ] || fail "exit status $status, expected 1"
grep -qx "0003 no such file: Media/quillfenlogo_by_tovin.bmp" "$folder/stderr.txt" || fail "the picture is not named"
grep -qx "lmt::Exception: File not found (korvaneimageloader:41)" "$folder/stderr.txt" ||
    fail "the toolkit's message is missing"
echo "ok: the missing picture is named"
