#include "AlsaFifo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <numbers>
#include <sstream>

namespace {

std::filesystem::path ProcessFolder() {
    return std::filesystem::temp_directory_path() / ("vp-audio-" + std::to_string(::getpid()));
}

void WriteTextFile(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::trunc) << text;
}

// The pipe has no reader until the device opens; retrying a non-blocking
// open keeps the writer stoppable meanwhile.
int OpenPipeForWriting(const std::filesystem::path& pipe, const std::atomic<bool>& stopping) {
    while (!stopping) {
        const int fd = ::open(pipe.c_str(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0) {
            ::fcntl(fd, F_SETFL, 0);
            return fd;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return -1;
}

}  // namespace

AlsaFifo::AlsaFifo(Playback playback) : folder_(ProcessFolder()), playback_(playback) {
    std::signal(SIGPIPE, SIG_IGN);  // the device may close the pipe first
    std::filesystem::create_directories(folder_);
    const auto pipe = folder_ / "in.fifo";
    std::filesystem::remove(pipe);
    std::filesystem::remove(folder_ / "out.raw");
    ::mkfifo(pipe.c_str(), 0600);
    if (playback == Playback::PacedPipe) {
        ::mkfifo((folder_ / "out.raw").c_str(), 0600);
        drainer_ = std::thread([this] { Drain(); });
    }
    // A configuration file of another name makes ALSA load it afresh when
    // several tests run in one process.
    const auto config =
        folder_ / (playback == Playback::PacedPipe ? "asound-paced.conf" : "asound.conf");
    WriteTextFile(config,
                  "pcm.!default { type asym\n"
                  "  capture.pcm { type file; slave.pcm \"null\"; file \"/dev/null\"; "
                  "infile \"" +
                      pipe.string() +
                      "\"; format \"raw\" }\n"
                      "  playback.pcm { type file; slave.pcm \"null\"; file \"" +
                      (folder_ / "out.raw").string() + "\"; format \"raw\" } }\n");
    ::setenv("ALSA_CONFIG_PATH", ("/usr/share/alsa/alsa.conf:" + config.string()).c_str(), 1);
}

AlsaFifo::~AlsaFifo() {
    stopping_ = true;
    if (writer_.joinable()) writer_.join();
    if (drainer_.joinable()) drainer_.join();
    std::filesystem::remove_all(folder_);
}

void AlsaFifo::StartWriting(std::vector<PcmBlock> blocks, std::chrono::milliseconds pause) {
    writer_ = std::thread(
        [this, blocks = std::move(blocks), pause]() mutable { Write(std::move(blocks), pause); });
}

void AlsaFifo::Write(std::vector<PcmBlock> blocks, std::chrono::milliseconds pause) {
    const int fd = OpenPipeForWriting(folder_ / "in.fifo", stopping_);
    if (fd < 0) return;
    for (const auto& block : blocks) {
        if (stopping_ ||
            ::write(fd, block.data(), block.size()) != static_cast<ssize_t>(block.size())) {
            break;
        }
        std::this_thread::sleep_for(pause);
    }
    ::close(fd);
}

// Reads 320 bytes (20 ms at 8000 Hz) every 20 ms from a one-page pipe.
void AlsaFifo::Drain() {
    const int fd = ::open((folder_ / "out.raw").c_str(), O_RDONLY | O_NONBLOCK);
    if (fd < 0) return;
    ::fcntl(fd, F_SETPIPE_SZ, 4096);
    uint8_t chunk[320];
    while (!stopping_) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got > 0) {
            std::lock_guard lock(drainedMutex_);
            drained_.insert(drained_.end(), chunk, chunk + got);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ::close(fd);
}

std::vector<uint8_t> AlsaFifo::ReadPlayed() const {
    if (playback_ == Playback::PacedPipe) {
        std::lock_guard lock(drainedMutex_);
        return drained_;
    }
    std::ifstream in(folder_ / "out.raw", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void AlsaFifo::UseConfigWithoutDevices() {
    const auto folder = ProcessFolder();
    std::filesystem::create_directories(folder);
    WriteTextFile(folder / "empty.conf", "\n");
    ::setenv("ALSA_CONFIG_PATH", (folder / "empty.conf").c_str(), 1);
}

std::vector<PcmBlock> MakeToneBlocks(size_t count) {
    std::vector<PcmBlock> blocks(count);
    for (size_t b = 0; b < count; ++b) {
        for (size_t i = 0; i < kBlockFrames; ++i) {
            const double t = static_cast<double>(b * kBlockFrames + i) / 8000.0;
            const auto sample =
                static_cast<int16_t>(std::lround(10000 * std::sin(2 * std::numbers::pi * 440 * t)));
            const auto bits = static_cast<uint16_t>(sample);
            blocks[b][2 * i] = static_cast<uint8_t>(bits & 0xFF);
            blocks[b][2 * i + 1] = static_cast<uint8_t>(bits >> 8);
        }
    }
    return blocks;
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

std::string ReadTextFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}
