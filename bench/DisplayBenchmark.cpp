// The screen redraw with everything it brings up to date, on the Qt images the windows own:
//  - the full chain: screen, status and zero-mark strips, the XY view and the zoom window, with
//    the cursor and measurement windows following as the program connects them;
//  - one cursor move, which redraws only the cursor marks and the cursor window's cells;
//  - the screen picture alone (four traces of 2046 samples on 1024 x 768) against plain
//    QPainter drawing the same four polylines on an image of the same size, in the same run.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>
#include <vector>

#include "Fastest.h"
#include "display/CursorReadout.h"
#include "display/ScreenCursors.h"
#include "display/ScreenDrawing.h"
#include "gui/CursorWindow.h"
#include "gui/MeasurementWindow.h"
#include "gui/QtPaintDevice.h"
#include "state/InitProgramState.h"
#include "state/RecordingHost.h"

using namespace ql;

namespace {

using ql::bench::fastest;
#define QL_BENCHMARK(fn) BENCHMARK(fn)->Repetitions(8)->ComputeStatistics("min", fastest)

// Fonts and widgets need the application object; the images are drawn offscreen.
QApplication& application()
{
    static int argc = 1;
    static char name[] = "bench_display";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    return *app;
}

void fillSine(Waveform& w, double centre, double amplitude, double period)
{
    for (int i = 0; i < kWaveArraySize; ++i)
        w[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(
            std::lround(centre + amplitude * std::sin(2 * std::numbers::pi * i / period)));
}

// Four traces on, data present, the record filling the screen.
ProgramState fourTraces()
{
    ProgramState s;
    initProgramState(s, "/tmp");
    s.screen.screenBusy = 0;
    s.screen.noDataYet = 0;
    s.screen.scrollResyncPending = 0;
    s.ddf.horPosition = s.screen.scrollValue = 524;
    s.ddf.ch1On = s.ddf.ch2On = s.ddf.ref1On = s.ddf.ref2On = 1;
    s.ddf.ch1ProbeFactor = s.ddf.ch2ProbeFactor = 1;
    s.ddf.tbAIndex = 13;
    s.preamble.wfmTrigPos = 1023;
    s.identity.firmwareVersion = 2.0f;
    fillSine(s.waves.waveCh1, 128, 80, 400);
    fillSine(s.waves.waveCh2, 90, 40, 130);
    fillSine(s.waves.waveRef1, 160, 30, 700);
    fillSine(s.waves.waveRef2, 70, 20, 90);
    return s;
}

QImage whiteImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// The program's pictures and the two windows of the chain, as the registry connects them.
struct OpenWindows {
    ProgramState s = fourTraces();
    RecordingHost host;
    DisplayViews views;
    QImage picture = whiteImage(860, 520), strip = whiteImage(17, 520),
           status = whiteImage(877, 20), xy = whiteImage(420, 320), zoom = whiteImage(400, 300);
    gui::QtPaintDevice pictureDevice{picture}, stripDevice{strip}, statusDevice{status},
        xyDevice{xy}, zoomDevice{zoom};
    std::unique_ptr<gui::CursorWindow> cursorWindow;
    std::unique_ptr<gui::MeasurementWindow> measurementWindow;

    OpenWindows()
    {
        application();
        views.screen.picture = &pictureDevice;
        views.screen.zeroMarkStrip = &stripDevice;
        views.screen.statusStrip = &statusDevice;
        views.xy.picture = &xyDevice;
        views.zoom.picture = &zoomDevice;
        cursorWindow = std::make_unique<gui::CursorWindow>(s, views, host);
        measurementWindow = std::make_unique<gui::MeasurementWindow>(s, views, host);
        cursorWindow->opened();
        measurementWindow->opened();
        views.chain.connect(RedrawLink::CursorReadout,
                            [this](ProgramState& st) { cursorWindow->chainMember(st); });
        views.chain.connect(RedrawLink::AutoMeasure,
                            [this](ProgramState& st) { measurementWindow->chainMember(st); });
        s.ddf.xyMode = 1;
        s.zoom.zoomOpen = 1;
        s.zoom.zoomX1 = 700;
        s.zoom.zoomX2 = 1300;
        s.zoom.zoomY1 = 40;
        s.zoom.zoomY2 = 220;
    }
    void finish()
    {
        for (gui::QtPaintDevice* d :
             {&pictureDevice, &stripDevice, &statusDevice, &xyDevice, &zoomDevice})
            d->finish();
    }
};

void fullChainWithFourWindows(benchmark::State& state)
{
    OpenWindows w;
    for (auto _ : state) {
        drawScreen(w.s, w.views);
        w.finish();
    }
}
QL_BENCHMARK(fullChainWithFourWindows)->Unit(benchmark::kMillisecond);

void cursorMoveMarksOnly(benchmark::State& state)
{
    OpenWindows w;
    drawScreen(w.s, w.views);
    int step = 0;
    for (auto _ : state) {
        setCursorPositions(w.s, 400 + step % 300, 1500 - step % 300);
        showCursorValues(w.s, w.views);
        w.finish();
        ++step;
    }
}
QL_BENCHMARK(cursorMoveMarksOnly)->Unit(benchmark::kMicrosecond);

void screenRedrawFourTraces(benchmark::State& state)
{
    application();
    ProgramState s = fourTraces();
    QImage image = whiteImage(1024, 768);
    gui::QtPaintDevice device(image);
    DisplayViews views;
    views.screen.picture = &device;
    for (auto _ : state) {
        drawScreen(s, views);
        device.finish();
    }
}
QL_BENCHMARK(screenRedrawFourTraces)->Unit(benchmark::kMillisecond);

// The yardstick: the same four traces as four polylines, mapped to the same pixels.
void plainQPainterFourPolylines(benchmark::State& state)
{
    application();
    const ProgramState s = fourTraces();
    QImage image = whiteImage(1024, 768);
    std::vector<QPolygon> traces;
    const Waveform* waves[] = {&s.waves.waveCh1, &s.waves.waveCh2, &s.waves.waveRef1,
                               &s.waves.waveRef2};
    for (const Waveform* w : waves) {
        QPolygon p;
        for (int i = 1; i <= 2000; ++i)
            p << QPoint(static_cast<int>(std::lround(i * 1023.0 / 2000.0)),
                        static_cast<int>(std::lround((228 - (*w)[i]) * 767.0 / 200.0)));
        traces.push_back(p);
    }
    const QColor colours[] = {QColor(255, 0, 0), QColor(0, 0, 255), QColor(128, 0, 0),
                              QColor(0, 0, 128)};
    for (auto _ : state) {
        QPainter p(&image);
        p.fillRect(image.rect(), Qt::white);
        for (std::size_t t = 0; t < traces.size(); ++t) {
            p.setPen(QPen(colours[t], 1));
            p.drawPolyline(traces[t]);
        }
    }
}
QL_BENCHMARK(plainQPainterFourPolylines)->Unit(benchmark::kMillisecond);

}  // namespace
