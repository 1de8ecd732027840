#pragma once
// Every toolbar button and menu item of the main window, one row each, in the order they are
// shown: caption, object name, where it stands, how it looks, the name the core enables and
// checks it by, and what choosing it does. The user interface builds the toolbar, the menus
// and their dispatch from these rows alone; a new item is one row (and its handler if new).
//
// The toolbar's "RM" and "Auto" check boxes and its clock are widgets of the toolbar, not items.

#include <functional>
#include <optional>
#include <span>
#include <string_view>

#include "state/Host.h"
#include "state/ToolWindow.h"

namespace ql {

class AppController;
class Desktop;
class FileDialogs;
class InstrumentOperations;
class MenuController;

enum class ActionPlace { Toolbar, DataMenu, ViewMenu, MeasurementMenu, HelpMenu };

enum class ActionLook {
    Plain,
    LineAbove,  // a separator line above it in its menu
    Checkable,  // its check mark shows its window open or its analysis on
};

// What the items act on: the program's core, and the two things only the user interface does
// (Qt's printer dialog on the program's printer, the screen's picture on the clipboard).
struct ActionTargets {
    InstrumentOperations& operations;
    AppController& controller;
    MenuController& menus;
    FileDialogs& fileDialogs;
    Desktop& desktop;
    std::function<void()> showPrinterSetup;
    std::function<void()> copyScreenToClipboard;
};

struct ActionRow {
    std::string_view caption;  // with its mnemonic
    std::string_view objectName;
    ActionPlace place;
    ActionLook look;
    std::optional<UiAction> name;  // how the core enables and checks it; none: always enabled
    void (*chosen)(ActionTargets&, const ActionRow&);
    std::optional<ToolWindow> toggles = {};  // the window it opens and closes
};

// The menus of the menu bar, left to right.
struct MenuRow {
    std::string_view caption;
    std::string_view objectName;
    ActionPlace place;
    std::optional<UiAction> name;
};

std::span<const ActionRow> actionRows();
std::span<const MenuRow> menuRows();
// The row the core knows by `name`; null for the toolbar's check boxes and the menus.
const ActionRow* actionRow(UiAction name);

}  // namespace ql
