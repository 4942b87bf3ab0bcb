// A decoded picture stretched to the destination rectangle as 32-bit pixels (blue, green, red, unused), the
// form the window takes it in (libswscale). One scaler per output thread; it keeps its context between
// pictures of the same size and format.
#pragma once

#include "media/ffmpeg.h"

#include <vector>

namespace media {

class CPictureScaler {
public:
    // Fills `pixels` with `width` x `height` pixels of `frame`. False (pixels untouched) when the sizes are
    // out of bounds or the format cannot be converted.
    bool Scale(const AVFrame* frame, int width, int height, std::vector<uint32_t>* pixels);

private:
    ScalerPtr m_context;
    // What the colour details were last set for: setting them rebuilds the context's tables, which is worth
    // skipping on every picture of a movie. Keyed by the sizes and format (any change may bring a new
    // context, perhaps at the old one's address), not by the context's pointer.
    int m_detailsKey[7] = {};
};

// Largest destination side the device draws: beyond any screen.
constexpr int kMaxDestinationSide = 8192;

} // namespace media
