#include "media/open_decoder.h"

namespace media {

CodecPtr OpenDecoder(const AVStream* stream, const std::function<void(AVCodecContext*)>& tune) {
    const AVCodec* codec = avcodec_find_decoder(stream->codecpar->codec_id);
    if (!codec) return nullptr;
    CodecPtr context(avcodec_alloc_context3(codec));
    if (!context || avcodec_parameters_to_context(context.get(), stream->codecpar) < 0) return nullptr;
    context->pkt_timebase = stream->time_base;
    if (tune) tune(context.get());
    if (avcodec_open2(context.get(), codec, nullptr) < 0) return nullptr;
    return context;
}

} // namespace media
