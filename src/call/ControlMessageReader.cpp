#include "call/ControlMessageReader.h"

#include "call/ControlMessages.h"

ControlMessageReader::ControlMessageReader(From from) : from_(from) {}

qsizetype ControlMessageReader::Room() const {
    return ControlMessages::kChatBlockBytes - pending_.size();
}

void ControlMessageReader::Append(const QByteArray& bytes) { pending_.append(bytes.left(Room())); }

std::optional<QByteArray> ControlMessageReader::Next() {
    const std::optional<qsizetype> length = HeadLength();
    if (!length || pending_.size() < *length) {
        return std::nullopt;
    }
    return Take(*length);
}

std::optional<QByteArray> ControlMessageReader::TakeRest() {
    if (pending_.isEmpty()) {
        return std::nullopt;
    }
    return Take(pending_.size());
}

std::optional<qsizetype> ControlMessageReader::HeadLength() const {
    if (pending_.isEmpty()) {
        return std::nullopt;
    }
    const qsizetype zero = pending_.indexOf('\0');
    const bool textEnded = zero >= 0;
    const QByteArray text = textEnded ? pending_.left(zero) : pending_;
    if (from_ == From::CalledSide && firstMessage_) {
        if (const auto length = FirstAnswerLength(text, textEnded)) {
            return length;
        }
    }
    if (!textEnded) {
        // A block without its zero is a whole (if faulty) chat block.
        return pending_.size() >= ControlMessages::kChatBlockBytes
                   ? std::optional<qsizetype>(ControlMessages::kChatBlockBytes)
                   : std::nullopt;
    }
    if (text == ControlMessages::SystemQuitText() || text == ControlMessages::ServerQuitText()) {
        return ControlMessages::kQuitBytes;
    }
    return ControlMessages::kChatBlockBytes;
}

std::optional<qsizetype> ControlMessageReader::FirstAnswerLength(const QByteArray& text,
                                                                 bool textEnded) const {
    const QByteArray reject = ControlMessages::RejectText();
    // "REJECT" has no zero of its own, so whatever follows it belongs to the
    // next message.
    if (text.startsWith(reject)) {
        return reject.size();
    }
    if (textEnded &&
        (text == ControlMessages::WelcomeText() || text == ControlMessages::QuickWelcomeText())) {
        return ControlMessages::kWelcomeBytes;
    }
    return std::nullopt;
}

QByteArray ControlMessageReader::Take(qsizetype length) {
    const QByteArray message = pending_.left(length);
    pending_.remove(0, length);
    firstMessage_ = false;
    const qsizetype zero = message.indexOf('\0');
    return zero >= 0 ? message.left(zero) : message;
}
