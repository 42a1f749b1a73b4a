#include "audio/PlaySound1.h"

#include <cstdio>
#include <cstdlib>

#include "app/MessageBoxes.h"
#include "audio/SpeechFormat.h"
#include "call/MediaCounters.h"

namespace {
// A second of sound at 8000 Hz: blocks arrive at the sender's pace, and the
// ring absorbs their jitter without blocking the thread.
constexpr unsigned kRingPeriods = 16;
}  // namespace

PlaySound1::PlaySound1(MessageBoxes& boxes, MediaCounters& counters, Options options)
    : format_{options.sampleRateHz, 1, 16},
      log_(options.logPath),
      boxes_(boxes),
      counters_(counters),
      device_(std::move(options.device)),
      thread_([this](ThreadMessage& message) { Handle(message); }) {
    log_.Write("\n In the constructor of Play sound");
}

PlaySound1::~PlaySound1() { thread_.Stop(); }

void PlaySound1::Post(uint32_t message) { thread_.Post({message, {}}); }

void PlaySound1::PlayBlock(const PcmBlock& block) {
    thread_.Post({WM_PLAYSOUND_BLOCK, std::vector<uint8_t>(block.begin(), block.end())});
}

void PlaySound1::Handle(ThreadMessage& message) {
    switch (message.id) {
        case WM_PLAYSOUND_START:
            StartPlaying();
            break;
        case WM_PLAYSOUND_STOP:
            StopPlaying();
            break;
        case WM_PLAYSOUND_BLOCK:
            PlayOwnedBlock(message.block);
            break;
        case WM_PLAYSOUND_END:
            EndPlaying();
            break;
        default:
            break;
    }
}

void PlaySound1::StartPlaying() {
    if (open_) return;
    log_.Write("\n Starting playing");
    const int error =
        pcm_.Open(device_, AlsaPcm::Direction::Playback, format_, kBlockFrames, kRingPeriods);
    if (error < 0) {
        char text[400];
        std::snprintf(text, sizeof text, "PLAY : %s :%x:%s", "PlayStart",
                      static_cast<unsigned>(std::abs(error)), AlsaPcm::ErrorText(error).c_str());
        boxes_.Inform(text);
        return;
    }
    open_ = true;
}

void PlaySound1::StopPlaying() {
    if (!open_) return;
    log_.Write("\n Stopped  playing");
    if (pcm_.Drop() < 0) return;  // the device stays open and counted open
    open_ = false;
    pcm_.Close();
}

void PlaySound1::PlayOwnedBlock(const std::vector<uint8_t>& block) {
    if (!pcm_.IsOpen()) {
        log_.Write("\nError while preparing header");
        return;
    }
    if (!WriteBlock(block)) {
        log_.Write("\nError while writing to device");
        return;
    }
    ++counters_.audioBlocksPlayed;
}

// An underrun leaves the stream stopped; it is recovered and the block
// written again, so a gap in arrivals never ends playback.
bool PlaySound1::WriteBlock(const std::vector<uint8_t>& block) {
    const unsigned long frames = block.size() / pcm_.FrameBytes();
    unsigned long written = 0;
    while (written < frames) {
        const long result =
            pcm_.Write(block.data() + written * pcm_.FrameBytes(), frames - written);
        if (result > 0) {
            written += static_cast<unsigned long>(result);
            continue;
        }
        if (result == 0) return false;
        ++underruns_;
        if (pcm_.Recover(static_cast<int>(result)) < 0) return false;
    }
    return true;
}

void PlaySound1::EndPlaying() {
    StopPlaying();
    log_.Write("\nEnding the play device");
    thread_.Quit();
}
