// The built program asked to end from outside: SIGTERM, SIGINT and SIGHUP end it as "Exit"
// does, with the parameter file written and the remote socket removed, while it is idle and
// while a message box or a file dialog waits for an answer nobody gives, and after answering a
// remote READ in flight. Every wait is bounded.

#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QFileDialog>
#include <QLocalSocket>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "ProgramRig.h"
#include "app/OperationGuard.h"
#include "files/ParameterFile.h"
#include "gui/ExitSignals.h"
#include "link/PosixSerialPort.h"
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

// `program` with `arguments`, its per-user folders under `root`, on the offscreen platform,
// no serial port there (each port names a device that does not exist) and `extraEnv`.
pid_t startProgram(const std::string& root, std::vector<std::string> arguments = {},
                   const std::vector<std::string>& extraEnv = {},
                   std::string program = QL240_PROGRAM)
{
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        const std::string v = *e;
        if (v.rfind("XDG_", 0) != 0 && v.rfind("QT_QPA_PLATFORM=", 0) != 0 &&
            v.rfind("QL240_COM", 0) != 0)
            env.push_back(v);
    }
    env.push_back("XDG_CONFIG_HOME=" + root + "/config");
    env.push_back("XDG_DATA_HOME=" + root + "/data");
    env.push_back("XDG_RUNTIME_DIR=" + root + "/run");
    env.push_back("QT_QPA_PLATFORM=offscreen");
    for (int n = 1; n <= 4; ++n)
        env.push_back("QL240_COM" + std::to_string(n) + "=" + root + "/no-such-port");
    env.insert(env.end(), extraEnv.begin(), extraEnv.end());
    std::vector<char*> envp;
    for (auto& v : env) envp.push_back(v.data());
    envp.push_back(nullptr);
    std::vector<char*> argv{program.data()};
    for (auto& a : arguments) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), envp.data()) != 0) return -1;
    return pid;
}

ino_t inodeOf(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

// A folder for one run: the per-user folders, and a good parameter file from an earlier run,
// so that start-up shows no message.
struct RunFolder {
    RunFolder() : root(ql::gui::freshFolder())
    {
        fs::create_directories(root + "/config/ql240");
        fs::create_directories(root + "/run");
        fs::permissions(root + "/run", fs::perms::owner_all);
        ql::ProgramState previous;
        ql::initProgramState(previous, root);
        ql::applyParameterDefaults(previous);
        // A layout of the user's own: the automatic measurements closed, the cursor window moved.
        previous.layout.automesVisible = 0;
        previous.layout.cursorWindow.left += 300;
        layout = previous.layout;
        std::ofstream(parameters, std::ios::binary) << ql::encodeParameterRecord(previous);
        before = inodeOf(parameters);
    }
    ~RunFolder() { fs::remove_all(root); }

    std::string root;
    std::string parameters = root + "/config/ql240/" + std::string(ql::kParameterFileName);
    std::string socket = root + "/run/ql240-dde";
    ino_t before = 0;
    ql::WindowLayout layout;
};

// Sends `signal` once `ready` holds, then waits at most `endMs` for the program to end
// (killing it otherwise); checks that it ended as "Exit" ends it.
template <typename Ready>
void signalAndExpectExit(pid_t pid, int signal, const RunFolder& run, Ready ready, int endMs)
{
    ASSERT_GT(pid, 0);
    const bool isReady = waitFor(ready, 20'000);
    if (isReady) ::kill(pid, signal);
    int status = -1;
    const bool ended =
        waitFor([&] { return ::waitpid(pid, &status, WNOHANG) == pid; }, isReady ? endMs : 0);
    if (!ended) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, &status, 0);
    }
    ASSERT_TRUE(isReady);
    ASSERT_TRUE(ended);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_FALSE(fs::exists(run.socket));
    // "Exit" writes the file anew (a new file renamed over the old one).
    EXPECT_EQ(fs::file_size(run.parameters), ql::kParameterFileSize);
    EXPECT_NE(inodeOf(run.parameters), run.before);
    // with the layout the user had.
    std::ifstream in(run.parameters, std::ios::binary);
    ql::ProgramState written;
    ql::decodeParameterRecord(std::string(std::istreambuf_iterator<char>(in), {}), written);
    EXPECT_EQ(written.layout.automesVisible, run.layout.automesVisible);
    // Within the twips of one pixel, where the window was placed.
    EXPECT_NEAR(written.layout.cursorWindow.left, run.layout.cursorWindow.left, 15);
    EXPECT_NEAR(written.layout.cursorWindow.top, run.layout.cursorWindow.top, 15);
}

// Whether the running process `pid` has a handler for `signal` (neither the default nor ignored).
bool catchesSignal(pid_t pid, int signal)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("SigCgt:", 0) == 0)
            return (std::stoull(line.substr(7), nullptr, 16) >> (signal - 1)) & 1;
    return false;
}

// The run of the test program itself in which a save dialog waits: see EndSignalChild.
constexpr const char* kChildRoot = "QL240_END_SIGNAL_CHILD_ROOT";

}  // namespace

TEST(EndSignal, SigtermSigintAndSighupWhileIdleEndItAsExitDoes)
{
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(signal);
        const RunFolder run;
        const pid_t pid = startProgram(run.root);
        // The socket appears once start-up has finished. By then a write over the file-size
        // limit fails instead of ending the program.
        const auto started = [&] { return fs::exists(run.socket); };
        EXPECT_TRUE(waitFor(started, 20'000) && catchesSignal(pid, SIGXFSZ));
        signalAndExpectExit(pid, signal, run, started, 20'000);
    }
}

TEST(EndSignal, AMessageBoxThatWaitsForItsOkIsClosedAndTheOperationEnds)
{
    // A remote READ cannot open the port: its message box waits, and so does the READ.
    const RunFolder run;
    const pid_t pid = startProgram(run.root);
    QLocalSocket client;
    signalAndExpectExit(
        pid, SIGTERM, run,
        [&] {
            if (client.state() == QLocalSocket::ConnectedState) return false;  // READ answered
            client.connectToServer(QString::fromStdString(run.socket));
            if (!client.waitForConnected(100)) return false;
            client.write("EXECUTE READ\n");
            client.waitForBytesWritten(1'000);
            // No answer within a second: the READ waits for its box.
            return !client.waitForReadyRead(1'000);
        },
        5'000);
    // The READ ended as its failure does, and said so.
    EXPECT_TRUE(client.bytesAvailable() > 0 || client.waitForReadyRead(1'000));
}

TEST(EndSignal, ARemoteReadInFlightIsAnsweredBeforeTheProgramEnds)
{
    auto rig = std::make_unique<ql::gui::ProgramRig>();
    const QString socket = QString::fromStdString(rig->root + "/remote-socket");
    ASSERT_TRUE(rig->program.start(socket));
    const ql::gui::ExitSignals exitSignals([&] { rig->program.endFromOutside(); });
    QLocalSocket client;
    client.connectToServer(socket);
    ASSERT_TRUE(client.waitForConnected(5'000));
    client.write("EXECUTE READ\n");
    client.flush();
    // SIGTERM while the READ talks to the instrument; the tick right after the READ ends it.
    QTimer during;
    QObject::connect(&during, &QTimer::timeout, [&] {
        if (ql::operationRunning(rig->state) && ::raise(SIGTERM) == 0) during.stop();
    });
    during.start(0);
    ASSERT_TRUE(waitFor(
        [&] {
            QApplication::processEvents();
            return rig->program.remoteCommands().data() == "ready";
        },
        20'000));
    rig->app.timerTick();
    EXPECT_TRUE(rig->app.finished());
    rig.reset();
    EXPECT_TRUE(client.canReadLine() || client.waitForReadyRead(5'000));
    EXPECT_EQ(client.readLine().toStdString(), "OK\n");
}

TEST(EndSignal, AFileDialogWithItsCreateQuestionIsCancelledAndNotShownAgain)
{
    const RunFolder run;
    const std::string open = run.root + "/dialog-open";
    const pid_t pid = startProgram(run.root, {"--gtest_filter=EndSignalChild.*"},
                                   {std::string(kChildRoot) + "=" + run.root},
                                   fs::read_symlink("/proc/self/exe").string());
    signalAndExpectExit(
        pid, SIGTERM, run, [&] { return fs::exists(open) && fs::exists(run.socket); }, 5'000);
    EXPECT_FALSE(fs::exists(run.root + "/new.mes"));  // cancelled: nothing saved
}

// The program as main.cpp runs it, in a process of its own started by the test above: Data >
// Save with a name that does not exist yet, so that "Create the file?" waits over the dialog.
TEST(EndSignalChild, SaveDialogWaitsForAnAnswer)
{
    const char* root = std::getenv(kChildRoot);
    if (!root) GTEST_SKIP() << "runs in the process the file-dialog case starts";
    ql::SystemClock clock;
    ql::PosixSerialPort port;
    ql::gui::Program program(port, clock, ql::AppPaths::fromEnvironment());
    const ql::gui::ExitSignals exitSignals([&program] { program.endFromOutside(); });
    program.start();
    QTimer::singleShot(0, &program.window(),
                       [&] { program.controller().saveDataMenu(program.window().fileDialogs()); });
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        QWidget* box = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<QFileDialog*>(box)) {
            if (QWidget* w = QApplication::focusWidget()) w->clearFocus();  // or it keeps its text
            dialog->selectFile(QString::fromUtf8(root) + "/new.mes");
            QMetaObject::invokeMethod(dialog, "accept");
        } else if (qobject_cast<QMessageBox*>(box)) {
            std::ofstream(std::string(root) + "/dialog-open") << "";
        }
    });
    answer.start(20);
    EXPECT_EQ(QApplication::exec(), 0);
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

TEST(EndSignal, AfterOneEndSignalASecondOfAnyKindTakesItsDefaultAction)
{
    int asked = 0;
    const ql::gui::ExitSignals exitSignals([&] { ++asked; });
    ::raise(SIGTERM);
    EXPECT_TRUE(waitFor(
        [&] {
            QApplication::processEvents();
            return asked == 1;
        },
        5'000));
    // While the program ends as "Exit" does, SIGINT or SIGHUP no longer waits for that.
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        struct sigaction now {};
        ::sigaction(signal, nullptr, &now);
        EXPECT_EQ(now.sa_handler, SIG_DFL) << signal;
    }
}
