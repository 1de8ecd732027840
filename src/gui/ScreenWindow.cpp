#include "ScreenWindow.h"

#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>

#include "QtPaintDevice.h"
#include "display/ScreenDrawing.h"

namespace ql::gui {

namespace {

constexpr double kMetresPerInch = 0.0254;
constexpr int kGuideTextMargin = 12;

QString shownText(const char* text)
{
    // The core writes line breaks as CR LF.
    return QString::fromUtf8(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

}  // namespace

ScreenWindow::ScreenWindow(ProgramState& state, DisplayViews& views, QWidget* parent)
    : QWidget(parent), state_(state), views_(views)
{
    setObjectName(QStringLiteral("screenWindow"));
    setWindowTitle(QString::fromStdString(views_.screen.caption));
    setAttribute(Qt::WA_OpaquePaintEvent);
    scrollBar_ = new QScrollBar(Qt::Horizontal, this);
    scrollBar_->setObjectName(QStringLiteral("screenScrollBar"));
    // The bar moves the horizontal position of the traces; the keyboard reaches it too.
    scrollBar_->setAccessibleName(QStringLiteral("Horizontal position"));
    scrollBar_->setFocusPolicy(Qt::StrongFocus);
    syncScrollBar();
    connect(scrollBar_, &QScrollBar::valueChanged, this, &ScreenWindow::scrolled);
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
    if (picture_.device) picture_.device->finish();
    return picture_.image;
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

void ScreenWindow::makeArea(Area& area, const ViewArea& place)
{
    area.device.reset();
    area.place = QRect(place.left, place.top, place.width, place.height);
    if (place.width <= 0 || place.height <= 0) {
        area.image = QImage();
        return;
    }
    area.image = QImage(place.width, place.height, QImage::Format_RGB32);
    const int dotsPerMetre = static_cast<int>(logicalDpiX() / kMetresPerInch + 0.5);
    area.image.setDotsPerMeterX(dotsPerMetre);
    area.image.setDotsPerMeterY(dotsPerMetre);
    area.image.fill(Qt::white);
    area.device = std::make_unique<QtPaintDevice>(area.image);
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
    makeArea(picture_, layout.picture);
    makeArea(zeroMarkStrip_, layout.zeroMarkStrip);
    makeArea(statusStrip_, layout.statusStrip);
    views_.screen.picture = picture_.device.get();
    views_.screen.zeroMarkStrip = zeroMarkStrip_.device.get();
    views_.screen.statusStrip = statusStrip_.device.get();
    scrollBar_->setGeometry(layout.scrollBar.left, layout.scrollBar.top, layout.scrollBar.width,
                            layout.scrollBar.height);
}

void ScreenWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layOut();
    redrawForWindowEvent(state_, views_);
}

void ScreenWindow::viewUpdated()
{
    for (Area* area : {&picture_, &zeroMarkStrip_, &statusStrip_})
        if (area->device) area->device->finish();
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
    const QSignalBlocker blocker(scrollBar_);
    scrollBar_->setRange(0, views_.screen.scrollMaximum);
    scrollBar_->setValue(state_.screen.scrollValue);
}

void ScreenWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    paintView(painter);
}

void ScreenWindow::paintView(QPainter& painter) const
{
    for (const Area* area : {&statusStrip_, &zeroMarkStrip_, &picture_})
        if (!area->image.isNull()) painter.drawImage(area->place.topLeft(), area->image);

    QFont font = painter.font();
    font.setBold(true);
    font.setPointSize(12);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QRect screen = picture_.place.adjusted(kGuideTextMargin, kGuideTextMargin,
                                                 -kGuideTextMargin, -kGuideTextMargin);
    if (views_.screen.guideTextVisible)
        painter.drawText(screen, Qt::AlignLeft | Qt::AlignTop, shownText(kGuideText));
    if (views_.screen.analogModeLabelVisible)
        painter.drawText(screen, Qt::AlignCenter, shownText(kAnalogModeText));
}

}  // namespace ql::gui
