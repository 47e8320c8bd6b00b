#!/bin/sh
# Runs an example program for a few frames under LeakSanitizer, with nothing
# but the system's shared libraries suppressed and no global counted as a
# root: whatever of ours is still allocated when the process ends fails it.
# Usage: leaks_test.sh <program> <frames> <suppressions file>
# Exits 77 (skipped) without a display.
[ -n "$DISPLAY" ] || { echo "no DISPLAY: skipped"; exit 77; }
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
TMPDIR=$folder KRV_EXAMPLE_FRAMES=$2 \
ASAN_OPTIONS=detect_leaks=1:malloc_context_size=2:intercept_tls_get_addr=0 \
LSAN_OPTIONS=use_globals=0:suppressions=$3:print_suppressions=0 \
  "$1"
