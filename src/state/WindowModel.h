#pragma once
// The shape of every window's rules, wherever they live (src/app, src/fft, src/harmonics): a
// window model, whose Qt class (on ModelWindow, src/gui) only shows it and forwards to it.
// - `settle()` (where needed) corrects the state before it is shown, such as a setting the
//   instrument cannot run, and returns what else must follow.
// - `view()`, callable on a const model, is a pure reading of the state and the model's own
//   choices: everything the window shows.
// - One handler per user action writes what the action writes and returns a Followup.
// The window settles and shows the view when it opens, on every refresh and after every
// handler, then carries out the Followups. Settings reach the instrument only through "Set".

#include <concepts>
#include <type_traits>
#include <vector>

#include "Host.h"

namespace ql {

// What a user action in a window asks of the rest of the program once the window shows its new
// view.
struct Followup {
    bool redrawScreen = false;        // redraw the screen now (the deferred redraw is the
                                      // state's screenDirty, served by the next tick)
    std::vector<ToolWindow> refresh;  // other windows that show what the action changed
    bool closeWindow = false;         // the window that took the action closes
};

// The redraw, then the refreshes in their order. Closing is left to the window.
void carryOut(Host& host, const Followup& followup);

// A model whose state may need correcting before it is shown.
// clang-format off
template <class Model>
concept SettlesFirst = requires(Model& model) { model.settle(); };

template <class Model>
concept WindowModel = requires(const Model& model) {
    { model.view() } -> std::copy_constructible;
} && (!SettlesFirst<Model> || requires(Model& model) {
    { model.settle() } -> std::same_as<Followup>;
});
// clang-format on

}  // namespace ql
