#include "FftChartTab.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>

#include "FixedPlaces.h"
#include "ModelWindow.h"
#include "QtPaintDevice.h"
#include "state/Twips.h"

namespace ql::gui {

namespace {

// Places on a page in twips, below the tab strip: the rows of cells, the buttons and the
// title, and where the chart's pictures begin.
constexpr int kRowTop[4] = {60, 360, 660, 960};
constexpr int kCellHeight = 255, kButtonHeight = 285;
constexpr int kHeadingLeft = 120, kHeadingWidth = 975;
constexpr int kTitleLeft = 1140, kTitleWidth = 4600;
constexpr int kPicturesTop = 1260;
constexpr int kLevelStripLeft = 120, kLevelStripWidth = 615;
constexpr int kChartLeft = 750, kChartRightMargin = 145, kChartBottomMargin = 60;
constexpr int kFrequencyStripHeight = 270;
// "Not actual" inside the chart.
constexpr int kNotActualLeft = 3660, kNotActualWidth = 1275, kNotActualHeight = 315;

const QColor kDcHeading(255, 255, 0), kDcValue(255, 255, 192);
const QColor kMaxHeading(255, 0, 0), kMaxValue(255, 128, 128), kMaxFrequency(255, 192, 192);
const QColor kCursorHeading(0, 255, 0), kCursorValue(128, 255, 128);
const QColor kCursorFrequency(192, 255, 192);
const QColor kNotActualText(255, 192, 192);

int mouseButtons(Qt::MouseButtons buttons)
{
    return (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0) |
           (buttons & Qt::MiddleButton ? 4 : 0);
}

QLabel* cell(QWidget* parent, const char* text, const QColor& colour, bool heading, int left,
             int top, int width)
{
    QLabel* c = colouredCell(parent, QString::fromUtf8(text), colour, heading);
    placeInTwips(*c, left, top, width, kCellHeight);
    return c;
}

// A cell that shows a value: a screen reader says `caption` and then the value.
QLabel* valueCell(QWidget* parent, const char* caption, const QColor& colour, int left, int top,
                  int width)
{
    QLabel* c = cell(parent, "", colour, false, left, top, width);
    c->setAccessibleName(QString::fromUtf8(caption));
    return c;
}

QPushButton* button(QWidget* parent, const char* caption, int left, int top, int width,
                    int height = kCellHeight)
{
    auto* b = new QPushButton(QString::fromUtf8(caption), parent);
    placeInTwips(*b, left, top, width, height);
    return b;
}

Rgb rgbOf(const QColor& c)
{
    return Rgb{static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
               static_cast<std::uint8_t>(c.blue())};
}

int px(const QWidget& w, int twips)
{
    return twipsToPixels(twips, w.logicalDpiX());
}

}  // namespace

// --- A picture ---------------------------------------------------------------------------

FftPicture::FftPicture(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

PaintDevice* FftPicture::place(const QRect& place, bool fresh)
{
    setGeometry(place);
    if (fresh || image_.place().size() != place.size())
        image_.remake(QRect(QPoint(0, 0), place.size()), logicalDpiX());
    return image_.device();
}

void FftPicture::drawn()
{
    image_.finish();
    update();
}

void FftPicture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (image_.image().isNull())
        painter.fillRect(rect(), Qt::white);
    else
        painter.drawImage(0, 0, image_.image());
}

void FftPicture::mouseMoveEvent(QMouseEvent* event)
{
    if (mouseMoved) mouseMoved(mouseButtons(event->buttons()), event->position());
}

// --- A chart tab -------------------------------------------------------------------------

FftChartTab::FftChartTab(FftWindowController& controller, FftTab tab, QWidget* parent)
    : QWidget(parent), controller_(controller), tab_(tab), dual_(tab == FftTab::Dual)
{
    const QString caption = QString::fromUtf8(kFftTabCaptions[static_cast<int>(tab)]);
    const QString name = tab == FftTab::Ch1   ? QStringLiteral("ch1")
                         : tab == FftTab::Ch2 ? QStringLiteral("ch2")
                                              : QStringLiteral("dual");
    setObjectName(name + QStringLiteral("Tab"));
    setFont(toolWindowFont());

    levelStrip_ = new FftPicture(this);
    levelStrip_->setObjectName(name + QStringLiteral("LevelStrip"));
    chart_ = new FftPicture(this);
    chart_->setObjectName(name + QStringLiteral("Chart"));
    chart_->setCursor(Qt::CrossCursor);
    chart_->mouseMoved = [this](int buttons, QPointF at) {
        controller_.chartMouseMoved(tab_, buttons, at.x(), at.y());
    };
    frequencyStrip_ = new FftPicture(this);
    frequencyStrip_->setObjectName(name + QStringLiteral("FrequencyStrip"));

    notActual_ = new QLabel(QStringLiteral("Not actual"), chart_);
    notActual_->setObjectName(name + QStringLiteral("NotActual"));
    FontSpec font;
    font.face = "Arial";
    font.points = 12;
    font.bold = true;
    notActual_->setFont(QtPaintDevice::qtFont(font));
    notActual_->setAutoFillBackground(true);
    QPalette palette = notActual_->palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, kNotActualText);
    notActual_->setPalette(palette);
    placeInTwips(*notActual_, kNotActualLeft, 0, kNotActualWidth, kNotActualHeight);
    notActual_->hide();

    if (dual_)
        buildDualOptions();
    else
        buildCells();
    print_ = button(this, "Print", kHeadingLeft, kRowTop[3], kHeadingWidth, kButtonHeight);
    print_->setObjectName(name + QStringLiteral("PrintButton"));
    title_ = new QLineEdit(this);
    title_->setObjectName(name + QStringLiteral("TitleBox"));
    title_->setAccessibleName(QStringLiteral("Title ") + caption);
    title_->setMaxLength(kFftTitleLength);
    placeInTwips(*title_, kTitleLeft, kRowTop[3], kTitleWidth, kButtonHeight);
    copy_->setObjectName(name + QStringLiteral("CopyButton"));
    save_->setObjectName(name + QStringLiteral("SaveButton"));

    FftChartView& view = controller_.chart(tab_);
    view.stripBackground = rgbOf(this->palette().window().color());
    view.updated = [this] { chartUpdated(); };
}

FftChartTab::~FftChartTab()
{
    FftChartView& view = controller_.chart(tab_);
    view.updated = nullptr;
    view.chart = view.levelStrip = view.frequencyStrip = nullptr;
}

void FftChartTab::buildCells()
{
    cell(this, "DC-Lev", kDcHeading, true, kHeadingLeft, kRowTop[0], kHeadingWidth);
    dcLevel_ = valueCell(this, "DC level", kDcValue, 1140, kRowTop[0], 855);
    cell(this, "Max-Lev", kMaxHeading, true, kHeadingLeft, kRowTop[1], kHeadingWidth);
    maxVolts_ = valueCell(this, "Maximum level", kMaxValue, 1140, kRowTop[1], 855);
    maxDbv_ = valueCell(this, "Maximum level dBV", kMaxValue, 2040, kRowTop[1], 1080);
    maxFrequency_ = valueCell(this, "Maximum frequency", kMaxFrequency, 3180, kRowTop[1], 855);
    cell(this, "Cursor", kCursorHeading, true, kHeadingLeft, kRowTop[2], kHeadingWidth);
    cursorVolts_ = valueCell(this, "Cursor level", kCursorValue, 1140, kRowTop[2], 855);
    cursorDbv_ = valueCell(this, "Cursor level dBV", kCursorValue, 2040, kRowTop[2], 1080);
    cursorFrequency_ = valueCell(this, "Cursor frequency", kCursorFrequency, 3180, kRowTop[2], 855);
    copy_ = button(this, "Copy to clipboard", 4080, kRowTop[1], 1695);
    save_ = button(this, "Save as WMF", 4080, kRowTop[2], 1695);
}

void FftChartTab::buildDualOptions()
{
    auto* frame = new QGroupBox(this);
    frame->setObjectName(QStringLiteral("dualViewFrame"));
    frame->setAccessibleName(QStringLiteral("View"));
    placeInTwips(*frame, kHeadingLeft, kRowTop[0], 5655, 495);
    const char* captions[3] = {"View I and II", "View I - II  (log: I / II)",
                               "View II - I  (log: I / II)"};
    constexpr int lefts[3] = {120, 1620, 3480}, widths[3] = {1455, 1815, 1815};
    for (int i = 0; i < 3; ++i) {
        auto* option = new QRadioButton(QString::fromUtf8(captions[i]), frame);
        option->setObjectName(QStringLiteral("dualView%1").arg(i));
        placeInTwips(*option, lefts[i], 150, widths[i], kCellHeight);
        views_[static_cast<std::size_t>(i)] = option;
    }
    cell(this, "Cursor", kCursorHeading, true, kHeadingLeft, kRowTop[2], kHeadingWidth);
    cursorVolts_ = valueCell(this, "Cursor level", kCursorValue, 1140, kRowTop[2], 1155);
    cursorFrequency_ = valueCell(this, "Cursor frequency", kCursorFrequency, 2340, kRowTop[2], 855);
    save_ = button(this, "Save as WMF", 3240, kRowTop[2], 1395);
    copy_ = button(this, "Copy to clipb.", 4620, kRowTop[2], 1395);
}

void FftChartTab::layOut(QSize pageSize, bool fresh)
{
    FftChartView& view = controller_.chart(tab_);
    const int top = px(*this, kPicturesTop);
    const int chartWidth =
        std::max(0, pageSize.width() - px(*this, kChartLeft) - px(*this, kChartRightMargin));
    const int stripHeight = px(*this, kFrequencyStripHeight);
    const int chartHeight =
        std::max(0, pageSize.height() - top - stripHeight - px(*this, kChartBottomMargin));
    const QRect chart(px(*this, kChartLeft), top, chartWidth, chartHeight);
    // Nothing may draw on an image while it is replaced.
    view.chart = view.levelStrip = view.frequencyStrip = nullptr;
    view.chart = chart_->place(chart, fresh);
    view.levelStrip =
        levelStrip_->place(QRect(px(*this, kLevelStripLeft), top, px(*this, kLevelStripWidth),
                                 chartHeight + stripHeight),
                           fresh);
    view.frequencyStrip = frequencyStrip_->place(
        QRect(chart.left(), chart.bottom() + 1, chartWidth, stripHeight), fresh);
}

void FftChartTab::showView(const FftWindowView& v)
{
    const auto index = static_cast<std::size_t>(tab_);
    print_->setEnabled(v.printEnabled[index]);
    copy_->setEnabled(v.outputsEnabled);
    save_->setEnabled(v.outputsEnabled);
    if (dual_) ModelWindowBase::showOption(views_, static_cast<int>(v.dualView));
}

void FftChartTab::chartUpdated()
{
    for (FftPicture* p : {chart_, levelStrip_, frequencyStrip_}) p->drawn();
    const FftChartView& view = controller_.chart(tab_);
    notActual_->setVisible(view.notActualVisible);
    const FftChartCells& c = view.cells;
    const auto show = [](QLabel* label, const std::string& text) {
        if (label) ModelWindowBase::showValue(label, text);
    };
    show(cursorFrequency_, c.cursorFrequency);
    if (dual_) {
        show(cursorVolts_, c.cursorLevel);
    } else {
        show(dcLevel_, c.dcLevel);
        show(maxVolts_, c.maxVolts);
        show(maxDbv_, c.maxDbv);
        show(maxFrequency_, c.maxFrequency);
        show(cursorVolts_, c.cursorVolts);
        show(cursorDbv_, c.cursorDbv);
    }
    print_->setEnabled(controller_.view().printEnabled[static_cast<std::size_t>(tab_)]);
}

}  // namespace ql::gui
