#pragma once

#include <filesystem>
#include <fstream>
#include <string_view>

// A plain text log: created empty when constructed, each text written as
// given (no time stamp, no added line break) and flushed at once, so that
// the file tells what happened even if the process dies.
class LineLog {
public:
    explicit LineLog(const std::filesystem::path& path);
    void Write(std::string_view text);

private:
    std::ofstream file_;
};
