// Loading measurement and settings files: all or nothing, whatever the file holds.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <string>
#include <vector>

#include "DataFileTestSupport.h"
#include "TempFolder.h"
#include "files/DataFileCodec.h"
#include "files/DataFileOperations.h"
#include "state/InitProgramState.h"

using namespace ql;
using namespace ql::test;

namespace {

// Everything a file can change, as bytes: equal bytes mean the state's file fields are equal.
std::string fileFields(const ProgramState& s)
{
    return encodeMeasurementFile(s);
}

ProgramState freshState()
{
    ProgramState s;
    initProgramState(s, "/tmp");
    s.identity.modelName.assign("TA100");
    return s;
}

const std::vector<std::string> kPanelRefreshes = {"refresh ChannelPanel", "refresh TimebasePanel",
                                                  "refresh TriggerPanel", "refresh IntensityPanel",
                                                  "refresh StoragePanel"};

class DataFileLoad : public ::testing::Test {
protected:
    TempFolder dir{"dataload"};
    ProgramState state = freshState();
    RecordingHost host;
    NoInstrument instrument{state, host};

    bool load(const std::string& bytes, DataFileKind kind, const std::string& name = "f.mes")
    {
        writeFile(dir.file(name), bytes);
        host.clear();
        return loadDataFileAt(state, host, instrument.identification(), dir.file(name), kind);
    }

    // A failed load: one "File Error" and nothing else, the state as it was.
    void expectRejected(const std::string& bytes, DataFileKind kind)
    {
        const std::string before = fileFields(state);
        const ModelCaps capsBefore = state.caps;
        const byte noData = state.screen.noDataYet;
        EXPECT_FALSE(load(bytes, kind));
        ASSERT_EQ(host.events.size(), 1u);
        EXPECT_EQ(host.events[0], "message: File Error | Load Datas");
        EXPECT_EQ(fileFields(state), before);
        EXPECT_EQ(state.caps.unitNotbb, capsBefore.unitNotbb);
        EXPECT_EQ(state.caps.unitAnalog, capsBefore.unitAnalog);
        EXPECT_EQ(state.screen.noDataYet, noData);
    }
};

}  // namespace

TEST_F(DataFileLoad, AMeasurementFileBringsBackEveryStoredFieldAndUpdatesTheProgram)
{
    const ProgramState saved = savableState();
    state.ddf.peakDetect = 1;
    state.harm.obwActive = 0;
    state.link.autoUpdate = 1;
    state.screen.scrollResyncPending = 0;
    state.currentFileName = "/data/run7.mes";
    ProgramState withOpenWindow = saved;
    withOpenWindow.harm.obwActive = 1;

    ASSERT_TRUE(load(encodeMeasurementFile(withOpenWindow), DataFileKind::Measurement));
    EXPECT_EQ(fileFields(state), fileFields(saved));
    EXPECT_EQ(state.harm.obwActive, 0) << "whether the harmonics window is open is not loaded";
    EXPECT_EQ(state.ddf.peakDetect, 1) << "not in the file";
    EXPECT_EQ(state.screen.noDataYet, 0);
    EXPECT_EQ(state.link.autoUpdate, 0);
    EXPECT_EQ(state.screen.scrollResyncPending, 1);
    // TX220 from the model table: digital, single time base.
    EXPECT_TRUE(state.caps.unitDigimodea);
    EXPECT_TRUE(state.caps.unitNotbb);
    EXPECT_FALSE(state.caps.unitAnalog);

    std::vector<std::string> expected = {
        "auto box: 0",
        "caption: TX220        V2.13 FC2.13           QL240E - V3.02   /data/run7.mes",
        "refresh ScreenWindow", "refresh CursorWindow"};
    expected.insert(expected.end(), kPanelRefreshes.begin(), kPanelRefreshes.end());
    EXPECT_EQ(host.events, expected);
}

TEST_F(DataFileLoad, OnlyALoadedMeasurementFileAdvancesTheWaveformGeneration)
{
    const ProgramState saved = savableState();
    ASSERT_TRUE(load(encodeMeasurementFile(saved), DataFileKind::Measurement));
    EXPECT_EQ(state.waves.generation, 1u);
    ASSERT_TRUE(load(encodeSettingsFile(saved), DataFileKind::Settings, "f.set"));
    EXPECT_EQ(state.waves.generation, 1u);
    expectRejected(encodeMeasurementFile(saved).substr(0, 100), DataFileKind::Measurement);
    EXPECT_EQ(state.waves.generation, 1u);
}

TEST_F(DataFileLoad, WithoutDigitalModeNoRedrawAndAnAnalogModelHasNoCursorRepaint)
{
    ProgramState saved = savableState();
    saved.ddf.digitalMode = 0;
    saved.identity.analogModel = 1;
    ASSERT_TRUE(load(encodeSettingsFile(saved), DataFileKind::Settings, "f.set"));
    std::vector<std::string> expected(host.events.begin() + 2, host.events.end());
    EXPECT_EQ(expected, kPanelRefreshes);
    EXPECT_EQ(host.countEvents("refresh ScreenWindow"), 0);
    EXPECT_EQ(host.countEvents("refresh CursorWindow"), 0);
}

TEST_F(DataFileLoad, AModelNameWithLeadingBlanksIsKeptLeftAligned)
{
    ProgramState saved = savableState();
    saved.identity.modelName.assignBytes("  TX220");
    ASSERT_TRUE(load(encodeSettingsFile(saved), DataFileKind::Settings, "f.set"));
    EXPECT_EQ(state.identity.modelName.bytes(), "TX220     ");
    EXPECT_TRUE(state.caps.unitNotbb);
}

TEST_F(DataFileLoad, AnUnknownModelLeavesTheCapabilitiesAsTheyWere)
{
    state.caps.unitPk = true;
    ProgramState saved = savableState();
    saved.identity.modelName.assign("NOSUCH");
    ASSERT_TRUE(load(encodeSettingsFile(saved), DataFileKind::Settings, "f.set"));
    EXPECT_TRUE(state.caps.unitPk);
    EXPECT_EQ(host.messages.size(), 0u);
}

TEST_F(DataFileLoad, OlderSettingsLayoutsSetOnlyTheHeadFieldsTheyHold)
{
    const ProgramState saved = savableState();
    const std::string set6 = encodeSettingsFile(saved);
    const std::string tail = set6.substr(194);
    // Each older head is a part of the newest, in the same order.
    struct Older {
        const char* tag;
        std::size_t headFrom;  // where its head starts inside the "set6 " block
    };
    for (const Older& older :
         {Older{"set5 ", 9}, Older{"set4 ", 185}, Older{"set3 ", 187}, Older{"set2 ", 188}}) {
        SCOPED_TRACE(older.tag);
        state = freshState();
        const ProgramState before = state;
        const std::string block =
            older.tag + set6.substr(older.headFrom, 194 - older.headFrom) + tail;
        ASSERT_TRUE(load(block, DataFileKind::Settings, "old.set"));

        // Always: the readout flags of the head and the whole tail.
        EXPECT_EQ(state.ddf.readoutBit1, saved.ddf.readoutBit1);
        EXPECT_EQ(state.ddf.readoutBit7, saved.ddf.readoutBit7);
        EXPECT_EQ(encodeSettingsFile(state).substr(194), tail);
        // Never from an older layout: the pre-trigger position.
        EXPECT_EQ(state.ddf.pretriggerPosition, before.ddf.pretriggerPosition);

        const std::string_view tag = older.tag;
        const bool hasAnalysis = tag == "set5 ";
        const bool hasModelFlags = hasAnalysis || tag == "set4 ";
        const bool hasWindow = hasModelFlags || tag == "set3 ";
        EXPECT_EQ(state.fft.fftWindowCode, (hasAnalysis ? saved : before).fft.fftWindowCode);
        EXPECT_EQ(state.harm.harmLimitName, (hasAnalysis ? saved : before).harm.harmLimitName);
        EXPECT_EQ(state.harm.harmLineFreq, (hasAnalysis ? saved : before).harm.harmLineFreq);
        EXPECT_EQ(state.ddf.bandwidthLimit, (hasModelFlags ? saved : before).ddf.bandwidthLimit);
        EXPECT_EQ(state.identity.analogModel,
                  (hasModelFlags ? saved : before).identity.analogModel);
        EXPECT_EQ(state.tbB.tbBWindowOn, (hasWindow ? saved : before).tbB.tbBWindowOn);
    }
}

TEST_F(DataFileLoad, AnyOtherSettingsTagIsReadAsTagAndTail)
{
    const std::string set6 = encodeSettingsFile(savableState());
    for (const char* tag : {"SET6 ", "set6x", "set7 ", "mes1 ", "\0\0\0\0\0"}) {
        SCOPED_TRACE(tag);
        state = freshState();
        const ProgramState before = state;
        const std::string block = std::string(tag, 5) + set6.substr(194);
        ASSERT_TRUE(load(block, DataFileKind::Settings, "foreign.set"));
        EXPECT_EQ(state.identity.modelName.bytes(), "TX220     ");  // bytes 5 to 14
        EXPECT_EQ(state.ddf.readoutBit1, before.ddf.readoutBit1);
        EXPECT_EQ(state.harm.harmLimitName, before.harm.harmLimitName);
    }
}

TEST_F(DataFileLoad, AMeasurementFileWithoutItsTagKeepsTheWaveformsAndReadsSettingsAtByteFive)
{
    const ProgramState saved = savableState();
    const WaveformSet wavesBefore = state.waves;
    const std::string file = "MES1 " + encodeSettingsFile(saved);
    ASSERT_TRUE(load(file, DataFileKind::Measurement));
    EXPECT_EQ(state.waves.waveCh1, wavesBefore.waveCh1);
    EXPECT_EQ(state.waves.waveRef2, wavesBefore.waveRef2);
    EXPECT_EQ(encodeSettingsFile(state), encodeSettingsFile(saved));
}

TEST_F(DataFileLoad, EveryShorterLengthIsRejectedAndChangesNothing)
{
    const ProgramState saved = savableState();
    const std::string set6 = encodeSettingsFile(saved);
    struct Case {
        std::string bytes;
        DataFileKind kind;
    };
    const std::vector<Case> cases = {
        {encodeMeasurementFile(saved), DataFileKind::Measurement},
        {"xxxxx" + set6, DataFileKind::Measurement},
        {set6, DataFileKind::Settings},
        {"set5 " + set6.substr(9), DataFileKind::Settings},
        {"set4 " + set6.substr(185), DataFileKind::Settings},
        {"set3 " + set6.substr(187), DataFileKind::Settings},
        {"set2 " + set6.substr(188), DataFileKind::Settings},
        {"abcde" + set6.substr(194), DataFileKind::Settings},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes.substr(0, 5) + " of " + std::to_string(c.bytes.size()));
        ASSERT_TRUE(parseDataFile(c.bytes, c.kind, state).has_value());
        for (std::size_t n = 0; n < c.bytes.size(); ++n)
            ASSERT_FALSE(parseDataFile(std::string_view(c.bytes).substr(0, n), c.kind, state)) << n;
        // Through the whole operation for a spread of lengths, the block edges included.
        for (std::size_t n : {std::size_t{0}, std::size_t{4}, std::size_t{5}, std::size_t{6},
                              c.bytes.size() / 2, c.bytes.size() - 982, c.bytes.size() - 1})
            expectRejected(c.bytes.substr(0, std::min(n, c.bytes.size() - 1)), c.kind);
    }
}

TEST_F(DataFileLoad, BytesBehindTheBlocksAreNotLookedAt)
{
    const ProgramState saved = savableState();
    ASSERT_TRUE(
        load(encodeSettingsFile(saved) + "trailing bytes", DataFileKind::Settings, "f.set"));
    EXPECT_EQ(encodeSettingsFile(state), encodeSettingsFile(saved));
}

namespace {

struct Hostile {
    const char* field;
    std::size_t offset;  // in a measurement file
    int width;
    std::vector<int> bad;
    int largestGood;
};

constexpr std::size_t kSet = 16449;  // the settings block of a measurement file

const std::vector<Hostile> kHostileFields = {
    {"ref1Pos", 16425, 2, {128, -129, 32767}, 127},
    {"ref2Pos", 16427, 2, {128, -129, -32768}, -128},
    {"pretriggerPosition", kSet + 5, 4, {32768, -32769, 2147483647}, 32767},
    {"bandwidthLimit", kSet + 185, 1, {2, 255}, 1},
    {"readoutBit1", kSet + 188, 2, {2, -1, 256}, 1},
    {"readoutBit5", kSet + 190, 2, {2, -1}, 1},
    {"readoutBit7", kSet + 192, 2, {2, -32768}, 1},
    {"ch1Coupling", kSet + 229, 1, {4, 255}, 3},
    {"ch1Invert", kSet + 230, 1, {2}, 1},
    {"ch1On", kSet + 231, 1, {2}, 1},
    {"ch1VoltsIndex", kSet + 232, 1, {16, 255}, 15},
    {"ch2Coupling", kSet + 233, 1, {4}, 3},
    {"ch2Invert", kSet + 234, 1, {2}, 1},
    {"ch2On", kSet + 235, 1, {2}, 1},
    {"ch2VoltsIndex", kSet + 236, 1, {16, 200}, 15},
    {"trigAlternate", kSet + 237, 1, {2}, 1},
    {"verChop", kSet + 238, 1, {2}, 1},
    {"verAdd", kSet + 239, 1, {2}, 1},
    {"trigSource", kSet + 240, 1, {4, 255}, 3},
    {"singleShot", kSet + 241, 1, {2}, 1},
    {"tbAIndex", kSet + 242, 1, {32, 255}, 31},
    {"trigSlopeB", kSet + 243, 1, {2}, 1},
    {"trigDelayOn", kSet + 244, 1, {2}, 1},
    {"tbBIndex", kSet + 245, 1, {32, 128}, 31},
    {"componentTester", kSet + 246, 1, {2}, 1},
    {"xyMode", kSet + 247, 1, {2}, 1},
    {"xMag10", kSet + 248, 1, {2}, 1},
    {"digitalMode", kSet + 249, 1, {2}, 1},
    {"timebaseMode", kSet + 250, 1, {8, 255}, 7},
    {"trigSlopeA", kSet + 251, 1, {2}, 1},
    {"trigLevelRelative", kSet + 252, 1, {2}, 1},
    {"trigMode", kSet + 253, 1, {2}, 1},
    {"trigCoupling", kSet + 254, 1, {8}, 7},
    {"ref2On", kSet + 255, 1, {2}, 1},
    {"ref1On", kSet + 256, 1, {2}, 1},
    {"pretriggerIndex", kSet + 257, 1, {8, 255}, 7},
    {"storageMode", kSet + 258, 1, {8}, 7},
    {"readoutBit6", kSet + 282, 1, {2}, 1},
    {"readoutBit4", kSet + 283, 1, {2}, 1},
    {"readoutBit3", kSet + 284, 1, {2}, 1},
    {"readoutBit2", kSet + 285, 1, {2}, 1},
    {"readoutBit0", kSet + 286, 1, {2, 255}, 1},
    {"averageIndex", kSet + 299, 2, {16, -1, 32767}, 15},
};

std::string patched(std::string bytes, const Hostile& h, int value)
{
    if (h.width == 1) putU8(bytes, h.offset, value);
    if (h.width == 2) putI16(bytes, h.offset, value);
    if (h.width == 4) putI32(bytes, h.offset, value);
    return bytes;
}

}  // namespace

TEST_F(DataFileLoad, AValueOutsideItsTableOrBitGroupRejectsTheWholeFile)
{
    const std::string good = encodeMeasurementFile(savableState());
    for (const Hostile& h : kHostileFields) {
        SCOPED_TRACE(h.field);
        for (int bad : h.bad) {
            SCOPED_TRACE(bad);
            expectRejected(patched(good, h, bad), DataFileKind::Measurement);
        }
        EXPECT_TRUE(parseDataFile(patched(good, h, h.largestGood), DataFileKind::Measurement, state)
                        .has_value());
    }
}

TEST_F(DataFileLoad, CodesThatTheAnalysisWindowsMapThemselvesStillLoad)
{
    // An old file may hold 0 here; the FFT and harmonics windows choose their default then.
    std::string file = encodeMeasurementFile(savableState());
    for (std::size_t offset : {kSet + 9, kSet + 11, kSet + 12, kSet + 14}) putU8(file, offset, 0);
    ASSERT_TRUE(load(file, DataFileKind::Measurement));
    EXPECT_EQ(state.fft.fftWindowCode, 0);
    EXPECT_EQ(state.harm.harmSpanCode, 0);
}

TEST_F(DataFileLoad, CursorPositionsAreHeldInsideTheShownSamples)
{
    std::string file = encodeSettingsFile(savableState());
    const std::pair<int, int> cases[] = {{0, 1},        {-5, 1}, {2047, 2046},
                                         {32767, 2046}, {1, 1},  {2046, 2046}};
    for (auto [stored, loaded] : cases) {
        putI16(file, 1101, stored);
        putI16(file, 1103, stored);
        ASSERT_TRUE(load(file, DataFileKind::Settings, "c.set"));
        EXPECT_EQ(state.cursor.cursor1Pos, loaded) << stored;
        EXPECT_EQ(state.cursor.cursor2Pos, loaded) << stored;
    }
}

TEST_F(DataFileLoad, AReadOnlyFileLoads)
{
    const ProgramState saved = savableState();
    writeFile(dir.file("ro.set"), encodeSettingsFile(saved));
    ::chmod(dir.file("ro.set").c_str(), 0444);
    PermissionsEnforced enforced;
    if (!enforced.ok()) GTEST_SKIP() << "cannot enforce permissions here";
    ASSERT_TRUE(loadDataFileAt(state, host, instrument.identification(), dir.file("ro.set"),
                               DataFileKind::Settings));
    EXPECT_EQ(encodeSettingsFile(state), encodeSettingsFile(saved));
}

TEST_F(DataFileLoad, AFileThatCannotBeReadIsOneFileError)
{
    const std::string before = fileFields(state);
    EXPECT_FALSE(loadDataFileAt(state, host, instrument.identification(), dir.file("none.mes"),
                                DataFileKind::Measurement));
    ASSERT_EQ(host.events.size(), 1u);
    EXPECT_EQ(host.events[0], "message: File Error | Load Datas");
    EXPECT_EQ(fileFields(state), before);
}
