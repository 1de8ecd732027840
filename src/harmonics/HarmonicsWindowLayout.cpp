#include "HarmonicsWindowLayout.h"

#include <algorithm>

namespace ql {

namespace {

constexpr int kChartLeft = 690, kChartTop = 840, kChartMinHeight = 1470;
constexpr int kStripLeft = 60, kStripWidth = 645;
constexpr int kFrequencyStripHeight = 330;
constexpr int kTableLeft = 60, kTableGap = 200, kTableBottomMargin = 600;

}  // namespace

HarmonicsWindowLayout harmonicsWindowLayout(int width, int height)
{
    HarmonicsWindowLayout l;
    l.width = std::max(width, kHarmonicsWindowMinWidth);
    l.height = std::max(height, kHarmonicsWindowMinHeight);
    const int w = l.width, h = l.height;
    l.tabs = {60, 60, w - 205, h - 550};
    l.chart = {kChartLeft, kChartTop, w - 1000,
               (h - kHarmonicsWindowMinHeight) / 2 + kChartMinHeight};
    l.levelStrip = {kStripLeft, kChartTop, kStripWidth, l.chart.height + kFrequencyStripHeight};
    l.frequencyStrip = {kChartLeft, l.chart.bottom(), l.chart.width, kFrequencyStripHeight};
    const int tableTop = l.levelStrip.bottom() + kTableGap;
    l.table = {kTableLeft, tableTop, w - 450, h - tableTop - kTableBottomMargin};
    return l;
}

}  // namespace ql
