// scopesim: the simulated oscilloscope on a pseudo-terminal. Prints the terminal's path as its
// first line, serves until SIGTERM or SIGINT, presses the copy key on SIGUSR1.

#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "Options.h"
#include "PtyServer.h"
#include "ScopeSimulator.h"

namespace {

volatile std::sig_atomic_t stopRequested = 0;
volatile std::sig_atomic_t copyKeyPressed = 0;

extern "C" void onStop(int)
{
    stopRequested = 1;
}
extern "C" void onCopyKey(int)
{
    copyKeyPressed = 1;
}

void installHandler(int signal, void (*handler)(int))
{
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;  // no restart: a signal wakes the server's wait at once
    sigaction(signal, &action, nullptr);
}

void listModels()
{
    std::cout << "model     family  firmware  time-base-B  measddf  ddf2  trgpos  analog-only\n";
    for (const auto& p : ql::scopesim::modelProfiles()) {
        std::printf("%-9s %-7c %-9s %-12s %-8s %-5s %-7s %s\n", p.name.c_str(), p.family,
                    p.defaultFirmware.c_str(), p.hasTimebaseB ? "yes" : "no",
                    p.hasMeasDdf ? "yes" : "no", p.hasDdf2 ? "yes" : "no",
                    p.hasTriggerPositions ? "yes" : "no", p.analogOnly ? "yes" : "no");
    }
}

}  // namespace

int main(int argc, char** argv)
{
    using namespace ql::scopesim;
    const std::vector<std::string> args(argv + 1, argv + argc);
    auto parsed = parseOptions(args);
    if (!parsed) {
        std::cerr << "scopesim: " << parsed.failure().text << '\n';
        return 2;
    }
    const ScopesimOptions& options = parsed.value();
    if (options.showHelp) {
        std::cout << usageText();
        return 0;
    }
    if (options.listModels) {
        listModels();
        return 0;
    }

    ql::SystemClock clock;
    ScopeSimulator sim(clock, options.config);
    for (const Fault& f : options.faults) sim.injectFault(f);
    PtyServer server(sim, clock);
    if (const auto status = server.open(); !status) {
        std::cerr << "scopesim: " << status.failure().text << '\n';
        return 1;
    }
    if (!options.linkPath.empty()) {
        ::unlink(options.linkPath.c_str());
        if (::symlink(server.slavePath().c_str(), options.linkPath.c_str()) != 0)
            std::cerr << "scopesim: cannot make the link " << options.linkPath << '\n';
    }
    std::cout << server.slavePath() << std::endl;  // the first line, flushed
    std::cerr << "scopesim: " << sim.instrument().profile().name << ", "
              << sim.instrument().versionReply().substr(0, 11) << ", " << options.config.baudRate
              << " baud on " << server.slavePath() << '\n';

    installHandler(SIGTERM, onStop);
    installHandler(SIGINT, onStop);
    installHandler(SIGUSR1, onCopyKey);
    const PtyServer::End end = server.serve([&] {
        if (copyKeyPressed) {
            copyKeyPressed = 0;
            sim.pressCopyKey();
        }
        return stopRequested == 0;
    });
    if (!options.linkPath.empty()) ::unlink(options.linkPath.c_str());
    if (end == PtyServer::End::Vanished) std::cerr << "scopesim: the port vanished\n";
    if (end == PtyServer::End::Failed) {
        std::cerr << "scopesim: the terminal failed\n";
        return 1;
    }
    return 0;
}
