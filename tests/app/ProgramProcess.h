#pragma once
// The rest of a test's scope run in a child process whose signals are set up only as the
// program sets up its own at start (prepareProcess).

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "app/AppController.h"

namespace ql::testing {

// The parent returns at once when isChild() is false; the child's failures, or its death by a
// signal, fail the test.
class ProgramProcess {
public:
    ProgramProcess()
    {
        std::fflush(nullptr);
        const pid_t child = ::fork();
        isChild_ = child == 0;
        if (isChild_) {
            prepareProcess();
            return;
        }
        int status = -1;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
            << (WIFSIGNALED(status) ? "ended by a signal" : "failed (above)");
    }
    ~ProgramProcess()
    {
        if (!isChild_) return;
        std::fflush(nullptr);
        std::_Exit(::testing::Test::HasFailure() ? 1 : 0);
    }
    bool isChild() const { return isChild_; }

private:
    bool isChild_ = false;
};

}  // namespace ql::testing
