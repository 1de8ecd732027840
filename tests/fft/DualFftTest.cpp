#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "FftTestState.h"
#include "fft/DualFft.h"

using namespace ql;
using ql::test::fillSine;
using ql::test::snapshot;
using ql::test::spectrumState;

namespace {

double dbv(double v)
{
    return 20.0 * std::log10(std::max(v / 1000.0, 1e-10));
}

// CH I: 1.2 V on line 100; CH II: 0.4 V on line 100 and 0.6 V on line 300.
ProgramState twoToneState()
{
    ProgramState s = spectrumState();
    fillSine(s.waves.waveCh1, 127, 60.0, 100);
    for (int i = 1; i <= kLastShownSample; ++i) {
        const double t = 2 * M_PI * (i - 1) / 2048;
        s.waves.waveCh2[i] = static_cast<std::int16_t>(
            std::lround(127 + 20 * std::sin(100 * t) + 30 * std::sin(300 * t + 1.0)));
    }
    return s;
}

// The single-channel spectra of the same state: what each view is made from.
struct Singles {
    std::vector<double> one, two;
    double max1, max2;
};
Singles singles(ProgramState s, WindowFunction w)
{
    computeChannelSpectrum(s, Channel::Ch1, w, '.');
    computeChannelSpectrum(s, Channel::Ch2, w, '.');
    return {s.fftBuf.spectrumCh1, s.fftBuf.spectrumCh2, s.fft.fftMaxLevelCh1, s.fft.fftMaxLevelCh2};
}

}  // namespace

TEST(DualSpectrum, BothSpectraWithTheirMaximaAsRange)
{
    ProgramState s = twoToneState();
    const Singles ref = singles(s, WindowFunction::Welch);
    ASSERT_EQ(computeDualSpectrum(s, WindowFunction::Welch, DualView::Both, true, '.').outcome,
              SpectrumOutcome::Computed);
    EXPECT_EQ(s.fftBuf.spectrumCh1, ref.one);
    EXPECT_EQ(s.fftBuf.spectrumCh2, ref.two);
    EXPECT_EQ(s.fft.fftDualMax, ref.max1);  // CH I is the stronger
    EXPECT_EQ(s.fft.fftDualMin, ref.max2);
}

TEST(DualSpectrum, DifferencesLinearAndInDecibels)
{
    for (bool log : {false, true}) {
        for (DualView view : {DualView::OneMinusTwo, DualView::TwoMinusOne}) {
            ProgramState s = twoToneState();
            const Singles ref = singles(s, WindowFunction::Blackman);
            computeDualSpectrum(s, WindowFunction::Blackman, view, log, '.');
            // In decibels each channel is floored 50 dB below its own maximum first.
            const double floor1 = dbv(ref.max1) - 50, floor2 = dbv(ref.max2) - 50;
            double top = -1e300, bottom = 1e300;
            for (int i = 0; i <= 1024; ++i) {
                const double a = log ? std::max(dbv(ref.one[i]), floor1) : ref.one[i];
                const double b = log ? std::max(dbv(ref.two[i]), floor2) : ref.two[i];
                const double d = (view == DualView::OneMinusTwo ? a - b : b - a) * (log ? 1000 : 1);
                ASSERT_NEAR(s.fftBuf.spectrumCh1[i], d, 1e-9) << log << " " << i;
                ASSERT_NEAR(s.fftBuf.spectrumCh2[i], b, 1e-12) << log << " " << i;
                top = std::max(top, d);
                bottom = std::min(bottom, d);
            }
            EXPECT_NEAR(s.fft.fftDualMax, top, 1e-9);
            EXPECT_NEAR(s.fft.fftDualMin, bottom, 1e-9);
            if (log) {  // far from both tones: the difference of the two floors
                const double floors =
                    view == DualView::OneMinusTwo ? floor1 - floor2 : floor2 - floor1;
                EXPECT_NEAR(s.fftBuf.spectrumCh1[700], floors * 1000, 1e-9);
            }
        }
    }
}

TEST(DualSpectrum, DifferenceRunsFromLineZeroToTheRightEdge)
{
    // Zoomed to lines 200..456, a right edge past the spectrum, and one before line 0.
    for (int span : {456, 3000, -5}) {
        ProgramState s = twoToneState();
        s.fft.fftScrollPos = 200;
        s.fft.fftSpan = static_cast<std::int16_t>(span);
        const Singles ref = singles(s, WindowFunction::Hanning);
        computeDualSpectrum(s, WindowFunction::Hanning, DualView::OneMinusTwo, false, '.');
        const int last = std::min(span, 1024);
        for (int i = 0; i <= 1024; ++i) {
            const double expected = i <= last ? ref.one[i] - ref.two[i] : ref.one[i];
            ASSERT_DOUBLE_EQ(s.fftBuf.spectrumCh1[i], expected) << span << " " << i;
        }
        if (span == 456) {  // line 100, left of the shown range, still sets the top
            EXPECT_DOUBLE_EQ(s.fft.fftDualMax, ref.one[100] - ref.two[100]);
        }
    }
}

TEST(DualSpectrum, CursorIsHeldOnTheLevelRangeAndReadOut)
{
    ProgramState s = twoToneState();
    s.fft.fftDualCursorX = -3;
    s.fft.fftDualCursorY = 1e9;
    DualSpectrumResult r =
        computeDualSpectrum(s, WindowFunction::Hanning, DualView::Both, true, '.');
    EXPECT_EQ(s.fft.fftDualCursorX, 0.0);
    EXPECT_EQ(s.fft.fftDualCursorY, s.fft.fftDualMax);
    EXPECT_EQ(r.cursor.frequencyText, "0.00Hz");
    EXPECT_EQ(r.cursor.levelText, dbvText(dbv(s.fft.fftDualMax), '.'));  // top: P(Max)

    s.fft.fftDualCursorX = 100;
    s.fft.fftDualCursorY = -50;
    r = computeDualSpectrum(s, WindowFunction::Hanning, DualView::Both, true, '.');
    EXPECT_EQ(s.fft.fftDualCursorY, 0.0);
    EXPECT_EQ(r.cursor.frequencyText, "9.77kHz");
    EXPECT_EQ(r.cursor.levelText, dbvText(dbv(s.fft.fftDualMin) - 50, '.'));  // zero line

    s.fft.fftDualCursorY = -1e9;
    r = computeDualSpectrum(s, WindowFunction::Hanning, DualView::TwoMinusOne, true, '.');
    EXPECT_EQ(s.fft.fftDualCursorY, s.fft.fftDualMin);
    EXPECT_EQ(r.cursor.levelText, dbvText(s.fft.fftDualMin / 1000, '.'));

    // Both channels silent: no level range; the cursor stands on the bottom of the axis.
    s = spectrumState();
    s.fft.fftDualCursorY = 500;
    r = computeDualSpectrum(s, WindowFunction::Hanning, DualView::Both, true, '.');
    EXPECT_EQ(s.fft.fftDualCursorY, 0.0);
    EXPECT_EQ(r.cursor.levelText, "-250.0dBV");
}

TEST(DualSpectrum, NeedsBothChannelsAndTheirScales)
{
    ProgramState s = twoToneState();
    s.ddf.ch2On = 0;
    auto before = snapshot(s);
    DualSpectrumResult r = computeDualSpectrum(s, WindowFunction::Hanning, DualView::Both, false);
    EXPECT_EQ(r.outcome, SpectrumOutcome::ChannelOff);
    EXPECT_EQ(r.reason, "Not actual");
    EXPECT_EQ(snapshot(s), before);

    s = twoToneState();
    s.ddf.ch2VoltsIndex = 30;
    before = snapshot(s);
    r = computeDualSpectrum(s, WindowFunction::Hanning, DualView::OneMinusTwo, true);
    EXPECT_EQ(r.outcome, SpectrumOutcome::NoSpectrum);
    EXPECT_EQ(r.reason, "No spectrum: the volts/div setting of CH II has no scale value.");
    EXPECT_EQ(snapshot(s), before);
}
