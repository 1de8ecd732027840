// The measurement and settings blocks byte for byte against their documented layouts: every
// field is given a value of its own, then looked for at its offset; reading the same bytes
// back must put every value into its own field.
#include <gtest/gtest.h>

#include <bit>
#include <functional>
#include <variant>
#include <vector>

#include "DataFileTestSupport.h"
#include "files/ByteReader.h"
#include "files/DataFileCodec.h"
#include "files/MeasurementBlock.h"
#include "files/SettingsBlock.h"

using namespace ql;
using namespace ql::test;

namespace {

using U8Ref = std::function<byte&(ProgramState&)>;
using I16Ref = std::function<std::int16_t&(ProgramState&)>;
using I32Ref = std::function<std::int32_t&(ProgramState&)>;
using F32Ref = std::function<float&(ProgramState&)>;

struct Field {
    Field(std::size_t at, const char* field, std::variant<U8Ref, I16Ref, I32Ref, F32Ref> access)
        : offset(at), name(field), ref(std::move(access))
    {
    }
    std::size_t offset;
    const char* name;
    std::variant<U8Ref, I16Ref, I32Ref, F32Ref> ref;
    bool storedAsByte = false;  // a 16-bit field of the state kept in one byte
};

// clang-format off
#define U8(at, member) Field(at, #member, U8Ref([](ProgramState& s) -> byte& { return s.member; }))
#define I16(at, member) \
    Field(at, #member, I16Ref([](ProgramState& s) -> std::int16_t& { return s.member; }))
#define I32(at, member) \
    Field(at, #member, I32Ref([](ProgramState& s) -> std::int32_t& { return s.member; }))
#define F32(at, member) \
    Field(at, #member, F32Ref([](ProgramState& s) -> float& { return s.member; }))
// clang-format on

// The "set6 " block, offsets from the block start (text fields are checked on their own).
const std::vector<Field>& settingsFields()
{
    static const std::vector<Field> fields = [] {
        std::vector<Field> f = {
            I32(5, ddf.pretriggerPosition),
            U8(9, fft.fftWindowCode),
            U8(10, fft.fftLogFlag),
            U8(11, fft.fftZoomCode),
            U8(12, harm.harmWindowCode),
            U8(13, harm.harmMaxHold),
            U8(14, harm.harmSpanCode),
            F32(175, harm.harmVoltsPerAmp),
            F32(179, harm.harmLineFreq),
            U8(183, harm.harmAutoFreq),
            U8(184, harm.obwActive),
            U8(185, ddf.bandwidthLimit),
            U8(186, identity.analogModel),
            U8(187, tbB.tbBWindowOn),
            I16(188, ddf.readoutBit1),
            I16(190, ddf.readoutBit5),
            I16(192, ddf.readoutBit7),
            F32(224, identity.firmwareVersion),
            I16(228, storage.setupSlot),
            U8(229, ddf.ch1Coupling),
            U8(230, ddf.ch1Invert),
            U8(231, ddf.ch1On),
            U8(232, ddf.ch1VoltsIndex),
            U8(233, ddf.ch2Coupling),
            U8(234, ddf.ch2Invert),
            U8(235, ddf.ch2On),
            U8(236, ddf.ch2VoltsIndex),
            U8(237, ddf.trigAlternate),
            U8(238, ddf.verChop),
            U8(239, ddf.verAdd),
            U8(240, ddf.trigSource),
            U8(241, ddf.singleShot),
            U8(242, ddf.tbAIndex),
            U8(243, ddf.trigSlopeB),
            U8(244, ddf.trigDelayOn),
            U8(245, ddf.tbBIndex),
            U8(246, ddf.componentTester),
            U8(247, ddf.xyMode),
            U8(248, ddf.xMag10),
            U8(249, ddf.digitalMode),
            U8(250, ddf.timebaseMode),
            U8(251, ddf.trigSlopeA),
            U8(252, ddf.trigLevelRelative),
            U8(253, ddf.trigMode),
            U8(254, ddf.trigCoupling),
            U8(255, ddf.ref2On),
            U8(256, ddf.ref1On),
            U8(257, ddf.pretriggerIndex),
            U8(258, ddf.storageMode),
            U8(259, ddf.ch2Variable),
            U8(260, ddf.ch1Variable),
            U8(261, ddf.traceSeparation),
            U8(262, ddf.ddfByte12),
            U8(263, ddf.tbAIntensity),
            U8(264, ddf.tbBIntensity),
            I16(265, ddf.trigLevelA),
            I16(267, ddf.tbAVariable),
            I16(269, ddf.horPosition),
            I16(271, ddf.ch2Position),
            I16(273, ddf.ch1Position),
            I16(275, ddf.trigLevelB),
            I16(277, ddf.tbBVariable),
            I16(279, ddf.delayPosition),
            U8(281, ddf.readoutIntensity),
            U8(282, ddf.readoutBit6),
            U8(283, ddf.readoutBit4),
            U8(284, ddf.readoutBit3),
            U8(285, ddf.readoutBit2),
            U8(286, ddf.readoutBit0),
            I16(287, ddf.readoutValue1),
            I16(289, ddf.readoutValue2),
            I16(291, ddf.readoutValue3),
            I16(293, ddf.readoutValue4),
            I16(295, ddf.ch1ProbeFactor),
            I16(297, ddf.ch2ProbeFactor),
            I16(299, ddf.averageIndex),
            I16(1101, cursor.cursor1Pos),
            I16(1103, cursor.cursor2Pos),
            U8(1105, storage.holdWaveform),
            U8(1166, print.printChI),
            U8(1167, print.printChII),
            U8(1168, print.printRefI),
            U8(1169, print.printRefII),
            U8(1170, print.printCursors),
            U8(1171, print.printNotes),
            U8(1172, print.printXY),
            U8(1173, print.printMeasTime),
            U8(1174, print.printColor),
        };
        for (Field& field : f)
            if (field.offset == 228) field.storedAsByte = true;
        return f;
    }();
    return fields;
}

struct TextField {
    std::size_t offset, width;
    const char* value;
};
// Text fields of the "set6 " block with the value each gets.
const std::vector<TextField> kSettingsTexts = {
    {15, 80, "Limit definition name"},
    {95, 80, "Harmonics headline"},
    {194, 10, "TX226-2"},
    {204, 20, "V1.23 FC1.23"},
    {301, 800, "  notes with leading blanks"},
    {1106, 60, "Print headline"},
};

// A value of its own for every field, taken from its offset.
int byteValue(std::size_t offset)
{
    return static_cast<int>(offset % 256);
}
int wordValue(std::size_t offset)
{
    return static_cast<int>(offset) * 3 - 2000;
}
constexpr std::int32_t kLongValue = -123456789;
float floatValue(std::size_t offset)
{
    return static_cast<float>(offset) + 0.5f;
}

void give(ProgramState& s, const Field& f)
{
    std::visit(
        [&](const auto& ref) {
            using R = std::decay_t<decltype(ref)>;
            if constexpr (std::is_same_v<R, U8Ref>) ref(s) = static_cast<byte>(byteValue(f.offset));
            if constexpr (std::is_same_v<R, I16Ref>)
                ref(s) = static_cast<std::int16_t>(f.storedAsByte ? byteValue(f.offset)
                                                                  : wordValue(f.offset));
            if constexpr (std::is_same_v<R, I32Ref>) ref(s) = kLongValue;
            if constexpr (std::is_same_v<R, F32Ref>) ref(s) = floatValue(f.offset);
        },
        f.ref);
}

std::size_t width(const Field& f)
{
    if (f.storedAsByte || std::holds_alternative<U8Ref>(f.ref)) return 1;
    return std::holds_alternative<I16Ref>(f.ref) ? 2 : 4;
}

// The field's value as the documented bytes hold it.
void expectAt(const std::string& bytes, const Field& f, std::size_t base)
{
    const std::size_t at = base + f.offset;
    SCOPED_TRACE(std::string(f.name) + " at " + std::to_string(f.offset));
    if (std::holds_alternative<U8Ref>(f.ref) || f.storedAsByte) {
        EXPECT_EQ(u8At(bytes, at), byteValue(f.offset));
    } else if (std::holds_alternative<I16Ref>(f.ref)) {
        EXPECT_EQ(i16At(bytes, at), wordValue(f.offset));
    } else if (std::holds_alternative<I32Ref>(f.ref)) {
        EXPECT_EQ(i32At(bytes, at), kLongValue);
    } else {
        EXPECT_EQ(u32At(bytes, at), std::bit_cast<std::uint32_t>(floatValue(f.offset)));
    }
}

// The field's value as the state holds it after reading.
void expectIn(ProgramState& s, const Field& f)
{
    SCOPED_TRACE(std::string(f.name) + " at " + std::to_string(f.offset));
    std::visit(
        [&](const auto& ref) {
            using R = std::decay_t<decltype(ref)>;
            if constexpr (std::is_same_v<R, U8Ref>) {
                EXPECT_EQ(ref(s), byteValue(f.offset));
            } else if constexpr (std::is_same_v<R, I16Ref>) {
                EXPECT_EQ(ref(s), f.storedAsByte ? byteValue(f.offset) : wordValue(f.offset));
            } else if constexpr (std::is_same_v<R, I32Ref>) {
                EXPECT_EQ(ref(s), kLongValue);
            } else {
                EXPECT_EQ(std::bit_cast<std::uint32_t>(ref(s)),
                          std::bit_cast<std::uint32_t>(floatValue(f.offset)));
            }
        },
        f.ref);
}

ProgramState distinctSettingsState()
{
    ProgramState s;
    for (const Field& f : settingsFields()) give(s, f);
    s.harm.harmLimitName.assign(kSettingsTexts[0].value);
    s.harm.harmPrintHeadline.assign(kSettingsTexts[1].value);
    s.identity.modelName.assign(kSettingsTexts[2].value);
    s.identity.firmwareText.assign(kSettingsTexts[3].value);
    s.notesText.assign(kSettingsTexts[4].value);
    s.print.printHeadline.assign(kSettingsTexts[5].value);
    return s;
}

std::string padded(const char* text, std::size_t n)
{
    std::string s(text);
    return s + std::string(n - s.size(), ' ');
}

}  // namespace

TEST(SettingsBlockLayout, TheDocumentedFieldsCoverTheBlockExactlyOnce)
{
    std::vector<int> uses(kSettingsBlockSize, 0);
    for (std::size_t i = 0; i < 5; ++i) ++uses[i];  // tag
    for (const Field& f : settingsFields())
        for (std::size_t i = 0; i < width(f); ++i) ++uses.at(f.offset + i);
    for (const TextField& t : kSettingsTexts)
        for (std::size_t i = 0; i < t.width; ++i) ++uses.at(t.offset + i);
    for (std::size_t i = 0; i < uses.size(); ++i) EXPECT_EQ(uses[i], 1) << "byte " << i;
}

TEST(SettingsBlockLayout, EveryFieldIsWrittenAtItsOffset)
{
    const std::string bytes = encodeSettingsFile(distinctSettingsState());
    ASSERT_EQ(bytes.size(), 1175u);
    EXPECT_EQ(bytes.substr(0, 5), "set6 ");
    for (const Field& f : settingsFields()) expectAt(bytes, f, 0);
    for (const TextField& t : kSettingsTexts)
        EXPECT_EQ(bytes.substr(t.offset, t.width), padded(t.value, t.width)) << t.offset;
}

TEST(SettingsBlockLayout, ReadingPutsEveryValueIntoItsOwnField)
{
    const std::string bytes = encodeSettingsFile(distinctSettingsState());
    ProgramState read;
    DataFileFields fields = DataFileFields::from(read);
    ByteReader in(bytes);
    in.skip(5);
    ASSERT_TRUE(readSettingsFields(in, SettingsLayout::Set6, fields));
    EXPECT_EQ(in.position(), bytes.size());
    // Applying keeps the harmonics-window flag of the running program; look at the raw copy.
    EXPECT_EQ(fields.harm.obwActive, 184);
    fields.applyTo(read);
    read.harm.obwActive = fields.harm.obwActive;
    for (const Field& f : settingsFields()) expectIn(read, f);
    EXPECT_EQ(read.identity.modelName.bytes(), padded("TX226-2", 10));
    EXPECT_EQ(read.notesText.bytes(), padded(kSettingsTexts[4].value, 800));
    EXPECT_EQ(read.print.printHeadline.bytes(), padded("Print headline", 60));
}

TEST(SettingsBlockLayout, ASetupSlotBeyondOneByteIsHeldAtItsLimit)
{
    ProgramState s = distinctSettingsState();
    s.storage.setupSlot = 300;
    EXPECT_EQ(u8At(encodeSettingsFile(s), 228), 255);
    s.storage.setupSlot = -4;
    EXPECT_EQ(u8At(encodeSettingsFile(s), 228), 0);
}

namespace {

// Sample i of waveform w (0 CH I, 1 CH II, 2 REF I, 3 REF II): distinct across all four.
int sampleValue(int w, int i)
{
    return w * 2051 + i - 4000;
}
Waveform& wave(ProgramState& s, int w)
{
    WaveformSet& set = s.waves;
    return w == 0 ? set.waveCh1 : w == 1 ? set.waveCh2 : w == 2 ? set.waveRef1 : set.waveRef2;
}

ProgramState distinctMeasurementState()
{
    ProgramState s;
    s.preamble = WfmPreamble{-301, 302, -303, 304, -305};
    for (int w = 0; w < 4; ++w) {
        wave(s, w)[0] = 9999;  // element 0 is not stored
        for (int i = 1; i <= 2050; ++i)
            wave(s, w)[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(sampleValue(w, i));
    }
    s.storage.ref1Pos = -77;
    s.storage.ref2Pos = 66;
    s.stamp.waveTime.assign("09:08:07");
    s.stamp.waveDate.assign("01.02.03");
    return s;
}

}  // namespace

TEST(MeasurementBlockLayout, EveryFieldIsWrittenAtItsOffset)
{
    const std::string file = encodeMeasurementFile(distinctMeasurementState());
    ASSERT_EQ(file.size(), 17624u);
    const std::string bytes = file.substr(0, 16449);
    EXPECT_EQ(bytes.substr(0, 5), "mes1 ");
    const int preamble[] = {-301, 302, -303, 304, -305};
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(i16At(bytes, 5 + 2 * k), preamble[k]) << k;
        EXPECT_EQ(i16At(bytes, 16415 + 2 * k), preamble[k]) << k;
    }
    const std::size_t starts[] = {15, 4115, 8215, 12315};
    for (int w = 0; w < 4; ++w)
        for (int i = 1; i <= 2050; ++i)
            ASSERT_EQ(i16At(bytes, starts[w] + 2 * (i - 1)), sampleValue(w, i)) << w << " " << i;
    EXPECT_EQ(i16At(bytes, 16425), -77);
    EXPECT_EQ(i16At(bytes, 16427), 66);
    EXPECT_EQ(bytes.substr(16429, 10), "09:08:07  ");
    EXPECT_EQ(bytes.substr(16439, 10), "01.02.03  ");
    EXPECT_EQ(file.substr(16449, 5), "set6 ");
}

TEST(MeasurementBlockLayout, ReadingTakesTheSecondPreambleCopyAndLeavesElementZero)
{
    std::string bytes = encodeMeasurementFile(distinctMeasurementState()).substr(0, 16449);
    for (int k = 0; k < 5; ++k) putI16(bytes, 16415 + 2 * k, 1000 + k);
    ProgramState s;
    s.waves.waveRef2[0] = 4242;
    DataFileFields f = DataFileFields::from(s);
    ByteReader in(bytes);
    in.skip(5);
    ASSERT_TRUE(readMeasurementFields(in, f));
    EXPECT_EQ(in.position(), bytes.size());
    EXPECT_EQ(f.preamble.wfmTrigPos, 1000);
    EXPECT_EQ(f.preamble.wfmPre2, 1001);
    EXPECT_EQ(f.preamble.wfmPre3, 1002);
    EXPECT_EQ(f.preamble.ch1ZeroOffset, 1003);
    EXPECT_EQ(f.preamble.ch2ZeroOffset, 1004);
    f.applyTo(s);
    for (int w = 0; w < 4; ++w)
        for (int i = 1; i <= 2050; ++i)
            ASSERT_EQ(wave(s, w)[static_cast<std::size_t>(i)], sampleValue(w, i));
    EXPECT_EQ(s.waves.waveRef2[0], 4242);
    EXPECT_EQ(s.storage.ref1Pos, -77);
    EXPECT_EQ(s.storage.ref2Pos, 66);
    EXPECT_EQ(s.stamp.waveDate.bytes(), "01.02.03  ");
}
