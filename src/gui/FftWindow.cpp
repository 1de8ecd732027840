#include "FftWindow.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabBar>

#include "FftChartTab.h"
#include "FixedPlaces.h"
#include "QtPaintDevice.h"
#include "app/FftChartButtons.h"
#include "fft/FftLevels.h"
#include "fft/FftPageOutput.h"
#include "fft/WindowPreview.h"
#include "state/Twips.h"

namespace ql::gui {

namespace {

// The window's outer size of at least 6000 by 5160 twips, less its frame; wide enough for the
// dual tab's "Copy to clipb.", which ends at 6015 twips, and the margin the zoom row keeps.
constexpr int kMinimumWidth = 6075, kMinimumHeight = 4740;
// The strip below the tabs with the X-zoom and the scroll bar; its row from the bottom.
constexpr int kZoomStripHeight = 420, kZoomRowFromBottom = 345, kZoomRowHeight = 255;
constexpr int kZoomLabelLeft = 60, kZoomLabelWidth = 795;
constexpr int kZoomBoxLeft = 855, kZoomBoxWidth = 660;
constexpr int kScrollBarLeft = 1575, kRightMargin = 60;
// The preview of the Settings tab keeps its size, and with it what it shows.
constexpr int kPreviewLeft = 120, kPreviewTop = 1320, kPreviewWidth = 5655, kPreviewHeight = 2500;

int px(const QWidget& w, int twips)
{
    return twipsToPixels(twips, w.logicalDpiX());
}

}  // namespace

FftWindow::FftWindow(ProgramState& state, Host& host, FileDialogs& dialogs, char decimalSign,
                     QWidget* parent)
    : QWidget(parent),
      ModelWindow(*this, host, ToolWindow::FftWindow, state, host, dialogs, decimalSign),
      state_(state),
      decimalSign_(decimalSign)
{
    setObjectName(QStringLiteral("fftWindow"));
    setWindowTitle(QString::fromUtf8(kFftWindowCaption));
    setFont(toolWindowFont());
    setMinimumSize(twipsSize(*this, kMinimumWidth, kMinimumHeight));

    tabBar_ = new QTabBar(this);
    tabBar_->setObjectName(QStringLiteral("fftTabs"));
    tabBar_->setAccessibleName(QString::fromUtf8(kFftWindowCaption));
    for (const char* caption : kFftTabCaptions) tabBar_->addTab(QString::fromUtf8(caption));
    for (const FftTab tab : {FftTab::Ch1, FftTab::Ch2, FftTab::Dual}) {
        auto* page = new FftChartTab(model_, tab, this);
        chartTabs_[static_cast<std::size_t>(tab)] = page;
        pages_[static_cast<std::size_t>(tab)] = page;
    }
    pages_[static_cast<std::size_t>(FftTab::Settings)] = buildSettingsPage();
    buildZoomRow();
    onChosen(tabBar_, [this](int index) { return model_.tabChosen(static_cast<FftTab>(index)); });
    for (FftChartTab* page : chartTabs_) {
        const FftTab tab = page->tab();
        onPressed(page->printButton(), [this, tab] { return model_.printClicked(tab); });
        onPressed(page->copyButton(), [this, tab] { return model_.copyClicked(tab); });
        onPressed(page->saveButton(), [this, tab] { return model_.saveClicked(tab); });
        onEdited(page->titleBox(),
                 [this, tab](const std::string& text) { return model_.titleEdited(tab, text); });
    }
    const auto& dualViews = chartTab(FftTab::Dual)->viewOptions();
    for (std::size_t i = 0; i < dualViews.size(); ++i)
        onChosen(dualViews[i],
                 [this, i] { return model_.dualViewChosen(static_cast<DualView>(i)); });
    model_.preview().updated = [this] { preview_->drawn(); };
}

FftWindow::~FftWindow()
{
    model_.preview() = {};
    // The chart tabs let go of the controller's charts before the controller goes.
    for (FftChartTab*& tab : chartTabs_) {
        delete tab;
        tab = nullptr;
    }
}

void FftWindow::connectOutputs(Printer& printer, PictureClipboard& clipboard, Clock& clock)
{
    metricsPicture_ = textMetricsImage(kSpectrumPictureDpi);
    metrics_ = std::make_unique<QtPaintDevice>(metricsPicture_);
    model_.setOutputs(fftChartOutputs(state_, host(), printer, clipboard, clock, model_.charts(),
                                      metrics_.get(), decimalSign_));
}

QWidget* FftWindow::buildSettingsPage()
{
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("settingsTab"));
    logBox_ = new QCheckBox(QStringLiteral("Log -> 0dBV = 1V"), page);
    logBox_->setObjectName(QStringLiteral("logBox"));
    placeInTwips(*logBox_, 120, 240, 1875, 255);
    onSwitched(logBox_, [this](bool on) { return model_.logToggled(on); });

    auto* frame = new QGroupBox(QStringLiteral("Window"), page);
    frame->setObjectName(QStringLiteral("windowFrame"));
    placeInTwips(*frame, 120, 600, 5655, 675);
    const char* captions[4] = {"Rectangle", "Hanning", "Welch", "Blackman"};
    constexpr int lefts[4] = {120, 1440, 2820, 4320};
    for (int i = 0; i < 4; ++i) {
        auto* option = new QRadioButton(QString::fromUtf8(captions[i]), frame);
        option->setObjectName(QStringLiteral("windowOption%1").arg(i));
        placeInTwips(*option, lefts[i], 300, 1300, 255);
        onChosen(option, [this, i] {
            return model_.windowFunctionChosen(static_cast<WindowFunction>(i + 1));
        });
        windowOptions_[static_cast<std::size_t>(i)] = option;
    }
    preview_ = new FftPicture(page);
    preview_->setObjectName(QStringLiteral("windowPreview"));
    return page;
}

void FftWindow::buildZoomRow()
{
    zoomLabel_ = new QLabel(QStringLiteral("X-Zoom ="), this);
    zoomBox_ = new QSpinBox(this);
    zoomBox_->setObjectName(QStringLiteral("zoomBox"));
    zoomBox_->setAccessibleName(QStringLiteral("X-Zoom"));
    zoomBox_->setRange(1, kFftMaxZoom);
    zoomLabel_->setBuddy(zoomBox_);
    scrollBar_ = new QScrollBar(Qt::Horizontal, this);
    scrollBar_->setObjectName(QStringLiteral("fftScrollBar"));
    scrollBar_->setAccessibleName(QStringLiteral("First line shown"));
    scrollBar_->setFocusPolicy(Qt::StrongFocus);
    scrollBar_->setSingleStep(1);
    onMoved(zoomBox_, [this](int factor) { return model_.zoomChanged(factor); });
    onMoved(scrollBar_, [this](int position) { return model_.scrollChanged(position); });
}

FftChartTab* FftWindow::chartTab(FftTab tab) const
{
    return isChartTab(tab) ? chartTabs_[static_cast<std::size_t>(tab)] : nullptr;
}

QRadioButton* FftWindow::windowOption(WindowFunction window) const
{
    return windowOptions_[static_cast<std::size_t>(window) - 1];
}

void FftWindow::layOut()
{
    const int barHeight = tabBar_->sizeHint().height();
    tabBar_->setGeometry(0, 0, width(), barHeight);
    const QRect page(0, barHeight, width(),
                     std::max(0, height() - barHeight - px(*this, kZoomStripHeight)));
    for (QWidget* p : pages_) p->setGeometry(page);
    for (FftChartTab* tab : chartTabs_) tab->layOut(page.size(), freshPictures_);
    const QRect preview =
        twipsRect(*this, kPreviewLeft, kPreviewTop, kPreviewWidth, kPreviewHeight);
    const bool previewRemade = freshPictures_ || preview_->image().place().size() != preview.size();
    model_.preview().picture = nullptr;
    model_.preview().picture = preview_->place(preview, freshPictures_);
    if (previewRemade && model_.preview().picture)
        model_.preview().picture->clear(kPreviewBackground);
    freshPictures_ = false;

    const int rowTop = height() - px(*this, kZoomRowFromBottom);
    const int rowHeight = px(*this, kZoomRowHeight);
    zoomLabel_->setGeometry(px(*this, kZoomLabelLeft), rowTop, px(*this, kZoomLabelWidth),
                            rowHeight);
    zoomBox_->setGeometry(px(*this, kZoomBoxLeft), rowTop - 2, px(*this, kZoomBoxWidth),
                          rowHeight + 4);
    const int barLeft = px(*this, kScrollBarLeft);
    scrollBar_->setGeometry(barLeft, rowTop,
                            std::max(0, width() - barLeft - px(*this, kRightMargin)), rowHeight);
}

void FftWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layOut();
    if (isVisible()) model_.resized();
}

void FftWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    layOut();
    model_.resized();
    applyView();
}

void FftWindow::showView(const FftWindowView& v)
{
    tabBar_->setCurrentIndex(static_cast<int>(v.tab));
    for (std::size_t i = 0; i < pages_.size(); ++i)
        pages_[i]->setVisible(static_cast<int>(i) == static_cast<int>(v.tab));
    logBox_->setChecked(v.logLevels);
    showOption(windowOptions_, static_cast<int>(v.windowFunction) - 1);
    zoomBox_->setValue(v.zoomFactor);
    scrollBar_->setRange(0, v.zoom.scrollMax);
    scrollBar_->setPageStep(std::max(1, kSpectrumLastLine / v.zoomFactor));
    scrollBar_->setValue(v.zoom.scrollPos);
    scrollBar_->setEnabled(v.zoom.scrollEnabled);
    for (FftChartTab* tab : chartTabs_) {
        showText(tab->titleBox(), v.titles[static_cast<std::size_t>(tab->tab())]);
        tab->showView(v);
    }
}

void FftWindow::opened()
{
    model_.loaded();
    freshPictures_ = true;
    applyView();
}

void FftWindow::activated()
{
    model_.activated();
    applyView();
}

void FftWindow::chainMember(ProgramState&)
{
    model_.redraw();
    applyView();
}

}  // namespace ql::gui
