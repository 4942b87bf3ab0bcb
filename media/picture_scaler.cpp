#include "media/picture_scaler.h"

#include <algorithm>

namespace media {

namespace {

// Television pictures use BT.709 from HD sizes on, BT.601 below, unless the stream says.
const int* Coefficients(const AVFrame* frame) {
    int space = frame->colorspace;
    if (space == AVCOL_SPC_UNSPECIFIED) space = frame->height >= 720 ? AVCOL_SPC_BT709 : AVCOL_SPC_SMPTE170M;
    return sws_getCoefficients(space);
}

} // namespace

bool CPictureScaler::Scale(const AVFrame* frame, int width, int height, std::vector<uint32_t>* pixels) {
    if (!frame || width <= 0 || height <= 0 || width > kMaxDestinationSide || height > kMaxDestinationSide ||
        frame->width <= 0 || frame->height <= 0)
        return false;
    const AVPixelFormat from = static_cast<AVPixelFormat>(frame->format);
    SwsContext* c = sws_getCachedContext(m_context.release(), frame->width, frame->height, from, width,
                                         height, AV_PIX_FMT_BGR0, SWS_BILINEAR, nullptr, nullptr, nullptr);
    m_context.reset(c);
    if (!c) {
        std::fill(m_detailsKey, m_detailsKey + 7, 0); // the next context is new whatever its sizes
        return false;
    }
    // Full-range input (JPEG) is told apart; the output is always full range, as the screen is.
    const int fullRange = frame->color_range == AVCOL_RANGE_JPEG || from == AV_PIX_FMT_YUVJ420P ||
                          from == AV_PIX_FMT_YUVJ422P || from == AV_PIX_FMT_YUVJ444P;
    const int* coefficients = Coefficients(frame);
    const int key[7] = {frame->width, frame->height, from, width, height, frame->colorspace, fullRange};
    if (!std::equal(key, key + 7, m_detailsKey)) {
        sws_setColorspaceDetails(c, coefficients, fullRange, sws_getCoefficients(AVCOL_SPC_BT709), 1, 0,
                                 1 << 16, 1 << 16);
        std::copy(key, key + 7, m_detailsKey);
    }
    pixels->resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    uint8_t* out[4] = {reinterpret_cast<uint8_t*>(pixels->data()), nullptr, nullptr, nullptr};
    const int outStride[4] = {width * 4, 0, 0, 0};
    return sws_scale(c, frame->data, frame->linesize, 0, frame->height, out, outStride) == height;
}

} // namespace media
