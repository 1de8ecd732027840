#pragma once
// A list of steps that shows a value of its own: the view gives it its entries, the entry of
// the step the value stands on and the value's text ("1.38 ms"), which the list draws in place
// of that entry's ("1 ms"). The arrow keys move one step from the entry and Alt+Down opens the
// list at it. A screen reader reads the list's name, the value as its value and as its
// description, where a plain list would read the entry's text as both name and value; as with
// a plain list, the entries (as the list shows them) are its one child, the list that opens
// bears its name, and an entry picked through the accessibility interface is chosen as a
// mouse pick chooses it (activated()). A value that is none of the steps selects no entry and
// shows as the list's placeholder.

#include <QComboBox>
#include <string>
#include <vector>

class QItemSelection;

namespace ql::gui {

class StepList : public QComboBox {
    Q_OBJECT
public:
    explicit StepList(QWidget* parent = nullptr);

    // `step` is the entry to select, or -1 for none. The entries are replaced only when they
    // changed, so an open list stays as it is.
    void showSteps(const std::vector<std::string>& entries, int step, const std::string& text);
    const QString& shownText() const { return text_; }

    void showPopup() override;
    void hidePopup() override;

protected:
    void initStyleOption(QStyleOptionComboBox* option) const override;

private:
    // The entries' selection changed: an entry selected from outside the list's own keys and
    // mouse (which move the entry highlighted along) is picked.
    void entriesSelected(const QItemSelection& selected);

    QString text_;
    bool showing_ = false;  // the list is changing its entries or opening
};

}  // namespace ql::gui
