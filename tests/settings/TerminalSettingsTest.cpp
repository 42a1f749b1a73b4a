#include "settings/TerminalSettings.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

// The window's thread changes texts and numbers while workers read them;
// every read must see one whole value that was written.
TEST(TerminalSettingsTest, WorkersReadWholeValuesWhileTheWindowWrites) {
    TerminalSettings settings;
    const QString addresses[] = {QStringLiteral("10.0.0.1"), QStringLiteral("192.168.100.200")};
    const QString fonts[] = {QStringLiteral("宋体"), QStringLiteral("黑体")};
    std::atomic<bool> stop{false};
    std::atomic<int> tornReads{0};

    std::vector<std::thread> readers;
    for (int reader = 0; reader < 2; ++reader) {
        readers.emplace_back([&] {
            while (!stop) {
                const QString address = settings.partnerAddress();
                const QString font = settings.captionFontName();
                const int width = settings.pipWidth;
                if (address != addresses[0] && address != addresses[1] &&
                    address != QStringLiteral("192.168.0.1"))
                    ++tornReads;
                if (font != fonts[0] && font != fonts[1]) ++tornReads;
                if (width != 160 && width != 200 && width != 320) ++tornReads;
                settings.IsOn(Setting::PermitAdd);
            }
        });
    }
    for (int round = 0; round < 20000; ++round) {
        settings.SetPartnerAddress(addresses[round % 2]);
        settings.SetCaptionFontName(fonts[round % 2]);
        settings.SetText(Setting::PermitAdd,
                         round % 2 ? QStringLiteral("YES") : QStringLiteral("NO"));
        settings.pipWidth = round % 2 ? 200 : 320;
    }
    stop = true;
    for (std::thread& reader : readers) reader.join();
    EXPECT_EQ(tornReads, 0);
}

TEST(TerminalSettingsTest, StartsWithTheValuesBeforeTheLoad) {
    const TerminalSettings settings;
    EXPECT_EQ(settings.captionColour, 255u);
    EXPECT_EQ(settings.captionPositionCode, 33);
    EXPECT_EQ(settings.pipHeight, 120);
    EXPECT_EQ(settings.screenWidth, 1024);
    EXPECT_EQ(settings.screenHeight, 768);
    EXPECT_TRUE(settings.photoFolder().isEmpty());
    EXPECT_TRUE(settings.Text(Setting::CodeStyle).isEmpty());
}

TEST(TerminalSettingsTest, InsetSizesKeepTheFrameAspectTruncated) {
    TerminalSettings settings;
    const struct {
        int width;
        int height;
        int insetWidth;
        int insetHeight;
    } cases[] = {
        {352, 288, 160, 130},  {352, 288, 200, 163}, {352, 288, 512, 418},
        {1920, 1080, 160, 90}, {352, 288, 0, 0},
    };
    for (const auto& c : cases) {
        settings.videoWidth = c.width;
        settings.videoHeight = c.height;
        EXPECT_EQ(settings.InsetHeightFor(c.insetWidth), c.insetHeight) << c.insetWidth;
    }
    settings.videoWidth = 352;
    settings.videoHeight = 288;
    EXPECT_EQ(settings.InsetWidthFor(130), 158);
}

}  // namespace
