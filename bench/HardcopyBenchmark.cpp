// The hardcopy's two pictures drawn from one screen read from the simulated instrument: the
// preview at 1000 by 800 pixels on the Qt image device, as the preview window redraws it after
// every screen redraw, and the full metafile export (drawing, the file's bytes and the
// all-or-nothing write), as "Save as WMF" runs it.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "draw/RecordingClipboard.h"
#include "gui/QtPaintDevice.h"
#include "hardcopy/HardcopyOutput.h"
#include "link/InstrumentLink.h"
#include "scopesim/ScopeSimulator.h"
#include "scopesim/SimulatedPort.h"
#include "state/InitProgramState.h"
#include "state/RecordingHost.h"

using namespace ql;

namespace {

// Both channels and both references on, every option of the page, cursors on the screen.
const ProgramState& screenState()
{
    static const std::unique_ptr<ProgramState> state = [] {
        auto s = std::make_unique<ProgramState>();
        FakeClock clock;
        scopesim::ScopeSimulator sim(clock);
        scopesim::SimulatedPort port(sim, clock);
        RecordingHost host;
        initProgramState(*s, "/tmp");
        s->screen.screenBusy = 0;
        s->link.comPort = 1;
        s->link.baudRate = sim.config().baudRate;
        InstrumentLink link(*s, port, clock, host, QL240_MODEL_TABLE, "/help");
        if (!link.connectInstrument() || !link.sequences().readAllFromScope()) {
            std::fprintf(stderr, "bench_hardcopy: the simulated read failed\n");
            std::exit(1);
        }
        s->ddf.ref1On = s->ddf.ref2On = 1;
        s->cursor.cursorsOn = 1;
        s->screenMarks.screenCursorsDrawn = 1;
        s->screenMarks.screenOldCursor1 = s->cursor.cursor1Pos = 500;
        s->screenMarks.screenOldCursor2 = s->cursor.cursor2Pos = 1500;
        PrintOptions& o = s->print;
        o.printChI = o.printChII = o.printRefI = o.printRefII = o.printCursors = 1;
        o.printNotes = o.printMeasTime = o.printColor = 1;
        s->notesText.assign("Pump 3, bearing side\r\nafter 2 h at full load");
        return s;
    }();
    return *state;
}

void BM_DrawPrintPreview(benchmark::State& bench)
{
    const ProgramState& s = screenState();
    QImage picture(1000, 800, QImage::Format_RGB32);
    picture.setDotsPerMeterX(3780);  // 96 dpi
    picture.setDotsPerMeterY(3780);
    for (auto _ : bench) {
        picture.fill(Qt::white);
        gui::QtPaintDevice device(picture);
        drawPrintPreview(hardcopyInputFor(s), device);
        device.finish();
        benchmark::DoNotOptimize(picture.constBits());
    }
}
BENCHMARK(BM_DrawPrintPreview)->Unit(benchmark::kMillisecond);

void BM_MetafileExport(benchmark::State& bench)
{
    const ProgramState& s = screenState();
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / "ql240-bench-hardcopy.wmf";
    const ExportTarget target{file.string(), true};
    RecordingClipboard unused;
    QImage measure(1, 1, QImage::Format_RGB32);
    measure.setDotsPerMeterX(3780);
    measure.setDotsPerMeterY(3780);
    gui::QtPaintDevice metrics(measure);
    for (auto _ : bench) {
        if (!drawWmf(hardcopyInputFor(s), target, unused, &metrics)) {
            bench.SkipWithError("the metafile could not be written");
            break;
        }
    }
    bench.counters["bytes"] = static_cast<double>(std::filesystem::file_size(file));
    std::filesystem::remove(file);
}
BENCHMARK(BM_MetafileExport)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char* argv[])
{
    // Texts need the font database of a GUI application; no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
