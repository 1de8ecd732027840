#include "SettingsPanelWindow.h"

#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace ql::gui {

namespace {

// Eats the typed characters of a list, so only its arrows, Enter and the mouse choose an entry.
class TypedKeysDiscarded : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const QString text = static_cast<QKeyEvent*>(event)->text();
            if (!text.isEmpty() && text.at(0).isPrint() && text != QStringLiteral(" ")) return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

SettingsPanelWindow::SettingsPanelWindow(const QString& caption, const QString& objectName,
                                         QWidget* parent)
    : QWidget(parent)
{
    setObjectName(objectName);
    setWindowTitle(caption);
    setAccessibleName(caption);
}

void SettingsPanelWindow::setPanelLayout(QLayout* layout)
{
    // The panels keep their size; only their place is stored.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setLayout(layout);
}

// --- Building controls -----------------------------------------------------------------------

QLabel* SettingsPanelWindow::label(const QString& caption, const QString& name, bool bold)
{
    auto* l = new QLabel(caption, this);
    l->setObjectName(name);
    if (bold) {
        QFont font = l->font();
        font.setBold(true);
        l->setFont(font);
    }
    return l;
}

QLabel* SettingsPanelWindow::valueLabel(const QString& name, const QString& field)
{
    QLabel* l = label(QString(), name);
    l->setAccessibleName(field);
    return l;
}

QAbstractButton* SettingsPanelWindow::checkBox(const QString& caption, const QString& name)
{
    auto* box = new QCheckBox(caption, this);
    box->setObjectName(name);
    box->setFocusPolicy(Qt::StrongFocus);
    return box;
}

QGroupBox* SettingsPanelWindow::optionGroup(const QString& frameCaption,
                                            const QStringList& captions, const QString& name,
                                            QButtonGroup*& group, const QString& whose)
{
    const auto named = [&whose](QWidget* w, const QString& caption) {
        if (!whose.isEmpty()) w->setAccessibleName(whose + QLatin1Char(' ') + caption);
    };
    auto* frame = new QGroupBox(frameCaption, this);
    frame->setObjectName(name + QStringLiteral("Frame"));
    named(frame, frameCaption);
    auto* layout = new QVBoxLayout(frame);
    group = new QButtonGroup(this);
    group->setObjectName(name);
    for (int i = 0; i < captions.size(); ++i) {
        auto* option = new QRadioButton(captions[i], frame);
        option->setObjectName(name + QString::number(i));
        option->setFocusPolicy(Qt::StrongFocus);
        named(option, captions[i]);
        group->addButton(option, i);
        layout->addWidget(option);
    }
    return frame;
}

StepList* SettingsPanelWindow::list(const QString& name, const QString& field)
{
    auto* l = new StepList(this);
    l->setObjectName(name);
    l->setAccessibleName(field);
    l->setFocusPolicy(Qt::StrongFocus);
    l->installEventFilter(new TypedKeysDiscarded(l));
    // The value shown with no entry selected is the list's text, not a grey hint.
    QPalette palette = l->palette();
    palette.setColor(QPalette::PlaceholderText, palette.color(QPalette::ButtonText));
    l->setPalette(palette);
    return l;
}

QAbstractSlider* SettingsPanelWindow::bar(Qt::Orientation orientation, int minimum, int maximum,
                                          int largeStep, const QString& name, const QString& field)
{
    auto* b = new QScrollBar(orientation, this);
    b->setObjectName(name);
    b->setAccessibleName(field);
    b->setFocusPolicy(Qt::StrongFocus);
    b->setRange(minimum, maximum);
    b->setSingleStep(1);
    b->setPageStep(largeStep);
    return b;
}

std::pair<QToolButton*, QToolButton*> SettingsPanelWindow::spin(const QString& name,
                                                                const QString& field)
{
    const auto arrow = [&](Qt::ArrowType type, const QString& suffix, const QString& words) {
        auto* button = new QToolButton(this);
        button->setObjectName(name + suffix);
        button->setAccessibleName(field + words);
        button->setArrowType(type);
        button->setAutoRepeat(false);
        button->setFocusPolicy(Qt::StrongFocus);
        return button;
    };
    return {arrow(Qt::UpArrow, QStringLiteral("Up"), QStringLiteral(" up")),
            arrow(Qt::DownArrow, QStringLiteral("Down"), QStringLiteral(" down"))};
}

}  // namespace ql::gui
