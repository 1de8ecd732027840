#include "HarmonicAnalysis.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <span>

#include "HarmonicSweeps.h"
#include "fft/ChannelFft.h"
#include "fft/FftLevels.h"
#include "state/Numeric.h"
#include "state/Scaling.h"

namespace ql {

namespace {

// What every verdict of a run shares. Levels are in spectrum units.
struct Judging {
    const LimitDefinition* definition = nullptr;
    bool maxHold = false;
    float voltsPerAmp = 1.0f;
    float powerFactor = 1.0f;
    double fundamental = 0.0;     // averaged: the 100 % of the averaged levels
    double fundamentalMax = 0.0;  // max-hold: the 100 % of the max-hold levels
    char decimalSign = '.';
};

struct Judgement {
    HarmonicVerdict verdict = HarmonicVerdict::NotDefined;
    std::string limitText = std::string(verdictText(HarmonicVerdict::NotDefined));
};

HarmonicVerdict verdictOf(bool averagePassed, bool maxHold, bool maxPassed)
{
    if (!averagePassed) return HarmonicVerdict::Fail;
    if (maxHold && !maxPassed) return HarmonicVerdict::MaxFail;
    return HarmonicVerdict::Pass;
}

double amperes(double level, float voltsPerAmp)
{
    return level / voltsPerAmp / kSpectrumUnitsPerVolt;
}

Judgement judge(const Judging& j, int order, double average, double maxHold)
{
    Judgement r;
    const float* limit = j.definition ? j.definition->limitOf(order) : nullptr;
    if (!limit) return r;
    const double multiplier = j.definition->multiplier;
    if (!j.definition->relative) {
        // Amperes, compared as doubles; a negative limit is used as it stands.
        r.limitText = tableAmperesText(*limit, j.decimalSign);
        r.verdict = verdictOf(amperes(average, j.voltsPerAmp) <= *limit, j.maxHold,
                              amperes(maxHold, j.voltsPerAmp) <= *limit * multiplier);
        return r;
    }
    // Per cent, compared in single precision as the limits are stored; a negative limit is
    // scaled by the power factor.
    const float percentLimit = *limit >= 0.0f ? *limit : std::fabs(*limit) * j.powerFactor;
    r.limitText = relativeLimitText(percentLimit, j.decimalSign);
    // A fundamental of 0 is no 100 %: nothing can be judged in per cent of it.
    if (!(j.fundamental > 0.0) || (j.maxHold && !(j.fundamentalMax > 0.0))) return r;
    const float percent = static_cast<float>(average / j.fundamental * 100.0);
    bool maxPassed = true;
    if (j.maxHold) {
        const float maxPercent = static_cast<float>(maxHold / j.fundamentalMax * 100.0);
        maxPassed = maxPercent <= percentLimit * multiplier;
    }
    r.verdict = verdictOf(percent <= percentLimit, j.maxHold, maxPassed);
    return r;
}

HarmonicsRun noResult(ProgramState& s, HarmonicsResult& result, std::string reason)
{
    result = HarmonicsResult{};
    result.reason = std::move(reason);
    s.harmTest.harmOverallResult = OverallResult::None;
    return HarmonicsRun::NoResult;
}

void fillCells(HarmonicRow& row, float frequency, const Judging& j, const Judgement& judgement)
{
    auto cell = [&row](HarmonicColumn c) -> std::string& {
        return row.cells[static_cast<std::size_t>(c)];
    };
    cell(HarmonicColumn::Order) = std::to_string(row.order);
    cell(HarmonicColumn::Frequency) =
        std::to_string(static_cast<long long>(roundHalfEven(frequency)));
    cell(HarmonicColumn::AverageLevel) =
        tableAmperesText(amperes(row.averageLevel, j.voltsPerAmp), j.decimalSign);
    cell(HarmonicColumn::MaxLevel) =
        j.maxHold ? tableAmperesText(amperes(row.maxHoldLevel, j.voltsPerAmp), j.decimalSign)
                  : std::string(kMaxHoldOffText);
    // Without a fundamental there is no per cent to show.
    if (j.fundamental > 0.0)
        cell(HarmonicColumn::Percent) =
            percentText(row.averageLevel / j.fundamental * 100.0, j.decimalSign);
    cell(HarmonicColumn::Check) = std::string(verdictText(judgement.verdict));
    cell(HarmonicColumn::Limit) = judgement.limitText;
}

}  // namespace

HarmonicsRun analyzeHarmonics(ProgramState& s, LimitSource& limits, HarmonicsResult& result,
                              char decimalSign)
{
    HarmTestState& test = s.harmTest;
    if (s.ddf.ch1On != 1) return HarmonicsRun::ChannelOff;
    // Before the first read or measurement file the record holds no samples of a current: as a
    // sweep it would stay in the max-hold and pull every average down.
    if (s.waves.generation == 0)
        return noResult(s, result, "No result: no waveform has been read yet.");
    if (test.harmAvgSpectrum.size() < static_cast<std::size_t>(kSpectrumLastLine + 1))
        return noResult(s, result, "No result: the average spectrum is too short.");

    // A record enters the accumulation once, when it arrives or when the accumulation starts
    // again (Clear, Start, the opening of the window); every other run (a resize, a tab switch,
    // the redraw after a panel edit) judges the same accumulation again, at its own time base.
    bool sweepDue =
        s.waves.generation != test.harmSweptGeneration || harmonicAccumulationEmpty(test);
    const DdfSettings& readWith = s.waves.readWith;
    if (sweepDue && s.waves.generation < test.harmFirstGeneration) {
        // Read before the Start: another moment, maybe another signal, than the acquisition's.
        sweepDue = false;
        if (harmonicAccumulationEmpty(test))
            return noResult(s, result, "No result: no record of this acquisition has come yet.");
    }
    if (sweepDue && readWith.ch1On != 1 && readWith.xyMode != 1) {
        // Read without CH I: the CH I record in hand is an older one at other settings.
        test.harmSweptGeneration = s.waves.generation;
        sweepDue = false;
        if (harmonicAccumulationEmpty(test))
            return noResult(s, result, "No result: the last record was read with CH I off.");
    }
    double t = test.harmSweepTimePerDiv;
    double rmsVolts = test.harmSweepRmsVolts;
    // The sweep of the accumulation, put back when the record in hand cannot be judged.
    std::vector<double> sweepTaken;
    if (sweepDue) {
        // Scaled by the settings the record was read with, not by the panels' values.
        const Result<SpectrumScale> scale = spectrumScale(s, readWith, Channel::Ch1);
        if (!scale) return noResult(s, result, scale.failure().text);
        sweepTaken = s.fftBuf.spectrumCh2;
        rmsVolts = transformHarmonicRecord(s, scale.value().voltsPerCode);
        t = scale.value().timePerDiv;
    }
    const auto refuse = [&](std::string reason) {
        if (sweepDue) s.fftBuf.spectrumCh2 = std::move(sweepTaken);
        return noResult(s, result, std::move(reason));
    };

    const float voltsPerAmp = s.harm.harmVoltsPerAmp;
    if (!(voltsPerAmp > 0.0f) || !std::isfinite(voltsPerAmp))
        return refuse("No result: the probe scale (1A = ... V) must be a number above 0.");
    const float lineFreq =
        s.harm.harmAutoFreq == 1 ? automaticLineFrequency(s, t) : s.harm.harmLineFreq;
    if (!(lineFreq > 0.0f) || !std::isfinite(lineFreq))
        return refuse("No result: the line frequency must be above 0 Hz.");
    const std::int64_t fundamentalLine = harmonicLine(lineFreq, t);
    if (fundamentalLine < 1 || fundamentalLine > kSpectrumLastLine)
        return refuse("No result: the line frequency has no spectral line on this time base.");

    // The record can be judged: only now does it enter the max-hold and the average.
    if (lineFreq != s.harm.harmLineFreq) {
        // The max-hold of the other frequency's lines means nothing now.
        restartMaxHold(s);
        s.harm.harmLineFreq = lineFreq;
    }
    if (sweepDue) accumulateHarmonicSweep(s, t, rmsVolts);
    s.fft.fftMaxLevelCh1 = maxHoldPeak(s);

    const std::span<const double> maxHoldSpectrum = s.fftBuf.spectrumCh1;
    const std::span<const double> average = test.harmAvgSpectrum;
    const std::span<const double> sweep = s.fftBuf.spectrumCh2;
    // Each search of the max-hold spectrum leaves the line it found for the row marker.
    auto maxHoldPeakAt = [&](std::int64_t line) {
        const HarmonicPeak p = findHarmonicPeak(maxHoldSpectrum, line);
        if (p.found()) test.harmPeakBin = static_cast<std::int16_t>(p.line);
        return p.level;
    };

    Judging j;
    j.maxHold = s.harm.harmMaxHold == 1;
    j.voltsPerAmp = voltsPerAmp;
    j.powerFactor = s.harm.harmPowerFactor;
    j.fundamentalMax = maxHoldPeakAt(fundamentalLine);
    j.fundamental = findHarmonicPeak(average, fundamentalLine).level;
    j.decimalSign = decimalSign;
    test.harmFundamentalLevel = j.fundamental;
    s.fft.fftCursorCh1 = static_cast<double>(fundamentalLine);

    const std::string name = s.harm.harmLimitName.trimmed();
    const std::optional<LimitDefinition> definition =
        name.empty() ? std::nullopt : limits.definition(name);
    j.definition = definition ? &*definition : nullptr;

    result = HarmonicsResult{};
    result.judged = true;
    result.timePerDiv = t;
    result.fundamentalLine = static_cast<int>(fundamentalLine);
    result.rmsAmperes = rmsVolts / voltsPerAmp;
    result.fundamentalAmperes = j.fundamental / kSpectrumUnitsPerVolt / voltsPerAmp;
    result.rmsText = labelAmperesText(result.rmsAmperes, decimalSign);
    result.fundamentalText = labelAmperesText(result.fundamentalAmperes, decimalSign);
    result.lineFrequencyText = lineFrequencyLabelText(lineFreq, decimalSign);

    // Harmonics 1 to the whole multiple of the fundamental's line that fits 1024, rounded,
    // less one; only those whose line lies in the spectrum.
    const int orders = std::max(1, static_cast<int>(roundHalfEven(1024.0 / fundamentalLine)) - 1);
    bool failed = false, passed = false;
    for (int k = 1; k <= orders; ++k) {
        const float frequency = lineFreq * static_cast<float>(k);
        const std::int64_t line = harmonicLine(frequency, t);
        if (line > kSpectrumLastLine) break;
        HarmonicRow row;
        row.order = k;
        row.line = static_cast<int>(line);
        row.averageLevel = findHarmonicPeak(average, line).level;
        row.maxHoldLevel = maxHoldPeakAt(line);
        row.sweepLevel = findHarmonicPeak(sweep, line).level;
        const Judgement judgement = judge(j, k, row.averageLevel, row.maxHoldLevel);
        row.verdict = judgement.verdict;
        fillCells(row, frequency, j, judgement);
        failed = failed || row.verdict == HarmonicVerdict::Fail ||
                 row.verdict == HarmonicVerdict::MaxFail;
        passed = passed || row.verdict == HarmonicVerdict::Pass;
        result.rows.push_back(std::move(row));
    }
    result.overall =
        failed ? OverallResult::Fail : (passed ? OverallResult::Pass : OverallResult::None);
    test.harmOverallResult = result.overall;
    return HarmonicsRun::Judged;
}

void clearHarmonics(ProgramState& s)
{
    for (std::vector<double>* v :
         {&s.fftBuf.spectrumCh1, &s.fftBuf.spectrumCh2, &s.harmTest.harmAvgSpectrum})
        std::fill(v->begin(), v->end(), 0.0);
    s.harmTest.harmAverageCount = 1;
    s.harmTest.harmFundamentalLevel = 0.0;
    s.harmTest.harmOverallResult = OverallResult::None;
}

void resetHarmonicsOnOpening(ProgramState& s)
{
    for (std::vector<double>* v : {&s.fftBuf.spectrumCh1, &s.harmTest.harmAvgSpectrum})
        std::fill(v->begin(), v->end(), 0.0);
    s.harmTest.harmAverageCount = 1;
    s.harmTest.harmOverallResult = OverallResult::None;
    s.harmTest.harmFirstGeneration = 0;
}

}  // namespace ql
