#!/usr/bin/env bash
# roughpi-bench run as a user runs it: the header at once through a pipe, a
# failing output reported with status 1, a refused allocation reported.
# Usage: program_test.sh PATH-TO-roughpi-bench MODE
set -u
exe=$1
mode=$2
fail() { echo "FAIL: $*" >&2; exit 1; }
s68=$(printf '%68s' '')

case "$mode" in
  header)
    # head closes the pipe after the header; the next write ends the program.
    got=$(timeout 60 "$exe" ignored arguments | head -n 5)
    expected=$(printf '%sTime\n%sIncrease\n%sfor x10\n         __ Input Number __   __ Output Number __ _ MSec _ _ Sec _  Input\n' "$s68" "$s68" "$s68")
    [ "$got" = "$expected" ] || fail "header differs: $(printf '%s' "$got" | od -c | head -20)"
    ;;
  full-output)
    err=$(timeout 60 "$exe" 2>&1 >/dev/full); status=$?
    [ "$status" -eq 1 ] || fail "status $status on /dev/full, expected 1"
    [[ "$err" == "roughpi-bench: cannot write the output: "* ]] || fail "stderr: $err"
    [ "$(printf '%s\n' "$err" | wc -l)" -eq 1 ] || fail "more than one error line: $err"
    ;;
  no-memory)
    out=$(ulimit -v 60000; timeout 60 "$exe" 2>/tmp/roughpi-nomem.$$); status=$?
    err=$(cat /tmp/roughpi-nomem.$$); rm -f /tmp/roughpi-nomem.$$
    [ "$status" -eq 1 ] || fail "status $status with 60 MB of address space, expected 1"
    [ -z "$out" ] || fail "printed before failing: $out"
    [[ "$err" == "roughpi-bench: cannot allocate the table rough_"*" bytes)" ]] || fail "stderr: $err"
    ;;
  *) fail "unknown mode $mode" ;;
esac
echo "ok $mode"
