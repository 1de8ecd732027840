#include "ModelTable.h"

#include <sqlite3.h>

namespace ql {

namespace {

// An open read-only database, closed when it goes out of scope.
class Database {
public:
    explicit Database(const std::string& path)
    {
        if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
            error_ = db_ ? sqlite3_errmsg(db_) : "out of memory";
            sqlite3_close(db_);
            db_ = nullptr;
        }
    }
    ~Database() { sqlite3_close(db_); }
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;
    sqlite3* get() const { return db_; }
    const std::string& error() const { return error_; }

private:
    sqlite3* db_ = nullptr;
    std::string error_;
};

class Statement {
public:
    Statement(sqlite3* db, const char* sql)
    {
        if (sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr) != SQLITE_OK) stmt_ = nullptr;
    }
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    sqlite3_stmt* get() const { return stmt_; }

private:
    sqlite3_stmt* stmt_ = nullptr;
};

Failure tableFailure(const std::string& path, const std::string& why)
{
    return Failure{"The model table " + path + " cannot be read: " + why, "Model table",
                   MessageIcon::Critical};
}

}  // namespace

Result<std::optional<ModelCaps>> ModelTable::lookup(const std::string& modelName) const
{
    Database db(path_);
    if (!db.get()) return tableFailure(path_, db.error());
    Statement st(db.get(),
                 "SELECT digimodea, digimodec, digimodec, analog, notbb, xyinv, tbma, pk, measa, "
                 "newtbmode, pt_variabel, ddf2, trgypos FROM units "
                 "WHERE scope = ?1 COLLATE NOCASE ORDER BY rowid LIMIT 1");
    if (!st.get()) return tableFailure(path_, sqlite3_errmsg(db.get()));
    sqlite3_bind_text(st.get(), 1, modelName.c_str(), static_cast<int>(modelName.size()),
                      SQLITE_TRANSIENT);
    const int step = sqlite3_step(st.get());
    if (step == SQLITE_DONE) return std::optional<ModelCaps>{};
    if (step != SQLITE_ROW) return tableFailure(path_, sqlite3_errmsg(db.get()));
    bool flags[13];
    for (int i = 0; i < 13; ++i) {
        if (sqlite3_column_type(st.get(), i) == SQLITE_NULL)
            return tableFailure(path_, "the row of " + modelName + " has an empty flag");
        flags[i] = sqlite3_column_int(st.get(), i) != 0;
    }
    ModelCaps caps;
    caps.unitDigimodea = flags[0];
    caps.unitDigimodec = flags[1];
    caps.unitDigimodec2 = flags[2];
    caps.unitAnalog = flags[3];
    caps.unitNotbb = flags[4];
    caps.unitXyinv = flags[5];
    caps.unitTbma = flags[6];
    caps.unitPk = flags[7];
    caps.unitMeasa = flags[8];
    caps.unitNewtbmode = flags[9];
    caps.unitPtVariabel = flags[10];
    caps.unitDdf2 = flags[11];
    caps.unitTrgypos = flags[12];
    return std::optional<ModelCaps>{caps};
}

Result<std::vector<ModelRow>> ModelTable::listModels() const
{
    Database db(path_);
    if (!db.get()) return tableFailure(path_, db.error());
    Statement st(db.get(), "SELECT scope, memo FROM units ORDER BY scope");
    if (!st.get()) return tableFailure(path_, sqlite3_errmsg(db.get()));
    std::vector<ModelRow> rows;
    int step;
    while ((step = sqlite3_step(st.get())) == SQLITE_ROW) {
        auto text = [&](int col) {
            const unsigned char* t = sqlite3_column_text(st.get(), col);
            return t ? std::string(reinterpret_cast<const char*>(t)) : std::string();
        };
        rows.push_back(ModelRow{text(0), text(1)});
    }
    if (step != SQLITE_DONE) return tableFailure(path_, sqlite3_errmsg(db.get()));
    return rows;
}

}  // namespace ql
