#include "DataFileTestSupport.h"

#include <cstdlib>

#include "state/InitProgramState.h"

namespace ql::test {

std::string modelTablePath()
{
    const char* dir = std::getenv("QL240_DATA_DIR");
    return std::string(dir ? dir : "data") + "/scopes.db";
}

ProgramState savableState()
{
    ProgramState s;
    initProgramState(s, "/tmp");
    DdfSettings& d = s.ddf;
    d.ch1Coupling = 2, d.ch1Invert = 1, d.ch1On = 1, d.ch1VoltsIndex = 9;
    d.ch2Coupling = 3, d.ch2Invert = 0, d.ch2On = 1, d.ch2VoltsIndex = 6;
    d.trigAlternate = 1, d.bandwidthLimit = 1, d.verChop = 0, d.verAdd = 1, d.trigSource = 2;
    d.singleShot = 1, d.tbAIndex = 13, d.trigSlopeB = 1, d.trigDelayOn = 0, d.tbBIndex = 7;
    d.componentTester = 0, d.xyMode = 0, d.xMag10 = 1, d.digitalMode = 1, d.timebaseMode = 3;
    d.trigSlopeA = 1, d.trigLevelRelative = 0, d.trigMode = 1, d.trigCoupling = 5;
    d.ref2On = 1, d.ref1On = 0, d.pretriggerIndex = 6, d.storageMode = 4;
    d.ch2Variable = 17, d.ch1Variable = 230, d.traceSeparation = 40, d.ddfByte12 = 0xA5;
    d.tbAIntensity = 61, d.tbBIntensity = 62;
    d.ch1ProbeFactor = 1, d.ch2ProbeFactor = 100;
    d.trigLevelA = 300, d.tbAVariable = 341, d.horPosition = 600, d.ch2Position = 410;
    d.ch1Position = 620, d.trigLevelB = 700, d.tbBVariable = 800, d.delayPosition = 4000;
    d.readoutIntensity = 90;
    d.readoutBit7 = 1, d.readoutBit6 = 0, d.readoutBit5 = 0, d.readoutBit4 = 1;
    d.readoutBit3 = 1, d.readoutBit2 = 0, d.readoutBit1 = 1, d.readoutBit0 = 0;
    d.readoutValue1 = 11, d.readoutValue2 = 512, d.readoutValue3 = 1000, d.readoutValue4 = 3;
    d.averageIndex = 7;
    d.pretriggerPosition = -1500;

    s.identity.modelName.assign("TX220");
    s.identity.firmwareText.assign("V2.13 FC2.13");
    s.identity.firmwareVersion = 2.13f;
    s.identity.analogModel = 0;
    s.preamble = WfmPreamble{1023, -7, 12, 1, -2};
    for (int i = 1; i <= 2050; ++i) {
        const auto at = static_cast<std::size_t>(i);
        s.waves.waveCh1[at] = static_cast<std::int16_t>(128 + (i * 7) % 21 - 10);
        s.waves.waveCh2[at] = static_cast<std::int16_t>(125 + i % 9 - 4);
        s.waves.waveRef1[at] = static_cast<std::int16_t>(200 - i % 50);
        s.waves.waveRef2[at] = static_cast<std::int16_t>(i % 256);
    }
    s.stamp.waveTime.assign("12:34:56");
    s.stamp.waveDate.assign("24.12.2025");
    s.storage = StorageExtras{1, -128, 127, 9};
    s.fft.fftWindowCode = 3, s.fft.fftLogFlag = 1, s.fft.fftZoomCode = 4;
    s.harm.harmWindowCode = 1, s.harm.harmMaxHold = 0, s.harm.harmSpanCode = 3;
    s.harm.harmLimitName.assign("EN 61000-3-2 class A");
    s.harm.harmPrintHeadline.assign("Harmonics of the pump drive");
    s.harm.harmVoltsPerAmp = 0.25f, s.harm.harmLineFreq = 59.94f, s.harm.harmAutoFreq = 0;
    s.tbB.tbBWindowOn = 1;
    s.cursor.cursor1Pos = 17, s.cursor.cursor2Pos = 2046;
    s.notesText.assign("  Motor current at start-up; probe on phase L1.");
    s.print.printHeadline.assign("Test bench 4");
    PrintOptions& p = s.print;
    p.printChI = 1, p.printChII = 0, p.printRefI = 1, p.printRefII = 0, p.printCursors = 1;
    p.printNotes = 0, p.printXY = 1, p.printMeasTime = 0, p.printColor = 1;
    return s;
}

int u8At(const std::string& b, std::size_t offset)
{
    return static_cast<unsigned char>(b.at(offset));
}

int i16At(const std::string& b, std::size_t offset)
{
    const int v = u8At(b, offset) | (u8At(b, offset + 1) << 8);
    return v >= 0x8000 ? v - 0x10000 : v;
}

std::uint32_t u32At(const std::string& b, std::size_t offset)
{
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<std::uint32_t>(u8At(b, offset + i));
    return v;
}

std::int32_t i32At(const std::string& b, std::size_t offset)
{
    return static_cast<std::int32_t>(u32At(b, offset));
}

void putU8(std::string& b, std::size_t offset, int value)
{
    b.at(offset) = static_cast<char>(value & 0xFF);
}

void putI16(std::string& b, std::size_t offset, int value)
{
    putU8(b, offset, value);
    putU8(b, offset + 1, value >> 8);
}

void putI32(std::string& b, std::size_t offset, std::int32_t value)
{
    const auto v = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) putU8(b, offset + i, static_cast<int>((v >> (8 * i)) & 0xFF));
}

}  // namespace ql::test
