#include "audio/AlsaPcm.h"

#include <alsa/asoundlib.h>

#include <cstdlib>
#include <cstring>

namespace {

snd_pcm_t* Handle(void* pcm) { return static_cast<snd_pcm_t*>(pcm); }

int ApplyHardwareParameters(snd_pcm_t* pcm, const AlsaPcm::Format& format,
                            unsigned long periodFrames, unsigned ringPeriods) {
    snd_pcm_hw_params_t* params = nullptr;
    snd_pcm_hw_params_alloca(&params);
    int error = snd_pcm_hw_params_any(pcm, params);
    if (error < 0) return error;
    error = snd_pcm_hw_params_set_access(pcm, params, SND_PCM_ACCESS_RW_INTERLEAVED);
    if (error < 0) return error;
    const snd_pcm_format_t sampleFormat =
        format.bitsPerSample == 8 ? SND_PCM_FORMAT_U8 : SND_PCM_FORMAT_S16_LE;
    error = snd_pcm_hw_params_set_format(pcm, params, sampleFormat);
    if (error < 0) return error;
    error = snd_pcm_hw_params_set_channels(pcm, params, format.channels);
    if (error < 0) return error;
    unsigned rate = format.rateHz;
    error = snd_pcm_hw_params_set_rate_near(pcm, params, &rate, nullptr);
    if (error < 0) return error;
    snd_pcm_uframes_t period = periodFrames;
    error = snd_pcm_hw_params_set_period_size_near(pcm, params, &period, nullptr);
    if (error < 0) return error;
    snd_pcm_uframes_t ring = period * ringPeriods;
    error = snd_pcm_hw_params_set_buffer_size_near(pcm, params, &ring);
    if (error < 0) return error;
    return snd_pcm_hw_params(pcm, params);
}

bool IsCaptureHint(void* hint) {
    char* name = snd_device_name_get_hint(hint, "NAME");
    char* direction = snd_device_name_get_hint(hint, "IOID");
    const bool isDefault = name != nullptr && (std::strcmp(name, "default") == 0 ||
                                               std::strncmp(name, "default:", 8) == 0 ||
                                               std::strncmp(name, "sysdefault", 10) == 0);
    const bool canCapture = direction == nullptr || std::strcmp(direction, "Input") == 0;
    std::free(name);
    std::free(direction);
    return isDefault && canCapture;
}

bool HasConfiguredDefaultCapture() {
    void** hints = nullptr;
    if (snd_device_name_hint(-1, "pcm", &hints) < 0) return false;
    bool found = false;
    for (void** hint = hints; *hint != nullptr && !found; ++hint) found = IsCaptureHint(*hint);
    snd_device_name_free_hint(hints);
    return found;
}

}  // namespace

AlsaPcm::~AlsaPcm() { Close(); }

int AlsaPcm::Open(const std::string& device, Direction direction, const Format& format,
                  unsigned long periodFrames, unsigned ringPeriods) {
    Close();
    snd_pcm_t* pcm = nullptr;
    const snd_pcm_stream_t stream =
        direction == Direction::Capture ? SND_PCM_STREAM_CAPTURE : SND_PCM_STREAM_PLAYBACK;
    int error = snd_pcm_open(&pcm, device.c_str(), stream, 0);
    if (error < 0) return error;
    error = ApplyHardwareParameters(pcm, format, periodFrames, ringPeriods);
    if (error < 0) {
        snd_pcm_close(pcm);
        return error;
    }
    pcm_ = pcm;
    frameBytes_ = format.channels * (format.bitsPerSample == 8 ? 1 : 2);
    return 0;
}

long AlsaPcm::Read(void* frames, unsigned long frameCount) {
    return snd_pcm_readi(Handle(pcm_), frames, frameCount);
}

long AlsaPcm::Write(const void* frames, unsigned long frameCount) {
    return snd_pcm_writei(Handle(pcm_), frames, frameCount);
}

int AlsaPcm::Recover(int error) { return snd_pcm_recover(Handle(pcm_), error, 1); }

int AlsaPcm::Drop() { return snd_pcm_drop(Handle(pcm_)); }

int AlsaPcm::Drain() { return snd_pcm_drain(Handle(pcm_)); }

void AlsaPcm::Close() {
    if (pcm_ == nullptr) return;
    snd_pcm_close(Handle(pcm_));
    pcm_ = nullptr;
}

std::string AlsaPcm::ErrorText(int error) { return snd_strerror(error); }

bool AlsaPcm::HasCaptureDevice() {
    int card = -1;
    if (snd_card_next(&card) == 0 && card >= 0) return true;
    return HasConfiguredDefaultCapture();
}
