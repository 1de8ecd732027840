// The settings blocks against the documented byte examples and bit layouts.
#include <gtest/gtest.h>

#include "link/SettingsCodec.h"
#include "state/InitProgramState.h"

using namespace ql;

namespace {

ProgramState freshState(float firmware = 2.1f)
{
    ProgramState s;
    initProgramState(s, "/tmp");
    s.identity.firmwareVersion = firmware;
    return s;
}

}  // namespace

TEST(MainBlock, DocumentedBytes)
{
    ProgramState s = freshState();
    auto& d = s.ddf;
    d.ch1Coupling = 1;  // AC
    d.ch1Invert = 0;
    d.ch1On = 1;
    d.ch1VoltsIndex = 8;
    d.ref2On = 1;
    d.ref1On = 0;
    d.pretriggerIndex = 3;
    d.storageMode = 4;  // Average
    d.trigAlternate = 0;
    d.verChop = 0;
    d.verAdd = 0;
    d.bandwidthLimit = 1;
    d.trigSource = 1;
    d.ch1ProbeFactor = 10;
    d.ch2ProbeFactor = 1;
    prepareForSet(s);
    MainBlock b = encodeMainBlock(s);
    EXPECT_EQ(b[0], 88);
    EXPECT_EQ(b[7], 156);
    EXPECT_EQ(b[2], 97);
    EXPECT_EQ(d.verModeByte, 97);

    s.tbB.tbBWindowOn = 1;
    b = encodeMainBlock(s);
    EXPECT_EQ(b[7], 28);
    EXPECT_EQ(d.ref2On, 1);  // the field keeps its value
}

TEST(MainBlock, ProbeBitsOnlyFromFirmwareTwo)
{
    ProgramState s = freshState(2.0f);
    s.ddf.ch1ProbeFactor = 10;
    s.ddf.ch2ProbeFactor = 10;
    EXPECT_EQ(encodeMainBlock(s)[2] & 0x44, 0x44);
    s.identity.firmwareVersion = 1.99f;
    EXPECT_EQ(encodeMainBlock(s)[2] & 0x44, 0);

    MainBlock in{};
    in[2] = 0x44;
    s.ddf.ch1ProbeFactor = 100;
    decodeMainBlock(s, in);  // 1.99: factors untouched
    EXPECT_EQ(s.ddf.ch1ProbeFactor, 100);
    s.identity.firmwareVersion = 2.0f;
    decodeMainBlock(s, in);
    EXPECT_EQ(s.ddf.ch1ProbeFactor, 10);
    EXPECT_EQ(s.ddf.ch2ProbeFactor, 10);

    // A factor of 100 has no bit: after a round trip the instrument reports 1.
    s.ddf.ch1ProbeFactor = 100;
    const MainBlock out = encodeMainBlock(s);
    EXPECT_EQ(out[2] & 0x40, 0);
    decodeMainBlock(s, out);
    EXPECT_EQ(s.ddf.ch1ProbeFactor, 1);
}

TEST(MainBlock, TimebaseModeOneTravelsAsTwoAndFieldsNeverSpill)
{
    ProgramState s = freshState();
    s.ddf.timebaseMode = 1;
    s.ddf.digitalMode = 1;
    prepareForSet(s);
    const MainBlock b = encodeMainBlock(s);
    EXPECT_EQ(b[5] & 0x07, 2);
    EXPECT_EQ(s.ddf.timebaseMode, 2);

    ProgramState wide = freshState();
    wide.ddf.timebaseMode = 0xFF;  // only a damaged file can hold this
    wide.ddf.ch1VoltsIndex = 0x1F;
    wide.ddf.ch1On = 0;
    wide.ddf.ch1Invert = 0;
    wide.ddf.ch1Coupling = 0;
    wide.ddf.componentTester = 0;
    wide.ddf.xyMode = 0;
    wide.ddf.xMag10 = 0;
    wide.ddf.digitalMode = 0;
    wide.ddf.peakDetect = 0;
    wide.ddf.trigSource = 7;
    wide.ddf.trigAlternate = 0;
    wide.ddf.bandwidthLimit = 0;
    wide.ddf.verChop = 0;
    wide.ddf.verAdd = 0;
    wide.identity.firmwareVersion = 1.0f;
    const MainBlock w = encodeMainBlock(wide);
    EXPECT_EQ(w[5], 0x07);
    EXPECT_EQ(w[0], 0x0F);
    EXPECT_EQ(w[2], 0x03);
}

TEST(MainBlock, DecodeRulesXyTimebaseBAndAnalog)
{
    ProgramState s = freshState();
    MainBlock in{};
    in[0] = 0x18;         // CH I on, step 8
    in[1] = 0x08;         // CH II off
    in[5] = 0x40 | 0x10;  // XY, digital
    decodeMainBlock(s, in);
    EXPECT_EQ(s.ddf.ch2On, 1);
    EXPECT_EQ(s.ddf.savedCh2On, 0);
    EXPECT_EQ(s.ddf.savedCh1On, 1);
    // Sending restores the panel's choice: CH II goes out off and stays off.
    prepareForSet(s);
    const MainBlock out = encodeMainBlock(s);
    EXPECT_EQ(out[1] & 0x10, 0);
    EXPECT_EQ(s.ddf.ch2On, 0);

    ProgramState b = freshState();
    MainBlock ab{};
    ab[0] = 0x10;
    ab[1] = 0x00;
    ab[5] = 0x12;  // digital, A-and-B
    ab[7] = 0xC0;  // both references on the wire
    decodeMainBlock(b, ab);
    EXPECT_EQ(b.tbB.tbBWindowOn, 1);
    EXPECT_EQ(b.ddf.ref1On, 1);
    EXPECT_EQ(b.ddf.ref2On, 0);

    b.caps.unitNotbb = true;
    decodeMainBlock(b, ab);
    EXPECT_EQ(b.tbB.tbBWindowOn, 0);
    EXPECT_EQ(b.ddf.ref2On, 1);

    ProgramState analog = freshState();
    analog.identity.analogModel = 1;
    MainBlock pt{};
    pt[7] = 0x28;  // pre-trigger step 5
    decodeMainBlock(analog, pt);
    EXPECT_EQ(analog.ddf.pretriggerIndex, 3);
}

TEST(MainBlock, EveryFieldRoundTrips)
{
    ProgramState s = freshState(1.5f);
    MainBlock in;
    for (std::size_t i = 0; i < in.size(); ++i) in[i] = static_cast<std::uint8_t>(0x5A + 17 * i);
    in[2] &= 0xBB;  // probe bits travel only from firmware 2.0
    in[3] &= 0x3F;  // bits that are always 0
    in[4] &= 0xDF;
    in[5] &= 0xBF;                                          // no XY (it rewrites the on-states)
    in[5] = static_cast<std::uint8_t>((in[5] & 0xF8) | 3);  // time-base B only
    in[6] &= 0xB7;
    decodeMainBlock(s, in);
    EXPECT_EQ(encodeMainBlock(s), in);
}

TEST(Positions, TenthsAroundTheCentreAboveFirmware105)
{
    EXPECT_EQ(positionToWire(511, 1.06f), 0);
    EXPECT_EQ(positionToWire(0, 1.06f), 60426);
    EXPECT_EQ(positionToWire(1023, 1.06f), 5120);
    EXPECT_EQ(positionToWire(2000, 1.06f), 5120);  // clamped before multiplying
    EXPECT_EQ(positionFromWire(65526, 1.06f), 510);
    EXPECT_EQ(positionFromWire(25, 1.06f), 513);  // 2.5 rounds to 2
    EXPECT_EQ(positionFromWire(15, 1.06f), 513);  // 1.5 rounds to 2
    EXPECT_EQ(positionFromWire(9000, 1.06f), 1023);
    EXPECT_EQ(positionFromWire(32768, 1.06f), 0);
    // Firmware 1.05 itself sends positions unconverted.
    EXPECT_EQ(positionToWire(700, 1.05f), 700);
    EXPECT_EQ(positionFromWire(700, 1.05f), 700);

    ProgramState s = freshState(1.06f);
    s.ddf.horPosition = 0;
    const Ddf1Block b = encodeDdf1(s);
    EXPECT_EQ(b[4], 10);
    EXPECT_EQ(b[5], 236);
}

TEST(SecondaryBlocks, Ddf1AndReadoutRoundTrip)
{
    for (float fw : {1.05f, 2.1f}) {
        ProgramState s = freshState(fw);
        auto& d = s.ddf;
        d.trigLevelA = 1000;
        d.tbAVariable = 3;
        d.horPosition = 12;
        d.ch2Position = 1023;
        d.ch1Position = 511;
        d.trigLevelB = 77;
        d.tbBVariable = 1023;
        d.delayPosition = 4095;
        d.readoutIntensity = 200;
        d.readoutBit5 = 1;
        d.readoutBit0 = 1;
        d.readoutValue1 = 0;
        d.readoutValue2 = 100;
        d.readoutValue3 = 900;
        d.readoutValue4 = 1023;
        ProgramState back = freshState(fw);
        decodeDdf1(back, encodeDdf1(s));
        decodeReadoutBlock(back, encodeReadoutBlock(s));
        EXPECT_EQ(back.ddf.trigLevelA, 1000);
        EXPECT_EQ(back.ddf.horPosition, 12);
        EXPECT_EQ(back.ddf.ch2Position, 1023);
        EXPECT_EQ(back.ddf.delayPosition, 4095);
        EXPECT_EQ(back.ddf.tbBVariable, 1023);
        EXPECT_EQ(back.ddf.readoutIntensity, 200);
        EXPECT_EQ(back.ddf.readoutBit5, 1);
        EXPECT_EQ(back.ddf.readoutBit0, 1);
        EXPECT_EQ(back.ddf.readoutBit7, 0);
        EXPECT_EQ(back.ddf.readoutValue1, 0);
        EXPECT_EQ(back.ddf.readoutValue3, 900);
        EXPECT_EQ(back.ddf.readoutValue4, 1023);
    }
    ProgramState s = freshState();
    s.ddf.readoutBit5 = 1;
    EXPECT_EQ(encodeReadoutBlock(s)[1], 32);
}

TEST(SecondaryBlocks, Ddf2AndMeasDdf)
{
    ProgramState s = freshState();
    s.ddf.pretriggerPosition = -200;
    s.ddf.averageIndex = 4;
    s.ddf.storageMode = 3;
    s.ddf.ref1On = 1;
    s.ddf.ref2On = 0;
    s.ddf.ddf2Data[3] = 9;
    const Ddf2Block b = encodeDdf2(s);
    EXPECT_EQ(b[6], 56);
    EXPECT_EQ(b[7], 255);
    EXPECT_EQ(b[0], 4);
    EXPECT_EQ(b[1], 3);
    EXPECT_EQ(b[2], 9);
    EXPECT_EQ(b[3], 1);

    ProgramState r = freshState();
    for (std::size_t i = 0; i < 8; ++i) storeDdf2Byte(r, i, b[i]);
    finishDdf2(r);
    EXPECT_EQ(r.ddf.pretriggerPosition, -200);

    s.ddf.pretriggerPosition = 100000;  // wider than the wire: held at the limit
    const Ddf2Block wide = encodeDdf2(s);
    EXPECT_EQ(wide[6], 0xFF);
    EXPECT_EQ(wide[7], 0x7F);

    s.ddf.readoutIntensity = 77;
    s.ddf.measDdfData[22] = 5;
    const MeasDdfBlock m = encodeMeasDdf(s);
    EXPECT_EQ(m[0], 77);
    EXPECT_EQ(m[21], 5);
    storeMeasDdfByte(r, 0, 150);
    EXPECT_EQ(r.ddf.readoutIntensity, 60);  // only a complete block sets it
    finishMeasDdf(r);
    EXPECT_EQ(r.ddf.readoutIntensity, 150);
    EXPECT_EQ(clampToByte(300), 255);
    EXPECT_EQ(clampToByte(-3), 0);
}
