#include "SettingsCodec.h"

#include <algorithm>

#include "state/Numeric.h"

namespace ql {

namespace {

std::uint8_t bits(int value, int width, int shift)
{
    const int mask = (1 << width) - 1;
    return static_cast<std::uint8_t>((value & mask) << shift);
}

std::uint8_t field(std::uint8_t byte, int width, int shift)
{
    return static_cast<std::uint8_t>((byte >> shift) & ((1 << width) - 1));
}

std::uint8_t channelByte(int coupling, int invert, int on, int volts)
{
    return bits(coupling, 2, 6) | bits(invert, 1, 5) | bits(on, 1, 4) | bits(volts, 4, 0);
}

void putWord(std::uint8_t* out, std::uint16_t w)
{
    out[0] = static_cast<std::uint8_t>(w & 0xFF);
    out[1] = static_cast<std::uint8_t>(w >> 8);
}

std::uint16_t getWord(const std::uint8_t* in)
{
    return static_cast<std::uint16_t>(in[0] | (in[1] << 8));
}

// A plain 16-bit value travels as its two's complement.
std::uint16_t plainWord(std::int16_t v)
{
    return static_cast<std::uint16_t>(v);
}

std::int16_t positionOrPlain(std::uint16_t word, float firmware)
{
    return positionFromWire(word, firmware);
}

}  // namespace

std::uint8_t clampToByte(int value)
{
    return static_cast<std::uint8_t>(std::clamp(value, 0, 255));
}

void decodeMainBlock(ProgramState& s, const MainBlock& b)
{
    DdfSettings& d = s.ddf;
    d.ch1Coupling = field(b[0], 2, 6);
    d.ch1Invert = field(b[0], 1, 5);
    d.ch1On = field(b[0], 1, 4);
    d.ch1VoltsIndex = field(b[0], 4, 0);
    d.ch2Coupling = field(b[1], 2, 6);
    d.ch2Invert = field(b[1], 1, 5);
    d.ch2On = field(b[1], 1, 4);
    d.ch2VoltsIndex = field(b[1], 4, 0);
    d.trigAlternate = field(b[2], 1, 7);
    d.bandwidthLimit = field(b[2], 1, 5);
    d.verChop = field(b[2], 1, 4);
    d.verAdd = field(b[2], 1, 3);
    d.trigSource = field(b[2], 2, 0);
    d.singleShot = field(b[3], 1, 5);
    d.tbAIndex = field(b[3], 5, 0);
    d.trigSlopeB = field(b[4], 1, 7);
    d.trigDelayOn = field(b[4], 1, 6);
    d.tbBIndex = field(b[4], 5, 0);
    d.componentTester = field(b[5], 1, 7);
    d.xyMode = field(b[5], 1, 6);
    d.xMag10 = field(b[5], 1, 5);
    d.digitalMode = field(b[5], 1, 4);
    d.peakDetect = field(b[5], 1, 3);
    d.timebaseMode = field(b[5], 3, 0);
    d.trigSlopeA = field(b[6], 1, 7);
    d.trigLevelRelative = field(b[6], 1, 5);
    d.trigMode = field(b[6], 1, 4);
    d.trigCoupling = field(b[6], 3, 0);
    d.ref2On = field(b[7], 1, 7);
    d.ref1On = field(b[7], 1, 6);
    d.pretriggerIndex = field(b[7], 3, 3);
    d.storageMode = field(b[7], 3, 0);
    d.ch2Variable = b[8];
    d.ch1Variable = b[9];
    d.traceSeparation = b[10];
    d.ddfByte12 = b[11];
    d.tbAIntensity = b[12];
    d.tbBIntensity = b[13];

    if (firmwareAtLeast(s.identity.firmwareVersion, kProbeBitsFirmware)) {
        d.ch1ProbeFactor = field(b[2], 1, 6) ? 10 : 1;
        d.ch2ProbeFactor = field(b[2], 1, 2) ? 10 : 1;
    }
    if (s.identity.analogModel == 1) d.pretriggerIndex = 3;  // analog-only: always 0 %
    if (d.xyMode == 1) {
        // XY display needs both channels' waveforms; the panel's choice is kept aside.
        d.savedCh1On = d.ch1On;
        d.savedCh2On = d.ch2On;
        d.ch1On = 1;
        d.ch2On = 1;
    }
    if (!s.caps.unitNotbb && d.timebaseMode == 2) {
        // The A-and-B view: the reference memories then carry the time-base B traces.
        s.tbB.tbBWindowOn = 1;
        d.ref1On = d.ch1On;
        d.ref2On = d.ch2On;
    } else {
        s.tbB.tbBWindowOn = 0;
    }
}

MainBlock encodeMainBlock(ProgramState& s)
{
    DdfSettings& d = s.ddf;
    if (d.xyMode == 1) {
        d.ch1On = d.savedCh1On;
        d.ch2On = d.savedCh2On;
    }
    MainBlock b{};
    b[0] = channelByte(d.ch1Coupling, d.ch1Invert, d.ch1On, d.ch1VoltsIndex);
    b[1] = channelByte(d.ch2Coupling, d.ch2Invert, d.ch2On, d.ch2VoltsIndex);
    b[2] = bits(d.trigAlternate, 1, 7) | bits(d.bandwidthLimit, 1, 5) | bits(d.verChop, 1, 4) |
           bits(d.verAdd, 1, 3) | bits(d.trigSource, 2, 0);
    if (firmwareAtLeast(s.identity.firmwareVersion, kProbeBitsFirmware)) {
        // Only a factor of exactly 10 has a bit; 100 travels like 1.
        if (d.ch1ProbeFactor == 10) b[2] |= 0x40;
        if (d.ch2ProbeFactor == 10) b[2] |= 0x04;
    }
    d.verModeByte = b[2];
    b[3] = bits(d.singleShot, 1, 5) | bits(d.tbAIndex, 5, 0);
    b[4] = bits(d.trigSlopeB, 1, 7) | bits(d.trigDelayOn, 1, 6) | bits(d.tbBIndex, 5, 0);
    // "A and B both on" is a panel value; the instrument knows it as the A-and-B display.
    if (d.timebaseMode == 1) d.timebaseMode = 2;
    b[5] = bits(d.componentTester, 1, 7) | bits(d.xyMode, 1, 6) | bits(d.xMag10, 1, 5) |
           bits(d.digitalMode, 1, 4) | bits(d.peakDetect, 1, 3) | bits(d.timebaseMode, 3, 0);
    b[6] = bits(d.trigSlopeA, 1, 7) | bits(d.trigLevelRelative, 1, 5) | bits(d.trigMode, 1, 4) |
           bits(d.trigCoupling, 3, 0);
    // While the time-base B window is on, the reference bits stay clear on the wire.
    const std::uint8_t refs =
        s.tbB.tbBWindowOn != 0 ? 0 : (bits(d.ref2On, 1, 7) | bits(d.ref1On, 1, 6));
    b[7] = refs | bits(d.pretriggerIndex, 3, 3) | bits(d.storageMode, 3, 0);
    b[8] = d.ch2Variable;
    b[9] = d.ch1Variable;
    b[10] = d.traceSeparation;
    b[11] = d.ddfByte12;
    b[12] = d.tbAIntensity;
    b[13] = d.tbBIntensity;
    return b;
}

std::uint16_t positionToWire(int fieldValue, float firmwareVersion)
{
    if (!firmwareAbove(firmwareVersion, kTenthPositionsFirmware))
        return static_cast<std::uint16_t>(fieldValue);
    const int w = std::clamp(fieldValue - 511, -511, 512) * 10;
    return static_cast<std::uint16_t>(w < 0 ? w + 65536 : w);
}

std::int16_t positionFromWire(std::uint16_t word, float firmwareVersion)
{
    if (!firmwareAbove(firmwareVersion, kTenthPositionsFirmware)) return asSigned16(word);
    const double x = roundHalfEven(asSigned16(word) / 10.0);
    return static_cast<std::int16_t>(std::clamp(static_cast<int>(x), -511, 512) + 511);
}

void decodeDdf1(ProgramState& s, const Ddf1Block& b)
{
    const float fw = s.identity.firmwareVersion;
    DdfSettings& d = s.ddf;
    d.trigLevelA = asSigned16(getWord(&b[0]));
    d.tbAVariable = asSigned16(getWord(&b[2]));
    d.horPosition = positionOrPlain(getWord(&b[4]), fw);
    d.ch2Position = positionOrPlain(getWord(&b[6]), fw);
    d.ch1Position = positionOrPlain(getWord(&b[8]), fw);
    d.trigLevelB = asSigned16(getWord(&b[10]));
    d.tbBVariable = asSigned16(getWord(&b[12]));
    d.delayPosition = asSigned16(getWord(&b[14]));
}

Ddf1Block encodeDdf1(const ProgramState& s)
{
    const float fw = s.identity.firmwareVersion;
    const DdfSettings& d = s.ddf;
    Ddf1Block b{};
    putWord(&b[0], plainWord(d.trigLevelA));
    putWord(&b[2], plainWord(d.tbAVariable));
    putWord(&b[4], positionToWire(d.horPosition, fw));
    putWord(&b[6], positionToWire(d.ch2Position, fw));
    putWord(&b[8], positionToWire(d.ch1Position, fw));
    putWord(&b[10], plainWord(d.trigLevelB));
    putWord(&b[12], plainWord(d.tbBVariable));
    putWord(&b[14], plainWord(d.delayPosition));
    return b;
}

void decodeReadoutBlock(ProgramState& s, const ReadoutBlock& b)
{
    const float fw = s.identity.firmwareVersion;
    DdfSettings& d = s.ddf;
    d.readoutIntensity = b[0];
    d.readoutBit7 = field(b[1], 1, 7);
    d.readoutBit6 = field(b[1], 1, 6);
    d.readoutBit5 = field(b[1], 1, 5);
    d.readoutBit4 = field(b[1], 1, 4);
    d.readoutBit3 = field(b[1], 1, 3);
    d.readoutBit2 = field(b[1], 1, 2);
    d.readoutBit1 = field(b[1], 1, 1);
    d.readoutBit0 = field(b[1], 1, 0);
    d.readoutValue1 = positionOrPlain(getWord(&b[2]), fw);
    d.readoutValue2 = positionOrPlain(getWord(&b[4]), fw);
    d.readoutValue3 = positionOrPlain(getWord(&b[6]), fw);
    d.readoutValue4 = positionOrPlain(getWord(&b[8]), fw);
}

ReadoutBlock encodeReadoutBlock(const ProgramState& s)
{
    const float fw = s.identity.firmwareVersion;
    const DdfSettings& d = s.ddf;
    ReadoutBlock b{};
    b[0] = d.readoutIntensity;
    b[1] = bits(d.readoutBit7, 1, 7) | bits(d.readoutBit6, 1, 6) | bits(d.readoutBit5, 1, 5) |
           bits(d.readoutBit4, 1, 4) | bits(d.readoutBit3, 1, 3) | bits(d.readoutBit2, 1, 2) |
           bits(d.readoutBit1, 1, 1) | bits(d.readoutBit0, 1, 0);
    putWord(&b[2], positionToWire(d.readoutValue1, fw));
    putWord(&b[4], positionToWire(d.readoutValue2, fw));
    putWord(&b[6], positionToWire(d.readoutValue3, fw));
    putWord(&b[8], positionToWire(d.readoutValue4, fw));
    return b;
}

void storeDdf2Byte(ProgramState& s, std::size_t index, std::uint8_t value)
{
    if (index < 8) s.ddf.ddf2Data[index + 1] = value;
}

void finishDdf2(ProgramState& s)
{
    const auto word =
        static_cast<std::uint16_t>((s.ddf.ddf2Data[7] & 0xFF) | ((s.ddf.ddf2Data[8] & 0xFF) << 8));
    s.ddf.pretriggerPosition = asSigned16(word);
}

Ddf2Block prepareDdf2(ProgramState& s)
{
    DdfSettings& d = s.ddf;
    // The position travels as a signed 16-bit number; a wider one is held at its limit.
    const int position = std::clamp<std::int32_t>(d.pretriggerPosition, -32768, 32767);
    const auto word = static_cast<std::uint16_t>(position < 0 ? position + 65536 : position);
    d.ddf2Data[7] = static_cast<std::int16_t>(word & 0xFF);
    d.ddf2Data[8] = static_cast<std::int16_t>(word >> 8);
    d.ddf2Data[2] = d.storageMode;
    d.ddf2Data[1] = clampToByte(d.averageIndex);
    d.ddf2Data[4] = static_cast<std::int16_t>((d.ref2On & 1) * 2 + (d.ref1On & 1));
    Ddf2Block b{};
    for (std::size_t i = 0; i < 8; ++i) b[i] = clampToByte(d.ddf2Data[i + 1]);
    return b;
}

void storeMeasDdfByte(ProgramState& s, std::size_t index, std::uint8_t value)
{
    if (index < 22) s.ddf.measDdfData[index + 1] = value;
}

void finishMeasDdf(ProgramState& s)
{
    s.ddf.readoutIntensity = s.ddf.measDdfData[1];
}

MeasDdfBlock prepareMeasDdf(ProgramState& s)
{
    s.ddf.measDdfData[1] = s.ddf.readoutIntensity;
    MeasDdfBlock b{};
    for (std::size_t i = 0; i < 22; ++i) b[i] = s.ddf.measDdfData[i + 1];
    return b;
}

}  // namespace ql
