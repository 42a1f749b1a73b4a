#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "app/InstanceLock.h"

namespace {

TEST(InstanceLockTest, OnlyOneHolderAtATimeAndReleasedWithTheObject) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QString::fromLatin1(InstanceLock::kLockName));
    {
        const InstanceLock first(path);
        ASSERT_TRUE(first.Acquired());
        const InstanceLock second(path);
        EXPECT_FALSE(second.Acquired());
        EXPECT_TRUE(second.HeldElsewhere());
    }
    const InstanceLock again(path);
    EXPECT_TRUE(again.Acquired());
}

TEST(InstanceLockTest, AnUnusablePathIsNoLockButNotAnotherInstance) {
    const InstanceLock lock(QStringLiteral("/nonexistent-folder/NoRepeat1"));
    EXPECT_FALSE(lock.Acquired());
    EXPECT_FALSE(lock.HeldElsewhere());
}

TEST(InstanceLockTest, DefaultPathFollowsTheRuntimeFolder) {
    QTemporaryDir folder;
    const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", folder.path().toLocal8Bit());
    EXPECT_EQ(InstanceLock::DefaultPath(), folder.path() + QStringLiteral("/NoRepeat1"));
    qunsetenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(InstanceLock::DefaultPath(), QStringLiteral("/tmp/NoRepeat1"));
    qputenv("XDG_RUNTIME_DIR", saved);
}

}  // namespace
