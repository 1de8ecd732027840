#pragma once
// The autostore window ("AutoStore"): "Store every" N "minutes" or "Store after trigger",
// "Print after storage", "Save as table", "Select &Filename" with the file prefix beside it,
// and Start/Pause, Stop and Exit. A thin view over AutoStoreController.

#include <QWidget>

#include "ToolWindowEntry.h"
#include "UserChanges.h"
#include "app/AutoStoreController.h"

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace ql::gui {

class AutoStoreWindow : public QWidget, public ToolWindowContent {
    Q_OBJECT
public:
    AutoStoreWindow(InstrumentLink& link, FileDialogs& dialogs, char decimalSign,
                    QWidget* parent = nullptr);

    void refresh() override { applyView(false); }
    void opened() override;
    void closed() override { controller_.closed(); }

    QRadioButton* timedOption() const { return timed_; }
    QLineEdit* minutesBox() const { return minutes_; }
    QLabel* fileLabel() const { return fileLabel_; }
    QPushButton* startButton() const { return start_; }
    QPushButton* exitButton() const { return exit_; }

private:
    // The interval box is rewritten too unless the user is typing in it.
    void applyView(bool minutesToo);
    void carry(const Followup& followup);
    void fitFrame();

    AutoStoreController controller_;
    Host& host_;
    FileDialogs& dialogs_;
    UserChanges changes_{this};
    QFrame* box_ = nullptr;  // groups every control but the three buttons
    QRadioButton* timed_ = nullptr;
    QRadioButton* afterTrigger_ = nullptr;
    QLineEdit* minutes_ = nullptr;
    QCheckBox* print_ = nullptr;
    QCheckBox* table_ = nullptr;
    QPushButton* selectFile_ = nullptr;
    QLabel* fileLabel_ = nullptr;
    QPushButton* start_ = nullptr;
    QPushButton* stop_ = nullptr;
    QPushButton* exit_ = nullptr;
};

}  // namespace ql::gui
