#include <gtest/gtest.h>

#include "DisplayTestState.h"
#include "display/StatusLine.h"

using namespace ql;
using namespace ql::test;

namespace {

// CH I on at 1 V/div DC, CH II off, time base A alone at 1 ms/div, trigger CH I rising AC,
// pre-trigger 0 % on a model without variable pre-trigger, no peak detect.
ProgramState statusState()
{
    ProgramState s = measuredState();
    s.ddf.ch1Coupling = 0;
    s.ddf.ch2On = 0;
    s.ddf.timebaseMode = 0;
    s.ddf.trigSource = 0;
    s.ddf.trigSlopeA = 0;
    s.ddf.trigCoupling = 0;
    s.ddf.trigAlternate = 0;
    s.ddf.pretriggerIndex = 3;
    s.ddf.peakDetect = 0;
    return s;
}

std::string line(const ProgramState& s, StatusLineTarget t = StatusLineTarget::Screen)
{
    return buildStatusLine(s, t, '.');
}

std::string tail(const ProgramState& s, StatusLineTarget t = StatusLineTarget::Screen)
{
    const std::string l = line(s, t);
    return l.substr(l.find("AC  ") + 4);
}

}  // namespace

TEST(StatusLine, TheInstrumentReadoutPieceByPiece)
{
    ProgramState s = statusState();
    EXPECT_EQ(line(s), "CH1: 1.000V/DIV DC     TB A: 1 ms  TR: CH1+AC  PT: 0");

    s.ddf.xMag10 = 1;
    EXPECT_EQ(line(s), "CH1: 1.000V/DIV DC     TB A: 100 \u00b5s  TR: CH1+AC  PT: 0");
    s.ddf.tbAIndex = kTb10us;  // a tenth of 10 µs still reads as whole microseconds
    EXPECT_EQ(line(s), "CH1: 1.000V/DIV DC     TB A: 1 \u00b5s  TR: CH1+AC  PT: 0");
}

TEST(StatusLine, BothChannelsOnAsThePrintedPageShowsThem)
{
    ProgramState s = statusState();
    s.ddf.ch2On = 1;
    s.ddf.ch2VoltsIndex = kVolts500mV;
    s.ddf.ch2Coupling = 1;
    s.ddf.pretriggerIndex = 4;
    const std::string expected =
        "CH1: 1.000V/DIV DC  CH2: .500V/DIV AC   TB A: 1 ms  TR: CH1+AC  PT: 25";
    EXPECT_EQ(line(s, StatusLineTarget::Printer), expected);
    EXPECT_EQ(line(s, StatusLineTarget::Screen), expected);
    EXPECT_EQ(buildStatusLine(s, StatusLineTarget::Screen, ','),
              "CH1: 1,000V/DIV DC  CH2: ,500V/DIV AC   TB A: 1 ms  TR: CH1+AC  PT: 25");
}

TEST(StatusLine, ChannelPieces)
{
    ProgramState s = statusState();
    s.ddf.ch1On = 0;
    EXPECT_EQ(line(s).substr(0, 11), "     TB A: ");

    s.ddf.ch1On = 1;
    s.ddf.ch1VoltsIndex = kVolts5mV;
    s.ddf.ch1Coupling = 3;
    EXPECT_EQ(line(s).substr(0, 19), "CH1: .005V/DIV GND ");

    s.ddf.ch1VoltsIndex = kVolts1V;
    s.ddf.ch1ProbeFactor = 10;
    s.ddf.ch1Variable = 0;  // uncalibrated at the far end: 2.5 times the step
    s.ddf.ch1Coupling = 1;
    EXPECT_EQ(line(s).substr(0, 20), "CH1: 25.000V/DIV AC ");
}

TEST(StatusLine, TimebasePieceFollowsModeAndModel)
{
    ProgramState s = statusState();
    s.ddf.tbBIndex = kTb50us;
    s.ddf.timebaseMode = 3;
    EXPECT_NE(line(s).find("DC    TB B:50 \u00b5s  TR:"), std::string::npos);
    s.ddf.timebaseMode = 4;
    EXPECT_NE(line(s).find("DC    TB B:50 \u00b5s  TR:"), std::string::npos);

    s.caps.unitDigimodea = true;
    s.ddf.timebaseMode = 3;
    EXPECT_NE(line(s).find("DC     TB D: 50 \u00b5s  TR:"), std::string::npos);
    s.ddf.timebaseMode = 4;
    EXPECT_NE(line(s).find("DC     TB A: 1 ms  TR:"), std::string::npos);

    s.caps.unitDigimodea = false;
    s.identity.analogModel = 1;
    s.ddf.timebaseMode = 3;
    EXPECT_NE(line(s).find("DC     TB D: 50 \u00b5s  TR:"), std::string::npos);

    s = statusState();
    s.ddf.tbAIndex = kTb50ns;
    EXPECT_NE(line(s).find("TB A: 50 ns  "), std::string::npos);
    s.ddf.tbAIndex = kTb1us;  // exactly 1 µs takes the larger unit
    EXPECT_NE(line(s).find("TB A: 1 \u00b5s  "), std::string::npos);
    s.ddf.tbAIndex = kTb100s;
    EXPECT_NE(line(s).find("TB A: 100 s  "), std::string::npos);
}

TEST(StatusLine, TriggerSourceSlopeAndCouplingLists)
{
    ProgramState s = statusState();
    s.ddf.trigSource = 3;
    s.ddf.trigSlopeA = 1;
    EXPECT_NE(line(s).find("  TR: -AC  "), std::string::npos);
    s.ddf.trigSource = 2;
    EXPECT_NE(line(s).find("  TR: EXT-AC  "), std::string::npos);
    s.ddf.trigAlternate = 1;
    s.ddf.trigSource = 1;
    EXPECT_NE(line(s).find("  TR: ALT-AC  "), std::string::npos);

    s = statusState();
    s.ddf.trigSource = 1;
    const char* notbb[] = {"AC", "DC", "HF", "LF", "TVL", "TVF", "LINE", ""};
    const char* other[] = {"AC", "DC", "HF", "NR", "LF", "TVL", "TVF", "LINE"};
    for (int c = 0; c < 8; ++c) {
        s.ddf.trigCoupling = static_cast<byte>(c);
        s.caps.unitNotbb = true;
        EXPECT_NE(line(s).find(std::string("TR: CH2+") + notbb[c] + "  PT:"), std::string::npos);
        s.caps.unitNotbb = false;
        EXPECT_NE(line(s).find(std::string("TR: CH2+") + other[c] + "  PT:"), std::string::npos);
    }
}

TEST(StatusLine, PretriggerField)
{
    ProgramState s = statusState();
    s.ddf.pretriggerIndex = 0;
    EXPECT_EQ(tail(s), "PT:-75");
    s.ddf.pretriggerIndex = 7;
    EXPECT_EQ(tail(s), "PT: 100");
    s.ddf.trigAlternate = 1;
    EXPECT_EQ(tail(s), "PT: 0");

    s = statusState();
    s.caps.unitPtVariabel = true;
    const std::pair<int, const char*> times[] = {
        {1000, "PT:5.00 ms"}, {100, "PT:500.00 us"}, {0, "PT:.00 ns"}, {-1000, "PT:-5.00 ms"}};
    for (const auto& [trigPos, text] : times) {
        s.preamble.wfmTrigPos = static_cast<std::int16_t>(trigPos);
        EXPECT_EQ(tail(s), text) << trigPos;
        EXPECT_EQ(tail(s, StatusLineTarget::Preview), text);
    }
    s.ddf.xMag10 = 1;  // the magnified view does not scale the pre-trigger time
    s.preamble.wfmTrigPos = 1000;
    EXPECT_EQ(tail(s), "PT:5.00 ms");
}

TEST(StatusLine, MetafileWritesOnlyAPretriggerOtherThanZero)
{
    ProgramState s = statusState();
    s.caps.unitPtVariabel = true;
    s.preamble.wfmTrigPos = 1000;
    EXPECT_EQ(tail(s, StatusLineTarget::Metafile), "");
    s.ddf.pretriggerIndex = 4;
    EXPECT_EQ(tail(s, StatusLineTarget::Metafile), "PT: 25");
    s.ddf.trigAlternate = 1;
    EXPECT_EQ(tail(s, StatusLineTarget::Metafile), "PT: 0");
}

TEST(StatusLine, DelayAndDelayedTrigger)
{
    ProgramState s = statusState();
    s.ddf.timebaseMode = 2;
    s.ddf.delayPosition = 0;
    EXPECT_EQ(tail(s), "Dt:200.00 us");
    s.ddf.delayPosition = 4095;
    EXPECT_EQ(tail(s), "Dt:10200.00 us");

    s.ddf.tbAIndex = kTb2ms;
    s.ddf.delayPosition = 0;
    EXPECT_EQ(tail(s), "Dt:.40 ms");
    s.ddf.delayPosition = 4095;
    EXPECT_EQ(tail(s), "Dt:20.40 ms");

    s.ddf.tbAIndex = kTb50ns;
    s.ddf.delayPosition = 0;
    EXPECT_EQ(tail(s), "Dt:10.00 ns");
    s.ddf.delayPosition = 4095;
    EXPECT_EQ(tail(s), "Dt:510.00 ns");

    s.ddf.trigDelayOn = 1;
    EXPECT_EQ(tail(s), "DTr:+DC");
    s.ddf.trigSlopeB = 1;
    EXPECT_EQ(tail(s), "DTr:-DC");
}

TEST(StatusLine, PeakDetectEverywhereButOnThePrinterLine)
{
    ProgramState s = statusState();
    s.ddf.peakDetect = 1;
    EXPECT_EQ(tail(s, StatusLineTarget::Screen), "PT: 0  PK");
    EXPECT_EQ(tail(s, StatusLineTarget::Preview), "PT: 0  PK");
    EXPECT_EQ(tail(s, StatusLineTarget::Metafile), "  PK");
    EXPECT_EQ(tail(s, StatusLineTarget::Printer), "PT: 0");
}

TEST(StatusLine, StepsWithoutATableValueShowNoValue)
{
    ProgramState s = statusState();
    s.ddf.tbAIndex = kTbEmpty;
    EXPECT_EQ(line(s), "CH1: 1.000V/DIV DC     TB A: ---  TR: CH1+AC  PT: 0");
    s.caps.unitPtVariabel = true;
    EXPECT_EQ(tail(s), "PT:---");
    s.ddf.timebaseMode = 2;
    EXPECT_EQ(tail(s), "Dt:---");
    s.ddf.tbAIndex = 200;  // beyond the table, as only a damaged file can deliver
    EXPECT_EQ(tail(s), "Dt:---");

    s = statusState();
    s.ddf.ch1VoltsIndex = 14;
    EXPECT_EQ(line(s).substr(0, 15), "CH1: --- DC    ");
}
