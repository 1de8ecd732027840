#pragma once
// The autostore window ("AutoStore"): "Store every" N "minutes" or "Store after trigger",
// "Print after storage", "Save as table", "Select &Filename" with the file prefix beside it,
// and Start/Pause, Stop and Exit. A thin view over AutoStoreController.

#include <QWidget>

#include "ModelWindow.h"
#include "app/AutoStoreController.h"

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace ql::gui {

class AutoStoreWindow : public QWidget, public ModelWindow<AutoStoreController> {
    Q_OBJECT
public:
    AutoStoreWindow(InstrumentLink& link, FileDialogs& dialogs, char decimalSign,
                    QWidget* parent = nullptr);

    void opened() override;
    void closed() override { model_.closed(); }
    // The checked mode: Space there changes nothing.
    QWidget* openingFocus() const override;

    QRadioButton* timedOption() const { return timed_; }
    QLineEdit* minutesBox() const { return minutes_; }
    QLabel* fileLabel() const { return fileLabel_; }
    QPushButton* startButton() const { return start_; }
    QPushButton* exitButton() const { return exit_; }

private:
    void showView(const AutoStoreView& v) override;
    void fitFrame();

    QFrame* box_ = nullptr;  // groups every control but the three buttons
    QRadioButton* timed_ = nullptr;
    QRadioButton* afterTrigger_ = nullptr;
    QLineEdit* minutes_ = nullptr;
    QCheckBox* print_ = nullptr;
    QCheckBox* table_ = nullptr;
    QLabel* fileLabel_ = nullptr;
    QPushButton* start_ = nullptr;
    QPushButton* stop_ = nullptr;
    QPushButton* exit_ = nullptr;
};

}  // namespace ql::gui
