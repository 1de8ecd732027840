#include "RemoteClient.h"

#include <QLocalSocket>
#include <array>

#include "app/RemoteCommands.h"

namespace ql::gui {

RemoteClient::RemoteClient(QLocalSocket* socket, RemoteCommands& commands, QObject* parent)
    : QObject(parent), socket_(socket), commands_(commands)
{
    socket->setParent(this);
    socket->setReadBufferSize(kInputBufferSize);
    connect(socket, &QLocalSocket::readyRead, this, &RemoteClient::serve);
    connect(socket, &QLocalSocket::bytesWritten, this, &RemoteClient::serve);
    connect(socket, &QLocalSocket::disconnected, this, &RemoteClient::onDisconnected);
    // Lines that arrived with the connection itself.
    QMetaObject::invokeMethod(this, &RemoteClient::serve, Qt::QueuedConnection);
}

void RemoteClient::serve()
{
    // A nested call while this client's command runs: the loop below resumes afterwards.
    if (executing_) return;
    QPointer<RemoteClient> self(this);
    std::array<char, 513> chunk{};
    while (self && socket_ && !gone_ && socket_->bytesToWrite() <= kOutputLimit) {
        // Up to the next line end, or what has arrived of the line so far.
        const qint64 n = socket_->readLine(chunk.data(), static_cast<qint64>(chunk.size()));
        if (n <= 0) return;
        const auto length = static_cast<std::size_t>(n);
        const bool lineEnd = chunk[length - 1] == '\n';
        const std::string_view piece(chunk.data(), lineEnd ? length - 1 : length);
        if (!overlong_) {
            if (partial_.size() + piece.size() > kMaxRemoteLineLength + 1) {
                overlong_ = true;
                partial_.clear();
                partial_.shrink_to_fit();
            } else {
                partial_.append(piece);
            }
        }
        if (!lineEnd) continue;

        std::string line = std::move(partial_);
        partial_.clear();
        if (!line.empty() && line.back() == '\r') line.pop_back();  // CR LF ends a line too
        if (overlong_ || line.size() > kMaxRemoteLineLength) {
            overlong_ = false;
            answer(std::string(kRemoteRefused));
            continue;
        }
        executing_ = true;
        const std::string reply = commands_.answerLine(line);
        if (!self) return;
        executing_ = false;
        answer(reply);
    }
    if (self && gone_) finish();
}

void RemoteClient::finish()
{
    if (finishedSent_) return;
    finishedSent_ = true;
    emit finished(this);
}

void RemoteClient::answer(const std::string& line)
{
    if (!socket_ || socket_->state() != QLocalSocket::ConnectedState) return;
    socket_->write(line.data(), static_cast<qint64>(line.size()));
    socket_->write("\n", 1);
}

void RemoteClient::close(QDeadlineTimer deadline)
{
    if (!socket_) return;
    // Answers leave the socket from the event loop, which does not run any more.
    while (socket_->bytesToWrite() > 0 && socket_->state() == QLocalSocket::ConnectedState &&
           socket_->waitForBytesWritten(static_cast<int>(deadline.remainingTime()))) {
    }
    socket_->disconnectFromServer();
}

void RemoteClient::onDisconnected()
{
    gone_ = true;
    // A client that leaves during its own command is let go once the command has returned.
    if (!executing_) finish();
}

}  // namespace ql::gui
