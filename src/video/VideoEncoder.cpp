#include "video/VideoEncoder.h"

#include <array>
#include <cstring>

extern "C" {
#include <x264.h>
}

namespace {

constexpr int kNalSliceNonIdr = 1;
constexpr int kNalSliceIdr = 5;
constexpr int kNalSps = 7;
constexpr int kNalPps = 8;

void ApplyFixedParameters(x264_param_t& p, int width, int height) {
    p.i_threads = 1;
    p.b_deterministic = 1;
    p.i_width = width;
    p.i_height = height;
    p.i_csp = X264_CSP_I420;
    p.i_level_idc = 31;
    p.i_frame_reference = 1;
    p.i_keyint_max = 6;
    p.i_keyint_min = 3;
    p.i_scenecut_threshold = 0;
    p.i_bframe = 0;
    p.b_deblocking_filter = 1;
    p.b_cabac = 0;
    p.b_constrained_intra = 1;
    p.i_cqm_preset = X264_CQM_FLAT;
    p.i_log_level = X264_LOG_NONE;
    p.analyse.intra = X264_ANALYSE_I8x8;
    p.analyse.inter = X264_ANALYSE_I8x8 | X264_ANALYSE_PSUB16x16 | X264_ANALYSE_BSUB16x16;
    p.rc.i_rc_method = X264_RC_ABR;
    p.rc.i_bitrate = 1024;
    p.rc.f_rf_constant = 25.0f;
    p.rc.f_rf_constant_max = 45.0f;
    p.rc.i_vbv_max_bitrate = 1228;
    p.b_repeat_headers = 1;
    p.b_annexb = 1;
    p.b_vfr_input = 0;
    p.i_fps_num = 15;
    p.i_fps_den = 1;
}

}  // namespace

struct VideoEncoder::Session {
    x264_t* encoder = nullptr;
    x264_picture_t picture{};
    bool pictureAllocated = false;
    int width = 0;
    int height = 0;
    int64_t presentationCounter = 0;
    std::array<uint8_t, kHeaderCapacityBytes> headers{};
    std::size_t headerBytes = 0;

    ~Session() {
        if (pictureAllocated) x264_picture_clean(&picture);
        if (encoder != nullptr) x264_encoder_close(encoder);
    }

    bool FetchHeaders() {
        x264_nal_t* nals = nullptr;
        int count = 0;
        if (x264_encoder_headers(encoder, &nals, &count) < 0) return false;
        for (int i = 0; i < count; ++i) {
            if (nals[i].i_type != kNalSps && nals[i].i_type != kNalPps) continue;
            const auto size = static_cast<std::size_t>(nals[i].i_payload);
            if (headerBytes + size > headers.size()) return false;
            std::memcpy(headers.data() + headerBytes, nals[i].p_payload, size);
            headerBytes += size;
        }
        return headerBytes > 0;
    }

    void CopyIntoPicture(const uint8_t* i420) {
        const int planeWidths[3] = {width, width / 2, width / 2};
        const int planeHeights[3] = {height, height / 2, height / 2};
        for (int plane = 0; plane < 3; ++plane) {
            uint8_t* row = picture.img.plane[plane];
            for (int y = 0; y < planeHeights[plane]; ++y) {
                std::memcpy(row, i420, static_cast<std::size_t>(planeWidths[plane]));
                row += picture.img.i_stride[plane];
                i420 += planeWidths[plane];
            }
        }
    }
};

VideoEncoder::VideoEncoder(MediaCounters& counters) : counters_(counters) {}

VideoEncoder::~VideoEncoder() = default;

bool VideoEncoder::Open(int width, int height) {
    std::lock_guard lock(mutex_);
    session_.reset();
    if (width <= 0 || height <= 0 || width % 2 != 0 || height % 2 != 0) return false;

    x264_param_t params;
    if (x264_param_default_preset(&params, "veryfast", "zerolatency") < 0) return false;
    ApplyFixedParameters(params, width, height);
    if (x264_param_apply_profile(&params, "baseline") < 0) return false;

    auto session = std::make_unique<Session>();
    session->width = width;
    session->height = height;
    session->encoder = x264_encoder_open(&params);
    if (session->encoder == nullptr) return false;
    x264_picture_init(&session->picture);
    if (x264_picture_alloc(&session->picture, X264_CSP_I420, width, height) < 0) return false;
    session->pictureAllocated = true;
    session->picture.i_type = X264_TYPE_AUTO;
    if (!session->FetchHeaders()) return false;
    session_ = std::move(session);
    return true;
}

bool VideoEncoder::Encode(std::span<const uint8_t> i420, EncodedFrame& out) {
    out.length = 0;
    out.idrFlag = 0;
    std::lock_guard lock(mutex_);
    if (!session_) return false;
    Session& s = *session_;
    const auto frameBytes = static_cast<std::size_t>(s.width) * s.height * 3 / 2;
    if (i420.size() < frameBytes) return false;

    s.CopyIntoPicture(i420.data());
    s.picture.i_pts = s.presentationCounter++;
    x264_nal_t* nals = nullptr;
    int count = 0;
    x264_picture_t encoded;
    if (x264_encoder_encode(s.encoder, &nals, &count, &s.picture, &encoded) <= 0) return false;

    std::memcpy(out.data.data(), s.headers.data(), s.headerBytes);
    std::size_t length = s.headerBytes;
    int idr = 0;
    for (int i = 0; i < count; ++i) {
        const int type = nals[i].i_type;
        if (type != kNalSliceNonIdr && type != kNalSliceIdr) continue;
        const auto size = static_cast<std::size_t>(nals[i].i_payload);
        // A frame that does not fit is not sent at all: half a picture
        // would only corrupt the partner's reference.
        if (length + size > out.data.size()) return false;
        std::memcpy(out.data.data() + length, nals[i].p_payload, size);
        length += size;
        if (type == kNalSliceIdr) idr = 1;
    }
    if (length == s.headerBytes) return false;
    out.length = length;
    out.idrFlag = idr;
    counters_.framesEncoded.fetch_add(1, std::memory_order_relaxed);
    return true;
}

void VideoEncoder::Close() {
    std::lock_guard lock(mutex_);
    session_.reset();
}

bool VideoEncoder::IsOpen() const {
    std::lock_guard lock(mutex_);
    return session_ != nullptr;
}

std::span<const uint8_t> VideoEncoder::Headers() const {
    std::lock_guard lock(mutex_);
    if (!session_) return {};
    return {session_->headers.data(), session_->headerBytes};
}
