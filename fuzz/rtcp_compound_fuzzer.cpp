// Any datagram: Parse must stay inside it, and a compound it accepts must
// build into one that parses again with the same reports.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "transport/rtp/RtcpCompound.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto compound = RtcpCompound::Parse({data, size});
    if (!compound) return 0;
    const auto again = RtcpCompound::Parse(compound->Build());
    if (!again || again->senderSsrc != compound->senderSsrc ||
        again->senderInfo.has_value() != compound->senderInfo.has_value()) {
        std::abort();
    }
    return 0;
}
