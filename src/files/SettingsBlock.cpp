#include "SettingsBlock.h"

#include <algorithm>
#include <cstdint>

#include "FieldStreams.h"

namespace ql {

namespace {

// The head after the tag. Each older layout is a subset of the newest in the same order.
template <typename Fields, typename State>
void headFields(Fields& f, State& s, SettingsLayout layout)
{
    const bool set6 = layout == SettingsLayout::Set6;
    const bool set5 = set6 || layout == SettingsLayout::Set5;
    const bool set4 = set5 || layout == SettingsLayout::Set4;
    const bool set3 = set4 || layout == SettingsLayout::Set3;
    const bool set2 = set3 || layout == SettingsLayout::Set2;
    if (set6) f.i32(s.ddf.pretriggerPosition);
    if (set5) {
        f.u8(s.fft.fftWindowCode);
        f.u8(s.fft.fftLogFlag);
        f.u8(s.fft.fftZoomCode);
        f.u8(s.harm.harmWindowCode);
        f.u8(s.harm.harmMaxHold);
        f.u8(s.harm.harmSpanCode);
        f.text(s.harm.harmLimitName);
        f.text(s.harm.harmPrintHeadline);
        f.f32(s.harm.harmVoltsPerAmp);
        f.f32(s.harm.harmLineFreq);
        f.u8(s.harm.harmAutoFreq);
        f.u8(s.harm.obwActive);
    }
    if (set4) {
        f.u8(s.ddf.bandwidthLimit);
        f.u8(s.identity.analogModel);
    }
    if (set3) f.u8(s.tbB.tbBWindowOn);
    if (set2) {
        f.i16(s.ddf.readoutBit1);
        f.i16(s.ddf.readoutBit5);
        f.i16(s.ddf.readoutBit7);
    }
}

// The common tail. Its order is not the order of the state's groups: REF II before REF I,
// CH II variable before CH I, and the readout flags 6, 4, 3, 2, 0 (1, 5 and 7 are in the head).
template <typename Fields, typename State>
void tailFields(Fields& f, State& s)
{
    auto& d = s.ddf;
    f.text(s.identity.modelName);
    f.text(s.identity.firmwareText);
    f.f32(s.identity.firmwareVersion);
    f.u8Wide(s.storage.setupSlot);
    f.u8(d.ch1Coupling);
    f.u8(d.ch1Invert);
    f.u8(d.ch1On);
    f.u8(d.ch1VoltsIndex);
    f.u8(d.ch2Coupling);
    f.u8(d.ch2Invert);
    f.u8(d.ch2On);
    f.u8(d.ch2VoltsIndex);
    f.u8(d.trigAlternate);
    f.u8(d.verChop);
    f.u8(d.verAdd);
    f.u8(d.trigSource);
    f.u8(d.singleShot);
    f.u8(d.tbAIndex);
    f.u8(d.trigSlopeB);
    f.u8(d.trigDelayOn);
    f.u8(d.tbBIndex);
    f.u8(d.componentTester);
    f.u8(d.xyMode);
    f.u8(d.xMag10);
    f.u8(d.digitalMode);
    f.u8(d.timebaseMode);
    f.u8(d.trigSlopeA);
    f.u8(d.trigLevelRelative);
    f.u8(d.trigMode);
    f.u8(d.trigCoupling);
    f.u8(d.ref2On);
    f.u8(d.ref1On);
    f.u8(d.pretriggerIndex);
    f.u8(d.storageMode);
    f.u8(d.ch2Variable);
    f.u8(d.ch1Variable);
    f.u8(d.traceSeparation);
    f.u8(d.ddfByte12);
    f.u8(d.tbAIntensity);
    f.u8(d.tbBIntensity);
    f.i16(d.trigLevelA);
    f.i16(d.tbAVariable);
    f.i16(d.horPosition);
    f.i16(d.ch2Position);
    f.i16(d.ch1Position);
    f.i16(d.trigLevelB);
    f.i16(d.tbBVariable);
    f.i16(d.delayPosition);
    f.u8(d.readoutIntensity);
    f.u8(d.readoutBit6);
    f.u8(d.readoutBit4);
    f.u8(d.readoutBit3);
    f.u8(d.readoutBit2);
    f.u8(d.readoutBit0);
    f.i16(d.readoutValue1);
    f.i16(d.readoutValue2);
    f.i16(d.readoutValue3);
    f.i16(d.readoutValue4);
    f.i16(d.ch1ProbeFactor);
    f.i16(d.ch2ProbeFactor);
    f.i16(d.averageIndex);
    f.text(s.notesText);
    f.i16(s.cursor.cursor1Pos);
    f.i16(s.cursor.cursor2Pos);
    f.u8(s.storage.holdWaveform);
    auto& p = s.print;
    f.text(p.printHeadline);
    f.u8(p.printChI);
    f.u8(p.printChII);
    f.u8(p.printRefI);
    f.u8(p.printRefII);
    f.u8(p.printCursors);
    f.u8(p.printNotes);
    f.u8(p.printXY);
    f.u8(p.printMeasTime);
    f.u8(p.printColor);
}

bool within(int value, int lo, int hi)
{
    return value >= lo && value <= hi;
}
bool fitsBits(int value, int width)
{
    return within(value, 0, (1 << width) - 1);
}

}  // namespace

SettingsLayout settingsLayoutOf(std::string_view tag)
{
    if (tag == "set6 ") return SettingsLayout::Set6;
    if (tag == "set5 ") return SettingsLayout::Set5;
    if (tag == "set4 ") return SettingsLayout::Set4;
    if (tag == "set3 ") return SettingsLayout::Set3;
    if (tag == "set2 ") return SettingsLayout::Set2;
    return SettingsLayout::Foreign;
}

std::size_t settingsBlockSize(SettingsLayout layout)
{
    std::size_t head = 0;
    switch (layout) {
        case SettingsLayout::Set6: head = 189; break;
        case SettingsLayout::Set5: head = 185; break;
        case SettingsLayout::Set4: head = 9; break;
        case SettingsLayout::Set3: head = 7; break;
        case SettingsLayout::Set2: head = 6; break;
        case SettingsLayout::Foreign: head = 0; break;
    }
    return kBlockTagSize + head + kSettingsTailSize;
}

void writeSettingsBlock(ByteWriter& out, const ProgramState& s)
{
    out.writeBytes(kSettingsTag);
    FieldWriter put{out};
    headFields(put, s, SettingsLayout::Set6);
    tailFields(put, s);
}

bool readSettingsFields(ByteReader& in, SettingsLayout layout, DataFileFields& f)
{
    FieldReader get{in};
    headFields(get, f, layout);
    tailFields(get, f);
    return !in.failed();
}

bool settingsFieldsInRange(const DataFileFields& f)
{
    const DdfSettings& d = f.ddf;
    // Bit groups of the instrument's main settings block, by width.
    for (int flag : {d.ch1Invert,
                     d.ch1On,
                     d.ch2Invert,
                     d.ch2On,
                     d.trigAlternate,
                     d.bandwidthLimit,
                     d.verChop,
                     d.verAdd,
                     d.singleShot,
                     d.trigSlopeB,
                     d.trigDelayOn,
                     d.componentTester,
                     d.xyMode,
                     d.xMag10,
                     d.digitalMode,
                     d.trigSlopeA,
                     d.trigLevelRelative,
                     d.trigMode,
                     d.ref2On,
                     d.ref1On})
        if (!fitsBits(flag, 1)) return false;
    for (int group : {d.ch1Coupling, d.ch2Coupling, d.trigSource})
        if (!fitsBits(group, 2)) return false;
    for (int group : {d.timebaseMode, d.trigCoupling, d.pretriggerIndex, d.storageMode})
        if (!fitsBits(group, 3)) return false;
    // The volts/div and time-base steps also index their scale tables.
    for (int step : {d.ch1VoltsIndex, d.ch2VoltsIndex})
        if (!fitsBits(step, 4)) return false;
    for (int step : {d.tbAIndex, d.tbBIndex})
        if (!fitsBits(step, 5)) return false;
    // The readout block's flag byte.
    for (int flag :
         {int{d.readoutBit0}, int{d.readoutBit1}, int{d.readoutBit2}, int{d.readoutBit3},
          int{d.readoutBit4}, int{d.readoutBit5}, int{d.readoutBit6}, int{d.readoutBit7}})
        if (!fitsBits(flag, 1)) return false;
    // The averaging step indexes the table of average counts; the pre-trigger position
    // travels to the instrument as a 16-bit word.
    const int lastAverageStep = static_cast<int>(ScaleTables{}.averageSteps.size()) - 1;
    if (!within(d.averageIndex, 0, lastAverageStep)) return false;
    return within(d.pretriggerPosition, INT16_MIN, INT16_MAX);
}

void clampCursorPositions(DataFileFields& f)
{
    const auto clampPosition = [](std::int16_t v) {
        return static_cast<std::int16_t>(std::clamp<int>(v, kFirstSample, kLastShownSample));
    };
    f.cursor.cursor1Pos = clampPosition(f.cursor.cursor1Pos);
    f.cursor.cursor2Pos = clampPosition(f.cursor.cursor2Pos);
}

}  // namespace ql
