#include "KeyTable.h"

namespace ql {

namespace {

using enum KeyAction;

constexpr KeyRow kKeys[] = {
    {"Ctrl+Tab", NextWindow},
    {"Ctrl+F6", NextWindow},
    {"Ctrl+Shift+Tab", PreviousWindow},
    {"Ctrl+Shift+F6", PreviousWindow},
    {"F6", ToolbarOrWindow},
    {"Shift+F6", ToolbarOrWindow},
    {"F10", FirstMenu},
    {"Ctrl+F4", CloseWindow},
    {"Ctrl+PgDown", NextTab},
    {"Ctrl+PgUp", PreviousTab},
    // A window's frame closes its window (the screen window's stays).
    {"Ctrl+W", ByControl},
    // Controls move the focus on and back, press and tick, and move within an option group, a
    // list and the menus; Alt+Down opens a list, Return takes the entry highlighted in it (and
    // a box's or dialog's default button), Esc closes a box or dialog as its Cancel does.
    {"Tab", ByControl},
    {"Shift+Tab", ByControl},
    {"Space", ByControl},
    {"Up", ByControl},
    {"Down", ByControl},
    {"Left", ByControl},
    {"Right", ByControl},
    {"Alt+Down", ByControl},
    {"Return", ByControl},
    {"Esc", ByControl},
};

}  // namespace

std::span<const KeyRow> keyRows()
{
    return kKeys;
}

}  // namespace ql
