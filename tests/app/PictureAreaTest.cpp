#include <gtest/gtest.h>

#include <QCoreApplication>
#include <thread>

#include "app/PictureArea.h"

namespace {

QImage Filled(QColor colour) {
    QImage image(32, 24, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

TEST(PictureAreaTest, FramesFromAWorkerArriveAndOnlyTheNewestIsKept) {
    PictureArea area;
    std::thread worker([&area] {
        for (int i = 0; i < 200; ++i) area.ShowFrame(Filled(QColor(i, 0, 0)));
    });
    worker.join();
    EXPECT_TRUE(area.ShowsIdlePicture());
    QCoreApplication::processEvents();
    ASSERT_FALSE(area.ShowsIdlePicture());
    EXPECT_EQ(area.CurrentFrame().pixelColor(0, 0), QColor(199, 0, 0));
}

TEST(PictureAreaTest, BackToIdleDropsFramesHandedOverBefore) {
    PictureArea area;
    area.ShowFrame(Filled(Qt::red));
    QCoreApplication::processEvents();
    ASSERT_FALSE(area.ShowsIdlePicture());

    // A frame still on its way when the stream closes must not come back.
    std::thread worker([&area] { area.ShowFrame(Filled(Qt::green)); });
    worker.join();
    area.ShowIdlePicture();
    QCoreApplication::processEvents();
    EXPECT_TRUE(area.ShowsIdlePicture());

    // From a worker, too; a later frame shows again.
    std::thread closer([&area] { area.ShowIdlePicture(); });
    closer.join();
    area.ShowFrame(Filled(Qt::blue));
    QCoreApplication::processEvents();
    ASSERT_FALSE(area.ShowsIdlePicture());
    EXPECT_EQ(area.CurrentFrame().pixelColor(0, 0), QColor(Qt::blue));
}

TEST(PictureAreaTest, PaintsTheIdlePictureStretchedAndFramesScaled) {
    PictureArea area;
    area.resize(64, 48);
    QImage idle(2, 2, QImage::Format_RGB32);
    idle.fill(Qt::yellow);
    area.SetIdlePicture(idle);
    EXPECT_EQ(area.grab().toImage().pixelColor(63, 47), QColor(Qt::yellow));
    area.ShowFrame(Filled(Qt::blue));
    QCoreApplication::processEvents();
    const QImage shown = area.grab().toImage();
    EXPECT_EQ(shown.pixelColor(0, 0), QColor(Qt::blue));
    EXPECT_EQ(shown.pixelColor(63, 47), QColor(Qt::blue));
}

}  // namespace
