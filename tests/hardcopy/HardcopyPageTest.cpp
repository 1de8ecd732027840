// The page around the views: frame and text rows per target, the magnified and XY frames, the
// headline, the notes, and damaged settings, which must neither reach the device as unusable
// numbers nor change the state.

#include <gtest/gtest.h>

#include <limits>
#include <type_traits>

#include "HardcopyRig.h"

using namespace ql;
using namespace ql::test;

TEST(HardcopyPage, FrameAndTextRowsOfEachTarget)
{
    struct Case {
        const HardcopyTarget& target;
        double top, bottom, timeRow, dateRow, statusRow;
    };
    for (const Case& c : {Case{kPrinterHardcopy, 308, -147, 256.4375, 249.328125, 237.109375},
                          Case{kPreviewHardcopy, 308, -172, 258, 250.5, 235.5},
                          Case{kMetafileHardcopy, 258, -12, 254, 247.5, 237.75}}) {
        const auto r = render(hardcopyState(), c.target);
        const UserScale frame = r->surface.userScale();
        EXPECT_EQ(frame.left, -300);
        EXPECT_EQ(frame.left + frame.width, 2300);
        EXPECT_EQ(frame.top, c.top);
        EXPECT_EQ(frame.top + frame.height, c.bottom);
        EXPECT_EQ(r->text("Measure time").x, 0);
        EXPECT_EQ(r->text("Measure time").y, c.timeRow);
        EXPECT_EQ(r->text("Measure date").y, c.dateRow);
        EXPECT_EQ(r->text("CH1: ").y, c.statusRow);
    }
    // The file just stored is named on the printer only, and only when the caller gives it.
    ProgramState s = hardcopyState();
    s.autoStore.autoStoreActive = 1;
    EXPECT_EQ(render(s, kPrinterHardcopy, {}, "run00007.mes")->text("Measure time").text,
              "Measure time: 12:34:56   run00007.mes");
    EXPECT_EQ(render(s, kPreviewHardcopy, {}, "run00007.mes")->text("Measure time").text,
              "Measure time: 12:34:56");
    EXPECT_EQ(render(s, kPrinterHardcopy)->text("Measure time").text, "Measure time: 12:34:56");
    s.print.printMeasTime = 0;
    EXPECT_EQ(render(s, kPrinterHardcopy)->text("Measure").text, "");
}

TEST(HardcopyPage, MagnifiedAndXyFrames)
{
    struct Case {
        byte xMag10, printXY, ch2On;
        std::int16_t scroll;
        double left, right;
        std::vector<double> fineLines;
    };
    const Case cases[] = {
        {1,
         0,
         1,
         1000,
         970,
         1230,
         {1000, 1020, 1040, 1060, 1080, 1100, 1120, 1140, 1160, 1180, 1200}},
        {1, 0, 1, 1010, 980, 1240, {1020, 1040, 1060, 1080, 1100, 1120, 1140, 1160, 1180, 1200}},
        {0, 1, 1, 1000, -39, 293, {}},
        {0, 1, 0, 1000, -300, 2300, {}},  // XY asked for with CH II off: the time view
    };
    for (const Case& c : cases) {
        ProgramState s = hardcopyState();
        s.ddf.xMag10 = c.xMag10;
        s.print.printXY = c.printXY;
        s.ddf.ch2On = c.ch2On;
        s.screen.scrollValue = c.scroll;
        s.ddf.horPosition = 600;
        const auto r = render(s, kPrinterHardcopy);
        EXPECT_EQ(r->surface.userScale().left, c.left);
        EXPECT_EQ(r->surface.userScale().left + r->surface.userScale().width, c.right);
        std::vector<double> fine;  // the frame's lines come before the first text
        for (const DrawOp& op : r->device.ops()) {
            if (op.kind == DrawOp::Kind::Text) break;
            if (op.kind == DrawOp::Kind::Line) fine.push_back(r->x(op.points[0].x));
        }
        EXPECT_EQ(fine, c.fineLines) << c.scroll;
        EXPECT_EQ(s.ddf.horPosition, 600);
        EXPECT_EQ(r->text("CH1: ").text.empty(), c.printXY == 1 && c.ch2On == 1);
    }
}

TEST(HardcopyPage, HeadlineCentredByColumns)
{
    struct Case {
        const HardcopyTarget& target;
        std::size_t typed, printed;
        double x;
    };
    const Case cases[] = {
        {kPrinterHardcopy, 10, 10, 36 * 2000 / 80},  // (79 - 10) / 2 = 34.5 goes to 34
        {kPreviewHardcopy, 10, 10, 37 * 2000 / 79.0},
        {kPrinterHardcopy, 61, 60, 12 * 2000 / 80},  // (79 - 60) / 2 = 9.5 goes to 10
        {kPreviewHardcopy, 61, 60, 12 * 2000 / 79.0},
    };
    for (const Case& c : cases) {
        ProgramState s = hardcopyState();
        s.print.printHeadline.assign(std::string(c.typed, 'h'));
        const auto texts = render(s, c.target)->texts();
        EXPECT_EQ(texts[0].text, std::string(c.printed, 'h'));
        EXPECT_NEAR(texts[0].x, c.x, 0.5);
        EXPECT_EQ(texts[0].y, 280);
        EXPECT_TRUE(texts[0].font.bold);
        EXPECT_FALSE(texts[1].font.bold);
    }
    ProgramState s = hardcopyState();
    s.print.printHeadline.assign("Headline");
    EXPECT_EQ(render(s, kMetafileHardcopy)->text("Headline").text, "");
    // The preview's font follows its width, 6 pt per 640 pixels, and is at least 1 pt.
    EXPECT_EQ(render(s, kPreviewHardcopy, DeviceSize{1280, 900})->texts()[0].font.points, 12);
    EXPECT_EQ(render(s, kPreviewHardcopy, DeviceSize{30, 900})->texts()[0].font.points, 1);
    EXPECT_TRUE(render(s, kPreviewHardcopy, DeviceSize{0, 900})->device.ops().empty());
}

TEST(HardcopyPage, NotesAsTyped)
{
    struct Case {
        std::string notes;
        std::vector<std::string> rows;
    };
    const Case cases[] = {
        {"first\r\nsecond", {"first", "second"}},
        {"first\rsecond", {"firstsecond"}},
        {"first\nsecond\n", {"first", "second"}},
        {"Gr\xfc\xdf"
         "e",
         {"Gr\u00fc\u00dfe"}},  // stored in Windows-1252
        {"", {}},
    };
    for (const Case& c : cases) {
        ProgramState s = hardcopyState();
        s.notesText.assignBytes(c.notes);
        s.ddf.xMag10 = 1;
        s.screen.scrollValue = 1010;
        const auto texts = render(s, kPrinterHardcopy)->texts();
        std::size_t at = 0;
        while (at + 1 < texts.size() && texts[at].text != "Notes:") ++at;
        EXPECT_EQ(texts[at].text, "Notes:");
        EXPECT_EQ(texts[at].y, -25);
        EXPECT_TRUE(texts[at].font.underline);
        std::vector<std::string> rows;
        for (std::size_t i = at + 1; i < texts.size(); ++i) {
            rows.push_back(texts[i].text);
            EXPECT_EQ(texts[i].x, 1010);
            EXPECT_LT(texts[i].y, texts[i - 1].y);
            EXPECT_FALSE(texts[i].font.underline);
        }
        EXPECT_EQ(rows, c.rows) << c.notes;
    }
    ProgramState s = hardcopyState();
    EXPECT_EQ(render(s, kMetafileHardcopy)->text("Notes:").text, "");
    s.print.printNotes = 0;
    EXPECT_EQ(render(s, kPrinterHardcopy)->text("Notes:").text, "");
}

namespace {

// The bytes of every group of the state, as they lie in memory or, for the arrays that live
// on the heap and the strings, by content.
template <typename... Groups>
std::string bytesOf(const Groups&... groups)
{
    static_assert((std::is_trivially_copyable_v<Groups> && ...));
    std::string out;
    (out.append(reinterpret_cast<const char*>(&groups), sizeof groups), ...);
    return out;
}

std::string stateBytes(const ProgramState& s)
{
    std::string out = bytesOf(
        s.ddf, s.caps, s.identity, s.link, s.busy, s.waves, s.preamble, s.stamp, s.tables,
        s.tbRange, s.trigStatus, s.trigCal, s.trigMark, s.trgPos, s.storage, s.tbB, s.screen,
        s.cursor, s.screenMarks, s.zoom, s.zoomMarks, s.measure, s.fft, s.harm, s.print, s.layout,
        s.user, s.notesText, s.language, s.parDefaultsGenerated, s.parReservedText,
        s.harmTest.harmAverageCount, s.harmTest.harmFundamentalLevel, s.harmTest.harmPeakBin,
        s.harmTest.harmOverallResult, s.harmTest.harmSweptGeneration, s.harmTest.harmSweepRmsVolts,
        s.exportTarget.exportToFile, s.autoStore.autoStoreActive, s.autoStore.autoStoreTimed,
        s.autoStore.autoStorePrint, s.autoStore.autoStoreAsTable, s.autoStore.autoStoreMinutes,
        s.autoStore.autoStoreCounter, s.autoStore.autoStoreNextTime);
    for (const auto* v :
         {&s.fftBuf.fftSamples, &s.fftBuf.fftImagIn, &s.fftBuf.fftRealOut, &s.fftBuf.fftImagOut,
          &s.fftBuf.spectrumCh1, &s.fftBuf.spectrumCh2, &s.harmTest.harmAvgSpectrum})
        out.append(reinterpret_cast<const char*>(v->data()), v->size() * sizeof(double));
    return out + s.exportTarget.exportFileName + '\0' + s.helpFile + '\0' + s.currentFileName +
           '\0' + s.autoStore.autoStorePrefix;
}

}  // namespace

TEST(HardcopyPage, DamagedSettingsDrawWhatTheyCanAndChangeNothing)
{
    static constexpr std::int16_t lo = std::numeric_limits<std::int16_t>::min();
    static constexpr std::int16_t hi = std::numeric_limits<std::int16_t>::max();
    const std::function<void(ProgramState&)> damages[] = {
        [](ProgramState& s) { s.ddf.ch1VoltsIndex = s.ddf.ch2VoltsIndex = 255; },
        [](ProgramState& s) { s.ddf.tbAIndex = s.ddf.tbBIndex = 255, s.tbB.tbBWindowOn = 1; },
        [](ProgramState& s) { s.ddf.horPosition = lo, s.ddf.timebaseMode = 255; },
        [](ProgramState& s) { s.ddf.horPosition = hi, s.ddf.trigSource = 255; },
        [](ProgramState& s) { s.screen.scrollValue = hi, s.ddf.xMag10 = 1; },
        [](ProgramState& s) { s.screen.scrollValue = lo, s.ddf.xMag10 = 1; },
        [](ProgramState& s) { s.preamble.ch1ZeroOffset = s.preamble.ch2ZeroOffset = hi; },
        [](ProgramState& s) { s.storage.ref1Pos = lo, s.storage.ref2Pos = hi; },
        [](ProgramState& s) { s.tbB.tbBWindowOn = 1, s.ddf.traceSeparation = 255; },
        [](ProgramState& s) { s.preamble.wfmTrigPos = lo, s.ddf.pretriggerIndex = 255; },
        [](ProgramState& s) { s.screenMarks.screenOldCursor1 = lo, s.cursor.cursor2Pos = hi; },
        [](ProgramState& s) { s.screenMarks.screenOldLevelB2 = hi, s.ddf.trigCoupling = 255; },
        [](ProgramState& s) { s.ddf.ch1Coupling = 255, s.caps.unitPtVariabel = true; },
        [](ProgramState& s) { fillWave(s.waves.waveCh1, [](int i) { return i % 2 ? hi : lo; }); },
        [](ProgramState& s) { s.print.printXY = 1, s.waves.waveCh2.fill(lo); },
        [](ProgramState& s) { s.print.printXY = 1, s.screen.xyVectors = 1, s.ddf.tbAIndex = 29; },
    };
    for (const auto& damage : damages) {
        ProgramState s = hardcopyState();
        s.print.printColor = 1;
        s.ddf.ref2On = 1;
        damage(s);
        const std::string before = stateBytes(s);
        for (const HardcopyTarget* target :
             {&kPrinterHardcopy, &kPreviewHardcopy, &kMetafileHardcopy}) {
            const auto r = render(s, *target, DeviceSize{900, 700});
            EXPECT_FALSE(r->device.ops().empty());
            for (const DrawOp& op : r->device.ops())
                EXPECT_TRUE(std::isfinite(op.font.points) && op.font.points > 0);
            EXPECT_EQ(stateBytes(s), before);
        }
    }
}
