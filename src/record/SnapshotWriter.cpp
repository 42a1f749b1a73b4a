#include "record/SnapshotWriter.h"

#include "record/BmpFile.h"

SnapshotWriter::SnapshotWriter(MessageBoxes& boxes, const MediaState& state,
                               MediaCounters& counters, ShutterCue playShutter, Clock clock)
    : boxes_(boxes),
      state_(state),
      counters_(counters),
      playShutter_(std::move(playShutter)),
      clock_(clock ? std::move(clock) : Clock([] { return std::time(nullptr); })) {}

void SnapshotWriter::SetFolder(std::string folder) {
    std::lock_guard lock(folderMutex_);
    folder_ = std::move(folder);
}

void SnapshotWriter::RequestSnapshot() {
    if (state_.remoteVideoOpen.load() == 0) {
        boxes_.Inform("请建立连接！");
        return;
    }
    requested_.store(true);
    if (playShutter_) playShutter_();
}

bool SnapshotWriter::IsRequested() const { return requested_.load(); }

void SnapshotWriter::WritePending(std::span<const uint8_t> rgb24BottomUp, int width, int height) {
    // Cleared before writing: a failed write must not stall the receive
    // thread on the same request frame after frame.
    if (!requested_.exchange(false)) return;
    const std::string path = PathNow();
    if (!BmpFile::Write(path, width, height, rgb24BottomUp)) {
        boxes_.Inform("无法保存抓拍文件：" + path);
        return;
    }
    counters_.snapshotsWritten.fetch_add(1, std::memory_order_relaxed);
}

std::string SnapshotWriter::PathNow() const {
    std::lock_guard lock(folderMutex_);
    return folder_ + "/" + FileNameAt(clock_());
}

std::string SnapshotWriter::FileNameAt(std::time_t when) {
    std::tm local{};
    localtime_r(&when, &local);
    char name[32];
    std::strftime(name, sizeof name, "%Y%m%d%H%M%S.bmp", &local);
    return name;
}
