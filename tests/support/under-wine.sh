#!/bin/sh
# Runs a Windows build of a Qt Test suite under Wine. What the suite writes to
# a pipe does not come back out of Wine, so its log goes through a file.
exe=$1
shift
log=$(mktemp --suffix=.txt)
wine "$exe" -o "$(winepath -w "$log"),txt" "$@" >/dev/null 2>&1
status=$?
cat "$log"
rm -f "$log"
exit $status
