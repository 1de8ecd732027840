#pragma once
// The editor of the limit definitions on the harmonics window's "Settings" tab, a thin view over
// LimitEditorController: the list of definitions, "New", "Delete", the multiplier box, the
// "Relativ" box (shown, not changed), the memo, the rows grid, the order and limit boxes and
// "<<< Store <<<". Input boxes are Qt's; messages and questions go through the host.

#include <QWidget>
#include <memory>

#include "UserChanges.h"
#include "harmonics/LimitEditorController.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

namespace ql::gui {

// The input box of the editor's questions.
class QtInputPrompt final : public InputPrompt {
public:
    explicit QtInputPrompt(QWidget* parent) : parent_(parent) {}
    std::optional<std::string> askText(std::string_view prompt, std::string_view title,
                                       std::string_view defaultText) override;

private:
    QWidget* parent_;
};

class LimitEditor : public QWidget {
    Q_OBJECT
public:
    LimitEditor(ProgramState& state, Host& host, LimitStore& store, char decimalSign,
                QWidget* parent);

    LimitEditorController& controller() { return controller_; }
    // The window opens; the window becomes the active one.
    void opened();
    void activated();

    QComboBox* definitionList() const { return list_; }
    QTableWidget* rowsGrid() const { return grid_; }
    QLineEdit* orderBox() const { return orderBox_; }
    QLineEdit* limitBox() const { return limitBox_; }
    QPushButton* storeButton() const { return storeButton_; }
    QPushButton* newButton() const { return newButton_; }

signals:
    // The definitions changed or another one was chosen: the verdicts are to be judged again.
    void definitionChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Shows the controller's view, moves the focus it asks for, and says when a change needs a
    // new judgement.
    void follow(bool changed);
    // Runs one handler of the controller (true: the definitions changed), then follows it.
    template <typename Action>
    void handle(Action action);
    void applyView();
    // Takes the multiplier and memo as they stand; true when that changed the definition.
    bool commitBoxes();

    QtInputPrompt prompt_;
    LimitEditorController controller_;
    bool applying_ = false;
    bool handling_ = false;
    UserChanges changes_{this};

    QComboBox* list_ = nullptr;
    QPushButton *newButton_ = nullptr, *deleteButton_ = nullptr, *storeButton_ = nullptr;
    QLineEdit *multiplierBox_ = nullptr, *orderBox_ = nullptr, *limitBox_ = nullptr;
    QCheckBox* relativeBox_ = nullptr;
    QPlainTextEdit* memoBox_ = nullptr;
    QTableWidget* grid_ = nullptr;
};

}  // namespace ql::gui
