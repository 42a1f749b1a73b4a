#include "settings/GbkCodec.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <type_traits>

namespace {

// Windows code page 936 is what the other terminal and its files use.
constexpr const char* kGbkName = "GBK";
constexpr const char kReplacementUtf8[] = "\xEF\xBF\xBD";

struct IconvCloser {
    void operator()(void* handle) const { iconv_close(static_cast<iconv_t>(handle)); }
};
using IconvHandle = std::unique_ptr<std::remove_pointer_t<iconv_t>, IconvCloser>;

IconvHandle OpenConverter(const char* to, const char* from) {
    iconv_t handle = iconv_open(to, from);
    if (handle == reinterpret_cast<iconv_t>(-1)) return IconvHandle{};
    return IconvHandle{handle};
}

// Length of the UTF-8 sequence that starts with lead (1 for a stray byte).
qsizetype Utf8SequenceLength(unsigned char lead) {
    if (lead >= 0xF0) return 4;
    if (lead >= 0xE0) return 3;
    if (lead >= 0xC0) return 2;
    return 1;
}

bool IsGbkLeadByte(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }

// Converts input; at a sequence the converter rejects, appends replacement
// and skips what skipLength says, so one bad character never costs the rest.
template <typename SkipLength>
QByteArray Convert(iconv_t converter, QByteArrayView input, QByteArrayView replacement,
                   SkipLength skipLength) {
    QByteArray source(input.data(), input.size());
    QByteArray output;
    output.reserve(input.size() * 3 + 16);
    char* in = source.data();
    size_t inLeft = static_cast<size_t>(source.size());
    char buffer[1024];
    while (inLeft > 0) {
        char* out = buffer;
        size_t outLeft = sizeof buffer;
        const size_t result = iconv(converter, &in, &inLeft, &out, &outLeft);
        output.append(buffer, out - buffer);
        if (result != static_cast<size_t>(-1) || errno == E2BIG) continue;
        output.append(replacement);
        const auto skip = std::min<size_t>(inLeft, static_cast<size_t>(skipLength(in, inLeft)));
        in += skip;
        inLeft -= skip;
        iconv(converter, nullptr, nullptr, nullptr, nullptr);
    }
    return output;
}

// Without a converter (no gconv modules) ASCII still passes through.
QByteArray AsciiOnly(QByteArrayView input, QByteArrayView replacement) {
    QByteArray output;
    for (const char byte : input) {
        if (static_cast<unsigned char>(byte) < 0x80)
            output.append(byte);
        else
            output.append(replacement);
    }
    return output;
}

}  // namespace

QByteArray GbkCodec::Encode(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    const IconvHandle converter = OpenConverter(kGbkName, "UTF-8");
    if (!converter) return AsciiOnly(utf8, "?");
    return Convert(converter.get(), utf8, "?", [](const char* at, size_t) {
        return Utf8SequenceLength(static_cast<unsigned char>(*at));
    });
}

QString GbkCodec::Decode(QByteArrayView gbk) {
    const IconvHandle converter = OpenConverter("UTF-8", kGbkName);
    if (!converter) return QString::fromUtf8(AsciiOnly(gbk, kReplacementUtf8));
    return QString::fromUtf8(
        Convert(converter.get(), gbk, kReplacementUtf8, [](const char*, size_t) { return 1; }));
}

QByteArray GbkCodec::CutToBytes(QByteArrayView gbk, qsizetype maxBytes) {
    qsizetype end = 0;
    while (end < gbk.size()) {
        const qsizetype length = IsGbkLeadByte(static_cast<unsigned char>(gbk[end])) ? 2 : 1;
        if (end + length > maxBytes) break;
        end += length;
    }
    return QByteArray(gbk.data(), std::min(end, gbk.size()));
}
