#pragma once
// File dialogs for tests: record every request and answer from a queue (cancel when empty).

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "FileDialogs.h"

namespace ql {

class RecordingFileDialogs : public FileDialogs {
public:
    struct Shown {
        bool save = false;
        FileDialogRequest request;
    };

    std::optional<std::string> chooseFileToOpen(const FileDialogRequest& request) override
    {
        return answer(false, request);
    }
    std::optional<std::string> chooseFileToSave(const FileDialogRequest& request) override
    {
        return answer(true, request);
    }

    std::vector<Shown> shown;
    std::deque<std::optional<std::string>> answers;  // nullopt = cancel

private:
    std::optional<std::string> answer(bool save, const FileDialogRequest& request)
    {
        shown.push_back(Shown{save, request});
        if (answers.empty()) return std::nullopt;
        auto a = answers.front();
        answers.pop_front();
        return a;
    }
};

}  // namespace ql
