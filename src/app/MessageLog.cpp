#include "app/MessageLog.h"

std::size_t MessageLog::Add(const QString& caption, const QString& text, const QString& answer) {
    const std::lock_guard lock(mutex_);
    entries_.push_back({caption, text, answer});
    return entries_.size() - 1;
}

void MessageLog::SetAnswer(std::size_t index, const QString& answer) {
    const std::lock_guard lock(mutex_);
    if (index < entries_.size()) entries_[index].answer = answer;
}

std::vector<MessageLog::Entry> MessageLog::Entries() const {
    const std::lock_guard lock(mutex_);
    return entries_;
}
