#include "XyWindow.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include "FixedPlaces.h"
#include "state/Twips.h"

namespace ql::gui {

namespace {

constexpr int kLabelTwips = 300;

}  // namespace

XyWindow::XyWindow(ProgramState& state, DisplayViews& views, Host& host, QWidget* parent)
    : QWidget(parent), ModelWindow(*this, host, ToolWindow::XyView, state, views), views_(views)
{
    setObjectName(QStringLiteral("xyWindow"));
    setWindowTitle(QString::fromUtf8(kXyCaption));
    setAttribute(Qt::WA_OpaquePaintEvent);
    label_ = new QLabel(this);
    label_->setObjectName(QStringLiteral("xyLabel"));
    label_->setFont(toolWindowFont());
    views_.xy.updated = [this] { viewUpdated(); };
}

XyWindow::~XyWindow()
{
    views_.xy.updated = nullptr;
    views_.xy.picture = nullptr;
}

void XyWindow::layOut()
{
    const int labelHeight = std::min(twipsToPixels(kLabelTwips, logicalDpiY()), height());
    views_.xy.picture = nullptr;
    picture_.remake(QRect(0, 0, width(), height() - labelHeight), logicalDpiX());
    views_.xy.picture = picture_.device();
    label_->setGeometry(0, height() - labelHeight, width(), labelHeight);
}

void XyWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layOut();
    applyView();
}

void XyWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    if (!picture_.image().isNull()) painter.drawImage(picture_.place().topLeft(), picture_.image());
}

void XyWindow::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (picture_.place().contains(event->position().toPoint())) model_.doubleClicked();
}

void XyWindow::showView(const XyWindowView& v)
{
    label_->setText(QString::fromStdString(v.label));
}

void XyWindow::viewUpdated()
{
    picture_.finish();
    paintView();
    update();
    if (isVisible() || openPending_) return;
    // Drawn while closed: XY display was switched on. The window opens once the redraw is over
    // (opening lays the picture out anew, which must not happen under the drawing).
    openPending_ = true;
    QTimer::singleShot(0, this, [this] {
        openPending_ = false;
        if (model_.wanted()) host().openWindow(ToolWindow::XyView);
    });
}

void XyWindow::windowStateChanged(WindowState state)
{
    views_.xy.state = state;
    if (state != WindowState::Minimised) applyView();
}

}  // namespace ql::gui
