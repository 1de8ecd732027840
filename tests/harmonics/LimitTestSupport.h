#pragma once
// A limit database of a test's own in a fresh folder, made from the shipped script, and a
// second connection to look at the file as it is.

#include <sqlite3.h>

#include <atomic>
#include <string>

#include "harmonics/LimitStore.h"
#include "state/TempFolder.h"

namespace ql::test {

inline std::string limitScript()
{
    return QL240_LIMIT_SCRIPT;
}

struct LimitFolder {
    LimitFolder() : folder("limits-" + std::to_string(counter()++)) {}
    static std::atomic<int>& counter()
    {
        static std::atomic<int> n{0};
        return n;
    }
    std::string database() const { return folder.file("user/obwlimit.db"); }
    TempFolder folder;
};

// Runs one statement on the file through a connection of its own; false when it failed.
inline bool sql(const std::string& path, const std::string& statement)
{
    sqlite3* db = nullptr;
    bool ok = sqlite3_open(path.c_str(), &db) == SQLITE_OK &&
              sqlite3_exec(db, statement.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

// The first column of the first row of a query, as text ("" when there is none).
inline std::string sqlValue(const std::string& path, const std::string& query)
{
    sqlite3* db = nullptr;
    std::string value;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db, query.c_str(), -1, &st, nullptr) == SQLITE_OK &&
            sqlite3_step(st) == SQLITE_ROW && sqlite3_column_text(st, 0))
            value = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    return value;
}

// Everything the file holds, one line per head and row, to compare before and after.
inline std::string dump(const std::string& path)
{
    return sqlValue(path,
                    "SELECT group_concat(line, '\n') FROM (SELECT name || '|' || relativ || '|' "
                    "|| multi || '|' || Memo AS line FROM OBWHead UNION ALL SELECT name || '|' || "
                    "Harmonic || '|' || \"limit\" || '|' || memo FROM obwdata ORDER BY 1)");
}

}  // namespace ql::test
