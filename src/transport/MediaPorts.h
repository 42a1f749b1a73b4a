#pragma once

#include <cstdint>

// Local port bases of the four sessions (RTCP on the next port up). Both
// terminals use the same numbers, so a sending session's destination port
// is the partner's matching receive port. Tests pass other numbers.
struct MediaPorts {
    uint16_t videoSendBase = 3500;
    uint16_t videoReceiveBase = 10000;
    uint16_t audioSendBase = 3550;
    uint16_t audioReceiveBase = 10010;
};
