#include "audio/LineLog.h"

LineLog::LineLog(const std::filesystem::path& path)
    : file_(path, std::ios::out | std::ios::trunc | std::ios::binary) {}

void LineLog::Write(std::string_view text) {
    file_.write(text.data(), static_cast<std::streamsize>(text.size()));
    file_.flush();
}
