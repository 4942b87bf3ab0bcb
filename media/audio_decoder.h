// Sound from audio packets (libavcodec), resampled (libswresample) to the one format the wave-out stream
// plays: 16-bit, mono or stereo, at the stream's own rate where a sound card takes it.
#pragma once

#include "media/ffmpeg.h"

#include <functional>
#include <vector>

namespace media {

class CAudioDecoder {
public:
    CAudioDecoder() = default;
    ~CAudioDecoder() { av_channel_layout_uninit(&m_inLayout); }
    CAudioDecoder(const CAudioDecoder&) = delete;
    CAudioDecoder& operator=(const CAudioDecoder&) = delete;
    // False when no decoder for the stream opens. The output format is fixed from then on.
    bool Open(const AVStream* stream);
    int Rate() const { return m_rate; }
    int Channels() const { return m_channels; }
    // Feeds one packet (null: the end) and hands each block of converted sound to `take`: interleaved
    // samples, their count in frames, and the block's timestamp in the stream's time base (AV_NOPTS_VALUE
    // when the stream has none). Damaged packets are passed over.
    using Take = std::function<void(const int16_t* samples, int frames, int64_t timestamp)>;
    void Decode(const AVPacket* packet, const Take& take);
    void Flush();

private:
    bool Convert(const AVFrame* frame, const Take& take);

    CodecPtr m_codec;
    FramePtr m_frame;
    ResamplerPtr m_resampler;
    AVChannelLayout m_inLayout{};
    int m_inFormat = -1, m_inRate = 0;
    int m_rate = 0, m_channels = 0;
    std::vector<int16_t> m_out;
};

} // namespace media
