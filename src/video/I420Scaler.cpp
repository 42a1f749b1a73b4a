#include "video/I420Scaler.h"

extern "C" {
#include <libavutil/pixfmt.h>
#include <libswscale/swscale.h>
}

I420Scaler::~I420Scaler() { sws_freeContext(context_); }

bool I420Scaler::Scale(const Source& source, uint8_t* i420, int width, int height) {
    context_ = sws_getCachedContext(context_, source.width, source.height,
                                    static_cast<AVPixelFormat>(source.pixelFormat), width, height,
                                    AV_PIX_FMT_YUV420P, SWS_BILINEAR, nullptr, nullptr, nullptr);
    if (context_ == nullptr) return false;
    const int lumaBytes = width * height;
    uint8_t* const destination[4] = {i420, i420 + lumaBytes, i420 + lumaBytes + lumaBytes / 4,
                                     nullptr};
    const int destinationStrides[4] = {width, width / 2, width / 2, 0};
    return sws_scale(context_, source.planes, source.strides, 0, source.height, destination,
                     destinationStrides) == height;
}
