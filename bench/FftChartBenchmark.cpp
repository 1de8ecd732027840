// showFft as it follows every acquisition while the FFT window is open: the dual tab (both
// transforms, the view and the chart) and one single-channel tab, drawn on 800 by 400 images
// through the Qt paint device.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "Fastest.h"
#include "fft/FftCharts.h"
#include "gui/QtPaintDevice.h"
#include "state/InitProgramState.h"

using namespace ql;

namespace {

using ql::bench::fastest;

// CH I a sine with noise, CH II a square wave, at 1 ms/div.
ProgramState acquiredState()
{
    ProgramState s;
    initProgramState(s, "/tmp");
    s.ddf.ch1On = s.ddf.ch2On = 1;
    s.ddf.ch1VoltsIndex = 9;
    s.ddf.ch2VoltsIndex = 8;
    s.ddf.ch1ProbeFactor = s.ddf.ch2ProbeFactor = 1;
    s.ddf.tbAIndex = 13;
    s.fft.fftScrollPos = 0;
    s.fft.fftSpan = 1024;
    std::mt19937 gen(7);
    std::uniform_int_distribution<int> noise(-3, 3);
    for (int i = 1; i <= kLastTransferredSample; ++i) {
        const double phase = 2.0 * M_PI * 37.0 * i / 2048;
        s.waves.waveCh1[i] = static_cast<std::int16_t>(127 + 80 * std::sin(phase) + noise(gen));
        s.waves.waveCh2[i] = static_cast<std::int16_t>(127 + (std::sin(3 * phase) > 0 ? 60 : -60));
    }
    return s;
}

QImage picture(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    image.fill(Qt::white);
    return image;
}

void showTab(benchmark::State& state, FftTab tab, bool log)
{
    ProgramState s = acquiredState();
    s.fft.fftLogFlag = log ? 1 : 0;
    QImage chartImage = picture(800, 400), levelImage = picture(48, 420);
    QImage frequencyImage = picture(800, 20);
    gui::QtPaintDevice chart(chartImage), level(levelImage), frequency(frequencyImage);
    FftCharts charts;
    charts.selectedTab = tab;
    FftChartView& view = tab == FftTab::Dual ? charts.dual : charts.ch1;
    view.chart = &chart;
    view.levelStrip = &level;
    view.frequencyStrip = &frequency;
    for (auto _ : state) {
        showFft(s, charts, '.');
        benchmark::DoNotOptimize(chartImage.constBits());
    }
    chart.finish();
    level.finish();
    frequency.finish();
}

void showFftDualTab(benchmark::State& state)
{
    showTab(state, FftTab::Dual, false);
}
void showFftDualTabLog(benchmark::State& state)
{
    showTab(state, FftTab::Dual, true);
}
void showFftSingleTab(benchmark::State& state)
{
    showTab(state, FftTab::Ch1, false);
}

BENCHMARK(showFftDualTab)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(12)
    ->ComputeStatistics("min", fastest);
BENCHMARK(showFftDualTabLog)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(12)
    ->ComputeStatistics("min", fastest);
BENCHMARK(showFftSingleTab)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(12)
    ->ComputeStatistics("min", fastest);

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
