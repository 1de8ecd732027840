// The built program asked to end from outside: SIGTERM, SIGINT and SIGHUP while it is idle end
// it as "Exit" does, with the parameter file written and the remote socket removed. Every
// wait is bounded.

#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "ProgramRig.h"
#include "files/ParameterFile.h"
#include "state/InitProgramState.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// Polls `done` every 20 ms for at most `timeoutMs`.
template <typename Done>
bool waitFor(Done done, int timeoutMs)
{
    const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (Clock::now() < end) {
        if (done()) return true;
        ::usleep(20'000);
    }
    return done();
}

// ql240 with its per-user folders under `root`, on the offscreen platform.
pid_t startProgram(const std::string& root)
{
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        const std::string v = *e;
        if (v.rfind("XDG_", 0) != 0 && v.rfind("QT_QPA_PLATFORM=", 0) != 0) env.push_back(v);
    }
    env.push_back("XDG_CONFIG_HOME=" + root + "/config");
    env.push_back("XDG_DATA_HOME=" + root + "/data");
    env.push_back("XDG_RUNTIME_DIR=" + root + "/run");
    env.push_back("QT_QPA_PLATFORM=offscreen");
    std::vector<char*> envp;
    for (auto& v : env) envp.push_back(v.data());
    envp.push_back(nullptr);
    std::string program = QL240_PROGRAM;
    char* argv[] = {program.data(), nullptr};
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv, envp.data()) != 0) return -1;
    return pid;
}

ino_t inodeOf(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

}  // namespace

TEST(EndSignal, SigtermSigintAndSighupWhileIdleEndItAsExitDoes)
{
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        const std::string root = ql::gui::freshFolder();
        fs::create_directories(root + "/config/ql240");
        fs::create_directories(root + "/run");
        fs::permissions(root + "/run", fs::perms::owner_all);
        // A good parameter file from an earlier run, so that start-up shows no message.
        ql::ProgramState previous;
        ql::initProgramState(previous, root);
        ql::applyParameterDefaults(previous);
        const std::string parameters =
            root + "/config/ql240/" + std::string(ql::kParameterFileName);
        std::ofstream(parameters, std::ios::binary) << ql::encodeParameterRecord(previous);
        const ino_t before = inodeOf(parameters);
        const std::string socket = root + "/run/ql240-dde";

        const pid_t pid = startProgram(root);
        ASSERT_GT(pid, 0);
        // The socket appears once start-up has finished.
        const bool serving = waitFor([&] { return fs::exists(socket); }, 20'000);
        if (serving) ::kill(pid, signal);
        int status = -1;
        const bool ended =
            waitFor([&] { return ::waitpid(pid, &status, WNOHANG) == pid; }, serving ? 20'000 : 0);
        if (!ended) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
        }
        ASSERT_TRUE(serving) << "signal " << signal;
        ASSERT_TRUE(ended) << "signal " << signal;
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "signal " << signal;
        EXPECT_FALSE(fs::exists(socket)) << "signal " << signal;
        // "Exit" writes the file anew (a new file renamed over the old one).
        EXPECT_EQ(fs::file_size(parameters), ql::kParameterFileSize);
        EXPECT_NE(inodeOf(parameters), before) << "signal " << signal;
        fs::remove_all(root);
    }
}

TEST(EndSignal, AnEndAskedForDuringStartUpRunsOnceStartUpHasFinished)
{
    ql::gui::ProgramRig rig;
    // As from a signal while start-up's first message waits for the user.
    rig.program.endFromOutside();
    EXPECT_FALSE(rig.app.finished());
    rig.program.start(QString::fromStdString(rig.root + "/remote-socket"));
    EXPECT_FALSE(rig.app.finished());
    EXPECT_TRUE(waitFor(
        [&] {
            QApplication::processEvents();
            return rig.app.finished();
        },
        5'000));
    EXPECT_TRUE(fs::exists(ql::parameterFilePath(rig.paths)));
}
