#pragma once
// The print settings window ("Printer settings"): the headline, the nine option boxes,
// "&Print" and "&Cancel". A thin view over PrintSettingsModel: every edit and click goes to the
// model, which keeps it and has the preview follow; the preview opens and closes with it.

#include <QWidget>
#include <array>

#include "ToolWindowEntry.h"
#include "UserChanges.h"
#include "app/PrintSettingsModel.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace ql::gui {

class PrintSettingsWindow : public QWidget, public ToolWindowContent {
    Q_OBJECT
public:
    PrintSettingsWindow(ProgramState& state, Host& host, Printer& printer,
                        QWidget* parent = nullptr);

    void refresh() override;
    void opened() override;
    void closed() override;

    QLineEdit* headlineBox() const { return headline_; }
    QCheckBox* optionBox(PrintOption option) const;
    QPushButton* printButton() const { return print_; }
    QPushButton* cancelButton() const { return cancel_; }

private:
    // Shows the view; the headline box is rewritten only when `headlineToo` or when it does
    // not show the kept headline (typing must not lose its trailing blanks).
    void applyView(bool headlineToo);
    void carry(const Followup& followup);

    PrintSettingsModel model_;
    Host& host_;
    UserChanges changes_{this};
    QLineEdit* headline_ = nullptr;
    std::array<QCheckBox*, kPrintOptionCount> boxes_{};
    QPushButton* print_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

}  // namespace ql::gui
