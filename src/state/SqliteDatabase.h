#pragma once
// The program's databases (the model table, the limit definitions) through SQLite's C library:
// one open connection, statements prepared with bound parameters (never text pasted into SQL),
// transactions that roll back unless committed, and one error type for every failure.

#include <cstdint>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace ql {

// What went wrong, in SQLite's words; code 0 means nothing did.
struct SqliteError {
    int code = 0;
    std::string message;
};

class SqliteStatement {
public:
    enum class Step { Row, Done, Failed };

    SqliteStatement() = default;
    ~SqliteStatement();
    SqliteStatement(SqliteStatement&& other) noexcept;
    SqliteStatement& operator=(SqliteStatement&& other) noexcept;
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    // False when the statement could not be prepared (error() says why).
    bool ok() const { return stmt_ != nullptr; }
    const SqliteError& error() const { return error_; }

    // Parameters count from 1, as ?1, ?2 ... in the text. False when the value cannot be bound.
    bool bind(int index, std::string_view text);
    bool bind(int index, std::int64_t value);
    bool bind(int index, int value) { return bind(index, static_cast<std::int64_t>(value)); }
    bool bind(int index, double value);

    // The next row, the end, or a failure (error() says which).
    Step step();
    // Runs a statement that returns no rows; false on failure.
    bool run();
    // Ready to run again with new parameters.
    void reset();

    // Columns of the current row count from 0; an empty value reads as "" or 0.
    bool isNull(int column) const;
    std::string text(int column) const;
    std::int64_t integer(int column) const;
    double real(int column) const;

private:
    friend class SqliteDatabase;
    SqliteStatement(sqlite3* db, std::string_view sql);
    void fail();

    sqlite3* db_ = nullptr;
    sqlite3_stmt* stmt_ = nullptr;
    SqliteError error_;
};

class SqliteDatabase {
public:
    enum class Mode { ReadOnly, ReadWrite, Create };

    // Opens the file; ok() is false when that failed. Create makes the file when it is missing,
    // the other modes never do. Foreign keys are enforced on every read-write connection.
    SqliteDatabase(const std::string& path, Mode mode);
    ~SqliteDatabase();
    SqliteDatabase(const SqliteDatabase&) = delete;
    SqliteDatabase& operator=(const SqliteDatabase&) = delete;

    bool ok() const { return db_ != nullptr; }
    const SqliteError& error() const { return error_; }
    bool readOnly() const { return readOnly_; }

    SqliteStatement prepare(std::string_view sql);
    // Runs a script of statements that take no parameters (a schema); false on failure.
    bool execute(const std::string& script);
    // The schema version the file records (PRAGMA user_version); -1 when it cannot be read
    // (for instance when the file is not a database).
    int userVersion();
    // Rows the last finished INSERT, UPDATE or DELETE changed.
    int changes() const;

private:
    sqlite3* db_ = nullptr;
    SqliteError error_;
    bool readOnly_ = false;
};

// A transaction that rolls back when it goes out of scope without commit().
class SqliteTransaction {
public:
    explicit SqliteTransaction(SqliteDatabase& db);
    ~SqliteTransaction();
    SqliteTransaction(const SqliteTransaction&) = delete;
    SqliteTransaction& operator=(const SqliteTransaction&) = delete;

    // False when the transaction could not begin (error() says why).
    bool ok() const { return begun_; }
    bool commit();
    const SqliteError& error() const { return error_; }

private:
    SqliteDatabase& db_;
    bool begun_ = false;
    bool done_ = false;
    SqliteError error_;
};

}  // namespace ql
