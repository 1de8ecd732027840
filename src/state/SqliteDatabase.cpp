#include "SqliteDatabase.h"

#include <sqlite3.h>

#include <utility>

namespace ql {

namespace {

SqliteError errorOf(sqlite3* db, int code)
{
    return SqliteError{code, db ? sqlite3_errmsg(db) : sqlite3_errstr(code)};
}

}  // namespace

SqliteStatement::SqliteStatement(sqlite3* db, std::string_view sql) : db_(db)
{
    const int code =
        sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &stmt_, nullptr);
    if (code != SQLITE_OK) {
        error_ = errorOf(db, code);
        sqlite3_finalize(stmt_);
        stmt_ = nullptr;
    }
}

SqliteStatement::~SqliteStatement()
{
    sqlite3_finalize(stmt_);
}

SqliteStatement::SqliteStatement(SqliteStatement&& other) noexcept
    : db_(std::exchange(other.db_, nullptr)),
      stmt_(std::exchange(other.stmt_, nullptr)),
      error_(std::move(other.error_))
{
}

SqliteStatement& SqliteStatement::operator=(SqliteStatement&& other) noexcept
{
    if (this != &other) {
        sqlite3_finalize(stmt_);
        db_ = std::exchange(other.db_, nullptr);
        stmt_ = std::exchange(other.stmt_, nullptr);
        error_ = std::move(other.error_);
    }
    return *this;
}

void SqliteStatement::fail()
{
    error_ = errorOf(db_, db_ ? sqlite3_errcode(db_) : SQLITE_MISUSE);
}

bool SqliteStatement::bind(int index, std::string_view text)
{
    if (!stmt_) return false;
    // An empty view may have no data pointer; SQLite reads that as NULL, so bind "" instead.
    const char* data = text.data() ? text.data() : "";
    if (sqlite3_bind_text(stmt_, index, data, static_cast<int>(text.size()), SQLITE_TRANSIENT) ==
        SQLITE_OK)
        return true;
    fail();
    return false;
}

bool SqliteStatement::bind(int index, std::int64_t value)
{
    if (!stmt_) return false;
    if (sqlite3_bind_int64(stmt_, index, value) == SQLITE_OK) return true;
    fail();
    return false;
}

bool SqliteStatement::bind(int index, double value)
{
    if (!stmt_) return false;
    if (sqlite3_bind_double(stmt_, index, value) == SQLITE_OK) return true;
    fail();
    return false;
}

SqliteStatement::Step SqliteStatement::step()
{
    if (!stmt_) return Step::Failed;
    const int code = sqlite3_step(stmt_);
    if (code == SQLITE_ROW) return Step::Row;
    if (code == SQLITE_DONE) return Step::Done;
    error_ = errorOf(db_, code);
    return Step::Failed;
}

bool SqliteStatement::run()
{
    Step s;
    while ((s = step()) == Step::Row) {
    }
    return s == Step::Done;
}

void SqliteStatement::reset()
{
    if (!stmt_) return;
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

bool SqliteStatement::isNull(int column) const
{
    return !stmt_ || sqlite3_column_type(stmt_, column) == SQLITE_NULL;
}

std::string SqliteStatement::text(int column) const
{
    if (!stmt_) return {};
    const unsigned char* t = sqlite3_column_text(stmt_, column);
    return t ? std::string(reinterpret_cast<const char*>(t),
                           static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column)))
             : std::string();
}

std::int64_t SqliteStatement::integer(int column) const
{
    return stmt_ ? sqlite3_column_int64(stmt_, column) : 0;
}

double SqliteStatement::real(int column) const
{
    return stmt_ ? sqlite3_column_double(stmt_, column) : 0.0;
}

SqliteDatabase::SqliteDatabase(const std::string& path, Mode mode)
    : readOnly_(mode == Mode::ReadOnly)
{
    const int flags = mode == Mode::ReadOnly    ? SQLITE_OPEN_READONLY
                      : mode == Mode::ReadWrite ? SQLITE_OPEN_READWRITE
                                                : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    const int code = sqlite3_open_v2(path.c_str(), &db_, flags, nullptr);
    if (code != SQLITE_OK) {
        error_ = errorOf(db_, code);
        sqlite3_close(db_);
        db_ = nullptr;
        return;
    }
    // Rows refer to their head by name; the cascade keeps them with it.
    if (!readOnly_) sqlite3_exec(db_, "PRAGMA foreign_keys = ON", nullptr, nullptr, nullptr);
}

SqliteDatabase::~SqliteDatabase()
{
    sqlite3_close(db_);
}

SqliteStatement SqliteDatabase::prepare(std::string_view sql)
{
    if (!db_) {
        SqliteStatement failed;
        failed.error_ = error_;
        return failed;
    }
    SqliteStatement st(db_, sql);
    if (!st.ok()) error_ = st.error();
    return st;
}

bool SqliteDatabase::execute(const std::string& script)
{
    if (!db_) return false;
    char* message = nullptr;
    const int code = sqlite3_exec(db_, script.c_str(), nullptr, nullptr, &message);
    if (code == SQLITE_OK) return true;
    error_ = SqliteError{code, message ? message : sqlite3_errstr(code)};
    sqlite3_free(message);
    return false;
}

int SqliteDatabase::userVersion()
{
    SqliteStatement st = prepare("PRAGMA user_version");
    if (st.step() != SqliteStatement::Step::Row) {
        error_ = st.error();
        return -1;
    }
    return static_cast<int>(st.integer(0));
}

int SqliteDatabase::changes() const
{
    return db_ ? sqlite3_changes(db_) : 0;
}

SqliteTransaction::SqliteTransaction(SqliteDatabase& db) : db_(db)
{
    begun_ = db_.execute("BEGIN IMMEDIATE");
    if (!begun_) error_ = db_.error();
}

SqliteTransaction::~SqliteTransaction()
{
    if (begun_ && !done_) (void)db_.execute("ROLLBACK");
}

bool SqliteTransaction::commit()
{
    if (!begun_ || done_) return false;
    if (!db_.execute("COMMIT")) {
        error_ = db_.error();
        return false;
    }
    done_ = true;
    return true;
}

}  // namespace ql
