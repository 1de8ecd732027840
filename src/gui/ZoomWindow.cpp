#include "ZoomWindow.h"

#include <QPainter>

namespace ql::gui {

ZoomWindow::ZoomWindow(ProgramState& state, DisplayViews& views, Host& host, QWidget* parent)
    : QWidget(parent), ModelWindow(*this, host, ToolWindow::ZoomWindow, state, views), views_(views)
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
    applyView();
}

void ZoomWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!picture_.image().isNull()) painter.drawImage(0, 0, picture_.image());
}

void ZoomWindow::windowStateChanged(WindowState state)
{
    views_.zoom.state = state;
    applyView();  // nothing is drawn while it is minimised
}

}  // namespace ql::gui
