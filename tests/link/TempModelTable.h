#pragma once
// A model table of a test's own, written with SQLite into a temporary file.

#include <sqlite3.h>

#include <filesystem>
#include <string>
#include <vector>

namespace ql::testing {

struct TableRow {
    std::string scope;
    bool digimodea = false, digimodec = true, analog = false, notbb = false, xyinv = false;
    bool measa = false, ddf2 = false;
    bool nullFlag = false;  // leave a flag empty
    std::string memo = "memo";
};

class TempModelTable {
public:
    explicit TempModelTable(const std::vector<TableRow>& rows)
    {
        path_ = (std::filesystem::temp_directory_path() /
                 ("ql240-units-" + std::to_string(reinterpret_cast<std::uintptr_t>(this)) + ".db"))
                    .string();
        std::filesystem::remove(path_);
        sqlite3* db = nullptr;
        sqlite3_open(path_.c_str(), &db);
        sqlite3_exec(db,
                     "CREATE TABLE units (scope TEXT, memo TEXT, digimodea INTEGER, digimodec "
                     "INTEGER, analog INTEGER, notbb INTEGER, xyinv INTEGER, tbma INTEGER, pk "
                     "INTEGER, measa INTEGER, newtbmode INTEGER, pt_variabel INTEGER, ddf2 "
                     "INTEGER, trgypos INTEGER)",
                     nullptr, nullptr, nullptr);
        for (const auto& r : rows) {
            sqlite3_stmt* st = nullptr;
            sqlite3_prepare_v2(db,
                               "INSERT INTO units VALUES (?1, ?9, ?2, ?3, ?4, ?5, ?6, 0, 0, "
                               "?7, 0, 0, ?8, 0)",
                               -1, &st, nullptr);
            sqlite3_bind_text(st, 1, r.scope.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(st, 9, r.memo.c_str(), -1, SQLITE_TRANSIENT);
            const bool flags[] = {r.digimodea, r.digimodec, r.analog, r.notbb,
                                  r.xyinv,     r.measa,     r.ddf2};
            for (int i = 0; i < 7; ++i) {
                if (r.nullFlag && i == 0)
                    sqlite3_bind_null(st, 2);
                else
                    sqlite3_bind_int(st, i + 2, flags[i] ? 1 : 0);
            }
            sqlite3_step(st);
            sqlite3_finalize(st);
        }
        sqlite3_close(db);
    }
    ~TempModelTable() { std::filesystem::remove(path_); }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

}  // namespace ql::testing
