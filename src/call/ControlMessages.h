#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The bytes of every message on the control connection and the text of a
// received one. Each message is a fixed number of bytes with no header; a
// text ends at its first zero byte and the filler after it means nothing (we
// write zeros).
class ControlMessages {
public:
    static constexpr qsizetype kWelcomeBytes = 18;
    static constexpr qsizetype kQuitBytes = 11;
    static constexpr qsizetype kChatBlockBytes = 100;
    // A chat text keeps room for its terminating zero.
    static constexpr qsizetype kMaxChatTextBytes = kChatBlockBytes - 1;

    // The called side's answers: 18 bytes each, the text and its zero first.
    static QByteArray Welcome();
    static QByteArray QuickWelcome();
    // Six bytes, no terminating zero.
    static QByteArray Reject();
    // "SYSTEMQUIT" (the caller leaves) and "SERVERQUIT" (the service stops),
    // each with its zero: 11 bytes.
    static QByteArray SystemQuit();
    static QByteArray ServerQuit();
    // A 100-byte block. Text beyond 99 GBK bytes is cut at a character
    // boundary; a character GBK cannot hold becomes '?'.
    static QByteArray ChatBlock(const QString& text);
    // The text that ChatBlock really sends, as the sender's transcript shows it.
    static QString SentChatText(const QString& text);

    // GBK texts (without zero) that the reader recognises.
    static QByteArray WelcomeText();
    static QByteArray QuickWelcomeText();
    static QByteArray RejectText();
    static QByteArray SystemQuitText();
    static QByteArray ServerQuitText();

    // Unicode text of received message bytes: invalid GBK becomes U+FFFD and
    // so does every control character except tab, CR and LF, so a peer cannot
    // put anything but plain text into the transcript.
    static QString DecodeText(QByteArrayView gbk);

private:
    static QByteArray ZeroPadded(const QByteArray& text, qsizetype totalBytes);
    static QByteArray CutChatText(const QString& text);
};
