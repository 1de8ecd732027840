#pragma once
// One connection of the remote-command server: cuts the incoming bytes into lines, hands each
// to the command interpreter and writes its answer back, one line at a time and in order.
// While a command of this client runs (a READ serves events while it talks to the
// instrument), its later lines wait unread. Memory stays bounded whatever the client sends:
// at most one line is kept, a longer one is dropped and answered REFUSED, and no more lines
// are read while too many answer bytes wait for the client to take them.

#include <QDeadlineTimer>
#include <QObject>
#include <QPointer>
#include <string>

class QLocalSocket;

namespace ql {
class RemoteCommands;
}

namespace ql::gui {

class RemoteClient : public QObject {
    Q_OBJECT
public:
    // Takes the socket over (it becomes a child of this object).
    RemoteClient(QLocalSocket* socket, RemoteCommands& commands, QObject* parent = nullptr);

    // Answer bytes above this wait until the client has read some before more lines are read.
    static constexpr qint64 kOutputLimit = 256 * 1024;
    // What Qt may hold of the client's input before it stops reading the connection.
    static constexpr qint64 kInputBufferSize = 4096;

    // Bytes kept of an incomplete line (at most the longest allowed line and its CR).
    std::size_t partialLineBytes() const { return partial_.size(); }

    // The program is ending: the client gets the answers already written to it (waiting for it
    // to take them until `deadline` at most), then the connection is closed.
    void close(QDeadlineTimer deadline);

signals:
    // The client has gone and no command of it runs: the object may be deleted.
    void finished(ql::gui::RemoteClient* client);

private:
    void serve();
    void answer(const std::string& line);
    void onDisconnected();
    void finish();

    QPointer<QLocalSocket> socket_;
    RemoteCommands& commands_;
    std::string partial_;
    bool overlong_ = false;   // the current line grew too long; its rest is skipped
    bool executing_ = false;  // a command of this client runs
    bool gone_ = false;       // the client disconnected
    bool finishedSent_ = false;
};

}  // namespace ql::gui
