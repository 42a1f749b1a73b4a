#pragma once

#include <QByteArray>

#include <optional>

// Cuts the byte stream of one control connection into messages.
//
// The old terminals wrote each message with one send and took each read of up
// to 100 bytes as one message. TCP keeps no such boundaries, so this reader
// recognises the fixed sizes instead: a message's first bytes tell its length
// (11 for the two closing words, 18 for the welcome texts, 6 for "REJECT",
// 100 for a chat block), and a message is taken once that many bytes are
// there. The welcomes and "REJECT" are only ever the first words of the
// called side, so only there do they count; later a chat line with the same
// text keeps its 100 bytes. Bytes that never make up a whole message (a peer
// of another kind) are taken as one message by TakeRest, which the owner calls
// when no more bytes have come for a while, as a read would have done.
class ControlMessageReader {
public:
    // Whose messages this reader reads.
    enum class From { Caller, CalledSide };

    explicit ControlMessageReader(From from);

    // Bytes that may still be added before the next whole message is there;
    // the reader never holds more than one chat block.
    qsizetype Room() const;
    void Append(const QByteArray& bytes);

    // The text (bytes before the first zero) of the next whole message.
    std::optional<QByteArray> Next();
    // The text of whatever incomplete bytes are waiting, as one message.
    std::optional<QByteArray> TakeRest();
    bool HasRest() const { return !pending_.isEmpty(); }

private:
    // Length of the message at the head, or nullopt while more bytes are
    // needed to tell.
    std::optional<qsizetype> HeadLength() const;
    std::optional<qsizetype> FirstAnswerLength(const QByteArray& text, bool textEnded) const;
    QByteArray Take(qsizetype length);

    From from_;
    bool firstMessage_ = true;
    QByteArray pending_;
};
