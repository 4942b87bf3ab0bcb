#!/usr/bin/env bash
# Fixture of the end-to-end cases: one X display and one Wine prefix for the whole run, and the test movies.
#   setup_run.sh SOURCE_DIR RUN_DIR
set -euo pipefail
src=$1
run=$2
"$src/scripts/wine-env" setup "$run"
"$src/scripts/make-movies" "$run/movies" >/dev/null
echo "e2e run ready in $run"
