#pragma once
// The "User details" dialog: the twelve contact fields of the support requests, each a line
// of up to 80 characters, with "OK" and "Cancel". A thin view over UserDetailsModel.

#include <QDialog>
#include <array>

#include "UserChanges.h"
#include "app/UserDetailsModel.h"

class QLineEdit;

namespace ql::gui {

class UserDetailsDialog : public QDialog {
    Q_OBJECT
public:
    explicit UserDetailsDialog(ProgramState& state, QWidget* parent = nullptr);

    // Shows the stored details, modal to the window it belongs to, without waiting.
    void showDetails();

    QLineEdit* field(int index) const { return fields_[static_cast<std::size_t>(index)]; }

    void accept() override;
    void reject() override;

private:
    void applyView();

    UserDetailsModel model_;
    UserChanges changes_{this};
    std::array<QLineEdit*, kUserFieldCount> fields_{};
};

}  // namespace ql::gui
