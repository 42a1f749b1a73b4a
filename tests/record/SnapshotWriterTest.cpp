#include "record/SnapshotWriter.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <thread>
#include <vector>

#include "record/BmpFile.h"
#include "support/RecordingMessageBoxes.h"

namespace {

constexpr int kCifWidth = 352;
constexpr int kCifHeight = 288;
constexpr std::time_t kNoon = 1349440207;  // a fixed second

std::vector<uint8_t> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// A bottom-up picture whose bytes differ from row to row and pixel to pixel.
std::vector<uint8_t> PatternPicture(int width, int height) {
    std::vector<uint8_t> rgb(static_cast<std::size_t>(width) * height * 3);
    for (std::size_t i = 0; i < rgb.size(); ++i) rgb[i] = uint8_t(i * 7 + i / (width * 3));
    return rgb;
}

uint32_t LittleEndianAt(const std::vector<uint8_t>& b, std::size_t at, int bytes) {
    uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) value = value << 8 | b[at + i];
    return value;
}

class SnapshotWriterTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        writer.SetFolder(folder.path().toStdString());
        state.remoteVideoOpen = 1;
    }
    std::vector<std::filesystem::path> Files() const {
        std::vector<std::filesystem::path> files;
        for (const auto& e : std::filesystem::directory_iterator(folder.path().toStdString()))
            files.push_back(e.path());
        return files;
    }

    QTemporaryDir folder;
    RecordingMessageBoxes boxes;
    MediaState state;
    MediaCounters counters;
    int cuesPlayed = 0;
    std::time_t now = kNoon;
    SnapshotWriter writer{boxes, state, counters, [this] { ++cuesPlayed; }, [this] { return now; }};
    std::vector<uint8_t> picture = PatternPicture(kCifWidth, kCifHeight);
};

TEST_F(SnapshotWriterTest, WithoutRemoteVideoAsksForConnectionAndStaysSilent) {
    state.remoteVideoOpen = 0;
    writer.RequestSnapshot();
    const auto shown = boxes.Boxes();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "请建立连接！");
    EXPECT_EQ(shown[0].caption, "提示");
    EXPECT_EQ(cuesPlayed, 0);
    writer.WritePending(picture, kCifWidth, kCifHeight);
    EXPECT_TRUE(Files().empty());
}

TEST_F(SnapshotWriterTest, CifFileHasTheBmpHeaderAndTheBottomUpPixels) {
    writer.RequestSnapshot();
    EXPECT_EQ(cuesPlayed, 1);
    writer.WritePending(picture, kCifWidth, kCifHeight);
    EXPECT_FALSE(writer.IsRequested());
    EXPECT_EQ(counters.snapshotsWritten.load(), 1u);

    const std::string path =
        folder.filePath(QString::fromStdString(SnapshotWriter::FileNameAt(kNoon))).toStdString();
    const auto bytes = ReadFile(path);
    ASSERT_EQ(bytes.size(), 304182u);
    struct Field {
        std::size_t offset;
        int bytes;
        uint32_t value;
    };
    const Field fields[] = {{0, 2, 19778}, {2, 4, 304182}, {6, 2, 0},    {8, 2, 0},
                            {10, 4, 54},   {14, 4, 40},    {18, 4, 352}, {22, 4, 288},
                            {26, 2, 1},    {28, 2, 24},    {30, 4, 0},   {34, 4, 304128},
                            {38, 4, 0},    {42, 4, 0},     {46, 4, 0},   {50, 4, 0}};
    for (const Field& f : fields) {
        EXPECT_EQ(LittleEndianAt(bytes, f.offset, f.bytes), f.value) << "offset " << f.offset;
    }
    EXPECT_TRUE(std::equal(picture.begin(), picture.end(), bytes.begin() + 54));
}

// ffmpeg reads the file back, top row first, as the picture we wrote.
TEST_F(SnapshotWriterTest, FfmpegReadsBackTheSamePicture) {
    writer.RequestSnapshot();
    writer.WritePending(picture, kCifWidth, kCifHeight);
    const std::string path = Files().at(0).string();
    const std::string command =
        "ffmpeg -v error -i '" + path + "' -f rawvideo -pix_fmt bgr24 - 2>/dev/null";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    ASSERT_NE(pipe, nullptr);
    std::vector<uint8_t> topDown(picture.size());
    ASSERT_EQ(std::fread(topDown.data(), 1, topDown.size(), pipe.get()), topDown.size());
    const std::size_t rowBytes = kCifWidth * 3;
    for (int row = 0; row < kCifHeight; ++row) {
        ASSERT_TRUE(std::equal(topDown.begin() + row * rowBytes,
                               topDown.begin() + (row + 1) * rowBytes,
                               picture.begin() + (kCifHeight - 1 - row) * rowBytes))
            << "row " << row;
    }
}

TEST_F(SnapshotWriterTest, TwoSnapshotsInOneSecondGiveOneFile) {
    for (int i = 0; i < 2; ++i) {
        writer.RequestSnapshot();
        picture[100] = uint8_t(i);
        writer.WritePending(picture, kCifWidth, kCifHeight);
    }
    const auto files = Files();
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].filename().string(), SnapshotWriter::FileNameAt(kNoon));
    EXPECT_EQ(ReadFile(files[0].string())[54 + 100], 1);  // the second one

    now += 1;
    writer.RequestSnapshot();
    writer.WritePending(picture, kCifWidth, kCifHeight);
    EXPECT_EQ(Files().size(), 2u);
}

TEST_F(SnapshotWriterTest, OnlyARequestWritesAFile) {
    writer.WritePending(picture, kCifWidth, kCifHeight);
    writer.RequestSnapshot();
    writer.RequestSnapshot();  // still one pending request
    writer.WritePending(picture, kCifWidth, kCifHeight);
    now += 5;
    writer.WritePending(picture, kCifWidth, kCifHeight);
    EXPECT_EQ(Files().size(), 1u);
    EXPECT_EQ(counters.snapshotsWritten.load(), 1u);
}

TEST_F(SnapshotWriterTest, UncreatableFileIsReportedAndTheRequestCleared) {
    writer.SetFolder(folder.filePath("missing").toStdString());
    writer.RequestSnapshot();
    writer.WritePending(picture, kCifWidth, kCifHeight);
    EXPECT_FALSE(writer.IsRequested());
    const auto shown = boxes.Boxes();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].caption, "提示");
    EXPECT_NE(shown[0].text.find("missing"), std::string::npos);
    EXPECT_EQ(counters.snapshotsWritten.load(), 0u);
    writer.WritePending(picture, kCifWidth, kCifHeight);
    EXPECT_EQ(boxes.Boxes().size(), 1u);
}

TEST(SnapshotWriterNameTest, NamedByLocalTime) {
    std::tm local{};
    local.tm_year = 2012 - 1900;
    local.tm_mon = 9;
    local.tm_mday = 5;
    local.tm_hour = 14;
    local.tm_min = 30;
    local.tm_sec = 7;
    local.tm_isdst = -1;
    EXPECT_EQ(SnapshotWriter::FileNameAt(std::mktime(&local)), "20121005143007.bmp");
}

// The request is raised on the window's thread while the receive thread
// serves it (run under ThreadSanitizer).
TEST_F(SnapshotWriterTest, RequestsFromAnotherThreadAreServed) {
    std::atomic<bool> done{false};
    std::thread receiver([&] {
        const std::vector<uint8_t> small = PatternPicture(4, 2);
        while (!done.load()) writer.WritePending(small, 4, 2);
    });
    for (int i = 0; i < 50; ++i) {
        writer.RequestSnapshot();
        writer.SetFolder(folder.path().toStdString());
        std::this_thread::yield();
    }
    while (writer.IsRequested()) std::this_thread::yield();
    done = true;
    receiver.join();
    EXPECT_GE(counters.snapshotsWritten.load(), 1u);
    EXPECT_EQ(Files().size(), 1u);
}

}  // namespace
