#pragma once
// The autostore as the program runs it: the main window's operations over the simulated
// instrument with the real store step installed, the autostore window's rules, recording
// file dialogs, and the prefix in a fresh folder removed at the end.

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "OperationsRig.h"
#include "app/AutoStoreController.h"
#include "app/AutoStoreEngine.h"
#include "state/RecordingFileDialogs.h"

namespace ql::testing {

// Every acquisition differs; the instrument triggers only when the test says so.
inline scopesim::SimulatorConfig noisy()
{
    scopesim::SimulatorConfig config;
    config.noiseCodes = 6;
    config.singleShotTriggerMs.reset();
    return config;
}

struct AutoStoreRig : OperationsRig {
    explicit AutoStoreRig(scopesim::SimulatorConfig config = {})
        : OperationsRig(std::move(config)),
          folder((std::filesystem::temp_directory_path() /
                  ("ql240-autostore-" + std::to_string(::getpid())))
                     .string()),
          controller(*link, '.')
    {
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        state.autoStore.autoStorePrefix = folder + "/AutostoreXXX";
        ops.setAutoStoreFile(
            [this] { return storeNextAutoStoreFile(state, host, printer, '.', folder); });
    }
    ~AutoStoreRig() { std::filesystem::remove_all(folder); }

    // The window opens as its registry row opens it.
    void openWindow()
    {
        host.openWindow(ToolWindow::AutostoreWindow);
        controller.opened();
    }

    // Start in the window: after each trigger, or timed at 0 minutes (a store every tick).
    void startAfterTrigger()
    {
        openWindow();
        controller.modeChosen(false);
        controller.startPause();
        sim.clearRecording();
    }
    void startEveryTick()
    {
        openWindow();
        controller.modeChosen(true);
        controller.minutesEntered("0");
        controller.startPause();
    }
    void tick()
    {
        clock.advance(1000);
        ops.timerTick();
    }

    // One store as the autostore's step makes it, its failure told at once.
    void store()
    {
        if (const Status stored = storeNextAutoStoreFile(state, host, printer, '.', folder);
            !stored)
            host.report(stored.failure());
    }

    std::string file(const std::string& name) const { return folder + "/" + name; }
    std::string contents(const std::string& name) const
    {
        std::ifstream in(file(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    // The names in the folder, in order.
    std::vector<std::string> files() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    std::string folder;
    AutoStoreController controller;
    RecordingFileDialogs dialogs;
};

inline int count(const Commands& c, const std::string& text)
{
    return static_cast<int>(std::count(c.begin(), c.end(), text));
}

}  // namespace ql::testing
