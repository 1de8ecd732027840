// The FFT window's Print, Copy and Save buttons as the program connects them: the page of the
// chart shown, dated by the clock, on the printer or to the export target, with each failure
// told once, and a saved metafile that another program reads.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "AppRig.h"
#include "app/FftChartButtons.h"
#include "draw/RecordingClipboard.h"
#include "state/InitProgramState.h"
#include "state/RecordingFileDialogs.h"

namespace ql::testing {
namespace {

namespace fs = std::filesystem;

struct ButtonsRig {
    ButtonsRig()
    {
        initProgramState(state, folder.path);
        state.ddf.ch1On = state.ddf.ch2On = 1;
        state.ddf.tbAIndex = 13;  // 1 ms/div
        state.fft.fftSpan = 1024;
        state.fft.fftLogFlag = 1;
        // CH I: 1 V at line 100, silent lines elsewhere (the log view floors them).
        state.fftBuf.spectrumCh1[100] = 1000.0;
        state.fft.fftMaxLevelCh1 = 1000.0;
        FftChartView& ch1 = window.chart(FftTab::Ch1);
        ch1.printEnabled = true;
        ch1.cells.maxVolts = "1.000V";
        ch1.cells.maxDbv = "0.0dBV";
        ch1.cells.maxFrequency = "9.77kHz";
        ch1.cells.dcLevel = "0.000V";
        window.titleEdited(FftTab::Ch1, "Pump motor");
        clock.setWallClock(DateTime{2026, 12, 9, 8, 15, 30});
        window.setOutputs(
            fftChartOutputs(state, host, printer, clipboard, clock, window.charts(), nullptr, '.'));
    }
    std::vector<std::string> messages() const
    {
        std::vector<std::string> out;
        for (const auto& m : host.messages) out.push_back(m.text + " | " + m.title);
        return out;
    }
    TempRoot folder;
    ProgramState state;
    RecordingHost host;
    RecordingFileDialogs dialogs;
    RecordingPrinter printer;
    RecordingClipboard clipboard;
    FakeClock clock;
    FftWindowController window{state, host, dialogs, '.'};
};

TEST(FftChartButtons, PrintDatesThePageAndTellsOnceHowItEnded)
{
    const struct {
        bool refused;
        std::string file;
        std::vector<std::string> messages;
    } cases[] = {
        {false, "", {}},
        {false, "/out/fft.pdf", {"The printout was saved as\r\n/out/fft.pdf | Print"}},
        {true, "", {"Printing failed: The printer refused the job. | Print"}},
    };
    for (const auto& c : cases) {
        ButtonsRig r;
        r.printer.setEndRefused(c.refused);
        r.printer.setDocumentFile(c.file);
        const std::vector<double> spectrum = r.state.fftBuf.spectrumCh1;
        r.window.printClicked(FftTab::Ch1);
        EXPECT_EQ(r.messages(), c.messages);
        const auto texts = r.printer.recording().texts();
        ASSERT_GE(texts.size(), 3u);
        EXPECT_EQ(texts[0], "Pump motor");
        EXPECT_EQ(texts[1], "DC-Level : 0.000V      Windowfunction: Hanning -- " +
                                formatLongDate(DateTime{2026, 12, 9, 8, 15, 30}) + "   08:15:30");
        EXPECT_EQ(texts[2], "Max-Level: 1.000V   0.0dBV   9.77kHz");
        // Printing in the log view leaves the silent lines as they were.
        EXPECT_EQ(r.state.fftBuf.spectrumCh1, spectrum);
    }
}

TEST(FftChartButtons, SavedMetafilesAreReadByAnotherProgramAndFailuresAreToldOnce)
{
    ButtonsRig r;
    const std::string file = r.folder.path + "/spectrum.wmf";
    writeBytes(file, "an older file");
    r.dialogs.answers.push_back(" " + file + "  ");
    r.window.saveClicked(FftTab::Ch1);
    EXPECT_TRUE(r.messages().empty());
    const std::string first = readBytes(file);
    ASSERT_NE(first, "an older file");

    const std::string svg = r.folder.path + "/spectrum.svg";
    const std::string command =
        "wmf2svg -o '" + svg + "' '" + file + "' > '" + r.folder.path + "/log' 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << "wmf2svg refused the file";
    const std::string drawn = readBytes(svg);
    EXPECT_NE(drawn.find("Pump motor"), std::string::npos);
    EXPECT_NE(drawn.find("Max-Level"), std::string::npos);

    // With the clock standing still the same chart gives the same file.
    r.dialogs.answers.push_back(file);
    r.window.saveClicked(FftTab::Ch1);
    EXPECT_EQ(readBytes(file), first);

    // A copy goes to the clipboard only, whatever the file name says.
    r.state.exportTarget.exportFileName = r.folder.path + "/copy.wmf";
    r.window.copyClicked(FftTab::Ch1);
    EXPECT_EQ(r.clipboard.putCount(), 1);
    EXPECT_EQ(r.clipboard.picture()->size(), (DeviceSize{1045, 842}));
    EXPECT_FALSE(fs::exists(r.folder.path + "/copy.wmf"));
    EXPECT_TRUE(r.messages().empty());

    // A folder that is not there, and a clipboard that refuses: one message each.
    r.dialogs.answers.push_back(r.folder.path + "/none/spectrum.wmf");
    r.window.saveClicked(FftTab::Ch1);
    r.clipboard.setRefused(true);
    r.window.copyClicked(FftTab::Dual);
    ASSERT_EQ(r.host.messages.size(), 2u);
    for (const auto& m : r.host.messages) {
        EXPECT_EQ(m.text.rfind("File Error\n", 0), 0u);
        EXPECT_EQ(m.title, "Save wmf");
    }
    EXPECT_FALSE(r.host.busyPointer);
    EXPECT_FALSE(fs::exists(r.folder.path + "/none"));
}

}  // namespace
}  // namespace ql::testing
