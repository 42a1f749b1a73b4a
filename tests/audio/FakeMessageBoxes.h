#pragma once

#include <cctype>
#include <mutex>
#include <string>
#include <vector>

#include "app/MessageBoxes.h"

// Records every information box; the speech threads show theirs from their
// own threads.
class FakeMessageBoxes : public MessageBoxes {
public:
    void Inform(const std::string& text, const std::string&) override {
        std::lock_guard lock(mutex_);
        texts_.push_back(text);
    }
    bool Ask(const std::string&, const std::string&) override { return true; }
    std::vector<std::string> Texts() const {
        std::lock_guard lock(mutex_);
        return texts_;
    }

private:
    mutable std::mutex mutex_;
    std::vector<std::string> texts_;
};

// True for prefix + lower-case hex code + separator + a non-empty text, the
// shape of the device error boxes.
inline bool IsDeviceErrorBox(const std::string& text, const std::string& prefix,
                             const std::string& separator) {
    if (text.rfind(prefix, 0) != 0) return false;
    size_t at = prefix.size();
    const size_t digits = at;
    while (at < text.size() && std::isxdigit(static_cast<unsigned char>(text[at])) &&
           !std::isupper(static_cast<unsigned char>(text[at]))) {
        ++at;
    }
    return at > digits && text.compare(at, separator.size(), separator) == 0 &&
           text.size() > at + separator.size();
}
