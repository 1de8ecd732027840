// One screen read from the simulated instrument, rendered as its three hardcopies through the
// Qt paint device: the printed page (PNG and PDF), the preview picture and the metafile picture
// (PNG and WMF), saved in the build tree (tests/gui/artefacts) beside the screen window's
// picture, for a person to compare paper and screen.

#include <gtest/gtest.h>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPrinter>

#include "ProgramRig.h"
#include "display/ScreenDrawing.h"
#include "draw/WmfDevice.h"
#include "gui/QtPrinter.h"
#include "hardcopy/HardcopyRenderer.h"

namespace ql::gui {
namespace {

QString artefact(const char* name)
{
    const QString folder = QStringLiteral(QL240_TEST_ARTEFACTS);
    QDir().mkpath(folder);
    return folder + QLatin1Char('/') + QLatin1String(name);
}

QImage picture(int width, int height, int dpi = 96)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.setDotsPerMeterX(static_cast<int>(dpi / 0.0254));
    image.setDotsPerMeterY(static_cast<int>(dpi / 0.0254));
    image.fill(Qt::white);
    return image;
}

void render(const ProgramState& s, const HardcopyTarget& target, QImage& image)
{
    QtPaintDevice device(image);
    Surface surface(device);
    renderHardcopy(hardcopyInputFor(s), target, surface);
    device.finish();
}

TEST(HardcopyPicture, ThreeTargetsOfOneSimulatedScreen)
{
    ProgramRig rig;
    rig.startUp();
    rig.program.operations().read();
    ProgramState& s = rig.state;
    s.cursor.cursorsOn = 1;
    drawScreen(s, rig.views);
    s.print.printHeadline.assign("QL240 hardcopy check");
    s.print.printChI = s.print.printChII = s.print.printRefI = s.print.printRefII = 1;
    s.print.printCursors = s.print.printNotes = s.print.printMeasTime = s.print.printColor = 1;
    s.notesText.assign("Notes typed by the user\r\nsecond row");
    ASSERT_TRUE(rig.screenWindow().picture().save(artefact("hardcopy-screen.png")));

    QImage page = picture(1240, 1754, 150);  // A4 portrait at 150 dpi
    QImage preview = picture(1000, 800);
    QImage metafile = picture(1045, 822);
    render(s, kPrinterHardcopy, page);
    render(s, kPreviewHardcopy, preview);
    render(s, kMetafileHardcopy, metafile);
    ASSERT_TRUE(page.save(artefact("hardcopy-printer.png")));
    ASSERT_TRUE(preview.save(artefact("hardcopy-preview.png")));
    ASSERT_TRUE(metafile.save(artefact("hardcopy-metafile.png")));
    for (const QImage* image : {&page, &preview, &metafile}) {  // CH I in colour
        int red = 0;
        for (int y = 0; y < image->height(); ++y)
            for (int x = 0; x < image->width(); ++x) red += image->pixel(x, y) == qRgb(255, 0, 0);
        EXPECT_GT(red, 300);
    }

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(artefact("hardcopy-printer.pdf"));
    QtPrinter paper(printer);
    ASSERT_TRUE(paper.beginDocument(PageOrientation::Portrait));
    {
        Surface surface(paper);
        renderHardcopy(hardcopyInputFor(s), kPrinterHardcopy, surface);
    }
    ASSERT_TRUE(paper.endDocument());
    EXPECT_GT(QFileInfo(artefact("hardcopy-printer.pdf")).size(), 1000);

    QImage measure = picture(1, 1);
    QtPaintDevice metrics(measure);
    WmfDevice wmf({1045, 822}, 96.0, &metrics);
    Surface wmfSurface(wmf);
    renderHardcopy(hardcopyInputFor(s), kMetafileHardcopy, wmfSurface);
    EXPECT_TRUE(wmf.saveAs(artefact("hardcopy-metafile.wmf").toStdString()));
}

}  // namespace
}  // namespace ql::gui
