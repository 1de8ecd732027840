#include "StepList.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QItemSelectionModel>
#include <QScopedValueRollback>
#include <QStyleOptionComboBox>

namespace ql::gui {

namespace {

// What a screen reader is told of a step list; its actions open and close the list as a click
// does.
class StepListAccessible : public QAccessibleWidget {
public:
    explicit StepListAccessible(StepList* list) : QAccessibleWidget(list, QAccessible::ComboBox) {}

    // The entries, as a plain list has them: the list that opens.
    int childCount() const override { return 1; }
    QAccessibleInterface* child(int index) const override
    {
        return index == 0 ? QAccessible::queryAccessibleInterface(list()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child && child->object() == list()->view() ? 0 : -1;
    }
    // Whether the list can open and is open, as a plain list tells.
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.expandable = true;
        s.expanded = list()->view()->isVisible();
        s.collapsed = !s.expanded;
        return s;
    }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value) return list()->shownText();
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override
    {
        return QAccessibleWidget::actionNames() << showMenuAction() << pressAction();
    }
    void doAction(const QString& action) override
    {
        if (action != showMenuAction() && action != pressAction())
            QAccessibleWidget::doAction(action);
        else if (list()->view()->isVisible())
            list()->hidePopup();
        else
            list()->showPopup();
    }

private:
    StepList* list() const { return static_cast<StepList*>(widget()); }
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
    connect(view()->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection& selected) { entriesSelected(selected); });
}

void StepList::showSteps(const std::vector<std::string>& entries, int step, const std::string& text)
{
    const QScopedValueRollback<bool> changing(showing_, true);
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
    // The list that opens bears the list's name.
    for (QWidget* entriesList : {static_cast<QWidget*>(view()), view()->window()})
        if (entriesList->accessibleName() != accessibleName())
            entriesList->setAccessibleName(accessibleName());
    update();
}

void StepList::showPopup()
{
    const QScopedValueRollback<bool> opening(showing_, true);
    QComboBox::showPopup();
}

void StepList::hidePopup()
{
    QComboBox::hidePopup();
    // The entry highlighted stays, for the pick the list's own keys and mouse make after this;
    // its selection goes, so that a pick from outside selects that entry anew.
    const QScopedValueRollback<bool> closing(showing_, true);
    view()->clearSelection();
}

void StepList::entriesSelected(const QItemSelection& selected)
{
    const QModelIndexList entries = selected.indexes();
    // A list that is off takes no pick, as it opens for no click.
    if (showing_ || !isEnabled() || entries.size() != 1) return;
    // The list's keys and mouse move the entry highlighted along with the one selected, while
    // the list is open; a pick through the accessibility interface selects alone.
    const int entry = entries.front().row();
    if (view()->isVisible() && view()->currentIndex().row() == entry) return;
    // An open list closes; the entry's selection goes, so that it can be picked again.
    hidePopup();
    setCurrentIndex(entry);
    emit activated(entry);
    emit textActivated(itemText(entry));
}

void StepList::initStyleOption(QStyleOptionComboBox* option) const
{
    QComboBox::initStyleOption(option);
    if (currentIndex() >= 0) option->currentText = text_;
}

}  // namespace ql::gui
