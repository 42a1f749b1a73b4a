#pragma once

#include <cstdint>

#include "transport/rtp/RtpPacket.h"

// A packet as a source's queue hands it out.
struct ReceivedRtpPacket {
    RtpPacket packet;
    // Sequence number extended across the 16-bit wrap (RFC 3550 A.1).
    uint32_t extendedSequence = 0;
    int64_t arrivalMicros = 0;
};
