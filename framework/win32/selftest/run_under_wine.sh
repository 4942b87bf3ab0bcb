#!/bin/sh
# Runs a Windows program under Wine and returns its exit status.
#   run_under_wine.sh <default prefix> <program.exe> [arguments...]
# Uses $WINEPREFIX when set (a test run's shared prefix), otherwise <default prefix>, made on first use.
# Uses $DISPLAY when it answers, otherwise a private Xvfb display for the length of the run.
set -u
default_prefix=$1
program=$2
shift 2

export WINEPREFIX="${WINEPREFIX:-$default_prefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

xvfb_pid=
cleanup() {
    if [ -n "$xvfb_pid" ]; then
        # Let Wine's processes on the private display finish before the display goes away.
        timeout 30 wineserver -w 2>/dev/null
        kill "$xvfb_pid" 2>/dev/null
    fi
}
trap cleanup EXIT INT TERM

if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
    number=90
    while [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ]; do number=$((number + 1)); done
    Xvfb ":$number" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY=":$number"
    tries=0
    until xdpyinfo >/dev/null 2>&1; do
        tries=$((tries + 1))
        if [ "$tries" -gt 100 ]; then echo "Xvfb did not start" >&2; exit 1; fi
        sleep 0.1
    done
fi

if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >/dev/null 2>&1
    wineserver -w
fi

# A hung dialog must fail the run, not stall it.
timeout 300 wine "$program" "$@"
status=$?
cleanup
xvfb_pid=
exit $status
