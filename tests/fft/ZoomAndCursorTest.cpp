#include <gtest/gtest.h>

#include "FftTestState.h"
#include "fft/FftCursor.h"
#include "fft/FftLevels.h"
#include "fft/FftZoom.h"

using namespace ql;
using ql::test::spectrumState;

TEST(FftZoom, RangeOfEachZoomFactor)
{
    const XZoomRange one = xZoomRange(1, 300);
    EXPECT_FALSE(one.scrollEnabled);
    EXPECT_EQ(one.scrollPos, 0);
    EXPECT_EQ(one.span, 1024);
    const XZoomRange three = xZoomRange(3, 0);
    EXPECT_TRUE(three.scrollEnabled);
    EXPECT_EQ(three.span, 341);
    EXPECT_EQ(three.scrollMax, 683);
    FftView v;
    applyXZoom(v, xZoomRange(4, 100));
    EXPECT_EQ(v.fftScrollPos, 100);
    EXPECT_EQ(v.fftSpan, 356);
    const XZoomRange pastTheEnd = xZoomRange(4, 900);  // the bar stops at its maximum
    EXPECT_EQ(pastTheEnd.scrollPos, 768);
    EXPECT_EQ(pastTheEnd.span, 1024);
    EXPECT_EQ(xZoomRange(0, 50).span, 1024);  // below 1 counts as 1
}

TEST(SpectrumReadout, TextsAndTheirThresholds)
{
    EXPECT_EQ(frequencyText(999.99, KiloStyle::Lower, '.'), "999.99Hz");
    EXPECT_EQ(frequencyText(1000.0, KiloStyle::Lower, '.'), "1.00kHz");
    EXPECT_EQ(frequencyText(1000.0, KiloStyle::Upper, '.'), "1.00KHz");
    EXPECT_EQ(frequencyText(999999.0, KiloStyle::Lower, '.'), "1000.00kHz");
    EXPECT_EQ(frequencyText(1e6, KiloStyle::Upper, '.'), "1.00MHz");
    EXPECT_EQ(frequencyText(97656250.0, KiloStyle::Lower, ','), "97,66MHz");
    EXPECT_EQ(dbvText(spectrumDbv(0.0), '.'), "-200.0dBV");
    EXPECT_EQ(dbvText(spectrumDbv(1000.0), '.'), "0.0dBV");
    EXPECT_EQ(log10Floored(100.0), 2.0);
    for (double v : {1e-10, 1e-12, 0.0, -5.0}) EXPECT_EQ(log10Floored(v), -10.0);
}

TEST(SpectrumCursor, DragOnAChannelChart)
{
    ProgramState s = spectrumState();
    s.fftBuf.spectrumCh1[10] = 250.0;
    // Only the left button alone, right of line 1, moves the cursor.
    for (auto [buttons, x] : {std::pair{0, 50.0}, {2, 50.0}, {3, 50.0}, {1, 1.0}, {1, 0.5}}) {
        EXPECT_FALSE(dragChannelCursor(s, Channel::Ch1, buttons, x, '.'));
    }
    EXPECT_EQ(s.fft.fftCursorCh1, 30.0);
    ASSERT_TRUE(dragChannelCursor(s, Channel::Ch1, 1, 1.7, '.'));
    EXPECT_EQ(s.fft.fftCursorCh1, 1.0);

    auto r = dragChannelCursor(s, Channel::Ch1, 1, 10.9, '.');
    EXPECT_EQ(r->frequencyText, "976.56Hz");
    EXPECT_EQ(r->voltsText, "0.250V");
    EXPECT_EQ(r->dbvText, "-12.0dBV");
    r = dragChannelCursor(s, Channel::Ch1, 1, 100.0, '.');
    EXPECT_EQ(r->frequencyText, "9.77KHz");  // a drag writes "KHz"
    EXPECT_EQ(r->voltsText, "0.000V");
    EXPECT_EQ(r->dbvText, "-200.0dBV");

    s.ddf.tbAIndex = 4;  // 1 us/div
    r = dragChannelCursor(s, Channel::Ch2, 1, 1000.0, '.');
    EXPECT_EQ(s.fft.fftCursorCh2, 1000.0);
    EXPECT_EQ(r->frequencyText, "97.66MHz");
    r = dragChannelCursor(s, Channel::Ch2, 1, 5000.0, '.');  // past the arrays: no level
    EXPECT_EQ(r->frequencyText, "488.28MHz");
    EXPECT_FALSE(r->voltsText);
    s.ddf.tbAIndex = 29;  // no time per division: no frequency
    EXPECT_FALSE(dragChannelCursor(s, Channel::Ch2, 1, 20.0, '.')->frequencyText);
}

TEST(SpectrumCursor, DragOnTheDualChart)
{
    ProgramState s = spectrumState();
    s.fft.fftDualMax = 2000.0;
    s.fft.fftDualMin = -500.0;
    EXPECT_FALSE(dragDualCursor(s, DualView::Both, false, 1, 0.9, 10.0, '.'));
    auto r = dragDualCursor(s, DualView::Both, false, 1, 10.4, 1234.7, '.');
    EXPECT_EQ(s.fft.fftDualCursorX, 10.0);
    EXPECT_EQ(s.fft.fftDualCursorY, 1234.0);
    EXPECT_EQ(r->frequencyText, "976.56Hz");
    EXPECT_EQ(r->levelText, "1.234V");
    dragDualCursor(s, DualView::Both, false, 1, 10.0, 5000.0, '.');
    EXPECT_EQ(s.fft.fftDualCursorY, 2000.0);
    dragDualCursor(s, DualView::Both, false, 1, 10.0, -300.0, '.');
    EXPECT_EQ(s.fft.fftDualCursorY, 0.0);
    r = dragDualCursor(s, DualView::OneMinusTwo, true, 1, 10.0, -300.0, '.');
    EXPECT_EQ(r->levelText, "-0.3dBV");
    dragDualCursor(s, DualView::OneMinusTwo, true, 1, 10.0, -900.0, '.');
    EXPECT_EQ(s.fft.fftDualCursorY, -500.0);

    // Log view of both spectra: the axis runs from P(Min) - 50 at 0 to P(Max) at the top.
    s.fft.fftDualMax = 1000.0;  // 0 dBV
    s.fft.fftDualMin = 100.0;   // -20 dBV
    EXPECT_EQ(dualLevelText(s.fft, DualView::Both, true, 0.0, '.'), "-70.0dBV");
    EXPECT_EQ(dualLevelText(s.fft, DualView::Both, true, 500.0, '.'), "-35.0dBV");
}
