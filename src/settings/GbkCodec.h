#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The one place that converts between the program's Unicode text and the GBK
// bytes of system.ini and of the control connection. Every call opens its own
// conversion state, so the functions may be used from any thread.
class GbkCodec {
public:
    // GBK bytes of text. A character GBK cannot hold becomes one '?' so that
    // the rest of the line keeps its place.
    static QByteArray Encode(const QString& text);

    // Text of GBK bytes. Each byte that does not start a valid GBK character,
    // and a lead byte cut off at the end, becomes U+FFFD.
    static QString Decode(QByteArrayView gbk);

    // The longest prefix of gbk that has at most maxBytes bytes and does not
    // split a two-byte character.
    static QByteArray CutToBytes(QByteArrayView gbk, qsizetype maxBytes);
};
