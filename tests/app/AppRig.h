#pragma once
// The program's core as the main window drives it, against the simulated instrument on a
// fake clock, with a recording host and every per-user file under a fresh temporary folder.

#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "app/AppController.h"
#include "app/InstrumentOperations.h"
#include "draw/RecordingPrinter.h"
#include "scopesim/ScopeSimulator.h"
#include "scopesim/SimulatedPort.h"
#include "state/RecordingHost.h"

namespace ql::testing {

inline std::string modelTablePath()
{
    const char* dir = std::getenv("QL240_DATA_DIR");
    return std::string(dir ? dir : "data") + "/scopes.db";
}

inline std::string freshFolder()
{
    static std::atomic<int> counter{0};
    const auto path = std::filesystem::temp_directory_path() /
                      ("ql240-app-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
    return path.string();
}

inline std::string readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void writeBytes(const std::string& path, const std::string& bytes)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

// A fresh folder for several runs of the program, removed at the end of the test.
struct TempRoot {
    TempRoot() : path(freshFolder()) {}
    ~TempRoot() { std::filesystem::remove_all(path); }
    TempRoot(const TempRoot&) = delete;
    TempRoot& operator=(const TempRoot&) = delete;
    operator const std::string&() const { return path; }
    std::string path;
};

// One run of the program, on a folder of its own or on a shared root: rigs made on the same
// root see each other's files, as two runs of the program do.
struct AppRig {
    AppRig() : AppRig(std::string()) {}
    explicit AppRig(const std::string& sharedRoot, scopesim::SimulatorConfig config = {})
        : root(sharedRoot.empty() ? ownRoot_.path : sharedRoot),
          paths(AppPaths::underRoot(root)),
          sim(clock, config),
          port(sim, clock),
          link(state, port, clock, host, modelTablePath(), helpFolder(paths)),
          ops(link, printer, paths.userFilesDir(), '.'),
          app(link, ops, paths)
    {
    }

    std::string parameterFile() const { return paths.configFile("Tx4080.par"); }
    bool parameterFileExists() const { return std::filesystem::exists(parameterFile()); }

    // Takes the instrument into remote and forgets what that sent and showed.
    void connectInstrument()
    {
        link.connectInstrument();
        sim.clearRecording();
        host.clear();
    }

private:
    TempRoot ownRoot_;  // made before `root`; unused when the rig runs on a shared root

public:
    std::string root;
    AppPaths paths;
    FakeClock clock;
    scopesim::ScopeSimulator sim;
    scopesim::SimulatedPort port;
    RecordingHost host;
    ProgramState state;
    InstrumentLink link;
    RecordingPrinter printer;
    InstrumentOperations ops;
    AppController app;
};

}  // namespace ql::testing
