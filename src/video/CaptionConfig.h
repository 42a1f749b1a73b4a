#pragma once

#include <mutex>

#include "video/CaptionSettings.h"

// The caption settings shared between the window's thread, which replaces
// them when the caption dialog changes something, and the capture thread,
// which takes a copy for every frame.
class CaptionConfig {
public:
    void Set(const CaptionSettings& settings);
    CaptionSettings Get() const;

private:
    mutable std::mutex mutex_;
    CaptionSettings settings_;
};
