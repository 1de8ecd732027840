#include "StepList.h"

#include <QAccessibleWidget>
#include <QStyleOptionComboBox>

namespace ql::gui {

namespace {

// What a screen reader is told of a step list; its actions open the list as a click does.
class StepListAccessible : public QAccessibleWidget {
public:
    explicit StepListAccessible(StepList* list) : QAccessibleWidget(list, QAccessible::ComboBox) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value) return static_cast<const StepList*>(widget())->shownText();
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override
    {
        return QAccessibleWidget::actionNames() << showMenuAction() << pressAction();
    }
    void doAction(const QString& action) override
    {
        if (action == showMenuAction() || action == pressAction())
            static_cast<StepList*>(widget())->showPopup();
        else
            QAccessibleWidget::doAction(action);
    }
};

QAccessibleInterface* stepListAccessible(const QString&, QObject* object)
{
    auto* list = qobject_cast<StepList*>(object);
    return list ? new StepListAccessible(list) : nullptr;
}

}  // namespace

StepList::StepList(QWidget* parent) : QComboBox(parent)
{
    [[maybe_unused]] static const bool told =
        (QAccessible::installFactory(stepListAccessible), true);
}

void StepList::showSteps(const std::vector<std::string>& entries, int step, const std::string& text)
{
    bool same = count() == static_cast<int>(entries.size());
    for (int i = 0; same && i < count(); ++i)
        same = itemText(i).toStdString() == entries[static_cast<std::size_t>(i)];
    if (!same) {
        clear();
        for (const std::string& entry : entries) addItem(QString::fromStdString(entry));
    }
    text_ = QString::fromStdString(text);
    setPlaceholderText(text_);
    setCurrentIndex(step >= 0 && step < count() ? step : -1);
    setAccessibleDescription(text_);
    update();
}

void StepList::initStyleOption(QStyleOptionComboBox* option) const
{
    QComboBox::initStyleOption(option);
    if (currentIndex() >= 0) option->currentText = text_;
}

}  // namespace ql::gui
