// The action table's own invariants: each object name belongs to one item or menu, each name
// the core enables or checks reaches exactly one item, menu or toolbar check box, and every row
// stands somewhere, acts, and can show the window it toggles.

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "app/ActionTable.h"

using namespace ql;

namespace {

TEST(ActionTable, EveryNameReachesExactlyOneItem)
{
    std::set<std::string_view> objectNames;
    std::map<int, int> coreNames;  // UiAction -> rows, menus and boxes carrying it
    std::set<ActionPlace> places = {ActionPlace::Toolbar};
    for (const MenuRow& menu : menuRows()) {
        EXPECT_TRUE(objectNames.insert(menu.objectName).second) << menu.objectName;
        EXPECT_TRUE(places.insert(menu.place).second) << menu.objectName;
        if (menu.name) ++coreNames[static_cast<int>(*menu.name)];
    }
    for (const ActionRow& row : actionRows()) {
        EXPECT_TRUE(objectNames.insert(row.objectName).second) << row.objectName;
        EXPECT_TRUE(places.count(row.place)) << row.objectName;
        EXPECT_NE(row.chosen, nullptr) << row.objectName;
        if (row.name) ++coreNames[static_cast<int>(*row.name)];
        if (row.toggles) {
            EXPECT_TRUE(row.name.has_value()) << row.objectName;
            EXPECT_EQ(row.look, ActionLook::Checkable) << row.objectName;
        }
    }
    // The toolbar's "RM" and "Auto" are check boxes of their own.
    for (UiAction box : {UiAction::RemoteBox, UiAction::AutoBox})
        ++coreNames[static_cast<int>(box)];
    for (int a = 0; a < kUiActionCount; ++a) {
        const auto name = static_cast<UiAction>(a);
        EXPECT_EQ(coreNames[a], 1) << uiActionName(name);
        const ActionRow* row = actionRow(name);
        EXPECT_TRUE(!row || row->name == name) << uiActionName(name);
    }
}

}  // namespace
