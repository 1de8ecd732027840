// The limit editor's rules over the seeded database in a temporary folder, a recording host and
// scripted input boxes: New, Store and Delete as tables of inputs and outcomes, restoring the
// definition in use, the Enter keys, edits of the boxes and the grid, and the database faults
// that are reported once.
#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <functional>

#include "LimitTestSupport.h"
#include "harmonics/LimitEditorController.h"
#include "state/InitProgramState.h"
#include "state/RecordingHost.h"

using namespace ql;
using namespace ql::test;

namespace {

// Answers the input boxes from a queue (nullopt is Cancel; an empty queue cancels too).
struct ScriptedPrompt : InputPrompt {
    std::optional<std::string> askText(std::string_view prompt, std::string_view title,
                                       std::string_view defaultText) override
    {
        asked.push_back(std::string(prompt) + " | " + std::string(title) + " | " +
                        std::string(defaultText));
        if (answers.empty()) return std::nullopt;
        std::optional<std::string> a = answers.front();
        answers.pop_front();
        return a;
    }
    std::deque<std::optional<std::string>> answers;
    std::vector<std::string> asked;
};

struct EditorRig : LimitFolder {
    EditorRig()
    {
        initProgramState(s, "/tmp");
        s.harm.harmLimitName.assign("Class A");
        editor.opened();
        editor.activated();
    }
    std::vector<std::string> messageTexts() const
    {
        std::vector<std::string> texts;
        for (const auto& m : host.messages) texts.push_back(m.text);
        return texts;
    }
    ProgramState s;
    RecordingHost host;
    ScriptedPrompt prompt;
    LimitStore store{database(), limitScript()};
    LimitEditorController editor{s, host, store, prompt, '.'};
};

const std::string kSeventy(70, 'n');
const std::string kSeventyOne(71, 'n');

}  // namespace

TEST(LimitEditor, ActivationRestoresTheDefinitionInUse)
{
    EditorRig rig;
    LimitEditorView v = rig.editor.view();
    EXPECT_EQ(v.names, (std::vector<std::string>{"Class A", "Class B", "Class C"}));
    EXPECT_EQ(v.listText, "Class A");
    EXPECT_EQ(v.rows.size(), 39u);
    EXPECT_EQ(v.rows.front().order, "2");
    EXPECT_EQ(v.rows.front().limit, "1.08");
    EXPECT_EQ(v.multiplierText, "1.5");
    EXPECT_EQ(v.currentRow, 0);
    EXPECT_TRUE(rig.host.messages.empty());

    // Another case in HarmLimitName (a settings file): the list shows the stored spelling.
    rig.s.harm.harmLimitName.assign("class c");
    rig.editor.activated();
    v = rig.editor.view();
    EXPECT_EQ(v.listText, "Class C");
    EXPECT_TRUE(v.relative);
    EXPECT_EQ(v.rows.size(), 20u);
    EXPECT_EQ(rig.s.harm.harmLimitName.trimmed(), "class c");

    // A name no definition has: no rows, no current definition, the name kept.
    rig.s.harm.harmLimitName.assign("Gone");
    rig.editor.activated();
    v = rig.editor.view();
    EXPECT_FALSE(v.hasDefinition);
    EXPECT_TRUE(v.rows.empty());
    EXPECT_EQ(v.listText, "Gone");

    EXPECT_TRUE(rig.editor.selected("  Class B "));
    EXPECT_EQ(rig.s.harm.harmLimitName.trimmed(), "Class B");
    EXPECT_EQ(rig.editor.view().rows.size(), 39u);
    EXPECT_EQ(rig.editor.view().rows.front().limit, "1.62");
}

TEST(LimitEditor, NewAsksUntilTheAnswersFitAndCancelEndsIt)
{
    struct Case {
        const char* what;
        std::vector<std::optional<std::string>> answers;
        bool relative;
        bool made;
        std::string name;
        double multiplier;
        std::size_t asked;
        std::size_t messages;
    };
    const std::optional<std::string> cancel;
    const Case cases[] = {
        {"cancel at the name", {cancel}, false, false, "", 0, 1, 0},
        {"an empty name", {"   "}, false, false, "", 0, 1, 0},
        {"71 characters ask again", {kSeventyOne, cancel}, false, false, "", 0, 2, 0},
        {"70 characters", {kSeventy, "1"}, false, true, kSeventy, 1, 2, 0},
        {"a name that exists asks again", {"class a", cancel}, false, false, "", 0, 2, 1},
        {"trimmed, relative", {"  Mine  ", " 5 "}, true, true, "Mine", 5, 2, 0},
        {"2.5", {"Mine", "2.5"}, false, true, "Mine", 2.5, 2, 0},
        {"0.9, 5.1 and letters ask again",
         {"Mine", "0.9", "5.1", "x", "", "3"},
         false,
         true,
         "Mine",
         3,
         6,
         0},
        {"cancel at the multiplier", {"Mine", "0.9", cancel}, false, false, "", 0, 3, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EditorRig rig;
        rig.prompt.answers.assign(c.answers.begin(), c.answers.end());
        rig.host.yesNoAnswers.push_back(c.relative);
        const std::string before = dump(rig.database());
        EXPECT_EQ(rig.editor.newDefinition(), c.made);
        EXPECT_EQ(rig.prompt.asked.size(), c.asked);
        EXPECT_EQ(rig.host.messages.size(), c.messages);
        if (!c.made) {
            EXPECT_EQ(dump(rig.database()), before);
            EXPECT_EQ(rig.s.harm.harmLimitName.trimmed(), "Class A");
            EXPECT_EQ(rig.editor.view().listText, "Class A");
            continue;
        }
        const std::optional<LimitHead> head = rig.store.head(c.name).value();
        ASSERT_TRUE(head);
        EXPECT_EQ(head->relative, c.relative);
        EXPECT_EQ(head->multiplier, c.multiplier);
        // The new definition is current, with an empty grid, in the list and in use.
        const LimitEditorView v = rig.editor.view();
        EXPECT_EQ(v.listText, c.name);
        EXPECT_TRUE(v.rows.empty());
        EXPECT_EQ(v.currentRow, -1);
        EXPECT_EQ(v.relative, c.relative);
        EXPECT_EQ(rig.s.harm.harmLimitName.trimmed(), c.name);
        EXPECT_EQ(v.names.size(), 4u);
    }
    EditorRig rig;
    rig.prompt.answers = {"Mine", "1"};
    ASSERT_TRUE(rig.editor.newDefinition());
    EXPECT_EQ(rig.prompt.asked[0],
              "Input name of the limitdefinition\n(Max 70 characters) | Limitdefinition | ");
    EXPECT_EQ(rig.prompt.asked[1],
              "Input multiplier for Max-Limits\n(1 - 5) | Limitdefinition | 1");
    EXPECT_EQ(rig.host.events.back(),
              "ask: Is this a relativ definition (Limit in %) ? | Limitdefinition");
}

TEST(LimitEditor, StoreWritesOneRowPerOrderWithinTheDefinitionsRules)
{
    struct Case {
        const char* what;
        bool relative;
        const char* order;
        const char* limit;
        bool stored;
        int storedOrder;
        const char* message;
        const char* orderAfter;
        const char* limitAfter;
        std::string_view memo = "";
    };
    // Each in a new definition that has a row for order 5 (limit 1).
    const Case cases[] = {
        {"relative 100", true, "2", "100", true, 2, "", "3", "100"},
        {"relative 100.5", true, "2", "100.5", false, 0, "Max Limit = 100%", "2", "100"},
        {"relative negative", true, "3", "-50", true, 3, "", "4", "-50", kPowerFactorMemo},
        {"absolute negative", false, "3", "-50", true, 3, "", "4", "-50"},
        {"absolute above 100", false, "3", "150", true, 3, "", "4", "150"},
        {"an order that exists", false, "5", "2", false, 0, "Value exist", "5", "2"},
        {"a half rounds to even", false, "2.5", "1", true, 2, "", "3", "1"},
        {"a half rounds to even upwards", false, "3.5", "1", true, 4, "", "5", "1"},
        {"a limit that is no number", false, "2", "abc", false, 0,
         "The harmonic limit must be a number.", "2", "abc"},
        {"an order that is no number", false, "x", "1", false, 0,
         "The harmonic order must be a whole number from -32768 to 32767.", "x", "1"},
        {"an order beyond 16 bits", false, "40000", "1", false, 0,
         "The harmonic order must be a whole number from -32768 to 32767.", "40000", "1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EditorRig rig;
        rig.prompt.answers = {"Test", "1"};
        rig.host.yesNoAnswers.push_back(c.relative);
        ASSERT_TRUE(rig.editor.newDefinition());
        rig.editor.orderEdited("5");
        rig.editor.limitEdited("1");
        ASSERT_TRUE(rig.editor.store());
        rig.editor.takeFocus();
        const std::string before = dump(rig.database());

        rig.editor.orderEdited(c.order);
        rig.editor.limitEdited(c.limit);
        EXPECT_EQ(rig.editor.store(), c.stored);
        const LimitEditorView v = rig.editor.view();
        EXPECT_EQ(v.orderText, c.orderAfter);
        EXPECT_EQ(v.limitText, c.limitAfter);
        EXPECT_EQ(rig.editor.takeFocus(),
                  std::string_view(c.order) == "x" || std::string_view(c.order) == "40000"
                      ? LimitEditorFocus::OrderBox
                      : LimitEditorFocus::LimitBox);
        if (*c.message) {
            ASSERT_EQ(rig.host.messages.size(), 1u);
            EXPECT_EQ(rig.host.messages[0].text, c.message);
        } else {
            EXPECT_TRUE(rig.host.messages.empty());
        }
        if (!c.stored) {
            EXPECT_EQ(dump(rig.database()), before);
            if (std::string_view(c.message) == "Value exist") {
                EXPECT_EQ(v.rows.at(static_cast<std::size_t>(v.currentRow)).order, "5");
            }
            continue;
        }
        const std::vector<LimitRow> rows = rig.store.rows("Test").value();
        ASSERT_EQ(rows.size(), 2u);
        const LimitRow& row = rows[0].order == 5 ? rows[1] : rows[0];
        EXPECT_EQ(row.order, c.storedOrder);
        EXPECT_EQ(row.limit, static_cast<float>(std::stod(c.limit)));
        EXPECT_EQ(row.memo, c.memo);
        EXPECT_EQ(row.name, "Test");
        // The new row is current in the grid.
        EXPECT_EQ(v.rows.at(static_cast<std::size_t>(v.currentRow)).order,
                  std::to_string(c.storedOrder));
    }

    // With no definition current nothing is written.
    EditorRig rig;
    rig.s.harm.harmLimitName.assign("Nothing");
    rig.editor.activated();
    const std::string before = dump(rig.database());
    EXPECT_FALSE(rig.editor.store());
    EXPECT_EQ(dump(rig.database()), before);
    EXPECT_EQ(rig.host.messages.size(), 1u);
}

TEST(LimitEditor, EnterMovesFromOrderToLimitToStore)
{
    EditorRig rig;
    EXPECT_EQ(rig.editor.takeFocus(), LimitEditorFocus::Unchanged);
    rig.editor.orderEntered();
    EXPECT_EQ(rig.editor.takeFocus(), LimitEditorFocus::LimitBox);
    rig.editor.limitEntered();
    EXPECT_EQ(rig.editor.takeFocus(), LimitEditorFocus::StoreButton);
    EXPECT_EQ(rig.editor.takeFocus(), LimitEditorFocus::Unchanged) << "asked for once";
}

TEST(LimitEditor, DeleteRemovesTheDefinitionWithAllItsRowsAndNothingElse)
{
    struct Case {
        const char* what;
        const char* current;
        bool yes;
        std::vector<std::string> left;
        const char* currentAfter;
    };
    const Case cases[] = {
        {"No", "Class B", false, {"Class A", "Class B", "Class C"}, "Class B"},
        {"Yes", "Class B", true, {"Class A", "Class C"}, "Class A"},
        {"Yes on the first", "Class A", true, {"Class B", "Class C"}, "Class B"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EditorRig rig;
        ASSERT_TRUE(rig.editor.selected(c.current));
        rig.editor.rowChosen(7);  // a row other than the first is current
        rig.host.yesNoAnswers.push_back(c.yes);
        const std::string rowsBefore =
            sqlValue(rig.database(),
                     "SELECT count(*) FROM obwdata WHERE name <> '" + std::string(c.current) + "'");
        EXPECT_EQ(rig.editor.deleteDefinition(), c.yes);
        EXPECT_EQ(rig.host.events.back(),
                  "ask: Are you sure to delete " + std::string(c.current) + "? | Limitdefinition");
        EXPECT_EQ(rig.store.names().value(), c.left);
        EXPECT_EQ(sqlValue(rig.database(), "SELECT count(*) FROM obwdata WHERE name = '" +
                                               std::string(c.current) + "'"),
                  c.yes ? "0" : "39");
        EXPECT_EQ(sqlValue(rig.database(), "SELECT count(*) FROM obwdata WHERE name <> '" +
                                               std::string(c.current) + "'"),
                  rowsBefore);
        EXPECT_EQ(rig.editor.view().listText, c.currentAfter);
        EXPECT_EQ(rig.s.harm.harmLimitName.trimmed(), c.currentAfter);
    }

    // The last one: the grid comes up empty, the list and HarmLimitName keep its name, and a
    // new definition of that name inherits no rows.
    EditorRig rig;
    for (int i = 0; i < 3; ++i) {
        rig.host.yesNoAnswers.push_back(true);
        ASSERT_TRUE(rig.editor.deleteDefinition());
    }
    EXPECT_TRUE(rig.store.names().value().empty());
    EXPECT_TRUE(rig.editor.view().rows.empty());
    EXPECT_EQ(rig.editor.view().listText, "Class C");
    EXPECT_EQ(rig.s.harm.harmLimitName.trimmed(), "Class C");
    EXPECT_EQ(sqlValue(rig.database(), "SELECT count(*) FROM obwdata"), "0");
    rig.prompt.answers = {"Class C", "1"};
    ASSERT_TRUE(rig.editor.newDefinition());
    EXPECT_TRUE(rig.editor.view().rows.empty());
}

TEST(LimitEditor, EditsOfTheBoxesAndTheGridKeepTheRules)
{
    EditorRig rig;
    ASSERT_TRUE(rig.editor.selected("Class C"));
    struct Case {
        const char* what;
        std::function<bool(LimitEditorController&)> edit;
        bool changed;
        const char* message;
    };
    // Class C, row 0 is order 2 (2 %), row 1 order 3 (-30 %); once order 2 becomes 4, order 3
    // is row 0.
    const Case cases[] = {
        {"multiplier 0.9", [](auto& e) { return e.multiplierEntered("0.9"); }, false,
         "The multiplier must be a number from 1 to 5."},
        {"multiplier 5.1", [](auto& e) { return e.multiplierEntered("5.1"); }, false,
         "The multiplier must be a number from 1 to 5."},
        {"multiplier 5", [](auto& e) { return e.multiplierEntered("5"); }, true, ""},
        {"the same multiplier", [](auto& e) { return e.multiplierEntered("5"); }, false, ""},
        {"memo", [](auto& e) { return e.memoEntered("Mine now"); }, true, ""},
        {"limit above 100", [](auto& e) { return e.cellEdited(0, LimitColumn::Limit, "101"); },
         false, "Max Limit = 100%"},
        {"limit 100", [](auto& e) { return e.cellEdited(0, LimitColumn::Limit, "100"); }, true, ""},
        {"limit no number", [](auto& e) { return e.cellEdited(0, LimitColumn::Limit, "-"); }, false,
         "The harmonic limit must be a number."},
        {"order of another row", [](auto& e) { return e.cellEdited(0, LimitColumn::Order, "3"); },
         false, "Value exist"},
        {"order beyond 16 bits",
         [](auto& e) { return e.cellEdited(0, LimitColumn::Order, "32768"); }, false,
         "The harmonic order must be a whole number from -32768 to 32767."},
        {"order 4", [](auto& e) { return e.cellEdited(0, LimitColumn::Order, "4"); }, true, ""},
        {"the name is read-only",
         [](auto& e) { return e.cellEdited(0, LimitColumn::Name, "Other"); }, false, ""},
        {"a row deleted", [](auto& e) { return e.rowDeleted(0); }, true, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        rig.host.messages.clear();
        const std::string before = dump(rig.database());
        EXPECT_EQ(c.edit(rig.editor), c.changed);
        if (*c.message) {
            ASSERT_EQ(rig.host.messages.size(), 1u);
            EXPECT_EQ(rig.host.messages[0].text, c.message);
        } else {
            EXPECT_TRUE(rig.host.messages.empty());
        }
        if (!c.changed) {
            EXPECT_EQ(dump(rig.database()), before);
        }
    }
    // The refused edits were put back; the taken ones are in the database.
    const LimitHead head = *rig.store.head("Class C").value();
    EXPECT_EQ(head.multiplier, 5.0);
    EXPECT_EQ(head.memo, "Mine now");
    EXPECT_EQ(rig.editor.view().multiplierText, "5");
    const LimitDefinition d = *rig.store.definition("Class C");
    EXPECT_EQ(d.limitOf(2), nullptr);
    ASSERT_NE(d.limitOf(4), nullptr);
    EXPECT_EQ(*d.limitOf(4), 100.0f);
    EXPECT_EQ(d.limits.size(), 19u);
    EXPECT_EQ(d.limitOf(3), nullptr) << "the deleted row";
}

TEST(LimitEditor, AnUnreadableDatabaseIsReportedOnceAndShowsNothing)
{
    LimitFolder folder;
    std::filesystem::create_directories(std::filesystem::path(folder.database()).parent_path());
    writeFile(folder.database(), "not a database at all");
    ProgramState s;
    initProgramState(s, "/tmp");
    s.harm.harmLimitName.assign("Class A");
    RecordingHost host;
    ScriptedPrompt prompt;
    LimitStore store(folder.database(), limitScript());
    LimitEditorController editor(s, host, store, prompt, '.');
    editor.opened();
    editor.activated();
    editor.selected("Class A");
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].title, "Limit database");
    const LimitEditorView v = editor.view();
    EXPECT_TRUE(v.names.empty());
    EXPECT_TRUE(v.rows.empty());
    EXPECT_FALSE(v.hasDefinition);
    EXPECT_FALSE(store.definition("Class A"));
    EXPECT_EQ(readFile(folder.database()), "not a database at all");
}

TEST(LimitEditor, AFailedWriteIsRolledBackAndReportedOnce)
{
    EditorRig rig;
    ASSERT_TRUE(sql(rig.database(),
                    "CREATE TRIGGER full BEFORE INSERT ON obwdata "
                    "BEGIN SELECT RAISE(ABORT, 'database or disk is full'); END"));
    const std::string before = dump(rig.database());
    rig.editor.orderEdited("1");
    rig.editor.limitEdited("16");
    EXPECT_FALSE(rig.editor.store());
    ASSERT_EQ(rig.host.messages.size(), 1u);
    EXPECT_EQ(rig.host.messages[0].title, "Limit database");
    EXPECT_NE(rig.host.messages[0].text.find("disk is full"), std::string::npos);
    EXPECT_EQ(dump(rig.database()), before);
    EXPECT_EQ(rig.editor.view().rows.size(), 39u);
    EXPECT_EQ(rig.editor.view().orderText, "1") << "the order stays for another try";
}
