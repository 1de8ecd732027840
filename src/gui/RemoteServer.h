#pragma once
// The local socket on which other programs of the same user send remote commands (see the
// README's "Scripting QL240"): $XDG_RUNTIME_DIR/ql240-dde, or /tmp/ql240-dde-<uid> when that
// variable is unset. Only the socket is Qt: each line goes to the core's RemoteCommands.

#include <QLocalServer>
#include <QObject>
#include <QString>

namespace ql {
class RemoteCommands;
}

namespace ql::gui {

class RemoteClient;

class RemoteServer : public QObject {
    Q_OBJECT
public:
    explicit RemoteServer(RemoteCommands& commands, QObject* parent = nullptr);
    ~RemoteServer() override;

    static QString defaultSocketPath();

    // Starts listening. A socket file left behind by an earlier run is removed; anything else
    // at the path (another running QL240, a file of someone else) is left alone and makes
    // this fail with errorString() saying why.
    bool listen(const QString& path = defaultSocketPath());
    void close();
    // The program is ending: stops listening, and each client gets the answers already written
    // to it (within kEndingMs in all) before its connection is closed. The destructor does it.
    void end();
    static constexpr int kEndingMs = 1000;
    bool isListening() const { return server_.isListening(); }
    QString socketPath() const { return path_; }
    QString errorString() const { return error_; }
    int clientCount() const { return clients_; }

private:
    void acceptClients();
    bool clearStaleSocket(const QString& path);
    bool restrictToUser(const QString& path);

    RemoteCommands& commands_;
    QLocalServer server_;
    QString path_;
    QString error_;
    int clients_ = 0;
};

}  // namespace ql::gui
