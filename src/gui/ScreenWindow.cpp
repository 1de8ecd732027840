#include "ScreenWindow.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>

#include "app/PictureWindows.h"
#include "display/ScreenDrawing.h"
#include "display/ScreenMouse.h"

namespace ql::gui {

namespace {

constexpr int kGuideTextMargin = 12;

QString shownText(const char* text)
{
    // The core writes line breaks as CR LF.
    return QString::fromUtf8(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QRect toRect(const ViewArea& area)
{
    return QRect(area.left, area.top, area.width, area.height);
}

Qt::CursorShape shapeOf(ScreenPointer pointer)
{
    switch (pointer) {
        case ScreenPointer::Cross: return Qt::CrossCursor;
        case ScreenPointer::WestEastArrow: return Qt::SizeHorCursor;
        case ScreenPointer::IBeam: return Qt::IBeamCursor;
    }
    return Qt::CrossCursor;
}

int screenButtons(Qt::MouseButtons buttons)
{
    return (buttons & Qt::LeftButton ? kLeftMouseButton : 0) |
           (buttons & Qt::RightButton ? kRightMouseButton : 0);
}

}  // namespace

ScreenWindow::ScreenWindow(ProgramState& state, DisplayViews& views, Host& host, QWidget* parent)
    : QWidget(parent), state_(state), views_(views), host_(host)
{
    setObjectName(QStringLiteral("screenWindow"));
    setWindowTitle(QString::fromStdString(views_.screen.caption));
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Moves without a button change the pointer over the cursors.
    setMouseTracking(true);
    scrollBar_ = new QScrollBar(Qt::Horizontal, this);
    scrollBar_->setObjectName(QStringLiteral("screenScrollBar"));
    // The bar moves the horizontal position of the traces; the keyboard reaches it too.
    scrollBar_->setAccessibleName(QStringLiteral("Horizontal position"));
    scrollBar_->setFocusPolicy(Qt::StrongFocus);
    syncScrollBar();
    changes_.onMoved(scrollBar_, [this](int value) { scrolled(value); });
    views_.screen.updated = [this] { viewUpdated(); };
}

ScreenWindow::~ScreenWindow()
{
    views_.screen.updated = nullptr;
    views_.screen.picture = nullptr;
    views_.screen.zeroMarkStrip = nullptr;
    views_.screen.statusStrip = nullptr;
}

QImage ScreenWindow::picture() const
{
    return picture_.image();
}

void ScreenWindow::refresh()
{
    drawScreen(state_, views_);
}

void ScreenWindow::windowStateChanged(WindowState state)
{
    views_.screen.state = state;
    if (state != WindowState::Minimised) redrawForWindowEvent(state_, views_);
}

void ScreenWindow::layOut()
{
    // The drawing must not reach a device while its image is replaced.
    views_.screen.picture = nullptr;
    views_.screen.zeroMarkStrip = nullptr;
    views_.screen.statusStrip = nullptr;
    const int barHeight = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scrollBar_);
    const ScreenLayout layout =
        screenLayout(DeviceSize{width(), height()}, logicalDpiX(), barHeight);
    picture_.remake(toRect(layout.picture), logicalDpiX());
    zeroMarkStrip_.remake(toRect(layout.zeroMarkStrip), logicalDpiX());
    statusStrip_.remake(toRect(layout.statusStrip), logicalDpiX());
    views_.screen.picture = picture_.device();
    views_.screen.zeroMarkStrip = zeroMarkStrip_.device();
    views_.screen.statusStrip = statusStrip_.device();
    scrollBar_->setGeometry(toRect(layout.scrollBar));
}

void ScreenWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layOut();
    redrawForWindowEvent(state_, views_);
}

void ScreenWindow::viewUpdated()
{
    for (const PictureImage* area : {&picture_, &zeroMarkStrip_, &statusStrip_}) area->finish();
    setWindowTitle(QString::fromStdString(views_.screen.caption));
    syncScrollBar();
    update();
}

void ScreenWindow::scrolled(int value)
{
    state_.screen.scrollValue = static_cast<std::int16_t>(value);
    redrawForWindowEvent(state_, views_);
}

void ScreenWindow::syncScrollBar()
{
    const UserChanges::Painting painting = changes_.painting();
    scrollBar_->setRange(0, views_.screen.scrollMaximum);
    scrollBar_->setValue(state_.screen.scrollValue);
}

void ScreenWindow::mousePressEvent(QMouseEvent* event)
{
    if (picture_.place().contains(event->position().toPoint())) pressedOverPicture_ = true;
    mouseMoved(event);
}

void ScreenWindow::mouseMoveEvent(QMouseEvent* event)
{
    mouseMoved(event);
}

void ScreenWindow::mouseReleaseEvent(QMouseEvent* event)
{
    mouseMoved(event);
    if (event->buttons() == Qt::NoButton) pressedOverPicture_ = false;
}

void ScreenWindow::mouseMoved(QMouseEvent* event)
{
    const QPointF at = event->position();
    const bool over = picture_.place().contains(at.toPoint());
    setCursor(over || pressedOverPicture_ ? picturePointer_ : Qt::ArrowCursor);
    if (!over && !pressedOverPicture_) return;
    // The buttons held after the event: a release is a move without the released button.
    const Surface picture = screenPictureSurface(views_.screen);
    const QPointF inPicture = at - picture_.place().topLeft();
    const auto pointer =
        screenMouseMoved(state_, views_, host_, screenButtons(event->buttons()),
                         picture.userX(inPicture.x()), picture.userY(inPicture.y()));
    if (pointer) {
        picturePointer_ = shapeOf(*pointer);
        setCursor(picturePointer_);
    }
    update(picture_.place());
}

void ScreenWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    paintView(painter);
}

void ScreenWindow::paintView(QPainter& painter) const
{
    for (const PictureImage* area : {&statusStrip_, &zeroMarkStrip_, &picture_})
        if (!area->image().isNull()) painter.drawImage(area->place().topLeft(), area->image());
    paintZoomOutline(painter);

    QFont font = painter.font();
    font.setBold(true);
    font.setPointSize(12);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QRect screen = picture_.place().adjusted(kGuideTextMargin, kGuideTextMargin,
                                                   -kGuideTextMargin, -kGuideTextMargin);
    if (views_.screen.guideTextVisible)
        painter.drawText(screen, Qt::AlignLeft | Qt::AlignTop, shownText(kGuideText));
    if (views_.screen.analogModeLabelVisible)
        painter.drawText(screen, Qt::AlignCenter, shownText(kAnalogModeText));
}

void ScreenWindow::paintZoomOutline(QPainter& painter) const
{
    const ZoomState& z = state_.zoom;
    if (z.zoomDragging != 1 || !picture_.device()) return;
    // From where the box began to the corner last dragged, dotted and inverting what lies
    // under it, so it shows on every colour.
    const Surface picture = screenPictureSurface(views_.screen);
    const QPointF a(picture.deviceX(z.zoomX1), picture.deviceY(z.zoomY1));
    const QPointF b(picture.deviceX(z.zoomDragX), picture.deviceY(z.zoomDragY));
    const QRect box = QRectF(a, b).normalized().toRect().translated(picture_.place().topLeft());
    painter.save();
    painter.setClipRect(picture_.place());
    painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
    QPen pen(QColor(5, 0, 0));
    pen.setStyle(Qt::DotLine);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(box);
    painter.restore();
}

}  // namespace ql::gui
