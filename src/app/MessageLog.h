#pragma once

#include <QString>
#include <mutex>
#include <vector>

// Every message box shown since start, in order, with its answer; for the
// automation status. Boxes are recorded on the window's thread, the list may
// be read from anywhere.
class MessageLog {
public:
    struct Entry {
        QString caption;
        QString text;
        // "ok", "yes" or "no"; empty while a box is still open.
        QString answer;
    };

    // Returns the entry's index for SetAnswer.
    std::size_t Add(const QString& caption, const QString& text, const QString& answer = {});
    void SetAnswer(std::size_t index, const QString& answer);
    std::vector<Entry> Entries() const;

private:
    mutable std::mutex mutex_;
    std::vector<Entry> entries_;
};
