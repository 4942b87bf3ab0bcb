// A decode of a movie's first seconds through FFmpeg's libraries with nothing done to the frames: the floor
// the movie device's playing is measured against. decode_pass.exe prints one such pass; movie_bench.exe runs
// it in its own process, with the decoder settings the device uses, between its rounds of playing.
#pragma once

#include <string>

namespace bench {

struct DecodeOptions {
    double seconds = -1; // media seconds from each stream's start; < 0: to the end
    bool audio = false;  // the best audio stream too
    int threads = 1;     // the video decoder's thread count (0: as many as the machine has cores)
};

struct DecodeCounts {
    std::string videoCodec = "none", audioCodec = "none"; // FFmpeg's decoder names
    long long videoFrames = 0, audioFrames = 0, audioSamples = 0;
    long long damaged = 0; // packets a decoder refused as damaged: skipped, as a player would
};

// Opens `utf8Path` by its content (never its extension) and decodes its best video stream (with
// `options.audio` also its best audio stream) for `options.seconds` of media, or to the end. Frames at or
// past the limit are not counted. False when the file cannot be opened, has nothing to decode, or a decoder
// fails outright; `error` then says why. Damaged packets are counted, not failures.
bool DecodeFile(const std::string& utf8Path, const DecodeOptions& options, DecodeCounts* counts,
                std::string* error);

} // namespace bench
