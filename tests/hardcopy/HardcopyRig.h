#pragma once
// A hardcopy rendered on the recording device, its texts and lines read back in the page's
// own units (x in sample positions, y in codes), and the screen the tests start from.

#include <cmath>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "DisplayTestState.h"
#include "draw/RecordingDevice.h"
#include "hardcopy/HardcopyRenderer.h"

namespace ql::test {

// Both channels and REF I on, every print option but XY and colour, cursors on the screen.
inline ProgramState hardcopyState()
{
    ProgramState s = measuredState();
    s.ddf.ch1On = s.ddf.ch2On = s.ddf.ref1On = 1;
    fillWave(s.waves.waveCh1, sineCodes(128, 60, 400));
    fillWave(s.waves.waveCh2, sineCodes(80, 20, 130));
    fillWave(s.waves.waveRef1, sineCodes(100, 30, 400));
    s.storage.ref1Pos = 20;
    s.preamble.wfmTrigPos = 999;
    s.stamp.waveTime.assign("12:34:56");
    s.stamp.waveDate.assign("01.02.24");
    PrintOptions& o = s.print;
    o.printChI = o.printChII = o.printRefI = o.printRefII = o.printCursors = 1;
    o.printNotes = o.printMeasTime = 1;
    s.screenMarks.screenCursorsDrawn = 1;
    s.cursor.cursor1Pos = s.screenMarks.screenOldCursor1 = 500;
    s.cursor.cursor2Pos = s.screenMarks.screenOldCursor2 = 1500;
    s.screenMarks.screenOldLevelA1 = 100;
    return s;
}

struct PlacedText {
    std::string text;
    double x = 0, y = 0;
    FontSpec font;
};

struct PlacedLine {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    Pen pen;
};

struct Rendered {
    explicit Rendered(DeviceSize size) : device(size), surface(device) {}
    RecordingDevice device;
    Surface surface;

    // Page units of a device pixel, on the grid of 1/64 the fine device resolves.
    double x(int pixel) const { return std::round(surface.userX(pixel) * 64) / 64; }
    double y(int pixel) const { return std::round(surface.userY(pixel) * 64) / 64; }

    std::vector<PlacedText> texts() const
    {
        std::vector<PlacedText> out;
        for (const DrawOp& op : device.opsOfKind(DrawOp::Kind::Text))
            out.push_back({op.text, x(op.points[0].x), y(op.points[0].y), op.font});
        return out;
    }
    // The first text that starts with `start` (or reads `start` exactly); empty when none.
    PlacedText text(const std::string& start, bool exactly = false) const
    {
        for (const PlacedText& t : texts())
            if (exactly ? t.text == start : t.text.rfind(start, 0) == 0) return t;
        return {};
    }
    // Straight lines in drawing order; a path counts as the lines between its points.
    std::vector<PlacedLine> lines() const
    {
        std::vector<PlacedLine> out;
        for (const DrawOp& op : device.ops()) {
            if (op.kind != DrawOp::Kind::Line && op.kind != DrawOp::Kind::Polyline) continue;
            for (std::size_t i = 1; i < op.points.size(); ++i)
                out.push_back({x(op.points[i - 1].x), y(op.points[i - 1].y), x(op.points[i].x),
                               y(op.points[i].y), op.pen});
        }
        return out;
    }
};

// One pixel per position across the whole record and 64 per code, so every text row of the
// target lands exactly on a pixel.
inline DeviceSize fineDevice(const HardcopyTarget& t)
{
    return {2601, (200 + t.topSpace - t.bottomSpace) * 64 + 1};
}

inline std::unique_ptr<Rendered> render(const ProgramState& s, const HardcopyTarget& target,
                                        std::optional<DeviceSize> size = {},
                                        std::optional<std::string> storedFile = {})
{
    auto r = std::make_unique<Rendered>(size.value_or(fineDevice(target)));
    HardcopyInput input = hardcopyInputFor(s);
    input.storedFileName = std::move(storedFile);
    input.decimalSign = '.';
    renderHardcopy(input, target, r->surface);
    return r;
}

}  // namespace ql::test
