#pragma once

#include <atomic>
#include <cstdint>

// What really happened on the media paths since start, for the automation
// status. Each counter is bumped by the thread that did the work.
struct MediaCounters {
    std::atomic<uint64_t> framesCaptured{0};
    std::atomic<uint64_t> framesEncoded{0};
    std::atomic<uint64_t> videoPacketsSent{0};
    std::atomic<uint64_t> videoFramesReceived{0};
    std::atomic<uint64_t> framesDecoded{0};
    std::atomic<uint64_t> framesShown{0};
    std::atomic<uint64_t> audioBlocksSent{0};
    std::atomic<uint64_t> audioPacketsReceived{0};
    std::atomic<uint64_t> audioBlocksPlayed{0};
    std::atomic<uint64_t> snapshotsWritten{0};
};
