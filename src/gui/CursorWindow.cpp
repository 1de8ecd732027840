#include "CursorWindow.h"

#include <QCheckBox>
#include <QLabel>
#include <QScrollBar>

#include "FixedPlaces.h"

namespace ql::gui {

namespace {

// Inner size and places in twips (left, top, width, height).
constexpr int kInnerWidth = 3225, kInnerHeight = 1680;
constexpr int kColumnLeft[3] = {720, 1500, 2340};
constexpr int kColumnWidth[3] = {795, 855, 795};
constexpr int kRowTop[2] = {360, 660};
constexpr int kCellHeight = 255;
constexpr int kBarLargeStep = 100;

// Background colours: each column's cells share their heading's colour.
const QColor kCursor1Colour(128, 255, 128);     // light green
const QColor kCursor2Colour(0, 255, 255);       // cyan
const QColor kDifferenceColour(255, 255, 192);  // light yellow
const QColor kTrace1Colour(255, 160, 160);      // light red
const QColor kTrace2Colour(160, 192, 255);      // light blue
const QColor kTimeColour(255, 255, 0);          // yellow
constexpr const char* kColumnCaptions[3] = {"Cursor I", "Cursor II", "CI - CII"};

QString text(const std::string& s)
{
    return QString::fromStdString(s);
}

QScrollBar* cursorBar(QWidget* parent, const char* name, const char* accessibleName)
{
    auto* bar = new QScrollBar(Qt::Horizontal, parent);
    bar->setObjectName(QString::fromUtf8(name));
    bar->setAccessibleName(QString::fromUtf8(accessibleName));
    bar->setFocusPolicy(Qt::StrongFocus);
    bar->setRange(kFirstCursorPosition, kLastCursorPosition);
    bar->setSingleStep(1);
    bar->setPageStep(kBarLargeStep);
    return bar;
}

}  // namespace

CursorWindow::CursorWindow(ProgramState& state, DisplayViews& views, Host& host, QWidget* parent)
    : QWidget(parent), ModelWindow(*this, host, ToolWindow::CursorWindow, state, views, host)
{
    setObjectName(QStringLiteral("cursorWindow"));
    setWindowTitle(QStringLiteral("Cursor"));
    setFont(toolWindowFont());
    setFixedSize(twipsSize(*this, kInnerWidth, kInnerHeight));

    refBox_ = new QCheckBox(QStringLiteral("Ref"), this);
    refBox_->setObjectName(QStringLiteral("refBox"));
    placeInTwips(*refBox_, 60, 120, 675, 195);

    const QColor columnColours[3] = {kCursor1Colour, kCursor2Colour, kDifferenceColour};
    for (int c = 0; c < 3; ++c) {
        QLabel* heading =
            colouredCell(this, QString::fromUtf8(kColumnCaptions[c]), columnColours[c], true);
        placeInTwips(*heading, kColumnLeft[c], 60, kColumnWidth[c], kCellHeight);
    }
    trace1Heading_ = colouredCell(this, QStringLiteral("CH I"), kTrace1Colour, true);
    placeInTwips(*trace1Heading_, 60, kRowTop[0], 675, kCellHeight);
    trace2Heading_ = colouredCell(this, QStringLiteral("CH II"), kTrace2Colour, true);
    placeInTwips(*trace2Heading_, 60, kRowTop[1], 675, kCellHeight);
    for (int t = 0; t < 2; ++t)
        for (int c = 0; c < 3; ++c) {
            QLabel* cell = colouredCell(this, QString(), columnColours[c], false);
            cell->setObjectName(QStringLiteral("trace%1Column%2").arg(t + 1).arg(c + 1));
            placeInTwips(*cell, kColumnLeft[c], kRowTop[t], kColumnWidth[c], kCellHeight);
            values_[t][c] = cell;
        }

    auto* dtLabel = colouredCell(this, QStringLiteral("dt"), palette().window().color(), true);
    placeInTwips(*dtLabel, 60, 1020, 555, kCellHeight);
    time_ = colouredCell(this, QString(), kTimeColour, false);
    time_->setObjectName(QStringLiteral("timeCell"));
    time_->setAccessibleName(QStringLiteral("dt"));
    placeInTwips(*time_, 600, 1020, 1035, kCellHeight);
    auto* freqLabel = colouredCell(this, QStringLiteral("1/dt"), palette().window().color(), true);
    placeInTwips(*freqLabel, 60, 1380, 555, kCellHeight);
    frequency_ = colouredCell(this, QString(), kTimeColour, false);
    frequency_->setObjectName(QStringLiteral("frequencyCell"));
    frequency_->setAccessibleName(QStringLiteral("1/dt"));
    placeInTwips(*frequency_, 600, 1380, 1035, kCellHeight);

    auto* cursor1Label = new QLabel(QStringLiteral("Cursor I"), this);
    placeInTwips(*cursor1Label, 1800, 960, 1335, 195);
    cursor1Bar_ = cursorBar(this, "cursor1Bar", "Cursor I");
    placeInTwips(*cursor1Bar_, 1800, 1140, 1335, 135);
    auto* cursor2Label = new QLabel(QStringLiteral("Cursor II"), this);
    placeInTwips(*cursor2Label, 1860, 1320, 1275, 195);
    cursor2Bar_ = cursorBar(this, "cursor2Bar", "Cursor II");
    placeInTwips(*cursor2Bar_, 1800, 1500, 1335, 135);

    onMoved(cursor1Bar_, [this](int v) { return model_.cursor1BarChanged(v); });
    onMoved(cursor2Bar_, [this](int v) { return model_.cursor2BarChanged(v); });
    onSwitched(refBox_, [this](bool checked) { return model_.refBoxChanged(checked); });
}

void CursorWindow::showView(const CursorWindowView& v)
{
    const CursorReadout& r = v.readout;
    refBox_->setText(text(r.refBoxCaption));
    refBox_->setChecked(v.refBoxChecked);
    refBox_->setEnabled(r.refBoxEnabled);
    trace1Heading_->setText(text(r.trace1Heading));
    trace2Heading_->setText(text(r.trace2Heading));
    // A value cell's name is its row and column, its description the value.
    const QString headings[2] = {text(r.trace1Heading), text(r.trace2Heading)};
    const TraceReadout* traces[2] = {&r.trace1, &r.trace2};
    for (int t = 0; t < 2; ++t) {
        const std::string* cells[3] = {&traces[t]->atCursor1Text, &traces[t]->atCursor2Text,
                                       &traces[t]->differenceText};
        for (int c = 0; c < 3; ++c) {
            showValue(values_[t][c], *cells[c]);
            values_[t][c]->setAccessibleName(headings[t] + QLatin1Char(' ') +
                                             QString::fromUtf8(kColumnCaptions[c]));
        }
    }
    showValue(time_, r.dtText);
    showValue(frequency_, r.frequencyText);
    cursor1Bar_->setValue(v.cursor1);
    cursor2Bar_->setValue(v.cursor2);
}

void CursorWindow::opened()
{
    model_.opened();
    paintView();
}

}  // namespace ql::gui
