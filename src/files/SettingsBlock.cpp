#include "SettingsBlock.h"

#include <algorithm>
#include <cstdint>

#include "FieldStreams.h"
#include "link/SettingsCodec.h"

namespace ql {

namespace {

// The head after the tag, the fields in file order. Each older layout is a subset of the newest
// in the same order. A setting that travels in the instrument's blocks is range-checked by its
// row there.
template <typename Fields, typename State>
void headFields(Fields& f, State& s, SettingsLayout layout)
{
    const auto since = [layout](SettingsLayout first) { return layout <= first; };
    if (since(SettingsLayout::Set6)) f.i32(s.ddf.pretriggerPosition);
    if (since(SettingsLayout::Set5)) {
        for (auto* v : {&s.fft.fftWindowCode, &s.fft.fftLogFlag, &s.fft.fftZoomCode,
                        &s.harm.harmWindowCode, &s.harm.harmMaxHold, &s.harm.harmSpanCode})
            f.u8(*v);
        f.text(s.harm.harmLimitName);
        f.text(s.harm.harmPrintHeadline);
        f.f32(s.harm.harmVoltsPerAmp);
        f.f32(s.harm.harmLineFreq);
        f.u8(s.harm.harmAutoFreq);
        f.u8(s.harm.obwActive);
    }
    if (since(SettingsLayout::Set4)) {
        f.u8(s.ddf.bandwidthLimit);
        f.u8(s.identity.analogModel);
    }
    if (since(SettingsLayout::Set3)) f.u8(s.tbB.tbBWindowOn);
    if (since(SettingsLayout::Set2))
        for (auto* v : {&s.ddf.readoutBit1, &s.ddf.readoutBit5, &s.ddf.readoutBit7}) f.i16(*v);
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
    for (auto* v : {&d.ch1Coupling,     &d.ch1Invert,       &d.ch1On,        &d.ch1VoltsIndex,
                    &d.ch2Coupling,     &d.ch2Invert,       &d.ch2On,        &d.ch2VoltsIndex,
                    &d.trigAlternate,   &d.verChop,         &d.verAdd,       &d.trigSource,
                    &d.singleShot,      &d.tbAIndex,        &d.trigSlopeB,   &d.trigDelayOn,
                    &d.tbBIndex,        &d.componentTester, &d.xyMode,       &d.xMag10,
                    &d.digitalMode,     &d.timebaseMode,    &d.trigSlopeA,   &d.trigLevelRelative,
                    &d.trigMode,        &d.trigCoupling,    &d.ref2On,       &d.ref1On,
                    &d.pretriggerIndex, &d.storageMode,     &d.ch2Variable,  &d.ch1Variable,
                    &d.traceSeparation, &d.ddfByte12,       &d.tbAIntensity, &d.tbBIntensity})
        f.u8(*v);
    for (auto* v : {&d.trigLevelA, &d.tbAVariable, &d.horPosition, &d.ch2Position, &d.ch1Position,
                    &d.trigLevelB, &d.tbBVariable, &d.delayPosition})
        f.i16(*v);
    for (auto* v : {&d.readoutIntensity, &d.readoutBit6, &d.readoutBit4, &d.readoutBit3,
                    &d.readoutBit2, &d.readoutBit0})
        f.u8(*v);
    for (auto* v : {&d.readoutValue1, &d.readoutValue2, &d.readoutValue3, &d.readoutValue4,
                    &d.ch1ProbeFactor, &d.ch2ProbeFactor, &d.averageIndex})
        f.i16(*v);
    f.text(s.notesText);
    f.i16(s.cursor.cursor1Pos);
    f.i16(s.cursor.cursor2Pos);
    f.u8(s.storage.holdWaveform);
    auto& p = s.print;
    f.text(p.printHeadline);
    for (auto* v : {&p.printChI, &p.printChII, &p.printRefI, &p.printRefII, &p.printCursors,
                    &p.printNotes, &p.printXY, &p.printMeasTime, &p.printColor})
        f.u8(*v);
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
    // As long as the fields of a block written in that layout.
    static const DataFileFields any{};
    ByteWriter out;
    FieldWriter put{out};
    headFields(put, any, layout);
    tailFields(put, any);
    return kBlockTagSize + out.size();
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
    // Every setting the instrument's blocks carry fits its place there (the volts/div and
    // time-base steps, which index their scale tables, among them); the averaging step indexes
    // the table of average counts.
    const int lastAverageStep = static_cast<int>(ScaleTables{}.averageSteps.size()) - 1;
    return fitsSettingsBlocks(f.ddf) && f.ddf.averageIndex >= 0 &&
           f.ddf.averageIndex <= lastAverageStep;
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
