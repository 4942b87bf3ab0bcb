#!/bin/sh
# The movie benchmark's smoke round under Wine, for ctest: a small movie made by the host's ffmpeg (4 s of
# 320x180 H.264 at 30 frames a second, a keyframe every 2 s, AAC sound), one round of everything, and a check
# that every figure was printed. No aim is checked: the figures are in the log.
#   movie_smoke.sh <runner: run_under_wine.sh> <e2e run dir> <fallback prefix> <movie_bench.exe> <work dir>
# Output goes through a file: the first program of a prefix whose server is not running starts Wine's server and
# services, which stay and keep the standard handles they were given; a pipe of ctest's would then never close.
runner=$1
work=$5
mkdir -p "$work" || exit 1
movie=$work/smoke-h264-aac.mp4
if [ ! -f "$movie" ]; then
    ffmpeg -hide_banner -loglevel error -y \
        -f lavfi -i "testsrc2=size=320x180:rate=30:duration=4" \
        -f lavfi -i "sine=frequency=440:sample_rate=48000:duration=4" \
        -map 0:v -map 1:a -c:v libx264 -pix_fmt yuv420p -g 60 -keyint_min 60 -sc_threshold 0 \
        -c:a aac -ac 2 "$movie.tmp.mp4" </dev/null || exit 1
    mv "$movie.tmp.mp4" "$movie" || exit 1
fi
log=$(mktemp)
windows_path=$(printf 'Z:%s' "$movie" | tr / '\\')
"$runner" "$2" "$3" "$4" "$windows_path" --runs 1 --seconds 2 --seeks 5 --reopens 5 >"$log" 2>&1
status=$?
cat "$log"
missing=0
for figure in "ratio play / decode" "ratio seek / floor" "largest while playing" "growth" \
    "longest hold of each command" "  close " "  seek " "  status position "; do
    if ! grep -q "$figure" "$log"; then
        echo "missing from the output: '$figure'"
        missing=1
    fi
done
rm -f "$log"
[ $status -eq 0 ] || { echo "movie_bench.exe exited with $status"; exit 1; }
exit $missing
