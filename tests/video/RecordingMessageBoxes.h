#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "app/MessageBoxes.h"

// Remembers every information box; answers every question with No.
class RecordingMessageBoxes : public MessageBoxes {
public:
    struct Box {
        std::string text;
        std::string caption;
    };

    void Inform(const std::string& text, const std::string& caption) override {
        std::lock_guard lock(mutex_);
        boxes_.push_back({text, caption});
    }
    bool Ask(const std::string&, const std::string&) override { return false; }

    std::vector<Box> boxes() const {
        std::lock_guard lock(mutex_);
        return boxes_;
    }

private:
    mutable std::mutex mutex_;
    std::vector<Box> boxes_;
};
