#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "app/MessageBoxes.h"

// Keeps every information box's text and caption; questions answer Yes.
// Safe to use from several threads, as the real boxes are.
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
    bool Ask(const std::string&, const std::string&) override { return true; }

    std::vector<Box> Boxes() const {
        std::lock_guard lock(mutex_);
        return boxes_;
    }

private:
    mutable std::mutex mutex_;
    std::vector<Box> boxes_;
};
