#pragma once

#include <QByteArray>
#include <QList>

// Cuts the byte stream of one automation connection into request lines. A
// line longer than the limit is reported once as too long and skipped up to
// its end, so a peer can neither grow the buffer without bound nor wedge the
// connection.
class RequestLineSplitter {
public:
    static constexpr qsizetype kMaxLineBytes = 16384;

    struct Line {
        QByteArray text;  // without the line feed
        bool tooLong = false;
    };

    QList<Line> Feed(const QByteArray& bytes);

private:
    QByteArray pending_;
    // Inside an overlong line that was already reported.
    bool skipping_ = false;
};
