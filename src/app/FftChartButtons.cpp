#include "FftChartButtons.h"

#include "ScreenPrintout.h"
#include "fft/FftPageOutput.h"

namespace ql {

FftChartOutputs fftChartOutputs(ProgramState& s, Host& host, Printer& printer,
                                PictureClipboard& clipboard, Clock& clock, const FftCharts& charts,
                                const PaintDevice* textMetrics, char decimalSign)
{
    const auto snapshotOf = [&s, &charts, &clock, decimalSign](FftTab chart,
                                                               const std::string& title) {
        return spectrumSnapshot(s, charts, chart, title, clock.now(), decimalSign);
    };
    FftChartOutputs outputs;
    outputs.print = [&host, &printer, snapshotOf](FftTab chart, const std::string& title) {
        const Status printed = printSpectrumPage(snapshotOf(chart, title), printer);
        reportPrintout(host, printer, printed);
    };
    outputs.render = [&s, &host, &clipboard, textMetrics, snapshotOf](FftTab chart,
                                                                      const std::string& title) {
        const Status exported =
            exportSpectrumPicture(snapshotOf(chart, title), s.exportTarget, clipboard, textMetrics);
        if (!exported) host.report(exported.failure());
    };
    return outputs;
}

}  // namespace ql
