#pragma once
// The signals that ask the program to end from outside: SIGTERM (a logout, a service
// manager, kill), SIGINT (Ctrl+C in the terminal) and SIGHUP (the terminal went away). The
// signal handler only writes the signal's number into a pipe; the event loop reads it and
// calls `onSignal`, so the program ends through its own shutdown, never inside a handler.
// A second signal of the same kind takes its default action (the program ends at once).
// One instance per process.

#include <QObject>
#include <QSocketNotifier>
#include <functional>
#include <memory>

namespace ql::gui {

class ExitSignals : public QObject {
    Q_OBJECT
public:
    explicit ExitSignals(std::function<void()> onSignal, QObject* parent = nullptr);
    ~ExitSignals() override;  // gives the signals their default actions back
    ExitSignals(const ExitSignals&) = delete;
    ExitSignals& operator=(const ExitSignals&) = delete;

private:
    void readSignals();

    std::function<void()> onSignal_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace ql::gui
