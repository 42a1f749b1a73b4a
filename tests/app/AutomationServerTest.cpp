#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QJsonDocument>
#include <QTemporaryDir>

#include "app/AutomationServer.h"
#include "app/AutomationTarget.h"

namespace {

class FakeTarget : public AutomationTarget {
public:
    QJsonObject Status() override { return {{"title", "fake"}}; }
    bool HasCommand(int id) const override { return id == 32843; }
    void Invoke(int id) override { invoked.push_back(id); }
    void SetScriptedAnswer(bool yes) override { answers.push_back(yes); }
    QString Type(const QString& text) override {
        typed = text;
        return {};
    }
    QString Call(const QString&, quint16) override { return QStringLiteral("not yet"); }
    void Quit() override { ++quits; }

    std::vector<int> invoked;
    std::vector<bool> answers;
    QString typed;
    int quits = 0;
};

// A client on a plain socket that lets the server's event loop run while it
// waits for a reply.
class Client {
public:
    explicit Client(const QString& path) : descriptor_(::socket(AF_UNIX, SOCK_STREAM, 0)) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray native = QFile::encodeName(path);
        std::memcpy(address.sun_path, native.constData(), native.size());
        connected_ =
            ::connect(descriptor_, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
    }
    ~Client() { ::close(descriptor_); }

    bool Connected() const { return connected_; }
    void Send(const QByteArray& bytes) {
        qsizetype sent = 0;
        while (sent < bytes.size()) {
            const ssize_t n = ::send(descriptor_, bytes.constData() + sent,
                                     static_cast<size_t>(bytes.size() - sent), MSG_DONTWAIT);
            if (n > 0) sent += n;
            QCoreApplication::processEvents();
        }
    }
    // The next reply line as JSON; empty object after 5 s without one.
    QJsonObject Reply() {
        const QDeadlineTimer deadline(5000);
        while (!deadline.hasExpired()) {
            const qsizetype end = received_.indexOf('\n');
            if (end >= 0) {
                const QByteArray line = received_.left(end);
                received_.remove(0, end + 1);
                return QJsonDocument::fromJson(line).object();
            }
            char buffer[4096];
            const ssize_t n = ::recv(descriptor_, buffer, sizeof(buffer), MSG_DONTWAIT);
            if (n > 0) received_.append(buffer, n);
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
        return {};
    }
    QJsonObject Request(const QByteArray& line) {
        Send(line + '\n');
        return Reply();
    }

private:
    int descriptor_;
    bool connected_ = false;
    QByteArray received_;
};

class AutomationServerTest : public ::testing::Test {
protected:
    void SetUp() override {
        path_ = folder_.filePath("control");
        QString error;
        ASSERT_TRUE(server_.Listen(path_, error)) << error.toStdString();
    }

    QTemporaryDir folder_;
    QString path_;
    FakeTarget target_;
    AutomationServer server_{target_};
};

TEST_F(AutomationServerTest, AnswersEachVerb) {
    Client client(path_);
    ASSERT_TRUE(client.Connected());
    EXPECT_EQ(client.Request("status")["title"].toString(), QStringLiteral("fake"));
    EXPECT_TRUE(client.Request("invoke 32843")["ok"].toBool());
    EXPECT_EQ(target_.invoked, std::vector<int>{32843});
    EXPECT_TRUE(client.Request("answer no")["ok"].toBool());
    EXPECT_EQ(target_.answers, std::vector<bool>{false});
    EXPECT_TRUE(client.Request("type 你好")["ok"].toBool());
    EXPECT_EQ(target_.typed, QStringLiteral("你好"));
    const QJsonObject call = client.Request("call 127.0.0.1 5928");
    EXPECT_FALSE(call["ok"].toBool());
    EXPECT_EQ(call["error"].toString(), QStringLiteral("not yet"));
    EXPECT_TRUE(client.Request("quit")["ok"].toBool());
    EXPECT_EQ(target_.quits, 1);
}

TEST_F(AutomationServerTest, WrongInputGetsAnErrorAndTheConnectionGoesOn) {
    Client client(path_);
    const QByteArray wrong[] = {
        "invoke 12345",  // well-formed, but no such command
        "invoke 12x",
        "frobnicate",
        "",
        QByteArray(RequestLineSplitter::kMaxLineBytes + 10, 'x'),
        QByteArray("\xff\xfe status"),
    };
    for (const QByteArray& line : wrong) {
        SCOPED_TRACE(line.left(20).toStdString());
        const QJsonObject reply = client.Request(line);
        EXPECT_EQ(reply["ok"], QJsonValue(false));
        EXPECT_FALSE(reply["error"].toString().isEmpty());
    }
    EXPECT_TRUE(target_.invoked.empty());
    EXPECT_EQ(client.Request("status")["title"].toString(), QStringLiteral("fake"));
}

TEST_F(AutomationServerTest, PipelinedRequestsAreAnsweredInOrder) {
    Client client(path_);
    client.Send("answer yes\r\nstatus\ninvoke 32843\n");
    EXPECT_TRUE(client.Reply()["ok"].toBool());
    EXPECT_EQ(client.Reply()["title"].toString(), QStringLiteral("fake"));
    EXPECT_TRUE(client.Reply()["ok"].toBool());
    EXPECT_EQ(target_.answers, std::vector<bool>{true});
}

TEST_F(AutomationServerTest, ServesSeveralClientsAndSurvivesOneThatLeaves) {
    {
        Client leaving(path_);
        leaving.Send("stat");
    }
    Client first(path_);
    Client second(path_);
    EXPECT_EQ(second.Request("status")["title"].toString(), QStringLiteral("fake"));
    EXPECT_EQ(first.Request("status")["title"].toString(), QStringLiteral("fake"));
}

TEST(AutomationServerListenTest, ReplacesAStaleSocketButNoOtherFile) {
    QTemporaryDir folder;
    FakeTarget target;
    const QString path = folder.filePath("control");
    QString error;
    {
        AutomationServer first(target);
        ASSERT_TRUE(first.Listen(path, error));
    }
    // A socket file left behind is taken over.
    const int stale = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, QFile::encodeName(path).constData(), path.size());
    ASSERT_EQ(::bind(stale, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    ::close(stale);
    AutomationServer second(target);
    EXPECT_TRUE(second.Listen(path, error)) << error.toStdString();

    const QString plainFile = folder.filePath("notes.txt");
    QFile file(plainFile);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("keep me");
    file.close();
    AutomationServer third(target);
    EXPECT_FALSE(third.Listen(plainFile, error));
    EXPECT_TRUE(QFile::exists(plainFile));
}

}  // namespace
