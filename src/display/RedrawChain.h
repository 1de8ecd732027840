#pragma once
// The windows a screen redraw brings up to date after the screen itself: each open window
// connects one member, and the redraw runs the members of the open windows in a fixed order.
// A member gets the state only; it never redraws the screen (a redraw asked for from inside
// the chain is refused).

#include <array>
#include <functional>

#include "state/ProgramState.h"

namespace ql {

// In the order of the chain. The cursor readouts run with the cursor marks (while the cursor
// window is open); the others at the end of the redraw, each while its window is open
// (AutomesVisible, FftActive, ObwActive, PrintPreviewOpen). The zoom window follows them; it
// belongs to the screen drawing and is not a member.
enum class RedrawLink { CursorReadout, AutoMeasure, Fft, Harmonics, PrintPreview };
constexpr int kRedrawLinkCount = static_cast<int>(RedrawLink::PrintPreview) + 1;

class RedrawChain {
public:
    using Member = std::function<void(ProgramState&)>;

    // Connects the member of a link, replacing the one connected before.
    void connect(RedrawLink link, Member member);
    void disconnect(RedrawLink link);
    bool connected(RedrawLink link) const;

    // Runs the member of the link; nothing when none is connected.
    void run(RedrawLink link, ProgramState& s) const;

private:
    std::array<Member, kRedrawLinkCount> members_;
};

}  // namespace ql
