#include "LimitStore.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>
#include <utility>

#include "state/AtomicFile.h"

namespace ql {

namespace fs = std::filesystem;

namespace {

using Step = SqliteStatement::Step;

constexpr const char* kTitle = "Limit database";
constexpr const char* kCannotMakeText =
    "The limit database cannot be made. No limit definition can be chosen or changed.";

// The columns every statement below uses; a file without them is no limit database.
constexpr std::string_view kCheckHeads = "SELECT name, relativ, multi, Memo FROM OBWHead LIMIT 0";
constexpr std::string_view kCheckRows =
    "SELECT name, Harmonic, \"limit\", memo FROM obwdata LIMIT 0";

std::optional<std::string> fileText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

LimitStore::LimitStore(std::string databasePath, std::string scriptPath)
    : path_(std::move(databasePath)), scriptPath_(std::move(scriptPath))
{
}

LimitStore::~LimitStore() = default;

bool LimitStore::readOnly() const
{
    return db_ && db_->readOnly();
}

Failure LimitStore::readFailure(const std::string& why) const
{
    return fileError(
        "The limit database cannot be read. No limit definition can be chosen or "
        "changed.",
        kTitle,
        "\"" + path_ + "\": " + why +
            ". Moving this file aside brings back the shipped limit classes at the "
            "next start.",
        MessageIcon::Critical);
}

Failure LimitStore::creationFailure(const std::string& why) const
{
    return fileError(kCannotMakeText, kTitle, "\"" + path_ + "\": " + why + ".",
                     MessageIcon::Critical);
}

Failure LimitStore::writeFailure(const std::string& why) const
{
    return fileError("The limit database was not changed.", kTitle,
                     "\"" + path_ + "\": " + why + ".", MessageIcon::Warning);
}

Status LimitStore::create()
{
    const std::optional<std::string> script = fileText(scriptPath_);
    if (!script) return creationFailure("its script " + scriptPath_ + " is missing");
    // A link is kept: the database is made where it points, whose folder must exist.
    const Result<std::string> behindLinks = fileBehindLinks(path_, kTitle);
    if (!behindLinks)
        return fileError(kCannotMakeText, kTitle, behindLinks.failure().text,
                         MessageIcon::Critical);
    const fs::path target = behindLinks.value();
    const fs::path folder = target.parent_path();
    const bool link = target != fs::path(path_);
    std::error_code ec;
    if (!link && !folder.empty()) fs::create_directories(folder, ec);
    std::error_code statError;
    if (!folder.empty() && !fs::is_directory(folder, statError)) {
        if (link)
            return creationFailure("it is a link to \"" + target.string() +
                                   "\", and the folder \"" + folder.string() + "\" does not exist");
        return creationFailure("its folder could not be made (" + ec.message() + ")");
    }
    // Made beside the target and renamed over it once the whole script ran.
    const std::string fresh = target.string() + ".new";
    fs::remove(fresh, ec);
    std::string why;
    {
        SqliteDatabase db(fresh, SqliteDatabase::Mode::Create);
        if (!db.ok() || !db.execute("BEGIN;\n" + *script + "\nCOMMIT;")) why = db.error().message;
    }
    if (why.empty()) {
        fs::rename(fresh, target, ec);
        if (ec) why = ec.message();
    }
    if (why.empty()) return Status::success();
    fs::remove(fresh, ec);
    return creationFailure(why);
}

Failure LimitStore::newerVersionWarning() const
{
    return Failure{"The limit database " + path_ +
                       " was written by a newer version of the program. It is opened read-only: "
                       "definitions can be chosen, not changed.",
                   kTitle, MessageIcon::Warning};
}

Status LimitStore::open()
{
    if (db_) return newer_ ? Status(newerVersionWarning()) : Status::success();
    std::error_code ec;
    if (!fs::exists(path_, ec)) {
        if (Status made = create(); !made) return made;
    }
    auto db = std::make_unique<SqliteDatabase>(path_, SqliteDatabase::Mode::ReadWrite);
    if (!db->ok()) return readFailure(db->error().message);
    const int version = db->userVersion();
    if (version < 0) return readFailure(db->error().message);
    for (std::string_view check : {kCheckHeads, kCheckRows})
        if (!db->prepare(check).ok()) return readFailure(db->error().message);
    if (version > kLimitSchemaVersion) {
        db = std::make_unique<SqliteDatabase>(path_, SqliteDatabase::Mode::ReadOnly);
        if (!db->ok()) return readFailure(db->error().message);
        db_ = std::move(db);
        newer_ = true;
        return newerVersionWarning();
    }
    db_ = std::move(db);
    return Status::success();
}

Result<std::vector<std::string>> LimitStore::names()
{
    if (Status s = open(); !s && !db_) return s.failure();
    SqliteStatement st = db_->prepare("SELECT name FROM OBWHead ORDER BY name COLLATE NOCASE");
    std::vector<std::string> all;
    Step step;
    while ((step = st.step()) == Step::Row) all.push_back(st.text(0));
    if (step != Step::Done) return readFailure(st.error().message);
    return all;
}

Result<std::optional<LimitHead>> LimitStore::head(std::string_view name)
{
    if (Status s = open(); !s && !db_) return s.failure();
    SqliteStatement st = db_->prepare(
        "SELECT name, relativ, multi, Memo FROM OBWHead WHERE name = ?1 COLLATE NOCASE");
    st.bind(1, name);
    const Step step = st.step();
    if (step == Step::Done) return std::optional<LimitHead>{};
    if (step != Step::Row) return readFailure(st.error().message);
    return std::optional<LimitHead>{
        LimitHead{st.text(0), st.integer(1) != 0, st.real(2), st.text(3)}};
}

Result<std::vector<LimitRow>> LimitStore::rows(std::string_view name)
{
    if (Status s = open(); !s && !db_) return s.failure();
    SqliteStatement st = db_->prepare(
        "SELECT name, Harmonic, \"limit\", memo FROM obwdata WHERE name = ?1 COLLATE NOCASE "
        "ORDER BY Harmonic");
    st.bind(1, name);
    std::vector<LimitRow> all;
    Step step;
    while ((step = st.step()) == Step::Row)
        all.push_back(LimitRow{st.text(0), static_cast<int>(st.integer(1)),
                               static_cast<float>(st.real(2)), st.text(3)});
    if (step != Step::Done) return readFailure(st.error().message);
    return all;
}

std::optional<LimitDefinition> LimitStore::definition(std::string_view name)
{
    if (!db_ && !open()) return std::nullopt;
    // One statement, so the head and its rows come from one reading of the file.
    SqliteStatement st = db_->prepare(
        "SELECT h.relativ, h.multi, d.Harmonic, d.\"limit\" FROM OBWHead h "
        "LEFT JOIN obwdata d ON d.name = h.name WHERE h.name = ?1 COLLATE NOCASE "
        "ORDER BY d.Harmonic");
    st.bind(1, name);
    std::optional<LimitDefinition> found;
    Step step;
    while ((step = st.step()) == Step::Row) {
        if (!found) {
            found.emplace();
            found->relative = st.integer(0) != 0;
            found->multiplier = st.real(1);
        }
        if (!st.isNull(2))
            found->limits[static_cast<int>(st.integer(2))] = static_cast<float>(st.real(3));
    }
    if (step != Step::Done) return std::nullopt;
    return found;
}

template <typename Bind>
Status LimitStore::change(std::string_view sql, Bind bind)
{
    if (Status s = open(); !s && !db_) return s.failure();
    SqliteTransaction transaction(*db_);
    if (!transaction.ok()) return writeFailure(transaction.error().message);
    SqliteStatement st = db_->prepare(sql);
    if (!st.ok()) return writeFailure(st.error().message);
    bind(st);
    if (!st.run()) return writeFailure(st.error().message);
    // A definition or row that is not there (any more) is a change that did not happen.
    if (db_->changes() == 0) return writeFailure("the definition or its row was not found");
    if (!transaction.commit()) return writeFailure(transaction.error().message);
    return Status::success();
}

Status LimitStore::insertHead(const LimitHead& h)
{
    return change("INSERT INTO OBWHead (name, relativ, multi, Memo) VALUES (?1, ?2, ?3, ?4)",
                  [&](SqliteStatement& st) {
                      st.bind(1, h.name);
                      st.bind(2, h.relative ? 1 : 0);
                      st.bind(3, h.multiplier);
                      st.bind(4, h.memo);
                  });
}

Status LimitStore::insertRow(const LimitRow& r)
{
    // The row's name is the head's name as stored, so the row follows the head's spelling.
    return change(
        "INSERT INTO obwdata (name, Harmonic, \"limit\", memo) "
        "SELECT name, ?2, ?3, ?4 FROM OBWHead WHERE name = ?1 COLLATE NOCASE",
        [&](SqliteStatement& st) {
            st.bind(1, r.name);
            st.bind(2, r.order);
            st.bind(3, static_cast<double>(r.limit));
            st.bind(4, r.memo);
        });
}

Status LimitStore::updateHead(std::string_view name, double multiplier, std::string_view memo)
{
    return change("UPDATE OBWHead SET multi = ?2, Memo = ?3 WHERE name = ?1 COLLATE NOCASE",
                  [&](SqliteStatement& st) {
                      st.bind(1, name);
                      st.bind(2, multiplier);
                      st.bind(3, memo);
                  });
}

Status LimitStore::updateRow(std::string_view name, int order, const LimitRow& now)
{
    return change(
        "UPDATE obwdata SET Harmonic = ?3, \"limit\" = ?4, memo = ?5 "
        "WHERE name = ?1 COLLATE NOCASE AND Harmonic = ?2",
        [&](SqliteStatement& st) {
            st.bind(1, name);
            st.bind(2, order);
            st.bind(3, now.order);
            st.bind(4, static_cast<double>(now.limit));
            st.bind(5, now.memo);
        });
}

Status LimitStore::deleteRow(std::string_view name, int order)
{
    return change("DELETE FROM obwdata WHERE name = ?1 COLLATE NOCASE AND Harmonic = ?2",
                  [&](SqliteStatement& st) {
                      st.bind(1, name);
                      st.bind(2, order);
                  });
}

Result<bool> LimitStore::deleteDefinition(std::string_view name)
{
    if (Status s = open(); !s && !db_) return s.failure();
    SqliteTransaction transaction(*db_);
    if (!transaction.ok()) return writeFailure(transaction.error().message);
    // The rows first, by name, so none is left behind for a later definition of that name.
    for (std::string_view sql : {std::string_view("DELETE FROM obwdata WHERE name = ?1 COLLATE "
                                                  "NOCASE AND EXISTS (SELECT 1 FROM OBWHead "
                                                  "WHERE name = ?1 COLLATE NOCASE)"),
                                 std::string_view("DELETE FROM OBWHead WHERE name = ?1 COLLATE "
                                                  "NOCASE")}) {
        SqliteStatement st = db_->prepare(sql);
        st.bind(1, name);
        if (!st.run()) return writeFailure(st.error().message);
    }
    const bool removed = db_->changes() > 0;
    if (!transaction.commit()) return writeFailure(transaction.error().message);
    return removed;
}

}  // namespace ql
