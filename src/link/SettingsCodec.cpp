#include "SettingsCodec.h"

#include <algorithm>
#include <type_traits>

#include "state/Numeric.h"

namespace ql {

namespace {

using D = DdfSettings;
constexpr WireForm kPosition = WireForm::Position;
constexpr WireForm kSentOnly = WireForm::SentOnly;

// "ddf": the main block. A new setting of the front panel takes a row here and one in the
// settings file (src/files/SettingsBlock.cpp).
const BlockField kMainFields[] = {{&D::ch1Coupling, 0, 2, 6},     {&D::ch1Invert, 0, 1, 5},
                                  {&D::ch1On, 0, 1, 4},           {&D::ch1VoltsIndex, 0, 4, 0},
                                  {&D::ch2Coupling, 1, 2, 6},     {&D::ch2Invert, 1, 1, 5},
                                  {&D::ch2On, 1, 1, 4},           {&D::ch2VoltsIndex, 1, 4, 0},
                                  {&D::trigAlternate, 2, 1, 7},   {&D::bandwidthLimit, 2, 1, 5},
                                  {&D::verChop, 2, 1, 4},         {&D::verAdd, 2, 1, 3},
                                  {&D::trigSource, 2, 2, 0},      {&D::singleShot, 3, 1, 5},
                                  {&D::tbAIndex, 3, 5, 0},        {&D::trigSlopeB, 4, 1, 7},
                                  {&D::trigDelayOn, 4, 1, 6},     {&D::tbBIndex, 4, 5, 0},
                                  {&D::componentTester, 5, 1, 7}, {&D::xyMode, 5, 1, 6},
                                  {&D::xMag10, 5, 1, 5},          {&D::digitalMode, 5, 1, 4},
                                  {&D::peakDetect, 5, 1, 3},      {&D::timebaseMode, 5, 3, 0},
                                  {&D::trigSlopeA, 6, 1, 7},      {&D::trigLevelRelative, 6, 1, 5},
                                  {&D::trigMode, 6, 1, 4},        {&D::trigCoupling, 6, 3, 0},
                                  {&D::ref2On, 7, 1, 7},          {&D::ref1On, 7, 1, 6},
                                  {&D::pretriggerIndex, 7, 3, 3}, {&D::storageMode, 7, 3, 0},
                                  {&D::ch2Variable, 8, 8},        {&D::ch1Variable, 9, 8},
                                  {&D::traceSeparation, 10, 8},   {&D::ddfByte12, 11, 8},
                                  {&D::tbAIntensity, 12, 8},      {&D::tbBIntensity, 13, 8}};

const BlockField kDdf1Fields[] = {{&D::trigLevelA, 0, 16},
                                  {&D::tbAVariable, 2, 16},
                                  {&D::horPosition, 4, 16, 0, kPosition},
                                  {&D::ch2Position, 6, 16, 0, kPosition},
                                  {&D::ch1Position, 8, 16, 0, kPosition},
                                  {&D::trigLevelB, 10, 16},
                                  {&D::tbBVariable, 12, 16},
                                  {&D::delayPosition, 14, 16}};

const BlockField kReadoutFields[] = {{&D::readoutIntensity, 0, 8},
                                     {&D::readoutBit7, 1, 1, 7},
                                     {&D::readoutBit6, 1, 1, 6},
                                     {&D::readoutBit5, 1, 1, 5},
                                     {&D::readoutBit4, 1, 1, 4},
                                     {&D::readoutBit3, 1, 1, 3},
                                     {&D::readoutBit2, 1, 1, 2},
                                     {&D::readoutBit1, 1, 1, 1},
                                     {&D::readoutBit0, 1, 1, 0},
                                     {&D::readoutValue1, 2, 16, 0, kPosition},
                                     {&D::readoutValue2, 4, 16, 0, kPosition},
                                     {&D::readoutValue3, 6, 16, 0, kPosition},
                                     {&D::readoutValue4, 8, 16, 0, kPosition}};

// The other bytes of "ddf2" are the instrument's own; averaging, storage mode and the
// references come back through "avrnm?" and "ddf?".
const BlockField kDdf2Fields[] = {{&D::averageIndex, 0, 8, 0, kSentOnly},
                                  {&D::storageMode, 1, 8, 0, kSentOnly},
                                  {&D::ref1On, 3, 1, 0, kSentOnly},
                                  {&D::ref2On, 3, 1, 1, kSentOnly},
                                  {&D::pretriggerPosition, 6, 16}};

// The other bytes of "measddf" are the instrument's own.
const BlockField kMeasDdfFields[] = {{&D::readoutIntensity, 0, 8}};

const BlockLayout kLayouts[] = {
    {"ddf", std::tuple_size_v<MainBlock>, kMainFields},
    {"ddf1", std::tuple_size_v<Ddf1Block>, kDdf1Fields},
    {"roddf", std::tuple_size_v<ReadoutBlock>, kReadoutFields},
    {"ddf2", std::tuple_size_v<Ddf2Block>, kDdf2Fields},
    {"measddf", std::tuple_size_v<MeasDdfBlock>, kMeasDdfFields},
};

// The main block's byte that "vermode=" repeats on its own.
constexpr std::size_t kVerModeByte = 2;

int valueOf(const DdfSettings& d, const DdfMember& member)
{
    return std::visit([&](auto m) { return static_cast<int>(d.*m); }, member);
}

void assign(DdfSettings& d, const DdfMember& member, int value)
{
    std::visit([&](auto m) { d.*m = static_cast<std::remove_cvref_t<decltype(d.*m)>>(value); },
               member);
}

std::size_t bytesOf(const BlockField& f)
{
    return f.width == 16 ? 2 : 1;
}

// Fills the rows into the block; the bytes they touch are cleared first, the others keep what
// the block held.
void encodeFields(std::span<std::uint8_t> block, std::span<const BlockField> fields,
                  const DdfSettings& d, float firmware)
{
    for (const BlockField& f : fields) std::fill_n(&block[f.byte], bytesOf(f), 0);
    for (const BlockField& f : fields) {
        const int value = valueOf(d, f.member);
        if (f.width == 16) {
            // A signed 16-bit number; a wider one is held at its limit.
            const std::uint16_t word =
                f.form == kPosition
                    ? positionToWire(value, firmware)
                    : static_cast<std::uint16_t>(std::clamp<int>(value, INT16_MIN, INT16_MAX));
            block[f.byte] = static_cast<std::uint8_t>(word & 0xFF);
            block[f.byte + 1] = static_cast<std::uint8_t>(word >> 8);
        } else {
            const int bits = f.width == 8 ? clampToByte(value) : value & ((1 << f.width) - 1);
            block[f.byte] |= static_cast<std::uint8_t>(bits << f.shift);
        }
    }
}

void decodeFields(std::span<const std::uint8_t> block, std::span<const BlockField> fields,
                  DdfSettings& d, float firmware)
{
    for (const BlockField& f : fields) {
        if (f.form == kSentOnly) continue;
        if (f.width == 16) {
            const auto word = static_cast<std::uint16_t>(block[f.byte] | (block[f.byte + 1] << 8));
            assign(d, f.member,
                   f.form == kPosition ? positionFromWire(word, firmware) : asSigned16(word));
        } else {
            assign(d, f.member, (block[f.byte] >> f.shift) & ((1 << f.width) - 1));
        }
    }
}

// An opaque block as stored (element 0 unused).
template <typename Block, typename Stored>
Block storedBlock(const Stored& stored)
{
    Block b{};
    for (std::size_t i = 0; i < b.size(); ++i) b[i] = clampToByte(stored[i + 1]);
    return b;
}

// The stored copy of an opaque block takes the bytes that carry a setting, as sent.
template <typename Block, typename Stored>
void keepSentBytes(Stored& stored, const Block& sent, std::span<const BlockField> fields)
{
    for (const BlockField& f : fields)
        for (std::size_t i = f.byte; i < f.byte + bytesOf(f); ++i) stored[i + 1] = sent[i];
}

}  // namespace

std::span<const BlockLayout> blockLayouts()
{
    return kLayouts;
}

std::uint8_t clampToByte(int value)
{
    return static_cast<std::uint8_t>(std::clamp(value, 0, 255));
}

void decodeMainBlock(ProgramState& s, const MainBlock& b)
{
    DdfSettings& d = s.ddf;
    decodeFields(b, kMainFields, d, s.identity.firmwareVersion);
    if (firmwareAtLeast(s.identity.firmwareVersion, kProbeBitsFirmware))
        for (const ProbeBit& p : kProbeBits) d.*p.factor = (b[p.byte] >> p.shift) & 1 ? 10 : 1;
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

void prepareForSet(ProgramState& s)
{
    DdfSettings& d = s.ddf;
    if (d.xyMode == 1) {
        // XY switched both channels on for its display only; the panel's choice is sent.
        d.ch1On = d.savedCh1On;
        d.ch2On = d.savedCh2On;
    }
    // "A and B both on" is a panel value; the instrument knows it as the A-and-B display.
    if (d.timebaseMode == 1) d.timebaseMode = 2;
    d.verModeByte = encodeMainBlock(s)[kVerModeByte];
    keepSentBytes(d.ddf2Data, encodeDdf2(s), kDdf2Fields);
    keepSentBytes(d.measDdfData, encodeMeasDdf(s), kMeasDdfFields);
}

MainBlock encodeMainBlock(const ProgramState& s)
{
    DdfSettings d = s.ddf;
    if (s.tbB.tbBWindowOn != 0) {
        d.ref1On = 0;
        d.ref2On = 0;
    }
    MainBlock b{};
    encodeFields(b, kMainFields, d, s.identity.firmwareVersion);
    if (firmwareAtLeast(s.identity.firmwareVersion, kProbeBitsFirmware))
        for (const ProbeBit& p : kProbeBits)
            if (d.*p.factor == 10) b[p.byte] |= static_cast<std::uint8_t>(1 << p.shift);
    return b;
}

Ddf1Block encodeDdf1(const ProgramState& s)
{
    Ddf1Block b{};
    encodeFields(b, kDdf1Fields, s.ddf, s.identity.firmwareVersion);
    return b;
}

ReadoutBlock encodeReadoutBlock(const ProgramState& s)
{
    ReadoutBlock b{};
    encodeFields(b, kReadoutFields, s.ddf, s.identity.firmwareVersion);
    return b;
}

Ddf2Block encodeDdf2(const ProgramState& s)
{
    Ddf2Block b = storedBlock<Ddf2Block>(s.ddf.ddf2Data);
    encodeFields(b, kDdf2Fields, s.ddf, s.identity.firmwareVersion);
    return b;
}

MeasDdfBlock encodeMeasDdf(const ProgramState& s)
{
    MeasDdfBlock b = storedBlock<MeasDdfBlock>(s.ddf.measDdfData);
    encodeFields(b, kMeasDdfFields, s.ddf, s.identity.firmwareVersion);
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
    decodeFields(b, kDdf1Fields, s.ddf, s.identity.firmwareVersion);
}

void decodeReadoutBlock(ProgramState& s, const ReadoutBlock& b)
{
    decodeFields(b, kReadoutFields, s.ddf, s.identity.firmwareVersion);
}

void storeDdf2Byte(ProgramState& s, std::size_t index, std::uint8_t value)
{
    if (index < 8) s.ddf.ddf2Data[index + 1] = value;
}

void finishDdf2(ProgramState& s)
{
    decodeFields(storedBlock<Ddf2Block>(s.ddf.ddf2Data), kDdf2Fields, s.ddf,
                 s.identity.firmwareVersion);
}

void storeMeasDdfByte(ProgramState& s, std::size_t index, std::uint8_t value)
{
    if (index < 22) s.ddf.measDdfData[index + 1] = value;
}

void finishMeasDdf(ProgramState& s)
{
    decodeFields(storedBlock<MeasDdfBlock>(s.ddf.measDdfData), kMeasDdfFields, s.ddf,
                 s.identity.firmwareVersion);
}

bool fitsSettingsBlocks(const DdfSettings& d)
{
    for (const BlockLayout& layout : kLayouts)
        for (const BlockField& f : layout.fields) {
            const int v = valueOf(d, f.member);
            const bool fits =
                f.width == 16 ? v >= INT16_MIN && v <= INT16_MAX : v >= 0 && v < (1 << f.width);
            if (!fits) return false;
        }
    return true;
}

}  // namespace ql
