#include "app/RequestLineSplitter.h"

QList<RequestLineSplitter::Line> RequestLineSplitter::Feed(const QByteArray& bytes) {
    QList<Line> lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        const qsizetype end = bytes.indexOf('\n', start);
        const QByteArrayView piece = end < 0 ? QByteArrayView(bytes).sliced(start)
                                             : QByteArrayView(bytes).sliced(start, end - start);
        if (!skipping_) {
            if (pending_.size() + piece.size() > kMaxLineBytes) {
                lines.append({{}, true});
                pending_.clear();
                skipping_ = true;
            } else {
                pending_.append(piece);
            }
        }
        if (end < 0) break;
        if (!skipping_) lines.append({pending_, false});
        pending_.clear();
        skipping_ = false;
        start = end + 1;
    }
    return lines;
}
