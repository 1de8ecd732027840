#include "HarmonicsWindow.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <algorithm>

#include "FixedPlaces.h"
#include "LimitEditor.h"
#include "PictureImage.h"
#include "QtPaintDevice.h"
#include "ScrollBarNames.h"
#include "state/Twips.h"

namespace ql::gui {

// One picture of the chart: shows the image the core drew, nothing else.
class HarmonicsPicture : public QWidget {
public:
    HarmonicsPicture(const char* name, QWidget* parent) : QWidget(parent)
    {
        setObjectName(QString::fromUtf8(name));
        setAttribute(Qt::WA_OpaquePaintEvent);
    }
    // A fresh image the size of the picture now.
    void remake() { image_.remake(QRect(QPoint(0, 0), size()), logicalDpiX()); }
    PaintDevice* device() const { return image_.device(); }
    const QImage& image() const { return image_.image(); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), palette().window());
        if (!image().isNull()) painter.drawImage(0, 0, image());
    }

private:
    PictureImage image_;
};

namespace {

// Colours of the labels and boxes.
const QColor kFundamentalCaptionColour(255, 255, 0);
const QColor kFundamentalColour(255, 255, 192);
const QColor kRmsCaptionColour(0, 255, 255);
const QColor kRmsColour(192, 255, 255);
const QColor kSweepLegendColour(0, 255, 0);
const QColor kAverageLegendColour(0, 0, 255);
const QColor kMaxHoldLegendColour(255, 0, 0);
const QColor kOptionCaptionColour(255, 192, 128);
const QColor kOptionBoxColour(255, 224, 192);
const QColor kHeadlineColour(192, 255, 255);

constexpr int kTableColumnTwips = 1000;
// The place of the limit editor on the "Settings" tab.
constexpr int kLimitEditorWidth = 5175;
constexpr int kLimitEditorHeight = 4635;
// Where the tab control's page starts below its top edge: the tab bar and the page's frame.
constexpr int kPageFramePixels = 2;

constexpr const char* kSpanCaptions[kHarmonicsSpanCount] = {"View 0 - SR/2", "View 0 - SR/4",
                                                            "View 0 - SR/8", "View 0 - SR/16"};
constexpr const char* kWindowCaptions[2] = {"Rectangle", "Hanning"};

QString text(const std::string& s)
{
    return QString::fromStdString(s);
}

QLineEdit* box(QWidget* parent, const char* name, const char* accessibleName,
               const QColor& background)
{
    auto* b = new QLineEdit(parent);
    b->setObjectName(QString::fromUtf8(name));
    b->setAccessibleName(QString::fromUtf8(accessibleName));
    b->setFont(toolWindowFont());
    QPalette palette = b->palette();
    palette.setColor(QPalette::Base, background);
    b->setPalette(palette);
    return b;
}

QPushButton* button(QWidget* parent, const char* caption, const char* name)
{
    QPushButton* b = namedButton(parent, caption, name);
    b->setFont(toolWindowFont());
    return b;
}

}  // namespace

HarmonicsWindow::HarmonicsWindow(ProgramState& state, Host& host, LimitStore& limits,
                                 char decimalSign, InstrumentLink& link, Printer& printer,
                                 FileDialogs& dialogs, QWidget* parent)
    : QWidget(parent),
      ModelWindow(*this, host, ToolWindow::HarmonicsWindow, state, host, limits, decimalSign),
      test_(link, printer, dialogs)
{
    setObjectName(QStringLiteral("harmonicsWindow"));
    setWindowTitle(QStringLiteral("Harmonic current emissions"));
    setFont(toolWindowFont());

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("harmonicsTabs"));
    measurementPage_ = new QWidget;
    measurementPage_->setObjectName(QStringLiteral("measurementTab"));
    settingsPage_ = new QWidget;
    settingsPage_->setObjectName(QStringLiteral("settingsTab"));
    tabs_->addTab(measurementPage_, QStringLiteral("Measurement"));
    tabs_->addTab(settingsPage_, QStringLiteral("Settings"));
    buildMeasurementTab(measurementPage_);
    buildSettingsTab(settingsPage_);
    // The editor fills its place.
    limitEditor_ = new LimitEditor(state, host, limits, decimalSign, limitEditorArea_);
    limitEditor_->resize(twipsSize(*this, kLimitEditorWidth, kLimitEditorHeight));

    onChosen(tabs_->tabBar(),
             [this](int index) { return model_.tabChosen(static_cast<HarmonicsTab>(index)); });
    HarmonicsChartView& chart = model_.chart();
    chart.stripBackground = Rgb{static_cast<std::uint8_t>(palette().window().color().red()),
                                static_cast<std::uint8_t>(palette().window().color().green()),
                                static_cast<std::uint8_t>(palette().window().color().blue())};
    chart.updated = [this] { chartDrawn(); };
}

HarmonicsWindow::~HarmonicsWindow()
{
    HarmonicsChartView& chart = model_.chart();
    chart.updated = nullptr;
    chart.chart = chart.levelStrip = chart.frequencyStrip = nullptr;
}

void HarmonicsWindow::buildMeasurementTab(QWidget* page)
{
    const auto cell = [&](const char* caption, const QColor& colour, TwipsRect place) {
        QLabel* label = colouredCell(page, QString::fromUtf8(caption), colour, false);
        places_.push_back({label, place});
        return label;
    };
    // A value cell: a screen reader says its name and then the value (showValue).
    const auto valueCell = [&](const char* name, const char* accessibleName, const QColor& colour,
                               TwipsRect place) {
        QLabel* label = cell("", colour, place);
        label->setObjectName(QString::fromUtf8(name));
        label->setAccessibleName(QString::fromUtf8(accessibleName));
        return label;
    };
    cell("Pk I-rms:", kFundamentalCaptionColour, {60, 480, 855, 315});
    fundamentalLabel_ =
        valueCell("fundamentalLabel", "Pk I-rms", kFundamentalColour, {900, 480, 855, 315});
    lineFrequencyLabel_ = valueCell("lineFrequencyLabel", "Line frequency", kFundamentalColour,
                                    {1740, 480, 795, 315});
    cell("I rms:", kRmsCaptionColour, {2580, 480, 855, 315});
    rmsLabel_ = valueCell("rmsLabel", "I rms", kRmsColour, {3420, 480, 855, 315});
    // The legends of the bars; the average's blue one in white letters.
    QLabel* averageLegend = cell("Av", kAverageLegendColour, {4920, 420, 615, 375});
    QPalette white = averageLegend->palette();
    white.setColor(QPalette::WindowText, Qt::white);
    averageLegend->setPalette(white);
    for (QLabel* legend : {cell("Act", kSweepLegendColour, {4320, 420, 615, 375}), averageLegend,
                           cell("Max", kMaxHoldLegendColour, {5520, 420, 615, 375})})
        legend->setAlignment(Qt::AlignCenter);

    // Start and Stop of the acquisition.
    startButton_ = button(page, "Start", "startButton");
    FontSpec arial;
    arial.face = "Arial";
    startButton_->setFont(QtPaintDevice::qtFont(arial));
    places_.push_back({startButton_, {6180, 420, 1275, 375}});
    onPressed(startButton_, [this] { test_.startStop(); });

    levelStrip_ = new HarmonicsPicture("levelStrip", page);
    chart_ = new HarmonicsPicture("harmonicsChart", page);
    frequencyStrip_ = new HarmonicsPicture("frequencyStrip", page);

    table_ = new QTableWidget(0, kHarmonicColumnCount, page);
    table_->setObjectName(QStringLiteral("resultTable"));
    table_->setAccessibleName(QStringLiteral("Harmonics result"));
    QStringList headers;
    for (std::string_view header : kHarmonicColumnHeaders)
        headers << QString::fromUtf8(header.data(), static_cast<int>(header.size()));
    table_->setHorizontalHeaderLabels(headers);
    table_->verticalHeader()->hide();
    // Rows as high as their text, so the table shows as many harmonics as it can.
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 4);
    table_->setCornerButtonEnabled(false);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setAutoFillBackground(true);
    nameScrollBars(table_);
    // Row k of the table is harmonic k; row 0 is the header row.
    connect(table_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
        model_.rowDoubleClicked(row + 1);
        table_->setCurrentCell(row, static_cast<int>(HarmonicColumn::Frequency));
    });
}

void HarmonicsWindow::buildSettingsTab(QWidget* page)
{
    const auto place = [&](QWidget* control, TwipsRect where) {
        places_.push_back({control, where});
        return control;
    };
    const auto caption = [&](const char* t, const QColor& colour, TwipsRect where) {
        place(colouredCell(page, QString::fromUtf8(t), colour, false), where);
    };

    caption("1A = ", kOptionCaptionColour, {240, 540, 675, 315});
    voltsPerAmpBox_ = box(page, "voltsPerAmpBox", "Volts per ampere", kOptionBoxColour);
    place(voltsPerAmpBox_, {900, 540, 555, 315});
    caption("V", kOptionBoxColour, {1440, 540, 615, 315});
    caption("Line=", kOptionCaptionColour, {240, 900, 675, 315});
    // The line frequency comes from the automatic choice and settings files only.
    lineFrequencyBox_ = box(page, "lineFrequencyBox", "Line frequency", kOptionBoxColour);
    lineFrequencyBox_->setReadOnly(true);
    place(lineFrequencyBox_, {900, 900, 555, 315});
    caption("Hz", kOptionBoxColour, {1440, 900, 615, 315});
    caption("Pf=", kOptionCaptionColour, {240, 1260, 675, 315});
    powerFactorBox_ = box(page, "powerFactorBox", "Power factor", kOptionBoxColour);
    place(powerFactorBox_, {900, 1260, 555, 315});

    autoFrequencyBox_ = new QCheckBox(QStringLiteral("Auto Freq. 50/60Hz"), page);
    autoFrequencyBox_->setObjectName(QStringLiteral("autoFrequencyBox"));
    place(autoFrequencyBox_, {240, 1680, 1815, 240});
    maxHoldBox_ = new QCheckBox(QStringLiteral("Max. Hold"), page);
    maxHoldBox_->setObjectName(QStringLiteral("maxHoldBox"));
    place(maxHoldBox_, {240, 1920, 1755, 240});

    // The instrument set-up, clearing the results, the export and the report.
    const auto actionButton = [&](const char* caption, const char* name, TwipsRect where,
                                  auto work) {
        QPushButton* b = button(page, caption, name);
        place(b, where);
        onPressed(b, work);
    };
    actionButton("Defaultsetting", "defaultSettingButton", {240, 2160, 1815, 315},
                 [this] { test_.defaultSetting(); });
    actionButton("Clear Harmonics", "clearButton", {240, 2520, 1815, 315},
                 [this] { model_.clearPressed(); });
    actionButton("Export as *.tab", "exportButton", {240, 4800, 1815, 315},
                 [this] { test_.exportTable(model_); });
    actionButton("Print (Headline >>>)", "printButton", {240, 5220, 1995, 315},
                 [this] { test_.printReport(model_); });

    auto* spanFrame = new QGroupBox(page);
    spanFrame->setObjectName(QStringLiteral("spanFrame"));
    spanFrame->setAccessibleName(QStringLiteral("View"));
    place(spanFrame, {240, 2820, 1815, 1215});
    for (int i = 0; i < kHarmonicsSpanCount; ++i) {
        spanOptions_[i] = new QRadioButton(QString::fromUtf8(kSpanCaptions[i]), spanFrame);
        spanOptions_[i]->setObjectName(QStringLiteral("spanOption%1").arg(i));
        placeInTwips(*spanOptions_[i], 120, 180 + 240 * i, i == 0 ? 1575 : 1635, 255);
        onChosen(spanOptions_[i],
                 [this, i] { return model_.spanChosen(static_cast<HarmonicsSpan>(i)); });
    }
    auto* windowFrame = new QGroupBox(page);
    windowFrame->setObjectName(QStringLiteral("windowFrame"));
    windowFrame->setAccessibleName(QStringLiteral("Window"));
    place(windowFrame, {240, 4020, 1815, 735});
    for (int i = 0; i < 2; ++i) {
        windowOptions_[i] = new QRadioButton(QString::fromUtf8(kWindowCaptions[i]), windowFrame);
        windowOptions_[i]->setObjectName(QStringLiteral("windowOption%1").arg(i));
        placeInTwips(*windowOptions_[i], 120, 180 + 240 * i, 1335, 255);
        onChosen(windowOptions_[i], [this, i] {
            return model_.windowFunctionChosen(static_cast<HarmonicsWindowFunction>(i));
        });
    }

    headlineBox_ = box(page, "headlineBox", "Printout headline", kHeadlineColour);
    headlineBox_->setMaxLength(kHarmonicsHeadlineLength);
    place(headlineBox_, {2220, 5220, 5235, 360});

    limitEditorArea_ = new QWidget(page);
    limitEditorArea_->setObjectName(QStringLiteral("limitEditorArea"));
    place(limitEditorArea_, {2220, 540, kLimitEditorWidth, kLimitEditorHeight});

    // Enter and leaving a box take its entry; the headline follows every edit. The line
    // frequency box only shows: a text set in it from outside gives way to the state again.
    onEntered(voltsPerAmpBox_,
              [this](const std::string& text) { return model_.voltsPerAmpEntered(text); });
    onEntered(powerFactorBox_,
              [this](const std::string& text) { return model_.powerFactorEntered(text); });
    onEntered(lineFrequencyBox_, [](const std::string&) {});
    onEdited(headlineBox_, [this](const std::string& text) { return model_.headlineEdited(text); });
    onSwitched(autoFrequencyBox_,
               [this](bool checked) { return model_.autoFrequencyToggled(checked); });
    onSwitched(maxHoldBox_, [this](bool checked) { return model_.maxHoldToggled(checked); });
}

void HarmonicsWindow::opened()
{
    // The frame keeps the window's smallest size.
    if (QWidget* f = frame())
        f->setMinimumSize(twipsSize(*this, kHarmonicsWindowMinWidth, kHarmonicsWindowMinHeight));
    model_.opened();
    limitEditor_->opened();
    applyView();
}

void HarmonicsWindow::activated()
{
    model_.activated();
    limitEditor_->activated();
    applyView();
}

QWidget* HarmonicsWindow::frame() const
{
    return qobject_cast<QMdiSubWindow*>(parentWidget());
}

bool HarmonicsWindow::minimised() const
{
    const QWidget* f = frame();
    return f && f->isMinimized();
}

void HarmonicsWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (minimised()) return;
    layOut();
    runAnalysis();
}

void HarmonicsWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (!isVisible() || minimised()) return;
    layOut();
    model_.resized(false);
    applyView();
}

void HarmonicsWindow::layOut()
{
    const double dpiX = logicalDpiX(), dpiY = logicalDpiY();
    const QWidget* f = frame();
    const QWidget& outer = f ? *f : *this;
    const HarmonicsWindowLayout l = harmonicsWindowLayout(pixelsToTwips(outer.width(), dpiX),
                                                          pixelsToTwips(outer.height(), dpiY));
    // The tab control as the layout says, kept inside this window's area.
    const QRect tabs = twipsRect(*this, l.tabs.left, l.tabs.top, l.tabs.width, l.tabs.height);
    tabs_->setGeometry(tabs.intersected(rect()));
    // Places on the tab control are given from its top edge; the pages start below the bar.
    const int pageTop =
        pixelsToTwips(tabs_->tabBar()->sizeHint().height() + kPageFramePixels, dpiY);
    const auto onPage = [&](QWidget& control, const TwipsRect& r) {
        control.setGeometry(twipsRect(*this, r.left, r.top - pageTop, r.width, r.height));
    };
    for (const FixedPlace& p : places_) onPage(*p.control, p.place);
    onPage(*levelStrip_, l.levelStrip);
    onPage(*chart_, l.chart);
    onPage(*frequencyStrip_, l.frequencyStrip);
    onPage(*table_, l.table);
    // The table ends inside its page, whatever the style's frame and bar take.
    const int pageHeight =
        tabs_->height() - tabs_->tabBar()->sizeHint().height() - 2 * kPageFramePixels;
    QRect table = table_->geometry();
    table.setHeight(std::clamp(pageHeight - table.top(), 0, table.height()));
    table_->setGeometry(table);
    for (int c = 0; c < kHarmonicColumnCount; ++c)
        table_->setColumnWidth(c, twipsToPixels(kTableColumnTwips, dpiX));

    HarmonicsChartView& chart = model_.chart();
    chart.chart = chart.levelStrip = chart.frequencyStrip = nullptr;
    for (HarmonicsPicture* picture : {levelStrip_, chart_, frequencyStrip_}) picture->remake();
    chart.chart = chart_->device();
    chart.levelStrip = levelStrip_->device();
    chart.frequencyStrip = frequencyStrip_->device();
}

void HarmonicsWindow::runAnalysis()
{
    model_.run();
    applyView();
}

void HarmonicsWindow::showView(const HarmonicsWindowView& v)
{
    showText(voltsPerAmpBox_, v.voltsPerAmpText);
    showText(lineFrequencyBox_, v.lineFrequencyText);
    showText(powerFactorBox_, v.powerFactorText);
    showText(headlineBox_, v.headline);
    autoFrequencyBox_->setChecked(v.autoFrequency);
    maxHoldBox_->setChecked(v.maxHold);
    showOption(spanOptions_, static_cast<int>(v.span));
    showOption(windowOptions_, static_cast<int>(v.windowFunction));
    startButton_->setText(text(v.startCaption));
    showValue(fundamentalLabel_, v.fundamentalText);
    showValue(lineFrequencyLabel_, v.lineFrequencyLabel);
    showValue(rmsLabel_, v.rmsText);
    // The colour says the overall result; the description says it to a screen reader.
    table_->setAccessibleDescription(text(v.resultText));
    QPalette palette = table_->palette();
    const QColor colour(v.tableColor.r, v.tableColor.g, v.tableColor.b);
    palette.setColor(QPalette::Base, colour);
    palette.setColor(QPalette::Window, colour);
    table_->setPalette(palette);
    showTable();
}

void HarmonicsWindow::showTable()
{
    const std::vector<HarmonicRow>& rows = model_.result().rows;
    table_->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r)
        for (int c = 0; c < kHarmonicColumnCount; ++c) {
            const QString cell = text(rows[static_cast<std::size_t>(r)].cells[c]);
            if (QTableWidgetItem* item = table_->item(r, c))
                item->setText(cell);
            else
                table_->setItem(r, c, new QTableWidgetItem(cell));
        }
}

void HarmonicsWindow::chartDrawn()
{
    for (HarmonicsPicture* picture : {levelStrip_, chart_, frequencyStrip_}) picture->update();
}

QImage HarmonicsWindow::chartPicture() const
{
    const QRect whole = levelStrip_->geometry() | chart_->geometry() | frequencyStrip_->geometry();
    QImage picture(whole.size(), QImage::Format_RGB32);
    picture.fill(palette().window().color());
    QPainter painter(&picture);
    for (const HarmonicsPicture* p : {levelStrip_, chart_, frequencyStrip_})
        if (!p->image().isNull())
            painter.drawImage(p->geometry().topLeft() - whole.topLeft(), p->image());
    return picture;
}

}  // namespace ql::gui
