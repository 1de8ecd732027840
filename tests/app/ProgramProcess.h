#pragma once
// A test run in a process of its own whose signals are set up only as the program sets up its
// own at start (prepareProcess), and a limit on the size of the files that process writes.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "app/AppController.h"

namespace ql::testing {

// The rest of the scope that makes it runs in a child process prepared as the program's is
// (the parent returns at once when isChild() is false); the child's failures, and its death by
// a signal, fail the test.
class ProgramProcess {
public:
    ProgramProcess()
    {
        std::fflush(nullptr);
        const pid_t child = ::fork();
        if (child == 0) {
            isChild_ = true;
            prepareProcess();
            return;
        }
        int status = 0;
        if (child < 0 || ::waitpid(child, &status, 0) != child)
            ADD_FAILURE() << "no child process";
        else if (WIFSIGNALED(status))
            ADD_FAILURE() << "the child ended by signal " << WTERMSIG(status);
        else
            EXPECT_EQ(WEXITSTATUS(status), 0) << "the child failed (above)";
    }
    ~ProgramProcess()
    {
        if (!isChild_) return;
        std::fflush(nullptr);
        std::_Exit(::testing::Test::HasFailure() ? 1 : 0);
    }
    ProgramProcess(const ProgramProcess&) = delete;
    ProgramProcess& operator=(const ProgramProcess&) = delete;
    bool isChild() const { return isChild_; }

private:
    bool isChild_ = false;
};

// A full disk, as this process sees it: no file grows beyond `bytes` while it lives.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &before_);
        rlimit limited = before_;
        limited.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() { ::setrlimit(RLIMIT_FSIZE, &before_); }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit before_{};
};

}  // namespace ql::testing
