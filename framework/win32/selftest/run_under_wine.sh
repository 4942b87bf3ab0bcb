#!/bin/sh
# Runs a Windows program under Wine and returns its exit status.
#   run_under_wine.sh <e2e run dir> <fallback prefix> <program.exe> [arguments...]
# Inside the end-to-end fixture (<e2e run dir>/env.sh exists, see scripts/wine-env) it uses that run's
# display and prefix. Otherwise it uses <fallback prefix> (made on first use) and $DISPLAY when it
# answers, or a private Xvfb display for the length of the run.
set -u
run_dir=$1
fallback_prefix=$2
program=$3
shift 3

xvfb_pid=
cleanup() {
    if [ -n "$xvfb_pid" ]; then
        # Let Wine's processes on the private display finish before the display goes away.
        timeout 30 wineserver -w 2>/dev/null
        kill "$xvfb_pid" 2>/dev/null
        xvfb_pid=
    fi
}
trap cleanup EXIT INT TERM

if [ -f "$run_dir/env.sh" ]; then
    . "$run_dir/env.sh"
else
    export WINEPREFIX="$fallback_prefix"
    export WINEDEBUG="${WINEDEBUG:--all}"
    export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
    if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
        number=90
        while [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ]; do number=$((number + 1)); done
        Xvfb ":$number" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 </dev/null &
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
        wineboot -i >/dev/null 2>&1 </dev/null
        wineserver -w
    fi
fi

# A hung dialog must fail the run, not stall it. The output goes through a file: Wine's services, started by
# the first program of a prefix whose server had gone, would otherwise inherit the caller's pipe and keep it
# open long after the program ended (ctest then waits for them until its time-out).
output=$(mktemp)
timeout 300 wine "$program" "$@" </dev/null >"$output" 2>&1
status=$?
cat "$output"
rm -f "$output"
cleanup
exit $status
