#include "settings/CommConfigStore.h"

#include <QFile>
#include <QTemporaryDir>

#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace {

using Key = CommConfigStore::Key;

class CommConfigStoreTest : public ::testing::Test {
protected:
    QString ProfilePath() const { return dir.filePath(QStringLiteral("videophone.ini")); }

    QTemporaryDir dir;
};

TEST_F(CommConfigStoreTest, EmptyProfileGivesTheDefaults) {
    const CommConfigStore store(ProfilePath());
    const struct {
        Key key;
        int value;
    } cases[] = {
        {Key::Port, 1},     {Key::Rate, 2},   {Key::Protocol, 0}, {Key::SpeedLr, 32},
        {Key::SpeedUd, 32}, {Key::Camera, 0}, {Key::Pos, 1},
    };
    for (const auto& c : cases) EXPECT_EQ(store.Read(c.key), c.value);
}

TEST_F(CommConfigStoreTest, WrittenValueIsInTheProfileAtOnce) {
    CommConfigStore(ProfilePath()).Write(Key::Camera, 17);
    EXPECT_EQ(CommConfigStore(ProfilePath()).Read(Key::Camera), 17);

    QFile file(ProfilePath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray content = file.readAll();
    EXPECT_TRUE(content.contains("[CommConfig]")) << content.data();
    EXPECT_TRUE(content.contains("camera=17")) << content.data();
}

TEST_F(CommConfigStoreTest, ValueThatIsNoNumberGivesTheDefault) {
    QFile file(ProfilePath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[CommConfig]\nport=abc\nrate=4\n");
    file.close();
    const CommConfigStore store(ProfilePath());
    EXPECT_EQ(store.Read(Key::Port), 1);
    EXPECT_EQ(store.Read(Key::Rate), 4);
}

}  // namespace
