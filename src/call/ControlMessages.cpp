#include "call/ControlMessages.h"

#include "settings/GbkCodec.h"

QByteArray ControlMessages::Welcome() { return ZeroPadded(WelcomeText(), kWelcomeBytes); }

QByteArray ControlMessages::QuickWelcome() { return ZeroPadded(QuickWelcomeText(), kWelcomeBytes); }

QByteArray ControlMessages::Reject() { return RejectText(); }

QByteArray ControlMessages::SystemQuit() { return ZeroPadded(SystemQuitText(), kQuitBytes); }

QByteArray ControlMessages::ServerQuit() { return ZeroPadded(ServerQuitText(), kQuitBytes); }

QByteArray ControlMessages::ChatBlock(const QString& text) {
    return ZeroPadded(CutChatText(text), kChatBlockBytes);
}

QString ControlMessages::SentChatText(const QString& text) {
    return GbkCodec::Decode(CutChatText(text));
}

QByteArray ControlMessages::WelcomeText() {
    static const QByteArray text = GbkCodec::Encode(QStringLiteral("欢迎登录和交流!"));
    return text;
}

QByteArray ControlMessages::QuickWelcomeText() {
    static const QByteArray text = GbkCodec::Encode(QStringLiteral("呼叫成功!"));
    return text;
}

QByteArray ControlMessages::RejectText() { return QByteArrayLiteral("REJECT"); }

QByteArray ControlMessages::SystemQuitText() { return QByteArrayLiteral("SYSTEMQUIT"); }

QByteArray ControlMessages::ServerQuitText() { return QByteArrayLiteral("SERVERQUIT"); }

QString ControlMessages::DecodeText(QByteArrayView gbk) {
    QString text = GbkCodec::Decode(gbk);
    for (QChar& c : text) {
        const bool allowedControl = c == u'\t' || c == u'\r' || c == u'\n';
        if ((c.category() == QChar::Other_Control && !allowedControl)) {
            c = QChar::ReplacementCharacter;
        }
    }
    return text;
}

QByteArray ControlMessages::ZeroPadded(const QByteArray& text, qsizetype totalBytes) {
    QByteArray message = text;
    message.append(totalBytes - text.size(), '\0');
    return message;
}

QByteArray ControlMessages::CutChatText(const QString& text) {
    QByteArray gbk = GbkCodec::Encode(text);
    // A zero byte would end the text early on the other side.
    gbk.replace('\0', '?');
    return GbkCodec::CutToBytes(gbk, kMaxChatTextBytes);
}
