// Pictures from video packets (libavcodec): one decoder context, on the decode thread.
#pragma once

#include "media/ffmpeg.h"

#include <functional>

namespace media {

class CVideoDecoder {
public:
    // False when no decoder for the stream opens.
    bool Open(const AVStream* stream);
    // Feeds one packet (null: the end, every picture still held comes out) and hands each picture that
    // comes out to `take`, in presentation order. Packets the decoder refuses are passed over: a damaged
    // stream shows what decodes.
    void Decode(const AVPacket* packet, const std::function<void(AVFrame*)>& take);
    // Forgets everything held: after a seek, and before packets follow the end.
    void Flush();

private:
    CodecPtr m_codec;
    FramePtr m_frame;
};

} // namespace media
