// The floor of a seek: decoding from the keyframe before a frame to that frame, alone, in this process and
// with the DLLs and video decoder settings the movie device uses, and nothing else (no sound, no scaling, no
// drawing, no threads of its own). movie_bench.exe times "seek movie to N" against it.
#pragma once

#include "media/ffmpeg.h"
#include "media/timeline.h"

#include <cstdint>
#include <string>

namespace bench {

class CSeekFloor {
public:
    // Opens `utf8Path` and its best video stream's decoder. False (with the reason) when there is none.
    bool Open(const std::string& utf8Path, std::string* error);
    // Frame numbers as the device counts them: from 0, the first picture; length = duration x average rate.
    const media::CTimeline& Timeline() const { return m_timeline; }
    // Seeks the demuxer to the keyframe at or before `frame` (as the device's source does), flushes the
    // decoder and decodes until the picture of `frame` comes out. False when it never does. `decoded`
    // counts the pictures that came out on the way, the target's included.
    bool DecodeTo(int64_t frame, int* decoded);

private:
    int64_t ToStream(int64_t us) const; // timeline microseconds as a timestamp of the video stream

    media::FormatPtr m_format;
    media::CodecPtr m_codec;
    media::PacketPtr m_packet;
    media::FramePtr m_frame;
    AVStream* m_stream = nullptr;
    int64_t m_originUs = 0;
    media::CTimeline m_timeline;
};

} // namespace bench
