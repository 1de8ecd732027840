// The analysis end to end: line currents at the simulated instrument's CH I, read by the link
// at 50 ms/div through a 0.1 V per ampere probe and judged against class A.
#include <gtest/gtest.h>

#include <cmath>

#include "HarmonicsRig.h"
#include "LimitTestSupport.h"
#include "SimLink.h"

using namespace ql;
using namespace ql::test;
using ql::testing::SimLink;
using scopesim::MainField;
using scopesim::Signal;

namespace {

constexpr double kVoltsPerAmp = 0.1;
// A tone of 1 V on a spectral line reads 1024 / 1.39 units through the Hanning window.
constexpr double kAmperesPerVoltOnALine = 1024 / 1.39 / 1000 / kVoltsPerAmp;

Signal lineCurrent(double third, double fifth)
{
    return Signal::lineCurrent(50.0, 1.0, {{3, third}, {5, fifth}});
}

struct SimHarmonics : SimLink {
    SimHarmonics() : SimLink(SimLink::model("TC308"))
    {
        EXPECT_TRUE(connect());
        sim.instrument().mainBlock().set(MainField::TbAIndex, 18);  // 50 ms/div
        limits.definitions["Class A"] = classA();
        state.harm.harmLimitName.assign("Class A");
        state.harm.harmVoltsPerAmp = static_cast<float>(kVoltsPerAmp);
        state.harm.harmAutoFreq = 1;
        state.harm.harmLineFreq = 60.0f;  // the automatic choice finds 50 Hz
        resetHarmonicsOnOpening(state);
    }

    // A read of the instrument and the redraw's run of the analysis.
    void acquire(const Signal& current)
    {
        sim.instrument().setSignal(1, current);
        ASSERT_TRUE(link->sequences().readAllFromScope());
        ASSERT_EQ(analyzeHarmonics(state, limits, result, '.'), HarmonicsRun::Judged);
    }

    HarmonicVerdict verdict(int order) const { return result.rows.at(order - 1).verdict; }

    MemoryLimits limits;
    HarmonicsResult result;
};

}  // namespace

TEST(HarmonicsOnTheSimulator, AGoodCurrentPasses)
{
    SimHarmonics t;
    for (int k = 0; k < 3; ++k) t.acquire(lineCurrent(0.2, 0.1));
    EXPECT_EQ(t.state.harm.harmLineFreq, 50.0f);
    ASSERT_EQ(t.result.rows.size(), 40u);
    EXPECT_EQ(t.verdict(1), HarmonicVerdict::NotDefined);
    for (int order = 2; order <= 40; ++order)
        EXPECT_EQ(t.verdict(order), HarmonicVerdict::Pass) << order;
    EXPECT_EQ(t.result.overall, OverallResult::Pass);
    EXPECT_EQ(t.state.harmTest.harmAverageCount, 4);

    // The 5th harmonic lies on line 128: its level is the closed-form level of a tone on a
    // line, within the quarter of a code (5 mV) that quantising 5 codes of amplitude costs.
    const HarmonicRow& fifth = t.result.rows[4];
    EXPECT_EQ(fifth.line, 128);
    EXPECT_NEAR(fifth.averageLevel / 1000 / kVoltsPerAmp, 0.1 * kAmperesPerVoltOnALine,
                0.005 * kAmperesPerVoltOnALine);
    // True RMS of 1 V, 0.2 V and 0.1 V sines, within one code (20 mV) of the probe.
    EXPECT_NEAR(t.result.rmsAmperes, std::sqrt((1.0 + 0.04 + 0.01) / 2) / kVoltsPerAmp,
                0.02 / kVoltsPerAmp);
}

TEST(HarmonicsOnTheSimulator, RaisedThirdAndFifthHarmonicsFailTheirRows)
{
    SimHarmonics t;
    t.acquire(lineCurrent(0.4, 0.2));
    ASSERT_EQ(t.result.rows.size(), 40u);
    for (int order = 2; order <= 40; ++order) {
        const bool raised = order == 3 || order == 5;
        EXPECT_EQ(t.verdict(order), raised ? HarmonicVerdict::Fail : HarmonicVerdict::Pass)
            << order;
    }
    EXPECT_EQ(t.result.overall, OverallResult::Fail);
    EXPECT_EQ(harmonicsTableColor(t.result.overall), (Rgb{255, 128, 128}));
}

TEST(HarmonicsOnTheSimulator, OneSpikedSweepFailsTheMaxHoldOnly)
{
    SimHarmonics t;
    for (int k = 0; k < 9; ++k) t.acquire(lineCurrent(0.2, 0.1));
    ASSERT_EQ(t.result.overall, OverallResult::Pass);
    // One sweep with five times the 5th: its max-hold level is above 1.5 x 1.14 A, the average
    // of the ten sweeps still below 1.14 A.
    t.acquire(lineCurrent(0.2, 0.5));
    EXPECT_EQ(t.verdict(5), HarmonicVerdict::MaxFail);
    EXPECT_EQ(t.verdict(3), HarmonicVerdict::Pass);
    EXPECT_EQ(t.result.overall, OverallResult::Fail);
    t.acquire(lineCurrent(0.2, 0.1));
    EXPECT_EQ(t.verdict(5), HarmonicVerdict::MaxFail) << "the max-hold keeps the spike";

    // Clear starts again from the record in hand.
    clearHarmonics(t.state);
    ASSERT_EQ(analyzeHarmonics(t.state, t.limits, t.result, '.'), HarmonicsRun::Judged);
    EXPECT_EQ(t.verdict(5), HarmonicVerdict::Pass);
    EXPECT_EQ(t.result.overall, OverallResult::Pass);
}

TEST(HarmonicsOnTheSimulator, TheShippedClassAJudgesAsItsFormulas)
{
    // The same currents judged against the seeded database's class A instead of the rig's.
    SimHarmonics t;
    LimitFolder folder;
    LimitStore store(folder.database(), limitScript());
    struct Case {
        double third, fifth;
        OverallResult overall;
    };
    for (const Case c :
         {Case{0.2, 0.1, OverallResult::Pass}, Case{0.4, 0.2, OverallResult::Fail}}) {
        resetHarmonicsOnOpening(t.state);
        t.sim.instrument().setSignal(1, lineCurrent(c.third, c.fifth));
        ASSERT_TRUE(t.link->sequences().readAllFromScope());
        ASSERT_EQ(analyzeHarmonics(t.state, store, t.result, '.'), HarmonicsRun::Judged);
        EXPECT_EQ(t.result.overall, c.overall);
        const HarmonicsResult fromStore = t.result;
        ASSERT_EQ(analyzeHarmonics(t.state, t.limits, t.result, '.'), HarmonicsRun::Judged);
        ASSERT_EQ(fromStore.rows.size(), 40u);
        for (int order = 1; order <= 40; ++order)
            EXPECT_EQ(fromStore.rows[order - 1].verdict, t.verdict(order)) << order;
    }
}
