#include "MeasurementWindow.h"

#include <QAbstractButton>
#include <QLabel>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

#include "FixedPlaces.h"

namespace ql::gui {

namespace {

// Inner size and places in twips.
constexpr int kInnerWidth = 3225, kInnerHeight = 2040;
constexpr int kRowLabelLeft = 120, kRowLabelWidth = 615;
constexpr int kColumnLeft[2] = {840, 2040};
constexpr int kCellWidth = 1095, kCellHeight = 255;
constexpr int kHeadingTop = 120;
constexpr int kRowTop[kMeasureRowCount] = {360, 600, 840, 1080, 1440, 1680};
constexpr const char* kRowCaptions[kMeasureRowCount] = {"Vp+", "Vp-", "Vpp", "Vav", "Freq.", "dt"};
constexpr const char* kChannelCaptions[2] = {"CH I", "CH II"};
constexpr int kTextMargin = 2;

const QColor kHeadingColour(0, 192, 0);  // dark green
const QColor kChannelColour[2] = {QColor(0, 255, 0), QColor(0, 255, 255)};

// A value that moves the cursors when clicked: a cell of colour with its text, reached by Tab
// and pressed with Space like any button.
class ValueButton : public QAbstractButton {
public:
    ValueButton(const QColor& background, QWidget* parent)
        : QAbstractButton(parent), background_(background)
    {
        setFocusPolicy(Qt::TabFocus);
        setFont(toolWindowFont());
        setCursor(Qt::PointingHandCursor);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QStylePainter p(this);
        p.fillRect(rect(), background_);
        p.setPen(Qt::black);
        p.drawText(rect().adjusted(kTextMargin, 0, -kTextMargin, 0),
                   Qt::AlignLeft | Qt::AlignVCenter, text());
        if (hasFocus()) {
            QStyleOptionFocusRect option;
            option.initFrom(this);
            option.backgroundColor = background_;
            p.drawPrimitive(QStyle::PE_FrameFocusRect, option);
        }
    }

private:
    QColor background_;
};

}  // namespace

MeasurementWindow::MeasurementWindow(ProgramState& state, DisplayViews& views, Host& host,
                                     QWidget* parent)
    : QWidget(parent), ModelWindow(*this, host, ToolWindow::MeasurementWindow, state, views, host)
{
    setObjectName(QStringLiteral("measurementWindow"));
    setWindowTitle(QStringLiteral("Automeasurement"));
    setFont(toolWindowFont());
    setFixedSize(twipsSize(*this, kInnerWidth, kInnerHeight));

    for (int ch = 0; ch < 2; ++ch) {
        QLabel* heading =
            colouredCell(this, QString::fromUtf8(kChannelCaptions[ch]), kHeadingColour, true);
        placeInTwips(*heading, kColumnLeft[ch], kHeadingTop, kCellWidth, kCellHeight);
    }
    for (int row = 0; row < kMeasureRowCount; ++row) {
        auto* label = new QLabel(QString::fromUtf8(kRowCaptions[row]), this);
        label->setFont(toolWindowFont(true));
        placeInTwips(*label, kRowLabelLeft, kRowTop[row], kRowLabelWidth, kCellHeight);
        for (int ch = 0; ch < 2; ++ch) {
            const auto r = static_cast<MeasureRow>(row);
            const QString name = QString::fromUtf8(kChannelCaptions[ch]) + QLatin1Char(' ') +
                                 QString::fromUtf8(kRowCaptions[row]);
            QWidget* cell = nullptr;
            if (clickedCell(ch + 1, r)) {
                auto* button = new ValueButton(kChannelColour[ch], this);
                onPressed(button, [this, ch, r] { return model_.cellClicked(ch + 1, r); });
                cell = button;
            } else {
                cell = colouredCell(this, QString(), kChannelColour[ch], false);
            }
            cell->setObjectName(QStringLiteral("ch%1Row%2").arg(ch + 1).arg(row + 1));
            cell->setAccessibleName(name);
            placeInTwips(*cell, kColumnLeft[ch], kRowTop[row], kCellWidth, kCellHeight);
            cells_[ch][row] = cell;
        }
    }
}

QWidget* MeasurementWindow::valueCell(int channel, MeasureRow row) const
{
    return cells_[channel == 1 ? 0 : 1][static_cast<int>(row)];
}

void MeasurementWindow::showView(const MeasurementWindowView& v)
{
    const std::array<std::string, kMeasureRowCount>* texts[2] = {&v.ch1, &v.ch2};
    for (int ch = 0; ch < 2; ++ch)
        for (int row = 0; row < kMeasureRowCount; ++row) {
            const QString t = QString::fromStdString((*texts[ch])[static_cast<std::size_t>(row)]);
            if (auto* button = qobject_cast<QAbstractButton*>(cells_[ch][row]))
                button->setText(t);
            else if (auto* label = qobject_cast<QLabel*>(cells_[ch][row]))
                label->setText(t);
            // The name stays the caption ("CH I Vpp"); a screen reader reads the value here.
            cells_[ch][row]->setAccessibleDescription(t);
        }
}

}  // namespace ql::gui
