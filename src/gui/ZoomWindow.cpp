#include "ZoomWindow.h"

#include <QPainter>

#include "app/PictureWindows.h"
#include "display/DisplayViews.h"
#include "display/ZoomDrawing.h"

namespace ql::gui {

ZoomWindow::ZoomWindow(ProgramState& state, DisplayViews& views, QWidget* parent)
    : QWidget(parent), state_(state), views_(views)
{
    setObjectName(QStringLiteral("zoomWindow"));
    setWindowTitle(QString::fromUtf8(kZoomCaption));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(kZoomMinimumWidth, kZoomMinimumHeight);
    views_.zoom.updated = [this] {
        picture_.finish();
        update();
    };
}

ZoomWindow::~ZoomWindow()
{
    views_.zoom.updated = nullptr;
    views_.zoom.picture = nullptr;
}

void ZoomWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    views_.zoom.picture = nullptr;
    picture_.remake(rect(), logicalDpiX());
    views_.zoom.picture = picture_.device();
    drawZoom(state_, views_.zoom);
}

void ZoomWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!picture_.image().isNull()) painter.drawImage(0, 0, picture_.image());
}

void ZoomWindow::refresh()
{
    drawZoom(state_, views_.zoom);
}

void ZoomWindow::opened()
{
    zoomWindowOpened(state_);
}

void ZoomWindow::closed()
{
    zoomWindowClosed(state_);
}

void ZoomWindow::windowStateChanged(WindowState state)
{
    views_.zoom.state = state;
    if (state != WindowState::Minimised) drawZoom(state_, views_.zoom);
}

}  // namespace ql::gui
