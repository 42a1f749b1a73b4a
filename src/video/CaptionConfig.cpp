#include "video/CaptionConfig.h"

void CaptionConfig::Set(const CaptionSettings& settings) {
    std::lock_guard lock(mutex_);
    settings_ = settings;
}

CaptionSettings CaptionConfig::Get() const {
    std::lock_guard lock(mutex_);
    return settings_;
}
