#include <gtest/gtest.h>

#include <QImage>

#include "video/CaptionPainter.h"
#include "video/OverlayText.h"

namespace {

constexpr int kWidth = 352;
constexpr int kHeight = 288;

// The smallest rectangle holding every pixel that is not black.
QRect InkBounds(const QImage& picture) {
    QRect bounds;
    for (int y = 0; y < picture.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            if ((row[x] & 0xFFFFFF) != 0) bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}

QImage Black() {
    QImage picture(kWidth, kHeight, QImage::Format_RGB32);
    picture.fill(Qt::black);
    return picture;
}

CaptionSettings RedCaption(int positionCode) {
    CaptionSettings settings;
    settings.text = QStringLiteral("skyweld");
    settings.captionColour = 0x0000FF;  // red in the low byte
    settings.captionPositionCode = positionCode;
    return settings;
}

TEST(OverlayText, CaptionAloneOrWithTimeOfDay) {
    CaptionSettings settings;
    const QTime clock(9, 5, 7);
    EXPECT_EQ(OverlayText(settings, clock), QStringLiteral("skyweld"));
    settings.timeOn = true;
    EXPECT_EQ(OverlayText(settings, clock), QStringLiteral("skyweld    09:05:07 "));
    settings.text.clear();
    EXPECT_EQ(OverlayText(settings, QTime(23, 59, 59)), QStringLiteral("    23:59:59 "));
}

TEST(CaptionPainter, InkLandsWhereThePositionCodeSays) {
    struct Case {
        int code;
        bool bottom;
        int horizontal;  // -1 left, 0 centre, 1 right
    };
    const Case cases[] = {{32, false, -1}, {33, false, 0}, {34, false, 1},
                          {40, true, -1},  {41, true, 0},  {42, true, 1}};
    for (const Case& c : cases) {
        QImage picture = Black();
        CaptionPainter().Draw(picture, RedCaption(c.code), QStringLiteral("skyweld"));
        const QRect ink = InkBounds(picture);
        SCOPED_TRACE(c.code);
        ASSERT_FALSE(ink.isEmpty());
        EXPECT_LE(ink.height(), 32);
        if (c.bottom) {
            EXPECT_GE(ink.bottom(), kHeight - 12);
        } else {
            EXPECT_LE(ink.top(), 12);
        }
        const int centre = ink.center().x();
        if (c.horizontal < 0) {
            EXPECT_LE(ink.left(), 8);
        } else if (c.horizontal == 0) {
            EXPECT_NEAR(centre, kWidth / 2, 8);
        } else {
            EXPECT_GE(ink.right(), kWidth - 9);
        }
        // Only the caption colour (and its anti-aliased blends) is drawn.
        const QRgb sample = picture.pixel(ink.center());
        EXPECT_EQ(qGreen(sample), 0);
        EXPECT_EQ(qBlue(sample), 0);
    }
}

TEST(CaptionPainter, OpaqueBackgroundIsAWhiteBoxBehindTheText) {
    CaptionSettings settings = RedCaption(32);
    settings.transparentBackground = false;
    QImage picture = Black();
    CaptionPainter().Draw(picture, settings, QStringLiteral("skyweld"));
    EXPECT_EQ(picture.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(picture.pixel(kWidth - 1, kHeight - 1), qRgb(0, 0, 0));
}

TEST(CaptionPainter, OddSettingsDrawOrClipWithoutHarm) {
    struct Case {
        const char* name;
        QString fontName;
        int fontsize;
        QString text;
    };
    const Case cases[] = {
        {"empty caption", QStringLiteral("宋体"), 24, QString()},
        {"face longer than any platform allows", QString(300, QLatin1Char('F')), 24,
         QStringLiteral("skyweld")},
        {"caption wider than the picture", QStringLiteral("宋体"), 48, QString(400, QChar(0x6F22))},
        {"zero size", QStringLiteral("宋体"), 0, QStringLiteral("skyweld")},
        {"negative size", QStringLiteral("宋体"), -30, QStringLiteral("skyweld")},
        {"huge size", QStringLiteral("宋体"), 1 << 30, QStringLiteral("skyweld")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CaptionSettings settings = RedCaption(40);
        settings.fontName = c.fontName;
        settings.fontsize = c.fontsize;
        QImage picture = Black();
        CaptionPainter().Draw(picture, settings, c.text);
        EXPECT_EQ(picture.size(), QSize(kWidth, kHeight));
        EXPECT_EQ(InkBounds(picture).isEmpty(), c.text.isEmpty());
    }
}

TEST(CaptionPainter, ChineseCaptionDrawsWithTheFallbackFace) {
    CaptionSettings settings = RedCaption(40);
    settings.fontName = QStringLiteral("没有这个字体");
    QImage picture = Black();
    CaptionPainter().Draw(picture, settings, QStringLiteral("视频电话"));
    EXPECT_GE(InkBounds(picture).width(), 40);
}

}  // namespace
