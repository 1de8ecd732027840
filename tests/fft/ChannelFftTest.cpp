#include <gtest/gtest.h>

#include "FftTestState.h"
#include "fft/ChannelFft.h"

using namespace ql;
using ql::test::fillSine;
using ql::test::snapshot;
using ql::test::spectrumState;

namespace {

constexpr double kVoltsPerCode = 0.5 / 25;
constexpr WindowFunction kAllWindows[] = {WindowFunction::Rectangle, WindowFunction::Hanning,
                                          WindowFunction::Welch, WindowFunction::Blackman};

ChannelSpectrumResult compute(ProgramState& s, Channel ch = Channel::Ch1,
                              WindowFunction w = WindowFunction::Hanning)
{
    return computeChannelSpectrum(s, ch, w, '.');
}

}  // namespace

TEST(ChannelSpectrum, SineOnALineGivesItsLineLevelFrequencyAndDcLevel)
{
    // 60 codes of 20 mV (1.2 V) on line 100 (9765.625 Hz) over a DC level of 10 codes. The
    // padding of the record with its last sample costs the rectangle window a little.
    for (WindowFunction w : kAllWindows) {
        ProgramState s = spectrumState();
        fillSine(s.waves.waveCh1, 127, 60.0, 100, 0.3, 10.0);
        s.fft.fftCursorCh1 = 100;
        const ChannelSpectrumResult r = compute(s, Channel::Ch1, w);
        ASSERT_EQ(r.outcome, SpectrumOutcome::Computed);
        EXPECT_EQ(r.maxLine, 100);
        EXPECT_EQ(r.maxFrequencyText, "9.77kHz");
        const double gain =
            w == WindowFunction::Welch ? 1.479 * (2.0 / 3 - 1.0 / 6 / 1024 / 1024) : 1;
        const double expected = 1.2 * 1024 / 1.39 * gain;
        EXPECT_NEAR(s.fft.fftMaxLevelCh1, expected, expected * 2e-3) << int(w);
        EXPECT_EQ(s.fftBuf.spectrumCh1[0], 0.0);  // the DC line is cleared with every window
        EXPECT_EQ(r.dcLevelText, "0.200V");
        EXPECT_EQ(r.cursor.frequencyText, "9.77kHz");
        EXPECT_EQ(r.cursor.voltsText, r.maxLevelVoltsText);
        if (w == WindowFunction::Hanning) {
            EXPECT_EQ(r.maxLevelVoltsText, "0.884V");
            EXPECT_EQ(r.maxLevelDbvText, "-1.1dBV");
        }
    }
}

TEST(ChannelSpectrum, ConstantRecordHasNoLineButItsDcLevel)
{
    for (WindowFunction w : kAllWindows) {  // Blackman included: no line of its own on line 2
        ProgramState s = spectrumState();
        for (int i = 1; i <= kLastShownSample; ++i) s.waves.waveCh1[i] = 127 + 25;
        const ChannelSpectrumResult r = compute(s, Channel::Ch1, w);
        for (int k = 0; k <= 1024; ++k) ASSERT_EQ(s.fftBuf.spectrumCh1[k], 0.0) << int(w) << k;
        EXPECT_EQ(r.maxLine, 0);
        EXPECT_EQ(r.maxFrequencyText, "0.00Hz");
        EXPECT_EQ(r.maxLevelVoltsText, "0.000V");
        EXPECT_EQ(r.maxLevelDbvText, "-200.0dBV");
        EXPECT_EQ(r.dcLevelText, "0.500V");
    }
}

TEST(ChannelSpectrum, LineAtHalfTheSampleRateIsComputedNotLeftOver)
{
    // Alternating codes: (-1)^j x 40 codes but for the repeated last sample (j = 2046), so the
    // direct sum on line 1024 is 2046 x 0.8 V.
    ProgramState s = spectrumState();
    for (int i = 1; i <= kLastShownSample; ++i) s.waves.waveCh1[i] = (i % 2 == 1) ? 167 : 87;
    ChannelSpectrumResult r = compute(s, Channel::Ch1, WindowFunction::Rectangle);
    EXPECT_EQ(r.maxLine, 1024);
    EXPECT_NEAR(s.fftBuf.spectrumCh1[1024], 2046 * 40 * kVoltsPerCode / 1.39, 1e-9);
    EXPECT_EQ(r.maxFrequencyText, "100.00kHz");

    s.fftBuf.spectrumCh1[1024] = 1e9;  // as another view may leave it
    fillSine(s.waves.waveCh1, 127, 60.0, 100);
    r = compute(s);
    EXPECT_LT(s.fftBuf.spectrumCh1[1024], 1.0);
    EXPECT_EQ(r.maxLine, 100);
}

TEST(ChannelSpectrum, SecondChannelAndTimeBaseB)
{
    ProgramState s = spectrumState();
    s.ddf.ch2VoltsIndex = 6;  // 0.1 V/div with probe 10: 40 mV per code
    s.ddf.ch2ProbeFactor = 10;
    s.preamble.ch2ZeroOffset = -20;
    fillSine(s.waves.waveCh2, 107, 50.0, 200);  // 2 V
    s.ddf.timebaseMode = 3;                     // time base B at 0.1 ms/div
    s.ddf.tbBIndex = 10;
    const auto ch1 = s.fftBuf.spectrumCh1;
    const ChannelSpectrumResult r = compute(s, Channel::Ch2);
    EXPECT_EQ(r.maxLine, 200);
    EXPECT_EQ(r.maxFrequencyText, "195.31kHz");
    EXPECT_NEAR(s.fft.fftMaxLevelCh2, 2.0 * 1024 / 1.39, 3.0);
    EXPECT_EQ(s.fftBuf.spectrumCh1, ch1);
    s.ddf.timebaseMode = 2;
    s.ddf.tbAVariable = 1023;  // time base A at 2.5 ms/div
    EXPECT_EQ(compute(s, Channel::Ch2).maxFrequencyText, "7.81kHz");
}

TEST(ChannelSpectrum, SampleDifferencesTakeThirtyTwoBits)
{
    // Code 0 against a zero offset of 32700: -32827 codes, beyond a 16-bit difference.
    ProgramState s = spectrumState();
    s.preamble.ch1ZeroOffset = 32700;
    for (int i = 1; i <= kLastShownSample; ++i) s.waves.waveCh1[i] = 0;
    EXPECT_EQ(compute(s).dcLevelText, "-656.540V");
    EXPECT_DOUBLE_EQ(s.fft.waveMeanLevel, -32827 * kVoltsPerCode);
}

TEST(ChannelSpectrum, ChannelOffOrSettingsWithoutAScaleChangeNothing)
{
    const char* volts = "No spectrum: the volts/div setting of CH I has no scale value.";
    const char* time = "No spectrum: the time/div setting has no scale value.";
    const struct {
        void (*spoil)(ProgramState&);
        SpectrumOutcome outcome;
        const char* reason;
    } cases[] = {
        {[](ProgramState& s) { s.ddf.ch1On = 0; }, SpectrumOutcome::ChannelOff, "Not actual"},
        {[](ProgramState& s) { s.ddf.ch1VoltsIndex = 20; }, SpectrumOutcome::NoSpectrum, volts},
        {[](ProgramState& s) { s.ddf.ch1VoltsIndex = 14; }, SpectrumOutcome::NoSpectrum, volts},
        {[](ProgramState& s) { s.ddf.tbAIndex = 40; }, SpectrumOutcome::NoSpectrum, time},
        {[](ProgramState& s) { s.ddf.tbAIndex = 29; }, SpectrumOutcome::NoSpectrum, time},
        {[](ProgramState& s) { s.ddf.timebaseMode = 4, s.ddf.tbBIndex = 200; },
         SpectrumOutcome::NoSpectrum, time},
        {[](ProgramState& s) { s.ddf.tbAVariable = -1000; }, SpectrumOutcome::NoSpectrum, time},
        {[](ProgramState& s) { s.fftBuf.spectrumCh2.resize(1024); }, SpectrumOutcome::NoSpectrum,
         "No spectrum: the FFT buffers are too short."},
    };
    for (const auto& c : cases) {
        ProgramState s = spectrumState();
        fillSine(s.waves.waveCh1, 127, 60.0, 100);
        c.spoil(s);
        const auto before = snapshot(s);
        const ChannelSpectrumResult r = compute(s);
        EXPECT_EQ(r.outcome, c.outcome) << c.reason;
        EXPECT_EQ(r.reason, c.reason);
        EXPECT_EQ(snapshot(s), before) << c.reason;
    }
}
