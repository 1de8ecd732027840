// drawcheck: renders the demo scene through every paint device, for a person to look at and
// compare: scene.png (screen picture), scene.pdf (printer), scene.wmf (metafile) and
// scene.txt (the recorded primitives).
//
//   drawcheck [output folder] [width height]

#include <QGuiApplication>
#include <QImage>
#include <QPrinter>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "DemoScene.h"
#include "draw/RecordingDevice.h"
#include "draw/WmfDevice.h"
#include "gui/QtPaintDevice.h"
#include "gui/QtPrinter.h"

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const std::string folder = argc > 1 ? argv[1] : ".";
    const int width = argc > 3 ? std::atoi(argv[2]) : 800;
    const int height = argc > 3 ? std::atoi(argv[3]) : 600;
    if (width < 1 || height < 1) {
        std::fprintf(stderr, "drawcheck: width and height must be positive\n");
        return 2;
    }

    QImage image(width, height, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);  // 96 dpi
    image.setDotsPerMeterY(3780);
    {
        ql::gui::QtPaintDevice device(image);
        ql::Surface surface(device);
        ql::drawDemoScene(surface);
    }
    const QString png = QString::fromStdString(folder + "/scene.png");
    if (!image.save(png)) {
        std::fprintf(stderr, "drawcheck: cannot write %s\n", qPrintable(png));
        return 1;
    }

    ql::WmfDevice wmf({width, height}, 96.0);
    {
        QImage measure(1, 1, QImage::Format_RGB32);
        measure.setDotsPerMeterX(3780);
        measure.setDotsPerMeterY(3780);
        ql::gui::QtPaintDevice metrics(measure);
        ql::WmfDevice measured({width, height}, 96.0, &metrics);
        ql::Surface surface(measured);
        ql::drawDemoScene(surface);
        wmf = measured;
    }
    const ql::Status saved = wmf.saveAs(folder + "/scene.wmf");
    if (!saved) {
        std::fprintf(stderr, "drawcheck: %s\n", saved.failure().text.c_str());
        return 1;
    }

    ql::RecordingDevice recording({width, height}, 96.0);
    ql::Surface recorded(recording);
    ql::drawDemoScene(recorded);
    std::ofstream(folder + "/scene.txt") << recording.dump();

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(folder + "/scene.pdf"));
    ql::gui::QtPrinter paper(printer);
    if (paper.beginDocument(ql::PageOrientation::Landscape)) {
        ql::Surface page(paper);
        ql::drawDemoScene(page);
        (void)paper.endDocument();
    }
    std::printf("drawcheck: wrote scene.png, scene.wmf, scene.txt and scene.pdf to %s\n",
                folder.c_str());
    return 0;
}
