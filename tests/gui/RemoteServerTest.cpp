// The remote-command socket, driven by real QLocalSocket clients: the line protocol, the
// order of answers, several clients during a READ, long and binary lines, and where and how
// the socket is created. Every wait is bounded.
// The simulator comes before Qt: Qt's "signals" keyword would clash with its input signals.
#include "OperationsRig.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <functional>
#include <optional>

#include "EventWait.h"
#include "gui/RemoteClient.h"
#include "gui/RemoteServer.h"

using namespace ql;
using namespace ql::testing;
using ql::gui::RemoteClient;
using ql::gui::RemoteServer;
using ql::gui::waitUntil;

namespace {

struct Client {
    QLocalSocket socket;

    bool open(const QString& path)
    {
        socket.connectToServer(path);
        return waitUntil([&] { return socket.state() == QLocalSocket::ConnectedState; });
    }
    void send(const QByteArray& bytes)
    {
        socket.write(bytes);
        socket.flush();
    }
    // The next answer line without its LF; nullopt when none came in time.
    std::optional<std::string> answer(int timeoutMs = 10000)
    {
        if (!waitUntil([&] { return socket.canReadLine(); }, timeoutMs)) return std::nullopt;
        QByteArray line = socket.readLine();
        line.chop(1);
        return line.toStdString();
    }
    std::optional<std::string> ask(const QByteArray& line)
    {
        send(line + "\n");
        return answer();
    }
};

std::vector<std::string> fields(const std::string& text)
{
    std::vector<std::string> out;
    std::size_t start = 0;
    for (std::size_t comma; (comma = text.find(',', start)) != std::string::npos; start = comma + 1)
        out.push_back(text.substr(start, comma - start));
    EXPECT_EQ(start, text.size());
    return out;
}

struct ServerRig {
    explicit ServerRig(char decimalSign = '.') : ops({}, decimalSign), server(ops.remote)
    {
        path = dir.path() + "/remote";
        listening = server.listen(path);
    }
    OperationsRig ops;
    RemoteServer server;
    QTemporaryDir dir;
    QString path;
    bool listening = false;
};

}  // namespace

TEST(RemoteServer, ReadThenBinaryChannelGivesTheRecordAndTheUntransferredElement)
{
    ServerRig t;
    ASSERT_TRUE(t.listening) << t.server.errorString().toStdString();
    Client c;
    ASSERT_TRUE(c.open(t.path));
    EXPECT_EQ(c.ask("REQUEST data"), "");
    EXPECT_EQ(c.ask("EXECUTE READ"), "OK");
    EXPECT_EQ(c.ask("REQUEST data"), "ready");
    EXPECT_EQ(c.ask("EXECUTE GETBINCHA"), "OK");
    const auto answer = c.ask("REQUEST data");
    ASSERT_TRUE(answer);
    const auto codes = fields(*answer);
    ASSERT_EQ(codes.size(), 2048u);
    const auto record = t.ops.sim.instrument().channelRecord(1);
    for (std::size_t i = 0; i < 2047; ++i) ASSERT_EQ(codes[i], std::to_string(record[i])) << i;
    EXPECT_EQ(codes[2047], "0");  // element 2048 is never transferred: still its start value

    t.ops.state.waves.waveCh1[2048] = 11;
    EXPECT_EQ(c.ask("EXECUTE READ"), "OK");
    EXPECT_EQ(c.ask("EXECUTE GETBINCHA"), "OK");
    EXPECT_EQ(fields(c.ask("REQUEST data").value_or("")).at(2047), "11");
}

TEST(RemoteServer, ChannelTextBeforeAnyReadUnderACommaLocale)
{
    ServerRig t(',');
    ASSERT_TRUE(t.listening);
    Client c;
    ASSERT_TRUE(c.open(t.path));
    EXPECT_EQ(c.ask("EXECUTE getcha"), "OK");
    const auto values = fields(c.ask("REQUEST data").value_or(""));
    ASSERT_EQ(values.size(), 4096u);
    for (std::size_t i = 1; i < values.size(); i += 2) ASSERT_EQ(values[i], "-2.54E+01") << i;
    EXPECT_TRUE(t.ops.commands().empty());
}

TEST(RemoteServer, MatchingRulesAndLineEnds)
{
    ServerRig t;
    ASSERT_TRUE(t.listening);
    Client c;
    ASSERT_TRUE(c.open(t.path));
    EXPECT_EQ(c.ask("EXECUTE  READ"), "REFUSED");
    EXPECT_EQ(c.ask("EXECUTE READ "), "REFUSED");
    EXPECT_EQ(c.ask("EXECUTE Read"), "OK");
    EXPECT_EQ(c.ask("EXECUTE GETBINCHB\r"), "OK");  // CR LF ends a line as well
    EXPECT_EQ(c.ask("QUIT"), "REFUSED");
    EXPECT_EQ(c.ask("execute READ"), "REFUSED");
    EXPECT_EQ(c.ask("REQUEST DATA"), "REFUSED");
    EXPECT_EQ(c.ask("EXECUTE"), "REFUSED");
    EXPECT_EQ(c.ask(""), "REFUSED");
}

TEST(RemoteServer, LongAndBinaryLinesAreRefusedAndTheConnectionGoesOn)
{
    ServerRig t;
    ASSERT_TRUE(t.listening);
    Client c;
    ASSERT_TRUE(c.open(t.path));
    EXPECT_EQ(c.ask("EXECUTE GETBINCHA"), "OK");
    const QByteArray longest = "EXECUTE " + QByteArray(256 - 8, 'A');
    EXPECT_EQ(c.ask(longest), "REFUSED");        // 256 bytes: read, no such command
    EXPECT_EQ(c.ask(longest + "A"), "REFUSED");  // 257 bytes: dropped unread
    EXPECT_EQ(c.ask(QByteArray("EXECUTE RE\0AD", 13)), "REFUSED");
    EXPECT_EQ(c.ask(QByteArray("EXECUTE READ\0", 13)), "REFUSED");
    EXPECT_EQ(c.ask("\xff\xfe\x80\x01"), "REFUSED");

    // Four megabytes without a line end, then two lines: one REFUSED for the whole flood,
    // and the server never holds more than a line and its socket's read buffer of it.
    auto* client = t.server.findChild<RemoteClient*>();
    ASSERT_NE(client, nullptr);
    auto* serverSide = client->findChild<QLocalSocket*>();
    ASSERT_NE(serverSide, nullptr);
    std::size_t mostKept = 0;
    qint64 mostBuffered = 0;
    c.send(QByteArray(4 * 1024 * 1024, 'X') + "\nREQUEST data\n");
    EXPECT_TRUE(waitUntil(
        [&] {
            mostKept = std::max(mostKept, client->partialLineBytes());
            mostBuffered = std::max(mostBuffered, serverSide->bytesAvailable());
            return c.socket.canReadLine();
        },
        30000));
    EXPECT_LE(mostKept, kMaxRemoteLineLength + 1);
    EXPECT_LE(mostBuffered, RemoteClient::kInputBufferSize);
    EXPECT_EQ(c.answer(), "REFUSED");
    const auto data = c.answer();
    ASSERT_TRUE(data);
    EXPECT_EQ(fields(*data).size(), 2048u);
    EXPECT_TRUE(t.ops.commands().empty());
}

TEST(RemoteServer, ManyAnswersThatTheClientDoesNotReadArriveLaterInOrder)
{
    ServerRig t;
    ASSERT_TRUE(t.listening);
    Client c;
    ASSERT_TRUE(c.open(t.path));
    QByteArray lines;
    for (int i = 0; i < 60; ++i) lines += "EXECUTE GETCHA\nREQUEST data\nEXECUTE NONE\n";
    ASSERT_TRUE(waitUntil([&] { return t.server.clientCount() == 1; }));
    c.send(lines);
    auto* client = t.server.findChild<RemoteClient*>();
    ASSERT_NE(client, nullptr);
    auto* serverSide = client->findChild<QLocalSocket*>();
    qint64 mostWaiting = 0;
    for (int i = 0; i < 100; ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        mostWaiting = std::max(mostWaiting, serverSide->bytesToWrite());
    }
    // Past the limit the server stops reading lines: at most one more answer waits.
    EXPECT_GT(mostWaiting, 0);
    EXPECT_LE(mostWaiting, RemoteClient::kOutputLimit + 64 * 1024);
    for (int i = 0; i < 60; ++i) {
        ASSERT_EQ(c.answer(), "OK") << i;
        ASSERT_EQ(fields(c.answer().value_or("")).size(), 4096u) << i;
        ASSERT_EQ(c.answer(), "REFUSED") << i;
    }
}

TEST(RemoteServer, DuringAReadOtherClientsAreAnsweredAndTheReadersNextLineWaits)
{
    ServerRig t;
    ASSERT_TRUE(t.listening);
    Client reader, other;
    ASSERT_TRUE(reader.open(t.path));
    ASSERT_TRUE(other.open(t.path));
    std::vector<std::optional<std::string>> otherAnswers;
    bool readerAnsweredEarly = false;
    bool asked = false;
    t.ops.host.onPumpEvents = [&] {
        QCoreApplication::processEvents();
        if (asked) return;
        asked = true;
        // The reader's next line and another program's lines arrive while the read talks to
        // the instrument.
        reader.send("REQUEST data\n");
        otherAnswers.push_back(other.ask("EXECUTE READ"));
        otherAnswers.push_back(other.ask("EXECUTE GETBINCHA"));
        otherAnswers.push_back(other.ask("REQUEST data"));
        // Only the two answers before the READ may have come: OK and the channel text.
        waitUntil([&] { return reader.socket.peek(1 << 20).count('\n') >= 2; });
        readerAnsweredEarly = reader.socket.peek(1 << 20).count('\n') != 2;
    };
    // A long answer still on its way to the reader when the READ starts: its progress must not
    // let the reader's next line in either.
    reader.send("EXECUTE GETCHA\nREQUEST data\nEXECUTE READ\n");
    EXPECT_EQ(reader.answer(), "OK");
    EXPECT_EQ(fields(reader.answer().value_or("")).size(), 4096u);
    EXPECT_EQ(reader.answer(), "OK");
    EXPECT_EQ(reader.answer(), "ready");
    ASSERT_TRUE(asked);
    ASSERT_EQ(otherAnswers.size(), 3u);
    EXPECT_EQ(otherAnswers[0], "REFUSED");
    EXPECT_EQ(otherAnswers[1], "OK");
    EXPECT_EQ(fields(otherAnswers[2].value_or("")).size(), 2048u);
    EXPECT_FALSE(readerAnsweredEarly);
    const Commands sent = t.ops.commands();
    EXPECT_EQ(sent.front(), " ");  // one connect: the refused READ sent nothing
    EXPECT_EQ(std::count(sent.begin(), sent.end(), "id?"), 1);
}

TEST(RemoteServer, AClientLeavingDuringItsReadIsLetGoAfterwards)
{
    ServerRig t;
    ASSERT_TRUE(t.listening);
    auto client = std::make_unique<Client>();
    ASSERT_TRUE(client->open(t.path));
    ASSERT_TRUE(waitUntil([&] { return t.server.clientCount() == 1; }));
    t.ops.host.onPumpEvents = [&] {
        if (client) client.reset();
        QCoreApplication::processEvents();
    };
    client->send("EXECUTE READ\nREQUEST data\n");
    EXPECT_TRUE(waitUntil([&] { return !client && t.server.clientCount() == 0; }));
    EXPECT_EQ(t.ops.remote.data(), "ready");
    t.ops.host.onPumpEvents = nullptr;

    Client next;
    ASSERT_TRUE(next.open(t.path));
    EXPECT_EQ(next.ask("REQUEST data"), "ready");
}

TEST(RemoteServer, SocketIsPrivateAndAStaleOneIsReplacedButNothingElse)
{
    ServerRig t;
    ASSERT_TRUE(t.listening);
    struct stat info {};
    ASSERT_EQ(::lstat(QFile::encodeName(t.path).constData(), &info), 0);
    EXPECT_TRUE(S_ISSOCK(info.st_mode));
    EXPECT_EQ(info.st_mode & 077, 0u);

    // A second program at the same path does not take the socket away.
    RemoteServer second(t.ops.remote);
    EXPECT_FALSE(second.listen(t.path));
    EXPECT_NE(second.errorString().indexOf("already"), -1);
    Client c;
    ASSERT_TRUE(c.open(t.path));
    EXPECT_EQ(c.ask("REQUEST data"), "");

    // A socket left behind by a program that ended is replaced.
    QTemporaryDir dir;
    const QByteArray stale = QFile::encodeName(dir.path() + "/stale");
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::copy(stale.cbegin(), stale.cend(), address.sun_path);
    ASSERT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ::close(fd);
    RemoteServer third(t.ops.remote);
    EXPECT_TRUE(third.listen(QFile::decodeName(stale))) << third.errorString().toStdString();

    // Anything else at the path is left alone.
    const QString plain = dir.path() + "/plain";
    QFile file(plain);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("keep");
    file.close();
    RemoteServer fourth(t.ops.remote);
    EXPECT_FALSE(fourth.listen(plain));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "keep");
}

TEST(RemoteServer, DefaultPathFollowsTheRuntimeFolder)
{
    const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
    const bool had = qEnvironmentVariableIsSet("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", "/run/user/4242");
    EXPECT_EQ(RemoteServer::defaultSocketPath(), "/run/user/4242/ql240-dde");
    qunsetenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(RemoteServer::defaultSocketPath(),
              QStringLiteral("/tmp/ql240-dde-%1").arg(::getuid()));
    if (had) qputenv("XDG_RUNTIME_DIR", saved);
}
