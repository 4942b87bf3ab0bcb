// One way to open a decoder for a stream, shared by the picture and the sound decoders.
#pragma once

#include "media/ffmpeg.h"

#include <functional>

namespace media {

// The stream's decoder, opened with the stream's parameters and time base; `tune` sets options of the
// context before it opens. Null when there is no decoder or it does not open: a half-made context is never
// handed out (flushing one would crash).
CodecPtr OpenDecoder(const AVStream* stream, const std::function<void(AVCodecContext*)>& tune = nullptr);

} // namespace media
