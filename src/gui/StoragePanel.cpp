#include "StoragePanel.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QStackedWidget>
#include <functional>

#include "display/TraceDrawing.h"

namespace ql::gui {

namespace {

constexpr Rgb kReadoutBackground = {255, 255, 255};

// A push button that acts when a mouse button is released over it and tells which one: the
// left button (or the keyboard: space, Enter) or the right one.
class MouseUpButton : public QPushButton {
public:
    MouseUpButton(const QString& caption, QWidget* parent,
                  std::function<void(MouseButton)> released)
        : QPushButton(caption, parent), released_(std::move(released))
    {
        connect(this, &QPushButton::clicked, this, [this] { released_(MouseButton::Left); });
    }

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() != Qt::RightButton) return QPushButton::mousePressEvent(event);
        setDown(true);
        event->accept();
    }

    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (event->button() != Qt::RightButton) return QPushButton::mouseReleaseEvent(event);
        // Like a click, the release counts only over the button that was pressed.
        const bool over = isDown() && hitButton(event->position().toPoint());
        setDown(false);
        event->accept();
        if (over) released_(MouseButton::Right);
    }

private:
    std::function<void(MouseButton)> released_;
};

}  // namespace

StoragePanel::StoragePanel(ProgramState& state, Host& host, InstrumentOperations& operations,
                           char decimalSign, QWidget* parent)
    : SettingsPanel(host, ToolWindow::StoragePanel, UiAction::StorageMenuItem,
                    QStringLiteral("Storage"), QStringLiteral("storagePanel"), parent, state,
                    decimalSign)
{
    auto* layout = new QHBoxLayout;
    layout->addWidget(buildModes(), 0, Qt::AlignTop);
    auto* middle = new QVBoxLayout;
    middle->addWidget(buildPretrigger());
    middle->addWidget(buildReferences(), 1);
    layout->addLayout(middle);
    layout->addWidget(buildButtons(operations), 0, Qt::AlignTop);
    setPanelLayout(layout);
}

QWidget* StoragePanel::buildModes()
{
    auto* column = new QWidget(this);
    column->setObjectName(QStringLiteral("modesColumn"));
    auto* box = new QVBoxLayout(column);
    box->setContentsMargins(0, 0, 0, 0);
    QGroupBox* frame =
        optionGroup(QStringLiteral("Stor. Mode"),
                    {QStringLiteral("Refresh"), QStringLiteral("Single -----"),
                     QStringLiteral("Roll"), QStringLiteral("Envelope"), QStringLiteral("Average")},
                    QStringLiteral("storageMode"), modes_);
    digital_ = checkBox(QStringLiteral("On"), QStringLiteral("digitalBox"));
    qobject_cast<QBoxLayout*>(frame->layout())->insertWidget(0, digital_);
    box->addWidget(frame);
    average_ = list(QStringLiteral("averageList"), QStringLiteral("averages"));
    average_->setMinimumContentsLength(4);
    box->addWidget(average_);
    peakDetect_ = checkBox(QStringLiteral("PK-DET"), QStringLiteral("peakDetectBox"));
    hold_ = checkBox(QStringLiteral("Hold"), QStringLiteral("holdBox"));
    for (QWidget* w : {static_cast<QWidget*>(peakDetect_), static_cast<QWidget*>(hold_)}) {
        // A model without the control leaves its place empty.
        QSizePolicy keepPlace = w->sizePolicy();
        keepPlace.setRetainSizeWhenHidden(true);
        w->setSizePolicy(keepPlace);
        box->addWidget(w);
    }

    onSwitched(digital_, [this](bool checked) { return model_.digitalSwitched(checked); });
    onChosen(modes_, [this](int option) { return model_.modeChosen(option); });
    onChosen(average_, [this](int entry) { return model_.averageChosen(entry); });
    onSwitched(peakDetect_, [this](bool checked) { return model_.peakDetectSwitched(checked); });
    onSwitched(hold_, [this](bool checked) { return model_.holdSwitched(checked); });
    return column;
}

QWidget* StoragePanel::buildPretrigger()
{
    using M = StoragePanelModel;
    auto* frame = new QGroupBox(QStringLiteral("PreTrig"), this);
    frame->setObjectName(QStringLiteral("pretriggerFrame"));
    auto* frameLayout = new QVBoxLayout(frame);
    pretrigger_ = new QStackedWidget(frame);
    pretrigger_->setObjectName(QStringLiteral("pretriggerControls"));
    frameLayout->addWidget(pretrigger_);

    // The steps: "On" and the per cent list.
    auto* steps = new QWidget(pretrigger_);
    steps->setObjectName(QStringLiteral("pretriggerSteps"));
    auto* stepsRow = new QHBoxLayout(steps);
    stepsRow->setContentsMargins(0, 0, 0, 0);
    pretriggerOn_ = checkBox(QStringLiteral("On"), QStringLiteral("pretriggerBox"));
    pretriggerSteps_ = list(QStringLiteral("pretriggerList"), QStringLiteral("pre-trigger %"));
    pretriggerSteps_->setMinimumContentsLength(4);
    stepsRow->addWidget(pretriggerOn_);
    stepsRow->addWidget(pretriggerSteps_);
    pretrigger_->addWidget(steps);

    // The variable position: a bar of samples and its time.
    auto* variable = new QWidget(pretrigger_);
    variable->setObjectName(QStringLiteral("pretriggerVariable"));
    auto* variableColumn = new QVBoxLayout(variable);
    variableColumn->setContentsMargins(0, 0, 0, 0);
    pretriggerBar_ =
        bar(Qt::Horizontal, -M::kPretriggerReach, M::kPretriggerReach, M::kPretriggerLargeStep,
            QStringLiteral("pretriggerBar"), QStringLiteral("pre-trigger position"));
    pretriggerBar_->setSingleStep(M::kPretriggerSmallStep);
    pretriggerBar_->setMinimumWidth(120);
    pretriggerTime_ =
        valueLabel(QStringLiteral("pretriggerTime"), QStringLiteral("pre-trigger time"));
    pretriggerTime_->setFrameShape(QFrame::Panel);
    pretriggerTime_->setFrameShadow(QFrame::Sunken);
    pretriggerTime_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    pretriggerTime_->setMinimumWidth(90);
    showBackground(pretriggerTime_, kReadoutBackground);
    variableColumn->addWidget(pretriggerBar_);
    variableColumn->addWidget(pretriggerTime_);
    pretrigger_->addWidget(variable);

    onSwitched(pretriggerOn_, [this](bool checked) { return model_.pretriggerSwitched(checked); });
    onChosen(pretriggerSteps_, [this](int entry) { return model_.pretriggerChosen(entry); });
    onMoved(pretriggerBar_, [this](int value) { return model_.pretriggerMoved(value); });
    return frame;
}

QWidget* StoragePanel::buildReferences()
{
    using M = StoragePanelModel;
    auto* block = new QWidget(this);
    block->setObjectName(QStringLiteral("referencesBlock"));
    auto* grid = new QGridLayout(block);
    grid->setContentsMargins(0, 0, 0, 0);

    // Above REF I's bar stands its colour, or "TRS" while it moves the time base B traces.
    ref1Swatch_ = label(QString(), QStringLiteral("ref1Swatch"));
    ref1Swatch_->setFixedSize(16, 8);
    showBackground(ref1Swatch_, qbColor(traceColor(CursorTrace::Ref1)));
    traceSeparation_ = label(QStringLiteral("TRS"), QStringLiteral("traceSeparationLabel"));
    auto* ref2Swatch = label(QString(), QStringLiteral("ref2Swatch"));
    ref2Swatch->setFixedSize(16, 8);
    showBackground(ref2Swatch, qbColor(traceColor(CursorTrace::Ref2)));
    grid->addWidget(ref1Swatch_, 0, 0, Qt::AlignCenter);
    grid->addWidget(traceSeparation_, 0, 0, Qt::AlignCenter);
    grid->addWidget(ref2Swatch, 0, 1, Qt::AlignCenter);

    // The bars run from 127 at the top to -128 at the bottom; the up key raises them.
    const auto refBar = [&](const QString& name, const QString& field) {
        QAbstractSlider* b =
            bar(Qt::Vertical, M::kRefBottom, M::kRefTop, M::kRefLargeStep, name, field);
        b->setInvertedAppearance(true);
        b->setInvertedControls(false);
        b->setMinimumHeight(90);
        return b;
    };
    ref1Bar_ = refBar(QStringLiteral("ref1Bar"), QStringLiteral("REF I position"));
    ref2Bar_ = refBar(QStringLiteral("ref2Bar"), QStringLiteral("REF II position"));
    grid->addWidget(ref1Bar_, 1, 0, Qt::AlignHCenter);
    grid->addWidget(ref2Bar_, 1, 1, Qt::AlignHCenter);
    grid->setRowStretch(1, 1);

    ref1_ = checkBox(QStringLiteral("Ref I"), QStringLiteral("ref1Box"));
    ref2_ = checkBox(QStringLiteral("Ref II"), QStringLiteral("ref2Box"));
    QSizePolicy keepPlace = ref1_->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    ref1_->setSizePolicy(keepPlace);
    grid->addWidget(ref1_, 2, 0);
    grid->addWidget(ref2_, 2, 1);

    onSwitched(ref1_, [this](bool checked) { return model_.ref1Switched(checked); });
    onSwitched(ref2_, [this](bool checked) { return model_.ref2Switched(checked); });
    onMoved(ref1Bar_, [this](int value) { return model_.ref1Moved(value); });
    onMoved(ref2Bar_, [this](int value) { return model_.ref2Moved(value); });
    return block;
}

QWidget* StoragePanel::buildButtons(InstrumentOperations& operations)
{
    auto* column = new QWidget(this);
    column->setObjectName(QStringLiteral("buttonsColumn"));
    auto* box = new QVBoxLayout(column);
    box->setContentsMargins(0, 0, 0, 0);
    auto* slotRow = new QHBoxLayout;
    slotRow->addWidget(label(QStringLiteral("Set"), QStringLiteral("slotLabel")));
    slot_ = list(QStringLiteral("slotList"), QStringLiteral("set-up memory"));
    slot_->setMinimumContentsLength(2);
    slotRow->addWidget(slot_);
    box->addLayout(slotRow);
    onChosen(slot_, [this](int entry) { return model_.slotChosen(entry); });

    // The buttons talk to the instrument at once; the reads among them repaint the panels.
    reset_ = new MouseUpButton(QStringLiteral("Reset"), column,
                               [&operations](MouseButton b) { operations.resetReleased(b); });
    saveReferences_ = new QPushButton(QStringLiteral("Set"), column);
    auto* save = new QPushButton(QStringLiteral("Save"), column);
    auto* recall = new QPushButton(QStringLiteral("Recall"), column);
    reset_->setObjectName(QStringLiteral("resetButton"));
    saveReferences_->setObjectName(QStringLiteral("saveReferencesButton"));
    save->setObjectName(QStringLiteral("saveButton"));
    recall->setObjectName(QStringLiteral("recallButton"));
    connect(saveReferences_, &QPushButton::clicked, this,
            [&operations] { operations.saveReferences(); });
    connect(save, &QPushButton::clicked, this, [&operations] { operations.saveSetup(); });
    connect(recall, &QPushButton::clicked, this, [&operations] { operations.recallSetup(); });
    for (QPushButton* button : {reset_, saveReferences_, save, recall}) {
        button->setAutoDefault(false);
        button->setFocusPolicy(Qt::StrongFocus);
        box->addWidget(button);
    }
    return column;
}

void StoragePanel::showView(const StoragePanelView& v)
{
    digital_->setChecked(v.digital);
    digital_->setEnabled(v.digitalEnabled);
    showOption(modes_, v.mode);
    for (QAbstractButton* option : modes_->buttons()) {
        const bool single = modes_->id(option) == StoragePanelModel::kSingleMode;
        option->setEnabled(single ? v.singleEnabled : v.modesEnabled);
    }
    showList(average_, v.averageEntries, v.averageStep, v.averageText);
    average_->setEnabled(v.averageEnabled);
    peakDetect_->setVisible(v.peakDetectShown);
    peakDetect_->setChecked(v.peakDetect);
    hold_->setVisible(v.holdShown);
    hold_->setChecked(v.hold);
    hold_->setEnabled(v.holdEnabled);

    pretrigger_->setCurrentIndex(v.pretriggerBarShown ? 1 : 0);
    pretriggerOn_->setChecked(v.pretriggerOn);
    pretriggerOn_->setEnabled(v.pretriggerStepsEnabled);
    showList(pretriggerSteps_, v.pretriggerEntries, v.pretriggerStep, v.pretriggerText);
    pretriggerSteps_->setEnabled(v.pretriggerStepsEnabled);
    pretriggerBar_->setValue(v.pretriggerPosition);
    showValue(pretriggerTime_, v.pretriggerTime);

    ref1Swatch_->setVisible(!v.traceSeparationShown);
    traceSeparation_->setVisible(v.traceSeparationShown);
    ref1_->setVisible(v.ref1Shown);
    ref1_->setChecked(v.ref1);
    ref1_->setEnabled(v.ref1Enabled);
    ref2_->setChecked(v.ref2);
    ref2_->setEnabled(v.ref2Enabled);
    ref1Bar_->setValue(v.ref1Bar);
    ref1Bar_->setEnabled(v.ref1BarEnabled);
    ref2Bar_->setValue(v.ref2Bar);
    ref2Bar_->setEnabled(v.ref2BarEnabled);

    showList(slot_, v.slotEntries, v.slotStep, v.slotText);
    reset_->setEnabled(v.resetEnabled);
    saveReferences_->setEnabled(v.saveReferencesEnabled);
}

}  // namespace ql::gui
