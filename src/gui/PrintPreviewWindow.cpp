#include "PrintPreviewWindow.h"

#include <QMouseEvent>
#include <QPainter>

#include "QtPaintDevice.h"
#include "hardcopy/HardcopyOutput.h"
#include "state/Twips.h"

namespace ql::gui {

namespace {

constexpr int kStripBelowTwips = 300;
constexpr double kInchesPerMetre = 1 / 0.0254;

}  // namespace

PrintPreviewWindow::PrintPreviewWindow(ProgramState& state, Host& host, QWidget* parent)
    : QWidget(parent), ModelWindow(*this, host, ToolWindow::PrintPreview, state, host)
{
    setObjectName(QStringLiteral("printPreviewWindow"));
    setWindowTitle(QStringLiteral("Printer Preview"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(333, 471);
}

void PrintPreviewWindow::chainMember(ProgramState&)
{
    applyView();
    carryOut(host(), model_.screenRedrawn());
}

void PrintPreviewWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const int height = this->height() - twipsToPixels(kStripBelowTwips, logicalDpiY());
    // The page keeps its proportions, centred across the window.
    const DeviceSize page = previewPictureSize({width(), height});
    if (page.width <= 0 || page.height <= 0) {
        picture_ = QImage();
        return;
    }
    picture_ = QImage(page.width, page.height, QImage::Format_RGB32);
    pictureLeft_ = (width() - page.width) / 2;
    const int dotsPerMetre = static_cast<int>(logicalDpiX() * kInchesPerMetre + 0.5);
    picture_.setDotsPerMeterX(dotsPerMetre);
    picture_.setDotsPerMeterY(dotsPerMetre);
    applyView();
}

void PrintPreviewWindow::showView(const HardcopyInput& page)
{
    if (picture_.isNull()) return;
    picture_.fill(Qt::white);
    {
        QtPaintDevice device(picture_);
        drawPrintPreview(page, device);
        device.finish();
    }
    update();
}

void PrintPreviewWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    if (!picture_.isNull()) painter.drawImage(pictureLeft_, 0, picture_);
}

void PrintPreviewWindow::mousePressEvent(QMouseEvent* event)
{
    QWidget::mousePressEvent(event);
    const QRect picture(QPoint(pictureLeft_, 0), picture_.size());
    if (event->button() == Qt::LeftButton && picture.contains(event->position().toPoint()))
        carryOut(host(), model_.pictureClicked());
}

}  // namespace ql::gui
