#include "ExitSignals.h"

#include <fcntl.h>
#include <unistd.h>
#include <cerrno>
#include <csignal>

namespace ql::gui {

namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

// The pipe between the handler and the event loop; -1 while no ExitSignals exists.
int signalPipe[2] = {-1, -1};

extern "C" void noteSignal(int signal)
{
    const int saved = errno;  // write() may change it under the interrupted code's feet
    const auto byte = static_cast<unsigned char>(signal);
    if (signalPipe[1] >= 0) (void)::write(signalPipe[1], &byte, 1);
    // A second signal of any of the three kinds ends the program at once: each takes its
    // default action from now on (sigaction is safe to call here).
    struct sigaction defaultAction {};
    defaultAction.sa_handler = SIG_DFL;
    ::sigemptyset(&defaultAction.sa_mask);
    for (int s : kSignals) ::sigaction(s, &defaultAction, nullptr);
    errno = saved;
}

}  // namespace

ExitSignals::ExitSignals(std::function<void()> onSignal, QObject* parent)
    : QObject(parent), onSignal_(std::move(onSignal))
{
    if (signalPipe[0] >= 0 || ::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    for (int s : kSignals) {
        struct sigaction action {};
        action.sa_handler = noteSignal;
        ::sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        ::sigaction(s, &action, nullptr);
    }
    notifier_ = std::make_unique<QSocketNotifier>(signalPipe[0], QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &ExitSignals::readSignals);
}

ExitSignals::~ExitSignals()
{
    if (!notifier_) return;
    for (int s : kSignals) ::signal(s, SIG_DFL);
    notifier_.reset();
    ::close(signalPipe[0]);
    ::close(signalPipe[1]);
    signalPipe[0] = signalPipe[1] = -1;
}

void ExitSignals::readSignals()
{
    unsigned char bytes[16];
    bool any = false;
    while (::read(signalPipe[0], bytes, sizeof bytes) > 0) any = true;
    if (any && onSignal_) onSignal_();
}

}  // namespace ql::gui
