#!/bin/sh
# The drop benchmark's smoke round under Wine, for ctest:
#   run_smoke.sh <runner: run_under_wine.sh> <e2e run dir> <fallback prefix> <drop_bench.exe>
# Output goes through a file: the first program of a prefix whose server is not running starts Wine's server and
# services, which stay and keep the standard handles they were given; a pipe of ctest's would then never close.
runner=$1
log=$(mktemp)
"$runner" "$2" "$3" "$4" --smoke >"$log" 2>&1
status=$?
cat "$log"
rm -f "$log"
exit $status
