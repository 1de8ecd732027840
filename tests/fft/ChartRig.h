#pragma once
// The three tabs of the FFT window on recording devices, and what the tests read back: the
// chart picture is 401 by 201 pixels, so the chart's lines span 400 pixels across and its
// levels 200 pixels down.

#include <cmath>
#include <vector>

#include "draw/RecordingDevice.h"
#include "fft/FftCharts.h"

namespace ql::test {

struct TabDevices {
    RecordingDevice chart{{401, 201}}, level{{40, 221}}, frequency{{401, 20}};
    void attach(FftChartView& view)
    {
        view.chart = &chart;
        view.levelStrip = &level;
        view.frequencyStrip = &frequency;
    }
};

struct ChartRig {
    ChartRig()
    {
        ch1.attach(charts.ch1);
        ch2.attach(charts.ch2);
        dual.attach(charts.dual);
    }
    void show(ProgramState& s, FftTab tab)
    {
        charts.selectedTab = tab;
        showFft(s, charts, '.');
    }
    FftCharts charts;
    TabDevices ch1, ch2, dual;
};

// Lines of one colour (straight segments, not curves), in order.
inline std::vector<DrawOp> linesOf(const RecordingDevice& d, Rgb colour)
{
    std::vector<DrawOp> lines;
    for (const DrawOp& op : d.opsOfKind(DrawOp::Kind::Line))
        if (op.pen.color == colour && op.pen.mode == DrawMode::CopyPen) lines.push_back(op);
    return lines;
}

// Pixel row of level y on the chart whose frame runs from `top` down to `top` + `height`.
inline int chartRow(double y, double top, double height)
{
    return static_cast<int>(std::lround((y - top) / height * 200.0));
}

}  // namespace ql::test
