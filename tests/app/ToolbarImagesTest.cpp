#include <gtest/gtest.h>

#include <QFile>

#include "app/ToolbarImages.h"

// The pictures live in a static library.
static void LoadResources() { Q_INIT_RESOURCE(videophone); }

namespace {

TEST(ToolbarImagesTest, TheFirstPixelsColourBecomesTransparent) {
    QImage strip(4, 2, QImage::Format_RGB888);
    strip.fill(QColor(255, 0, 255));
    strip.setPixelColor(1, 1, Qt::green);
    strip.setPixelColor(2, 0, Qt::blue);
    const QList<QImage> images = ToolbarImages::Slice(strip, 2);
    ASSERT_EQ(images.size(), 2);
    EXPECT_EQ(qAlpha(images[0].pixel(0, 0)), 0);
    EXPECT_EQ(images[0].pixelColor(1, 1), QColor(Qt::green));
    EXPECT_EQ(images[1].pixelColor(0, 0), QColor(Qt::blue));
    EXPECT_EQ(qAlpha(images[1].pixel(1, 1)), 0);
}

TEST(ToolbarImagesTest, TheBuiltInStripHoldsEightPicturesOn24Bits) {
    LoadResources();
    QFile file(QStringLiteral(":/images/toolbar179.bmp"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    ASSERT_GT(bytes.size(), 30);
    EXPECT_EQ(bytes.left(2), "BM");
    EXPECT_EQ(static_cast<uint8_t>(bytes[28]), 24);  // bits per pixel
    const QImage strip = QImage::fromData(bytes);
    ASSERT_EQ(strip.size(), QSize(256, 32));
    const QList<QImage> images = ToolbarImages::Slice(strip);
    ASSERT_EQ(images.size(), 8);
    for (const QImage& image : images) {
        int opaque = 0;
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) opaque += qAlpha(image.pixel(x, y)) == 255;
        }
        // Each picture shows something, and leaves something transparent.
        EXPECT_GT(opaque, 100);
        EXPECT_LT(opaque, 1000);
    }
}

}  // namespace
