// Any datagram: Parse must stay inside it, and whatever it accepts must
// survive Build and Parse again unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "transport/rtp/RtpPacket.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto packet = RtpPacket::Parse({data, size});
    if (!packet) return 0;
    const auto again = RtpPacket::Parse(packet->Build());
    if (!again || again->payload != packet->payload || again->ssrc != packet->ssrc ||
        again->sequenceNumber != packet->sequenceNumber || again->timestamp != packet->timestamp ||
        again->payloadType != packet->payloadType || again->marker != packet->marker ||
        again->csrcs != packet->csrcs) {
        std::abort();
    }
    return 0;
}
