#pragma once
// The print settings window ("Printer settings"): the headline, the nine option boxes,
// "&Print" and "&Cancel". A thin view over PrintSettingsModel: every edit and click goes to the
// model, which keeps it and has the preview follow; the preview opens and closes with it.

#include <QWidget>
#include <array>

#include "ModelWindow.h"
#include "app/PrintSettingsModel.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace ql::gui {

class PrintSettingsWindow : public QWidget, public ModelWindow<PrintSettingsModel> {
    Q_OBJECT
public:
    PrintSettingsWindow(ProgramState& state, Host& host, Printer& printer,
                        QWidget* parent = nullptr);

    void opened() override;
    void closed() override { model_.closed(); }

    QLineEdit* headlineBox() const { return headline_; }
    QCheckBox* optionBox(PrintOption option) const
    {
        return boxes_[static_cast<std::size_t>(option)];
    }
    QPushButton* printButton() const { return print_; }
    QPushButton* cancelButton() const { return cancel_; }

private:
    void showView(const PrintSettingsView& v) override;

    QLineEdit* headline_ = nullptr;
    std::array<QCheckBox*, kPrintOptionCount> boxes_{};
    QPushButton* print_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

}  // namespace ql::gui
