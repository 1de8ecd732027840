#pragma once
// The model table: which instrument models exist and what each can do. A read-only SQLite
// database shipped with the program (table "units"); the model name is always bound as a
// parameter, never pasted into SQL.

#include <optional>
#include <string>
#include <vector>

#include "state/ProgramState.h"
#include "state/Status.h"

namespace ql {

struct ModelRow {
    std::string scope;
    std::string memo;
    bool operator==(const ModelRow&) const = default;
};

class ModelTable {
public:
    explicit ModelTable(std::string databasePath) : path_(std::move(databasePath)) {}

    // Capabilities of a model; nullopt when the table has no such model (the first row wins
    // when there are several). A missing or unreadable table, or an empty flag, is a failure.
    Result<std::optional<ModelCaps>> lookup(const std::string& modelName) const;

    // Every model with its description, ordered by name (for the about window).
    Result<std::vector<ModelRow>> listModels() const;

    const std::string& path() const { return path_; }

private:
    std::string path_;
};

}  // namespace ql
