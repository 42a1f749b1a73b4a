#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

namespace {

QString BinaryFolder() { return qEnvironmentVariable("VP_BINARY_DIR"); }

QString Executable() { return BinaryFolder() + QStringLiteral("/videophone"); }

// One terminal process with its own working and runtime folders, driven over
// its control socket.
class Terminal {
public:
    Terminal(const QString& workFolder, const QString& runtimeFolder, const QString& controlPath,
             QStringList extraArguments = {}) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeFolder);
        process_.setProcessEnvironment(environment);
        process_.setWorkingDirectory(workFolder);
        process_.start(Executable(),
                       QStringList{QStringLiteral("--control"), controlPath} + extraArguments);
        process_.waitForStarted(30000);
        controlPath_ = controlPath;
    }
    ~Terminal() {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(10000);
        }
    }

    bool Connect() {
        const QDeadlineTimer deadline(60000);
        while (!deadline.hasExpired() && process_.state() != QProcess::NotRunning) {
            socket_.connectToServer(controlPath_);
            if (socket_.waitForConnected(500)) return true;
            QThread::msleep(100);
        }
        ADD_FAILURE() << "no control socket from " << Executable().toStdString() << " ("
                      << process_.errorString().toStdString()
                      << "); the terminal said: " << process_.readAllStandardError().toStdString();
        return false;
    }

    QJsonObject Request(const QByteArray& line) {
        socket_.write(line + '\n');
        socket_.waitForBytesWritten(5000);
        const QDeadlineTimer deadline(30000);
        while (!socket_.canReadLine() && !deadline.hasExpired()) {
            if (!socket_.waitForReadyRead(1000) &&
                socket_.state() != QLocalSocket::ConnectedState) {
                break;
            }
        }
        return QJsonDocument::fromJson(socket_.readLine()).object();
    }

    QProcess& Process() { return process_; }

private:
    QProcess process_;
    QLocalSocket socket_;
    QString controlPath_;
};

class TerminalProcessTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QDir(folder_.path()).mkpath(QStringLiteral("work")));
        ASSERT_TRUE(QDir(folder_.path()).mkpath(QStringLiteral("runtime")));
        QFile::setPermissions(Path("runtime"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QString Path(const char* name) const { return folder_.filePath(QString::fromLatin1(name)); }

    QTemporaryDir folder_;
};

TEST_F(TerminalProcessTest, StartsWithTheDefaultsWhenThereIsNoSystemIni) {
    Terminal terminal(Path("work"), Path("runtime"), Path("control"), {"--answer", "yes"});
    ASSERT_TRUE(terminal.Connect());
    const QJsonObject status = terminal.Request("status");
    EXPECT_EQ(status["title"].toString(), QStringLiteral("【澜川汇】视频电话终端"));
    EXPECT_EQ(status["panes"].toArray().size(), 8);
    EXPECT_EQ(status["panes"][0].toString(), QStringLiteral("       本机IP:"));
    const QJsonObject settings = status["settings"].toObject();
    EXPECT_EQ(settings["partnerAddress"].toString(), QStringLiteral("192.168.0.1"));
    EXPECT_EQ(settings["servicePort"].toInt(), 5928);
    EXPECT_EQ(settings["videoWidth"].toInt(), 352);
    EXPECT_EQ(settings["videoHeight"].toInt(), 288);
    EXPECT_EQ(settings["captionColour"].toInteger(), 16777215);
    EXPECT_EQ(settings["captionPositionCode"].toInt(), 40);
    EXPECT_EQ(settings["pipX"].toInt(), 0);
    EXPECT_EQ(settings["pipY"].toInt(), 0);
    EXPECT_EQ(settings["pipWidth"].toInt(), 160);
    EXPECT_EQ(settings["pipHeight"].toInt(), 130);
    EXPECT_EQ(status["panes"][1].toString(), settings["localAddress"].toString());
    const QDir programFolder(BinaryFolder());
    EXPECT_TRUE(programFolder.exists(QStringLiteral("vantorphoto")));
    EXPECT_TRUE(programFolder.exists(QStringLiteral("vantorrecord")));
    EXPECT_EQ(status["media"].toObject().size(), 18);
    EXPECT_EQ(status["counters"].toObject().size(), 10);
    EXPECT_EQ(status["menu"].toObject().size(), 17);
    EXPECT_FALSE(status["call"].toObject()["connected"].toBool());
    EXPECT_TRUE(status["messages"].toArray().isEmpty());
}

TEST_F(TerminalProcessTest, ASecondInstanceSaysSoAndEndsWhileTheFirstRunsOn) {
    Terminal first(Path("work"), Path("runtime"), Path("control"), {"--answer", "yes"});
    ASSERT_TRUE(first.Connect());

    Terminal second(Path("work"), Path("runtime"), Path("control2"), {"--answer", "yes"});
    ASSERT_TRUE(second.Process().waitForFinished(60000));
    EXPECT_NE(second.Process().exitCode(), 0);
    EXPECT_TRUE(QString::fromUtf8(second.Process().readAllStandardError())
                    .contains(QStringLiteral("程序已运行！")));
    EXPECT_FALSE(QFile::exists(Path("control2")));

    EXPECT_EQ(first.Request("status")["title"].toString(),
              QStringLiteral("【澜川汇】视频电话终端"));
    EXPECT_EQ(first.Process().state(), QProcess::Running);
}

TEST_F(TerminalProcessTest, QuitFollowsTheAnswerAndWrongInputGetsErrors) {
    Terminal terminal(Path("work"), Path("runtime"), Path("control"), {"--answer", "no"});
    ASSERT_TRUE(terminal.Connect());

    for (const QByteArray& wrong : {QByteArray("invoke 99999"), QByteArray("invoke abc"),
                                    QByteArray("bogus"), QByteArray(20000, 'x')}) {
        const QJsonObject reply = terminal.Request(wrong);
        EXPECT_EQ(reply["ok"], QJsonValue(false)) << wrong.left(20).toStdString();
        EXPECT_FALSE(reply["error"].toString().isEmpty());
    }

    EXPECT_TRUE(terminal.Request("quit")["ok"].toBool());
    const QJsonObject status = terminal.Request("status");
    EXPECT_EQ(terminal.Process().state(), QProcess::Running);
    const QJsonArray messages = status["messages"].toArray();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0]["caption"].toString(), QStringLiteral("系统退出"));
    EXPECT_EQ(messages[0]["text"].toString(), QStringLiteral("是否退出当前系统?"));
    EXPECT_EQ(messages[0]["answer"].toString(), QStringLiteral("no"));

    EXPECT_TRUE(terminal.Request("answer yes")["ok"].toBool());
    EXPECT_TRUE(terminal.Request("quit")["ok"].toBool());
    ASSERT_TRUE(terminal.Process().waitForFinished(60000));
    EXPECT_EQ(terminal.Process().exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(terminal.Process().exitCode(), 0)
        << terminal.Process().readAllStandardError().toStdString();
}

}  // namespace
