#include "RemoteServer.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <QFile>
#include <QLocalSocket>
#include <algorithm>
#include <cerrno>
#include <cstring>

#include "RemoteClient.h"

namespace ql::gui {

namespace {

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

// Whether a program accepts connections on the socket at `path` (an unanswered socket file is
// a leftover of a program that ended without removing it).
bool socketAnswers(const QByteArray& path)
{
    sockaddr_un address{};
    if (static_cast<std::size_t>(path.size()) >= sizeof address.sun_path) return false;
    address.sun_family = AF_UNIX;
    std::copy(path.cbegin(), path.cend(), address.sun_path);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return true;  // cannot tell: keep the file
    const int rc = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    const int why = errno;
    ::close(fd);
    return rc == 0 || (why != ECONNREFUSED && why != ENOENT);
}

// The user id of the program at the other end of a local connection, or -1.
long peerUserId(qintptr descriptor)
{
    ucred credentials{};
    socklen_t length = sizeof credentials;
    if (::getsockopt(static_cast<int>(descriptor), SOL_SOCKET, SO_PEERCRED, &credentials,
                     &length) != 0)
        return -1;
    return static_cast<long>(credentials.uid);
}

}  // namespace

RemoteServer::RemoteServer(RemoteCommands& commands, QObject* parent)
    : QObject(parent), commands_(commands)
{
    // Created with owner-only permissions, so other users cannot even connect.
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, &RemoteServer::acceptClients);
}

RemoteServer::~RemoteServer()
{
    end();
}

QString RemoteServer::defaultSocketPath()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty()) return runtime + QStringLiteral("/ql240-dde");
    return QStringLiteral("/tmp/ql240-dde-%1").arg(::getuid());
}

bool RemoteServer::listen(const QString& path)
{
    close();
    error_.clear();
    if (!clearStaleSocket(path)) return false;
    if (!server_.listen(path)) {
        error_ = QStringLiteral("Remote commands: cannot listen at %1: %2")
                     .arg(path, server_.errorString());
        return false;
    }
    path_ = path;
    if (!restrictToUser(path)) {
        close();
        return false;
    }
    return true;
}

void RemoteServer::close()
{
    if (server_.isListening()) server_.close();  // removes the socket file
    path_.clear();
}

void RemoteServer::end()
{
    close();
    const QDeadlineTimer deadline(kEndingMs);
    for (RemoteClient* client : findChildren<RemoteClient*>(Qt::FindDirectChildrenOnly))
        client->close(deadline);
}

bool RemoteServer::clearStaleSocket(const QString& path)
{
    const QByteArray native = QFile::encodeName(path);
    struct stat info {};
    if (::lstat(native.constData(), &info) != 0) {
        if (errno == ENOENT) return true;
        error_ = QStringLiteral("Remote commands: cannot use %1: %2").arg(path, systemError());
        return false;
    }
    if (!S_ISSOCK(info.st_mode) || info.st_uid != ::getuid()) {
        error_ = QStringLiteral(
                     "Remote commands: %1 exists and is not a socket of yours; "
                     "remove it to let QL240 answer other programs.")
                     .arg(path);
        return false;
    }
    if (socketAnswers(native)) {
        error_ = QStringLiteral("Remote commands: another QL240 already answers at %1.").arg(path);
        return false;
    }
    if (::unlink(native.constData()) != 0 && errno != ENOENT) {
        error_ = QStringLiteral("Remote commands: cannot remove the old socket %1: %2")
                     .arg(path, systemError());
        return false;
    }
    return true;
}

bool RemoteServer::restrictToUser(const QString& path)
{
    const QByteArray native = QFile::encodeName(path);
    struct stat info {};
    if (::lstat(native.constData(), &info) != 0 || !S_ISSOCK(info.st_mode) ||
        info.st_uid != ::getuid() ||
        ((info.st_mode & 077) != 0 && ::chmod(native.constData(), 0600) != 0)) {
        error_ = QStringLiteral("Remote commands: cannot make %1 private to your user.").arg(path);
        return false;
    }
    return true;
}

void RemoteServer::acceptClients()
{
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        // The file permissions keep others out; the peer's user id is checked all the same.
        if (peerUserId(socket->socketDescriptor()) != static_cast<long>(::getuid())) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        auto* client = new RemoteClient(socket, commands_, this);
        ++clients_;
        connect(client, &RemoteClient::finished, this, [this](RemoteClient* c) {
            --clients_;
            c->deleteLater();
        });
    }
}

}  // namespace ql::gui
