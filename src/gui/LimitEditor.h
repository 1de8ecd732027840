#pragma once
// The editor of the limit definitions on the harmonics window's "Settings" tab, a thin view over
// LimitEditorController: the list of definitions, "New", "Delete", the multiplier box, the
// "Relativ" box (shown, not changed), the memo, the rows grid, the order and limit boxes and
// "<<< Store <<<". Input boxes are Qt's; messages and questions go through the host.

#include <QWidget>

#include "ModelWindow.h"
#include "harmonics/LimitEditorController.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

namespace ql::gui {

// The input box of the editor's questions.
class QtInputPrompt : public InputPrompt {
public:
    explicit QtInputPrompt(QWidget* parent) : parent_(parent) {}
    std::optional<std::string> askText(std::string_view prompt, std::string_view title,
                                       std::string_view defaultText) override;

private:
    QWidget* parent_;
};

// Not a window of its own: the harmonics window tells it of opening and activation. Its input
// boxes are its own, made before the editor's rules that ask through them.
class LimitEditor : public QWidget,
                    private QtInputPrompt,
                    public ModelWindow<LimitEditorController> {
    Q_OBJECT
public:
    LimitEditor(ProgramState& state, Host& host, LimitStore& store, char decimalSign,
                QWidget* parent);

    // The window opens; the window becomes the active one.
    void opened() override;
    void activated() override;

    QComboBox* definitionList() const { return list_; }
    QTableWidget* rowsGrid() const { return grid_; }
    QLineEdit* orderBox() const { return orderBox_; }
    QLineEdit* limitBox() const { return limitBox_; }
    QPushButton* storeButton() const { return storeButton_; }
    QPushButton* newButton() const { return newButton_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showView(const LimitEditorView& v) override;
    // Runs one handler of the editor (true: the definitions changed) unless one is running
    // already, and says what follows.
    template <class Action>
    Followup handled(Action action);
    // The same, with the multiplier and memo taken as they stand first.
    template <class Action>
    Followup withBoxes(Action action);

    bool handling_ = false;

    QComboBox* list_ = nullptr;
    QPushButton *newButton_ = nullptr, *deleteButton_ = nullptr, *storeButton_ = nullptr;
    QLineEdit *multiplierBox_ = nullptr, *orderBox_ = nullptr, *limitBox_ = nullptr;
    QCheckBox* relativeBox_ = nullptr;
    QPlainTextEdit* memoBox_ = nullptr;
    QTableWidget* grid_ = nullptr;
};

}  // namespace ql::gui
