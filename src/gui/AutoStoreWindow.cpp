#include "AutoStoreWindow.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <cstdio>

#include "FixedPlaces.h"

namespace ql::gui {

namespace {

constexpr int kMinutesBoxCharacters = 6;
constexpr int kFileLabelCharacters = 40;

}  // namespace

AutoStoreWindow::AutoStoreWindow(InstrumentLink& link, FileDialogs& dialogs, char decimalSign,
                                 QWidget* parent)
    : QWidget(parent),
      ModelWindow(*this, link.context().host, ToolWindow::AutostoreWindow, link, decimalSign)
{
    setObjectName(QStringLiteral("autoStoreWindow"));
    setWindowTitle(QString::fromUtf8(kAutoStoreWindowTitle));

    box_ = new QFrame(this);
    box_->setObjectName(QStringLiteral("autoStoreFrame"));
    box_->setAccessibleName(QStringLiteral("Autostore settings"));
    box_->setFrameShape(QFrame::StyledPanel);

    timed_ = new QRadioButton(QStringLiteral("Store every"), box_);
    timed_->setObjectName(QStringLiteral("timedOption"));
    afterTrigger_ = new QRadioButton(QStringLiteral("Store after trigger"), box_);
    afterTrigger_->setObjectName(QStringLiteral("afterTriggerOption"));
    minutes_ = new QLineEdit(box_);
    minutes_->setObjectName(QStringLiteral("minutesBox"));
    minutes_->setAccessibleName(QStringLiteral("Minutes"));
    minutes_->setMaximumWidth(minutes_->fontMetrics().averageCharWidth() * kMinutesBoxCharacters);
    auto* minutesLabel = new QLabel(QStringLiteral("minutes"), box_);
    minutesLabel->setBuddy(minutes_);
    print_ = new QCheckBox(QStringLiteral("Print after storage"), box_);
    print_->setObjectName(QStringLiteral("printBox"));
    table_ = new QCheckBox(QStringLiteral("Save as table"), box_);
    table_->setObjectName(QStringLiteral("tableBox"));
    QPushButton* selectFile = namedButton(box_, "Select &Filename", "selectFileButton");
    fileLabel_ = new QLabel(QStringLiteral("Filename"), box_);
    fileLabel_->setObjectName(QStringLiteral("fileLabel"));
    fileLabel_->setMinimumWidth(fileLabel_->fontMetrics().averageCharWidth() *
                                kFileLabelCharacters);

    onChosen(timed_, [this] { return model_.modeChosen(true); });
    onChosen(afterTrigger_, [this] { return model_.modeChosen(false); });
    onEntered(minutes_, [this](const std::string& text) { return model_.minutesEntered(text); });
    onSwitched(print_, [this](bool checked) { return model_.printToggled(checked); });
    onSwitched(table_, [this](bool checked) { return model_.tableToggled(checked); });
    onPressed(selectFile, [this, &dialogs] {
        const Followup f = model_.selectFilename(dialogs);
        paintView();  // the frame fits the name as the label shows it
        fitFrame();
        return f;
    });

    auto* grid = new QGridLayout(box_);
    grid->addWidget(timed_, 0, 0);
    grid->addWidget(minutes_, 0, 1);
    grid->addWidget(minutesLabel, 0, 2);
    grid->addWidget(afterTrigger_, 1, 0, 1, 3);
    grid->addWidget(print_, 2, 0, 1, 3);
    grid->addWidget(table_, 3, 0, 1, 3);
    grid->addWidget(selectFile, 4, 0);
    grid->addWidget(fileLabel_, 4, 1, 1, 3);
    grid->setColumnStretch(3, 1);

    start_ = namedButton(this, "&Start", "startButton");
    stop_ = namedButton(this, "S&top", "stopButton");
    exit_ = namedButton(this, "E&xit", "exitButton");
    onPressed(start_, [this] { return model_.startPause(); });
    onPressed(stop_, [this] { return model_.stop(); });
    onPressed(exit_, [this] { return model_.exit(); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(start_);
    buttons->addWidget(stop_);
    buttons->addWidget(exit_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(box_);
    layout->addLayout(buttons);
    // The frame is made, and placed on a first start, at the size the stored file name gives.
    paintView();
}

void AutoStoreWindow::opened()
{
    model_.opened();
    applyView();
    fitFrame();
}

QWidget* AutoStoreWindow::openingFocus() const
{
    return timed_->isChecked() ? timed_ : afterTrigger_;
}

void AutoStoreWindow::fitFrame()
{
    // The frame grows so that the whole file name shows; it never shrinks under the user.
    QWidget* frame = parentWidget();
    if (!frame) return;
    // A hidden window's layouts keep the sizes they had before the new name.
    box_->updateGeometry();
    updateGeometry();
    frame->resize(frame->size().expandedTo(frame->sizeHint()));
}

void AutoStoreWindow::showView(const AutoStoreView& v)
{
    showOption({timed_, afterTrigger_}, v.timed ? 0 : 1);
    print_->setChecked(v.printAfterStorage);
    table_->setChecked(v.saveAsTable);
    showText(minutes_, v.minutesText);
    fileLabel_->setText(QString::fromStdString(v.fileLabel));
    start_->setText(QString::fromStdString(v.startCaption));
    start_->setEnabled(v.startEnabled);
    stop_->setEnabled(v.stopEnabled);
    exit_->setEnabled(v.exitEnabled);
}

}  // namespace ql::gui
