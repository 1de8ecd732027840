#pragma once
// The "User details" dialog: the twelve contact fields of the support requests, each a line
// of up to 80 characters, with "OK" and "Cancel". A thin view over UserDetailsModel, opened
// from the notes window; "OK" accepts the dialog, "Cancel", Escape and its close box reject it.

#include <QDialog>
#include <array>

#include "ModelWindow.h"
#include "app/UserDetailsModel.h"

class QLineEdit;

namespace ql::gui {

class UserDetailsDialog : public QDialog, public ModelWindow<UserDetailsModel> {
    Q_OBJECT
public:
    UserDetailsDialog(ProgramState& state, Host& host, QWidget* parent = nullptr);

    // Shows the stored details, modal to the window it belongs to, without waiting.
    void showDetails();

    void reject() override;

private:
    void showView(const UserDetailsView& v) override;

    std::array<QLineEdit*, kUserFieldCount> fields_{};
};

}  // namespace ql::gui
