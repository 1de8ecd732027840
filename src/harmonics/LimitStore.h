#pragma once
// The limit database: the user's limit definitions in an SQLite file (per user, made from the
// shipped script on first use). Table OBWHead holds one head per definition (name, relative,
// multiplier, memo), table obwdata one row per harmonic order (name, order, limit, memo). Names
// are matched exactly, ignoring case, always as bound parameters: a quote, "%", "_" or "*" in a
// name matches only itself. Every change runs in one transaction and is rolled back whole when
// any part of it fails.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "LimitSource.h"
#include "state/SqliteDatabase.h"
#include "state/Status.h"

namespace ql {

// The schema version this program writes (PRAGMA user_version of the database).
inline constexpr int kLimitSchemaVersion = 1;

// The memo of a row whose negative limit the analysis scales with the power factor.
inline constexpr std::string_view kPowerFactorMemo =
    "This Limit ist multiplied with the Powerfactor";

struct LimitHead {
    std::string name;
    bool relative = false;
    double multiplier = 1.0;
    std::string memo;
};

struct LimitRow {
    std::string name;  // of the definition that owns the row
    int order = 0;     // harmonic order, 16-bit
    float limit = 0.0f;
    std::string memo;
};

class LimitStore final : public LimitSource {
public:
    // `databasePath` is the user's database, `scriptPath` the script that makes it.
    LimitStore(std::string databasePath, std::string scriptPath);
    ~LimitStore() override;

    // Opens the database when it is not open yet, making it from the script when the file does
    // not exist (all or nothing: a failed script leaves no file). A failure says why; after it
    // the store is closed, except for a database of a newer schema version, which stays open
    // read-only and is reported at every call. An older version is used as it stands.
    Status open();
    bool isOpen() const { return db_ != nullptr; }
    bool readOnly() const;
    const std::string& path() const { return path_; }

    // Reads, each from the open database (opened first when needed).
    Result<std::vector<std::string>> names();  // in order, ignoring case
    Result<std::optional<LimitHead>> head(std::string_view name);
    Result<std::vector<LimitRow>> rows(std::string_view name);  // in harmonic order
    // Head and rows read together, for the analysis; nullopt when there is no such definition
    // or the database cannot be read.
    std::optional<LimitDefinition> definition(std::string_view name) override;

    // Changes. A name that exists already, a second row for one order, a multiplier outside 1
    // to 5 or an order outside 16 bits is refused by the database itself.
    Status insertHead(const LimitHead& head);
    Status insertRow(const LimitRow& row);
    Status updateHead(std::string_view name, double multiplier, std::string_view memo);
    // The row of `order` takes the order, limit and memo of `now`.
    Status updateRow(std::string_view name, int order, const LimitRow& now);
    Status deleteRow(std::string_view name, int order);
    // Removes the head of that name and every row of that name, in one transaction; false when
    // there is no such head (then nothing is removed).
    Result<bool> deleteDefinition(std::string_view name);

private:
    Status create();
    Failure readFailure(const std::string& why) const;
    Failure creationFailure(const std::string& why) const;
    Failure writeFailure(const std::string& why) const;
    Failure newerVersionWarning() const;
    // Runs one prepared change with its parameters in a transaction of its own.
    template <typename Bind>
    Status change(std::string_view sql, Bind bind);

    std::string path_;
    std::string scriptPath_;
    std::unique_ptr<SqliteDatabase> db_;
    bool newer_ = false;
};

}  // namespace ql
