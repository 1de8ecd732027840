// The limit database in temporary folders: made from the shipped script on first use, the
// seeds against their formulas, the rules the schema keeps, names that only match themselves,
// single-precision limits, files that are no limit database, and writes that fail whole.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "HarmonicsRig.h"
#include "LimitTestSupport.h"

using namespace ql;
using namespace ql::test;

namespace {

struct StoreRig : LimitFolder {
    LimitStore store{database(), limitScript()};
};

}  // namespace

TEST(LimitStore, TheScriptMakesTheSchemaOnceAndASecondRunChangesNothing)
{
    StoreRig rig;
    ASSERT_FALSE(std::filesystem::exists(rig.database()));
    ASSERT_TRUE(rig.store.open().ok());
    EXPECT_EQ(sqlValue(rig.database(), "PRAGMA user_version"), "1");
    EXPECT_FALSE(std::filesystem::exists(rig.database() + ".new"));
    // Every column refuses an empty value.
    EXPECT_EQ(sqlValue(rig.database(),
                       "SELECT count(*) FROM (SELECT * FROM pragma_table_info('OBWHead') UNION "
                       "ALL SELECT * FROM pragma_table_info('obwdata')) WHERE \"notnull\" = 0"),
              "0");

    // The user removes a seed; the script run again (as by hand) neither brings it back nor
    // changes anything else, and opening the store again does not run it at all.
    ASSERT_TRUE(rig.store.deleteDefinition("Class B").ok());
    ASSERT_TRUE(rig.store.insertRow({"Class A", 1, 16.0f, ""}).ok());
    const std::string before = dump(rig.database());
    ASSERT_TRUE(sql(rig.database(), readFile(limitScript())));
    EXPECT_EQ(dump(rig.database()), before);
    LimitStore again(rig.database(), limitScript());
    ASSERT_TRUE(again.open().ok());
    EXPECT_EQ(dump(rig.database()), before);
    EXPECT_EQ(again.names().value(), (std::vector<std::string>{"Class A", "Class C"}));
}

TEST(LimitStore, TheSeedsFollowTheirFormulas)
{
    StoreRig rig;
    EXPECT_EQ(rig.store.names().value(),
              (std::vector<std::string>{"Class A", "Class B", "Class C"}));
    const LimitDefinition expectedA = classA();  // built from the formulas by the test rig
    const std::optional<LimitDefinition> a = rig.store.definition("Class A");
    const std::optional<LimitDefinition> b = rig.store.definition("Class B");
    const std::optional<LimitDefinition> c = rig.store.definition("Class C");
    ASSERT_TRUE(a && b && c);

    EXPECT_FALSE(a->relative);
    EXPECT_EQ(a->multiplier, 1.5);
    ASSERT_EQ(a->limits.size(), 39u);
    EXPECT_EQ(a->limits, expectedA.limits);

    EXPECT_FALSE(b->relative);
    EXPECT_EQ(b->multiplier, 1.5);
    ASSERT_EQ(b->limits.size(), 39u);
    for (const auto& [order, limit] : a->limits)
        EXPECT_FLOAT_EQ(b->limits.at(order), 1.5f * limit) << order;

    EXPECT_TRUE(c->relative);
    EXPECT_EQ(c->multiplier, 1.5);
    std::map<int, float> expectedC = {{2, 2}, {3, -30}, {5, 10}, {7, 7}, {9, 5}};
    for (int n = 11; n <= 39; n += 2) expectedC[n] = 3;
    EXPECT_EQ(c->limits, expectedC);
    // The scaled limit says so, as Store writes it.
    const std::vector<LimitRow> rowsC = rig.store.rows("Class C").value();
    for (const LimitRow& r : rowsC)
        EXPECT_EQ(r.memo, r.order == 3 ? kPowerFactorMemo : "") << r.order;

    const std::vector<std::string> names = rig.store.names().value();
    for (const std::string& name : names)
        EXPECT_NE(rig.store.head(name).value()->memo.find("not a certified test"),
                  std::string::npos)
            << name;
}

TEST(LimitStore, TheSchemaRefusesWhatTheEditorRefuses)
{
    StoreRig rig;
    ASSERT_TRUE(rig.store.insertHead({"Mine", false, 2.0, ""}).ok());
    struct Case {
        const char* what;
        Status (*write)(LimitStore&);
    };
    const Case cases[] = {
        {"a name that exists, in other case",
         [](LimitStore& s) {
             return s.insertHead({"mINE", true, 1.0, ""});
         }},
        {"a multiplier below 1",
         [](LimitStore& s) {
             return s.insertHead({"X", false, 0.9, ""});
         }},
        {"a multiplier above 5",
         [](LimitStore& s) {
             return s.insertHead({"X", false, 5.1, ""});
         }},
        {"a second row for an order",
         [](LimitStore& s) {
             (void)s.insertRow({"Mine", 3, 1.0f, ""});
             return s.insertRow({"mine", 3, 2.0f, ""});
         }},
        {"an order beyond 16 bits",
         [](LimitStore& s) {
             return s.insertRow({"Mine", 40000, 1.0f, ""});
         }},
        {"a row of no definition",
         [](LimitStore& s) {
             return s.insertRow({"None", 2, 1.0f, ""});
         }},
        {"a change of no definition",
         [](LimitStore& s) { return s.updateHead("None", 2.0, "memo"); }},
        {"a row that is not there", [](LimitStore& s) { return s.deleteRow("Mine", 17); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string before = dump(rig.database());
        const Status s = c.write(rig.store);
        EXPECT_FALSE(s.ok());
        if (!s.ok()) {
            EXPECT_EQ(s.failure().title, "Limit database");
        }
        if (std::string(c.what) != "a second row for an order") {
            EXPECT_EQ(dump(rig.database()), before);
        }
    }
    EXPECT_EQ(rig.store.definition("Mine")->limits, (std::map<int, float>{{3, 1.0f}}));
}

TEST(LimitStore, NamesMatchOnlyThemselvesIgnoringCase)
{
    StoreRig rig;
    const char* names[] = {"O'Neil", "Class*", "Class%", "Class_", "Cl_ss A", "%", "_"};
    for (const char* name : names) {
        ASSERT_TRUE(rig.store.insertHead({name, false, 1.0, ""}).ok()) << name;
        ASSERT_TRUE(rig.store.insertRow({name, 2, 0.5f, ""}).ok()) << name;
    }
    for (const char* name : names) {
        SCOPED_TRACE(name);
        const std::optional<LimitDefinition> d = rig.store.definition(name);
        ASSERT_TRUE(d);
        EXPECT_EQ(d->limits.size(), 1u);
        EXPECT_EQ(rig.store.rows(name).value().size(), 1u);
        EXPECT_EQ(rig.store.head(name).value()->name, name);
    }
    // No wildcard reaches the seeds, a quote breaks nothing, and case does not matter.
    EXPECT_EQ(rig.store.definition("Class A")->limits.size(), 39u);
    EXPECT_FALSE(rig.store.definition("Class ?"));
    EXPECT_FALSE(rig.store.definition("Class"));
    EXPECT_FALSE(rig.store.definition("O'"));
    EXPECT_EQ(rig.store.head("o'neil").value()->name, "O'Neil");
    EXPECT_EQ(rig.store.head("CLASS a").value()->name, "Class A");

    // Deleting a name with a wildcard removes that definition and its rows only.
    ASSERT_TRUE(rig.store.deleteDefinition("%").value());
    EXPECT_FALSE(rig.store.definition("%"));
    EXPECT_TRUE(rig.store.definition("_"));
    EXPECT_EQ(sqlValue(rig.database(), "SELECT count(*) FROM obwdata"),
              std::to_string(39 * 2 + 20 + 6));
    EXPECT_FALSE(rig.store.deleteDefinition("%").value()) << "no head, nothing removed";
}

TEST(LimitStore, LimitsAreKeptInSinglePrecision)
{
    StoreRig rig;
    ASSERT_TRUE(rig.store.insertHead({"Single", false, 1.0, ""}).ok());
    const std::map<int, float> limits = {
        {2, 2.3f}, {3, 0.1f}, {4, -30.0f}, {5, 1e-7f}, {6, 3.4e38f}};
    for (const auto& [order, limit] : limits)
        ASSERT_TRUE(rig.store.insertRow({"Single", order, limit, ""}).ok());
    const std::optional<LimitDefinition> d = rig.store.definition("Single");
    ASSERT_TRUE(d);
    EXPECT_EQ(d->limits, limits);
    // Written as the single's value, not as the decimal text typed.
    EXPECT_EQ(sqlValue(rig.database(),
                       "SELECT \"limit\" = 2.3 FROM obwdata WHERE name = "
                       "'Single' AND Harmonic = 2"),
              "0");
    EXPECT_EQ(rig.store.rows("Single").value().front().limit, 2.3f);
}

TEST(LimitStore, AFileThatIsNoLimitDatabaseIsReportedAndFindsNothing)
{
    struct Case {
        const char* what;
        std::string bytes;  // the file as it stands; empty: a database without the tables
    };
    const Case cases[] = {
        {"text", "These are not the limits you are looking for.\n"},
        {"other tables", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StoreRig rig;
        std::filesystem::create_directories(std::filesystem::path(rig.database()).parent_path());
        if (c.bytes.empty())
            ASSERT_TRUE(sql(rig.database(), "CREATE TABLE units (scope TEXT)"));
        else
            writeFile(rig.database(), c.bytes);
        const Status opened = rig.store.open();
        ASSERT_FALSE(opened.ok());
        EXPECT_EQ(opened.failure().title, "Limit database");
        // Under the fixed line: the file, the cause and what brings the shipped classes back.
        const std::string& text = opened.failure().text;
        const std::string cause = text.substr(std::min(text.find('\n'), text.size()));
        EXPECT_NE(cause.find(rig.database()), std::string::npos) << text;
        EXPECT_NE(cause.find("aside"), std::string::npos) << text;
        EXPECT_FALSE(rig.store.isOpen());
        EXPECT_FALSE(rig.store.definition("Class A"));
        EXPECT_FALSE(rig.store.names().ok());
        EXPECT_FALSE(rig.store.insertHead({"New", false, 1.0, ""}).ok());
        if (!c.bytes.empty()) {
            EXPECT_EQ(readFile(rig.database()), c.bytes) << "left as it is";
        }
    }
}

TEST(LimitStore, ADanglingLinkIsMadeThroughOrNamesTheMissingFolder)
{
    namespace fs = std::filesystem;
    for (const bool folderThere : {true, false}) {
        SCOPED_TRACE(folderThere);
        LimitFolder folder;
        const fs::path link = folder.database();
        const fs::path target = folder.folder.path() / (folderThere ? "kept" : "gone") / "l.db";
        fs::create_directories(link.parent_path());
        if (folderThere) fs::create_directories(target.parent_path());
        fs::create_symlink(target, link);
        LimitStore store(link.string(), limitScript());
        const Status opened = store.open();
        EXPECT_TRUE(fs::is_symlink(link));
        EXPECT_EQ(opened.ok(), folderThere);
        EXPECT_EQ(fs::exists(target), folderThere);
        if (!folderThere) {
            EXPECT_NE(opened.failure().text.find(target.parent_path().string()), std::string::npos);
        }
    }
}

TEST(LimitStore, AMissingScriptOrANewerVersionIsReported)
{
    {
        LimitFolder folder;
        LimitStore store(folder.database(), folder.folder.file("missing.sql"));
        EXPECT_FALSE(store.open().ok());
        EXPECT_FALSE(std::filesystem::exists(folder.database()));
    }
    {
        StoreRig rig;
        ASSERT_TRUE(rig.store.open().ok());
        ASSERT_TRUE(sql(rig.database(), "PRAGMA user_version = 2"));
        LimitStore newer(rig.database(), limitScript());
        const Status opened = newer.open();
        ASSERT_FALSE(opened.ok());
        EXPECT_EQ(opened.failure().icon, MessageIcon::Warning);
        EXPECT_TRUE(newer.readOnly());
        EXPECT_EQ(newer.definition("Class A")->limits.size(), 39u) << "still read";
        EXPECT_FALSE(newer.insertHead({"New", false, 1.0, ""}).ok());
        EXPECT_FALSE(newer.head("New").value());
    }
    {
        // An older version (none recorded) is used as it stands, not made again.
        StoreRig rig;
        ASSERT_TRUE(rig.store.open().ok());
        ASSERT_TRUE(sql(rig.database(), "PRAGMA user_version = 0"));
        LimitStore older(rig.database(), limitScript());
        EXPECT_TRUE(older.open().ok());
        EXPECT_EQ(sqlValue(rig.database(), "PRAGMA user_version"), "0");
        EXPECT_EQ(older.names().value().size(), 3u);
    }
}

TEST(LimitStore, AFailingWriteLeavesTheDatabaseAsBefore)
{
    StoreRig rig;
    ASSERT_TRUE(rig.store.open().ok());
    // The head of class A cannot be deleted: its rows, deleted before it, come back with the
    // rollback.
    ASSERT_TRUE(sql(rig.database(),
                    "CREATE TRIGGER keep BEFORE DELETE ON OBWHead WHEN old.name = 'Class A' "
                    "BEGIN SELECT RAISE(ABORT, 'kept'); END"));
    const std::string before = dump(rig.database());
    const Result<bool> removed = rig.store.deleteDefinition("Class A");
    ASSERT_FALSE(removed.ok());
    EXPECT_NE(removed.failure().text.find("kept"), std::string::npos);
    EXPECT_EQ(dump(rig.database()), before);
    EXPECT_EQ(rig.store.definition("Class A")->limits.size(), 39u);
    // The store goes on working after the rollback.
    EXPECT_TRUE(rig.store.deleteDefinition("Class B").value());
    EXPECT_FALSE(rig.store.definition("Class B"));
}
