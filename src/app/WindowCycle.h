#pragma once
// The order in which the keyboard walks the windows of the work area (Ctrl+Tab forward,
// Ctrl+Shift+Tab back): the screen window first, then the windows of the View menu in the
// menu's order, then every other window in one fixed order. The order never depends on which
// window was used last, so a single press always reaches the same next window.

#include <optional>
#include <span>

#include "state/ToolWindow.h"

namespace ql {

// The window the keyboard goes to among the `open` windows (in any order): the one after
// `from` in the walking order (before it when `backward`), the last followed by the first; from
// none, or from a window not among them, the first (the last). None when nothing is open.
std::optional<ToolWindow> windowAfter(std::span<const ToolWindow> open,
                                      std::optional<ToolWindow> from, bool backward);

}  // namespace ql
